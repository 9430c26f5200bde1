// LoadBmp and SaveBmp of a 512 x 384 8-bit catalog, the file the main window reads and writes on
// every catalog operation. bench/bmp_vs_pillow.py runs this and Pillow on the same file and prints
// the ratio.
//
// The catalog is written to $PARTWELL_BENCH_BMP (default /tmp/partwell_bench_catalog.bmp); saves go
// to the same name with ".out.bmp" appended.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "image/DibStream.h"

namespace {

std::string CatalogPath() {
  const char* path = std::getenv("PARTWELL_BENCH_BMP");
  return path && *path ? path : "/tmp/partwell_bench_catalog.bmp";
}

// 4 x 4 cells of 128 x 96 with a different pattern in each, over a 256-colour table.
bool MakeCatalog(DibStream& image) {
  if (!image.Create(512, 384, 8)) return false;
  RGBQUAD* table = dib::ColorTable(image.header);
  for (int i = 0; i < 256; ++i)
    table[i] = RGBQUAD{static_cast<BYTE>(i * 7), static_cast<BYTE>(i * 3), static_cast<BYTE>(255 - i), 0};
  for (int y = 0; y < 384; ++y) {
    std::uint8_t* row = dib::TopRow(image.header, image.bits, y);
    for (int x = 0; x < 512; ++x) {
      const int cell = x / 128 + 4 * (y / 96);
      row[x] = static_cast<std::uint8_t>(cell * 16 + ((x * (cell + 1) ^ y) & 15));
    }
  }
  return true;
}

void BM_LoadBmp(benchmark::State& state) {
  const std::string path = CatalogPath();
  DibStream image;
  for (auto _ : state) {
    if (!image.LoadBmp(path, DibAcceptAll)) state.SkipWithError("LoadBmp failed");
    benchmark::DoNotOptimize(image.bits);
  }
}
BENCHMARK(BM_LoadBmp);

// What the main window does after a registration: the whole file through a temporary one, flushed
// to disk and renamed over the target.
void BM_SaveBmp(benchmark::State& state) {
  DibStream image;
  if (!image.LoadBmp(CatalogPath(), DibAcceptAll)) state.SkipWithError("LoadBmp failed");
  const std::string path = CatalogPath() + ".out.bmp";
  for (auto _ : state) {
    if (!image.SaveBmp(path)) state.SkipWithError("SaveBmp failed");
  }
}
BENCHMARK(BM_SaveBmp);

// The encoding alone, without the file system.
void BM_SaveBmpToMemory(benchmark::State& state) {
  DibStream image;
  if (!image.LoadBmp(CatalogPath(), DibAcceptAll)) state.SkipWithError("LoadBmp failed");
  std::string bytes;
  for (auto _ : state) {
    image.SaveBmpToMemory(bytes);
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK(BM_SaveBmpToMemory);

}  // namespace

int main(int argc, char** argv) {
  DibStream catalog;
  if (!MakeCatalog(catalog) || !catalog.SaveBmp(CatalogPath())) {
    std::fprintf(stderr, "cannot write %s\n", CatalogPath().c_str());
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::remove((CatalogPath() + ".out.bmp").c_str());
  return 0;
}
