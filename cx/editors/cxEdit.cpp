#include "cx/editors/cxEdit.h"

#include "cx/data/cxVariants.h"
#include "cx/editors/cxEditConsts.h"
#include "cx/editors/cxEditScopes.h"
#include "cx/editors/cxEditViewInfo.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Menus.h"

TRENVIK_PUBLISHED(TcxCustomEdit) {
  P.Property("Width", &TcxCustomEdit::StreamedWidth, &TcxCustomEdit::SetWidth).NoDefault();
  P.Property("Height", &TcxCustomEdit::StreamedHeight, &TcxCustomEdit::SetHeight).NoDefault();
  P.Property("RepositoryItem", &TcxCustomEdit::RepositoryItem, &TcxCustomEdit::SetRepositoryItem);
  P.Event("OnFocusChanged", &TcxCustomEdit::OnFocusChanged);
}

int TcxCustomEdit::StreamedShadowSize() {
  constexpr int kShadowSize = 3;
  if (!ComponentState().Contains(csWriting)) return 0;
  TcxCustomEditViewInfo* viewInfo = EditViewInfo();
  return viewInfo && viewInfo->Shadow ? kShadowSize : 0;
}

TRENVIK_MESSAGE_MAP(TcxCustomEdit) {
  M.On(WM_CLEAR, &TcxCustomEdit::WMClear);
  M.On(WM_COPY, &TcxCustomEdit::WMCopy);
  M.On(WM_CUT, &TcxCustomEdit::WMCut);
  M.On(WM_PASTE, &TcxCustomEdit::WMPaste);
  M.On(CM_CXEDIT_DEFERREDERROR, &TcxCustomEdit::CMDeferredError);
  M.On(CM_SYSCOLORCHANGE, &TcxCustomEdit::CMSysColorChange);
}

namespace {

// Set by CreateInplace for the one constructor it runs.
bool creatingInplace = false;

}  // namespace

TcxCustomEdit::TcxCustomEdit(TComponent* AOwner) : TcxContainer(AOwner), isInplace_(creatingInplace) {
  creatingInplace = false;
  properties_ = cxCreateEditProperties(GetPropertiesClass(), this);
  SetTabStop(true);
  dataBinding_ = GetDataBindingClass()(this);
  autoSize_ = !isInplace_;
  editValue_ = Null();
  BindPropertiesChanged();
  if (isInplace_) SetKeys(Keys() + TcxWantedKeys{wkAll, wkArrows});
  if (!isInplace_) {
    properties_->SetDefaultValuesProvider(dataBinding_->DefaultValuesProvider());
    dataBinding_->Loaded();
  }
  PropertiesChanged(properties_.get());
  dataBinding_->UpdateDisplayValue();
}

TcxCustomEdit::~TcxCustomEdit() {
  BeforeDestruction();
  if (repositoryItem_) repositoryItem_->RemoveListener(this);
  repositoryItem_ = nullptr;
  if (!isInplace_) properties_->ReleaseDefaultValuesProvider();
  FreeDeferredErrorBlocks();
  defaultPopupMenu_.reset();
}

TcxCustomEdit* TcxCustomEdit::CreateInplace(TClass AClass, TComponent* AOwner) {
  creatingInplace = true;
  TObject* instance = nullptr;
  try {
    instance = AClass->NewInstance(AOwner);
  } catch (...) {
    creatingInplace = false;
    throw;
  }
  creatingInplace = false;
  auto* edit = dynamic_cast<TcxCustomEdit*>(instance);
  if (!edit) {
    delete instance;
    throw EInvalidCast(AClass->ClassName() + u" is not an edit class");
  }
  return edit;
}

void TcxCustomEdit::CreateProperties() {
  properties_ = cxCreateEditProperties(GetPropertiesClass(), this);
  // The view info class comes from the properties class.
  ResetViewInfo();
  if (!isInplace_) properties_->SetDefaultValuesProvider(dataBinding_->DefaultValuesProvider());
  BindPropertiesChanged();
  PropertiesChanged(properties_.get());
}

void TcxCustomEdit::CreateDataBinding() {
  dataBinding_ = GetDataBindingClass()(this);
  if (!isInplace_ && !repositoryItem_) {
    properties_->SetDefaultValuesProvider(dataBinding_->DefaultValuesProvider());
    dataBinding_->Loaded();
  }
}

