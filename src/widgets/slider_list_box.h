#pragma once
// TSliderListBox: a single-selection list whose entries are labelled horizontal sliders. Every editing
// surface of the program is made of it. The list part (captions, selection, entry height, scrolling) is
// built here on a scroll area, so that painting, event order and batching are exactly ours.

#include <QAbstractScrollArea>
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStyleOptionButton>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "widgets/slider_entry.h"

class QPainter;
class QPalette;

namespace gw {

class TSliderListBox;

enum class TSliderStyle : uint8_t { ssNormal, ssButton, ssLine, ssThumb, ssCustom };
enum class TSliderColorStyle : uint8_t { csNormal, csTemperature };
enum class TCounterStyle : uint8_t { csInteger, csHex, csPercent, csCustom };
enum class TSliderSelectedStyle : uint8_t { ssFocus, ssFrame, ssDblFrame, ssSolid, ssClear };
enum class TSliderDrawStage : uint8_t { dsClear, dsSlider, dsText, dsValue, dsCheckBox };

struct TOwnerDrawState {
  bool odSelected = false;  // the entry is the selected one
  bool odFocused = false;   // the control has the keyboard focus
};

// The text-format flags an OnSliderCustomValue handler returns (the values of the classic DrawText call).
enum TTextFormat : uint32_t {
  tfCenter = 0x1,
  tfRight = 0x2,
  tfVCenter = 0x4,
  tfBottom = 0x8,
  tfSingleLine = 0x20,
  tfNoPrefix = 0x800,
};
// Qt alignment and text flags for them: vertical alignment needs the single-line bit, and without
// tfNoPrefix an ampersand marks a mnemonic.
int QtTextFlags(uint32_t F);

// A colour is an RGB value or a system colour; system colours follow the palette of the running style.
enum class TSystemColor : uint8_t { clBtnFace, clWindowFrame, clHighlight, clBtnShadow, clWindow };

class TColor {
 public:
  constexpr TColor(TSystemColor c) : system_(true), sys_(c) {}  // NOLINT: a system colour is a colour
  static constexpr TColor Rgb(uint8_t r, uint8_t g, uint8_t b) { return TColor(r, g, b); }
  QColor Resolve(const QPalette& palette) const;
  bool operator==(const TColor&) const = default;

 private:
  constexpr TColor(uint8_t r, uint8_t g, uint8_t b) : r_(r), g_(g), b_(b) {}
  bool system_ = false;
  TSystemColor sys_ = TSystemColor::clWindow;
  uint8_t r_ = 0, g_ = 0, b_ = 0;
};

inline constexpr TColor clBtnFace{TSystemColor::clBtnFace};
inline constexpr TColor clWindowFrame{TSystemColor::clWindowFrame};
inline constexpr TColor clHighlight{TSystemColor::clHighlight};
inline constexpr TColor clBtnShadow{TSystemColor::clBtnShadow};
inline constexpr TColor clWindow{TSystemColor::clWindow};

// The view of one entry that TSliderListBoxItems::Items hands out. It holds no values of its own.
class TSliderListBoxItem {
 public:
  QString Caption() const;
  void SetCaption(const QString& Caption);
  int32_t Min() const;
  int32_t Max() const;
  void SetMax(int32_t Max);
  int32_t Value() const;
  void SetValue(int32_t Value);
  bool Checked() const;
  bool Enabled() const;
  int Index() const { return index_; }
  // Takes over Max, Min, Value, the checked flag and Enabled of Source's entry; not the caption.
  void Assign(const TSliderListBoxItem& Source);

 private:
  friend class TSliderListBoxItems;
  explicit TSliderListBoxItem(TSliderListBox& owner) : owner_(&owner) {}
  TSliderListBox* owner_ = nullptr;
  int index_ = 0;
};

// The control's States: the entries as a collection, with update batching and the streamed form.
class TSliderListBoxItems {
 public:
  explicit TSliderListBoxItems(TSliderListBox& owner) : owner_(owner), item_(owner) {}
  TSliderListBoxItems(const TSliderListBoxItems&) = delete;
  TSliderListBoxItems& operator=(const TSliderListBoxItems&) = delete;

