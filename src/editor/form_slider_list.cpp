#include "editor/form_slider_list.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <cmath>

#include "platform/local_text.h"

namespace gw {

std::string TSliderListAdapter::Caption(int32_t index) const {
  return FromQ(box_.Caption(index));
}

void TSliderListAdapter::SetCaption(int32_t index, const std::string& caption) {
  box_.SetCaption(index, ToQ(caption));
}

void ApplyEditorListSettings(TSliderListBox& list) {
  list.SetCheckBox(false);
  list.SetSliderStyle(TSliderStyle::ssLine);
  list.SetFocusedStyle(TSliderSelectedStyle::ssFocus);
  list.SetSelectedStyle(TSliderSelectedStyle::ssClear);
  list.SetCounterStyle(TCounterStyle::csCustom);
  list.SetWide(true);
  list.SetParentColor(true);
}

void AddCatalogueEntries(TSliderListBox& list, TSetupList which) {
  list.States().BeginUpdate();
  for (const TCatalogueRow& row : CatalogueRows(which)) {
    const int i = list.AddItem(ToQ(row.Caption));
    list.SetMin(i, row.Min);
    list.SetMax(i, row.Max);
    list.SetValue(i, row.First);
  }
  list.States().EndUpdate();
}

void FitSliderList(TSliderListBox& list) {
  const int count = list.Count();
  const int frame = list.height() - list.contentsRect().height();
  if (count > 0) {
    const int entry = std::max(1, list.contentsRect().height() / count);
    list.SetItemHeight(entry);
    list.resize(list.width(), entry * count + frame);
    list.SetItemIndex(0);
  }
  list.setAttribute(Qt::WA_InputMethodEnabled, false);
}

int PpiWidth(double k, int ppi) {
  return static_cast<int>(std::lround(k * ppi));
}

void SliderListWheel(TSliderListBox& list, Qt::KeyboardModifiers shift, Qt::MouseButtons buttons, int delta,
                     bool fine) {
  if (list.ItemIndex() < 0) return;
  if (fine || buttons.testFlag(Qt::RightButton)) shift |= Qt::ShiftModifier;
  int key = delta > 0 ? Qt::Key_Right : Qt::Key_Left;
  list.KeyDown(key, shift);
}

void SliderListHover(TSliderListBox& list, int x, int y) {
  if (list.Sliding()) return;
  const int index = list.ItemAtPos(QPoint(x, y), true);
  if (index < 0) return;
  // Keys typed into a text field stay there however the pointer drifts.
  const QWidget* focus = QApplication::focusWidget();
  const bool typing = qobject_cast<const QPlainTextEdit*>(focus) || qobject_cast<const QTextEdit*>(focus) ||
                      qobject_cast<const QLineEdit*>(focus) || qobject_cast<const QAbstractSpinBox*>(focus);
  if (!list.hasFocus() && !typing) list.setFocus(Qt::MouseFocusReason);
  if (list.ItemIndex() != index) list.SetItemIndex(index);
}

QString WindowFontFamily() {
#ifdef _WIN32
  return QStringLiteral("Tahoma");
#else
  return QStringLiteral("Liberation Sans");
#endif
}

QString ArialFamily() {
#ifdef _WIN32
  return QStringLiteral("Arial");
#else
  return QStringLiteral("Liberation Sans");
#endif
}

char LocalDecimalSeparator() {
  const QString point = QLocale().decimalPoint();
  const char c = point.size() == 1 ? point.front().toLatin1() : '\0';
  return c > 0 ? c : '.';
}

TValueTextFormat LocalValueTextFormat() {
  TValueTextFormat format;
  format.DecimalSeparator = LocalDecimalSeparator();
  format.DegreeSign = FromQ(QString(QChar(0xB0)));
  return format;
}

}  // namespace gw
