// The time-of-day editor: a masked hh:nn:ss text (or hh:nn, or hh) whose Up, Down, wheel and spin
// buttons step the hour, minute or second under the caret, never across midnight.
#pragma once

#include "dx/editors/dxSpinEdit.h"

TRENVIK_ENUM(TdxTimeEditFormat, tfHourMinSec, tfHourMin, tfHour);

class TdxInplaceTimeEdit : public TdxInplaceSpinEdit {
  TRENVIK_CLASS(TdxInplaceTimeEdit, TdxInplaceSpinEdit);

 public:
  explicit TdxInplaceTimeEdit(TComponent* AOwner, TdxInplaceEditClass Class = StaticEditClass());
  static TdxInplaceEditClass StaticEditClass();

  double GetIncrement() override;
  double GetValue() override;
  bool IsValidValueChar(Char Key) override;
  void SetValue(double Value) override;
  void SetEditValue(const Variant& Value) override;
  void GetEditingValue(Variant& Value) override;

  TdxTimeEditFormat TimeEditFormat() const { return timeEditFormat_; }
  void SetTimeEditFormat(TdxTimeEditFormat Value);
  TDateTime GetTime() const { return time_; }
  void SetTime(TDateTime Value);
  // The display format of the current TimeEditFormat ("hh:nn:ss").
  String DisplayFormat() const;

 private:
  TdxTimeEditFormat timeEditFormat_ = tfHourMinSec;
  TDateTime time_ = 0;
  TDateTime savedDate_ = 0;
};
