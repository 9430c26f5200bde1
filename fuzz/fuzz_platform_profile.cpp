// Profile reader and writer over arbitrary bytes. The last three bytes of the input choose a section,
// a key and a value; the rest is the file. Checks: reading never fails, a write changes bytes within
// one line only (every other byte survives), the written value reads back, and no other key moves.
// The file's text also goes through both conversions: decoding always gives valid UTF-8, and an
// encoding that is accepted decodes back to the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/Profile.h"
#include "platform/Sjis.h"

namespace {

const char* const kSections[] = {"PartsAssembler", "partsassembler.JPN", "Partwell", "S", "\x95\x5c"};
const char* const kKeys[] = {"MenuItems", "menu1", "Menu2", "CGAFolder", "k", "\x83\x5c"};
const char* const kValues[] = {"",
                               "7555739",
                               "Cars,cars.BMP,cars\\cars",
                               "\x95\x5c\x83\x5c\x94\x5c,x.BMP,y\\y",
                               "0x00FF00",
                               "a=b",
                               "'q",
                               "[Partwell]",
                               "; not a comment"};

template <typename T, std::size_t N>
constexpr std::size_t Count(T (&)[N]) {
  return N;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

bool IsValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (n == 0 || i + n > s.size()) return false;
    for (std::size_t j = 1; j < n; ++j) {
      if ((static_cast<unsigned char>(s[i + j]) >> 6) != 0x2) return false;
    }
    i += n;
  }
  return true;
}

void CheckConversions(std::string_view bytes) {
  const std::string utf8 = platform::SjisToUtf8(bytes);
  Check(IsValidUtf8(utf8));
  if (auto back = platform::Utf8ToSjis(utf8)) Check(platform::SjisToUtf8(*back) == utf8);
  if (auto encoded = platform::Utf8ToSjis(bytes)) Check(platform::SjisToUtf8(*encoded) == bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const std::string file(reinterpret_cast<const char*>(data), size - 3);
  const char* section = kSections[data[size - 3] % Count(kSections)];
  const char* key = kKeys[data[size - 2] % Count(kKeys)];
  const char* value = kValues[data[size - 1] % Count(kValues)];

  CheckConversions(file);
  platform::ProfileFile before = platform::ProfileFile::FromBytes("fuzz.ini", file);
  for (const char* s : kSections) {
    for (const char* k : kKeys) {
      Check(before.ReadString(s, k, "").size() <= 2047);
      before.ReadInteger(s, k, 0);
    }
  }

  const std::string next = before.BytesWith(section, key, value);
  // The bytes that went away lie within a single line: no line end among them.
  std::size_t prefix = 0;
  while (prefix < file.size() && prefix < next.size() && file[prefix] == next[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < file.size() - prefix && suffix < next.size() - prefix &&
         file[file.size() - 1 - suffix] == next[next.size() - 1 - suffix])
    ++suffix;
  std::string_view removed = std::string_view(file).substr(prefix, file.size() - prefix - suffix);
  Check(removed.find_first_of("\r\n") == std::string_view::npos);

  platform::ProfileFile after = platform::ProfileFile::FromBytes("fuzz.ini", next);
  Check(after.ReadString(section, key, "<none>") == value);
  for (const char* s : kSections) {
    for (const char* k : kKeys) {
      if (s == section && k == key) continue;
      Check(after.ReadString(s, k, "<none>") == before.ReadString(s, k, "<none>"));
    }
  }
  return 0;
}
