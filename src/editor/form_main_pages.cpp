// The main window's building: its actions, menus, toolbar and the pages of slider lists. What the window
// does with them (the file workflow, settings, events) is in form_main.cpp.
#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "editor/form_file_list.h"
#include "editor/form_icons.h"
#include "editor/form_main.h"
#include "editor/setup_pages.h"
#include "platform/local_text.h"
#include "widgets/slider_list_box.h"

namespace gw {

namespace {

// The heading and side labels come from the core's table, which names the parameters everywhere.
QString HeadingText(TSetupList list) {
  return ToQ(SetupListPlace(list).Heading);
}
QString SideText(TSetupList list) {
  return ToQ(SetupListPlace(list).Side) + QLatin1Char(' ');
}

using L = TSetupList;

}  // namespace

void TFormMain::CreateActions() {
  auto action = [this](const char* name, const QString& text, const QString& hint = {}) {
    auto* a = new QAction(text, this);
    a->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty()) a->setToolTip(hint);
    addAction(a);  // shortcuts work wherever the focus is
    return a;
  };
  ActionSave = action("ActionSave", QStringLiteral("&Save"), QStringLiteral("Save"));
  ActionSave->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
  ActionSave->setIcon(SaveIcon());
  ActionSaveAs = action("ActionSaveAs", QStringLiteral("Save &as..."));
  ActionDelete = action("ActionDelete", QStringLiteral("&Delete"));
  ActionReload = action("ActionReload", QStringLiteral("&Reload"), QStringLiteral("Reload"));
  ActionReload->setShortcut(QKeySequence(Qt::Key_F5));
  ActionReload->setIcon(ReloadIcon());
  MenuItemExit = action("MenuItemExit", QStringLiteral("E&xit"));
  // The menu shows the short text, the toolbar button the long one.
  ActionRunTOV = action("ActionRunTOV", QStringLiteral("&Run"), QStringLiteral("Run TOV"));
  ActionRunTOV->setIconText(QStringLiteral("&Run TOV"));
  ActionRunTOV->setShortcut(QKeySequence(Qt::Key_F9));
  ActionRunTOV->setIcon(RunIcon());
  ActionTOVOption = action("ActionTOVOption", QStringLiteral("&Option..."), QStringLiteral("TOV Option"));
  ActionTOVOption->setIconText(QStringLiteral("TOV &Option..."));
  ActionTOVOption->setIcon(GameOptionIcon());
  OpenTOVfolder1 = action("OpenTOVfolder1", QStringLiteral("Open &folder"));
  MenuItemCopyToFile = action("MenuItemCopyToFile", QStringLiteral("&Copy to other file..."));
  MenuItemExtract = action("MenuItemExtract", QStringLiteral("&Extract from replay..."));
  MenuItemMusic = action("MenuItemMusic", QStringLiteral("&Music Manager..."));
  MenuItemConfirmSave = action("MenuItemConfirmSave", QStringLiteral("&Confirm at save"));
  MenuItemConfirmSave->setCheckable(true);
  MenuItemConfirmSave->setChecked(true);
  MenuItemAbout = action("MenuItemAbout", QStringLiteral("&About"));
  MenuItemVelocity = action("MenuItemVelocity", QStringLiteral("&Edit Velocity..."));
  MenuItemVelocity->setEnabled(false);
  ActionCompare = action("ActionCompare", QStringLiteral("Com&pare..."));
  ActionCompare->setShortcut(QKeySequence(QStringLiteral("Ctrl+D")));

  runVariantGroup_ = new QActionGroup(this);
  runVariantGroup_->setExclusive(true);
  const char* names[] = {"Default1", "SSE1", "NoSSE1"};
  const QString texts[] = {QStringLiteral("&Default"), QStringLiteral("&SSE"), QStringLiteral("&NoSSE")};
  for (std::size_t i = 0; i < runVariants_.size(); ++i) {
    runVariants_[i] = new QAction(texts[i], runVariantGroup_);
    runVariants_[i]->setObjectName(QString::fromLatin1(names[i]));
    runVariants_[i]->setCheckable(true);
  }
  runVariants_[0]->setChecked(true);
  CreateHistoryActions();
  SetFileActionsEnabled(false);

