// Every velrast call with arbitrary arguments, in arbitrary order: coordinates anywhere in the
// 32-bit range, any float (NaN and infinities included), any depth and switch, calls without a
// buffer. The sanitizers catch stores outside the blocks; the padding of 24-bit rows, which lies
// inside the pixel block, is checked by hand: no drawing call may touch it.
//
// Input: byte 0 picks the first buffer (depth, switches), bytes 1-2 its size; then commands of one
// opcode byte and its arguments. An opcode with bit 7 set takes one-byte arguments near the buffer,
// otherwise raw 4-byte ints and floats.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "velrast/velrast.h"

namespace {

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool More() const { return at_ < size_; }
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::uint32_t Word() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(Byte()) << (8 * i);
    return v;
  }
  int Int(bool near) { return near ? static_cast<std::int8_t>(Byte()) : static_cast<int>(Word()); }
  float Float(bool near) {
    if (near) return static_cast<float>(static_cast<std::int8_t>(Byte())) * 0.75f;
    const std::uint32_t bits = Word();
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

const int kDepths[] = {8, 16, 24, 32};
constexpr std::uint8_t kPad = 0xA5;

struct Buffer {
  bool present = false;
  bool padded = false;  // a 24-bit buffer whose row padding was set to kPad
};

// After vlrInitBuffer: mark the padding of a 24-bit frame, which drawing must leave alone.
Buffer Started(int ok) {
  Buffer b;
  BITMAPINFOHEADER* h = nullptr;
  unsigned char* bits = nullptr;
  const int got = vlrGetDib(&h, &bits);
  if ((got != 0) != (ok != 0)) std::abort();
  if (!got) return b;
  b.present = true;
  if (h->biBitCount == 24) {
    const std::size_t stride = (static_cast<std::size_t>(h->biWidth) * 3 + 3) / 4 * 4;
    for (std::int32_t y = 0; y < -h->biHeight; ++y)
      for (std::size_t x = static_cast<std::size_t>(h->biWidth) * 3; x < stride; ++x) bits[y * stride + x] = kPad;
    b.padded = stride != static_cast<std::size_t>(h->biWidth) * 3;
  }
  return b;
}

void CheckPadding(const Buffer& b) {
  if (!b.padded) return;
  BITMAPINFOHEADER* h = nullptr;
  unsigned char* bits = nullptr;
  if (!vlrGetDib(&h, &bits)) std::abort();
  const std::size_t stride = (static_cast<std::size_t>(h->biWidth) * 3 + 3) / 4 * 4;
  for (std::int32_t y = 0; y < -h->biHeight; ++y)
    for (std::size_t x = static_cast<std::size_t>(h->biWidth) * 3; x < stride; ++x)
      if (bits[y * stride + x] != kPad) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Reader in(data, size);
  const std::uint8_t setup = in.Byte();
  vlrSetRenderBpp(kDepths[setup & 3]);
  vlrZBufferEnable(setup >> 2 & 1);
  vlrZTestEnable(setup >> 3 & 1);
  vlrSetColor(0x123456);
  Buffer buffer = Started(vlrInitBuffer(in.Byte() % 80 + 1, in.Byte() % 80 + 1));
  vlrClear();
  DeviceContext dc;
  std::vector<std::uint32_t> surface(40 * 30);
  dc.pixels = surface.data();
  dc.width = 40;
  dc.height = 30;
  dc.pixelsPerRow = 40;

  for (int steps = 0; in.More() && steps < 200; ++steps) {
    const std::uint8_t op = in.Byte();
    const bool n = op & 0x80;
    switch (op & 0x1F) {
      case 0: {
        const int a = in.Int(n), b = in.Int(n), c = in.Int(n), d = in.Int(n), e = in.Int(n), f = in.Int(n);
        vlrTriangle(a, b, c, d, e, f);
        break;
      }
      case 1: {
        const int x1 = in.Int(n), y1 = in.Int(n);
        const float z1 = in.Float(n);
        const int x2 = in.Int(n), y2 = in.Int(n);
        const float z2 = in.Float(n);
        const int x3 = in.Int(n), y3 = in.Int(n);
        const float z3 = in.Float(n);
        if (op & 0x40) {
          vlrTriangle3c(x1, y1, z1, 1, x2, y2, z2, 2, x3, y3, z3, 3);
        } else {
          vlrTriangle3(x1, y1, z1, x2, y2, z2, x3, y3, z3);
        }
        break;
      }
      case 2: {
        float v[9];
        for (float& f : v) f = in.Float(n);
        vlrTriangle3fg(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
        break;
      }
      case 3: {
        const int a = in.Int(n), b = in.Int(n), c = in.Int(n), d = in.Int(n);
        vlrLine(a, b, c, d);
        break;
      }
      case 4: {
        const int x1 = in.Int(n), y1 = in.Int(n);
        const float z1 = in.Float(n);
        const int x2 = in.Int(n), y2 = in.Int(n);
        const float z2 = in.Float(n);
        vlrLine3(x1, y1, z1, x2, y2, z2);
        break;
      }
      case 5: {
        float v[6];
        for (float& f : v) f = in.Float(n);
        vlrLine3fg(v[0], v[1], v[2], v[3], v[4], v[5]);
        break;
      }
      case 6: {
        const int a = in.Int(n), b = in.Int(n), c = in.Int(n), d = in.Int(n);
        if (op & 0x40) {
          vlrBox3(a, b, c, d, in.Float(n));
        } else {
          vlrBox(a, b, c, d);
        }
        break;
      }
      case 7:
        vlrSetColor(in.Word());
        break;
      case 8: {
        const float r = in.Float(n), g = in.Float(n), b = in.Float(n);
        vlrSetColorf(r, g, b);
        if (vlrGetColor() > 0xFFFFFF) std::abort();
        break;
      }
      case 9:
        vlrZTestEnable(in.Byte() & 1);
        break;
      case 10:
        vlrZBufferEnable(in.Byte() & 1);
        break;
      case 11:
        vlrClear();
        break;
      case 12:
        vlrSetRenderBpp(static_cast<int>(in.Byte()) - 100);
        break;
      case 13: {
        CheckPadding(buffer);
        const int w = n ? in.Byte() % 80 + 1 : in.Int(false), h = n ? in.Byte() % 80 + 1 : in.Int(false);
        // Sizes the library may refuse, but without trying to allocate gigabytes.
        buffer = Started(vlrInitBuffer(w > 300 ? w % 300 : w, h > 300 ? h % 300 : h));
        break;
      }
      case 14:
        CheckPadding(buffer);
        vlrDestroy();
        buffer = Started(0);
        break;
      case 15:
        vlrRender(&dc, in.Int(true), in.Int(true));
        break;
      default:
        break;
    }
  }
  CheckPadding(buffer);
  vlrDestroy();
  return 0;
}
