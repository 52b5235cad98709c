// The editor properties an item shows and edits its values with.
#include "cx/grid/cxGridCustomTableView.h"

void TcxCustomGridTableItem::SetPropertiesClass(TClass Value) {
  if (propertiesClass_ == Value) return;
  properties_.reset();
  propertiesClass_ = Value;
  if (Value) {
    properties_ = cxCreateEditProperties(Value, this);
    properties_->OnPropertiesChanged = [this](TObject*) { ItemPropertiesChanged(); };
  }
  RecalculateProperties();
  ItemPropertiesChanged();
}

String TcxCustomGridTableItem::PropertiesClassName() const {
  return propertiesClass_ ? propertiesClass_->ClassName() : String();
}

void TcxCustomGridTableItem::SetPropertiesClassName(const String& Value) {
  SetPropertiesClass(GetRegisteredEditProperties()->FindByClassName(Value));
}

void TcxCustomGridTableItem::SetProperties(TcxCustomEditProperties* Value) {
  if (properties_ && Value) properties_->Assign(Value);
}

void TcxCustomGridTableItem::SetRepositoryItem(TcxEditRepositoryItem* Value) {
  if (repositoryItem_ == Value) return;
  if (repositoryItem_) repositoryItem_->RemoveListener(this);
  repositoryItem_ = Value;
  if (repositoryItem_) repositoryItem_->AddListener(this);
  RecalculateProperties();
  ItemPropertiesChanged();
}

// The default repository item is looked up again (it is released first); any other one is let go.
void TcxCustomGridTableItem::ItemRemoved(TcxEditRepositoryItem* Sender) {
  if (Sender == defaultRepositoryItem_)
    RecalculateProperties();
  else
    SetRepositoryItem(nullptr);
}

void TcxCustomGridTableItem::PropertiesChanged(TcxEditRepositoryItem*) { ItemPropertiesChanged(); }

void TcxCustomGridTableItem::ReleaseDefaultRepositoryItem() {
  if (!defaultRepositoryItem_) return;
  defaultRepositoryItem_->RemoveListener(this);
  defaultRepositoryItem_ = nullptr;
}

void TcxCustomGridTableItem::RecalculateProperties() {
  ReleaseDefaultRepositoryItem();
  effectiveProperties_ = nullptr;
  if (!gridView_) return;
  if (!repositoryItem_ && properties_) {
    effectiveProperties_ = properties_.get();
  } else if (repositoryItem_) {
    effectiveProperties_ = repositoryItem_->Properties();
  } else if (!ComponentState().Contains(csDestroying) && dataBinding_) {
    defaultRepositoryItem_ = dataBinding_->GetDefaultRepositoryItem();
    if (defaultRepositoryItem_) {
      defaultRepositoryItem_->AddListener(this);
      effectiveProperties_ = defaultRepositoryItem_->Properties();
    }
  }
}

void TcxCustomGridTableItem::ItemPropertiesChanged() {
  if (!gridView_ || ComponentState().Contains(csDestroying)) return;
  gridView_->SizeChanged(false, false);
}
