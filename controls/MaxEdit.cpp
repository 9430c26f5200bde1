#include "controls/MaxEdit.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QStyleOptionButton>
#include <cmath>

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

TMaxEdit::TMaxEdit(QWidget* parent) : QLineEdit(parent) {
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

// ---- formatting ----------------------------------------------------------------------------------

bool TMaxNumberEdit::IsValidPrintFormat(const QString& format) {
  return printformat::IsValid(format.toStdString());
}

QString TMaxNumberEdit::FormatValue(const QString& format, double value) {
  QString text = QString::fromStdString(printformat::Format(format.toStdString(), value));
  // A cut in the middle of a multi-byte character leaves a replacement character at the end.
  while (text.endsWith(QChar::ReplacementCharacter)) text.chop(1);
  return text;
}

// ---- TMaxNumberEdit ------------------------------------------------------------------------------

namespace {

// The platform's text-to-number conversion: surrounding blanks allowed, a finite number required.
bool ParseNumber(const QString& text, double& out) {
  bool ok = false;
  const double v = text.trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(v)) return false;
  out = v;
  return true;
}

}  // namespace

TMaxNumberEdit::TMaxNumberEdit(QWidget* parent)
    : QWidget(parent), edit_(new TMaxEdit(this)), upDown_(new TMaxUpDown(this)) {
  resize(64, 20);
  setFocusProxy(edit_);
  edit_->SetNumberOnly(true);
  edit_->OnChange = [this](QObject*) {
    if (OnChange) OnChange(this);
  };
  edit_->OnEnter = [this](QObject*) {
    if (OnEnter) OnEnter(this);
  };
  edit_->OnExit = [this](QObject*) {
    Commit();
    if (OnExit) OnExit(this);
  };
  edit_->OnKeyDown = [this](QObject*, int& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
  };
  edit_->OnKeyPress = [this](QObject*, QChar& key) {
    if (OnKeyPress) OnKeyPress(this, key);
  };
  edit_->OnKeyUp = [this](QObject*, int& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
  };
  edit_->OnMouseMove = [this](QObject*, TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
  };
  // TMaxEdit already takes the focus under the pointer before its OnMouseMove.
  ShowValue(0, false);
}

TMaxNumberEdit::~TMaxNumberEdit() {
  // Destroying the focused inner edit reports a focus loss; nothing may be committed by then.
  edit_->OnExit = nullptr;
  edit_->OnChange = nullptr;
  if (dragging_) QGuiApplication::restoreOverrideCursor();
}

void TMaxNumberEdit::ShowValue(double value, bool notify) {
  if (value > max_) value = max_;
  if (value < min_) value = min_;
  value_ = value;
  const QString text = FormatValue(printFormat_, value);
  // The format's output goes in as it is: the number-only cleaning would drop an exponent's "e"
  // or keep digits of literal text, and the value read back would be wrong.
  if (notify) {
    edit_->SetTextAsIs(text);
  } else {
    TNotifyEvent kept = std::move(edit_->OnChange);
    edit_->OnChange = nullptr;
    edit_->SetTextAsIs(text);
    edit_->OnChange = std::move(kept);
  }
}

void TMaxNumberEdit::FSetPosition(double value) { ShowValue(value, true); }

void TMaxNumberEdit::SetPosition(double value) { ShowValue(value, false); }

double TMaxNumberEdit::GetPosition() const {
  double v = value_;
  ParseNumber(edit_->text(), v);
  if (v > max_) v = max_;
  if (v < min_) v = min_;
  return v;
}

void TMaxNumberEdit::AddPosition(double steps) { FSetPosition(GetPosition() + steps * increment_); }

void TMaxNumberEdit::SetMax(double x) {
  if (min_ > x) min_ = x;
  max_ = x;
  if (x < value_) SetPosition(x);
}

void TMaxNumberEdit::SetMin(double x) {
  if (max_ < x) max_ = x;
  min_ = x;
  if (x > value_) SetPosition(x);
}

bool TMaxNumberEdit::SetPrintFormat(const QString& format) {
  if (!IsValidPrintFormat(format)) return false;
  printFormat_ = format;
  SetPosition(value_);
  return true;
}

