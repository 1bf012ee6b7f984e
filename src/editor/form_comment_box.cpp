#include "editor/form_comment_box.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <vector>

namespace gw {

namespace {

// The block state of a piece that continues the line of the block before it. A block made by the player
// pressing Enter starts with no state, so it stays a line of its own.
constexpr int kContinuesLine = 1;

// Where a piece of the line starting at `from` ends: after the last blank of the allowed length when there
// is one (the break then falls where wrapping would put it anyway), never inside a surrogate pair.
qsizetype PieceEnd(const QString& text, qsizetype from, qsizetype lineEnd) {
  qsizetype end = from + kCommentPieceLength;
  if (end >= lineEnd) return lineEnd;
  for (qsizetype i = end; i > from + kCommentPieceLength / 2; --i) {
    if (text[i - 1] == QLatin1Char(' ')) return i;
  }
  if (text[end - 1].isHighSurrogate()) --end;
  return end;
}

}  // namespace

void SetCommentBoxText(QPlainTextEdit& box, const QString& text) {
  bool longLine = false;
  qsizetype start = 0;
  while (start <= text.size() && !longLine) {
    qsizetype end = text.indexOf(QLatin1Char('\n'), start);
    if (end < 0) end = text.size();
    longLine = end - start > kCommentPieceLength;
    start = end + 1;
  }
  if (!longLine) {
    box.setPlainText(text);
    return;
  }
  QString shown;
  shown.reserve(text.size() + text.size() / (kCommentPieceLength / 2) + 1);
  std::vector<bool> continues;  // per shown paragraph
  start = 0;
  while (start <= text.size()) {
    qsizetype lineEnd = text.indexOf(QLatin1Char('\n'), start);
    if (lineEnd < 0) lineEnd = text.size();
    qsizetype from = start;
    bool first = true;
    do {
      const qsizetype end = PieceEnd(text, from, lineEnd);
      if (!first) shown.append(QLatin1Char('\n'));
      shown.append(QStringView(text).mid(from, end - from));
      continues.push_back(!first);
      first = false;
      from = end;
    } while (from < lineEnd);
    if (lineEnd < text.size()) shown.append(QLatin1Char('\n'));
    start = lineEnd + 1;
  }
  box.setPlainText(shown);
  QTextBlock block = box.document()->firstBlock();
  for (std::size_t i = 0; block.isValid() && i < continues.size(); ++i, block = block.next())
    if (continues[i]) block.setUserState(kContinuesLine);
}

QString CommentBoxText(const QPlainTextEdit& box) {
  QString text;
  for (QTextBlock block = box.document()->firstBlock(); block.isValid(); block = block.next()) {
    if (block != box.document()->firstBlock() && block.userState() != kContinuesLine)
      text.append(QLatin1Char('\n'));
    // A line break typed with Shift+Enter stays inside the paragraph; in the file it is a line break too.
    text.append(block.text().replace(QChar::LineSeparator, QLatin1Char('\n')));
  }
  return text;
}

}  // namespace gw
