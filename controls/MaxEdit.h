// Unit MaxEdit: TMaxEdit, a single-line edit that can take the focus under the pointer, keep only a
// number and drop the focus on Enter. The unit's number box is TMaxNumberEdit (MaxNumberEdit.h).
#pragma once

#include <QLineEdit>
#include <QString>
#include <QWidget>

#include "controls/MaxControl.h"

class TMaxEdit : public TMaxControl<QLineEdit> {
  Q_OBJECT
  Q_PROPERTY(bool EnterSelect READ GetEnterSelect WRITE SetEnterSelect)
  Q_PROPERTY(bool EnterOnFormNotActive READ GetEnterOnFormNotActive WRITE SetEnterOnFormNotActive)
  Q_PROPERTY(bool ExitKey READ GetExitKey WRITE SetExitKey)
  Q_PROPERTY(bool NumberOnly READ GetNumberOnly WRITE SetNumberOnly)
  Q_PROPERTY(bool AutoSelect READ GetAutoSelect WRITE SetAutoSelect)
  Q_PROPERTY(int MaxLength READ GetMaxLength WRITE SetMaxLength)
  Q_PROPERTY(bool ReadOnly READ GetReadOnly WRITE SetReadOnly)
  Q_PROPERTY(QString Text READ GetText WRITE SetText)

 public:
  explicit TMaxEdit(QWidget* parent = nullptr);

  bool GetEnterSelect() const { return enterSelect_; }
  void SetEnterSelect(bool v) { enterSelect_ = v; }
  bool GetEnterOnFormNotActive() const { return enterOnFormNotActive_; }
  void SetEnterOnFormNotActive(bool v) { enterOnFormNotActive_ = v; }
  bool GetExitKey() const { return exitKey_; }
  void SetExitKey(bool v) { exitKey_ = v; }
  bool GetNumberOnly() const { return numberOnly_; }
  // Turning it on cleans the present text at once.
  void SetNumberOnly(bool v);
  bool GetAutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool v) { autoSelect_ = v; }
  // 0 = no limit.
  int GetMaxLength() const;
  void SetMaxLength(int v);
  bool GetReadOnly() const { return isReadOnly(); }
  void SetReadOnly(bool v) { setReadOnly(v); }
  QString GetText() const { return text(); }
  void SetText(const QString& v) { setText(v); }

  // Takes the focus when EnterSelect is on, unless another program is in the foreground (and
  // EnterOnFormNotActive is off). Runs on every pointer move over the box, before OnMouseMove.
  void SetFocusOnEnter();

  // Digits in order, a "-" only when nothing was kept before it, the first "." only.
  static QString CleanNumber(const QString& text);
  // Sets a text the program made itself, e.g. a formatted number, without the NumberOnly
  // cleaning (which would turn "1.5e+03" into "1.503"); OnChange as for any change.
  void SetTextAsIs(const QString& text);

  TNotifyEvent OnChange;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

 protected:
  // The text changed (typed, pasted or set): clean it when NumberOnly, then OnChange.
  virtual void Change();
  // The typed character; false when consumed.
  virtual bool KeyPress(QChar& key);

  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool enterSelect_ = true;
  bool enterOnFormNotActive_ = false;
  bool exitKey_ = false;
  bool numberOnly_ = false;
  bool autoSelect_ = true;
  bool cleaning_ = false;
  bool asIs_ = false;
};
