// File services on POSIX hosts; Windows has its own in FileSystemWin.cpp.
#ifndef _WIN32

#include "platform/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <set>
#include <vector>

#include "platform/CopyBatch.h"
#include "platform/Sjis.h"
#include "platform/TemporaryName.h"

namespace platform {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Host names are UTF-8, whose multi-byte sequences use only bytes >= 0x80, so folding the ASCII
// letters byte by byte never touches part of another character.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

bool NameExists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

std::string Join(const std::string& parent, const std::string& name) {
  if (parent.empty()) return name;
  if (parent.back() == '/') return parent + name;
  return parent + "/" + name;
}

// The first entry of parent (in byte order, so the answer does not depend on the directory's own
// order) whose name equals name without regard to ASCII case; empty when there is none.
std::string FindIgnoringCase(const std::string& parent, const std::string& name) {
  DIR* dir = opendir(parent.empty() ? "." : parent.c_str());
  if (!dir) return {};
  std::string best;
  while (const dirent* entry = readdir(dir)) {
    std::string_view candidate = entry->d_name;
    if (candidate == "." || candidate == "..") continue;
    if (EqualsIgnoringAsciiCase(candidate, name) && (best.empty() || candidate < best)) best = candidate;
  }
  closedir(dir);
  return best;
}

std::string WinePrefix() {
  if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix) return prefix;
  const char* home = std::getenv("HOME");
  if (!home || !*home) {
    const passwd* pw = getpwuid(getuid());
    home = pw ? pw->pw_dir : "";
  }
  return std::string(home) + "/.wine";
}

// The host folder that stands for drive letter (A-Z or a-z), as Wine sees it.
std::string DriveRoot(char letter) {
  std::string prefix = WinePrefix();
  std::string link = prefix + "/dosdevices/" + AsciiLower(letter) + ":";
  struct stat st;
  if (stat(link.c_str(), &st) == 0) {
    char resolved[PATH_MAX];
    if (realpath(link.c_str(), resolved)) return resolved;
    return link;
  }
  if (AsciiLower(letter) == 'c') return prefix + "/drive_c";
  return link;
}

// Splits at single-byte backslashes and slashes, stepping over double-byte characters, so the 0x5C
// second byte of characters such as 0x95 0x5C is never taken for a separator. Empty components
// (doubled separators) are dropped.
std::vector<std::string_view> SplitComponents(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size();) {
    std::size_t next = NextCharOffset(path, i);
    if (next == i + 1 && IsSeparator(path[i])) {
      if (i > start) parts.push_back(path.substr(start, i - start));
      start = next;
    }
    i = next;
  }
  if (start < path.size()) parts.push_back(path.substr(start));
  return parts;
}

bool EndsWithSeparator(std::string_view path) {
  std::size_t last = std::string_view::npos;
  for (std::size_t i = 0; i < path.size(); i = NextCharOffset(path, i)) last = i;
  return last != std::string_view::npos && last + 1 == path.size() && IsSeparator(path[last]);
}

// Windows refuses to write a file that has its read-only attribute; here that is a file without any
// write bit, or one the effective user may not write. AT_EACCESS asks about the effective user, so
// a process that has dropped its override capabilities is answered truthfully.
bool IsWritableFile(const std::string& hostPath, const struct stat& st) {
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
  return faccessat(AT_FDCWD, hostPath.c_str(), W_OK, AT_EACCESS) == 0;
}

mode_t DefaultFileMode() {
  // The process is single-threaded, so the set-and-restore dance to read the mask is safe.
  mode_t mask = umask(022);
  umask(mask);
  return 0644 & ~mask;
}

