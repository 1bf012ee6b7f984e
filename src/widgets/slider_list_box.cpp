#include "widgets/slider_list_box.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <utility>

#include "platform/error.h"
#include "widgets/slider_items_text.h"

namespace gw {

// ---------------------------------------------------------------------------------------------------
// Item view and collection

QString TSliderListBoxItem::Caption() const {
  return owner_->Caption(index_);
}
void TSliderListBoxItem::SetCaption(const QString& Caption) {
  owner_->SetCaption(index_, Caption);
}
int32_t TSliderListBoxItem::Min() const {
  return owner_->Min(index_);
}
int32_t TSliderListBoxItem::Max() const {
  return owner_->Max(index_);
}
void TSliderListBoxItem::SetMax(int32_t Max) {
  owner_->SetMax(index_, Max);
}
int32_t TSliderListBoxItem::Value() const {
  return owner_->Value(index_);
}
void TSliderListBoxItem::SetValue(int32_t Value) {
  owner_->SetValue(index_, Value);
}
bool TSliderListBoxItem::Checked() const {
  return owner_->Checked(index_);
}
bool TSliderListBoxItem::Enabled() const {
  return owner_->EntryEnabled(index_);
}

void TSliderListBoxItem::Assign(const TSliderListBoxItem& Source) {
  // Read everything first: Source may be this very view.
  const int32_t max = Source.Max(), min = Source.Min(), value = Source.Value();
  const bool checked = Source.Checked(), enabled = Source.Enabled();
  TSliderListBoxDataWrapper& r = owner_->Record(index_);
  r.SetMax(max);
  r.SetMin(min);
  r.SetValue(value);
  r.SetChecked(checked);
  r.Enabled = enabled;
  owner_->RedrawItem(index_);
}

TSliderListBoxItem& TSliderListBoxItems::Items(int Index) {
  item_.index_ = Index;
  return item_;
}

int TSliderListBoxItems::Count() const {
  return owner_.Count();
}

void TSliderListBoxItems::BeginUpdate() {
  ++updateCount_;
}

void TSliderListBoxItems::EndUpdate() {
  if (--updateCount_ == 0) owner_.PaintAllItems();
}

namespace {

class UpdateBatch {
 public:
  explicit UpdateBatch(TSliderListBoxItems& items) : items_(items) { items_.BeginUpdate(); }
  ~UpdateBatch() { items_.EndUpdate(); }
  UpdateBatch(const UpdateBatch&) = delete;
  UpdateBatch& operator=(const UpdateBatch&) = delete;

 private:
  TSliderListBoxItems& items_;
};

}  // namespace

void TSliderListBoxItems::Assign(TSliderListBoxItems& Source) {
  UpdateBatch batch(*this);
  const int n = std::min(Count(), Source.Count());
  for (int i = 0; i < n; ++i) Items(i).Assign(Source.Items(i));
}

std::vector<std::string> TSliderListBoxItems::WriteItems() {
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(Count()));
  for (int i = 0; i < Count(); ++i)
    lines.push_back(WriteSliderEntry(owner_.Caption(i).toLocal8Bit().toStdString(), owner_.Record(i)));
  return lines;
}

void TSliderListBoxItems::ReadItems(const std::vector<std::string>& Lines) {
  owner_.Clear();
  for (const std::string& line : Lines) {
    const std::vector<std::string> fields = SplitCommaText(line);
    const std::string& caption = CommaField(fields, 0);
    const int index =
        owner_.AddItem(QString::fromLocal8Bit(caption.data(), static_cast<qsizetype>(caption.size())));
    ReadSliderEntryFields(fields, owner_.Record(index));
  }
}

// ---------------------------------------------------------------------------------------------------
// The list

TSliderListBox::TSliderListBox(QWidget* parent) : QAbstractScrollArea(parent) {
  setObjectName(QStringLiteral("SliderListBox"));
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // Every pixel of the entry area is ours: entries are composed whole, the rest is filled.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAutoFillBackground(false);
  viewport()->setMouseTracking(true);
  verticalScrollBar()->setSingleStep(1);
}

TSliderListBox::~TSliderListBox() {
  if (overrideCursor_) QGuiApplication::restoreOverrideCursor();
}

int TSliderListBox::AddItem(const QString& Caption) {
  entries_.push_back(Entry{Caption, std::nullopt, std::nullopt});
  ListChanged();
  return Count() - 1;
}

