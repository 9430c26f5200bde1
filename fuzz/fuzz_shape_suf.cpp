// The shape file reader over arbitrary file contents: it ends normally or with the conversion
// error, and what it leaves in the shape is a consistent model of finite coordinates.
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/FrameworkError.h"
#include "shape/Loadsuf.h"

namespace {

// One scratch file per process, in memory where the system offers it; removed at exit.
struct ScratchFile {
  std::string path = (access("/dev/shm", W_OK) == 0 ? std::string("/dev/shm") : std::string("/tmp")) +
                     "/fuzz_shape_suf." + std::to_string(getpid());
  ~ScratchFile() { std::remove(path.c_str()); }
};

const std::string& ScratchPath() {
  static const ScratchFile file;
  return file.path;
}

bool Finite(const Vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (GlobalAttributes.count == 0) {
    for (const char* name : {"red", "blue"}) {
      auto atr = std::make_unique<XAtr>();
      atr->name = name;
      atr->r = 0.5f;
      GlobalAttributes.Add(std::move(atr));
    }
  }
  std::FILE* f = std::fopen(ScratchPath().c_str(), "wb");
  if (f == nullptr) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);

  XLoaderSuf shape;
  int warning = 1;
  bool read = false;
  try {
    read = ReadSufFile(shape, ScratchPath().c_str(), warning);
    if (!read) std::abort();
  } catch (const platform::FrameworkError& error) {
    if (error.Message().empty() || error.Message()[0] != '\'') std::abort();
  }
  if (warning != SufWarnNone && warning != SufWarnAttribute && warning != SufWarnObjects) std::abort();
  if (shape.count != static_cast<int>(shape.faces.size())) std::abort();
  for (const auto& face : shape.faces) {
    if (face->count != static_cast<int>(face->vertices.size())) std::abort();
    for (const Vec3& v : face->vertices) {
      if (!Finite(v)) std::abort();
    }
  }
  shape.UpdateBounds();
  shape.UpdateNormals();
  return 0;
}
