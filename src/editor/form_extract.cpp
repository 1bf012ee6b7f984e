#include "editor/form_extract.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "platform/local_text.h"
#include "platform/paths.h"
#include "setup/game_folders.h"
#include "setup/replay_extract.h"
#include "widgets/dialog_parts.h"
#include "widgets/modal_dialogs.h"

namespace gw {

namespace {

constexpr const char* kReplayFilter = "TOV Replay (*.rpl)|*.rpl|All|*";
constexpr const char* kSetupFilter = "TOV File (*.lsp)|*.lsp|All|*";

}  // namespace

TFormExtract::TFormExtract(QWidget* parent, const std::string& installFolder)
    : QDialog(parent), installFolder_(installFolder) {
  InitToolDialog(*this, "FormExtract", QStringLiteral("Extract from Replay"));
  const TDialogScale px(*this);

  ListBoxReplay = NamedControl<QListWidget>(this, "ListBoxReplay");
  auto* label1 = NamedControl<QLabel>(this, "Label1", QStringLiteral("&Source:"));
  EditRpl = NamedControl<QLineEdit>(this, "EditRpl");
  Button1 = NamedControl<QPushButton>(this, "Button1", QStringLiteral("..."));
  auto* label2 = NamedControl<QLabel>(this, "Label2", QStringLiteral("&Destination:"));
  EditLsp = NamedControl<QLineEdit>(this, "EditLsp");
  Button2 = NamedControl<QPushButton>(this, "Button2", QStringLiteral("..."));
  ButtonExtract = NamedControl<QPushButton>(this, "ButtonExtract", QStringLiteral("&Extract"));
  Button4 = NamedControl<QPushButton>(this, "Button4", QStringLiteral("Close"));

  label1->setBuddy(EditRpl);
  label2->setBuddy(EditLsp);
  ButtonExtract->setDefault(true);
  FillReplayList(installFolder);

  connect(ListBoxReplay, &QListWidget::itemClicked, this, &TFormExtract::ListBoxReplayClick);
  // The current row is always the selected one: the list taking the focus, or a key moving the current
  // row, selects it and fills in the source.
  ListBoxReplay->setSelectionMode(QAbstractItemView::SingleSelection);
  connect(ListBoxReplay, &QListWidget::currentItemChanged, this, [](QListWidgetItem* current) {
    if (current && !current->isSelected()) current->setSelected(true);
  });
  // A line chosen with the keys counts as a click.
  connect(ListBoxReplay, &QListWidget::itemSelectionChanged, this, &TFormExtract::ListBoxReplayClick);
  connect(Button1, &QPushButton::clicked, this, &TFormExtract::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TFormExtract::Button2Click);
  connect(ButtonExtract, &QPushButton::clicked, this, [this] {
    try {
      ButtonExtractClick();
    } catch (const std::exception& e) {
      ShowErrorBox(this, e.what());
    }
  });
  connect(Button4, &QPushButton::clicked, this, &QDialog::reject);  // Escape rejects as well

  ListBoxReplay->setGeometry(px({4, 4, 421, 113}));
  label1->setGeometry(px({4, 126, 200, 15}));
  EditRpl->setGeometry(px({4, 142, 397, 21}));
  Button1->setGeometry(px({404, 142, 21, 21}));
  label2->setGeometry(px({4, 172, 200, 15}));
  EditLsp->setGeometry(px({4, 188, 397, 21}));
  Button2->setGeometry(px({404, 188, 21, 21}));
  ButtonExtract->setGeometry(px({270, 221, 75, 25}));
  Button4->setGeometry(px({350, 221, 75, 25}));
  FixClientSize(*this, kClientWidth, kClientHeight);
}

void TFormExtract::FillReplayList(const std::string& installFolder) {
  if (installFolder.empty()) {
    ListBoxReplay->setEnabled(false);
    QPalette parentColour = ListBoxReplay->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
      parentColour.setColor(group, QPalette::Base, palette().color(group, QPalette::Window));
    ListBoxReplay->setPalette(parentColour);
    return;
  }
  // In the order the system lists them, folders with a matching name included.
  const std::string folder = GamePath(installFolder, kReplaysFolder);
  for (const std::string& name : FindFiles(folder, "*.rpl")) ListBoxReplay->addItem(ToQ(folder + name));
}

void TFormExtract::ListBoxReplayClick() {
  const QList<QListWidgetItem*> selected = ListBoxReplay->selectedItems();
  if (!selected.isEmpty()) EditRpl->setText(selected.front()->text());
}

QString TFormExtract::GameFolder(std::string_view folder) const {
  return installFolder_.empty() ? QString() : ToQ(GamePath(installFolder_, folder));
}

void TFormExtract::Button1Click() {
  const QString path = AskOpenFileName(this, QString::fromLatin1(kReplayFilter), GameFolder(kReplaysFolder));
  if (!path.isEmpty()) EditRpl->setText(path);
}

void TFormExtract::Button2Click() {
  const QString path = AskSaveFileName(this, QString::fromLatin1(kSetupFilter), GameFolder(kSavedGamesFolder),
                                       QStringLiteral("lsp"));
  if (!path.isEmpty()) EditLsp->setText(path);
}

void TFormExtract::ButtonExtractClick() {
  const std::string destination = FromQ(EditLsp->text());
  if (BeforeExtract && !BeforeExtract(destination)) return;
  ExtractSetupFromReplay(FromQ(EditRpl->text()), destination);
  ShowMessageBox(this, QStringLiteral("Successful"));
}

}  // namespace gw
