// Shift-JIS conversion through the Win32 code-page tables, naming code page 932 explicitly so the
// result does not depend on the system's ANSI code page. Undecodable bytes give U+FFFD exactly where
// the iconv conversion of other hosts gives it, so both builds print the same text.
#ifdef _WIN32

#include "platform/Sjis.h"
#include "platform/WinApi.h"

#include <climits>

namespace platform {
namespace {

constexpr UINT kShiftJis = 932;
constexpr char kReplacement[] = "\xEF\xBF\xBD";

bool IsTrailByte(unsigned char byte) { return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC); }

// Single bytes that Windows' table maps to private or control characters but that are not
// characters of Shift-JIS text (and that iconv refuses).
bool IsUnassignedSingleByte(unsigned char byte) { return byte == 0x80 || byte == 0xA0 || byte >= 0xFD; }

std::wstring Widen(UINT codePage, std::string_view bytes, bool& ok) {
  ok = true;
  if (bytes.empty()) return {};
  if (bytes.size() > INT_MAX) {
    ok = false;
    return {};
  }
  const int size = static_cast<int>(bytes.size());
  int wide = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
  if (wide <= 0) {
    ok = false;
    return {};
  }
  std::wstring out(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, out.data(), wide);
  return out;
}

std::string WideToUtf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data(), bytes, nullptr, nullptr);
  return out;
}

bool HasUnassignedSingleByte(std::string_view sjis) {
  for (std::size_t i = 0; i < sjis.size();) {
    std::size_t next = NextCharOffset(sjis, i);
    if (next == i + 1 && IsUnassignedSingleByte(static_cast<unsigned char>(sjis[i]))) return true;
    i = next;
  }
  return false;
}

}  // namespace

std::string SjisToUtf8(std::string_view sjis) {
  bool ok = false;
  if (!HasUnassignedSingleByte(sjis)) {
    std::wstring wide = Widen(kShiftJis, sjis, ok);
    if (ok) return WideToUtf8(wide);
  }
  // Character by character: a well-formed but unassigned pair is one U+FFFD; a lead byte with a byte
  // that cannot follow it gives U+FFFD for the lead alone and the next byte is read afresh.
  std::string out;
  for (std::size_t i = 0; i < sjis.size();) {
    const auto lead = static_cast<unsigned char>(sjis[i]);
    std::size_t length = 1;
    if (IsDBCSLeadByte(lead) && i + 1 < sjis.size() && IsTrailByte(static_cast<unsigned char>(sjis[i + 1])))
      length = 2;
    std::wstring wide;
    if (length == 2 || !IsUnassignedSingleByte(lead)) wide = Widen(kShiftJis, sjis.substr(i, length), ok);
    else ok = false;
    out += ok ? WideToUtf8(wide) : std::string(kReplacement);
    i += length;
  }
  return out;
}

std::optional<std::string> Utf8ToSjis(std::string_view utf8) {
  bool ok = false;
  std::wstring wide = Widen(CP_UTF8, utf8, ok);
  if (!ok) return std::nullopt;
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  BOOL usedDefault = FALSE;
  int bytes = WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, nullptr,
                                  &usedDefault);
  if (bytes <= 0 || usedDefault) return std::nullopt;
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, wide.data(), size, out.data(), bytes, nullptr,
                      &usedDefault);
  // Only a conversion that decodes back to the same text is an encoding (the table folds the NEC and
  // IBM duplicates together); anything else would change the text behind the user's back.
  if (usedDefault || SjisToUtf8(out) != utf8) return std::nullopt;
  return out;
}

}  // namespace platform

#endif
