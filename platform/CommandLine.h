// The process command line as one text, as the Windows call GetCommandLineA gives it: token 0 is the
// program's path as it was started, in double quotes when it holds blanks; the arguments follow,
// separated by blanks (quoted when they hold blanks).
#pragma once

#include <string>

namespace platform {

void SetCommandLine(int argc, char** argv);  // called once by main() before anything reads it
const std::string& GetCommandLine();

// The folder of the running executable, Windows-style (Shift-JIS, backslashes) and ending in a
// backslash, as token 0 of the command line would give it; empty when the system cannot tell or the
// path has no Shift-JIS form. For a program started by bare name from PATH, whose token 0 has no
// folder.
std::string ExecutableFolder();

}  // namespace platform
