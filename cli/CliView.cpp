#include "cli/CliView.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "platform/Console.h"
#include "platform/Sjis.h"

namespace cli {
namespace {

bool ParseNumber(const std::string& text, int& value) {
  char* end = nullptr;
  long parsed = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || parsed < 1 || parsed > 1000000) return false;
  value = static_cast<int>(parsed);
  return true;
}

}  // namespace

int CliView::MessageBox(const std::string& text, const std::string&, unsigned flags) {
  std::string shown = text;
  while (!shown.empty() && shown.back() == '\n') shown.pop_back();
  PrintSjis(stderr, shown + "\n");
  if ((flags & 0x0F) != MB_YESNO) {
    if ((flags & 0xF0) == MB_ICONEXCLAMATION || (flags & 0xF0) == MB_ICONERROR) warned = true;
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

bool ParseLibraryOptions(const std::vector<std::string>& args, LibraryOptions& options) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    bool hasValue = i + 1 < args.size();
    if (arg == "--yes") {
      options.yes = true;
    } else if (arg == "--next-free") {
      options.nextFree = true;
    } else if ((arg == "--folder" || arg == "--slot") && hasValue) {
      int& target = arg == "--folder" ? options.folder : options.slot;
      if (!ParseNumber(args[++i], target)) {
        std::fprintf(stderr, "partwell-cli: %s takes a number from 1, not '%s'\n", arg.c_str(), args[i].c_str());
        return false;
      }
    } else if ((arg == "--drag" || arg == "--zoom-drag") && hasValue) {
      options.drags.push_back(arg + " " + args[++i]);
    } else if (arg == "--name" && hasValue) {
      options.name = args[++i];
    } else if (arg == "--jpn" && hasValue) {
      options.jpn = args[++i];
    } else if (arg.rfind("--", 0) == 0) {
      std::fprintf(stderr, "partwell-cli: unknown or incomplete option '%s'\n", arg.c_str());
      return false;
    } else {
      options.positional.push_back(arg);
    }
  }
  if (options.slot > 16) {
    std::fprintf(stderr, "partwell-cli: --slot takes a number from 1 to 16\n");
    return false;
  }
  return true;
}

bool ApplyDrags(Workflow& workflow, const std::vector<std::string>& drags) {
  for (const std::string& drag : drags) {
    int dx = 0, dy = 0;
    if (drag.rfind("--drag ", 0) == 0) {
      if (std::sscanf(drag.c_str() + 7, "%d,%d", &dx, &dy) != 2) {
        std::fprintf(stderr, "partwell-cli: --drag takes DX,DY, not '%s'\n", drag.c_str() + 7);
        return false;
      }
      workflow.PressPreview(0, 0, 0);
      workflow.RotatePreview(dx, dy);
    } else {
      if (std::sscanf(drag.c_str() + 12, "%d", &dx) != 1) {
        std::fprintf(stderr, "partwell-cli: --zoom-drag takes DX, not '%s'\n", drag.c_str() + 12);
        return false;
      }
      workflow.PressPreview(0, 0, 1);
      workflow.ZoomPreview(dx, 0);
    }
  }
  return true;
}

bool OpenLibrary(Context& context, CliView& view, Workflow& workflow) {
  view.workflow = &workflow;
  workflow.ProgramFolder = context.programFolder;
  workflow.CGAFolder = context.cgaFolder;
  workflow.BackColor = context.backColor;
  ReadAtrFile(GlobalAttributes, context.atrFile.c_str());
  workflow.ReadPartsIndex();
  return !view.warned;
}

bool SelectFolder(CliView& view, const Workflow& workflow, int folder) {
  if (folder < 1 || folder > static_cast<int>(workflow.Folders.size())) {
    std::fprintf(stderr, "partwell-cli: there is no folder %d (the index has %zu)\n", folder, workflow.Folders.size());
    return false;
  }
  view.SelectFolderLine(folder - 1);
  return true;
}

int ReportFrameworkError(const std::exception& error) {
  std::string text = error.what();
  if (!text.empty() && text.back() != '.') text += '.';
  PrintSjis(stderr, text + "\n");
  return 1;
}

}  // namespace cli
