#pragma once
// The comment box's text. Comments have no length limit, but a text box lays out each paragraph whole, so a
// line of megabytes would freeze the window: such a line is shown as pieces of a few thousand characters
// that are marked as continuing the one before, and is joined again when the text is read back.

#include <QString>

class QPlainTextEdit;

namespace gw {

// Longest piece of a line shown as one paragraph.
inline constexpr int kCommentPieceLength = 8192;

void SetCommentBoxText(QPlainTextEdit& box, const QString& text);
// The text with every continued line joined again; a text that was never split reads as it shows.
QString CommentBoxText(const QPlainTextEdit& box);

}  // namespace gw
