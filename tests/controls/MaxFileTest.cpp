// The folder browser as the user drives it, and the filter texts of the open and save dialogs.
#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "controls/MaxFile.h"
#include "controls/MaxFolderBrowser.h"
#include "controls/MaxFolderDialog.h"
#include "controls/MaxSaveDialog.h"
#include "tests/common/QtTestRegistry.h"

namespace {

// Runs `step` once the modal dialog is up.
void WhenModal(std::function<void(QWidget*)> step) {
  QTimer::singleShot(0, [step] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) {
      WhenModal(step);
      return;
    }
    step(modal);
  });
}

bool WaitFor(const std::function<bool()>& condition) {
  for (int i = 0; i < 200 && !condition(); ++i) QTest::qWait(10);
  return condition();
}

}  // namespace

class TMaxFolderDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { saved_ = QDir::currentPath(); }
  void cleanup() { QDir::setCurrent(saved_); }

  void TitleAboveTheTree() {
    TMaxFolderDialog dialog;
    QCOMPARE(dialog.GetTitle(), QString());
    QVERIFY(!dialog.GetCurrentDir() && !dialog.GetTextEnabled() && dialog.GetFolder().isEmpty());
    dialog.SetTitle("フォルダを選択");
    TMaxFolderBrowser* browser = dialog.CreateBrowser();
    browser->show();
    QVERIFY(QTest::qWaitForWindowExposed(browser));
    QVERIFY(browser->TitleLabel()->isVisible());
    QCOMPARE(browser->TitleLabel()->text(), QString("フォルダを選択"));
    QVERIFY(browser->TitleLabel()->geometry().bottom() < browser->FileDialog()->geometry().top());
    QVERIFY(!browser->StatusLabel()->isVisible());
    QCOMPARE(browser->FileDialog()->fileMode(), QFileDialog::Directory);
    QVERIFY(browser->FileDialog()->testOption(QFileDialog::ShowDirsOnly));

    dialog.SetTitle("");
    dialog.SetTextEnabled(true);
    browser = dialog.CreateBrowser();
    browser->show();
    QVERIFY(QTest::qWaitForWindowExposed(browser));
    QVERIFY(!browser->TitleLabel()->isVisible());
    QVERIFY(browser->StatusLabel()->isVisible());
  }

  void StartsOnTheCurrentDirectoryWhenAsked() {
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkdir("here"));
    const QString here = QDir(root.path()).filePath("here");
    QVERIFY(QDir::setCurrent(here));
    TMaxFolderDialog dialog;
    dialog.CreateBrowser();
    QCOMPARE(dialog.GetFolder(), QString());  // nothing preselected

    dialog.SetCurrentDir(true);
    TMaxFolderBrowser* browser = dialog.CreateBrowser();
    QCOMPARE(dialog.GetFolder(), QDir::toNativeSeparators(here));
    QCOMPARE(browser->SelectedFolder(), here);
  }

  void VetoGreysOutOk() {
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkdir("open"));
    QVERIFY(QDir(root.path()).mkdir("locked"));
    TMaxFolderDialog dialog;
    QStringList asked;
    dialog.OnChangeFolder = [&](QObject* sender, bool& canClose) {
      auto* d = static_cast<TMaxFolderDialog*>(sender);
      asked << QDir(d->GetFolder()).dirName();
      canClose = !d->GetFolder().endsWith("locked");
    };
    TMaxFolderBrowser* browser = dialog.CreateBrowser();
    QFileDialog* files = browser->FileDialog();
    browser->show();
    QVERIFY(QTest::qWaitForWindowExposed(browser));
    files->setDirectory(root.path());
    // The folder list fills in the background; pick once both folders are listed, as a user would.
    auto* list = files->findChild<QAbstractItemView*>("listView");
    QVERIFY(list);
    QVERIFY(WaitFor([&] { return list->model()->rowCount(list->rootIndex()) == 2; }));
    const auto click = [list](const QString& name) {
      for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row) {
        const QModelIndex index = list->model()->index(row, 0, list->rootIndex());
        if (index.data().toString() == name) list->setCurrentIndex(index);
      }
    };
    click("locked");
    const bool gotLocked = WaitFor([&] { return asked.contains("locked"); });
    QVERIFY2(gotLocked, qPrintable(asked.join(",") + " / " + files->selectedFiles().join(",")));
    QCoreApplication::processEvents();
    QVERIFY(browser->OkButton());
    QVERIFY(!browser->OkButton()->isEnabled());
    QCOMPARE(dialog.GetFolder(), QDir::toNativeSeparators(QDir(root.path()).filePath("locked")));
    QMetaObject::invokeMethod(files, "accept");  // even an OK that gets through is refused for this folder
    QVERIFY(browser->isVisible());
    QCOMPARE(browser->result(), 0);

    click("open");
    QVERIFY(WaitFor([&] { return asked.endsWith("open"); }));
    QCoreApplication::processEvents();
    QVERIFY(browser->OkButton()->isEnabled());
  }

  void ExecuteReturnsTheChosenFolder() {
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkdir("parts"));
    const QString parts = QDir(root.path()).filePath("parts");
    TMaxFolderDialog dialog;
    WhenModal([&](QWidget* modal) {
      auto* browser = qobject_cast<TMaxFolderBrowser*>(modal);
      QVERIFY(browser);
      browser->FileDialog()->setDirectory(parts);
      QTimer::singleShot(0, browser->FileDialog(), [browser] { browser->OkButton()->click(); });
    });
    QVERIFY(dialog.Execute());
    QCOMPARE(dialog.GetFolder(), QDir::toNativeSeparators(parts));

    WhenModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    dialog.SetFolder("kept");
    QVERIFY(!dialog.Execute());
  }

 private:
  QString saved_;
};
PARTWELL_QTEST(TMaxFolderDialogTest)

class TMaxOpenDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void FilterTextFollowsTheList() {
    TMaxOpenDialog dialog;
    QCOMPARE(dialog.GetFilter(), QString());
    QStringList list = {"SUF File (*.suf)|*.suf"};
    dialog.SetFilters(list);
    QCOMPARE(dialog.GetFilter(), QString("SUF File (*.suf)|*.suf"));
    list << "changed";  // the dialog has its own copy
    QCOMPARE(dialog.GetFilters().size(), 1);
    dialog.AddFilter("All Files (*.*)|*.*");
    QCOMPARE(dialog.GetFilter(), QString("SUF File (*.suf)|*.suf|All Files (*.*)|*.*"));
    dialog.ClearFilters();
    QCOMPARE(dialog.GetFilter(), QString());
    QCOMPARE(dialog.GetFilterIndex(), 1);
  }

  void QtFiltersMatchLikeWindows() {
    const QStringList filters =
        TMaxOpenDialog::QtNameFilters("SUF File (*.suf)|*.suf|Bitmaps|*.bmp;*.dib|All Files (*.*)|*.*|Dangling");
    QCOMPARE(filters, QStringList({"SUF File (*.suf) (*.[sS][uU][fF])", "Bitmaps (*.[bB][mM][pP] *.[dD][iI][bB])",
                                   "All Files (*.*) (*)"}));
    const auto matches = [](const QString& filter, const QString& name) {
      const QString patterns = filter.mid(filter.lastIndexOf('(') + 1).chopped(1);
      for (const QString& p : patterns.split(' ')) {
        if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(p)).match(name).hasMatch()) return true;
      }
      return false;
    };
    QVERIFY(matches(filters[0], "PART01.SUF"));
    QVERIFY(matches(filters[0], "part01.suf"));
    QVERIFY(!matches(filters[0], "part01.sufx"));
    QVERIFY(matches(filters[1], "Cat.Dib"));
    QVERIFY(matches(filters[2], "README"));  // "*.*" takes files without a dot too
    QVERIFY(TMaxOpenDialog::QtNameFilters("").isEmpty());
  }

  void DialogTakesTheSettings() {
    QTemporaryDir root;
    TMaxOpenDialog open;
    open.SetFilters({"SUF File (*.suf)|*.suf", "All Files (*.*)|*.*"});
    open.SetFilterIndex(2);
    open.SetTitle("開く");
    open.SetInitialDir(root.path());
    QFileDialog* d = open.CreateFileDialog();
    QCOMPARE(d->acceptMode(), QFileDialog::AcceptOpen);
    QCOMPARE(d->nameFilters(), TMaxOpenDialog::QtNameFilters(open.GetFilter()));
    QCOMPARE(d->selectedNameFilter(), QString("All Files (*.*)"));  // as the user reads it
    QVERIFY(d->testOption(QFileDialog::HideNameFilterDetails));
    QCOMPARE(d->windowTitle(), QString("開く"));
    QCOMPARE(QDir(d->directory()).canonicalPath(), QDir(root.path()).canonicalPath());

    TMaxSaveDialog save;
    save.SetFilters({"SUF File (*.suf)|*.suf"});
    QCOMPARE(save.CreateFileDialog()->acceptMode(), QFileDialog::AcceptSave);
  }

  void SaveReturnsTheName() {
    QTemporaryDir root;
    TMaxSaveDialog save;
    save.SetFilters({"SUF File (*.suf)|*.suf"});
    save.SetInitialDir(root.path());
    save.SetDefaultExt("suf");
    int asked = 0;
    save.OnCanClose = [&](QObject* s, bool& canClose) {
      canClose = ++asked > 1 && s == &save;  // the first OK is refused
    };
    WhenModal([&](QWidget* modal) {
      auto* d = qobject_cast<QFileDialog*>(modal);
      QVERIFY(d);
      d->selectFile(QDir(root.path()).filePath("new"));
      QMetaObject::invokeMethod(d, "accept");
      QVERIFY(d->isVisible());
      QMetaObject::invokeMethod(d, "accept");
    });
    QVERIFY(save.Execute());
    QCOMPARE(asked, 2);
    QCOMPARE(save.GetFileName(), QDir::toNativeSeparators(QDir(root.path()).filePath("new.suf")));
    QCOMPARE(save.GetFilterIndex(), 1);

    TMaxOpenDialog open;
    open.SetFilters({"SUF File (*.suf)|*.suf", "All Files (*.*)|*.*"});
    open.SetFilterIndex(2);
    QFileDialog* d = open.CreateFileDialog();
    open.SetFilterIndex(0);
    open.TakeResult(d);
    QCOMPARE(open.GetFilterIndex(), 2);
  }
};
PARTWELL_QTEST(TMaxOpenDialogTest)

#include "MaxFileTest.moc"
