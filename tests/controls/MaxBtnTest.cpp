// TMaxButton, TMaxCheck and TMaxTrack as a user meets them: clicks, groups, pixels.
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <cmath>
#include <memory>
#include <vector>

#include "controls/Colors.h"
#include "controls/MaxBtn.h"
#include "controls/MaxCheck.h"
#include "controls/MaxTrack.h"
#include "tests/common/QtTestRegistry.h"

namespace {

// Distinct 3-D colours, so that every line of a look can be told by its pixel.
QPalette TestPalette() {
  QPalette pal;
  pal.setColor(QPalette::Button, QColor(192, 192, 192));
  pal.setColor(QPalette::Light, QColor(255, 255, 250));
  pal.setColor(QPalette::Midlight, QColor(220, 220, 215));
  pal.setColor(QPalette::Dark, QColor(128, 128, 120));
  pal.setColor(QPalette::Shadow, QColor(10, 10, 5));
  pal.setColor(QPalette::Base, QColor(255, 255, 255));
  pal.setColor(QPalette::Text, QColor(0, 0, 0));
  pal.setColor(QPalette::ButtonText, QColor(0, 0, 0));
  pal.setColor(QPalette::WindowText, QColor(0, 0, 0));
  pal.setColor(QPalette::Window, QColor(192, 192, 192));
  return pal;
}

QImage Grab(QWidget& w) { return w.grab().toImage().convertToFormat(QImage::Format_RGB32); }

QRgb Rgb(int r, int g, int b) { return qRgb(r, g, b); }

struct Form {
  QWidget parent;
  Form() {
    parent.setPalette(TestPalette());
    parent.resize(300, 200);
  }
};

}  // namespace

class TMaxButtonTest : public QObject {
  Q_OBJECT

 private slots:
  void buttonWithoutGroupIgnoresDown() {
    Form f;
    TMaxButton b(&f.parent);
    const QImage before = Grab(b);
    b.SetDown(true);
    QVERIFY(!b.GetDown());
    QVERIFY(b.setProperty("Down", true));
    QVERIFY(!b.GetDown());
    QCOMPARE(Grab(b), before);

    // A latched button taken out of its group comes up, and stays a plain push button.
    b.SetGroupIndex(5);
    b.SetDown(true);
    QVERIFY(b.GetDown());
    b.SetGroupIndex(0);
    QVERIFY(!b.GetDown());
    QCOMPARE(Grab(b), before);
  }

  void groupOfThree_data() {
    QTest::addColumn<bool>("allowAllUp");
    QTest::newRow("AllowAllUp false") << false;
    QTest::newRow("AllowAllUp true") << true;
  }

  // Clicking moves the down state; clicking the down button again releases it only with AllowAllUp,
  // and AllowAllUp set on one button reaches the whole group.
  void groupOfThree() {
    QFETCH(bool, allowAllUp);
    Form f;
    std::vector<std::unique_ptr<TMaxButton>> group;
    for (int i = 0; i < 3; ++i) {
      group.push_back(std::make_unique<TMaxButton>(&f.parent));
      group[i]->move(0, 20 * i);
      group[i]->SetGroupIndex(1);
    }
    TMaxButton other(&f.parent);  // a button of another group is left alone
    other.move(100, 0);
    other.SetGroupIndex(2);
    other.SetDown(true);
    f.parent.show();
    group[2]->SetAllowAllUp(allowAllUp);
    for (auto& b : group) QCOMPARE(b->GetAllowAllUp(), allowAllUp);
    QCOMPARE(other.GetAllowAllUp(), false);

    int clicks = 0;
    for (auto& b : group) b->OnClick = [&](QObject*) { ++clicks; };
    const auto downs = [&] {
      return QList<bool>{group[0]->GetDown(), group[1]->GetDown(), group[2]->GetDown()};
    };
    QTest::mouseClick(group[0].get(), Qt::LeftButton, {}, QPoint(10, 8));
    QCOMPARE(downs(), (QList<bool>{true, false, false}));
    QTest::mouseClick(group[1].get(), Qt::LeftButton, {}, QPoint(10, 8));
    QCOMPARE(downs(), (QList<bool>{false, true, false}));
    QVERIFY(!group[0]->IsDrawnDown());
    QTest::mouseClick(group[1].get(), Qt::LeftButton, {}, QPoint(10, 8));
    QCOMPARE(downs(), (QList<bool>{false, !allowAllUp, false}));
    QCOMPARE(group[1]->IsDrawnDown(), !allowAllUp);
    QCOMPARE(clicks, 3);
    QVERIFY(other.GetDown());
  }

