#include "platform/ProgramFiles.h"

namespace platform {

std::string SharedDataFolder(const std::string& programFolder) {
  return programFolder + "..\\share\\partwell\\";
}

}  // namespace platform

// The host's own parts; Windows has them in ProgramFilesWin.cpp.
#ifndef _WIN32

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/FileSystem.h"
#include "platform/Sjis.h"

namespace platform {
namespace {

// A host path (UTF-8) as a Windows-style text: the file services map the backslashes back.
std::string FromHost(const std::string& host) {
  auto sjis = Utf8ToSjis(host);
  if (!sjis || sjis->empty()) return "";
  std::string text = *sjis;
  for (std::size_t i = 0; i < text.size(); i = NextCharOffset(text, i)) {
    if (text[i] == '/') text[i] = '\\';
  }
  if (text.back() != '\\') text += '\\';
  return text;
}

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

}  // namespace

std::string UserSettingsFolder() {
  // Only an absolute XDG_CONFIG_HOME counts; a relative one is to be ignored.
  std::string base = Variable("XDG_CONFIG_HOME");
  if (base.empty() || base.front() != '/') {
    const std::string home = Variable("HOME");
    base = home.empty() ? std::string() : home + "/.config";
  }
  if (base.empty()) return "";
  std::string folder = FromHost(base);
  return folder.empty() ? folder : folder + "Partwell\\";
}

bool FolderWritable(const std::string& folder) {
  const std::string host = folder.empty() ? std::string(".") : HostPath(folder);
  // The effective user: a process that dropped its override capabilities is answered truthfully.
  return faccessat(AT_FDCWD, host.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

bool CreateFolders(const std::string& folder) {
  std::error_code error;
  const std::filesystem::path host(HostPath(folder));
  std::filesystem::create_directories(host, error);
  return std::filesystem::is_directory(host, error);
}

}  // namespace platform

#endif  // _WIN32
