// A library nothing can damage: hostile index entries, links, and failures made real (a read-only
// folder as an unprivileged user, a full disk), each with its message, exit status and what is left.
#include <sys/mount.h>

#include <string>
#include <vector>

#include "CliLibrary.h"

namespace {

using partwell::test::BlankCatalog;
using partwell::test::Read;
using partwell::test::Result;
using partwell::test::Write;
using LibrarySafetyTest = partwell::test::CliLibraryTest;

const std::string kRefused = " は使えないパスです。\n";
const std::string kNobody = "setpriv --reuid=nobody --regid=nogroup --clear-groups";

std::string Index(const std::vector<std::string>& entries, const std::string& count) {
  std::string english = "[PartsAssembler]\r\nMenuItems=" + count + "\r\n", japanese = "[PartsAssembler.jpn]\r\n";
  for (std::size_t i = 0; i < entries.size(); ++i) {
    english += "Menu" + std::to_string(i + 1) + "=F" + std::to_string(i + 1) + "," + entries[i] + "\r\n";
    japanese += "Menu" + std::to_string(i + 1) + "=J" + std::to_string(i + 1) + "," + entries[i] + "\r\n";
  }
  return english + japanese;
}

TEST_F(LibrarySafetyTest, HostileEntriesAreRefusedAndNothingOutsideTheLibraryChanges) {
  const auto outside = root / "outside";
  std::filesystem::create_directories(outside);
  Write(outside / "evil01.SUF", "someone's file");
  Write(outside / "evil.BMP", BlankCatalog(0x123456));
  const std::string up = "..\\..\\..\\outside\\evil";
  const std::vector<std::string> hostile = {
      "basic.BMP," + up,                                 // climbing prefix
      "..\\..\\outside\\evil.BMP,basic\\basic",          // climbing catalog
      "basic.BMP," + outside.string() + "/evil",         // absolute
      "basic.BMP,Z:" + outside.string() + "\\evil",      // drive
      "basic.BMP,\\\\server\\share\\evil",               // UNC
      "basic.BMP," + std::string("basic\\ba\0sic", 12),  // NUL: would cut off "NN.SUF"
      "basic.BMP,basic\\\x81\xff",                       // not Shift-JIS: U+FFFD on the host
      "basic.BMP,",                                      // empty
      "basic.BMP,basic\\ba\x01sic",                      // control byte
  };
  std::vector<std::string> entries = hostile;
  entries.push_back("links.BMP,links\\links");
  entries.push_back("via.BMP,via\\via");
  Write(Parts() / "parts.ini", Index(entries, std::to_string(entries.size())));
  Write(Parts() / "basic" / "basic01.SUF", "a part");
  const auto libraryBefore = Snapshot(root / "lib");
  const auto outsideBefore = Snapshot(outside);

  for (std::size_t n = 1; n <= hostile.size(); ++n) {
    const std::string text = n == 2 ? "..\\..\\outside\\evil.BMP" : hostile[n - 1].substr(10);
    for (const std::string& command : {"register '" + Samples() + "cube.suf'", std::string("delete")}) {
      Result result = Run(command + " --folder " + std::to_string(n) + " --slot 1 --yes");
      EXPECT_EQ(result.code, 1) << n << " " << command;
      if (n <= 5 || n == 8) {
        EXPECT_EQ(result.err, text + kRefused) << n;
      } else {
        EXPECT_TRUE(result.err.ends_with(kRefused)) << n << result.err;
      }
    }
  }
  EXPECT_EQ(Snapshot(root / "lib"), libraryBefore);
  EXPECT_EQ(Snapshot(outside), outsideBefore);

  // A part file and a catalog that are links are replaced, never written through; a delete removes
  // the link. A folder on the way that is a link (another disk) keeps working.
  std::filesystem::create_directories(Parts() / "links");
  std::filesystem::create_symlink(outside / "evil01.SUF", Parts() / "links" / "links01.SUF");
  std::filesystem::create_symlink(outside / "evil01.SUF", Parts() / "links" / "links02.SUF");
  std::filesystem::create_symlink(outside / "evil.BMP", Catalogs() / "links.BMP");
  std::filesystem::create_directories(root / "otherdisk");
  std::filesystem::create_directory_symlink(root / "otherdisk", Parts() / "via");
  Write(Catalogs() / "via.BMP", BlankCatalog());
  Result linked = Run("register '" + Samples() + "cube.suf' --folder 10 --slot 1 --yes");
  EXPECT_EQ(linked.code, 0) << linked.err;
  EXPECT_FALSE(std::filesystem::is_symlink(Parts() / "links" / "links01.SUF"));
  EXPECT_EQ(Read(Parts() / "links" / "links01.SUF"), Read(Samples() + "cube.suf"));
  EXPECT_FALSE(std::filesystem::is_symlink(Catalogs() / "links.BMP"));
  EXPECT_EQ(Run("delete --folder 10 --slot 2 --yes").code, 0);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(Parts() / "links" / "links02.SUF")));
  EXPECT_EQ(Snapshot(outside), outsideBefore);
  Result via = Run("register '" + Samples() + "cube.suf' --folder 11 --slot 1 --yes");
  EXPECT_EQ(via.code, 0) << via.err;
  EXPECT_EQ(Read(root / "otherdisk" / "via01.SUF"), Read(Samples() + "cube.suf"));
}

