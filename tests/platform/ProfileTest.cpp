#include <gtest/gtest.h>

#include <string>

#include "platform/FrameworkError.h"
#include "platform/Profile.h"
#include "platform/Sjis.h"
#include "PlatformTestFiles.h"
#include "tests/common/ScratchFolder.h"
#include "tests/common/ReadOnly.h"

using namespace platform;
using partwell::test::ModeOf;
using partwell::test::ReadBytes;
using partwell::test::ScratchFolder;
using partwell::test::WriteBytes;

namespace {

const std::string kHyo = "\x95\x5c";  // 表
const std::string kSo = "\x83\x5c";   // ソ
const std::string kNou = "\x94\x5c";  // 能

// Writes before to a file, applies edit to a profile opened on it, and returns the file's bytes.
template <typename Edit>
std::string AfterWrite(const std::string& before, Edit edit) {
  ScratchFolder dir;
  std::string path = dir / "p.ini";
  if (!before.empty()) WriteBytes(path, before);
  ProfileFile profile(path);
  edit(profile);
  std::string after = ReadBytes(path).value_or("<missing>");
  EXPECT_EQ(after, profile.Bytes());
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"p.ini"});  // no temporary file left
  return after;
}

}  // namespace

TEST(ProfileRead, LinesKeysQuotesAndCase) {
  const std::string text =
      "; leading comment\r\n"
      "orphan=before any section\r\n"
      "  [Partwell]  \r\n"
      "\tCGAFolder =  D:\\DOGA  \r\n"
      "quoted=\"  spaced  \"\r\n"
      "single='x'\r\n"
      "mixed=\"x'\r\n"
      "lonely=\"\r\n"
      "empty=\r\n"
      "bare\r\n"
      ";hidden=1\r\n"
      "a=b=c\r\n"
      "dup=first\r\n"
      "DUP=second\r\n"
      "[partwell]\r\n"
      "late=from a duplicate section\r\n"
      "[Other] trailing ] text\r\n"
      "k=other\r";
  ProfileFile p = ProfileFile::FromBytes("x.ini", text);
  struct Case {
    const char* section;
    const char* key;
    std::string want;
  } cases[] = {
      {"PARTWELL", "cgafolder", "D:\\DOGA"},
      {"Partwell", "quoted", "  spaced  "},
      {"Partwell", "single", "x"},
      {"Partwell", "mixed", "\"x'"},
      {"Partwell", "lonely", "\""},
      {"Partwell", "empty", ""},
      {"Partwell", "bare", ""},
      {"Partwell", "a", "b=c"},
      {"Partwell", "dup", "first"},
      {"Partwell", "late", "<def>"},
      {"Partwell", ";hidden", "<def>"},
      {"Partwell", "orphan", "<def>"},
      {"Other] trailing ", "k", "other"},
      {"Other", "k", "<def>"},
      {"Missing", "k", "<def>"},
  };
  for (const Case& c : cases) EXPECT_EQ(p.ReadString(c.section, c.key, "<def>"), c.want) << c.section << "/" << c.key;
}

TEST(ProfileRead, LineEndsDoubleByteNamesAndTheValueCut) {
  // LF, CR and CRLF mixed; ASCII case folds, but the second byte of a double-byte character does not
  // (0x83 0x41 and 0x83 0x61 are two different katakana).
  const std::string text = "[S]\nA=1\rb=2\r\n\x83\x41=kana1\n\x83\x61=kana2\n[" + kHyo + "]\nk=" + kSo + kNou + "\n";
  ProfileFile p = ProfileFile::FromBytes("x.ini", text);
  EXPECT_EQ(p.ReadString("s", "a", ""), "1");
  EXPECT_EQ(p.ReadString("s", "B", ""), "2");
  EXPECT_EQ(p.ReadString("S", "\x83\x41", ""), "kana1");
  EXPECT_EQ(p.ReadString("S", "\x83\x61", ""), "kana2");
  EXPECT_EQ(p.ReadString(kHyo, "K", ""), kSo + kNou);

  // A header whose only ']' is the second byte of a character is no header.
  ProfileFile broken = ProfileFile::FromBytes("x.ini", "[S]\nk=1\n[X\x83\x5d\nk=2\n");
  EXPECT_EQ(broken.ReadString("S", "k", ""), "1");
  EXPECT_EQ(broken.ReadString("X\x83", "k", "none"), "none");

  // 2047 bytes at most, cut before a character that would not fit whole.
  std::string longAscii(3000, 'a');
  std::string straddling = std::string(2046, 'b') + kHyo + "tail";
  ProfileFile cut = ProfileFile::FromBytes("x.ini", "[S]\r\nA=" + longAscii + "\r\nB=" + straddling + "\r\n");
  EXPECT_EQ(cut.ReadString("S", "A", ""), std::string(2047, 'a'));
  EXPECT_EQ(cut.ReadString("S", "B", ""), std::string(2046, 'b'));
}

