// partwell-cli register --folder N --next-free FILE.suf... [--drag DX,DY]... [--zoom-drag DX]...:
// several shapes into the folder's free slots, in order, with one catalog write; prints one line per
// registered part (slot, part file). Exit 0 all registered, 1 too few free slots (nothing written),
// a file that does not load (nothing written), a load warning or a failed write, 2 a malformed
// command line.
#include <cstdio>

#include "cli/CliView.h"

namespace cli {

int RegisterNextFree(Context& context) {
  LibraryOptions options;
  if (!ParseLibraryOptions(context.args, options)) return 2;
  if (options.folder == 0 || options.slot != 0 || options.positional.empty()) {
    std::fprintf(stderr, "partwell-cli: register --next-free takes --folder N and one or more FILE.suf, no --slot\n");
    return 2;
  }
  std::vector<std::string> files(options.positional.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!ArgToSjis(options.positional[i], files[i])) return 2;
  }
  CliView view;
  Workflow workflow(view);
  std::vector<int> used;
  int code = RunOperation(view, [&] {
    if (!OpenLibrary(context, view, workflow) || !SelectFolder(view, workflow, options.folder) ||
        !ApplyDrags(workflow, options.drags)) {
      view.warned = true;
      return;
    }
    used = workflow.RegisterNextFree(files);
  });
  const PartsFolder* folder = workflow.SelectedFolder();
  for (int slot : used) {
    char number[16];
    std::snprintf(number, sizeof number, "%02d.SUF", slot + 1);
    PrintSjis(stdout, std::to_string(slot + 1) + "\t" + folder->PartsPrefix + number + "\n");
  }
  return used.size() == files.size() ? code : 1;
}

}  // namespace cli
