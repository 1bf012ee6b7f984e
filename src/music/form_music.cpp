#include "music/form_music.h"

#include <QAction>
#include <QBrush>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>

#include "music/form_audio_edit.h"
#include "platform/ascii_text.h"
#include "platform/desktop_shell.h"
#include "platform/error.h"
#include "platform/local_text.h"
#include "platform/paths.h"
#include "setup/game_folders.h"
#include "widgets/dialog_parts.h"
#include "widgets/modal_dialogs.h"

namespace gw {

namespace {

constexpr const char* kOggFilter = "Ogg (*.ogg)|*.ogg|ALL|*";

// Columns of the slot list and of the library list.
constexpr int kSlotColumn = 0;
constexpr int kSlotFile = 1;
constexpr int kSlotSong = 2;
constexpr int kLibraryFile = 0;
constexpr int kLibrarySong = 1;
constexpr int kLibraryArtist = 2;

// The file name a row works with is kept as the file system's bytes, so that no name is changed by a round
// trip through Unicode.
constexpr int kHiddenNameRole = Qt::UserRole;

QTreeWidgetItem* SelectedRow(const QTreeWidget* list) {
  const QList<QTreeWidgetItem*> rows = list->selectedItems();
  return rows.isEmpty() ? nullptr : rows.front();
}

// Set on a row whose file could not be read.
constexpr int kUnreadableRole = Qt::UserRole + 1;

// The song and artist of a file, shown from the given column on; a file that could not be read shows
// neither and is marked with the reason.
void ShowInfo(QTreeWidgetItem& row, int songColumn, const std::string& song, const std::string& artist,
              const std::string& failure, const QPalette& palette) {
  row.setText(songColumn, ToQ(song));
  row.setText(songColumn + 1, ToQ(artist));
  row.setData(0, kUnreadableRole, !failure.empty());
  const QBrush text = failure.empty() ? QBrush() : palette.brush(QPalette::Disabled, QPalette::Text);
  for (int c = 0; c < row.columnCount(); ++c) {
    row.setForeground(c, text);
    row.setToolTip(c, ToQ(failure));
  }
}

// Reads a file's song and artist; false for a file that is no Ogg file. A file that cannot be read gives
// the reason instead, so that one such file does not keep the window from opening.
bool ReadInfo(const std::string& path, std::string& song, std::string& artist, std::string& failure) {
  try {
    return ReadOggInfo(path, song, artist);
  } catch (const Error& e) {
    failure = e.what();
    return true;
  }
}

void ShowOggInfo(QTreeWidgetItem& row, int songColumn, const std::string& path, bool exists) {
  std::string song, artist, failure;
  if (exists) ReadInfo(path, song, artist, failure);
  ShowInfo(row, songColumn, song, artist, failure, row.treeWidget()->palette());
}

}  // namespace

TFormMusic::TFormMusic(const std::string& installFolder, QWidget* parent, std::string playFolder)
    : QDialog(parent),
      installFolder_(installFolder),
      musicFolder_(GamePath(installFolder, kMusicFolder)),
      playFolder_(std::move(playFolder)) {
  InitToolDialog(*this, "FormMusic", QStringLiteral("Music Manager"));

  ListViewTop = CreateList(
      "ListViewTop",
      {QStringLiteral("Slot"), QStringLiteral("File"), QStringLiteral("Song"), QStringLiteral("Artist")},
      {40, 120, 150, 150});
  ListViewBottom =
      CreateList("ListViewBottom", {QStringLiteral("File"), QStringLiteral("Song"), QStringLiteral("Artist")},
                 {150, 150, 150});
  auto button = [this](const char* name, const QString& text) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);  // Return in a list does nothing
    return b;
  };
  ButtonInport = button("ButtonInport", QStringLiteral("&Inport..."));
  ButtonLoadDefault = button("ButtonLoadDefault", QStringLiteral("Load &Default"));
  ButtonClose = button("ButtonClose", QStringLiteral("Close"));
  CreateMenus();

  connect(ListViewTop, &QTreeWidget::itemSelectionChanged, this, &TFormMusic::ListViewTopSelectItem);
  connect(ListViewTop, &QTreeWidget::itemDoubleClicked, this, [this] { Run([this] { Play2Click(); }); });
  connect(ListViewBottom, &QTreeWidget::itemDoubleClicked, this, [this] { Run([this] { Play1Click(); }); });
  connect(ButtonInport, &QPushButton::clicked, this, [this] { Run([this] { ButtonInportClick(); }); });
  connect(ButtonLoadDefault, &QPushButton::clicked, this,
          [this] { Run([this] { ButtonLoadDefaultClick(); }); });
  connect(ButtonClose, &QPushButton::clicked, this, &TFormMusic::reject);

  // The lists sit one above the other with a row of buttons below.
  ListViewTop->setGeometry(Px(5), Px(5), Px(477), Px(177));
  ListViewBottom->setGeometry(Px(5), Px(188), Px(477), Px(165));
  ButtonInport->setGeometry(Px(5), Px(358), Px(100), Px(25));
  ButtonLoadDefault->setGeometry(Px(110), Px(358), Px(100), Px(25));
  ButtonClose->setGeometry(Px(407), Px(358), Px(75), Px(25));
  setFixedSize(Px(kClientWidth), Px(kClientHeight));

  FillLibraryList();
  FillSlotList();
}

