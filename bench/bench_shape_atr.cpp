// Reading a large attribute file of 20,000 blocks with ReadAtrFile, against inih's ini_parse reading
// the same attributes written as an INI file (one section per attribute, its colour as a value the
// handler converts), in the same run. The last line prints both times and the ratio ours/inih.
#include <benchmark/benchmark.h>
#include <ini.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "shape/Loadsuf.h"
#include "RatioReporter.h"

namespace {

constexpr int kAttributes = 20000;

std::string ScratchPath(const char* name) { return "/tmp/partwell_bench_" + std::to_string(getpid()) + "_" + name; }

struct Files {
  std::string atr = ScratchPath("big.atr");
  std::string ini = ScratchPath("big.ini");
  Files() {
    std::FILE* a = std::fopen(atr.c_str(), "wb");
    std::FILE* i = std::fopen(ini.c_str(), "wb");
    for (int n = 0; n < kAttributes; ++n) {
      const double r = (n % 101) / 100.0, g = (n % 37) / 36.0, b = (n % 11) / 10.0;
      if (n % 4 == 3) {
        std::fprintf(a, "atr grey%d {\r\n\tcol ( %.3f )\r\n\tamb ( 0.3 )\r\n\tdif ( 0.7 )\r\n}\r\n\r\n", n, r);
        std::fprintf(i, "[grey%d]\r\ncol = %.3f\r\namb = 0.3\r\ndif = 0.7\r\n\r\n", n, r);
      } else {
        std::fprintf(a, "atr colour%d {\r\n\tcol ( rgb ( %.3f %.3f %.3f ) )\r\n\tamb ( 0.3 )\r\n\tdif ( 0.7 )\r\n}\r\n\r\n", n,
                     r, g, b);
        std::fprintf(i, "[colour%d]\r\ncol = %.3f %.3f %.3f\r\namb = 0.3\r\ndif = 0.7\r\n\r\n", n, r, g, b);
      }
    }
    std::fclose(a);
    std::fclose(i);
  }
  ~Files() {
    std::remove(atr.c_str());
    std::remove(ini.c_str());
  }
};

const Files& TheFiles() {
  static Files files;
  return files;
}

void BM_ReadAtrFile(benchmark::State& state) {
  const Files& files = TheFiles();
  for (auto _ : state) {
    XLoaderAtr table;
    if (!ReadAtrFile(table, files.atr.c_str()) || table.count != kAttributes) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(table.items.data());
  }
}

struct IniAttribute {
  std::string name;
  float r = 1, g = 1, b = 1;
};

// The same table inih's way: a new entry per section, the colour converted from the "col" value.
int IniHandler(void* user, const char* section, const char* name, const char* value) {
  auto& table = *static_cast<std::vector<IniAttribute>*>(user);
  if (table.empty() || table.back().name != section) table.push_back(IniAttribute{section});
  if (std::strcmp(name, "col") == 0) {
    char* end = nullptr;
    IniAttribute& atr = table.back();
    atr.r = std::strtof(value, &end);
    if (*end == '\0') {
      atr.g = atr.b = atr.r;
    } else {
      atr.g = std::strtof(end, &end);
      atr.b = std::strtof(end, &end);
    }
  }
  return 1;
}

void BM_InihParse(benchmark::State& state) {
  const Files& files = TheFiles();
  for (auto _ : state) {
    std::vector<IniAttribute> table;
    if (ini_parse(files.ini.c_str(), IniHandler, &table) != 0 || table.size() != kAttributes) {
      state.SkipWithError("inih failed");
    }
    benchmark::DoNotOptimize(table.data());
  }
}

BENCHMARK(BM_ReadAtrFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InihParse)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter("median");
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto ours = reporter.times.find("BM_ReadAtrFile");
  auto peer = reporter.times.find("BM_InihParse");
  if (ours != reporter.times.end() && peer != reporter.times.end()) {
    std::printf("attribute file of %d blocks: ReadAtrFile %.3f ms, inih %.3f ms, ratio ours/inih %.2f\n", kAttributes,
                ours->second, peer->second, ours->second / peer->second);
  }
  benchmark::Shutdown();
  return 0;
}
