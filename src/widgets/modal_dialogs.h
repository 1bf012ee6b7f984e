#pragma once
// Every message box, confirmation and file dialog of the program goes through here, so that each looks the
// same and tests can answer them in advance instead of blocking on a modal loop.

#include <QString>
#include <QStringList>
#include <exception>
#include <string>

class QWidget;

namespace gw {

// The program's title, the caption of every message box.
inline constexpr const char* kProgramTitle = "Gravelwright";

// An error message (8-bit text): error icon, OK, the text after the full-stop rule.
void ShowErrorBox(QWidget* parent, const std::string& message);
// Runs a command of a window; an error it raises ends the command and is shown as every error is.
template <typename F>
void RunCommand(QWidget* parent, F&& command) {
  try {
    command();
  } catch (const std::exception& e) {
    ShowErrorBox(parent, e.what());
  }
}

// A notice ("Successful", "Select the source."): information icon, OK.
void ShowMessageBox(QWidget* parent, const QString& text);
// A question with OK and Cancel, its top-left corner at the mouse pointer; true only for OK.
bool ConfirmAtPointer(QWidget* parent, const QString& text);

// A question with several buttons ("Save", "Discard", "Cancel"), the first the default; the index of the
// button chosen. Escape or closing the box chooses the last button.
int AskChoice(QWidget* parent, const QString& text, const QStringList& buttons);

// File dialogs take filters written as "Description|pattern|Description|pattern" and the folder they open
// in (empty: the system's choice); empty on Cancel.
QString AskOpenFileName(QWidget* parent, const QString& filter, const QString& folder = {});
// Setup files are not asked about: the one overwritten is kept in the version history. Other files (an
// export) keep no version, so the dialog asks before replacing one.
QString AskSaveFileName(QWidget* parent, const QString& filter, const QString& folder,
                        const QString& defaultSuffix = {}, bool confirmOverwrite = false);

// "TOV File (*.lsp)|*.lsp|All|*" as Qt writes filters: "TOV File (*.lsp);;All (*)".
QString QtFileFilter(const QString& filter);

// The test seam: answers given in advance are used, in order, instead of showing a dialog, and every text
// shown (or answered) is recorded.
namespace modal_answers {
void PushConfirm(bool ok);
void PushFileName(const QString& path);  // an empty path answers Cancel
void PushChoice(int index);
QStringList TakeShownTexts();
bool Active();  // answers are pending: used by tests to check that all were consumed
void Reset();
}  // namespace modal_answers

}  // namespace gw
