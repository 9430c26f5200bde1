// DibStream: the two blocks, their memory kinds, and building headers and images.
#include "image/DibStream.h"

#include <cstdlib>
#include <cstring>

#include "platform/Memory.h"

namespace {

void* AllocateMoveable(bool global, std::size_t bytes) {
  void* handle = global ? GlobalAlloc(GMEM_MOVEABLE, bytes) : LocalAlloc(LMEM_MOVEABLE, bytes);
  if (!handle) return nullptr;
  void* address = global ? GlobalLock(handle) : LocalLock(handle);
  if (!address) {
    if (global) GlobalFree(handle); else LocalFree(handle);
  }
  return address;
}

// Releases a block by the allocator its kind names. Borrowed blocks and unknown kinds are left
// alone: forgetting a block is safe, giving it to the wrong allocator is not.
void Release(DibMemory kind, void* block) {
  if (!block) return;
  switch (kind) {
    case DibHeap:
      platform::HeapRelease(block);
      break;
    case DibLocalMoveable: {
      HLOCAL handle = LocalHandle(block);
      LocalUnlock(handle);
      LocalFree(handle);
      break;
    }
    case DibGlobalMoveable: {
      HGLOBAL handle = GlobalHandle(block);
      GlobalUnlock(handle);
      GlobalFree(handle);
      break;
    }
    case DibLocalFixed:
      LocalFree(block);
      break;
    case DibGlobalFixed:
      GlobalFree(block);
      break;
    default:
      break;
  }
}

// 2, 16 or 256 entries for the indexed depths, none for the direct ones; -1 for an unknown depth.
int TableSizeFor(int bitCount) {
  switch (bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    case 16: case 24: case 32: return 0;
    default: return -1;
  }
}

}  // namespace

void* DibAllocate(DibMemory kind, std::size_t bytes) {
  switch (kind) {
    case DibHeap: return platform::HeapAllocate(bytes);
    case DibLocalMoveable: return AllocateMoveable(false, bytes);
    case DibGlobalMoveable: return AllocateMoveable(true, bytes);
    case DibLocalFixed: return LocalAlloc(LMEM_FIXED, bytes);
    case DibGlobalFixed: return GlobalAlloc(GMEM_FIXED, bytes);
    default: return nullptr;
  }
}

namespace dib {

std::uint32_t Stride(std::int32_t width, int bitCount) {
  return (static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(bitCount) + 31u) / 32u * 4u;
}

std::uint32_t ColorCount(const BITMAPINFOHEADER* header) {
  if (header->biClrUsed != 0) return header->biClrUsed;
  if (header->biBitCount <= 8) return 1u << header->biBitCount;
  return 0;
}

RGBQUAD* ColorTable(BITMAPINFOHEADER* header) {
  return reinterpret_cast<RGBQUAD*>(reinterpret_cast<std::uint8_t*>(header) + header->biSize);
}

const RGBQUAD* ColorTable(const BITMAPINFOHEADER* header) {
  return reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const std::uint8_t*>(header) + header->biSize);
}

std::uint8_t* TopRow(const BITMAPINFOHEADER* header, std::uint8_t* bits, int r) {
  const std::size_t stride = Stride(header->biWidth, header->biBitCount);
  const std::size_t rows = AbsHeight(header->biHeight);
  const std::size_t stored = header->biHeight < 0 ? static_cast<std::size_t>(r) : rows - 1 - static_cast<std::size_t>(r);
  return bits + stride * stored;
}

std::uint32_t AbsHeight(std::int32_t height) {
  return height < 0 ? 0u - static_cast<std::uint32_t>(height) : static_cast<std::uint32_t>(height);
}

std::uint64_t PixelBlockSize(std::int32_t width, std::int32_t height, int bitCount) {
  if (width <= 0 || height == 0 || height == INT32_MIN || bitCount <= 0) return 0;
  const std::uint64_t stride = (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitCount) + 31u) / 32u * 4u;
  const std::uint64_t bytes = stride * AbsHeight(height);
  return bytes > kMaxPixelBytes ? 0 : bytes;
}

}  // namespace dib

DibStream::DibStream() = default;

DibStream::~DibStream() {
  FreeHeader();
  FreeBits();
}

void DibStream::FreeHeader() {
  Release(headerMemory, header);
  header = nullptr;
  headerMemory = DibBorrowed;
}

void DibStream::FreeBits() {
  Release(bitsMemory, bits);
  bits = nullptr;
  bitsMemory = DibBorrowed;
}

