#include "app/LibraryScan.h"

#include <algorithm>
#include <cstdio>

#include "app/PartsFolder.h"
#include "app/Workflow.h"
#include "platform/FileSystem.h"
#include "platform/Sjis.h"
#include "platform/TemporaryName.h"

namespace {

std::size_t LastSeparator(std::string_view prefix) { return platform::FindLastCharOf(prefix, "\\/"); }

}  // namespace

bool IsTemporaryFileName(std::string_view name) { return !TemporaryFileTarget(name).empty(); }

std::string TemporaryFileTarget(std::string_view name) {
  if (!platform::IsOwnTemporaryName(name)) return "";
  const std::size_t tail = platform::kTemporaryMark.size() + platform::kTemporaryUniqueChars;
  return std::string(name.substr(1, name.size() - tail - 1));
}

std::string FoldCase(std::string_view sjis) {
  std::string folded(sjis);
  for (std::size_t i = 0; i < folded.size(); i = platform::NextCharOffset(folded, i)) {
    if (folded[i] >= 'A' && folded[i] <= 'Z') folded[i] = static_cast<char>(folded[i] - 'A' + 'a');
  }
  return folded;
}

bool DirectoryListing::Read(const std::string& path) {
  entries_.clear();
  byFoldedName_.clear();
  auto listed = platform::ListFolder(path);
  if (!listed) return false;
  for (platform::FolderEntry& entry : *listed) entries_.push_back({std::move(entry.name), entry.isFolder});
  // Reports come out in the same order on every run and every file system.
  std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
  for (std::size_t i = 0; i < entries_.size(); ++i) byFoldedName_.emplace(FoldCase(entries_[i].name), i);
  return true;
}

const DirectoryListing::Entry* DirectoryListing::Find(std::string_view name) const {
  auto found = byFoldedName_.find(FoldCase(name));
  return found == byFoldedName_.end() ? nullptr : &entries_[found->second];
}

std::string PrefixDirectory(std::string_view prefix) {
  std::size_t last = LastSeparator(prefix);
  return last == std::string_view::npos ? std::string() : std::string(prefix.substr(0, last));
}

std::string PrefixStem(std::string_view prefix) {
  std::size_t last = LastSeparator(prefix);
  return std::string(last == std::string_view::npos ? prefix : prefix.substr(last + 1));
}

const std::string* UnusableEntryField(const PartsFolder& folder) {
  if (!Workflow::HasContainedCatalog(folder)) return &folder.CatalogFile;
  if (!Workflow::HasContainedParts(folder)) return &folder.PartsPrefix;
  return nullptr;
}
