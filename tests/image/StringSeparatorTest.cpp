#include "image/StringSeparator.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/common/RunProgram.h"
#include "tests/common/ScratchFolder.h"

namespace {

std::vector<std::string> Tokens(const StringSeparator& s) {
  std::vector<std::string> out;
  for (int i = 0; i < s.TokenCount(); ++i) out.emplace_back(s.Token(i));
  return out;
}

std::vector<std::string> SplitDefault(const std::string& text) {
  StringSeparator s;
  s.Split(text.c_str());
  return Tokens(s);
}

using V = std::vector<std::string>;

struct SplitCase {
  const char* text;
  V expected;
};

TEST(StringSeparator, SplitsBlanksQuotesAndSpecials) {
  const SplitCase cases[] = {
      {"name=(1, 2.5)", V{"name", "=", "(", "1", ",", "2.5", ")"}},
      {"ab\"cd ef\"gh", V{"ab", "cd ef", "gh"}},
      {"a \"\" b", V{"a", "", "b"}},
      {"   \t  ", V{}},
      {"", V{}},
      {"\"x; y\"", V{"x; y"}},
      {"x; y", V{"x", ";", "y"}},
      {"col(rgb(0.5 1 0))", V{"col", "(", "rgb", "(", "0.5", "1", "0", ")", ")"}},
      {"a:b[c]{d}", V{"a", ":", "b", "[", "c", "]", "{", "d", "}"}},
      // The split ends at CR or LF, also inside quotes; an unterminated quote runs to the end.
      {"a b\r\nc d", V{"a", "b"}},
      {"\"open quote\nnext", V{"open quote"}},
      {"\"unterminated", V{"unterminated"}},
      {"\t x \t", V{"x"}},
      // Characters of the upper half that are not lead bytes (half-width katakana) are plain bytes.
      {"\xB1\xB2 \xB3", V{"\xB1\xB2", "\xB3"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitDefault(c.text), c.expected) << c.text;
}

TEST(StringSeparator, DoubleByteCharactersStayWhole) {
  // ソ = 83 5C, 表 = 95 5C; 83 5B and 83 7B have '[' and '{' as trail bytes.
  EXPECT_EQ(SplitDefault("\x83\x5C\x95\x5C(x)"), (V{"\x83\x5C\x95\x5C", "(", "x", ")"}));
  EXPECT_EQ(SplitDefault("a\x83[b \x83{"), (V{"a\x83[b", "\x83{"}));
  // A trail byte that is a blank or a quote is still part of its character.
  EXPECT_EQ(SplitDefault("\x81 \tx \x81\"y"), (V{"\x81 ", "x", "\x81\"y"}));
  EXPECT_EQ(SplitDefault("\"\x83]\""), (V{"\x83]"}));
}

TEST(StringSeparator, LeadByteAtTheEndIsNotReadPast) {
  // The buffer holds exactly the text and its NUL: a read past it is caught by the address sanitizer.
  for (const std::string& text : {std::string("ab\x83"), std::string("\x83"), std::string("x \"q\x95")}) {
    std::vector<char> exact(text.begin(), text.end());
    exact.push_back('\0');
    StringSeparator s;
    int n = s.Split(exact.data());
    ASSERT_LE(n, 2) << text;
    for (int i = 0; i < n; ++i) EXPECT_EQ(std::string(s.Token(i)).find_first_of("\x83\x95"), std::string::npos) << text;
  }
  EXPECT_EQ(SplitDefault("ab\x83"), V{"ab"});
}

TEST(StringSeparator, EmptySpecialsSplitACommandLine) {
  StringSeparator s;
  std::array<char, 128> none{};
  s.SetSpecials(none.data());
  EXPECT_EQ(s.Split("\"C:\\Program Files\\Partwell\\Partwell.exe\" C:\\DOGACGA\\a(1).suf"), 2);
  EXPECT_EQ(Tokens(s), (V{"C:\\Program Files\\Partwell\\Partwell.exe", "C:\\DOGACGA\\a(1).suf"}));
  EXPECT_EQ(s.Split("x=1;y"), 1);
  // A special table that marks the quote character does not beat the quote.
  std::array<char, 128> quoteSpecial{};
  quoteSpecial['"'] = 1;
  quoteSpecial['/'] = 1;
  s.SetSpecials(quoteSpecial.data());
  s.Split("a/\"b/c\"");
  EXPECT_EQ(Tokens(s), (V{"a", "/", "b/c"}));
}

TEST(StringSeparator, KeywordTestsFoldOnlyAsciiLetters) {
  StringSeparator s;
  s.Split("obj Suf");
  EXPECT_TRUE(s.FirstIs("OBJ", 1));
  EXPECT_TRUE(s.FirstIs("oBj", 2));
  EXPECT_FALSE(s.FirstIs("OBJ", 3));
  EXPECT_TRUE(s.TokenIs(1, "SUF"));
  EXPECT_FALSE(s.TokenIs(1, "SU"));
  EXPECT_FALSE(s.TokenIs(1, "SUFX"));
  EXPECT_FALSE(s.TokenIs(2, "SUF"));
  EXPECT_FALSE(s.TokenIs(2, ""));
  EXPECT_FALSE(s.TokenIs(-1, "obj"));
  // Full-width letters (82 60 = Ａ, 82 81 = ａ) are not folded; '@' and '`' are not letters.
  s.Split("\x82\x81 @ `");
  EXPECT_FALSE(s.TokenIs(0, "\x82\x60"));
  EXPECT_FALSE(s.TokenIs(1, "`"));
  EXPECT_FALSE(s.TokenIs(2, "@"));
  // Nothing split: no token 0 to compare, even with minimum 0.
  s.Split("");
  EXPECT_FALSE(s.FirstIs("", 0));
}

TEST(StringSeparator, SlotsOutliveShorterSplits) {
  StringSeparator s;
  s.Split("a b c");
  s.Split("x");
  EXPECT_EQ(s.TokenCount(), 1);
  EXPECT_EQ(s.SlotCount(), 3);
  EXPECT_STREQ(s.Token(2), "c");
  EXPECT_FALSE(s.TokenIs(2, "c"));
  EXPECT_EQ(s.TokenNumber(2), 0.0);
  EXPECT_TRUE(s.SetToken(6, "far"));
  EXPECT_EQ(s.SlotCount(), 7);
  EXPECT_STREQ(s.Token(4), "");
  EXPECT_STREQ(s.Token(6), "far");
  EXPECT_FALSE(s.SetToken(-1, "x"));
}

TEST(StringSeparator, TokenNumberTakesTheLongestDecimalPrefix) {
  struct Case {
    const char* token;
    double value;
  } cases[] = {
      {"2.5", 2.5},  {"-0.125", -0.125}, {"+3", 3.0},   {"1e3", 1000.0}, {"1E-2x", 0.01}, {"12abc", 12.0},
      {".5", 0.5},   {"5.", 5.0},        {"1e", 1.0},   {"1e+", 1.0},    {"abc", 0.0},    {"-", 0.0},
      {".", 0.0},    {"0x10", 0.0},      {"inf", 0.0},  {"nan", 0.0},    {"1,5", 1.0},    {"  7", 7.0},
  };
  StringSeparator s;
  for (const auto& c : cases) {
    std::string line = "\"" + std::string(c.token) + "\"";
    ASSERT_EQ(s.Split(line.c_str()), 1) << c.token;
    EXPECT_EQ(s.TokenNumber(0), c.value) << c.token;
  }
  EXPECT_EQ(s.TokenNumber(1), 0.0);
  s.Split("1e999 -1e999 1e-999");
  EXPECT_EQ(s.TokenNumber(0), HUGE_VAL);
  EXPECT_EQ(s.TokenNumber(1), -HUGE_VAL);
  EXPECT_EQ(s.TokenNumber(2), 0.0);
}

TEST(StringSeparator, DecimalPrefixRoundsAsStrtodDoes) {
  // Deterministic mix of short coordinates (the fast path), long mantissas, leading zeros and
  // exponents near the edges of the exact range; every result must be bit-identical to strtod's.
  std::uint64_t state = 12345;
  auto next = [&state] {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<unsigned>(state >> 33);
  };
  for (int i = 0; i < 20000; ++i) {
    std::string text = (next() % 3 == 0) ? "-" : "";
    const int intDigits = static_cast<int>(next() % 12);
    for (int d = 0; d < intDigits; ++d) text += static_cast<char>('0' + next() % 10);
    if (next() % 2 == 0 || intDigits == 0) {
      text += '.';
      const int fracDigits = 1 + static_cast<int>(next() % 12);
      for (int d = 0; d < fracDigits; ++d) text += static_cast<char>('0' + next() % 10);
    }
    if (next() % 3 == 0) text += "e" + std::to_string(static_cast<int>(next() % 60) - 30);
    std::size_t length = 0;
    const double ours = DecimalPrefix(text.c_str(), &length);
    const double reference = std::strtod(text.c_str(), nullptr);
    ASSERT_EQ(length, text.size()) << text;
    ASSERT_EQ(std::memcmp(&ours, &reference, sizeof ours), 0) << text << ": " << ours << " vs " << reference;
  }
  for (const char* text : {"9007199254740993", "123456789012345678901234567890", "0.000000000000000000000000001",
                           "1e22", "1e23", "4.9e-324", "2.2250738585072014e-308", "-0", "1.7976931348623157e308"}) {
    std::size_t length = 0;
    const double ours = DecimalPrefix(text, &length);
    const double reference = std::strtod(text, nullptr);
    EXPECT_EQ(std::memcmp(&ours, &reference, sizeof ours), 0) << text;
  }
}

// A German or French user's process uses ',' as the decimal separator; the files still use '.'.
// The locale is compiled into a scratch folder when the system has none installed (localedef and
// the locale sources of Debian's locales, installed by scripts/setup-deps).
TEST(StringSeparator, DecimalPointDoesNotFollowTheProcessLocale) {
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  partwell::test::ScratchFolder folder;
  bool switched = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
  if (!switched) {
    const auto made = partwell::test::RunProgram("localedef -i de_DE -f UTF-8 '" + folder.File("de_DE.UTF-8") + "'");
    ASSERT_EQ(made.code, 0) << made.err;
    setenv("LOCPATH", folder.Path().c_str(), 1);
    switched = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
  }
  EXPECT_TRUE(switched) << "no comma-decimal locale";
  if (switched) {
    EXPECT_EQ(std::strtod("0,75", nullptr), 0.75);  // the process really reads ',' now
    StringSeparator s;
    s.Split("0.75 \"0,75\" -2.5e-1");
    EXPECT_EQ(s.TokenNumber(0), 0.75);
    EXPECT_EQ(s.TokenNumber(1), 0.0);
    EXPECT_EQ(s.TokenNumber(2), -0.25);
    std::size_t length = 0;
    EXPECT_EQ(DecimalPrefix("1.5e999", &length), HUGE_VAL);  // the slow path too
    EXPECT_EQ(length, 7u);
  }
  std::setlocale(LC_NUMERIC, saved.c_str());
  unsetenv("LOCPATH");
}

std::FILE* StreamOf(const std::string& bytes) {
  std::FILE* f = std::tmpfile();
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::rewind(f);
  return f;
}

template <class Reader>
std::vector<int> CountsOf(const std::string& bytes, std::vector<V>* lines = nullptr) {
  std::FILE* f = StreamOf(bytes);
  Reader reader(f);
  std::vector<int> counts;
  for (;;) {
    int n = reader.ReadLine();
    counts.push_back(n);
    if (n < 0 || counts.size() > 100) break;
    if (lines != nullptr) lines->push_back(Tokens(reader));
  }
  std::fclose(f);
  return counts;
}

TEST(FileStringSeparator, EveryLineBreakEndsALine) {
  EXPECT_EQ(CountsOf<FileStringSeparator>("a b\r\nc"), (std::vector<int>{2, 1, -1}));
  std::vector<V> lines;
  EXPECT_EQ(CountsOf<FileStringSeparator>("a\rb c\n\n\r\nd e f\r", &lines), (std::vector<int>{1, 2, 0, 0, 3, -1}));
  EXPECT_EQ(lines[1], (V{"b", "c"}));
  EXPECT_EQ(CountsOf<FileStringSeparator>(""), (std::vector<int>{-1}));
  // A last line of blanks still is a line (of no tokens).
  EXPECT_EQ(CountsOf<FileStringSeparator>("x\n  "), (std::vector<int>{1, 0, -1}));
}

TEST(FileStringSeparator, TrailBytesThatLookLikeLineBreaksStayInTheCharacter) {
  std::vector<V> lines;
  // 0x81 0x0A is not a valid character, but the pair is kept together rather than ending the line.
  EXPECT_EQ(CountsOf<FileStringSeparator>("\x81\n x\ny", &lines), (std::vector<int>{2, 1, -1}));
  EXPECT_EQ(lines[0], (V{"\x81\n", "x"}));
  // A lead byte as the very last byte of the file ends the line without it.
  lines.clear();
  EXPECT_EQ(CountsOf<FileStringSeparator>("ab \x83", &lines), (std::vector<int>{1, -1}));
  EXPECT_EQ(lines[0], V{"ab"});
}

TEST(FileStringSeparator, LongLinesArriveWhole) {
  std::string token(20000, 'q');
  std::vector<V> lines;
  EXPECT_EQ(CountsOf<FileStringSeparator>("a " + token + "\nb", &lines), (std::vector<int>{2, 1, -1}));
  EXPECT_EQ(lines[0][1], token);
}

TEST(AsciiFileString, ReadsLinesInPiecesOfAtMost8190Bytes) {
  std::vector<V> lines;
  EXPECT_EQ(CountsOf<AsciiFileString>("atr red {\r\ncol(1)\r\n\r\n}", &lines), (std::vector<int>{3, 4, 0, 1, -1}));
  EXPECT_EQ(lines[1], (V{"col", "(", "1", ")"}));
  // 8190 bytes come in one read; the rest of a longer line is a line of its own.
  lines.clear();
  std::string first(8190, 'a');
  EXPECT_EQ(CountsOf<AsciiFileString>(first + "bc\nz", &lines), (std::vector<int>{1, 1, 1, -1}));
  EXPECT_EQ(lines[0][0], first);
  EXPECT_EQ(lines[1][0], "bc");
  // A line of exactly 8190 bytes and its break: the break comes with the next read as an empty line.
  lines.clear();
  EXPECT_EQ(CountsOf<AsciiFileString>(first + "\nz", &lines), (std::vector<int>{1, 0, 1, -1}));
}

}  // namespace
