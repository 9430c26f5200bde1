// partwell-cli check [--json]: the library check, one finding a line. Exit 0 clean, 1 findings,
// 2 a malformed command line.
#include <cstdio>

#include "cli/CliView.h"
#include "cli/Findings.h"

namespace {

int CmdCheck(cli::Context& context) {
  bool json = false;
  for (const std::string& arg : context.args) {
    if (arg != "--json") {
      std::fprintf(stderr, "partwell-cli: check takes only --json, not '%s'\n", arg.c_str());
      return 2;
    }
    json = true;
  }
  cli::CliView view;
  Workflow workflow(view);
  std::vector<LibraryFinding> findings;
  try {
    // A missing index is reported as a finding of its own, below.
    cli::OpenLibrary(context, view, workflow);
    findings = workflow.CheckLibrary();
  } catch (const platform::FrameworkError& error) {
    return cli::ReportFrameworkError(error);
  }
  for (const LibraryFinding& finding : findings) cli::PrintFinding(stdout, finding, json);
  return findings.empty() ? 0 : 1;
}

}  // namespace

PARTWELL_CLI_COMMAND("check", "check [--json]", CmdCheck)
