// The parts index: reading records and list lines, the missing-index warning, writing entries.
#include "tests/app/WorkflowFixture.h"

namespace partwell::test {
namespace {

class PartsIndexTest : public WorkflowTest {};

TEST_F(PartsIndexTest, ReadsRecordsListLinesAndSelectsTheFirst) {
  WriteThreeFolders();
  Open();
  ASSERT_EQ(workflow.Folders.size(), 3u);
  EXPECT_EQ(workflow.MenuItems, 3);
  const PartsFolder& solid = workflow.Folders[1];
  EXPECT_EQ(solid.Name, "Solids");
  EXPECT_EQ(solid.JpnName, Sjis("ソリッド"));
  EXPECT_EQ(solid.CatalogFile, "solid.BMP");
  EXPECT_EQ(solid.PartsPrefix, "solid\\solid");
  EXPECT_EQ(view.lines, (std::vector<std::string>{Sjis("自動車"), Sjis("ソリッド"), Sjis("表示")}));
  EXPECT_EQ(view.selected, 0);
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(PartsIndexTest, SplitsValuesAtWholeCharactersOnly) {
  // 表 and ソ end in 0x5C; a comma is never a trail byte, but the prefix keeps its further commas.
  library.WriteIndex(Sjis("[PartsAssembler]\r\nMenuItems=6\r\nMenu1=Cars,cars.BMP,cars\\cars\r\n"
                          "Menu2=A,b.BMP,c\\d,e\r\nMenu3=Cars,cars.BMP\r\nMenu4=Cars\r\n"
                          "Menu5=表ソ,表.BMP,表\\表\r\n[PartsAssembler.jpn]\r\nMenu1=能力,x,y\r\nMenu2=無し\r\n"));
  Open();
  ASSERT_EQ(workflow.Folders.size(), 6u);
  auto fields = [](const PartsFolder& f) { return std::vector<std::string>{f.Name, f.CatalogFile, f.PartsPrefix, f.JpnName}; };
  EXPECT_EQ(fields(workflow.Folders[0]), (std::vector<std::string>{"Cars", "cars.BMP", "cars\\cars", Sjis("能力")}));
  EXPECT_EQ(fields(workflow.Folders[1]), (std::vector<std::string>{"A", "b.BMP", "c\\d,e", ""}));
  EXPECT_EQ(fields(workflow.Folders[2]), (std::vector<std::string>{"Cars", "", "", ""}));
  EXPECT_EQ(fields(workflow.Folders[3]), (std::vector<std::string>{"", "", "", ""}));
  EXPECT_EQ(fields(workflow.Folders[4]), (std::vector<std::string>{Sjis("表ソ"), Sjis("表.BMP"), Sjis("表\\表"), ""}));
  EXPECT_EQ(fields(workflow.Folders[5]), (std::vector<std::string>{"", "", "", ""}));
  EXPECT_EQ(view.lines[1], "");
}

TEST_F(PartsIndexTest, CountsThatAreMissingZeroOrNegativeGiveAnEmptyList) {
  for (const char* count : {"", "MenuItems=0\r\n", "MenuItems=-4\r\n", "MenuItems=lots\r\n"}) {
    library.WriteIndex(std::string("[PartsAssembler]\r\n") + count + "Menu1=Cars,cars.BMP,cars\\cars\r\n");
    view.messages.clear();
    Open();
    EXPECT_TRUE(workflow.Folders.empty()) << count;
    EXPECT_EQ(view.selected, -1);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_FALSE(view.deleteEnabled);
    EXPECT_EQ(view.partsName, "");
  }
}

TEST_F(PartsIndexTest, HugeCountNeitherHangsNorLosesTheEntriesThatExist) {
  std::string index = "[PartsAssembler]\r\nMenuItems=2147483647\r\n";
  for (int i = 1; i <= 5000; ++i) index += "Menu" + std::to_string(i) + "=F" + std::to_string(i) + ",f.BMP,f\\f\r\n";
  library.WriteIndex(index);
  Open();
  ASSERT_EQ(workflow.Folders.size(), 5000u);
  EXPECT_EQ(workflow.Folders.back().Name, "F5000");
}

TEST_F(PartsIndexTest, LongValueIsCutAtACharacterBoundary) {
  // 127 two-byte characters and one more: 256 bytes, so the 255-byte cut would split the last one.
  std::string name;
  for (int i = 0; i < 128; ++i) name += Sjis("表");
  library.WriteIndex("[PartsAssembler]\r\nMenuItems=1\r\n[PartsAssembler.jpn]\r\nMenu1=" + name + ",x.BMP,x\\x\r\n");
  Open();
  // No comma survives within 255 bytes, so the Japanese name is empty; nothing dangles.
  EXPECT_EQ(workflow.Folders[0].JpnName, "");
  // "A,b," and 251 bytes would end on a lead byte: the prefix keeps 125 whole characters.
  library.WriteIndex("[PartsAssembler]\r\nMenuItems=1\r\nMenu1=A,b," + name + "\r\n");
  Open();
  EXPECT_EQ(workflow.Folders[0].PartsPrefix.size(), 2 * 125u);
}

TEST_F(PartsIndexTest, MissingIndexWarnsWithTheRelativePath) {
  Open();
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].text, Sjis("\"\\common\\parts\\parts.ini\"が見つかりません。\n環境設定でDOGACGAのフォルダを設定して下さい。"));
  EXPECT_EQ(view.messages[0].title, "Partwell!");
  EXPECT_EQ(view.messages[0].flags, 0x30u);
  EXPECT_TRUE(view.lines.empty());
  EXPECT_EQ(view.selected, -1);
}

TEST_F(PartsIndexTest, WritingAnEntryChangesOnlyItsLinesAndTheCount) {
  WriteThreeFolders();
  Open();
  const std::string before = library.ReadIndex();
  workflow.Folders.push_back({"Big Ships", Sjis("大きな船"), "ships.BMP", "ships\\ships"});
  workflow.WriteFolderEntry(4, workflow.Folders.back());
  std::string expected = before;
  expected.replace(expected.find("MenuItems=3"), 11, "MenuItems=4");
  expected.insert(expected.find("\r\n\r\n[PartsAssembler.jpn]") + 2, "Menu4=Big Ships,ships.BMP,ships\\ships\r\n");
  expected += Sjis("Menu4=大きな船,ships.BMP,ships\\ships\r\n");
  EXPECT_EQ(library.ReadIndex(), expected);

  // Read back, a comma in a name moves the rest into the next field.
  workflow.Folders[0].Name = "Cars, fast";
  workflow.WriteFolderEntry(1, workflow.Folders[0]);
  Open();
  EXPECT_EQ(workflow.Folders[0].Name, "Cars");
  EXPECT_EQ(workflow.Folders[0].CatalogFile, " fast");
}

}  // namespace
}  // namespace partwell::test
