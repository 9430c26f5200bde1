#include "controls/Types.h"

#include <QApplication>
#include <QFontInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QRect>
#include <cstdlib>
#include <vector>
#include <QWidget>

namespace {

QPalette PaletteOf(const QWidget* widget) {
  return widget ? widget->palette() : QApplication::palette();
}

// System colour index -> palette role. Button highlight and shadow are the light and dark edges of a
// 3-D frame, the dark 3-D shadow is the outermost black line.
QColor SystemColor(TColor c, const QPalette& palette) {
  switch (c & 0xFF) {
    // The palette has no scroll-bar role; a track a shade darker than the button face, as the
    // platform draws it (200, 200, 200 beside a face of 240).
    case 0: return palette.color(QPalette::Button).darker(120);
    case 2: return palette.color(QPalette::Active, QPalette::Highlight);
    case 5: return palette.color(QPalette::Base);
    case 8: return palette.color(QPalette::Text);
    case 13: return palette.color(QPalette::Highlight);
    case 14: return palette.color(QPalette::HighlightedText);
    case 15: return palette.color(QPalette::Button);
    case 16: return palette.color(QPalette::Dark);
    case 17: return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: return palette.color(QPalette::ButtonText);
    case 20: return palette.color(QPalette::Light);
    case 21: return palette.color(QPalette::Shadow);
    case 22: return palette.color(QPalette::Midlight);
    default: return palette.color(QPalette::Window);
  }
}

}  // namespace

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

TColor FromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

QColor ToQColor(TColor c, const QWidget* widget) {
  if (IsSystemColor(c)) return SystemColor(c, PaletteOf(widget));
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

TColor ColorToRGB(TColor c, const QWidget* widget) {
  return IsSystemColor(c) ? FromQColor(ToQColor(c, widget)) : (c & 0xFFFFFF);
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState s = 0;
  if (modifiers & Qt::ShiftModifier) s |= ssShift;
  if (modifiers & Qt::AltModifier) s |= ssAlt;
  if (modifiers & Qt::ControlModifier) s |= ssCtrl;
  if (buttons & Qt::LeftButton) s |= ssLeft;
  if (buttons & Qt::RightButton) s |= ssRight;
  if (buttons & Qt::MiddleButton) s |= ssMiddle;
  return s;
}

bool MouseButtonOf(Qt::MouseButton button, TMouseButton& out) {
  switch (button) {
    case Qt::LeftButton: out = mbLeft; return true;
    case Qt::RightButton: out = mbRight; return true;
    case Qt::MiddleButton: out = mbMiddle; return true;
    default: return false;
  }
}

void TMouseEvents::RaiseMouseDown(QObject* sender, const QMouseEvent* event) {
  TMouseButton button;
  if (!MouseButtonOf(event->button(), button)) return;
  if (button == mbLeft) clickArmed_ = true;
  const QPoint p = event->position().toPoint();
  if (OnMouseDown) OnMouseDown(sender, button, ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
}

void TMouseEvents::RaiseDblClick(QObject* sender, const QMouseEvent* event) {
  TMouseButton button;
  if (!MouseButtonOf(event->button(), button)) return;
  if (button == mbLeft && OnDblClick) OnDblClick(sender);
  const QPoint p = event->position().toPoint();
  if (OnMouseDown) {
    OnMouseDown(sender, button, ShiftStateOf(event->modifiers(), event->buttons()) | ssDouble, p.x(), p.y());
  }
}

void TMouseEvents::RaiseMouseMove(QObject* sender, const QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (OnMouseMove) OnMouseMove(sender, ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
}

void TMouseEvents::RaiseMouseUp(QObject* sender, const QMouseEvent* event, bool inside) {
  TMouseButton button;
  if (!MouseButtonOf(event->button(), button)) return;
  if (button == mbLeft) {
    const bool click = clickArmed_ && inside;
    clickArmed_ = false;
    if (click && OnClick) OnClick(sender);
  }
  const QPoint p = event->position().toPoint();
  if (OnMouseUp) OnMouseUp(sender, button, ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
}

void InstallFontSubstitutions() {
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                             {QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic")});
  QFont::insertSubstitutions(QStringLiteral("MS PGothic"),
                             {QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic")});
  QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"),
                             {QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic")});
  // The about box's title face; Liberation Serif has its metrics, so the title fits its frame.
  QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                             {QStringLiteral("Liberation Serif"), QStringLiteral("Tinos")});
}

QFont DefaultFont() {
  QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
  font.setPixelSize(12);
  return font;
}

int FontHeight(const QFont& font) {
  return font.pixelSize() > 0 ? -font.pixelSize() : -QFontInfo(font).pixelSize();
}

void SetFontHeight(QFont& font, int height) { font.setPixelSize(height < 0 ? -height : height); }

void RegisterComponents(TPaletteList& palette, const QString& page,
                        std::initializer_list<const char*> classNames) {
  for (const char* name : classNames) palette.push_back({page, QString::fromLatin1(name)});
}
