// Every step is evaluated in single precision in the order written, so that a shape gives the same
// pixels on every build; only the drag arithmetic works in double, then stores floats.
#include "shape/Render.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "velrast/velrast.h"

namespace {

constexpr float kDiffuse = 0.75f;
constexpr float kAmbient = 0.25f;
constexpr float kEyeDistance = 3.0f;  // added to view-space z before the perspective divide
constexpr float kNear = 1.0f;         // depth = (w - 1) / w
constexpr float kFit = 2.0f;          // times the shorter side of the picture
constexpr double kDragRadius = 50.0;  // pixels: a step this long turns by 1/sqrt(2) radian

// Four lanes of single-precision floats. Each lane does exactly the IEEE operations of the scalar
// expression, in the same order (no fused multiply-add: -ffp-contract=off), so projecting four
// vertices at once gives the same bits as projecting them one by one.
typedef float F4 __attribute__((vector_size(16)));

struct Projection {
  Vec3 centre;
  float s;       // 1 / the largest extent: the shape fits a unit cube around the origin
  float screen;  // pixels per unit of x / w and y / w
  const Matrix4* view;

  // Model points to the rasteriser's centre-relative pixels (y up) and depth (nearer is smaller):
  // d = (p - centre) * s, t = TransformPoint(d, view), w = t.z + 3, then -t.x / w * screen,
  // t.y / w * screen and (w - 1) / w. Four points p[i..i+3] at a time (the last one repeated past
  // n) into x, y and z, which hold n rounded up to 4 floats each.
  void Points(const Vec3* p, int n, float* x, float* y, float* z) const {
    const float* a = view->m;
    for (int i = 0; i < n; i += 4) {
      const Vec3& p0 = p[i];
      const Vec3& p1 = p[std::min(i + 1, n - 1)];
      const Vec3& p2 = p[std::min(i + 2, n - 1)];
      const Vec3& p3 = p[std::min(i + 3, n - 1)];
      const F4 px{p0.x, p1.x, p2.x, p3.x}, py{p0.y, p1.y, p2.y, p3.y}, pz{p0.z, p1.z, p2.z, p3.z};
      const F4 dx = (px - centre.x) * s, dy = (py - centre.y) * s, dz = (pz - centre.z) * s;
      const F4 tx = dx * a[0] + dy * a[4] + dz * a[8] + a[12];
      const F4 ty = dx * a[1] + dy * a[5] + dz * a[9] + a[13];
      const F4 tz = dx * a[2] + dy * a[6] + dz * a[10] + a[14];
      const F4 w = tz + kEyeDistance;
      // The model's x axis runs right to left in the picture.
      const F4 sx = -tx / w * screen, sy = ty / w * screen, sz = (w - kNear) / w;
      std::memcpy(x + i, &sx, sizeof sx);
      std::memcpy(y + i, &sy, sizeof sy);
      std::memcpy(z + i, &sz, sizeof sz);
    }
  }
};

}  // namespace

void RenderShape(const XLoaderSuf& shape, HDC dc, int width, int height) {
  const Vec3 centre{(shape.max.x + shape.min.x) / 2.0f, (shape.max.y + shape.min.y) / 2.0f,
                    (shape.max.z + shape.min.z) / 2.0f};
  const Vec3 extent{shape.max.x - shape.min.x, shape.max.y - shape.min.y, shape.max.z - shape.min.z};
  float m = extent.x > extent.y ? extent.x : extent.y;
  if (extent.z > m) m = extent.z;
  if (m == 0.0f) return;
  const float shorter = static_cast<float>(width < height ? width : height);
  const Projection project{centre, 1.0f / m, shorter * kFit * shape.zoom, &shape.view};

  vlrSetRenderBpp(24);
  if (!vlrInitBuffer(width, height)) return;
  vlrClear();

  const Vec3 light = Normalize(Vec3{1.0f, 1.0f, -1.0f});
  std::vector<float> xs, ys, zs;  // the current face, projected
  const auto& faces = shape.faces;
  for (std::size_t f = 0; f < faces.size(); ++f) {
    // Each face and its vertices are blocks of their own: a large shape misses the cache on every
    // face unless the next ones are fetched while this one is drawn.
    if (f + 2 < faces.size()) __builtin_prefetch(faces[f + 2].get());
    if (f + 1 < faces.size()) __builtin_prefetch(faces[f + 1]->vertices.data());
    const XFace* face = faces[f].get();
    const Vec3 n = TransformPoint(face->normal, shape.view);
    // Both sides of a polygon are lit alike.
    const float k = std::fabs(light.x * n.x + light.y * n.y + light.z * n.z);
    const Vec3& c = face->color;
    vlrSetColorf(c.x * k * kDiffuse + kAmbient, c.y * k * kDiffuse + kAmbient, c.z * k * kDiffuse + kAmbient);
    if (face->count < 3) continue;
    // A fan around the first vertex. Each vertex is projected once, which gives the same values as
    // projecting the first one again for every triangle.
    const auto rounded = static_cast<std::size_t>(face->count + 3) / 4 * 4;
    if (xs.size() < rounded) xs.resize(rounded), ys.resize(rounded), zs.resize(rounded);
    project.Points(face->vertices.data(), face->count, xs.data(), ys.data(), zs.data());
    for (int i = 2; i < face->count; ++i) {
      vlrTriangle3fg(xs[0], ys[0], zs[0], xs[i - 1], ys[i - 1], zs[i - 1], xs[i], ys[i], zs[i]);
    }
  }
  if (dc != nullptr) vlrRender(dc, 0, 0);
}

bool RotateView(XLoaderSuf& shape, int dx, int dy) {
  const double x = dx, y = dy;
  const double d = std::sqrt(x * x + y * y);
  const double D = std::sqrt(kDragRadius * kDragRadius + d * d);
  if (d == 0.0 || D == 0.0) return false;
  RotateAxis(shape.view, Vec3{static_cast<float>(-y / d), static_cast<float>(x / d), 0.0f},
             static_cast<float>(d / D));
  return true;
}

void ZoomView(XLoaderSuf& shape, int dx) {
  shape.zoom = static_cast<float>(static_cast<double>(shape.zoom) * std::pow(1.01, dx));
}
