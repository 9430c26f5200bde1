// Lines and boxes. Lines are clipped against the left, right, top and bottom borders in turn, with
// depth moved along, and then walked with a midpoint (Bresenham) step that draws both end pixels.
// Clipping works in 64 bits, so ends anywhere in the 32-bit range clip without overflow.
#include <cstdint>
#include <utility>

#include "velrast/Raster.h"
#include "velrast/velrast.h"

namespace velrast {
namespace {

using i64 = std::int64_t;

struct End {
  i64 x;
  i64 y;
  float z;
};

// Clips the ends against one border of one axis: u is the clipped coordinate (x or y), v the other.
// Returns false when both ends lie beyond it.
template <i64 End::*U, i64 End::*V>
bool ClipLow(End& a, End& b) {
  if (a.*U < 0) {
    if (b.*U < 0) return false;
    const i64 du = b.*U - a.*U;
    a.*V = a.*V - (b.*V - a.*V) * a.*U / du;
    a.z = a.z - (b.z - a.z) * static_cast<float>(a.*U) / static_cast<float>(du);
    a.*U = 0;
  } else if (b.*U < 0) {
    const i64 du = a.*U - b.*U;
    b.*V = b.*V - (a.*V - b.*V) * b.*U / du;
    b.z = b.z - (a.z - b.z) * static_cast<float>(b.*U) / static_cast<float>(du);
    b.*U = 0;
  }
  return true;
}

template <i64 End::*U, i64 End::*V>
bool ClipHigh(End& a, End& b, i64 last) {
  if (a.*U > last) {
    if (b.*U > last) return false;
    const i64 du = b.*U - a.*U;
    a.*V = a.*V + (b.*V - a.*V) * (last - a.*U) / du;
    a.z = a.z + (b.z - a.z) * static_cast<float>(last - a.*U) / static_cast<float>(du);
    a.*U = last;
  } else if (b.*U > last) {
    const i64 du = a.*U - b.*U;
    b.*V = b.*V + (a.*V - b.*V) * (last - b.*U) / du;
    b.z = b.z + (a.z - b.z) * static_cast<float>(last - b.*U) / static_cast<float>(du);
    b.*U = last;
  }
  return true;
}

bool ClipLine(End& a, End& b) {
  return ClipLow<&End::x, &End::y>(a, b) && ClipHigh<&End::x, &End::y>(a, b, g.lastColumn) &&
         ClipLow<&End::y, &End::x>(a, b) && ClipHigh<&End::y, &End::x>(a, b, g.lastRow);
}

// The midpoint walk from a to b (both inside the buffer). With depth, z runs from a.z to b.z and a
// pixel is taken where z <= the stored depth.
template <bool Depth>
void WalkLine(End a, End b) {
  if (a.x > b.x) std::swap(a, b);
  int x = static_cast<int>(a.x), y = static_cast<int>(a.y);
  const int dx = static_cast<int>(b.x - a.x);
  const int ady = static_cast<int>(b.y >= a.y ? b.y - a.y : a.y - b.y);
  const int ystep = a.y <= b.y ? 1 : -1;
  float z = a.z;
  float dz = 0.0f;
  const auto plot = [&] {
    if constexpr (Depth) {
      float* cell = DepthRow(y) + x;
      if (z <= *cell) {
        *cell = z;
        PutPixel(Row(y), x);
      }
    } else {
      PutPixel(Row(y), x);
    }
  };
  if (dx >= ady) {
    if (Depth && dx > 0) dz = (b.z - a.z) / static_cast<float>(dx);
    int err = dx / 2;
    for (int i = 0; i <= dx; ++i) {
      plot();
      if constexpr (Depth) z += dz;
      err -= ady;
      if (err < 0) {
        err += dx;
        y += ystep;
      }
      ++x;
    }
  } else {
    if (Depth) dz = (b.z - a.z) / static_cast<float>(ady);
    int err = ady / 2;
    for (int i = 0; i <= ady; ++i) {
      plot();
      if constexpr (Depth) z += dz;
      err -= dx;
      if (err < 0) {
        err += ady;
        ++x;
      }
      y += ystep;
    }
  }
}

template <bool Depth>
void DrawLine(int x1, int y1, float z1, int x2, int y2, float z2) {
  if (!HaveBuffer()) return;
  End a{x1, y1, z1}, b{x2, y2, z2};
  if (!ClipLine(a, b)) return;
  WalkLine<Depth>(a, b);
}

// Clamps one axis of a box to 0..last; false when the box lies wholly beyond one side.
bool ClampBox(int& lo, int& hi, int last) {
  if (lo < 0) {
    if (hi < 0) return false;
    lo = 0;
  } else if (hi < 0) {
    hi = 0;
  }
  if (lo > last) {
    if (hi > last) return false;
    lo = last;
  } else if (hi > last) {
    hi = last;
  }
  if (lo > hi) std::swap(lo, hi);
  return true;
}

template <bool Depth>
void DrawBox(int x1, int y1, int x2, int y2, float z) {
  if (!HaveBuffer()) return;
  if (!ClampBox(x1, x2, g.lastColumn) || !ClampBox(y1, y2, g.lastRow)) return;
  for (int y = y1; y <= y2; ++y) {
    std::uint8_t* row = Row(y);
    if constexpr (Depth) {
      float* depth = DepthRow(y);
      for (int x = x1; x <= x2; ++x) {
        if (z <= depth[x]) {
          depth[x] = z;
          PutPixel(row, x);
        }
      }
    } else {
      FillSpan(row, x1, x2);
    }
  }
}

void Line3(int x1, int y1, float z1, int x2, int y2, float z2) {
  if (g.zTest && g.depth != nullptr) {
    DrawLine<true>(x1, y1, z1, x2, y2, z2);
  } else {
    DrawLine<false>(x1, y1, z1, x2, y2, z2);
  }
}

}  // namespace
}  // namespace velrast

extern "C" {

void VLR_API vlrBox(int x1, int y1, int x2, int y2) { velrast::DrawBox<false>(x1, y1, x2, y2, 0.0f); }

void VLR_API vlrBox3(int x1, int y1, int x2, int y2, float z) {
  if (velrast::g.zTestSwitch && velrast::g.depth != nullptr) {
    velrast::DrawBox<true>(x1, y1, x2, y2, z);
  } else {
    velrast::DrawBox<false>(x1, y1, x2, y2, z);
  }
}

void VLR_API vlrLine(int x1, int y1, int x2, int y2) { velrast::DrawLine<false>(x1, y1, 0.0f, x2, y2, 0.0f); }

void VLR_API vlrLine3(int x1, int y1, float z1, int x2, int y2, float z2) { velrast::Line3(x1, y1, z1, x2, y2, z2); }

void VLR_API vlrLine3fg(float x1, float y1, float z1, float x2, float y2, float z2) {
  using velrast::FloatToPixel;
  using velrast::g;
  int X1, Y1, X2, Y2;
  if (!FloatToPixel(g.halfWidth, x1, X1) || !FloatToPixel(g.halfHeight, -y1, Y1) ||
      !FloatToPixel(g.halfWidth, x2, X2) || !FloatToPixel(g.halfHeight, -y2, Y2)) {
    return;
  }
  velrast::Line3(X1, Y1, z1, X2, Y2, z2);
}

}  // extern "C"
