// File services whose rules are the same on every host, run on Linux and, cross-built, under Wine:
// batches of copies, leftovers of killed writes, folder listings and which paths stay contained.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "PlatformTestFiles.h"
#include "tests/common/ScratchFolder.h"

using namespace platform;
using partwell::test::ReadBytes;
using partwell::test::ScratchFolder;
using partwell::test::WriteBytes;

TEST(FileServices, CopyFilesReplacesNothingUntilEveryCopyIsWritten) {
  ScratchFolder dir;
  WriteBytes(dir / "a.suf", "shape a");
  WriteBytes(dir / "b.suf", "shape b");
  WriteBytes(dir / "t1.suf", "old one");
  std::size_t failed = 99;
  // The second source is missing: the first target, already written to its temporary file, stays.
  EXPECT_EQ(CopyFiles({{dir / "a.suf", dir / "t1.suf"}, {dir / "none.suf", dir / "t2.suf"}}, &failed), 0u);
  EXPECT_EQ(failed, 1u);
  EXPECT_EQ(ReadBytes(dir / "t1.suf"), "old one");
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"a.suf", "b.suf", "t1.suf"}));

  EXPECT_EQ(CopyFiles({{dir / "a.suf", dir / "t1.suf"}, {dir / "b.suf", dir / "t2.suf"}, {dir / "a.suf", dir / "a.suf"}}), 3u);
  EXPECT_EQ(ReadBytes(dir / "t1.suf"), "shape a");
  EXPECT_EQ(ReadBytes(dir / "t2.suf"), "shape b");
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"a.suf", "b.suf", "t1.suf", "t2.suf"}));
}

TEST(FileServices, WritesRemoveOnlyTheirOwnLeftoversOlderThanTenMinutes) {
  ScratchFolder dir;
  const std::vector<std::string> names = {".cat.bmp.partwell-AbC123", ".parts.ini.partwell-x1Y2z3",
                                          ".cat.bmp.partwell-fresh1", ".cat.bmp.partwell-ab",
                                          "cat.bmp.partwell-AbC124"};
  for (const std::string& name : names) WriteBytes(dir / name, "left over");
  WriteBytes(dir / "target", "target");
  const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(11);
  for (const std::string& name : names) {
    if (name != ".cat.bmp.partwell-fresh1") std::filesystem::last_write_time(dir / name, old);
  }
#ifndef _WIN32
  // A stale link of our naming. Wine cannot make symbolic links, so this case runs on POSIX only.
  symlink((dir / "target").c_str(), (dir / ".link.partwell-AbC125").c_str());
  const timespec oldLink[2] = {{time(nullptr) - 11 * 60, 0}, {time(nullptr) - 11 * 60, 0}};
  utimensat(AT_FDCWD, (dir / ".link.partwell-AbC125").c_str(), oldLink, AT_SYMLINK_NOFOLLOW);
#endif
  ASSERT_TRUE(WriteFileAtomically(dir / "cat.bmp", "new"));
  // Gone: the two stale ones of our naming. Kept: a fresh one (a write may be going on), names not
  // quite ours, and a link even of our naming.
  std::vector<std::string> kept = {".cat.bmp.partwell-ab", ".cat.bmp.partwell-fresh1", "cat.bmp",
                                   "cat.bmp.partwell-AbC124", "target"};
#ifndef _WIN32
  kept.insert(kept.begin() + 2, ".link.partwell-AbC125");
#endif
  EXPECT_EQ(dir.Names(), kept);
}

// Names come back in Shift-JIS whatever the host spells them in (UTF-8 here, UTF-16 on Windows).
TEST(FileServices, FolderListingGivesShiftJisNamesAndWhichAreFolders) {
  ScratchFolder dir;
  const std::string hyoSoNou = "\x95\x5c\x83\x5c\x94\x5c";  // 表ソ能, each with a 0x5C second byte
  ASSERT_TRUE(WriteFileAtomically(dir.Path() + "\\" + hyoSoNou + ".SUF", "shape"));
  ASSERT_TRUE(CreateDirectory(dir.Path() + "\\" + hyoSoNou));
  ASSERT_TRUE(WriteFileAtomically(dir.Path() + "\\" + hyoSoNou + "\\01.SUF", "in the folder"));
  auto listed = ListFolder(dir.Path());
  ASSERT_TRUE(listed.has_value());
  std::sort(listed->begin(), listed->end(), [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  ASSERT_EQ(listed->size(), 2u);
  EXPECT_EQ((*listed)[0].name, hyoSoNou);
  EXPECT_TRUE((*listed)[0].isFolder);
  EXPECT_EQ((*listed)[1].name, hyoSoNou + ".SUF");
  EXPECT_FALSE((*listed)[1].isFolder);
  auto inner = ListFolder(dir.Path() + "\\" + hyoSoNou + "\\");
  ASSERT_TRUE(inner.has_value());
  ASSERT_EQ(inner->size(), 1u);
  EXPECT_EQ((*inner)[0].name, "01.SUF");
  EXPECT_FALSE(ListFolder(dir.Path() + "\\" + hyoSoNou + ".SUF").has_value());
  EXPECT_FALSE(ListFolder(dir.Path() + "\\missing").has_value());
}

TEST(FileServices, ContainedPathsStayInsideTheirFolderAndNameOneHostFile) {
  const std::vector<std::string> contained = {"basic\\basic01.SUF", "ships.BMP", "car\\01.SUF", "a/b.SUF",
                                              "..x\\y..SUF", "\x95\x5C\\a.SUF"};  // 0x95 0x5C is one character
  for (const std::string& path : contained) EXPECT_TRUE(IsContainedPath(path)) << path;
  const std::vector<std::string> refused = {
      "", "..\\..\\outside\\evil01.SUF", "basic\\..\\..\\x.SUF", "\\abs\\x.SUF", "/abs/x.SUF",
      "\\\\server\\share\\x.SUF", "C:\\x.SUF", "C:x.SUF", "basic:stream", std::string("ba\0sic01.SUF", 12),
      "ba\x01sic01.SUF", "tab\tx.SUF", "x\x7F.SUF", "\xFF" "01.SUF", "\x81", "basic\\\\x.SUF", "basic\\",
      ". .\\x.SUF", "...\\x.SUF", "\xED\x40.SUF"};  // the last: the same character as 0xFA 0x5C on the host
  for (const std::string& path : refused) EXPECT_FALSE(IsContainedPath(path)) << path;
}
