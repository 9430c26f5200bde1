// File services on Windows: the paths are already Windows paths, in Shift-JIS. They are widened with
// code page 932 named explicitly and handed to the wide-character calls, so a Japanese folder name
// works whatever the system's ANSI code page is.
#ifdef _WIN32

#include "platform/FileSystem.h"
#include "platform/CopyBatch.h"
#include "platform/Sjis.h"
#include "platform/TemporaryName.h"
#include "platform/WinApi.h"
#include "platform/WinText.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace platform {
namespace {

DWORD AttributesOf(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

bool IsDirectory(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

class Handle {
 public:
  explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE Get() const { return handle_; }
  void Reset(HANDLE handle) {
    Close();
    handle_ = handle;
  }
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool Close() {
    if (!Valid()) return true;
    bool ok = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE handle_;
};

std::wstring FolderOf(const std::wstring& path) {
  std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::uint64_t Ticks(const FILETIME& time) {  // FILETIME counts 100-nanosecond steps
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Six ASCII letters and digits, different for every call of this process and, through the process
// id and the clock, unlikely to repeat another process's; CREATE_NEW settles any collision.
std::wstring UniqueChars() {
  static std::uint64_t calls = 0;
  std::uint64_t x = (static_cast<std::uint64_t>(GetCurrentProcessId()) << 32) ^ GetTickCount64() ^
                    (++calls * 0x9E3779B97F4A7C15ull);
  // splitmix64's finaliser spreads the bits over the whole word.
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  x ^= x >> 31;
  static constexpr wchar_t kChars[] = L"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  std::wstring out;
  for (std::size_t i = 0; i < kTemporaryUniqueChars; ++i, x /= 62) out += kChars[x % 62];
  return out;
}

// A run killed between creating its temporary file and moving it leaves the file behind; one older
// than ten minutes belongs to no write still going on, so it is deleted. Only plain files of our
// own naming: never a folder or a reparse point (a link), whatever its name.
void RemoveStaleTemporaries(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((folder + L".*.partwell-*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const std::uint64_t limit = Ticks(now) - static_cast<std::uint64_t>(kStaleTemporarySeconds) * 10000000u;
  do {
    if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) continue;
    auto name = SjisFromWide(found.cFileName);
    if (name && IsOwnTemporaryName(*name) && Ticks(found.ftLastWriteTime) < limit) {
      DeleteFileW((folder + found.cFileName).c_str());
    }
  } while (FindNextFileW(find, &found));
  FindClose(find);
}

// Writes a new file beside the target and moves it over the target on Commit. Anything that is not
// committed is deleted again, so no failure leaves a temporary file or a half-written target.
class AtomicWriter {
 public:
  explicit AtomicWriter(std::wstring target) : target_(std::move(target)) {}
  ~AtomicWriter() {
    file_.Close();
    if (!temp_.empty()) DeleteFileW(temp_.c_str());
  }
  AtomicWriter(const AtomicWriter&) = delete;
  AtomicWriter& operator=(const AtomicWriter&) = delete;

  // The target is only looked at, never opened: a symbolic link there (GetFileAttributesW does not
  // follow it) is replaced by the move, and what it points to keeps its bytes.
  bool Open() {
    const DWORD attributes = AttributesOf(target_);
    if (attributes != INVALID_FILE_ATTRIBUTES) {
      // Windows' own rule: a file with the read-only attribute is not written. A folder, or a link
      // to one, cannot be replaced by a file.
      if (IsDirectory(attributes) || (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    } else if (GetLastError() != ERROR_FILE_NOT_FOUND) {
      return false;
    }
    const std::wstring folder = FolderOf(target_);
    const std::wstring name = target_.substr(folder.size());
    if (name.empty()) return false;
    RemoveStaleTemporaries(folder);
    // Keep the temporary name short enough for the 255 characters a name may have.
    // (Built by appending: g++ 12 warns wrongly about overlapping copies in chains of +.)
    std::wstring stem = folder;
    stem += L'.';
    if (name.size() <= 200) stem += name;
    stem += L".partwell-";
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
      std::wstring candidate = stem;
      candidate += UniqueChars();
      HANDLE h = CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                             nullptr);
      if (h != INVALID_HANDLE_VALUE) {
        file_.Reset(h);
        temp_ = candidate;
        return true;
      }
      if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    return false;
  }

  bool Write(const char* data, std::size_t size) {
    while (size > 0) {
      DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
      DWORD written = 0;
      if (!WriteFile(file_.Get(), data, chunk, &written, nullptr) || written == 0) return false;
      data += written;
      size -= written;
    }
    return true;
  }

  bool Commit() { return Sync() && Rename(); }

  // The steps of Commit, for writers that commit together: every file flushed before the first
  // move. There is no folder to flush on Windows: MOVEFILE_WRITE_THROUGH returns only once the move
  // itself is on the disk.
  bool Sync() { return FlushFileBuffers(file_.Get()) && file_.Close(); }
  bool Rename() {
    // The move replaces the target's directory entry: a link there is replaced, not followed.
    if (!MoveFileExW(temp_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return false;
    temp_.clear();
    return true;
  }

 private:
  std::wstring target_;
  std::wstring temp_;
  Handle file_;
};

// The link itself is opened, not what it names: a link to the source is replaced by a copy.
bool SameFile(HANDLE a, const std::wstring& other) {
  Handle b(CreateFileW(other.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!b.Valid()) return false;
  BY_HANDLE_FILE_INFORMATION ia;
  BY_HANDLE_FILE_INFORMATION ib;
  if (!GetFileInformationByHandle(a, &ia) || !GetFileInformationByHandle(b.Get(), &ib)) return false;
  return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber && ia.nFileIndexHigh == ib.nFileIndexHigh &&
         ia.nFileIndexLow == ib.nFileIndexLow;
}

std::string Utf8FromWide(std::wstring_view wide) {
  const int size = static_cast<int>(wide.size());
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data(), bytes, nullptr, nullptr);
  return out;
}

// Opens the source and, unless the target is that very file, a writer for the target; then copies
// the bytes into the writer's temporary file.
CopyStart StartCopy(std::string_view source, AtomicWriter& writer, const std::wstring& to) {
  auto from = WidePath(source);
  if (!from || IsDirectory(AttributesOf(*from))) return CopyStart::Failed;
  Handle in(CreateFileW(from->c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!in.Valid()) return CopyStart::Failed;
  // Onto itself: writing would first replace what is being read; the file is already the copy.
  if (SameFile(in.Get(), to)) return CopyStart::Same;
  if (!writer.Open()) return CopyStart::Failed;
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(in.Get(), buffer, sizeof buffer, &got, nullptr)) return CopyStart::Failed;
    if (got == 0) return CopyStart::Open;
    if (!writer.Write(buffer, got)) return CopyStart::Failed;
  }
}

}  // namespace

// On Windows the path is the host's own; only its text is converted, for callers that hand it to
// UTF-8 interfaces.
std::string HostPath(std::string_view windowsPath) { return SjisToUtf8(windowsPath); }

bool FileExists(std::string_view path) {
  auto wide = WidePath(path);
  return wide && AttributesOf(*wide) != INVALID_FILE_ATTRIBUTES;
}

bool DirectoryExists(std::string_view path) {
  auto wide = WidePath(path);
  return wide && IsDirectory(AttributesOf(*wide));
}

bool CopyFile(std::string_view source, std::string_view target) {
  auto to = WidePath(target);
  if (!to) return false;
  AtomicWriter writer(*to);
  switch (StartCopy(source, writer, *to)) {
    case CopyStart::Same: return true;
    case CopyStart::Open: return writer.Commit();
    default: return false;
  }
}

std::size_t CopyFiles(const std::vector<std::pair<std::string, std::string>>& copies, std::size_t* failed) {
  CopyBatch<AtomicWriter> batch;
  return RunCopyBatch(copies, failed, batch,
                      [](const std::string& source, const std::string& target, std::unique_ptr<AtomicWriter>& writer) {
                        auto to = WidePath(target);
                        if (!to) return CopyStart::Failed;
                        writer = std::make_unique<AtomicWriter>(*to);
                        return StartCopy(source, *writer, *to);
                      });
}

// A link is deleted itself (DeleteFileW does not follow it); what it names stays.
bool DeleteFile(std::string_view path) {
  auto wide = WidePath(path);
  if (!wide) return false;
  const DWORD attributes = AttributesOf(*wide);
  if (attributes == INVALID_FILE_ATTRIBUTES || IsDirectory(attributes)) return false;
  if (attributes & FILE_ATTRIBUTE_READONLY) return false;
  return DeleteFileW(wide->c_str()) != 0;
}

bool CreateDirectory(std::string_view path) {
  auto wide = WidePath(path);
  return wide && CreateDirectoryW(wide->c_str(), nullptr) != 0;
}

// FindFirstFileW reports a link to a folder with the folder attribute, as a POSIX stat would.
std::optional<std::vector<FolderEntry>> ListFolder(std::string_view path) {
  auto wide = WidePath(path);
  if (!wide || !IsDirectory(AttributesOf(*wide))) return std::nullopt;
  if (wide->back() != L'\\' && wide->back() != L'/') *wide += L'\\';
  *wide += L'*';
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW(wide->c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return std::nullopt;
  std::vector<FolderEntry> entries;
  do {
    const std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    // A name without a Shift-JIS form keeps its UTF-8 bytes, as the POSIX side gives them.
    auto sjis = SjisFromWide(name);
    entries.push_back({sjis ? *sjis : Utf8FromWide(name), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return entries;
}

std::FILE* OpenForReading(std::string_view path) {
  auto wide = WidePath(path);
  if (!wide || IsDirectory(AttributesOf(*wide))) return nullptr;
  return _wfopen(wide->c_str(), L"rb");
}

bool WriteFileAtomically(std::string_view path, std::string_view bytes) {
  auto wide = WidePath(path);
  if (!wide) return false;
  AtomicWriter writer(*wide);
  return writer.Open() && writer.Write(bytes.data(), bytes.size()) && writer.Commit();
}

}  // namespace platform

#endif
