// Generated 24-bit pictures shared by the median-cut and scaling benchmarks, so that our runs and the peer's run in
// bench/median_scale_vs_pillow.py see the same pixels (the script has the benchmark write them out).
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "image/DibStream.h"

namespace benchpictures {

enum Kind { Smooth, Levels, Noise, Preview };
inline const char* Name(Kind kind) {
  switch (kind) {
    case Smooth: return "smooth";
    case Levels: return "levels";
    case Noise: return "noise";
    default: return "preview";
  }
}

// Smooth: three slow waves, many colours and long gradients. Levels: 30 levels a channel combined
// so that about 27,000 colours occur. Noise: every byte from xorshift32. Preview: a flat-shaded
// rendering stand-in (shaded discs on a plain background) for the thumbnail scaling.
inline bool Make(DibStream& image, Kind kind, int width, int height) {
  if (!image.Create(width, height, 24)) return false;
  const std::size_t stride = dib::Stride(width, 24);
  std::memset(image.bits, 0, stride * static_cast<std::size_t>(height));
  std::uint32_t state = 2463534242u;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = image.bits + stride * static_cast<std::size_t>(y) + 3 * static_cast<std::size_t>(x);
      switch (kind) {
        case Smooth:
          p[0] = static_cast<std::uint8_t>(127.5 + 127.5 * std::sin(x / 41.0) * std::cos(y / 29.0));
          p[1] = static_cast<std::uint8_t>(y * 255 / (height - 1));
          p[2] = static_cast<std::uint8_t>(127.5 + 127.5 * std::sin((x + 2 * y) / 67.0));
          break;
        case Levels:
          p[0] = static_cast<std::uint8_t>((x + 7 * y) % 30 * 255 / 29);
          p[1] = static_cast<std::uint8_t>(y * 30 / height * 255 / 29);
          p[2] = static_cast<std::uint8_t>(x * 30 / width * 255 / 29);
          break;
        case Noise:
          for (int k = 0; k < 3; ++k) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            p[k] = static_cast<std::uint8_t>(state >> 24);
          }
          break;
        case Preview: {
          p[0] = 155, p[1] = 75, p[2] = 115;  // the default preview background
          for (int disc = 0; disc < 5; ++disc) {
            const double cx = width * (0.2 + 0.15 * disc), cy = height * (0.3 + 0.1 * disc), r = height * 0.22;
            const double dx = x - cx, dy = y - cy;
            if (dx * dx + dy * dy < r * r) {
              const double shade = 0.4 + 0.6 * (1 - std::sqrt(dx * dx + dy * dy) / r);
              p[0] = static_cast<std::uint8_t>(shade * (60 + 40 * disc));
              p[1] = static_cast<std::uint8_t>(shade * (220 - 30 * disc));
              p[2] = static_cast<std::uint8_t>(shade * 200);
            }
          }
          break;
        }
      }
    }
  }
  return true;
}

// A view of `source` that borrows its blocks, with a header of its own: operations that replace the
// pixel block and rewrite the header (Scale, ConvertDepth) leave source as it is.
struct Borrowed {
  BITMAPINFOHEADER header;
  DibStream image;
  explicit Borrowed(const DibStream& source) : header(*source.header) {
    image.Adopt(&header, DibBorrowed, source.bits, DibBorrowed);
  }
};

}  // namespace benchpictures
