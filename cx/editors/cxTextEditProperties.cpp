#include <algorithm>

#include "cx/editors/cxEditConsts.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/editors/cxEditScopes.h"
#include "cx/editors/cxTextEdit.h"
#include "platform/rtl/DateFormat.h"
#include "platform/rtl/StrUtils.h"

TRENVIK_IMPLEMENT_CLASS(TcxTextEditPropertiesValues)
TRENVIK_IMPLEMENT_CLASS(TcxCustomTextEditProperties)
TRENVIK_PUBLISHED(TcxTextEditProperties) {
  PublishTextEditSettings(P);
  PublishTextEditEvents(P);
}

String cxConvertCharCase(const String& AText, TEditCharCase ACharCase) {
  switch (ACharCase) {
    case ecUpperCase:
      return UpperCase(AText);
    case ecLowerCase:
      return LowerCase(AText);
    default:
      return AText;
  }
}

// ---- TcxTextEditPropertiesValues ----

void TcxTextEditPropertiesValues::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxTextEditPropertiesValues*>(Source)) {
    MaxLength = source->MaxLength;
    MaxValue = source->MaxValue;
    MinValue = source->MinValue;
  }
  inherited::Assign(Source);
}

void TcxTextEditPropertiesValues::RestoreDefaults() {
  inherited::RestoreDefaults();
  MaxLength = MaxValue = MinValue = false;
}

// ---- TcxCustomTextEditProperties ----

TcxCustomTextEditProperties::TcxCustomTextEditProperties(TPersistent* AOwner)
    : TcxCustomEditProperties(AOwner) {
  CreateAssignedValues();
  lookupItems_ = std::make_unique<TStringList>();
  lookupItems_->OnChange = [this](TObject* Sender) { LookupItemsChanged(Sender); };
}

TcxCustomTextEditProperties::~TcxCustomTextEditProperties() {
  lookupItems_->OnChange = nullptr;
  // Lookup data that outlive their properties must not call back into them.
  for (TcxCustomTextEditLookupData* listener : lookupItemsListeners_) listener->DetachProperties();
}

void TcxCustomTextEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomTextEditProperties*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  TcxUpdateScope update(this);
  inherited::Assign(Source);
  autoSelect_ = source->autoSelect_;
  SetCharCase(source->charCase_);
  echoMode_ = source->echoMode_;
  fixedListIncrementalSearch_ = source->fixedListIncrementalSearch_;
  hideCursor_ = source->hideCursor_;
  hideSelection_ = source->hideSelection_;
  SetMaxLength(source->MaxLength());
  AssignedValues()->MaxValue = AssignedValues()->MinValue = false;
  if (source->AssignedValues()->MaxValue) SetMaxValue(source->maxValue_);
  if (source->AssignedValues()->MinValue) SetMinValue(source->minValue_);
  oemConvert_ = source->oemConvert_;
  immediateUpdateText_ = source->immediateUpdateText_;
  lookupItems_->SetSorted(false);
  lookupItems_->Assign(source->lookupItems_.get());
  lookupItems_->SetSorted(source->LookupItemsSorted());
  OnNewLookupDisplayText = source->OnNewLookupDisplayText;
}

void TcxCustomTextEditProperties::AlignmentChanged(TObject* Sender) {
  TcxUpdateScope update(this);
  inherited::AlignmentChanged(Sender);
}

void TcxCustomTextEditProperties::SetAlignment(TcxEditAlignment* Value) {
  TcxUpdateScope update(this);
  inherited::SetAlignment(Value);
}

void TcxCustomTextEditProperties::SetFixedListIncrementalSearch(bool Value) {
  if (fixedListIncrementalSearch_ == Value) return;
  fixedListIncrementalSearch_ = Value;
  if (GetEditingMode() == temPickItem) Changed();
}

void TcxCustomTextEditProperties::SetCharCase(TEditCharCase Value) { SetAndNotify(charCase_, Value); }

int TcxCustomTextEditProperties::MaxLength() {
  return AssignedValues()->MaxLength ? maxLength_ : GetDefaultMaxLength();
}

void TcxCustomTextEditProperties::SetMaxLength(int Value) {
  Value = std::max(Value, 0);
  if (AssignedValues()->MaxLength && maxLength_ == Value) return;
  AssignedValues()->MaxLength = true;
  maxLength_ = Value;
  Changed();
}

int TcxCustomTextEditProperties::GetDefaultMaxLength() {
  return DefaultValuesProvider() ? DefaultValuesProvider()->DefaultMaxLength() : 0;
}

double TcxCustomTextEditProperties::MaxValue() {
  if (AssignedValues()->MaxValue) return maxValue_;
  return DefaultValuesProvider() ? DefaultValuesProvider()->DefaultMaxValue() : 0;
}

double TcxCustomTextEditProperties::MinValue() {
  if (AssignedValues()->MinValue) return minValue_;
  return DefaultValuesProvider() ? DefaultValuesProvider()->DefaultMinValue() : 0;
}

void TcxCustomTextEditProperties::SetMaxValue(double Value) {
  if (AssignedValues()->MinValue && Value < minValue_) Value = minValue_;
  if (AssignedValues()->MaxValue && Value == maxValue_) return;
  AssignedValues()->MaxValue = true;
  maxValue_ = Value;
  Changed();
}

