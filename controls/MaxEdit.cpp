#include "controls/MaxEdit.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QStyleOptionButton>
#include <cmath>

#include "controls/Events.h"
#include "controls/Palette.h"
#include "controls/PrintFormat.h"

namespace MaxEdit {
void Register(TPaletteList& palette) {
  RegisterComponents(palette, QStringLiteral("MAX"), {"TMaxEdit", "TMaxNumberEdit"});
}
}  // namespace MaxEdit

namespace {

// Qt keeps its line edits unlimited at this length.
constexpr int QtUnlimitedLength = 32767;

}  // namespace

// ---- TMaxEdit --------------------------------------------------------------------------------------

TMaxEdit::TMaxEdit(QWidget* parent) : TMaxControl(parent) {
  setMouseTracking(true);  // pointer moves without a button select the box
  connect(this, &QLineEdit::textChanged, this, [this] { Change(); });
}

void TMaxEdit::SetNumberOnly(bool v) {
  numberOnly_ = v;
  if (v) Change();
}

int TMaxEdit::GetMaxLength() const { return maxLength() >= QtUnlimitedLength ? 0 : maxLength(); }

void TMaxEdit::SetMaxLength(int v) { setMaxLength(v <= 0 ? QtUnlimitedLength : v); }

QString TMaxEdit::CleanNumber(const QString& text) {
  QString kept;
  bool point = false;
  for (QChar c : text) {
    if (c >= u'0' && c <= u'9') {
      kept += c;
    } else if (c == u'-' && kept.isEmpty()) {
      kept += c;
    } else if (c == u'.' && !point) {
      kept += c;
      point = true;
    }
  }
  return kept;
}

void TMaxEdit::Change() {
  if (cleaning_) return;
  if (numberOnly_ && !asIs_) {
    const QString cleaned = CleanNumber(text());
    if (cleaned != text()) {
      // Setting the text would report the change a second time; one OnChange per change.
      cleaning_ = true;
      setText(cleaned);
      cleaning_ = false;
    }
  }
  if (OnChange) OnChange(this);
}

void TMaxEdit::SetTextAsIs(const QString& text) {
  asIs_ = true;
  setText(text);
  asIs_ = false;
}

void TMaxEdit::SetFocusOnEnter() {
  if (!enterSelect_ || hasFocus()) return;
  if (enterOnFormNotActive_ || QGuiApplication::applicationState() == Qt::ApplicationActive) {
    setFocus(Qt::OtherFocusReason);
  }
}

bool TMaxEdit::KeyPress(QChar& key) {
  if (key == u'\r' && exitKey_) {
    // Enter gives the focus away altogether: no control of the window keeps it.
    if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
    return false;
  }
  if (numberOnly_ && key.unicode() >= 32 && !(key >= u'0' && key <= u'9') && key != u'.' &&
      key != u'+' && key != u'-') {
    return false;
  }
  if (OnKeyPress) OnKeyPress(this, key);
  return !key.isNull();
}

void TMaxEdit::keyPressEvent(QKeyEvent* event) {
  int key = event->key();
  if (OnKeyDown) {
    OnKeyDown(this, key, ShiftStateOf(event->modifiers()));
    if (key == 0) return;
  }
  const QString typed = event->text();
  if (typed.size() == 1) {
    QChar c = typed.at(0);
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) c = u'\r';
    const QChar before = c;
    if (!KeyPress(c)) return;
    if (c != before) {
      if (c.unicode() >= 32) insert(QString(c));
      return;
    }
  }
  QLineEdit::keyPressEvent(event);
}

void TMaxEdit::keyReleaseEvent(QKeyEvent* event) {
  int key = event->key();
  if (OnKeyUp) OnKeyUp(this, key, ShiftStateOf(event->modifiers()));
  QLineEdit::keyReleaseEvent(event);
}

void TMaxEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (autoSelect_ && event->reason() != Qt::MouseFocusReason) selectAll();
  if (OnEnter) OnEnter(this);
}

void TMaxEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (OnExit) OnExit(this);
}

void TMaxEdit::mousePressEvent(QMouseEvent* event) {
  QLineEdit::mousePressEvent(event);
  RaiseMouseDown(this, event);
}

void TMaxEdit::mouseDoubleClickEvent(QMouseEvent* event) {
  QLineEdit::mouseDoubleClickEvent(event);
  RaiseDblClick(this, event);
}

void TMaxEdit::mouseMoveEvent(QMouseEvent* event) {
  SetFocusOnEnter();
  QLineEdit::mouseMoveEvent(event);
  RaiseMouseMove(this, event);
}

void TMaxEdit::mouseReleaseEvent(QMouseEvent* event) {
  QLineEdit::mouseReleaseEvent(event);
  RaiseMouseUp(this, event, rect().contains(event->position().toPoint()));
}
