// The rasteriser alone, without the renderer's lighting and projection:
// - tori of 300, 5,000 and 50,000 triangles projected once to pixels, cleared and drawn every frame
//   by velrast (vlrTriangle3, depth-tested, 24 bits) and by OSMesa's llvmpipe on one thread (the
//   same triangles in window coordinates, flat colour, depth test), interleaved in one run;
// - the unit costs: a sub-pixel triangle, a row of a tall thin triangle, a pixel of a full-screen
//   triangle, and triangles and rows that draw nothing (above the buffer, left of it);
// - a 256 x 192 frame's vlrInitBuffer + vlrClear + vlrDestroy.
// The last lines print the ratios velrast/llvmpipe and the unit costs with their aims.
#include <GL/gl.h>
#include <GL/osmesa.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "velrast/velrast.h"

namespace {

constexpr int kMeshes[][2] = {{15, 10}, {50, 50}, {250, 100}};  // rings, sides: 2 triangles a quad
constexpr int kSizes[][2] = {{128, 96}, {256, 192}};

struct Vertex {
  int x, y;
  float z;
};
struct Tri {
  Vertex v[3];
  std::uint32_t color;
};

// A torus turned by fixed angles, in perspective, fitted to the shorter side; z from 0 (near) to 1.
std::vector<Tri> ProjectedTorus(int rings, int sides, int width, int height) {
  const auto point = [&](int i, int j) {
    const double u = 2 * M_PI * i / rings, v = 2 * M_PI * j / sides;
    const double r = 1.0 + 0.4 * std::cos(v);
    double x = r * std::cos(u), y = r * std::sin(u), z = 0.4 * std::sin(v);
    const double a = 0.6, b = 0.35;  // about x, then about y
    double y1 = y * std::cos(a) - z * std::sin(a), z1 = y * std::sin(a) + z * std::cos(a);
    double x2 = x * std::cos(b) + z1 * std::sin(b), z2 = -x * std::sin(b) + z1 * std::cos(b);
    const double depth = 4.0 + z2, scale = std::min(width, height) * 1.4 / depth;
    return Vertex{static_cast<int>(std::lround(width / 2.0 + x2 * scale)), static_cast<int>(std::lround(height / 2.0 - y1 * scale)),
                  static_cast<float>((depth - 2.5) / 3.0)};
  };
  std::vector<Tri> tris;
  for (int i = 0; i < rings; ++i) {
    for (int j = 0; j < sides; ++j) {
      const std::uint32_t color = 0x203040u + static_cast<std::uint32_t>((i * 7 + j * 13) % 200) * 0x010101u / 2;
      const Vertex a = point(i, j), b = point(i + 1, j), c = point(i + 1, j + 1), d = point(i, j + 1);
      tris.push_back({{a, b, c}, color});
      tris.push_back({{a, c, d}, color});
    }
  }
  return tris;
}

void DrawVelrast(const std::vector<Tri>& tris) {
  for (const Tri& t : tris) {
    vlrSetColor(t.color);
    vlrTriangle3(t.v[0].x, t.v[0].y, t.v[0].z, t.v[1].x, t.v[1].y, t.v[1].z, t.v[2].x, t.v[2].y, t.v[2].z);
  }
}

void BM_VelrastTriangles(benchmark::State& state) {
  const int w = kSizes[state.range(1)][0], h = kSizes[state.range(1)][1];
  const auto tris = ProjectedTorus(kMeshes[state.range(0)][0], kMeshes[state.range(0)][1], w, h);
  vlrSetRenderBpp(24);
  vlrInitBuffer(w, h);
  for (auto _ : state) {
    vlrSetColor(0x734A9B);
    vlrClear();
    DrawVelrast(tris);
  }
  vlrDestroy();
  state.SetLabel(std::to_string(tris.size()) + " triangles");
}

void BM_LlvmpipeTriangles(benchmark::State& state) {
  const int w = kSizes[state.range(1)][0], h = kSizes[state.range(1)][1];
  const auto tris = ProjectedTorus(kMeshes[state.range(0)][0], kMeshes[state.range(0)][1], w, h);
  std::vector<float> vertices;
  std::vector<unsigned char> colours;
  for (const Tri& t : tris) {
    for (const Vertex& v : t.v) {
      // Pixel centres, y down as in our buffer, GL depth -1..1 from our 0..1.
      vertices.insert(vertices.end(), {v.x + 0.5f, v.y + 0.5f, 2 * v.z - 1});
      colours.insert(colours.end(), {static_cast<unsigned char>(t.color >> 16), static_cast<unsigned char>(t.color >> 8),
                                     static_cast<unsigned char>(t.color), 255});
    }
  }
  std::vector<unsigned char> buffer(static_cast<std::size_t>(w) * h * 4);
  OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
  if (context == nullptr || !OSMesaMakeCurrent(context, buffer.data(), GL_UNSIGNED_BYTE, w, h)) {
    state.SkipWithError("no OSMesa context");
    return;
  }
  glViewport(0, 0, w, h);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, w, h, 0, 1, -1);  // z as given: near -1, far 1
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  glShadeModel(GL_FLAT);
  glClearColor(0x73 / 255.0f, 0x4A / 255.0f, 0x9B / 255.0f, 1.0f);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, vertices.data());
  glColorPointer(4, GL_UNSIGNED_BYTE, 0, colours.data());
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.size() / 3));
    glFinish();
    benchmark::DoNotOptimize(buffer[(h / 2 * w + w / 2) * 4]);
  }
  OSMesaDestroyContext(context);
  state.SetLabel(std::to_string(tris.size()) + " triangles");
}

