// Drawing of TSliderListBox: each entry is composed in an image of its own size and copied in one step.

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <algorithm>
#include <charconv>
#include <cmath>

#include "widgets/slider_list_box.h"

namespace gw {

int QtTextFlags(uint32_t F) {
  int flags = 0;
  if (F & tfCenter)
    flags |= Qt::AlignHCenter;
  else if (F & tfRight)
    flags |= Qt::AlignRight;
  else
    flags |= Qt::AlignLeft;
  if (F & tfSingleLine) {
    flags |= Qt::TextSingleLine;
    if (F & tfVCenter)
      flags |= Qt::AlignVCenter;
    else if (F & tfBottom)
      flags |= Qt::AlignBottom;
    else
      flags |= Qt::AlignTop;
  } else {
    flags |= Qt::AlignTop;
  }
  if (!(F & tfNoPrefix)) flags |= Qt::TextShowMnemonic;
  return flags;
}

QColor TColor::Resolve(const QPalette& palette) const {
  if (!system_) return QColor(r_, g_, b_);
  switch (sys_) {
    case TSystemColor::clBtnFace:
      return palette.color(QPalette::Button);
    case TSystemColor::clWindowFrame:
      return palette.color(QPalette::WindowText);
    case TSystemColor::clHighlight:
      return palette.color(QPalette::Highlight);
    case TSystemColor::clBtnShadow:
      return palette.color(QPalette::Dark);
    case TSystemColor::clWindow:
      break;
  }
  return palette.color(QPalette::Base);
}

namespace {

QRect ToQRect(const TRect& r) {
  return {r.Left, r.Top, r.Width(), r.Height()};
}

// A one-pixel frame on the rectangle's outermost pixels.
void FrameRect(QPainter& p, const TRect& r, const QColor& c) {
  if (r.Width() <= 0 || r.Height() <= 0) return;
  p.fillRect(r.Left, r.Top, r.Width(), 1, c);
  p.fillRect(r.Left, r.Bottom - 1, r.Width(), 1, c);
  p.fillRect(r.Left, r.Top + 1, 1, r.Height() - 2, c);
  p.fillRect(r.Right - 1, r.Top + 1, 1, r.Height() - 2, c);
}

// A one-pixel 3D edge: top and left lines first, then bottom and right, which own the two far corners.
void EdgeRect(QPainter& p, const TRect& r, const QColor& topLeft, const QColor& bottomRight) {
  if (r.Width() <= 0 || r.Height() <= 0) return;
  p.fillRect(r.Left, r.Top, r.Width(), 1, topLeft);
  p.fillRect(r.Left, r.Top, 1, r.Height(), topLeft);
  p.fillRect(r.Left, r.Bottom - 1, r.Width(), 1, bottomRight);
  p.fillRect(r.Right - 1, r.Top, 1, r.Height(), bottomRight);
}

// Pixel operations on the composed image work in device pixels: a logical pixel may cover several.
struct DeviceSpan {
  int from, to;
};
DeviceSpan Span(int logical, int size, qreal dpr) {
  return {static_cast<int>(std::floor(logical * dpr)), static_cast<int>(std::floor((logical + size) * dpr))};
}

void ApplyToBlock(QImage& image, int x, int y, int w, int h, qreal dpr, bool invert, QRgb rgb) {
  const DeviceSpan xs = Span(x, w, dpr), ys = Span(y, h, dpr);
  const int x0 = std::max(xs.from, 0), x1 = std::min(xs.to, image.width());
  const int y0 = std::max(ys.from, 0), y1 = std::min(ys.to, image.height());
  for (int row = y0; row < y1; ++row) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
    for (int col = x0; col < x1; ++col) line[col] = invert ? (line[col] ^ 0x00FFFFFFu) : rgb;
  }
}

// The dotted focus rectangle inverts every other pixel of the outline, so drawing it twice restores them.
void InvertFocusRect(QImage& image, const TRect& r, qreal dpr) {
  if (r.Width() <= 0 || r.Height() <= 0) return;
  auto dot = [&](int x, int y) {
    if (((x + y) & 1) == 0) ApplyToBlock(image, x, y, 1, 1, dpr, true, 0);
  };
  for (int x = r.Left; x < r.Right; ++x) {
    dot(x, r.Top);
    if (r.Bottom - 1 > r.Top) dot(x, r.Bottom - 1);
  }
  for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
    dot(r.Left, y);
    if (r.Right - 1 > r.Left) dot(r.Right - 1, y);
  }
}

