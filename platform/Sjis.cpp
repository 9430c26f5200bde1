#include "platform/Sjis.h"

#ifndef _WIN32
#include <iconv.h>
#endif

#include <cerrno>

namespace platform {

bool IsDBCSLeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

const char* CharNext(const char* p) {
  if (*p == '\0') return p;
  if (IsDBCSLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0') return p + 2;
  return p + 1;
}

std::size_t NextCharOffset(std::string_view text, std::size_t i) {
  if (i >= text.size()) return text.size();
  if (IsDBCSLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) return i + 2;
  return i + 1;
}

std::size_t FindChar(std::string_view text, char c, std::size_t from) {
  for (std::size_t i = from; i < text.size(); i = NextCharOffset(text, i)) {
    if (text[i] == c) return i;
  }
  return std::string_view::npos;
}

std::size_t FindLastCharOf(std::string_view text, std::string_view chars) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < text.size(); i = NextCharOffset(text, i)) {
    if (chars.find(text[i]) != std::string_view::npos) found = i;
  }
  return found;
}

std::string_view CutAtCharBoundary(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  std::size_t end = 0;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t next = NextCharOffset(text, i);
    if (next > maxBytes) break;
    end = i = next;
  }
  return text.substr(0, end);
}

#ifndef _WIN32  // Windows converts with its own code-page tables: SjisWin.cpp

namespace {

// One conversion descriptor per direction and thread: iconv_open loads the gconv module, which is far
// too slow to do per call. The shift state is reset before every conversion.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (valid()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts in until the end or the first byte iconv refuses. Returns errno of the stop (0 at the
  // end); consumed tells how many input bytes were taken, the output is appended to out.
  int Run(std::string_view in, std::string& out, std::size_t& consumed) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    int stop = 0;
    char buffer[1024];
    for (;;) {
      char* dst = buffer;
      std::size_t dstLeft = sizeof buffer;
      std::size_t r = iconv(cd_, srcLeft ? &src : nullptr, &srcLeft, &dst, &dstLeft);
      int err = r == static_cast<std::size_t>(-1) ? errno : 0;
      out.append(buffer, static_cast<std::size_t>(dst - buffer));
      if (err == E2BIG) continue;
      if (err != 0) {
        stop = err;
        break;
      }
      if (srcLeft == 0) {
        // Flush any pending shift sequence (none for CP932, but the loop costs nothing).
        dst = buffer;
        dstLeft = sizeof buffer;
        iconv(cd_, nullptr, nullptr, &dst, &dstLeft);
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        break;
      }
    }
    consumed = in.size() - srcLeft;
    return stop;
  }

 private:
  iconv_t cd_;
};

Converter& FromSjis() {
  thread_local Converter c("UTF-8", "CP932");
  return c;
}

Converter& ToSjis() {
  thread_local Converter c("CP932", "UTF-8");
  return c;
}

bool IsTrailByte(unsigned char byte) { return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC); }

}  // namespace

std::string SjisToUtf8(std::string_view sjis) {
  std::string out;
  out.reserve(sjis.size() + sjis.size() / 2);
  Converter& c = FromSjis();
  if (!c.valid()) return out;
  while (!sjis.empty()) {
    std::size_t consumed = 0;
    int stop = c.Run(sjis, out, consumed);
    sjis.remove_prefix(consumed);
    if (stop == 0 || sjis.empty()) break;
    // A well-formed but unassigned pair is one character, so it gives one U+FFFD; a lead byte with a
    // byte that cannot follow it gives U+FFFD for the lead alone and the next byte is read afresh.
    std::size_t skip = 1;
    if (sjis.size() >= 2 && IsDBCSLeadByte(static_cast<unsigned char>(sjis[0])) &&
        IsTrailByte(static_cast<unsigned char>(sjis[1])))
      skip = 2;
    out += "\xEF\xBF\xBD";
    sjis.remove_prefix(skip);
  }
  return out;
}

std::optional<std::string> Utf8ToSjis(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  Converter& c = ToSjis();
  if (!c.valid()) return std::nullopt;
  std::size_t consumed = 0;
  if (c.Run(utf8, out, consumed) != 0 || consumed != utf8.size()) return std::nullopt;
  // iconv's CP932 table has many-to-one entries (U+00A5 YEN SIGN becomes 0x5C, the backslash; the
  // NEC and IBM duplicates fold together). Only a conversion that decodes back to the same text is
  // an encoding; anything else would change the text behind the user's back.
  if (SjisToUtf8(out) != utf8) return std::nullopt;
  return out;
}

#endif  // _WIN32

}  // namespace platform
