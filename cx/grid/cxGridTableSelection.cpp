// Multi-selection by keys and mouse, and pull focusing (the focus follows a pressed mouse).
#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridCustomTableController.h"
#include "cx/grid/cxGridEditingController.h"
#include "platform/forms/Timers.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Input.h"

namespace {

constexpr Cardinal kPullFocusingInterval = 10;

TcxCustomGridRecord* HitRecord(TcxCustomGridHitTest* AHitTest) {
  auto* recordHit = dynamic_cast<TcxGridRecordHitTest*>(AHitTest);
  return recordHit ? recordHit->GridRecord() : nullptr;
}

}  // namespace

TcxCustomGridRecord* TcxCustomGridTableController::SelectedRecords(int AIndex) {
  return ViewData()->GetRecordByIndex(DataController()->GetSelectedRowIndex(AIndex));
}

bool TcxCustomGridTableController::CanMultiSelect(bool ACheckFocused) {
  return MultiSelect() && (!ACheckFocused || GridView()->IsFocused());
}

bool TcxCustomGridTableController::IsMultiSelectHit(TcxCustomGridHitTest* AHitTest) {
  TcxCustomGridRecord* record = HitRecord(AHitTest);
  return CanMultiSelect(false) && record && record == FocusedRecord();
}

bool TcxCustomGridTableController::IsSelectionKey(WORD AKey, TShiftState, bool AFocusedRecordChanged) {
  return AKey == VK_SPACE || AKey == VK_PRIOR || AKey == VK_NEXT || AFocusedRecordChanged;
}

bool TcxCustomGridTableController::IsKeyForMultiSelect(WORD AKey, TShiftState AShift, bool AFocusedRecordChanged) {
  return CanMultiSelect(true) && IsSelectionKey(AKey, AShift, AFocusedRecordChanged);
}

void TcxCustomGridTableController::DoKeyboardSelection(WORD& Key, TShiftState Shift) {
  TcxCustomDataController* dc = DataController();
  const int row = FocusedRecordIndex();
  if (Key == VK_SPACE && cxGridShiftIs(Shift, {ssCtrl})) {
    if (row != -1) dc->ChangeRowSelection(row, !dc->IsRowSelected(row));
    selectionKeyHandled_ = true;
    return;
  }
  if (Key != 0 && Shift.Contains(ssShift)) {
    if (row == -1 || (dc->GetEditState() & dceInsert)) return;
    dc->SelectFromAnchor(row, false);
    return;
  }
  if (row != -1) dc->SetSelectionAnchor(row);
  if (!cxGridShiftIs(Shift, {ssCtrl})) dc->SyncSelectionToFocus();
}

void TcxCustomGridTableController::DoMouseDownSelection(TcxCustomGridHitTest* AHitTest, TShiftState AShift) {
  TcxCustomGridRecord* record = HitRecord(AHitTest);
  if (!record) return;
  TcxCustomDataController* dc = DataController();
  const TShiftState shift = AShift * TShiftState{ssShift, ssCtrl, ssAlt};
  const bool doubleClick = AShift.Contains(ssDouble);
  if (cxGridShiftIs(shift, {}) || cxGridShiftIs(shift, {ssCtrl})) dc->SetSelectionAnchor(record->Index());
  auto rememberOr = [&](const std::function<void()>& AOtherwise) {
    if (record->Selected() && !doubleClick) {
      mouseDownSelectionRemembered_ = true;
      mouseDownSelectionRowIndex_ = record->Index();
    } else {
      AOtherwise();
    }
  };
  if (cxGridShiftIs(shift, {ssCtrl})) {
    rememberOr([&] { record->SetSelected(!record->Selected()); });
  } else if (cxGridShiftIs(shift, {ssShift}) || cxGridShiftIs(shift, {ssShift, ssCtrl})) {
    if (FocusedRecordIndex() != -1) dc->SelectFromAnchor(FocusedRecordIndex(), shift.Contains(ssCtrl));
  } else {
    rememberOr([&] { dc->SyncSelectionToFocus(); });
  }
}

void TcxCustomGridTableController::DoMouseUpSelection(TcxCustomGridHitTest* AHitTest, TShiftState AShift) {
  TcxCustomGridRecord* record = HitRecord(AHitTest);
  if (!mouseDownSelectionRemembered_ || !record || record->Index() != mouseDownSelectionRowIndex_) return;
  if (cxGridShiftIs(AShift, {ssCtrl}))
    record->SetSelected(!record->Selected());
  else
    DataController()->SyncSelectionToFocus();
}

