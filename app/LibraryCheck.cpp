// The library check: every index entry against the disk, every catalog cell against its part file,
// every part file read (not drawn), and what lies in common\parts and common\catalog that no entry
// names. Nothing is written.
#include <bitset>
#include <map>
#include <set>

#include "app/CatalogCells.h"
#include "app/LibraryScan.h"
#include "app/LibraryText.h"
#include "app/Thumbnail.h"
#include "app/Workflow.h"
#include "platform/FileSystem.h"

namespace {

// One directory that holds part files, shared by every entry whose prefix names it.
struct PartsDirectory {
  std::string path;                  // Windows-style, no trailing backslash
  int folder = 0;                    // the first entry that names it, from 1
  bool exists = false;
  DirectoryListing listing;
  std::set<std::string> slotNames;   // folded names of every slot's part file of those entries
};

class LibraryChecker {
 public:
  explicit LibraryChecker(const Workflow& workflow)
      : w_(workflow), partsRoot_(workflow.CGAFolder + "\\common\\parts"),
        catalogRoot_(workflow.CGAFolder + "\\common\\catalog") {}

  std::vector<LibraryFinding> Run() {
    if (!platform::FileExists(w_.PartsIndexPath())) {
      Add(FindingKind::IndexMissing, 0, 0, w_.PartsIndexPath(), LibraryText("パーツの一覧 parts.ini がありません。"));
    }
    for (std::size_t i = 0; i < w_.Folders.size(); ++i) CheckEntry(static_cast<int>(i) + 1, w_.Folders[i]);
    for (auto& [key, directory] : directories_) CheckDirectoryFiles(directory);
    CheckPartsRoot();
    CheckCatalogRoot();
    return std::move(findings_);
  }

 private:
  void Add(FindingKind kind, int folder, int slot, std::string path, std::string text) {
    findings_.push_back({kind, folder, slot, std::move(path), std::move(text)});
  }

  void CheckEntry(int n, const PartsFolder& folder) {
    const std::pair<const char*, const std::string*> fields[] = {
        {"Name", &folder.Name}, {"JpnName", &folder.JpnName}, {"CatalogFile", &folder.CatalogFile}, {"PartsPrefix", &folder.PartsPrefix}};
    for (const auto& [name, value] : fields) {
      if (value->empty()) Add(FindingKind::EmptyField, n, 0, "", LibraryText("項目 %s が空です。", {name}));
    }
    const bool catalogUsable = Workflow::HasContainedCatalog(folder);
    const bool prefixUsable = Workflow::HasContainedParts(folder);
    for (const auto& [value, usable] : {std::pair{&folder.CatalogFile, catalogUsable}, std::pair{&folder.PartsPrefix, prefixUsable}}) {
      if (!value->empty() && !usable) {
        Add(FindingKind::UnusablePath, n, 0, *value, LibraryText("%s は使えないパスです。", {*value}));
      }
    }
    if (catalogUsable) namedCatalogs_.insert(FoldCase(folder.CatalogFile));
    if (!prefixUsable) return;
    namedFolders_.insert(FoldCase(TopComponent(folder.PartsPrefix)));

    std::bitset<kSlotCount> pictures;
    const bool cellsKnown = catalogUsable && ReadCatalog(n, folder, pictures);
    PartsDirectory& directory = Directory(n, folder.PartsPrefix);
    if (!directory.exists) {
      Add(FindingKind::FolderMissing, n, 0, directory.path, LibraryText("パーツのフォルダがありません。"));
    }
    const std::string stem = PrefixStem(folder.PartsPrefix);
    for (int slot = 0; slot < kSlotCount; ++slot) {
      const std::string name = SlotPartFile(stem, slot);
      directory.slotNames.insert(FoldCase(name));
      const DirectoryListing::Entry* part = directory.listing.Find(name);
      const bool hasPart = part != nullptr && !part->directory;
      const std::string path = w_.SlotFileName(folder, slot);
      if (cellsKnown && hasPart && !pictures[slot]) {
        Add(FindingKind::BlankCell, n, slot + 1, path, LibraryText("パーツファイルはありますが、サムネイルが描かれていません。"));
      } else if (cellsKnown && !hasPart && pictures[slot]) {
        Add(FindingKind::OrphanCell, n, slot + 1, path, LibraryText("サムネイルはありますが、パーツファイルがありません。"));
      }
      if (hasPart) CheckPart(n, slot, directory.path + "\\" + part->name, path);
    }
  }

  // False when the cells cannot be judged (no catalog, or one that cannot be read).
  bool ReadCatalog(int n, const PartsFolder& folder, std::bitset<kSlotCount>& pictures) {
    const std::string path = w_.CatalogPath(folder);
    DibStream catalog;
    if (!catalog.LoadBmp(path, DibAcceptAll)) {
      if (platform::FileExists(path)) {
        Add(FindingKind::CatalogUnreadable, n, 0, path, LibraryText("カタログを読み込めません。"));
      } else {
        Add(FindingKind::CatalogMissing, n, 0, path, LibraryText("カタログがありません。"));
      }
      return false;
    }
    if (!IsCatalogFormat(catalog)) {
      const BITMAPINFOHEADER* h = catalog.header;
      Add(FindingKind::CatalogFormat, n, 0, path,
          LibraryText("カタログが 512 × 384、8 ビットではありません（%s × %s、%s ビット）。",
                      {std::to_string(h->biWidth), std::to_string(dib::AbsHeight(h->biHeight)), std::to_string(h->biBitCount)}));
    }
    return FindPictureCells(catalog, pictures);
  }

