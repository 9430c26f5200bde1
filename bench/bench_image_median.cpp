// Median cut of a 512 x 384 catalog to 256 colours (ConvertDepth 8, 2) on three generated pictures.
// With --dump DIR the benchmark instead writes each input and our result as BMP files, for
// bench/median_scale_vs_pillow.py to compare with the peer's result on the same pixels.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "bench/bench_image_median.h"

namespace {

using benchpictures::Kind;

const DibStream& Picture(Kind kind) {
  static DibStream pictures[3];
  static bool made[3] = {};
  if (!made[kind]) made[kind] = benchpictures::Make(pictures[kind], kind, 512, 384);
  return pictures[kind];
}

void MedianCut(benchmark::State& state, Kind kind) {
  const DibStream& source = Picture(kind);
  for (auto _ : state) {
    benchpictures::Borrowed view(source);
    view.image.ConvertDepth(8, DepthMedianCut);
    if (view.image.header->biBitCount != 8) state.SkipWithError("median cut failed");
    benchmark::DoNotOptimize(view.image.bits);
  }
}

BENCHMARK_CAPTURE(MedianCut, smooth, benchpictures::Smooth)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MedianCut, levels, benchpictures::Levels)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MedianCut, noise, benchpictures::Noise)->Unit(benchmark::kMillisecond);

int Dump(const std::string& folder) {
  for (Kind kind : {benchpictures::Smooth, benchpictures::Levels, benchpictures::Noise}) {
    const std::string name = benchpictures::Name(kind);
    benchpictures::Borrowed view(Picture(kind));
    if (!view.image.SaveBmp(folder + "/median_in_" + name + ".bmp")) return 1;
    view.image.ConvertDepth(8, DepthMedianCut);
    if (!view.image.SaveBmp(folder + "/median_ours_" + name + ".bmp")) return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--dump") == 0) return Dump(argv[2]);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
