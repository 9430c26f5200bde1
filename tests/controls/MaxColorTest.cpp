// The colour picker: conversions, the wheel, the value bar and the composite panel.
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>

#include "controls/Colors.h"
#include "controls/MaxColor.h"
#include "controls/MaxColorBar.h"
#include "controls/MaxColorCircle.h"
#include "controls/MaxColorPanel.h"
#include "controls/MaxNumberEdit.h"
#include "tests/common/QtTestRegistry.h"
#include "tests/controls/ControlsTestUtil.h"

using controls_test::Form;

namespace {

void SendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button, held, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &e);
}

QRgb WheelPixel(const TMaxColorCircle& circle, int x, int yFromTop) {
  return circle.WheelImage().pixel(x, yFromTop) & 0xFFFFFF;
}

}  // namespace

class TMaxColorConversionTest : public QObject {
  Q_OBJECT

 private slots:
  void RgbToHsv_data() {
    QTest::addColumn<uint>("color");
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("s");
    QTest::addColumn<double>("v");
    QTest::newRow("red") << 0x0000FFu << 0.0 << 1.0 << 1.0;
    QTest::newRow("green") << 0x00FF00u << 120.0 << 1.0 << 1.0;
    QTest::newRow("blue") << 0xFF0000u << 240.0 << 1.0 << 1.0;
    QTest::newRow("yellow") << 0x00FFFFu << 60.0 << 1.0 << 1.0;
    QTest::newRow("magenta") << 0xFF00FFu << 300.0 << 1.0 << 1.0;
    QTest::newRow("black") << 0x000000u << 0.0 << 0.0 << 0.0;
    QTest::newRow("grey 128") << 0x808080u << 0.0 << 0.0 << 128.0 / 255;
    QTest::newRow("negative hue wraps") << 0x7F00FFu << 360 - 60 * (127.0 / 255) << 1.0 << 1.0;
  }

  void RgbToHsv() {
    QFETCH(uint, color);
    QFETCH(double, h);
    QFETCH(double, s);
    QFETCH(double, v);
    const THSVColor hsv = RGBToHSV(color);
    QVERIFY2(std::abs(hsv.H - h) < 1e-9, qPrintable(QString::number(hsv.H, 'g', 17)));
    QVERIFY(std::abs(hsv.S - s) < 1e-12);
    QVERIFY(std::abs(hsv.V - v) < 1e-12);
  }

  void HsvToRgb_data() {
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("s");
    QTest::addColumn<double>("v");
    QTest::addColumn<uint>("color");
    QTest::newRow("0 is red") << 0.0 << 1.0 << 1.0 << 0x0000FFu;
    QTest::newRow("360 is red as well") << 360.0 << 1.0 << 1.0 << 0x0000FFu;
    QTest::newRow("420 is black") << 420.0 << 1.0 << 1.0 << 0x000000u;
    QTest::newRow("negative is black") << -10.0 << 1.0 << 1.0 << 0x000000u;
    QTest::newRow("yellow") << 60.0 << 1.0 << 1.0 << 0x00FFFFu;
    QTest::newRow("cyan") << 180.0 << 1.0 << 1.0 << 0xFFFF00u;
    QTest::newRow("magenta") << 300.0 << 1.0 << 1.0 << 0xFF00FFu;
    QTest::newRow("white") << 0.0 << 0.0 << 1.0 << 0xFFFFFFu;
    // 255 * 0.5 = 127.5 goes up, away from zero.
    QTest::newRow("half grey") << 0.0 << 0.0 << 0.5 << 0x808080u;
    // (1 - 0.5 * 0.5) * 255 = 191.25 and (1 - 0.5) * 255 = 127.5: red 255, green 128, blue 191.
    QTest::newRow("hue 330, half saturated") << 330.0 << 0.5 << 1.0 << 0xBF80FFu;
  }

  void HsvToRgb() {
    QFETCH(double, h);
    QFETCH(double, s);
    QFETCH(double, v);
    QFETCH(uint, color);
    QCOMPARE(QString::number(HSVToRGB({h, s, v}), 16), QString::number(color, 16));
  }

  void EveryColourSurvivesTheRoundTrip() {
    int wrong = 0;
    TColor first = 0;
    for (TColor c = 0; c <= 0xFFFFFF; ++c) {
      if (HSVToRGB(RGBToHSV(c)) != c && wrong++ == 0) first = c;
    }
    QVERIFY2(wrong == 0, qPrintable(QString("%1 colours, first %2").arg(wrong).arg(first, 6, 16)));
  }

