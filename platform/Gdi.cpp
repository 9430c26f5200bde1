// StretchDIBits for hosts without GDI: draws DIB rows into the 0xAARRGGBB surface of a
// DeviceContext by nearest-neighbour sampling, which is what GDI's default stretching mode does for
// colour images (rows and columns are dropped or repeated, never blended).
#include "platform/Gdi.h"

#ifndef _WIN32

#include <cstdint>
#include <vector>

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

std::uint32_t Argb(const RGBQUAD& q) {
  return kOpaque | static_cast<std::uint32_t>(q.rgbRed) << 16 | static_cast<std::uint32_t>(q.rgbGreen) << 8 |
         q.rgbBlue;
}

// A 5-bit channel widened to 8 bits so that 31 becomes 255.
std::uint32_t Widen5(std::uint32_t v) { return v << 3 | v >> 2; }

struct Span {
  std::int64_t start;  // leftmost (or topmost) coordinate
  std::int64_t length;
};

// A rectangle side given as origin and signed extent: negative extents run backwards and mirror.
Span Normalise(std::int64_t origin, std::int64_t extent) {
  return extent < 0 ? Span{origin + extent, -extent} : Span{origin, extent};
}

// Nearest source index of destination index k of n, sampling at pixel centres.
std::int64_t Nearest(std::int64_t k, std::int64_t n, Span source) {
  return source.start + (2 * k + 1) * source.length / (2 * n);
}

}  // namespace

int StretchDIBits(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                  int srcWidth, int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage,
                  DWORD rop) {
  if (!dc || !dc->pixels || !bits || !info || usage != DIB_RGB_COLORS || rop != SRCCOPY) return 0;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  const int bitCount = h.biBitCount;
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biCompression != BI_RGB) return 0;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
    return 0;
  if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN) return 0;
  if (destWidth == 0 || destHeight == 0 || srcWidth == 0 || srcHeight == 0) return 0;

  const std::int64_t width = h.biWidth;
  const bool topDown = h.biHeight < 0;
  const std::int64_t rows = topDown ? -static_cast<std::int64_t>(h.biHeight) : h.biHeight;
  const std::int64_t stride = (width * bitCount + 31) / 32 * 4;

  // Indexed pixels go through the colour table; an index at or beyond the table's count reads
  // entry 0, as GDI does, so a short table never makes us read past the info block.
  std::uint32_t palette[256] = {};
  if (bitCount <= 8) {
    const std::uint32_t full = 1u << bitCount;
    const std::uint32_t count = h.biClrUsed ? h.biClrUsed : full;
    const auto* table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const std::uint8_t*>(info) + h.biSize);
    for (std::uint32_t i = 0; i < full; ++i) palette[i] = Argb(table[i < count ? i : 0]);
  }

  const Span dx = Normalise(xDest, destWidth);
  const Span dy = Normalise(yDest, destHeight);
  const Span sx = Normalise(xSrc, srcWidth);
  // ySrc counts from the bottom of a bottom-up DIB and from the top of a top-down one; both are
  // turned into rows counted from the top of the picture.
  const Span syRaw = Normalise(ySrc, srcHeight);
  const Span sy = topDown ? syRaw : Span{rows - syRaw.start - syRaw.length, syRaw.length};
  const bool mirrorX = (destWidth < 0) != (srcWidth < 0);
  const bool mirrorY = (destHeight < 0) != (srcHeight < 0);

  const std::int64_t x0 = dx.start < 0 ? 0 : dx.start;
  const std::int64_t x1 = dx.start + dx.length > dc->width ? dc->width : dx.start + dx.length;
  const std::int64_t y0 = dy.start < 0 ? 0 : dy.start;
  const std::int64_t y1 = dy.start + dy.length > dc->height ? dc->height : dy.start + dy.length;

  std::vector<std::int64_t> columns;
  if (x1 > x0) columns.resize(static_cast<std::size_t>(x1 - x0));
  for (std::int64_t x = x0; x < x1; ++x) {
    const std::int64_t k = mirrorX ? dx.length - 1 - (x - dx.start) : x - dx.start;
    columns[static_cast<std::size_t>(x - x0)] = Nearest(k, dx.length, sx);
  }

  const auto* base = static_cast<const std::uint8_t*>(bits);
  for (std::int64_t y = y0; y < y1; ++y) {
    const std::int64_t k = mirrorY ? dy.length - 1 - (y - dy.start) : y - dy.start;
    const std::int64_t r = Nearest(k, dy.length, sy);
    if (r < 0 || r >= rows) continue;
    const std::uint8_t* row = base + stride * (topDown ? r : rows - 1 - r);
    std::uint32_t* out = dc->pixels + y * dc->pixelsPerRow;
    for (std::int64_t x = x0; x < x1; ++x) {
      const std::int64_t c = columns[static_cast<std::size_t>(x - x0)];
      if (c < 0 || c >= width) continue;
      std::uint32_t pixel;
      switch (bitCount) {
        case 1: pixel = palette[row[c >> 3] >> (7 - (c & 7)) & 1]; break;
        case 4: pixel = palette[(c & 1) ? row[c >> 1] & 0x0F : row[c >> 1] >> 4]; break;
        case 8: pixel = palette[row[c]]; break;
        case 16: {
          const std::uint32_t w = row[2 * c] | static_cast<std::uint32_t>(row[2 * c + 1]) << 8;
          pixel = kOpaque | Widen5(w >> 10 & 31) << 16 | Widen5(w >> 5 & 31) << 8 | Widen5(w & 31);
          break;
        }
        default: {
          const std::uint8_t* p = row + c * (bitCount / 8);
          pixel = kOpaque | static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[0];
          break;
        }
      }
      out[x] = pixel;
    }
  }

  // Like GDI, the count of source scan lines taken, whatever the clipping of the destination.
  const std::int64_t top = sy.start < 0 ? 0 : sy.start;
  const std::int64_t bottom = sy.start + sy.length > rows ? rows : sy.start + sy.length;
  return bottom > top ? static_cast<int>(bottom - top) : 0;
}

namespace platform {

void FillSolidRect(HDC dc, int x0, int y0, int x1, int y1, std::uint32_t rgb) {
  if (!dc || !dc->pixels) return;
  const std::uint32_t argb = kOpaque | (rgb & 0x00FFFFFFu);
  for (int y = y0 < 0 ? 0 : y0; y < (y1 < dc->height ? y1 : dc->height); ++y) {
    std::uint32_t* row = dc->pixels + static_cast<std::int64_t>(y) * dc->pixelsPerRow;
    for (int x = x0 < 0 ? 0 : x0; x < (x1 < dc->width ? x1 : dc->width); ++x) row[x] = argb;
  }
}

void FillSurface(HDC dc, std::uint32_t rgb) {
  if (dc) FillSolidRect(dc, 0, 0, dc->width, dc->height, rgb);
}

}  // namespace platform

#endif