  // A press dragged out and released outside is no click, and leaves the button drawn up.
  void dragOutAndReleaseOutsideIsNoClick() {
    Form f;
    TMaxButton b(&f.parent);
    f.parent.show();
    const QImage up = Grab(b);
    QStringList events;
    b.OnClick = [&](QObject*) { events << "click"; };
    b.OnMouseDown = [&](QObject*, TMouseButton, TShiftState, int, int) {
      events << QString("down:%1").arg(b.IsDrawnDown());
    };
    b.OnMouseUp = [&](QObject*, TMouseButton, TShiftState, int, int) { events << "up"; };
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(10, 8));
    QVERIFY(b.IsDrawnDown());
    QMouseEvent move(QEvent::MouseMove, QPointF(100, 8), b.mapToGlobal(QPointF(100, 8)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&b, &move);
    QVERIFY(!b.IsDrawnDown());
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(100, 8));
    QCOMPARE(events, (QStringList{"down:0", "up"}));
    QCOMPARE(Grab(b), up);

    // Released outside without any move in between: still no click, still drawn up.
    events.clear();
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(10, 8));
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(10, 40));
    QCOMPARE(events, (QStringList{"down:0", "up"}));
    QCOMPARE(Grab(b), up);

    // Released inside: the click comes before OnMouseUp.
    events.clear();
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(10, 8));
    QCOMPARE(events, (QStringList{"down:0", "click", "up"}));
  }

  void gradationRows_data() {
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<TColor>("color");
    QTest::addColumn<QRgb>("first");
    QTest::addColumn<QRgb>("last");
    // H = 16: rows i = 0 .. 12. Up: channel * (48 - i) / 48; pressed: channel * (32 + i) / 48.
    QTest::newRow("up, own colour") << false << RGB(200, 100, 40) << Rgb(200, 100, 40) << Rgb(150, 75, 30);
    QTest::newRow("pressed, own colour") << true << RGB(200, 100, 40) << Rgb(133, 66, 26) << Rgb(183, 91, 36);
    // Button face 192 is raised by a quarter to 240 first.
    QTest::newRow("up, button face") << false << clBtnFace << Rgb(240, 240, 240) << Rgb(180, 180, 180);
    QTest::newRow("pressed, button face") << true << clBtnFace << Rgb(160, 160, 160) << Rgb(220, 220, 220);
  }

  void gradationRows() {
    QFETCH(bool, pressed);
    QFETCH(TColor, color);
    QFETCH(QRgb, first);
    QFETCH(QRgb, last);
    Form f;
    TMaxButton b(&f.parent);
    b.SetStyle(mbsGradation);
    b.SetColor(color);
    b.SetGroupIndex(pressed ? 7 : 0);
    b.SetDown(pressed);
    const QImage img = Grab(b);
    QCOMPARE(img.size(), QSize(64, 16));
    const int x0 = pressed ? 2 : 1, x1 = pressed ? 62 : 61;  // inclusive
    const int y0 = pressed ? 2 : 1, y1 = pressed ? 14 : 13;
    for (int x = x0; x <= x1; ++x) {
      QCOMPARE(img.pixel(x, y0), first);
      QCOMPARE(img.pixel(x, y1), last);
    }
    const QRgb light = Rgb(255, 255, 250), shadow = Rgb(128, 128, 120), dark = Rgb(10, 10, 5);
    if (pressed) {
      QCOMPARE(img.pixel(5, 0), dark);
      QCOMPARE(img.pixel(5, 1), shadow);
      QCOMPARE(img.pixel(5, 15), light);
      QCOMPARE(img.pixel(63, 5), light);
    } else {
      QCOMPARE(img.pixel(5, 0), light);
      QCOMPARE(img.pixel(5, 14), shadow);
      QCOMPARE(img.pixel(5, 15), dark);
      QCOMPARE(img.pixel(62, 5), shadow);
      QCOMPARE(img.pixel(63, 5), dark);
    }
  }

  void glyphMovesOrInvertsWhenPressed_data() {
    QTest::addColumn<TMaxButtonStyle>("style");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QRgb>("ink");
    QTest::newRow("default") << mbsDefault << 1 << Rgb(255, 0, 0);
    QTest::newRow("invert") << mbsInvert << 0 << Rgb(0, 255, 255);
  }

  void glyphMovesOrInvertsWhenPressed() {
    QFETCH(TMaxButtonStyle, style);
    QFETCH(int, offset);
    QFETCH(QRgb, ink);
    Form f;
    TMaxButton b(&f.parent);
    b.resize(20, 20);
    b.SetStyle(style);
    b.SetCaption("never drawn");
    QImage glyph(4, 4, QImage::Format_RGB32);
    glyph.fill(Qt::red);
    b.SetGlyph(&glyph);
    glyph.fill(Qt::blue);  // the button keeps its own copy
    f.parent.show();
    QImage img = Grab(b);
    QCOMPARE(img.pixel(8, 8), Rgb(255, 0, 0));
    QCOMPARE(img.pixel(11, 11), Rgb(255, 0, 0));
    QCOMPARE(img.pixel(12, 12), Rgb(192, 192, 192));
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(3, 3));
    img = Grab(b);
    QCOMPARE(img.pixel(8 + offset, 8 + offset), ink);
    QCOMPARE(img.pixel(11 + offset, 11 + offset), ink);
    if (offset) QVERIFY(img.pixel(8, 8) != ink);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(3, 3));
    b.SetGlyph(nullptr);
    QVERIFY(b.GetGlyph().isNull());
  }

  // The captions move two pixels when pressed; a disabled caption is drawn in two colours.
  void captionsFollowTheState() {
    Form f;
    TMaxButton b(&f.parent);
    b.resize(80, 20);
    b.SetCaption("Ab");
    b.SetCaption2("9");
    b.SetGroupIndex(3);
    const QImage up = Grab(b);
    b.SetDown(true);
    const QImage down = Grab(b);
    QVERIFY(up != down);
    b.SetDown(false);  // refused without AllowAllUp
    QVERIFY(b.GetDown());
    b.SetAllowAllUp(true);
    b.SetDown(false);
    QVERIFY(!b.GetDown());
    QCOMPARE(Grab(b), up);
    b.setEnabled(false);
    const QImage disabled = Grab(b);
    bool highlightText = false;
    for (int y = 2; y < 18; ++y) {
      for (int x = 4; x < 76; ++x) highlightText |= disabled.pixel(x, y) == Rgb(255, 255, 250);
    }
    QVERIFY(highlightText);
  }
};
PARTWELL_QTEST(TMaxButtonTest)

