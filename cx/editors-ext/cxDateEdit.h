// The date edit: a masked popup editor whose value is a date or Null, typed as text (smart words,
// the locale's formats) or picked in a drop-down calendar; the time of day survives date changes
// when SaveTime is set.
#pragma once

#include "cx/editors-ext/cxCalendar.h"
#include "cx/editors/cxFormats.h"
#include "cx/editors/cxPopupEdit.h"

TRENVIK_ENUM(TDateOnError, deNoChange, deToday, deNull);
TRENVIK_ENUM(TcxInputKind, ikStandard, ikMask, ikRegExpr);

class TcxCustomDateEditProperties : public TcxCustomPopupEditProperties {
  TRENVIK_CLASS(TcxCustomDateEditProperties, TcxCustomPopupEditProperties);

 public:
  explicit TcxCustomDateEditProperties(TPersistent* AOwner);

  void Assign(TPersistent* Source) override;

  TDateButtons DateButtons() const { return dateButtons_; }
  void SetDateButtons(TDateButtons Value);
  TDateOnError DateOnError() const { return dateOnError_; }
  void SetDateOnError(TDateOnError Value);
  TcxInputKind InputKind() const { return inputKind_; }
  void SetInputKind(TcxInputKind Value);
  bool SaveTime() const { return saveTime_; }
  void SetSaveTime(bool Value);
  bool ShowTime() const { return showTime_; }
  void SetShowTime(bool Value);
  TDateTime MaxDate() { return MaxValue(); }
  void SetMaxDate(TDateTime Value) { SetMaxValue(Value); }
  TDateTime MinDate() { return MinValue(); }
  void SetMinDate(TDateTime Value) { SetMinValue(Value); }
  // The edit mask of the input kind, set without a change notification.
  void UpdateEditMask();
  // The text an empty value shows (the mask's empty text).
  String EmptyDateText();

  TClass GetContainerClass() override;
  TcxEditDisplayFormatOptions GetDisplayFormatSupport() override { return {dfoSupports, dfoNoCurrencyValue}; }
  bool SupportsValueBounds() override { return true; }
  bool PostAfterPopupClosed() override { return true; }
  bool IsEditValueValid(Variant& EditValue, bool AEditFocused) override;
  void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue, bool AEditFocused) override;
  void ValidateDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error, TcxCustomEdit* AEdit) override;

 private:
  TDateButtons dateButtons_{btnToday, btnClear};
  TDateOnError dateOnError_ = deNoChange;
  TcxInputKind inputKind_ = ikRegExpr;
  bool saveTime_ = true;
  bool showTime_ = true;
};

class TcxDateEditProperties : public TcxCustomDateEditProperties {
  TRENVIK_CLASS(TcxDateEditProperties, TcxCustomDateEditProperties);

 public:
  explicit TcxDateEditProperties(TPersistent* AOwner) : TcxCustomDateEditProperties(AOwner) {}
};

class TcxCustomDateEdit : public TcxCustomPopupEdit, public IcxFormatControllerListener {
  TRENVIK_CLASS(TcxCustomDateEdit, TcxCustomPopupEdit);

 public:
  explicit TcxCustomDateEdit(TComponent* AOwner);
  ~TcxCustomDateEdit() override;

  TcxCustomDateEditProperties* ActiveProperties() {
    return static_cast<TcxCustomDateEditProperties*>(GetActiveProperties());
  }
  TcxCustomDateEditProperties* Properties() const {
    return static_cast<TcxCustomDateEditProperties*>(TcxCustomEdit::Properties());
  }
  // The value as a date; the null date for an empty value or one that is no date.
  TDateTime Date();
  void SetDate(TDateTime Value);
  TcxPopupCalendar* Calendar() const { return calendar_; }
  // The time of day kept for dates typed or picked without one.
  TDateTime KeptTime() const { return keptTime_; }
  void SetKeptTime(TDateTime Value) { keptTime_ = Value; }
  // Dates below MinDate become MinDate, above MaxDate become MaxDate.
  void FitValueToBounds();

  TClass GetPropertiesClass() override { return TcxDateEditProperties::StaticClass(); }
  void DisplayToEditValue(const Variant& DisplayValue, Variant& EditValue, bool AEditFocused) override;
  void InternalSetEditValue(const Variant& Value, bool AValidateEditValue) override;
  void PropertiesChanged(TObject* Sender) override;
  void CreatePopupWindow() override;
  void DropDown() override;
  void SetupPopupWindow() override;
  // IcxFormatControllerListener
  void FormatChanged() override { PropertiesChanged(nullptr); }

 protected:
  void CreateHandle() override;

 private:
  void CalendarDateChanged();

  TcxPopupCalendar* calendar_ = nullptr;
  TDateTime popupDate_ = cxNullDate;
  TDateTime keptTime_ = 0;
};

class TcxDateEdit : public TcxCustomDateEdit {
  TRENVIK_CLASS(TcxDateEdit, TcxCustomDateEdit);

 public:
  explicit TcxDateEdit(TComponent* AOwner) : TcxCustomDateEdit(AOwner) {}
};

void InitializeDateEdit();
void FinalizeDateEdit();