  void SpansCoverEveryRowOnce() {
    for (int r = 1; r <= 80; ++r) {
      std::vector<int> seen(static_cast<size_t>(2 * r + 1), 0);
      bool inside = true;
      CircleSpans(r, r, r, [&](int x0, int x1, int y) {
        if (y < 0 || y > 2 * r || x0 < 0 || x1 > 2 * r || x0 > x1) inside = false;
        else ++seen[static_cast<size_t>(y)];
      });
      QVERIFY2(inside, qPrintable(QString("radius %1").arg(r)));
      for (int y = 0; y <= 2 * r; ++y) {
        QVERIFY2(seen[static_cast<size_t>(y)] == 1, qPrintable(QString("radius %1 row %2: %3").arg(r).arg(y).arg(seen[y])));
      }
    }
  }
};
PARTWELL_QTEST(TMaxColorConversionTest)

class TMaxColorCircleTest : public QObject {
  Q_OBJECT

 private slots:
  void HueAndSaturationAreNormalised() {
    TMaxColorCircle circle;
    const std::pair<double, double> hues[] = {{-30, 30}, {725, 5}, {360, 0}, {359.5, 359.5}};
    for (auto [in, out] : hues) {
      circle.SetH(in);
      QCOMPARE(circle.GetH(), out);
    }
    circle.SetS(1.5);
    QCOMPARE(circle.GetS(), 1.0);
    circle.SetS(-0.25);
    QCOMPARE(circle.GetS(), 0.0);
    // SetHSV takes what it is given.
    circle.SetHSV({400, 2, 0.5});
    QCOMPARE(circle.GetH(), 400.0);
    QCOMPARE(circle.GetHSV().V, 1.0);
  }

  void WheelImage() {
    Form form;
    auto* circle = new TMaxColorCircle(&form);
    circle->SetControlColor(RGB(10, 20, 30));
    QCOMPARE(circle->GetRadius(), 63);
    circle->UpdateCircle(false);
    QCOMPARE(circle->WheelImage().size(), QSize(127, 127));
    QCOMPARE(WheelPixel(*circle, 63, 63), qRgb(255, 255, 255) & 0xFFFFFF);  // centre white
    QCOMPARE(WheelPixel(*circle, 126, 63), qRgb(255, 0, 0) & 0xFFFFFF);     // red at the right
    QCOMPARE(WheelPixel(*circle, 0, 63), qRgb(0, 255, 255) & 0xFFFFFF);     // cyan at the left
    // Half-way between yellow and green at the top, magenta and blue at the bottom: 127.5 is cut
    // to 127, not rounded.
    QCOMPARE(WheelPixel(*circle, 63, 0), qRgb(127, 255, 0) & 0xFFFFFF);
    QCOMPARE(WheelPixel(*circle, 63, 126), qRgb(127, 0, 255) & 0xFFFFFF);
    QCOMPARE(WheelPixel(*circle, 0, 0), qRgb(10, 20, 30) & 0xFFFFFF);  // background outside
    // The rim is fully saturated all round: some channel 0 and some 255.
    for (int deg = 0; deg < 360; deg += 15) {
      const double a = deg * 3.14159265358979 / 180;
      const int x = 63 + static_cast<int>(std::lround(62 * std::cos(a)));
      const int y = 63 - static_cast<int>(std::lround(62 * std::sin(a)));
      const QColor c = QColor::fromRgb(circle->WheelImage().pixel(x, y));
      const int hi = std::max({c.red(), c.green(), c.blue()});
      const int lo = std::min({c.red(), c.green(), c.blue()});
      QVERIFY2(hi == 255 && lo <= 8, qPrintable(QString("%1 deg: %2").arg(deg).arg(c.name())));
    }

    auto* tiny = new TMaxColorCircle(&form);
    tiny->resize(2, 2);
    QCOMPARE(tiny->GetRadius(), 0);
    tiny->UpdateCircle(true);
    QVERIFY(tiny->WheelImage().isNull());
    QCOMPARE(tiny->GetHSVFromPosition(1, 1).S, 1.0);
  }

