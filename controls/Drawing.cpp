#include "controls/Drawing.h"

#include <QPainter>
#include <QRect>
#include <algorithm>
#include <cstdlib>
#include <vector>

QRect RectLTRB(int left, int top, int right, int bottom) {
  return QRect(left, top, right - left, bottom - top);
}

void DrawLine(QPainter& painter, int x0, int y0, int x1, int y1) {
  // Bresenham, every pixel but the last; drawn as points so that no antialiasing or pen cap
  // setting of the painter can widen it.
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  std::vector<QPoint> points;
  points.reserve(static_cast<size_t>(std::max(dx, -dy)));
  while (x0 != x1 || y0 != y1) {
    points.emplace_back(x0, y0);
    const int e2 = 2 * err;
    if (e2 >= dy) { err += dy; x0 += sx; }
    if (e2 <= dx) { err += dx; y0 += sy; }
  }
  if (points.empty()) return;
  const bool aa = painter.testRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::Antialiasing, false);
  const QPen saved = painter.pen();
  QPen pen(saved.color());
  pen.setWidth(1);
  pen.setCapStyle(Qt::SquareCap);
  painter.setPen(pen);
  painter.drawPoints(points.data(), static_cast<int>(points.size()));
  painter.setPen(saved);
  painter.setRenderHint(QPainter::Antialiasing, aa);
}
