// The process command line as one text, as the Windows call GetCommandLineA gives it: token 0 is the
// program's path as it was started, in double quotes when it holds blanks; the arguments follow,
// separated by blanks (quoted when they hold blanks).
#pragma once

#include <string>

namespace platform {

void SetCommandLine(int argc, char** argv);  // called once by main() before anything reads it
const std::string& GetCommandLine();

}  // namespace platform
