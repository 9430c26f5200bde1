// File services over Windows-style paths (Shift-JIS bytes). A path such as
// "C:\DOGACGA\common\parts\parts.ini" is mapped to the host: single-byte backslashes become '/',
// a drive letter is resolved as Wine resolves it ($WINEPREFIX or ~/.wine, dosdevices/x: links,
// drive_c for C:), CP932 is converted to UTF-8, and a component that does not exist as spelled is
// looked up without regard to ASCII letter case. A plain host path passes through unchanged.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

// The host path (UTF-8) for a Windows-style path.
std::string HostPath(std::string_view windowsPath);

// True when relative, a Windows-style path meant to lie below some folder, cannot leave it and names
// exactly one host file: not empty; no control byte (NUL included); valid Shift-JIS whose host name
// converts back to the same bytes (two entries never share a host file); no drive or stream colon,
// no leading separator (absolute or UNC); no empty component and none made only of dots and blanks.
bool IsContainedPath(std::string_view relative);

bool FileExists(std::string_view path);       // a regular file or a directory exists there
bool DirectoryExists(std::string_view path);

// Byte-for-byte copy through a temporary file in the target's folder renamed over the target.
// Copying a file onto itself leaves it intact and succeeds. False when anything failed (a missing
// source, a read-only target); the old target then stays as it was.
bool CopyFile(std::string_view source, std::string_view target);

// Several copies as CopyFile makes them, committed together: every temporary file is written and
// synced before the first rename, so a failure up to then leaves every target as it was (and no
// temporary file). Returns how many targets, in order, were replaced: copies.size() on success;
// otherwise *failed (when given) is the index of the copy that failed.
std::size_t CopyFiles(const std::vector<std::pair<std::string, std::string>>& copies, std::size_t* failed = nullptr);

// False when the file could not be removed; like Windows, a read-only file (no write bit, or not
// writable by this process) is not removed.
bool DeleteFile(std::string_view path);
// One level; false when it could not be made (also when something of that name is already there).
// The new directory is synced into its parent, so that later writes never land before it.
bool CreateDirectory(std::string_view path);

// One entry of a folder: its name in Shift-JIS (a host name without a Shift-JIS form keeps the
// host's UTF-8 bytes) and whether it is a folder (a link to one counts as one).
struct FolderEntry {
  std::string name;
  bool isFolder = false;
};
// The entries of the folder at path, without "." and "..", in the host's order; nullopt when it is
// not a folder that can be read. A failure part way ends the list there.
std::optional<std::vector<FolderEntry>> ListFolder(std::string_view path);

// fopen(host path, "rb"); null when the file cannot be opened. The caller closes it.
std::FILE* OpenForReading(std::string_view path);

// Writes the whole of bytes to path through a temporary file ".NAME.partwell-XXXXXX" in the same
// folder, flushed and synced, then renamed over the target (keeping the target's permissions when it
// was a file, else 0644 less the umask). A target that is a symbolic link is replaced by the file: the
// link's target is never written. A read-only target is refused. False when any step failed; the old
// file then stays untouched and no temporary file is left behind. Temporary files of this kind older
// than ten minutes in that folder (left by a killed run) are removed first. CopyFile does the same.
bool WriteFileAtomically(std::string_view path, std::string_view bytes);

}  // namespace platform
