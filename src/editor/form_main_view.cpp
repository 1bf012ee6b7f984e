// The main window's look: the colour theme and the zoom of the View menu, and the command-line file loaded
// once the window has drawn.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleHints>
#include <QStyleOption>
#include <QTimer>
#include <QWindow>
#include <filesystem>
#include <functional>
#include <system_error>

#include "editor/form_main.h"
#include "editor/settings_file.h"
#include "platform/local_text.h"
#include "platform/paths.h"
#include "widgets/view_zoom.h"

namespace gw {

namespace {

// Runs a call once, on the event loop's next turn after the window first becomes visible on the screen.
class TAfterExpose final : public QObject {
 public:
  TAfterExpose(QWindow* window, std::function<void()> call) : QObject(window), call_(std::move(call)) {
    window->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = qobject_cast<QWindow*>(watched);
    if (event->type() == QEvent::Expose && window && window->isExposed()) {
      window->removeEventFilter(this);
      // Queued: the expose itself paints the window first.
      QTimer::singleShot(0, window, std::move(call_));
      deleteLater();
    }
    return false;
  }

 private:
  std::function<void()> call_;
};

// Dark colours chosen for contrast: text, changed values (Highlight) and tracks all reach 4.5:1 against
// the window and base colours.
QPalette DarkPalette() {
  QPalette p;
  const QColor window(45, 45, 45), base(30, 30, 30), text(232, 232, 232), disabled(128, 128, 128);
  p.setColor(QPalette::Window, window);
  p.setColor(QPalette::WindowText, text);
  p.setColor(QPalette::Base, base);
  p.setColor(QPalette::AlternateBase, QColor(40, 40, 40));
  p.setColor(QPalette::ToolTipBase, QColor(60, 60, 60));
  p.setColor(QPalette::ToolTipText, text);
  p.setColor(QPalette::PlaceholderText, disabled);
  p.setColor(QPalette::Text, text);
  p.setColor(QPalette::Button, QColor(53, 53, 53));
  p.setColor(QPalette::ButtonText, text);
  p.setColor(QPalette::BrightText, QColor(255, 120, 120));
  p.setColor(QPalette::Light, QColor(150, 150, 150));
  p.setColor(QPalette::Midlight, QColor(90, 90, 90));
  p.setColor(QPalette::Mid, QColor(70, 70, 70));
  p.setColor(QPalette::Dark, QColor(160, 160, 160));  // the track's upper edge: must show on the window
  p.setColor(QPalette::Shadow, QColor(10, 10, 10));
  p.setColor(QPalette::Highlight, QColor(94, 163, 234));
  p.setColor(QPalette::HighlightedText, Qt::black);
  p.setColor(QPalette::Link, QColor(110, 175, 240));
  p.setColor(QPalette::LinkVisited, QColor(180, 140, 240));
  for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    p.setColor(QPalette::Disabled, role, disabled);
  p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(80, 80, 80));
  return p;
}

// Fusion on a dark palette: Fusion rims check boxes, radio buttons, text fields and framed lists a shade
// darker than the window, which a dark window swallows; a lighter rim shows where they are.
class TDarkStyle final : public QProxyStyle {
 public:
  TDarkStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    const bool framed = (element == PE_Frame || element == PE_PanelLineEdit) && frame && frame->lineWidth > 0;
    if (element != PE_IndicatorCheckBox && element != PE_IndicatorRadioButton && !framed) return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QPalette::ColorRole role = framed ? QPalette::Midlight : QPalette::PlaceholderText;
    painter->setPen(QPen(option->palette.color(role), 1));
    painter->setBrush(Qt::NoBrush);
    const QRectF rim = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
    if (element == PE_IndicatorRadioButton)
      painter->drawEllipse(rim.adjusted(0.5, 0.5, -0.5, -0.5));
    else
      painter->drawRect(rim);
    painter->restore();
  }
};