void TSliderListBox::InsertItem(int Index, const QString& Caption) {
  entries_.insert(entries_.begin() + Index, Entry{Caption, std::nullopt, std::nullopt});
  if (itemIndex_ >= Index) ++itemIndex_;
  ListChanged();
}

void TSliderListBox::DeleteItem(int Index) {
  entries_.erase(entries_.begin() + Index);
  if (itemIndex_ == Index)
    itemIndex_ = -1;
  else if (itemIndex_ > Index)
    --itemIndex_;
  ListChanged();
}

void TSliderListBox::Clear() {
  entries_.clear();
  itemIndex_ = -1;
  ListChanged();
}

void TSliderListBox::Exchange(int Index1, int Index2) {
  std::swap(entries_[Index1], entries_[Index2]);
  UpdateItem(Index1);
  UpdateItem(Index2);
}

void TSliderListBox::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  Entry e = std::move(entries_[CurIndex]);
  entries_.erase(entries_.begin() + CurIndex);
  entries_.insert(entries_.begin() + NewIndex, std::move(e));
  viewport()->update();
}

void TSliderListBox::SetCaption(int Index, const QString& Caption) {
  entries_[Index].Caption = Caption;
  UpdateItem(Index);
}

void TSliderListBox::SetItemIndex(int Index) {
  if (Index < 0 || Index >= Count()) Index = -1;
  if (Index == itemIndex_) return;
  UpdateItem(itemIndex_);
  itemIndex_ = Index;
  if (Index >= 0) {
    const int visible = VisibleCount();
    if (Index < TopIndex())
      SetTopIndex(Index);
    else if (Index >= TopIndex() + visible)
      SetTopIndex(Index - visible + 1);
  }
  UpdateItem(itemIndex_);
}

void TSliderListBox::SetItemHeight(int Height) {
  // Records live beside the captions, so no entry setting depends on the entry height.
  if (Height <= 0 || Height == itemHeight_) return;
  itemHeight_ = Height;
  ListChanged();
}

int TSliderListBox::TopIndex() const {
  return verticalScrollBar()->value();
}

void TSliderListBox::SetTopIndex(int Index) {
  verticalScrollBar()->setValue(Index);
}

QRect TSliderListBox::ItemRect(int Index) const {
  return {0, (Index - TopIndex()) * itemHeight_, viewport()->width(), itemHeight_};
}

int TSliderListBox::ItemAtPos(QPoint Pos, bool Existing) const {
  const int index = Pos.y() >= 0 ? TopIndex() + Pos.y() / itemHeight_ : -1;
  const bool inside = Pos.x() >= 0 && Pos.x() < viewport()->width() && index >= 0 && index < Count();
  if (inside) return index;
  return Existing ? -1 : Count();
}

void TSliderListBox::SetColor(TColor Color) {
  if (Color == color_) return;
  color_ = Color;
  viewport()->update();
}

void TSliderListBox::SetParentColor(bool ParentColor) {
  if (ParentColor == parentColor_) return;
  parentColor_ = ParentColor;
  viewport()->update();
}

// From the control's own contents rectangle rather than the viewport, whose geometry a hidden control only
// receives later: the viewport always spans the contents height (there is no horizontal scroll bar).
int TSliderListBox::VisibleCount() const {
  return std::max(1, contentsRect().height() / itemHeight_);
}

void TSliderListBox::UpdateScrollRange() {
  const int visible = VisibleCount();
  verticalScrollBar()->setPageStep(visible);
  verticalScrollBar()->setRange(0, std::max(0, Count() - visible));
}

void TSliderListBox::ListChanged() {
  UpdateScrollRange();
  viewport()->update();
}

void TSliderListBox::UpdateItem(int Index) {
  if (Index >= 0 && Index < Count()) viewport()->update(ItemRect(Index));
}

// ---------------------------------------------------------------------------------------------------
// Entries

TSliderListBoxDataWrapper& TSliderListBox::Record(int Index) {
  auto& record = entries_[Index].Record;
  if (!record) record.emplace();
  return *record;
}

const TSliderListBoxDataWrapper& TSliderListBox::RecordOrDefault(int Index) const {
  static const TSliderListBoxDataWrapper defaults;
  const auto& record = entries_[Index].Record;
  return record ? *record : defaults;
}

bool TSliderListBox::Checked(int Index) const {
  return RecordOrDefault(Index).Checked();
}

