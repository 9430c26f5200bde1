// LoadBmp on arbitrary bytes, from memory and from a file, which must agree; whatever loads must
// survive SaveBmp and load again as the same picture.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "image/DibStream.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckSamePicture(const DibStream& a, const DibStream& b) {
  Check(a.header->biWidth == b.header->biWidth);
  Check(dib::AbsHeight(a.header->biHeight) == dib::AbsHeight(b.header->biHeight));
  Check(a.header->biBitCount == b.header->biBitCount);
  Check(a.header->biClrUsed == b.header->biClrUsed);
  Check(std::memcmp(dib::ColorTable(a.header), dib::ColorTable(b.header), 4 * dib::ColorCount(a.header)) == 0);
  const int rows = static_cast<int>(dib::AbsHeight(a.header->biHeight));
  for (int r = 0; r < rows; ++r)
    Check(std::memcmp(dib::TopRow(a.header, a.bits, r), dib::TopRow(b.header, b.bits, r), a.RowBytes()) == 0);
}

// The header of a loaded image is always plain: 40 bytes, uncompressed, its own block size.
void CheckKeptHeader(const DibStream& image) {
  Check(image.header->biSize == 40);
  Check(image.header->biCompression == 0);
  Check(image.header->biSizeImage ==
        dib::PixelBlockSize(image.header->biWidth, image.header->biHeight, image.header->biBitCount));
}

// In memory (/dev/shm) where there is such a folder: creating and removing a file on a disk for
// every run would cost more than the run itself.
const std::string& TempFile() {
  static const std::string path = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                                  "/fuzz_image_loadbmp." + std::to_string(getpid()) + ".bmp";
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Run-length files may claim up to 256 MiB from a few bytes, which is allowed but makes every run
  // slow; the tests cover that size, the fuzzer keeps to 1 MiB (1024 x 1024 and the like).
  if (size >= 54 && data[30] == 1 && data[31] == 0 && data[32] == 0 && data[33] == 0) {
    std::int32_t width, height;
    std::memcpy(&width, data + 18, 4);
    std::memcpy(&height, data + 22, 4);
    if (dib::PixelBlockSize(width, height, 8) > (1u << 20)) return 0;
  }

  DibStream fromMemory;
  const bool loaded = fromMemory.LoadBmpFromMemory(data, size, DibAcceptAll);
  Check(loaded == (fromMemory.bits != nullptr) && loaded == (fromMemory.header != nullptr));

  if (std::FILE* f = std::fopen(TempFile().c_str(), "wb")) {
    const bool written = std::fwrite(data, 1, size, f) == size;
    if (std::fclose(f) == 0 && written) {
      DibStream fromFile;
      Check(fromFile.LoadBmp(TempFile(), DibAcceptAll) == loaded);
      if (loaded) CheckSamePicture(fromMemory, fromFile);
    }
    std::remove(TempFile().c_str());
  }
  if (!loaded) return 0;
  CheckKeptHeader(fromMemory);

  std::string saved;
  Check(fromMemory.SaveBmpToMemory(saved));
  DibStream again;
  Check(again.LoadBmpFromMemory(saved.data(), saved.size(), DibAcceptAll));
  CheckKeptHeader(again);
  Check(again.header->biHeight > 0);
  CheckSamePicture(fromMemory, again);
  return 0;
}
