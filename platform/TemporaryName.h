// The temporary files of the atomic writes, on both systems: ".NAME.partwell-XXXXXX" beside the
// target they are renamed over, XXXXXX being six ASCII letters or digits. The names are ASCII-safe
// in both Shift-JIS and UTF-8 (the mark and the unique part are plain ASCII), so one test serves
// names listed by either host.
#pragma once

#include <cstddef>
#include <string_view>

namespace platform {

inline constexpr std::string_view kTemporaryMark = ".partwell-";
inline constexpr std::size_t kTemporaryUniqueChars = 6;
// A write takes well under a second; a temporary file older than this belongs to no write still
// going on (a killed run left it) and is removed by the next write into its folder.
inline constexpr int kStaleTemporarySeconds = 10 * 60;

// True for a name of that form (a name only, no folder).
inline bool IsOwnTemporaryName(std::string_view name) {
  const std::size_t tail = kTemporaryMark.size() + kTemporaryUniqueChars;
  if (name.size() < 1 + tail || name[0] != '.') return false;
  if (name.substr(name.size() - tail, kTemporaryMark.size()) != kTemporaryMark) return false;
  for (char c : name.substr(name.size() - kTemporaryUniqueChars)) {
    const bool alphanumeric = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (!alphanumeric) return false;
  }
  return true;
}

}  // namespace platform