  void MarkerOnTheScreen() {
    Form form;
    auto* circle = new TMaxColorCircle(&form);
    circle->SetControlColor(RGB(10, 20, 30));
    circle->SetHSV({90, 0.5, 1});  // above the centre: (63, 63 - round(31.5)) = (63, 31)
    const QImage image = form.Grab(circle);
    QCOMPARE(image.pixel(63, 63), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(0, 0), qRgb(10, 20, 30));
    // A 5 x 5 square from (61, 29): black outline, white inside.
    QCOMPARE(image.pixel(61, 29), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(65, 33), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(63, 29), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(62, 30), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(64, 32), qRgb(255, 255, 255));
    QVERIFY(image.pixel(60, 29) != qRgb(0, 0, 0));
    QVERIFY(image.pixel(66, 33) != qRgb(0, 0, 0));
  }

  void PickingWithTheMouse() {
    Form form;
    auto* circle = new TMaxColorCircle(&form);
    QStringList log;
    circle->OnChange = [&](QObject* s) { log << QString("change %1").arg(s == circle); };
    circle->OnMouseDown = [&](QObject*, TMouseButton, TShiftState, int, int) { log << "down"; };
    SendMouse(circle, QEvent::MouseButtonPress, QPoint(63, 63), Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(log, QStringList({"change 1", "down"}));
    QCOMPARE(circle->GetH(), 270.0);
    QCOMPARE(circle->GetS(), 0.0);
    QCOMPARE(circle->GetColor(), clWhite);
    // Dragged far outside, to the right and then above: full saturation at the pointer's angle.
    SendMouse(circle, QEvent::MouseMove, QPoint(400, 63), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(circle->GetS(), 1.0);
    QCOMPARE(circle->GetH(), 0.0);
    SendMouse(circle, QEvent::MouseMove, QPoint(63, -200), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(circle->GetS(), 1.0);
    QCOMPARE(circle->GetH(), 90.0);
    SendMouse(circle, QEvent::MouseButtonRelease, QPoint(63, -200), Qt::LeftButton, Qt::NoButton);
    log.clear();
    // Without the left button held, moving and right-clicking pick nothing.
    SendMouse(circle, QEvent::MouseMove, QPoint(10, 63), Qt::NoButton, Qt::NoButton);
    SendMouse(circle, QEvent::MouseButtonPress, QPoint(10, 63), Qt::RightButton, Qt::RightButton);
    QCOMPARE(log, QStringList({"down"}));
    QCOMPARE(circle->GetH(), 90.0);
    QCOMPARE(circle->GetRGBFromPosition(0, 63), RGB(0, 255, 255));
  }
};
PARTWELL_QTEST(TMaxColorCircleTest)

class TMaxColorBarTest : public QObject {
  Q_OBJECT

 private slots:
  void HorizontalGradientEnds() {
    Form form;
    auto* bar = new TMaxColorBar(&form);
    bar->resize(127, 20);
    bar->SetMinColor(clWhite);
    bar->SetMaxColor(clBlack);
    const QImage image = form.Grab(bar);
    const QImage gradient = bar->GradientImage();
    QCOMPARE(gradient.size(), QSize(117, 14));
    // Column 0 is one step in already: e = -127 - 255 = -382, three carries of 117, 252.
    QCOMPARE(image.pixel(5, 0), qRgb(252, 252, 252));
    QCOMPARE(image.pixel(121, 0), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(121, 13), qRgb(0, 0, 0));
    QVERIFY(image.pixel(122, 0) != qRgb(0, 0, 0));  // margin for the marker
    int previous = 256;
    for (int x = 5; x <= 121; ++x) {
      const int g = qGray(image.pixel(x, 7));
      QVERIFY2(previous - g >= 0 && previous - g <= 4, qPrintable(QString("column %1").arg(x)));
      QCOMPARE(image.pixel(x, 0), image.pixel(x, 13));
      previous = g;
    }
    // Every channel on its own: red rises, blue falls.
    bar->SetMinColor(RGB(0, 0, 200));
    bar->SetMaxColor(RGB(200, 0, 0));
    const QImage mixed = bar->GradientImage();
    QCOMPARE(mixed.pixel(116, 0), qRgb(200, 0, 0));
    QVERIFY(qRed(mixed.pixel(0, 0)) <= 2 && qBlue(mixed.pixel(0, 0)) >= 198);
  }

  void VerticalGradientEnds() {
    Form form;
    auto* bar = new TMaxColorBar(&form);
    bar->resize(127, 20);
    bar->SetBarStyle(mbctVertical);
    QCOMPARE(bar->size(), QSize(20, 127));
    bar->SetMinColor(RGB(0, 100, 0));
    bar->SetMaxColor(RGB(255, 0, 50));
    const QImage image = form.Grab(bar);
    QCOMPARE(bar->GradientImage().size(), QSize(14, 117));
    QCOMPARE(image.pixel(0, 121), qRgb(0, 100, 0));  // bottom row: MinColor
    QCOMPARE(image.pixel(13, 5), qRgb(255, 0, 50));  // top row: MaxColor
  }

  void MarkerTip() {
    Form form;
    auto* bar = new TMaxColorBar(&form);
    bar->resize(127, 20);
    bar->SetControlColor(RGB(0, 0, 255));
    bar->SetPosition(0.5);
    const QImage image = form.Grab(bar);
    const QRgb strip = qRgb(0, 0, 255), black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
    QCOMPARE(image.pixel(63, 14), black);  // the tip: 5 + round(116 * 0.5)
    QCOMPARE(image.pixel(62, 14), strip);
    QCOMPARE(image.pixel(64, 14), strip);
    QCOMPARE(image.pixel(63, 17), white);
    QCOMPARE(image.pixel(58, 19), black);  // base corners at 63 -/+ 5
    QCOMPARE(image.pixel(68, 19), black);
    QCOMPARE(image.pixel(57, 19), strip);
    QCOMPARE(image.pixel(69, 19), strip);
    QCOMPARE(image.pixel(0, 14), strip);
  }

  void VerticalClickAtTheTop() {
    Form form;
    auto* bar = new TMaxColorBar(&form);
    bar->SetBarStyle(mbctVertical);  // 20 x 128
    bar->SetControlColor(RGB(0, 0, 255));
    SendMouse(bar, QEvent::MouseButtonPress, QPoint(3, 0), Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(bar->GetPosition(), 1.0);
    const QImage image = form.Grab(bar);
    QCOMPARE(image.pixel(14, 5), qRgb(0, 0, 0));  // tip at (W - 1 - cs, cs)
    QCOMPARE(image.pixel(14, 6), qRgb(0, 0, 255));
    SendMouse(bar, QEvent::MouseMove, QPoint(3, 127), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(bar->GetPosition(), 0.0);
  }

  void SettersRaiseOnChangeEveryTime() {
    TMaxColorBar bar;
    int changes = 0;
    bar.OnChange = [&](QObject* s) { changes += s == &bar; };
    bar.SetPosition(0);
    bar.SetPosition(0.25);
    bar.SetPosition(0.25);
    bar.SetMinColor(clBlack);
    bar.SetMaxColor(clWhite);
    QCOMPARE(changes, 5);
    bar.SetPosition(7);
    QCOMPARE(bar.GetPosition(), 1.0);
  }

  void PosColorRoundsHalvesUp() {
    TMaxColorBar bar;
    bar.SetMinColor(RGB(0, 10, 255));
    bar.SetMaxColor(RGB(5, 20, 0));
    bar.SetPosition(0.5);
    // 2.5 -> 3, 15 -> 15, 127.5 -> 128
    QCOMPARE(QString::number(bar.GetColor(), 16), QString::number(RGB(3, 15, 128), 16));
  }
};
PARTWELL_QTEST(TMaxColorBarTest)

class TMaxColorPanelTest : public QObject {
  Q_OBJECT

 private slots:
  void ChildrenAndTexts() {
    TMaxColorPanel panel;
    QCOMPARE(panel.size(), QSize(208, 148));
    QCOMPARE(panel.ColorCircle()->geometry(), QRect(0, 0, 127, 127));
    QCOMPARE(panel.PaintBoxColor()->geometry(), QRect(136, 3, 72, 38));
    QCOMPARE(panel.ComboUnit()->geometry(), QRect(160, 48, 49, 20));
    QCOMPARE(panel.BarV()->geometry(), QRect(0, 132, 127, 16));
    const QStringList hsvHints = {"色相", "彩度", "明度"};
    const QStringList rgbHints = {"赤", "緑", "青"};
    for (int i = 0; i < 3; ++i) {
      QCOMPARE(panel.EditCol(i)->geometry(), QRect(144, 76 + 24 * i, 64, 20));
      QCOMPARE(panel.LabelCol(i)->geometry(), QRect(128, 79 + 24 * i, 12, 12));
      QVERIFY(panel.LabelCol(i)->alignment() & Qt::AlignRight);
      QCOMPARE(panel.LabelCol(i)->text(), QString("HSV").mid(i, 1));
      QCOMPARE(panel.EditCol(i)->toolTip(), hsvHints[i]);
      QCOMPARE(panel.EditCol(i)->GetPrintFormat(), QString("%.0f"));
    }
    QCOMPARE(panel.BarV()->toolTip(), QString("明度"));
    QCOMPARE(panel.ComboUnit()->count(), 2);
    QCOMPARE(panel.ComboUnit()->itemText(1), QString("RGB"));
    QCOMPARE(panel.EditCol(0)->GetMax(), 359.0);
    QCOMPARE(panel.EditCol(1)->GetMax(), 100.0);
    panel.ComboUnit()->setCurrentIndex(1);
    for (int i = 0; i < 3; ++i) {
      QCOMPARE(panel.LabelCol(i)->text(), QString("RGB").mid(i, 1));
      QCOMPARE(panel.EditCol(i)->toolTip(), rgbHints[i]);
      QCOMPARE(panel.EditCol(i)->GetMax(), 255.0);
    }
  }

  void UnitSwitchShowsTheChannels() {
    TMaxColorPanel panel;
    panel.SetColor(0x734A9B);
    const auto texts = [&] {
      return QStringList({panel.EditCol(0)->Edit()->GetText(), panel.EditCol(1)->Edit()->GetText(),
                          panel.EditCol(2)->Edit()->GetText()});
    };
    // Hue 329.6, saturation 81/155, value 155/255.
    QCOMPARE(texts(), QStringList({"330", "52", "61"}));
    panel.ComboUnit()->setCurrentIndex(1);
    QCOMPARE(texts(), QStringList({"155", "74", "115"}));
    panel.ComboUnit()->setCurrentIndex(0);
    QCOMPARE(texts(), QStringList({"330", "52", "61"}));
    QCOMPARE(panel.GetColor(), 0x734A9Bu);
  }

  void SetColorThenGetColor() {
    TMaxColorPanel panel;
    int wrong = 0;
    QString first;
    // 5003 is prime to 2^24, so the samples spread over all channels.
    for (TColor c = 0, n = 0; n < 3400; ++n, c = (c + 5003 * 977) & 0xFFFFFF) {
      panel.SetColor(c);
      if (panel.GetColor() != c && wrong++ == 0) first = QString::number(c, 16);
    }
    for (TColor c : {0x000000u, 0xFFFFFFu, 0x0000FFu, 0x00FF00u, 0xFF0000u, 0x010101u, 0xFEFFFFu}) {
      panel.SetColor(c);
      if (panel.GetColor() != c && wrong++ == 0) first = QString::number(c, 16);
      panel.SetDWordColor(SwapRedBlue(c));
      if (panel.GetDWordColor() != SwapRedBlue(c) && wrong++ == 0) first = QString::number(c, 16);
    }
    QVERIFY2(wrong == 0, qPrintable(QString("%1 wrong, first %2").arg(wrong).arg(first)));
  }

  void EventsOfTheFlows() {
    Form form;
    auto* panel = new TMaxColorPanel(&form);
    int changes = 0;
    panel->OnChange = [&](QObject* s) { changes += s == panel; };
    // SetColor: the bar's position and its new maximum colour each update, then the panel itself.
    panel->SetColor(0x336699);
    QCOMPARE(changes, 3);

    // An edit changed by the user: the bar's new maximum colour updates, then the panel.
    changes = 0;
    panel->ComboUnit()->setCurrentIndex(1);
    QCOMPARE(changes, 1);
    changes = 0;
    panel->EditCol(0)->FSetPosition(255);
    QCOMPARE(changes, 2);
    QCOMPARE(panel->GetColor(), 0x3366FFu);
    // The edits are rewritten in the unit's format, the swatch shows the colour.
    QCOMPARE(panel->EditCol(0)->Edit()->GetText(), QString("255"));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QImage swatch = panel->PaintBoxColor()->grab().toImage();
    QCOMPARE(swatch.pixel(36, 19) & 0xFFFFFF, qRgb(0xFF, 0x66, 0x33) & 0xFFFFFF);

    // A pick on the wheel: the bar's colour update, then the panel's own.
    changes = 0;
    SendMouse(panel->ColorCircle(), QEvent::MouseButtonPress, QPoint(63, 63), Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(changes, 2);
    QCOMPARE(panel->BarV()->GetMaxColor(), clWhite);
    QCOMPARE(panel->EditCol(0)->Edit()->GetText(), panel->EditCol(1)->Edit()->GetText());
  }
};
PARTWELL_QTEST(TMaxColorPanelTest)

#include "MaxColorTest.moc"
