// The workflow's view for the command line: message boxes become their text on standard error,
// questions are asked on the terminal (answered Yes by --yes, No without a terminal), and the folder
// dialog takes its fields from the command's arguments.
#pragma once

#include <string>
#include <vector>

#include "app/Workflow.h"

namespace cli {

class CliView : public WorkflowView {
 public:
  bool assumeYes = false;
  int warnings = 0;  // warning and error boxes shown
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

}  // namespace cli