void TcxCustomGridTableController::ClearMouseDownSelection() {
  mouseDownSelectionRemembered_ = false;
  mouseDownSelectionRowIndex_ = -1;
}

void TcxCustomGridTableController::UnselectFocusedRecordOnExit(TcxCustomGridRecord* ARecord) {
  TcxCustomGridTableView* view = GridView();
  if (ARecord && view->OptionsSelection()->UnselectFocusedRecordOnExit() && MultiSelect() &&
      SelectedRecordCount() == 1 && SelectedRecords(0) == ARecord)
    ARecord->SetSelected(false);
}

void TcxCustomGridTableController::InvalidateFocusedRecord() {
  if (TcxCustomGridRecord* record = FocusedRecord()) record->Invalidate();
}

void TcxCustomGridTableController::InvalidateSelection() {
  for (int i = 0; i < SelectedRecordCount(); ++i)
    if (TcxCustomGridRecord* record = SelectedRecords(i)) record->Invalidate();
  InvalidateFocusedRecord();
}

// --- Mouse ---

void TcxCustomGridTableController::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  EditingController()->StopShowTimer();
  TcxCustomGridHitTest* hitTest = ViewInfo()->GetHitTestXY(X, Y);
  TcxCustomGridView* view = GridView();
  view->RegisterReference(&view);
  TScopeExit unregister([&view] {
    if (view) view->UnregisterReference(&view);
  });
  inherited::MouseDown(Button, Shift, X, Y);
  if (!view) return;
  if (IsMultiSelectHit(hitTest)) DoMouseDownSelection(hitTest, Shift);
  if (HitRecord(hitTest) && GridView()->OptionsBehavior()->PullFocusing()) pullFocusing_ = true;
}

void TcxCustomGridTableController::MouseMove(TShiftState Shift, int X, int Y) {
  inherited::MouseMove(Shift, X, Y);
  if (!pullFocusing_) return;
  if (TcxCustomGridRecord* record = HitRecord(ViewInfo()->GetHitTestXY(X, Y))) {
    pullFocusingTimer_.reset();
    FocusRecordObject(record);
    Site()->Update();
    return;
  }
  bool forward = true;
  if (GetPullFocusingScrollDirection(X, Y, forward) == gsdNone) return;
  pullFocusingForward_ = forward;
  if (!pullFocusingTimer_) StartPullFocusing();
}

void TcxCustomGridTableController::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  StopPullFocusing();
  if (Button == mbLeft) {
    TcxCustomGridHitTest* hitTest = ViewInfo()->GetHitTestXY(X, Y);
    if (IsMultiSelectHit(hitTest)) DoMouseUpSelection(hitTest, Shift);
  }
  ClearMouseDownSelection();
}

TcxGridScrollDirection TcxCustomGridTableController::GetPullFocusingScrollDirection(int X, int Y, bool& AForward) {
  IcxGridRecordsLayout* layout = Layout();
  if (!layout) return gsdNone;
  const RECT r = layout->RecordsBounds();
  const bool horizontal = IsRecordsScrollHorizontal();
  const int pos = horizontal ? X : Y;
  const int low = horizontal ? r.left : r.top;
  const int high = horizontal ? r.right : r.bottom;
  if (pos < low) {
    AForward = false;
    return horizontal ? gsdLeft : gsdUp;
  }
  if (pos >= high) {
    AForward = true;
    return horizontal ? gsdRight : gsdDown;
  }
  return gsdNone;
}

void TcxCustomGridTableController::StartPullFocusing() {
  pullFocusingTimer_ = std::make_unique<TTimer>(nullptr);
  pullFocusingTimer_->SetInterval(kPullFocusingInterval);
  pullFocusingTimer_->OnTimer = [this](TObject* Sender) { PullFocusingTimer(Sender); };
}

void TcxCustomGridTableController::StopPullFocusing() {
  pullFocusing_ = false;
  pullFocusingTimer_.reset();
}

void TcxCustomGridTableController::PullFocusingTimer(TObject*) {
  FocusNextRecord(FocusedRecordIndex(), pullFocusingForward_, false, false);
  Site()->Update();
}
