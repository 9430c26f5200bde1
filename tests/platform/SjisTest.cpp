#include <gtest/gtest.h>

#include <string>

#include "platform/Sjis.h"

using namespace platform;

namespace {
// 表, ソ and 能: their second byte is 0x5C, the backslash.
const std::string kHyo = "\x95\x5c";
const std::string kSo = "\x83\x5c";
const std::string kNou = "\x94\x5c";
}  // namespace

TEST(Sjis, LeadBytesAreExactlyTheTwoCp932Ranges) {
  int leads = 0;
  for (int b = 0; b < 256; ++b) leads += IsDBCSLeadByte(static_cast<unsigned char>(b)) ? 1 : 0;
  EXPECT_EQ(leads, (0x9F - 0x81 + 1) + (0xFC - 0xE0 + 1));
  for (int b : {0x81, 0x9F, 0xE0, 0xFC}) EXPECT_TRUE(IsDBCSLeadByte(static_cast<unsigned char>(b))) << b;
  for (int b : {0x5C, 0x80, 0xA0, 0xA1, 0xDF, 0xFD}) EXPECT_FALSE(IsDBCSLeadByte(static_cast<unsigned char>(b))) << b;
}

TEST(Sjis, SteppingNeverTakesASecondByteForASeparator) {
  const std::string path = "C:" + kHyo + "\\" + kSo + kNou + "\\x";
  EXPECT_EQ(FindChar(path, '\\'), 4u);
  EXPECT_EQ(FindChar(path, '\\', 5), 9u);
  EXPECT_EQ(FindLastCharOf(path, "\\:"), 9u);
  EXPECT_EQ(FindLastCharOf(kHyo + kSo, "\\"), std::string::npos);
  EXPECT_EQ(FindChar(kHyo, '\\'), std::string::npos);

  const char text[] = "\x95\x5c" "a\x81";  // a lead byte right before the NUL
  const char* p = CharNext(text);
  EXPECT_EQ(p, text + 2);
  p = CharNext(p);
  EXPECT_EQ(p, text + 3);
  p = CharNext(p);
  EXPECT_EQ(p, text + 4);
  EXPECT_EQ(CharNext(p), p);
  EXPECT_EQ(NextCharOffset("a\x81", 1), 2u);
}

TEST(Sjis, CutNeverLeavesALeadByteDangling) {
  struct Case {
    std::string text;
    std::size_t max;
    std::string want;
  } cases[] = {
      {"ab" + kHyo, 3, "ab"},
      {"ab" + kHyo, 4, "ab" + kHyo},
      {"abc", 2, "ab"},
      {kHyo + kSo, 1, ""},
      {kHyo + kSo, 3, kHyo},
      {"x", 0, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(CutAtCharBoundary(c.text, c.max), c.want) << c.text << " " << c.max;
}

TEST(Sjis, ConversionRoundTrips) {
  struct Case {
    std::string sjis;
    std::string utf8;
  } cases[] = {
      {kHyo + kSo + kNou, "表ソ能"},
      {"C:\\DOGA~1", "C:\\DOGA~1"},  // 0x5C and 0x7E stay backslash and tilde, no yen sign or overline
      {"\xb1\xba\xdf", "ｱｺﾟ"},        // half-width katakana are single bytes
      {"\x82\xa0\x81\x40", "あ　"},
      {std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SjisToUtf8(c.sjis), c.utf8);
    EXPECT_EQ(Utf8ToSjis(c.utf8), c.sjis);
  }
  // Longer than any internal buffer, so the conversion has to continue after running out of room.
  std::string longSjis;
  std::string longUtf8;
  for (int i = 0; i < 3000; ++i) {
    longSjis += kHyo + "a";
    longUtf8 += "表a";
  }
  EXPECT_EQ(SjisToUtf8(longSjis), longUtf8);
  EXPECT_EQ(Utf8ToSjis(longUtf8), longSjis);
}

TEST(Sjis, UndecodableBytesBecomeReplacementAndDecodingGoesOn) {
  const std::string r = "\xEF\xBF\xBD";
  struct Case {
    std::string sjis;
    std::string utf8;
  } cases[] = {
      {"a\x80" "b", "a" + r + "b"},
      {"\xa0\xfd\xfe\xff", r + r + r + r},
      {"\x81 x", r + " x"},        // a lead byte with a byte that cannot follow it
      {"\x85\x40" "z", r + "z"},    // a well-formed pair with no character assigned: one replacement
      {"ok\x95", "ok" + r},         // a lead byte at the very end
      {kHyo + "\x80" + kSo, "表" + r + "ソ"},
  };
  for (const Case& c : cases) EXPECT_EQ(SjisToUtf8(c.sjis), c.utf8) << c.sjis;
}

TEST(Sjis, TextWithoutACp932FormIsRefused) {
  // U+00A5 YEN SIGN has a lossy table entry (it would become 0x5C, a path separator), U+00E9 and the
  // emoji none at all; broken UTF-8 is not text.
  for (const std::string& text : {std::string("caf\xc3\xa9"), std::string("\xf0\x9f\x98\x80"), std::string("\xc2\xa5" "100"),
                                  std::string("ab\xe8\xa1"), std::string("\xff")}) {
    EXPECT_EQ(Utf8ToSjis(text), std::nullopt) << text;
  }
  EXPECT_EQ(Utf8ToSjis(""), std::string());
}