// The style and palette the program started with: Light and a light System scheme return to them.
struct TStartLook {
  QString style;
  QPalette palette;
  bool dark = false;
};
const TStartLook& StartLook() {
  static const TStartLook look = [] {
    TStartLook l{QApplication::style()->name(), QApplication::palette(), false};
    const QPalette& p = l.palette;
    l.dark = p.color(QPalette::Window).lightness() < p.color(QPalette::WindowText).lightness();
    return l;
  }();
  return look;
}

bool SystemPrefersDark() {
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
  const Qt::ColorScheme scheme = QGuiApplication::styleHints()->colorScheme();
  if (scheme != Qt::ColorScheme::Unknown) return scheme == Qt::ColorScheme::Dark;
#endif
  return StartLook().dark;  // desktops that report no scheme: their own palette tells
}

constexpr const char* kThemes[] = {"Light", "Dark", "System"};

}  // namespace

void TFormMain::CreateViewMenu() {
  StartLook();  // remembered before any change
  // Where players look for it: after Edit, before Tool; File, Tool and About keep their order.
  auto* view = new QMenu(QStringLiteral("&View"), this);
  menuBar()->insertMenu(ool1->menuAction(), view);
  view->setObjectName(QStringLiteral("MenuView"));
  QMenu* theme = view->addMenu(QStringLiteral("&Theme"));
  theme->setObjectName(QStringLiteral("MenuTheme"));
  auto* group = new QActionGroup(this);
  const QString chosen = ToQ(ProfileIni(settingsFile_).ReadString(kSectionCommon, kKeyTheme, "System"));
  for (const char* name : kThemes) {
    QAction* a = theme->addAction(QLatin1Char('&') + QString::fromLatin1(name));
    a->setObjectName(QStringLiteral("MenuItemTheme") + QString::fromLatin1(name));
    a->setCheckable(true);
    a->setChecked(chosen == QLatin1String(name));
    group->addAction(a);
    connect(a, &QAction::triggered, this, [this, name] {
      ApplyTheme(QString::fromLatin1(name));
      Run([this, name] { ProfileIni(settingsFile_).WriteString(kSectionCommon, kKeyTheme, name); });
    });
  }
  if (!group->checkedAction()) group->actions().back()->setChecked(true);  // an unknown value: System
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
  connect(QGuiApplication::styleHints(), &QStyleHints::colorSchemeChanged, this, [this, group] {
    if (group->checkedAction() == group->actions().back()) ApplyTheme(QStringLiteral("System"));
  });
#endif
  ApplyTheme(group->checkedAction()->objectName().mid(static_cast<int>(qstrlen("MenuItemTheme"))));
  CreateZoomMenu(view);
}

