#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <string>

#include "platform/FileSystem.h"
#include "PlatformTestFiles.h"
#include "tests/common/ScratchFolder.h"
#include "tests/common/ReadOnly.h"

using namespace platform;
using partwell::test::ModeOf;
using partwell::test::ReadBytes;
using partwell::test::ScopedEnv;
using partwell::test::ScratchFolder;
using partwell::test::WriteBytes;

namespace {
const std::string kHyo = "\x95\x5c";  // 表
const std::string kSo = "\x83\x5c";   // ソ
const std::string kNou = "\x94\x5c";  // 能

// A fake Wine prefix: drive_c with a DOGA folder in mixed case, and D: linked elsewhere.
struct FakeWine {
  ScratchFolder dir;
  ScopedEnv env{"WINEPREFIX", dir / "prefix"};
  FakeWine() {
    for (const char* d : {"prefix", "prefix/dosdevices", "prefix/drive_c", "prefix/drive_c/DogaCGA",
                          "prefix/drive_c/DogaCGA/Common", "prefix/drive_c/DogaCGA/Common/PARTS", "elsewhere",
                          "elsewhere/表ソ能"})
      mkdir((dir / d).c_str(), 0755);
    WriteBytes(dir / "prefix/drive_c/DogaCGA/Common/PARTS/Parts.INI", "[PartsAssembler]\r\n");
    symlink((dir / "elsewhere").c_str(), (dir / "prefix/dosdevices/d:").c_str());
    symlink("/", (dir / "prefix/dosdevices/z:").c_str());
  }
};
}  // namespace

TEST(HostPath, DrivesThroughAWinePrefixWithCaseInsensitiveLookup) {
  FakeWine wine;
  const std::string& root = wine.dir.Path();
  struct Case {
    std::string windows;
    std::string host;
  } cases[] = {
      {"C:\\DOGACGA\\common\\parts\\parts.ini", root + "/prefix/drive_c/DogaCGA/Common/PARTS/Parts.INI"},
      {"c:/dogacga\\COMMON\\parts\\", root + "/prefix/drive_c/DogaCGA/Common/PARTS/"},
      {"C:\\DOGACGA\\common\\catalog\\cars.BMP", root + "/prefix/drive_c/DogaCGA/Common/catalog/cars.BMP"},
      {"D:\\" + kHyo + kSo + kNou + "\\" + kHyo + ".suf", root + "/elsewhere/表ソ能/表.suf"},
      {"d:\\" + kHyo + kSo + kNou, root + "/elsewhere/表ソ能"},
      {"E:\\x", root + "/prefix/dosdevices/e:/x"},
      {"Z:\\", "/"},
      {"z:" + root + "\\elsewhere", root + "/elsewhere"},
      {"\\\\server\\share\\f", root + "/prefix/dosdevices/unc/server/share/f"},
  };
  for (const Case& c : cases) EXPECT_EQ(HostPath(c.windows), c.host) << c.windows;

  ScopedEnv noPrefix("WINEPREFIX", "");
  ScopedEnv home("HOME", root + "/home");
  EXPECT_EQ(HostPath("C:\\x"), root + "/home/.wine/drive_c/x");
}

TEST(HostPath, HostPathsRootedAndRelativePaths) {
  ScratchFolder dir;
  mkdir((dir / "Mixed").c_str(), 0755);
  mkdir((dir / "Mixed/ABC").c_str(), 0755);
  mkdir((dir / "Mixed/abc").c_str(), 0755);
  const std::string& root = dir.Path();
  struct Case {
    std::string windows;
    std::string host;
  } cases[] = {
      {root + "/Mixed/file", root + "/Mixed/file"},
      {root + "\\mixed\\Abc\\x", root + "/Mixed/ABC/x"},  // two matches: the first in byte order
      {root + "\\mixed\\abc", root + "/Mixed/abc"},       // spelled as it exists: no lookup
      {root + "\\nothere\\mixed", root + "/nothere/mixed"},
      {"\\usr\\" + kHyo, "/usr/表"},
      {"dir\\" + kSo, "dir/ソ"},  // the 0x5C second byte at the end is no trailing separator
      {"Partwell.ini", "Partwell.ini"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(HostPath(c.windows), c.host) << c.windows;
}

TEST(FileServices, ExistenceDeleteCreateOpen) {
  ScratchFolder dir;
  WriteBytes(dir / "File.txt", "abc");
  mkdir((dir / "Sub").c_str(), 0755);
  EXPECT_TRUE(FileExists(dir.Path() + "\\file.TXT"));
  EXPECT_TRUE(FileExists(dir.Path() + "\\sub"));
  EXPECT_FALSE(FileExists(dir / "nothing"));
  EXPECT_TRUE(DirectoryExists(dir.Path() + "\\SUB"));
  EXPECT_FALSE(DirectoryExists(dir / "File.txt"));

  std::FILE* f = OpenForReading(dir.Path() + "\\FILE.txt");
  ASSERT_NE(f, nullptr);
  char buffer[8] = {};
  EXPECT_EQ(std::fread(buffer, 1, sizeof buffer, f), 3u);
  std::fclose(f);
  EXPECT_EQ(OpenForReading(dir / "Sub"), nullptr);
  EXPECT_EQ(OpenForReading(dir / "nothing"), nullptr);

  EXPECT_TRUE(CreateDirectory(dir / "New"));
  EXPECT_FALSE(CreateDirectory(dir / "new"));  // already there in another case, as Windows sees it
  EXPECT_FALSE(CreateDirectory(dir / "a/b"));
  EXPECT_TRUE(DirectoryExists(dir / "New"));

  EXPECT_FALSE(DeleteFile(dir / "Sub"));
  EXPECT_FALSE(DeleteFile(dir / "nothing"));
  WriteBytes(dir / "ro.txt", "keep");
  chmod((dir / "ro.txt").c_str(), 0444);
  EXPECT_FALSE(DeleteFile(dir / "ro.txt"));
  EXPECT_EQ(ReadBytes(dir / "ro.txt"), "keep");
  EXPECT_TRUE(DeleteFile(dir.Path() + "\\file.txt"));
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"New", "Sub", "ro.txt"}));
}

