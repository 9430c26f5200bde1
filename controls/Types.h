// Small types shared by every unit of the widget family (palette page "MAX"): colours in the
// platform's 0x00BBGGRR order, event callables with the sender first, shift state and mouse buttons,
// the alignment and bevel enumerations, the family's font, and the palette registration lists.
#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QPalette>
#include <QString>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

class QWidget;
class QMouseEvent;
class QPainter;
class QRect;

// Enumerations published as properties; the namespace carries their meta-object so that property
// editors can list the names. The using-directive below makes them read as plain family names.
namespace MaxTypes {
Q_NAMESPACE

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
Q_ENUM_NS(TBevelCut)

enum TBorderStyle { bsNone, bsSingle };
Q_ENUM_NS(TBorderStyle)

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
Q_ENUM_NS(TAlign)

enum TMouseButton { mbLeft, mbRight, mbMiddle };
Q_ENUM_NS(TMouseButton)

}  // namespace MaxTypes

using namespace MaxTypes;

// ---- colours -------------------------------------------------------------------------------------

// 0x00BBGGRR: red in bits 0-7, green 8-15, blue 16-23. Values with the top bit set name a system
// colour (low byte = index below), resolved through the palette of the widget that paints it.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clGray = 0x808080;

constexpr TColor clSystemColor = 0x80000000u;
constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;

constexpr bool IsSystemColor(TColor c) { return (c & clSystemColor) != 0; }

constexpr int GetRValue(TColor c) { return static_cast<int>(c & 0xFF); }
constexpr int GetGValue(TColor c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int GetBValue(TColor c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr TColor RGB(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// 0x00BBGGRR <-> 0x00RRGGBB (the program's own colour order); the same swap works both ways.
constexpr TColor SwapRedBlue(TColor c) {
  return (c & 0xFF00u) | ((c & 0xFFu) << 16) | ((c >> 16) & 0xFFu);
}

// The real 0x00BBGGRR value of c; a system colour comes from the palette of `widget` (the
// application's palette when null).
TColor ColorToRGB(TColor c, const QWidget* widget = nullptr);
QColor ToQColor(TColor c, const QWidget* widget = nullptr);
TColor FromQColor(const QColor& c);

// ---- drawing -------------------------------------------------------------------------------------

// A rectangle given by its edges, right and bottom exclusive: RectLTRB(1, 1, W - 1, H - 1).
QRect RectLTRB(int left, int top, int right, int bottom);
// One-pixel line from (x0, y0) towards (x1, y1) in the pen's colour, the end point left out
// (MoveTo/LineTo semantics: (0,0)->(W,0) covers x = 0 ... W-1).
void DrawLine(QPainter& painter, int x0, int y0, int x1, int y1);

// ---- events --------------------------------------------------------------------------------------

// Key state and buttons held during an event.
using TShiftState = unsigned;
constexpr TShiftState ssShift = 1u << 0;
constexpr TShiftState ssAlt = 1u << 1;
constexpr TShiftState ssCtrl = 1u << 2;
constexpr TShiftState ssLeft = 1u << 3;
constexpr TShiftState ssRight = 1u << 4;
constexpr TShiftState ssMiddle = 1u << 5;
constexpr TShiftState ssDouble = 1u << 6;

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton);
// False for buttons the family does not report (back, forward...).
bool MouseButtonOf(Qt::MouseButton button, TMouseButton& out);

using TNotifyEvent = std::function<void(QObject* sender)>;
using TMouseEvent =
    std::function<void(QObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(QObject* sender, TShiftState shift, int x, int y)>;
// key is a Qt::Key value; a handler may change it, 0 swallows the key.
using TKeyEvent = std::function<void(QObject* sender, int& key, TShiftState shift)>;
// key is the typed character; a handler may change it, QChar() swallows it.
using TKeyPressEvent = std::function<void(QObject* sender, QChar& key)>;

// The mouse and click events every control of the family publishes, with the order in which they are
// raised: a press raises OnMouseDown; a double press OnDblClick then OnMouseDown with ssDouble; a left
// release raises OnClick first when the left press started inside and ends inside, then OnMouseUp.
// Controls derive from it and forward their Qt mouse handlers to the Raise functions.
class TMouseEvents {
 public:
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;

 protected:
  void RaiseMouseDown(QObject* sender, const QMouseEvent* event);
  void RaiseDblClick(QObject* sender, const QMouseEvent* event);
  void RaiseMouseMove(QObject* sender, const QMouseEvent* event);
  // `inside` tells whether the release point lies in the control's client area.
  void RaiseMouseUp(QObject* sender, const QMouseEvent* event, bool inside);

 private:
  bool clickArmed_ = false;
};

// ---- fonts ---------------------------------------------------------------------------------------

// The family's texts are Japanese; its font is "ＭＳ Ｐゴシック", which Linux lacks. Call once at
// start (program, gallery, tests) so that Qt draws the IPA gothic faces instead.
void InstallFontSubstitutions();
// "ＭＳ Ｐゴシック" at a character height of 12 pixels, the family's default font.
QFont DefaultFont();
// Font.Height: the negative pixel height of the characters, as the drawing code uses it.
int FontHeight(const QFont& font);
void SetFontHeight(QFont& font, int height);

// ---- palette registration ------------------------------------------------------------------------

struct TPaletteEntry {
  QString page;
  QString className;
  bool operator==(const TPaletteEntry&) const = default;
};
using TPaletteList = std::vector<TPaletteEntry>;

// Appends the classes to `palette` under `page`, in the given order.
void RegisterComponents(TPaletteList& palette, const QString& page,
                        std::initializer_list<const char*> classNames);

// One Register function per unit, each adding its classes under page "MAX".
namespace PPanel { void Register(TPaletteList& palette); }
namespace MaxColor { void Register(TPaletteList& palette); }
namespace MaxFile { void Register(TPaletteList& palette); }
namespace MaxBtn { void Register(TPaletteList& palette); }
namespace MaxEdit { void Register(TPaletteList& palette); }
namespace MaxGroup { void Register(TPaletteList& palette); }
namespace MaxList { void Register(TPaletteList& palette); }

// The whole family in palette order.
inline TPaletteList FamilyPalette() {
  TPaletteList palette;
  PPanel::Register(palette);
  MaxColor::Register(palette);
  MaxFile::Register(palette);
  MaxBtn::Register(palette);
  MaxEdit::Register(palette);
  MaxGroup::Register(palette);
  MaxList::Register(palette);
  return palette;
}