  // Every call re-points the same view; use it at once and keep no reference.
  TSliderListBoxItem& Items(int Index);
  int Count() const;

  int UpdateCount() const { return updateCount_; }
  // While batched nothing paints; the outermost EndUpdate paints every entry once.
  void BeginUpdate();
  void EndUpdate();

  // Copies the per-entry settings of the first min(Count, Source.Count) entries.
  void Assign(TSliderListBoxItems& Source);

  // The streamed "Items": one comma text per entry. Reading clears the list first; a bad line raises
  // gw::Error and leaves the entries read before it, the failing one with its caption and earlier fields.
  std::vector<std::string> WriteItems();
  void ReadItems(const std::vector<std::string>& Lines);

 private:
  TSliderListBox& owner_;
  TSliderListBoxItem item_;
  int updateCount_ = 0;
};

using TSlideEvent =
    std::function<void(TSliderListBox* Sender, int Index, int32_t OldValue, int32_t& NewValue)>;
using TSliderCustomValueEvent =
    std::function<void(TSliderListBox* Sender, int Index, QString& S, uint32_t& F)>;
using TAdvancedDrawItemEvent =
    std::function<void(TSliderListBox* Sender, QPainter& ACanvas, int Index, const QRect& R,
                       TOwnerDrawState State, TSliderDrawStage Stage, bool& DefaultDraw)>;
using TDrawItemEvent = std::function<void(TSliderListBox* Control, QPainter& Canvas, int Index,
                                          const QRect& Rect, TOwnerDrawState State)>;
using TMouseEvent = std::function<void(TSliderListBox* Sender, Qt::MouseButton Button,
                                       Qt::KeyboardModifiers Shift, int X, int Y)>;
using TMouseMoveEvent =
    std::function<void(TSliderListBox* Sender, Qt::KeyboardModifiers Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TSliderListBox* Sender, int& Key, Qt::KeyboardModifiers Shift)>;
using TKeyPressEvent = std::function<void(TSliderListBox* Sender, QChar& Key)>;
using TMouseWheelEvent =
    std::function<void(TSliderListBox* Sender, Qt::KeyboardModifiers Shift, Qt::MouseButtons Buttons,
                       int WheelDelta, QPoint MousePos, bool& Handled)>;

class TSliderListBox : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit TSliderListBox(QWidget* parent = nullptr);
  ~TSliderListBox() override;
  Q_DISABLE_COPY_MOVE(TSliderListBox)

