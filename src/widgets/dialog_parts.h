#pragma once
// What the windows share: they are laid out in pixels at 96 dots per inch, every control carries its name,
// and dialogs take the main window's font, for which those pixel layouts were drawn.

#include <QDialog>
#include <QRect>
#include <QString>
#include <utility>

namespace gw {

// Pixels at 96 dots per inch on the screen of a widget.
class TDialogScale {
 public:
  explicit TDialogScale(const QWidget& widget) : ppi_(widget.logicalDpiX()) {}
  int operator()(int pixels) const { return qRound(pixels * ppi_ / 96.0); }
  QRect operator()(const QRect& r) const {
    return {(*this)(r.x()), (*this)(r.y()), (*this)(r.width()), (*this)(r.height())};
  }

 private:
  int ppi_;
};

// A control of kind T created with its constructor's arguments and the parent, named `name`.
template <typename T, typename... Args>
T* NamedControl(QWidget* parent, const char* name, Args&&... args) {
  auto* control = new T(std::forward<Args>(args)..., parent);
  control->setObjectName(QString::fromLatin1(name));
  return control;
}

// Name, caption, frame and font of a dialog. A window does not inherit its owner's font by itself.
inline void InitToolDialog(QDialog& dialog, const char* name, const QString& caption) {
  dialog.setObjectName(QString::fromLatin1(name));
  dialog.setWindowTitle(caption);
  dialog.setWindowFlags(dialog.windowFlags() & ~Qt::WindowContextHelpButtonHint);
  if (dialog.parentWidget()) dialog.setFont(dialog.parentWidget()->font());
}

// A fixed dialog border around a client area given at 96 dots per inch.
inline void FixClientSize(QDialog& dialog, int width96, int height96) {
  const TDialogScale px(dialog);
  dialog.setFixedSize(px(width96), px(height96));
}

}  // namespace gw
