// partwell-cli folders: one line per folder of the parts index.
#include <cstdio>

#include "cli/Library.h"

namespace {

int CmdFolders(cli::Context& context) {
  std::vector<std::string> extra;
  if (!cli::Options().Parse(context.args, extra)) return cli::ExitUsage;
  if (!extra.empty()) return cli::Misuse("folders");
  if (!cli::OpenLibrary(context)) return cli::ExitFailed;
  int n = 1;
  for (const PartsFolder& folder : context.workflow.Folders) {
    cli::PrintSjis(stdout, std::to_string(n++) + "\t" + folder.Name + "\t" + folder.JpnName + "\t" + folder.CatalogFile +
                               "\t" + folder.PartsPrefix + "\n");
  }
  return cli::ExitDone;
}

}  // namespace

PARTWELL_CLI_COMMAND("folders", "folders", CmdFolders)
