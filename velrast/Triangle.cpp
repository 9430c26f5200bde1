// Flat triangles: each edge is walked once, row by row, with a quotient and remainder worked out at
// set-up; the leftmost and rightmost pixel each row reaches go into the row tables, and each row is
// then filled between them, both ends included.
//
// Where two edges reach the same x in a row, the depth of the edge taken first in the order 1-2,
// 2-3, 1-3 is kept. The long edge 1-3 covers every visible row, so it is walked first and writes the
// tables outright (no reset, no compare); the short edges then merge into them, 2-3 before 1-2, each
// taking a tie, which keeps that order.
//
// Coordinates may lie anywhere in the 32-bit range. Clipping and the walk work in 64 bits, and every
// clipped or walked x lies between the edge's own two x values, so it always fits back into an int.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>

#include "velrast/Raster.h"
#include "velrast/velrast.h"

namespace velrast {
namespace {

using i64 = std::int64_t;

// How an edge enters a row: the long edge sets the row's limits, a short edge widens them and wins
// a tie.
enum class Enter { Set, Merge };

template <bool Depth, Enter How>
inline void EnterLeft(RowLimits& row, std::int64_t x, float z) {
  if (How == Enter::Set || row.leftX >= x) {
    row.leftX = static_cast<int>(x);
    if constexpr (Depth) row.leftZ = z;
  }
}

template <bool Depth, Enter How>
inline void EnterRight(RowLimits& row, std::int64_t x, float z) {
  if (How == Enter::Set || row.rightX <= x) {
    row.rightX = static_cast<int>(x);
    if constexpr (Depth) row.rightZ = z;
  }
}

// Enters point (x, y) into its row's span limits, its depth with it.
template <bool Depth, Enter How>
inline void EnterPoint(int y, std::int64_t x, float z) {
  EnterLeft<Depth, How>(g.rows[y], x, z);
  EnterRight<Depth, How>(g.rows[y], x, z);
}

// zx where the carry mask is all ones, else -0.0, which added to any z leaves it as it was (+0.0
// would turn a -0.0 into +0.0).
inline float CarryStep(i64 carry, float zx) {
  const auto m = static_cast<std::uint32_t>(carry);
  return std::bit_cast<float>((std::bit_cast<std::uint32_t>(zx) & m) | (0x80000000u & ~m));
}

// An edge's steps per row: whole pixels (q) and remainder (r) against its rows (dy), and its depth
// steps per q pixels, per carried pixel and per row.
struct Steps {
  i64 q, r, dy;
  float zq, zx, zrow;
  bool flat;
};

// Rows y0..y1-1 of an edge starting at x with depth z; a row takes the run from its starting x to its
// x after the step, and the error's carry then moves x one pixel more.
template <bool Depth, Enter How, bool Rising, bool MaskedCarry>
[[gnu::always_inline]] inline void StepRows(int y0, int y1, i64 x, float z, i64 err, const Steps& s) {
  RowLimits* const rows = g.rows;
  const i64 dir = Rising ? 1 : -1;
  for (int y = y0;;) {
    if (Rising) EnterLeft<Depth, How>(rows[y], x, z); else EnterRight<Depth, How>(rows[y], x, z);
    if constexpr (Depth) if (s.flat) z += s.zq;
    x += dir * s.q;
    err -= s.r;
    if (Rising) EnterRight<Depth, How>(rows[y], x, z); else EnterLeft<Depth, How>(rows[y], x, z);
    if (++y == y1) break;  // the last row's carry would go nowhere
    if constexpr (MaskedCarry) {
      const i64 carry = err >> 63;  // all ones where the error went negative
      err += s.dy & carry;
      x -= dir * carry;
      if constexpr (Depth) if (s.flat) z += CarryStep(carry, s.zx);
    } else if (err < 0) {
      err += s.dy;
      x += dir;
      if constexpr (Depth) if (s.flat) z += s.zx;
    }
    if constexpr (Depth) if (!s.flat) z += s.zrow;
  }
}

// Walks the edge A-B into the row tables; the depth path carries z along.
template <bool Depth, Enter How>
[[gnu::always_inline]] inline void WalkEdge(i64 xa, i64 ya, float za, i64 xb, i64 yb, float zb) {
  // 1. Clip to the top row; a clipped end moves along the edge, its depth with it.
  if (ya < 0) {
    if (yb < 0) return;
    xa = xa - (xb - xa) * ya / (yb - ya);
    if constexpr (Depth) za = za - (zb - za) * static_cast<float>(ya) / static_cast<float>(yb - ya);
    ya = 0;
  } else if (yb < 0) {
    xb = xb - (xa - xb) * yb / (ya - yb);
    if constexpr (Depth) zb = zb - (za - zb) * static_cast<float>(yb) / static_cast<float>(ya - yb);
    yb = 0;
  }
  // 2. Clip to the bottom row.
  const i64 last = g.lastRow;
  if (ya > last) {
    if (yb > last) return;
    xa = xa + (xb - xa) * (last - ya) / (yb - ya);
    if constexpr (Depth) za = za + (zb - za) * static_cast<float>(last - ya) / static_cast<float>(yb - ya);
    ya = last;
  } else if (yb > last) {
    xb = xb + (xa - xb) * (last - yb) / (ya - yb);
    if constexpr (Depth) zb = zb + (za - zb) * static_cast<float>(last - yb) / static_cast<float>(ya - yb);
    yb = last;
  }
  // 3. Walk downwards.
  if (ya > yb) {
    std::swap(xa, xb);
    std::swap(ya, yb);
    std::swap(za, zb);
  }
  // A horizontal edge has no row to step: only its end point B enters (step 7). Every edge of a
  // triangle within one row is one, so sub-pixel triangles skip the divisions below.
  if (ya == yb) {
    EnterPoint<Depth, How>(static_cast<int>(yb), xb, zb);
    return;
  }
  // 4. Whole pixels (q) and remainder (r) per row.
  const i64 dx = xb >= xa ? xb - xa : xa - xb;
  const i64 dy = yb - ya;
  i64 err = dy / 2;
  i64 q = 0, r = 0;
  if (dy > 0) {
    // A 32-bit division where the values allow (every edge of a normal picture): the 64-bit one
    // costs several times as much, once per edge.
    if (dx <= dy) {
      q = 0;  // steep: no whole pixel per row
      r = dx;
    } else if (dx <= 0xFFFFFFFF) {
      const auto n = static_cast<std::uint32_t>(dx), d = static_cast<std::uint32_t>(dy + 1);
      q = n / d;
      r = n % d;
    } else {
      q = dx / (dy + 1);
      r = dx - q * (dy + 1);
    }
  }
  // 5. Depth steps: per row for steep edges, per pixel along x (and per q pixels) for flat ones.
  const bool flat = dx > dy;
  float zrow = 0.0f, zx = 0.0f, zq = 0.0f;
  if constexpr (Depth) {
    // Dividing by 1 is exact, so the common one-row and one-pixel steps skip the division.
    if (!flat) {
      if (dy > 1) {
        zrow = (zb - za) / static_cast<float>(dy);
      } else if (dy == 1) {
        zrow = zb - za;
      }
    } else {
      zx = dx == 1 ? zb - za : (zb - za) / static_cast<float>(dx);
      zq = static_cast<float>(q) * zx;
    }
  }

  // 6. One step per row. Where carries are rare (under one row in eight) a branch on them costs
  //    nothing; elsewhere they come irregularly, and they are taken as arithmetic.
  const Steps st{q, r, dy, zq, zx, zrow, flat};
  const int y0 = static_cast<int>(ya), y1 = static_cast<int>(yb);
  const bool rare = r < dy / 8;
  if (xa <= xb) {
    if (rare) StepRows<Depth, How, true, false>(y0, y1, xa, za, err, st);
    else StepRows<Depth, How, true, true>(y0, y1, xa, za, err, st);
  } else {
    if (rare) StepRows<Depth, How, false, false>(y0, y1, xa, za, err, st);
    else StepRows<Depth, How, false, true>(y0, y1, xa, za, err, st);
  }
  // 7. The end point B enters its own row.
  EnterPoint<Depth, How>(y1, xb, zb);
}

// The current colour in a buffer's pixel form, as bytes held in registers: a byte store into the
// frame may alias anything, so the loops must not read the colour back from the library state.
struct PixelBytes {
  std::uint8_t b[4];
  explicit PixelBytes(int bpp) {
    switch (bpp) {
      case 8: b[0] = g.color8, b[1] = b[2] = b[3] = 0; break;
      case 16: b[0] = static_cast<std::uint8_t>(g.color16), b[1] = static_cast<std::uint8_t>(g.color16 >> 8), b[2] = b[3] = 0; break;
      default:
        for (int i = 0; i < 4; ++i) b[i] = static_cast<std::uint8_t>(g.color >> (8 * i));
        break;
    }
  }
};

// Depth-tested fill of rows first..last; a pixel is taken where its z is strictly nearer. Without
// Clip every span is known to lie inside the rows (the triangle does), which saves the tests.
template <int Bpp, bool Clip>
void DepthSpans(int first, int last) {
  const i64 right = g.lastColumn;
  const PixelBytes color(Bpp);
  const RowLimits* const rows = g.rows;
  // The buffer's geometry in locals: a byte store into the frame may alias the library state, which
  // would otherwise be read again every row.
  std::uint8_t* const pixels = g.pixels;
  float* const depthBuffer = g.depth;
  const auto stride = static_cast<std::size_t>(g.stride), width = static_cast<std::size_t>(g.width);
  for (int y = first; y <= last; ++y) {
    i64 xl = rows[y].leftX, xr = rows[y].rightX;
    float zl = rows[y].leftZ, zr = rows[y].rightZ;
    if constexpr (Clip) {
      if (xl > right || xr < 0) continue;
      if (xl < 0) {
        zl = zl - (zr - zl) * static_cast<float>(xl) / static_cast<float>(xr - xl);
        xl = 0;
      }
      if (xr > right) {
        if (xl != xr) zr = zr + (zl - zr) * static_cast<float>(right - xr) / static_cast<float>(xl - xr);
        xr = right;
      }
    }
    std::uint8_t* const row = pixels + static_cast<std::size_t>(y) * stride;
    float* const depth = depthBuffer + static_cast<std::size_t>(y) * width;
    // The depth is stored back whatever the test gives; the colour goes in as one copy (two stores
    // at 24 bits) where the pixel passes.
    const auto test = [&](int x, float z) {
      const float d = depth[x];
      const bool pass = z < d;
      depth[x] = pass ? z : d;
      if (pass) std::memcpy(row + static_cast<std::size_t>(x) * (Bpp / 8), color.b, Bpp / 8);
    };
    // The first pixel needs no depth step: a one-pixel row ends there without the division.
    const int start = static_cast<int>(xl), end = static_cast<int>(xr);
    test(start, zl);
    if (start == end) continue;
    const float dz = (zr - zl) / static_cast<float>(xr - xl);
    float z = zl;
    for (int x = start + 1; x <= end; ++x) {
      z += dz;
      test(x, z);
    }
  }
}

void PlainSpans(int first, int last) {
  for (int y = first; y <= last; ++y) {
    const int xl = std::max(g.rows[y].leftX, 0);
    const int xr = std::min(g.rows[y].rightX, g.lastColumn);
    if (xl <= xr) FillSpan(Row(y), xl, xr);
  }
}

template <bool Depth>
void DrawTriangle(int x1, int y1, float z1, int x2, int y2, float z2, int x3, int y3, float z3) {
  if (!HaveBuffer()) return;
  // 1. Sort by y with three compare-and-swaps; x and z travel with their vertex.
  if (y1 > y2) std::swap(x1, x2), std::swap(y1, y2), std::swap(z1, z2);
  if (y2 > y3) std::swap(x2, x3), std::swap(y2, y3), std::swap(z2, z3);
  if (y1 > y2) std::swap(x1, x2), std::swap(y1, y2), std::swap(z1, z2);
  // 2. Wholly above or below the buffer, or wholly left or right of it: every x an edge reaches lies
  //    between its end points, so no span would keep a pixel.
  if (y3 < 0 || y1 >= g.height) return;
  const int lastColumn = g.lastColumn;
  if ((x1 < 0 && x2 < 0 && x3 < 0) || (x1 > lastColumn && x2 > lastColumn && x3 > lastColumn)) return;
  // 3. Edges, the long edge 1-3 first (it covers every visible row). A triangle within one row (a
  //    visible one, after step 2) has three horizontal edges, and each enters only its end point:
  //    that of 2-3 and 1-3 is point 3, that of 1-2 point 2, which wins a tie.
  const int first = std::max(y1, 0), last = std::min(y3, g.lastRow);
  if (y1 == y3) {
    EnterPoint<Depth, Enter::Set>(y3, x3, z3);
    EnterPoint<Depth, Enter::Merge>(y2, x2, z2);
  } else {
    WalkEdge<Depth, Enter::Set>(x1, y1, z1, x3, y3, z3);
    if (y2 <= g.lastRow) WalkEdge<Depth, Enter::Merge>(x2, y2, z2, x3, y3, z3);
    if (y2 >= 0) WalkEdge<Depth, Enter::Merge>(x1, y1, z1, x2, y2, z2);
  }
  // 4. Spans.
  if constexpr (Depth) {
    const bool inside = std::min({x1, x2, x3}) >= 0 && std::max({x1, x2, x3}) <= lastColumn;
    switch (g.bpp) {
      case 8: inside ? DepthSpans<8, false>(first, last) : DepthSpans<8, true>(first, last); break;
      case 16: inside ? DepthSpans<16, false>(first, last) : DepthSpans<16, true>(first, last); break;
      case 24: inside ? DepthSpans<24, false>(first, last) : DepthSpans<24, true>(first, last); break;
      default: inside ? DepthSpans<32, false>(first, last) : DepthSpans<32, true>(first, last); break;
    }
  } else {
    PlainSpans(first, last);
  }
}

// The exported calls reach each other through this, not through their own (interposable) names.
void Triangle3(int x1, int y1, float z1, int x2, int y2, float z2, int x3, int y3, float z3) {
  if (g.zTest && g.depth != nullptr) {
    DrawTriangle<true>(x1, y1, z1, x2, y2, z2, x3, y3, z3);
  } else {
    DrawTriangle<false>(x1, y1, z1, x2, y2, z2, x3, y3, z3);
  }
}

// vlrTriangle3fg with a coordinate far outside the buffer, or NaN, which drops the triangle. Out of
// line, so that the common path calls nothing but the triangle and has no registers to save.
[[gnu::noinline]] void FarTriangle3fg(float x1, float y1, float z1, float x2, float y2, float z2, float x3,
                                      float y3, float z3) {
  int X1, Y1, X2, Y2, X3, Y3;
  if (!FloatToPixel(g.halfWidth, x1, X1) || !FloatToPixel(g.halfHeight, -y1, Y1) ||
      !FloatToPixel(g.halfWidth, x2, X2) || !FloatToPixel(g.halfHeight, -y2, Y2) ||
      !FloatToPixel(g.halfWidth, x3, X3) || !FloatToPixel(g.halfHeight, -y3, Y3)) {
    return;
  }
  Triangle3(X1, Y1, z1, X2, Y2, z2, X3, Y3, z3);
}

}  // namespace
}  // namespace velrast