  void CheckPart(int n, int slot, const std::string& file, const std::string& path) {
    ShapeFileResult read = ReadShapeFile(shape_, file, false);
    if (!read.opened) {
      Add(FindingKind::PartUnreadable, n, slot + 1, path, LibraryText("パーツファイルを開けません。"));
    } else if (!read.error.empty()) {
      Add(FindingKind::PartUnreadable, n, slot + 1, path, LibraryText("パーツファイルを読み込めません: %s", {read.error}));
    } else if (read.warning == SufWarnObjects) {
      Add(FindingKind::PartWarning, n, slot + 1, path, LibraryText("複数のオブジェクトが含まれています。"));
    } else if (read.warning == SufWarnAttribute) {
      Add(FindingKind::PartWarning, n, slot + 1, path, LibraryText("DOGA-L1/2でサポートされないアトリビュートが使われている可能性があります。"));
    }
  }

  PartsDirectory& Directory(int n, const std::string& prefix) {
    const std::string relative = PrefixDirectory(prefix);
    PartsDirectory& directory = directories_[FoldCase(relative)];
    if (directory.folder == 0) {
      directory.folder = n;
      directory.path = relative.empty() ? partsRoot_ : partsRoot_ + "\\" + relative;
      directory.exists = directory.listing.Read(directory.path);
    }
    return directory;
  }

  void CheckDirectoryFiles(const PartsDirectory& directory) {
    for (const DirectoryListing::Entry& entry : directory.listing.Entries()) {
      if (entry.directory || directory.slotNames.count(FoldCase(entry.name)) > 0) continue;
      const std::string path = directory.path + "\\" + entry.name;
      if (IsTemporaryFileName(entry.name)) {
        Add(FindingKind::StaleTemp, directory.folder, 0, path, LibraryText("書き込みの途中で残った一時ファイルです。"));
      } else if (!(directory.path == partsRoot_ && FoldCase(entry.name) == "parts.ini")) {
        Add(FindingKind::StrayFile, directory.folder, 0, path, LibraryText("どのスロットの名前にも合わないファイルです。"));
      }
    }
  }

  void CheckPartsRoot() {
    DirectoryListing listing;
    listing.Read(partsRoot_);
    for (const DirectoryListing::Entry& entry : listing.Entries()) {
      const std::string path = partsRoot_ + "\\" + entry.name;
      if (entry.directory && namedFolders_.count(FoldCase(entry.name)) == 0) {
        Add(FindingKind::UnindexedFolder, 0, 0, path, LibraryText("どのフォルダの項目からも使われていないフォルダです。"));
      } else if (!entry.directory && IsTemporaryFileName(entry.name) && directories_.count("") == 0) {
        Add(FindingKind::StaleTemp, 0, 0, path, LibraryText("書き込みの途中で残った一時ファイルです。"));
      }
    }
  }

  void CheckCatalogRoot() {
    DirectoryListing listing;
    listing.Read(catalogRoot_);
    for (const DirectoryListing::Entry& entry : listing.Entries()) {
      if (entry.directory) continue;
      const std::string path = catalogRoot_ + "\\" + entry.name;
      const std::string folded = FoldCase(entry.name);
      if (IsTemporaryFileName(entry.name)) {
        Add(FindingKind::StaleTemp, CatalogOwner(TemporaryFileTarget(entry.name)), 0, path,
            LibraryText("書き込みの途中で残った一時ファイルです。"));
      } else if (folded.size() > 4 && folded.compare(folded.size() - 4, 4, ".bmp") == 0 && namedCatalogs_.count(folded) == 0) {
        Add(FindingKind::UnindexedCatalog, 0, 0, path, LibraryText("どのフォルダの項目からも使われていないカタログです。"));
      }
    }
  }

  // The entry whose catalog file a temporary file was written for, from 1; 0 when none.
  int CatalogOwner(const std::string& target) const {
    for (std::size_t i = 0; i < w_.Folders.size(); ++i) {
      if (FoldCase(w_.Folders[i].CatalogFile) == FoldCase(target)) return static_cast<int>(i) + 1;
    }
    return 0;
  }

  static std::string TopComponent(const std::string& prefix) {
    std::string directory = PrefixDirectory(prefix);
    while (!PrefixDirectory(directory).empty()) directory = PrefixDirectory(directory);
    return directory;
  }

  const Workflow& w_;
  const std::string partsRoot_;
  const std::string catalogRoot_;
  std::vector<LibraryFinding> findings_;
  XLoaderSuf shape_;
  std::map<std::string, PartsDirectory> directories_;  // by folded directory below common\parts
  std::set<std::string> namedCatalogs_;                // folded catalog file names
  std::set<std::string> namedFolders_;                 // folded first components of the prefixes
};

}  // namespace

std::vector<LibraryFinding> Workflow::CheckLibrary() const { return LibraryChecker(*this).Run(); }
