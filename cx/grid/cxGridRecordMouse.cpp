// Presses on records and their cells: focusing the record and the item, the expand button and the
// double click that expands, and opening the in-place editor by the mouse.
#include "cx/grid/cxGridCustomTableController.h"
#include "cx/grid/cxGridEditingController.h"
#include "cx/grid/cxGridTableHitTests.h"
#include "cx/grid/cxGridTableRowViewInfo.h"
#include "cx/grid/cxGridTableRows.h"
#include "cx/grid/cxGridTableView.h"
#include "platform/rtl/ScopeExit.h"

namespace {

// Holds a view registered for the time of a call that may free it.
class TcxGridViewGuard {
 public:
  explicit TcxGridViewGuard(TcxCustomGridView* AView) : view_(AView) { view_->RegisterReference(&view_); }
  ~TcxGridViewGuard() {
    if (view_) view_->UnregisterReference(&view_);
  }
  TcxGridViewGuard(const TcxGridViewGuard&) = delete;
  TcxGridViewGuard& operator=(const TcxGridViewGuard&) = delete;
  bool Alive() const { return view_ != nullptr; }

 private:
  TcxCustomGridView* view_;
};

bool cxGridRecordMouseIsEditClick(TMouseButton AButton, TShiftState AShift) {
  return AButton == mbLeft && !AShift.Contains(ssShift) && !AShift.Contains(ssCtrl);
}

}  // namespace

bool TcxGridMasterDataRow::GetExpandOnDblClick() const {
  auto* view = dynamic_cast<TcxGridTableView*>(GridView());
  return Expandable() && view && view->OptionsBehavior()->ExpandMasterRowOnDblClick();
}

// --- Records ---

bool TcxCustomGridRecordViewInfo::MouseDown(TcxCustomGridHitTest* AHitTest, TMouseButton AButton, TShiftState AShift) {
  if (inherited::MouseDown(AHitTest, AButton, AShift)) return true;
  if (AButton == mbLeft && AHitTest->HitTestCode() == htExpandButton) {
    record_->SetExpanded(!record_->Expanded());
    return true;
  }
  // A press that took the focus from an editor whose value was refused is spent: moving on would
  // post the refused value again.
  if (TableView()->Controller()->EditingController()->IsErrorOnEditExit()) return false;
  if (AButton != mbMiddle && IsClickHitTest(AHitTest) && TableView()->Site()->CanFocus())
    return FocusRecord(AHitTest, AButton, AShift);
  return false;
}

bool TcxCustomGridRecordViewInfo::FocusRecord(TcxCustomGridHitTest*, TMouseButton, TShiftState) {
  TcxCustomGridTableView* view = TableView();
  TcxGridViewGuard guard(view);
  view->Controller()->FocusRecordObject(record_);
  return guard.Alive();
}

bool TcxCustomGridRowViewInfo::FocusRecord(TcxCustomGridHitTest* AHitTest, TMouseButton AButton, TShiftState AShift) {
  TcxCustomGridTableView* view = TableView();
  const int index = GridRecord()->Index();
  if (!inherited::FocusRecord(AHitTest, AButton, AShift)) return false;
  if (!AShift.Contains(ssDouble)) return true;
  // Focusing may have laid the rows out anew: the record is looked up again by its row.
  TcxCustomGridRecord* record = view->Controller()->FocusedRecord();
  if (record && record->Index() == index && record->GetExpandOnDblClick()) record->SetExpanded(!record->Expanded());
  return true;
}

// --- Cells ---

bool TcxGridTableCellViewInfo::MouseDown(TcxCustomGridHitTest* AHitTest, TMouseButton AButton, TShiftState AShift) {
  const std::shared_ptr<bool> alive = alive_;
  const bool result = RecordViewInfo()->MouseDown(AHitTest, AButton, AShift);
  if (result && *alive) inherited::MouseDown(AHitTest, AButton, AShift);
  return result;
}

bool TcxGridTableDataCellViewInfo::IsFocusedCell() {
  TcxCustomGridTableView* view = TableView();
  return GridRecord()->Focused() && view->Controller()->FocusedItem() == item_;
}

bool TcxGridTableDataCellViewInfo::MouseDown(TcxCustomGridHitTest* AHitTest, TMouseButton AButton, TShiftState AShift) {
  wasFocusedCellAtMouseDown_ = IsFocusedCell();
  TcxCustomGridTableView* view = TableView();
  TcxCustomGridTableController* controller = view->Controller();
  TcxCustomGridTableItem* item = item_;
  const POINT pos = AHitTest->Pos;
  TcxGridViewGuard guard(view);
  const bool canShowEdit = CanShowEditOnMouseDown();
  const bool wasShowAllowed = controller->EditorShowAllowed();
  controller->SetEditorShowAllowed(false);
  controller->SetProcessingCellMouseDown(true);
  TScopeExit resume([&] {
    if (!guard.Alive()) return;
    controller->SetProcessingCellMouseDown(false);
    controller->SetEditorShowAllowed(wasShowAllowed);
  });
  const bool result = inherited::MouseDown(AHitTest, AButton, AShift);
  if (!result || !guard.Alive() || controller->EditingController()->IsErrorOnEditExit()) return result;
  item->SetFocused(true);
  if (cxGridRecordMouseIsEditClick(AButton, AShift) && canShowEdit)
    controller->EditingController()->ShowEditByMouse(item, AShift, pos.x, pos.y);
  return result;
}

bool TcxGridTableDataCellViewInfo::MouseUp(TcxCustomGridHitTest* AHitTest, TMouseButton AButton, TShiftState AShift) {
  const bool result = inherited::MouseUp(AHitTest, AButton, AShift);
  TcxCustomGridTableView* view = TableView();
  bool handled = false;
  if (view->OnCellClick) view->OnCellClick(view, this, AButton, AShift, handled);
  if (handled || !cxGridRecordMouseIsEditClick(AButton, AShift) || !IsFocusedCell()) return result || handled;
  TcxCustomGridTableController* controller = view->Controller();
  TcxGridEditingController* editing = controller->EditingController();
  if (item_->Editing()) return true;
  if (view->OptionsBehavior()->ImmediateEditor()) {
    TcxGridViewGuard guard(view);
    controller->SetProcessingCellMouseDown(true);
    TScopeExit unmark([&] {
      if (guard.Alive()) controller->SetProcessingCellMouseDown(false);
    });
    editing->ShowEditByMouse(item_, AShift, AHitTest->Pos.x, AHitTest->Pos.y);
  } else if (wasFocusedCellAtMouseDown_ && !controller->IsDoubleClick()) {
    editing->StartShowTimer(item_);
  }
  return true;
}
