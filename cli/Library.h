// What the library commands share: the preview's pointer steps, opening the library, choosing a folder.
#pragma once

#include <vector>

#include "cli/Cli.h"
#include "cli/Options.h"

namespace cli {

// One pointer step over the preview from (0, 0) to (dx, dy) with one button held.
struct Drag {
  unsigned button = PointerLeft;
  int dx = 0;
  int dy = 0;
};

// Declares "--drag DX,DY" (a left-button step) and "--zoom-drag DX" (a right-button step), kept in
// the order given.
void DeclareDrags(Options& options, std::vector<Drag>& drags);
// Applies the steps to the preview's view as the pointer would.
void ApplyDrags(Workflow& workflow, const std::vector<Drag>& drags);

// Reads the parts index. False (after its warning) when it is missing or cannot be read.
bool OpenLibrary(Context& context);

// Selects folder N (from 1) and slot S (from 1; 0: the first); prints a message and returns false
// when there is no such folder.
bool SelectFolder(Context& context, int folder, int slot = 0);

// The largest folder number an option takes; the index decides which exist.
constexpr long long kMaxFolderNumber = 1000000;

}  // namespace cli
