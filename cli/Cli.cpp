#include "cli/Cli.h"

#include <cstdio>
#include <map>

#include "cli/CliView.h"
#include "platform/CommandLine.h"
#include "platform/Console.h"
#include "platform/Sjis.h"

namespace cli {
namespace {

struct Entry {
  const char* usage;
  Command command;
};

std::map<std::string, Entry>& Commands() {
  static std::map<std::string, Entry> commands;
  return commands;
}

int Usage() {
  std::fprintf(stderr, "usage: partwell-cli [--cga DIR] [--atr FILE] COMMAND [ARGS...]\ncommands:\n");
  for (const auto& [name, entry] : Commands()) std::fprintf(stderr, "  %s\n", entry.usage);
  return 2;
}

}  // namespace

bool RegisterCommand(const char* name, const char* usage, Command command) {
  Commands().emplace(name, Entry{usage, command});
  return true;
}

bool ArgToSjis(const std::string& utf8, std::string& sjis) {
  auto converted = platform::Utf8ToSjis(utf8);
  if (!converted) {
    std::fprintf(stderr, "partwell-cli: '%s' cannot be written in Shift-JIS\n", utf8.c_str());
    return false;
  }
  sjis = *converted;
  return true;
}

void PrintSjis(std::FILE* stream, const std::string& sjis) {
  std::string utf8 = platform::SjisToUtf8(sjis);
  std::fwrite(utf8.data(), 1, utf8.size(), stream);
}

}  // namespace cli

int main(int argc, char** argv) {
  platform::SetCommandLine(argc, argv);
  platform::UseBinaryOutput();
  const std::vector<std::string> args = platform::Arguments(argc, argv);
  cli::Context context;
  context.programFolder = platform::ExecutableFolder();
  std::string cga, atr;
  bool haveCga = false, haveAtr = false;
  std::size_t i = 0;
  for (; i < args.size(); ++i) {
    if (args[i] == "--cga" && i + 1 < args.size()) {
      if (!cli::ArgToSjis(args[++i], cga)) return 1;
      haveCga = true;
    } else if (args[i] == "--atr" && i + 1 < args.size()) {
      if (!cli::ArgToSjis(args[++i], atr)) return 1;
      haveAtr = true;
    } else {
      break;
    }
  }
  if (i >= args.size()) return cli::Usage();
  auto found = cli::Commands().find(args[i]);
  if (found == cli::Commands().end()) return cli::Usage();

  // The settings, read from where the window reads them.
  cli::CliView settingsView;
  Workflow settings(settingsView);
  settings.ProgramFolder = context.programFolder;
  settings.LoadSettings();
  context.cgaFolder = haveCga ? cga : settings.CGAFolder;
  context.backColor = settings.BackColor;
  context.atrFile = haveAtr ? atr : settings.ProgramFile("_GENIE.ATR");
  context.settingsFile = settings.SettingsPath();
  context.helpFile = settings.ProgramFile("partwell.htm");
  context.args.assign(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
  return found->second.command(context);
}
