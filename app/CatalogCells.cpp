#include "app/CatalogCells.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "app/CatalogBitmap.h"

namespace {

// An 8-bit catalog is judged on its colour table, so that no conversion is needed: the check reads a
// thousand catalogs at a time. Indices past the table's end read entry 0, as the depth conversion
// reads them, so that both ways judge a cell alike.
bool CellIsOneColour8(const DibStream& catalog, int slot, const std::array<std::uint32_t, 256>& colours) {
  const int x0 = kCellWidth * (slot % 4);
  const int y0 = kCellHeight * (slot / 4);
  const std::uint8_t firstIndex = dib::TopRow(catalog.header, catalog.bits, y0)[x0];
  const std::uint32_t first = colours[firstIndex];
  for (int y = y0; y < y0 + kCellHeight; ++y) {
    const std::uint8_t* row = dib::TopRow(catalog.header, catalog.bits, y) + x0;
    for (int x = 0; x < kCellWidth; ++x) {
      // Two entries of one colour (a table made by hand) still count as one colour.
      if (row[x] != firstIndex && colours[row[x]] != first) return false;
    }
  }
  return true;
}

bool CellIsOneColour24(const DibStream& catalog, int slot) {
  const int x0 = 3 * kCellWidth * (slot % 4);
  const int y0 = kCellHeight * (slot / 4);
  const std::uint8_t* first = dib::TopRow(catalog.header, catalog.bits, y0) + x0;
  for (int y = y0; y < y0 + kCellHeight; ++y) {
    const std::uint8_t* row = dib::TopRow(catalog.header, catalog.bits, y) + x0;
    for (int x = 0; x < kCellWidth; ++x) {
      if (std::memcmp(row + 3 * x, first, 3) != 0) return false;
    }
  }
  return true;
}

std::array<std::uint32_t, 256> ColourTable(const DibStream& catalog) {
  std::array<std::uint32_t, 256> colours{};
  const RGBQUAD* table = dib::ColorTable(catalog.header);
  const std::uint32_t count = std::min<std::uint32_t>(dib::ColorCount(catalog.header), 256);
  for (std::uint32_t i = 0; i < 256; ++i) {
    const RGBQUAD& entry = table[i < count ? i : 0];
    colours[i] = static_cast<std::uint32_t>(entry.rgbRed) << 16 | entry.rgbGreen << 8 | entry.rgbBlue;
  }
  return colours;
}

}  // namespace

bool IsCatalogFormat(const DibStream& catalog) {
  const BITMAPINFOHEADER* h = catalog.header;
  return h != nullptr && catalog.bits != nullptr && h->biWidth == kCatalogWidth &&
         dib::AbsHeight(h->biHeight) == kCatalogHeight && h->biBitCount == 8;
}

bool FindPictureCells(DibStream& catalog, std::bitset<kSlotCount>& pictures) {
  pictures.reset();
  if (IsCatalogFormat(catalog)) {
    const std::array<std::uint32_t, 256> colours = ColourTable(catalog);
    for (int slot = 0; slot < kSlotCount; ++slot) pictures[slot] = !CellIsOneColour8(catalog, slot, colours);
    return true;
  }
  if (!NormaliseCatalog(catalog)) return false;
  for (int slot = 0; slot < kSlotCount; ++slot) pictures[slot] = !CellIsOneColour24(catalog, slot);
  return true;
}
