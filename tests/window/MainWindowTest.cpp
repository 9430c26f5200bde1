// The main window as a user meets it: caption, size, folder list, the missing-index warning box, and
// the exception display of the event dispatch.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "app/Application.h"
#include "app/Main.h"
#include "platform/FrameworkError.h"
#include "tests/common/QtTestRegistry.h"
#include "tests/window/WindowFixture.h"

using namespace partwell::test;

class MainWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void OpensWithCaptionSizeAndFolderList() {
    Installation installation;
    Write(installation.Cga() / "common" / "parts" / "parts.ini", Sjis("[PartsAssembler]\r\nMenuItems=3\r\nMenu1=Basic,basic.BMP,basic\\basic\r\n"
                                 "Menu2=Machines,machine.BMP,machine\\machine\r\nMenu3=Signs,signs.BMP,signs\\signs\r\n"
                                 "[PartsAssembler.jpn]\r\nMenu1=基本ソリッド,basic.BMP,basic\\basic\r\n"
                                 "Menu2=機能パーツ,machine.BMP,machine\\machine\r\nMenu3=表示記号,signs.BMP,signs\\signs\r\n"));
    TFormMain form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.windowTitle(), QString("Partwell!"));
    QCOMPARE(form.centralWidget()->size(), QSize(428, 364));
    QCOMPARE(form.ListFolder->geometry(), QRect(16, 120, 121, 196));
    QCOMPARE(form.ListFolder->count(), 3);
    QCOMPARE(form.ListFolder->item(0)->text(), QString::fromUtf8("基本ソリッド"));
    QCOMPARE(form.ListFolder->item(1)->text(), QString::fromUtf8("機能パーツ"));
    QCOMPARE(form.ListFolder->item(2)->text(), QString::fromUtf8("表示記号"));
    QCOMPARE(form.ListFolder->currentRow(), 0);
    QVERIFY(!form.BtnRegister->isEnabled());
    QVERIFY(!form.BtnDelete->isEnabled());
    // The window cannot be resized.
    QCOMPARE(form.minimumSize(), form.maximumSize());
  }

  void DroppedShapeIsPreviewedAndClicksPickSlots() {
    Installation installation;
    Write(installation.Cga() / "common" / "parts" / "parts.ini", "[PartsAssembler]\r\nMenuItems=1\r\nMenu1=Basic,basic.BMP,basic\\basic\r\n"
                            "[PartsAssembler.jpn]\r\nMenu1=Basic,basic.BMP,basic\\basic\r\n");
    std::filesystem::create_directories(installation.root / "DOGACGA" / "common" / "parts" / "basic");
    std::filesystem::copy_file(std::string(PARTWELL_SOURCE_DIR) + "/data/samples/cube.suf",
                               installation.root / "DOGACGA" / "common" / "parts" / "basic" / "basic06.SUF");
    // The attributes the sample uses, so that loading it shows no warning box.
    std::filesystem::copy_file(std::string(PARTWELL_SOURCE_DIR) + "/data/_GENIE.ATR", installation.root / "bin" / "_GENIE.ATR");
    TFormMain form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    {
      // A name with no Shift-JIS form is refused with the workflow's one text, not dropped silently.
      Boxes boxes;
      form.DropUrls({QUrl::fromLocalFile(QString::fromUtf8("/tmp/é.suf"))});
      QCOMPARE(boxes.seen.size(), 1u);
      QCOMPARE(boxes.seen[0].icon, QMessageBox::Warning);
      QCOMPARE(boxes.seen[0].text, QString::fromUtf8("Shift-JISで表せない文字は使えません。"));
      QVERIFY(form.EditFile->text().isEmpty());
    }
    form.DropUrls({QUrl::fromLocalFile(QString::fromStdString(std::string(PARTWELL_SOURCE_DIR) + "/data/samples/cube.suf")),
                   QUrl::fromLocalFile("/nowhere/second.suf")});
    QVERIFY2(form.EditFile->text().endsWith("cube.suf"), qPrintable(form.EditFile->text()));
    QVERIFY(form.BtnRegister->isEnabled());
    QCOMPARE(form.LabelPolyCount->text(), QString("6"));
    QVERIFY(ClientPixel(form.PanelRend, 64, 48) != ClientPixel(form.PanelRend, 0, 0));
    QCOMPARE(ClientPixel(form.PanelRend, 0, 0), 7555739u);

    // Slot 5 is the second cell of the second row: display (64..127, 48..95), inside the border.
    const QPoint origin = form.PanelThumbnail->ClientRect().topLeft();
    QTest::mouseClick(form.PanelThumbnail, Qt::LeftButton, Qt::NoModifier, origin + QPoint(70, 50));
    QCOMPARE(form.State().SelectedSlot, 5);
    QCOMPARE(form.LabelPartsName->text(), QString("basic\\basic06.SUF"));
    QVERIFY(form.BtnDelete->isEnabled());
    QCOMPARE(ClientPixel(form.PanelThumbnail, 64, 48), 0xFF0000u);
    QTest::mouseClick(form.PanelThumbnail, Qt::RightButton, Qt::NoModifier, origin + QPoint(5, 5));
    QCOMPARE(form.State().SelectedSlot, 5);
    if (qEnvironmentVariableIsSet("PARTWELL_GRAB")) form.grab().save(qEnvironmentVariable("PARTWELL_GRAB"));
  }

  // The folder the catalog panel shows is the folder register writes into, however the list's
  // line was moved; Enter runs 読込; Qt's own buttons speak Japanese.
  void KeyboardMovesTheFolderThatRegisterWritesInto() {
    QVERIFY(InstallQtTranslations(*qApp));
    Installation installation;
    const std::filesystem::path catalogs = installation.Cga() / "common" / "catalog";
    const std::filesystem::path parts = installation.Cga() / "common" / "parts";
    Installation::WriteFolders(installation.Cga(), {{"red", 0xC00000}, {"green", 0x00C000}, {"blue", 0x0000C0}});
    Write(parts / "red" / "red06.SUF", "old part");
    std::filesystem::copy_file(std::string(PARTWELL_SOURCE_DIR) + "/data/_GENIE.ATR", installation.root / "bin" / "_GENIE.ATR");
    const std::string shape = std::string(PARTWELL_SOURCE_DIR) + "/data/samples/cube.suf";
    const std::string before[] = {Read(catalogs / "red.BMP"), Read(catalogs / "green.BMP"), Read(catalogs / "blue.BMP")};

    TFormMain form;
    int opened = 0;
    form.OpenDlg = [&] { ++opened; return QString::fromStdString(shape); };
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.ListFolder->visualItemRect(form.ListFolder->item(1)).height(), 12);

    QTest::mouseClick(form.ListFolder->viewport(), Qt::LeftButton, Qt::NoModifier,
                      form.ListFolder->visualItemRect(form.ListFolder->item(1)).center());
    QCOMPARE(ClientPixel(form.PanelThumbnail, 100, 100), 0x00C000u);
    QTest::keyClick(form.ListFolder, Qt::Key_Down);
    QCOMPARE(ClientPixel(form.PanelThumbnail, 100, 100), 0x0000C0u);
    QTest::keyClick(form.ListFolder, Qt::Key_Up);
    QTest::keyClick(form.ListFolder, Qt::Key_Up);
    QCOMPARE(form.ListFolder->currentRow(), 0);
    QCOMPARE(ClientPixel(form.PanelThumbnail, 100, 100), 0xC00000u);

    // Enter with the focus on the list: 読込, whose dialog here picks the sample cube.
    QTest::keyClick(form.ListFolder, Qt::Key_Return);
    QCOMPARE(opened, 1);
    QCOMPARE(form.EditFile->text(), QString::fromStdString(shape));
    QCOMPARE(form.LabelPolyCount->text(), QString("6"));

    QTest::mouseClick(form.PanelThumbnail, Qt::LeftButton, Qt::NoModifier, form.PanelThumbnail->ClientRect().topLeft() + QPoint(70, 50));
    QCOMPARE(form.LabelPartsName->text(), QString("red\\red06.SUF"));
    Boxes boxes;
    QTest::mouseClick(form.BtnRegister, Qt::LeftButton);
    QCOMPARE(boxes.seen.size(), 2u);  // overwrite? then done
    QCOMPARE(boxes.seen[0].icon, QMessageBox::Question);
    QCOMPARE(boxes.seen[0].yesText, QString::fromUtf8("はい(&Y)"));
    QCOMPARE(Read(parts / "red" / "red06.SUF"), Read(shape));
    QVERIFY(Read(catalogs / "red.BMP") != before[0]);
    QCOMPARE(Read(catalogs / "green.BMP"), before[1]);
    QCOMPARE(Read(catalogs / "blue.BMP"), before[2]);
  }

  void MissingIndexIsARealWarningBox() {
    Installation installation;
    Boxes boxes;
    TFormMain form;
    QCOMPARE(boxes.seen.size(), 1u);
    QCOMPARE(boxes.seen[0].title, QString("Partwell!"));
    QCOMPARE(boxes.seen[0].icon, QMessageBox::Warning);
    QCOMPARE(boxes.seen[0].text, QString::fromUtf8("\"\\common\\parts\\parts.ini\"が見つかりません。\n環境設定でDOGACGAのフォルダを設定して下さい。"));
    QCOMPARE(form.ListFolder->count(), 0);
  }

  void FrameworkErrorsAreShownWithAPeriod() {
    Boxes boxes;
    ShowException(platform::FrameworkError(Sjis("C:\\DOGACGA\\Partwell.ini に書き込めません")));
    QCOMPARE(boxes.seen.size(), 1u);
    QCOMPARE(boxes.seen[0].title, QString("Partwell!"));
    QCOMPARE(boxes.seen[0].icon, QMessageBox::Critical);
    QCOMPARE(boxes.seen[0].text, QString::fromUtf8("C:\\DOGACGA\\Partwell.ini に書き込めません."));
  }
};
PARTWELL_QTEST(MainWindowTest)

#include "MainWindowTest.moc"
