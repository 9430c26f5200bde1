// The attribute file reader over arbitrary file contents.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "shape/Loadsuf.h"

namespace {

// One scratch file per process, in memory where the system offers it; removed at exit.
struct ScratchFile {
  std::string path = (access("/dev/shm", W_OK) == 0 ? std::string("/dev/shm") : std::string("/tmp")) +
                     "/fuzz_shape_atr." + std::to_string(getpid());
  ~ScratchFile() { std::remove(path.c_str()); }
};

const std::string& ScratchPath() {
  static const ScratchFile file;
  return file.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::FILE* f = std::fopen(ScratchPath().c_str(), "wb");
  if (f == nullptr) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  XLoaderAtr table;
  if (!ReadAtrFile(table, ScratchPath().c_str())) std::abort();
  if (table.count != static_cast<int>(table.items.size())) std::abort();
  // Every entry is found by its own name, as the first of that name.
  for (const auto& atr : table.items) {
    const XAtr* found = table.Find(atr->name);
    if (found == nullptr || found->name != atr->name) std::abort();
  }
  return 0;
}
