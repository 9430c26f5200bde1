// Unit MaxEdit: TMaxEdit, a single-line edit that can take the focus under the pointer, keep only a
// number and drop the focus on Enter; TMaxNumberEdit, a floating-point box made of a TMaxEdit and an
// up-down button pair with a range, a step, a printf-style format and vertical dragging.
#pragma once

#include <QLineEdit>
#include <QString>
#include <QWidget>

#include "controls/PrintFormat.h"
#include "controls/Types.h"

class TMaxEdit : public QLineEdit, public TMouseEvents {
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

class TMaxUpDown;

class TMaxNumberEdit : public QWidget, public TMouseEvents {
  Q_OBJECT
  Q_PROPERTY(double Position READ GetPosition WRITE FSetPosition)
  Q_PROPERTY(double Min READ GetMin WRITE SetMin)
  Q_PROPERTY(double Max READ GetMax WRITE SetMax)
  Q_PROPERTY(double Increment READ GetIncrement WRITE SetIncrement)
  Q_PROPERTY(QString PrintFormat READ GetPrintFormat WRITE SetPrintFormat)
  Q_PROPERTY(bool UpDownDragEnabled READ GetUpDownDragEnabled WRITE SetUpDownDragEnabled)
  Q_PROPERTY(bool AutoSelect READ GetAutoSelect WRITE SetAutoSelect)
  Q_PROPERTY(bool EnterSelect READ GetEnterSelect WRITE SetEnterSelect)
  Q_PROPERTY(bool EnterOnFormNotActive READ GetEnterOnFormNotActive WRITE SetEnterOnFormNotActive)
  Q_PROPERTY(int MaxLength READ GetMaxLength WRITE SetMaxLength)
  Q_PROPERTY(bool ReadOnly READ GetReadOnly WRITE SetReadOnly)

 public:
  // The longest text the format may produce; longer results are cut.
  static constexpr int MaxFormattedLength = printformat::MaxLength;

  explicit TMaxNumberEdit(QWidget* parent = nullptr);
  ~TMaxNumberEdit() override;

  QSize sizeHint() const override { return {64, 20}; }

  // The parsed text clamped to [Min, Max], or the stored value when the text is no number.
  double GetPosition() const;
  // Stores the clamped value and shows it; OnChange when the text changes.
  void FSetPosition(double value);
  // The same without OnChange.
  void SetPosition(double value);
  void AddPosition(double steps);

  double GetMin() const { return min_; }
  void SetMin(double x);
  double GetMax() const { return max_; }
  void SetMax(double x);
  double GetIncrement() const { return increment_; }
  void SetIncrement(double x) { increment_ = x; }

  QString GetPrintFormat() const { return printFormat_; }
  // A format printformat::IsValid refuses is not taken: the previous one stays and false is
  // returned.
  bool SetPrintFormat(const QString& format);
  static bool IsValidPrintFormat(const QString& format);
  // value formatted with `format` (which must be valid), at most MaxFormattedLength characters.
  static QString FormatValue(const QString& format, double value);

  bool GetUpDownDragEnabled() const { return upDownDragEnabled_; }
  void SetUpDownDragEnabled(bool v) { upDownDragEnabled_ = v; }

  bool GetAutoSelect() const;
  void SetAutoSelect(bool v);
  bool GetEnterSelect() const;
  void SetEnterSelect(bool v);
  bool GetEnterOnFormNotActive() const;
  void SetEnterOnFormNotActive(bool v);
  int GetMaxLength() const;
  void SetMaxLength(int v);
  bool GetReadOnly() const;
  void SetReadOnly(bool v);

  TMaxEdit* Edit() const { return edit_; }
  TMaxUpDown* UpDown() const { return upDown_; }

  TNotifyEvent OnChange;
  TNotifyEvent OnEndUpDown;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  friend class TMaxUpDown;
  void Commit();
  void UpDownClick(bool up);
  void UpDownMouseDown(const QMouseEvent* event);
  void UpDownMouseMove(const QMouseEvent* event);
  void UpDownMouseUp(const QMouseEvent* event);
  void ShowValue(double value, bool notify);

  TMaxEdit* edit_;
  TMaxUpDown* upDown_;
  double value_ = 0;
  double min_ = 0;
  double max_ = 1;
  double increment_ = 0.01;
  QString printFormat_ = QStringLiteral("%.2lf");
  bool upDownDragEnabled_ = true;
  int lastY_ = 0;
  bool pressed_ = false;
  bool dragging_ = false;
};

// The up-down button pair of TMaxNumberEdit: upper half steps up, lower half down, on the press.
class TMaxUpDown : public QWidget {
  Q_OBJECT
 public:
  explicit TMaxUpDown(TMaxNumberEdit* owner);
  // The half under the pointer while the left button is held: 1 upper, -1 lower, 0 none.
  int PressedHalf() const { return pressedHalf_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TMaxNumberEdit* owner_;
  int pressedHalf_ = 0;
};
