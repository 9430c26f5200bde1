// Which files the program uses: beside itself first (a build or a copied folder), else where an
// installed program keeps them. The window and partwell-cli both ask here, so they always agree.
#include "app/Workflow.h"
#include "platform/FileSystem.h"
#include "platform/ProgramFiles.h"

namespace {
constexpr const char* kSettingsName = "Partwell.ini";
}  // namespace

// A file that is in neither place is named beside the program, where a message about it points.
std::string Workflow::ProgramFile(const char* name) const {
  const std::string beside = ProgramFolder + name;
  if (platform::FileExists(beside)) return beside;
  const std::string shared = platform::SharedDataFolder(ProgramFolder) + name;
  return platform::FileExists(shared) ? shared : beside;
}

// Beside the program while it has one there or may make one there; an installed program, whose
// folder the user cannot write, keeps its settings in the user's configuration folder.
std::string Workflow::SettingsPath() const {
  const std::string beside = ProgramFolder + kSettingsName;
  if (platform::FileExists(beside) || platform::FolderWritable(ProgramFolder)) return beside;
  const std::string user = platform::UserSettingsFolder();
  return user.empty() ? beside : user + kSettingsName;
}

std::string Workflow::HelpFile() {
  const std::string help = ProgramFile("partwell.htm");
  if (platform::FileExists(help)) return help;
  HelpNotShown();
  return "";
}

void Workflow::HelpNotShown() { Warn(Text("partwell.htmが見つかりません")); }