TEST_F(LibrarySafetyTest, IndexEntriesAreNeverOverwrittenNorRewrittenBlind) {
  const std::string lib = (root / "lib").string();
  const std::vector<std::string> three = {"a.BMP,a\\a", "b.BMP,b\\b", "c.BMP,c\\c"};
  for (const auto& [count, key] : std::vector<std::pair<std::string, std::string>>{{"2", "Menu3"}, {"three", "Menu1"}}) {
    Write(Parts() / "parts.ini", Index(three, count));
    const auto before = Snapshot(root / "lib");
    Result result = Run("new-folder ships --name Ships --jpn Ships");
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.err, "parts.ini の " + key + " は既に使われています。\n");
    EXPECT_EQ(Snapshot(root / "lib"), before);  // nor a directory, nor a catalog
  }
  // An index that is there but cannot be read (by the user running us) is never rewritten.
  chmod(root.c_str(), 0755);
  std::system(("chmod -R a+rwX '" + lib + "'").c_str());
  chmod((Parts() / "parts.ini").c_str(), 0222);
  const auto before = Snapshot(root / "lib");
  Result unreadable = Run("new-folder ships --name Ships --jpn Ships", kNobody);
  EXPECT_EQ(unreadable.code, 1);
  EXPECT_EQ(unreadable.err, lib + "\\common\\parts\\parts.ini を読み込めません。\n");
  Result rename = Run("rename-folder 1 --name X --jpn X", kNobody);
  EXPECT_EQ(rename.code, 1);
  EXPECT_EQ(Snapshot(root / "lib"), before);
}

