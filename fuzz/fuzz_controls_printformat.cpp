// The number format check of TMaxNumberEdit: whatever text is offered as a format, formatting
// must never read a missing argument or write past the 31-byte result. Input: 8 bytes of a double
// (host byte order), then the format text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "controls/PrintFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  double value = 1.5;
  if (size >= sizeof value) {
    std::memcpy(&value, data, sizeof value);
    data += sizeof value;
    size -= sizeof value;
  }
  const std::string_view format(reinterpret_cast<const char*>(data), size);
  const bool valid = printformat::IsValid(format);
  const std::string text = printformat::Format(format, value);
  if (text.size() > static_cast<size_t>(printformat::MaxLength)) std::abort();
  if (!valid && !text.empty()) std::abort();
  return 0;
}
