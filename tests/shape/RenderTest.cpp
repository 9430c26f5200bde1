// The preview renderer against the pictures it must give: lighting, fitting, zoom and framing, the
// fan, the shapes it must not draw, and two small golden renders checked by eye when they were made.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "image/DibStream.h"
#include "shape/Loadsuf.h"
#include "tests/common/TestSurface.h"
#include "velrast/velrast.h"

namespace {

constexpr std::uint32_t kBack = 0x203040;

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> rgb;  // 0xRRGGBB, top row first

  std::uint32_t At(int x, int y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
  // Bounding box of the pixels that are not background: left, top, right, bottom.
  std::vector<int> Box() const {
    std::vector<int> box{width, height, -1, -1};
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (At(x, y) != kBack) {
          box[0] = std::min(box[0], x), box[1] = std::min(box[1], y);
          box[2] = std::max(box[2], x), box[3] = std::max(box[3], y);
        }
    return box;
  }
  int Count(std::uint32_t c) const {
    int n = 0;
    for (std::uint32_t p : rgb) n += p == c;
    return n;
  }
};

// The thumbnail protocol: background colour, render without a device context, take the DIB.
// Returns an empty picture when the renderer made no buffer.
Picture Render(const XLoaderSuf& shape, int width, int height) {
  vlrSetColor(kBack);
  RenderShape(shape, nullptr, width, height);
  BITMAPINFOHEADER* header = nullptr;
  unsigned char* bits = nullptr;
  Picture p;
  if (vlrGetDib(&header, &bits)) {
    EXPECT_EQ(header->biBitCount, 24);
    EXPECT_EQ(header->biHeight, -height);
    p.width = width;
    p.height = height;
    const int stride = (width * 3 + 3) / 4 * 4;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const unsigned char* q = bits + y * stride + 3 * x;
        p.rgb.push_back(q[0] | q[1] << 8 | q[2] << 16);
      }
  }
  vlrDestroy();
  return p;
}

std::unique_ptr<XFace> Face(std::initializer_list<Vec3> vertices, Vec3 color = {1.0f, 1.0f, 1.0f}) {
  auto face = std::make_unique<XFace>();
  for (const Vec3& v : vertices) face->AddVertex(v);
  face->color = color;
  return face;
}

void Finish(XLoaderSuf& shape) {
  shape.UpdateBounds();
  shape.UpdateNormals();
}

// The light comes from (1, 1, -1); a polygon's colour is c * |cos| * 0.75 + 0.25, both sides alike.
TEST(RenderShape, LightingOfOnePolygon) {
  struct Case {
    const char* what;
    std::vector<Vec3> vertices;
    Vec3 color;
    std::uint32_t expected;
  };
  const Case cases[] = {
      {"white, facing the light", {{0, 0, 0}, {1, -1, 0}, {1, 0, 1}}, {1, 1, 1}, 0xFFFFFF},
      {"white, facing away (other winding)", {{1, 0, 1}, {1, -1, 0}, {0, 0, 0}}, {1, 1, 1}, 0xFFFFFF},
      {"orange, facing the light", {{0, 0, 0}, {1, -1, 0}, {1, 0, 1}}, {1, 0.5f, 0}, 0xFF9F3F},
      {"white, edge-on to the light", {{0, 0, 0}, {0, 1, 0}, {1, 0, -1}}, {1, 1, 1}, 0x3F3F3F},
      {"red, first three vertices collinear", {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {1, 1, 0}}, {1, 0, 0}, 0x3F3F3F},
      {"over-bright attribute", {{0, 0, 0}, {1, -1, 0}, {1, 0, 1}}, {4, 2, 0}, 0xFFFF3F},
  };
  for (const Case& c : cases) {
    XLoaderSuf shape;
    auto face = std::make_unique<XFace>();
    for (const Vec3& v : c.vertices) face->AddVertex(v);
    face->color = c.color;
    shape.AddFace(std::move(face));
    Finish(shape);
    const Picture p = Render(shape, 64, 48);
    ASSERT_EQ(p.width, 64) << c.what;
    const int lit = p.Count(c.expected);
    EXPECT_GT(lit, 50) << c.what;
    EXPECT_EQ(lit + p.Count(kBack), 64 * 48) << c.what << ": other colours in the picture";
  }
}

// The normal flips with the winding, the light term takes its absolute value: a reversed triangle
// gives the same picture.
TEST(RenderShape, MirrorWindingShadesAlike) {
  XLoaderSuf a, b;
  a.AddFace(Face({{0, 0, 0}, {2, 0.5f, 0.3f}, {1.5f, 2, -0.4f}}, {0.2f, 0.8f, 0.5f}));
  b.AddFace(Face({{1.5f, 2, -0.4f}, {2, 0.5f, 0.3f}, {0, 0, 0}}, {0.2f, 0.8f, 0.5f}));
  for (XLoaderSuf* s : {&a, &b}) {
    Finish(*s);
    RotateView(*s, 17, -9);
  }
  const Picture pa = Render(a, 64, 48);
  EXPECT_GT(64 * 48 - pa.Count(kBack), 100);
  EXPECT_EQ(pa.rgb, Render(b, 64, 48).rgb);
}

