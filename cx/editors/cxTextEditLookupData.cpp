#include "cx/editors/cxTextEdit.h"
#include "platform/rtl/StrUtils.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomTextEditLookupData)

TcxCustomTextEditLookupData::TcxCustomTextEditLookupData(TcxCustomEdit* AOwner, std::function<String()> AText)
    : TcxInterfacedPersistent(AOwner), edit_(AOwner), text_(std::move(AText)) {
  listenedProperties_ = Properties();
  if (listenedProperties_) listenedProperties_->AddLookupItemsListener(this);
}

TcxCustomTextEditLookupData::~TcxCustomTextEditLookupData() {
  if (listenedProperties_) listenedProperties_->RemoveLookupItemsListener(this);
}

TcxCustomTextEditProperties* TcxCustomTextEditLookupData::Properties() const {
  return dynamic_cast<TcxCustomTextEditProperties*>(edit_->GetActiveProperties());
}

void TcxCustomTextEditLookupData::GetItem(int AIndex, String& AText) {
  AText = Properties()->LookupItems()->Strings(AIndex);
}

int TcxCustomTextEditLookupData::GetItemCount() {
  TcxCustomTextEditProperties* properties = Properties();
  return properties ? properties->LookupItems()->Count() : 0;
}

void TcxCustomTextEditLookupData::SetCurrentKey(int AIndex) {
  if (AIndex < -1 || AIndex >= GetItemCount()) return;
  currentKey_ = AIndex;
  SetItemIndex(AIndex);
}

void TcxCustomTextEditLookupData::SetItemIndex(int AIndex) {
  if (AIndex < -1 || AIndex >= GetItemCount() || AIndex == itemIndex_) return;
  itemIndex_ = AIndex;
}

bool TcxCustomTextEditLookupData::Locate(String& AText, String& ATail, bool AResetKey, bool ANext) {
  const int count = GetItemCount();
  if (count == 0) return false;
  const size_t n = AText.size();
  const int found = FindItemByPrefix(AnsiUpperCase(AText), ANext ? itemIndex_ + 1 : 0);
  if (found >= 0) {
    String item;
    GetItem(found, item);
    AText = item.substr(0, n);
    ATail = item.substr(n);
    SetCurrentKey(found);
    return true;
  }
  const TcxTextEditingMode mode = Properties()->GetEditingMode();
  if (mode == temPickItem) return false;
  if (AResetKey || (AText.empty() && !ContainsText(AText)) || mode == temFreeText) SetCurrentKey(-1);
  return false;
}

int TcxCustomTextEditLookupData::FindItemByPrefix(const String& AUpperPrefix, int AFrom) {
  const size_t n = AUpperPrefix.size();
  for (int i = AFrom; i < GetItemCount(); ++i) {
    String item;
    GetItem(i, item);
    if (item.size() >= n && AnsiUpperCase(item.substr(0, n)) == AUpperPrefix) return i;
  }
  return -1;
}

bool TcxCustomTextEditLookupData::ContainsText(const String& AText) {
  for (int i = 0; i < GetItemCount(); ++i) {
    String item;
    GetItem(i, item);
    if (AnsiSameText(item, AText)) return true;
  }
  return false;
}

void TcxCustomTextEditLookupData::GetDisplayText(const Variant& AKey, String& AText) {
  AText.clear();
  if (!VarIsOrdinal(AKey)) return;
  const int key = AKey.AsInteger();
  if (key >= 0 && key < GetItemCount()) GetItem(key, AText);
}

void TcxCustomTextEditLookupData::ItemsChanged(TObject*) {
  // A shorter list than the current item: that item is gone, the text stays as it is.
  const int count = GetItemCount();
  if (currentKey_ >= count) currentKey_ = -1;
  if (itemIndex_ >= count) itemIndex_ = -1;
  if (onItemsChanged_) onItemsChanged_(this);
}

void TcxCustomTextEditLookupData::Navigate(TcxLookupNavigation ADirection, bool ACircular) {
  if (GetItemCount() == 0) return;
  // Without a shown list the item becomes current at once.
  SetCurrentKey(Variant(GetNavigationIndex(ADirection, ACircular)));
}

int TcxCustomTextEditLookupData::GetNavigationIndex(TcxLookupNavigation ADirection, bool ACircular) {
  const int count = GetItemCount();
  const int reference = itemIndex_ != -1 ? itemIndex_ : currentKey_;
  const int page = Properties()->GetDropDownPageRowCount();
  int index = reference;
  switch (ADirection) {
    case lnFirst:
      index = 0;
      break;
    case lnLast:
      index = count - 1;
      break;
    case lnNext:
      index = reference + 1 < count ? reference + 1 : (ACircular ? 0 : reference);
      break;
    case lnPrior:
      index = reference - 1 >= 0 ? reference - 1 : (ACircular ? count - 1 : reference);
      break;
    case lnPageUp:
      if (reference == -1)
        index = ACircular ? count - 1 : -1;
      else if (reference - page + 1 >= 0)
        index = reference - page + 1;
      else
        index = ACircular && reference == 0 ? count - 1 : 0;
      break;
    case lnPageDown:
      index = reference == -1 ? page - 1 : reference + page - 1;
      if (index >= count) index = ACircular && reference == count - 1 ? 0 : count - 1;
      break;
  }
  return index;
}

void TcxCustomTextEditLookupData::SetCurrentKey(const Variant& Value) {
  const int old = currentKey_;
  SetCurrentKey(VarIsOrdinal(Value) ? Value.AsInteger() : -2);
  if (currentKey_ != old && onItemSelected_) onItemSelected_(this);
}

void TcxCustomTextEditLookupData::AcceptFocusedItem() {
  if (itemIndex_ == -1) return;
  const int old = currentKey_;
  SetCurrentKey(Variant(itemIndex_));
  if (currentKey_ == old && onItemSelected_) onItemSelected_(this);
}

void TcxCustomTextEditLookupData::TextChanged() {
  String current;
  if (itemIndex_ != -1) GetItem(itemIndex_, current);
  String text = text_();
  if (AnsiSameText(current, text)) return;
  String tail;
  Locate(text, tail, true, false);
}