void FrameImage(QImage& image, const TRect& r, qreal dpr, QRgb rgb) {
  if (r.Width() <= 0 || r.Height() <= 0) return;
  ApplyToBlock(image, r.Left, r.Top, r.Width(), 1, dpr, false, rgb);
  ApplyToBlock(image, r.Left, r.Bottom - 1, r.Width(), 1, dpr, false, rgb);
  ApplyToBlock(image, r.Left, r.Top + 1, 1, r.Height() - 2, dpr, false, rgb);
  ApplyToBlock(image, r.Right - 1, r.Top + 1, 1, r.Height() - 2, dpr, false, rgb);
}

void AppendNumber(QString& s, int64_t v, int base) {
  char buf[24];
  auto* end = std::to_chars(buf, buf + sizeof buf, v, base).ptr;
  if (base == 16)
    std::transform(buf, end, buf, [](char c) { return c >= 'a' && c <= 'f' ? char(c - 'a' + 'A') : c; });
  s.append(QLatin1String(buf, static_cast<qsizetype>(end - buf)));
}

constexpr uint32_t kValueFlags = tfCenter | tfVCenter | tfSingleLine | tfNoPrefix;  // 2085

}  // namespace

int TSliderListBox::CW() {
  static const int cw = QApplication::style()->pixelMetric(QStyle::PM_IndicatorWidth);
  return cw;
}

int TSliderListBox::CheckColumnWidth() const {
  return checkBox_ ? CW() + 2 : 0;
}

TRect TSliderListBox::GetSliderRect(const TRect& R) const {
  return gw::GetSliderRect(R, itemHeight_, columns_);
}

QColor TSliderListBox::Resolve(TColor c) const {
  return c.Resolve(palette());
}

TOwnerDrawState TSliderListBox::DrawState(int Index) const {
  return {Index == itemIndex_ && Index >= 0, hasFocus()};
}

QColor TSliderListBox::Background(TOwnerDrawState State) const {
  if (State.odSelected && selectedStyle_ == TSliderSelectedStyle::ssSolid) return Resolve(selectedColor_);
  if (State.odSelected && State.odFocused && focusedStyle_ == TSliderSelectedStyle::ssSolid)
    return Resolve(focusedColor_);
  return parentColor_ ? palette().color(QPalette::Window) : Resolve(color_);
}

void TSliderListBox::PaintItem(int Index) {
  if (Index < 0 || Index >= Count()) return;
  const QRect r = ItemRect(Index) & viewport()->rect();
  if (r.isEmpty()) return;
  // A paint that a drawing handler causes cannot be nested into the paint that runs it.
  if (painting_)
    viewport()->update(r);
  else
    viewport()->repaint(r);
}

void TSliderListBox::PaintAllItems() {
  for (int i = 0; i < Count(); ++i) PaintItem(i);
}

void TSliderListBox::RedrawAllItems() {
  if (!Batched()) PaintAllItems();
}

void TSliderListBox::RedrawItem(int Index) {
  if (!Batched()) PaintItem(Index);
}

void TSliderListBox::paintEvent(QPaintEvent* event) {
  // A batch keeps what is on the screen; its end paints every entry.
  if (Batched()) return;
  painting_ = true;
  QPainter target(viewport());
  const QRect area = event->rect();
  const int first = std::max(TopIndex() + area.top() / itemHeight_, 0);
  const int last = std::min(TopIndex() + area.bottom() / itemHeight_, Count() - 1);
  for (int i = first; i <= last; ++i) DrawEntry(target, i, ItemRect(i), DrawState(i));
  const int below = (Count() - TopIndex()) * itemHeight_;
  if (below < viewport()->height())
    target.fillRect(QRect(0, below, viewport()->width(), viewport()->height() - below), Background({}));
  painting_ = false;
}

void TSliderListBox::DrawEntry(QPainter& Target, int Index, const QRect& Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(this, Target, Index, Rect, State);
    return;
  }
  if (Rect.isEmpty()) return;
  const qreal dpr = viewport()->devicePixelRatioF();
  const QSize device(static_cast<int>(std::ceil(Rect.width() * dpr)),
                     static_cast<int>(std::ceil(Rect.height() * dpr)));
  if (buffer_.size() != device) {
    buffer_ = QImage(device, QImage::Format_RGB32);
    buffer_.fill(Qt::black);
  }
  buffer_.setDevicePixelRatio(dpr);
  const TRect E{0, 0, Rect.width(), Rect.height()};
  {
    QPainter canvas(&buffer_);
    canvas.setFont(font());
    bool defaultDraw = true;
    if (OnAdvancedDrawItem)
      OnAdvancedDrawItem(this, canvas, Index, ToQRect(E), State, TSliderDrawStage::dsClear, defaultDraw);
    if (defaultDraw) canvas.fillRect(ToQRect(E), Background(State));
    if (Index >= 0 && Index < Count()) {
      const int cw = CheckColumnWidth();
      DrawCheckBox(canvas, TRect{0, 0, cw, E.Bottom}, Index, State);
      if (cw < E.Right) DrawSlider(canvas, TRect{cw, 0, E.Right, E.Bottom}, Index, State);
    }
  }
  if (State.odSelected) {
    if (State.odFocused) MarkEntry(E, focusedStyle_, focusedColor_);
    MarkEntry(E, selectedStyle_, selectedColor_);
  }
  Target.drawImage(Rect.topLeft(), buffer_);
}

