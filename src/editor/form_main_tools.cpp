// The main window's tools: replay extraction, copying values into other setups, starting the game, the
// game's options and its folder.
#include "editor/copy_values.h"
#include "editor/form_copy_to_file.h"
#include "editor/form_extract.h"
#include "editor/form_main.h"
#include "editor/form_tov_option.h"
#include "editor/game_options.h"
#include "platform/desktop_shell.h"
#include "platform/error.h"
#include "platform/local_text.h"
#include "platform/paths.h"

namespace gw {

void TFormMain::MenuItemExtractClick() {
  TFormExtract dialog(this, installFolder_);
  bool ontoOpenFile = false;
  // An existing destination keeps its version; the open file is only overwritten once its unsaved
  // changes are saved or given up.
  dialog.BeforeExtract = [this, &ontoOpenFile](const std::string& destination) {
    if (SameAsOpenFile(destination)) {
      if (!MaySaveOrDiscard()) return false;
      ontoOpenFile = true;
    }
    if (FileExists(destination)) KeepVersion(destination);
    return true;
  };
  dialog.exec();
  if (ontoOpenFile && ChangedOnDisk()) {
    const std::string path = setup_.FileName();
    LoadSetupFile(path);
    SelectFileEntry(path);
  }
}

void TFormMain::MenuItemCopyToFileClick() {
  TFormCopyToFile dialog(this);
  QStringList files;
  ListSetupFiles(files);
  dialog.Fill(setup_.FileName(), files);
  if (dialog.exec() != QDialog::Accepted) return;
  // What is copied is what the editor shows, saved or not; the window's own file is not written.
  SlidersToSetup(setup_, *this);
  const std::vector<TCopyPair> copyList = BuildCopyList(dialog.SelectedGroups());
  // The first failing destination ends the command: those before it keep their new values.
  for (const QString& destination : dialog.SelectedDestinations())
    CopyValuesToFile(setup_, installFolder_, FromQ(destination), copyList,
                     [this](const std::string& path) { KeepVersion(path); });
}

void TFormMain::ActionRunTOVExecute() {
  const std::string path = GameExecutablePath(installFolder_, SelectedRunVariant());
  ShellStart(path, ExtractFileDir(path));
}

void TFormMain::ActionTOVOptionExecute() {
  if (!DirectoryExists(installFolder_)) throw Error("Not installed");
  TFormTOVOption dialog(this);
  dialog.SetOptions(ReadGameOptions(installFolder_));
  if (dialog.exec() != QDialog::Accepted) return;
  WriteGameOptions(installFolder_, dialog.Options());
}

void TFormMain::OpenTOVfolder1Click() {
  if (DirectoryExists(installFolder_)) ShellOpen(installFolder_);
}

}  // namespace gw