bool DibStream::FillHeader(BITMAPINFOHEADER* out, int width, int height, int bitCount) {
  out->biSize = sizeof(BITMAPINFOHEADER);
  out->biWidth = width;
  out->biHeight = height;
  out->biPlanes = 1;
  const int entries = TableSizeFor(bitCount);
  if (entries < 0) return false;
  out->biBitCount = static_cast<WORD>(bitCount);
  out->biCompression = BI_RGB;
  out->biSizeImage = dib::Stride(width, bitCount) * dib::AbsHeight(height);
  out->biXPelsPerMeter = 0;
  out->biYPelsPerMeter = 0;
  out->biClrUsed = static_cast<DWORD>(entries);
  out->biClrImportant = 0;
  return true;
}

BITMAPINFOHEADER* DibStream::NewHeader(int width, int height, int bitCount) {
  const int entries = TableSizeFor(bitCount);
  if (entries < 0) return nullptr;
  const std::size_t bytes = sizeof(BITMAPINFOHEADER) + sizeof(RGBQUAD) * static_cast<std::size_t>(entries);
  auto* made = static_cast<BITMAPINFOHEADER*>(DibAllocate(DibGlobalFixed, bytes));
  if (!made) return nullptr;
  FillHeader(made, width, height, bitCount);
  RGBQUAD* table = dib::ColorTable(made);
  // A 4-bit table is the caller's to write; it starts out black rather than as stale heap bytes.
  std::memset(table, 0, sizeof(RGBQUAD) * static_cast<std::size_t>(entries));
  if (bitCount == 1) {
    table[1] = RGBQUAD{255, 255, 255, 0};
  } else if (bitCount == 8) {
    for (int i = 0; i < 256; ++i) {
      const auto v = static_cast<BYTE>(i);
      table[i] = RGBQUAD{v, v, v, 0};
    }
  }
  return made;
}

std::uint8_t* DibStream::NewBits(const BITMAPINFOHEADER* header) {
  // Sized in 64 bits: the 32-bit stride x height of a hostile or mistaken size can wrap to a small
  // block that every row loop would then overrun.
  const std::uint64_t bytes = dib::PixelBlockSize(header->biWidth, header->biHeight, header->biBitCount);
  if (bytes == 0) return nullptr;
  return static_cast<std::uint8_t*>(DibAllocate(DibGlobalFixed, static_cast<std::size_t>(bytes)));
}

bool DibStream::Create(int width, int height, int bitCount) {
  FreeHeader();
  FreeBits();
  BITMAPINFOHEADER* newHeader = NewHeader(width, height, bitCount);
  if (!newHeader) return false;
  std::uint8_t* newBits = NewBits(newHeader);
  if (!newBits) {
    Release(DibGlobalFixed, newHeader);
    return false;
  }
  header = newHeader;
  headerMemory = DibGlobalFixed;
  bits = newBits;
  bitsMemory = DibGlobalFixed;
  return true;
}

bool DibStream::Adopt(BITMAPINFOHEADER* newHeader, DibMemory newHeaderMemory, std::uint8_t* newBits,
                      DibMemory newBitsMemory) {
  if (!newHeader || !newBits) return false;
  // Adopting a block the object already holds must not free it first.
  if (newHeader != header) FreeHeader();
  if (newBits != bits) FreeBits();
  header = newHeader;
  headerMemory = newHeaderMemory;
  bits = newBits;
  bitsMemory = newBitsMemory;
  return true;
}

int DibStream::RowBytes() const {
  return static_cast<int>(dib::Stride(header->biWidth, header->biBitCount));
}

void DibStream::SetGrayPalette() {
  if (!header) return;
  const int ramp = header->biBitCount == 1 ? 2 : header->biBitCount == 4 ? 16 : header->biBitCount == 8 ? 256 : 0;
  if (ramp == 0) return;
  // A loaded file may carry a shorter table than the depth allows; the info block ends with it.
  const std::uint32_t held = dib::ColorCount(header);
  const int entries = held < static_cast<std::uint32_t>(ramp) ? static_cast<int>(held) : ramp;
  const int step = 255 / (ramp - 1);
  RGBQUAD* table = dib::ColorTable(header);
  for (int i = 0; i < entries; ++i) {
    const auto v = static_cast<BYTE>(i * step);
    table[i] = RGBQUAD{v, v, v, 0};
  }
}
