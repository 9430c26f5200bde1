// Scale of a rendered 256 x 192 preview to the 128 x 96 thumbnail, at 24 bits as the registration
// does it. With --dump DIR the benchmark writes the input and our result as BMP files instead.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "bench/bench_image_median.h"

namespace {

const DibStream& Preview() {
  static DibStream picture;
  static const bool made = benchpictures::Make(picture, benchpictures::Preview, 256, 192);
  (void)made;
  return picture;
}

void ScaleThumbnail(benchmark::State& state) {
  for (auto _ : state) {
    benchpictures::Borrowed view(Preview());
    if (!view.image.Scale(128, 96)) state.SkipWithError("Scale failed");
    benchmark::DoNotOptimize(view.image.bits);
  }
}
BENCHMARK(ScaleThumbnail)->Unit(benchmark::kMicrosecond);

int Dump(const std::string& folder) {
  benchpictures::Borrowed view(Preview());
  if (!view.image.SaveBmp(folder + "/scale_in.bmp")) return 1;
  if (!view.image.Scale(128, 96)) return 1;
  return view.image.SaveBmp(folder + "/scale_ours.bmp") ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--dump") == 0) return Dump(argv[2]);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
