// What the library care operations read from disk besides the index: the entries of a directory,
// looked up as Windows looks names up, and the rules that tell a slot's part file, a temporary file of
// an unfinished atomic write and an index path that may be used.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The name of a temporary file that an atomic write leaves only when it was killed before its
// rename: "." + target name + ".partwell-" + six characters.
bool IsTemporaryFileName(std::string_view name);

// The target a temporary file was written for ("cars.BMP" for ".cars.BMP.partwell-a1B2c3"), or "".
std::string TemporaryFileTarget(std::string_view name);

// ASCII letters folded to lower case, stepping whole Shift-JIS characters: the key under which
// Windows finds a name.
std::string FoldCase(std::string_view sjis);

// The entries of one directory, read once. Names are Shift-JIS; a name with no Shift-JIS form is
// kept as its UTF-8 bytes (it cannot be any slot's part file).
class DirectoryListing {
 public:
  struct Entry {
    std::string name;
    bool directory = false;
  };

  // Reads the directory at a Windows-style path; false (and no entries) when it is not a directory.
  bool Read(const std::string& path);

  const std::vector<Entry>& Entries() const { return entries_; }
  // The entry whose name equals name up to ASCII letter case, or null.
  const Entry* Find(std::string_view name) const;

 private:
  std::vector<Entry> entries_;
  std::unordered_map<std::string, std::size_t> byFoldedName_;
};

// The directory part of a part prefix ("cars" of "cars\cars", "" for a prefix without one) and the
// stem the slot numbers follow ("cars").
std::string PrefixDirectory(std::string_view prefix);
std::string PrefixStem(std::string_view prefix);


struct PartsFolder;

// The first of an entry's catalog file and part prefix that the workflow refuses to touch (a path
// that would leave common\catalog\ or common\parts\), or null when both may be used.
const std::string* UnusableEntryField(const PartsFolder& folder);
