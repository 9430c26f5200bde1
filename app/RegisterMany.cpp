// Registering several shape files at once into a folder's free slots, in slot order. Every shape is
// read and drawn before anything is written, so that a file that does not load, or a folder with too
// few free slots, leaves the library as it was; then the part files are copied together (none is in
// place before all are written and synced) and the catalog is reduced and written once.
#include <memory>

#include "app/CatalogBitmap.h"
#include "app/LibraryScan.h"
#include "app/LibraryText.h"
#include "app/Thumbnail.h"
#include "app/Workflow.h"
#include "platform/FileSystem.h"

std::vector<int> Workflow::RegisterNextFree(const std::vector<std::string>& files) {
  std::vector<int> used;
  const PartsFolder* folder = SelectedFolder();
  if (folder == nullptr || files.empty()) return used;
  if (const std::string* bad = UnusableEntryField(*folder)) {
    Warn(LibraryText("%s は使えないパスです。", {*bad}));
    return used;
  }
  std::vector<int> freeSlots;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    if (!platform::FileExists(SlotFileName(*folder, slot))) freeSlots.push_back(slot);
  }
  if (freeSlots.size() < files.size()) {
    Warn(LibraryText("このフォルダに入るのはあと %s 個です（ファイルは %s 個）。何も登録していません。",
                     {std::to_string(freeSlots.size()), std::to_string(files.size())}));
    return used;
  }

  std::vector<std::unique_ptr<DibStream>> cells;
  XLoaderSuf shape;
  shape.view = Model.view;
  shape.zoom = Model.zoom;
  for (const std::string& file : files) {
    ShapeFileResult read = ReadShapeFile(shape, file, true);
    if (!read.opened) {
      Warn(file + "\n" + Text("SUFファイルが見つかりません"));
      return used;
    }
    if (!read.error.empty()) {
      Warn(file + "\n" + read.error);
      return used;
    }
    if (read.warning != SufWarnNone) WarnAboutShape(file + "\n" + ShapeWarningText(read.warning));
    cells.push_back(std::make_unique<DibStream>());
    RenderThumbnailCell(shape, BackColor, *cells.back());
  }

  const std::string catalogPath = CatalogPath(*folder);
  DibStream catalog;
  const bool haveCatalog = catalog.LoadBmp(catalogPath, DibAcceptAll) && NormaliseCatalog(catalog);
  std::vector<std::pair<std::string, std::string>> copies;
  for (std::size_t i = 0; i < files.size(); ++i) copies.emplace_back(files[i], SlotFileName(*folder, freeSlots[i]));
  std::size_t failed = 0;
  const std::size_t copied = platform::CopyFiles(copies, &failed);
  for (std::size_t i = 0; i < copied; ++i) {
    used.push_back(freeSlots[i]);
    if (haveCatalog) PasteCell(catalog, freeSlots[i], *cells[i]);
  }
  if (copied < files.size()) {
    // The parts copied before the failure keep their cells; the rest is not registered.
    Warn(copies[failed].second + Text(" に書き込めません。"));
  }
  if (haveCatalog && !used.empty() && !SaveCatalog(catalog, catalogPath)) {
    Warn(catalogPath + Text(" に書き込めません。"));
  } else if (copied == files.size()) {
    view_.MessageBox(Text("登録完了しました"), "Partwell!", MB_ICONINFORMATION | MB_OK);
  }
  ShowCatalog();
  return used;
}
