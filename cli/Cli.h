// partwell-cli: a command-line front end over the workflow, for scripts and batch work.
// Each command lives in its own file and registers itself with PARTWELL_CLI_COMMAND.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace cli {

struct Context {
  std::string programFolder;  // folder of the executable, Windows-style, ending in '\' (Shift-JIS)
  std::string cgaFolder;      // --cga, else CGAFolder of the settings file (Shift-JIS)
  std::string atrFile;        // --atr, else the program's _GENIE.ATR (Shift-JIS)
  std::string settingsFile;   // the Partwell.ini the window would use (Shift-JIS)
  std::string helpFile;       // the partwell.htm the window would open (Shift-JIS)
  std::uint32_t backColor = 7555739;  // BackColor of the settings file, 0x00RRGGBB
  std::vector<std::string> args;      // the command's own arguments (UTF-8, as given)
};

using Command = int (*)(Context& context);

bool RegisterCommand(const char* name, const char* usage, Command command);

// Converts a UTF-8 text from the command line to Shift-JIS; prints a message and returns false when
// it has no Shift-JIS form.
bool ArgToSjis(const std::string& utf8, std::string& sjis);

// Writes a Shift-JIS text to the terminal as UTF-8.
void PrintSjis(std::FILE* stream, const std::string& sjis);

}  // namespace cli

#define PARTWELL_CLI_COMMAND(name, usage, function) \
  static const bool partwellCliRegistered_##function = cli::RegisterCommand(name, usage, function);
