#include "app/Thumbnail.h"

#include <cstdlib>
#include <cstring>

#include "app/CatalogBitmap.h"
#include "platform/FrameworkError.h"
#include "velrast/velrast.h"

namespace {

constexpr int kThumbnailWidth = 256;
constexpr int kThumbnailHeight = 192;

bool IsCellPicture(const DibStream& dib) {
  return dib.header != nullptr && dib.bits != nullptr && dib.header->biBitCount == 24 &&
         dib.header->biWidth == kCellWidth && std::abs(dib.header->biHeight) == kCellHeight;
}

void FillCellPicture(DibStream& cell, std::uint32_t color) {
  for (int y = 0; y < kCellHeight; ++y) {
    std::uint8_t* p = dib::TopRow(cell.header, cell.bits, y);
    for (int x = 0; x < kCellWidth; ++x, p += 3) {
      p[0] = color & 0xFF;
      p[1] = (color >> 8) & 0xFF;
      p[2] = (color >> 16) & 0xFF;
    }
  }
}

}  // namespace

ShapeFileResult ReadShapeFile(XLoaderSuf& shape, const std::string& path, bool forDrawing) {
  ShapeFileResult result;
  shape.Clear();
  try {
    result.opened = ReadSufFile(shape, path.c_str(), result.warning);
  } catch (const platform::FrameworkError& error) {
    result.opened = true;
    result.error = error.Message();
  }
  if (!result.Loaded()) {
    shape.Clear();
    return result;
  }
  if (forDrawing) {
    shape.UpdateBounds();
    shape.UpdateNormals();
  }
  return result;
}

void RenderThumbnailCell(const XLoaderSuf& shape, std::uint32_t backColor, DibStream& cell) {
  cell.Create(kCellWidth, kCellHeight, 24);
  vlrSetColor(backColor);
  RenderShape(shape, nullptr, kThumbnailWidth, kThumbnailHeight);
  BITMAPINFOHEADER* frameHeader = nullptr;
  unsigned char* framePixels = nullptr;
  vlrGetDib(&frameHeader, &framePixels);

  DibStream thumbnail;
  if (frameHeader != nullptr && framePixels != nullptr && thumbnail.Create(kThumbnailWidth, kThumbnailHeight, 24)) {
    // Borrowed: the frame stays the rasteriser's; Scale gives the thumbnail pixels of its own, but
    // its header is still the rasteriser's, so the rows are copied out before vlrDestroy.
    thumbnail.Adopt(frameHeader, DibBorrowed, framePixels, DibBorrowed);
    thumbnail.Scale(kCellWidth, kCellHeight);
  }
  if (IsCellPicture(thumbnail)) {
    for (int y = 0; y < kCellHeight; ++y) {
      std::memcpy(dib::TopRow(cell.header, cell.bits, y), dib::TopRow(thumbnail.header, thumbnail.bits, y), 3 * kCellWidth);
    }
  } else {
    FillCellPicture(cell, backColor);
  }
  vlrDestroy();
}
