#include "platform/Console.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "platform/WinApi.h"
#else
#include <unistd.h>
#endif

#include <cstdio>

namespace platform {

#ifdef _WIN32
// _isatty also answers yes for the NUL device; only a console has a console mode.
bool InputIsTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

void UseBinaryOutput() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}
#else
bool InputIsTerminal() { return isatty(STDIN_FILENO) != 0; }

void UseBinaryOutput() {}
#endif

}  // namespace platform
