// A drawing surface of the host whose pixels a test reads back: a memory device context (on Windows
// GDI's own) filled with one colour at first.
#pragma once

#include <cstdint>

#include "platform/Surface.h"

namespace partwell::test {

class TestSurface {
 public:
  // width x height pixels, each set to the colour fill (0x00RRGGBB).
  TestSurface(int width, int height, std::uint32_t fill = 0);

  HDC Dc() { return surface_.Dc(); }
  int Width() const { return surface_.Width(); }
  int Height() const { return surface_.Height(); }
  // The colour at (x, y), top row first, as 0x00RRGGBB, once whatever drew it has finished.
  std::uint32_t Pixel(int x, int y);

 private:
  platform::MemorySurface surface_;
};

}  // namespace partwell::test
