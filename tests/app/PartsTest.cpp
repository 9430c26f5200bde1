// Loading shapes and registering and deleting parts: messages, the part files and catalog bytes.
#include <cmath>

#include "shape/Loadsuf.h"
#include "tests/app/WorkflowFixture.h"
#include "tests/common/ReadOnly.h"

namespace partwell::test {
namespace {

std::uint32_t CellColour(int x, int y) {
  int slot = (y / 96) * 4 + x / 128;
  return static_cast<std::uint32_t>(16 * slot) << 16 | static_cast<std::uint32_t>(255 - 16 * slot) << 8 | 99;
}

constexpr std::uint32_t kBack = 7555739;  // 0x734A9B

class PartsTest : public WorkflowTest {
 protected:
  void SetUp() override {
    WorkflowTest::SetUp();
    WriteThreeFolders();
    WritePicture24(library.Catalogs() / "cars.BMP", 512, 384, CellColour);
    shape = library.root / "cube.suf";
    TempLibrary::WriteFile(shape, CubeSuf());
    Open();
  }
  // Loads a shape and forgets its warnings (our cube's attribute is not in the table).
  void Load(const std::filesystem::path& file) {
    LoadShowing(file);
    view.messages.clear();
  }
  void LoadShowing(const std::filesystem::path& file) {
    workflow.SetEditFile(file.string());
    workflow.LoadShape();
  }
  std::filesystem::path Part(int slot) const {
    char name[32];
    std::snprintf(name, sizeof name, "cars%02d.SUF", slot + 1);
    return library.Parts() / "cars" / name;
  }
  std::filesystem::path CatalogFile() const { return library.Catalogs() / "cars.BMP"; }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Message& m : view.messages) texts.push_back(m.text);
    return texts;
  }
  // Pixels of cell slot as written in the catalog file.
  std::vector<std::uint32_t> Cell(const Picture& p, int slot) const {
    std::vector<std::uint32_t> cell;
    for (int y = 96 * (slot / 4); y < 96 * (slot / 4) + 96; ++y) {
      for (int x = 128 * (slot % 4); x < 128 * (slot % 4) + 128; ++x) cell.push_back(p.At(x, y));
    }
    return cell;
  }
  std::filesystem::path shape;
};

TEST_F(PartsTest, LoadShowsCountAndTheWarnings) {
  TempLibrary::WriteFile(shape, "obj suf tri {\r\nprim poly ( 0 0 0\r\n1 0 0\r\n0 1 0 )\r\n}\r\n");
  LoadShowing(shape);
  EXPECT_EQ(view.polyCount, "1");
  EXPECT_EQ(view.previewInvalidations, 1);
  EXPECT_TRUE(view.messages.empty());

  TempLibrary::WriteFile(shape, CubeSuf("no_such_attribute"));
  LoadShowing(shape);
  EXPECT_EQ(view.polyCount, "6");
  EXPECT_EQ(Texts(), std::vector<std::string>{Sjis("このSUFファイルにはDOGA-L1/2でサポートされない\nアトリビュートが使われている可能性があります。\n")});

  // Two objects: both are counted, and that warning wins over the attribute one before it.
  TempLibrary::WriteFile(shape, CubeSuf("no_such_attribute") + "obj suf second {\r\nprim poly ( 0 0 0\r\n1 0 0\r\n0 1 0 )\r\n}\r\n");
  view.messages.clear();
  LoadShowing(shape);
  EXPECT_EQ(view.polyCount, "7");
  EXPECT_EQ(Texts(), std::vector<std::string>{Sjis("このSUFファイルには複数のオブジェクトが含まれて\nいます。単一のオブジェクトに変換して下さい。\n")});
  EXPECT_EQ(view.messages[0].flags, 0x30u);
  EXPECT_EQ(view.messages[0].title, "Partwell!");
}

TEST_F(PartsTest, RegisterCopiesThePartDrawsTheCellAndRequantisesTheCatalog) {
  Load(shape);
  workflow.SelectedSlot = 6;
  workflow.RegisterPart();
  ASSERT_EQ(Texts(), std::vector<std::string>{Sjis("登録完了しました")});
  EXPECT_EQ(view.messages[0].flags, 0x40u);
  EXPECT_EQ(TempLibrary::ReadFile(Part(6)), CubeSuf());
  EXPECT_EQ(view.partsName, "cars\\cars07.SUF");

  Picture catalog = ReadPicture(CatalogFile());
  EXPECT_EQ(catalog.bitCount, 8);
  EXPECT_EQ(catalog.width, 512);
  EXPECT_EQ(catalog.storedHeight, 384);
  // The cell shows the cube on the background; the other cells keep their exact colours (the
  // picture has few enough colours for the median cut to keep every one).
  std::vector<std::uint32_t> cell = Cell(catalog, 6);
  EXPECT_EQ(cell.front(), kBack);
  EXPECT_EQ(cell.back(), kBack);
  EXPECT_GT(std::count_if(cell.begin(), cell.end(), [](std::uint32_t c) { return c != kBack; }), 500);
  for (int slot : {0, 5, 7, 15}) EXPECT_EQ(catalog.At(128 * (slot % 4) + 60, 96 * (slot / 4) + 40), CellColour(128 * (slot % 4), 96 * (slot / 4)));
}

