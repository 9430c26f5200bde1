// Where the installed program finds its files, on Windows: the settings of a program in a folder the
// user may not write (Program Files) go to %APPDATA%\Partwell\.
#ifdef _WIN32

#include "platform/ProgramFiles.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/WinApi.h"
#include "platform/WinText.h"

namespace platform {

std::string UserSettingsFolder() {
  const wchar_t* appData = _wgetenv(L"APPDATA");
  if (appData == nullptr || *appData == L'\0') return "";
  auto folder = SjisFromWide(appData);
  if (!folder || folder->empty()) return "";
  if (folder->back() != '\\' && folder->back() != '/') *folder += '\\';
  return *folder + "Partwell\\";
}

// Only trying tells: the folder's read-only attribute does not stop new files, and its access list
// can. The probe is deleted by the system when its handle closes, even if this process is killed.
bool FolderWritable(const std::string& folder) {
  std::wstring wide = L".\\";
  if (!folder.empty()) {
    auto converted = WidePath(folder);
    if (!converted) return false;
    wide = *converted;
  }
  if (wide.back() != L'\\' && wide.back() != L'/') wide += L'\\';
  for (DWORD attempt = 0; attempt < 10; ++attempt) {
    const std::wstring probe = wide + L".probe.partwell-" + std::to_wstring(GetCurrentProcessId() + attempt);
    HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      CloseHandle(h);
      return true;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  return false;
}

bool CreateFolders(const std::string& folder) {
  auto wide = WidePath(folder);
  if (!wide) return false;
  std::error_code error;
  const std::filesystem::path host(*wide);
  std::filesystem::create_directories(host, error);
  return std::filesystem::is_directory(host, error);
}

}  // namespace platform

#endif
