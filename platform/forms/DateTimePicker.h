// The date and time picker: the date (or time) in the locale's picture, edited field by field with
// the arrows and digits, and, for dates, a month calendar that drops down below it.
#pragma once

#include <vector>

#include "platform/forms/Controls.h"
#include "platform/rtl/Locale.h"

TRENVIK_ENUM(TDateTimeKind, dtkDate, dtkTime);
TRENVIK_ENUM(TDTDateFormat, dfShort, dfLong);
TRENVIK_ENUM(TDTDateMode, dmComboBox, dmUpDown);

class TDateTimePicker : public TCustomControl {
  TRENVIK_CLASS(TDateTimePicker, TCustomControl);

 public:
  explicit TDateTimePicker(TComponent* AOwner);
  ~TDateTimePicker() override;

  TDateTime DateTime() const { return dateTime_; }
  void SetDateTime(TDateTime Value);
  TDateTime Date() const;
  void SetDate(TDateTime Value);
  TDateTime Time() const;
  void SetTime(TDateTime Value);
  // 0 means no limit.
  TDateTime MinDate() const { return minDate_; }
  void SetMinDate(TDateTime Value);
  TDateTime MaxDate() const { return maxDate_; }
  void SetMaxDate(TDateTime Value);
  TDateTimeKind Kind() const { return kind_; }
  void SetKind(TDateTimeKind Value);
  TDTDateFormat DateFormat() const { return dateFormat_; }
  void SetDateFormat(TDTDateFormat Value);
  TDTDateMode DateMode() const { return dateMode_; }
  void SetDateMode(TDTDateMode Value);
  bool DroppedDown() const { return calendar_ != nullptr; }
  // The text shown, as the locale writes the value.
  String DisplayText() const;
  // The field the keys edit: its index among the editable fields.
  int FocusedField() const { return focusedField_; }

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  virtual void Change();

 private:
  enum class TPart { Literal, Day, WeekDay, Month, Year, Hour, Minute, Second, AmPm };
  struct TField {
    TPart part;
    String picture;  // the picture run, or the literal text
    RECT rect;
  };
  TRENVIK_MESSAGES(TDateTimePicker);
  void WMGetDlgCode(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMCaptureChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);

  String Picture() const;
  // The fields with their places, measured in the control's font.
  std::vector<TField> Layout();
  std::vector<int> EditableFields();
  String FieldText(const TField& Field) const;
  static int FieldMax(TPart Part, Word Year, Word Month);
  RECT ButtonRect();
  TDateTime Clamped(TDateTime Value) const;
  // A change made by the user: kept within the limits, then OnChange.
  void UserChange(TDateTime Value);
  void StepField(int Delta);
  void TypeDigit(int Digit);
  void MoveField(int Delta);
  void DropDown();
  void CloseUp(bool Accept);

  TDateTime dateTime_;
  TDateTime minDate_ = 0;
  TDateTime maxDate_ = 0;
  TDateTimeKind kind_ = dtkDate;
  TDTDateFormat dateFormat_ = dfShort;
  TDTDateMode dateMode_ = dmComboBox;
  int focusedField_ = 0;
  String typed_;  // digits typed into the focused field so far
  HWND calendar_ = nullptr;
};
