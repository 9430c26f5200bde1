// TPaintPanel and its scroll bars, TTextPanel: what the user sees and what the owner's handlers get.
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTest>

#include "controls/Colors.h"
#include "controls/Events.h"
#include "controls/Fonts.h"
#include "controls/MaxControlScrollBar.h"
#include "controls/MaxTypes.h"
#include "controls/PPanel.h"
#include "controls/TextPanel.h"
#include "tests/common/QtTestRegistry.h"
#include "tests/controls/ControlsTestUtil.h"

using controls_test::Form;
using controls_test::InkBox;

class TPaintPanelTest : public QObject {
  Q_OBJECT

 private slots:
  void NewPanelShowsNoBars() {
    Form form;
    auto* panel = new TPaintPanel(&form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(!panel->ScrollBarWidget(0)->isVisible());
    QVERIFY(!panel->ScrollBarWidget(1)->isVisible());
    QCOMPARE(panel->ClientWidth(), panel->width());
    QCOMPARE(panel->ClientHeight(), panel->height());
  }

  void VisibleBarShowsItsSettings() {
    Form form;
    auto* panel = new TPaintPanel(&form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    panel->GetVertScrollBar()->SetVisible(true);
    const TScrollInfo info = panel->GetScrollInfo(1);
    QCOMPARE(info.Min, 0);
    QCOMPARE(info.Max, 100);
    QCOMPARE(info.Page, 0u);
    QCOMPARE(info.Pos, 0);
    QVERIFY(panel->ScrollBarWidget(1)->isVisible());
    QVERIFY(!panel->ScrollBarWidget(0)->isVisible());
    const int extent = panel->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, panel);
    QCOMPARE(panel->ClientWidth(), panel->width() - extent);
    // The Qt bar stops where the window's bar stops.
    panel->GetVertScrollBar()->SetPage(10);
    QCOMPARE(panel->ScrollBarWidget(1)->maximum(), 91);
  }

  void ScrollRequests_data() {
    QTest::addColumn<unsigned>("page");
    QTest::addColumn<int>("start");
    QTest::addColumn<unsigned>("wParam");
    QTest::addColumn<int>("track");
    QTest::addColumn<int>("expected");
    QTest::newRow("line up") << 0u << 50 << 0u << 0 << 42;
    QTest::newRow("line down") << 0u << 50 << 1u << 0 << 58;
    QTest::newRow("page up, no page") << 0u << 50 << 2u << 0 << 42;
    QTest::newRow("page down, no page") << 0u << 50 << 3u << 0 << 58;
    QTest::newRow("page up, page 10") << 10u << 50 << 2u << 0 << 40;
    QTest::newRow("page down, page 10") << 10u << 50 << 3u << 0 << 60;
    QTest::newRow("thumb released") << 0u << 50 << 4u << 77 << 77;
    QTest::newRow("thumb dragged") << 0u << 50 << 5u << 33 << 33;
    QTest::newRow("top: unchanged") << 0u << 50 << 6u << 0 << 50;
    QTest::newRow("bottom: unchanged") << 0u << 50 << 7u << 0 << 50;
    QTest::newRow("end of scroll: unchanged") << 0u << 50 << 8u << 0 << 50;
    QTest::newRow("code in the low word only") << 0u << 50 << ((1234u << 16) | 1u) << 0 << 58;
    QTest::newRow("line down at the end, no page") << 0u << 100 << 1u << 0 << 100;
    QTest::newRow("line down at the end, page 10") << 10u << 91 << 1u << 0 << 91;
    QTest::newRow("line up below Min") << 0u << 3 << 0u << 0 << 0;
    QTest::newRow("thumb past the end, page 10") << 10u << 50 << 5u << 200 << 91;
  }

  void ScrollRequests() {
    QFETCH(unsigned, page);
    QFETCH(int, start);
    QFETCH(unsigned, wParam);
    QFETCH(int, track);
    QFETCH(int, expected);
    TPaintPanel panel;
    TMaxControlScrollBar* bar = panel.GetVertScrollBar();
    bar->SetVisible(true);
    bar->SetPage(page);
    bar->SetPosition(start);
    panel.SetScrollTrackPos(1, track);
    panel.ScrollMessage(1, wParam);
    QCOMPARE(panel.GetScrollInfo(1).Pos, expected);
    QCOMPARE(bar->GetPosition(), expected);
    QCOMPARE(panel.ScrollBarWidget(1)->value(), expected);
    // The horizontal bar is a separate bar.
    QCOMPARE(panel.GetScrollInfo(0).Pos, 0);
  }

  void QtBarActionsAreRequests() {
    TPaintPanel panel;
    panel.GetHorzScrollBar()->SetVisible(true);
    QScrollBar* w = panel.ScrollBarWidget(0);
    w->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(panel.GetScrollInfo(0).Pos, 8);
    w->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(panel.GetScrollInfo(0).Pos, 16);
    QCOMPARE(w->value(), 16);
    panel.GetHorzScrollBar()->SetIncrement(3);
    w->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(panel.GetScrollInfo(0).Pos, 13);
  }

  void TrackingPaintsAtOnce() {
    Form form;
    auto* panel = new TPaintPanel(&form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QStringList log;
    panel->OnScroll = [&](QObject* s) { log << (s == panel ? "scroll" : "scroll from elsewhere"); };
    panel->OnPaint = [&](QObject* s) { log << (s == panel ? "paint" : "paint from elsewhere"); };
    panel->GetHorzScrollBar()->SetVisible(true);
    QCoreApplication::processEvents();
    log.clear();
    // Counted before any event is processed: a queued repaint would not be in the log yet.
    panel->ScrollMessage(0, SB_LINEDOWN);
    QCOMPARE(log, QStringList({"scroll", "paint"}));

    log.clear();
    panel->GetHorzScrollBar()->SetTracking(false);
    panel->ScrollMessage(0, SB_LINEDOWN);
    QCOMPARE(log, QStringList({"scroll"}));
    QCOMPARE(panel->GetScrollInfo(0).Pos, 16);
  }

  void HiddenBarAnswersFromItsCache() {
    TPaintPanel panel;
    TMaxControlScrollBar* bar = panel.GetVertScrollBar();
    bar->SetVisible(true);
    bar->SetPosition(40);
    panel.ScrollMessage(1, SB_LINEDOWN);
    QCOMPARE(bar->GetPosition(), 48);  // read from the shown bar, and kept
    panel.ScrollMessage(1, SB_LINEDOWN);
    bar->SetVisible(false);
    QCOMPARE(panel.GetScrollInfo(1).Pos, 56);
    QCOMPARE(bar->GetPosition(), 48);
    // Hiding keeps the window's values; showing again applies the object's own.
    QVERIFY(!panel.GetScrollInfo(1).Shown);
    bar->SetVisible(true);
    QCOMPARE(panel.GetScrollInfo(1).Pos, 48);
  }

  void UnboundBarOnlyStores() {
    TMaxControlScrollBar bar;
    bar.SetVisible(true);
    bar.SetMax(20);
    bar.SetPosition(50);
    QCOMPARE(bar.GetMax(), 20);
    QCOMPARE(bar.GetPosition(), 50);  // nothing clamps it until a window has it
    TPaintPanel panel;
    auto replacement = std::make_unique<TMaxControlScrollBar>();
    replacement->SetVisible(true);
    replacement->SetMax(20);
    replacement->SetPosition(50);
    panel.SetVertScrollBar(std::move(replacement));
    QCOMPARE(panel.GetScrollInfo(1).Max, 20);
    QCOMPARE(panel.GetScrollInfo(1).Pos, 20);
    QVERIFY(panel.GetScrollInfo(1).Shown);
  }

  void OwnerPaintsTheClientArea() {
    Form form;
    auto* panel = new TPaintPanel(&form);
    panel->setGeometry(10, 10, 132, 100);
    panel->SetBevelOuter(bvNone);
    panel->SetBorderStyle(bsSingle);
    panel->SetColor(0x0000FF);  // red in the low byte
    QSize seen;
    panel->OnPaint = [&](QObject* s) {
      auto* p = static_cast<TPaintPanel*>(s);
      seen = QSize(p->ClientWidth(), p->ClientHeight());
      p->GetCanvas()->fillRect(0, 0, 10, 10, Qt::green);
    };
    const QImage image = form.Grab(panel);
    QCOMPARE(seen, QSize(128, 96));
    QCOMPARE(image.pixel(2, 2), qRgb(0, 255, 0));    // the handler's (0,0) is inside the border
    QCOMPARE(image.pixel(11, 11), qRgb(0, 255, 0));
    QCOMPARE(image.pixel(12, 12), qRgb(255, 0, 0));  // then the panel's Color (0x00BBGGRR red)
    QCOMPARE(image.pixel(129, 97), qRgb(255, 0, 0));
    QVERIFY(image.pixel(1, 1) != qRgb(255, 0, 0));   // the sunken border
    QVERIFY(image.pixel(130, 98) != qRgb(255, 0, 0));
  }

  void MouseEventsInClientCoordinates() {
    Form form;
    auto* panel = new TPaintPanel(&form);
    panel->setGeometry(0, 0, 132, 100);
    panel->SetBorderStyle(bsSingle);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QStringList log;
    panel->OnMouseDown = [&](QObject*, TMouseButton b, TShiftState s, int x, int y) {
      log << QString("down %1 %2 %3 %4").arg(b).arg((s & ssLeft) ? "L" : "-").arg(x).arg(y);
    };
    panel->OnClick = [&](QObject*) { log << "click"; };
    panel->OnMouseUp = [&](QObject*, TMouseButton b, TShiftState, int x, int y) {
      log << QString("up %1 %2 %3").arg(b).arg(x).arg(y);
    };
    QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(10, 12));
    QCOMPARE(log, QStringList({"down 0 L 8 10", "click", "up 0 8 10"}));
    log.clear();
    QTest::mouseClick(panel, Qt::RightButton, {}, QPoint(10, 12));
    QCOMPARE(log, QStringList({"down 1 - 8 10", "up 1 8 10"}));
  }
};
PARTWELL_QTEST(TPaintPanelTest)

class TTextPanelTest : public QObject {
  Q_OBJECT

