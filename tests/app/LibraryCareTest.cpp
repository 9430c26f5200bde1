// Library care: the check on a library damaged in every way it knows, the repair and what it leaves
// to a person, retaking thumbnails, registering into free slots, and the catalog panel's keys,
// tooltip and drops.
#include <map>
#include <set>
#include <tuple>

#include "app/CatalogBitmap.h"
#include "tests/app/WorkflowFixture.h"

namespace partwell::test {
namespace {

constexpr std::uint32_t kBack = 7555739;

// A pyramid without an attribute line: it loads without a warning.
std::string PyramidSuf() {
  return "obj suf pyramid {\r\n"
         "  prim poly ( 0 0 0\r\n 1 0 0\r\n 0.5 1 0.5 )\r\n"
         "  prim poly ( 1 0 0\r\n 1 0 1\r\n 0.5 1 0.5 )\r\n"
         "  prim poly ( 1 0 1\r\n 0 0 1\r\n 0.5 1 0.5 )\r\n"
         "  prim poly ( 0 0 1\r\n 0 0 0\r\n 0.5 1 0.5 )\r\n}\r\n";
}

// Every file below root with its bytes.
std::map<std::string, std::string> Snapshot(const std::filesystem::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    files[entry.path().string()] = entry.is_regular_file() ? TempLibrary::ReadFile(entry.path()) : "<dir>";
  }
  return files;
}

using Key = std::tuple<FindingKind, int, int>;  // kind, folder, slot
std::multiset<Key> Keys(const std::vector<LibraryFinding>& findings) {
  std::multiset<Key> keys;
  for (const LibraryFinding& f : findings) keys.insert({f.kind, f.folder, f.slot});
  return keys;
}

class LibraryCareTest : public WorkflowTest {
 protected:
  std::filesystem::path Part(const char* folder, int slot) const {
    char name[64];
    std::snprintf(name, sizeof name, "%s%02d.SUF", folder, slot + 1);
    return library.Parts() / folder / name;
  }
  // A blank catalog whose cells listed get a black diagonal: a picture.
  void WriteCatalog(const char* file, std::initializer_list<int> drawn) {
    DibStream catalog;
    ASSERT_TRUE(CreateBlankCatalog(catalog, kBack));
    for (int slot : drawn) {
      for (int i = 0; i < 96; ++i) dib::TopRow(catalog.header, catalog.bits, 96 * (slot / 4) + i)[128 * (slot % 4) + i] = 0;
    }
    ASSERT_TRUE(catalog.SaveBmp((library.Catalogs() / file).string()));
  }
  std::vector<std::uint32_t> Cell(const Picture& p, int slot) const {
    std::vector<std::uint32_t> cell;
    for (int y = 96 * (slot / 4); y < 96 * (slot / 4) + 96; ++y) {
      for (int x = 128 * (slot % 4); x < 128 * (slot % 4) + 128; ++x) cell.push_back(p.At(x, y));
    }
    return cell;
  }
  static bool OneColour(const std::vector<std::uint32_t>& cell) {
    return std::all_of(cell.begin(), cell.end(), [&](std::uint32_t c) { return c == cell.front(); });
  }
  int Questions() const {
    return static_cast<int>(std::count_if(view.messages.begin(), view.messages.end(), [](const Message& m) { return m.flags == 0x24u; }));
  }
};

TEST_F(LibraryCareTest, CheckNamesEveryDamageAndRepairMendsWhatNeedsNoPerson) {
  library.WriteIndex(Sjis("[PartsAssembler]\r\nMenuItems=5\r\n"
                          "Menu1=Cars,cars.BMP,cars\\cars\r\nMenu2=Solids,solid.BMP,solid\\solid\r\n"
                          "Menu3=Signs,signs.BMP,signs\\signs\r\nMenu4=Evil,C:\\x.BMP,..\\..\\evil\r\n"
                          "Menu5=Five,five.BMP,five\\five\r\n[PartsAssembler.jpn]\r\n"
                          "Menu1=自動車,cars.BMP,cars\\cars\r\nMenu2=ソリッド,solid.BMP,solid\\solid\r\n"
                          "Menu3=表示,signs.BMP,signs\\signs\r\nMenu4=,C:\\x.BMP,..\\..\\evil\r\n"
                          "Menu5=五,five.BMP,five\\five\r\n"));
  for (const char* folder : {"cars", "solid", "five", "leftover"}) std::filesystem::create_directory(library.Parts() / folder);
  WriteCatalog("cars.BMP", {1, 3});
  TempLibrary::WriteFile(Part("cars", 0), PyramidSuf());                                            // no thumbnail
  TempLibrary::WriteFile(Part("cars", 2), "obj suf bad {\r\nprim poly ( 0 zz 0\r\n1 0 0\r\n0 1 0 )\r\n}\r\n");  // no thumbnail, does not load
  TempLibrary::WriteFile(Part("cars", 3), CubeSuf("no_such_attribute"));                            // a warning
  TempLibrary::WriteFile(library.Parts() / "cars" / "readme.txt", "notes");
  TempLibrary::WriteFile(library.Parts() / "cars" / ".cars05.SUF.partwell-AbC123", "half");
  TempLibrary::WriteFile(library.Catalogs() / ".cars.BMP.partwell-x1Y2z3", "half");
  WritePicture24(library.Catalogs() / "solid.BMP", 512, 384, [](int, int) { return kBack; });
  TempLibrary::WriteFile(library.Catalogs() / "five.BMP", "not a bitmap");
  TempLibrary::WriteFile(library.Catalogs() / "old.BMP", "");
  Open();
  view.messages.clear();

  const std::vector<LibraryFinding> first = workflow.CheckLibrary();
  const std::multiset<Key> person = {
      {FindingKind::EmptyField, 4, 0},      {FindingKind::UnusablePath, 4, 0},     {FindingKind::UnusablePath, 4, 0},
      {FindingKind::CatalogMissing, 3, 0},  {FindingKind::FolderMissing, 3, 0},    {FindingKind::CatalogUnreadable, 5, 0},
      {FindingKind::BlankCell, 1, 3},       {FindingKind::PartUnreadable, 1, 3},   {FindingKind::PartWarning, 1, 4},
      {FindingKind::StrayFile, 1, 0},       {FindingKind::UnindexedFolder, 0, 0},  {FindingKind::UnindexedCatalog, 0, 0}};
  const std::multiset<Key> mendable = {{FindingKind::BlankCell, 1, 1}, {FindingKind::OrphanCell, 1, 2},
                                       {FindingKind::CatalogFormat, 2, 0}, {FindingKind::StaleTemp, 1, 0},
                                       {FindingKind::StaleTemp, 1, 0}};
  std::multiset<Key> all = person;
  all.insert(mendable.begin(), mendable.end());
  EXPECT_EQ(Keys(first), all);
  auto found = [&first](FindingKind kind) {
    auto it = std::find_if(first.begin(), first.end(), [kind](const LibraryFinding& f) { return f.kind == kind; });
    return it == first.end() ? LibraryFinding{kind, 0, 0, "", ""} : *it;
  };
  EXPECT_EQ(found(FindingKind::UnusablePath).text, "C:\\x.BMP" + Sjis(" は使えないパスです。"));
  EXPECT_EQ(found(FindingKind::OrphanCell).path, library.Cga() + "\\common\\parts\\cars\\cars02.SUF");
  EXPECT_EQ(found(FindingKind::StrayFile).path, library.Cga() + "\\common\\parts\\cars\\readme.txt");
  EXPECT_EQ(found(FindingKind::CatalogFormat).text, Sjis("カタログが 512 × 384、8 ビットではありません（512 × 384、24 ビット）。"));
  EXPECT_TRUE(view.messages.empty());  // the check shows nothing and writes nothing

  // Declined: not a byte changes.
  const auto before = Snapshot(library.root);
  view.answers = {IDNO};
  Workflow::RepairResult declined = workflow.RepairLibrary(-1);
  EXPECT_TRUE(declined.declined);
  EXPECT_EQ(view.messages.at(0).text, Sjis("5 件を修復します。よろしいですか？"));
  EXPECT_EQ(Snapshot(library.root), before);

  view.messages.clear();
  view.answers = {IDYES};
  Workflow::RepairResult repaired = workflow.RepairLibrary(-1);
  EXPECT_FALSE(repaired.failed);
  EXPECT_EQ(Keys(repaired.mended), mendable);
  EXPECT_EQ(Questions(), 1);
  EXPECT_EQ(view.messages.back().text, Sjis("5 件を修復しました。"));
  EXPECT_EQ(Keys(workflow.CheckLibrary()), person);

  // Nothing of the user's was deleted or rewritten but the catalogs and the temporary files.
  auto after = Snapshot(library.root);
  for (const auto& [path, bytes] : before) {
    if (path.find(".partwell-") != std::string::npos) {
      EXPECT_EQ(after.count(path), 0u) << path;
    } else if (path.find(".BMP") == std::string::npos || path.find("five.BMP") != std::string::npos) {
      EXPECT_EQ(after.at(path), bytes) << path;
    }
  }
  Picture cars = ReadPicture(library.Catalogs() / "cars.BMP");
  EXPECT_EQ(cars.bitCount, 8);
  EXPECT_FALSE(OneColour(Cell(cars, 0)));  // the pyramid, drawn
  EXPECT_TRUE(OneColour(Cell(cars, 1)));   // the diagonal, painted over
  EXPECT_FALSE(OneColour(Cell(cars, 3)));  // untouched picture of the part with a warning
  Picture solid = ReadPicture(library.Catalogs() / "solid.BMP");
  EXPECT_EQ(std::make_tuple(solid.width, solid.storedHeight, solid.bitCount), std::make_tuple(512, 384, 8));

  // With nothing left to mend the repair asks nothing; without an index the check says so first.
  view.messages.clear();
  EXPECT_TRUE(workflow.RepairLibrary(-1).mended.empty());
  EXPECT_TRUE(view.messages.empty());
  std::filesystem::remove(library.Parts() / "parts.ini");
  std::vector<LibraryFinding> noIndex = workflow.CheckLibrary();
  ASSERT_FALSE(noIndex.empty());
  EXPECT_EQ(noIndex.front().kind, FindingKind::IndexMissing);
}

std::uint32_t CellColour(int x, int y) {
  int slot = (y / 96) * 4 + x / 128;
  return static_cast<std::uint32_t>(16 * slot) << 16 | static_cast<std::uint32_t>(255 - 16 * slot) << 8 | 99;
}

class BatchTest : public LibraryCareTest {
 protected:
  void SetUp() override {
    LibraryCareTest::SetUp();
    WriteThreeFolders();
    WritePicture24(library.Catalogs() / "cars.BMP", 512, 384, CellColour);
    shape = library.root / "cube.suf";
    TempLibrary::WriteFile(shape, CubeSuf());
    Open();
  }
  void Turn() {
    workflow.PressPreview(0, 0, PointerLeft);
    workflow.MovePreview(25, -40, PointerLeft);
    workflow.PressPreview(0, 0, PointerRight);
    workflow.MovePreview(-12, 0, PointerRight);
  }
  std::filesystem::path CatalogFile() const { return library.Catalogs() / "cars.BMP"; }
  std::filesystem::path shape;
};

TEST_F(BatchTest, RetakeOfASlotGivesTheBytesOfRegisteringThatPartWithTheSameView) {
  const std::string original = TempLibrary::ReadFile(CatalogFile());
  Turn();
  workflow.SetEditFile(shape.string());
  workflow.LoadShape();
  workflow.SelectedSlot = 6;
  workflow.RegisterPart();
  const std::string registered = TempLibrary::ReadFile(CatalogFile());

  TempLibrary::WriteFile(CatalogFile(), original);
  workflow.Model.Clear();  // what is retaken is the part file, not the loaded shape
  view.messages.clear();
  EXPECT_TRUE(workflow.RetakeThumbnails(6));
  EXPECT_EQ(TempLibrary::ReadFile(CatalogFile()), registered);
  EXPECT_EQ(view.messages.back().text, Sjis("サムネイルを描き直しました。"));

  // Every filled slot at once; a part that does not load keeps its cell and is named.
  TempLibrary::WriteFile(Part("cars", 9), PyramidSuf());
  TempLibrary::WriteFile(Part("cars", 12), "obj suf bad {\r\nprim poly ( 0 zz 0\r\n1 0 0\r\n0 1 0 )\r\n}\r\n");
  TempLibrary::WriteFile(CatalogFile(), original);
  view.messages.clear();
  EXPECT_TRUE(workflow.RetakeThumbnails(-1));
  EXPECT_EQ(view.messages.front().text.rfind(library.Cga() + "\\common\\parts\\cars\\cars13.SUF: ", 0), 0u);
  Picture catalog = ReadPicture(CatalogFile());
  for (int slot : {6, 9}) EXPECT_FALSE(OneColour(Cell(catalog, slot))) << slot;
  EXPECT_EQ(Cell(catalog, 12), std::vector<std::uint32_t>(128 * 96, CellColour(0, 288)));
  EXPECT_EQ(Cell(catalog, 0), std::vector<std::uint32_t>(128 * 96, CellColour(0, 0)));

  view.messages.clear();
  EXPECT_FALSE(workflow.RetakeThumbnails(3));
  EXPECT_EQ(view.messages.at(0).text, Sjis("指定した場所にはパーツは登録されていません。"));
}

TEST_F(BatchTest, NextFreeFillsFreeSlotsInOrderOrLeavesEveryByteWhenTheyAreTooFew) {
  for (int slot = 0; slot < 16; ++slot) {
    if (slot != 4 && slot != 11) TempLibrary::WriteFile(Part("cars", slot), PyramidSuf());
  }
  const std::filesystem::path second = library.root / "pyramid.suf";
  TempLibrary::WriteFile(second, PyramidSuf());
  const std::vector<std::string> three = {shape.string(), second.string(), shape.string()};

  const auto before = Snapshot(library.root);
  EXPECT_TRUE(workflow.RegisterNextFree(three).empty());
  EXPECT_EQ(view.messages.at(0).text, Sjis("このフォルダに入るのはあと 2 個です（ファイルは 3 個）。何も登録していません。"));
  EXPECT_EQ(view.messages.at(0).flags, 0x30u);
  EXPECT_EQ(Snapshot(library.root), before);

  // A file that does not load stops everything before a byte is written.
  const std::filesystem::path bad = library.root / "bad.suf";
  TempLibrary::WriteFile(bad, "obj suf bad {\r\nprim poly ( 0 zz 0\r\n1 0 0\r\n0 1 0 )\r\n}\r\n");
  EXPECT_TRUE(workflow.RegisterNextFree({second.string(), bad.string()}).empty());
  std::filesystem::remove(bad);
  EXPECT_EQ(Snapshot(library.root), before);

  view.messages.clear();
  EXPECT_EQ(workflow.RegisterNextFree({second.string(), shape.string()}), (std::vector<int>{4, 11}));
  EXPECT_EQ(TempLibrary::ReadFile(Part("cars", 4)), PyramidSuf());
  EXPECT_EQ(TempLibrary::ReadFile(Part("cars", 11)), CubeSuf());
  EXPECT_EQ(view.messages.back().text, Sjis("登録完了しました"));
  Picture catalog = ReadPicture(CatalogFile());
  EXPECT_EQ(catalog.bitCount, 8);
  for (int slot : {4, 11}) EXPECT_EQ(Cell(catalog, slot).front(), kBack) << slot;
  for (int slot : {4, 11}) EXPECT_FALSE(OneColour(Cell(catalog, slot))) << slot;
  EXPECT_EQ(catalog.At(10, 10), CellColour(10, 10));
}

TEST_F(BatchTest, CatalogPanelKeysTooltipAndDropsChooseTheSlotTheWorkflowDecides) {
  TempLibrary::WriteFile(Part("cars", 13), CubeSuf());
  workflow.MoveSlot(-1, -1);
  EXPECT_EQ(workflow.SelectedSlot, 0);  // the edges hold
  workflow.MoveSlot(1, 0);
  EXPECT_EQ(workflow.SelectedSlot, 1);
  workflow.MoveSlot(0, 5);
  EXPECT_EQ(workflow.SelectedSlot, 13);
  EXPECT_EQ(view.partsName, "cars\\cars14.SUF");
  EXPECT_TRUE(view.deleteEnabled);
  workflow.MoveSlot(5, 0);
  EXPECT_EQ(workflow.SelectedSlot, 15);
  EXPECT_EQ(view.ThumbnailPixel(192, 144), 0xFF0000u);  // the frame moved to the cell at half size

  EXPECT_EQ(workflow.SlotToolTip(64 + 10, 144 + 10), "cars\\cars14.SUF");
  EXPECT_EQ(workflow.SlotToolTip(10, 10), "");

  workflow.DropFilesOnSlot(130, 50, {shape.string()});
  EXPECT_EQ(workflow.SelectedSlot, 6);
  EXPECT_EQ(view.editFile, shape.string());
  EXPECT_EQ(view.polyCount, "6");
  EXPECT_FALSE(std::filesystem::exists(Part("cars", 6)));  // registering still takes the button
}

}  // namespace
}  // namespace partwell::test