  connect(ActionSave, &QAction::triggered, this, [this] { Run([this] { ActionSaveExecute(); }); });
  connect(ActionSaveAs, &QAction::triggered, this, [this] { Run([this] { ActionSaveAsExecute(); }); });
  connect(ActionDelete, &QAction::triggered, this, [this] { Run([this] { ActionDeleteExecute(); }); });
  connect(ActionReload, &QAction::triggered, this, [this] { Run([this] { ActionReloadExecute(); }); });
  connect(MenuItemExit, &QAction::triggered, this, &TFormMain::MenuItemExitClick);
  connect(MenuItemAbout, &QAction::triggered, this, &TFormMain::MenuItemAboutClick);
  connect(MenuItemVelocity, &QAction::triggered, this, [this] { Run([this] { MenuItemVelocityClick(); }); });
  connect(MenuItemExtract, &QAction::triggered, this, [this] { Run([this] { MenuItemExtractClick(); }); });
  connect(MenuItemCopyToFile, &QAction::triggered, this,
          [this] { Run([this] { MenuItemCopyToFileClick(); }); });
  connect(ActionRunTOV, &QAction::triggered, this, [this] { Run([this] { ActionRunTOVExecute(); }); });
  connect(ActionTOVOption, &QAction::triggered, this, [this] { Run([this] { ActionTOVOptionExecute(); }); });
  connect(OpenTOVfolder1, &QAction::triggered, this, [this] { Run([this] { OpenTOVfolder1Click(); }); });
  connect(MenuItemMusic, &QAction::triggered, this, [this] { Run([this] { MenuItemMusicClick(); }); });
  connect(ActionCompare, &QAction::triggered, this, [this] { Run([this] { ActionCompareExecute(); }); });
}

void TFormMain::CreateMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("MenuFile"));
  file->addActions({ActionSave, ActionSaveAs, ActionDelete, ActionReload, ActionHistory});
  file->addSeparator();
  file->addAction(MenuItemExit);

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  edit->setObjectName(QStringLiteral("MenuEdit"));
  edit->addActions({ActionUndo, ActionRedo});

  ool1 = menuBar()->addMenu(QStringLiteral("&Tool"));
  ool1->setObjectName(QStringLiteral("ool1"));
  QMenu* tov = ool1->addMenu(QStringLiteral("&TOV"));
  tov->addActions({ActionRunTOV, ActionTOVOption, OpenTOVfolder1});
  ool1->addSeparator();
  ool1->addActions({MenuItemCopyToFile, MenuItemExtract, MenuItemMusic});
  ool1->addAction(ActionCompare);
  ool1->addSeparator();
  QMenu* option = ool1->addMenu(QStringLiteral("&Option"));
  option->addActions({MenuItemConfirmSave, MenuItemConfirmDiscard});
  connect(ool1, &QMenu::aboutToShow, this, &TFormMain::ool1Click);

  menuBar()->addAction(MenuItemAbout);

  PopupMenuRunTOV = new QMenu(this);
  PopupMenuRunTOV->setObjectName(QStringLiteral("PopupMenuRunTOV"));
  for (QAction* a : runVariants_) PopupMenuRunTOV->addAction(a);

  PopupMenuVelocity = new QMenu(this);
  PopupMenuVelocity->setObjectName(QStringLiteral("PopupMenuVelocity"));
  PopupMenuVelocity->addAction(MenuItemVelocity);
  PopupMenuVelocity->setDefaultAction(MenuItemVelocity);
}

void TFormMain::CreateToolBar() {
  QToolBar* bar = addToolBar(QStringLiteral("ToolBar1"));
  bar->setObjectName(QStringLiteral("ToolBar1"));
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setIconSize(QSize(16, 16));
  bar->setContextMenuPolicy(Qt::PreventContextMenu);
  bar->addAction(ActionSave);
  bar->addAction(ActionReload);
  ComboBoxFiles = new TFileComboBox(bar, Px(16));
  ComboBoxFiles->setObjectName(QStringLiteral("ComboBoxFiles"));
  bar->addWidget(ComboBoxFiles);
  bar->addSeparator();
  bar->addAction(ActionTOVOption);
  bar->addAction(ActionRunTOV);
  if (auto* run = qobject_cast<QToolButton*>(bar->widgetForAction(ActionRunTOV))) {
    run->setMenu(PopupMenuRunTOV);
    run->setPopupMode(QToolButton::MenuButtonPopup);
  }
  connect(ComboBoxFiles, &QComboBox::activated, this,
          [this](int index) { Run([this, index] { ComboBoxFilesSelect(index); }); });
}

