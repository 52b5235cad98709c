// The lookup data of a lookup edit: the current key, the drop-down list's opening, closing and
// sizing, typed search with incremental filtering, navigation, and the chosen record's key.
#include <algorithm>

#include "cx/data/cxCustomData.h"
#include "cx/editors-ext/cxLookupEdit.h"
#include "cx/editors/cxEditPopupWindow.h"
#include "platform/rtl/StrUtils.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomLookupEditLookupData)

TcxCustomLookupEditLookupData::TcxCustomLookupEditLookupData(TcxCustomEdit* AOwner)
    : TcxCustomTextEditLookupData(AOwner, [] { return String(); }) {}

TcxCustomLookupEditProperties* TcxCustomLookupEditLookupData::LookupProperties() const {
  return static_cast<TcxCustomLookupEditProperties*>(Edit()->GetActiveProperties());
}

TcxCustomLookupEdit* TcxCustomLookupEditLookupData::LookupEdit() const {
  return static_cast<TcxCustomLookupEdit*>(Edit());
}

void TcxCustomLookupEditLookupData::RecordText(int ARecordIndex, String& AText) {
  Controller()->GetDisplayText(ARecordIndex, LookupProperties()->GetEffectiveListIndex(), AText);
}

void TcxCustomLookupEditLookupData::MarkFocusedSelected(bool ASelected) {
  if (TcxCustomDataController* controller = Controller()) controller->SetFocusedSelected(ASelected);
}

// --- IcxTextEditLookupData ---

bool TcxCustomLookupEditLookupData::CanResizeList(SIZE& ASize) {
  TcxCustomLookupEditProperties* properties = LookupProperties();
  if (properties->AdjustsPopupHeight()) ASize.cy = properties->GetNearestPopupHeight(ASize.cy);
  return true;
}

void TcxCustomLookupEditLookupData::OpenList() {
  TcxCustomLookupEditProperties* properties = LookupProperties();
  TcxLookupChangeScope lock(properties);
  // The list stays locked until it closes.
  properties->LockList();
  properties->InitializePopup();
  properties->SetListEvents([this](TObject* Sender) { ListClick(Sender); },
                            [this](TObject* Sender) { ListNotify(Sender); },
                            [this](TObject* Sender, bool AAccept) { ListCloseUp(Sender, AAccept); });
  TcxCustomLookupEdit* edit = LookupEdit();
  properties->SetListAppearance(edit->PopupControlsLookAndFeel(), edit->Style()->Color(), edit->Style()->Font());
  properties->BeginPopupMode();
  popupActive_ = true;
  SyncListPosition();
  UpdateListSelection();
}

void TcxCustomLookupEditLookupData::CloseList() {
  TcxCustomLookupEditProperties* properties = LookupProperties();
  TcxLookupChangeScope lock(properties);
  ResetIncrementalFilter();
  popupActive_ = false;
  properties->SetListEvents(nullptr, nullptr, nullptr);
  properties->EndPopupMode();
  properties->DeinitializePopup();
  properties->UnlockList();
}

void TcxCustomLookupEditLookupData::ReleaseList() {
  if (TWinControl* list = LookupProperties()->GetListControl()) list->SetParent(nullptr);
}

void TcxCustomLookupEditLookupData::AttachList(TWinControl* AParent) {
  if (TWinControl* list = LookupProperties()->GetListControl()) list->SetParent(AParent);
}

void TcxCustomLookupEditLookupData::PlaceList(const RECT& ARect) {
  TcxCustomLookupEditProperties* properties = LookupProperties();
  TWinControl* list = properties->GetListControl();
  if (!list) return;
  list->SetBounds(ARect.left, ARect.top, ARect.right - ARect.left, ARect.bottom - ARect.top);
  list->HandleNeeded();
  properties->MakeFocusedRowVisible();
}

void TcxCustomLookupEditLookupData::GetDisplayText(const Variant& AKey, String& AText) {
  LookupProperties()->GetDisplayTextByKey(AKey, AText);
}

int TcxCustomLookupEditLookupData::PopupHeightForListRows() {
  TcxCustomLookupEditProperties* properties = LookupProperties();
  int rows = properties->DropDownRows();
  if (TcxCustomDataController* controller = Controller()) rows = std::min(rows, controller->GetRowCount());
  return properties->GetPopupHeightForRows(std::max(rows, 1));
}

