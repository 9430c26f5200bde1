// partwell-cli repair [--folder N] [--yes] [--json]: mends what the check finds and needs no guess,
// after one question, and prints one line for each thing it did. Exit 0 done (or nothing to mend),
// 1 a write failed or the library could not be read, 2 a malformed command line, 3 the question was
// answered No (nothing written).
#include <cstdio>
#include <cstdlib>

#include "cli/CliView.h"
#include "cli/Findings.h"

namespace {

struct RepairOptions {
  int folder = 0;  // from 1; 0: every folder
  bool yes = false;
  bool json = false;
};

bool ParseRepairOptions(const std::vector<std::string>& args, RepairOptions& options) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--yes") {
      options.yes = true;
    } else if (args[i] == "--json") {
      options.json = true;
    } else if (args[i] == "--folder" && i + 1 < args.size()) {
      char* end = nullptr;
      long folder = std::strtol(args[++i].c_str(), &end, 10);
      if (args[i].empty() || *end != '\0' || folder < 1 || folder > 1000000) {
        std::fprintf(stderr, "partwell-cli: --folder takes a number from 1, not '%s'\n", args[i].c_str());
        return false;
      }
      options.folder = static_cast<int>(folder);
    } else {
      std::fprintf(stderr, "partwell-cli: repair takes [--folder N] [--yes] [--json], not '%s'\n", args[i].c_str());
      return false;
    }
  }
  return true;
}

int CmdRepair(cli::Context& context) {
  RepairOptions options;
  if (!ParseRepairOptions(context.args, options)) return 2;
  cli::CliView view;
  view.assumeYes = options.yes;
  Workflow workflow(view);
  Workflow::RepairResult result;
  try {
    if (!cli::OpenLibrary(context, view, workflow)) return 1;
    if (options.folder > 0 && !cli::SelectFolder(view, workflow, options.folder)) return 1;
    result = workflow.RepairLibrary(options.folder - 1);
  } catch (const platform::FrameworkError& error) {
    return cli::ReportFrameworkError(error);
  }
  for (const LibraryFinding& mended : result.mended) cli::PrintFinding(stdout, mended, options.json);
  if (result.declined) return 3;
  return result.failed || view.warned ? 1 : 0;
}

}  // namespace

PARTWELL_CLI_COMMAND("repair", "repair [--folder N] [--yes] [--json]", CmdRepair)
