// One folder of DOGA's parts index. All four texts are Shift-JIS bytes as they stand in parts.ini.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

struct PartsFolder {
  std::string Name;         // English display name
  std::string JpnName;      // Japanese display name, the line of the folder list
  std::string CatalogFile;  // catalog bitmap, relative to CGAFolder\common\catalog\ .
  std::string PartsPrefix;  // relative to CGAFolder\common\parts\; part files see SlotPartFile
};

// A folder holds this many parts: slots 0 to 15, part files numbered 01 to 16, catalog cells 4 x 4.
constexpr int kSlotCount = 16;

// DOGA reads each value of the index into a 256-byte buffer: at most this many bytes.
constexpr std::size_t kMaxIndexValue = 255;

// The part file of slot (0 to 15) under a prefix: prefix + "NN.SUF" with NN = slot + 1 in two digits
// ("basic\basic" and 2 give "basic\basic03.SUF").
std::string SlotPartFile(std::string_view prefix, int slot);
