// The library's dynamic symbol table holds the twenty vlr names and nothing else.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "tests/common/RunProgram.h"

namespace {

TEST(VelrastExports, ExactlyTheTwentyNames) {
  // nm comes with binutils, which scripts/setup-deps installs with build-essential.
  const auto run = partwell::test::RunProgram(std::string("nm -D --defined-only '") + VELRAST_LIBRARY_FILE + "'");
  ASSERT_EQ(run.code, 0) << run.err;
  std::set<std::string> names;
  std::istringstream lines(run.out);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    std::string address, type, name;
    if (fields >> address >> type >> name) names.insert(name);
  }
  const std::set<std::string> expected = {
      "vlrSetRenderBpp", "vlrInitBuffer", "vlrDestroy",   "vlrRender",     "vlrGetDib",
      "vlrZBufferEnable", "vlrZTestEnable", "vlrGetColor", "vlrSetColor",   "vlrSetColorf",
      "vlrClear",        "vlrBox",        "vlrBox3",      "vlrLine",       "vlrLine3",
      "vlrLine3fg",      "vlrTriangle",   "vlrTriangle3", "vlrTriangle3fg", "vlrTriangle3c"};
  EXPECT_EQ(names, expected);
}

}  // namespace
