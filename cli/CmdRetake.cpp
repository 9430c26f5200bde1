// partwell-cli retake --folder N [--slot S] [--drag DX,DY]... [--zoom-drag DX]...: draws the
// folder's thumbnails (one slot, or every slot with a part file) again from the part files, in one
// catalog write. Exit 0 drawn, 1 a part that could not be read, nothing to draw or a failed write,
// 2 a malformed command line.
#include <cstdio>

#include "cli/CliView.h"

namespace {

int CmdRetake(cli::Context& context) {
  cli::LibraryOptions options;
  if (!cli::ParseLibraryOptions(context.args, options)) return 2;
  if (options.folder == 0 || !options.positional.empty() || options.nextFree || options.yes) {
    std::fprintf(stderr, "partwell-cli: retake takes --folder N [--slot S] [--drag DX,DY]... [--zoom-drag DX]...\n");
    return 2;
  }
  cli::CliView view;
  Workflow workflow(view);
  return cli::RunOperation(view, [&] {
    if (!cli::OpenLibrary(context, view, workflow) || !cli::SelectFolder(view, workflow, options.folder) ||
        !cli::ApplyDrags(workflow, options.drags) || !workflow.RetakeThumbnails(options.slot - 1)) {
      view.warned = true;
    }
  });
}

}  // namespace

PARTWELL_CLI_COMMAND("retake", "retake --folder N [--slot S] [--drag DX,DY]... [--zoom-drag DX]...", CmdRetake)
