#include "editor/form_copy_to_file.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "editor/copy_values.h"
#include "editor/form_file_list.h"
#include "platform/local_text.h"
#include "platform/paths.h"
#include "setup/game_folders.h"
#include "widgets/dialog_parts.h"
#include "widgets/modal_dialogs.h"

namespace gw {

TFormCopyToFile::TFormCopyToFile(QWidget* parent) : QDialog(parent) {
  InitToolDialog(*this, "FormCopyToFile", QStringLiteral("Copy to file"));
  const TDialogScale px(*this);

  LabelSource = NamedControl<QLabel>(this, "LabelSource", QStringLiteral("Source:"));
  ButtonSelectAll = NamedControl<QPushButton>(this, "ButtonSelectAll", QStringLiteral("&All"));
  ListBoxSource = NamedControl<QListWidget>(this, "ListBoxSource");
  auto* label2 = NamedControl<QLabel>(this, "Label2", QStringLiteral("Destination:"));
  ListBoxDest = NamedControl<QListWidget>(this, "ListBoxDest");
  ButtonCopy = NamedControl<QPushButton>(this, "ButtonCopy", QStringLiteral("&Copy"));
  ButtonCancel = NamedControl<QPushButton>(this, "ButtonCancel", QStringLiteral("Cancel"));

  // Underlined: hovering it shows the source's full path.
  QFont underlined = LabelSource->font();
  underlined.setUnderline(true);
  LabelSource->setFont(underlined);
  for (const TCopyGroup& group : CopyGroups) ListBoxSource->addItem(ToQ(group.Caption));
  // A click toggles an entry: several groups and files are picked without holding a key.
  ListBoxSource->setSelectionMode(QAbstractItemView::MultiSelection);
  ListBoxDest->setSelectionMode(QAbstractItemView::MultiSelection);
  ListBoxDest->setItemDelegate(new TSetupFileDelegate(ListBoxDest, px(16)));
  ListBoxDest->setUniformItemSizes(true);
  ListBoxDest->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // long names end in "…" instead
  // Enter cancels (unless a button has the focus): copying into other files is never the default.
  ButtonCancel->setDefault(true);
  setTabOrder(ListBoxSource, ButtonSelectAll);
  setTabOrder(ButtonSelectAll, ListBoxDest);
  ListBoxSource->setFocus();

  connect(ButtonSelectAll, &QPushButton::clicked, this, &TFormCopyToFile::ButtonSelectAllClick);
  connect(ButtonCopy, &QPushButton::clicked, this, &TFormCopyToFile::ButtonCopyClick);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

  LabelSource->setGeometry(px({8, 8, 60, 15}));
  ButtonSelectAll->setGeometry(px({112, 4, 49, 21}));
  ListBoxSource->setGeometry(px({8, 28, 153, 181}));
  label2->setGeometry(px({168, 8, 100, 15}));
  ListBoxDest->setGeometry(px({168, 28, 176, 181}));
  ButtonCopy->setGeometry(px({188, 217, 75, 25}));
  ButtonCancel->setGeometry(px({269, 217, 75, 25}));
  FixClientSize(*this, kClientWidth, kClientHeight);
}

void TFormCopyToFile::Fill(const std::string& sourcePath, const QStringList& setupFiles) {
  const std::string name = ExtractFileName(sourcePath);
  std::string car, title;
  const std::string source = ParseSlotFileName(name, car, title) ? car + "[" + title + "]" : name;
  setWindowTitle(QStringLiteral("Copy to file - ") + ToQ(source));
  LabelSource->setToolTip(ToQ(sourcePath));
  ListBoxDest->clear();
  const QString own = ToQ(name);
  for (const QString& file : setupFiles)
    if (QString::compare(file, own, Qt::CaseInsensitive) != 0) ListBoxDest->addItem(file);
}

std::vector<int> TFormCopyToFile::SelectedGroups() const {
  std::vector<int> groups;
  for (int i = 0; i < ListBoxSource->count(); ++i)
    if (ListBoxSource->item(i)->isSelected()) groups.push_back(i);
  return groups;
}

QStringList TFormCopyToFile::SelectedDestinations() const {
  QStringList names;
  for (int i = 0; i < ListBoxDest->count(); ++i)
    if (ListBoxDest->item(i)->isSelected()) names << ListBoxDest->item(i)->text();
  return names;
}

void TFormCopyToFile::ButtonSelectAllClick() {
  ListBoxSource->selectAll();
}

void TFormCopyToFile::ButtonCopyClick() {
  if (SelectedGroups().empty())
    ShowMessageBox(this, QStringLiteral("Select the source."));
  else if (SelectedDestinations().isEmpty())
    ShowMessageBox(this, QStringLiteral("Select the file of destination."));
  else
    accept();
}

}  // namespace gw
