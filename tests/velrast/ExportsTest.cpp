// The library's dynamic symbol table holds the twenty vlr names and nothing else.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>

namespace {

TEST(VelrastExports, ExactlyTheTwentyNames) {
  if (std::system("command -v nm > /dev/null 2>&1") != 0) GTEST_SKIP() << "nm is not installed";
  const std::string command = std::string("nm -D --defined-only '") + VELRAST_LIBRARY_FILE + "'";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::set<std::string> names;
  char line[1024];
  while (std::fgets(line, sizeof line, pipe)) {
    std::istringstream fields(line);
    std::string address, type, name;
    if (fields >> address >> type >> name) names.insert(name);
  }
  ASSERT_EQ(pclose(pipe), 0) << command;
  const std::set<std::string> expected = {
      "vlrSetRenderBpp", "vlrInitBuffer", "vlrDestroy",   "vlrRender",     "vlrGetDib",
      "vlrZBufferEnable", "vlrZTestEnable", "vlrGetColor", "vlrSetColor",   "vlrSetColorf",
      "vlrClear",        "vlrBox",        "vlrBox3",      "vlrLine",       "vlrLine3",
      "vlrLine3fg",      "vlrTriangle",   "vlrTriangle3", "vlrTriangle3fg", "vlrTriangle3c"};
  EXPECT_EQ(names, expected);
}

}  // namespace
