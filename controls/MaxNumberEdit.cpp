#include "controls/MaxNumberEdit.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QResizeEvent>
#include <cmath>

#include "controls/MaxUpDown.h"
#include "controls/PrintFormat.h"

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
    : TMaxControl(parent), edit_(new TMaxEdit(this)), upDown_(new TMaxUpDown(this)) {
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