class TMaxCheckTest : public QObject {
  Q_OBJECT

 private slots:
  void clickInvertsOnceAndReportsInOrder() {
    Form f;
    TMaxCheck c(&f.parent);
    f.parent.show();
    QStringList events;
    c.OnChange = [&](QObject*) { events << QString("change:%1").arg(c.GetChecked()); };
    c.OnClick = [&](QObject*) { events << "click"; };
    c.OnMouseUp = [&](QObject*, TMouseButton, TShiftState, int, int) { events << "up"; };
    QTest::mouseClick(&c, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(c.GetChecked());
    QCOMPARE(events, (QStringList{"change:1", "click", "up"}));
    QTest::mouseClick(&c, Qt::LeftButton, {}, QPoint(30, 5));
    QVERIFY(!c.GetChecked());
  }

  void pressDraggedOutChangesNothing() {
    Form f;
    TMaxCheck c(&f.parent);
    f.parent.show();
    int changes = 0;
    c.OnChange = [&](QObject*) { ++changes; };
    QTest::mousePress(&c, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&c, Qt::LeftButton, {}, QPoint(5, 30));
    QCOMPARE(changes, 0);
    QVERIFY(!c.GetChecked());
  }

  void disabledCheckDoesNotChange() {
    Form f;
    TMaxCheck c(&f.parent);
    f.parent.show();
    int changes = 0, clicks = 0;
    c.OnChange = [&](QObject*) { ++changes; };
    c.OnClick = [&](QObject*) { ++clicks; };
    c.setEnabled(false);
    QTest::mouseClick(&c, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseDClick(&c, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!c.GetChecked());
    QCOMPARE(changes, 0);
    QCOMPARE(clicks, 0);

    // Disabled while the button is held: the later release finishes nothing.
    c.setEnabled(true);
    QTest::mousePress(&c, Qt::LeftButton, {}, QPoint(5, 5));
    c.setEnabled(false);
    c.setEnabled(true);
    QTest::mouseRelease(&c, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!c.GetChecked());
  }

  // The mark square is greyed while pressed with the pointer inside and when disabled; the
  // caption area right of it is filled with Color.
  void markAndFill() {
    Form f;
    TMaxCheck c(&f.parent);
    c.SetColor(RGB(0, 128, 0));
    f.parent.show();
    QImage img = Grab(c);
    QCOMPARE(img.pixel(6, 2), Rgb(255, 255, 255));   // interior in the window colour
    QCOMPARE(img.pixel(20, 6), Rgb(0, 128, 0));
    QCOMPARE(img.pixel(0, 0), Rgb(128, 128, 120));    // sunken: shadow top-left
    QCOMPARE(img.pixel(12, 12), Rgb(255, 255, 250));  // highlight bottom-right
    c.SetChecked(true);
    img = Grab(c);
    QCOMPARE(img.pixel(3, 5), Rgb(0, 0, 0));  // left stroke of the tick
    QCOMPARE(img.pixel(9, 3), Rgb(0, 0, 0));  // right arm
    QTest::mousePress(&c, Qt::LeftButton, {}, QPoint(5, 5));
    img = Grab(c);
    QCOMPARE(img.pixel(6, 2), Rgb(192, 192, 192));
    QTest::mouseRelease(&c, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!c.GetChecked());
    c.setEnabled(false);
    QCOMPARE(Grab(c).pixel(6, 2), Rgb(192, 192, 192));
  }
};
PARTWELL_QTEST(TMaxCheckTest)

class TMaxTrackTest : public QObject {
  Q_OBJECT

 private slots:
  void emptyRangeDrawsThumbAtZero() {
    Form f;
    TMaxTrack t(&f.parent);
    t.SetMin(0.25f);
    t.SetMax(0.25f);
    QCOMPARE(t.GetPosition(), 0.25f);
    QCOMPARE(t.ThumbX(), 0);
    const QImage img = Grab(t);
    QCOMPARE(img.pixel(0, 6), Rgb(255, 255, 250));  // thumb's left edge
    QCOMPARE(img.pixel(5, 6), Rgb(128, 128, 120));  // thumb's right edge
    f.parent.show();
    QTest::mouseClick(&t, Qt::LeftButton, {}, QPoint(40, 6));
    QCOMPARE(t.GetPosition(), 0.25f);

    // No travel at all (Width - 6 = 0) and a range too wide for a float: Min, and a thumb at 0.
    TMaxTrack narrow(&f.parent);
    narrow.resize(6, 13);
    narrow.show();
    QTest::mouseClick(&narrow, Qt::LeftButton, {}, QPoint(4, 6));
    QCOMPARE(narrow.GetPosition(), 0.0f);
    narrow.SetMin(-3e38f);
    narrow.SetMax(3e38f);
    narrow.SetPosition(2e38f);
    QCOMPARE(narrow.ThumbX(), 0);
    t.SetMin(-3e38f);
    t.SetMax(3e38f);
    t.SetPosition(3e38f);
    QVERIFY(t.ThumbX() >= 0 && t.ThumbX() <= 58);
  }

  // SetMax and SetMin move the position silently; the Position property reports every change.
  void rangeSettersAndPositionProperty() {
    Form f;
    TMaxTrack t(&f.parent);
    int changes = 0;
    t.OnChange = [&](QObject*) { ++changes; };
    t.SetPosition(0.8f);
    QCOMPARE(changes, 0);
    t.SetMax(0.5f);
    QCOMPARE(t.GetPosition(), 0.5f);
    QCOMPARE(t.GetMax(), 0.5f);
    QCOMPARE(changes, 0);
    t.SetMin(0.75f);
    QCOMPARE(t.GetMin(), 0.75f);
    QCOMPARE(t.GetMax(), 0.75f);
    QCOMPARE(t.GetPosition(), 0.75f);
    t.SetMin(-1.0f);
    QCOMPARE(t.GetPosition(), 0.75f);
    QCOMPARE(changes, 0);
    QVERIFY(t.setProperty("Position", 2.0f));
    QCOMPARE(t.GetPosition(), 0.75f);
    QVERIFY(t.setProperty("Position", -3.0f));
    QCOMPARE(t.GetPosition(), -1.0f);
    QCOMPARE(changes, 2);
    t.ChangePosition(std::nanf(""));
    QCOMPARE(t.GetPosition(), -1.0f);
    t.SetMax(std::nanf(""));
    QCOMPARE(t.GetMax(), 0.75f);
  }

  // x maps through (x - 2) / (Width - 6); OnChange comes before OnMouseDown; the thumb follows.
  void pressAndDragMoveThePosition() {
    Form f;
    TMaxTrack t(&f.parent);
    f.parent.show();
    QStringList events;
    t.OnChange = [&](QObject*) { events << QString("change:%1").arg(t.GetPosition()); };
    t.OnMouseDown = [&](QObject*, TMouseButton, TShiftState, int, int) { events << "down"; };
    QTest::mousePress(&t, Qt::LeftButton, {}, QPoint(31, 6));
    QCOMPARE(events, (QStringList{"change:0.5", "down"}));
    QCOMPARE(t.ThumbX(), 29);
    const QImage img = Grab(t);
    QCOMPARE(img.pixel(29, 6), Rgb(255, 255, 250));
    QCOMPARE(img.pixel(34, 6), Rgb(128, 128, 120));
    QCOMPARE(img.pixel(31, 6), Rgb(192, 192, 192));
    QMouseEvent move(QEvent::MouseMove, QPointF(200, 6), t.mapToGlobal(QPointF(200, 6)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&t, &move);
    QCOMPARE(t.GetPosition(), 1.0f);
    QCOMPARE(t.ThumbX(), 58);
    t.OnClick = [&](QObject*) { events << "click"; };
    t.OnMouseUp = [&](QObject*, TMouseButton, TShiftState, int, int) { events << "up"; };
    events.clear();
    QTest::mouseRelease(&t, Qt::LeftButton, {}, QPoint(200, 6));  // outside: no click
    QTest::mouseClick(&t, Qt::LeftButton, {}, QPoint(2, 6));
    QCOMPARE(events, (QStringList{"up", "change:0", "down", "click", "up"}));
  }

  // The sunken groove around the centre row c = H / 2 = 6.
  void grooveLines() {
    Form f;
    TMaxTrack t(&f.parent);
    t.SetColor(RGB(0, 0, 200));
    t.SetPosition(1.0f);  // thumb out of the way at x = 58
    const QImage img = Grab(t);
    QCOMPARE(img.pixel(20, 3), Rgb(128, 128, 120));
    QCOMPARE(img.pixel(20, 4), Rgb(10, 10, 5));
    QCOMPARE(img.pixel(20, 8), Rgb(192, 192, 192));
    QCOMPARE(img.pixel(20, 9), Rgb(255, 255, 250));
    QCOMPARE(img.pixel(20, 6), Rgb(0, 0, 200));
    QCOMPARE(img.pixel(1, 6), Rgb(0, 0, 200));
    QCOMPARE(img.pixel(20, 0), Rgb(0, 0, 200));
  }
};
PARTWELL_QTEST(TMaxTrackTest)

#include "MaxBtnTest.moc"
