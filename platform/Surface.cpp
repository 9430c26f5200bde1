// The memory surface on hosts without GDI: the stand-in device context over a block of its own.
#include "platform/Surface.h"

#ifndef _WIN32

#include <cstddef>
#include <exception>

namespace platform {

MemorySurface::~MemorySurface() { Release(); }

bool MemorySurface::Create(int width, int height) {
  Release();
  if (width <= 0 || height <= 0) return false;
  try {
    block_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  } catch (const std::exception&) {  // no memory for it
    return false;
  }
  pixels_ = block_.data();
  width_ = width;
  height_ = height;
  context_ = DeviceContext{pixels_, width, height, width};
  dc_ = &context_;
  return true;
}

void MemorySurface::Finish() {}  // the stand-in draws at once and writes opaque pixels

void MemorySurface::Release() {
  block_ = {};
  pixels_ = nullptr;
  dc_ = nullptr;
  width_ = height_ = 0;
}

}  // namespace platform

#endif
