#include "shape/Loadsuf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ShapeTestFiles.h"

namespace {

struct Entry {
  std::string name;
  float r, g, b;
};

std::vector<Entry> Entries(const XLoaderAtr& table) {
  std::vector<Entry> out;
  for (const auto& atr : table.items) out.push_back({atr->name, atr->r, atr->g, atr->b});
  return out;
}

void ExpectEntries(const std::vector<Entry>& got, const std::vector<Entry>& expected, const std::string& what) {
  ASSERT_EQ(got.size(), expected.size()) << what;
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].name, expected[i].name) << what << " #" << i;
    EXPECT_FLOAT_EQ(got[i].r, expected[i].r) << what << " #" << i;
    EXPECT_FLOAT_EQ(got[i].g, expected[i].g) << what << " #" << i;
    EXPECT_FLOAT_EQ(got[i].b, expected[i].b) << what << " #" << i;
  }
}

struct AtrCase {
  const char* what;
  const char* file;
  std::vector<Entry> expected;
};

TEST(AtrReader, ReadsColoursOfEveryBlockTheWayTheyAreWritten) {
  const AtrCase cases[] = {
      {"rgb and grey forms, CRLF",
       "atr red {\r\n  col ( rgb ( 1.0 0.0 0.0 ) )\r\n}\r\natr grey {\r\n\tcol(0.5)\r\n}\r\n",
       {{"red", 1, 0, 0}, {"grey", 0.5f, 0.5f, 0.5f}}},
      {"keywords in any case, names keep theirs",
       "ATR Blue {\nCol ( RGB ( 0 0 1 ) )\n}\n", {{"Blue", 0, 0, 1}}},
      {"quoted name with a blank", "atr \"dark green\" {\ncol(rgb(0 0.25 0))\n}\n", {{"dark green", 0, 0.25f, 0}}},
      {"no col line is white", "atr plain\n}\n", {{"plain", 1, 1, 1}}},
      {"rgb with too few tokens is black", "atr x {\ncol ( rgb 1 1 )\n}\n", {{"x", 0, 0, 0}}},
      {"the last col line wins", "atr x {\ncol(0.1)\ncol(rgb(0.2 0.3 0.4))\n}\n", {{"x", 0.2f, 0.3f, 0.4f}}},
      {"other properties and comments are skipped",
       "// file\natr metal {\n amb ( 0.1 )\n col ( rgb ( 0.6 0.6 0.7 ) )\n ref ( 2 )\n}\nlight 1 {\n}\n",
       {{"metal", 0.6f, 0.6f, 0.7f}}},
      {"everything after the name on the atr line is ignored, and the block stays open",
       "atr one { col(0.2) }\natr two {\ncol(0.7)\n}\n", {{"one", 0.7f, 0.7f, 0.7f}}},
      {"a nested block ends the attribute early",
       "atr outer {\ncol(0.3)\nsub {\n}\ncol(0.9)\n}\n", {{"outer", 0.3f, 0.3f, 0.3f}}},
      {"a closing brace not first on its line does not close",
       "atr a {\ncol(0.1)\n  x }\natr b {\ncol(0.6)\n}\n", {{"a", 0.6f, 0.6f, 0.6f}}},
      {"a block open at the end is dropped", "atr kept {\n}\natr lost {\ncol(0.5)\n", {{"kept", 1, 1, 1}}},
      {"a single-token atr line does not open", "atr\ncol(0.5)\n}\n", {}},
      {"malformed numbers read as 0, prefixes as their number",
       "atr m {\ncol(rgb(abc 0.5x 2e-1))\n}\n", {{"m", 0, 0.5f, 0.2f}}},
      {"names with 0x5C trail bytes", "atr \x95\x5C\x83\x5C {\ncol(1)\n}\n", {{"\x95\x5C\x83\x5C", 1, 1, 1}}},
      {"empty file", "", {}},
  };
  shapetest::ScratchFolder folder;
  for (const auto& c : cases) {
    XLoaderAtr table;
    ASSERT_TRUE(ReadAtrFile(table, folder.Write("case.atr", c.file).c_str())) << c.what;
    ExpectEntries(Entries(table), c.expected, c.what);
    EXPECT_EQ(table.count, static_cast<int>(table.items.size()));
  }
}

TEST(AtrReader, AppendsToTheTableAndFindsByExactName) {
  shapetest::ScratchFolder folder;
  XLoaderAtr table;
  const std::string path = folder.Write("two.atr", "atr red {\ncol(rgb(1 0 0))\n}\natr red {\ncol(rgb(0 1 0))\n}\n");
  ASSERT_TRUE(ReadAtrFile(table, path.c_str()));
  ASSERT_TRUE(ReadAtrFile(table, path.c_str()));
  EXPECT_EQ(table.count, 4);
  const XAtr* red = table.Find("red");
  ASSERT_NE(red, nullptr);
  EXPECT_EQ(red, table.items[0].get());
  EXPECT_EQ(red->r, 1.0f);
  EXPECT_EQ(table.Find("Red"), nullptr);
  EXPECT_EQ(table.Find("re"), nullptr);
  EXPECT_EQ(table.Find(""), nullptr);
}

TEST(AtrReader, MissingFileLeavesTheTableAndNoDescriptorOpen) {
  shapetest::ScratchFolder folder;
  XLoaderAtr table;
  ASSERT_TRUE(ReadAtrFile(table, folder.Write("a.atr", "atr a {\n}\n").c_str()));
  const int open = shapetest::OpenDescriptors();
  EXPECT_FALSE(ReadAtrFile(table, (folder.Path() + "/missing.atr").c_str()));
  EXPECT_FALSE(ReadAtrFile(table, folder.Path().c_str()));  // a folder is no attribute file either
  EXPECT_EQ(table.count, 1);
  ASSERT_TRUE(ReadAtrFile(table, folder.Write("b.atr", "atr b {\n}\n").c_str()));
  EXPECT_EQ(shapetest::OpenDescriptors(), open);
  XAtr atr;
  atr.name = "x";
  atr.r = 0.0f;
  atr.Reset();
  EXPECT_EQ(atr.name, "");
  EXPECT_EQ(atr.r, 1.0f);
}

TEST(AtrReader, ShippedAttributeFileHasSixteenDistinctColouredNames) {
  XLoaderAtr table;
  ASSERT_TRUE(ReadAtrFile(table, PARTWELL_SOURCE_DIR "/data/_GENIE.ATR"));
  ASSERT_GE(table.count, 16);
  bool quotedWithBlank = false, grey = false;
  for (const auto& atr : table.items) {
    EXPECT_EQ(table.Find(atr->name), atr.get()) << atr->name << " is listed twice";
    for (float c : {atr->r, atr->g, atr->b}) {
      EXPECT_GE(c, 0.0f) << atr->name;
      EXPECT_LE(c, 1.0f) << atr->name;
    }
    if (atr->name.find(' ') != std::string::npos) quotedWithBlank = true;
    if (atr->r == atr->g && atr->g == atr->b && atr->r != 1.0f) grey = true;
  }
  EXPECT_TRUE(quotedWithBlank);
  EXPECT_TRUE(grey);
}

}  // namespace
