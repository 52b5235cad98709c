#include "cx/editors/cxEditProperties.h"

#include "cx/editors/cxEdit.h"
#include "cx/editors/cxEditConsts.h"
#include "cx/editors/cxEditScopes.h"
#include "cx/editors/cxEditStyle.h"
#include "cx/editors/cxEditViewInfo.h"
#include "cx/foundation/cxClasses.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomEditPropertiesValues)
TRENVIK_IMPLEMENT_CLASS(TcxCustomEditProperties)

TcxShortCut cxShortCut(WORD AKey, TShiftState AShift) {
  TcxShortCut result = AKey & 0xFF;
  if (AShift.Contains(ssShift)) result |= scCxShift;
  if (AShift.Contains(ssCtrl)) result |= scCxCtrl;
  if (AShift.Contains(ssAlt)) result |= scCxAlt;
  return result;
}

int cxSupportedOperationsMask(TcxEditSupportedOperations AOperations) {
  return static_cast<int>(AOperations.Bits());
}

void TcxCustomEditPropertiesValues::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxCustomEditPropertiesValues*>(Source)) {
    ReadOnly = source->ReadOnly;
    return;
  }
  inherited::Assign(Source);
}

std::unique_ptr<TcxCustomEditProperties> cxCreateEditProperties(TClass AClass, TPersistent* AOwner) {
  TObject* instance = AClass->NewInstance(AOwner);
  auto* properties = dynamic_cast<TcxCustomEditProperties*>(instance);
  if (!properties) {
    delete instance;
    throw EInvalidCast(AClass->ClassName() + u" is not an editor properties class");
  }
  return std::unique_ptr<TcxCustomEditProperties>(properties);
}

TcxCustomEditProperties::TcxCustomEditProperties(TPersistent* AOwner) : owner_(AOwner) {
  publishedAlignment_ = std::make_unique<TcxEditAlignment>(this);
  publishedAlignment_->OnChanged = [this](TObject* Sender) { AlignmentChanged(Sender); };
  // Virtual calls do not reach descendants here: they call CreateAssignedValues in their own constructors.
  assignedValues_ = std::make_unique<TcxCustomEditPropertiesValues>(this);
  buttons_ = std::make_unique<TcxEditButtons>();
  buttons_->OnChanged = [this](TObject* Sender) { ButtonsChanged(Sender); };
  useLeftAlignmentOnEditing_ = GetDefaultUseLeftAlignmentOnEditing();
  storedAlignment_ = std::make_unique<TcxEditAlignment>(this);
}

TcxCustomEditProperties::~TcxCustomEditProperties() = default;

void TcxCustomEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomEditProperties*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  TcxUpdateScope update(this);
  buttons_->Assign(*source->Buttons());
  beepOnError_ = source->beepOnError_;
  clearKey_ = source->clearKey_;
  clickKey_ = source->clickKey_;
  useLeftAlignmentOnEditing_ = source->useLeftAlignmentOnEditing_;
  defaultValuesProvider_ = source->defaultValuesProvider_;
  // Through the source's getter, so a default Horz arrives as a value with the source's flag.
  TcxEditAlignment* alignment = source->Alignment();
  storedAlignment_->Assign(alignment);
  storedAlignment_->SetHorzAssigned(source->storedAlignment_->IsHorzAssigned());
  assignedValues_->ReadOnly = false;
  if (source->IsReadOnlyStored()) SetReadOnly(source->readOnly_);
  immediatePost_ = source->immediatePost_;
  validateOnEnter_ = source->validateOnEnter_;
  OnButtonClick = source->OnButtonClick;
  OnChange = source->OnChange;
  OnEditValueChanged = source->OnEditValueChanged;
  OnValidate = source->OnValidate;
}

void TcxCustomEditProperties::EndUpdate() {
  if (updateCount_ == 0) return;
  --updateCount_;
  Changed();
}

bool TcxCustomEditProperties::IsOwnerDestroying() {
  auto* component = dynamic_cast<TComponent*>(GetOwner());
  return component && component->ComponentState().Contains(csDestroying);
}

void TcxCustomEditProperties::Changed() {
  if (updateCount_ != 0 || IsOwnerDestroying() || changedLocked_ || !OnPropertiesChanged) return;
  OnPropertiesChanged(this);
}

TcxEditAlignment* TcxCustomEditProperties::Alignment() {
  publishedAlignment_->OnChanged = nullptr;
  publishedAlignment_->Assign(storedAlignment_.get());
  publishedAlignment_->SetHorzAssigned(storedAlignment_->IsHorzAssigned());
  auto* component = dynamic_cast<TComponent*>(GetOwner());
  const bool writing = component && component->ComponentState().Contains(csWriting);
  if (!(IsAlignmentStored() && writing) && !storedAlignment_->IsHorzAssigned()) {
    publishedAlignment_->SetHorz(GetDefaultHorzAlignment());
    publishedAlignment_->SetHorzAssigned(false);
  }
  publishedAlignment_->OnChanged = [this](TObject* Sender) { AlignmentChanged(Sender); };
  return publishedAlignment_.get();
}

bool TcxCustomEditProperties::IsAlignmentStored() const {
  return storedAlignment_->IsHorzStored() || storedAlignment_->IsVertStored();
}

void TcxCustomEditProperties::AlignmentChanged(TObject*) {
  storedAlignment_->Assign(publishedAlignment_.get());
  storedAlignment_->SetHorzAssigned(publishedAlignment_->IsHorzAssigned());
  Changed();
}

