#include "music/form_music.h"

#include <QAction>
#include <QBrush>
#include <QHash>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <vector>

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

// A library row as the folder's listing makes it: its texts stay the file's bytes and become Qt's text
// only when asked for, which the list does for the rows on screen, so that a folder of thousands of files
// opens at once. Any change to its data makes it an ordinary row first.
class TListedRow final : public QTreeWidgetItem {
 public:
  TListedRow(const std::string& name, std::string song, std::string artist)
      : name_(name), file_(ChangeFileExt(name, "")), song_(std::move(song)), artist_(std::move(artist)) {}

  QVariant data(int column, int role) const override {
    if (listed_) {
      if (role == Qt::DisplayRole || role == Qt::EditRole) {
        if (column == kLibraryFile) {
          // Kept once made: selecting a slot looks through every row's file name.
          if (fileText_.isNull()) fileText_ = ToQ(file_);
          return fileText_;
        }
        if (column == kLibrarySong) return ToQ(song_);
        if (column == kLibraryArtist) return ToQ(artist_);
      }
      if (column == 0 && role == kHiddenNameRole) return Bytes(name_);
    }
    return QTreeWidgetItem::data(column, role);
  }

  void setData(int column, int role, const QVariant& value) override {
    if (listed_) {
      listed_ = false;
      QTreeWidgetItem::setData(0, kHiddenNameRole, Bytes(name_));
      setText(kLibraryFile, ToQ(file_));
      setText(kLibrarySong, ToQ(song_));
      setText(kLibraryArtist, ToQ(artist_));
    }
    QTreeWidgetItem::setData(column, role, value);
  }

 private:
  static QByteArray Bytes(const std::string& s) {
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
  }

  bool listed_ = true;
  std::string name_, file_, song_, artist_;
  mutable QString fileText_;
};

// Sizes a column as the list's own delegate does, laying each distinct text out once: a folder's files
// share their artists, and the layout of a text is what costs. The rows differ in nothing else that
// changes a size.
class TMeasureOnce final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QString text = index.data(Qt::DisplayRole).toString();
    auto known = sizes_.constFind(text);
    if (known == sizes_.cend()) known = sizes_.insert(text, QStyledItemDelegate::sizeHint(option, index));
    return *known;
  }

 private:
  mutable QHash<QString, QSize> sizes_;
};

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
  std::vector<TListedMusicFile> files = ListMusicFiles(musicFolder_);
  // The rows join the list together; a file that could not be read is listed, marked.
  QList<QTreeWidgetItem*> rows;
  rows.reserve(static_cast<qsizetype>(files.size()));
  try {
    for (TListedMusicFile& file : files) {
      auto* row = new TListedRow(file.name, std::move(file.song), std::move(file.artist));
      rows << row;
      if (!file.failure.empty())
        ShowInfo(*row, kLibrarySong, {}, {}, file.failure, ListViewBottom->palette());
    }
  } catch (...) {
    qDeleteAll(rows);  // not in the list yet
    throw;
  }
  ListViewBottom->addTopLevelItems(rows);
  if (!files.empty()) {
    TMeasureOnce measure;
    ListViewBottom->setItemDelegateForColumn(kLibraryArtist, &measure);
    ListViewBottom->resizeColumnToContents(kLibraryArtist);
    ListViewBottom->setItemDelegateForColumn(kLibraryArtist, nullptr);
  }
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
  try {
    FormClose();
  } catch (const std::exception& e) {
    // A sound table the player cannot fix from here must not hold the window open for good; the table on
    // disk stays as it was.
    const QString question =
        ToQ(std::string(e.what())) + QStringLiteral("\n\nClose without saving the music slots?");
    if (AskChoice(this, question, {QStringLiteral("Close"), QStringLiteral("Cancel")}) != 0) return;
    ClearPlayFolder(playFolder_);
  }
  QDialog::reject();
}

}  // namespace gw
