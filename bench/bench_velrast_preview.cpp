// Preview (128 x 96) and thumbnail (256 x 192) frames of tori of about 300, 5,000 and 50,000
// triangles, turned a little every frame: RenderShape through velrast against OSMesa (llvmpipe on
// one thread, RGBA, depth test, flat colour, the same fanned triangles and the same fixed light) in
// the same run. The last lines give our frame time over OSMesa's for each case.
#include <GL/gl.h>
#include <GL/osmesa.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "shape/Loadsuf.h"
#include "velrast/velrast.h"

namespace {

constexpr std::uint32_t kBack = 0x734A9B;
struct Mesh {
  int rings, sides;  // quads = rings x sides, triangles twice that
};
constexpr Mesh kMeshes[] = {{15, 10}, {50, 50}, {250, 100}};
constexpr int kSizes[][2] = {{128, 96}, {256, 192}};

// A torus of quads, as a shape file would hold it, with bounds and normals.
std::unique_ptr<XLoaderSuf> Torus(const Mesh& mesh) {
  auto shape = std::make_unique<XLoaderSuf>();
  const auto point = [&](int i, int j) {
    const double u = 2 * M_PI * i / mesh.rings, v = 2 * M_PI * j / mesh.sides;
    const double r = 1.0 + 0.4 * std::cos(v);
    return Vec3{static_cast<float>(r * std::cos(u)), static_cast<float>(r * std::sin(u)),
                static_cast<float>(0.4 * std::sin(v))};
  };
  for (int i = 0; i < mesh.rings; ++i) {
    for (int j = 0; j < mesh.sides; ++j) {
      auto face = std::make_unique<XFace>();
      face->AddVertex(point(i, j));
      face->AddVertex(point(i + 1, j));
      face->AddVertex(point(i + 1, j + 1));
      face->AddVertex(point(i, j + 1));
      face->color = Vec3{0.9f, 0.8f, 0.3f};
      shape->AddFace(std::move(face));
    }
  }
  shape->UpdateBounds();
  shape->UpdateNormals();
  RotateView(*shape, 20, 35);
  return shape;
}

XLoaderSuf& CachedTorus(int index) {
  static std::map<int, std::unique_ptr<XLoaderSuf>> meshes;
  auto& slot = meshes[index];
  if (!slot) slot = Torus(kMeshes[index]);
  return *slot;
}

void BM_Velrast(benchmark::State& state) {
  XLoaderSuf& shape = CachedTorus(static_cast<int>(state.range(0)));
  const int width = kSizes[state.range(1)][0], height = kSizes[state.range(1)][1];
  for (auto _ : state) {
    RotateView(shape, 1, 0);
    vlrSetColor(kBack);
    RenderShape(shape, nullptr, width, height);
    BITMAPINFOHEADER* header = nullptr;
    unsigned char* pixels = nullptr;
    vlrGetDib(&header, &pixels);
    benchmark::DoNotOptimize(pixels[(height / 2) * ((width * 3 + 3) & ~3) + width / 2 * 3]);
    vlrDestroy();
  }
  state.SetLabel(std::to_string(shape.count * 2) + " triangles");
}

// The same fanned triangles with one face normal per vertex, for client-side arrays.
struct GlMesh {
  std::vector<float> vertices, normals;
  int count = 0;
};

GlMesh Fanned(const XLoaderSuf& shape) {
  GlMesh m;
  for (const auto& face : shape.faces) {
    for (int i = 2; i < face->count; ++i) {
      for (const Vec3& v : {face->vertices[0], face->vertices[i - 1], face->vertices[i]}) {
        m.vertices.insert(m.vertices.end(), {v.x, v.y, v.z});
        m.normals.insert(m.normals.end(), {face->normal.x, face->normal.y, face->normal.z});
        ++m.count;
      }
    }
  }
  return m;
}

void BM_OSMesa(benchmark::State& state) {
  XLoaderSuf& shape = CachedTorus(static_cast<int>(state.range(0)));
  const int width = kSizes[state.range(1)][0], height = kSizes[state.range(1)][1];
  const GlMesh mesh = Fanned(shape);
  OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
  std::vector<unsigned char> buffer(static_cast<std::size_t>(width) * height * 4);
  if (context == nullptr || !OSMesaMakeCurrent(context, buffer.data(), GL_UNSIGNED_BYTE, width, height)) {
    state.SkipWithError("no OSMesa context");
    return;
  }
  // Our projection: fit into a unit cube, turn by the view, eye 3 units away, x mirrored, the
  // shorter side times 2 as the screen scale.
  const float m = std::max({shape.max.x - shape.min.x, shape.max.y - shape.min.y, shape.max.z - shape.min.z});
  const float screen = static_cast<float>(std::min(width, height)) * 2.0f * shape.zoom;
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-width / 2.0 / screen, width / 2.0 / screen, -height / 2.0 / screen, height / 2.0 / screen, 1.0, 10.0);
  glEnable(GL_DEPTH_TEST);
  glShadeModel(GL_FLAT);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_NORMALIZE);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
  const GLfloat ambient[] = {0.25f, 0.25f, 0.25f, 1.0f}, diffuse[] = {0.75f, 0.75f, 0.75f, 1.0f};
  const GLfloat colour[] = {0.9f, 0.8f, 0.3f, 1.0f}, white[] = {1, 1, 1, 1}, none[] = {0, 0, 0, 1};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
  glLightfv(GL_LIGHT0, GL_AMBIENT, none);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, colour);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, white);
  glClearColor(0x73 / 255.0f, 0x4A / 255.0f, 0x9B / 255.0f, 1.0f);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, mesh.vertices.data());
  glNormalPointer(GL_FLOAT, 0, mesh.normals.data());
  for (auto _ : state) {
    RotateView(shape, 1, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const GLfloat light[] = {1.0f, 1.0f, 1.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    glTranslatef(0.0f, 0.0f, -3.0f);
    glScalef(-1.0f, 1.0f, -1.0f);
    glMultMatrixf(shape.view.m);  // row-major for row vectors is GL's column-major layout
    glScalef(1.0f / m, 1.0f / m, 1.0f / m);
    glTranslatef(-(shape.max.x + shape.min.x) / 2, -(shape.max.y + shape.min.y) / 2, -(shape.max.z + shape.min.z) / 2);
    glDrawArrays(GL_TRIANGLES, 0, mesh.count);
    glFinish();
    benchmark::DoNotOptimize(buffer[(height / 2 * width + width / 2) * 4]);
  }
  state.SetLabel(std::to_string(mesh.count / 3) + " triangles");
  OSMesaDestroyContext(context);
}

void Cases(benchmark::internal::Benchmark* b) {
  for (int mesh = 0; mesh < 3; ++mesh)
    for (int size = 0; size < 2; ++size) b->Args({mesh, size});
  b->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();  // any helper thread of the peer counts too
}
BENCHMARK(BM_Velrast)->Apply(Cases);
BENCHMARK(BM_OSMesa)->Apply(Cases);

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred || run.iterations == 0) continue;
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "mean") continue;
      const std::string name = run.run_name.function_name;
      // CPU time: both renderers run on the calling thread only, and on a shared machine the wall
      // time mostly measures the other processes.
      micros[name][run.run_name.args] = run.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, std::map<std::string, double>> micros;
};

}  // namespace

int main(int argc, char** argv) {
  // llvmpipe on the calling thread only, as our rasteriser runs.
  setenv("LP_NUM_THREADS", "0", 1);
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const char* sizes[] = {"preview 128x96", "thumbnail 256x192"};
  for (int mesh = 0; mesh < 3; ++mesh) {
    for (int size = 0; size < 2; ++size) {
      const std::string args = std::to_string(mesh) + "/" + std::to_string(size);
      const auto ours = reporter.micros["BM_Velrast"].find(args);
      const auto peer = reporter.micros["BM_OSMesa"].find(args);
      if (ours == reporter.micros["BM_Velrast"].end() || peer == reporter.micros["BM_OSMesa"].end()) continue;
      std::printf("%-17s %6d triangles: CPU per frame velrast %7.3f ms, OSMesa %7.3f ms, ratio velrast/OSMesa %.2f\n", sizes[size],
                  kMeshes[mesh].rings * kMeshes[mesh].sides * 2, ours->second / 1e3, peer->second / 1e3,
                  ours->second / peer->second);
    }
  }
  std::printf("aim: ratio <= 0.5 at 5,000 and 50,000 triangles; a 50,000-triangle preview under 2 ms\n");
  benchmark::Shutdown();
  return 0;
}