extern "C" {

void VLR_API vlrTriangle(int x1, int y1, int x2, int y2, int x3, int y3) {
  velrast::DrawTriangle<false>(x1, y1, 0.0f, x2, y2, 0.0f, x3, y3, 0.0f);
}

void VLR_API vlrTriangle3(int x1, int y1, float z1, int x2, int y2, float z2, int x3, int y3, float z3) {
  velrast::Triangle3(x1, y1, z1, x2, y2, z2, x3, y3, z3);
}

void VLR_API vlrTriangle3fg(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
                            float z3) {
  using velrast::FloatToNearPixel;
  using velrast::g;
  // y points up in the caller's coordinates and down in the buffer.
  int X1, Y1, X2, Y2, X3, Y3;
  if (FloatToNearPixel(g.halfWidth, x1, X1) && FloatToNearPixel(g.halfHeight, -y1, Y1) &&
      FloatToNearPixel(g.halfWidth, x2, X2) && FloatToNearPixel(g.halfHeight, -y2, Y2) &&
      FloatToNearPixel(g.halfWidth, x3, X3) && FloatToNearPixel(g.halfHeight, -y3, Y3)) {
    velrast::Triangle3(X1, Y1, z1, X2, Y2, z2, X3, Y3, z3);
  } else {
    velrast::FarTriangle3fg(x1, y1, z1, x2, y2, z2, x3, y3, z3);
  }
}

void VLR_API vlrTriangle3c(int x1, int y1, float z1, uint32_t, int x2, int y2, float z2, uint32_t, int x3,
                           int y3, float z3, uint32_t) {
  velrast::Triangle3(x1, y1, z1, x2, y2, z2, x3, y3, z3);
}

}  // extern "C"
