// The shared lexer: splits one line of Shift-JIS text into tokens. Blanks and tabs separate; a
// double-quoted string is one token (without its quotes, blanks kept); each character marked in the
// specials table is a token by itself. The second byte of a double-byte character is never taken
// for a separator, so a trail byte 0x5B '[' or 0x7B '{' stays inside its token.
//
// FileStringSeparator and AsciiFileString read the next line of a stdio stream opened by the caller
// (never closed here) and split it.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

class StringSeparator {
 public:
  StringSeparator();
  virtual ~StringSeparator();
  StringSeparator(const StringSeparator&) = delete;
  StringSeparator& operator=(const StringSeparator&) = delete;

  // table: 128 bytes, one per 7-bit code; non-zero marks a character that is a token by itself.
  void SetSpecials(const char* table);

  // Splits a NUL-terminated text; the split also ends at the first CR or LF. Returns the token count.
  int Split(const char* text);

  // Stores a copy of text in slot n, growing the slot array as needed. False only for n < 0.
  bool SetToken(int n, const char* text);

  // True when there are at least minimum tokens and token 0 equals word ignoring ASCII letter case.
  bool FirstIs(const char* word, int minimum) const;
  // True when n is below the token count and token n equals word ignoring ASCII letter case.
  bool TokenIs(int n, const char* word) const;
  // The longest leading decimal number of token n; 0.0 when there is none or n is not a token.
  double TokenNumber(int n) const;

  // Token n of the last split. Slots past the token count keep texts of earlier splits; a slot that
  // was never filled reads as the empty text.
  const char* Token(int n) const;
  // Tokens of the last split; for the line readers -1 once the stream is at its end.
  int TokenCount() const { return tokenCount_; }
  int SlotCount() const { return static_cast<int>(slots_.size()); }

 protected:
  int tokenCount_ = 0;

 private:
  void Store(int& n, const char* begin, std::size_t length);
  void BuildClasses();

  std::vector<std::string> slots_;  // kept between splits so that their storage is reused
  unsigned char specials_[128];
  char quote_ = '"';
  // What each byte does to a split, outside and inside quotes; rebuilt when the specials change.
  unsigned char plainClass_[256];
  unsigned char quotedClass_[256];
};

// Reads byte by byte: LF, CR LF and a lone CR all end a line, and a line may be of any length.
class FileStringSeparator : public StringSeparator {
 public:
  explicit FileStringSeparator(std::FILE* stream) : stream_(stream) {}
  ~FileStringSeparator() override;

  // Reads and splits the next line; returns its token count, 0 for an empty line, -1 at the end.
  virtual int ReadLine();

 protected:
  std::FILE* stream_;

 private:
  std::string line_;
};

// Reads with fgets in pieces of at most 8190 bytes plus the line break: a longer line arrives as
// several lines.
class AsciiFileString : public FileStringSeparator {
 public:
  explicit AsciiFileString(std::FILE* stream) : FileStringSeparator(stream) {}
  ~AsciiFileString() override;

  int ReadLine() override;

  static constexpr int kBufferSize = 8192;
  static constexpr int kReadLimit = 8191;  // fgets count, terminating NUL included

 private:
  char buffer_[kBufferSize];
};

// The longest leading decimal number of text: optional sign, digits, optional fraction, optional
// exponent; '.' is the decimal separator whatever the process locale says, since shape and attribute
// files are written that way everywhere. Stores the number of bytes taken in *length (0 when text
// does not begin with a number, the result then 0.0). A magnitude beyond double gives +-HUGE_VAL.
double DecimalPrefix(const char* text, std::size_t* length);
