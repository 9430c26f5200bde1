// Helpers of the reader tests: each test writes its own bytes into a scratch folder
// (tests/common/ScratchFolder.h).
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/common/ScratchFolder.h"

namespace shapetest {

using partwell::test::ScratchFolder;

// Descriptors this process has open: a reader that leaks its file shows up here.
inline int OpenDescriptors() {
  int n = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    (void)entry;
    ++n;
  }
  return n;
}

}  // namespace shapetest
