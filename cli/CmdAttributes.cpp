// partwell-cli attributes: the attribute table as the program reads it at start-up.
#include <cstdio>
#include <string>

#include "cli/Cli.h"
#include "shape/Loadsuf.h"

namespace {

int CmdAttributes(cli::Context& context) {
  if (!context.args.empty()) {
    std::fprintf(stderr, "usage: partwell-cli [--atr FILE] attributes\n");
    return cli::ExitUsage;
  }
  // Read at start-up, as the window reads it.
  if (!context.attributesRead) {
    cli::PrintSjis(stderr, "partwell-cli: cannot open the attribute file " + context.atrFile + "\n");
    return cli::ExitFailed;
  }
  for (const auto& atr : GlobalAttributes.items) {
    char colour[96];
    std::snprintf(colour, sizeof colour, "\t%g\t%g\t%g\n", static_cast<double>(atr->r), static_cast<double>(atr->g),
                  static_cast<double>(atr->b));
    cli::PrintSjis(stdout, atr->name + colour);
  }
  return cli::ExitDone;
}

}  // namespace

PARTWELL_CLI_COMMAND("attributes", "attributes", CmdAttributes)