// A run killed between creating its temporary file and renaming it leaves the file behind. One
// older than ten minutes belongs to no write still going on (a write takes well under a second), so
// it is removed; only plain files of our own naming, never links or anything else.
void RemoveStaleTemporaries(const std::string& folder) {
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return;
  const time_t limit = time(nullptr) - kStaleTemporarySeconds;
  while (const dirent* entry = readdir(dir)) {
    if (!IsOwnTemporaryName(entry->d_name)) continue;
    struct stat st;
    if (fstatat(dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
        st.st_mtime < limit) {
      unlinkat(dirfd(dir), entry->d_name, 0);
    }
  }
  closedir(dir);
}

void SyncFolderOf(const std::string& hostPath) {
  std::size_t slash = hostPath.rfind('/');
  std::string folder = slash == std::string::npos ? "." : hostPath.substr(0, slash + 1);
  int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (dir < 0) return;
  fsync(dir);
  close(dir);
}

// Writes a new file beside the target and renames it over the target on Commit. Anything that is
// not committed is removed again, so no failure leaves a temporary file or a half-written target.
class AtomicWriter {
 public:
  explicit AtomicWriter(std::string hostTarget) : target_(std::move(hostTarget)) {}
  ~AtomicWriter() {
    if (fd_ >= 0) close(fd_);
    if (!temp_.empty()) unlink(temp_.c_str());
  }
  AtomicWriter(const AtomicWriter&) = delete;
  AtomicWriter& operator=(const AtomicWriter&) = delete;

  bool Open() {
    if (target_.empty()) return false;
    struct stat st;
    mode_t mode = DefaultFileMode();
    bool existed = false;
    if (lstat(target_.c_str(), &st) == 0) {
      // A link is replaced like a missing file; what it points to is never opened.
      if (!S_ISLNK(st.st_mode)) {
        if (!S_ISREG(st.st_mode) || !IsWritableFile(target_, st)) return false;
        mode = st.st_mode & 07777;
        existed = true;
      }
    } else if (errno != ENOENT) {
      return false;
    }

    std::size_t slash = target_.rfind('/');
    std::string folder = slash == std::string::npos ? "" : target_.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? target_ : target_.substr(slash + 1);
    if (name.empty()) return false;
    RemoveStaleTemporaries(folder);
    // Keep the temporary name within NAME_MAX (255) even for a long target name.
    std::string pattern = folder + "." + (name.size() > 200 ? std::string() : name) + ".partwell-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    fd_ = mkstemp(buffer.data());
    if (fd_ < 0) return false;
    temp_ = buffer.data();
    if (fchmod(fd_, mode) != 0) return false;
    if (existed && (st.st_uid != geteuid() || st.st_gid != getegid())) {
      // Best effort: keep the owner when we may (root editing someone's file); failing is harmless.
      if (fchown(fd_, st.st_uid, st.st_gid) != 0) {
      }
    }
    return true;
  }

  bool Write(const char* data, std::size_t size) {
    while (size > 0) {
      ssize_t n = write(fd_, data, size);
      if (n < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      data += n;
      size -= static_cast<std::size_t>(n);
    }
    return true;
  }

  bool Commit() { return Sync() && Rename() && (SyncFolder(), true); }

  // The steps of Commit, for writers that commit together: every file synced before the first
  // rename, the folder synced once after the last.
  bool Sync() {
    if (fsync(fd_) != 0) return false;
    int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }
  bool Rename() {
    if (rename(temp_.c_str(), target_.c_str()) != 0) return false;
    temp_.clear();
    return true;
  }
  std::string Folder() const {
    std::size_t slash = target_.rfind('/');
    return slash == std::string::npos ? "." : target_.substr(0, slash + 1);
  }
  void SyncFolder() const { SyncFolderOf(target_); }

 private:
  std::string target_;
  std::string temp_;
  int fd_ = -1;
};

}  // namespace

std::string HostPath(std::string_view windowsPath) {
  std::string root;
  std::string_view rest = windowsPath;
  if (windowsPath.size() >= 2 && IsAsciiLetter(windowsPath[0]) && windowsPath[1] == ':') {
    root = DriveRoot(windowsPath[0]);
    rest.remove_prefix(2);
  } else if (windowsPath.size() >= 2 && windowsPath[0] == '\\' && windowsPath[1] == '\\') {
    root = WinePrefix() + "/dosdevices/unc";  // \\server\share\... as Wine maps UNC names
    rest.remove_prefix(2);
  } else if (!windowsPath.empty() && IsSeparator(windowsPath[0])) {
    root = "/";
  }

  std::vector<std::string_view> parts = SplitComponents(rest);
  std::string path = root;
  bool resolving = true;  // while every folder so far exists, a missing name is looked up by case
  for (std::string_view part : parts) {
    std::string name = SjisToUtf8(part);
    std::string candidate = Join(path, name);
    if (resolving && name != "." && name != ".." && !NameExists(candidate)) {
      std::string found = FindIgnoringCase(path, name);
      if (found.empty()) {
        resolving = false;
      } else {
        candidate = Join(path, found);
      }
    }
    path = std::move(candidate);
  }
  if (!parts.empty() && EndsWithSeparator(rest) && path.back() != '/') path += '/';
  return path;
}

bool FileExists(std::string_view path) {
  struct stat st;
  return stat(HostPath(path).c_str(), &st) == 0;
}

bool DirectoryExists(std::string_view path) {
  struct stat st;
  return stat(HostPath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

namespace {

// Opens the source and, unless the target is that very file, a writer for the target; then copies
// the bytes into the writer's temporary file.
CopyStart StartCopy(const std::string& from, AtomicWriter& writer, const std::string& to) {
  int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return CopyStart::Failed;
  struct stat sourceStat;
  struct stat targetStat;
  bool ok = fstat(in, &sourceStat) == 0 && S_ISREG(sourceStat.st_mode);
  // lstat: a link to the source is replaced by a copy, not taken for the source itself.
  if (ok && lstat(to.c_str(), &targetStat) == 0 && targetStat.st_dev == sourceStat.st_dev &&
      targetStat.st_ino == sourceStat.st_ino) {
    // Onto itself: writing would first truncate what is being read; the file is already the copy.
    close(in);
    return CopyStart::Same;
  }
  ok = ok && writer.Open();
  char buffer[65536];
  while (ok) {
    ssize_t n = read(in, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    ok = writer.Write(buffer, static_cast<std::size_t>(n));
  }
  close(in);
  return ok ? CopyStart::Open : CopyStart::Failed;
}

}  // namespace

bool CopyFile(std::string_view source, std::string_view target) {
  const std::string to = HostPath(target);
  AtomicWriter writer(to);
  switch (StartCopy(HostPath(source), writer, to)) {
    case CopyStart::Same: return true;
    case CopyStart::Open: return writer.Commit();
    default: return false;
  }
}

std::size_t CopyFiles(const std::vector<std::pair<std::string, std::string>>& copies, std::size_t* failed) {
  CopyBatch<AtomicWriter> batch;
  const std::size_t replaced = RunCopyBatch(
      copies, failed, batch, [](const std::string& source, const std::string& target, std::unique_ptr<AtomicWriter>& writer) {
        const std::string to = HostPath(target);
        writer = std::make_unique<AtomicWriter>(to);
        return StartCopy(HostPath(source), *writer, to);
      });
  // Each folder that took a new name is synced once, so the renames themselves last.
  std::set<std::string> synced;
  for (std::size_t i = 0; i < replaced; ++i) {
    if (!batch.same[i] && synced.insert(batch.writers[i]->Folder()).second) batch.writers[i]->SyncFolder();
  }
  return replaced;
}

bool DeleteFile(std::string_view path) {
  std::string host = HostPath(path);
  struct stat st;
  if (lstat(host.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  if (S_ISREG(st.st_mode) && !IsWritableFile(host, st)) return false;
  return unlink(host.c_str()) == 0;
}

bool CreateDirectory(std::string_view path) {
  std::string host = HostPath(path);
  while (!host.empty() && host.back() == '/') host.pop_back();
  if (mkdir(host.c_str(), 0777) != 0) return false;
  SyncFolderOf(host);
  return true;
}

std::optional<std::vector<FolderEntry>> ListFolder(std::string_view path) {
  std::error_code error;
  std::filesystem::directory_iterator it(HostPath(path), error);
  if (error) return std::nullopt;
  std::vector<FolderEntry> entries;
  for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
    if (error) break;
    std::string utf8 = it->path().filename().string();
    entries.push_back({Utf8ToSjis(utf8).value_or(utf8), it->is_directory(error)});
  }
  return entries;
}

std::FILE* OpenForReading(std::string_view path) {
  std::FILE* file = std::fopen(HostPath(path).c_str(), "rb");
  if (!file) return nullptr;
  struct stat st;
  if (fstat(fileno(file), &st) != 0 || S_ISDIR(st.st_mode)) {
    std::fclose(file);
    return nullptr;
  }
  return file;
}

bool WriteFileAtomically(std::string_view path, std::string_view bytes) {
  AtomicWriter writer(HostPath(path));
  return writer.Open() && writer.Write(bytes.data(), bytes.size()) && writer.Commit();
}

}  // namespace platform

#endif  // _WIN32
