#pragma once
// The game options dialog: the game's flags in two groups and the force multiplier. It only shows values;
// the main window reads and writes the game's files.

#include <QDialog>
#include <array>

#include "editor/game_options.h"

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace gw {

class TFormTOVOption final : public QDialog {
  Q_OBJECT

 public:
  explicit TFormTOVOption(QWidget* parent = nullptr);
  Q_DISABLE_COPY_MOVE(TFormTOVOption)

  void SetOptions(const TGameOptions& options);
  TGameOptions Options() const;

  // In the order of kGameFlags.
  std::array<QCheckBox*, kGameFlags.size()> CheckBoxes{};
  QSpinBox* UpDownForce = nullptr;  // its text field is Edit1
  QLineEdit* Edit1 = nullptr;

  static constexpr int kClientWidth = 340;
  static constexpr int kClientHeight = 187;
};

}  // namespace gw
