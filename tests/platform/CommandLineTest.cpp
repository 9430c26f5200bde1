#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/CommandLine.h"

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
