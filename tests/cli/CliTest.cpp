// partwell-cli as scripts use it: output lines, messages on standard error, exit codes, files.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "CliLibrary.h"

namespace {

using partwell::test::Read;
using partwell::test::Result;
using CliTest = partwell::test::CliLibraryTest;

TEST_F(CliTest, FoldersAndSlotsPrintOneRecordALine) {
  Result folders = Run("folders");
  EXPECT_EQ(folders.code, 0) << folders.err;
  EXPECT_EQ(folders.out,
            "1\tBasic Shapes\t基本ソリッド\tbasic.BMP\tbasic\\basic\n"
            "2\tMachine Parts\t機能パーツ\tmachine.BMP\tmachine\\machine\n"
            "3\tSigns\t表示記号\tsigns.BMP\tsigns\\signs\n");
  Result slots = Run("slots --folder 2");
  EXPECT_EQ(slots.code, 0);
  std::string expected;
  for (int s = 1; s <= 16; ++s) expected += std::to_string(s) + "\t\n";
  EXPECT_EQ(slots.out, expected);
  EXPECT_EQ(Run("slots --folder 4").code, 1);
}

TEST_F(CliTest, MissingIndexIsAWarning) {
  std::filesystem::remove(Parts() / "parts.ini");
  Result result = Run("folders");
  EXPECT_EQ(result.code, 1);
  EXPECT_EQ(result.err, "\"\\common\\parts\\parts.ini\"が見つかりません。\n環境設定でDOGACGAのフォルダを設定して下さい。\n");
}

TEST_F(CliTest, RegisterAsksAndWithoutATerminalTheAnswerIsNo) {
  Result first = Run("register '" + Samples() + "cube.suf' --folder 1 --slot 3 --drag 10,-20 --zoom-drag -5");
  EXPECT_EQ(first.code, 0) << first.err;
  EXPECT_EQ(first.err, "登録完了しました\n");
  EXPECT_EQ(Read(Parts() / "basic" / "basic03.SUF"), Read(Samples() + "cube.suf"));
  const std::string firstSlots = "1\t\n2\t\n3\tbasic\\basic03.SUF\n4\t\n";
  EXPECT_EQ(Run("slots --folder 1").out.substr(0, firstSlots.size()), firstSlots);

  Result again = Run("register '" + Samples() + "torus.suf' --folder 1 --slot 3");
  EXPECT_EQ(again.code, 0);
  EXPECT_NE(again.err.find("ファイルは既に存在しています。\n上書きしますか？"), std::string::npos);
  EXPECT_EQ(Read(Parts() / "basic" / "basic03.SUF"), Read(Samples() + "cube.suf"));

  Result yes = Run("register '" + Samples() + "torus.suf' --folder 1 --slot 3 --yes");
  EXPECT_EQ(yes.code, 0);
  EXPECT_EQ(Read(Parts() / "basic" / "basic03.SUF"), Read(Samples() + "torus.suf"));

  Result two = Run("register '" + Samples() + "two_objects.suf' --folder 1 --slot 4");
  EXPECT_EQ(two.code, 3);  // the several-objects warning; the part is registered all the same
  EXPECT_NE(two.err.find("複数のオブジェクト"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(Parts() / "basic" / "basic04.SUF"));

  Result missing = Run("register '" + (root / "none.suf").string() + "' --folder 1 --slot 5");
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(missing.err, "SUFファイルが見つかりません\n");
}

TEST_F(CliTest, DeleteNeedsYesWithoutATerminal) {
  ASSERT_EQ(Run("register '" + Samples() + "cube.suf' --folder 1 --slot 1").code, 0);
  EXPECT_EQ(Run("delete --folder 1 --slot 1").code, 0);
  EXPECT_TRUE(std::filesystem::exists(Parts() / "basic" / "basic01.SUF"));
  Result deleted = Run("delete --folder 1 --slot 1 --yes");
  EXPECT_EQ(deleted.err, "このパーツを削除しますか？\n削除しました。\n");
  EXPECT_FALSE(std::filesystem::exists(Parts() / "basic" / "basic01.SUF"));
  Result empty = Run("delete --folder 1 --slot 1 --yes");
  EXPECT_EQ(empty.code, 1);
  EXPECT_EQ(empty.err, "指定した場所にはパーツは登録されていません。\n");
}

TEST_F(CliTest, NewAndRenamedFoldersGoIntoTheIndex) {
  Result created = Run("new-folder ships --name 'Big Ships' --jpn 船");
  EXPECT_EQ(created.code, 0) << created.err;
  EXPECT_EQ(created.out, "4\n");
  EXPECT_TRUE(std::filesystem::is_directory(Parts() / "ships"));
  EXPECT_TRUE(std::filesystem::exists(root / "lib" / "common" / "catalog" / "ships.BMP"));
  EXPECT_EQ(Run("folders").out.substr(Run("folders").out.rfind("4\t")), "4\tBig Ships\t船\tships.BMP\tships\\ships\n");

  Result comma = Run("new-folder boats --name 'Boats, small' --jpn 船");
  EXPECT_EQ(comma.code, 1);
  EXPECT_EQ(comma.err, "名前にカンマ（,）は使えません。\n");
  Result taken = Run("new-folder SHIPS --name S --jpn 船");
  EXPECT_EQ(taken.code, 1);
  EXPECT_EQ(taken.err, "このフォルダは既に存在しています。\nフォルダ名を変更して下さい。\n");
  Result emoji = Run("new-folder rockets --name R --jpn '\xF0\x9F\x9A\x80'");
  EXPECT_EQ(emoji.code, 1);

  Result renamed = Run("rename-folder 3 --name 'Road Signs' --jpn 道路標識");
  EXPECT_EQ(renamed.code, 0) << renamed.err;
  EXPECT_NE(Run("folders").out.find("3\tRoad Signs\t道路標識\tsigns.BMP\tsigns\\signs\n"), std::string::npos);
}

TEST_F(CliTest, CheckRepairRetakeAndNextFreeKeepALibraryInOrder) {
  for (const std::string folder : {"basic", "machine", "signs"}) {
    std::filesystem::remove_all(Parts() / folder);
    std::filesystem::remove(root / "lib" / "common" / "catalog" / (folder + ".BMP"));
  }
  std::ofstream(Parts() / "parts.ini", std::ios::binary) << "[PartsAssembler]\r\nMenuItems=0\r\n";
  ASSERT_EQ(Run("new-folder ships --name Ships --jpn 船").code, 0);
  Result clean = Run("check");
  EXPECT_EQ(clean.code, 0) << clean.out;
  EXPECT_EQ(clean.out, "");

  Result two = Run("register --folder 1 --next-free '" + Samples() + "cube.suf' '" + Samples() + "torus.suf'");
  EXPECT_EQ(two.code, 0) << two.err;
  EXPECT_EQ(two.out, "1\tships\\ships01.SUF\n2\tships\\ships02.SUF\n");
  EXPECT_EQ(Run("check").code, 0);

  std::filesystem::remove(Parts() / "ships" / "ships01.SUF");
  std::ofstream(Parts() / "ships" / "notes.txt") << "notes";
  const std::string lib = (root / "lib").string();
  Result damaged = Run("check --json");
  EXPECT_EQ(damaged.code, 1);
  EXPECT_EQ(damaged.out,
            "{\"kind\":\"orphan-cell\",\"folder\":1,\"slot\":1,\"path\":\"" + lib +
                "\\\\common\\\\parts\\\\ships\\\\ships01.SUF\",\"text\":\"サムネイルはありますが、パーツファイルがありません。\"}\n"
                "{\"kind\":\"stray-file\",\"folder\":1,\"slot\":null,\"path\":\"" + lib +
                "\\\\common\\\\parts\\\\ships\\\\notes.txt\",\"text\":\"どのスロットの名前にも合わないファイルです。\"}\n");

  const std::string catalog = Read(root / "lib" / "common" / "catalog" / "ships.BMP");
  Result declined = Run("repair");
  EXPECT_EQ(declined.code, 1);
  EXPECT_EQ(declined.err, "1 件を修復します。よろしいですか？\n(no terminal to answer on: No)\n");
  EXPECT_EQ(Read(root / "lib" / "common" / "catalog" / "ships.BMP"), catalog);
  Result repaired = Run("repair --yes");
  EXPECT_EQ(repaired.code, 0) << repaired.err;
  EXPECT_EQ(repaired.out, "orphan-cell\t1\t1\t" + lib + "\\common\\parts\\ships\\ships01.SUF\tセルを背景色で塗りました。\n");
  Result person = Run("check");
  EXPECT_EQ(person.code, 1);
  EXPECT_EQ(person.out.substr(0, person.out.find('\t')), "stray-file");
  EXPECT_EQ(std::count(person.out.begin(), person.out.end(), '\n'), 1);

  EXPECT_EQ(Run("retake --folder 1 --drag 5,5").code, 0);
  Result empty = Run("retake --folder 1 --slot 1");
  EXPECT_EQ(empty.code, 1);
  EXPECT_EQ(empty.err, "指定した場所にはパーツは登録されていません。\n");
  EXPECT_EQ(Run("retake --folder 1 extra").code, 2);

  std::string sixteen;
  for (int i = 0; i < 16; ++i) sixteen += " '" + Samples() + "cube.suf'";
  Result tooMany = Run("register --folder 1 --next-free" + sixteen);
  EXPECT_EQ(tooMany.code, 1);
  EXPECT_EQ(tooMany.out, "");
  EXPECT_EQ(tooMany.err, "このフォルダに入るのはあと 15 個です（ファイルは 16 個）。何も登録していません。\n");
}

}  // namespace
