// Creating and renaming folders, and the folder dialog's OK check.
#include "tests/app/WorkflowFixture.h"

namespace partwell::test {
namespace {

class FoldersTest : public WorkflowTest {
 protected:
  void SetUp() override {
    WorkflowTest::SetUp();
    WriteThreeFolders();
    Open();
    view.messages.clear();
  }
  void Type(const char* folder, const char* name, const char* jpn) {
    view.typed.folder = Sjis(folder);
    view.typed.name = Sjis(name);
    view.typed.jpnName = Sjis(jpn);
  }
};

TEST_F(FoldersTest, CreateAddsTheEntryTheBlankCatalogAndTheDirectory) {
  const std::string before = library.ReadIndex();
  Type("ships", "Ships", "船");
  workflow.CreateFolder();
  EXPECT_TRUE(view.messages.empty());
  EXPECT_EQ(view.shown.caption, Sjis("新規フォルダの作成"));
  EXPECT_EQ(view.shown.existingPrefixes, (std::vector<std::string>{"cars\\cars", "solid\\solid", "signs\\signs"}));
  ASSERT_EQ(workflow.Folders.size(), 4u);
  const PartsFolder& ships = workflow.Folders[3];
  EXPECT_EQ((std::vector<std::string>{ships.Name, ships.JpnName, ships.CatalogFile, ships.PartsPrefix}),
            (std::vector<std::string>{"Ships", Sjis("船"), "ships.BMP", "ships\\ships"}));
  EXPECT_EQ(view.lines.back(), Sjis("船"));
  EXPECT_EQ(view.selected, 3);
  EXPECT_TRUE(std::filesystem::is_directory(library.Parts() / "ships"));

  std::string expected = before;
  expected.replace(expected.find("MenuItems=3"), 11, "MenuItems=4");
  expected.insert(expected.find("\r\n\r\n[PartsAssembler.jpn]") + 2, "Menu4=Ships,ships.BMP,ships\\ships\r\n");
  expected += Sjis("Menu4=船,ships.BMP,ships\\ships\r\n");
  EXPECT_EQ(library.ReadIndex(), expected);

  // The blank catalog: 8 bits, bottom-up 512 x 384, grey ramp with the background in entry 255,
  // every pixel index 255.
  std::string bmp = TempLibrary::ReadFile(library.Catalogs() / "ships.BMP");
  ASSERT_EQ(bmp.size(), 54u + 1024u + 512u * 384u);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(static_cast<std::uint8_t>(bmp[10]) | static_cast<std::uint8_t>(bmp[11]) << 8, 1078);
  EXPECT_EQ(bmp.substr(22, 4), std::string("\x80\x01\x00\x00", 4));
  EXPECT_EQ(bmp[28], 8);
  EXPECT_EQ(bmp.substr(54 + 4 * 7, 4), std::string("\x07\x07\x07\x00", 4));
  EXPECT_EQ(bmp.substr(54 + 4 * 255, 4), std::string("\x9B\x4A\x73\x00", 4));
  EXPECT_EQ(bmp.find_first_not_of('\xFF', 1078), std::string::npos);
  EXPECT_EQ(view.ThumbnailPixel(100, 100), 7555739u);
}

TEST_F(FoldersTest, TheOkCheckRefusesInOrderWithItsOwnTexts) {
  struct Case {
    const char* folder;
    const char* name;
    const char* jpn;
    const char* message;
  } cases[] = {
      {"", "Ships", "船", "すべての項目を入力して下さい。"},
      {"ships", "Ships", "", "すべての項目を入力して下さい。"},
      {"ships", "Big, Ships", "船", "名前にカンマ（,）は使えません。"},
      {"ships", "Ships", "船,船", "名前にカンマ（,）は使えません。"},
      {"sh,ips", "Ships", "船", "名前にカンマ（,）は使えません。"},
      {"a\\b", "Ships", "船", "このフォルダ名は使えません。"},
      {"a:b", "Ships", "船", "このフォルダ名は使えません。"},
      {"what?", "Ships", "船", "このフォルダ名は使えません。"},
      {"..", "Ships", "船", "このフォルダ名は使えません。"},
      {"ships.", "Ships", "船", "このフォルダ名は使えません。"},
      {"ships ", "Ships", "船", "このフォルダ名は使えません。"},
      {"con", "Ships", "船", "このフォルダ名は使えません。"},
      {"COM1.txt", "Ships", "船", "このフォルダ名は使えません。"},
      {"lpt9", "Ships", "船", "このフォルダ名は使えません。"},
      {"cars", "Cars", "車", "このフォルダは既に存在しています。\nフォルダ名を変更して下さい。"},
      {"Cars", "Cars", "車", "このフォルダは既に存在しています。\nフォルダ名を変更して下さい。"},
      {"SIGNS", "Signs", "表示", "このフォルダは既に存在しています。\nフォルダ名を変更して下さい。"},
  };
  for (const Case& c : cases) {
    view.messages.clear();
    FolderDialogState state;
    state.folder = Sjis(c.folder);
    state.name = Sjis(c.name);
    state.jpnName = Sjis(c.jpn);
    for (const PartsFolder& f : workflow.Folders) {
      state.existingPrefixes.push_back(f.PartsPrefix);
      state.existingCatalogs.push_back(f.CatalogFile);
    }
    EXPECT_FALSE(workflow.CheckFolderDialog(state)) << c.folder;
    ASSERT_EQ(view.messages.size(), 1u) << c.folder;
    EXPECT_EQ(view.messages[0].text, Sjis(c.message)) << c.folder;
    EXPECT_EQ(view.messages[0].title, "Partwell");
    EXPECT_EQ(view.messages[0].flags, 0x30u);
  }
  // Names that Windows takes: a trail byte 0x5C is no backslash, "console" is no device.
  for (const char* folder : {"ソリッド2", "表", "console", "com10", "cars2"}) {
    FolderDialogState state;
    state.folder = Sjis(folder);
    state.name = "N";
    state.jpnName = "J";
    state.existingPrefixes = {"cars\\cars", "ships\\shp"};
    EXPECT_TRUE(workflow.CheckFolderDialog(state)) << folder;
  }
}

TEST_F(FoldersTest, EntriesLongerThanTheIndexTakesAreRefused) {
  FolderDialogState state;
  state.folder = "f";  // catalog f.BMP, prefix f\f: 2 + 5 + 3 = 10 bytes beside the name
  state.name = std::string(245, 'n');
  state.jpnName = "J";
  EXPECT_TRUE(workflow.CheckFolderDialog(state));
  state.name += 'n';
  EXPECT_FALSE(workflow.CheckFolderDialog(state));
  EXPECT_EQ(view.messages.back().text, Sjis("名前が長すぎます。"));
}

TEST_F(FoldersTest, ACatalogNoFolderOwnsIsTakenOverNotBlanked) {
  TempLibrary::WriteFile(library.Catalogs() / "ships.BMP", "keep these pictures");
  Type("ships", "Ships", "船");
  workflow.CreateFolder();
  EXPECT_EQ(TempLibrary::ReadFile(library.Catalogs() / "ships.BMP"), "keep these pictures");
  EXPECT_EQ(workflow.Folders.size(), 4u);
}

TEST_F(FoldersTest, CancelChangesNothing) {
  const std::string before = library.ReadIndex();
  view.dialogCancels = true;
  workflow.CreateFolder();
  workflow.RenameFolder();
  EXPECT_EQ(workflow.Folders.size(), 3u);
  EXPECT_EQ(library.ReadIndex(), before);
}

TEST_F(FoldersTest, RenameRewritesOnlyThatEntryWithTheSameCount) {
  view.SelectFolderLine(2);
  const std::string before = library.ReadIndex();
  Type("ignored", "Road Signs", "道路標識");
  workflow.RenameFolder();
  EXPECT_EQ(view.shown.caption, Sjis("フォルダ名の変更"));
  EXPECT_TRUE(view.shown.folderReadOnly);
  EXPECT_EQ(view.shown.folder, "signs\\signs");
  EXPECT_EQ(view.shown.name, "Signs");
  EXPECT_TRUE(view.shown.existingPrefixes.empty());
  std::string expected = before;
  expected.replace(expected.find("Menu3=Signs"), 11, "Menu3=Road Signs");
  expected.replace(expected.find(Sjis("Menu3=表示")), Sjis("Menu3=表示").size(), Sjis("Menu3=道路標識"));
  EXPECT_EQ(library.ReadIndex(), expected);
  EXPECT_EQ(view.lines[2], Sjis("道路標識"));
  EXPECT_EQ(workflow.Folders[2].CatalogFile, "signs.BMP");

  // Clearing the Japanese name is refused by the fill-in check.
  view.messages.clear();
  Type("", "Road Signs", "");
  workflow.RenameFolder();
  EXPECT_EQ(view.messages.at(0).text, Sjis("すべての項目を入力して下さい。"));
  EXPECT_EQ(view.lines[2], Sjis("道路標識"));
}

}  // namespace
}  // namespace partwell::test
