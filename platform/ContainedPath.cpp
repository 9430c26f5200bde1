// Which relative paths stay inside their folder: the same rule on every host, over the Shift-JIS bytes.
#include "platform/FileSystem.h"
#include "platform/Sjis.h"

#include <optional>
#include <string>

namespace platform {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

bool IsContainedPath(std::string_view relative) {
  if (relative.empty()) return false;
  for (char c : relative) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  }
  // Undecodable bytes become U+FFFD on the host and characters with two CP932 codes one name, so
  // two different entries could name one file; only bytes that convert back unchanged are taken.
  std::optional<std::string> back = Utf8ToSjis(SjisToUtf8(relative));
  if (!back || *back != relative) return false;
  if (IsSeparator(relative[0]) || FindChar(relative, ':') != std::string_view::npos) return false;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= relative.size();) {
    const bool end = i == relative.size();
    std::size_t next = end ? i + 1 : NextCharOffset(relative, i);
    if (end || (next == i + 1 && IsSeparator(relative[i]))) {
      std::string_view part = relative.substr(start, i - start);
      // Windows drops trailing dots and blanks, so "..." and ". ." climb like "..".
      if (part.find_first_not_of(". ") == std::string_view::npos) return false;
      start = i + 1;
    }
    i = next;
  }
  return true;
}

}  // namespace platform
