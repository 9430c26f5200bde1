// partwell-cli retake --folder N [--slot S] [--drag DX,DY]... [--zoom-drag DX]...: draws the
// folder's thumbnails (one slot, or every slot with a part file) again from the part files, in one
// catalog write. Exit 0 drawn, 1 a part that could not be read, nothing to draw or a failed write,
// 2 a malformed command line.
#include <cstdio>

#include "cli/Library.h"

namespace {

constexpr const char kUsage[] = "retake --folder N [--slot S] [--drag DX,DY]... [--zoom-drag DX]...";

int CmdRetake(cli::Context& context) {
  int folder = 0, slot = 0;
  std::vector<cli::Drag> drags;
  std::vector<std::string> extra;
  cli::Options options;
  options.Number("--folder", 1, cli::kMaxFolderNumber, folder).Number("--slot", 1, kSlotCount, slot);
  cli::DeclareDrags(options, drags);
  if (!options.Parse(context.args, extra)) return cli::ExitUsage;
  if (folder == 0 || !extra.empty()) return cli::Misuse(kUsage);
  if (!cli::OpenLibrary(context) || !cli::SelectFolder(context, folder)) return cli::ExitFailed;
  cli::ApplyDrags(context.workflow, drags);
  if (!context.workflow.RetakeThumbnails(slot - 1)) return cli::ExitFailed;
  return cli::StatusAfterOperations(context);
}

}  // namespace

PARTWELL_CLI_COMMAND("retake", kUsage, CmdRetake)
