// A fresh folder below the system's temporary folder for one test, removed with everything in it
// at the end (write bits are restored first, so folders a test made read-only go too).
#pragma once

#include <string>
#include <vector>

namespace partwell::test {

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  std::string operator/(const std::string& name) const { return File(name); }

  // Writes bytes to name inside the folder and returns the file's path.
  std::string Write(const std::string& name, const std::string& bytes) const;
  // Names in the folder (or in its subfolder sub), sorted, so a test sees what was left behind.
  std::vector<std::string> Names(const std::string& sub = "") const;

 private:
  std::string path_;
};

}  // namespace partwell::test
