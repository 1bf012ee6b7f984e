// The main window's side of comparing setups: the compare window reads the open setup from the sliders and
// hands back the values the player takes, which go into the sliders as any edit does. Nothing is written
// until the player saves.
#include "compare/comparison.h"
#include "compare/form_compare.h"
#include "compare/take_values.h"
#include "editor/form_main.h"
#include "history/form_history.h"
#include "platform/local_text.h"
#include "platform/paths.h"

#include <QCheckBox>

namespace gw {

void TFormMain::ActionCompareExecute() {
  TFormCompare& form = CompareWindow();
  form.RefreshOpenSetup();  // the sliders may have moved since it was last shown
  form.show();
  form.raise();
  form.activateWindow();
}

TFormCompare& TFormMain::CompareWindow() {
  // One compare window for the main window's life: its columns stay while the player edits.
  if (auto* form = findChild<TFormCompare*>(QString(), Qt::FindDirectChildrenOnly)) return *form;
  auto* form = new TFormCompare(installFolder_, settingsFile_, this);
  form->OnReadOpenSetup = [this] { return TOpenSetup{setup_.FileName(), ValuesFromControls(*this)}; };
  form->OnTake = [this](const std::vector<TTakenValue>& values) { ApplyPositions(values); };
  form->RefreshOpenSetup();
  return *form;
}

void TFormMain::CompareWithVersion(const TVersionInfo& version, const std::string& filePath) {
  CompareWindow().AddSetupFile(version.Path, ToQ(ExtractFileName(filePath)) + QStringLiteral(" (") +
                                                 VersionLocalTimeText(version.TimeMs) + QStringLiteral(")"));
  ActionCompareExecute();
}

void TFormMain::ApplyPositions(const std::vector<TTakenValue>& values) {
  ApplyTakenValues(*this, values, CheckBoxTyreLink->isChecked());
  RefreshBrakeRatio();
  // Taking values from the comparison is one step, undone as a whole.
  CommitEdit(QStringLiteral("Take Values"));
}

}  // namespace gw