int TFormMusic::Px(int pixels) const {
  return TDialogScale(*this)(pixels);
}

QTreeWidget* TFormMusic::CreateList(const char* name, const QStringList& headers,
                                    const std::initializer_list<int>& widths) {
  auto* list = new QTreeWidget(this);
  list->setObjectName(QString::fromLatin1(name));
  list->setColumnCount(static_cast<int>(headers.size()));
  list->setHeaderLabels(headers);
  list->setRootIsDecorated(false);
  list->setItemsExpandable(false);
  list->setUniformRowHeights(true);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setAllColumnsShowFocus(true);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setSortingEnabled(false);
  list->header()->setSectionsClickable(false);
  list->header()->setSectionsMovable(false);
  list->header()->setStretchLastSection(true);  // header and highlight reach the right edge
  int column = 0;
  for (int width : widths) list->setColumnWidth(column++, Px(width));
  // The selected row stays as visible when the list does not have the focus.
  QPalette palette = list->palette();
  for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  list->setPalette(palette);
  list->setContextMenuPolicy(Qt::CustomContextMenu);
  return list;
}

void TFormMusic::CreateMenus() {
  auto item = [this](QMenu* menu, const char* name, const QString& text) {
    auto* a = menu->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    return a;
  };
  PopupMenuTop = new QMenu(this);
  PopupMenuTop->setObjectName(QStringLiteral("PopupMenuTop"));
  MenuItemErase = item(PopupMenuTop, "MenuItemErase", QStringLiteral("&Erase"));
  PopupMenuTop->addSeparator();
  Play2 = item(PopupMenuTop, "Play2", QStringLiteral("&Play"));
  PopupMenuTop->setDefaultAction(Play2);

  PopupMenuBottom = new QMenu(this);
  PopupMenuBottom->setObjectName(QStringLiteral("PopupMenuBottom"));
  MenuItemAssign = item(PopupMenuBottom, "MenuItemAssign", QStringLiteral("&Assign"));
  MenuItemDelete = item(PopupMenuBottom, "MenuItemDelete", QStringLiteral("&Delete"));
  MenuItemEdit = item(PopupMenuBottom, "MenuItemEdit", QStringLiteral("&Edit info..."));
  PopupMenuBottom->addSeparator();
  Play1 = item(PopupMenuBottom, "Play1", QStringLiteral("&Play"));
  PopupMenuBottom->setDefaultAction(Play1);

  connect(MenuItemErase, &QAction::triggered, this, [this] { Run([this] { MenuItemEraseClick(); }); });
  connect(Play2, &QAction::triggered, this, [this] { Run([this] { Play2Click(); }); });
  connect(MenuItemAssign, &QAction::triggered, this, [this] { Run([this] { MenuItemAssignClick(); }); });
  connect(MenuItemDelete, &QAction::triggered, this, [this] { Run([this] { MenuItemDeleteClick(); }); });
  connect(MenuItemEdit, &QAction::triggered, this, [this] { Run([this] { MenuItemEditClick(); }); });
  connect(Play1, &QAction::triggered, this, [this] { Run([this] { Play1Click(); }); });

  connect(ListViewTop, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    PopupMenuTopPopup();
    PopupMenuTop->popup(ListViewTop->viewport()->mapToGlobal(at));
  });
  connect(ListViewBottom, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    PopupMenuBottomPopup();
    PopupMenuBottom->popup(ListViewBottom->viewport()->mapToGlobal(at));
  });
}

// ---- the rows ----