TEST(ProfileRead, IntegerForms) {
  struct Case {
    const char* text;
    int want;
  } cases[] = {
      {"7555739", 7555739},  {"-12", -12},          {"+12", 12},           {"0", 0},
      {"0x00FF00", 65280},   {"0X1f", 31},          {"$734A9B", 7555739},  {"$FFFFFFFF", -1},
      {"0x80000000", INT32_MIN}, {"\"42\"", 42},    {"2147483647", 2147483647}, {"-2147483648", INT32_MIN},
      {"2147483648", -99},   {"-2147483649", -99},  {"99999999999999999999", -99},
      {"12abc", -99},        {"", -99},             {"0x", -99},           {"$", -99},
      {"0x123456789", -99},  {"0xG1", -99},         {"1 2", -99},          {"-", -99},
      {"- 1", -99},          {"-0x10", -99},        {"1.5", -99},          {"\" 1\"", 1},
      {" \t-7", -7},         {"  0x10", 16},
  };
  for (const Case& c : cases) {
    ProfileFile p = ProfileFile::FromBytes("x.ini", std::string("[S]\r\nv=") + c.text + "\r\n");
    EXPECT_EQ(p.ReadInteger("S", "V", -99), c.want) << c.text;
  }
  ProfileFile p = ProfileFile::FromBytes("x.ini", "");
  EXPECT_EQ(p.ReadInteger("S", "v", 7555739), 7555739);
}

TEST(ProfileWrite, ReplacesOnlyTheOneLine) {
  const std::string before =
      "; DOGA parts index\r\n"
      "[Unknown]\r\n"
      "x = 1\r\n"
      "\r\n"
      "[PartsAssembler]\r\n"
      "  MenuItems = 2   \r\n"
      "Menu1=\"Cars,cars.BMP,cars\\cars\"\r\n"
      "menu1=duplicate stays\r\n"
      "Bare\r\n"
      "Empty=   \r\n";
  std::string after = AfterWrite(before, [](ProfileFile& p) {
    p.WriteInteger("partsassembler", "menuitems", -3);
    p.WriteString("PartsAssembler", "MENU1", "Big Ships," + kHyo + ".BMP,ships\\ships");
    p.WriteString("PartsAssembler", "bare", "now");
    p.WriteString("PartsAssembler", "empty", "filled");
    EXPECT_EQ(p.ReadInteger("PartsAssembler", "MenuItems", 0), -3);
    EXPECT_EQ(p.ReadString("PartsAssembler", "Menu1", ""), "Big Ships," + kHyo + ".BMP,ships\\ships");
  });
  EXPECT_EQ(after,
            "; DOGA parts index\r\n"
            "[Unknown]\r\n"
            "x = 1\r\n"
            "\r\n"
            "[PartsAssembler]\r\n"
            "  MenuItems = -3\r\n"
            "Menu1=Big Ships," + kHyo + ".BMP,ships\\ships\r\n"
            "menu1=duplicate stays\r\n"
            "Bare=now\r\n"
            "Empty=filled\r\n");
}

