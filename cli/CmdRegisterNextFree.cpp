// partwell-cli register --folder N --next-free FILE.suf... [--drag DX,DY]... [--zoom-drag DX]...:
// several shapes into the folder's free slots, in order, with one catalog write; prints one line per
// registered part (slot, part file). Exit 0 all registered, 1 too few free slots (nothing written),
// a file that does not load (nothing written) or a failed write, 2 a malformed command line, 3 all
// registered with a warning about a shape.
#include <cstdio>

#include "cli/RegisterNextFree.h"

namespace cli {

int RegisterNextFree(Context& context, const RegisterRequest& request) {
  if (request.folder == 0 || request.slot != 0 || request.files.empty()) {
    std::fprintf(stderr, "partwell-cli: register --next-free takes --folder N and one or more FILE.suf, no --slot\n");
    return ExitUsage;
  }
  std::vector<std::string> files(request.files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!ArgToSjis(request.files[i], files[i])) return ExitFailed;
  }
  if (!OpenLibrary(context) || !SelectFolder(context, request.folder)) return ExitFailed;
  Workflow& workflow = context.workflow;
  ApplyDrags(workflow, request.drags);
  const std::vector<int> used = workflow.RegisterNextFree(files);
  const PartsFolder* folder = workflow.SelectedFolder();
  for (int slot : used) PrintSjis(stdout, std::to_string(slot + 1) + "\t" + SlotPartFile(folder->PartsPrefix, slot) + "\n");
  return used.size() == files.size() ? StatusAfterOperations(context) : ExitFailed;
}

}  // namespace cli
