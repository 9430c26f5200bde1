// Start-up and settings: the program folder, Partwell.ini with its defaults, write-back, drops.
#include <cstdlib>

#include "platform/CommandLine.h"
#include "platform/FileSystem.h"
#include "platform/FrameworkError.h"
#include "shape/Loadsuf.h"
#include "tests/app/WorkflowFixture.h"
#include "tests/common/ReadOnly.h"

namespace partwell::test {
namespace {

class SettingsTest : public WorkflowTest {
 protected:
  // Starts the program as if from BIN_DIR/partwell.
  void StartFrom(const std::filesystem::path& folder) {
    std::string program = (folder / "partwell").string();
    char* argv[] = {program.data()};
    platform::SetCommandLine(1, argv);
    workflow.Construct();
  }
  std::filesystem::path Bin() const { return library.root / "bin dir"; }
};

TEST_F(SettingsTest, WithoutSettingsFileUsesDefaultsAndWritesNothing) {
  std::filesystem::create_directory(Bin());
  StartFrom(Bin());
  // The command line's slashes become backslashes; the folder keeps its blank and trailing separator.
  std::string expected = Bin().string() + "/";
  std::replace(expected.begin(), expected.end(), '/', '\\');
  EXPECT_EQ(workflow.ProgramFolder, expected);
  EXPECT_EQ(workflow.CGAFolder, "C:\\DOGACGA");
  EXPECT_EQ(workflow.BackColor, 7555739u);
  EXPECT_FALSE(std::filesystem::exists(Bin() / "Partwell.ini"));
  ASSERT_EQ(view.messages.size(), 1u);  // C:\DOGACGA has no index here
  EXPECT_EQ(view.messages[0].flags, 0x30u);
}

TEST_F(SettingsTest, ReadsFolderAndColourForms) {
  std::filesystem::create_directory(Bin());
  struct Case {
    const char* value;
    std::uint32_t expected;
  } cases[] = {{"0x00FF00", 65280}, {"$FF", 255}, {"255", 255}, {"blue", 7555739}, {"", 7555739}};
  for (const Case& c : cases) {
    TempLibrary::WriteFile(Bin() / "Partwell.ini",
                           "[Partwell]\r\nCGAFolder=" + library.Cga() + "\r\nBackColor=" + c.value + "\r\n");
    RecordingView quiet;
    Workflow started(quiet);
    std::string program = (Bin() / "partwell").string();
    char* argv[] = {program.data()};
    platform::SetCommandLine(1, argv);
    started.Construct();
    EXPECT_EQ(started.BackColor, c.expected) << c.value;
    EXPECT_EQ(started.CGAFolder, library.Cga());
  }
}

TEST_F(SettingsTest, ReadsTheAttributeFileBesideTheProgram) {
  std::filesystem::create_directory(Bin());
  TempLibrary::WriteFile(Bin() / "_GENIE.ATR", "atr startup_probe {\r\n  col ( rgb ( 0.5 0.25 1 ) )\r\n}\r\n");
  StartFrom(Bin());
  const XAtr* probe = GlobalAttributes.Find("startup_probe");
  ASSERT_NE(probe, nullptr);
  EXPECT_FLOAT_EQ(probe->g, 0.25f);
}

TEST_F(SettingsTest, SaveWritesBothKeysKeepsOtherLinesAndRereadsTheIndex) {
  std::filesystem::create_directory(Bin());
  const std::string before = "; mine\r\n[Other]\r\nx=1\r\n[Partwell]\r\nCGAFolder=C:\\OLD\r\nBackColor=1\r\n";
  TempLibrary::WriteFile(Bin() / "Partwell.ini", before);
  WriteThreeFolders();
  StartFrom(Bin());
  view.SelectFolderLine(2);
  view.messages.clear();

  workflow.SaveSettings(library.Cga(), 0x102030);
  EXPECT_EQ(TempLibrary::ReadFile(Bin() / "Partwell.ini"),
            "; mine\r\n[Other]\r\nx=1\r\n[Partwell]\r\nCGAFolder=" + library.Cga() + "\r\nBackColor=1056816\r\n");
  EXPECT_EQ(view.lines.size(), 3u);
  EXPECT_EQ(view.selected, 0);  // the index was read again: the selection falls back to the first folder
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(SettingsTest, RefusedWriteRaisesTheWriteErrorAndKeepsTheNewValuesInMemory) {
  std::filesystem::create_directory(Bin());
  TempLibrary::WriteFile(Bin() / "Partwell.ini", "[Partwell]\r\nBackColor=1\r\n");
  StartFrom(Bin());
  std::filesystem::permissions(Bin(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  std::filesystem::permissions(Bin() / "Partwell.ini", std::filesystem::perms::owner_read);
  std::string message;
  {
    HonourPermissions asUser;
    try {
      workflow.SaveSettings("D:\\NEW", 42);
    } catch (const platform::FrameworkError& error) {
      message = error.Message();
    }
  }
  EXPECT_NE(message.find(Sjis(" に書き込めません")), std::string::npos) << message;
  EXPECT_EQ(message.find("Partwell.ini"), message.find(Sjis(" に書き込めません")) - 12);
  EXPECT_EQ(workflow.CGAFolder, "D:\\NEW");
  EXPECT_EQ(workflow.BackColor, 42u);
  EXPECT_EQ(TempLibrary::ReadFile(Bin() / "Partwell.ini"), "[Partwell]\r\nBackColor=1\r\n");
}

// Installed: the program in <prefix>/bin, which the user cannot write, its files in
// <prefix>/share/partwell, the settings in $XDG_CONFIG_HOME/Partwell, made by the first OK.
TEST_F(SettingsTest, InstalledProgramUsesShareAndTheUserSettingsFolder) {
  const std::filesystem::path prefix = library.root / "prefix";
  const std::filesystem::path share = prefix / "share" / "partwell";
  const std::filesystem::path config = library.root / "config";
  std::filesystem::create_directories(prefix / "bin");
  std::filesystem::create_directories(share);
  TempLibrary::WriteFile(share / "_GENIE.ATR", "atr shared_probe {\r\n  col ( rgb ( 1 0.5 0 ) )\r\n}\r\n");
  TempLibrary::WriteFile(share / "partwell.htm", "<html></html>");
  std::filesystem::permissions(prefix / "bin", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
  const std::string savedConfig = oldConfig != nullptr ? oldConfig : "";
  setenv("XDG_CONFIG_HOME", config.string().c_str(), 1);
  WriteThreeFolders();
  const std::filesystem::path ini = config / "Partwell" / "Partwell.ini";
  {
    HonourPermissions asUser;
    StartFrom(prefix / "bin");
    EXPECT_EQ(workflow.CGAFolder, "C:\\DOGACGA");
    ASSERT_NE(GlobalAttributes.Find("shared_probe"), nullptr);
    EXPECT_EQ(platform::HostPath(workflow.ProgramFile("partwell.htm")), (prefix / "bin/../share/partwell/partwell.htm").string());
    workflow.SaveSettings(library.Cga(), 0x102030);
    EXPECT_EQ(TempLibrary::ReadFile(ini), "[Partwell]\r\nCGAFolder=" + library.Cga() + "\r\nBackColor=1056816\r\n");
    // Later writes change only their lines there.
    TempLibrary::WriteFile(ini, "; mine\r\n" + TempLibrary::ReadFile(ini) + "[Other]\r\nx=1\r\n");
    workflow.SaveSettings(library.Cga(), 255);
    RecordingView quiet;
    Workflow again(quiet);
    again.ProgramFolder = workflow.ProgramFolder;
    again.LoadSettings();
    EXPECT_EQ(again.BackColor, 255u);
  }
  EXPECT_EQ(TempLibrary::ReadFile(ini),
            "; mine\r\n[Partwell]\r\nCGAFolder=" + library.Cga() + "\r\nBackColor=255\r\n[Other]\r\nx=1\r\n");
  EXPECT_EQ(view.lines.size(), 3u);
  EXPECT_FALSE(std::filesystem::exists(prefix / "bin" / "Partwell.ini"));
  std::filesystem::permissions(prefix / "bin", std::filesystem::perms::owner_all);
  if (oldConfig != nullptr) {
    setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1);
  } else {
    unsetenv("XDG_CONFIG_HOME");
  }
}

TEST_F(SettingsTest, DropLoadsOnlyTheFirstFile) {
  TempLibrary::WriteFile(library.root / "one.suf", CubeSuf());
  TempLibrary::WriteFile(library.root / "two.suf", "obj suf tri {\r\nprim poly ( 0 0 0\r\n1 0 0\r\n0 1 0 )\r\n}\r\n");
  workflow.DropFiles({(library.root / "one.suf").string(), (library.root / "two.suf").string(), "three.suf"});
  EXPECT_EQ(view.editFile, (library.root / "one.suf").string());
  EXPECT_EQ(view.polyCount, "6");
  EXPECT_TRUE(view.registerEnabled);
}

}  // namespace
}  // namespace partwell::test
