// The lookup properties: the list-source contract's base answers, the list column index, key and
// text conversions, and the change notification that list data changes raise in every edit.
#include "cx/data/cxCustomData.h"
#include "cx/editors-ext/cxLookupEdit.h"
#include "cx/editors/cxEditScopes.h"
#include "platform/win/Input.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomLookupEditProperties)

TcxCustomLookupEditProperties::TcxCustomLookupEditProperties(TPersistent* AOwner)
    : TcxCustomComboBoxProperties(AOwner) {
  SetDropDownHeight(0);
  SetDropDownWidth(0);
  SetDropDownListStyle(lsEditFixedList);
  SetDropDownAutoSize(false);
  SetDropDownSizeable(false);
  // The typed prefix stays highlighted.
  SetFixedListIncrementalSearch(true);
}

void TcxCustomLookupEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomLookupEditProperties*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  TcxUpdateScope update(this);
  inherited::Assign(Source);
  if (!IsDefinedByLookupField()) SetListFieldIndex(source->GetListIndex());
  SetIncrementalFiltering(source->IncrementalFiltering());
}

TClass TcxCustomLookupEditProperties::GetContainerClass() { return TcxCustomLookupEdit::StaticClass(); }

TcxEditSupportedOperations TcxCustomLookupEditProperties::GetSupportedOperations() {
  TcxEditSupportedOperations result = inherited::GetSupportedOperations();
  if (GetEditValueSource(false) == evsValue) result.Include(esoSortingByDisplayText);
  return result;
}

void TcxCustomLookupEditProperties::PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue,
                                                        bool AEditFocused) {
  // The value of a lookup field is already its text.
  if (KeyIsListField() || (HasLookupDataField() && !AEditFocused)) {
    inherited::PrepareDisplayValue(AEditValue, DisplayValue, AEditFocused);
    return;
  }
  String text;
  GetDisplayTextByKey(AEditValue, text);
  DisplayValue = text;
}

bool TcxCustomLookupEditProperties::FindLookupText(const String& AText) {
  const int index = GetEffectiveListIndex();
  return index != -1 && GetListDataController() && FindRecordByText(index, AText, false) != -1;
}

std::unique_ptr<TcxCustomTextEditLookupData> TcxCustomLookupEditProperties::CreateLookupData(TcxCustomEdit* AEdit) {
  return std::make_unique<TcxCustomLookupEditLookupData>(AEdit);
}

bool TcxCustomLookupEditProperties::IsPopupNavigationKey(WORD Key, TShiftState Shift) {
  switch (Key) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
      return !Shift.Contains(ssAlt);
    case VK_END:
    case VK_HOME:
      return Shift.Contains(ssCtrl);
    default:
      return false;
  }
}

void TcxCustomLookupEditProperties::CheckListFieldIndex() {
  if (GetListIndex() >= GetListColumnCount()) SetListFieldIndex(GetListColumnCount() - 1);
}

int TcxCustomLookupEditProperties::FindRecordByText(int AItemIndex, const String& AText, bool APartialCompare) {
  TcxCustomDataController* controller = GetListDataController();
  if (!controller) return -1;
  // Grid mode holds only a window of the list: it is searched record by record.
  if (controller->IsGridMode() || AItemIndex < 0 || AItemIndex >= controller->GetItemCount())
    return controller->FindRecordIndexByText(0, AItemIndex, true, false, APartialCompare, AText);
  // An empty text matches only empty texts.
  return textIndex_.Find(controller, AItemIndex, AText, APartialCompare && !AText.empty());
}

void TcxCustomLookupEditProperties::GetDisplayTextByKey(const Variant&, String& AText) { AText.clear(); }

int TcxCustomLookupEditProperties::GetEffectiveListIndex() {
  const int count = GetListColumnCount();
  const int index = GetListIndex();
  return index < count ? index : count - 1;
}

void TcxCustomLookupEditProperties::ListDataChanged(TObject*) {
  // The lookup code's own filtering and moves, under the change lock, leave the texts as they are;
  // grid mode, whose moves reload records, never uses the index.
  if (!IsChangeLocked()) textIndex_.Invalidate();
  if (inListDataChanged_ || IsChangeLocked() || IsListLocked()) return;
  TcxFlagScope guard(inListDataChanged_);
  Changed();
}

void TcxCustomLookupEditProperties::LinkDataController() {
  TcxCustomDataController* controller = GetListDataController();
  if (!controller || listenerId_ != -1) return;
  listenedController_ = controller;
  listenerId_ = controller->AddDataChangedListener([this](TcxCustomDataController* Sender) { ListDataChanged(Sender); });
}

void TcxCustomLookupEditProperties::UnlinkDataController() {
  if (listenerId_ == -1) return;
  listenedController_->RemoveDataChangedListener(listenerId_);
  listenerId_ = -1;
  listenedController_ = nullptr;
}

bool TcxCustomLookupEditProperties::IsListLocked() {
  TcxCustomDataController* controller = GetListDataController();
  return controller && controller->IsLookupLocked();
}

void TcxCustomLookupEditProperties::LockList() {
  if (TcxCustomDataController* controller = GetListDataController()) controller->LockLookup();
}

void TcxCustomLookupEditProperties::UnlockList() {
  if (TcxCustomDataController* controller = GetListDataController()) controller->UnlockLookup();
}

void TcxCustomLookupEditProperties::SetListFieldIndex(int AValue) {
  if (AValue >= GetListColumnCount()) AValue = GetListColumnCount() - 1;
  if (AValue < 0) AValue = 0;
  if (AValue == listFieldIndex_) return;
  listFieldIndex_ = AValue;
  Changed();
}
