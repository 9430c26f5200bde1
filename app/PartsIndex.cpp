// DOGA's parts index, CGAFolder\common\parts\parts.ini:
//   [PartsAssembler]      MenuItems=N, MenuK=Name,CatalogFile,PartsPrefix
//   [PartsAssembler.jpn]  MenuK=JpnName,CatalogFile,PartsPrefix
// Only the keys of the folder being written change; every other byte of the file stays.
#include <string_view>

#include "app/Workflow.h"
#include "platform/FileSystem.h"
#include "platform/Profile.h"
#include "platform/Sjis.h"

namespace {

constexpr const char* kSection = "PartsAssembler";
constexpr const char* kJpnSection = "PartsAssembler.jpn";

// A count up to this many folders is taken as it stands, even where Menu keys are missing. Beyond
// it (a damaged or hostile MenuItems) folders are read only while their keys exist, so that a
// count in the millions neither hangs the program nor fills memory with empty records.
constexpr int kTrustedMenuItems = 4096;

std::string MenuKey(int n) { return "Menu" + std::to_string(n); }

// A value read from a line can never hold a line break, so that default marks a missing key.
bool HasEntry(const platform::ProfileFile& index, int n) {
  return index.ReadString(kSection, MenuKey(n), "\n") != "\n" || index.ReadString(kJpnSection, MenuKey(n), "\n") != "\n";
}

std::string IndexValue(const platform::ProfileFile& index, const char* section, int n) {
  std::string value = index.ReadString(section, MenuKey(n), "");
  return std::string(platform::CutAtCharBoundary(value, kMaxIndexValue));
}

// Splits "Name,CatalogFile,PartsPrefix" stepping over whole characters. A field whose comma is
// missing stays empty and so does every field after the last comma but the prefix, which takes the
// rest of the value, further commas included.
PartsFolder SplitEntry(std::string_view value) {
  PartsFolder folder;
  std::size_t cursor = 0;
  std::size_t comma = platform::FindChar(value, ',', cursor);
  if (comma != std::string_view::npos) {
    folder.Name = std::string(value.substr(0, comma));
    cursor = comma + 1;
  } else {
    cursor = value.size();
  }
  comma = platform::FindChar(value, ',', cursor);
  if (comma != std::string_view::npos) {
    folder.CatalogFile = std::string(value.substr(cursor, comma - cursor));
    cursor = comma + 1;
  } else {
    cursor = value.size();
  }
  folder.PartsPrefix = std::string(value.substr(cursor));
  return folder;
}

std::string FirstField(std::string_view value) {
  std::size_t comma = platform::FindChar(value, ',');
  return comma == std::string_view::npos ? std::string() : std::string(value.substr(0, comma));
}

}  // namespace

std::string Workflow::PartsIndexPath() const { return CGAFolder + "\\common\\parts\\parts.ini"; }

void Workflow::ClearFolders() { Folders.clear(); }

void Workflow::ReadPartsIndex() {
  ClearFolders();
  view_.BeginFolderUpdate();
  view_.ClearFolderList();
  const std::string path = PartsIndexPath();
  indexExisted_ = platform::FileExists(path);
  if (!indexExisted_) {
    Warn(Text("\"\\common\\parts\\parts.ini\"が見つかりません。\n環境設定でDOGACGAのフォルダを設定して下さい。"));
  } else {
    platform::ProfileFile index(path);
    if (!index.Readable()) Warn(path + Text(" を読み込めません。"));
    MenuItems = index.ReadInteger(kSection, "MenuItems", 0);
    for (int i = 1; i <= MenuItems; ++i) {
      if (i > kTrustedMenuItems && !HasEntry(index, i)) break;
      PartsFolder folder = SplitEntry(IndexValue(index, kSection, i));
      folder.JpnName = FirstField(IndexValue(index, kJpnSection, i));
      Folders.push_back(folder);
      view_.AddFolderLine(folder.JpnName);
    }
    if (!Folders.empty()) view_.SelectFolderLine(0);
  }
  view_.EndFolderUpdate();
  ShowCatalog();
}

bool Workflow::WriteFolderEntry(int n, const PartsFolder& folder) {
  return WriteIndexEntry(n, folder, static_cast<int>(Folders.size()), false);
}

// One atomic replace carries the count and both entries, so that a kill or a full disk never leaves
// a count without its entry or an entry in one section only. A new entry never takes a Menu key
// that is already there (a count that undercounts its entries, or one that is not a number).
bool Workflow::WriteIndexEntry(int n, const PartsFolder& folder, int count, bool newEntry) {
  platform::ProfileFile index(PartsIndexPath());
  if (!CheckIndexEntry(index, n, newEntry)) return false;
  const std::string tail = "," + folder.CatalogFile + "," + folder.PartsPrefix;
  const std::string english = folder.Name + tail;
  const std::string japanese = folder.JpnName + tail;
  const std::string items = std::to_string(count);
  index.WriteStrings({{kSection, "MenuItems", items}, {kSection, MenuKey(n), english}, {kJpnSection, MenuKey(n), japanese}});
  indexExisted_ = true;
  return true;
}

bool Workflow::CanAddIndexEntry(int n) {
  platform::ProfileFile index(PartsIndexPath());
  return CheckIndexEntry(index, n, true);
}

bool Workflow::CheckIndexEntry(const platform::ProfileFile& index, int n, bool newEntry) {
  // An index we read before but cannot read now would be rewritten from nothing: every other
  // folder would be lost.
  if (!index.Readable() || (indexExisted_ && !platform::FileExists(index.Path()))) {
    Warn(index.Path() + Text(" を読み込めません。"));
    return false;
  }
  if (newEntry && HasEntry(index, n)) {
    Warn(Text("parts.ini の ") + MenuKey(n) + Text(" は既に使われています。"));
    return false;
  }
  return true;
}