// A shape with no extent is not drawn at all and leaves no buffer; one without polygons (bounds
// +-1e30) gives a background-only picture.
TEST(RenderShape, ShapesWithoutAPicture) {
  XLoaderSuf never;  // bounds (0, 0, 0) as constructed
  EXPECT_TRUE(Render(never, 64, 48).rgb.empty());

  XLoaderSuf point;
  point.AddFace(Face({{1, 2, 3}, {1, 2, 3}, {1, 2, 3}}));
  Finish(point);
  EXPECT_TRUE(Render(point, 64, 48).rgb.empty());

  XLoaderSuf empty;
  Finish(empty);
  const Picture p = Render(empty, 64, 48);
  ASSERT_EQ(p.width, 64);
  EXPECT_EQ(p.Count(kBack), 64 * 48);
}

// With the view at identity the bounding-box centre lands on the centre pixel.
TEST(RenderShape, BoxCentreLandsOnTheCentrePixel) {
  XLoaderSuf shape;
  shape.AddFace(Face({{-1, -3, -2}, {-1, -3, -2}, {-1, -3, -2}}));
  shape.AddFace(Face({{5, 1, 2}, {5, 1, 2}, {5, 1, 2}}));
  shape.AddFace(Face({{2, -1, 0}, {2, -1, 0}, {2, -1, 0}}, {1, 0, 0}));
  Finish(shape);
  for (int size : {1, 2}) {
    const Picture p = Render(shape, 64 * size, 48 * size);
    EXPECT_EQ(p.At(32 * size, 24 * size), 0x3F3F3Fu) << size;
    EXPECT_EQ(p.Count(0x3F3F3F), 3) << size;
  }
}

// Doubling the zoom doubles the picture around its centre; the thumbnail (256 x 192) frames the
// shape exactly as the preview (128 x 96) does, at twice the size.
TEST(RenderShape, ZoomAndPictureSizeScaleAroundTheCentre) {
  XLoaderSuf shape;
  shape.AddFace(Face({{-1, -0.5f, 0}, {1, -0.5f, 0}, {1, 0.5f, 0}, {-1, 0.5f, 0}}));
  Finish(shape);
  const std::vector<int> base = Render(shape, 128, 96).Box();
  shape.zoom = 2.0f;
  const std::vector<int> zoomed = Render(shape, 128, 96).Box();
  shape.zoom = 1.0f;
  const std::vector<int> thumb = Render(shape, 256, 192).Box();
  // At zoom 1 a unit of the fitted cube spans 2 x 96 / 3 pixels: 64 wide and 32 high here.
  EXPECT_EQ(base, (std::vector<int>{32, 32, 96, 64}));
  for (int i = 0; i < 4; ++i) {
    const int centre = i % 2 == 0 ? 64 : 48;
    EXPECT_NEAR(zoomed[i] - centre, 2 * (base[i] - centre), 1) << i;
    EXPECT_NEAR(thumb[i] - 2 * centre, 2 * (base[i] - centre), 1) << i;
  }
}

// Faces are fanned around their first vertex, convex or not: the notch of this dart is filled.
TEST(RenderShape, PolygonsAreFannedFromTheirFirstVertex) {
  XLoaderSuf shape;
  shape.AddFace(Face({{1, 1, 0}, {0, 0, 0}, {-1, 1, 0}, {0, -1, 0}}));
  Finish(shape);
  const Picture p = Render(shape, 64, 48);
  const std::uint32_t lit = p.At(32, 30);
  EXPECT_NE(lit, kBack);
  EXPECT_EQ(p.At(32, 17), lit);  // model (0, 0.8): inside the notch
}

TEST(RenderShape, PreviewGoesToTheDeviceContext) {
  XLoaderSuf shape;
  shape.AddFace(Face({{0, 0, 0}, {2, 0.5f, 0.3f}, {1.5f, 2, -0.4f}}, {0.9f, 0.1f, 0.4f}));
  Finish(shape);
  partwell::test::TestSurface surface(64, 48);
  vlrSetColor(kBack);
  RenderShape(shape, surface.Dc(), 64, 48);
  vlrDestroy();
  const Picture p = Render(shape, 64, 48);
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 64; ++x) ASSERT_EQ(surface.Pixel(x, y), p.At(x, y)) << x << "," << y;
  }
}

