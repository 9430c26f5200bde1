// The library repair: what the check finds and can be mended without a guess. Missing thumbnails are
// drawn from the part files in the default view, cells without a part file are painted in the
// background colour, catalogs of another size or depth are brought to 512 x 384 at 8 bits (all of a
// folder in one catalog write), and temporary files left by unfinished writes are removed. Part files
// and index entries are never deleted.
#include <algorithm>
#include <map>
#include <memory>

#include "app/CatalogBitmap.h"
#include "app/LibraryText.h"
#include "app/Thumbnail.h"
#include "app/Workflow.h"
#include "platform/FileSystem.h"

namespace {

bool IsMendable(FindingKind kind) {
  return kind == FindingKind::BlankCell || kind == FindingKind::OrphanCell || kind == FindingKind::CatalogFormat ||
         kind == FindingKind::StaleTemp;
}

bool SameSlot(const LibraryFinding& a, const LibraryFinding& b) { return a.folder == b.folder && a.slot == b.slot; }

// The findings a repair of folder (index from 0, or -1 for all) would mend. A missing thumbnail of
// a part file that does not load cannot be drawn: that one is left to a person.
std::vector<LibraryFinding> MendableFindings(const std::vector<LibraryFinding>& findings, int folder) {
  std::vector<LibraryFinding> work;
  for (const LibraryFinding& finding : findings) {
    if (!IsMendable(finding.kind) || (folder >= 0 && finding.folder != folder + 1)) continue;
    bool unreadable = std::any_of(findings.begin(), findings.end(), [&](const LibraryFinding& other) {
      return other.kind == FindingKind::PartUnreadable && SameSlot(other, finding);
    });
    if (finding.kind == FindingKind::BlankCell && unreadable) continue;
    work.push_back(finding);
  }
  return work;
}

std::string MendedText(FindingKind kind) {
  switch (kind) {
    case FindingKind::BlankCell: return LibraryText("サムネイルを描きました。");
    case FindingKind::OrphanCell: return LibraryText("セルを背景色で塗りました。");
    case FindingKind::CatalogFormat: return LibraryText("カタログを 512 × 384、8 ビットにしました。");
    default: return LibraryText("一時ファイルを削除しました。");
  }
}

}  // namespace

Workflow::RepairResult Workflow::RepairLibrary(int folder) {
  RepairResult result;
  const std::vector<LibraryFinding> work = MendableFindings(CheckLibrary(), folder);
  if (work.empty()) return result;
  if (view_.MessageBox(LibraryText("%s 件を修復します。よろしいですか？", {std::to_string(work.size())}), "Partwell!",
                       MB_ICONQUESTION | MB_YESNO) != IDYES) {
    result.declined = true;
    return result;
  }

  std::map<int, std::vector<LibraryFinding>> catalogWork;  // by folder number, in index order
  for (const LibraryFinding& finding : work) {
    if (finding.kind != FindingKind::StaleTemp) catalogWork[finding.folder].push_back(finding);
  }
  for (const auto& [number, findings] : catalogWork) {
    const PartsFolder& record = Folders[static_cast<std::size_t>(number - 1)];
    const std::string path = CatalogPath(record);
    DibStream catalog;
    if (!catalog.LoadBmp(path, DibAcceptAll) || !NormaliseCatalog(catalog)) {
      Warn(path + Workflow::Text(" を読み込めません。"));
      result.failed = true;
      continue;
    }
    std::vector<LibraryFinding> done;
    XLoaderSuf shape;  // a fresh shape: the default view and zoom
    for (const LibraryFinding& finding : findings) {
      const int slot = finding.slot - 1;
      if (finding.kind == FindingKind::BlankCell) {
        if (!ReadShapeFile(shape, SlotFileName(record, slot), true).Loaded()) continue;
        DibStream cell;
        RenderThumbnailCell(shape, BackColor, cell);
        PasteCell(catalog, slot, cell);
      } else if (finding.kind == FindingKind::OrphanCell) {
        FillCell(catalog, slot, BackColor);
      }
      done.push_back(finding);
    }
    if (!SaveCatalog(catalog, path)) {
      Warn(path + Workflow::Text(" に書き込めません。"));
      result.failed = true;
      continue;
    }
    for (LibraryFinding& finding : done) result.mended.push_back(std::move(finding));
  }

  for (const LibraryFinding& finding : work) {
    if (finding.kind != FindingKind::StaleTemp) continue;
    if (platform::DeleteFile(finding.path)) {
      result.mended.push_back(finding);
    } else {
      Warn(finding.path + Workflow::Text(" を削除できません。"));
      result.failed = true;
    }
  }
  for (LibraryFinding& finding : result.mended) finding.text = MendedText(finding.kind);
  view_.MessageBox(LibraryText("%s 件を修復しました。", {std::to_string(result.mended.size())}), "Partwell!",
                   MB_ICONINFORMATION | MB_OK);
  ShowCatalog();
  return result;
}
