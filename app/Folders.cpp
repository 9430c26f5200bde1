// Creating part folders and renaming them, with the OK check of the folder dialog.
#include <algorithm>
#include <array>
#include <string_view>

#include "app/CatalogBitmap.h"
#include "app/Workflow.h"
#include "platform/FileSystem.h"
#include "platform/Sjis.h"

namespace {

// Windows folds only single-byte ASCII letters; a trail byte in 'A'-'Z' is part of its character.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (std::size_t i = 0; i < a.size();) {
    std::size_t next = platform::NextCharOffset(a, i);
    if (next - i == 1 ? lower(a[i]) != lower(b[i]) : a.compare(i, next - i, b, i, next - i) != 0) return false;
    i = next;
  }
  return true;
}

bool HasComma(std::string_view text) { return platform::FindChar(text, ',') != std::string_view::npos; }

// The part of a name before its first dot, upper-cased: "com1.txt" -> "COM1".
std::string DeviceStem(std::string_view name) {
  std::string stem(name.substr(0, platform::FindChar(name, '.')));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  for (char& c : stem) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return stem;
}

bool IsDeviceName(std::string_view name) {
  std::string stem = DeviceStem(name);
  if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
  return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
         stem[3] >= '1' && stem[3] <= '9';
}

// A folder name becomes a directory and, with ".BMP", a file name: Windows must accept both.
bool IsUsableFolderName(std::string_view name) {
  if (name == "." || name == ".." || name.back() == '.' || name.back() == ' ') return false;
  for (std::size_t i = 0; i < name.size(); i = platform::NextCharOffset(name, i)) {
    unsigned char c = static_cast<unsigned char>(name[i]);
    if (platform::IsDBCSLeadByte(c)) continue;
    if (c < 0x20 || c == 0x7F || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos) {
      return false;
    }
  }
  return !IsDeviceName(name);
}

}  // namespace

void Workflow::CreateFolder() {
  FolderDialogState dialog;
  dialog.caption = Text("新規フォルダの作成");
  for (const PartsFolder& folder : Folders) {
    dialog.existingPrefixes.push_back(folder.PartsPrefix);
    dialog.existingCatalogs.push_back(folder.CatalogFile);
  }
  if (!view_.RunFolderDialog(dialog)) return;

  PartsFolder record;
  record.Name = dialog.name;
  record.JpnName = dialog.jpnName;
  record.CatalogFile = dialog.folder + ".BMP";
  record.PartsPrefix = dialog.folder + "\\" + dialog.folder;
  if (!CheckEntryPaths(record)) return;
  // Directory, catalog, then the index entry: a run stopped anywhere leaves no entry without its
  // files, and what it did make is taken up again by the next try.
  const int number = static_cast<int>(Folders.size()) + 1;
  if (!CanAddIndexEntry(number) || !MakeFolderOnDisk(record, CGAFolder + "\\common\\parts\\" + dialog.folder) ||
      !WriteIndexEntry(number, record, number, true)) {
    return;
  }
  Folders.push_back(record);
  view_.AddFolderLine(record.JpnName);
  view_.SelectFolderLine(number - 1);
  ShowCatalog();
}

bool Workflow::MakeFolderOnDisk(const PartsFolder& record, const std::string& directory) {
  const char* cannotMake = " を作成できません。";
  if (!platform::CreateDirectory(directory) && !platform::DirectoryExists(directory)) {
    Warn(directory + Text(cannotMake));
    return false;
  }
  // A catalog file of that name that no folder of the index owns holds pictures nobody else shows:
  // the new folder takes them over instead of blanking them.
  const std::string catalogPath = CatalogPath(record);
  if (!platform::FileExists(catalogPath)) {
    DibStream blank;
    if (!CreateBlankCatalog(blank, BackColor) || !blank.SaveBmp(catalogPath)) {
      Warn(catalogPath + Text(cannotMake));
      return false;
    }
  }
  return true;
}

void Workflow::RenameFolder() {
  int line = view_.SelectedFolderLine();
  if (line < 0 || line >= static_cast<int>(Folders.size())) return;
  PartsFolder& record = Folders[static_cast<std::size_t>(line)];
  FolderDialogState dialog;
  dialog.caption = Text("フォルダ名の変更");
  dialog.folderReadOnly = true;
  dialog.folder = record.PartsPrefix;
  dialog.name = record.Name;
  dialog.jpnName = record.JpnName;
  dialog.catalogFile = record.CatalogFile;
  if (!view_.RunFolderDialog(dialog)) return;

  PartsFolder renamed = record;
  renamed.Name = dialog.name;
  renamed.JpnName = dialog.jpnName;
  if (!WriteFolderEntry(line + 1, renamed)) return;
  record = renamed;
  view_.ReplaceFolderLine(line, record.JpnName);
}

bool Workflow::CheckFolderDialog(const FolderDialogState& dialog) {
  const bool creating = !dialog.folderReadOnly;
  if (dialog.folder.empty() || dialog.name.empty() || dialog.jpnName.empty()) {
    Warn(Text("すべての項目を入力して下さい。"), "Partwell");
    return false;
  }
  // A comma splits the index's fields on the next read: the folder's catalog and prefix would be lost.
  if (HasComma(dialog.name) || HasComma(dialog.jpnName) || (creating && HasComma(dialog.folder))) {
    Warn(Text("名前にカンマ（,）は使えません。"), "Partwell");
    return false;
  }
  if (creating && !IsUsableFolderName(dialog.folder)) {
    Warn(Text("このフォルダ名は使えません。"), "Partwell");
    return false;
  }
  const std::string catalog = creating ? dialog.folder + ".BMP" : dialog.catalogFile;
  const std::string prefix = creating ? dialog.folder + "\\" + dialog.folder : dialog.folder;
  const std::size_t tail = 2 + catalog.size() + prefix.size();
  if (dialog.name.size() + tail > kMaxIndexValue || dialog.jpnName.size() + tail > kMaxIndexValue) {
    Warn(Text("名前が長すぎます。"), "Partwell");
    return false;
  }
  if (creating) {
    // "Ships" and "ships" are one directory and one catalog on Windows (and through our lookup).
    bool taken = std::any_of(dialog.existingPrefixes.begin(), dialog.existingPrefixes.end(),
                             [&](const std::string& p) { return EqualsIgnoringAsciiCase(p, prefix); }) ||
                 std::any_of(dialog.existingCatalogs.begin(), dialog.existingCatalogs.end(),
                             [&](const std::string& c) { return EqualsIgnoringAsciiCase(c, catalog); });
    if (taken) {
      Warn(Text("このフォルダは既に存在しています。\nフォルダ名を変更して下さい。"), "Partwell");
      return false;
    }
  }
  return true;
}