// The program applies the stored zoom before its first window; the menu shows and changes the zoom in
// effect. The keys work in every window of the program.
void TFormMain::CreateZoomMenu(QMenu* view) {
  QMenu* menu = view->addMenu(QStringLiteral("&Zoom"));
  menu->setObjectName(QStringLiteral("MenuZoom"));
  auto add = [this, menu](const QString& caption, const QString& name, QList<QKeySequence> keys) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    a->setShortcuts(keys);
    a->setShortcutContext(Qt::ApplicationShortcut);
    addAction(a);  // the keys work while the menu bar is hidden too
    return a;
  };
  QAction* in = add(QStringLiteral("Zoom &In"), QStringLiteral("ActionZoomIn"),
                    {QKeySequence(QStringLiteral("Ctrl++")), QKeySequence(QStringLiteral("Ctrl+="))});
  QAction* out = add(QStringLiteral("Zoom &Out"), QStringLiteral("ActionZoomOut"),
                     {QKeySequence(QStringLiteral("Ctrl+-"))});
  QAction* reset = add(QStringLiteral("&Reset Zoom"), QStringLiteral("ActionZoomReset"),
                       {QKeySequence(QStringLiteral("Ctrl+0"))});
  menu->addSeparator();
  auto* group = new QActionGroup(this);
  for (int percent = kZoomMinimum; percent <= kZoomMaximum; percent += kZoomStep) {
    QAction* a = menu->addAction(QStringLiteral("%1 %").arg(percent));
    a->setObjectName(QStringLiteral("MenuItemZoom%1").arg(percent));
    a->setCheckable(true);
    a->setData(percent);
    group->addAction(a);
  }
  // Steps at which this window, fixed in size, would not fit its screen are left out: it would be cut.
  auto show = [this, group, in, out] {
    for (QAction* a : group->actions()) {
      const int percent = a->data().toInt();
      a->setChecked(percent == ViewZoom());
      a->setEnabled(percent <= ViewZoom() || FitsAtZoom(*this, percent));
    }
    // Before the window shows, its size is not settled: the key then tries, and zoomTo decides.
    in->setEnabled(ViewZoom() < kZoomMaximum && (!isVisible() || FitsAtZoom(*this, ViewZoom() + kZoomStep)));
    out->setEnabled(ViewZoom() > kZoomMinimum);
  };
  auto zoomTo = [this, show](int percent) {
    if (percent > ViewZoom() && !FitsAtZoom(*this, percent)) return;
    SetViewZoom(percent);
    show();
    const std::string value = std::to_string(ViewZoom());
    Run([this, value] { ProfileIni(settingsFile_).WriteString(kSectionCommon, kKeyZoom, value); });
  };
  connect(in, &QAction::triggered, this, [zoomTo] { zoomTo(ViewZoom() + kZoomStep); });
  connect(out, &QAction::triggered, this, [zoomTo] { zoomTo(ViewZoom() - kZoomStep); });
  connect(reset, &QAction::triggered, this, [zoomTo] { zoomTo(kZoomMinimum); });
  for (QAction* a : group->actions())
    connect(a, &QAction::triggered, this, [zoomTo, a] { zoomTo(a->data().toInt()); });
  // The screen and the zoom may have changed since (another screen, the zoom fitted at start).
  connect(view, &QMenu::aboutToShow, this, show);
  connect(menu, &QMenu::aboutToShow, this, show);
  show();
}

// Qt hands a new application palette to existing widgets only while the event loop runs; the theme read at
// start-up comes before that, so every widget is told here.
static void SetPaletteEverywhere(const QPalette& palette) {
  QApplication::setPalette(palette);
  for (QWidget* widget : QApplication::allWidgets()) {
    QEvent changed(QEvent::ApplicationPaletteChange);
    QCoreApplication::sendEvent(widget, &changed);
  }
}

void TFormMain::ApplyTheme(const QString& theme) {
  const bool dark =
      theme == QLatin1String("Dark") || (theme == QLatin1String("System") && SystemPrefersDark());
  const TStartLook& start = StartLook();
  if (dark == start.dark && !dynamic_cast<TDarkStyle*>(QApplication::style()) &&
      QApplication::style()->name() == start.style) {
    SetPaletteEverywhere(start.palette);
    return;
  }
  if (dark) {
    // Fusion draws every control from the palette; native styles may ignore a dark one.
    if (!dynamic_cast<TDarkStyle*>(QApplication::style())) QApplication::setStyle(new TDarkStyle);
    SetPaletteEverywhere(DarkPalette());
  } else {
    if (dynamic_cast<TDarkStyle*>(QApplication::style()) || QApplication::style()->name() != start.style)
      QApplication::setStyle(QStyleFactory::create(start.style));
    SetPaletteEverywhere(start.dark ? QApplication::style()->standardPalette() : start.palette);
  }
}

void TFormMain::LoadStartFileOverWindow() {
  if (!startFile_ || !FileExists(*startFile_)) return;
  // A name without a folder means the file in the working folder, as the shell meant it; loaded bare it
  // would name the saved-games file of that name.
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(ToFsPath(*startFile_), ec);
  if (!ec) startFile_ = FromFsPath(absolute);
  auto load = [self = QPointer<TFormMain>(this)] {
    if (self) self->Run([self] { self->LoadSetupFile(*self->startFile_); });
  };
  QWindow* window = windowHandle();
  if (window && window->isExposed())
    QTimer::singleShot(0, this, load);
  else if (window)
    new TAfterExpose(window, load);
}

}  // namespace gw
