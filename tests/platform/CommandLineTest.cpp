#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/StringSeparator.h"
#include "platform/CommandLine.h"
#include "platform/FileSystem.h"
#include "platform/Sjis.h"

using namespace platform;

namespace {
std::string CommandLineOf(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  SetCommandLine(static_cast<int>(argv.size()), argv.data());
  return GetCommandLine();
}
}  // namespace

TEST(CommandLine, ProgramPathGetsBackslashesAndTextBecomesShiftJis) {
  struct Case {
    std::vector<std::string> args;
    std::string want;
  } cases[] = {
      {{"/opt/Part well/bin/partwell", "two words.suf", "表.suf"},
       "\"\\opt\\Part well\\bin\\partwell\" \"two words.suf\" \x95\x5c.suf"},
      {{"./partwell", "a/b"}, ".\\partwell a/b"},  // only token 0 is a path of ours
      {{"/表ソ/partwell"}, "\\\x95\x5c\x83\x5c\\partwell"},
      {{"partwell", ""}, "partwell \"\""},
      {{"/x/partwell", "caf\xc3\xa9"}, "\\x\\partwell caf\xc3\xa9"},  // no Shift-JIS form: kept as given
  };
  for (const Case& c : cases) EXPECT_EQ(CommandLineOf(c.args), c.want) << c.args[0];
}

TEST(CommandLine, SplitsBackIntoTheProgramPathWithBlanksAndDoubleByteNames) {
  // As the main window reads it: no character is a token by itself, so only blanks, tabs and
  // quotes separate.
  CommandLineOf({"/home/me/My Tools/表ソ能/partwell", "/tmp/a b.suf", "x"});
  StringSeparator separator;
  char noSpecials[128] = {};
  separator.SetSpecials(noSpecials);
  ASSERT_EQ(separator.Split(GetCommandLine().c_str()), 3);
  const std::string program = separator.Token(0);
  EXPECT_EQ(program, "\\home\\me\\My Tools\\\x95\x5c\x83\x5c\x94\x5c\\partwell");
  EXPECT_STREQ(separator.Token(1), "/tmp/a b.suf");
  EXPECT_EQ(program.substr(0, FindLastCharOf(program, "\\:") + 1), "\\home\\me\\My Tools\\\x95\x5c\x83\x5c\x94\x5c\\");
}

// A program started by bare name from PATH finds its files beside its executable: the folder comes
// back Windows-style, and the file services map it to where this test binary lies.
TEST(CommandLine, ExecutableFolderLeadsBackToTheRunningBinary) {
  const std::string folder = ExecutableFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '\\');
  EXPECT_EQ(folder.find('/'), std::string::npos);
#ifdef _WIN32
  EXPECT_TRUE(platform::FileExists(folder + "platform_tests.exe"));
#else
  EXPECT_TRUE(platform::FileExists(folder + "platform_tests"));
#endif
}