 private slots:
  void Frames_data() {
    QTest::addColumn<int>("bevel");
    QTest::addColumn<QRgb>("topLeft");
    QTest::addColumn<QRgb>("bottomRight");
    const QRgb shadow = qRgb(128, 128, 128), highlight = qRgb(255, 255, 255), none = qRgb(255, 0, 255);
    QTest::newRow("lowered") << int(bvLowered) << shadow << highlight;
    QTest::newRow("raised") << int(bvRaised) << highlight << shadow;
    QTest::newRow("none") << int(bvNone) << none << none;
    QTest::newRow("space") << int(bvSpace) << none << none;
  }

  void Frames() {
    QFETCH(int, bevel);
    QFETCH(QRgb, topLeft);
    QFETCH(QRgb, bottomRight);
    Form form;
    auto* panel = new TTextPanel(&form);
    panel->SetBevelInner(static_cast<TBevelCut>(bevel));
    panel->SetColor(RGB(10, 200, 30));
    const QImage image = form.Grab(panel);
    const int w = 96, h = 17;
    QCOMPARE(image.size(), QSize(w, h));
    const QRgb fill = qRgb(10, 200, 30);
    QCOMPARE(image.pixel(5, 0), topLeft);
    QCOMPARE(image.pixel(0, 8), topLeft);
    QCOMPARE(image.pixel(0, 0), topLeft);
    QCOMPARE(image.pixel(5, h - 1), bottomRight);
    QCOMPARE(image.pixel(w - 1, 8), bottomRight);
    // Bottom and right lines are drawn last, so they own the far corners.
    QCOMPARE(image.pixel(w - 1, 0), bottomRight);
    QCOMPARE(image.pixel(0, h - 1), bottomRight);
    // The fill is exactly (1,1)-(W-1,H-1), whatever the bevel.
    QCOMPARE(InkBox(image, fill, QRect(1, 1, w - 2, h - 2)), QRect());
    QCOMPARE(image.pixel(1, 1), fill);
    QCOMPARE(image.pixel(w - 2, h - 2), fill);
  }

