// Draws the house emblem of the about box.
#include "commands/ui/house_emblem.h"

#include <QPainter>
#include <QPainterPath>

QPixmap HouseEmblem(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 100.0, size / 100.0);  // drawn on a 100 by 100 grid

  // Ground disc.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(220, 234, 245));
  p.drawEllipse(QRectF(4, 4, 92, 92));

  // Walls and roof.
  const QColor ink(44, 62, 80);
  p.setPen(QPen(ink, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(QColor(250, 246, 236));
  p.drawRect(QRectF(24, 46, 52, 36));
  QPainterPath roof;
  roof.moveTo(16, 49);
  roof.lineTo(50, 20);
  roof.lineTo(84, 49);
  roof.closeSubpath();
  p.setBrush(QColor(192, 57, 43));
  p.drawPath(roof);
  // Chimney, drawn after the roof so it stands on it.
  p.setBrush(QColor(149, 165, 166));
  p.drawRect(QRectF(64, 24, 8, 14));

  // Door and two windows.
  p.setBrush(QColor(41, 128, 185));
  p.drawRect(QRectF(44, 60, 12, 22));
  p.setBrush(QColor(241, 196, 15));
  p.drawRect(QRectF(30, 54, 10, 10));
  p.drawRect(QRectF(60, 54, 10, 10));
  p.setPen(QPen(ink, 1.2));
  p.drawLine(QPointF(35, 54), QPointF(35, 64));
  p.drawLine(QPointF(30, 59), QPointF(40, 59));
  p.drawLine(QPointF(65, 54), QPointF(65, 64));
  p.drawLine(QPointF(60, 59), QPointF(70, 59));
  return pixmap;
}