void TableCases(benchmark::internal::Benchmark* b) {
  for (int mesh = 0; mesh < 3; ++mesh)
    for (int size = 0; size < 2; ++size) b->Args({mesh, size});
  b->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();
}
BENCHMARK(BM_VelrastTriangles)->Apply(TableCases);
BENCHMARK(BM_LlvmpipeTriangles)->Apply(TableCases);

// Unit costs, each over 4,096 triangles in a 256 x 192 buffer with the depth test, so that the
// per-triangle set-up is averaged over positions the predictors cannot learn.
constexpr int kUnitTriangles = 4096;

std::vector<Tri> UnitTriangles(int kind) {
  std::mt19937 rng(17);
  std::vector<Tri> tris;
  for (int i = 0; i < kUnitTriangles; ++i) {
    const int x = static_cast<int>(rng() % 250), y = static_cast<int>(rng() % 186);
    const float z = static_cast<float>(kUnitTriangles - i) / (kUnitTriangles + 1);  // each nearer: every pixel passes
    const std::uint32_t c = rng() & 0xFFFFFF;
    switch (kind) {
      case 0:  // sub-pixel: three vertices in one pixel, in random order
        tris.push_back({{{x, y, z}, {x, y, z}, {x, y, z}}, c});
        break;
      case 1:  // tall and thin: two pixels wide, every row of the buffer, leaning either way
        tris.push_back({{{x, 0, z}, {x + (i & 1 ? 1 : -1), 191, z}, {x + 1, 191, z}}, c});
        break;
      case 2:  // full screen, two triangles a frame
        tris.push_back(i & 1 ? Tri{{{0, 0, z}, {255, 0, z}, {255, 191, z}}, c} : Tri{{{0, 0, z}, {255, 191, z}, {0, 191, z}}, c});
        break;
      case 3:  // above the buffer
        tris.push_back({{{x, -y - 10, z}, {x + 5, -y - 3, z}, {x - 4, -1, z}}, c});
        break;
      default:  // left of the buffer, every row
        tris.push_back({{{-x - 10, 0, z}, {-x - 3, 191, z}, {-x - 12, 191, z}}, c});
        break;
    }
  }
  return tris;
}

void BM_Unit(benchmark::State& state) {
  const int kind = static_cast<int>(state.range(0));
  auto tris = UnitTriangles(kind);
  if (kind == 2) tris.resize(64);
  vlrSetRenderBpp(24);
  vlrInitBuffer(256, 192);
  vlrClear();
  for (auto _ : state) DrawVelrast(tris);
  vlrDestroy();
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(tris.size()));
}
BENCHMARK(BM_Unit)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

void BM_Frame(benchmark::State& state) {
  const int w = kSizes[state.range(0)][0], h = kSizes[state.range(0)][1];
  vlrSetRenderBpp(24);
  for (auto _ : state) {
    vlrInitBuffer(w, h);
    vlrClear();
    vlrDestroy();
  }
}
BENCHMARK(BM_Frame)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);

class Collector : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred || run.iterations == 0) continue;
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      // CPU time per iteration in nanoseconds.
      nanos[run.run_name.function_name][run.run_name.args] = run.GetAdjustedCPUTime() * 1e3;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  double Get(const std::string& name, const std::string& args) {
    auto it = nanos[name].find(args);
    return it == nanos[name].end() ? NAN : it->second;
  }
  std::map<std::string, std::map<std::string, double>> nanos;
};

}  // namespace

int main(int argc, char** argv) {
  setenv("LP_NUM_THREADS", "0", 1);  // llvmpipe on the calling thread, as velrast runs
  benchmark::Initialize(&argc, argv);
  Collector c;
  benchmark::RunSpecifiedBenchmarks(&c);
  const char* sizes[] = {"128x96", "256x192"};
  for (int mesh = 0; mesh < 3; ++mesh) {
    for (int size = 0; size < 2; ++size) {
      const std::string args = std::to_string(mesh) + "/" + std::to_string(size);
      const double ours = c.Get("BM_VelrastTriangles", args), peer = c.Get("BM_LlvmpipeTriangles", args);
      std::printf("%6d triangles %-7s: velrast %7.3f ms, llvmpipe %7.3f ms, ratio %.2f (aim <= 0.35)\n",
                  2 * kMeshes[mesh][0] * kMeshes[mesh][1], sizes[size], ours / 1e6, peer / 1e6, ours / peer);
    }
  }
  const double perTriangle = c.Get("BM_Unit", "0") / kUnitTriangles;
  const double perRow = (c.Get("BM_Unit", "1") / kUnitTriangles - perTriangle) / 192;
  const double perPixel = (c.Get("BM_Unit", "2") / 64 - perTriangle) / (256 * 192 / 2.0);
  std::printf("per sub-pixel triangle %.1f ns (aim 15), per row of a tall thin triangle %.2f ns (aim 2.5), "
              "per pixel of a full-screen triangle %.2f ns (aim 1)\n", perTriangle, perRow, perPixel);
  std::printf("per triangle above the buffer %.1f ns, per row left of the buffer %.2f ns (aim: almost nothing)\n",
              c.Get("BM_Unit", "3") / kUnitTriangles, c.Get("BM_Unit", "4") / kUnitTriangles / 192);
  std::printf("vlrInitBuffer + vlrClear + vlrDestroy: 128x96 %.1f us, 256x192 %.1f us (aim: 256x192 under 20 us)\n",
              c.Get("BM_Frame", "0") / 1e3, c.Get("BM_Frame", "1") / 1e3);
  benchmark::Shutdown();
  return 0;
}
