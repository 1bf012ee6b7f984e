// The zoom is Qt's own per-screen scale factor, set at run time: every size the windows fix at
// construction is in device-independent pixels, so a larger factor lays them out again at the larger
// size without rebuilding a window (the open file, unsaved positions and undo stack stay).
#include "widgets/view_zoom.h"

#include <private/qhighdpiscaling_p.h>
#include <qpa/qplatformwindow.h>
#include <qpa/qwindowsysteminterface.h>
#include <QApplication>
#include <QBackingStore>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <utility>

namespace gw {

namespace {

int zoom = kZoomMinimum;

int ClampZoom(int percent) {
  const int clamped = std::clamp(percent, kZoomMinimum, kZoomMaximum);
  return kZoomMinimum + (clamped - kZoomMinimum + kZoomStep / 2) / kZoomStep * kZoomStep;
}

// The scale a screen had before the first zoom, kept on the screen itself so it goes with it.
constexpr const char* kBaseRatio = "gwBaseRatio";
qreal BaseRatio(QScreen* screen) {
  bool known = false;
  const qreal ratio = screen->property(kBaseRatio).toReal(&known);
  if (known) return ratio;
  screen->setProperty(kBaseRatio, screen->devicePixelRatio());
  return screen->devicePixelRatio();
}

void ApplyToScreen(QScreen* screen) {
  const qreal wanted = BaseRatio(screen) * zoom / 100.0;
  // The screen factor replaces the platform's own scale and is multiplied by the global one
  // (QT_SCALE_FACTOR), which Qt does not tell: set, measure, correct.
  QHighDpiScaling::setScreenFactor(screen, wanted);
  const qreal got = screen->devicePixelRatio();
  if (!qFuzzyCompare(got, wanted)) QHighDpiScaling::setScreenFactor(screen, wanted * wanted / got);
}

// The window's former size in device-independent pixels, never below what its controls need (a size
// squeezed by the screen at a larger zoom grows back), its top-left corner kept where it is on the screen,
// the whole (frame included) within the screen's free area.
QRect Refitted(const QWindow& window, QSize size, QSize minimum) {
  QRect rect(window.geometry().topLeft(), size.expandedTo(minimum));
  const QScreen* screen = window.screen();
  if (!screen) return rect;
  const QMargins frame = window.frameMargins();
  const QRect free = screen->availableGeometry() - frame;
  rect.setSize(rect.size().boundedTo(free.size()));
  if (rect.right() > free.right()) rect.moveRight(free.right());
  if (rect.bottom() > free.bottom()) rect.moveBottom(free.bottom());
  if (rect.left() < free.left()) rect.moveLeft(free.left());
  if (rect.top() < free.top()) rect.moveTop(free.top());
  return rect;
}

// Screens plugged in later take the zoom too.
void WatchNewScreens() {
  static bool watching = false;
  if (std::exchange(watching, true)) return;
  QObject::connect(qApp, &QGuiApplication::screenAdded, qApp, [](QScreen* screen) {
    if (zoom != kZoomMinimum) ApplyToScreen(screen);
  });
}

}  // namespace

int ZoomFromText(const QString& text) {
  bool number = false;
  const int percent = text.trimmed().toInt(&number);
  return number ? ClampZoom(percent) : kZoomMinimum;
}

int ViewZoom() {
  return zoom;
}

void SetViewZoom(int percent) {
  percent = ClampZoom(percent);
  if (percent == zoom) return;
  zoom = percent;
  WatchNewScreens();

  struct TWindow {
    QPointer<QWidget> widget;
    QSize size;
  };
  QList<TWindow> windows;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (QWindow* window = widget->windowHandle()) windows.append({widget, window->geometry().size()});
  for (QScreen* screen : QGuiApplication::screens()) ApplyToScreen(screen);

  for (const TWindow& w : windows) {
    if (!w.widget) continue;
    QWindow* window = w.widget->windowHandle();
    if (!window) continue;
    if (!w.widget->isVisible()) {
      // Placed when shown again; only its pixels are sized anew (below).
    } else if (window->windowStates() & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
      // The system keeps the window's pixels; the widgets learn the size they now have.
      if (window->handle())
        QWindowSystemInterface::handleGeometryChange<QWindowSystemInterface::SynchronousDelivery>(
            window, window->handle()->geometry());
    } else {
      window->setGeometry(Refitted(*window, w.size, w.widget->minimumSize()));
    }
    // The backing store keeps its pixel size while the window's size in device-independent pixels
    // stays. Any other size makes the next paint size it again at the new scale, and paint it all.
    if (QBackingStore* store = w.widget->backingStore()) store->resize(QSize(1, 1));
    w.widget->update();
  }
}

bool FitsAtZoom(const QWidget& window, int percent) {
  const QScreen* screen = window.screen();
  if (!screen) return true;
  // A window not shown yet has no frame: a title bar's height stands in for it.
  const QSize frame = window.isVisible() ? window.frameGeometry().size() - window.size()
                                         : QSize(0, window.style()->pixelMetric(QStyle::PM_TitleBarHeight));
  // In device-independent pixels of the present zoom, the window grows and the screen stays.
  const QSize need = (window.size() + frame) * (static_cast<qreal>(ClampZoom(percent)) / zoom);
  const QSize room = screen->availableGeometry().size();
  return need.width() <= room.width() && need.height() <= room.height();
}

void FitViewZoom(const QWidget& window) {
  while (zoom > kZoomMinimum && !FitsAtZoom(window, zoom)) SetViewZoom(zoom - kZoomStep);
}

}  // namespace gw
