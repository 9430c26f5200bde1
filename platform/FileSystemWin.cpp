// File services on Windows: the paths are already Windows paths, in Shift-JIS. They are widened with
// code page 932 named explicitly and handed to the wide-character calls, so a Japanese folder name
// works whatever the system's ANSI code page is.
#ifdef _WIN32

#include "platform/FileSystem.h"
#include "platform/Sjis.h"
#include "platform/WinApi.h"

#include <climits>
#include <cstdio>
#include <optional>
#include <string>

namespace platform {
namespace {

// The UTF-16 form of a Shift-JIS path; nullopt when its bytes are not Shift-JIS.
std::optional<std::wstring> WidePath(std::string_view path) {
  if (path.empty() || path.size() > INT_MAX) return std::nullopt;
  const int size = static_cast<int>(path.size());
  int wide = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, path.data(), size, nullptr, 0);
  if (wide <= 0) return std::nullopt;
  std::wstring out(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, path.data(), size, out.data(), wide);
  return out;
}

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

  bool Open() {
    const DWORD attributes = AttributesOf(target_);
    if (attributes != INVALID_FILE_ATTRIBUTES) {
      // Windows' own rule: a file with the read-only attribute is not written.
      if (IsDirectory(attributes) || (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    } else if (GetLastError() != ERROR_FILE_NOT_FOUND) {
      return false;
    }
    std::size_t slash = target_.find_last_of(L"\\/");
    std::wstring folder = slash == std::wstring::npos ? L"" : target_.substr(0, slash + 1);
    std::wstring name = slash == std::wstring::npos ? target_ : target_.substr(slash + 1);
    if (name.empty()) return false;
    // Keep the temporary name short enough for the 255 characters a name may have.
    std::wstring stem = folder + L"." + (name.size() > 200 ? std::wstring() : name) + L".partwell-";
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
      std::wstring candidate =
          stem + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount() + attempt);
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

  bool Commit() {
    if (!FlushFileBuffers(file_.Get())) return false;
    if (!file_.Close()) return false;
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

bool SameFile(HANDLE a, const std::wstring& other) {
  Handle b(CreateFileW(other.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!b.Valid()) return false;
  BY_HANDLE_FILE_INFORMATION ia;
  BY_HANDLE_FILE_INFORMATION ib;
  if (!GetFileInformationByHandle(a, &ia) || !GetFileInformationByHandle(b.Get(), &ib)) return false;
  return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber && ia.nFileIndexHigh == ib.nFileIndexHigh &&
         ia.nFileIndexLow == ib.nFileIndexLow;
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
  auto from = WidePath(source);
  auto to = WidePath(target);
  if (!from || !to) return false;
  Handle in(CreateFileW(from->c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!in.Valid() || IsDirectory(AttributesOf(*from))) return false;
  // Onto itself: writing would first replace what is being read; the file is already the copy.
  if (SameFile(in.Get(), *to)) return true;
  AtomicWriter writer(*to);
  if (!writer.Open()) return false;
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(in.Get(), buffer, sizeof buffer, &got, nullptr)) return false;
    if (got == 0) break;
    if (!writer.Write(buffer, got)) return false;
  }
  return writer.Commit();
}

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
