// What every unit of the family shares: the palette lists, the system colours, the lines, the font.
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWidget>

#include "controls/Colors.h"
#include "controls/Drawing.h"
#include "controls/Fonts.h"
#include "controls/Palette.h"
#include "tests/common/QtTestRegistry.h"
#include "tests/controls/ControlsTestUtil.h"

class TControlsTypesTest : public QObject {
  Q_OBJECT

 private slots:
  void PaletteListsTheFamilyInOrder() {
    QStringList names;
    for (const TPaletteEntry& e : FamilyPalette()) {
      QCOMPARE(e.page, QString("MAX"));
      names << e.className;
    }
    QCOMPARE(names, QStringList({"TPaintPanel", "TTextPanel",                             // PPanel
                                 "TMaxColorCircle", "TMaxColorBar", "TMaxColorPanel",     // MaxColor
                                 "TMaxOpenDialog", "TMaxSaveDialog", "TMaxFolderDialog",  // MaxFile
                                 "TMaxButton", "TMaxCheck", "TMaxTrack",                  // MaxBtn
                                 "TMaxEdit", "TMaxNumberEdit",                            // MaxEdit
                                 "TMaxControlBox", "TMaxPanel", "TMaxGroupBox",           // MaxGroup
                                 "TMaxListBox"}));                                        // MaxList
    TPaletteList one;
    MaxEdit::Register(one);
    QCOMPARE(one.size(), size_t(2));
    QCOMPARE(one[1].className, QString("TMaxNumberEdit"));
  }

  void SystemColoursComeFromThePalette() {
    QWidget w;
    QPalette p = controls_test::TestPalette();
    p.setColor(QPalette::Button, QColor(1, 2, 3));
    p.setColor(QPalette::Base, QColor(4, 5, 6));
    p.setColor(QPalette::Highlight, QColor(7, 8, 9));
    w.setPalette(p);
    QCOMPARE(ColorToRGB(clBtnFace, &w), RGB(1, 2, 3));
    QCOMPARE(ColorToRGB(clBtnShadow, &w), RGB(128, 128, 128));
    QCOMPARE(ColorToRGB(clBtnHighlight, &w), RGB(255, 255, 255));
    QCOMPARE(ColorToRGB(cl3DDkShadow, &w), RGB(0, 0, 0));
    QCOMPARE(ColorToRGB(clWindow, &w), RGB(4, 5, 6));
    QCOMPARE(ColorToRGB(clActiveCaption, &w), RGB(7, 8, 9));
    // Plain colours pass through; red is the low byte.
    QCOMPARE(ColorToRGB(0x123456, &w), 0x123456u);
    QCOMPARE(ToQColor(0x0000FF), QColor(255, 0, 0));
    QCOMPARE(FromQColor(QColor(0x12, 0x34, 0x56)), 0x563412u);
    QCOMPARE(SwapRedBlue(0x00123456), 0x00563412u);
  }

  void LinesLeaveTheirEndOut() {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      painter.setPen(Qt::black);
      DrawLine(painter, 0, 0, 5, 0);  // x 0..4
      DrawLine(painter, 7, 7, 7, 2);  // y 7..3, drawn upward
      DrawLine(painter, 1, 2, 4, 5);  // (1,2) (2,3) (3,4)
      DrawLine(painter, 6, 6, 6, 6);  // nothing
    }
    QStringList rows;
    for (int y = 0; y < 8; ++y) {
      QString row;
      for (int x = 0; x < 8; ++x) row += image.pixel(x, y) == qRgb(0, 0, 0) ? '#' : '.';
      rows << row;
    }
    QCOMPARE(rows, QStringList({"#####...", "........", ".#......", "..#....#", "...#...#", ".......#",
                                ".......#", ".......#"}));
    QCOMPARE(RectLTRB(1, 2, 5, 9), QRect(1, 2, 4, 7));
  }

  void JapaneseTextsHaveAFont() {
    InstallFontSubstitutions();
    const QFont font = DefaultFont();
    QCOMPARE(FontHeight(font), -12);
    QCOMPARE(QFontInfo(font).family(), QString("IPAPGothic"));
    const QFontMetrics metrics(font);
    for (const QString text : {"色相", "彩度", "明度", "赤", "緑", "青", "参照"}) {
      for (QChar c : text) QVERIFY2(metrics.inFont(c), qPrintable(text));
    }
    QImage image(40, 16, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      painter.setFont(font);
      painter.setPen(Qt::black);
      painter.drawText(1, 12, "色相");
    }
    const QRect ink = controls_test::InkBox(image, qRgb(255, 255, 255));
    QVERIFY(ink.width() >= 18 && ink.height() >= 8);  // two full-width glyphs of about 12 pixels
  }
};
PARTWELL_QTEST(TControlsTypesTest)

#include "TypesTest.moc"