  void HorizontalTextKeepsItsMargins_data() {
    QTest::addColumn<int>("alignment");
    QTest::newRow("left") << int(taLeftJustify);
    QTest::newRow("right") << int(taRightJustify);
    QTest::newRow("centre") << int(taCenter);
  }

  void HorizontalTextKeepsItsMargins() {
    QFETCH(int, alignment);
    Form form;
    auto* panel = new TTextPanel(&form);
    panel->setFont(DefaultFont());
    panel->SetColor(clWhite);
    panel->SetCaption("HH");
    panel->SetTextMargin(10);
    panel->SetAlignment(static_cast<TAlignment>(alignment));
    const QImage image = form.Grab(panel);
    const QRect ink = InkBox(image, qRgb(255, 255, 255), QRect(1, 1, 94, 15));
    QVERIFY(!ink.isNull());
    if (alignment == taLeftJustify) {
      QVERIFY2(ink.left() >= 11 && ink.left() <= 13, qPrintable(QString::number(ink.left())));
    } else if (alignment == taRightJustify) {
      QVERIFY2(ink.right() <= 84 && ink.right() >= 82, qPrintable(QString::number(ink.right())));
    } else {
      QVERIFY2(std::abs(ink.left() + ink.right() - 95) <= 2, qPrintable(QString::number(ink.left())));
    }
    // Vertically centred.
    QVERIFY(std::abs(ink.top() + ink.bottom() - 16) <= 2);
  }

