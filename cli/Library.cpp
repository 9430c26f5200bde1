#include "cli/Library.h"

#include <climits>
#include <cstdio>

namespace cli {

void DeclareDrags(Options& options, std::vector<Drag>& drags) {
  options.Custom("--drag", 1, "DX,DY", [&drags](const std::vector<std::string>& v) {
    Drag drag{PointerLeft};
    if (!ReadIntPair(v[0], ',', INT_MIN, INT_MAX, drag.dx, drag.dy)) return false;
    drags.push_back(drag);
    return true;
  });
  options.Custom("--zoom-drag", 1, "DX", [&drags](const std::vector<std::string>& v) {
    Drag drag{PointerRight};
    if (!ReadInt(v[0], INT_MIN, INT_MAX, drag.dx)) return false;
    drags.push_back(drag);
    return true;
  });
}

void ApplyDrags(Workflow& workflow, const std::vector<Drag>& drags) {
  for (const Drag& drag : drags) {
    workflow.PressPreview(0, 0, drag.button);
    workflow.MovePreview(drag.dx, drag.dy, drag.button);
  }
}

bool OpenLibrary(Context& context) {
  const int before = context.view.warnings;
  context.workflow.ReadPartsIndex();
  return context.view.warnings == before;
}

bool SelectFolder(Context& context, int folder, int slot) {
  const Workflow& workflow = context.workflow;
  if (folder < 1 || folder > static_cast<int>(workflow.Folders.size())) {
    std::fprintf(stderr, "partwell-cli: there is no folder %d (the index has %zu)\n", folder, workflow.Folders.size());
    return false;
  }
  context.view.SelectFolderLine(folder - 1);
  context.workflow.SelectedSlot = slot > 0 ? slot - 1 : 0;
  return true;
}

}  // namespace cli
