// The terminal the command-line front end talks to.
#pragma once

namespace platform {

// Whether standard input is a terminal a person can answer on.
bool InputIsTerminal();

// Makes standard output and standard error write their bytes as they are: on Windows a text-mode
// stream would turn every "\n" into "\r\n"; elsewhere there is nothing to do.
void UseBinaryOutput();

}  // namespace platform
