// What the library check reads from untrusted bytes. Input starting with "BM" is a catalog: its cells
// are judged, and an 8-bit 512 x 384 catalog must be judged alike on its colour table and after
// widening to 24 bits. Any other input is an index value: the path rules and the name helpers must
// hold their promises.
#include <bitset>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "app/CatalogCells.h"
#include "app/LibraryScan.h"
#include "platform/FileSystem.h"
#include "platform/Sjis.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void FuzzCatalog(const std::uint8_t* data, std::size_t size) {
  // Run-length files may claim large pictures from a few bytes; the tests cover that, the fuzzer
  // keeps to 16 MiB.
  if (size >= 54) {
    std::int32_t width, height;
    std::memcpy(&width, data + 18, 4);
    std::memcpy(&height, data + 22, 4);
    if (dib::PixelBlockSize(width, height, 32) > (16u << 20)) return;
  }
  DibStream catalog;
  if (!catalog.LoadBmpFromMemory(data, size, DibAcceptAll)) return;
  const bool eightBit = IsCatalogFormat(catalog);
  std::bitset<kSlotCount> onTable;
  const bool judged = FindPictureCells(catalog, onTable);
  if (!eightBit) return;
  Check(judged);
  catalog.ConvertDepth(24, DepthPlain);
  std::bitset<kSlotCount> widened;
  Check(FindPictureCells(catalog, widened));
  Check(widened == onTable);
}

void FuzzEntryPath(std::string_view text) {
  if (platform::IsContainedPath(text)) {
    Check(!text.empty() && text[0] != '\\' && text[0] != '/');
    for (char c : text) Check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
    // A trail byte may be 0x5C, so "..\\" inside the Shift-JIS bytes is no proof of a climb; the
    // host's UTF-8 form has a backslash only where a separator stands.
    const std::string host = platform::SjisToUtf8(text);
    std::size_t start = 0;
    for (std::size_t i = 0; i <= host.size(); ++i) {
      if (i < host.size() && host[i] != '\\' && host[i] != '/') continue;
      const std::string_view part = std::string_view(host).substr(start, i - start);
      Check(part.find_first_not_of(". ") != std::string_view::npos);
      start = i + 1;
    }
    Check(PrefixDirectory(text).size() < text.size());
  }
  Check(FoldCase(text).size() == text.size());
  std::string target = TemporaryFileTarget(text);
  Check(target.size() + 17 <= text.size() || target.empty());
  Check(IsTemporaryFileName(text) == !target.empty());
  std::string stem = PrefixStem(text);
  Check(stem.size() <= text.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
    FuzzCatalog(data, size);
  } else {
    FuzzEntryPath(std::string_view(reinterpret_cast<const char*>(data), size));
  }
  return 0;
}
