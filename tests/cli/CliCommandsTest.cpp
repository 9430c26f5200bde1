// partwell-cli attributes and info, run as a user runs them: exit code, standard output and error.
#include <gtest/gtest.h>

#include <string>

#include "tests/common/RunProgram.h"
#include "tests/common/ScratchFolder.h"

namespace {

struct CliRun {
  int exit = -1;
  std::string out;
  std::string err;
};

class CliCommands : public ::testing::Test {
 protected:
  // args are passed through the shell, so each one is quoted by the caller where needed.
  CliRun Cli(const std::string& args) {
    const auto run = partwell::test::RunProgram("'" PARTWELL_CLI "' " + args);
    return {run.code, run.out, run.err};
  }

  std::string Atr() {
    return folder.Write("test.atr",
                        "atr red {\r\n col ( rgb ( 1 0 0.25 ) )\r\n}\r\natr \"\x95\x5C\x8E\xA6 blue\" {\r\n col ( 0.5 )\r\n}\r\n");
  }

  partwell::test::ScratchFolder folder;
};

TEST_F(CliCommands, AttributesListsTheTableInFileOrder) {
  CliRun run = Cli("--atr '" + Atr() + "' attributes");
  EXPECT_EQ(run.exit, 0) << run.err;
  EXPECT_EQ(run.out, "red\t1\t0\t0.25\n表示 blue\t0.5\t0.5\t0.5\n");

  const std::string missing = folder.Path() + "/none.atr";
  run = Cli("--atr '" + missing + "' attributes");
  EXPECT_EQ(run.exit, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find(missing), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
}

TEST_F(CliCommands, InfoSumsUpTheLoadedShape) {
  const std::string atr = Atr();
  // Named in UTF-8 on the command line; the reader gets the Shift-JIS name.
  folder.Write("表示.suf",
               "obj suf a {\natr red\nprim poly ( -1 2 3\n4 -5 6\n7 8 -9.5 )\nprim poly ( 0 0 0\n1 1 1 )\n}\n");
  CliRun run = Cli("--atr '" + atr + "' info '" + folder.Path() + "/表示.suf'");
  EXPECT_EQ(run.exit, 0) << run.err;
  EXPECT_EQ(run.out, "polygons\t2\nvertices\t5\nmin\t-1\t-5\t-9.5\nmax\t7\t8\t6\nwarning\t0\n");
  EXPECT_EQ(run.err, "");

  const std::string two = folder.Write("two.suf", "obj suf a {\n}\nobj suf b {\natr red\n}\n");
  run = Cli("--atr '" + atr + "' info '" + two + "'");
  EXPECT_EQ(run.exit, 3);  // done, with a warning about the shape
  EXPECT_EQ(run.out, "polygons\t0\nvertices\t0\nmin\t1e+30\t1e+30\t1e+30\nmax\t-1e+30\t-1e+30\t-1e+30\nwarning\t-2\n");
  EXPECT_EQ(run.err, "このSUFファイルには複数のオブジェクトが含まれて\nいます。単一のオブジェクトに変換して下さい。\n");

  // Without an attribute file every name is unknown.
  run = Cli("--atr '" + folder.Path() + "/none.atr' info '" + folder.Path() + "/表示.suf'");
  EXPECT_EQ(run.exit, 3);
  EXPECT_NE(run.out.find("warning\t-1\n"), std::string::npos);
  EXPECT_EQ(run.err, "このSUFファイルにはDOGA-L1/2でサポートされない\nアトリビュートが使われている可能性があります。\n");
}

TEST_F(CliCommands, InfoFailsOnMissingFilesAndBadNumbers) {
  const std::string atr = Atr();
  CliRun run = Cli("--atr '" + atr + "' info '" + folder.Path() + "/none.suf'");
  EXPECT_EQ(run.exit, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("none.suf"), std::string::npos);

  const std::string bad = folder.Write("bad.suf", "obj suf a {\nprim poly ( 0 0 0 )\nprim poly ( 1 2 \x82\x50 )\n}\n");  // １, full width
  run = Cli("--atr '" + atr + "' info '" + bad + "'");
  EXPECT_EQ(run.exit, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "'１' は浮動小数点数ではありません.\n");  // as the exception display shows it
}

}  // namespace
