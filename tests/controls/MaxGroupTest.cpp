// TMaxControlBox, TMaxPanel and TMaxGroupBox: collapsing, chains, drag scrolling, pixels.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <memory>
#include <vector>

#include "controls/Colors.h"
#include "controls/Fonts.h"
#include "controls/MaxControlBox.h"
#include "controls/MaxGroup.h"
#include "controls/MaxPanel.h"
#include "controls/MaxTypes.h"
#include "tests/common/QtTestRegistry.h"

namespace {

QImage Grab(QWidget& w) { return w.grab().toImage().convertToFormat(QImage::Format_RGB32); }

QFont FontOf(int height) {
  QFont font = DefaultFont();
  SetFontHeight(font, height);
  return font;
}

void Move(QWidget& w, QPoint p, Qt::MouseButtons held) {
  QMouseEvent move(QEvent::MouseMove, QPointF(p), w.mapToGlobal(QPointF(p)), Qt::NoButton, held,
                   Qt::NoModifier);
  QApplication::sendEvent(&w, &move);
}

// A parent that paints itself red, to see through what does not paint.
class RedForm : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::red); }
};

}  // namespace

class TMaxGroupBoxTest : public QObject {
  Q_OBJECT

 private slots:
  // 2 - Font.Height = 14 with a 12-pixel font; expanding gives the old height back, and resizing
  // while collapsed does not touch MaxHeight.
  void collapseToCaptionStripAndBack() {
    QWidget form;
    TMaxGroupBox box(&form);
    box.setFont(FontOf(-12));
    box.setGeometry(10, 10, 150, 90);
    form.show();
    QCOMPARE(box.GetMaxHeight(), 90);
    box.SetMinimized(true);
    QCOMPARE(box.height(), 14);
    QCOMPARE(box.GetMaxHeight(), 90);
    box.resize(170, 20);
    QCOMPARE(box.GetMaxHeight(), 90);
    box.SetMinimized(false);
    QCOMPARE(box.height(), 90);
    QCOMPARE(box.width(), 170);
    box.resize(170, 70);
    QCOMPARE(box.GetMaxHeight(), 70);
    box.SetMaxHeight(60);
    QCOMPARE(box.height(), 60);
  }

