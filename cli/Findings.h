// Findings of the library check (and what a repair did) as the cli prints them: one a line, either
// tab-separated (kind, folder, slot, path, text; an absent folder or slot is an empty field) or as
// one JSON object a line with the same five members (absent folder or slot: null). UTF-8.
#pragma once

#include <cstdio>

#include "app/LibraryFinding.h"

namespace cli {

void PrintFinding(std::FILE* stream, const LibraryFinding& finding, bool json);

}  // namespace cli
