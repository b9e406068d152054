#include "app/toolbar_icons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

namespace {
const QColor kPaper(250, 250, 245);
const QColor kInk(52, 73, 94);
const QColor kBlue(41, 128, 185);
const QColor kGreen(39, 174, 96);
const QColor kOrange(230, 126, 34);
const QColor kRed(192, 57, 43);

// A sheet of paper with a folded corner, the base of the card pictures.
void Sheet(QPainter& p, const QRectF& r) {
  QPainterPath path;
  const qreal fold = r.width() * 0.28;
  path.moveTo(r.topLeft());
  path.lineTo(r.right() - fold, r.top());
  path.lineTo(r.right(), r.top() + fold);
  path.lineTo(r.bottomRight());
  path.lineTo(r.bottomLeft());
  path.closeSubpath();
  p.setPen(QPen(kInk, 2));
  p.setBrush(kPaper);
  p.drawPath(path);
  p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
  p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
  p.setPen(QPen(kInk.lighter(180), 2));
  for (int i = 0; i < 3; ++i) {
    const qreal y = r.top() + r.height() * (0.45 + 0.17 * i);
    p.drawLine(QPointF(r.left() + 6, y), QPointF(r.right() - 6, y));
  }
}

void Badge(QPainter& p, const QPointF& centre, qreal radius, const QColor& colour) {
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawEllipse(centre, radius, radius);
}

void Draw(QPainter& p, ToolbarPicture picture) {
  switch (picture) {
    case ToolbarPicture::Register: {
      Sheet(p, QRectF(8, 4, 30, 40));
      Badge(p, QPointF(36, 36), 11, kGreen);
      p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(36, 30), QPointF(36, 42));
      p.drawLine(QPointF(30, 36), QPointF(42, 36));
      break;
    }
    case ToolbarPicture::Modify: {
      Sheet(p, QRectF(8, 4, 30, 40));
      p.save();
      p.translate(33, 30);
      p.rotate(45);
      p.setPen(QPen(kInk, 1.5));
      p.setBrush(kOrange);
      p.drawRect(QRectF(-4, -18, 8, 26));
      p.setBrush(kPaper);
      QPainterPath tip;
      tip.moveTo(-4, 8);
      tip.lineTo(4, 8);
      tip.lineTo(0, 15);
      tip.closeSubpath();
      p.drawPath(tip);
      p.restore();
      break;
    }
    case ToolbarPicture::Refresh: {
      p.setPen(QPen(kBlue, 5, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      const QRectF circle(9, 9, 32, 32);
      p.drawArc(circle, 40 * 16, 150 * 16);
      p.drawArc(circle, 220 * 16, 150 * 16);
      p.setPen(Qt::NoPen);
      p.setBrush(kBlue);
      p.drawPolygon(QPolygonF({QPointF(35, 4), QPointF(44, 15), QPointF(31, 17)}));
      p.drawPolygon(QPolygonF({QPointF(15, 46), QPointF(6, 35), QPointF(19, 33)}));
      break;
    }
    case ToolbarPicture::Export: {
      p.setPen(QPen(kInk, 2));
      p.setBrush(kPaper);
      p.drawRect(QRectF(5, 8, 30, 34));
      p.setPen(QPen(kGreen.darker(110), 1.5));
      for (int i = 1; i < 4; ++i) p.drawLine(QPointF(5, 8 + 8.5 * i), QPointF(35, 8 + 8.5 * i));
      p.drawLine(QPointF(17, 8), QPointF(17, 42));
      p.setPen(Qt::NoPen);
      p.setBrush(kGreen);
      p.drawPolygon(QPolygonF({QPointF(27, 22), QPointF(37, 22), QPointF(37, 15), QPointF(47, 27), QPointF(37, 39),
                               QPointF(37, 32), QPointF(27, 32)}));
      break;
    }
    case ToolbarPicture::Ranking: {
      p.setPen(QPen(kInk, 1.5));
      p.setBrush(kBlue.lighter(130));
      p.drawRect(QRectF(4, 24, 13, 20));
      p.setBrush(kOrange);
      p.drawRect(QRectF(18, 12, 14, 32));
      p.setBrush(kGreen.lighter(120));
      p.drawRect(QRectF(33, 30, 13, 14));
      p.setPen(QPen(Qt::white, 1));
      QFont f = p.font();
      f.setBold(true);
      f.setPixelSize(11);
      p.setFont(f);
      p.drawText(QRectF(18, 14, 14, 14), Qt::AlignCenter, QStringLiteral("1"));
      p.drawText(QRectF(4, 26, 13, 14), Qt::AlignCenter, QStringLiteral("2"));
      p.drawText(QRectF(33, 31, 13, 13), Qt::AlignCenter, QStringLiteral("3"));
      break;
    }
    case ToolbarPicture::List: {
      p.setPen(QPen(kInk, 2));
      p.setBrush(kPaper);
      p.drawRect(QRectF(13, 4, 24, 16));
      p.setBrush(QColor(149, 165, 166));
      p.drawRoundedRect(QRectF(4, 18, 42, 18), 4, 4);
      p.setBrush(kPaper);
      p.drawRect(QRectF(13, 30, 24, 16));
      p.setPen(QPen(kInk.lighter(180), 1.5));
      for (int i = 0; i < 3; ++i) p.drawLine(QPointF(16, 35 + 4 * i), QPointF(34, 35 + 4 * i));
      Badge(p, QPointF(40, 23), 2, kGreen);
      break;
    }
    case ToolbarPicture::About: {
      Badge(p, QPointF(25, 25), 20, kBlue);
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::white);
      p.drawEllipse(QPointF(25, 14), 3.5, 3.5);
      p.drawRoundedRect(QRectF(21.5, 21, 7, 18), 2, 2);
      break;
    }
    case ToolbarPicture::Exit: {
      p.setPen(QPen(kInk, 2));
      p.setBrush(QColor(160, 110, 70));
      p.drawRect(QRectF(6, 5, 24, 40));
      Badge(p, QPointF(25, 26), 2, kPaper);
      p.setPen(Qt::NoPen);
      p.setBrush(kRed);
      p.drawPolygon(QPolygonF({QPointF(26, 21), QPointF(36, 21), QPointF(36, 14), QPointF(47, 25), QPointF(36, 36),
                               QPointF(36, 29), QPointF(26, 29)}));
      break;
    }
  }
}

// Paints the picture for each size and screen it is asked for, so a scaled screen (150 %,
// 200 %) gets a picture drawn at its own pixels rather than a small one stretched.
class PictureEngine : public QIconEngine {
 public:
  PictureEngine(ToolbarPicture picture, int size) : picture_(picture), size_(size) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal ratio = painter->device() != nullptr ? painter->device()->devicePixelRatioF() : 1.0;
    QPixmap picture = pixmap(rect.size() * ratio, mode, state);
    picture.setDevicePixelRatio(ratio);
    painter->drawPixmap(rect, picture);
  }

