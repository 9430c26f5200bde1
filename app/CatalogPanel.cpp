// The catalog panel beyond clicks: the arrow keys, the tooltip of a cell and shape files dropped onto
// a cell. The window only passes the events on; which slot they mean is decided here.
#include <algorithm>
#include <cstdio>

#include "app/Workflow.h"
#include "platform/FileSystem.h"

// The selection stops at the catalog's edges; it does not wrap to the next row.
void Workflow::MoveSlot(int dx, int dy) {
  const int column = std::clamp(SelectedSlot % 4 + dx, 0, 3);
  const int row = std::clamp(SelectedSlot / 4 + dy, 0, 3);
  if (row * 4 + column == SelectedSlot) return;
  SelectedSlot = row * 4 + column;
  UpdatePartsName();
  PaintCatalog();
}

std::string Workflow::SlotToolTip(int x, int y) const {
  const PartsFolder* folder = SelectedFolder();
  if (folder == nullptr) return "";
  const int slot = SlotAt(x, y);
  if (!platform::FileExists(SlotFileName(*folder, slot))) return "";
  return SlotPartFile(folder->PartsPrefix, slot);
}

// The cell becomes the selected slot and the first file is loaded as any dropped file is; it is
// registered only by the register button, after its preview has been seen.
void Workflow::DropFilesOnSlot(int x, int y, const std::vector<std::string>& names) {
  if (names.empty() || names.front().empty()) return;
  SelectedSlot = SlotAt(x, y);
  UpdatePartsName();
  PaintCatalog();
  DropFiles(names);
}