void TcxCustomTextEditProperties::SetMinValue(double Value) {
  if (AssignedValues()->MaxValue && Value > maxValue_) Value = maxValue_;
  if (AssignedValues()->MinValue && Value == minValue_) return;
  AssignedValues()->MinValue = true;
  minValue_ = Value;
  Changed();
}

void TcxCustomTextEditProperties::GetValidateErrorText(int AKind, String& Text) {
  if (AKind == 1)
    Text = cxGetResourceString(cxSEditValueOutOfBounds);
  else
    inherited::GetValidateErrorText(Text);
}

TcxEditSupportedOperations TcxCustomTextEditProperties::GetSupportedOperations() {
  TcxEditSupportedOperations result{esoAutoHeight, esoFiltering, esoEditingText, esoIncSearch, esoSorting};
  if (Buttons()->Count() > 0) result.Include(esoHotTrack);
  return result;
}

void TcxCustomTextEditProperties::GetDisplayTextOfValue(const Variant& DisplayValue, String& Text) {
  Text = VarToStr(DisplayValue);
  if (echoMode_ == eemPassword)
    Text = String(Text.size(), u'*');
  else
    Text = cxConvertCharCase(Text, charCase_);
}

void TcxCustomTextEditProperties::PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue,
                                                      bool) {
  DisplayValue = VarToStr(AEditValue);
}

String TcxCustomTextEditProperties::GetDisplayText(const Variant& AEditValue, bool) {
  Variant value = AEditValue;
  Variant displayValue;
  if (IsEditValueValid(value, false))
    PrepareDisplayValue(value, displayValue, false);
  else if (VarType(AEditValue) == varDate)
    displayValue = DateTimeToStr(AEditValue.AsDouble());
  else
    displayValue = VarToStr(AEditValue);
  String text;
  GetDisplayTextOfValue(displayValue, text);
  return text;
}

bool TcxCustomTextEditProperties::FindLookupText(const String& AText) {
  for (int i = 0; i < lookupItems_->Count(); ++i)
    if (AnsiSameText(lookupItems_->Strings(i), AText)) return true;
  return false;
}

bool TcxCustomTextEditProperties::IsDisplayValueValid(Variant& DisplayValue, bool) {
  String text = VarToStr(DisplayValue);
  bool valid;
  if (text.empty()) {
    const bool required = DefaultValuesProvider() && DefaultValuesProvider()->DefaultRequired();
    valid = !required || (UseLookupData() && FindLookupText(text));
  } else {
    const TcxTextEditingMode mode = GetEditingMode();
    valid = !((mode == temMatchItem || mode == temPickItem) && UseLookupData()) || FindLookupText(text);
  }
  if (valid) DisplayValue = cxConvertCharCase(text, charCase_);
  return valid;
}

bool TcxCustomTextEditProperties::IsEditValueValid(Variant& EditValue, bool AEditFocused) {
  if (VarIsNull(EditValue)) return !(DefaultValuesProvider() && DefaultValuesProvider()->DefaultRequired());
  if (VarIsStr(EditValue)) return IsDisplayValueValid(EditValue, AEditFocused);
  return true;
}

void TcxCustomTextEditProperties::ValidateDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error,
                                                       TcxCustomEdit* AEdit) {
  if (SupportsValueBounds() && MaxValue() != MinValue())
    CheckValueBounds(DisplayValue, ErrorText, AEdit, Error);
  inherited::ValidateDisplayValue(DisplayValue, ErrorText, Error, AEdit);
}

void TcxCustomTextEditProperties::CheckValueBounds(const Variant& DisplayValue, String& ErrorText,
                                                   TcxCustomEdit* AEdit, bool& Error) {
  if (!AEdit) return;
  Variant value;
  AEdit->DisplayToEditValue(DisplayValue, value, AEdit->IsEditFocused());
  if (!VarIsNumeric(value) && VarType(value) != varDate) return;
  const double number = value.AsDouble();
  if (number < MinValue() || number > MaxValue()) {
    Error = true;
    GetValidateErrorText(1, ErrorText);
  }
}

void TcxCustomTextEditProperties::DoNewLookupDisplayText(const String& AText) {
  if (OnNewLookupDisplayText) OnNewLookupDisplayText(this, AText);
}

std::unique_ptr<TcxCustomTextEditLookupData> TcxCustomTextEditProperties::CreateLookupData(
    TcxCustomEdit* AEdit) {
  return std::make_unique<TcxCustomTextEditLookupData>(AEdit, [AEdit] {
    Variant value;
    AEdit->GetDisplayValue(value);
    return VarToStr(value);
  });
}

void TcxCustomTextEditProperties::AddLookupItemsListener(TcxCustomTextEditLookupData* AListener) {
  if (std::find(lookupItemsListeners_.begin(), lookupItemsListeners_.end(), AListener) ==
      lookupItemsListeners_.end())
    lookupItemsListeners_.push_back(AListener);
}

void TcxCustomTextEditProperties::RemoveLookupItemsListener(TcxCustomTextEditLookupData* AListener) {
  std::erase(lookupItemsListeners_, AListener);
}

void TcxCustomTextEditProperties::LookupItemsChanged(TObject* Sender) {
  // Every edit sharing these properties hears of it; one may leave while another is told.
  for (TcxCustomTextEditLookupData* listener : std::vector(lookupItemsListeners_))
    if (std::find(lookupItemsListeners_.begin(), lookupItemsListeners_.end(), listener) !=
        lookupItemsListeners_.end())
      listener->ItemsChanged(Sender);
}
