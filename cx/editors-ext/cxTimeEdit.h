// The time edit: a spin editor with a fixed mask for a time of day in 24- or 12-hour form and
// three precisions; the part under the caret (hours, minutes, seconds, AM/PM) is stepped. The date
// part of the last value received is kept and combined with the edited time.
#pragma once

#include "cx/editors/cxFormats.h"
#include "cx/editors/cxSpinEdit.h"

TRENVIK_ENUM(TcxTimeEditTimeFormat, tfHourMinSec, tfHourMin, tfHour);

// The display format of a precision and hour form ("hh:nn:ss ampm" .. "hh").
String cxTimeEditDisplayFormat(TcxTimeEditTimeFormat AFormat, bool AUse24Hour);
// The edit mask: digits and colons, in 12-hour form followed by one mask character per character
// of the locale's designator (blanks kept), with literals kept and "0" for blanks.
String cxTimeEditMask(TcxTimeEditTimeFormat AFormat, bool AUse24Hour);
// The length of the digit part: 8, 5 or 2.
int cxTimeEditDigitCount(TcxTimeEditTimeFormat AFormat);
// The part a caret position stands in: 'H', 'N', 'S' or 'A' (AM/PM).
Char cxTimeEditPartAt(int ACaret, TcxTimeEditTimeFormat AFormat, bool AUse24Hour);

class TcxCustomTimeEditProperties : public TcxCustomSpinEditProperties {
  TRENVIK_CLASS(TcxCustomTimeEditProperties, TcxCustomSpinEditProperties);

 public:
  explicit TcxCustomTimeEditProperties(TPersistent* AOwner);

  void Assign(TPersistent* Source) override;

  bool ShowDate() const { return showDate_; }
  void SetShowDate(bool Value);
  TcxTimeEditTimeFormat TimeFormat() const { return timeFormat_; }
  void SetTimeFormat(TcxTimeEditTimeFormat Value);
  bool Use24HourFormat() const { return use24HourFormat_; }
  void SetUse24HourFormat(bool Value);
  // The value in the table's format, trailing blanks removed.
  String FormatTime(TDateTime AValue) const;
  // The mask of the table for the current settings, without a change notification.
  void UpdateTimeMask();

  TClass GetContainerClass() override;
  TcxEditDisplayFormatOptions GetDisplayFormatSupport() override { return {dfoSupports, dfoNoCurrencyValue}; }
  bool SupportsValueBounds() override { return false; }
  bool ValidatesNumericText() override { return false; }
  bool PreserveSelectionOnIncrement() override { return true; }
  String GetDefaultDisplayValue() override { return FormatTime(0); }
  bool IsDisplayValueValid(Variant& DisplayValue, bool AEditFocused) override;
  bool IsEditValueValid(Variant& EditValue, bool AEditFocused) override;
  void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue, bool AEditFocused) override;

 private:
  bool ValueRequired();

  bool showDate_ = false;
  TcxTimeEditTimeFormat timeFormat_ = tfHourMinSec;
  bool use24HourFormat_ = true;
};

class TcxTimeEditProperties : public TcxCustomTimeEditProperties {
  TRENVIK_CLASS(TcxTimeEditProperties, TcxCustomTimeEditProperties);

 public:
  explicit TcxTimeEditProperties(TPersistent* AOwner) : TcxCustomTimeEditProperties(AOwner) {}
};

class TcxCustomTimeEdit : public TcxCustomSpinEdit, public IcxFormatControllerListener {
  TRENVIK_CLASS(TcxCustomTimeEdit, TcxCustomSpinEdit);

 public:
  explicit TcxCustomTimeEdit(TComponent* AOwner);
  ~TcxCustomTimeEdit() override;

  TcxCustomTimeEditProperties* ActiveProperties() {
    return static_cast<TcxCustomTimeEditProperties*>(GetActiveProperties());
  }
  TcxCustomTimeEditProperties* Properties() const {
    return static_cast<TcxCustomTimeEditProperties*>(TcxCustomEdit::Properties());
  }
  // The time of day of the value (or, focused, of the text).
  TDateTime Time();
  // The kept date with this time of day becomes the value.
  void SetTime(TDateTime Value);
  TDateTime KeptDate() const { return keptDate_; }
  // The part under the caret: 'H', 'N', 'S' or 'A'.
  Char PartAtCaret();

  TClass GetPropertiesClass() override { return TcxTimeEditProperties::StaticClass(); }
  Variant GetValue() override { return Variant(Time()); }
  void SetValue(const Variant& Value) override { SetTime(Value.AsDouble()); }
  double GetIncrement(bool ADown) override;
  bool DoIncrement(bool ADown) override;
  bool IsValidChar(Char AChar) override;
  void DisplayToEditValue(const Variant& DisplayValue, Variant& EditValue, bool AEditFocused) override;
  void InternalSetEditValue(const Variant& Value, bool AValidateEditValue) override;
  void PropertiesChanged(TObject* Sender) override;
  // IcxFormatControllerListener: the designator may have changed.
  void FormatChanged() override;

 protected:
  void CreateHandle() override;

 private:
  TDateTime keptDate_ = 0;
};

class TcxTimeEdit : public TcxCustomTimeEdit {
  TRENVIK_CLASS(TcxTimeEdit, TcxCustomTimeEdit);

 public:
  explicit TcxTimeEdit(TComponent* AOwner) : TcxCustomTimeEdit(AOwner) {}
};

void InitializeTimeEdit();
void FinalizeTimeEdit();
