// partwell-cli check [--json]: the library check, one finding a line. Exit 0 clean, 1 findings,
// 2 a malformed command line.
#include <cstdio>

#include "cli/Findings.h"
#include "cli/Library.h"

namespace {

int CmdCheck(cli::Context& context) {
  bool json = false;
  std::vector<std::string> extra;
  if (!cli::Options().Flag("--json", json).Parse(context.args, extra)) return cli::ExitUsage;
  if (!extra.empty()) return cli::Misuse("check [--json]");
  // A missing index is reported as a finding of its own.
  cli::OpenLibrary(context);
  const std::vector<LibraryFinding> findings = context.workflow.CheckLibrary();
  for (const LibraryFinding& finding : findings) cli::PrintFinding(stdout, finding, json);
  return findings.empty() ? cli::ExitDone : cli::ExitFailed;
}

}  // namespace

PARTWELL_CLI_COMMAND("check", "check [--json]", CmdCheck)