  void VerticalTextRunsDownward_data() {
    QTest::addColumn<int>("alignment");
    QTest::newRow("left: starts TextMargin below the top") << int(taLeftJustify);
    QTest::newRow("right: ends TextMargin above the bottom") << int(taRightJustify);
    QTest::newRow("centre") << int(taCenter);
  }

  void VerticalTextRunsDownward() {
    QFETCH(int, alignment);
    Form form;
    auto* panel = new TTextPanel(&form);
    panel->resize(24, 120);
    QFont font = DefaultFont();
    SetFontHeight(font, -12);
    panel->setFont(font);
    panel->SetColor(clWhite);
    panel->SetCaption("HHHH");  // H has side bearings on both sides, so its ink starts late
    panel->SetTextMargin(6);
    panel->SetTextStyle(tptsVertical);
    panel->SetAlignment(static_cast<TAlignment>(alignment));
    QImage image = form.Grab(panel);
    QRect ink = InkBox(image, qRgb(255, 255, 255), QRect(1, 1, 22, 118));
    QVERIFY(!ink.isNull());
    QVERIFY(ink.height() > 2 * ink.width());  // runs along the height
    // The column's right edge is (24 + 12) / 2 = 18.
    QVERIFY2(ink.right() <= 17 && ink.right() >= 13, qPrintable(QString::number(ink.right())));
    if (alignment == taLeftJustify) {
      QVERIFY2(ink.top() >= 6 && ink.top() <= 8, qPrintable(QString::number(ink.top())));
    } else if (alignment == taRightJustify) {
      QVERIFY2(ink.bottom() <= 113 && ink.bottom() >= 111, qPrintable(QString::number(ink.bottom())));
    } else {
      QVERIFY(std::abs(ink.top() + ink.bottom() - 120) <= 3);
    }
    // Glyph tops face right: the bars of T's make the rightmost ink column the fullest.
    panel->SetCaption("TTTT");
    image = form.Grab(panel);
    ink = InkBox(image, qRgb(255, 255, 255), QRect(1, 1, 22, 118));
    int best = -1, bestCount = -1;
    for (int x = ink.left(); x <= ink.right(); ++x) {
      int count = 0;
      for (int y = ink.top(); y <= ink.bottom(); ++y) count += (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
      if (count > bestCount) {
        bestCount = count;
        best = x;
      }
    }
    QVERIFY2(best >= ink.right() - 2, qPrintable(QString("%1 of %2").arg(best).arg(ink.right())));
  }

  void SettersRepaintOnlyOnChange() {
    Form form;
    auto* panel = new TTextPanel(&form);
    int paints = 0;
    panel->OnPaint = [&](QObject* s) { paints += s == panel; };
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCoreApplication::processEvents();
    const auto after = [&](const std::function<void()>& change) {
      paints = 0;
      change();
      QCoreApplication::processEvents();
      return paints;
    };
    QCOMPARE(after([&] { panel->SetTextMargin(4); }), 0);
    QCOMPARE(after([&] { panel->SetAlignment(taLeftJustify); }), 0);
    QCOMPARE(after([&] { panel->SetBevelInner(bvLowered); }), 0);
    QCOMPARE(after([&] { panel->SetTextStyle(tptsHorizonal); }), 0);
    QVERIFY(after([&] { panel->SetTextMargin(5); }) >= 1);
    QVERIFY(after([&] { panel->SetAlignment(taCenter); }) >= 1);
    QVERIFY(after([&] { panel->SetBevelInner(bvRaised); }) >= 1);
    QVERIFY(after([&] { panel->SetTextStyle(tptsVertical); }) >= 1);
    QVERIFY(after([&] { panel->SetCaption("明度"); }) >= 1);
  }
};
PARTWELL_QTEST(TTextPanelTest)

#include "PPanelTest.moc"
