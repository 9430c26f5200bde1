// TMaxNumberEdit, the number box of unit MaxEdit: a floating-point box made of a TMaxEdit and an
// up-down button pair with a range, a step, a printf-style format and vertical dragging.
#pragma once

#include <QString>
#include <QWidget>

#include "controls/MaxControl.h"
#include "controls/MaxEdit.h"
#include "controls/PrintFormat.h"

class TMaxUpDown;

class TMaxNumberEdit : public TMaxControl<QWidget> {
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
