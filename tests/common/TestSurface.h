// A drawing surface whose pixels a test can read back: on Windows a memory device context with a
// top-down 32-bit DIB section selected into it, elsewhere the stand-in device context over a plain
// buffer. Either way the test draws through a real HDC of its host.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Gdi.h"

namespace partwell::test {

class TestSurface {
 public:
  // width x height pixels, each set to the colour fill (0x00RRGGBB).
  TestSurface(int width, int height, std::uint32_t fill = 0);
  ~TestSurface();
  TestSurface(const TestSurface&) = delete;
  TestSurface& operator=(const TestSurface&) = delete;

  HDC Dc() { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The colour at (x, y), top row first, as 0x00RRGGBB; whatever drew it has finished.
  std::uint32_t Pixel(int x, int y) const;

 private:
  int width_;
  int height_;
  std::uint32_t* bits_ = nullptr;  // row y at bits_ + y * width_
  HDC dc_ = nullptr;
#ifdef _WIN32
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
#else
  std::vector<std::uint32_t> pixels_;
  DeviceContext context_;
#endif
};

}  // namespace partwell::test
