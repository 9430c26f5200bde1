// Catalogs and slots: display at half size, the selection frame, clicks, the part-name label.
#include "tests/app/WorkflowFixture.h"

namespace partwell::test {
namespace {

// Each cell of a 512 x 384 picture in its own colour: red 16 * slot, green 255 - 16 * slot, blue 99.
std::uint32_t CellColour(int x, int y) {
  int slot = (y / 96) * 4 + x / 128;
  return static_cast<std::uint32_t>(16 * slot) << 16 | static_cast<std::uint32_t>(255 - 16 * slot) << 8 | 99;
}
std::uint32_t Grey(int, int) { return 0x808080; }

class CatalogTest : public WorkflowTest {
 protected:
  void SetUp() override {
    WorkflowTest::SetUp();
    WriteThreeFolders();
  }
  void Touch(const char* relative) { TempLibrary::WriteFile(library.Parts() / relative, CubeSuf()); }
};

TEST_F(CatalogTest, ShowsTheCatalogAtHalfSizeWithTheSelectedCellFramed) {
  WritePicture24(library.Catalogs() / "cars.BMP", 512, 384, CellColour);
  workflow.SelectedSlot = 5;
  Open();
  for (int slot = 0; slot < 16; ++slot) {
    int x = 64 * (slot % 4) + 32, y = 48 * (slot / 4) + 24;
    EXPECT_EQ(view.ThumbnailPixel(x, y), CellColour(2 * x, 2 * y)) << slot;
  }
  // Slot 5 is column 1, row 1: display pixels 64-127 across and 48-95 down, a red one-pixel frame.
  for (int x = 64; x < 128; ++x) {
    EXPECT_EQ(view.ThumbnailPixel(x, 48), 0xFF0000u);
    EXPECT_EQ(view.ThumbnailPixel(x, 95), 0xFF0000u);
  }
  for (int y = 48; y < 96; ++y) {
    EXPECT_EQ(view.ThumbnailPixel(64, y), 0xFF0000u);
    EXPECT_EQ(view.ThumbnailPixel(127, y), 0xFF0000u);
  }
  EXPECT_NE(view.ThumbnailPixel(65, 49), 0xFF0000u);
  EXPECT_NE(view.ThumbnailPixel(128, 48), 0xFF0000u);
  EXPECT_NE(view.ThumbnailPixel(63, 47), 0xFF0000u);
}

TEST_F(CatalogTest, OtherSizesAreCutOrPaddedAboutTheCentre) {
  WritePicture24(library.Catalogs() / "cars.BMP", 256, 192, Grey);
  Open();
  EXPECT_EQ(view.ThumbnailPixel(128, 96), 0x808080u);
  EXPECT_EQ(view.ThumbnailPixel(70, 60), 0x808080u);
  EXPECT_EQ(view.ThumbnailPixel(40, 100), 0u);   // padding, left
  EXPECT_EQ(view.ThumbnailPixel(128, 170), 0u);  // padding, below
  // 640 x 480: the central 512 x 384 is kept, so the cell colours come out where they would.
  WritePicture24(library.Catalogs() / "cars.BMP", 640, 480,
                 [](int x, int y) { return x < 64 || y < 48 || x >= 576 || y >= 432 ? 0xFFFFFFu : CellColour(x - 64, y - 48); });
  workflow.ShowCatalog();
  EXPECT_EQ(view.ThumbnailPixel(1, 100), CellColour(0, 200));
  EXPECT_EQ(view.ThumbnailPixel(254, 190), CellColour(511, 383));
}

TEST_F(CatalogTest, MissingCatalogShowsBlackAndTheLabelStillFollowsPartFiles) {
  WritePicture24(library.Catalogs() / "cars.BMP", 512, 384, Grey);
  Touch("solid/solid01.SUF");
  Open();
  EXPECT_EQ(view.ThumbnailPixel(10, 10), 0x808080u);
  view.SelectFolderLine(1);  // solid has no catalog at all
  workflow.ShowCatalog();
  EXPECT_EQ(view.ThumbnailPixel(10, 10), 0u);
  EXPECT_EQ(view.partsName, "solid\\solid01.SUF");
  EXPECT_TRUE(view.deleteEnabled);
}

// The command line has no catalog panel: opening, registering and deleting read no catalog for
// it, yet write the file and keep the part-name label as a window would.
TEST_F(CatalogTest, AViewWithoutACatalogPanelIsNotMadeToPayForOne) {
  WritePicture24(library.Catalogs() / "cars.BMP", 512, 384, Grey);
  view.catalogPanel = false;
  Open();
  EXPECT_EQ(workflow.Catalog.bits, nullptr);
  EXPECT_EQ(view.thumbnailPaints, 0);
  TempLibrary::WriteFile(library.root / "cube.suf", CubeSuf());
  workflow.SetEditFile((library.root / "cube.suf").string());
  workflow.LoadShape();
  workflow.SelectedSlot = 2;
  workflow.RegisterPart();
  EXPECT_EQ(workflow.Catalog.bits, nullptr);
  EXPECT_EQ(view.thumbnailPaints, 0);
  EXPECT_EQ(view.partsName, "cars\\cars03.SUF");
  DibStream written;
  ASSERT_TRUE(written.LoadBmp((library.Catalogs() / "cars.BMP").string(), DibAcceptAll));
  EXPECT_EQ(written.header->biBitCount, 8);
  // The same view with a panel reads and shows it.
  view.catalogPanel = true;
  workflow.ShowCatalog();
  ASSERT_NE(workflow.Catalog.bits, nullptr);
  EXPECT_EQ(view.ThumbnailPixel(200, 150), 0x808080u);
}

TEST_F(CatalogTest, ClicksPickSlotsAndOnlyTheLeftButtonCounts) {
  std::filesystem::create_directories(library.Parts() / "cars");
  Touch("cars/cars06.SUF");
  Open();
  struct Click {
    int x, y;
    unsigned button;
    int slot;
  } clicks[] = {{255, 191, PointerLeft, 15}, {0, 0, PointerLeft, 0},  {64, 47, PointerLeft, 1},
                {100, 60, PointerLeft, 5},   {10, 10, PointerRight, 5}, {10, 10, PointerMiddle, 5}};
  for (const Click& c : clicks) {
    int paints = view.thumbnailPaints;
    workflow.SelectSlot(c.x, c.y, c.button);
    EXPECT_EQ(workflow.SelectedSlot, c.slot) << c.x << "," << c.y;
    EXPECT_EQ(view.thumbnailPaints, paints + (c.button == PointerLeft ? 1 : 0));
  }
  EXPECT_EQ(view.partsName, "cars\\cars06.SUF");
  EXPECT_TRUE(view.deleteEnabled);
  EXPECT_EQ(workflow.SlotFileName(workflow.Folders[0], 5), library.Cga() + "\\common\\parts\\cars\\cars06.SUF");

  // The slot belongs to the window: another folder keeps it and names its own part there.
  view.SelectFolderLine(2);
  workflow.ShowCatalog();
  EXPECT_EQ(workflow.SelectedSlot, 5);
  EXPECT_EQ(view.partsName, "");
  EXPECT_FALSE(view.deleteEnabled);
  view.SelectFolderLine(-1);
  workflow.UpdatePartsName();
  EXPECT_FALSE(view.deleteEnabled);
}

}  // namespace
}  // namespace partwell::test
