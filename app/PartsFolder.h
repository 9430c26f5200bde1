// One folder of DOGA's parts index. All four texts are Shift-JIS bytes as they stand in parts.ini.
#pragma once

#include <string>

struct PartsFolder {
  std::string Name;         // English display name
  std::string JpnName;      // Japanese display name, the line of the folder list
  std::string CatalogFile;  // catalog bitmap, relative to CGAFolder\common\catalog\ .
  std::string PartsPrefix;  // relative to CGAFolder\common\parts\; part file = prefix + "%02d.SUF"
};
