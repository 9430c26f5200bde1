#include "tests/common/RunProgram.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "tests/common/ScratchFolder.h"

namespace partwell::test {

namespace {

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

ProgramRun RunProgram(const std::string& command) {
  ScratchFolder capture;
  const std::string out = capture / "out", err = capture / "err";
  const int status = std::system((command + " </dev/null >'" + out + "' 2>'" + err + "'").c_str());
  ProgramRun run;
#ifdef _WIN32
  run.code = status;
#else
  run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
  run.out = Read(out);
  run.err = Read(err);
  return run;
}

}  // namespace partwell::test
