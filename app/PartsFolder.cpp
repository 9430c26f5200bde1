#include "app/PartsFolder.h"

#include <cstdio>

std::string SlotPartFile(std::string_view prefix, int slot) {
  char number[16];
  std::snprintf(number, sizeof number, "%02d.SUF", slot + 1);
  return std::string(prefix) + number;
}
