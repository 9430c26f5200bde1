// The process command line as one text, as the Windows call GetCommandLineA gives it: token 0 is the
// program's path as it was started, in double quotes when it holds blanks; the arguments follow,
// separated by blanks (quoted when they hold blanks).
#pragma once

#include <string>
#include <vector>

namespace platform {

// Called once by main() before anything reads the command line. Given main's own argument vector on
// Windows, the text is the process's wide command line converted to Shift-JIS (a character without a
// Shift-JIS form becomes '?'); any other vector (a test's, or every vector on other hosts) is taken
// as UTF-8 arguments and joined as above.
void SetCommandLine(int argc, char** argv);
const std::string& GetCommandLine();

// The program's arguments after its own path, in UTF-8. On Windows they come from the wide command
// line, since main's argv holds them in the ANSI code page, which may lose characters.
std::vector<std::string> Arguments(int argc, char** argv);

// The folder of the running executable, Windows-style (Shift-JIS, backslashes) and ending in a
// backslash, as token 0 of the command line would give it; empty when the system cannot tell or the
// path has no Shift-JIS form. For a program started by bare name from PATH, whose token 0 has no
// folder.
std::string ExecutableFolder();

#ifdef _WIN32
// The process's command line from GetCommandLineW in Shift-JIS.
std::string NativeCommandLine();
#endif

}  // namespace platform
