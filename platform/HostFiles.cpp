#ifndef _WIN32
#include "platform/HostFiles.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace platform {

std::optional<HostFileInfo> RegularHostFile(const std::string& path) {
  char* absolute = realpath(path.c_str(), nullptr);
  if (absolute == nullptr) return std::nullopt;
  HostFileInfo info;
  info.absolutePath = absolute;
  std::free(absolute);
  struct stat st {};
  if (stat(info.absolutePath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  info.size = static_cast<std::uint64_t>(st.st_size);
  info.modified = static_cast<std::int64_t>(st.st_mtime);
  return info;
}

bool WriteHostFilePrivately(const std::string& hostPath, const std::function<bool(std::FILE*)>& write) {
  std::string temp = hostPath + ".XXXXXX";
  const int fd = mkstemp(temp.data());  // made 0600
  if (fd < 0) return false;
  std::FILE* file = fdopen(fd, "wb");
  if (file == nullptr) {
    close(fd);
    unlink(temp.c_str());
    return false;
  }
  bool ok = write(file);
  ok = std::fflush(file) == 0 && ok;
  ok = std::fclose(file) == 0 && ok;
  ok = ok && std::rename(temp.c_str(), hostPath.c_str()) == 0;
  if (!ok) unlink(temp.c_str());
  return ok;
}

}  // namespace platform
#endif
