// The rasteriser's process-wide state and the pixel stores shared by triangles, lines and boxes.
// Nothing here is exported: the library is built with hidden visibility and a version script.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

class DibStream;

namespace velrast {

// The span limits of one buffer row for the triangle being drawn: its leftmost and rightmost pixel
// and their depths, side by side so that one row's limits share a cache line.
struct RowLimits {
  int leftX;
  int rightX;
  float leftZ;
  float rightZ;
};

struct State {
  int renderBpp = 24;     // depth of the next buffer
  int zBufferSwitch = 1;  // allocate (and clear) a depth buffer
  int zTestSwitch = 1;    // the caller's wish to depth-test
  float zClear = 1.0f;
  int zTest = 1;          // zTestSwitch and a depth buffer exists

  // The current buffer. bpp is the depth it was made with: drawing always uses it, so that a
  // vlrSetRenderBpp between vlrInitBuffer and vlrDestroy cannot make a store overrun the rows.
  int bpp = 0;
  int width = 0;
  int height = 0;
  int lastColumn = 0;
  int lastRow = 0;
  int stride = 0;  // bytes per row
  std::uint8_t* pixels = nullptr;
  float* depth = nullptr;  // width x height, top row first
  float halfWidth = 0.0f;
  float halfHeight = 0.0f;
  DibStream* frame = nullptr;

  std::uint32_t color = 0;    // 0x00RRGGBB
  std::uint16_t color16 = 0;  // x-RRRRR-GGGGG-BBBBB
  std::uint8_t color8 = 0;    // index into the 6x6x6 cube

  RowLimits* rows = nullptr;  // height entries, made with the buffer
};

extern constinit State g;

inline bool HaveBuffer() { return g.pixels != nullptr; }

inline std::uint8_t* Row(int y) { return g.pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(g.stride); }
inline float* DepthRow(int y) { return g.depth + static_cast<std::size_t>(y) * static_cast<std::size_t>(g.width); }

// Stores the current colour into pixels xl..xr (inclusive, already inside the row) of one row.
inline void FillSpan(std::uint8_t* row, int xl, int xr) {
  const std::size_t n = static_cast<std::size_t>(xr - xl) + 1;
  switch (g.bpp) {
    case 8:
      std::memset(row + xl, g.color8, n);
      break;
    case 16: {
      auto* p = row + static_cast<std::size_t>(xl) * 2;
      const std::uint8_t lo = static_cast<std::uint8_t>(g.color16), hi = static_cast<std::uint8_t>(g.color16 >> 8);
      if (lo == hi) {
        std::memset(p, lo, n * 2);
      } else {
        for (std::size_t i = 0; i < n; ++i) p[2 * i] = lo, p[2 * i + 1] = hi;
      }
      break;
    }
    case 24: {
      auto* p = row + static_cast<std::size_t>(xl) * 3;
      const auto b = static_cast<std::uint8_t>(g.color), gr = static_cast<std::uint8_t>(g.color >> 8),
                 r = static_cast<std::uint8_t>(g.color >> 16);
      const std::size_t lead = n < 4 ? n : 4;
      for (std::size_t i = 0; i < lead; ++i) p[3 * i] = b, p[3 * i + 1] = gr, p[3 * i + 2] = r;
      // Longer spans copy the pixels already written, doubling each time: every copy is a whole
      // number of pixels, so the BB GG RR pattern stays in step.
      const std::size_t total = n * 3;
      for (std::size_t done = lead * 3; done < total;) {
        const std::size_t chunk = done < total - done ? done : total - done;
        std::memcpy(p + done, p, chunk);
        done += chunk;
      }
      break;
    }
    default: {
      // Little-endian words, built byte by byte so the store order does not depend on the host.
      auto* p = row + static_cast<std::size_t>(xl) * 4;
      std::uint8_t bytes[4] = {static_cast<std::uint8_t>(g.color), static_cast<std::uint8_t>(g.color >> 8),
                               static_cast<std::uint8_t>(g.color >> 16), static_cast<std::uint8_t>(g.color >> 24)};
      for (std::size_t i = 0; i < n; ++i, p += 4) std::memcpy(p, bytes, 4);
      break;
    }
  }
}

inline void PutPixel(std::uint8_t* row, int x) { FillSpan(row, x, x); }

// A centre-relative float coordinate to a pixel where the sum lies within 2^22 of the centre, which
// covers every buffer we can make: false elsewhere (NaN included), where FloatToPixel takes over.
inline bool FloatToNearPixel(float half, float v, int& out) {
  const float s = half + v;
  if (!(std::fabs(s) <= 4194304.0f)) return false;
  // Adding and taking away 1.5 * 2^23 leaves s rounded to an integer by the FPU's own rounding (to
  // nearest, ties to even), exactly within that range. Without fast-math the compiler may not fold
  // the pair away.
  const float t = s + 12582912.0f;
  out = static_cast<int>(t - 12582912.0f);
  return true;
}

// A centre-relative float coordinate to a pixel: the sum is rounded to single precision and then to
// the nearest integer, ties to even. NaN gives false; values beyond the 32-bit range saturate, and
// the integer clipping takes them from there.
inline bool FloatToPixel(float half, float v, int& out) {
  if (FloatToNearPixel(half, v, out)) return true;
  const float s = half + v;
  if (std::isnan(s)) return false;
  if (s >= 2147483648.0f) {
    out = std::numeric_limits<int>::max();
  } else if (s <= -2147483648.0f) {
    out = std::numeric_limits<int>::min();
  } else {
    out = static_cast<int>(std::nearbyint(s));
  }
  return true;
}

}  // namespace velrast
