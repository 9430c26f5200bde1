// Start-up, the settings file Partwell.ini, dropped files.
#include <array>

#include "app/Workflow.h"
#include "image/StringSeparator.h"
#include "platform/CommandLine.h"
#include "platform/Profile.h"
#include "platform/ProgramFiles.h"
#include "platform/Sjis.h"

namespace {
constexpr const char* kSettingsSection = "Partwell";
constexpr const char* kDefaultCgaFolder = "C:\\DOGACGA";
}  // namespace

Workflow::Workflow(WorkflowView& view) : view_(view) {}

Workflow::~Workflow() { ClearFolders(); }

std::string Workflow::Text(const char* utf8) {
  // Every caller passes a constant of this program; each has a Shift-JIS form.
  return platform::Utf8ToSjis(utf8).value_or(std::string());
}

std::string Workflow::NoSjisFormText() { return Text("Shift-JISで表せない文字は使えません。"); }

void Workflow::RefuseName() { Warn(NoSjisFormText()); }

int Workflow::Warn(const std::string& text, const char* title) {
  return view_.MessageBox(text, title, MB_ICONEXCLAMATION | MB_OK);
}

namespace {
// The folder of token 0 of the command line, the program as it was started; started by bare name
// from PATH, the folder of the executable.
std::string CommandLineProgramFolder() {
  // Only blanks, tabs and quotes separate the command line: no character is a token by itself.
  StringSeparator separator;
  std::array<char, 128> noSpecials{};
  separator.SetSpecials(noSpecials.data());
  std::string program;
  if (separator.Split(platform::GetCommandLine().c_str()) > 0) program = separator.Token(0);
  std::size_t end = platform::FindLastCharOf(program, "\\:");
  if (end == std::string::npos) return platform::ExecutableFolder();
  return program.substr(0, end + 1);
}
}  // namespace

void Workflow::Construct() {
  StartUp(CommandLineProgramFolder());
  ReadPartsIndex();
}

bool Workflow::StartUp(const std::string& programFolder, const std::string& atrFile) {
  ProgramFolder = programFolder;
  LoadSettings();
  return ReadAtrFile(GlobalAttributes, (atrFile.empty() ? ProgramFile("_GENIE.ATR") : atrFile).c_str());
}

void Workflow::LoadSettings() {
  platform::ProfileFile settings(SettingsPath());
  CGAFolder = settings.ReadString(kSettingsSection, "CGAFolder", kDefaultCgaFolder);
  BackColor = static_cast<std::uint32_t>(settings.ReadInteger(kSettingsSection, "BackColor", static_cast<int>(kDefaultBackColor)));
}

void Workflow::SaveSettings(const std::string& newFolder, std::uint32_t newColor) {
  CGAFolder = newFolder;
  BackColor = newColor;
  // The user's settings folder is made on the first write there; a failure shows as the write's error.
  const std::string path = SettingsPath();
  if (path != ProgramFolder + "Partwell.ini") platform::CreateFolders(platform::UserSettingsFolder());
  platform::ProfileFile settings(path);
  settings.WriteString(kSettingsSection, "CGAFolder", CGAFolder);
  settings.WriteInteger(kSettingsSection, "BackColor", static_cast<int>(BackColor));
  ReadPartsIndex();
  ShowCatalog();
  RenderPreview();
}

void Workflow::SetEditFile(const std::string& path) {
  EditFile = path;
  view_.SetEditFileText(EditFile);
  view_.SetRegisterEnabled(!EditFile.empty());
}

// Only the first file of a drop is taken, whatever its extension. The whole name is kept: a name
// cut to a fixed buffer would name another file.
void Workflow::DropFiles(const std::vector<std::string>& names) {
  if (names.empty() || names.front().empty()) return;
  SetEditFile(names.front());
  LoadShape();
}