TEST_F(LibrarySafetyTest, AReadOnlyFolderStopsEachOperationWithItsMessage) {
  const std::string lib = (root / "lib").string();
  chmod(root.c_str(), 0755);
  std::system(("chmod -R a+rX,go-w '" + lib + "'").c_str());
  const auto before = Snapshot(root / "lib");
  // Parts folder read-only: the directory is the first step and nothing is made.
  Result noDirectory = Run("new-folder ships --name Ships --jpn Ships", kNobody);
  EXPECT_EQ(noDirectory.code, 1);
  EXPECT_EQ(noDirectory.err, lib + "\\common\\parts\\ships を作成できません。\n");
  EXPECT_EQ(Snapshot(root / "lib"), before);
  // A file where the directory should be.
  Write(Parts() / "boats", "x");
  Result file = Run("new-folder boats --name Boats --jpn Boats");
  EXPECT_EQ(file.code, 1);
  EXPECT_EQ(file.err, lib + "\\common\\parts\\boats を作成できません。\n");
  std::filesystem::remove(Parts() / "boats");
  // Catalog folder read-only: the directory is made (and taken up by the next try), the index is not
  // written.
  chmod(Parts().c_str(), 0777);
  Result noCatalog = Run("new-folder ships --name Ships --jpn Ships", kNobody);
  EXPECT_EQ(noCatalog.code, 1);
  EXPECT_EQ(noCatalog.err, lib + "\\common\\catalog\\ships.BMP を作成できません。\n");
  EXPECT_EQ(Read(Parts() / "parts.ini"), before.at("common/parts/parts.ini"));
  EXPECT_FALSE(std::filesystem::exists(Catalogs() / "ships.BMP"));
  // Register and delete into a read-only part folder.
  Result copy = Run("register '" + Samples() + "cube.suf' --folder 1 --slot 1 --yes", kNobody);
  EXPECT_EQ(copy.code, 1);
  EXPECT_EQ(copy.err, lib + "\\common\\parts\\basic\\basic01.SUF に書き込めません。\n");
  Write(Parts() / "basic" / "basic02.SUF", "part");
  Result remove = Run("delete --folder 1 --slot 2 --yes", kNobody);
  EXPECT_EQ(remove.code, 1);
  EXPECT_EQ(remove.err, "このパーツを削除しますか？\n" + lib + "\\common\\parts\\basic\\basic02.SUF を削除できません。\n");
  EXPECT_EQ(Read(Parts() / "basic" / "basic02.SUF"), "part");
}

TEST_F(LibrarySafetyTest, AFullDiskStopsEachWriteWithItsMessageAndLeavesNoTemporary) {
  // A small tmpfs filled to the last block where this machine lets us mount one; elsewhere the
  // first write of the run fails with ENOSPC (the first write is the library file's).
  const auto disk = root / "disk";
  std::filesystem::create_directories(disk);
  const bool mounted = mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=2m") == 0;
  std::string before;
  if (mounted) {
    std::filesystem::copy(root / "lib", disk / "lib", std::filesystem::copy_options::recursive);
    std::filesystem::remove_all(root / "lib");
    std::filesystem::create_directory_symlink(disk / "lib", root / "lib");
    std::FILE* filler = std::fopen((disk / "filler").c_str(), "wb");
    std::string block(4096, 'f');
    while (std::fwrite(block.data(), 1, block.size(), filler) == block.size() && std::fflush(filler) == 0) {
    }
    std::fclose(filler);
  } else {
    before = "strace -qq -o /dev/null -e trace=write -e inject=write:error=ENOSPC:when=1";
  }
  const std::string lib = (root / "lib").string();
  const auto state = Snapshot(root / "lib");
  Result folder = Run("new-folder ships --name Ships --jpn Ships", before);
  EXPECT_EQ(folder.err, lib + "\\common\\catalog\\ships.BMP を作成できません。\n");
  Result part = Run("register '" + Samples() + "cube.suf' --folder 1 --slot 1 --yes", before);
  EXPECT_EQ(part.err, lib + "\\common\\parts\\basic\\basic01.SUF に書き込めません。\n");
  Result rename = Run("rename-folder 1 --name X --jpn X", before);
  EXPECT_EQ(rename.err, lib + "\\common\\parts\\parts.ini に書き込めません.\n");
  for (const Result& result : {folder, part, rename}) EXPECT_EQ(result.code, 1);
  auto after = Snapshot(root / "lib");
  after.erase("common/parts/ships");  // the first step of new-folder, taken up by the next try
  EXPECT_EQ(after, state);
  if (mounted) {
    std::filesystem::remove(root / "lib");
    umount(disk.c_str());
  }
}

}  // namespace