void TcxCustomEdit::BindPropertiesChanged() {
  if (repositoryItem_) return;
  properties_->OnPropertiesChanged = [this](TObject* Sender) { PropertiesChanged(Sender); };
}

TcxEditDataBindingFactory TcxCustomEdit::GetDataBindingClass() {
  return [](TcxCustomEdit* AEdit) { return std::make_unique<TcxEditDataBinding>(AEdit); };
}

void TcxCustomEdit::Loaded() {
  inherited::Loaded();
  if (!isInplace_) dataBinding_->Loaded();
  AdjustInnerControl();
  BindPropertiesChanged();
  PropertiesChanged(GetActiveProperties());
}

void TcxCustomEdit::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == repositoryItem_) SetRepositoryItem(nullptr);
}

void TcxCustomEdit::SetName(const String& NewName) {
  inherited::SetName(NewName);
  if (const auto& provider = GetActiveProperties()->DefaultValuesProvider()) provider->SetOwnerName(NewName);
}

TcxContainerStyleClass TcxCustomEdit::GetStyleClass() {
  // Every edit style is an edit style, even one asked for before the properties exist.
  auto styleClass =
      properties_ ? GetActiveProperties()->GetStyleClass() : TcxCustomEditProperties(nullptr).GetStyleClass();
  return [styleClass](TPersistent* AOwner, bool ASilent) -> TcxCustomContainerStyle* {
    return styleClass(AOwner, ASilent);
  };
}

TcxCustomEditStyle* TcxCustomEdit::Style() { return static_cast<TcxCustomEditStyle*>(inherited::Style()); }

// ---- properties in use ----

TcxCustomEditProperties* TcxCustomEdit::GetActiveProperties() {
  const TComponentState state = ComponentState();
  if (repositoryItem_ && !state.Contains(csReading) && !state.Contains(csWriting))
    return repositoryItem_->Properties();
  return properties_.get();
}

bool TcxCustomEdit::IsRepositoryItemAcceptable(TcxEditRepositoryItem* AItem) {
  return !AItem || AItem->Properties()->InheritsFrom(GetPropertiesClass());
}

void TcxCustomEdit::SetRepositoryItem(TcxEditRepositoryItem* Value) {
  if (repositoryItem_ == Value) return;
  if (!IsRepositoryItemAcceptable(Value)) throw Exception(cxGetResourceString(cxSEditInvalidRepositoryItem));
  if (repositoryItem_) {
    repositoryItem_->RemoveListener(this);
    repositoryItem_->RemoveFreeNotification(this);
  }
  repositoryItem_ = Value;
  if (repositoryItem_) {
    repositoryItem_->AddListener(this);
    repositoryItem_->FreeNotification(this);
    PropertiesChanged(repositoryItem_);
    properties_->OnPropertiesChanged = nullptr;
  } else {
    if (!IsLoading() && !IsDestroying()) BindPropertiesChanged();
    GetActiveProperties()->SetDefaultValuesProvider(dataBinding_->DefaultValuesProvider());
  }
  ResetViewInfo();
  ShortRefreshContainer(false);
  RepositoryItemChanged();
}

void TcxCustomEdit::ItemRemoved(TcxEditRepositoryItem* Sender) {
  if (repositoryItem_ != Sender) return;
  repositoryItem_->RemoveFreeNotification(this);
  repositoryItem_ = nullptr;
}

void TcxCustomEdit::PropertiesChanged(TcxEditRepositoryItem* Sender) {
  if (!IsLoading() && !IsDestroying()) PropertiesChanged(static_cast<TObject*>(Sender->Properties()));
}

void TcxCustomEdit::PropertiesChanged(TObject*) {
  validated_ = false;
  UpdateDrawValue();
}

bool TcxCustomEdit::HasVisibleButtons() { return GetActiveProperties()->Buttons()->VisibleCount() > 0; }

// ---- modified flags ----

void TcxCustomEdit::SetModified(bool Value) {
  modified_ = Value;
  if (!Value) modifiedAfterEnter_ = false;
}

void TcxCustomEdit::SetModifiedAfterEnter(bool Value) {
  modifiedAfterEnter_ = Value;
  if (Value) {
    modified_ = true;
    validated_ = false;
  }
}

