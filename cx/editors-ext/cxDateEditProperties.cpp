// The date edit's settings: the mask of the input kind, a value's text, and the validation of a
// typed text (smart words, the answer to invalid text, the bounds, the kept time of day).
#include <cmath>

#include "cx/editors-ext/cxDateEdit.h"
#include "cx/editors-ext/cxEditExtConsts.h"
#include "cx/editors/cxEditConsts.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/editors/cxEditScopes.h"
#include "cx/foundation/cxClasses.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomDateEditProperties)

using DateProps = TcxCustomDateEditProperties;
TRENVIK_PUBLISHED(TcxDateEditProperties) {
  PublishAlignmentObject(P);
  P.Property("ButtonGlyph", &DateProps::ButtonGlyph, &DateProps::SetButtonGlyph)
      .Stored(&DateProps::IsButtonGlyphStored);
  P.Property("DateButtons", &DateProps::DateButtons, &DateProps::SetDateButtons)
      .Default(TDateButtons{btnToday, btnClear});
  P.Property("DateOnError", &DateProps::DateOnError, &DateProps::SetDateOnError).Default(deNoChange);
  P.Property("ImmediatePost", &DateProps::ImmediatePost, &DateProps::SetImmediatePost).Default(false);
  P.Property("InputKind", &DateProps::InputKind, &DateProps::SetInputKind).Default(ikRegExpr);
  P.Property("MaxDate", &DateProps::MaxDate, &DateProps::SetMaxDate).Stored(&DateProps::IsMaxValueStored);
  P.Property("MinDate", &DateProps::MinDate, &DateProps::SetMinDate).Stored(&DateProps::IsMinValueStored);
  PublishReadOnly(P);
  P.Property("SaveTime", &DateProps::SaveTime, &DateProps::SetSaveTime).Default(true);
  P.Property("ShowTime", &DateProps::ShowTime, &DateProps::SetShowTime).Default(true);
  P.Event("OnChange", &DateProps::OnChange);
  P.Event("OnCloseUp", &DateProps::OnCloseUp);
  P.Event("OnEditValueChanged", &DateProps::OnEditValueChanged);
  P.Event("OnInitPopup", &DateProps::OnInitPopup);
  P.Event("OnPopup", &DateProps::OnPopup);
  P.Event("OnValidate", &DateProps::OnValidate);
}

namespace {

bool IsDateLike(const Variant& AValue) {
  return AValue.Type() == varDate || VarIsNumeric(AValue);
}

}  // namespace

TcxCustomDateEditProperties::TcxCustomDateEditProperties(TPersistent* AOwner) : TcxCustomPopupEditProperties(AOwner) {
  SetCaseInsensitive(true);
  SetImmediateDropDown(false);
  SetPopupSizeable(false);
  SetValidateOnEnter(true);
  UpdateEditMask();
}

void TcxCustomDateEditProperties::Assign(TPersistent* Source) {
  TcxUpdateScope update(this);
  inherited::Assign(Source);
  auto* source = dynamic_cast<TcxCustomDateEditProperties*>(Source);
  if (!source) return;
  SetDateButtons(source->DateButtons());
  SetDateOnError(source->DateOnError());
  SetInputKind(source->InputKind());
  SetSaveTime(source->SaveTime());
  SetShowTime(source->ShowTime());
}

void TcxCustomDateEditProperties::SetDateButtons(TDateButtons Value) {
  if (dateButtons_ == Value) return;
  dateButtons_ = Value;
  Changed();
}

void TcxCustomDateEditProperties::SetDateOnError(TDateOnError Value) {
  if (dateOnError_ == Value) return;
  dateOnError_ = Value;
  Changed();
}

void TcxCustomDateEditProperties::SetInputKind(TcxInputKind Value) {
  if (inputKind_ == Value) return;
  inputKind_ = Value;
  UpdateEditMask();
  Changed();
}

void TcxCustomDateEditProperties::SetSaveTime(bool Value) {
  if (saveTime_ == Value) return;
  saveTime_ = Value;
  Changed();
}

void TcxCustomDateEditProperties::SetShowTime(bool Value) {
  if (showTime_ == Value) return;
  showTime_ = Value;
  Changed();
}

void TcxCustomDateEditProperties::UpdateEditMask() {
  const bool locked = IsChangedLocked();
  SetChangedLocked(true);
  TcxFormatController* formats = GetFormatController();
  switch (inputKind_) {
    case ikMask:
      SetMaskKind(emkStandard);
      SetEditMask(formats->StandardDateEditMask());
      break;
    case ikRegExpr:
      SetMaskKind(emkRegExprEx);
      SetEditMask(formats->RegExprDateEditMask());
      break;
    default:
      SetEditMask(String());
      break;
  }
  SetChangedLocked(locked);
}

String TcxCustomDateEditProperties::EmptyDateText() { return IsMasked() ? EmptyMaskText() : String(); }

TClass TcxCustomDateEditProperties::GetContainerClass() { return TcxDateEdit::StaticClass(); }

bool TcxCustomDateEditProperties::IsEditValueValid(Variant& EditValue, bool) {
  return VarIsNull(EditValue) || IsDateLike(EditValue);
}

void TcxCustomDateEditProperties::PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue,
                                                      bool AEditFocused) {
  if (VarIsNull(AEditValue)) {
    DisplayValue = EmptyDateText();
    return;
  }
  if (!IsDateLike(AEditValue)) {
    DisplayValue = AEditValue;
    return;
  }
  TDateTime date = AEditValue.AsDateTime();
  if (!showTime_) date = DateOfValue(date);
  const String text = DateToDisplayText(!(AEditFocused && inputKind_ == ikMask), date);
  if (AEditFocused && IsMasked())
    inherited::PrepareDisplayValue(Variant(text), DisplayValue, true);
  else
    DisplayValue = text;
}

void TcxCustomDateEditProperties::ValidateDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error,
                                                       TcxCustomEdit* AEdit) {
  auto* edit = dynamic_cast<TcxCustomDateEdit*>(AEdit);
  const String text = VarToStr(DisplayValue);
  if (text == EmptyDateText()) {
    if (edit) edit->SetKeptTime(0);
    return;
  }
  TDateTime date = cxNullDate;
  const bool editFormat = inputKind_ == ikMask;
  Error = !SmartTextToDate(text, date);
  if (Error)
    ErrorText = cxGetResourceString(cxSDateError);
  else
    DisplayValue = DateToDisplayText(!editFormat, date);
  if (OnValidate) {
    OnValidate(AEdit, DisplayValue, ErrorText, Error);
    if (!Error) Error = !SmartTextToDate(VarToStr(DisplayValue), date);
  } else if (Error && dateOnError_ != deNoChange) {
    date = dateOnError_ == deToday ? std::floor(::Date()) : cxNullDate;
    DisplayValue = date == cxNullDate ? EmptyDateText() : DateToDisplayText(!editFormat, date);
    Error = false;
  }
  if (Error || date == cxNullDate) return;
  if (!saveTime_) date = DateOfValue(date);
  if (MinValue() != MaxValue()) {
    CheckValueBounds(Variant(cxDateTimeToText(date)), ErrorText, AEdit, Error);
    if (Error) return;
  }
  // The time of day a date without one gets back when it becomes the value.
  if (edit) edit->SetKeptTime(!saveTime_ ? 0 : TimeOfValue(date) != 0 ? TimeOfValue(date) : edit->KeptTime());
}
