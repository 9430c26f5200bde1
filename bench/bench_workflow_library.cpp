// Library care against the one-at-a-time path, in the same run: one RegisterPart; a retake of a
// full folder (aim: at most 1.5 x one registration); sixteen shapes into free slots with
// RegisterNextFree (aim: at most 3 x one registration) and, for comparison, sixteen RegisterPart
// calls; and CheckLibrary over 1,000 folders with 16,000 part files (aim: under 2 s).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "app/CatalogBitmap.h"
#include "app/Workflow.h"
#include "platform/FileSystem.h"
#include "QuietView.h"
#include "RatioReporter.h"

namespace {

void Write(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Sample(const char* name) { return std::string(PARTWELL_SOURCE_DIR) + "/data/samples/" + name; }

// A catalog whose every cell holds a picture: many colours for the median cut, and a thumbnail-like
// cell (background with a shape in the middle) for the check, which reads it at 8 bits.
std::string CatalogBytes() {
  DibStream catalog;
  catalog.Create(512, 384, 24);
  for (int y = 0; y < 384; ++y) {
    std::uint8_t* row = dib::TopRow(catalog.header, catalog.bits, y);
    for (int x = 0; x < 512; ++x) {
      const bool shape = (y % 96) > 30 && (y % 96) < 66 && (x % 128) > 40 && (x % 128) < 90;
      row[3 * x] = shape ? static_cast<std::uint8_t>(x * 7 + y) : 155;
      row[3 * x + 1] = shape ? static_cast<std::uint8_t>(y * 3 + (x >> 2)) : 74;
      row[3 * x + 2] = shape ? static_cast<std::uint8_t>((x ^ y) * 5) : 115;
    }
  }
  catalog.ConvertDepth(8, DepthMedianCut);
  std::string bytes;
  catalog.SaveBmpToMemory(bytes);
  return bytes;
}

// A DOGA library of `folders` folders in a temporary folder, each with `parts` part files taken in
// turn from the sample shapes, and the workflow on it.
struct Library {
  std::filesystem::path root;
  QuietView view;
  Workflow workflow{view};

  Library(int folders, int parts) {
    char pattern[] = "/tmp/partwell-bench-XXXXXX";
    root = mkdtemp(pattern);
    const std::filesystem::path partsRoot = root / "common" / "parts";
    std::filesystem::create_directories(partsRoot);
    std::filesystem::create_directories(root / "common" / "catalog");
    const std::string catalog = CatalogBytes();
    const std::string shapes[] = {Read(Sample("cube.suf")), Read(Sample("pyramid.suf")), Read(Sample("arrow.suf")),
                                  Read(Sample("cylinder.suf")), Read(Sample("gear.suf"))};
    std::string index = "[PartsAssembler]\r\nMenuItems=" + std::to_string(folders) + "\r\n", jpn = "[PartsAssembler.jpn]\r\n";
    for (int f = 1; f <= folders; ++f) {
      const std::string name = "f" + std::to_string(f);
      const std::string entry = "Menu" + std::to_string(f) + "=" + name + "," + name + ".BMP," + name + "\\" + name + "\r\n";
      index += entry;
      jpn += entry;
      std::filesystem::create_directory(partsRoot / name);
      Write(root / "common" / "catalog" / (name + ".BMP"), catalog);
      for (int s = 0; s < parts; ++s) {
        char file[64];
        std::snprintf(file, sizeof file, "%s%02d.SUF", name.c_str(), s + 1);
        Write(partsRoot / name / file, shapes[(f + s) % 5]);
      }
    }
    Write(partsRoot / "parts.ini", index + jpn);
    ReadAtrFile(GlobalAttributes, (std::string(PARTWELL_SOURCE_DIR) + "/data/_GENIE.ATR").c_str());
    workflow.CGAFolder = root.string();
    workflow.BackColor = 7555739;
    workflow.ReadPartsIndex();
    workflow.SetEditFile(Sample("gear.suf"));
    workflow.LoadShape();
    workflow.PressPreview(0, 0, 0);
    workflow.RotatePreview(20, 30);
  }
  ~Library() { std::filesystem::remove_all(root); }
  std::string Part(int slot) const { return workflow.SlotFileName(workflow.Folders[0], slot); }
};

void BM_RegisterOne(benchmark::State& state) {
  Library library(1, 0);
  int slot = 0;
  for (auto _ : state) {
    library.workflow.SelectedSlot = slot++ % 16;
    library.workflow.RegisterPart();
  }
}
BENCHMARK(BM_RegisterOne)->Unit(benchmark::kMillisecond);

void BM_RetakeFullFolder(benchmark::State& state) {
  Library library(1, 16);
  for (auto _ : state) library.workflow.RetakeThumbnails(-1);
}
BENCHMARK(BM_RetakeFullFolder)->Unit(benchmark::kMillisecond);

void BM_RegisterSixteenOneAtATime(benchmark::State& state) {
  Library library(1, 0);
  for (auto _ : state) {
    for (int slot = 0; slot < 16; ++slot) {
      library.workflow.SelectedSlot = slot;
      library.workflow.RegisterPart();
    }
    state.PauseTiming();
    for (int slot = 0; slot < 16; ++slot) platform::DeleteFile(library.Part(slot));
    state.ResumeTiming();
  }
}
BENCHMARK(BM_RegisterSixteenOneAtATime)->Unit(benchmark::kMillisecond);

void BM_RegisterNextFreeSixteen(benchmark::State& state) {
  Library library(1, 0);
  const std::vector<std::string> files(16, Sample("gear.suf"));
  for (auto _ : state) {
    library.workflow.RegisterNextFree(files);
    state.PauseTiming();
    for (int slot = 0; slot < 16; ++slot) platform::DeleteFile(library.Part(slot));
    state.ResumeTiming();
  }
}
BENCHMARK(BM_RegisterNextFreeSixteen)->Unit(benchmark::kMillisecond);

void BM_CheckThousandFolders(benchmark::State& state) {
  Library library(1000, 16);
  std::size_t findings = 0;
  for (auto _ : state) findings = library.workflow.CheckLibrary().size();
  state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_CheckThousandFolders)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto& ms = reporter.times;
  if (ms.count("BM_RegisterOne") > 0 && ms.count("BM_RetakeFullFolder") > 0 && ms.count("BM_RegisterNextFreeSixteen") > 0) {
    const double one = ms["BM_RegisterOne"];
    std::printf("one registration %.1f ms; retake of 16 slots %.1f ms = %.2f x (aim <= 1.5); next-free of 16 %.1f ms = %.2f x "
                "(aim <= 3; sixteen one at a time %.1f ms)\n",
                one, ms["BM_RetakeFullFolder"], ms["BM_RetakeFullFolder"] / one, ms["BM_RegisterNextFreeSixteen"],
                ms["BM_RegisterNextFreeSixteen"] / one, ms["BM_RegisterSixteenOneAtATime"]);
  }
  if (ms.count("BM_CheckThousandFolders") > 0) {
    std::printf("check of 1,000 folders with 16,000 parts: %.0f ms (aim < 2000)\n", ms["BM_CheckThousandFolders"]);
  }
  benchmark::Shutdown();
  return 0;
}
