#include "history/undo_commands.h"

namespace gw {

TEditorChange EditorDifference(const TEditorState& before, const TEditorState& after) {
  TEditorChange change;
  for (std::size_t l = 0; l < before.Values.size(); ++l) {
    const auto list = static_cast<TSetupList>(l);
    const auto& b = before.Values[l];
    const auto& a = after.Values[l];
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
      if (a[i] != b[i]) change.Values.push_back({list, static_cast<int>(i), b[i], a[i]});
    const QStringList& cb = before.Captions[l];
    const QStringList& ca = after.Captions[l];
    for (qsizetype i = 0; i < std::min(ca.size(), cb.size()); ++i)
      if (ca[i] != cb[i]) change.Captions.push_back({list, static_cast<int>(i), cb[i], ca[i]});
  }
  change.GearBefore = before.Gear;
  change.GearAfter = after.Gear;
  return change;
}

TEditorCommand::TEditorCommand(TEditorChangeTarget& target, TEditorChange change, const QString& text)
    : QUndoCommand(text), target_(target), change_(std::move(change)) {}

void TEditorCommand::undo() {
  target_.ApplyEditorChange(change_, true);
}

void TEditorCommand::redo() {
  if (!pushed_) {
    pushed_ = true;
    return;
  }
  target_.ApplyEditorChange(change_, false);
}

}  // namespace gw
