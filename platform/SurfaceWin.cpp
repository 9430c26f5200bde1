// The memory surface on Windows: a memory device context with a top-down 32-bit DIB section.
#ifdef _WIN32

#include <cstddef>

#include "platform/Surface.h"

namespace platform {

MemorySurface::~MemorySurface() { Release(); }

bool MemorySurface::Create(int width, int height) {
  Release();
  if (width <= 0 || height <= 0) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: top-down, row 0 first in memory
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;     // a row is width * 4 bytes, already DWORD-aligned
  info.bmiHeader.biCompression = BI_RGB;
  dc_ = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  bitmap_ = dc_ ? CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
  if (bitmap_ == nullptr) {
    Release();
    return false;
  }
  previous_ = SelectObject(dc_, bitmap_);
  pixels_ = static_cast<std::uint32_t*>(bits);
  width_ = width;
  height_ = height;
  return true;
}

void MemorySurface::Finish() {
  if (dc_ == nullptr) return;
  GdiFlush();  // GDI may hold drawing calls back; the bits are current only after a flush
  // A 32-bit BI_RGB pixel is the bytes blue, green, red and one GDI leaves 0.
  const std::size_t count = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
  for (std::size_t i = 0; i < count; ++i) pixels_[i] |= 0xFF000000u;
}

void MemorySurface::Release() {
  if (bitmap_ != nullptr) {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    bitmap_ = nullptr;
  }
  if (dc_ != nullptr) DeleteDC(dc_);
  dc_ = nullptr;
  pixels_ = nullptr;
  width_ = height_ = 0;
}

}  // namespace platform

#endif
