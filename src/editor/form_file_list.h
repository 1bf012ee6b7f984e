#pragma once
// Setup file names as the editor lists them: the car name in bold on the left three fifths, the title on
// the rest, and the entry "-" that stands for "Open other file...". Used by the main window's file list and
// by the copy dialog's destination list.

#include <QComboBox>
#include <QStyledItemDelegate>

namespace gw {

// Sorts file names alphabetically without regard to case, in QString's case-insensitive order. A name of
// ASCII characters is folded once, not in every comparison, which a large saved-games folder needs.
void SortIgnoringCase(QStringList& names);

// Paints entry `index` of `entries` into `rect` (index -1 paints the background only).
void DrawSetupFileEntry(QPainter& canvas, const QStringList& entries, int index, const QRect& rect,
                        bool selected, const QPalette& palette, const QFont& font);

// The whole name of an entry, shown as its tooltip when the list cuts it short.
QString EntryToolTip(const QString& entry);

// Item views whose entries are file names drawn as above, 16 pixels high at 96 dots per inch.
class TSetupFileDelegate final : public QStyledItemDelegate {
 public:
  TSetupFileDelegate(QObject* parent, int entryHeight)
      : QStyledItemDelegate(parent), entryHeight_(entryHeight) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override;

 private:
  int entryHeight_;
};

// The main window's drop-down file list: its closed face shows the selected entry the same way.
class TFileComboBox final : public QComboBox {
 public:
  TFileComboBox(QWidget* parent, int entryHeight);
  QStringList Entries() const;
  // Replaces every entry at once, with no entry selected: the list is a plain list of texts, so a large
  // saved-games folder makes no item object per file.
  void SetEntries(const QStringList& entries);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace gw
