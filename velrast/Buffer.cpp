// The frame buffer and depth buffer, the switches, colours, clearing and output.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>

#include "image/DibStream.h"
#include "platform/Memory.h"
#include "velrast/Raster.h"
#include "velrast/velrast.h"

namespace velrast {

constinit State g;

namespace {

void SetColorForms(std::uint32_t c) {
  g.color = c;
  const std::uint32_t r = (c >> 16) & 0xFF, gr = (c >> 8) & 0xFF, b = c & 0xFF;
  g.color8 = static_cast<std::uint8_t>((r / 43) * 36 + (gr / 43) * 6 + b / 43);
  g.color16 = static_cast<std::uint16_t>(((c >> 9) & 0x7C00) | ((c >> 6) & 0x03E0) | ((c >> 3) & 0x001F));
}

template <typename T>
T* HeapArray(std::size_t count) {
  return static_cast<T*>(platform::HeapAllocate(count * sizeof(T)));
}

void ReleaseAll() {
  // The one place the frame object is owned: the library keeps it by plain pointer so that loading
  // and unloading run no constructor or destructor of ours.
  delete g.frame;
  g.frame = nullptr;
  platform::HeapRelease(g.depth);
  platform::HeapRelease(g.rows);
  g.depth = nullptr;
  g.rows = nullptr;
  g.pixels = nullptr;
  g.bpp = 0;
  g.width = g.height = g.lastColumn = g.lastRow = g.stride = 0;
  g.halfWidth = g.halfHeight = 0.0f;
}

void WriteColorCube(BITMAPINFOHEADER* header) {
  RGBQUAD* table = dib::ColorTable(header);
  for (int r = 0; r < 6; ++r) {
    for (int gr = 0; gr < 6; ++gr) {
      for (int b = 0; b < 6; ++b) {
        table[r * 36 + gr * 6 + b] = RGBQUAD{static_cast<BYTE>(b * 43), static_cast<BYTE>(gr * 43),
                                             static_cast<BYTE>(r * 43), 0};
      }
    }
  }
}

}  // namespace
}  // namespace velrast

using velrast::g;

extern "C" {

int VLR_API vlrSetRenderBpp(int depth) {
  if (depth != 8 && depth != 16 && depth != 24 && depth != 32) return 0;
  g.renderBpp = depth;
  return 1;
}

int VLR_API vlrInitBuffer(int width, int height) {
  velrast::ReleaseAll();
  if (width <= 0 || height <= 0) return 0;
  auto* frame = new (std::nothrow) DibStream;
  if (frame == nullptr) return 0;
  g.frame = frame;
  if (!frame->Create(width, -height, g.renderBpp)) {
    velrast::ReleaseAll();
    return 0;
  }
  const auto rows = static_cast<std::size_t>(height);
  g.rows = velrast::HeapArray<velrast::RowLimits>(rows);
  if (g.zBufferSwitch) g.depth = velrast::HeapArray<float>(rows * static_cast<std::size_t>(width));
  if (!g.rows || (g.zBufferSwitch && !g.depth)) {
    velrast::ReleaseAll();
    return 0;
  }

  g.bpp = g.renderBpp;
  g.width = width;
  g.height = height;
  g.lastColumn = width - 1;
  g.lastRow = height - 1;
  g.stride = frame->RowBytes();
  g.pixels = frame->bits;
  g.halfWidth = static_cast<float>(width) * 0.5f;
  g.halfHeight = static_cast<float>(height) * 0.5f;
  if (g.bpp == 8) velrast::WriteColorCube(frame->header);
  g.zTest = g.depth != nullptr && g.zTestSwitch;
  velrast::SetColorForms(g.color);
  return 1;
}

void VLR_API vlrDestroy(void) { velrast::ReleaseAll(); }

int VLR_API vlrRender(HDC dc, int x, int y) {
  if (g.frame == nullptr || g.frame->bits == nullptr) return 0;
  return g.frame->DrawStretched(dc, x, y, g.width, g.height);
}

int VLR_API vlrGetDib(BITMAPINFOHEADER** info, unsigned char** pixels) {
  const bool have = g.frame != nullptr && g.frame->bits != nullptr;
  if (info != nullptr) *info = have ? g.frame->header : nullptr;
  if (pixels != nullptr) *pixels = have ? g.frame->bits : nullptr;
  return have ? 1 : 0;
}

int VLR_API vlrZBufferEnable(int on) {
  g.zBufferSwitch = on;
  return on;
}

int VLR_API vlrZTestEnable(int on) {
  g.zTestSwitch = on;
  if (g.depth != nullptr) g.zTest = on;
  return on;
}

uint32_t VLR_API vlrGetColor(void) { return g.color; }

// Both reduced forms are kept up to date whatever the depth; only the buffer's own is ever stored.
void VLR_API vlrSetColor(uint32_t color) { velrast::SetColorForms(color); }

void VLR_API vlrSetColorf(float r, float gr, float b) {
  // Out-of-range components (attribute colours above 1.0, NaN) would shift into the neighbouring
  // channel or convert with undefined behaviour; NaN counts as 0.
  const auto channel = [](float v) -> std::uint32_t {
    if (!(v > 0.0f)) v = 0.0f;
    if (v > 1.0f) v = 1.0f;
    return static_cast<std::uint32_t>(v * 255.5f);
  };
  velrast::SetColorForms(channel(r) << 16 | channel(gr) << 8 | channel(b));
}

void VLR_API vlrClear(void) {
  if (!velrast::HaveBuffer()) return;
  const std::size_t block = static_cast<std::size_t>(g.stride) * static_cast<std::size_t>(g.height);
  switch (g.bpp) {
    case 8:
      std::memset(g.pixels, g.color8, block);
      break;
    case 16:
      // Whole words, the row padding included.
      for (std::size_t i = 0; i + 1 < block; i += 2) {
        g.pixels[i] = static_cast<std::uint8_t>(g.color16);
        g.pixels[i + 1] = static_cast<std::uint8_t>(g.color16 >> 8);
      }
      break;
    case 24:
      // The first row pixel by pixel, the others copied from it; the padding bytes at the end of
      // each row are left as they are.
      velrast::FillSpan(velrast::Row(0), 0, g.lastColumn);
      for (int y = 1; y < g.height; ++y) {
        std::memcpy(velrast::Row(y), velrast::Row(0), static_cast<std::size_t>(g.width) * 3);
      }
      break;
    default:
      for (int y = 0; y < g.height; ++y) velrast::FillSpan(velrast::Row(y), 0, g.lastColumn);
      break;
  }
  if (g.zBufferSwitch && g.depth != nullptr) {
    // Through locals: a store through g.depth could alias g.zClear, which would keep the loop from
    // being vectorised.
    const std::size_t cells = static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.height);
    float* const depth = g.depth;
    const float clear = g.zClear;
    std::fill(depth, depth + cells, clear);
  }
}

}  // extern "C"
