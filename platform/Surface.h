// A device context over a picture that its owner can read and write: width x height 32-bit pixels,
// 0x00RRGGBB in the low three bytes, top row first, width pixels a row. On Windows it is a memory DC
// with a top-down DIB section selected into it; elsewhere the stand-in device context over a block of
// its own. A picture panel paints through one, and tests read back what was drawn.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Gdi.h"

namespace platform {

class MemorySurface {
 public:
  MemorySurface() = default;
  ~MemorySurface();
  MemorySurface(const MemorySurface&) = delete;
  MemorySurface& operator=(const MemorySurface&) = delete;

  // Replaces the picture by one of width x height pixels (contents undefined). False, and the
  // surface empty, when the size is not positive or the system gives no device context or memory.
  bool Create(int width, int height);
  // Null, 0 and 0 while empty.
  HDC Dc() const { return dc_; }
  std::uint32_t* Pixels() const { return pixels_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // After drawing through Dc(): everything drawn is in Pixels(), and each pixel's fourth byte is
  // 0xFF (GDI leaves it 0), so the picture reads as opaque 0xFFRRGGBB words.
  void Finish();

 private:
  void Release();

  HDC dc_ = nullptr;
  std::uint32_t* pixels_ = nullptr;
  int width_ = 0;
  int height_ = 0;
#ifdef _WIN32
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
#else
  std::vector<std::uint32_t> block_;
  DeviceContext context_;
#endif
};

}  // namespace platform
