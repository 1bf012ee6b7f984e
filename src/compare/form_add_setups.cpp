#include "compare/form_add_setups.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/form_file_list.h"
#include "platform/local_text.h"
#include "platform/paths.h"
#include "setup/game_folders.h"
#include "widgets/dialog_parts.h"
#include "widgets/modal_dialogs.h"

namespace gw {

namespace {

constexpr const char* kSetupFileFilter = "TOV File (*.lsp)|*.lsp|All|*";

}  // namespace

TFormAddSetups::TFormAddSetups(const std::string& installFolder, QWidget* parent)
    : QDialog(parent), installFolder_(installFolder) {
  InitToolDialog(*this, "FormAddSetups", QStringLiteral("Add setups"));
  const TDialogScale px(*this);

  auto* label = NamedControl<QLabel>(this, "LabelSetups", QStringLiteral("&Saved setups:"));
  ListBoxSetups = NamedControl<QListWidget>(this, "ListBoxSetups");
  ButtonAdd = NamedControl<QPushButton>(this, "ButtonAdd", QStringLiteral("Add"));
  ButtonBrowse = NamedControl<QPushButton>(this, "ButtonBrowse", QStringLiteral("&Browse..."));
  ButtonCancel = NamedControl<QPushButton>(this, "ButtonCancel", QStringLiteral("Cancel"));

  label->setBuddy(ListBoxSetups);
  ListBoxSetups->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ListBoxSetups->setItemDelegate(new TSetupFileDelegate(ListBoxSetups, px(16)));
  ListBoxSetups->setUniformItemSizes(true);
  std::vector<std::string> names = FindFiles(GamePath(installFolder_, kSavedGamesPrefix), kSlotFileMask);
  QStringList entries;
  for (const std::string& name : names) entries << ToQ(name);
  std::sort(entries.begin(), entries.end(), [](const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
  });
  ListBoxSetups->addItems(entries);
  if (ListBoxSetups->count() > 0) ListBoxSetups->setCurrentRow(0, QItemSelectionModel::NoUpdate);
  ButtonAdd->setDefault(true);

  connect(ButtonAdd, &QPushButton::clicked, this, &TFormAddSetups::ButtonAddClick);
  connect(ButtonBrowse, &QPushButton::clicked, this,
          [this] { RunCommand(this, [this] { ButtonBrowseClick(); }); });
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(ListBoxSetups, &QListWidget::itemDoubleClicked, this, &TFormAddSetups::ButtonAddClick);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ButtonBrowse);
  buttons->addStretch();
  buttons->addWidget(ButtonAdd);
  buttons->addWidget(ButtonCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(ListBoxSetups);
  layout->addLayout(buttons);
  resize(px(320), px(360));
  ListBoxSetups->setFocus();
}

QStringList TFormAddSetups::SelectedPaths() const {
  if (!browsed_.isEmpty()) return {browsed_};
  QStringList paths;
  for (int i = 0; i < ListBoxSetups->count(); ++i)
    if (ListBoxSetups->item(i)->isSelected())
      paths << ToQ(SetupFilePath(FromQ(ListBoxSetups->item(i)->text()), installFolder_));
  return paths;
}

void TFormAddSetups::ButtonAddClick() {
  if (SelectedPaths().isEmpty())
    ShowMessageBox(this, QStringLiteral("Select the setups to add."));
  else
    accept();
}

void TFormAddSetups::ButtonBrowseClick() {
  const QString path =
      AskOpenFileName(this, QString::fromLatin1(kSetupFileFilter),
                      installFolder_.empty() ? QString() : ToQ(GamePath(installFolder_, kSavedGamesFolder)));
  if (path.isEmpty()) return;
  browsed_ = path;
  accept();
}

}  // namespace gw
