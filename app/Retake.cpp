// Drawing a folder's thumbnails again from the part files in the library, with the preview's view and
// zoom: every cell in one catalog read, one reduction and one write.
#include "app/CatalogBitmap.h"
#include "app/LibraryScan.h"
#include "app/LibraryText.h"
#include "app/Thumbnail.h"
#include "app/Workflow.h"
#include "platform/FileSystem.h"

bool Workflow::RetakeThumbnails(int slot) {
  const PartsFolder* folder = SelectedFolder();
  if (folder == nullptr) return false;
  if (const std::string* bad = UnusableEntryField(*folder)) {
    Warn(LibraryText("%s は使えないパスです。", {*bad}));
    return false;
  }
  std::vector<int> slots;
  for (int s = slot < 0 ? 0 : slot; s < (slot < 0 ? 16 : slot + 1); ++s) {
    if (platform::FileExists(SlotFileName(*folder, s))) slots.push_back(s);
  }
  if (slots.empty()) {
    Warn(Text(slot < 0 ? "このフォルダにはパーツが登録されていません。" : "指定した場所にはパーツは登録されていません。"));
    return false;
  }
  const std::string path = CatalogPath(*folder);
  DibStream catalog;
  if (!catalog.LoadBmp(path, DibAcceptAll) || !NormaliseCatalog(catalog)) {
    Warn(path + Text(" を読み込めません。"));
    return false;
  }

  XLoaderSuf shape;
  shape.view = Model.view;
  shape.zoom = Model.zoom;
  int drawn = 0;
  for (int s : slots) {
    const std::string part = SlotFileName(*folder, s);
    ShapeFileResult read = ReadShapeFile(shape, part, true);
    if (!read.Loaded()) {
      // That cell keeps its picture; the others are still drawn.
      Warn(read.error.empty() ? part + Text(" を読み込めません。") : part + ": " + read.error);
      continue;
    }
    DibStream cell;
    RenderThumbnailCell(shape, BackColor, cell);
    PasteCell(catalog, s, cell);
    ++drawn;
  }
  bool written = drawn > 0 && SaveCatalog(catalog, path);
  if (drawn > 0 && !written) Warn(path + Text(" に書き込めません。"));
  if (written) view_.MessageBox(Text("サムネイルを描き直しました。"), "Partwell!", MB_ICONINFORMATION | MB_OK);
  ShowCatalog();
  return written;
}
