// partwell-cli new-folder NAME --name EN --jpn JA: a folder made as the folder dialog makes it; prints
// its number.
#include <cstdio>

#include "cli/Library.h"
#include "platform/FileSystem.h"

namespace {

int CmdNewFolder(cli::Context& context) {
  std::string name, jpn;
  std::vector<std::string> folder;
  if (!cli::Options().Text("--name", name).Text("--jpn", jpn).Parse(context.args, folder)) return cli::ExitUsage;
  if (folder.size() != 1) return cli::Misuse("new-folder NAME --name EN --jpn JA");
  Workflow& workflow = context.workflow;
  // A missing index is no obstacle here: creating the first folder creates it. One that is there but
  // cannot be read is.
  if (!cli::OpenLibrary(context)) {
    if (platform::FileExists(workflow.PartsIndexPath())) return cli::ExitFailed;
    context.view.warnings = 0;
  }
  FolderDialogState& typed = context.view.dialogInput;
  if (!cli::ArgToSjis(folder[0], typed.folder) || !cli::ArgToSjis(name, typed.name) || !cli::ArgToSjis(jpn, typed.jpnName)) {
    return cli::ExitFailed;
  }
  const std::size_t before = workflow.Folders.size();
  workflow.CreateFolder();
  if (workflow.Folders.size() <= before) return cli::ExitFailed;
  const int status = cli::StatusAfterOperations(context);
  if (status == cli::ExitDone) std::printf("%zu\n", workflow.Folders.size());
  return status;
}

}  // namespace

PARTWELL_CLI_COMMAND("new-folder", "new-folder NAME --name EN --jpn JA", CmdNewFolder)