  // --- The list: captions, selection, entry height, scrolling. Indexes must be valid unless noted.
  int Count() const { return static_cast<int>(entries_.size()); }
  int AddItem(const QString& Caption);
  void InsertItem(int Index, const QString& Caption);
  void DeleteItem(int Index);
  void Clear();
  void Exchange(int Index1, int Index2);
  void Move(int CurIndex, int NewIndex);
  QString Caption(int Index) const { return entries_[Index].Caption; }
  void SetCaption(int Index, const QString& Caption);
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int Index);  // out of range selects nothing; raises no event
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int Height);
  int TopIndex() const;
  void SetTopIndex(int Index);
  QRect ItemRect(int Index) const;                 // in the coordinates of the entry area
  int ItemAtPos(QPoint Pos, bool Existing) const;  // -1 for none (Existing) or Count (not Existing)
  TColor Color() const { return color_; }
  void SetColor(TColor Color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool ParentColor);  // the background follows the window's colour

  // --- Per-entry settings. Reading never creates an entry's record; a write of a new value does.
  bool Checked(int Index) const;
  void SetChecked(int Index, bool Checked);  // ignored while CheckBox is false
  TCheckBoxState State(int Index) const;
  void SetState(int Index, TCheckBoxState State);
  bool EntryEnabled(int Index) const;
  void SetEntryEnabled(int Index, bool Enabled);
  int32_t Max(int Index) const;
  void SetMax(int Index, int32_t Max);
  int32_t Min(int Index) const;
  void SetMin(int Index, int32_t Min);
  int32_t Value(int Index) const;
  void SetValue(int Index, int32_t Value);
  int32_t Percent(int Index) const;
  void SetPercent(int Index, uint8_t Percent);
  uint32_t Data(int Index) const;
  void SetData(int Index, uint32_t Data);
  bool HasRecord(int Index) const { return entries_[Index].Record.has_value(); }
  // The position an entry had when its setup was loaded. A different value is drawn marked: the value text
  // in the highlight colour and a tick on the track at the loaded position. Empty: never marked.
  std::optional<int32_t> LoadedValue(int Index) const { return entries_[Index].Loaded; }
  void SetLoadedValue(int Index, std::optional<int32_t> Value);
  bool ChangedSinceLoad(int Index) const {
    return entries_[Index].Loaded && *entries_[Index].Loaded != Value(Index);
  }
  // Cycles unchecked -> checked -> unchecked (grayed -> checked); nothing for -1, Count or a disabled entry.
  void ToggleCheck(int Index);

  TSliderListBoxItems& States() { return states_; }
  void SetStates(TSliderListBoxItems& Source) { states_.Assign(Source); }

  // --- Appearance.
  bool CheckBox() const { return checkBox_; }
  void SetCheckBox(bool CheckBox);
  TColor FocusedColor() const { return focusedColor_; }
  void SetFocusedColor(TColor Color);
  TSliderSelectedStyle FocusedStyle() const { return focusedStyle_; }
  void SetFocusedStyle(TSliderSelectedStyle Style);
  TColor SelectedColor() const { return selectedColor_; }
  void SetSelectedColor(TColor Color);
  TSliderSelectedStyle SelectedStyle() const { return selectedStyle_; }
  void SetSelectedStyle(TSliderSelectedStyle Style);
  bool Flat() const { return flat_; }
  void SetFlat(bool Flat);
  TColor SliderColor() const { return sliderColor_; }
  void SetSliderColor(TColor Color);
  TSliderStyle SliderStyle() const { return sliderStyle_; }
  void SetSliderStyle(TSliderStyle Style);
  TSliderColorStyle SliderColorStyle() const { return sliderColorStyle_; }
  void SetSliderColorStyle(TSliderColorStyle Style);
  TCounterStyle CounterStyle() const { return counterStyle_; }
  void SetCounterStyle(TCounterStyle Style);
  uint32_t TextWidth() const { return columns_.TextWidth; }
  void SetTextWidth(uint32_t Width);
  uint32_t ValueWidth() const { return columns_.ValueWidth; }
  void SetValueWidth(uint32_t Width);
  bool Wide() const { return columns_.Wide; }
  void SetWide(bool Wide);

  // --- Geometry and painting.
  static int CW();  // the style's check indicator width, read once
  virtual int CheckColumnWidth() const;
  virtual TRect GetSliderRect(const TRect& R) const;
  virtual void PaintItem(int Index);  // at once, also inside a batch of the caller's
  void PaintAllItems();
  void RedrawAllItems();  // PaintAllItems unless batched
  // The value text as drawn: by CounterStyle, or from OnSliderCustomValue with its text-format flags.
  QString ValueText(int Index, uint32_t* F = nullptr);
  virtual void RedrawItem(int Index);  // PaintItem unless batched
  virtual void RedrawCheck(int Index) { RedrawItem(Index); }

  // --- Interaction.
  bool Sliding() const { return sliding_; }
  QPoint DragStart() const { return dragStart_; }
  virtual void SetValueFromPos(int Index, int X, int Y);
  // The key handling of a key press, also for owners that turn other input into keys: Key is a Qt::Key,
  // set to 0 when used.
  void KeyDown(int& Key, Qt::KeyboardModifiers Shift);
  void KeyPress(QChar& Key);

  // --- Events. Those with var parameters are callbacks; notifications are the signals below.
  TSlideEvent OnBeginSlide;  // may change NewValue (or veto it by setting it back to OldValue)
  TSlideEvent OnSlide;
  TSliderCustomValueEvent OnSliderCustomValue;
  TAdvancedDrawItemEvent OnAdvancedDrawItem;
  TDrawItemEvent OnDrawItem;  // replaces all drawing of the entries
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TMouseWheelEvent OnMouseWheel;  // unhandled turns scroll the list

 signals:
  void OnChange(gw::TSliderListBox* Sender);
  void OnClick(gw::TSliderListBox* Sender);
  void OnClickCheckBox(gw::TSliderListBox* Sender);

 protected:
  virtual void DrawEntry(QPainter& Target, int Index, const QRect& Rect, TOwnerDrawState State);
  virtual void DrawCheckBox(QPainter& Canvas, const TRect& R, int Index, TOwnerDrawState State);
  virtual void DrawSlider(QPainter& Canvas, const TRect& R, int Index, TOwnerDrawState State);
  virtual void DoChange();
  virtual void DoClickCheckBox();
  void Click();  // the list's report of a user's selection change, and the end of a slide

  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  friend class TSliderListBoxItem;
  friend class TSliderListBoxItems;

  struct Entry {
    QString Caption;
    std::optional<TSliderListBoxDataWrapper> Record;
    std::optional<int32_t> Loaded;
  };

  TSliderListBoxDataWrapper& Record(int Index);
  const TSliderListBoxDataWrapper& RecordOrDefault(int Index) const;
  bool Batched() const { return states_.UpdateCount() > 0; }
  void ListChanged();  // count or entry height changed: scroll range and a repaint of the list
  void UpdateScrollRange();
  void UpdateItem(int Index);  // the list's own deferred repaint of one entry
  bool NavigateKey(int Key);   // the list's own selection keys
  void EndSlide();
  int VisibleCount() const;
  TOwnerDrawState DrawState(int Index) const;
  QColor Background(TOwnerDrawState State) const;
  QColor Resolve(TColor c) const;
  void BuildValueText(int Index, uint32_t& flags, bool& custom);
  void MarkEntry(const TRect& E, TSliderSelectedStyle Style, TColor Color);
  void DrawLoadedTick(QPainter& Canvas, const TRect& S, int Index);

  TSliderListBoxItems states_{*this};
  std::vector<Entry> entries_;
  int itemIndex_ = -1;
  int lastReportedIndex_ = -1;
  int itemHeight_ = 24;
  TColor color_ = clWindow;
  bool parentColor_ = false;

  bool checkBox_ = true;
  TColor focusedColor_ = clBtnFace;
  TSliderSelectedStyle focusedStyle_ = TSliderSelectedStyle::ssSolid;
  TColor selectedColor_ = clWindowFrame;
  TSliderSelectedStyle selectedStyle_ = TSliderSelectedStyle::ssFocus;
  bool flat_ = false;
  TColor sliderColor_ = clHighlight;
  TSliderStyle sliderStyle_ = TSliderStyle::ssNormal;
  TSliderColorStyle sliderColorStyle_ = TSliderColorStyle::csNormal;
  TCounterStyle counterStyle_ = TCounterStyle::csInteger;
  TSliderColumns columns_;

  bool sliding_ = false;
  QPoint dragStart_{-1, -1};
  bool overrideCursor_ = false;
  bool hoverCursor_ = false;

  // Painting state, kept so that a paint allocates nothing new.
  bool painting_ = false;
  QImage buffer_;
  QString valueText_;
  QStyleOptionButton checkOption_;
};

}  // namespace gw