std::string TFormMusic::HiddenName(const QTreeWidgetItem& row) {
  const QByteArray bytes = row.data(0, kHiddenNameRole).toByteArray();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void TFormMusic::SetHiddenName(QTreeWidgetItem& row, const std::string& name) {
  row.setData(0, kHiddenNameRole, QByteArray(name.data(), static_cast<qsizetype>(name.size())));
}

TSlotTable TFormMusic::SlotNames() const {
  TSlotTable names;
  for (int i = 0; i < kMusicSlotCount && i < ListViewTop->topLevelItemCount(); ++i)
    names[static_cast<std::size_t>(i)] = HiddenName(*ListViewTop->topLevelItem(i));
  return names;
}

bool TFormMusic::IsUnreadable(const QTreeWidgetItem& row) {
  return row.data(0, kUnreadableRole).toBool();
}

std::string TFormMusic::PathOf(const QTreeWidgetItem& row) const {
  const std::string found = FindMusicFile(musicFolder_, HiddenName(row));
  return found.empty() ? musicFolder_ + HiddenName(row) : found;
}

void TFormMusic::RefreshSlotRow(QTreeWidgetItem& row) {
  const std::string name = HiddenName(row);
  row.setText(kSlotFile, ToQ(ChangeFileExt(name, "")));
  const std::string path = FindMusicFile(musicFolder_, name);
  ShowOggInfo(row, kSlotSong, path, !path.empty());
}

void TFormMusic::RefreshLibraryRow(QTreeWidgetItem& row) {
  ShowOggInfo(row, kLibrarySong, PathOf(row), true);
}

// Every slot that uses the file: erased (after a delete) or shown afresh (after an edit).
void TFormMusic::RefreshSlotRowsNamed(const std::string& name, bool erase) {
  for (int i = 0; i < ListViewTop->topLevelItemCount(); ++i) {
    QTreeWidgetItem& row = *ListViewTop->topLevelItem(i);
    if (HiddenName(row) != name) continue;
    if (erase) SetHiddenName(row, {});
    RefreshSlotRow(row);
  }
}

QTreeWidgetItem* TFormMusic::AddLibraryRow(const std::string& name) {
  auto* row = new QTreeWidgetItem(ListViewBottom);
  SetHiddenName(*row, name);
  row->setText(kLibraryFile, ToQ(ChangeFileExt(name, "")));
  RefreshLibraryRow(*row);
  return row;
}

void TFormMusic::FillLibraryList() {
  ListViewBottom->clear();
  // In the order Windows lists a folder (by name, ignoring case), whatever order this file system keeps;
  // each name's key is made once, not in every comparison.
  std::vector<std::pair<std::string, std::string>> files;  // key, name
  for (std::string& name : FindFiles(musicFolder_, "*.ogg"))
    files.emplace_back(AsciiUpperCase(name), std::move(name));
  std::sort(files.begin(), files.end());
  // Each file is read once, and the rows join the list together.
  QList<QTreeWidgetItem*> rows;
  try {
    for (const auto& [key, name] : files) {
      // A folder with such a name is no music file; a file that cannot be read is listed, marked.
      const std::string path = musicFolder_ + name;
      if (!FileExists(path)) continue;
      std::string song, artist, failure;
      if (!ReadInfo(path, song, artist, failure)) continue;
      auto* row = new QTreeWidgetItem;
      rows << row;
      SetHiddenName(*row, name);
      row->setText(kLibraryFile, ToQ(ChangeFileExt(name, "")));
      ShowInfo(*row, kLibrarySong, song, artist, failure, ListViewBottom->palette());
    }
  } catch (...) {
    qDeleteAll(rows);  // not in the list yet
    throw;
  }
  ListViewBottom->addTopLevelItems(rows);
  if (!files.empty()) ListViewBottom->resizeColumnToContents(kLibraryArtist);
}

void TFormMusic::FillSlotList() {
  ListViewTop->clear();
  const TSlotTable names = LoadSlotTable(installFolder_);
  for (int i = 0; i < kMusicSlotCount; ++i) {
    auto* row = new QTreeWidgetItem(ListViewTop);
    row->setText(kSlotColumn, QString::number(i + 1));
    SetHiddenName(*row, names[static_cast<std::size_t>(i)]);
    RefreshSlotRow(*row);
  }
}

// ---- selection and menus ----

void TFormMusic::ListViewTopSelectItem() {
  const QTreeWidgetItem* slot = SelectedRow(ListViewTop);
  if (!slot) return;
  const QString file = slot->text(kSlotFile);
  if (file.isEmpty()) {
    ListViewBottom->selectionModel()->clear();
    return;
  }
  for (int i = 0; i < ListViewBottom->topLevelItemCount(); ++i) {
    QTreeWidgetItem* row = ListViewBottom->topLevelItem(i);
    if (QString::compare(row->text(kLibraryFile), file, Qt::CaseInsensitive) != 0) continue;
    ListViewBottom->setCurrentItem(row);
    ListViewBottom->scrollToItem(row);
    return;
  }
}

void TFormMusic::PopupMenuTopPopup() {
  const QTreeWidgetItem* slot = SelectedRow(ListViewTop);
  MenuItemErase->setEnabled(slot != nullptr);
  Play2->setEnabled(slot && !HiddenName(*slot).empty());
}

void TFormMusic::PopupMenuBottomPopup() {
  const QTreeWidgetItem* row = SelectedRow(ListViewBottom);
  MenuItemAssign->setEnabled(row != nullptr);
  MenuItemDelete->setEnabled(row && DefaultMusicIndex(HiddenName(*row)) == -1);
  MenuItemEdit->setEnabled(row != nullptr);
  Play1->setEnabled(row && !HiddenName(*row).empty());
}

// ---- commands ----

void TFormMusic::MenuItemAssignClick() {
  QTreeWidgetItem* slot = SelectedRow(ListViewTop);
  const QTreeWidgetItem* row = SelectedRow(ListViewBottom);
  if (!slot || !row) return;
  SetHiddenName(*slot, HiddenName(*row));
  RefreshSlotRow(*slot);
}

void TFormMusic::MenuItemEraseClick() {
  QTreeWidgetItem* slot = SelectedRow(ListViewTop);
  if (!slot) return;
  SetHiddenName(*slot, {});
  RefreshSlotRow(*slot);
}

void TFormMusic::ButtonLoadDefaultClick() {
  for (int i = 0; i < kMusicSlotCount && i < ListViewTop->topLevelItemCount(); ++i) {
    QTreeWidgetItem& slot = *ListViewTop->topLevelItem(i);
    SetHiddenName(slot, std::string(kDefaultMusicFiles[static_cast<std::size_t>(i)]));
    RefreshSlotRow(slot);
  }
}

void TFormMusic::MenuItemDeleteClick() {
  QTreeWidgetItem* row = SelectedRow(ListViewBottom);
  if (!row) return;
  const std::string name = HiddenName(*row);
  if (DefaultMusicIndex(name) != -1) return;  // the game's own files stay
  const std::string path = musicFolder_ + name;
  if (!ConfirmAtPointer(this, QStringLiteral("Delete file ") + ToQ(path))) return;
  if (std::remove(path.c_str()) != 0) throw Error("Can't delete the file.");
  delete row;
  RefreshSlotRowsNamed(name, true);
}

void TFormMusic::MenuItemEditClick() {
  QTreeWidgetItem* row = SelectedRow(ListViewBottom);
  if (!row) return;
  const std::string path = PathOf(*row);
  if (!FileExists(path)) throw Error("File not found.");
  std::string song, artist;
  ReadOggInfo(path, song, artist);
  TFormAudioEdit dialog(this);
  dialog.EditSong->setText(ToQ(song));
  dialog.EditArtist->setText(ToQ(artist));
  const QString shownSong = dialog.EditSong->text(), shownArtist = dialog.EditArtist->text();
  if (dialog.exec() != QDialog::Accepted) return;
  // A text left as it was keeps its stored bytes, even those the system's code page cannot show.
  const QString newSong = dialog.EditSong->text(), newArtist = dialog.EditArtist->text();
  if (newSong != shownSong) song = FromQ(newSong);
  if (newArtist != shownArtist) artist = FromQ(newArtist);
  // The limit holds for the bytes as stored, so that no character is ever cut in two.
  if (song.size() > kInfoFieldSize || artist.size() > kInfoFieldSize)
    throw Error("The maximum length is 64.");
  WriteOggInfo(path, song, artist);
  RefreshLibraryRow(*row);
  RefreshSlotRowsNamed(HiddenName(*row), false);
}

void TFormMusic::ButtonInportClick() {
  const QString source = AskOpenFileName(this, QString::fromLatin1(kOggFilter));
  if (source.isEmpty()) return;
  AddLibraryRow(ImportMusicFile(FromQ(source), musicFolder_));
}

void TFormMusic::PlayRow(const QTreeWidgetItem* row) {
  if (!row) return;
  const std::string path = PathOf(*row);
  if (HiddenName(*row).empty() || !FileExists(path)) return;
  ShellOpen(MakePlayCopy(path, playFolder_));
}

void TFormMusic::Play1Click() {
  PlayRow(SelectedRow(ListViewBottom));
}

void TFormMusic::Play2Click() {
  PlayRow(SelectedRow(ListViewTop));
}

void TFormMusic::FormClose() {
  SaveSlotTable(installFolder_, SlotNames());
  ClearPlayFolder(playFolder_);
}

void TFormMusic::reject() {
  Run([this] {
    FormClose();
    QDialog::reject();
  });
}

}  // namespace gw
