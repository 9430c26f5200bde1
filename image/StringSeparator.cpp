#include "image/StringSeparator.h"

#include <charconv>
#include <cstdint>
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
  // Up to 19 significant digits collected on the way, for the exact fast path below.
  std::uint64_t digits = 0;
  int digitCount = 0;
  int scale = 0;  // power of ten the collected digits are to be multiplied by
  bool anyDigit = false;
  auto take = [&](char c, bool fraction) {
    anyDigit = true;
    if (digitCount < 19) {
      digits = digits * 10 + static_cast<unsigned>(c - '0');
      if (digits != 0) ++digitCount;
      if (fraction) --scale;
    } else if (!fraction) {
      ++scale;
    }
  };
  for (; IsDigit(*p); ++p) take(*p, false);
  if (*p == '.') {
    for (++p; IsDigit(*p); ++p) take(*p, true);
  }
  if (!anyDigit) {
    if (length != nullptr) *length = 0;
    return 0.0;
  }
  // An exponent counts only when at least one digit follows the 'e' and its sign.
  int exponent = 0;
  bool exponentFits = true;
  if (*p == 'e' || *p == 'E') {
    const char* q = p + 1;
    bool exponentNegative = false;
    if (*q == '+' || *q == '-') exponentNegative = *q++ == '-';
    if (IsDigit(*q)) {
      for (; IsDigit(*q); ++q) {
        if (exponent < 10000) {
          exponent = exponent * 10 + (*q - '0');
        } else {
          exponentFits = false;
        }
      }
      if (exponentNegative) exponent = -exponent;
      p = q;
    }
  }
  if (length != nullptr) *length = static_cast<std::size_t>(p - text);

  // Both the digits (below 2^53) and the power of ten (at most 10^22) are exact doubles, so one
  // multiplication or division rounds correctly: the same result as a full conversion.
  static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  const int power = scale + exponent;
  double value = 0.0;
  if (exponentFits && digitCount <= 15 && power >= -22 && power <= 22) {
    value = static_cast<double>(digits);
    value = power < 0 ? value / kPowers[-power] : value * kPowers[power];
  } else {
    auto [end, error] = std::from_chars(mantissa, p, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range || end != p) value = ConvertOutOfRange(mantissa, p);
  }
  return negative ? -value : value;
}

// Byte classes of a split. Every token is a contiguous run of the text (quote characters only
// delimit), so a split records where each token starts and copies it once when it ends.
enum : unsigned char { kOrdinary, kLead, kEnd, kBlank, kQuote, kSpecial };

StringSeparator::StringSeparator() {
  std::memset(specials_, 0, sizeof specials_);
  for (const char* c = kDefaultSpecials; *c != '\0'; ++c) specials_[static_cast<unsigned char>(*c)] = 1;
  BuildClasses();
}

StringSeparator::~StringSeparator() = default;

void StringSeparator::SetSpecials(const char* table) {
  std::memcpy(specials_, table, sizeof specials_);
  BuildClasses();
}

// Later assignments win, in the reverse of the order a split tests them: a lead byte before
// anything, then the line end, then blanks, then the quote, then the specials.
void StringSeparator::BuildClasses() {
  for (int c = 0; c < 256; ++c) {
    plainClass_[c] = c < 128 && specials_[c] != 0 ? kSpecial : kOrdinary;
    quotedClass_[c] = kOrdinary;
  }
  const unsigned char quote = static_cast<unsigned char>(quote_);
  plainClass_[quote] = quotedClass_[quote] = kQuote;
  for (unsigned char blank : {' ', '\t'}) {
    plainClass_[blank] = kBlank;
    quotedClass_[blank] = kOrdinary;
  }
  for (unsigned char end : {'\0', '\n', '\r'}) plainClass_[end] = quotedClass_[end] = kEnd;
  for (int c = 0x80; c < 256; ++c) {
    if (platform::IsDBCSLeadByte(static_cast<unsigned char>(c))) plainClass_[c] = quotedClass_[c] = kLead;
  }
}

bool StringSeparator::SetToken(int n, const char* text) {
  if (n < 0) return false;
  Store(n, text, std::strlen(text));
  return true;
}

void StringSeparator::Store(int& n, const char* begin, std::size_t length) {
  if (static_cast<std::size_t>(n) >= slots_.size()) slots_.resize(static_cast<std::size_t>(n) + 1);
  slots_[static_cast<std::size_t>(n)].assign(begin, length);
  ++n;
}

int StringSeparator::Split(const char* text) {
  int n = 0;
  bool quoted = false;
  const char* start = text;  // first byte of the pending token; it is empty while start == p
  const char* p = text;
  for (;;) {
    const unsigned char* classes = quoted ? quotedClass_ : plainClass_;
    while (classes[static_cast<unsigned char>(*p)] == kOrdinary) ++p;
    switch (classes[static_cast<unsigned char>(*p)]) {
      case kLead:
        if (p[1] != '\0') {
          p += 2;  // the trail byte goes with it, whatever it is
          continue;
        }
        // A lead byte right before the terminating NUL has no trail byte: it is dropped and the
        // split ends with the token collected so far.
        [[fallthrough]];
      case kEnd:
        if (p > start) Store(n, start, static_cast<std::size_t>(p - start));
        tokenCount_ = n;
        return n;
      case kBlank:
        if (p > start) Store(n, start, static_cast<std::size_t>(p - start));
        break;
      case kQuote:
        // The closing quote stores even an empty token: "" is a token of its own.
        if (quoted || p > start) Store(n, start, static_cast<std::size_t>(p - start));
        quoted = !quoted;
        break;
      case kSpecial:
        if (p > start) Store(n, start, static_cast<std::size_t>(p - start));
        Store(n, p, 1);
        break;
    }
    start = ++p;
  }
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
