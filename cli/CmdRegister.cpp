// partwell-cli register FILE.suf --folder N --slot S [--drag DX,DY]... [--zoom-drag DX]... [--yes]:
// the shape loaded as the window loads it, turned by the steps, copied into the slot and drawn into
// the catalog. With --next-free in place of --slot, several shapes into the free slots.
#include <cstdio>

#include "cli/Library.h"
#include "cli/RegisterNextFree.h"

namespace {

constexpr const char kUsage[] =
    "register FILE.suf --folder N --slot S [--drag DX,DY]... [--zoom-drag DX]... [--yes]\n"
    "  register --folder N --next-free FILE.suf... [--drag DX,DY]... [--zoom-drag DX]...";

int CmdRegister(cli::Context& context) {
  cli::RegisterRequest request;
  bool nextFree = false;
  cli::Options options;
  options.Number("--folder", 1, cli::kMaxFolderNumber, request.folder).Number("--slot", 1, kSlotCount, request.slot);
  options.Flag("--yes", context.view.assumeYes).Flag("--next-free", nextFree);
  cli::DeclareDrags(options, request.drags);
  if (!options.Parse(context.args, request.files)) return cli::ExitUsage;
  if (nextFree) return cli::RegisterNextFree(context, request);
  if (request.folder == 0 || request.slot == 0 || request.files.size() != 1) return cli::Misuse(kUsage);
  std::string file;
  if (!cli::ArgToSjis(request.files[0], file)) return cli::ExitFailed;
  if (!cli::OpenLibrary(context) || !cli::SelectFolder(context, request.folder, request.slot)) return cli::ExitFailed;
  Workflow& workflow = context.workflow;
  workflow.SetEditFile(file);
  workflow.LoadShape();
  cli::ApplyDrags(workflow, request.drags);
  workflow.RegisterPart();
  return cli::StatusAfterOperations(context);
}

}  // namespace

PARTWELL_CLI_COMMAND("register", kUsage, CmdRegister)
