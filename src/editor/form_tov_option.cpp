#include "editor/form_tov_option.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>
#include <string_view>

#include "platform/local_text.h"
#include "widgets/dialog_parts.h"

namespace gw {

namespace {

// Top to bottom in each group; the game group's order is not the files' order.
constexpr std::string_view kGameOrder[] = {"CheckBoxRunIntro", "CheckBoxWaitSync", "CheckBoxAudio",
                                           "CheckBoxFullscreen", "CheckBoxSound"};
constexpr std::string_view kInvertOrder[] = {"CheckBoxSteering", "CheckBoxThrottle",  "CheckBoxBrake",
                                             "CheckBoxCombine",  "CheckBoxHandbrake", "CheckBoxClutch"};

std::size_t FlagIndex(std::string_view control) {
  std::size_t i = 0;
  while (kGameFlags[i].control != control) ++i;
  return i;
}

}  // namespace

TFormTOVOption::TFormTOVOption(QWidget* parent) : QDialog(parent) {
  InitToolDialog(*this, "FormTOVOption", QStringLiteral("TOV Option"));
  const TDialogScale px(*this);

  auto* game = NamedControl<QGroupBox>(this, "GroupBoxGame", QStringLiteral("Game"));
  auto* invert = NamedControl<QGroupBox>(this, "GroupBoxInvert", QStringLiteral("Invert Axis"));
  auto addChecks = [&](QGroupBox* group, auto& order) {
    int top = 18;
    for (std::string_view control : order) {
      const TGameFlag& flag = kGameFlags[FlagIndex(control)];
      auto* box = new QCheckBox(ToQ(flag.caption), group);
      box->setObjectName(ToQ(flag.control));
      box->setGeometry(px(12), px(top), px(140), std::max(px(17), box->sizeHint().height()));
      CheckBoxes[FlagIndex(control)] = box;
      top += 18;
    }
  };
  addChecks(game, kGameOrder);
  auto* label = NamedControl<QLabel>(game, "LabelForce", QStringLiteral("Force &Multiplier:"));
  UpDownForce = NamedControl<QSpinBox>(game, "UpDownForce");
  UpDownForce->setRange(kForceMultiplierMin, kForceMultiplierMax);
  UpDownForce->setSingleStep(1);
  UpDownForce->setValue(kForceMultiplierDefault);
  Edit1 = UpDownForce->findChild<QLineEdit*>();
  Edit1->setObjectName(QStringLiteral("Edit1"));
  label->setBuddy(UpDownForce);
  addChecks(invert, kInvertOrder);  // after the number field, for the tab order

  auto* ok = NamedControl<QPushButton>(this, "ButtonOK", QStringLiteral("OK"));
  auto* cancel = NamedControl<QPushButton>(this, "ButtonCancel", QStringLiteral("Cancel"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);  // Escape rejects as well

  game->setGeometry(px({8, 4, 160, 141}));
  invert->setGeometry(px({176, 4, 156, 141}));
  // The label's place was measured for the system font of its time; a wider font pushes the number field
  // right (its right edge as far as the group's frame) rather than cutting the caption.
  const int labelWidth = std::max(px(86), label->sizeHint().width());
  label->setGeometry(px(12), px(114), labelWidth, std::max(px(15), label->sizeHint().height()));
  const int fieldLeft = px(12) + labelWidth;
  const int fieldRight = std::clamp(fieldLeft + UpDownForce->minimumSizeHint().width(), px(150), px(156));
  UpDownForce->setGeometry(fieldLeft, px(110), fieldRight - fieldLeft, px(21));
  ok->setGeometry(px({176, 154, 75, 25}));
  cancel->setGeometry(px({257, 154, 75, 25}));
  FixClientSize(*this, kClientWidth, kClientHeight);
}

void TFormTOVOption::SetOptions(const TGameOptions& options) {
  for (std::size_t i = 0; i < CheckBoxes.size(); ++i) CheckBoxes[i]->setChecked(options.flags[i]);
  UpDownForce->setValue(options.forceMultiplier);
}

TGameOptions TFormTOVOption::Options() const {
  TGameOptions options;
  for (std::size_t i = 0; i < CheckBoxes.size(); ++i) options.flags[i] = CheckBoxes[i]->isChecked();
  // The spin box keeps its last valid value while the field holds text that is no number in range.
  options.forceMultiplier = UpDownForce->value();
  return options;
}

}  // namespace gw