  // `size` is in the screen's own pixels: the icon asks for the logical size times the
  // screen's device pixel ratio and marks the ratio on the pixmap itself.
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
    const int pixels = std::max(1, std::min(size.width(), size.height()));
    QPixmap picture(pixels, pixels);
    picture.fill(Qt::transparent);
    {
      QPainter p(&picture);
      p.setRenderHint(QPainter::Antialiasing);
      p.scale(pixels / 50.0, pixels / 50.0);
      Draw(p, picture_);
    }
    if (mode == QIcon::Normal || mode == QIcon::Active) return picture;
    // The style greys a disabled command's picture as it does any other icon's.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
      QStyleOption option;
      option.palette = QApplication::palette();
      return QApplication::style()->generatedIconPixmap(mode, picture, &option);
    }
    return picture;
  }

  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    const int side = std::min(size.width(), size.height());
    return QSize(side, side);
  }

  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {QSize(size_, size_)}; }

  QIconEngine* clone() const override { return new PictureEngine(picture_, size_); }
  QString key() const override { return QStringLiteral("tesaro-toolbar-picture"); }

 private:
  ToolbarPicture picture_;
  int size_;
};
}  // namespace

QIcon ToolbarIcon(ToolbarPicture picture, int size) { return QIcon(new PictureEngine(picture, size)); }
