// TMaxEdit and TMaxNumberEdit as the user types, clicks, drags and leaves them.
#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QTest>

#include "controls/MaxEdit.h"
#include "controls/MaxNumberEdit.h"
#include "controls/MaxUpDown.h"
#include "tests/common/QtTestRegistry.h"
#include "tests/controls/ControlsTestUtil.h"

using controls_test::Form;

namespace {

// A mouse event with an explicit held-button state, which QTest's move does not carry.
void SendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button, held, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &e);
}

bool ShowAndActivate(QWidget& form) {
  form.show();
  form.activateWindow();
  return QTest::qWaitForWindowActive(&form);
}

}  // namespace

class TMaxEditTest : public QObject {
  Q_OBJECT

 private slots:
  void NumberOnlyConsumesOtherKeys() {
    Form form;
    auto* edit = new TMaxEdit(&form);
    edit->SetNumberOnly(true);
    QString seen;
    edit->OnKeyPress = [&](QObject*, QChar& key) { seen += key; };
    QVERIFY(ShowAndActivate(form));
    edit->setFocus();
    QTest::keyClicks(edit, "a1b-2.3.x+Z");
    // Letters never reach the box; "-" after a digit, the second "." and "+" are removed by the
    // cleaning that follows every change.
    QCOMPARE(seen, QString("1-2.3.+"));
    QCOMPARE(edit->GetText(), QString("12.3"));
  }

  void PastedTextIsCleaned_data() {
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("kept");
    QTest::newRow("minus signs and points") << "--1-2..3.4-" << "-12.34";
    QTest::newRow("minus after a digit") << "12-3" << "123";
    QTest::newRow("letters and blanks") << " 4a 5e6 " << "456";
    QTest::newRow("plus sign") << "+7.5" << "7.5";
    QTest::newRow("already clean") << "-0.25" << "-0.25";
  }

  void PastedTextIsCleaned() {
    QFETCH(QString, pasted);
    QFETCH(QString, kept);
    TMaxEdit edit;
    edit.SetNumberOnly(true);
    QStringList changes;
    edit.OnChange = [&](QObject* s) { changes << static_cast<TMaxEdit*>(s)->GetText(); };
    QGuiApplication::clipboard()->setText(pasted);
    edit.paste();
    QCOMPARE(edit.GetText(), kept);
    // One change, reported with the cleaned text.
    QCOMPARE(changes, QStringList({kept}));
  }

  void EnterWithExitKeyLeavesNoFocus() {
    Form form;
    auto* edit = new TMaxEdit(&form);
    auto* other = new TMaxEdit(&form);
    other->move(0, 40);
    QVERIFY(ShowAndActivate(form));
    edit->setFocus();
    QVERIFY(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(edit->hasFocus());  // ExitKey off: Enter is the edit's

    edit->SetExitKey(true);
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), nullptr);
    QVERIFY(!other->hasFocus());
  }

  void PointerOverTheBoxTakesTheFocus() {
    Form form;
    auto* first = new TMaxEdit(&form);
    auto* second = new TMaxEdit(&form);
    second->move(0, 40);
    auto* third = new TMaxEdit(&form);
    third->move(0, 80);
    third->SetEnterSelect(false);
    QVERIFY(ShowAndActivate(form));
    first->setFocus();
    QStringList log;
    second->OnMouseMove = [&](QObject*, TShiftState, int x, int y) {
      log << QString("move %1 %2 focus %3").arg(x).arg(y).arg(second->hasFocus());
    };
    SendMouse(second, QEvent::MouseMove, QPoint(5, 6), Qt::NoButton, Qt::NoButton);
    // The focus is taken before OnMouseMove runs.
    QCOMPARE(log, QStringList({"move 5 6 focus 1"}));
    SendMouse(third, QEvent::MouseMove, QPoint(5, 6), Qt::NoButton, Qt::NoButton);
    QVERIFY(second->hasFocus());
  }
};
PARTWELL_QTEST(TMaxEditTest)

class TMaxNumberEditTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowsItsValueInItsFormat() {
    TMaxNumberEdit edit;
    QCOMPARE(edit.size(), QSize(64, 20));
    QCOMPARE(edit.Edit()->GetText(), QString("0.00"));
    edit.FSetPosition(2);
    QCOMPARE(edit.Edit()->GetText(), QString("1.00"));
    QCOMPARE(edit.GetPosition(), 1.0);
    edit.Edit()->SetText("0.25");
    QCOMPARE(edit.GetPosition(), 0.25);
    edit.Edit()->SetText("7");
    QCOMPARE(edit.GetPosition(), 1.0);  // read clamped, not stored
  }

  void ChildrenFollowTheSize() {
    TMaxNumberEdit edit;
    edit.resize(100, 30);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    QCOMPARE(edit.Edit()->geometry(), QRect(0, 0, 85, 30));
    QCOMPARE(edit.UpDown()->geometry(), QRect(85, 0, 15, 30));
  }

  void SetterEventsAndRange() {
    TMaxNumberEdit edit;
    int changes = 0;
    edit.OnChange = [&](QObject* s) { changes += s == &edit; };
    edit.FSetPosition(0.8);
    QCOMPARE(changes, 1);
    edit.SetPosition(0.6);
    QCOMPARE(changes, 1);  // the method form is silent
    QCOMPARE(edit.Edit()->GetText(), QString("0.60"));
    edit.SetMax(0.5);
    QCOMPARE(edit.Edit()->GetText(), QString("0.50"));
    QCOMPARE(changes, 1);
    edit.SetMin(0.7);  // above Max: Max follows
    QCOMPARE(edit.GetMax(), 0.7);
    QCOMPARE(edit.Edit()->GetText(), QString("0.70"));
    QCOMPARE(changes, 1);
  }

  void UpperButtonAddsOneStep() {
    Form form;
    auto* edit = new TMaxNumberEdit(&form);
    edit->SetMax(100);
    edit->SetIncrement(1);
    QVERIFY(edit->SetPrintFormat("%.0f"));
    QVERIFY(ShowAndActivate(form));
    edit->Edit()->SetText("41");  // typed, not yet committed
    QTest::mouseClick(edit->UpDown(), Qt::LeftButton, {}, QPoint(7, 3));
    QCOMPARE(edit->Edit()->GetText(), QString("42"));
    QTest::mouseClick(edit->UpDown(), Qt::LeftButton, {}, QPoint(7, 16));
    QTest::mouseClick(edit->UpDown(), Qt::LeftButton, {}, QPoint(7, 16));
    QCOMPARE(edit->Edit()->GetText(), QString("40"));
  }

  void DragOnTheButtons() {
    Form form;
    auto* edit = new TMaxNumberEdit(&form);
    edit->SetMax(100);
    edit->SetIncrement(1);
    edit->SetPrintFormat("%.0f");
    edit->SetPosition(50);
    int ends = 0;
    edit->OnEndUpDown = [&](QObject* s) { ends += s == edit; };
    QVERIFY(ShowAndActivate(form));
    QWidget* buttons = edit->UpDown();

    // A press on the lower button steps down once; 3 pixels of movement is no drag.
    SendMouse(buttons, QEvent::MouseButtonPress, QPoint(7, 15), Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(edit->Edit()->GetText(), QString("49"));
    for (int y = 14; y >= 12; --y) SendMouse(buttons, QEvent::MouseMove, QPoint(7, y), Qt::NoButton, Qt::LeftButton);
    SendMouse(buttons, QEvent::MouseButtonRelease, QPoint(7, 12), Qt::LeftButton, Qt::NoButton);
    QCOMPARE(edit->Edit()->GetText(), QString("49"));
    QCOMPARE(ends, 0);

    // Ten pixels up, one at a time: the fifth starts the drag, the five after it add a step each.
    SendMouse(buttons, QEvent::MouseButtonPress, QPoint(7, 15), Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(edit->Edit()->GetText(), QString("48"));
    QStringList seen;
    for (int y = 14; y >= 5; --y) {
      SendMouse(buttons, QEvent::MouseMove, QPoint(7, y), Qt::NoButton, Qt::LeftButton);
      seen << edit->Edit()->GetText();
    }
    QCOMPARE(seen, QStringList({"48", "48", "48", "48", "48", "49", "50", "51", "52", "53"}));
    QVERIFY(QGuiApplication::overrideCursor());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::SizeVerCursor);
    SendMouse(buttons, QEvent::MouseButtonRelease, QPoint(7, 5), Qt::LeftButton, Qt::NoButton);
    QCOMPARE(ends, 1);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);

    // Dragging down takes steps off; with dragging disabled nothing but the click happens.
    edit->SetUpDownDragEnabled(false);
    SendMouse(buttons, QEvent::MouseButtonPress, QPoint(7, 3), Qt::LeftButton, Qt::LeftButton);
    for (int y = 4; y <= 19; ++y) SendMouse(buttons, QEvent::MouseMove, QPoint(7, y), Qt::NoButton, Qt::LeftButton);
    SendMouse(buttons, QEvent::MouseButtonRelease, QPoint(7, 19), Qt::LeftButton, Qt::NoButton);
    QCOMPARE(edit->Edit()->GetText(), QString("54"));
    QCOMPARE(ends, 1);
  }

  void LeavingRestoresOrCommits() {
    Form form;
    auto* edit = new TMaxNumberEdit(&form);
    auto* other = new TMaxEdit(&form);
    other->move(0, 40);
    edit->SetPosition(0.5);
    QStringList log;
    edit->OnChange = [&](QObject* s) { log << QString("change %1").arg(s == edit); };
    edit->OnExit = [&](QObject* s) { log << QString("exit %1").arg(s == edit); };
    edit->OnEnter = [&](QObject* s) { log << QString("enter %1").arg(s == edit); };
    QVERIFY(ShowAndActivate(form));
    edit->Edit()->setFocus();
    QTest::keyClick(edit->Edit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit->Edit(), "-");
    log.clear();
    other->setFocus();
    QCOMPARE(edit->Edit()->GetText(), QString("0.50"));
    QCOMPARE(log, QStringList({"exit 1"}));  // restored without a change event

    edit->Edit()->setFocus();
    QTest::keyClick(edit->Edit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit->Edit(), ".7");
    log.clear();
    other->setFocus();
    QCOMPARE(edit->Edit()->GetText(), QString("0.70"));
    QCOMPARE(log, QStringList({"change 1", "exit 1"}));
  }

  void KeyEventsComeFromTheNumberEdit() {
    Form form;
    auto* edit = new TMaxNumberEdit(&form);
    QStringList log;
    edit->OnKeyDown = [&](QObject* s, int& key, TShiftState) { log << QString("down %1 %2").arg(s == edit).arg(key); };
    edit->OnKeyPress = [&](QObject* s, QChar& key) { log << QString("press %1 %2").arg(s == edit).arg(key); };
    edit->OnKeyUp = [&](QObject* s, int& key, TShiftState) { log << QString("up %1 %2").arg(s == edit).arg(key); };
    QVERIFY(ShowAndActivate(form));
    edit->Edit()->setFocus();
    QTest::keyClick(edit->Edit(), Qt::Key_5);
    QCOMPARE(log, QStringList({"down 1 53", "press 1 5", "up 1 53"}));
  }

  void PrintFormats_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("shown");  // the text for 1.5 when accepted
    QTest::newRow("default") << "%.2lf" << true << "1.50";
    QTest::newRow("no decimals") << "%.0f" << true << "2";
    QTest::newRow("literal text and percent") << "x=%5.1f%%" << true << "x=  1.5%";
    QTest::newRow("exponent") << "%e" << true << "1.500000e+00";
    QTest::newRow("flags, width, g") << "%+08.3g" << true << "+00001.5";
    QTest::newRow("left-aligned, l") << "%-6.1lf|" << true << "1.5   |";
    QTest::newRow("alternate form") << "%#.0f" << true << "2.";
    QTest::newRow("empty shows nothing") << "" << true << "";
    QTest::newRow("cut to 31 characters") << "%.30f" << true << "1.500000000000000000000000000000";
    QTest::newRow("string") << "%s" << false << "";
    QTest::newRow("store count") << "%n" << false << "";
    QTest::newRow("integer") << "%d" << false << "";
    QTest::newRow("two conversions") << "%f%f" << false << "";
    QTest::newRow("float then string") << "%.2f %s" << false << "";
    QTest::newRow("width from an argument") << "%*f" << false << "";
    QTest::newRow("precision from an argument") << "%.*f" << false << "";
    QTest::newRow("lone percent") << "%" << false << "";
    QTest::newRow("trailing percent") << "%f%" << false << "";
    QTest::newRow("no conversion") << "abc" << false << "";
    QTest::newRow("long double") << "%Lf" << false << "";
    QTest::newRow("short") << "%hf" << false << "";
    QTest::newRow("positional") << "%1$f" << false << "";
    QTest::newRow("four-digit width") << "%1000f" << false << "";
  }

  void PrintFormats() {
    QFETCH(QString, format);
    QFETCH(bool, accepted);
    QFETCH(QString, shown);
    TMaxNumberEdit edit;
    edit.SetMax(10);
    edit.SetPosition(1.5);
    int changes = 0;
    edit.OnChange = [&](QObject*) { ++changes; };
    QCOMPARE(edit.SetPrintFormat(format), accepted);
    if (accepted) {
      QCOMPARE(edit.GetPrintFormat(), format);
      QCOMPARE(edit.Edit()->GetText(), shown.left(TMaxNumberEdit::MaxFormattedLength));
      QVERIFY(edit.Edit()->GetText().size() <= 31);
    } else {
      QCOMPARE(edit.GetPrintFormat(), QString("%.2lf"));
      QCOMPARE(edit.Edit()->GetText(), QString("1.50"));
    }
    QCOMPARE(changes, 0);  // a new format re-renders silently
  }

  void FormattedTextReadsBackItsValue() {
    TMaxNumberEdit edit;
    edit.SetMax(1e6);
    QVERIFY(edit.SetPrintFormat("%.3e"));
    edit.SetPosition(1500);
    QCOMPARE(edit.Edit()->GetText(), QString("1.500e+03"));
    QCOMPARE(edit.GetPosition(), 1500.0);
    // Literal digits must not become part of the number: the text does not parse, so the stored
    // value is read.
    QVERIFY(edit.SetPrintFormat("v2=%.1f"));
    QCOMPARE(edit.Edit()->GetText(), QString("v2=1500.0"));
    QCOMPARE(edit.GetPosition(), 1500.0);
    edit.AddPosition(1);
    QCOMPARE(edit.Edit()->GetText(), QString("v2=1500.0"));  // Increment 0.01, one decimal
    QCOMPARE(edit.GetPosition(), 1500.01);
  }
};
PARTWELL_QTEST(TMaxNumberEditTest)

#include "MaxEditTest.moc"