bool TMaxNumberEdit::GetAutoSelect() const { return edit_->GetAutoSelect(); }
void TMaxNumberEdit::SetAutoSelect(bool v) { edit_->SetAutoSelect(v); }
bool TMaxNumberEdit::GetEnterSelect() const { return edit_->GetEnterSelect(); }
void TMaxNumberEdit::SetEnterSelect(bool v) { edit_->SetEnterSelect(v); }
bool TMaxNumberEdit::GetEnterOnFormNotActive() const { return edit_->GetEnterOnFormNotActive(); }
void TMaxNumberEdit::SetEnterOnFormNotActive(bool v) { edit_->SetEnterOnFormNotActive(v); }
int TMaxNumberEdit::GetMaxLength() const { return edit_->GetMaxLength(); }
void TMaxNumberEdit::SetMaxLength(int v) { edit_->SetMaxLength(v); }
bool TMaxNumberEdit::GetReadOnly() const { return edit_->GetReadOnly(); }
void TMaxNumberEdit::SetReadOnly(bool v) { edit_->SetReadOnly(v); }

void TMaxNumberEdit::Commit() {
  double parsed;
  if (ParseNumber(edit_->text(), parsed)) {
    FSetPosition(parsed);
  } else {
    SetPosition(GetPosition());
  }
}

void TMaxNumberEdit::UpDownClick(bool up) {
  // The buttons' own position never moves, so they never stop at an end; during a drag the
  // pointer, not the buttons, changes the value.
  if (dragging_) return;
  Commit();
  AddPosition(up ? 1 : -1);
}

void TMaxNumberEdit::UpDownMouseDown(const QMouseEvent* event) {
  if (!upDownDragEnabled_ || event->button() != Qt::LeftButton) return;
  lastY_ = event->position().toPoint().y();
  pressed_ = true;
  dragging_ = false;
}

void TMaxNumberEdit::UpDownMouseMove(const QMouseEvent* event) {
  if (!upDownDragEnabled_ || !pressed_ || !(event->buttons() & Qt::LeftButton)) return;
  const int y = event->position().toPoint().y();
  if (dragging_) {
    // Up by n pixels adds n steps.
    const int moved = lastY_ - y;
    lastY_ = y;
    if (moved != 0) AddPosition(moved);
  } else if (std::abs(y - lastY_) >= 5) {
    lastY_ = y;
    dragging_ = true;
    QGuiApplication::setOverrideCursor(Qt::SizeVerCursor);
  }
}

void TMaxNumberEdit::UpDownMouseUp(const QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressed_ = false;
  if (!dragging_) return;
  dragging_ = false;
  QGuiApplication::restoreOverrideCursor();
  if (OnEndUpDown) OnEndUpDown(this);
}

void TMaxNumberEdit::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int w = width();
  const int h = height();
  edit_->setGeometry(0, 0, std::max(w - 15, 0), h);
  upDown_->setGeometry(std::max(w - 15, 0), 0, 15, h);
}

void TMaxNumberEdit::mousePressEvent(QMouseEvent* event) { RaiseMouseDown(this, event); }
void TMaxNumberEdit::mouseDoubleClickEvent(QMouseEvent* event) { RaiseDblClick(this, event); }
void TMaxNumberEdit::mouseMoveEvent(QMouseEvent* event) { RaiseMouseMove(this, event); }
void TMaxNumberEdit::mouseReleaseEvent(QMouseEvent* event) {
  RaiseMouseUp(this, event, rect().contains(event->position().toPoint()));
}

// ---- TMaxUpDown ----------------------------------------------------------------------------------

TMaxUpDown::TMaxUpDown(TMaxNumberEdit* owner) : QWidget(owner), owner_(owner) {
  setFocusPolicy(Qt::NoFocus);
}

void TMaxUpDown::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int half = height() / 2;
  const QRect halves[2] = {QRect(0, 0, width(), half), QRect(0, half, width(), height() - half)};
  for (int i = 0; i < 2; ++i) {
    QStyleOptionButton button;
    button.initFrom(this);
    button.rect = halves[i];
    if (pressedHalf_ == (i == 0 ? 1 : -1)) button.state |= QStyle::State_Sunken;
    else button.state |= QStyle::State_Raised;
    style()->drawControl(QStyle::CE_PushButtonBevel, &button, &painter, this);
    QStyleOption arrow;
    arrow.initFrom(this);
    arrow.rect = halves[i].adjusted(3, 2, -3, -2);
    style()->drawPrimitive(i == 0 ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown,
                           &arrow, &painter, this);
  }
}

void TMaxUpDown::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  owner_->UpDownMouseDown(event);
  pressedHalf_ = event->position().y() < height() / 2 ? 1 : -1;
  repaint();
  owner_->UpDownClick(pressedHalf_ > 0);
}

void TMaxUpDown::mouseMoveEvent(QMouseEvent* event) { owner_->UpDownMouseMove(event); }

void TMaxUpDown::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    pressedHalf_ = 0;
    update();
  }
  owner_->UpDownMouseUp(event);
}
