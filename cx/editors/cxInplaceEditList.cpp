#include "cx/editors/cxEdit.h"

TRENVIK_IMPLEMENT_CLASS(TcxInplaceEditList)

TcxInplaceEditList::~TcxInplaceEditList() { Clear(); }

int TcxInplaceEditList::FindItem(TcxCustomEditProperties* AProperties) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[i].Properties == AProperties) return i;
  return -1;
}

TcxCustomEdit* TcxInplaceEditList::FindEdit(TcxCustomEditProperties* AProperties) const {
  const int index = FindItem(AProperties);
  return index < 0 ? nullptr : items_[index].Edit.get();
}

TcxCustomEdit* TcxInplaceEditList::CreateEdit(TcxCustomEditProperties* AProperties) {
  TcxCustomEdit* edit = TcxCustomEdit::CreateInplace(AProperties->GetContainerClass(), nullptr);
  edit->SetVisible(false);
  return edit;
}

TcxCustomEdit* TcxInplaceEditList::GetEdit(TcxCustomEditProperties* AProperties) {
  TcxCustomEdit* edit = FindEdit(AProperties);
  if (!edit) {
    edit = CreateEdit(AProperties);
    items_.push_back({std::unique_ptr<TcxCustomEdit>(edit), AProperties});
  }
  // The cached editor follows the column's current settings.
  if (!edit->RepositoryItem()) edit->Properties()->Assign(AProperties);
  return edit;
}

TcxCustomEdit* TcxInplaceEditList::GetEditByPropertiesClass(TClass AClass) {
  for (const TItem& item : items_)
    if (item.Edit->GetActiveProperties()->ClassType() == AClass) return item.Edit.get();
  auto probe = cxCreateEditProperties(AClass, nullptr);
  TcxCustomEdit* edit = TcxCustomEdit::CreateInplace(probe->GetContainerClass(), nullptr);
  items_.push_back({std::unique_ptr<TcxCustomEdit>(edit), edit->GetActiveProperties()});
  return edit;
}

void TcxInplaceEditList::RemoveItem(TcxCustomEditProperties* AProperties) {
  const int index = FindItem(AProperties);
  if (index >= 0) items_.erase(items_.begin() + index);
}

void TcxInplaceEditList::Clear() {
  while (!items_.empty()) items_.pop_back();
}
