#include "tests/common/TestSurface.h"

#include <algorithm>
#include <stdexcept>

namespace partwell::test {

#ifdef _WIN32

TestSurface::TestSurface(int width, int height, std::uint32_t fill) : width_(width), height_(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down: row 0 first in memory
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  dc_ = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  bitmap_ = dc_ ? CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
  if (!bitmap_) {
    if (dc_) DeleteDC(dc_);
    throw std::runtime_error("no DIB section for a test surface");
  }
  previous_ = SelectObject(dc_, bitmap_);
  bits_ = static_cast<std::uint32_t*>(bits);
  std::fill_n(bits_, static_cast<std::size_t>(width) * height, fill & 0xFFFFFF);
}

TestSurface::~TestSurface() {
  SelectObject(dc_, previous_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

std::uint32_t TestSurface::Pixel(int x, int y) const {
  GdiFlush();  // GDI may batch drawing calls; the bits are current only after a flush
  // A 32-bit BI_RGB pixel is the bytes blue, green, red, unused: 0x00RRGGBB read little-endian.
  return bits_[static_cast<std::size_t>(y) * width_ + x] & 0xFFFFFF;
}

#else

TestSurface::TestSurface(int width, int height, std::uint32_t fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill & 0xFFFFFF) {
  bits_ = pixels_.data();
  context_ = DeviceContext{bits_, width, height, width};
  dc_ = &context_;
}

TestSurface::~TestSurface() = default;

std::uint32_t TestSurface::Pixel(int x, int y) const {
  return bits_[static_cast<std::size_t>(y) * width_ + x] & 0xFFFFFF;  // the stand-in writes alpha 0xFF
}

#endif

}  // namespace partwell::test
