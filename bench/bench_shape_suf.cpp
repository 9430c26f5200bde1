// Reading a shape file of 50,000 polygons (quads and triangles, one vertex a line, CRLF, a few
// attributes) with ReadSufFile. Aim: under 50 ms.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "shape/Loadsuf.h"

namespace {

constexpr int kPolygons = 50000;

struct SufFile {
  std::string path = "/tmp/partwell_bench_" + std::to_string(getpid()) + "_big.suf";
  SufFile() {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fprintf(f, "obj suf big {\r\n");
    const char* attributes[] = {"red", "blue", "grey"};
    for (int n = 0; n < kPolygons; ++n) {
      if (n % 100 == 0) std::fprintf(f, "\tatr %s\r\n", attributes[(n / 100) % 3]);
      const int corners = n % 2 == 0 ? 4 : 3;
      const double x = (n % 250) * 4.0, y = (n / 250) * 4.0;
      const double px[] = {x, x + 4, x + 4, x}, py[] = {y, y, y + 4, y + 4};
      std::fprintf(f, "\tprim poly ( %.4f %.4f %.4f\r\n", px[0], py[0], 0.5 * (n % 7));
      for (int c = 1; c < corners; ++c) {
        std::fprintf(f, "\t\t%.4f %.4f %.4f%s\r\n", px[c], py[c], -0.25 * c, c == corners - 1 ? " )" : "");
      }
    }
    std::fprintf(f, "}\r\n");
    std::fclose(f);
  }
  ~SufFile() { std::remove(path.c_str()); }
};

void BM_ReadSufFile(benchmark::State& state) {
  static SufFile file;
  GlobalAttributes.Clear();
  for (const char* name : {"red", "blue", "grey"}) {
    auto atr = std::make_unique<XAtr>();
    atr->name = name;
    GlobalAttributes.Add(std::move(atr));
  }
  XLoaderSuf shape;
  for (auto _ : state) {
    shape.Clear();
    int warning = 0;
    if (!ReadSufFile(shape, file.path.c_str(), warning) || shape.count != kPolygons) state.SkipWithError("read failed");
    // The load as the window runs it goes on with bounds and normals.
    shape.UpdateBounds();
    shape.UpdateNormals();
    benchmark::DoNotOptimize(shape.faces.data());
  }
  state.counters["polygons"] = kPolygons;
}

BENCHMARK(BM_ReadSufFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