void TFormMain::CreatePages() {
  PageControlGeneral = new QTabWidget(this);
  PageControlGeneral->setObjectName(QStringLiteral("PageControlGeneral"));
  PageControlGeneral->addTab(CreateGeneralPage(), ToQ(kPageGeneral));
  PageControlGeneral->addTab(CreateSuspensionPage(), ToQ(kPageSuspension));
  PageControlGeneral->addTab(CreateMapPage(), ToQ(kPageMap));
  PageControlGeneral->setCurrentIndex(2);
  setCentralWidget(PageControlGeneral);
}

QLabel* TFormMain::CreateHeading(QWidget* parent, const QString& text, QRect g, bool arial) {
  auto* label = new QLabel(text, parent);
  if (arial) {
    QFont f(ArialFamily());
    f.setPixelSize(Px(12));
    label->setFont(f);
  }
  // The widths are those the captions had in the original face; a label grows to its caption.
  label->setGeometry(Px(g.x()), Px(g.y()), Px(g.width()), Px(g.height()));
  label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
  return label;
}

TSliderListBox* TFormMain::CreateList(QWidget* parent, TSetupList which, QRect g) {
  auto* list = new TSliderListBox(parent);
  list->setObjectName(
      QString::fromLatin1(SetupListName(which).data(), static_cast<qsizetype>(SetupListName(which).size())));
  list->setGeometry(Px(g.x()), Px(g.y()), Px(g.width()), Px(g.height()));
  ApplyEditorListSettings(*list);
  AddCatalogueEntries(*list, which);
  const auto i = static_cast<std::size_t>(which);
  lists_[i] = list;
  adapters_[i] = std::make_unique<TSliderListAdapter>(*list);
  ConnectListEvents(*list, which);
  return list;
}

QWidget* TFormMain::CreateGeneralPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TabSheetGeneral"));
  CreateHeading(page, HeadingText(L::Diff), {4, 4, 59, 15}, true);
  CreateList(page, L::Diff, {4, 20, 289, 85});
  CreateHeading(page, HeadingText(L::Tyre), {300, 4, 23, 15}, true);
  CheckBoxTyreLink = new QCheckBox(QStringLiteral("Link(&L)"), page);
  CheckBoxTyreLink->setObjectName(QStringLiteral("CheckBoxTyreLink"));
  CheckBoxTyreLink->setGeometry(Px(472), Px(2), Px(61),
                                std::max(Px(13), CheckBoxTyreLink->sizeHint().height()));
  CreateList(page, L::Tyre, {300, 20, 233, 69});

  auto* gear = new QGroupBox(ToQ(kGearHeading), page);
  gear->setObjectName(QStringLiteral("GroupBoxGear"));
  gear->setGeometry(Px(300), Px(96), Px(233), Px(53));
  const char* names[] = {"RadioButtonShort", "RadioButtonMedium", "RadioButtonLong"};
  const int lefts[] = {16, 88, 164};
  for (std::size_t i = 0; i < gearButtons_.size(); ++i) {
    gearButtons_[i] = new QRadioButton(ToQ(GearButtonCaptions[i]), gear);
    gearButtons_[i]->setObjectName(QString::fromLatin1(names[i]));
    gearButtons_[i]->move(Px(lefts[i]), Px(22));
    connect(gearButtons_[i], &QRadioButton::clicked, this, [this] { CommitEdit(QStringLiteral("Gear")); });
  }

  CreateHeading(page, HeadingText(L::Brake), {4, 112, 32, 15}, true);
  LabelBrakeRatio = new QLabel(page);
  LabelBrakeRatio->setObjectName(QStringLiteral("LabelBrakeRatio"));
  LabelBrakeRatio->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  LabelBrakeRatio->setGeometry(Px(152), Px(111), Px(137),
                               std::max(Px(12), LabelBrakeRatio->sizeHint().height()));
  CreateList(page, L::Brake, {4, 128, 289, 33});
  CreateHeading(page, HeadingText(L::Steering), {4, 172, 46, 15}, true);
  CreateList(page, L::Steering, {4, 188, 289, 19});

  CreateHeading(page, QStringLiteral("Comment"), {4, 260, 55, 15}, false);
  MemoComment = new QPlainTextEdit(page);
  MemoComment->setObjectName(QStringLiteral("MemoComment"));
  MemoComment->setGeometry(Px(4), Px(276), Px(529), Px(113));
  MemoComment->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  MemoComment->setTabChangesFocus(true);  // Tab moves on: the keyboard never gets stuck in the box
  MemoComment->setEnabled(false);
  MemoComment->setBackgroundRole(QPalette::Window);
  connect(MemoComment->document(), &QTextDocument::modificationChanged, this, [this] { UpdateCaption(); });
  return page;
}

