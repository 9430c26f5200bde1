// The few POSIX helpers the tests use for scratch folders and environment variables, for the
// Windows build of the tests (forced in with -include; the program itself never needs them).
#pragma once

#ifdef _WIN32
#include <direct.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

// Replaces the trailing XXXXXX of pattern and makes that folder; null when it cannot be made.
inline char* mkdtemp(char* pattern) {
  const std::size_t length = std::strlen(pattern);
  if (length < 6 || std::strcmp(pattern + length - 6, "XXXXXX") != 0) return nullptr;
  static std::mt19937 random{std::random_device{}()};
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string suffix = std::to_string(100000 + random() % 900000);
    std::memcpy(pattern + length - 6, suffix.data(), 6);
    std::error_code error;
    if (std::filesystem::create_directory(pattern, error)) return pattern;
  }
  return nullptr;
}

// The POSIX form with a mode; the Windows C library's takes none.
inline int mkdir(const char* path, int) { return _mkdir(path); }

inline int setenv(const char* name, const char* value, int) { return _putenv_s(name, value); }
inline int unsetenv(const char* name) { return _putenv_s(name, ""); }
#endif
