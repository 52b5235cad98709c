#include "cx/editors/cxEdit.h"

TRENVIK_IMPLEMENT_CLASS(TcxEditDataBinding)

TcxEditDataBinding::TcxEditDataBinding(TcxCustomEdit* AEdit) : edit_(AEdit) { CreateDefaultValuesProvider(); }

TcxEditDataBinding::~TcxEditDataBinding() = default;

void TcxEditDataBinding::CreateDefaultValuesProvider() {
  defaultValuesProvider_ = GetDefaultValuesProviderClass()();
  defaultValuesProvider_->SetOwnerName(edit_->ClassName());
}

TPersistent* TcxEditDataBinding::GetOwner() { return edit_; }

bool TcxEditDataBinding::IsEditDesigning() { return edit_->IsDesigning(); }

void TcxEditDataBinding::DefaultValuesChanged() {
  if (defaultValuesProvider_) defaultValuesProvider_->Changed();
}

void TcxEditDataBinding::GetDisplayValue(Variant& Value) { edit_->GetDisplayValue(Value); }

bool TcxEditDataBinding::GetModified() { return edit_->ModifiedAfterEnter(); }

void TcxEditDataBinding::GetStoredValue(Variant& Value) { edit_->GetEditValue(Value); }

void TcxEditDataBinding::Reset() { edit_->Reset(); }

void TcxEditDataBinding::SetDisplayValue(const Variant& Value) { edit_->SetInnerEditDisplayValue(Value); }

void TcxEditDataBinding::UpdateDisplayValue() { edit_->SynchronizeDisplayValue(); }

TcxEditDefaultValuesProviderFactory TcxEditDataBinding::GetDefaultValuesProviderClass() {
  return [] { return std::make_shared<TcxCustomEditDefaultValuesProvider>(nullptr); };
}