void TcxCustomLookupEditLookupData::GetListSize(int, int, SIZE& ASize) {
  ASize.cx = LookupProperties()->GetListAutoWidth();
  ASize.cy = PopupHeightForListRows();
}

bool TcxCustomLookupEditLookupData::IsEmpty() {
  TcxCustomDataController* controller = Controller();
  return LookupProperties()->GetEffectiveListIndex() == -1 || !controller || controller->GetRecordCount() == 0;
}

bool TcxCustomLookupEditLookupData::IsPointOverList(POINT AScreenPoint) {
  TWinControl* list = LookupProperties()->GetListControl();
  return list && LookupProperties()->IsRecordAtPoint(list->ScreenToClient(AScreenPoint));
}

void TcxCustomLookupEditLookupData::Navigate(TcxLookupNavigation ADirection, bool ACircular) {
  TcxCustomDataController* controller = Controller();
  if (!controller || controller->GetRecordCount() == 0) return;
  TcxCustomLookupEditProperties* properties = LookupProperties();
  TcxLookupChangeScope lock(properties);
  ResetIncrementalFilter();
  UpdatePopupHeight();
  {
    TcxLookupListScope listLock(properties);
    switch (ADirection) {
      case lnFirst:
        controller->GotoFirst();
        break;
      case lnLast:
        controller->GotoLast();
        break;
      case lnNext:
      case lnPageDown:
        SyncListPosition();
        if (ACircular && controller->IsEOF())
          controller->GotoFirst();
        else if (ADirection == lnNext)
          controller->GotoNext();
        else
          controller->MoveBy(properties->DropDownRows());
        break;
      case lnPrior:
      case lnPageUp:
        SyncListPosition();
        if (ACircular && controller->IsBOF())
          controller->GotoLast();
        else if (ADirection == lnPrior)
          controller->GotoPrev();
        else
          controller->MoveBy(-properties->DropDownRows());
        break;
    }
  }
  const int focused = controller->GetFocusedRecordIndex();
  SetCurrentKeyByRecord(focused);
  if (focused != -1) MarkFocusedSelected(true);
  DoItemSelected();
}

bool TcxCustomLookupEditLookupData::LocateByText(String& AText, String& ATail, bool) {
  TcxCustomLookupEditProperties* properties = LookupProperties();
  TcxLookupChangeScope lock(properties);
  const int index = properties->GetEffectiveListIndex();
  TcxCustomDataController* controller = Controller();
  if (index == -1 || !controller) return false;
  const int record = popupActive_ && properties->IsIncrementalFilteringActive()
                         ? FilterAndFind(index, AText)
                         : properties->FindRecordByText(index, AText, true);
  if (record == -1) {
    MarkFocusedSelected(false);
    return false;
  }
  controller->ChangeFocusedRecordIndex(record);
  SetCurrentKeyByRecord(record);
  String text;
  RecordText(record, text);
  const size_t typed = std::min(AText.size(), text.size());
  AText = text.substr(0, typed);
  ATail = text.substr(typed);
  MarkFocusedSelected(true);
  return true;
}

int TcxCustomLookupEditLookupData::FilterAndFind(int AItemIndex, const String& AText) {
  TcxCustomLookupEditProperties* properties = LookupProperties();
  TcxCustomDataController* controller = Controller();
  int record;
  if (!AText.empty()) {
    const String previous = controller->GetIncrementalFilterText();
    record = controller->SetIncrementalFilter(AItemIndex, AText);
    if (controller->GetFilteredRecordCount() == 0) {
      // The fixed styles keep the list's last non-empty contents.
      if (properties->DropDownListStyle() != lsEditList) controller->SetIncrementalFilter(AItemIndex, previous);
      record = -1;
    }
  } else {
    ResetIncrementalFilter();
    record = properties->FindRecordByText(AItemIndex, String(), true);
  }
  UpdatePopupHeight();
  return record;
}

void TcxCustomLookupEditLookupData::AcceptFocusedItem() {
  if (!IsFocusedRowSelected()) return;
  SetCurrentKeyByRecord(Controller()->GetFocusedRecordIndex());
  DoItemSelected();
}

