#include "app/CatalogCells.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "app/CatalogBitmap.h"

namespace {

// A cell is one colour when samePixels passes its top row and every other row either holds the top
// row's bytes (one compare for the whole row) or passes samePixels itself.
template <typename SamePixels>
bool CellRowsAgree(const DibStream& catalog, int slot, int bytesPerPixel, SamePixels samePixels) {
  const int x0 = bytesPerPixel * kCellWidth * (slot % 4);
  const int y0 = kCellHeight * (slot / 4);
  const std::size_t rowBytes = static_cast<std::size_t>(bytesPerPixel) * kCellWidth;
  const std::uint8_t* top = dib::TopRow(catalog.header, catalog.bits, y0) + x0;
  if (!samePixels(top, top)) return false;
  for (int y = y0 + 1; y < y0 + kCellHeight; ++y) {
    const std::uint8_t* row = dib::TopRow(catalog.header, catalog.bits, y) + x0;
    if (std::memcmp(row, top, rowBytes) != 0 && !samePixels(row, top)) return false;
  }
  return true;
}

// An 8-bit catalog is judged on its colour table, so that no conversion is needed: the check reads a
// thousand catalogs at a time. Indices past the table's end read entry 0, as the depth conversion
// reads them, so that both ways judge a cell alike.
bool CellIsOneColour8(const DibStream& catalog, int slot, const std::array<std::uint32_t, 256>& colours) {
  // Every pixel against the top row's first. Two entries of one colour (a table made by hand) still
  // count as one colour.
  return CellRowsAgree(catalog, slot, 1, [&colours](const std::uint8_t* row, const std::uint8_t* top) {
    const std::uint32_t first = colours[top[0]];
    for (int x = 0; x < kCellWidth; ++x) {
      if (row[x] != top[0] && colours[row[x]] != first) return false;
    }
    return true;
  });
}

bool CellIsOneColour24(const DibStream& catalog, int slot) {
  return CellRowsAgree(catalog, slot, 3, [](const std::uint8_t* row, const std::uint8_t* top) {
    for (int x = 0; x < kCellWidth; ++x) {
      if (row[3 * x] != top[0] || row[3 * x + 1] != top[1] || row[3 * x + 2] != top[2]) return false;
    }
    return true;
  });
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