void TcxCustomEdit::SaveModified() { savedFlags_.push_back({modified_, modifiedAfterEnter_}); }

void TcxCustomEdit::RestoreModified() {
  if (savedFlags_.empty()) return;
  modified_ = savedFlags_.back().Modified;
  modifiedAfterEnter_ = savedFlags_.back().ModifiedAfterEnter;
  savedFlags_.pop_back();
}

// ---- value operations ----

void TcxCustomEdit::SetEditValue(const Variant& Value) {
  if (inDoEditing_) return;
  if (clearing_ && !DoEditing()) return;
  InternalSetEditValue(Value, true);
}

void TcxCustomEdit::InternalSetEditValue(const Variant& Value, bool) {
  if (clearing_ && !DoEditing()) return;
  TcxCustomEditProperties* properties = GetActiveProperties();
  const bool changed = properties->CanCompareEditValue() &&
                       (VarType(Value) != VarType(editValue_) || !cxVariantsEqual(Value, editValue_));
  editValue_ = Value;
  SynchronizeDisplayValue();
  if (clearing_)
    SetModifiedAfterEnter(true);
  else
    SetModified(false);
  if (changed) {
    DoEditValueChanged();
    if (!properties->IsChangeEventSeparate()) DoChange();
  }
}

void TcxCustomEdit::SetInternalDisplayValue(const Variant& Value) {
  if (clearing_ && !DoEditing()) return;
  SaveModified();
  InternalSetDisplayValue(Value);
  RestoreModified();
}

void TcxCustomEdit::DoChange() {
  if (IsLoading()) return;
  TcxCustomEditProperties* properties = GetActiveProperties();
  if (properties->OnChange) properties->OnChange(this);
  if (!properties->IsChangeEventSeparate() && !properties->CanCompareEditValue()) DoEditValueChanged();
}

void TcxCustomEdit::DoEditValueChanged() {
  if (IsLoading()) return;
  if (GetActiveProperties()->OnEditValueChanged) GetActiveProperties()->OnEditValueChanged(this);
}

void TcxCustomEdit::ChangeHandler(TObject*) {
  if (Focused()) SetModifiedAfterEnter(true);
  DoChange();
}

bool TcxCustomEdit::CanModify() {
  TcxCustomEditProperties* properties = GetActiveProperties();
  if (isInplace_) return properties->CanModify();
  const IcxEditDefaultValuesProviderRef& provider = dataBinding_->DefaultValuesProvider();
  if (!provider) return properties->CanModify();
  if (properties->IsReadOnlyStored() && !properties->ReadOnly()) return true;
  const bool readOnly = properties->IsReadOnlyStored() ? properties->ReadOnly() : provider->DefaultReadOnly();
  return !readOnly && provider->DefaultCanModify();
}

bool TcxCustomEdit::DoEditing() {
  if (dataBinding_->GetModified()) return true;
  TcxFlagScope inDoEditing(inDoEditing_);
  bool result = CanModify();
  if (result && OnEditing) OnEditing(this, result);
  if (result && !isInplace_) result = dataBinding_->CanModify();
  return result;
}

bool TcxCustomEdit::IsValidChar(Char AChar) {
  const IcxEditDefaultValuesProviderRef& provider = GetActiveProperties()->DefaultValuesProvider();
  return provider ? provider->IsValidChar(AChar) : true;
}

void TcxCustomEdit::PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue, bool AEditFocused) {
  GetActiveProperties()->PrepareDisplayValue(AEditValue, DisplayValue, AEditFocused);
}

void TcxCustomEdit::DoClickDefaultButton() {
  TcxEditButtons* buttons = GetActiveProperties()->Buttons();
  for (int visible = 0; visible < buttons->VisibleCount(); ++visible)
    if (buttons->Items(buttons->VisibleIndexToIndex(visible))->Default) {
      DoButtonClick(visible);
      return;
    }
}

void TcxCustomEdit::DoButtonClick(int AVisibleIndex) {
  TcxCustomEditProperties* properties = GetActiveProperties();
  if (properties->OnButtonClick)
    properties->OnButtonClick(this, properties->Buttons()->VisibleIndexToIndex(AVisibleIndex));
}
