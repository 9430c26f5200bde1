// Reading the rasteriser's frame back through vlrGetDib, as the program does.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "velrast/velrast.h"

namespace velrast_test {

struct Frame {
  BITMAPINFOHEADER* header = nullptr;
  unsigned char* bits = nullptr;
  int width = 0;
  int height = 0;
  int bpp = 0;
  int stride = 0;

  // The stored pixel value: the index at 8, the little-endian word at 16 and 32, 0xRRGGBB at 24.
  std::uint32_t At(int x, int y) const {
    const unsigned char* row = bits + static_cast<std::size_t>(y) * stride;
    switch (bpp) {
      case 8: return row[x];
      case 16: return row[2 * x] | static_cast<std::uint32_t>(row[2 * x + 1]) << 8;
      case 24: return row[3 * x] | static_cast<std::uint32_t>(row[3 * x + 1]) << 8 | static_cast<std::uint32_t>(row[3 * x + 2]) << 16;
      default: {
        std::uint32_t v;
        std::memcpy(&v, row + 4 * x, 4);
        return v;
      }
    }
  }

  // One text row per buffer row: '#' where the pixel differs from the pixel at `background`'s value.
  std::vector<std::string> Picture(std::uint32_t background) const {
    std::vector<std::string> rows;
    for (int y = 0; y < height; ++y) {
      std::string line;
      for (int x = 0; x < width; ++x) line += At(x, y) == background ? '.' : '#';
      rows.push_back(line);
    }
    return rows;
  }
};

inline Frame Grab() {
  Frame f;
  if (!vlrGetDib(&f.header, &f.bits) || f.header == nullptr) return f;
  f.width = f.header->biWidth;
  f.height = -f.header->biHeight;
  f.bpp = f.header->biBitCount;
  f.stride = static_cast<int>((static_cast<unsigned>(f.width) * f.bpp + 31) / 32 * 4);
  return f;
}

// A fresh buffer at the given depth, cleared to black, with the default switches.
inline Frame Fresh(int width, int height, int bpp = 24) {
  vlrDestroy();
  vlrZBufferEnable(1);
  vlrZTestEnable(1);
  vlrSetRenderBpp(bpp);
  vlrSetColor(0);
  vlrInitBuffer(width, height);
  vlrClear();
  return Grab();
}

// Every test leaves the library with no buffer and the load-time defaults.
inline void Reset() {
  vlrDestroy();
  vlrZBufferEnable(1);
  vlrZTestEnable(1);
  vlrSetRenderBpp(24);
  vlrSetColor(0);
}

}  // namespace velrast_test
