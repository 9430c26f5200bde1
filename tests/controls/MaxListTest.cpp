// TMaxListBox: margin presses, keyboard and wheel switches, the margin strip's pixels, OnScroll.
#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>

#include "controls/Colors.h"
#include "controls/Events.h"
#include "controls/MaxList.h"
#include "tests/common/QtTestRegistry.h"

namespace {

QStringList Fruit() {
  return {"apple", "banana", "cherry", "date", "elder", "fig", "grape", "hazel", "iris", "juniper",
          "kiwi", "lemon", "mango", "nut", "olive", "pear", "quince", "rose"};
}

// A form that counts the wheel events its children hand to it.
class WheelForm : public QWidget {
 public:
  int wheels = 0;

 protected:
  void wheelEvent(QWheelEvent* event) override {
    ++wheels;
    event->accept();
  }
};

void Wheel(QWidget* target, QPoint local, int delta) {
  QWheelEvent event(QPointF(local), target->mapToGlobal(QPointF(local)), QPoint(), QPoint(0, delta),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &event);
}

struct Fixture {
  WheelForm form;
  TMaxListBox list{&form};
  Fixture() {
    form.resize(300, 300);
    list.setGeometry(10, 10, 150, 100);
    list.SetItemHeight(16);
    list.SetItems(Fruit());
    list.SetLeftMargin(16);
    form.show();
  }
  QWidget* view() { return list.viewport(); }
  QPoint RowPoint(int row, int x) { return QPoint(x, list.ItemRect(row).center().y()); }
};

}  // namespace

class TMaxListBoxTest : public QObject {
  Q_OBJECT

 private slots:
  // A margin click neither selects nor clicks; it raises OnMarginMouseDown with its item, the left
  // button, the held keys and the point, then OnMarginClick for a release on the same item.
  void marginClicksNeitherSelectNorClick() {
    Fixture f;
    int clicks = 0;
    QStringList margin;
    f.list.OnClick = [&](QObject*) { ++clicks; };
    f.list.OnMarginMouseDown = [&](QObject* sender, int index, TMouseButton button, TShiftState shift, int x,
                                   int y) {
      QCOMPARE(sender, &f.list);
      margin << QString("down %1 %2 %3 %4,%5").arg(index).arg(button).arg(shift).arg(x).arg(y);
    };
    f.list.OnMarginClick = [&](QObject*, int index) { margin << QString("click %1").arg(index); };
    const QPoint p = f.RowPoint(2, 10);
    QTest::mouseClick(f.view(), Qt::LeftButton, Qt::ControlModifier, p);
    QCOMPARE(f.list.GetItemIndex(), -1);
    QVERIFY(f.list.selectedItems().isEmpty());
    QCOMPARE(clicks, 0);
    QCOMPARE(margin, (QStringList{QString("down 2 %1 %2 10,%3").arg(mbLeft).arg(ssLeft | ssCtrl).arg(p.y()),
                                  "click 2"}));

    // Pressed on one item, released on another (or right of the margin): no margin click, and the
    // drag in between selects nothing.
    margin.clear();
    QTest::mousePress(f.view(), Qt::LeftButton, {}, f.RowPoint(1, 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(f.RowPoint(4, 60)), f.view()->mapToGlobal(QPointF(f.RowPoint(4, 60))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.view(), &move);
    QTest::mouseRelease(f.view(), Qt::LeftButton, {}, f.RowPoint(4, 60));
    QTest::mousePress(f.view(), Qt::LeftButton, {}, f.RowPoint(1, 5));
    QTest::mouseRelease(f.view(), Qt::LeftButton, {}, f.RowPoint(3, 5));
    QCOMPARE(margin.size(), 2);
    QVERIFY(margin[0].startsWith("down 1 "));
    QVERIFY(margin[1].startsWith("down 1 "));
    QVERIFY(f.list.selectedItems().isEmpty());
    QCOMPARE(clicks, 0);

    // Right of the margin the list behaves as any list.
    QTest::mouseClick(f.view(), Qt::LeftButton, {}, f.RowPoint(3, 40));
    QCOMPARE(f.list.GetItemIndex(), 3);
    QCOMPARE(clicks, 1);
    QCOMPARE(margin.size(), 2);
  }

  // Without a handler, or below the last item, a margin press does nothing at all.
  void marginPressWithoutItem() {
    Fixture f;
    f.list.SetItems({"one", "two"});
    int downs = 0;
    f.list.OnMarginMouseDown = [&](QObject*, int, TMouseButton, TShiftState, int, int) { ++downs; };
    QTest::mouseClick(f.view(), Qt::LeftButton, {}, QPoint(5, 80));
    QCOMPARE(downs, 0);
    f.list.OnMarginMouseDown = nullptr;
    QTest::mouseClick(f.view(), Qt::LeftButton, {}, f.RowPoint(0, 5));
    QCOMPARE(f.list.GetItemIndex(), -1);
  }

  void keyboardOff() {
    Fixture f;
    f.list.setFocus();
    f.list.SetItemIndex(0);
    f.list.SetEnableKeyboard(false);
    QTest::keyClick(&f.list, 'c');
    QCOMPARE(f.list.GetItemIndex(), 0);
    QTest::keyClick(&f.list, Qt::Key_Down);  // keys that are not characters still work
    QCOMPARE(f.list.GetItemIndex(), 1);
    f.list.SetEnableKeyboard(true);
    QTest::keyClick(&f.list, 'c');
    QCOMPARE(f.list.GetItemIndex(), 2);
  }

  void wheelModes() {
    Fixture f;
    QScrollBar* bar = f.list.verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    int scrolls = 0;
    f.list.OnScroll = [&](QObject*) { ++scrolls; };

    f.list.SetMouseWheel(mwDisable);
    Wheel(f.view(), QPoint(40, 40), -120);
    QCOMPARE(bar->value(), 0);
    QCOMPARE(f.form.wheels, 1);

    f.list.SetMouseWheel(mwEnable);
    Wheel(f.view(), QPoint(40, 40), -120);
    QVERIFY(bar->value() > 0);
    QCOMPARE(f.form.wheels, 1);

    // Only on the control: a wheel that reaches the list from a point outside it is left alone.
    f.list.SetMouseWheel(mwOnlyOnControl);
    const int at = bar->value();
    Wheel(f.view(), QPoint(40, 40), -120);
    QVERIFY(bar->value() > at);
    const int after = bar->value();
    Wheel(f.view(), QPoint(400, 40), -120);
    QCOMPARE(bar->value(), after);
    QCOMPARE(f.form.wheels, 2);
    QCOMPARE(scrolls, 0);  // the wheel is no use of a scroll bar

    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(scrolls, 1);
    bar->setValue(0);
    QCOMPARE(scrolls, 1);
  }

  // The margin strip beside each item in MarginColor, the selection drawn right of it.
  void marginStripPixels() {
    Fixture f;
    f.list.SetMarginColor(RGB(0, 200, 0));
    f.list.SetItemIndex(1);
    const QImage img = f.view()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect row = f.list.ItemRect(1);
    QCOMPARE(row.left(), 16);
    for (int x = 0; x < 16; ++x) QCOMPARE(img.pixel(x, row.center().y()), qRgb(0, 200, 0));
    const QColor selection = f.list.palette().color(QPalette::Active, QPalette::Highlight);
    QCOMPARE(QColor(img.pixel(row.right() - 2, row.center().y())), selection);
    QVERIFY(QColor(img.pixel(16, f.list.ItemRect(0).center().y())) != QColor(0, 200, 0));
  }
};
PARTWELL_QTEST(TMaxListBoxTest)

#include "MaxListTest.moc"