void TcxCustomLookupEditLookupData::SetCurrentKey(const Variant& AKey) {
  currentKey_ = AKey;
  SyncListPosition();
}

void TcxCustomLookupEditLookupData::TextChanged() {
  TcxLookupChangeScope lock(LookupProperties());
  UpdateListSelection();
}

// --- Operations it introduces ---

void TcxCustomLookupEditLookupData::DoKeyChanged() {
  if (TNotifyEvent handler = GetOnKeyChanged()) handler(this);
}

void TcxCustomLookupEditLookupData::DoItemSelected() {
  if (TNotifyEvent handler = GetOnItemSelected()) handler(this);
}

void TcxCustomLookupEditLookupData::SetCurrentKeyByRecord(int ARecordIndex) { currentKey_ = ARecordIndex; }

void TcxCustomLookupEditLookupData::FocusCurrentKeyRecord() {
  TcxCustomDataController* controller = Controller();
  // A key that is no record index (Null) focuses nothing.
  if (!controller || !VarIsOrdinal(currentKey_)) return;
  const int record = currentKey_.AsInteger();
  if (record >= 0 && record < controller->GetRecordCount()) controller->ChangeFocusedRecordIndex(record);
}

void TcxCustomLookupEditLookupData::ListClick(TObject*) { AcceptFocusedItem(); }

void TcxCustomLookupEditLookupData::ListCloseUp(TObject*, bool AAccept) { LookupEdit()->CloseUp(AAccept); }

bool TcxCustomLookupEditLookupData::IsFocusedRowSelected() {
  TcxCustomDataController* controller = Controller();
  return controller && controller->GetSelectedCount() == 1 &&
         controller->GetSelectedRowIndex(0) == controller->GetFocusedRowIndex();
}

bool TcxCustomLookupEditLookupData::LocateExactText(const String& AText) {
  TcxCustomLookupEditProperties* properties = LookupProperties();
  const int index = properties->GetEffectiveListIndex();
  TcxCustomDataController* controller = Controller();
  if (index == -1 || !controller) return false;
  const int record = properties->FindRecordByText(index, AText, false);
  if (record == -1) {
    MarkFocusedSelected(false);
    return false;
  }
  controller->ChangeFocusedRecordIndex(record);
  SetCurrentKeyByRecord(record);
  MarkFocusedSelected(true);
  return true;
}

void TcxCustomLookupEditLookupData::ResetIncrementalFilter() {
  if (TcxCustomDataController* controller = Controller()) controller->ResetIncrementalFilter();
}

void TcxCustomLookupEditLookupData::SyncListPosition() {
  FocusCurrentKeyRecord();
  LookupProperties()->MakeFocusedRowVisible();
}

void TcxCustomLookupEditLookupData::UpdateListSelection() {
  TcxCustomLookupEditProperties* properties = LookupProperties();
  TcxCustomDataController* controller = Controller();
  const String text = LookupEdit()->Text();
  if (popupActive_ && properties->IsIncrementalFilteringActive() && controller &&
      controller->RefreshIncrementalFilter(text))
    UpdatePopupHeight();
  bool selected = false;
  const int index = properties->GetEffectiveListIndex();
  if (index != -1 && controller && controller->GetFocusedRecordIndex() != -1) {
    String focusedText;
    RecordText(controller->GetFocusedRecordIndex(), focusedText);
    selected = focusedText == text;
  }
  MarkFocusedSelected(selected);
}

void TcxCustomLookupEditLookupData::UpdatePopupHeight() {
  TcxCustomLookupEdit* edit = LookupEdit();
  TcxCustomLookupEditProperties* properties = LookupProperties();
  if (!popupActive_ || !edit->HasPopupWindow() || !Controller()) return;
  const int height = PopupHeightForListRows();
  TWinControl* list = properties->GetListControl();
  if (!list || height == list->ClientHeight()) return;
  if (!edit->IsPopupResized()) edit->ResetPopupHeight();
  TcxCustomEditPopupWindow* window = edit->PopupWindow();
  window->CalculateSize();
  window->CalculatePosition();
  window->RealignContent();
}
