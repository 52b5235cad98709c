#include "cx/editors/cxEditScopes.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/editors/cxMaskEdit.h"
#include "cx/editors/cxMaskEditRegExprMode.h"
#include "cx/editors/cxMaskEditStandardMode.h"
#include "platform/rtl/String.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomMaskEditProperties)
TRENVIK_PUBLISHED(TcxMaskEditProperties) {
  PublishTextEditSettings(P);
  PublishMaskSettings(P);
  PublishValidateOnEnter(P);
  PublishTextEditEvents(P);
}

std::unique_ptr<TcxMaskEditCustomMode> cxCreateMaskEditMode(TcxEditMaskKind AKind, IcxMaskEditModeEditor* AEdit,
                                                            IcxMaskEditModeSettings* AProperties) {
  switch (AKind) {
    case emkRegExpr: return std::make_unique<TcxMaskEditRegExprMode>(AEdit, AProperties);
    case emkRegExprEx: return std::make_unique<TcxMaskEditRegExprExMode>(AEdit, AProperties);
    case emkStandard: break;
  }
  return std::make_unique<TcxMaskEditStandardMode>(AEdit, AProperties);
}

TcxCustomMaskEditProperties::TcxCustomMaskEditProperties(TPersistent* AOwner) : TcxCustomTextEditProperties(AOwner) {
  SetValidateOnEnter(true);
}

TcxCustomMaskEditProperties::~TcxCustomMaskEditProperties() = default;

void TcxCustomMaskEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomMaskEditProperties*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  TcxUpdateScope update(this);
  inherited::Assign(Source);
  SetMaskKind(source->MaskKind());
  // A mask the source takes from its data source becomes explicit here.
  SetEditMask(source->GetEditMask());
  SetCaseInsensitive(source->CaseInsensitive());
  SetIgnoreMaskBlank(source->IgnoreMaskBlank());
}

void TcxCustomMaskEditProperties::SetCaseInsensitive(bool Value) {
  caseInsensitive_ = CharCase() != ecNormal || Value;
  Changed();
}

String TcxCustomMaskEditProperties::GetEditMask() {
  if (maskKind_ != emkStandard || !cxIsBlankMask(editMask_)) return editMask_;
  String fieldMask;
  if (DefaultValuesProvider()) DefaultValuesProvider()->DefaultEditMask(fieldMask);
  return fieldMask;
}

void TcxCustomMaskEditProperties::SetEditMask(const String& Value) {
  if (Value == GetEditMask()) {
    editMask_ = Value;
    return;
  }
  cxCreateMaskEditMode(maskKind_, nullptr, this)->Compile(Value);
  editMask_ = Value;
  Changed();
}

void TcxCustomMaskEditProperties::SetIgnoreMaskBlank(bool Value) {
  if (ignoreMaskBlank_ == Value) return;
  ignoreMaskBlank_ = Value;
  Changed();
}

void TcxCustomMaskEditProperties::SetMaskKind(TcxEditMaskKind Value) {
  if (maskKind_ == Value) return;
  maskKind_ = Value;
  Changed();
}

TClass TcxCustomMaskEditProperties::GetContainerClass() { return TcxMaskEdit::StaticClass(); }

TcxEditDisplayFormatOptions TcxCustomMaskEditProperties::GetDisplayFormatSupport() {
  if (IsMasked()) return {};
  return {dfoSupports};
}

void TcxCustomMaskEditProperties::PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue,
                                                      bool AEditFocused) {
  if (!IsMasked()) {
    inherited::PrepareDisplayValue(AEditValue, DisplayValue, AEditFocused);
    return;
  }
  const String mask = GetEditMask();
  if (!mode_ || mode_->GetMaskKind() != maskKind_ || mode_->MaskText != mask) {
    mode_.reset();
    auto mode = cxCreateMaskEditMode(maskKind_, nullptr, this);
    mode->Compile(mask);
    mode_ = std::move(mode);
  }
  DisplayValue = mode_->Format(VarToStr(AEditValue));
}

void TcxCustomMaskEditProperties::ValidateDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error,
                                                       TcxCustomEdit* AEdit) {
  auto* edit = dynamic_cast<TcxCustomMaskEdit*>(AEdit);
  if (!Error && IsMasked() && edit != nullptr && !edit->Mode()->IsFullValid(VarToStr(DisplayValue))) {
    Error = true;
    ErrorText = S("The edit value is invalid");
  }
  inherited::ValidateDisplayValue(DisplayValue, ErrorText, Error, AEdit);
}

TcxEditValueSource TcxCustomMaskEditProperties::GetEditValueSource(bool AEditFocused) {
  return IsMasked() ? evsValue : inherited::GetEditValueSource(AEditFocused);
}

void TcxCustomMaskEditProperties::SetCharCase(TEditCharCase Value) {
  if (Value != ecNormal) caseInsensitive_ = true;  // no notification of its own
  inherited::SetCharCase(Value);
}

void TcxCustomMaskEditProperties::SetMaxLength(int Value) { inherited::SetMaxLength(IsMasked() ? 0 : Value); }

bool TcxCustomMaskEditProperties::UseLookupData() { return !IsMasked() && inherited::UseLookupData(); }
