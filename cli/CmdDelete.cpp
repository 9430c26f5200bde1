// partwell-cli delete --folder N --slot S [--yes]: the slot's part file and its catalog cell.
#include <cstdio>

#include "cli/Library.h"

namespace {

constexpr const char kUsage[] = "delete --folder N --slot S [--yes]";

int CmdDelete(cli::Context& context) {
  int folder = 0, slot = 0;
  std::vector<std::string> extra;
  cli::Options options;
  options.Number("--folder", 1, cli::kMaxFolderNumber, folder).Number("--slot", 1, kSlotCount, slot);
  options.Flag("--yes", context.view.assumeYes);
  if (!options.Parse(context.args, extra)) return cli::ExitUsage;
  if (folder == 0 || slot == 0 || !extra.empty()) return cli::Misuse(kUsage);
  if (!cli::OpenLibrary(context) || !cli::SelectFolder(context, folder, slot)) return cli::ExitFailed;
  context.workflow.DeletePart();
  return cli::StatusAfterOperations(context);
}

}  // namespace

PARTWELL_CLI_COMMAND("delete", kUsage, CmdDelete)
