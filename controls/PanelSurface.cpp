#include "controls/PanelSurface.h"

#include <cstdint>

TPanelSurface::~TPanelSurface() { Release(); }

#ifdef _WIN32

void TPanelSurface::Resize(QSize size) {
  if (image_.size() == size && dc_) return;
  Release();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = size.width();
  info.bmiHeader.biHeight = -size.height();  // top-down, as QImage keeps its rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dc_ = CreateCompatibleDC(nullptr);
  bitmap_ = dc_ ? CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
  if (!bitmap_) {
    // No handle to offer: the panel still paints through its canvas.
    Release();
    image_ = QImage(size, QImage::Format_RGB32);
    return;
  }
  previous_ = SelectObject(dc_, bitmap_);
  bits_ = static_cast<std::uint32_t*>(bits);
  // A 32-bit DIB row is width * 4 bytes, already DWORD-aligned.
  image_ = QImage(static_cast<uchar*>(bits), size.width(), size.height(), size.width() * 4, QImage::Format_RGB32);
}

void TPanelSurface::Finish() {
  if (!dc_) return;
  GdiFlush();
  // GDI leaves the fourth byte of a pixel 0; Qt takes RGB32 words as 0xFFRRGGBB. The bits are
  // used directly: the picture may be open in a painter, and must not be detached from them.
  const std::size_t count = static_cast<std::size_t>(image_.width()) * image_.height();
  for (std::size_t i = 0; i < count; ++i) bits_[i] |= 0xFF000000u;
}

void TPanelSurface::Release() {
  image_ = QImage();  // it points into the section: let go of it first
  if (bitmap_) {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    bitmap_ = nullptr;
    bits_ = nullptr;
  }
  if (dc_) DeleteDC(dc_);
  dc_ = nullptr;
}

#else

void TPanelSurface::Resize(QSize size) {
  if (image_.size() != size) image_ = QImage(size, QImage::Format_RGB32);
  // Taken before a painter opens the picture: bits() must not detach it while it is being painted.
  context_.pixels = reinterpret_cast<std::uint32_t*>(image_.bits());
  context_.width = image_.width();
  context_.height = image_.height();
  context_.pixelsPerRow = static_cast<int>(image_.bytesPerLine() / 4);
  dc_ = &context_;
}

void TPanelSurface::Finish() {}  // the stand-in writes opaque pixels at once

void TPanelSurface::Release() {
  image_ = QImage();
  dc_ = nullptr;
}

#endif
