// The date and time column kinds: a date cell cleared in the editor writes Null, a time edit keeps
// the date part of the field's value.
#pragma once

#include "dx/dbgrid/dxDBColumnDropDown.h"

class TdxDBTreeListDateColumn : public TdxDBTreeListDropDownColumn {
  TRENVIK_CLASS(TdxDBTreeListDateColumn, TdxDBTreeListDropDownColumn);

 public:
  explicit TdxDBTreeListDateColumn(TComponent* AOwner) : TdxDBTreeListDropDownColumn(AOwner) {}

  TRENVIK_COLUMN_SETTING(date_, TDateButtons, DateButtons, false)
  TRENVIK_COLUMN_SETTING(date_, TDateOnError, DateOnError, false)
  TRENVIK_COLUMN_SETTING(date_, bool, DateValidation, false)
  TRENVIK_COLUMN_SETTING(date_, bool, SaveTime, false)
  TRENVIK_COLUMN_SETTING(date_, bool, UseEditMask, false)
  TdxDateValidateInputEvent OnDateValidateInput;

  bool IsFieldValueEqual(const Variant& Value) override;

  // The custom filter dialog's value editor (dxDBColumnKindFilters.cpp).
  TdxInplaceEdit* NewFilterEdit(TComponent* Owner) override;
  void GetFilterEditValue(TdxInplaceEdit* Editor, Variant& Value, String& Text) override;
  void SetFilterEditValue(TdxInplaceEdit* Editor, const Variant& Value) override;
  void PrepareFilterEdit(TdxInplaceEdit* Editor) override;
  TRENVIK_COLUMN_KIND_OPERATIONS(TdxInplaceDBTreeListDateEdit);
  // The editor's value is a day number, dxNullDate for no date.
  TRENVIK_COLUMN_KIND_VALUE_OPERATIONS;

 private:
  struct TSettings {
    TDateButtons DateButtons{btnToday, btnClear};
    TDateOnError DateOnError = deToday;
    bool DateValidation = false;
    bool SaveTime = true;
    bool UseEditMask = false;
  } date_;
};

class TdxDBTreeListTimeColumn : public TdxDBTreeListColumn {
  TRENVIK_CLASS(TdxDBTreeListTimeColumn, TdxDBTreeListColumn);

 public:
  explicit TdxDBTreeListTimeColumn(TComponent* AOwner) : TdxDBTreeListColumn(AOwner) {}

  TRENVIK_COLUMN_SETTING(time_, TdxTimeEditFormat, TimeEditFormat, false)
  TRENVIK_COLUMN_SETTING(time_, bool, UseCtrlIncrement, false)

  bool IsFieldValueEqual(const Variant& Value) override;

  // The custom filter dialog's value editor (dxDBColumnKindFilters.cpp).
  TdxInplaceEdit* NewFilterEdit(TComponent* Owner) override;
  void GetFilterEditValue(TdxInplaceEdit* Editor, Variant& Value, String& Text) override;
  void SetFilterEditValue(TdxInplaceEdit* Editor, const Variant& Value) override;
  TRENVIK_COLUMN_KIND_OPERATIONS(TdxInplaceDBTreeListTimeEdit);
  TRENVIK_COLUMN_KIND_VALUE_OPERATIONS;

 private:
  struct TSettings {
    TdxTimeEditFormat TimeEditFormat = tfHourMinSec;
    bool UseCtrlIncrement = false;
  } time_;
};

// The whole days and the time of day of a date-time value; a hair below a whole day counts as it.
double WholeDays(double Value);
double TimeOfDay(double Value);