TEST_F(PartsTest, RegisterAsksBeforeOverwritingAndNoChangesNothing) {
  Load(shape);
  TempLibrary::WriteFile(Part(0), "old part");
  const std::string catalogBefore = TempLibrary::ReadFile(CatalogFile());
  view.answers = {IDNO};
  workflow.RegisterPart();
  EXPECT_EQ(Texts(), std::vector<std::string>{Sjis("ファイルは既に存在しています。\n上書きしますか？")});
  EXPECT_EQ(view.messages[0].flags, 0x24u);
  EXPECT_EQ(TempLibrary::ReadFile(Part(0)), "old part");
  EXPECT_EQ(TempLibrary::ReadFile(CatalogFile()), catalogBefore);

  view.answers = {IDYES};
  workflow.RegisterPart();
  EXPECT_EQ(TempLibrary::ReadFile(Part(0)), CubeSuf());
}

TEST_F(PartsTest, RegisterWithoutTheShapeFileWarnsAndDoesNothing) {
  workflow.SetEditFile((library.root / "gone.suf").string());
  workflow.RegisterPart();
  EXPECT_EQ(Texts(), std::vector<std::string>{Sjis("SUFファイルが見つかりません")});
  EXPECT_FALSE(std::filesystem::exists(Part(0)));
}

TEST_F(PartsTest, RegisteringTheSlotsOwnPartOntoItselfKeepsIt) {
  TempLibrary::WriteFile(Part(2), CubeSuf());
  Load(Part(2));
  workflow.SelectedSlot = 2;
  view.answers = {IDYES};
  workflow.RegisterPart();
  EXPECT_EQ(TempLibrary::ReadFile(Part(2)), CubeSuf());
  EXPECT_EQ(view.messages.back().text, Sjis("登録完了しました"));
}

