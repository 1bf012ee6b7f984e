#include "editor/form_icons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <utility>

namespace gw {

namespace {

// Draws on a 16 x 16 grid at whatever size and screen scale the icon is shown, when it is first shown
// there, so the icon is drawn at the screen's own pixel ratio rather than stretched from another size.
// Drawing every common scale up front cost more at start-up than the rest of the toolbar.
class TDrawnIconEngine final : public QIconEngine {
 public:
  using TPaint = std::function<void(QPainter&)>;
  explicit TDrawnIconEngine(std::shared_ptr<const TPaint> paint) : paint_(std::move(paint)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal scale = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
    painter->drawPixmap(rect, scaledPixmap(rect.size() * scale, mode, state, scale));
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return scaledPixmap(size, mode, state, 1.0);
  }

  // `size` is in the screen's own pixels. Only the drawing is kept: a disabled or active look comes from
  // the style and palette of the moment, which the View menu can change.
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal) override {
    const int side = std::max(1, std::min(size.width(), size.height()));
    QPixmap& pixmap = drawn_[side];
    if (pixmap.isNull()) {
      pixmap = QPixmap(side, side);
      pixmap.fill(Qt::transparent);
      QPainter p(&pixmap);
      p.setRenderHint(QPainter::Antialiasing);
      p.scale(side / 16.0, side / 16.0);
      (*paint_)(p);
    }
    if (mode == QIcon::Normal) return pixmap;
    QStyleOption option;
    option.palette = QApplication::palette();
    const QPixmap generated = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
    return generated.isNull() ? pixmap : generated;
  }

  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    const int side = std::min(size.width(), size.height());
    return QSize(side, side);
  }

  // The sizes of the common screen scales.
  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    QList<QSize> sizes;
    for (qreal scale : {1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0})
      sizes << QSize(qRound(16 * scale), qRound(16 * scale));
    return sizes;
  }

  QString key() const override { return QStringLiteral("gw-drawn"); }
  QIconEngine* clone() const override { return new TDrawnIconEngine(paint_); }

 private:
  std::shared_ptr<const TPaint> paint_;
  std::map<int, QPixmap> drawn_;  // by side
};

QIcon Draw(TDrawnIconEngine::TPaint paint) {
  return QIcon(new TDrawnIconEngine(std::make_shared<const TDrawnIconEngine::TPaint>(std::move(paint))));
}

}  // namespace

QIcon SaveIcon() {
  return Draw([](QPainter& p) {
    // A floppy disk: blue body, white label, grey shutter.
    p.setPen(QPen(QColor(30, 60, 120), 1));
    p.setBrush(QColor(52, 101, 164));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 2, 8, 5));
    p.setBrush(QColor(186, 189, 182));
    p.drawRect(QRectF(4.5, 9.5, 7, 5));
    p.setBrush(QColor(52, 101, 164));
    p.drawRect(QRectF(9, 10.5, 1.5, 3));
  });
}

QIcon ReloadIcon() {
  return Draw([](QPainter& p) {
    // A circular arrow.
    QPen pen(QColor(46, 125, 50), 2.2);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 60 * 16, 280 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(46, 125, 50));
    QPainterPath head;
    head.moveTo(9.0, 0.5);
    head.lineTo(14.5, 3.2);
    head.lineTo(9.5, 7.0);
    head.closeSubpath();
    p.drawPath(head);
  });
}

// The dark parts of an icon get a light rim, so they stand out on a dark tool bar too.
const QColor kRim(238, 238, 236);

QIcon GameOptionIcon() {
  return Draw([](QPainter& p) {
    // A cog wheel.
    p.translate(8, 8);
    QPainterPath cog;
    cog.addEllipse(QPointF(0, 0), 5.2, 5.2);
    for (int i = 0; i < 8; ++i) {
      QPainterPath tooth;
      tooth.addRect(QRectF(-1.6, -7.5, 3.2, 4));
      cog = cog.united(QTransform().rotate(45 * i).map(tooth));
    }
    p.strokePath(cog, QPen(kRim, 1.2));
    p.fillPath(cog, QColor(85, 87, 83));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(238, 238, 236));
    p.drawEllipse(QPointF(0, 0), 2.2, 2.2);
  });
}

QIcon RunIcon() {
  return Draw([](QPainter& p) {
    // A chequered flag on its pole.
    p.setPen(QPen(kRim, 2.6));
    p.drawLine(QPointF(2.5, 1.5), QPointF(2.5, 15));
    p.setPen(QPen(QColor(60, 60, 60), 1.4));
    p.drawLine(QPointF(2.5, 1.5), QPointF(2.5, 15));
    for (int row = 0; row < 3; ++row)
      for (int col = 0; col < 4; ++col)
        p.fillRect(QRectF(3.5 + col * 2.8, 2 + row * 2.6, 2.8, 2.6),
                   (row + col) % 2 ? QColor(255, 255, 255) : QColor(20, 20, 20));
    p.setPen(QPen(QColor(20, 20, 20), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(3.5, 2, 11.2, 7.8));
  });
}

}  // namespace gw
