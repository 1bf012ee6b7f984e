#pragma once
// Undo and redo of the editor's sliders: what a user gesture changed (slider positions, the speed maps'
// velocity captions, the gear) as one command on a QUndoStack.

#include <QString>
#include <QStringList>
#include <QUndoCommand>
#include <array>
#include <cstdint>
#include <vector>

#include "editor/catalogue.h"

namespace gw {

// Everything of a setup the editor's controls hold.
struct TEditorState {
  std::array<std::vector<int32_t>, kSetupListCount> Values;
  std::array<QStringList, kSetupListCount> Captions;  // only the speed lists' captions change
  std::array<bool, 3> Gear{};
  bool operator==(const TEditorState&) const = default;
};

// What one gesture changed: each item with its value before and after.
struct TEditorChange {
  struct Value {
    TSetupList List;
    int Index;
    int32_t Before, After;
  };
  struct Caption {
    TSetupList List;
    int Index;
    QString Before, After;
  };
  std::vector<Value> Values;
  std::vector<Caption> Captions;
  std::array<bool, 3> GearBefore{}, GearAfter{};

  bool Empty() const { return Values.empty() && Captions.empty() && GearBefore == GearAfter; }
};

TEditorChange EditorDifference(const TEditorState& before, const TEditorState& after);

// The window that owns the controls puts a change's one side back into them.
class TEditorChangeTarget {
 public:
  virtual ~TEditorChangeTarget() = default;
  virtual void ApplyEditorChange(const TEditorChange& change, bool undo) = 0;
};

// One step: the change is already in the controls when the command is pushed, so its first redo does
// nothing.
class TEditorCommand final : public QUndoCommand {
 public:
  TEditorCommand(TEditorChangeTarget& target, TEditorChange change, const QString& text);
  void undo() override;
  void redo() override;
  const TEditorChange& Change() const { return change_; }

 private:
  TEditorChangeTarget& target_;
  TEditorChange change_;
  bool pushed_ = false;
};

}  // namespace gw