void TSliderListBox::SetChecked(int Index, bool Checked) {
  if (!checkBox_ || Checked == this->Checked(Index)) return;
  Record(Index).SetChecked(Checked);
  RedrawCheck(Index);
}

TCheckBoxState TSliderListBox::State(int Index) const {
  return RecordOrDefault(Index).State;
}

void TSliderListBox::SetState(int Index, TCheckBoxState State) {
  if (State == this->State(Index)) return;
  Record(Index).State = State;
  RedrawCheck(Index);
}

bool TSliderListBox::EntryEnabled(int Index) const {
  return RecordOrDefault(Index).Enabled;
}

void TSliderListBox::SetEntryEnabled(int Index, bool Enabled) {
  if (Enabled == EntryEnabled(Index)) return;
  Record(Index).Enabled = Enabled;
  RedrawCheck(Index);
}

int32_t TSliderListBox::Max(int Index) const {
  return RecordOrDefault(Index).Max;
}

void TSliderListBox::SetMax(int Index, int32_t Max) {
  if (Max == this->Max(Index)) return;
  Record(Index).SetMax(Max);
  RedrawItem(Index);
}

int32_t TSliderListBox::Min(int Index) const {
  return RecordOrDefault(Index).Min;
}

void TSliderListBox::SetMin(int Index, int32_t Min) {
  if (Min == this->Min(Index)) return;
  Record(Index).SetMin(Min);
  RedrawItem(Index);
}

int32_t TSliderListBox::Value(int Index) const {
  return RecordOrDefault(Index).Value;
}

void TSliderListBox::SetValue(int Index, int32_t Value) {
  if (Value == this->Value(Index)) return;
  Record(Index).SetValue(Value);
  RedrawItem(Index);
}

int32_t TSliderListBox::Percent(int Index) const {
  return SliderPercent(RecordOrDefault(Index));
}

void TSliderListBox::SetPercent(int Index, uint8_t Percent) {
  const TSliderListBoxDataWrapper& r = RecordOrDefault(Index);
  const int64_t v = std::clamp<int64_t>(SliderValueFromPercent(r, Percent), r.Min, r.Max);
  SetValue(Index, static_cast<int32_t>(v));
}

uint32_t TSliderListBox::Data(int Index) const {
  return RecordOrDefault(Index).Data;
}

void TSliderListBox::SetData(int Index, uint32_t Data) {
  Record(Index).Data = Data;
}

void TSliderListBox::SetLoadedValue(int Index, std::optional<int32_t> Value) {
  if (entries_[Index].Loaded == Value) return;
  entries_[Index].Loaded = Value;
  RedrawItem(Index);
}

void TSliderListBox::ToggleCheck(int Index) {
  if (Index < 0 || Index >= Count() || !EntryEnabled(Index)) return;
  SetState(Index, State(Index) == TCheckBoxState::cbChecked ? TCheckBoxState::cbUnchecked
                                                            : TCheckBoxState::cbChecked);
  DoChange();
  DoClickCheckBox();
}

void TSliderListBox::DoChange() {
  if (itemIndex_ == lastReportedIndex_) return;
  lastReportedIndex_ = itemIndex_;
  emit OnChange(this);
}

void TSliderListBox::DoClickCheckBox() {
  emit OnClickCheckBox(this);
}

void TSliderListBox::Click() {
  DoChange();
  emit OnClick(this);
}

// ---------------------------------------------------------------------------------------------------
// Appearance setters: a changed setting repaints every entry.

namespace {

template <typename T>
bool Store(T& field, T value) {
  if (field == value) return false;
  field = value;
  return true;
}

}  // namespace

