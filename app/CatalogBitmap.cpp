#include "app/CatalogBitmap.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool IsNormalised(const DibStream& catalog) {
  const BITMAPINFOHEADER* h = catalog.header;
  return h != nullptr && catalog.bits != nullptr && h->biWidth == kCatalogWidth &&
         std::abs(h->biHeight) == kCatalogHeight && h->biBitCount == 24;
}

// Pixel column 128 * (slot % 4) of the row 96 * (slot / 4) + i counted from the top.
std::uint8_t* CellRow(DibStream& catalog, int slot, int i) {
  int row = kCellHeight * (slot / 4) + i;
  return dib::TopRow(catalog.header, catalog.bits, row) + 3 * kCellWidth * (slot % 4);
}

}  // namespace

bool NormaliseCatalog(DibStream& catalog) {
  // Already in that form, the canvas and depth steps would only copy it twice.
  if (IsNormalised(catalog)) return true;
  if (!catalog.ResizeCanvas(kCatalogWidth, kCatalogHeight, 0)) {
    catalog.ConvertDepth(24, DepthPlain);
    if (!catalog.ResizeCanvas(kCatalogWidth, kCatalogHeight, 0)) return false;
  }
  catalog.ConvertDepth(24, DepthPlain);
  return IsNormalised(catalog);
}

void PasteCell(DibStream& catalog, int slot, const DibStream& cell) {
  for (int i = 0; i < kCellHeight; ++i) {
    std::memcpy(CellRow(catalog, slot, i), dib::TopRow(cell.header, cell.bits, i), 3 * kCellWidth);
  }
}

void FillCell(DibStream& catalog, int slot, std::uint32_t color) {
  const std::uint8_t blue = color & 0xFF, green = (color >> 8) & 0xFF, red = (color >> 16) & 0xFF;
  for (int i = 0; i < kCellHeight; ++i) {
    std::uint8_t* p = CellRow(catalog, slot, i);
    for (int x = 0; x < kCellWidth; ++x, p += 3) {
      p[0] = blue;
      p[1] = green;
      p[2] = red;
    }
  }
}

bool SaveCatalog(DibStream& catalog, const std::string& path) {
  catalog.ConvertDepth(8, DepthMedianCut);
  // A reduction that could not be made leaves 24 bits; DOGA's catalogs are 8-bit files, so such a
  // picture is not written at all.
  if (catalog.header == nullptr || catalog.header->biBitCount != 8) return false;
  return catalog.SaveBmp(path);
}

bool CreateBlankCatalog(DibStream& catalog, std::uint32_t backColor) {
  if (!catalog.Create(kCatalogWidth, kCatalogHeight, 8)) return false;
  catalog.SetGrayPalette();
  RGBQUAD& entry = dib::ColorTable(catalog.header)[255];
  entry.rgbBlue = backColor & 0xFF;
  entry.rgbGreen = (backColor >> 8) & 0xFF;
  entry.rgbRed = (backColor >> 16) & 0xFF;
  entry.rgbReserved = 0;
  std::memset(catalog.bits, 255, catalog.header->biSizeImage);
  return true;
}
