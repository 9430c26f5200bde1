// register --next-free: the register command hands over when it sees the option.
#pragma once

#include <string>
#include <vector>

#include "cli/Library.h"

namespace cli {

// The register command's parsed options.
struct RegisterRequest {
  int folder = 0;  // from 1; 0 when not given
  int slot = 0;    // from 1; 0 when not given
  std::vector<Drag> drags;
  std::vector<std::string> files;  // UTF-8 as given
};

int RegisterNextFree(Context& context, const RegisterRequest& request);

}  // namespace cli
