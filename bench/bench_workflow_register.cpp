// A whole registration (render at 256 x 192, scale, read the catalog, paste, median cut, save with
// its sync) and a whole deletion, through the workflow on a library in a temporary folder.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/Workflow.h"
#include "app/CatalogBitmap.h"
#include "platform/FileSystem.h"
#include "QuietView.h"

namespace {

void Write(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A library with one folder whose catalog already holds sixteen different thumbnails' worth of
// colours, so that the median cut has real work.
struct Library {
  std::filesystem::path root;
  QuietView view;
  Workflow workflow{view};

  Library() {
    char pattern[] = "/tmp/partwell-bench-XXXXXX";
    root = mkdtemp(pattern);
    std::filesystem::create_directories(root / "common" / "parts" / "bench");
    std::filesystem::create_directories(root / "common" / "catalog");
    Write(root / "common" / "parts" / "parts.ini",
          "[PartsAssembler]\r\nMenuItems=1\r\nMenu1=Bench,bench.BMP,bench\\bench\r\n"
          "[PartsAssembler.jpn]\r\nMenu1=Bench,bench.BMP,bench\\bench\r\n");
    DibStream catalog;
    catalog.Create(512, 384, 24);
    for (int y = 0; y < 384; ++y) {
      std::uint8_t* row = dib::TopRow(catalog.header, catalog.bits, y);
      for (int x = 0; x < 512; ++x) {
        row[3 * x] = static_cast<std::uint8_t>(x * 7 + y);
        row[3 * x + 1] = static_cast<std::uint8_t>(y * 3 + (x >> 2));
        row[3 * x + 2] = static_cast<std::uint8_t>((x ^ y) * 5);
      }
    }
    catalog.SaveBmp((root / "common" / "catalog" / "bench.BMP").string());
    std::string shape = std::string(PARTWELL_SOURCE_DIR) + "/data/samples/gear.suf";
    workflow.CGAFolder = root.string();
    workflow.BackColor = 7555739;
    workflow.ReadPartsIndex();
    workflow.SetEditFile(shape);
    workflow.LoadShape();
    workflow.PressPreview(0, 0, 0);
    workflow.RotatePreview(20, 30);
  }
  ~Library() { std::filesystem::remove_all(root); }
};

void BM_RegisterPart(benchmark::State& state) {
  Library library;
  int slot = 0;
  for (auto _ : state) {
    library.workflow.SelectedSlot = slot++ % 16;
    library.workflow.RegisterPart();
  }
}
BENCHMARK(BM_RegisterPart)->Unit(benchmark::kMillisecond);

void BM_DeletePart(benchmark::State& state) {
  Library library;
  for (int slot = 0; slot < 16; ++slot) {
    library.workflow.SelectedSlot = slot;
    library.workflow.RegisterPart();
  }
  int slot = 0;
  for (auto _ : state) {
    state.PauseTiming();
    library.workflow.SelectedSlot = slot++ % 16;
    platform::CopyFile(library.workflow.EditFile,
                       library.workflow.SlotFileName(library.workflow.Folders[0], library.workflow.SelectedSlot));
    state.ResumeTiming();
    library.workflow.DeletePart();
  }
}
BENCHMARK(BM_DeletePart)->Unit(benchmark::kMillisecond);

// A shared parts pack of 1,000 folders of 16 parts each (16,000 part files, 1,000 catalogs), as
// users trade them: a registration into folder 500 must not slow down with the size of the pack
// (the index is parsed, the catalog folder and the part folder are listed for leftovers).
// Every part file and every catalog but the target's are hard links to one file, so that the
// pack costs a few megabytes of disk.
struct BigPack {
  static constexpr int kFolders = 1000;
  std::filesystem::path root;
  QuietView view;
  Workflow workflow{view};

  BigPack() {
    char pattern[] = "/tmp/partwell-bench-XXXXXX";
    root = mkdtemp(pattern);
    const std::filesystem::path parts = root / "common" / "parts";
    const std::filesystem::path catalogs = root / "common" / "catalog";
    std::filesystem::create_directories(parts);
    std::filesystem::create_directories(catalogs);
    const std::string shape = std::string(PARTWELL_SOURCE_DIR) + "/data/samples/gear.suf";
    DibStream blank;
    CreateBlankCatalog(blank, 7555739);
    blank.SaveBmp((catalogs / "f0001.BMP").string());
    std::string english = "[PartsAssembler]\r\nMenuItems=" + std::to_string(kFolders) + "\r\n";
    std::string japanese = "[PartsAssembler.jpn]\r\n";
    for (int f = 1; f <= kFolders; ++f) {
      char name[16];
      std::snprintf(name, sizeof name, "f%04d", f);
      const std::string entry = std::string(name) + ".BMP," + name + "\\" + name;
      english += "Menu" + std::to_string(f) + "=Folder " + name + "," + entry + "\r\n";
      japanese += "Menu" + std::to_string(f) + "=" + name + "," + entry + "\r\n";
      std::filesystem::create_directory(parts / name);
      if (f > 1) std::filesystem::create_hard_link(catalogs / "f0001.BMP", catalogs / (std::string(name) + ".BMP"));
      for (int s = 1; s <= 16; ++s) {
        char file[32];
        std::snprintf(file, sizeof file, "%s%02d.SUF", name, s);
        std::filesystem::create_hard_link(shape, parts / name / file);
      }
    }
    // The target folder's catalog is a file of its own, so that its rewrite leaves the others alone.
    std::filesystem::remove(catalogs / "f0500.BMP");
    std::filesystem::copy_file(catalogs / "f0001.BMP", catalogs / "f0500.BMP");
    Write(parts / "parts.ini", english + japanese);
    workflow.CGAFolder = root.string();
    workflow.BackColor = 7555739;
    workflow.ReadPartsIndex();
    view.selected = 499;
    workflow.SetEditFile(shape);
    workflow.LoadShape();
  }
  ~BigPack() { std::filesystem::remove_all(root); }
};

void BM_RegisterPartInBigPack(benchmark::State& state) {
  BigPack pack;
  int slot = 0;
  for (auto _ : state) {
    pack.workflow.SelectedSlot = slot++ % 16;
    pack.workflow.RegisterPart();
  }
}
BENCHMARK(BM_RegisterPartInBigPack)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
