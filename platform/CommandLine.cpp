#include "platform/CommandLine.h"

#include <filesystem>

#include "platform/Sjis.h"

#ifdef _WIN32
#include <cstdlib>  // __argv
#endif

namespace platform {
namespace {
std::string& CommandLineText() {
  static std::string text;
  return text;
}

std::string QuotedIfBlank(const std::string& arg) {
  if (arg.find_first_of(" \t") == std::string::npos && !arg.empty()) return arg;
  return "\"" + arg + "\"";
}
}  // namespace

// Inside the program every path is Windows-style Shift-JIS text, so the host's UTF-8 arguments are
// converted (an argument without a Shift-JIS form is kept as it is) and token 0, the program's path,
// gets backslashes for the host's slashes; the file services map them back.
void SetCommandLine(int argc, char** argv) {
#ifdef _WIN32
  if (argv == __argv) {
    CommandLineText() = NativeCommandLine();
    return;
  }
#endif
  std::string text;
  for (int i = 0; i < argc; ++i) {
    std::string arg = Utf8ToSjis(argv[i]).value_or(argv[i]);
    if (i == 0) {
      for (char& c : arg) {
        if (c == '/') c = '\\';
      }
    }
    if (i > 0) text += ' ';
    text += QuotedIfBlank(arg);
  }
  CommandLineText() = text;
}

const std::string& GetCommandLine() { return CommandLineText(); }

#ifndef _WIN32
std::vector<std::string> Arguments(int argc, char** argv) {
  return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

// On the host the path is already a valid path for the file services, which pass plain host paths
// through.
std::string ProgramFolder() {
  std::error_code error;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return "";
  auto sjis = Utf8ToSjis(self.parent_path().string() + "/");
  return sjis ? *sjis : "";
}
#endif

}  // namespace platform
