// Files of the host outside any DOGA library, named by plain host paths (UTF-8): the shape a file
// manager asks a thumbnail for and the thumbnail it wants back. Only on freedesktop hosts, where
// file managers run thumbnailers; the program's own files go through FileSystem.h.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

namespace platform {

struct HostFileInfo {
  std::string absolutePath;   // links and relative parts resolved
  std::uint64_t size = 0;     // bytes
  std::int64_t modified = 0;  // seconds since 1970
};

// What a regular file at path is; nullopt when there is none (missing, a folder, a device).
std::optional<HostFileInfo> RegularHostFile(const std::string& path);

// Writes hostPath through write(), which fills a private (0600) temporary file beside it; the
// temporary file is renamed over hostPath only when write() returned true and every byte reached
// the file. False when anything failed; no temporary file is left then.
bool WriteHostFilePrivately(const std::string& hostPath, const std::function<bool(std::FILE*)>& write);

}  // namespace platform
