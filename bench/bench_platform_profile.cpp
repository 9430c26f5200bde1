// Reading a parts index of 1,000 folders (MenuItems and 2,000 Menu entries in two sections, Shift-JIS,
// CRLF) from disk: our ProfileFile against inih parsing into a map, in the same run. The final line
// gives the ratio of the two.
#include <benchmark/benchmark.h>
#include <ini.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/Profile.h"
#include "RatioReporter.h"

namespace {

constexpr int kFolders = 1000;

std::string IndexPath() {
  static const std::string path = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "partwell-bench-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data())) std::abort();
    std::string file = std::string(buffer.data()) + "/parts.ini";
    std::string en = "[PartsAssembler]\r\nMenuItems=" + std::to_string(kFolders) + "\r\n";
    std::string jp = "\r\n[PartsAssembler.jpn]\r\n";
    for (int i = 1; i <= kFolders; ++i) {
      std::string n = std::to_string(i);
      std::string rest = ",f" + n + ".BMP,f" + n + "\\f" + n + "\r\n";
      en += "Menu" + n + "=Folder " + n + rest;
      jp += "Menu" + n + "=\x95\x5c\x83\x5c\x94\x5c" + n + rest;  // 表ソ能 + number
    }
    std::ofstream(file, std::ios::binary) << en << jp;
    return file;
  }();
  return path;
}

std::vector<std::string> MenuKeys() {
  std::vector<std::string> keys;
  for (int i = 1; i <= kFolders; ++i) keys.push_back("Menu" + std::to_string(i));
  return keys;
}

void BM_ProfileFileIndex(benchmark::State& state) {
  const std::string path = IndexPath();
  const std::vector<std::string> keys = MenuKeys();
  for (auto _ : state) {
    platform::ProfileFile index(path);
    int count = index.ReadInteger("PartsAssembler", "MenuItems", 0);
    std::size_t bytes = 0;
    for (int i = 0; i < count; ++i) {
      bytes += index.ReadString("PartsAssembler", keys[i], "").size();
      bytes += index.ReadString("PartsAssembler.jpn", keys[i], "").size();
    }
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_ProfileFileIndex)->Unit(benchmark::kMicrosecond);

using IniMap = std::map<std::pair<std::string, std::string>, std::string>;

int Store(void* user, const char* section, const char* name, const char* value) {
  static_cast<IniMap*>(user)->emplace(std::make_pair(section, name), value);  // the first one wins
  return 1;
}

void BM_InihIndex(benchmark::State& state) {
  const std::string path = IndexPath();
  const std::vector<std::string> keys = MenuKeys();
  for (auto _ : state) {
    IniMap map;
    if (ini_parse(path.c_str(), Store, &map) != 0) state.SkipWithError("inih could not parse the index");
    auto find = [&](const char* section, const std::string& key) -> const std::string* {
      auto it = map.find({section, key});
      return it == map.end() ? nullptr : &it->second;
    };
    const std::string* items = find("PartsAssembler", "MenuItems");
    int count = items ? std::atoi(items->c_str()) : 0;
    std::size_t bytes = 0;
    for (int i = 0; i < count; ++i) {
      if (const std::string* v = find("PartsAssembler", keys[i])) bytes += v->size();
      if (const std::string* v = find("PartsAssembler.jpn", keys[i])) bytes += v->size();
    }
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_InihIndex)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto ours = reporter.times.find("BM_ProfileFileIndex");
  auto peer = reporter.times.find("BM_InihIndex");
  if (ours != reporter.times.end() && peer != reporter.times.end()) {
    std::printf("profile index of %d folders: ProfileFile %.3f ms, inih %.3f ms, ratio ours/inih %.2f (aim: < 5 ms, <= 3)\n",
                kFolders, ours->second / 1e3, peer->second / 1e3, ours->second / peer->second);
  }
  std::filesystem::remove_all(std::filesystem::path(IndexPath()).parent_path());
  benchmark::Shutdown();
  return 0;
}
