#ifdef _WIN32

#include "platform/WinText.h"

#include <climits>

#include "platform/WinApi.h"

namespace platform {

std::optional<std::wstring> WidePath(std::string_view path) {
  if (path.empty() || path.size() > INT_MAX) return std::nullopt;
  const int size = static_cast<int>(path.size());
  int wide = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, path.data(), size, nullptr, 0);
  if (wide <= 0) return std::nullopt;
  std::wstring out(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, path.data(), size, out.data(), wide);
  return out;
}

std::optional<std::string> SjisFromWide(std::wstring_view wide) {
  if (wide.empty()) return std::string();
  if (wide.size() > INT_MAX) return std::nullopt;
  const int size = static_cast<int>(wide.size());
  BOOL lost = FALSE;
  int bytes = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, nullptr, &lost);
  if (bytes <= 0 || lost) return std::nullopt;
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), size, out.data(), bytes, nullptr, nullptr);
  return out;
}

}  // namespace platform

#endif