// A left step of (3, 4) turns by 5 / sqrt(2525) radian about (-0.8, 0.6, 0); a step of no length
// turns nothing. A right step of +-10 scales the zoom by 1.01^+-10.
TEST(RenderShape, DragArithmetic) {
  XLoaderSuf shape;
  EXPECT_FALSE(RotateView(shape, 0, 0));
  EXPECT_EQ(shape.view.m[0], 1.0f);
  ASSERT_TRUE(RotateView(shape, 3, 4));
  const float* m = shape.view.m;
  const double angle = std::acos((m[0] + m[5] + m[10] - 1.0) / 2.0);
  EXPECT_NEAR(angle, 5.0 / std::sqrt(2525.0), 1e-6);
  const Vec3 axis = TransformPoint(Vec3{-0.8f, 0.6f, 0.0f}, shape.view);
  EXPECT_NEAR(axis.x, -0.8f, 1e-6);
  EXPECT_NEAR(axis.y, 0.6f, 1e-6);
  EXPECT_NEAR(axis.z, 0.0f, 1e-6);
  // Dragging right turns the model's +x (drawn on the left) towards the viewer: smaller z is nearer.
  XLoaderSuf right;
  RotateView(right, 10, 0);
  EXPECT_LT(TransformPoint(Vec3{1, 0, 0}, right.view).z, 0.0f);

  ZoomView(shape, 10);
  EXPECT_NEAR(shape.zoom, 1.104622, 1e-6);
  ZoomView(shape, -20);
  EXPECT_NEAR(shape.zoom, 0.905287, 1e-6);
}

// Two small renders of our own test shape, made once by this renderer and checked by eye. Run with
// PARTWELL_UPDATE_GOLDEN=1 to write them again.
void ExpectGolden(const Picture& p, const std::string& name) {
  const std::string path = std::string(PARTWELL_TEST_DATA) + "/" + name;
  DibStream dib;
  if (std::getenv("PARTWELL_UPDATE_GOLDEN") != nullptr) {
    ASSERT_TRUE(dib.Create(p.width, -p.height, 24));
    for (int y = 0; y < p.height; ++y)
      for (int x = 0; x < p.width; ++x) {
        unsigned char* q = dib.bits + y * dib.RowBytes() + 3 * x;
        const std::uint32_t c = p.At(x, y);
        q[0] = c & 0xFF, q[1] = (c >> 8) & 0xFF, q[2] = (c >> 16) & 0xFF;
      }
    ASSERT_TRUE(dib.SaveBmp(path));
  }
  ASSERT_TRUE(dib.LoadBmp(path, 16)) << path;
  ASSERT_EQ(dib.header->biWidth, p.width);
  ASSERT_EQ(dib.header->biHeight, p.height);  // saved bottom-up
  int wrong = 0;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      const unsigned char* q = dib::TopRow(dib.header, dib.bits, y) + 3 * x;
      wrong += (q[0] | q[1] << 8 | q[2] << 16) != static_cast<int>(p.At(x, y));
    }
  EXPECT_EQ(wrong, 0) << name;
}

// A unit cube with a roof: six coloured quads and two triangles, some sharing edges at the ridge.
void BuildHouse(XLoaderSuf& shape) {
  const Vec3 c[8] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
  shape.AddFace(Face({c[0], c[1], c[2], c[3]}, {0.9f, 0.2f, 0.2f}));
  shape.AddFace(Face({c[4], c[7], c[6], c[5]}, {0.2f, 0.9f, 0.2f}));
  shape.AddFace(Face({c[0], c[4], c[5], c[1]}, {0.2f, 0.2f, 0.9f}));
  shape.AddFace(Face({c[3], c[2], c[6], c[7]}, {0.9f, 0.9f, 0.2f}));
  shape.AddFace(Face({c[0], c[3], c[7], c[4]}, {0.2f, 0.9f, 0.9f}));
  shape.AddFace(Face({c[1], c[5], c[6], c[2]}, {0.9f, 0.2f, 0.9f}));
  const Vec3 r0{0.5f, 1.6f, 0.0f}, r1{0.5f, 1.6f, 1.0f};
  shape.AddFace(Face({c[3], r0, r1, c[7]}, {0.8f, 0.5f, 0.3f}));
  shape.AddFace(Face({c[2], c[6], r1, r0}, {0.6f, 0.3f, 0.1f}));
  shape.AddFace(Face({c[3], c[2], r0}, {1.0f, 1.0f, 1.0f}));
  shape.AddFace(Face({c[7], r1, c[6]}, {1.0f, 1.0f, 1.0f}));
  Finish(shape);
}

TEST(RenderShape, GoldenHouse) {
  XLoaderSuf shape;
  BuildHouse(shape);
  RotateView(shape, 25, 0);
  RotateView(shape, 0, 18);
  ExpectGolden(Render(shape, 64, 48), "render_house.bmp");
  // Turned on, zoomed in past the picture's edges: clipping on every side.
  RotateView(shape, -40, 30);
  ZoomView(shape, 90);
  ExpectGolden(Render(shape, 64, 48), "render_house_near.bmp");
}

}  // namespace