TEST(ProfileWrite, NewKeysAndSectionsKeepTheFilesLineEnds) {
  // A key for a section in the middle goes after its last non-blank line, before the blank lines.
  EXPECT_EQ(AfterWrite("[A]\na=1\n; note\n\n\n[B]\nb=1\n",
                       [](ProfileFile& p) { p.WriteString("a", "Menu2", kSo + kNou); }),
            "[A]\na=1\n; note\nMenu2=" + kSo + kNou + "\n\n\n[B]\nb=1\n");
  // An empty section gets the key right after its header; a duplicate section is not touched.
  EXPECT_EQ(AfterWrite("[A]\r\n[B]\r\nb=1\r\n[A]\r\na=2\r\n", [](ProfileFile& p) { p.WriteString("A", "a", "1"); }),
            "[A]\r\na=1\r\n[B]\r\nb=1\r\n[A]\r\na=2\r\n");
  // A new section goes to the end; a missing last line end is supplied first.
  EXPECT_EQ(AfterWrite("[A]\ra=1", [](ProfileFile& p) { p.WriteString("New", "k", "v"); }), "[A]\ra=1\r[New]\rk=v\r");
  EXPECT_EQ(AfterWrite("[A]\r\na=1", [](ProfileFile& p) { p.WriteString("A", "b", "2"); }), "[A]\r\na=1\r\nb=2");
  // A missing file is created with CRLF; keys before any section do not make a section.
  EXPECT_EQ(AfterWrite("", [](ProfileFile& p) {
              p.WriteString("Partwell", "CGAFolder", "C:\\DOGACGA");
              p.WriteInteger("Partwell", "BackColor", 7555739);
            }),
            "[Partwell]\r\nCGAFolder=C:\\DOGACGA\r\nBackColor=7555739\r\n");
  EXPECT_EQ(AfterWrite("k=1\n", [](ProfileFile& p) { p.WriteString("S", "k", "2"); }), "k=1\n[S]\nk=2\n");
}

TEST(ProfileWrite, KeepsTheFilesPermissions) {
  ScratchFolder dir;
  std::string path = dir / "p.ini";
  WriteBytes(path, "[S]\nk=1\n");
  chmod(path.c_str(), 0640);
  ProfileFile p(path);
  p.WriteString("S", "k", "2");
  EXPECT_EQ(ModeOf(path), 0640u);
  EXPECT_EQ(ReadBytes(path), "[S]\nk=2\n");
}

TEST(ProfileWrite, RefusedWriteRaisesTheFrameworkErrorAndChangesNothing) {
  const std::string expected = Utf8ToSjis(" に書き込めません").value();
  ScratchFolder dir;
  mkdir((dir / "locked").c_str(), 0755);
  const std::string kept = "; keep me\r\n[S]\r\nk=" + kHyo + "\r\n";
  WriteBytes(dir / "locked/p.ini", kept);
  WriteBytes(dir / "readonly.ini", kept);
  chmod((dir / "readonly.ini").c_str(), 0444);
  chmod((dir / "locked").c_str(), 0555);

  struct Case {
    std::string path;
    const char* what;
  } cases[] = {
      {dir / "locked/p.ini", "existing file in a read-only folder"},
      {dir / "locked/new.ini", "new file in a read-only folder"},
      {dir / "readonly.ini", "read-only file"},
      {dir / "missing/p.ini", "missing folder"},
  };
  for (const Case& c : cases) {
    ProfileFile p(c.path);
    const std::string before = p.Bytes();
    {
      partwell::test::HonourPermissions honour;
      try {
        p.WriteString("S", "k", "new");
        ADD_FAILURE() << c.what << ": no error";
      } catch (const FrameworkError& e) {
        EXPECT_EQ(e.Message(), c.path + expected) << c.what;
      }
    }
    EXPECT_EQ(p.Bytes(), before) << c.what;
    EXPECT_EQ(p.ReadString("S", "k", "none"), before.empty() ? "none" : kHyo) << c.what;
  }
  EXPECT_EQ(ReadBytes(dir / "locked/p.ini"), kept);
  EXPECT_EQ(ReadBytes(dir / "readonly.ini"), kept);
  EXPECT_EQ(ModeOf(dir / "readonly.ini"), 0444u);
  EXPECT_EQ(dir.Names("locked"), std::vector<std::string>{"p.ini"});
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"locked", "readonly.ini"}));
}

TEST(ProfileWrite, AFileThatCouldNotBeReadIsNeverOverwritten) {
  ScratchFolder dir;
  const std::string path = dir / "Partwell.ini";
  const std::string kept = "[Partwell]\r\nCGAFolder=D:\\DOGA\r\n; and much more\r\n";
  WriteBytes(path, kept);
  chmod(path.c_str(), 0200);  // writable, but not readable
  {
    partwell::test::HonourPermissions honour;
    ProfileFile p(path);
    EXPECT_EQ(p.ReadString("Partwell", "CGAFolder", "C:\\DOGACGA"), "C:\\DOGACGA");
    EXPECT_THROW(p.WriteInteger("Partwell", "BackColor", 1), FrameworkError);
  }
  chmod(path.c_str(), 0644);
  EXPECT_EQ(ReadBytes(path), kept);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"Partwell.ini"});
}
