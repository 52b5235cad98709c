// Moving the focus between records and between the items of the focused record.
#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridCustomTableController.h"
#include "cx/grid/cxGridEditingController.h"
#include "platform/rtl/ScopeExit.h"

int cxGridCircularSearch(int AStart, int ACount, bool AGoForward, bool AGoOnCycle, bool& ACycleChanged,
                         const std::function<bool(int)>& ATest) {
  ACycleChanged = false;
  if (ACount <= 0) return -1;
  int candidate;
  if (AStart == -1)
    candidate = AGoForward ? 0 : (AGoOnCycle ? ACount - 1 : -1);
  else
    candidate = AGoForward ? AStart + 1 : AStart - 1;
  // After a wrap the start itself is the last candidate; no index is tested twice.
  for (int tested = 0; tested < ACount; ++tested) {
    if (candidate < 0 || candidate >= ACount) {
      if (!AGoOnCycle || ACycleChanged) return -1;
      candidate = candidate < 0 ? ACount - 1 : 0;
      ACycleChanged = true;
    }
    if (ATest(candidate)) return candidate;
    candidate += AGoForward ? 1 : -1;
  }
  return -1;
}

void TcxCustomGridTableController::FocusRecord(int AIndex) {
  TcxCustomGridTableViewData* data = ViewData();
  if (data->IsRecordIndexValid(AIndex) && !data->Records(AIndex)->CanFocus()) return;
  TcxCustomDataController* dc = DataController();
  const int prevRow = dc->GetFocusedRowIndex();
  dc->ChangeFocusedRowIndex(AIndex);
  if (dc->GetFocusedRowIndex() != AIndex) return;
  if (AIndex == prevRow) MakeFocusedRecordVisible();
  if (FocusedRecord()) GridView()->SetFocused(true);
}

void TcxCustomGridTableController::FocusRecordObject(TcxCustomGridRecord* ARecord) {
  FocusRecord(ARecord ? ARecord->Index() : -1);
}

bool TcxCustomGridTableController::SettlePendingEdit(int& AIndex, bool AGoForward) {
  TcxCustomDataController* dc = DataController();
  const int state = dc->GetEditState();
  if ((state & (dceInsert | dceEdit)) == 0) return false;
  EditingController()->StoreEditorValue();
  if (dc->GetEditState() & dceModified) {
    dc->Post();
    AIndex = dc->GetFocusedRowIndex();
    return false;
  }
  if ((state & dceInsert) && (AGoForward ? !dc->IsEOF() : dc->IsEOF())) {
    dc->Cancel();
    return true;
  }
  return false;
}

int TcxCustomGridTableController::FindNextRecord(int AIndex, bool AGoForward, bool AGoOnCycle, bool& ACycleChanged) {
  TcxCustomDataController* dc = DataController();
  TcxCustomGridTableViewData* data = ViewData();
  if (dc->IsGridMode()) {
    if (AGoForward && AIndex == data->RecordCount() - 1 && !dc->IsEOF()) {
      dc->ScrollBy(1);
      if (!dc->IsEOF()) --AIndex;
    } else if (!AGoForward && AIndex == 0 && !dc->IsBOF()) {
      dc->ScrollBy(-1);
      if (!dc->IsBOF()) ++AIndex;
    }
  }
  return cxGridCircularSearch(AIndex, data->RecordCount(), AGoForward, AGoOnCycle, ACycleChanged,
                              [data](int i) { return data->Records(i)->CanFocus(); });
}

bool TcxCustomGridTableController::FocusNextRecord(int AIndex, bool AGoForward, bool AGoOnCycle, bool) {
  if (SettlePendingEdit(AIndex, AGoForward)) return true;
  TcxCustomGridView* view = GridView();
  view->RegisterReference(&view);
  TScopeExit unregister([&view] {
    if (view) view->UnregisterReference(&view);
  });
  TcxCustomDataController* dc = DataController();
  if (dc->IsGridMode() && AIndex == -1) {
    if (AGoForward)
      dc->GotoFirst();
    else if (AGoOnCycle)
      dc->GotoLast();
  }
  const bool wasFocused = GridView()->IsFocused();
  TcxCustomGridRecord* prevRecord = FocusedRecord();
  const int prevRecordIndex = prevRecord ? prevRecord->RecordIndex() : -1;
  bool cycleChanged = false;
  const int next = FindNextRecord(AIndex, AGoForward, AGoOnCycle, cycleChanged);
  bool result = false;
  if (next != -1) {
    FocusRecord(next);
    result = true;
  } else if (AGoForward && CanAppend()) {
    StartNewRecord(true);
  }
  if (view && GridView()->IsFocused() != wasFocused) {
    if (TcxCustomGridRecord* prev = ViewData()->GetRecordByRecordIndex(prevRecordIndex))
      UnselectFocusedRecordOnExit(prev);
  }
  return result;
}

int TcxCustomGridTableController::FindNextItem(int AFromVisibleIndex, bool AGoForward, bool& ACycleChanged,
                                               bool AGoOnCycle) {
  TcxCustomGridTableView* view = GridView();
  return cxGridCircularSearch(AFromVisibleIndex, view->VisibleItemCount(), AGoForward, AGoOnCycle, ACycleChanged,
                              [view](int i) { return view->VisibleItems(i)->CanFocus(); });
}

bool TcxCustomGridTableController::FocusNextItem(int AFromVisibleIndex, bool AGoForward, bool AGoOnCycle,
                                                 bool AGoToNextRecordOnCycle) {
  bool cycleChanged = false;
  const int next = FindNextItem(AFromVisibleIndex, AGoForward, cycleChanged, AGoOnCycle || AGoToNextRecordOnCycle);
  if (next == -1) return false;
  if (AGoToNextRecordOnCycle && cycleChanged) FocusNextRecord(FocusedRecordIndex(), AGoForward, false, false);
  SetFocusedItem(GridView()->VisibleItems(next));
  return true;
}

bool TcxCustomGridTableController::FocusNextCell(bool AGoForward) {
  TcxCustomGridRecord* record = FocusedRecord();
  if (!record || !record->HasCells() || !GridView()->OptionsSelection()->CellSelect()) return false;
  return FocusNextItem(focusedItem_ ? focusedItem_->VisibleIndex() : -1, AGoForward, false,
                       GridView()->OptionsBehavior()->FocusCellOnCycle());
}

void TcxCustomGridTableController::SetFocusedItem(TcxCustomGridTableItem* AItem) {
  if (AItem && !AItem->CanFocus()) return;
  if (AItem == focusedItem_) {
    MakeFocusedItemVisible();
    return;
  }
  TcxGridEditingController* editing = EditingController();
  if (editing->IsEditing() && editing->EditingItem() != AItem) editing->HideEditor(true);
  TcxCustomGridTableItem* prev = focusedItem_;
  focusedItem_ = AItem;
  FocusedItemChanged(prev);
  EnsureEditorShown();
}

void TcxCustomGridTableController::FocusedItemChanged(TcxCustomGridTableItem* APrevFocusedItem) {
  TcxCustomGridTableView* view = GridView();
  if (view->IsLoading() || view->IsDestroying()) return;
  CancelIncSearching();
  MakeFocusedItemVisible();
  if (TcxCustomGridRecord* record = FocusedRecord()) {
    if (APrevFocusedItem) record->Invalidate(APrevFocusedItem);
    if (focusedItem_) record->Invalidate(focusedItem_);
  }
  if (view->OnFocusedItemChanged) view->OnFocusedItemChanged(view, APrevFocusedItem, focusedItem_);
}