  // A press in the caption strip toggles without OnMouseDown; a press below it is reported.
  void captionStripPressToggles() {
    QWidget form;
    TMaxGroupBox box(&form);
    box.setFont(FontOf(-12));
    box.setGeometry(0, 0, 150, 90);
    form.show();
    QList<int> downs;
    int ups = 0;
    box.OnMouseDown = [&](QObject*, TMouseButton, TShiftState, int, int y) { downs << y; };
    box.OnMouseUp = [&](QObject*, TMouseButton, TShiftState, int, int) { ++ups; };
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(40, 11));
    QVERIFY(box.GetMinimized());
    QCOMPARE(box.height(), 14);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(40, 3));
    QVERIFY(!box.GetMinimized());
    QCOMPARE(box.height(), 90);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(40, 12));
    QVERIFY(!box.GetMinimized());
    QCOMPARE(downs, QList<int>{12});
    QCOMPARE(ups, 1);
  }

  // Collapsing the first of three chained boxes moves the other two up; expanding moves them back.
  void chainOfThreeRestacks() {
    QWidget form;
    form.resize(200, 400);
    std::vector<std::unique_ptr<TMaxGroupBox>> boxes;
    for (int i = 0; i < 3; ++i) {
      boxes.push_back(std::make_unique<TMaxGroupBox>(&form));
      boxes[i]->setFont(FontOf(-12));
      boxes[i]->setGeometry(0, 0, 180, 50 + 10 * i);
    }
    boxes[0]->move(0, 5);
    boxes[1]->SetNextGroup(boxes[2].get());
    boxes[0]->SetNextGroup(boxes[1].get());
    form.show();
    QCOMPARE(boxes[1]->y(), 5 + 50 + 8);
    QCOMPARE(boxes[2]->y(), 63 + 60 + 8);
    boxes[0]->SetMinimized(true);
    QCOMPARE(boxes[1]->y(), 5 + 14 + 8);
    QCOMPARE(boxes[2]->y(), 27 + 60 + 8);
    boxes[1]->SetNextOffset(0);
    QCOMPARE(boxes[2]->y(), 27 + 60);
    boxes[0]->SetMinimized(false);
    QCOMPARE(boxes[1]->y(), 63);
    QCOMPARE(boxes[2]->y(), 123);
    boxes[0]->move(0, 105);
    QCOMPARE(boxes[2]->y(), 223);
  }

  // The same chain before the form is shown: nothing waits for the first paint.
  void hiddenChainRestacksAtOnce() {
    QWidget form;
    TMaxGroupBox a(&form), b(&form), c(&form);
    for (TMaxGroupBox* box : {&a, &b, &c}) {
      box->setFont(FontOf(-12));
      box->resize(100, 40);
    }
    a.SetNextGroup(&b);
    b.SetNextGroup(&c);
    QCOMPARE(c.y(), 96);
    a.SetMinimized(true);
    QCOMPARE(b.y(), 22);
    QCOMPARE(c.y(), 70);
  }

  // Only a sibling can follow; a chain that would lead back to a box is refused.
  void refusedNextGroups() {
    QWidget form, otherForm;
    TMaxGroupBox a(&form), b(&form), c(&form), stranger(&otherForm);
    a.SetNextGroup(&stranger);
    QCOMPARE(a.GetNextGroup(), nullptr);
    QCOMPARE(stranger.y(), 0);
    a.SetNextGroup(&b);
    a.SetNextGroup(&stranger);
    QCOMPARE(a.GetNextGroup(), &b);
    a.SetNextGroup(&a);
    QCOMPARE(a.GetNextGroup(), &b);
    b.SetNextGroup(&c);
    c.SetNextGroup(&a);
    QCOMPARE(c.GetNextGroup(), nullptr);
    b.SetNextGroup(&a);
    QCOMPARE(b.GetNextGroup(), &c);
    a.SetNextGroup(nullptr);
    QCOMPARE(a.GetNextGroup(), nullptr);
    {
      TMaxGroupBox gone(&form);
      c.SetNextGroup(&gone);
      QCOMPARE(c.GetNextGroup(), &gone);
    }
    QCOMPARE(c.GetNextGroup(), nullptr);
    c.SetNextOffset(3);  // with the follower destroyed, nothing to move and nothing to crash
  }

  void childPanelFillsBelowTheCaption() {
    QWidget form;
    TMaxGroupBox box(&form);
    box.setFont(FontOf(-12));
    box.setGeometry(0, 0, 120, 80);
    QWidget inside(&box), outside(&form);
    box.SetChildPanel(&outside);
    QCOMPARE(box.GetChildPanel(), nullptr);
    box.SetChildPanel(&inside);
    form.show();
    box.resize(130, 80);
    QCOMPARE(inside.geometry(), QRect(2, 12, 126, 66));
    box.SetMinimized(true);
    QVERIFY(!inside.isVisible());
    box.SetMinimized(false);
    QVERIFY(inside.isVisible());
  }

  // Etched frame, collapse box with a minus (a plus while collapsed), t = 6 for a 12-pixel font.
  void defaultLook() {
    QWidget form;
    QPalette pal;
    pal.setColor(QPalette::Light, QColor(255, 255, 250));
    pal.setColor(QPalette::Dark, QColor(128, 128, 120));
    pal.setColor(QPalette::Shadow, QColor(10, 10, 5));
    pal.setColor(QPalette::Button, QColor(192, 192, 192));
    form.setPalette(pal);
    TMaxGroupBox box(&form);
    box.setFont(FontOf(-12));
    box.setGeometry(0, 0, 100, 60);
    box.SetColor(RGB(0, 0, 200));
    QImage img = Grab(box);
    QCOMPARE(img.pixel(0, 30), qRgb(128, 128, 120));  // left edge in shadow
    QCOMPARE(img.pixel(1, 30), qRgb(255, 255, 250));  // highlight just inside
    QCOMPARE(img.pixel(50, 59), qRgb(255, 255, 250)); // bottom highlight
    QCOMPARE(img.pixel(50, 58), qRgb(128, 128, 120));
    QCOMPARE(img.pixel(50, 30), qRgb(0, 0, 200));     // inside: Color
    QCOMPARE(img.pixel(8, 2), qRgb(10, 10, 5));       // collapse box outline
    QCOMPARE(img.pixel(12, 6), qRgb(10, 10, 5));      // minus
    QCOMPARE(img.pixel(12, 4), qRgb(255, 255, 250));  // no vertical stroke yet
    box.SetMinimized(true);
    img = Grab(box);
    QCOMPARE(img.pixel(12, 4), qRgb(10, 10, 5));
    QCOMPARE(img.height(), 14);
  }

  // Right of the alias tab's slant the box lets the pointer through to the control below.
  void aliasTabLetsClicksThrough() {
    QWidget form;
    form.resize(200, 100);
    QWidget below(&form);
    below.setGeometry(0, 0, 200, 100);
    TMaxGroupBox box(&form);
    box.setFont(FontOf(-12));
    box.setGeometry(0, 0, 100, 60);
    form.show();
    QCOMPARE(form.childAt(95, 2), &box);
    box.SetStyle(mgbAlias);
    // W - x + y < 2 - Font.Height = 14: (95, 2) and (99, 12) are through, (85, 0) and (99, 13) not.
    QCOMPARE(form.childAt(95, 2), &below);
    QCOMPARE(form.childAt(99, 12), &below);
    QCOMPARE(form.childAt(85, 0), &box);
    QCOMPARE(form.childAt(99, 13), &box);
    QCOMPARE(form.childAt(50, 40), &box);
    box.SetStyle(mgbDefault);
    QCOMPARE(form.childAt(95, 2), &box);
  }
};
PARTWELL_QTEST(TMaxGroupBoxTest)

