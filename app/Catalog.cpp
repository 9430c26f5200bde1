// Catalogs and slots. A catalog is a 512 x 384 bitmap of 4 x 4 cells of 128 x 96 pixels, cell s at
// column s % 4, row s / 4 counted from the top; it is shown at half size, 256 x 192.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "app/CatalogBitmap.h"
#include "app/Workflow.h"
#include "platform/FileSystem.h"

namespace {

constexpr int kShownCellWidth = 64;
constexpr int kShownCellHeight = 48;

// A one-pixel frame along the rectangle, right and bottom edges exclusive.
void FrameRect(HDC dc, int x0, int y0, int x1, int y1, std::uint32_t rgb) {
  platform::FillSolidRect(dc, x0, y0, x1, y0 + 1, rgb);
  platform::FillSolidRect(dc, x0, y1 - 1, x1, y1, rgb);
  platform::FillSolidRect(dc, x0, y0, x0 + 1, y1, rgb);
  platform::FillSolidRect(dc, x1 - 1, y0, x1, y1, rgb);
}

}  // namespace

std::string Workflow::SlotFileName(const PartsFolder& folder, int slot) const {
  return CGAFolder + "\\common\\parts\\" + SlotPartFile(folder.PartsPrefix, slot);
}

std::string Workflow::CatalogPath(const PartsFolder& folder) const {
  return CGAFolder + "\\common\\catalog\\" + folder.CatalogFile;
}

const PartsFolder* Workflow::SelectedFolder() const {
  int line = view_.SelectedFolderLine();
  if (line < 0 || line >= static_cast<int>(Folders.size())) return nullptr;
  return &Folders[static_cast<std::size_t>(line)];
}

void Workflow::ShowCatalog() {
  const PartsFolder* folder = SelectedFolder();
  if (folder != nullptr && view_.ShowsCatalog()) {
    // A catalog outside the library is not read, as if it were missing.
    if (!HasContainedCatalog(*folder)) {
      Catalog.FreeHeader();
      Catalog.FreeBits();
    } else if (Catalog.LoadBmp(CatalogPath(*folder), DibAcceptAll)) {
      if (!NormaliseCatalog(Catalog) || !Catalog.Scale(256, 192)) {
        Catalog.FreeHeader();
        Catalog.FreeBits();
      }
    }
    // Painted in either case: after a failed read the panel must not go on showing the picture of
    // the folder chosen before.
    PaintCatalog();
  }
  UpdatePartsName();
}

void Workflow::PaintCatalog() {
  HDC dc = view_.BeginPaintThumbnail();
  if (dc == nullptr) return;
  if (Catalog.bits != nullptr) {
    Catalog.Draw(dc, 0, 0);
  } else {
    platform::FillSurface(dc, 0x000000u);
  }
  int x = kShownCellWidth * (SelectedSlot % 4);
  int y = kShownCellHeight * (SelectedSlot / 4);
  FrameRect(dc, x, y, x + kShownCellWidth, y + kShownCellHeight, 0xFF0000u);
  view_.EndPaintThumbnail();
}

int Workflow::SlotAt(int x, int y) {
  // A point on the panel's border maps to the nearest cell, never past slot 15.
  x = std::clamp(x, 0, 4 * kShownCellWidth - 1);
  y = std::clamp(y, 0, 4 * kShownCellHeight - 1);
  return (y / kShownCellHeight) * 4 + x / kShownCellWidth;
}

void Workflow::SelectSlot(int x, int y, unsigned button) {
  if (button != PointerLeft) return;
  SelectedSlot = SlotAt(x, y);
  UpdatePartsName();
  PaintCatalog();
}

void Workflow::UpdatePartsName() {
  const PartsFolder* folder = SelectedFolder();
  if (folder != nullptr && HasContainedParts(*folder)) {
    const std::string name = SlotPartFile(folder->PartsPrefix, SelectedSlot);
    if (platform::FileExists(CGAFolder + "\\common\\parts\\" + name)) {
      view_.SetPartsNameCaption(name);
      view_.SetDeleteEnabled(true);
      return;
    }
  }
  view_.SetPartsNameCaption("");
  view_.SetDeleteEnabled(false);
}
