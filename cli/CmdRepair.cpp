// partwell-cli repair [--folder N] [--yes] [--json]: mends what the check finds and needs no guess,
// after one question, and prints one line for each thing it did. Exit 0 done (or nothing to mend),
// 1 the question was answered No (nothing written), a write failed or the library could not be read,
// 2 a malformed command line.
#include <cstdio>

#include "cli/Findings.h"
#include "cli/Library.h"

namespace {

int CmdRepair(cli::Context& context) {
  int folder = 0;  // from 1; 0: every folder
  bool json = false;
  std::vector<std::string> extra;
  cli::Options options;
  options.Number("--folder", 1, cli::kMaxFolderNumber, folder).Flag("--yes", context.view.assumeYes).Flag("--json", json);
  if (!options.Parse(context.args, extra)) return cli::ExitUsage;
  if (!extra.empty()) return cli::Misuse("repair [--folder N] [--yes] [--json]");
  if (!cli::OpenLibrary(context)) return cli::ExitFailed;
  if (folder > 0 && !cli::SelectFolder(context, folder)) return cli::ExitFailed;
  const Workflow::RepairResult result = context.workflow.RepairLibrary(folder - 1);
  for (const LibraryFinding& mended : result.mended) cli::PrintFinding(stdout, mended, json);
  return result.declined || result.failed ? cli::ExitFailed : cli::StatusAfterOperations(context);
}

}  // namespace

PARTWELL_CLI_COMMAND("repair", "repair [--folder N] [--yes] [--json]", CmdRepair)
