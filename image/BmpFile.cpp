// Reading and writing BMP files: a 14-byte file header, a 40-byte BITMAPINFOHEADER, the colour table
// and the pixel rows, every field little-endian. Files come from anywhere and a catalog we read is
// written back over itself, so every size the file claims is checked against the file itself before
// a byte is allocated.
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>

#include "image/DibStream.h"
#include "platform/FileSystem.h"
#include "platform/Memory.h"

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;
constexpr std::uint16_t kBmpType = 0x4D42;  // the bytes 'B', 'M'

std::uint16_t Get16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t Get32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
void Put16(std::string& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8 & 0xFF));
}
void Put32(std::string& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// Where the bytes of a BMP file come from: an open file or a block of memory.
class Source {
 public:
  virtual ~Source() = default;
  virtual std::size_t Read(void* to, std::size_t bytes) = 0;  // how many arrived
  virtual bool Seek(std::uint64_t position) = 0;             // from the start of the file
  std::uint64_t size = 0;
};

class FileSource final : public Source {
 public:
  explicit FileSource(std::FILE* file) : file_(file) {
    if (std::fseek(file_, 0, SEEK_END) == 0) {
      const long end = std::ftell(file_);
      if (end > 0) size = static_cast<std::uint64_t>(end);
    }
    std::rewind(file_);
  }
  ~FileSource() override { std::fclose(file_); }
  std::size_t Read(void* to, std::size_t bytes) override { return std::fread(to, 1, bytes, file_); }
  bool Seek(std::uint64_t position) override {
    return position <= size && std::fseek(file_, static_cast<long>(position), SEEK_SET) == 0;
  }

 private:
  std::FILE* file_;
};

class MemorySource final : public Source {
 public:
  MemorySource(const void* data, std::size_t bytes) : data_(static_cast<const std::uint8_t*>(data)) {
    size = data ? bytes : 0;
  }
  std::size_t Read(void* to, std::size_t bytes) override {
    const std::size_t n = bytes < size - position_ ? bytes : static_cast<std::size_t>(size - position_);
    if (n) std::memcpy(to, data_ + position_, n);
    position_ += n;
    return n;
  }
  bool Seek(std::uint64_t position) override {
    if (position > size) return false;
    position_ = position;
    return true;
  }

 private:
  const std::uint8_t* data_;
  std::uint64_t position_ = 0;
};

struct HeapBlock {
  void operator()(std::uint8_t* p) const { platform::HeapRelease(p); }
};

// Expands 8-bit run-length coded data into a cleared pixel block. x is the byte within the row and
// y the row in storage order. Runs and literals are clipped at the end of their row, a delta or end
// of line that leaves the picture ends the decoding, and so does coded data that stops short of what
// its code needs.
void DecodeRle8(const std::uint8_t* code, std::size_t codeBytes, std::uint8_t* bits, std::size_t stride,
                std::size_t rows) {
  std::size_t p = 0;
  std::uint64_t x = 0;
  std::uint64_t y = 0;
  // Bytes of a run of n that still fit in row y; the address is only formed when some do.
  auto room = [&](std::uint64_t n) -> std::size_t {
    return x >= stride ? 0 : static_cast<std::size_t>(n < stride - x ? n : stride - x);
  };
  auto at = [&] { return bits + y * stride + x; };
  while (p + 1 < codeBytes && y < rows) {
    const std::uint8_t first = code[p];
    const std::uint8_t second = code[p + 1];
    p += 2;
    if (first != 0) {
      if (const std::size_t n = room(first)) std::memset(at(), second, n);
      x += first;
    } else if (second == 0) {
      x = 0;
      ++y;
    } else if (second == 1) {
      return;
    } else if (second == 2) {
      if (codeBytes - p < 2) return;
      x += code[p];
      y += code[p + 1];
      p += 2;
    } else {
      if (codeBytes - p < second) return;
      if (const std::size_t n = room(second)) std::memcpy(at(), code + p, n);
      x += second;
      p += second + (second & 1u);  // literals are padded to whole words
    }
  }
}

// What LoadBmp learns from the headers, after every check.
struct Layout {
  BITMAPINFOHEADER info;
  std::uint32_t colors;      // entries to read and keep
  std::uint64_t pixelStart;  // where the pixel (or coded) data begins
  std::uint64_t pixelBytes;  // stride x abs(height)
  std::uint64_t codedBytes;  // run-length coded files: bytes of coded data
};

bool ReadLayout(Source& source, int acceptMask, Layout& layout) {
  std::uint8_t raw[kFileHeaderBytes + kInfoHeaderBytes];
  if (source.Read(raw, kFileHeaderBytes) != kFileHeaderBytes || Get16(raw) != kBmpType) return false;
  const std::uint32_t offset = Get32(raw + 10);
  const std::uint8_t* h = raw + kFileHeaderBytes;
  if (source.Read(raw + kFileHeaderBytes, kInfoHeaderBytes) != kInfoHeaderBytes) return false;
  BITMAPINFOHEADER& info = layout.info;
  info.biSize = Get32(h);
  info.biWidth = static_cast<LONG>(Get32(h + 4));
  info.biHeight = static_cast<LONG>(Get32(h + 8));
  info.biPlanes = Get16(h + 12);
  info.biBitCount = Get16(h + 14);
  info.biCompression = Get32(h + 16);
  info.biSizeImage = Get32(h + 20);
  info.biXPelsPerMeter = static_cast<LONG>(Get32(h + 24));
  info.biYPelsPerMeter = static_cast<LONG>(Get32(h + 28));
  info.biClrUsed = Get32(h + 32);
  info.biClrImportant = Get32(h + 36);
  if (info.biSize != kInfoHeaderBytes) return false;
  if (info.biCompression != BI_RGB && info.biCompression != BI_RLE8) return false;

  const int bitCount = info.biBitCount;
  int maskBit = -1;
  switch (bitCount) {
    case 1: maskBit = 0; break;
    case 4: maskBit = 1; break;
    case 8: maskBit = 2; break;
    case 16: maskBit = 3; break;
    case 24: maskBit = 4; break;
    case 32: maskBit = 5; break;
    default: return false;
  }
  if ((acceptMask >> maskBit & 1) == 0) return false;
  // The decoder works on whole bytes: run-length data of any other depth would come out as garbage.
  if (info.biCompression == BI_RLE8 && bitCount != 8) return false;

  layout.pixelBytes = dib::PixelBlockSize(info.biWidth, info.biHeight, bitCount);
  if (layout.pixelBytes == 0) return false;

  if (bitCount <= 8) {
    if (info.biClrUsed > (1u << bitCount)) return false;
    layout.colors = info.biClrUsed ? info.biClrUsed : 1u << bitCount;
  } else {
    layout.colors = 0;
  }
  const std::uint64_t headersEnd = kFileHeaderBytes + kInfoHeaderBytes + 4ull * layout.colors;
  if (headersEnd > source.size) return false;
  if (offset != 0 && offset < headersEnd) return false;
  layout.pixelStart = offset ? offset : headersEnd;
  layout.codedBytes = info.biCompression == BI_RLE8 ? info.biSizeImage : 0;
  const std::uint64_t dataBytes = info.biCompression == BI_RLE8 ? layout.codedBytes : layout.pixelBytes;
  if (layout.pixelStart + dataBytes > source.size) return false;

  info.biClrUsed = layout.colors;
  info.biSizeImage = static_cast<DWORD>(layout.pixelBytes);
  return true;
}

bool Load(DibStream& image, Source& source, int acceptMask) {
  Layout layout;
  if (!ReadLayout(source, acceptMask, layout)) return false;
  const bool coded = layout.info.biCompression == BI_RLE8;
  layout.info.biCompression = BI_RGB;

  const std::size_t infoBytes = kInfoHeaderBytes + 4u * layout.colors;
  auto* header = static_cast<BITMAPINFOHEADER*>(DibAllocate(DibGlobalFixed, infoBytes));
  auto* bits = static_cast<std::uint8_t*>(DibAllocate(DibGlobalFixed, static_cast<std::size_t>(layout.pixelBytes)));
  if (!image.Adopt(header, DibGlobalFixed, bits, DibGlobalFixed)) {
    if (header) GlobalFree(header);
    if (bits) GlobalFree(bits);
    return false;
  }
  std::memcpy(header, &layout.info, kInfoHeaderBytes);

  bool complete = source.Read(dib::ColorTable(header), 4u * layout.colors) == 4u * layout.colors &&
                  source.Seek(layout.pixelStart);
  if (complete && !coded) {
    complete = source.Read(bits, layout.pixelBytes) == layout.pixelBytes;
  } else if (complete) {
    const std::size_t codedBytes = static_cast<std::size_t>(layout.codedBytes);
    std::unique_ptr<std::uint8_t, HeapBlock> code(static_cast<std::uint8_t*>(platform::HeapAllocate(codedBytes)));
    complete = code && source.Read(code.get(), codedBytes) == codedBytes;
    if (complete) {
      std::memset(bits, 0, static_cast<std::size_t>(layout.pixelBytes));
      DecodeRle8(code.get(), codedBytes, bits, dib::Stride(header->biWidth, 8), dib::AbsHeight(header->biHeight));
    }
  }
  if (!complete) {
    image.FreeHeader();
    image.FreeBits();
  }
  return complete;
}

}  // namespace

