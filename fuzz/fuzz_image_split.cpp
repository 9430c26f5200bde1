// The token splitter and both line readers over arbitrary bytes: no read past the text or the
// stream, and tokens that keep the splitter's promises.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "image/StringSeparator.h"

namespace {

void CheckTokens(const StringSeparator& s, std::size_t inputSize) {
  if (s.TokenCount() < -1 || s.TokenCount() > static_cast<int>(inputSize) + 1) std::abort();
  for (int i = 0; i < s.TokenCount(); ++i) {
    const char* token = s.Token(i);
    // A token never holds a line break outside a double-byte pair, so its first byte is none.
    if (token[0] == '\n' || token[0] == '\r') std::abort();
    (void)s.TokenNumber(i);
    (void)s.TokenIs(i, "obj");
  }
  (void)s.FirstIs("atr", 2);
}

template <class Reader>
void ReadAll(const std::uint8_t* data, std::size_t size) {
  std::FILE* stream = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
  if (stream == nullptr) return;
  Reader reader(stream);
  for (std::size_t lines = 0; lines <= size + 1; ++lines) {
    if (reader.ReadLine() < 0) break;
    CheckTokens(reader, size);
  }
  std::fclose(stream);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Exactly the input and its NUL, so that a read past the end is seen by the address sanitizer.
  char* text = static_cast<char*>(std::malloc(size + 1));
  std::memcpy(text, data, size);
  text[size] = '\0';
  StringSeparator defaults;
  defaults.Split(text);
  CheckTokens(defaults, size);
  StringSeparator commandLine;
  char none[128] = {};
  commandLine.SetSpecials(none);
  commandLine.Split(text);
  CheckTokens(commandLine, size);
  std::free(text);

  if (size > 0) {
    ReadAll<FileStringSeparator>(data, size);
    ReadAll<AsciiFileString>(data, size);
  }
  return 0;
}