void TSliderListBox::MarkEntry(const TRect& E, TSliderSelectedStyle Style, TColor Color) {
  const qreal dpr = buffer_.devicePixelRatio();
  switch (Style) {
    case TSliderSelectedStyle::ssFocus:
      InvertFocusRect(buffer_, E, dpr);
      break;
    case TSliderSelectedStyle::ssDblFrame:
      FrameImage(buffer_, E.Inset(1), dpr, Resolve(Color).rgb());
      [[fallthrough]];
    case TSliderSelectedStyle::ssFrame:
      FrameImage(buffer_, E, dpr, Resolve(Color).rgb());
      break;
    case TSliderSelectedStyle::ssSolid:  // its colour is the background
    case TSliderSelectedStyle::ssClear:
      break;
  }
}

void TSliderListBox::DrawCheckBox(QPainter& Canvas, const TRect& R, int Index, TOwnerDrawState State) {
  if (!checkBox_) return;
  bool defaultDraw = true;
  if (OnAdvancedDrawItem)
    OnAdvancedDrawItem(this, Canvas, Index, ToQRect(R), State, TSliderDrawStage::dsCheckBox, defaultDraw);
  if (!defaultDraw || !EntryEnabled(Index)) return;
  const TRect Q = CheckGlyphRect(R, CW());
  checkOption_.initFrom(this);
  checkOption_.rect = ToQRect(Q);
  checkOption_.state &=
      ~(QStyle::State_On | QStyle::State_Off | QStyle::State_NoChange | QStyle::State_HasFocus);
  switch (this->State(Index)) {
    case TCheckBoxState::cbUnchecked:
      checkOption_.state |= QStyle::State_Off;
      break;
    case TCheckBoxState::cbChecked:
      checkOption_.state |= QStyle::State_On;
      break;
    case TCheckBoxState::cbGrayed:
      checkOption_.state |= QStyle::State_NoChange;
      break;
  }
  if (!flat_) {
    style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &checkOption_, &Canvas, this);
    return;
  }
  // A flat box loses the glyph's outer ring: at high resolution it is framed over, below it is clipped.
  const qreal ppi = logicalDpiX() * devicePixelRatioF();
  if (ppi >= 120) {
    style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &checkOption_, &Canvas, this);
    FrameRect(Canvas, Q, Resolve(clBtnShadow));
  } else {
    Canvas.save();
    Canvas.setClipRect(ToQRect(Q.Inset(1)));
    style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &checkOption_, &Canvas, this);
    Canvas.restore();
  }
  FrameRect(Canvas, Q.Inset(1), Resolve(clWindow));
}

void TSliderListBox::BuildValueText(int Index, uint32_t& flags, bool& custom) {
  valueText_.resize(0);
  flags = kValueFlags;
  custom = false;
  switch (counterStyle_) {
    case TCounterStyle::csCustom:
      if (OnSliderCustomValue) {
        flags = 0;
        custom = true;
        OnSliderCustomValue(this, Index, valueText_, flags);
        return;
      }
      [[fallthrough]];
    case TCounterStyle::csInteger:
      valueText_.append(QLatin1Char(' '));
      AppendNumber(valueText_, Value(Index), 10);
      return;
    case TCounterStyle::csHex:
      valueText_.append(QLatin1Char(' '));
      AppendNumber(valueText_, static_cast<uint32_t>(Value(Index)), 16);
      return;
    case TCounterStyle::csPercent:
      valueText_.append(QLatin1Char(' '));
      AppendNumber(valueText_, Percent(Index), 10);
      valueText_.append(QLatin1Char('%'));
      return;
  }
}

QString TSliderListBox::ValueText(int Index, uint32_t* F) {
  uint32_t flags = 0;
  bool custom = false;
  BuildValueText(Index, flags, custom);
  if (F) *F = flags;
  return valueText_;
}