bool DibStream::LoadBmp(std::string_view path, int acceptMask) {
  FreeHeader();
  FreeBits();
  std::FILE* file = platform::OpenForReading(path);
  if (!file) return false;
  FileSource source(file);
  return Load(*this, source, acceptMask);
}

bool DibStream::LoadBmpFromMemory(const void* data, std::size_t size, int acceptMask) {
  FreeHeader();
  FreeBits();
  MemorySource source(data, size);
  return Load(*this, source, acceptMask);
}

bool DibStream::SaveBmpToMemory(std::string& out) const {
  out.clear();
  if (!header || !bits) return false;
  // Always the whole pixel block: a biSizeImage that disagrees with the block would otherwise read
  // past its end or cut the file short. An adopted header whose size no block can have is refused.
  const std::size_t pixelBytes =
      static_cast<std::size_t>(dib::PixelBlockSize(header->biWidth, header->biHeight, header->biBitCount));
  if (pixelBytes == 0) return false;
  const std::uint32_t colors = dib::ColorCount(header);
  const std::size_t stride = dib::Stride(header->biWidth, header->biBitCount);
  const std::size_t rows = dib::AbsHeight(header->biHeight);
  const std::uint32_t offset = static_cast<std::uint32_t>(kFileHeaderBytes + kInfoHeaderBytes + 4u * colors);

  try {
    out.reserve(offset + pixelBytes);
  } catch (const std::exception&) {  // the library reports failure, it does not throw
    return false;
  }
  Put16(out, kBmpType);
  Put32(out, static_cast<std::uint32_t>(offset + pixelBytes));
  Put16(out, 0);
  Put16(out, 0);
  Put32(out, offset);

  Put32(out, header->biSize);
  Put32(out, static_cast<std::uint32_t>(header->biWidth));
  Put32(out, static_cast<std::uint32_t>(rows));
  Put16(out, header->biPlanes);
  Put16(out, header->biBitCount);
  Put32(out, header->biCompression);
  Put32(out, static_cast<std::uint32_t>(pixelBytes));
  Put32(out, static_cast<std::uint32_t>(header->biXPelsPerMeter));
  Put32(out, static_cast<std::uint32_t>(header->biYPelsPerMeter));
  Put32(out, header->biClrUsed);
  Put32(out, header->biClrImportant);

  out.append(reinterpret_cast<const char*>(dib::ColorTable(header)), 4u * colors);
  if (header->biHeight > 0) {
    out.append(reinterpret_cast<const char*>(bits), pixelBytes);
  } else {
    // Top-down in memory, bottom-up on disk: the last stored row goes first.
    for (std::size_t r = rows; r-- > 0;) out.append(reinterpret_cast<const char*>(bits + r * stride), stride);
  }
  return true;
}

bool DibStream::SaveBmp(std::string_view path) const {
  std::string bytes;
  return SaveBmpToMemory(bytes) && platform::WriteFileAtomically(path, bytes);
}
