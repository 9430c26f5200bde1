// partwell-cli rename-folder N --name EN --jpn JA: new display names for folder N, checked as the
// folder dialog checks them.
#include <cstdio>

#include "cli/Library.h"

namespace {

int CmdRenameFolder(cli::Context& context) {
  std::string name, jpn;
  std::vector<std::string> number;
  int folder = 0;
  if (!cli::Options().Text("--name", name).Text("--jpn", jpn).Parse(context.args, number)) return cli::ExitUsage;
  if (number.size() != 1 || !cli::ReadInt(number[0], 1, cli::kMaxFolderNumber, folder)) {
    return cli::Misuse("rename-folder N --name EN --jpn JA");
  }
  FolderDialogState& typed = context.view.dialogInput;
  if (!cli::ArgToSjis(name, typed.name) || !cli::ArgToSjis(jpn, typed.jpnName)) return cli::ExitFailed;
  if (!cli::OpenLibrary(context) || !cli::SelectFolder(context, folder)) return cli::ExitFailed;
  context.workflow.RenameFolder();
  return cli::StatusAfterOperations(context);
}

}  // namespace

PARTWELL_CLI_COMMAND("rename-folder", "rename-folder N --name EN --jpn JA", CmdRenameFolder)
