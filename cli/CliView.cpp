#include "cli/CliView.h"

#include <cstdio>
#include <iostream>

#include "cli/Cli.h"
#include "platform/Console.h"

namespace cli {

int CliView::MessageBox(const std::string& text, const std::string&, unsigned flags) {
  std::string shown = text;
  while (!shown.empty() && shown.back() == '\n') shown.pop_back();
  PrintSjis(stderr, shown + "\n");
  if ((flags & MB_TYPEMASK) != MB_YESNO) {
    const unsigned icon = flags & MB_ICONMASK;
    if (icon == MB_ICONEXCLAMATION || icon == MB_ICONERROR) ++warnings;
    return IDOK;
  }
  if (assumeYes) return IDYES;
  if (!platform::InputIsTerminal()) {
    std::fprintf(stderr, "(no terminal to answer on: No)\n");
    return IDNO;
  }
  std::fprintf(stderr, "[y/N] ");
  std::string answer;
  std::getline(std::cin, answer);
  return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y') ? IDYES : IDNO;
}

bool CliView::RunFolderDialog(FolderDialogState& state) {
  if (!state.folderReadOnly) state.folder = dialogInput.folder;
  state.name = dialogInput.name;
  state.jpnName = dialogInput.jpnName;
  return workflow != nullptr && workflow->CheckFolderDialog(state);
}

}  // namespace cli