QWidget* TFormMain::CreateSuspensionPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TabSheetSuspension"));
  CreateHeading(page, HeadingText(L::DamperFront), {4, 4, 45, 15}, false);
  CreateHeading(page, SideText(L::DamperFront), {216, 4, 45, 14}, true)
      ->setAlignment(Qt::AlignRight | Qt::AlignTop);
  CreateHeading(page, SideText(L::DamperRear), {492, 4, 37, 14}, true)
      ->setAlignment(Qt::AlignRight | Qt::AlignTop);
  CreateList(page, L::DamperFront, {4, 20, 261, 61});
  CreateList(page, L::DamperRear, {272, 20, 261, 61});
  CreateHeading(page, HeadingText(L::SpringFront), {4, 88, 36, 15}, false);
  CreateList(page, L::SpringFront, {4, 104, 261, 61});
  CreateList(page, L::SpringRear, {272, 104, 261, 61});
  CreateHeading(page, HeadingText(L::GeometryFront), {4, 172, 53, 15}, false);
  CreateList(page, L::GeometryFront, {4, 188, 261, 61});
  CreateList(page, L::GeometryRear, {272, 188, 261, 47});
  auto* line = new QFrame(page);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  line->setGeometry(Px(4), Px(264), Px(529), Px(5));
  CreateHeading(page, HeadingText(L::Rollbar), {4, 276, 40, 15}, false);
  CreateList(page, L::Rollbar, {4, 292, 261, 37});
  return page;
}

void TFormMain::ConnectListEvents(TSliderListBox& list, TSetupList which) {
  list.OnSliderCustomValue = [this, which](TSliderListBox* sender, int index, QString& s, uint32_t& f) {
    SliderCustomValue(sender, which, index, s, f);
  };
  // The linked edits first, so that they belong to the step of the slide that caused them.
  list.OnSlide = [this, which](TSliderListBox* sender, int index, int32_t, int32_t&) {
    if (which == L::Tyre) SliderListBoxTyreSlide(index);
    if (which == L::Brake) SliderListBoxBrakeSlide();
    SliderSlid(sender, which, index);
  };
  // A drag is one step, made when the button is released.
  list.OnMouseUp = [this](TSliderListBox*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
    if (!pendingStep_.isEmpty()) CommitEdit(pendingStep_);
  };
  list.OnMouseWheel = [](TSliderListBox* sender, Qt::KeyboardModifiers shift, Qt::MouseButtons buttons,
                         int delta, QPoint, bool& handled) {
    SliderListWheel(*sender, shift, buttons, delta);
    handled = true;
  };
  list.OnMouseMove = [this, which](TSliderListBox* sender, Qt::KeyboardModifiers, int x, int y) {
    SliderListHover(*sender, x, y);
    const int index = sender->ItemAtPos(QPoint(x, y), true);
    hovered_ = std::make_pair(which, index);
    RefreshHoverHint();
  };
}

void TFormMain::SizeListColumns() {
  const int ppi = logicalDpiX();
  auto size = [ppi](TSliderListBox* list, double text, double value) {
    list->SetTextWidth(static_cast<uint32_t>(PpiWidth(text, ppi)));
    list->SetValueWidth(static_cast<uint32_t>(PpiWidth(value, ppi)));
  };
  size(List(L::Diff), 1.9, 0.5);
  size(List(L::Tyre), 1.3, 0.5);
  size(List(L::Brake), 1.3, 0.7);
  size(List(L::Steering), 1.3, 0.5);
  for (L list : {L::DamperFront, L::DamperRear, L::SpringFront, L::SpringRear, L::GeometryFront,
                 L::GeometryRear, L::Rollbar})
    size(List(list), 1.35, 0.7);
  // The map lists: by a step that follows the screen's density.
  const int s = qRound(ppi * 14.5 / 96);
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    const auto which = static_cast<L>(i);
    if (which < L::CenterThrottle) continue;  // the twelve map lists come last
    const bool speed = SetupListName(which).find("Speed") != std::string_view::npos;
    lists_[i]->SetTextWidth(static_cast<uint32_t>(std::lround(s * (speed ? 3.7 : 2.4))));
    lists_[i]->SetValueWidth(static_cast<uint32_t>(std::lround(s * 2.3)));
  }
}

void TFormMain::FitAllSliderLists() {
  for (TSliderListBox* list : lists_) FitSliderList(*list);
}

}  // namespace gw
