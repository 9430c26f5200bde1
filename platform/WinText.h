// Shift-JIS texts to and from the UTF-16 of the wide-character calls, with code page 932 named
// explicitly, so a Japanese name works whatever the system's ANSI code page is. Windows only.
#pragma once

#ifdef _WIN32
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The UTF-16 form of a Shift-JIS path; nullopt when it is empty or its bytes are not Shift-JIS.
std::optional<std::wstring> WidePath(std::string_view path);

// The Shift-JIS form of a UTF-16 text; nullopt when a character has none (no best-fit stand-in is
// taken: it would name another file).
std::optional<std::string> SjisFromWide(std::wstring_view wide);

}  // namespace platform
#endif
