#include "tests/common/TestSurface.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>

namespace partwell::test {

TestSurface::TestSurface(int width, int height, std::uint32_t fill) {
  if (!surface_.Create(width, height)) throw std::runtime_error("no memory surface for a test");
  std::fill_n(surface_.Pixels(), static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill & 0xFFFFFF);
}

std::uint32_t TestSurface::Pixel(int x, int y) {
  surface_.Finish();
  return surface_.Pixels()[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width()) + static_cast<std::size_t>(x)] & 0xFFFFFF;
}

}  // namespace partwell::test
