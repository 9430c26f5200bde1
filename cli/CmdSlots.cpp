// partwell-cli slots --folder N: one line per slot, with the part file the window's label names.
#include <cstdio>

#include "cli/Library.h"

namespace {

int CmdSlots(cli::Context& context) {
  int folder = 0;
  std::vector<std::string> extra;
  if (!cli::Options().Number("--folder", 1, cli::kMaxFolderNumber, folder).Parse(context.args, extra)) {
    return cli::ExitUsage;
  }
  if (folder == 0 || !extra.empty()) return cli::Misuse("slots --folder N");
  if (!cli::OpenLibrary(context) || !cli::SelectFolder(context, folder)) return cli::ExitFailed;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    context.workflow.SelectedSlot = slot;
    context.workflow.UpdatePartsName();
    cli::PrintSjis(stdout, std::to_string(slot + 1) + "\t" + context.view.partsName + "\n");
  }
  return cli::ExitDone;
}

}  // namespace

PARTWELL_CLI_COMMAND("slots", "slots --folder N", CmdSlots)
