// Runs a command line through the shell the way a script runs a program: no terminal on standard
// input, standard output and error caught whole, and the exit status.
#pragma once

#include <string>

namespace partwell::test {

struct ProgramRun {
  int code = -1;  // the exit status; -1 when the program did not exit (a signal)
  std::string out, err;
};

ProgramRun RunProgram(const std::string& command);

}  // namespace partwell::test
