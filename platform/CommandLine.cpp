#include "platform/CommandLine.h"

#include "platform/Sjis.h"

#ifdef _WIN32
#include <cstdlib>  // __argv
#else
#include <filesystem>
#include <system_error>
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

std::string ExecutableFolder() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return "";
  auto converted = Utf8ToSjis(self.string());
  if (!converted) return "";
  std::string folder = *converted;
  for (char& c : folder) {
    if (c == '/') c = '\\';
  }
  const std::size_t end = FindLastCharOf(folder, "\\:");
  return end == std::string::npos ? std::string() : folder.substr(0, end + 1);
}
#endif

}  // namespace platform