TEST_F(PartsTest, PartFileThatCannotBeWrittenStopsBeforeTheCatalog) {
  Load(shape);
  const std::string catalogBefore = TempLibrary::ReadFile(CatalogFile());
  std::filesystem::permissions(library.Parts() / "cars", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  {
    HonourPermissions asUser;
    workflow.RegisterPart();
  }
  EXPECT_EQ(Texts(), std::vector<std::string>{library.Cga() + "\\common\\parts\\cars\\cars01.SUF" + Sjis(" に書き込めません。")});
  EXPECT_EQ(view.messages[0].flags, 0x30u);
  EXPECT_FALSE(std::filesystem::exists(Part(0)));
  EXPECT_EQ(TempLibrary::ReadFile(CatalogFile()), catalogBefore);
}

TEST_F(PartsTest, CatalogThatCannotBeWrittenIsReportedInsteadOfCompletion) {
  Load(shape);
  const std::string catalogBefore = TempLibrary::ReadFile(CatalogFile());
  std::filesystem::permissions(library.Catalogs(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  std::filesystem::permissions(CatalogFile(), std::filesystem::perms::owner_read);
  {
    HonourPermissions asUser;
    workflow.RegisterPart();
  }
  EXPECT_EQ(Texts(), std::vector<std::string>{library.Cga() + "\\common\\catalog\\cars.BMP" + Sjis(" に書き込めません。")});
  EXPECT_EQ(TempLibrary::ReadFile(CatalogFile()), catalogBefore);
  EXPECT_EQ(TempLibrary::ReadFile(Part(0)), CubeSuf());  // the part itself is in place
  // The panel shows the catalog as it is on disk: the cell was not drawn.
  EXPECT_EQ(view.ThumbnailPixel(32, 24), CellColour(0, 0));
}

TEST_F(PartsTest, WithNothingRenderedTheCellGetsTheBackground) {
  TempLibrary::WriteFile(shape, "not a shape at all\r\n");
  Load(shape);
  workflow.SelectedSlot = 3;
  workflow.RegisterPart();
  std::vector<std::uint32_t> cell = Cell(ReadPicture(CatalogFile()), 3);
  EXPECT_TRUE(std::all_of(cell.begin(), cell.end(), [](std::uint32_t c) { return c == kBack; }));
}

TEST_F(PartsTest, OneBitCatalogOfAnotherSizeIsWidenedAndTheCellLandsInside) {
  // 1-bit, 64 x 32, all white: the canvas cannot take 1 bit, so it is widened to 24 bits first.
  std::string bmp(62 + 8 * 32, '\0');
  auto put32 = [&bmp](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<char>(v >> (8 * i));
  };
  bmp[0] = 'B', bmp[1] = 'M';
  put32(2, static_cast<std::uint32_t>(bmp.size()));
  put32(10, 62), put32(14, 40), put32(18, 64), put32(22, 32);
  bmp[26] = 1, bmp[28] = 1;
  put32(58, 0x00FFFFFF);
  for (std::size_t i = 62; i < bmp.size(); ++i) bmp[i] = static_cast<char>(0xFF);
  TempLibrary::WriteFile(CatalogFile(), bmp);
  workflow.SelectedSlot = 15;
  Load(shape);
  workflow.RegisterPart();
  Picture catalog = ReadPicture(CatalogFile());
  ASSERT_EQ(catalog.width, 512);
  EXPECT_EQ(catalog.height, 384);
  EXPECT_EQ(catalog.bitCount, 8);
  EXPECT_EQ(catalog.At(256, 192), 0xFFFFFFu);  // the old picture, centred
  EXPECT_EQ(catalog.At(0, 0), 0u);             // black padding
  EXPECT_EQ(catalog.At(511, 383), kBack);      // the new cell, bottom right
}

TEST_F(PartsTest, DeleteAsksThenPaintsTheCellInTheBackground) {
  TempLibrary::WriteFile(Part(15), CubeSuf());
  workflow.SelectedSlot = 15;
  workflow.UpdatePartsName();
  ASSERT_TRUE(view.deleteEnabled);
  view.answers = {IDNO};
  workflow.DeletePart();
  EXPECT_TRUE(std::filesystem::exists(Part(15)));

  view.answers = {IDYES};
  workflow.DeletePart();
  EXPECT_EQ(Texts(), (std::vector<std::string>{Sjis("このパーツを削除しますか？"), Sjis("このパーツを削除しますか？"), Sjis("削除しました。")}));
  EXPECT_EQ(view.messages[1].flags, 0x24u);
  EXPECT_EQ(view.messages[2].flags, 0x40u);
  EXPECT_FALSE(std::filesystem::exists(Part(15)));
  EXPECT_FALSE(view.deleteEnabled);
  EXPECT_EQ(view.partsName, "");
  Picture catalog = ReadPicture(CatalogFile());
  EXPECT_EQ(catalog.bitCount, 8);
  for (int y = 288; y < 384; ++y) {
    for (int x = 384; x < 512; ++x) ASSERT_EQ(catalog.At(x, y), kBack) << x << "," << y;
  }
  EXPECT_EQ(catalog.At(383, 383), CellColour(383, 383));
  EXPECT_EQ(catalog.At(511, 287), CellColour(511, 287));
}

TEST_F(PartsTest, DeleteOfAnEmptySlotWarns) {
  workflow.DeletePart();
  EXPECT_EQ(Texts(), std::vector<std::string>{Sjis("指定した場所にはパーツは登録されていません。")});
  EXPECT_EQ(view.messages[0].flags, 0x30u);
}

TEST_F(PartsTest, PartThatCannotBeDeletedLeavesTheCatalogAlone) {
  TempLibrary::WriteFile(Part(0), CubeSuf());
  const std::string catalogBefore = TempLibrary::ReadFile(CatalogFile());
  std::filesystem::permissions(library.Parts() / "cars", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  view.answers = {IDYES};
  {
    HonourPermissions asUser;
    workflow.DeletePart();
  }
  EXPECT_EQ(view.messages.back().text, library.Cga() + "\\common\\parts\\cars\\cars01.SUF" + Sjis(" を削除できません。"));
  EXPECT_EQ(view.messages.back().flags, 0x30u);
  EXPECT_TRUE(std::filesystem::exists(Part(0)));
  EXPECT_EQ(TempLibrary::ReadFile(CatalogFile()), catalogBefore);
}

TEST_F(PartsTest, DragsTurnAndZoomTheViewThatTheNextShapeKeeps) {
  Load(shape);
  workflow.PressPreview(10, 10, PointerLeft);
  workflow.MovePreview(13, 14, PointerLeft);  // a step of (3, 4): 5 / sqrt(2525) radian about (-0.8, 0.6, 0)
  workflow.PressPreview(0, 0, PointerRight);
  workflow.MovePreview(10, 0, PointerRight);
  EXPECT_NEAR(workflow.Model.zoom, 1.1046f, 1e-4f);
  XLoaderSuf expected;
  RotateAxis(expected.view, Vec3{-0.8f, 0.6f, 0.0f}, static_cast<float>(5.0 / std::sqrt(2525.0)));
  Load(shape);
  for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(workflow.Model.view.m[i], expected.view.m[i]) << i;
  EXPECT_NEAR(workflow.Model.zoom, 1.1046f, 1e-4f);
}

}  // namespace
}  // namespace partwell::test
