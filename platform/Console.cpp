#include "platform/Console.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

#include <cstdio>

namespace platform {

#ifdef _WIN32
bool InputIsTerminal() { return _isatty(_fileno(stdin)) != 0; }

void UseBinaryOutput() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}
#else
bool InputIsTerminal() { return isatty(STDIN_FILENO) != 0; }

void UseBinaryOutput() {}
#endif

}  // namespace platform