TEST(FileServices, CopyFile) {
  ScratchFolder dir;
  std::string data;
  for (int i = 0; i < 200000; ++i) data += static_cast<char>(i * 7);
  WriteBytes(dir / "src.suf", data);
  WriteBytes(dir / "old.suf", "old contents");
  chmod((dir / "old.suf").c_str(), 0600);

  EXPECT_TRUE(CopyFile(dir / "src.suf", dir / "old.suf"));
  EXPECT_EQ(ReadBytes(dir / "old.suf"), data);
  EXPECT_EQ(ModeOf(dir / "old.suf"), 0600u);

  // Onto itself, spelled the same or in another case: intact.
  EXPECT_TRUE(CopyFile(dir / "src.suf", dir / "src.suf"));
  EXPECT_TRUE(CopyFile(dir / "src.suf", dir.Path() + "\\SRC.SUF"));
  EXPECT_EQ(ReadBytes(dir / "src.suf"), data);

  EXPECT_FALSE(CopyFile(dir / "missing.suf", dir / "old.suf"));
  EXPECT_EQ(ReadBytes(dir / "old.suf"), data);

  WriteBytes(dir / "ro.suf", "read-only");
  chmod((dir / "ro.suf").c_str(), 0444);
  EXPECT_FALSE(CopyFile(dir / "src.suf", dir / "ro.suf"));
  EXPECT_EQ(ReadBytes(dir / "ro.suf"), "read-only");

  mkdir((dir / "locked").c_str(), 0555);
  {
    partwell::test::HonourPermissions honour;
    EXPECT_FALSE(CopyFile(dir / "src.suf", dir / "locked/new.suf"));
  }
  EXPECT_TRUE(dir.Names("locked").empty());
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"locked", "old.suf", "ro.suf", "src.suf"}));
}

TEST(FileServices, AtomicWriteFailuresLeaveTheOldFileAndNoTemporary) {
  ScratchFolder dir;
  WriteBytes(dir / "cat.bmp", "old");
  chmod((dir / "cat.bmp").c_str(), 0664);
  ASSERT_TRUE(WriteFileAtomically(dir / "cat.bmp", "new"));
  EXPECT_EQ(ReadBytes(dir / "cat.bmp"), "new");
  EXPECT_EQ(ModeOf(dir / "cat.bmp"), 0664u);

  mode_t oldMask = umask(027);
  EXPECT_TRUE(WriteFileAtomically(dir / "fresh.bmp", ""));
  umask(oldMask);
  EXPECT_EQ(ModeOf(dir / "fresh.bmp"), 0640u);
  EXPECT_EQ(ReadBytes(dir / "fresh.bmp"), "");

  // Disk full: a file-size limit makes the write fail part way.
  {
    struct rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    bool written = WriteFileAtomically(dir / "cat.bmp", std::string(100000, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
  }
  EXPECT_EQ(ReadBytes(dir / "cat.bmp"), "new");

  // A folder stands where the file should go, or the folder is missing.
  mkdir((dir / "taken").c_str(), 0755);
  WriteBytes(dir / "taken/x", "x");
  EXPECT_FALSE(WriteFileAtomically(dir / "taken", "data"));
  EXPECT_FALSE(WriteFileAtomically(dir / "missing/file", "data"));
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"cat.bmp", "fresh.bmp", "taken"}));

  // A link is replaced, never written through: what it names keeps its bytes; so with a copy, and a
  // delete removes the link only.
  symlink((dir / "cat.bmp").c_str(), (dir / "link.bmp").c_str());
  EXPECT_TRUE(WriteFileAtomically(dir / "link.bmp", "into the link's place"));
  EXPECT_EQ(ReadBytes(dir / "cat.bmp"), "new");
  EXPECT_EQ(ReadBytes(dir / "link.bmp"), "into the link's place");
  struct stat st;
  ASSERT_EQ(lstat((dir / "link.bmp").c_str(), &st), 0);
  EXPECT_TRUE(S_ISREG(st.st_mode));
  symlink((dir / "cat.bmp").c_str(), (dir / "link.suf").c_str());
  EXPECT_TRUE(CopyFile(dir / "fresh.bmp", dir / "link.suf"));
  EXPECT_EQ(ReadBytes(dir / "cat.bmp"), "new");
  ASSERT_EQ(lstat((dir / "link.suf").c_str(), &st), 0);
  EXPECT_TRUE(S_ISREG(st.st_mode));
  symlink((dir / "cat.bmp").c_str(), (dir / "gone.suf").c_str());
  EXPECT_TRUE(DeleteFile(dir / "gone.suf"));
  EXPECT_EQ(ReadBytes(dir / "cat.bmp"), "new");
}
