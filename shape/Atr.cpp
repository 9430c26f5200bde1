#include "shape/Atr.h"

#include <climits>
#include <cstdio>
#include <utility>

#include "image/StringSeparator.h"
#include "platform/FileSystem.h"

XLoaderAtr GlobalAttributes;

XAtr::~XAtr() = default;

void XAtr::Reset() {
  name.clear();
  r = g = b = 1.0f;
}

XLoaderAtr::~XLoaderAtr() = default;

bool XLoaderAtr::Add(std::unique_ptr<XAtr> atr) {
  if (count == INT_MAX || atr == nullptr) return false;
  items.push_back(std::move(atr));
  ++count;
  return true;
}

const XAtr* XLoaderAtr::Find(std::string_view name) const {
  for (const auto& atr : items) {
    if (atr->name == name) return atr.get();
  }
  return nullptr;
}

void XLoaderAtr::Clear() {
  std::vector<std::unique_ptr<XAtr>>().swap(items);
  count = 0;
}

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// Only the colour of a block matters here. A block is
//   atr NAME {                 (anything after the name is ignored)
//     col ( rgb ( R G B ) )    (tokens 4, 5, 6 are the components)
//     col ( V )                (grey: all three components V)
//   }                          ("}" as the first token closes the block, whatever precedes it)
// Every other line is skipped, and a block left open at the end of the file is dropped.
void ReadBlocks(AsciiFileString& reader, XLoaderAtr& table) {
  XAtr working;
  bool inside = false;
  for (int n; (n = reader.ReadLine()) >= 0;) {
    if (n == 0) continue;
    if (!inside) {
      if (reader.FirstIs("atr", 2)) {
        working.Reset();
        working.name = reader.Token(1);
        inside = true;
      }
    } else if (reader.TokenIs(0, "}")) {
      auto atr = std::make_unique<XAtr>();
      atr->name = working.name;
      atr->r = working.r;
      atr->g = working.g;
      atr->b = working.b;
      table.Add(std::move(atr));
      inside = false;
    } else if (reader.FirstIs("col", 4)) {
      if (reader.TokenIs(2, "rgb") && n >= 7) {
        working.r = static_cast<float>(reader.TokenNumber(4));
        working.g = static_cast<float>(reader.TokenNumber(5));
        working.b = static_cast<float>(reader.TokenNumber(6));
      } else {
        working.r = working.g = working.b = static_cast<float>(reader.TokenNumber(2));
      }
    }
  }
}

}  // namespace

bool ReadAtrFile(XLoaderAtr& table, const char* path) {
  std::unique_ptr<std::FILE, FileCloser> file(platform::OpenForReading(path));
  if (file == nullptr) return false;
  AsciiFileString reader(file.get());
  ReadBlocks(reader, table);
  return true;
}
