// The settings command as a user meets it: the folder field, the colour panel and the colour dialog,
// Cancel and OK, and the refusal of a folder that Partwell.ini could not hold.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "app/Color.h"
#include "app/Config.h"
#include "app/Main.h"
#include "controls/MaxColorCircle.h"
#include "controls/MaxColorPanel.h"
#include "tests/common/QtTestRegistry.h"
#include "tests/window/WindowFixture.h"

using namespace partwell::test;

namespace {
// Red 0x12, green 0x34, blue 0x56: every byte differs, so a missed or doubled swap shows.
constexpr std::uint32_t kColour = 0x123456;
constexpr std::uint32_t kPlatformColour = 0x563412;
}  // namespace

class SettingsDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void ColourDialogAndCancelChangeNothing() {
    Installation installation("BackColor=" + std::to_string(kColour) + "\r\n");
    Installation::WriteFolders(installation.Cga(), {{"basic", 0x808080}});
    const std::string ini = Read(installation.Ini());
    TFormMain form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    std::uint32_t unchanged = 0, chosen = 0, shownChosen = 0, shownAtOpen = 0, pickerAtOpen = 0;
    QRect folderPlace, colourPlace;
    WhenShown<TDlgConfig>([&](TDlgConfig* config) {
      folderPlace = config->EditFolder->geometry();
      colourPlace = config->PanelColor->geometry();
      shownAtOpen = config->PanelColor->GetColor();
      // Confirmed without a change, the colour comes back as it went in.
      WhenShown<TDlgColor>([&](TDlgColor* colour) {
        pickerAtOpen = colour->ColorPanel->GetColor();
        QTest::mouseClick(colour->BtnOK, Qt::LeftButton);
      });
      QTest::mouseClick(config->PanelColor, Qt::LeftButton, Qt::NoModifier, QPoint(30, 15));
      unchanged = config->GetColor();
      // A colour picked on the wheel's rim, then Cancel of the settings dialog.
      WhenShown<TDlgColor>([&](TDlgColor* colour) {
        TMaxColorCircle* wheel = colour->ColorPanel->ColorCircle();
        QTest::mouseClick(wheel, Qt::LeftButton, Qt::NoModifier, QPoint(wheel->width() - 3, wheel->height() / 2));
        QTest::mouseClick(colour->BtnOK, Qt::LeftButton);
      });
      QTest::mouseClick(config->PanelColor, Qt::LeftButton, Qt::NoModifier, QPoint(30, 15));
      chosen = config->GetColor();
      shownChosen = config->PanelColor->GetColor();
      QTest::mouseClick(config->Button3, Qt::LeftButton);
    });
    form.MenuConfig->trigger();

    QCOMPARE(folderPlace, QRect(24, 32, 232, 20));
    QCOMPARE(colourPlace, QRect(64, 72, 65, 33));
    QCOMPARE(shownAtOpen, kPlatformColour);
    QCOMPARE(pickerAtOpen, kPlatformColour);
    QCOMPARE(unchanged, kColour);
    QVERIFY(chosen != kColour);
    QCOMPARE(shownChosen, SwapRedBlue(chosen));
    QCOMPARE(form.State().BackColor, kColour);
    QCOMPARE(Read(installation.Ini()), ini);
  }

  void OkRefusesAFolderWithoutShiftJisThenWritesAndReloads() {
    Installation installation("BackColor=" + std::to_string(kColour) + "\r\n");
    Installation::WriteFolders(installation.Cga(), {{"basic", 0x808080}});
    const std::filesystem::path other = installation.root / "other DOGA";
    Installation::MakeLibrary(other);
    Installation::WriteFolders(other, {{"signs", 0x00C000}, {"machine", 0x0000C0}});
    TFormMain form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(ClientPixel(form.PanelThumbnail, 100, 100), 0x808080u);

    const QString typed = QString::fromUtf8("/tmp/DOGA é");  // é has no Shift-JIS form
    Boxes boxes;
    bool stayedOpen = false;
    QString keptText;
    WhenShown<TDlgConfig>([&](TDlgConfig* config) {
      config->EditFolder->selectAll();
      QTest::keyClicks(config->EditFolder, "/tmp/DOGA ");
      QTest::sendKeyEvent(QTest::Click, config->EditFolder, Qt::Key_unknown, QString::fromUtf8("é"), Qt::NoModifier);
      QTest::mouseClick(config->Button2, Qt::LeftButton);
      stayedOpen = config->isVisible();
      keptText = config->EditFolder->text();
      config->EditFolder->selectAll();
      QTest::keyClicks(config->EditFolder, QString::fromStdString(other.string()));
      QTest::keyClick(config->EditFolder, Qt::Key_Return);  // OK is the default button
    });
    form.MenuConfig->trigger();

    QVERIFY(stayedOpen);
    QCOMPARE(keptText, typed);
    QCOMPARE(boxes.seen.size(), 1u);
    QCOMPARE(boxes.seen[0].title, QString("Partwell!"));
    QCOMPARE(boxes.seen[0].icon, QMessageBox::Warning);
    QCOMPARE(boxes.seen[0].text, QString::fromUtf8("Shift-JISで表せない文字は使えません。"));
    QCOMPARE(Read(installation.Ini()), "[Partwell]\r\nCGAFolder=" + other.string() + "\r\nBackColor=1193046\r\n");
    QCOMPARE(form.State().CGAFolder, other.string());
    QCOMPARE(form.ListFolder->count(), 2);
    QCOMPARE(form.ListFolder->item(1)->text(), QString("machine"));
    QCOMPARE(ClientPixel(form.PanelThumbnail, 100, 100), 0x00C000u);
  }
};
PARTWELL_QTEST(SettingsDialogTest)

#include "SettingsDialogTest.moc"
