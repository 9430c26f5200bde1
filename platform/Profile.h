// Profile (INI) files with the semantics of the Windows profile functions, over Windows-style paths.
// The file is parsed once when opened; every write goes to disk at once, changing only the one line
// it must (or appending the key to its section, or the section to the file, with the file's own
// line ends), through a temporary file renamed over the target. Every other byte stays as it was.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

class ProfileFile {
 public:
  // path is a Windows-style path; a missing file reads as empty and is created by the first write.
  explicit ProfileFile(std::string path);

  // Section and key match without regard to ASCII case; the first of duplicates wins. One pair of
  // matching quotes around the value is dropped; the value is cut to 2047 bytes.
  std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;

  // Decimal; "0x"/"0X" (more than two characters) or "$" hexadecimal; empty or malformed: def.
  int ReadInteger(std::string_view section, std::string_view key, int def) const;

  // Throw FrameworkError("<path> に書き込めません", Shift-JIS bytes) when the write cannot be made; the
  // exception display appends the period.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::string bytes_;  // the whole file as it is on disk
  // implementation detail: parsed line index, owned by Profile.cpp
  struct Line {
    std::size_t begin, end;  // line content without its line end, as offsets into bytes_
  };
  std::vector<Line> lines_;
  void Parse();
};

}  // namespace platform