void TSliderListBox::SetCheckBox(bool CheckBox) {
  if (Store(checkBox_, CheckBox)) RedrawAllItems();
}
void TSliderListBox::SetFocusedColor(TColor Color) {
  if (Store(focusedColor_, Color)) RedrawAllItems();
}
void TSliderListBox::SetFocusedStyle(TSliderSelectedStyle Style) {
  if (Store(focusedStyle_, Style)) RedrawAllItems();
}
void TSliderListBox::SetSelectedColor(TColor Color) {
  if (Store(selectedColor_, Color)) RedrawAllItems();
}
void TSliderListBox::SetSelectedStyle(TSliderSelectedStyle Style) {
  if (Store(selectedStyle_, Style)) RedrawAllItems();
}
void TSliderListBox::SetFlat(bool Flat) {
  if (Store(flat_, Flat)) RedrawAllItems();
}
void TSliderListBox::SetSliderColor(TColor Color) {
  if (Store(sliderColor_, Color)) RedrawAllItems();
}
void TSliderListBox::SetSliderStyle(TSliderStyle Style) {
  if (Store(sliderStyle_, Style)) RedrawAllItems();
}
void TSliderListBox::SetSliderColorStyle(TSliderColorStyle Style) {
  if (Store(sliderColorStyle_, Style)) RedrawAllItems();
}
void TSliderListBox::SetCounterStyle(TCounterStyle Style) {
  if (Store(counterStyle_, Style)) RedrawAllItems();
}

void TSliderListBox::SetTextWidth(uint32_t Width) {
  columns_.TextWidth = Width;
  if (columns_.Wide) PaintAllItems();
}

void TSliderListBox::SetValueWidth(uint32_t Width) {
  columns_.ValueWidth = Width;
  if (columns_.Wide) PaintAllItems();
}

void TSliderListBox::SetWide(bool Wide) {
  columns_.Wide = Wide;
  PaintAllItems();
}

// ---------------------------------------------------------------------------------------------------
// Pointer and keys

void TSliderListBox::SetValueFromPos(int Index, int X, int /*Y*/) {
  if (Index < 0 || Index >= Count()) return;
  const TRect R{0, ItemRect(Index).top(), viewport()->width(), ItemRect(Index).top() + itemHeight_};
  const TRect S = GetSliderRect(R);
  const int cw = CheckColumnWidth();
  const TSliderListBoxDataWrapper& r = RecordOrDefault(Index);
  const int32_t old = r.Value;
  int32_t value = SliderValueFromOffset(r, S.Right - S.Left - cw, X - cw - S.Left);
  if (value == old) return;
  if (OnBeginSlide) OnBeginSlide(this, Index, old, value);
  if (value != old) SetValue(Index, value);
  // Also after a veto: the owner learns that the pointer wanted to move.
  if (OnSlide) OnSlide(this, Index, old, value);
}

void TSliderListBox::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  // The list's own handling: a left press selects the entry under the pointer.
  if (event->button() == Qt::LeftButton) {
    const int index = ItemAtPos(pos, true);
    if (index >= 0 && index != itemIndex_) {
      SetItemIndex(index);
      Click();
    }
  }
  if (OnMouseDown) OnMouseDown(this, event->button(), event->modifiers(), pos.x(), pos.y());
  if (event->button() != Qt::LeftButton) return;
  const int index = ItemAtPos(pos, true);
  if (index < 0) return;
  // The pointer stays ours until the release: Qt grabs it for the widget while a button is held.
  if (pos.x() >= CheckColumnWidth()) {
    sliding_ = true;
    dragStart_ = pos;
  } else if (EntryEnabled(index)) {
    ToggleCheck(index);
  }
}

void TSliderListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
}

void TSliderListBox::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (sliding_) {
    if (dragStart_ == QPoint(-1, -1)) {
      SetValueFromPos(itemIndex_, pos.x(), pos.y());
    } else if (std::abs(pos.x() - dragStart_.x()) > 3) {
      // The move that arms the drag changes nothing, so a small jitter of a click never moves a value.
      dragStart_ = QPoint(-1, -1);
      if (!overrideCursor_) QGuiApplication::setOverrideCursor(Qt::SizeHorCursor);
      overrideCursor_ = true;
    }
  } else {
    const int index = ItemAtPos(pos, true);
    bool overBar = false;
    if (index >= 0) {
      const QRect item = ItemRect(index);
      TRect band = GetSliderRect(
          TRect{item.left(), item.top(), item.left() + item.width(), item.top() + item.height()});
      band.Left += CheckColumnWidth();
      overBar = band.Contains(pos.x(), pos.y());
    }
    if (overBar != hoverCursor_) {
      hoverCursor_ = overBar;
      if (overBar)
        viewport()->setCursor(Qt::SizeHorCursor);
      else
        viewport()->unsetCursor();
    }
  }
  if (OnMouseMove) OnMouseMove(this, event->modifiers(), pos.x(), pos.y());
}

void TSliderListBox::EndSlide() {
  sliding_ = false;
  dragStart_ = QPoint(-1, -1);
  if (overrideCursor_) QGuiApplication::restoreOverrideCursor();
  overrideCursor_ = false;
}

