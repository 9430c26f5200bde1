// partwell-cli paths: the files the program uses, where the window would find them, as host paths.
#include <cstdio>
#include <filesystem>

#include "cli/Cli.h"
#include "platform/FileSystem.h"

namespace {

void PrintPath(const char* what, const std::string& sjis) {
  const std::string host = std::filesystem::path(platform::HostPath(sjis)).lexically_normal().string();
  std::printf("%s\t%s\n", what, host.c_str());
}

int CmdPaths(cli::Context& context) {
  if (!context.args.empty()) {
    std::fprintf(stderr, "usage: partwell-cli paths\n");
    return cli::ExitUsage;
  }
  PrintPath("settings", context.workflow.SettingsPath());
  PrintPath("attributes", context.atrFile);
  PrintPath("help", context.workflow.ProgramFile("partwell.htm"));
  return cli::ExitDone;
}

}  // namespace

PARTWELL_CLI_COMMAND("paths", "paths", CmdPaths)
