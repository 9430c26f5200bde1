// The workflow's view for the command line: message boxes become their text on standard error,
// questions are asked on the terminal (answered Yes by --yes, No without a terminal), and the folder
// dialog takes its fields from the command's arguments.
#pragma once

#include <string>
#include <vector>

#include "app/Workflow.h"
#include "cli/Cli.h"
#include "platform/FrameworkError.h"

namespace cli {

class CliView : public WorkflowView {
 public:
  bool assumeYes = false;
  bool warned = false;  // a warning or error box was shown: the command exits 1
  std::vector<std::string> folderLines;
  int selectedLine = -1;
  std::string partsName;
  FolderDialogState dialogInput;  // the fields the folder dialog is "typed" with
  Workflow* workflow = nullptr;

  int MessageBox(const std::string& text, const std::string& title, unsigned flags) override;
  void SetEditFileText(const std::string&) override {}
  void SetPolyCountCaption(const std::string&) override {}
  void SetPartsNameCaption(const std::string& text) override { partsName = text; }
  void SetRegisterEnabled(bool) override {}
  void SetDeleteEnabled(bool) override {}
  void BeginFolderUpdate() override {}
  void EndFolderUpdate() override {}
  void ClearFolderList() override {
    folderLines.clear();
    selectedLine = -1;
  }
  void AddFolderLine(const std::string& text) override { folderLines.push_back(text); }
  void SelectFolderLine(int index) override { selectedLine = index; }
  void ReplaceFolderLine(int index, const std::string& text) override { folderLines.at(index) = text; }
  int SelectedFolderLine() const override { return selectedLine; }
  HDC BeginPaintThumbnail() override { return nullptr; }
  void EndPaintThumbnail() override {}
  HDC BeginPaintPreview() override { return nullptr; }
  void EndPaintPreview() override {}
  void InvalidatePreview() override {}
  bool ShowsCatalog() const override { return false; }
  bool RunFolderDialog(FolderDialogState& state) override;
};

// Options shared by the library commands.
struct LibraryOptions {
  int folder = 0;  // from 1; 0 when not given
  int slot = 0;    // from 1; 0 when not given
  bool yes = false;
  bool nextFree = false;  // register --next-free
  std::vector<std::string> positional;
  std::vector<std::string> drags;  // "--drag DX,DY" and "--zoom-drag DX", in the order given
  std::string name, jpn;           // UTF-8 as given
};

// Parses args; prints a message and returns false on a malformed option.
bool ParseLibraryOptions(const std::vector<std::string>& args, LibraryOptions& options);

// Applies "--drag DX,DY" (a left-button step from (0,0)) and "--zoom-drag DX" (a right-button step)
// of options.drags to the preview's view, in the order given; prints a message and returns false on a
// malformed step.
bool ApplyDrags(Workflow& workflow, const std::vector<std::string>& drags);

// register --folder N --next-free FILE...: the register command hands over when it sees --next-free.
int RegisterNextFree(Context& context);

// Sets up the workflow on the context's library and reads the parts index. Returns false (after
// printing why) when the index is missing.
bool OpenLibrary(Context& context, CliView& view, Workflow& workflow);

// Selects folder N (from 1); prints a message and returns false when there is no such folder.
bool SelectFolder(CliView& view, const Workflow& workflow, int folder);

// Runs a workflow operation; a framework error is printed as the exception display shows it.
// Returns the command's exit code: 0, or 1 after a warning or an error.
template <typename Operation>
int RunOperation(CliView& view, Operation operation);
int ReportFrameworkError(const std::exception& error);

}  // namespace cli

template <typename Operation>
int cli::RunOperation(CliView& view, Operation operation) {
  try {
    operation();
  } catch (const platform::FrameworkError& error) {
    return ReportFrameworkError(error);
  }
  return view.warned ? 1 : 0;
}
