// The command line and the program's own path on Windows, from the wide-character calls.
#ifdef _WIN32

#include "platform/CommandLine.h"
#include "platform/WinApi.h"

#include <shellapi.h>

namespace platform {
namespace {

std::string Narrow(UINT codePage, const wchar_t* text, int length) {
  if (length == 0) return {};
  const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  int bytes = WideCharToMultiByte(codePage, flags, text, length, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(codePage, flags, text, length, out.data(), bytes, nullptr, nullptr);
  if (length < 0 && !out.empty()) out.pop_back();  // the terminating NUL was converted too
  return out;
}

}  // namespace

std::string NativeCommandLine() { return Narrow(932, GetCommandLineW(), -1); }

std::vector<std::string> Arguments(int, char**) {
  std::vector<std::string> args;
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return args;
  for (int i = 1; i < count; ++i) args.push_back(Narrow(CP_UTF8, wide[i], -1));
  LocalFree(wide);
  return args;
}

std::string ExecutableFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return "";
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  std::size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return "";
  path.resize(slash + 1);
  // A folder whose name has no Shift-JIS form cannot be named to the file services.
  BOOL lost = FALSE;
  int bytes = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, path.c_str(), static_cast<int>(path.size()), nullptr,
                                  0, nullptr, &lost);
  if (bytes <= 0 || lost) return "";
  return Narrow(932, path.c_str(), static_cast<int>(path.size()));
}

}  // namespace platform

#endif
