// The main window as a user meets it: caption, size, folder list, the missing-index warning box, and
// the exception display of the event dispatch.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "app/Application.h"
#include "app/Main.h"
#include "platform/FrameworkError.h"
#include "platform/CommandLine.h"
#include "platform/Sjis.h"
#include "tests/common/QtTestRegistry.h"

namespace {

void Write(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Sjis(const char* utf8) { return platform::Utf8ToSjis(utf8).value(); }

// A program folder with Partwell.ini pointing at a library in the same temporary folder.
struct Installation {
  std::filesystem::path root;
  Installation() {
    char pattern[] = "/tmp/partwell-window-XXXXXX";
    root = mkdtemp(pattern);
    std::filesystem::create_directories(root / "bin");
    std::filesystem::create_directories(root / "DOGACGA" / "common" / "parts");
    std::filesystem::create_directories(root / "DOGACGA" / "common" / "catalog");
    Write(root / "bin" / "Partwell.ini", "[Partwell]\r\nCGAFolder=" + (root / "DOGACGA").string() + "\r\n");
    std::string program = (root / "bin" / "partwell").string();
    char* argv[] = {program.data()};
    platform::SetCommandLine(1, argv);
  }
  ~Installation() { std::filesystem::remove_all(root); }
  void WriteIndex(const std::string& bytes) const { Write(root / "DOGACGA" / "common" / "parts" / "parts.ini", bytes); }
};

// Answers the next modal message box and records what it showed.
struct BoxWatcher {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  void Arm() {
    QTimer::singleShot(0, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        box->accept();
      } else {
        Arm();
      }
    });
  }
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void OpensWithCaptionSizeAndFolderList() {
    Installation installation;
    installation.WriteIndex(Sjis("[PartsAssembler]\r\nMenuItems=3\r\nMenu1=Basic,basic.BMP,basic\\basic\r\n"
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
    installation.WriteIndex("[PartsAssembler]\r\nMenuItems=1\r\nMenu1=Basic,basic.BMP,basic\\basic\r\n"
                            "[PartsAssembler.jpn]\r\nMenu1=Basic,basic.BMP,basic\\basic\r\n");
    std::filesystem::create_directories(installation.root / "DOGACGA" / "common" / "parts" / "basic");
    std::filesystem::copy_file(std::string(PARTWELL_SOURCE_DIR) + "/data/samples/cube.suf",
                               installation.root / "DOGACGA" / "common" / "parts" / "basic" / "basic06.SUF");
    // The attributes the sample uses, so that loading it shows no warning box.
    std::filesystem::copy_file(std::string(PARTWELL_SOURCE_DIR) + "/data/_GENIE.ATR", installation.root / "bin" / "_GENIE.ATR");
    TFormMain form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    form.DropUrls({QUrl::fromLocalFile(QString::fromStdString(std::string(PARTWELL_SOURCE_DIR) + "/data/samples/cube.suf")),
                   QUrl::fromLocalFile("/nowhere/second.suf")});
    QVERIFY2(form.EditFile->text().endsWith("cube.suf"), qPrintable(form.EditFile->text()));
    QVERIFY(form.BtnRegister->isEnabled());
    QCOMPARE(form.LabelPolyCount->text(), QString("6"));
    QTRY_VERIFY(form.PanelRend->Picture().pixel(64, 48) != form.PanelRend->Picture().pixel(0, 0));
    QCOMPARE(form.PanelRend->Picture().pixel(0, 0) & 0xFFFFFFu, 7555739u);

    // Slot 5 is the second cell of the second row: display (64..127, 48..95), inside the border.
    const QPoint origin = form.PanelThumbnail->contentsRect().topLeft();
    QTest::mouseClick(form.PanelThumbnail, Qt::LeftButton, Qt::NoModifier, origin + QPoint(70, 50));
    QCOMPARE(form.State().SelectedSlot, 5);
    QCOMPARE(form.LabelPartsName->text(), QString("basic\\basic06.SUF"));
    QVERIFY(form.BtnDelete->isEnabled());
    QCOMPARE(form.PanelThumbnail->Picture().pixel(64, 48) & 0xFFFFFFu, 0xFF0000u);
    QTest::mouseClick(form.PanelThumbnail, Qt::RightButton, Qt::NoModifier, origin + QPoint(5, 5));
    QCOMPARE(form.State().SelectedSlot, 5);
    if (qEnvironmentVariableIsSet("PARTWELL_GRAB")) form.grab().save(qEnvironmentVariable("PARTWELL_GRAB"));
  }

  void MissingIndexIsARealWarningBox() {
    Installation installation;
    BoxWatcher watcher;
    watcher.Arm();
    TFormMain form;
    QCOMPARE(watcher.title, QString("Partwell!"));
    QCOMPARE(watcher.icon, QMessageBox::Warning);
    QCOMPARE(watcher.text, QString::fromUtf8("\"\\common\\parts\\parts.ini\"が見つかりません。\n環境設定でDOGACGAのフォルダを設定して下さい。"));
    QCOMPARE(form.ListFolder->count(), 0);
  }

  void FrameworkErrorsAreShownWithAPeriod() {
    BoxWatcher watcher;
    watcher.Arm();
    ShowException(platform::FrameworkError(Sjis("C:\\DOGACGA\\Partwell.ini に書き込めません")));
    QCOMPARE(watcher.title, QString("Partwell!"));
    QCOMPARE(watcher.icon, QMessageBox::Critical);
    QCOMPARE(watcher.text, QString::fromUtf8("C:\\DOGACGA\\Partwell.ini に書き込めません."));
  }
};
PARTWELL_QTEST(MainWindowTest)

#include "MainWindowTest.moc"
