// Profile (INI) files with the semantics of the Windows profile functions, over Windows-style paths.
// The file is parsed once when opened; every write goes to disk at once, changing only the one line
// it must (or appending the key to its section, or the section to the file, with the file's own
// line ends), through a temporary file renamed over the target. Every other byte stays as it was.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/FrameworkError.h"

namespace platform {

// One value of a write that changes several keys at once.
struct ProfileValue {
  std::string_view section;
  std::string_view key;
  std::string_view value;
};

class ProfileFile {
 public:
  // path is a Windows-style path; a missing file reads as empty and is created by the first write.
  explicit ProfileFile(std::string path);

  // A profile over bytes already in memory (nothing is read from disk); writes still go to path.
  static ProfileFile FromBytes(std::string path, std::string bytes);

  ProfileFile(const ProfileFile& other);
  ProfileFile(ProfileFile&& other) noexcept;
  ProfileFile& operator=(const ProfileFile& other);
  ProfileFile& operator=(ProfileFile&& other) noexcept;
  ~ProfileFile() = default;

  // Section and key match without regard to ASCII case; the first of duplicates wins. One pair of
  // matching quotes around the value is dropped; the value is cut to 2047 bytes.
  std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;

  // Decimal; "0x"/"0X" (more than two characters) or "$" hexadecimal; empty or malformed: def.
  int ReadInteger(std::string_view section, std::string_view key, int def) const;

  // Throw FrameworkError("<path> に書き込めません", Shift-JIS bytes) when the write cannot be made; the
  // exception display appends the period.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);

  // Writes every value, in order, in one replace of the file: the disk sees all of them or none.
  // Throws as WriteString does.
  void WriteStrings(const std::vector<ProfileValue>& values);

  // False when the file is there but could not be read; every write to it is then refused.
  bool Readable() const { return !unreadable_; }

  const std::string& Path() const { return path_; }

  // The file as it is on disk (after our own writes).
  const std::string& Bytes() const { return bytes_; }

  // The bytes WriteString(section, key, value) would put on disk; nothing is written.
  std::string BytesWith(std::string_view section, std::string_view key, std::string_view value) const;

 private:
  struct FromBytesTag {};
  ProfileFile(FromBytesTag, std::string path, std::string bytes);

  // Views point into bytes_, so every change of bytes_ (and every copy or move) parses again.
  struct Line {
    std::size_t begin, end;  // line content without its line end, as offsets into bytes_
  };
  struct Section {
    std::size_t lastLine;  // last non-blank line of the section (the header when it has none)
  };
  struct Entry {
    std::string_view value;   // trimmed, quotes still on
    std::size_t line;         // index into lines_
    std::size_t replaceFrom;  // a write keeps bytes_ up to here and puts the value after it
    bool needsEquals;         // the line is a bare key without '='
  };
  struct KeyRef {
    std::size_t section;
    std::string_view key;
  };
  // Hash and equality that fold the single-byte letters A-Z only, stepping over double-byte
  // characters (whose second byte may look like a letter).
  struct FoldHash {
    std::size_t operator()(std::string_view text) const noexcept;
    std::size_t operator()(const KeyRef& ref) const noexcept;
  };
  struct FoldEqual {
    bool operator()(std::string_view a, std::string_view b) const noexcept;
    bool operator()(const KeyRef& a, const KeyRef& b) const noexcept;
  };

  std::string path_;
  std::string bytes_;  // the whole file as it is on disk
  bool unreadable_ = false;  // the file is there but could not be read: never overwrite it blind
  std::string_view eol_;
  std::vector<Line> lines_;
  std::vector<Section> sectionList_;
  std::unordered_map<std::string_view, std::size_t, FoldHash, FoldEqual> sections_;  // first wins
  std::unordered_map<KeyRef, Entry, FoldHash, FoldEqual> keys_;                     // first wins
  void Parse();
  const Entry* Find(std::string_view section, std::string_view key) const;
};

}  // namespace platform
