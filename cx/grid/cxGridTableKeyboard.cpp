// The record-based views' keys and incremental search.
#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridCustomTableController.h"
#include "cx/grid/cxGridEditingController.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Input.h"

bool cxGridShiftIs(TShiftState AShift, TShiftState AExpected) {
  return AShift * TShiftState{ssShift, ssCtrl, ssAlt} == AExpected;
}

void TcxCustomGridTableController::KeyDown(WORD& Key, TShiftState Shift) {
  TcxCustomGridView* view = GridView();
  view->RegisterReference(&view);
  TScopeExit unregister([&view] {
    if (view) view->UnregisterReference(&view);
  });
  const int prevRow = FocusedRecordIndex();
  inherited::KeyDown(Key, Shift);
  if (!view) {
    Key = 0;
    return;
  }
  if (IsKeyForMultiSelect(Key, Shift, FocusedRecordIndex() != prevRow)) DoKeyboardSelection(Key, Shift);
}

bool TcxCustomGridTableController::IsKeyForController(WORD AKey, TShiftState) {
  switch (AKey) {
    case VK_TAB:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
    case VK_INSERT:
      return true;
    case VK_LEFT:
    case VK_RIGHT:
      return GridView()->OptionsBehavior()->AlwaysShowEditor();
    default:
      return false;
  }
}

void TcxCustomGridTableController::HandleKeyDown(WORD& Key, TShiftState Shift) {
  if (!forwardingEnter_)
    if (TcxCustomGridRecord* record = FocusedRecord()) record->KeyDown(Key, Shift);
  if (Key != 0 && IsIncSearching()) IncSearchKeyDown(Key, Shift);
  TcxCustomGridTableView* view = GridView();
  TcxCustomDataController* dc = DataController();
  switch (Key) {
    case VK_TAB:
      if (view->OptionsBehavior()->FocusCellOnTab() && (cxGridShiftIs(Shift, {}) || cxGridShiftIs(Shift, {ssShift}))) {
        FocusNextCell(cxGridShiftIs(Shift, {}));
        Key = 0;
      }
      break;
    case VK_RETURN:
      if (view->OptionsBehavior()->GoToNextCellOnEnter()) FocusNextCell(true);
      break;
    case VK_ESCAPE:
      dc->Cancel();
      break;
    case VK_PRIOR:
      MakeFocusedRecordVisible();
      if (FocusedRecordIndex() == topRecordIndex_) ScrollPageUp();
      FocusRecord(topRecordIndex_);
      break;
    case VK_NEXT: {
      MakeFocusedRecordVisible();
      const int visible = Layout() ? Layout()->VisibleRecordCount() : 0;
      if (topRecordIndex_ + visible == FocusedRecordIndex() + 1) ScrollPageDown();
      FocusRecord(topRecordIndex_ + (Layout() ? Layout()->VisibleRecordCount() : 0) - 1);
      break;
    }
    case VK_INSERT:
      if (cxGridShiftIs(Shift, {}) && view->OptionsData()->Inserting()) StartNewRecord(false);
      break;
    case VK_DELETE:
      if ((cxGridShiftIs(Shift, {}) || cxGridShiftIs(Shift, {ssCtrl})) && view->OptionsData()->Deleting()) {
        DeleteRecords();
        Key = 0;
      }
      break;
    default:
      break;
  }
}

void TcxCustomGridTableController::KeyPress(Char& Key) {
  inherited::KeyPress(Key);
  if (selectionKeyHandled_) {
    selectionKeyHandled_ = false;
    return;
  }
  if (Key == VK_BACK || Key >= 32) {
    TcxCustomGridTableItem* item = GetIncSearchItem();
    const int state = DataController()->GetEditState();
    if (item && item->CanIncSearch() && (state & (dceInsert | dceEdit)) == 0) {
      if (Key != VK_BACK) SetIncSearchingText(IncSearchingText() + Key);
      Key = 0;
    }
  }
  if (Key != 0)
    if (TcxCustomGridRecord* record = FocusedRecord()) record->KeyPress(Key);
}

// --- Incremental search ---

bool TcxCustomGridTableController::IsIncSearching() { return DataController()->Search()->GetSearching(); }

TcxCustomGridTableItem* TcxCustomGridTableController::IncSearchingItem() {
  if (!IsIncSearching()) return nullptr;
  const int index = DataController()->Search()->GetItemIndex();
  return index >= 0 && index < GridView()->ItemCount() ? GridView()->Items(index) : nullptr;
}

String TcxCustomGridTableController::IncSearchingText() { return DataController()->Search()->GetSearchText(); }

TcxCustomGridTableItem* TcxCustomGridTableController::GetIncSearchItem() {
  TcxCustomGridTableView* view = GridView();
  if (view->OptionsSelection()->CellSelect()) return focusedItem_;
  if (TcxCustomGridTableItem* item = view->OptionsBehavior()->IncSearchItem()) return item;
  return view->VisibleItemCount() > 0 ? view->VisibleItems(0) : nullptr;
}

void TcxCustomGridTableController::SetIncSearchingText(const String& AText) {
  if (AText == IncSearchingText()) return;
  TcxCustomGridTableItem* item = IsIncSearching() ? IncSearchingItem() : GetIncSearchItem();
  if (!item) return;
  if (AText.empty())
    CancelIncSearching();
  else
    DataController()->Search()->Locate(item->Index(), AText);
}

void TcxCustomGridTableController::CancelIncSearching() { DataController()->Search()->Cancel(); }

void TcxCustomGridTableController::IncSearchKeyDown(WORD& Key, TShiftState Shift) {
  switch (Key) {
    case VK_BACK: {
      const String text = IncSearchingText();
      SetIncSearchingText(text.substr(0, text.empty() ? 0 : text.size() - 1));
      Key = 0;
      break;
    }
    case VK_ESCAPE:
      CancelIncSearching();
      Key = 0;
      break;
    case VK_UP:
    case VK_DOWN:
      if (cxGridShiftIs(Shift, {ssCtrl})) {
        DataController()->Search()->LocateNext(Key == VK_DOWN);
        Key = 0;
      }
      break;
    default:
      break;
  }
}