void TcxCustomEditProperties::SetAlignment(TcxEditAlignment* Value) {
  storedAlignment_->Assign(Value);
  storedAlignment_->SetHorzAssigned(Value->IsHorzAssigned());
  Changed();
}

void TcxCustomEditProperties::SetBeepOnError(bool Value) { beepOnError_ = Value; }

void TcxCustomEditProperties::SetUseLeftAlignmentOnEditing(bool Value) {
  if (useLeftAlignmentOnEditing_ == Value) return;
  useLeftAlignmentOnEditing_ = Value;
  Changed();
}

bool TcxCustomEditProperties::IsUseLeftAlignmentOnEditingStored() const {
  // The class default is asked of a virtual that was never meant to change the object.
  return useLeftAlignmentOnEditing_ != const_cast<TcxCustomEditProperties*>(this)->GetDefaultUseLeftAlignmentOnEditing();
}

bool TcxCustomEditProperties::ReadOnly() const {
  if (assignedValues_->ReadOnly) return readOnly_;
  return defaultValuesProvider_ ? defaultValuesProvider_->DefaultReadOnly() : false;
}

void TcxCustomEditProperties::SetReadOnly(bool Value) {
  if (assignedValues_->ReadOnly && readOnly_ == Value) return;
  assignedValues_->ReadOnly = true;
  readOnly_ = Value;
  Changed();
}

bool TcxCustomEditProperties::CanModify() {
  if (assignedValues_->ReadOnly && !readOnly_) return true;
  const bool readOnly = ReadOnly();
  if (!readOnly && defaultValuesProvider_) return defaultValuesProvider_->DefaultCanModify();
  return !readOnly;
}

bool TcxCustomEditProperties::IsValueFormattedByDataSource() {
  const TcxEditDisplayFormatOptions support = GetDisplayFormatSupport();
  return support.Contains(dfoSupports) && GetEditValueSource(true) == evsValue &&
         GetEditValueSource(false) == evsText && defaultValuesProvider_ &&
         defaultValuesProvider_->IsDisplayFormatDefined(!support.Contains(dfoNoCurrencyValue));
}

void TcxCustomEditProperties::SetDefaultValuesProvider(IcxEditDefaultValuesProviderRef AProvider) {
  defaultValuesProvider_ = std::move(AProvider);
  if (!dynamic_cast<TcxCustomEdit*>(GetOwner())) return;
  if (defaultValuesProvider_) {
    defaultValuesProvider_->SetOnChanged([this](TObject* Sender) { DefaultValuesProviderChanged(Sender); });
    DefaultValuesProviderChanged(defaultValuesProvider_->GetInstance());
  } else {
    DefaultValuesProviderChanged(nullptr);
  }
}

void TcxCustomEditProperties::DefaultValuesProviderChanged(TObject*) {
  if (!changedLocked_) Changed();
}

void TcxCustomEditProperties::CreateAssignedValues() {
  TObject* instance = GetAssignedValuesClass()->NewInstance(this);
  assignedValues_.reset(static_cast<TcxCustomEditPropertiesValues*>(instance));
}

TClass TcxCustomEditProperties::GetAssignedValuesClass() {
  return TcxCustomEditPropertiesValues::StaticClass();
}

TAlignment TcxCustomEditProperties::GetDefaultHorzAlignment() {
  return defaultValuesProvider_ ? defaultValuesProvider_->DefaultAlignment() : storedAlignment_->Horz();
}

void TcxCustomEditProperties::GetValidateErrorText(String& Text) {
  Text = cxGetResourceString(cxSEditValidateErrorText);
}

bool TcxCustomEditProperties::UsesDisplayFormat(bool AEditFocused) {
  const TcxEditDisplayFormatOptions support = GetDisplayFormatSupport();
  if (AEditFocused || !support.Contains(dfoSupports) || !defaultValuesProvider_) return false;
  return defaultValuesProvider_->IsDisplayFormatDefined(!support.Contains(dfoNoCurrencyValue));
}

TClass TcxCustomEditProperties::GetContainerClass() { return TcxCustomEdit::StaticClass(); }

std::unique_ptr<TcxCustomEditViewData> TcxCustomEditProperties::CreateViewData(TcxCustomEditStyle* AStyle,
                                                                               bool AIsInplace) {
  return std::make_unique<TcxCustomEditViewData>(this, AStyle, AIsInplace);
}

TClass TcxCustomEditProperties::GetViewInfoClass() { return TcxCustomEditViewInfo::StaticClass(); }

std::function<TcxCustomEditStyle*(TPersistent*, bool)> TcxCustomEditProperties::GetStyleClass() {
  return [](TPersistent* AOwner, bool ADirectAccessMode) {
    return new TcxCustomEditStyle(AOwner, ADirectAccessMode);
  };
}

String TcxCustomEditProperties::GetDisplayText(const Variant&, bool) { return String(); }

TcxEditSupportedOperations TcxCustomEditProperties::GetSupportedOperations() {
  return buttons_->Count() > 0 ? TcxEditSupportedOperations{esoHotTrack} : TcxEditSupportedOperations{};
}

bool TcxCustomEditProperties::IsEditValueValid(Variant&, bool) { return true; }

void TcxCustomEditProperties::PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue, bool) {
  DisplayValue = AEditValue;
}

void TcxCustomEditProperties::ValidateDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error,
                                                   TcxCustomEdit* AEdit) {
  if (!CanValidate()) return;
  if (ErrorText.empty()) GetValidateErrorText(ErrorText);
  if (AEdit && OnValidate) OnValidate(AEdit, DisplayValue, ErrorText, Error);
}
