#include "controls/PrintFormat.h"

#include <cstdio>

namespace printformat {

namespace {

bool OneOf(char c, std::string_view set) { return set.find(c) != std::string_view::npos; }
bool Digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool IsValid(std::string_view f) {
  if (f.empty()) return true;
  int conversions = 0;
  const size_t n = f.size();
  for (size_t i = 0; i < n; ++i) {
    if (f[i] != '%') continue;
    if (++i < n && f[i] == '%') continue;
    while (i < n && OneOf(f[i], "-+ #0")) ++i;
    // A wider field only pads text that is cut to 31 bytes anyway, and the formatter fails
    // outright on fields past INT_MAX.
    int digits = 0;
    while (i < n && Digit(f[i]) && digits <= 3) ++i, ++digits;
    if (digits > 3) return false;
    if (i < n && f[i] == '.') {
      ++i;
      digits = 0;
      while (i < n && Digit(f[i]) && digits <= 3) ++i, ++digits;
      if (digits > 3) return false;
    }
    if (i < n && f[i] == 'l') ++i;
    if (i >= n || !OneOf(f[i], "fFeEgGaA")) return false;
    ++conversions;
  }
  return conversions == 1;
}

std::string Format(std::string_view format, double value) {
  if (format.empty() || !IsValid(format)) return {};
  // The formatter stops at a NUL, which the check above read past: what it sees is a prefix of
  // the checked text, so it holds at most the one conversion.
  const std::string fmt(format);
  char buffer[MaxLength + 1] = {};
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wformat-nonliteral"
#elif defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#endif
  const int written = std::snprintf(buffer, sizeof buffer, fmt.c_str(), value);
#if defined(__clang__)
#pragma clang diagnostic pop
#elif defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
  if (written < 0) return {};
  return std::string(buffer);
}

}  // namespace printformat
