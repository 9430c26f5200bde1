#include "image/StringSeparator.h"

#include <charconv>
#include <cstdlib>
#include <cstring>

#include <locale.h>
#include <stdlib.h>

#include "platform/Sjis.h"

namespace {

// The ten characters that stand alone in shape and attribute files.
constexpr const char kDefaultSpecials[] = "():;=[]{},";

bool IsLeadByte(unsigned char byte) { return byte >= 0x80 && platform::IsDBCSLeadByte(byte); }

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Byte by byte, only a-z folded: the bytes of double-byte characters compare as they are.
bool EqualsIgnoringAsciiCase(const char* a, const char* b) {
  for (;; ++a, ++b) {
    if (UpperAscii(*a) != UpperAscii(*b)) return false;
    if (*a == '\0') return true;
  }
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Slow path for magnitudes outside double, where from_chars reports only "out of range": strtod
// under the C locale gives the same +-HUGE_VAL or denormal/zero as it would for any C program.
double ConvertOutOfRange(const char* begin, const char* end) {
  std::string copy(begin, end);
#if defined(_WIN32)
  static _locale_t cLocale = _create_locale(LC_NUMERIC, "C");
  return _strtod_l(copy.c_str(), nullptr, cLocale);
#else
  static locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
  return strtod_l(copy.c_str(), nullptr, cLocale);
#endif
}

}  // namespace

double DecimalPrefix(const char* text, std::size_t* length) {
  const char* p = text;
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = *p == '-';
    ++p;
  }
  const char* mantissa = p;
  bool anyDigit = false;
  while (IsDigit(*p)) {
    ++p;
    anyDigit = true;
  }
  if (*p == '.') {
    ++p;
    while (IsDigit(*p)) {
      ++p;
      anyDigit = true;
    }
  }
  if (!anyDigit) {
    if (length != nullptr) *length = 0;
    return 0.0;
  }
  // An exponent counts only when at least one digit follows the 'e' and its sign.
  if (*p == 'e' || *p == 'E') {
    const char* q = p + 1;
    if (*q == '+' || *q == '-') ++q;
    if (IsDigit(*q)) {
      while (IsDigit(*q)) ++q;
      p = q;
    }
  }
  if (length != nullptr) *length = static_cast<std::size_t>(p - text);
  double value = 0.0;
  auto [end, error] = std::from_chars(mantissa, p, value, std::chars_format::general);
  if (error == std::errc::result_out_of_range || end != p) value = ConvertOutOfRange(mantissa, p);
  return negative ? -value : value;
}

StringSeparator::StringSeparator() {
  std::memset(specials_, 0, sizeof specials_);
  for (const char* c = kDefaultSpecials; *c != '\0'; ++c) specials_[static_cast<unsigned char>(*c)] = 1;
}

StringSeparator::~StringSeparator() = default;

void StringSeparator::SetSpecials(const char* table) { std::memcpy(specials_, table, sizeof specials_); }

bool StringSeparator::SetToken(int n, const char* text) {
  if (n < 0) return false;
  if (static_cast<std::size_t>(n) >= slots_.size()) slots_.resize(static_cast<std::size_t>(n) + 1);
  slots_[static_cast<std::size_t>(n)].assign(text);
  return true;
}

void StringSeparator::StorePending(int& n) {
  if (static_cast<std::size_t>(n) >= slots_.size()) slots_.resize(static_cast<std::size_t>(n) + 1);
  slots_[static_cast<std::size_t>(n)].assign(pending_);
  ++n;
  pending_.clear();
}

int StringSeparator::Split(const char* text) {
  pending_.clear();
  int n = 0;
  bool quoted = false;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  for (;;) {
    const unsigned char c = *p;
    if (IsLeadByte(c)) {
      // A lead byte right before the terminating NUL has no trail byte: it is dropped and the
      // split ends with the token collected so far.
      if (p[1] == '\0') {
        ++p;
        continue;
      }
      pending_.push_back(static_cast<char>(c));
      pending_.push_back(static_cast<char>(p[1]));
      p += 2;
      continue;
    }
    if (c == '\0' || c == '\n' || c == '\r') {
      if (!pending_.empty()) StorePending(n);
      break;
    }
    ++p;
    if (c == ' ' || c == '\t') {
      if (quoted) {
        pending_.push_back(static_cast<char>(c));
      } else if (!pending_.empty()) {
        StorePending(n);
      }
    } else if (c == static_cast<unsigned char>(quote_)) {
      // Inside quotes the closing quote stores even an empty token: "" is a token of its own.
      if (quoted || !pending_.empty()) StorePending(n);
      quoted = !quoted;
    } else if (c < 128 && specials_[c] != 0 && !quoted) {
      if (!pending_.empty()) StorePending(n);
      pending_.push_back(static_cast<char>(c));
      StorePending(n);
    } else {
      pending_.push_back(static_cast<char>(c));
    }
  }
  tokenCount_ = n;
  return n;
}

bool StringSeparator::FirstIs(const char* word, int minimum) const {
  return tokenCount_ >= minimum && tokenCount_ > 0 && EqualsIgnoringAsciiCase(slots_[0].c_str(), word);
}

bool StringSeparator::TokenIs(int n, const char* word) const {
  return n >= 0 && n < tokenCount_ && EqualsIgnoringAsciiCase(slots_[static_cast<std::size_t>(n)].c_str(), word);
}

double StringSeparator::TokenNumber(int n) const {
  if (n < 0 || n >= tokenCount_) return 0.0;
  const char* text = slots_[static_cast<std::size_t>(n)].c_str();
  // Leading white space is skipped as strtod skips it (a quoted token may begin with blanks).
  while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
  return DecimalPrefix(text, nullptr);
}

const char* StringSeparator::Token(int n) const {
  if (n < 0 || static_cast<std::size_t>(n) >= slots_.size()) return "";
  return slots_[static_cast<std::size_t>(n)].c_str();
}

FileStringSeparator::~FileStringSeparator() = default;

int FileStringSeparator::ReadLine() {
  line_.clear();
  for (;;) {
    int c = std::fgetc(stream_);
    if (c == EOF) break;
    if (c == '\n') {
      tokenCount_ = Split(line_.c_str());
      return tokenCount_;
    }
    if (c == '\r') {
      int next = std::fgetc(stream_);
      if (next != '\n' && next != EOF) std::ungetc(next, stream_);
      tokenCount_ = Split(line_.c_str());
      return tokenCount_;
    }
    line_.push_back(static_cast<char>(c));
    if (IsLeadByte(static_cast<unsigned char>(c))) {
      int trail = std::fgetc(stream_);
      if (trail == EOF) break;
      line_.push_back(static_cast<char>(trail));
    }
  }
  tokenCount_ = line_.empty() ? -1 : Split(line_.c_str());
  return tokenCount_;
}

AsciiFileString::~AsciiFileString() = default;

int AsciiFileString::ReadLine() {
  if (std::fgets(buffer_, kReadLimit, stream_) == nullptr) {
    tokenCount_ = -1;
    return tokenCount_;
  }
  return Split(buffer_);
}
