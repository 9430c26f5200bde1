#include "cli/Cli.h"

#include <cstdio>
#include <map>

#include "cli/Options.h"
#include "platform/CommandLine.h"
#include "platform/Console.h"
#include "platform/FrameworkError.h"
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
  return ExitUsage;
}

// The options before the command, over the settings: the DOGA folder and the attribute file.
struct GlobalOptions {
  std::string cga, atr;  // Shift-JIS
  bool haveCga = false;
  bool nameRefused = false;  // a name with no Shift-JIS form
  std::vector<std::string> command;  // the command and its arguments

  bool Parse(const std::vector<std::string>& args) {
    auto name = [this](std::string& target, bool* given) {
      return [this, &target, given](const std::vector<std::string>& v) {
        if (given != nullptr) *given = true;
        if (!ArgToSjis(v[0], target)) nameRefused = true;
        return true;
      };
    };
    Options options;
    options.Custom("--cga", 1, "DIR", name(cga, &haveCga)).Custom("--atr", 1, "FILE", name(atr, nullptr));
    return options.Parse(args, command, true);
  }
};

// Settings, attribute file and the folder options, as the window starts.
void StartUp(Context& context, const GlobalOptions& options) {
  Workflow& workflow = context.workflow;
  context.attributesRead = workflow.StartUp(platform::ExecutableFolder(), options.atr);
  context.atrFile = options.atr.empty() ? workflow.ProgramFile("_GENIE.ATR") : options.atr;
  if (options.haveCga) workflow.CGAFolder = options.cga;
}

int Run(const std::vector<std::string>& args) {
  GlobalOptions options;
  if (!options.Parse(args) || options.command.empty()) return Usage();
  if (options.nameRefused) return ExitFailed;
  auto found = Commands().find(options.command[0]);
  if (found == Commands().end()) return Usage();
  Context context;
  StartUp(context, options);
  context.args.assign(options.command.begin() + 1, options.command.end());
  return found->second.command(context);
}

}  // namespace

bool RegisterCommand(const char* name, const char* usage, Command command) {
  Commands().emplace(name, Entry{usage, command});
  return true;
}

bool ArgToSjis(const std::string& utf8, std::string& sjis) {
  auto converted = platform::Utf8ToSjis(utf8);
  if (!converted) {
    std::fprintf(stderr, "partwell-cli: '%s': ", utf8.c_str());
    PrintSjis(stderr, Workflow::NoSjisFormText() + "\n");
    return false;
  }
  sjis = *converted;
  return true;
}

void PrintSjis(std::FILE* stream, const std::string& sjis) {
  std::string utf8 = platform::SjisToUtf8(sjis);
  std::fwrite(utf8.data(), 1, utf8.size(), stream);
}

int StatusAfterOperations(const Context& context) {
  if (context.view.warnings > context.workflow.ShapeWarnings) return ExitFailed;
  return context.workflow.ShapeWarnings > 0 ? ExitShapeWarning : ExitDone;
}

}  // namespace cli

// A framework error (a malformed number in a shape file, a refused write of a profile file) ends the
// command as it ends an event of the window: its text, with the period the exception display adds.
int main(int argc, char** argv) {
  platform::SetCommandLine(argc, argv);
  platform::UseBinaryOutput();
  try {
    return cli::Run(platform::Arguments(argc, argv));
  } catch (const platform::FrameworkError& error) {
    std::string text = error.Message();
    if (!text.empty() && text.back() != '.') text += '.';
    cli::PrintSjis(stderr, text + "\n");
    return cli::ExitFailed;
  }
}