class TMaxPanelTest : public QObject {
  Q_OBJECT

 private slots:
  // Content that starts at 8 does not follow the pointer down; up it follows until the lowest child
  // ends 8 above the bottom, then down again as far as the top limit.
  void dragLimits() {
    QWidget form;
    TMaxPanel panel(&form);
    panel.setGeometry(0, 0, 100, 100);
    QWidget a(&panel), b(&panel);
    a.setGeometry(10, 8, 50, 40);
    b.setGeometry(10, 60, 50, 70);  // bottom at 130: 38 past the lower limit of 92
    form.show();
    QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(50, 50));
    Move(panel, QPoint(50, 70), Qt::LeftButton);
    QCOMPARE(a.y(), 8);
    QCOMPARE(b.y(), 60);
    Move(panel, QPoint(50, 40), Qt::LeftButton);  // up by 30
    QCOMPARE(a.y(), -22);
    QCOMPARE(b.y(), 30);
    Move(panel, QPoint(50, 0), Qt::LeftButton);  // up by 40, only 8 left
    QCOMPARE(a.y(), -30);
    QCOMPARE(b.y(), 22);
    Move(panel, QPoint(50, 100), Qt::LeftButton);  // down by 100, only 38 left
    QCOMPARE(a.y(), 8);
    QCOMPARE(b.y(), 60);
    QCOMPARE(a.x(), 10);
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(50, 100));
    Move(panel, QPoint(50, 0), Qt::NoButton);  // no drag after the release
    QCOMPARE(b.y(), 60);
  }

  void cursorDuringDrag() {
    QWidget form;
    TMaxPanel panel(&form);
    form.show();
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(QGuiApplication::overrideCursor());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::SizeVerCursor);
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(QGuiApplication::overrideCursor());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QGuiApplication::restoreOverrideCursor();
    {
      TMaxPanel doomed(&form);
      doomed.show();
      QTest::mousePress(&doomed, Qt::LeftButton, {}, QPoint(5, 5));
    }
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    // Hidden in the middle of a drag: the release will never come, the cursor comes back now.
    QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(5, 5));
    panel.hide();
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QVERIFY(!panel.IsDragging());
  }

  void borderStyleTakesOnlyNoneAndSingle() {
    TMaxPanel panel;
    panel.SetBorderStyle(bsSingle);
    panel.SetBorderStyle(7);
    QCOMPARE(panel.GetBorderStyle(), bsSingle);
    panel.SetBorderStyle(-1);
    QCOMPARE(panel.GetBorderStyle(), bsSingle);
    panel.SetBorderStyle(0);
    QCOMPARE(panel.GetBorderStyle(), bsNone);
  }
};
PARTWELL_QTEST(TMaxPanelTest)

class TMaxControlBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void paintsNothing() {
    RedForm form;
    form.resize(100, 100);
    TMaxControlBox box(&form);
    box.move(10, 10);
    box.SetColor(RGB(0, 255, 0));
    QWidget child(&box);
    child.setGeometry(0, 0, 10, 10);
    child.setAutoFillBackground(true);
    QPalette pal;
    pal.setColor(QPalette::Window, Qt::blue);
    child.setPalette(pal);
    form.show();
    const QImage img = Grab(form);
    QCOMPARE(img.pixel(40, 40), qRgb(255, 0, 0));
    QCOMPARE(img.pixel(12, 12), qRgb(0, 0, 255));
    QCOMPARE(box.size(), QSize(64, 64));
  }
};
PARTWELL_QTEST(TMaxControlBoxTest)

#include "MaxGroupTest.moc"
