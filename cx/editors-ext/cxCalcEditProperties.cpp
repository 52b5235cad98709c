// The calc edit's settings: the digit budget, the closing on "=", and the text of a value (the
// plain number while focused, the display format otherwise).
#include "cx/editors-ext/cxCalc.h"
#include "cx/editors-ext/cxCurrencyEdit.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/editors/cxEditScopes.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumberText.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomCalcEditProperties)

using CalcProps = TcxCustomCalcEditProperties;
TRENVIK_PUBLISHED(TcxCalcEditProperties) {
  PublishAlignmentObject(P);
  PublishAutoSelect(P, true);
  P.Property("BeepOnError", &TcxCustomEditProperties::BeepOnError, &TcxCustomEditProperties::SetBeepOnError)
      .Default(true);
  P.Property("ButtonGlyph", &CalcProps::ButtonGlyph, &CalcProps::SetButtonGlyph).Stored(&CalcProps::IsButtonGlyphStored);
  P.Property("ImmediatePost", &CalcProps::ImmediatePost, &CalcProps::SetImmediatePost).Default(false);
  P.Property("Precision", &CalcProps::Precision, &CalcProps::SetPrecision).Default(13);
  PublishReadOnly(P);
  P.Property("QuickClose", &CalcProps::QuickClose, &CalcProps::SetQuickClose).Default(false);
  PublishUseLeftAlignmentOnEditing(P);
  P.Event("OnChange", &CalcProps::OnChange);
  P.Event("OnCloseUp", &CalcProps::OnCloseUp);
  P.Event("OnEditValueChanged", &CalcProps::OnEditValueChanged);
  P.Event("OnInitPopup", &CalcProps::OnInitPopup);
  P.Event("OnPopup", &CalcProps::OnPopup);
  P.Event("OnValidate", &CalcProps::OnValidate);
}

TcxCustomCalcEditProperties::TcxCustomCalcEditProperties(TPersistent* AOwner) : TcxCustomPopupEditProperties(AOwner) {
  SetBeepOnError(true);
  SetMaxLength(15);
  SetPopupSizeable(false);
  SetImmediateDropDown(false);
  SetValidateOnEnter(true);
}

void TcxCustomCalcEditProperties::Assign(TPersistent* Source) {
  TcxUpdateScope update(this);
  inherited::Assign(Source);
  auto* source = dynamic_cast<TcxCustomCalcEditProperties*>(Source);
  if (!source) return;
  SetBeepOnError(source->BeepOnError());
  SetPrecision(source->Precision());
  SetQuickClose(source->QuickClose());
}

void TcxCustomCalcEditProperties::SetPrecision(int Value) {
  if (precision_ == Value) return;
  precision_ = Value;
  SetMaxLength(Value + 2);
  Changed();
}

void TcxCustomCalcEditProperties::SetQuickClose(bool Value) {
  if (quickClose_ == Value) return;
  quickClose_ = Value;
  Changed();
}

bool TcxCustomCalcEditProperties::IsValidNumberText(const String& AText, double& AValue) {
  return cxCurrencyTextToNumber(AText, AValue);
}

TClass TcxCustomCalcEditProperties::GetContainerClass() { return TcxCalcEdit::StaticClass(); }

void TcxCustomCalcEditProperties::PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue,
                                                      bool AEditFocused) {
  if (VarIsNull(AEditValue) || VarIsEmpty(AEditValue) || (VarIsStr(AEditValue) && VarToStr(AEditValue).empty())) {
    DisplayValue = String();
    return;
  }
  try {
    if (AEditFocused)
      DisplayValue = FloatToStr(AEditValue.AsDouble());
    else
      inherited::PrepareDisplayValue(AEditValue, DisplayValue, AEditFocused);
  } catch (const EVariantError&) {
  } catch (const EConvertError&) {
  }
}

void TcxCustomCalcEditProperties::ValidateDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error,
                                                       TcxCustomEdit* AEdit) {
  Error = false;
  inherited::ValidateDisplayValue(DisplayValue, ErrorText, Error, AEdit);
}
