#include "widgets/modal_dialogs.h"

#include <QCursor>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <deque>
#include <variant>
#include <vector>

#include "platform/error.h"

namespace gw {

namespace {

struct Answers {
  std::deque<std::variant<bool, QString, int>> pending;
  QStringList shown;
  bool recording = false;  // once a test pushed an answer, texts are recorded and boxes never block
};

Answers& State() {
  static Answers answers;
  return answers;
}

template <typename T>
bool TakeAnswer(T& value) {
  Answers& a = State();
  if (a.pending.empty() || !std::holds_alternative<T>(a.pending.front())) return false;
  value = std::get<T>(a.pending.front());
  a.pending.pop_front();
  return true;
}

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
  Answers& a = State();
  if (a.recording) {
    a.shown << text;
    return;
  }
  QMessageBox box(icon, QString::fromLatin1(kProgramTitle), text, QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace

void ShowErrorBox(QWidget* parent, const std::string& message) {
  const std::string text = ErrorBoxText(message);
  ShowBox(parent, QMessageBox::Critical,
          QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())));
}

void ShowMessageBox(QWidget* parent, const QString& text) {
  ShowBox(parent, QMessageBox::Information, text);
}

bool ConfirmAtPointer(QWidget* parent, const QString& text) {
  State().shown << text;
  bool ok = false;
  if (TakeAnswer(ok)) return ok;
  if (State().recording) return false;
  QMessageBox box(QMessageBox::Question, QString::fromLatin1(kProgramTitle), text,
                  QMessageBox::Ok | QMessageBox::Cancel, parent);
  box.adjustSize();
  // At the pointer, but whole on its screen: near an edge it opens inside it.
  QPoint at = QCursor::pos();
  if (const QScreen* screen = QGuiApplication::screenAt(at)) {
    const QRect area = screen->availableGeometry();
    at.setX(std::max(area.left(), std::min(at.x(), area.right() + 1 - box.frameGeometry().width())));
    at.setY(std::max(area.top(), std::min(at.y(), area.bottom() + 1 - box.frameGeometry().height())));
  }
  box.move(at);
  return box.exec() == QMessageBox::Ok;
}

int AskChoice(QWidget* parent, const QString& text, const QStringList& buttons) {
  State().shown << text;
  int chosen = 0;
  if (TakeAnswer(chosen)) return chosen;
  const int last = static_cast<int>(buttons.size()) - 1;
  if (State().recording) return last;
  QMessageBox box(QMessageBox::Question, QString::fromLatin1(kProgramTitle), text, QMessageBox::NoButton,
                  parent);
  std::vector<QPushButton*> added;
  for (const QString& caption : buttons) added.push_back(box.addButton(caption, QMessageBox::ActionRole));
  if (!added.empty()) {
    box.setDefaultButton(added.front());
    box.setEscapeButton(added.back());
  }
  box.exec();
  for (std::size_t i = 0; i < added.size(); ++i)
    if (box.clickedButton() == added[i]) return static_cast<int>(i);
  return last;
}

QString QtFileFilter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
    const QString& name = parts[i];
    out << (name.contains(QLatin1Char('(')) ? name
                                            : name + QStringLiteral(" (") + patterns + QLatin1Char(')'));
  }
  return out.join(QStringLiteral(";;"));
}

QString AskOpenFileName(QWidget* parent, const QString& filter, const QString& folder) {
  QString path;
  if (TakeAnswer(path)) return path;
  if (State().recording) return {};
  return QFileDialog::getOpenFileName(parent, QString(), folder, QtFileFilter(filter));
}

QString AskSaveFileName(QWidget* parent, const QString& filter, const QString& folder,
                        const QString& defaultSuffix, bool confirmOverwrite) {
  QString path;
  if (TakeAnswer(path)) return path;
  if (State().recording) return {};
  QFileDialog dialog(parent, QString(), folder, QtFileFilter(filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(defaultSuffix);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirmOverwrite);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

namespace modal_answers {

void PushConfirm(bool ok) {
  State().recording = true;
  State().pending.emplace_back(ok);
}

void PushFileName(const QString& path) {
  State().recording = true;
  State().pending.emplace_back(path);
}

void PushChoice(int index) {
  State().recording = true;
  State().pending.emplace_back(index);
}

QStringList TakeShownTexts() {
  State().recording = true;
  QStringList texts = State().shown;
  State().shown.clear();
  return texts;
}

bool Active() {
  return !State().pending.empty();
}

void Reset() {
  State() = Answers();
}

}  // namespace modal_answers

}  // namespace gw
