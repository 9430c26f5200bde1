// The parts-library commands: folders, slots, register, delete, new-folder, rename-folder.
#include <cstdio>
#include <string>

#include "cli/Cli.h"
#include "cli/CliView.h"
#include "platform/FileSystem.h"

namespace {

using cli::CliView;
using cli::Context;
using cli::LibraryOptions;

void PrintFields(const std::vector<std::string>& sjisFields) {
  std::string line;
  for (std::size_t i = 0; i < sjisFields.size(); ++i) {
    if (i > 0) line += '\t';
    line += sjisFields[i];
  }
  cli::PrintSjis(stdout, line + "\n");
}

// Shared start of every library command: options, the index, the chosen folder and slot.
struct Session {
  CliView view;
  Workflow workflow{view};
  LibraryOptions options;

  bool Open(Context& context, bool needFolder, bool needSlot) {
    if (!cli::ParseLibraryOptions(context.args, options)) return false;
    if ((needFolder && options.folder == 0) || (needSlot && options.slot == 0)) {
      std::fprintf(stderr, "partwell-cli: %s\n", needSlot ? "--folder N and --slot S are needed" : "--folder N is needed");
      return false;
    }
    view.assumeYes = options.yes;
    bool opened = false;
    try {
      opened = cli::OpenLibrary(context, view, workflow);
    } catch (const platform::FrameworkError& error) {
      cli::ReportFrameworkError(error);
      return false;
    }
    if (!opened) return false;
    if (needFolder && !cli::SelectFolder(view, workflow, options.folder)) return false;
    workflow.SelectedSlot = options.slot > 0 ? options.slot - 1 : 0;
    return true;
  }
};

int CmdFolders(Context& context) {
  Session session;
  if (!session.Open(context, false, false)) return 1;
  int n = 1;
  for (const PartsFolder& folder : session.workflow.Folders) {
    PrintFields({std::to_string(n++), folder.Name, folder.JpnName, folder.CatalogFile, folder.PartsPrefix});
  }
  return 0;
}

int CmdSlots(Context& context) {
  Session session;
  if (!session.Open(context, true, false)) return 1;
  for (int slot = 0; slot < 16; ++slot) {
    session.workflow.SelectedSlot = slot;
    session.workflow.UpdatePartsName();
    PrintFields({std::to_string(slot + 1), session.view.partsName});
  }
  return 0;
}

int CmdRegister(Context& context) {
  for (const std::string& arg : context.args) {
    if (arg == "--next-free") return cli::RegisterNextFree(context);
  }
  Session session;
  if (!session.Open(context, true, true)) return 1;
  if (session.options.positional.size() != 1) {
    std::fprintf(stderr, "partwell-cli: register takes one FILE.suf\n");
    return 1;
  }
  std::string file;
  if (!cli::ArgToSjis(session.options.positional[0], file)) return 1;
  Workflow& workflow = session.workflow;
  return cli::RunOperation(session.view, [&] {
    workflow.SetEditFile(file);
    workflow.LoadShape();
    if (!cli::ApplyDrags(workflow, session.options.drags)) {
      session.view.warned = true;
      return;
    }
    workflow.RegisterPart();
  });
}

int CmdDelete(Context& context) {
  Session session;
  if (!session.Open(context, true, true)) return 1;
  return cli::RunOperation(session.view, [&] { session.workflow.DeletePart(); });
}

bool TakeNames(Session& session) {
  return cli::ArgToSjis(session.options.name, session.view.dialogInput.name) &&
         cli::ArgToSjis(session.options.jpn, session.view.dialogInput.jpnName);
}

int CmdNewFolder(Context& context) {
  Session session;
  if (!session.Open(context, false, false)) {
    // A missing index is no obstacle here: creating the first folder creates it. One that is there
    // but cannot be read is.
    if (!session.view.warned || platform::FileExists(session.workflow.PartsIndexPath())) return 1;
    session.view.warned = false;
  }
  if (session.options.positional.size() != 1) {
    std::fprintf(stderr, "partwell-cli: new-folder takes one NAME\n");
    return 1;
  }
  if (!cli::ArgToSjis(session.options.positional[0], session.view.dialogInput.folder) || !TakeNames(session)) return 1;
  std::size_t before = session.workflow.Folders.size();
  int code = cli::RunOperation(session.view, [&] { session.workflow.CreateFolder(); });
  if (code == 0 && session.workflow.Folders.size() > before) std::printf("%zu\n", session.workflow.Folders.size());
  return session.workflow.Folders.size() > before ? code : 1;
}

int CmdRenameFolder(Context& context) {
  Session session;
  LibraryOptions peek;
  if (!cli::ParseLibraryOptions(context.args, peek) || peek.positional.size() != 1) {
    std::fprintf(stderr, "partwell-cli: rename-folder takes one folder number N\n");
    return 1;
  }
  if (!session.Open(context, false, false) || !TakeNames(session)) return 1;
  int folder = std::atoi(peek.positional[0].c_str());
  if (!cli::SelectFolder(session.view, session.workflow, folder)) return 1;
  return cli::RunOperation(session.view, [&] { session.workflow.RenameFolder(); });
}

}  // namespace

PARTWELL_CLI_COMMAND("folders", "folders", CmdFolders)
PARTWELL_CLI_COMMAND("slots", "slots --folder N", CmdSlots)
PARTWELL_CLI_COMMAND("register", "register FILE.suf --folder N --slot S [--drag DX,DY]... [--zoom-drag DX]... [--yes]\n"
                     "  register --folder N --next-free FILE.suf... [--drag DX,DY]... [--zoom-drag DX]...", CmdRegister)
PARTWELL_CLI_COMMAND("delete", "delete --folder N --slot S [--yes]", CmdDelete)
PARTWELL_CLI_COMMAND("new-folder", "new-folder NAME --name EN --jpn JA", CmdNewFolder)
PARTWELL_CLI_COMMAND("rename-folder", "rename-folder N --name EN --jpn JA", CmdRenameFolder)