void TSliderListBox::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (sliding_) {
    EndSlide();
    Click();
  }
  if (OnMouseUp) OnMouseUp(this, event->button(), event->modifiers(), pos.x(), pos.y());
}

void TSliderListBox::KeyDown(int& Key, Qt::KeyboardModifiers Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
  const int i = itemIndex_;
  if (i >= 0 && i < Count() && (Key == Qt::Key_Left || Key == Qt::Key_Right)) {
    const TSliderListBoxDataWrapper& r = RecordOrDefault(i);
    const int64_t step = SliderKeyStep(int64_t{r.Max} - r.Min, Shift.testFlag(Qt::ShiftModifier));
    const int32_t old = r.Value;
    const auto target = static_cast<int32_t>(Key == Qt::Key_Left ? std::max<int64_t>(old - step, r.Min)
                                                                 : std::min<int64_t>(old + step, r.Max));
    // Used even at a bound: the list must not move its selection sideways.
    Key = 0;
    if (target == old) return;
    int32_t value = target;
    if (OnBeginSlide) OnBeginSlide(this, i, old, value);
    if (value == old) return;
    SetValue(i, value);
    if (OnSlide) OnSlide(this, i, old, value);
    return;
  }
  if (Key != 0 && NavigateKey(Key)) Key = 0;
}

bool TSliderListBox::NavigateKey(int Key) {
  if (Count() == 0) return false;
  const int last = Count() - 1;
  const int page = std::max(1, VisibleCount() - 1);
  int index = itemIndex_;
  switch (Key) {
    case Qt::Key_Up:
    case Qt::Key_Left:
      index = index < 0 ? 0 : std::max(index - 1, 0);
      break;
    case Qt::Key_Down:
    case Qt::Key_Right:
      index = index < 0 ? 0 : std::min(index + 1, last);
      break;
    case Qt::Key_PageUp:
      index = std::max(index - page, 0);
      break;
    case Qt::Key_PageDown:
      index = std::min(std::max(index, 0) + page, last);
      break;
    case Qt::Key_Home:
      index = 0;
      break;
    case Qt::Key_End:
      index = last;
      break;
    default:
      return false;
  }
  if (index != itemIndex_) {
    SetItemIndex(index);
    Click();
  }
  return true;
}

void TSliderListBox::KeyPress(QChar& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
  if (Key == QLatin1Char(' ')) ToggleCheck(itemIndex_);
}

void TSliderListBox::keyPressEvent(QKeyEvent* event) {
  int key = event->key();
  KeyDown(key, event->modifiers());
  bool used = key == 0;
  if (!event->text().isEmpty()) {
    QChar c = event->text().front();
    KeyPress(c);
    used = used || c == QLatin1Char(' ');
  }
  // Keys the list has no use for go on to the window (Return and Escape of a dialog).
  event->setAccepted(used);
}

void TSliderListBox::wheelEvent(QWheelEvent* event) {
  bool handled = false;
  if (OnMouseWheel) {
    const QPoint angle = event->angleDelta();
    OnMouseWheel(this, event->modifiers(), event->buttons(), angle.y() != 0 ? angle.y() : angle.x(),
                 event->position().toPoint(), handled);
  }
  if (handled)
    event->accept();
  else
    QAbstractScrollArea::wheelEvent(event);
}

void TSliderListBox::resizeEvent(QResizeEvent* event) {
  UpdateScrollRange();
  QAbstractScrollArea::resizeEvent(event);
}

void TSliderListBox::focusInEvent(QFocusEvent* event) {
  UpdateItem(itemIndex_);
  QAbstractScrollArea::focusInEvent(event);
}

void TSliderListBox::focusOutEvent(QFocusEvent* event) {
  UpdateItem(itemIndex_);
  QAbstractScrollArea::focusOutEvent(event);
}

void TSliderListBox::changeEvent(QEvent* event) {
  const auto type = event->type();
  if (type == QEvent::FontChange || type == QEvent::PaletteChange || type == QEvent::StyleChange ||
      type == QEvent::EnabledChange)
    viewport()->update();
  QAbstractScrollArea::changeEvent(event);
}

void TSliderListBox::scrollContentsBy(int /*dx*/, int /*dy*/) {
  viewport()->update();
}

}  // namespace gw
