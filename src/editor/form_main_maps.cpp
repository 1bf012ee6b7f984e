// The main window's "Differential - Map" page: twelve map panels on a tab control that shows six or four of
// them, and the velocity axes of the four speed maps.
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QTabBar>

#include "editor/form_main.h"
#include "editor/form_velocity.h"
#include "editor/setup_pages.h"
#include "platform/error.h"
#include "platform/local_text.h"
#include "widgets/slider_list_box.h"

namespace gw {

namespace {

using L = TSetupList;

// The label of a panel is the heading of its list (setup_pages.h).
struct TMapPanel {
  L list;
  const char* panel;
  int code;  // the digits name the tabs that show the panel
};

// In the order of the map lists.
constexpr TMapPanel kMapPanels[12] = {
    {L::CenterThrottle, "PanelCenterThrottle", 2}, {L::CenterBrake, "PanelCenterBrake", 3},
    {L::CenterSpeed, "PanelCenterSpeed", 4},       {L::LFCenterThrottle, "PanelLFCenterThrottle", 2},
    {L::LFCenterBrake, "PanelLFCenterBrake", 3},   {L::LFCenterSpeed, "PanelLFCenterSpeed", 4},
    {L::FrontThrottle, "PanelFrontThrottle", 12},  {L::FrontBrake, "PanelFrontBrake", 13},
    {L::FrontSpeed, "PanelFrontSpeed", 14},        {L::RearThrottle, "PanelRearThrottle", 12},
    {L::RearBrake, "PanelRearBrake", 13},          {L::RearSpeed, "PanelRearSpeed", 14},
};

// The six layout slots of each tab (three columns, two rows); -1 leaves a slot empty.
constexpr int kTabSlots[5][6] = {
    {0, 1, 2, 3, 4, 5},     // Center
    {6, 7, 8, 9, 10, 11},   // Front/Rear
    {0, 3, -1, 6, 9, -1},   // Throttle
    {1, 4, -1, 7, 10, -1},  // Brake
    {2, 5, -1, 8, 11, -1},  // Speed
};

// A panel's size at 96 dots per inch: a caption line over a list of eleven entries.
constexpr int kPanelWidth = 178;
constexpr int kPanelHeight = 184;
constexpr int kPanelLabelHeight = 17;

bool IsSpeedList(L list) {
  return SetupListName(list).find("Speed") != std::string_view::npos;
}

}  // namespace

QWidget* TFormMain::CreateMapPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TabSheetMap"));
  TabControlDiff = new QWidget(page);
  TabControlDiff->setObjectName(QStringLiteral("TabControlDiff"));
  tabBarDiff_ = new QTabBar(TabControlDiff);
  tabBarDiff_->setObjectName(QStringLiteral("TabControlDiffTabs"));
  for (const char* tab : {"Center", "Front/Rear", "Throttle", "Brake", "Speed"})
    tabBarDiff_->addTab(QString::fromLatin1(tab));
  tabBarDiff_->setExpanding(false);
  tabBarDiff_->setGeometry(0, 0, Px(kClientWidth), tabBarDiff_->sizeHint().height());
  TabControlDiff->setGeometry(0, 0, Px(kClientWidth), Px(kClientHeight));

  for (std::size_t i = 0; i < mapPanels_.size(); ++i) {
    const TMapPanel& m = kMapPanels[i];
    auto* panel = new QFrame(TabControlDiff);
    panel->setObjectName(QString::fromLatin1(m.panel));
    panel->setFrameShape(QFrame::NoFrame);  // no outer bevel
    panel->setProperty("code", m.code);
    panel->resize(Px(kPanelWidth), Px(kPanelHeight));
    auto* label = new QLabel(ToQ(SetupListPlace(m.list).Heading), panel);
    label->setGeometry(0, 0, Px(kPanelWidth), Px(kPanelLabelHeight));
    TSliderListBox* list =
        CreateList(panel, m.list, QRect(0, kPanelLabelHeight, kPanelWidth, kPanelHeight - kPanelLabelHeight));
    if (IsSpeedList(m.list)) {
      list->setContextMenuPolicy(Qt::CustomContextMenu);
      connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint& at) {
        velocityMenuList_ = list;
        PopupMenuVelocity->exec(list->mapToGlobal(at));
      });
    }
    mapPanels_[i] = panel;
  }
  connect(tabBarDiff_, &QTabBar::currentChanged, this, [this] { TabControlDiffChange(); });
  return page;
}

void TFormMain::TabControlDiffChange() {
  const int tab = std::max(0, tabBarDiff_->currentIndex());
  const QChar c = QString::number(tab).front();
  for (QFrame* panel : mapPanels_) {
    const QString code = QStringLiteral("%1").arg(panel->property("code").toInt(), 2, 10, QLatin1Char('0'));
    panel->setVisible(code.contains(c));
  }
  const int w = mapPanels_[0]->width(), h = mapPanels_[0]->height();
  QWidget* previous = nullptr;
  for (int slot = 0; slot < 6; ++slot) {
    const int index = kTabSlots[tab][slot];
    if (index < 0) continue;
    QFrame* panel = mapPanels_[static_cast<std::size_t>(index)];
    panel->move((slot % 3) * w + Px(4), (slot / 3) * h + qRound(logicalDpiX() / 4.0));
    QWidget* list = panel->findChild<TSliderListBox*>();
    if (previous) setTabOrder(previous, list);
    previous = list;
  }
}

void TFormMain::MenuItemVelocityClick() {
  EditSpeedMapVelocity(velocityMenuList_);
}

void TFormMain::EditSpeedMapVelocity(TSliderListBox* list) {
  if (!list) return;
  TFormVelocity dialog(this);
  std::vector<int32_t> opened;
  for (int p = 0; p < kMapPointCount; ++p) {
    const std::string caption = FromQ(list->Caption(p));
    int32_t kmh = 0;
    if (!KmhFromCaption(caption, kmh)) throw Error("invalid velocity: " + caption);
    opened.push_back(kmh);
  }
  dialog.SetVelocities(opened);
  if (dialog.exec() != QDialog::Accepted) return;
  const std::vector<int32_t> chosen = dialog.Velocities();
  list->States().BeginUpdate();
  for (int p = 0; p < kMapPointCount; ++p) list->SetCaption(p, ToQ(KmhCaption(chosen[p])));
  list->States().EndUpdate();
  // The whole dialog is one step.
  const QLabel* label = list->parentWidget()->findChild<QLabel*>();
  CommitEdit((label ? label->text() + QLatin1Char(' ') : QString()) + QStringLiteral("Velocity"));
}

}  // namespace gw