void TSliderListBox::DrawSlider(QPainter& Canvas, const TRect& R, int Index, TOwnerDrawState State) {
  const TRect S = GetSliderRect(R);
  const TRect T{S.Left, R.Top, S.Right, R.Bottom};
  const TSliderListBoxDataWrapper& rec = RecordOrDefault(Index);
  const int f = SliderFillWidth(S.Width(), int64_t{rec.Max} - rec.Min, int64_t{rec.Value} - rec.Min);
  const TRect F{S.Left, S.Top, S.Left + f, S.Bottom};
  QColor col;
  if (sliderColorStyle_ == TSliderColorStyle::csTemperature) {
    const TRgb t = TemperatureColor(SliderPercent(rec));
    col = QColor(t.R, t.G, t.B);
  } else {
    col = Resolve(sliderColor_);
  }

  auto stage = [&](TSliderDrawStage s, const TRect& r) {
    bool defaultDraw = true;
    if (OnAdvancedDrawItem) OnAdvancedDrawItem(this, Canvas, Index, ToQRect(r), State, s, defaultDraw);
    return defaultDraw;
  };
  const QPalette& pal = palette();
  switch (sliderStyle_) {
    case TSliderStyle::ssNormal:
    case TSliderStyle::ssThumb:
      if (f > 0) Canvas.fillRect(F.Left, F.Top, F.Width(), F.Height() - 1, col);
      break;
    case TSliderStyle::ssButton:
      if (stage(TSliderDrawStage::dsSlider, F) && f > 0) {
        Canvas.fillRect(ToQRect(F), Resolve(clBtnFace));
        if (flat_)
          FrameRect(Canvas, F, Resolve(clBtnShadow));
        else
          EdgeRect(Canvas, F, pal.color(QPalette::Light), pal.color(QPalette::Shadow));
      }
      break;
    case TSliderStyle::ssLine: {
      const TRect L = SliderLineTrack(S, columns_.Wide);
      EdgeRect(Canvas, L, pal.color(QPalette::Dark), pal.color(QPalette::Light));
      const TRect bar = SliderLineBar(L, F.Right);
      if (stage(TSliderDrawStage::dsSlider, F) && bar.Width() > 0 && bar.Height() > 0)
        Canvas.fillRect(ToQRect(bar), col);
      break;
    }
    case TSliderStyle::ssCustom:
      stage(TSliderDrawStage::dsSlider, F);
      break;
  }

  DrawLoadedTick(Canvas, S, Index);

  // Selection never changes the text colour.
  Canvas.setPen(pal.color(QPalette::Text));
  const TRect caption = SliderCaptionRect(R, S, columns_.Wide);
  if (stage(TSliderDrawStage::dsText, T) && caption.Width() > 0 && caption.Height() > 0) {
    const int align = columns_.Wide ? (Qt::AlignRight | Qt::AlignVCenter) : (Qt::AlignLeft | Qt::AlignBottom);
    Canvas.drawText(ToQRect(caption), align | Qt::TextSingleLine, entries_[Index].Caption);
  }

  uint32_t flags = 0;
  bool custom = false;
  BuildValueText(Index, flags, custom);
  const int textWidth = columns_.Wide ? 0 : Canvas.fontMetrics().horizontalAdvance(valueText_);
  const TRect V = SliderValueRect(R, S, columns_.Wide, textWidth, CheckColumnWidth());
  const bool draw = counterStyle_ != TCounterStyle::csCustom || stage(TSliderDrawStage::dsValue, T);
  if (!draw || V.Width() <= 0 || V.Height() <= 0 || valueText_.isEmpty()) return;
  // The text's own cells are opaque, so in the two-line layout it covers the end of a long caption.
  const QRect box = ToQRect(V);
  const int qtFlags = QtTextFlags(custom ? flags : kValueFlags);
  Canvas.save();
  Canvas.setClipRect(box);
  Canvas.fillRect(Canvas.boundingRect(box, qtFlags, valueText_) & box, Background(State));
  // A value that differs from the loaded one stands out.
  if (ChangedSinceLoad(Index)) Canvas.setPen(pal.color(QPalette::Highlight));
  Canvas.drawText(box, qtFlags, valueText_);
  Canvas.restore();
}

// The loaded position of a changed entry: a short tick across the bottom of the track, in the text colour
// so that it shows on the filled part and on the empty part alike.
void TSliderListBox::DrawLoadedTick(QPainter& Canvas, const TRect& S, int Index) {
  if (!ChangedSinceLoad(Index) || S.Width() <= 0 || S.Height() <= 0) return;
  const TSliderListBoxDataWrapper& rec = RecordOrDefault(Index);
  const int32_t loaded = std::clamp(*entries_[Index].Loaded, rec.Min, std::max(rec.Min, rec.Max));
  const int x = S.Left + SliderFillWidth(S.Width(), int64_t{rec.Max} - rec.Min, int64_t{loaded} - rec.Min);
  const int height = std::max(3, S.Height() / 2);
  const QColor tick = palette().color(QPalette::Text);
  Canvas.fillRect(std::min(x, S.Right - 2), S.Bottom - height, 2, height, tick);
}

}  // namespace gw
