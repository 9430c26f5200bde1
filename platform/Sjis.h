// Shift-JIS (code page 932) helpers. Every text that comes from or goes to a file is a byte string
// in CP932; these helpers step over whole characters so that a trail byte (which may be 0x5C, the
// backslash, or 0x7B, '{') is never taken for a separator.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Lead byte of a double-byte character in CP932: 0x81-0x9F and 0xE0-0xFC.
bool IsDBCSLeadByte(unsigned char byte);

// The character after the one at p; never steps past the terminating NUL, and a lead byte
// directly before the NUL counts as one character.
const char* CharNext(const char* p);

// Byte offset of the character following the one at offset i of text (at most text.size()).
std::size_t NextCharOffset(std::string_view text, std::size_t i);

// Offset of the first byte c (a single-byte character) found stepping whole characters from
// offset from, or npos.
std::size_t FindChar(std::string_view text, char c, std::size_t from = 0);

// Offset of the last single-byte character that is one of chars, stepping whole characters,
// or npos.
std::size_t FindLastCharOf(std::string_view text, std::string_view chars);

// Longest prefix of text of at most maxBytes bytes that does not end inside a double-byte character.
std::string_view CutAtCharBoundary(std::string_view text, std::size_t maxBytes);

// CP932 to UTF-8 (iconv "CP932"); bytes that cannot be decoded become U+FFFD.
std::string SjisToUtf8(std::string_view sjis);

// UTF-8 to CP932; nullopt when any character has no CP932 form (nothing is changed silently).
std::optional<std::string> Utf8ToSjis(std::string_view utf8);

}  // namespace platform
