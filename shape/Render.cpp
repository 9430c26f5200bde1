// Every step is evaluated in single precision in the order written, so that a shape gives the same
// pixels on every build; only the drag arithmetic works in double, then stores floats.
#include "shape/Render.h"

#include <cmath>

#include "velrast/velrast.h"

namespace {

constexpr float kDiffuse = 0.75f;
constexpr float kAmbient = 0.25f;
constexpr float kEyeDistance = 3.0f;  // added to view-space z before the perspective divide
constexpr float kNear = 1.0f;         // depth = (w - 1) / w
constexpr float kFit = 2.0f;          // times the shorter side of the picture
constexpr double kDragRadius = 50.0;  // pixels: a step this long turns by 1/sqrt(2) radian

struct Projection {
  Vec3 centre;
  float s;       // 1 / the largest extent: the shape fits a unit cube around the origin
  float screen;  // pixels per unit of x / w and y / w
  const Matrix4* view;

  // Model point to the rasteriser's centre-relative pixels (y up) and depth (nearer is smaller).
  Vec3 operator()(const Vec3& p) const {
    const Vec3 d{(p.x - centre.x) * s, (p.y - centre.y) * s, (p.z - centre.z) * s};
    const Vec3 t = TransformPoint(d, *view);
    const float w = t.z + kEyeDistance;
    // The model's x axis runs right to left in the picture.
    return Vec3{-t.x / w * screen, t.y / w * screen, (w - kNear) / w};
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
  for (const auto& face : shape.faces) {
    const Vec3 n = TransformPoint(face->normal, shape.view);
    // Both sides of a polygon are lit alike.
    const float k = std::fabs(light.x * n.x + light.y * n.y + light.z * n.z);
    const Vec3& c = face->color;
    vlrSetColorf(c.x * k * kDiffuse + kAmbient, c.y * k * kDiffuse + kAmbient, c.z * k * kDiffuse + kAmbient);
    if (face->count < 3) continue;
    // A fan around the first vertex; each vertex is projected once, which gives the same values as
    // projecting the first one again for every triangle.
    const Vec3 first = project(face->vertices[0]);
    Vec3 previous = project(face->vertices[1]);
    for (int i = 2; i < face->count; ++i) {
      const Vec3 next = project(face->vertices[static_cast<std::size_t>(i)]);
      vlrTriangle3fg(first.x, first.y, first.z, previous.x, previous.y, previous.z, next.x, next.y, next.z);
      previous = next;
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
