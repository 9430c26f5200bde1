// partwell-cli: a command-line front end over the workflow, for scripts and batch work. It only
// translates: arguments into the workflow's operations, the workflow's boxes into lines on standard
// error. Each command lives in its own file and registers itself with PARTWELL_CLI_COMMAND.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "app/Workflow.h"
#include "cli/CliView.h"

namespace cli {

// The exit statuses every command keeps to.
enum ExitStatus {
  ExitDone = 0,
  ExitFailed = 1,        // refused or failed (its message on standard error)
  ExitUsage = 2,         // a malformed command line
  ExitShapeWarning = 3,  // done, with a warning about the shape (several objects, unknown attribute)
};

// What main hands a command: the workflow started as the window starts it (the settings, then --cga
// and --atr over them), its view, and the command's own arguments.
struct Context {
  CliView view;
  Workflow workflow{view};
  std::string atrFile;           // the attribute file read at start-up (Shift-JIS)
  bool attributesRead = false;   // whether it could be read
  std::vector<std::string> args;  // the command's own arguments (UTF-8, as given)

  Context() { view.workflow = &workflow; }
  Context(const Context&) = delete;
  Context& operator=(const Context&) = delete;
};

using Command = int (*)(Context& context);

bool RegisterCommand(const char* name, const char* usage, Command command);

// Converts a UTF-8 text from the command line to Shift-JIS; prints the workflow's refusal of a name
// with no Shift-JIS form and returns false when it has none.
bool ArgToSjis(const std::string& utf8, std::string& sjis);

// Writes a Shift-JIS text to the terminal as UTF-8.
void PrintSjis(std::FILE* stream, const std::string& sjis);

// The exit status after workflow operations ran: ExitFailed after any warning or error box that was
// not about a shape, else ExitShapeWarning after a shape's warning, else ExitDone.
int StatusAfterOperations(const Context& context);

}  // namespace cli

#define PARTWELL_CLI_COMMAND(name, usage, function) \
  static const bool partwellCliRegistered_##function = cli::RegisterCommand(name, usage, function);
