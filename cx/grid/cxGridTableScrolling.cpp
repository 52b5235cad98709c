// The top record: its limits, keeping a record in view and paging.
#include <algorithm>

#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridCustomTableController.h"
#include "platform/rtl/ScopeExit.h"

void TcxCustomGridTableController::SetTopRecordIndex(int Value) {
  CheckTopRecordIndex(Value);
  if (Value == topRecordIndex_) return;
  topRecordIndex_ = Value;
  if (Value != -1) {
    TcxCustomGridTableView* view = GridView();
    // The layout this asks for must not clamp the top again on its way.
    auto* viewInfo = dynamic_cast<TcxCustomGridTableViewInfo*>(view->ViewInfo());
    bool unused = true;
    TValueScope noCheck(viewInfo ? viewInfo->AllowCheckCoordinates : unused, false);
    if (view->HasDetailLevels())
      view->SizeChanged(!view->IsDetail(), false);
    else
      view->LayoutChanged(true);
  }
  DoTopRecordIndexChanged();
}

void TcxCustomGridTableController::DoTopRecordIndexChanged() {
  TcxCustomGridTableView* view = GridView();
  if (view->OnTopRecordIndexChanged) view->OnTopRecordIndexChanged(view);
}

void TcxCustomGridTableController::CheckTopRecordIndex(int& AIndex) {
  if (checkingTopRecordIndex_) return;
  checkingTopRecordIndex_ = true;
  TScopeExit done([this] { checkingTopRecordIndex_ = false; });
  TcxCustomDataController* dc = DataController();
  const bool gridMode = dc->IsGridMode();
  if (AIndex < 0) {
    if (gridMode && !dc->IsBOF()) dc->ScrollBy(AIndex);
    AIndex = 0;
  }
  const int count = ViewData()->RecordCount();
  if (AIndex > count - 1) {
    if (gridMode && !dc->IsEOF()) dc->ScrollBy(AIndex - (count - 1));
    AIndex = count - 1;
  }
  if (AIndex > 0) {
    int limit = count - GetVisibleRecordCount(count - 1, false);
    if (AIndex > limit && gridMode && !dc->IsEOF() && !(dc->GetEditState() & dceInsert)) {
      dc->ScrollBy(AIndex - limit);
      limit = ViewData()->RecordCount() - GetVisibleRecordCount(ViewData()->RecordCount() - 1, false);
    }
    AIndex = std::max(0, std::min(AIndex, limit));
  }
}

int TcxCustomGridTableController::GetVisibleRecordCount(int AFirstIndex, bool ADown) {
  IcxGridRecordsLayout* layout = Layout();
  if (!layout || IsRectEmpty(&ViewInfo()->Bounds)) return 0;
  if (layout->IsEqualHeightRecords()) {
    const int fit = layout->GetEqualHeightRecordCount();
    return ADown ? std::min(ViewData()->RecordCount() - AFirstIndex, fit) : std::min(AFirstIndex + 1, fit);
  }
  return layout->CalculateVisibleRecordCount(AFirstIndex, ADown);
}

bool TcxCustomGridTableController::HasLeadingExtraRow() {
  TcxCustomDataController* dc = DataController();
  return dc->IsGridMode() && !dc->IsBOF();
}

bool TcxCustomGridTableController::HasTrailingExtraRow() {
  TcxCustomDataController* dc = DataController();
  return dc->IsGridMode() && !dc->IsEOF();
}

// A press on a detail's data cell focuses the master records on its way; the master must not
// scroll the pressed cell away meanwhile.
bool TcxCustomGridTableController::IsDetailCellPressing() {
  auto* focused = dynamic_cast<TcxCustomGridTableView*>(Control()->FocusedView());
  return focused && focused->HasAsMaster(GridView()) && focused->Controller()->IsProcessingCellMouseDown();
}

void TcxCustomGridTableController::MakeRecordVisible(TcxCustomGridRecord* ARecord) {
  if (!ARecord || !Control() || IsDetailCellPressing()) return;
  const int index = ARecord->Index();
  if (index < topRecordIndex_) SetTopRecordIndex(index);
  MoveTopToShow(index);
  if (IsProcessingCellMouseDown()) return;
  auto* master = dynamic_cast<TcxCustomGridTableView*>(GridView()->MasterGridView());
  const int masterRow = GridView()->MasterRowIndex();
  if (master && master->ViewData()->IsRecordIndexValid(masterRow))
    master->Controller()->MakeRecordVisible(master->ViewData()->Records(masterRow));
}

// The layout follows a new top record at once only outside an update bracket: inside one it waits
// in the queue and its visible count is stale. The top is computed from the count of records that
// fit up to the record, so the second pass lands where the first did and the loop ends.
void TcxCustomGridTableController::MoveTopToShow(int ARecordIndex) {
  IcxGridRecordsLayout* layout = Layout();
  if (!layout) return;
  if (layout->VisibleRecordCount() == 0) {
    if (topRecordIndex_ < ARecordIndex) SetTopRecordIndex(ARecordIndex);
    return;
  }
  while (ARecordIndex >= topRecordIndex_ + layout->VisibleRecordCount()) {
    const int prevTop = topRecordIndex_;
    SetTopRecordIndex(ARecordIndex - GetVisibleRecordCount(ARecordIndex, false) + 1);
    if (topRecordIndex_ == prevTop) break;
  }
}

void TcxCustomGridTableController::ScrollPageDown() {
  IcxGridRecordsLayout* layout = Layout();
  SetTopRecordIndex(topRecordIndex_ + (layout ? layout->VisibleRecordCount() : 0));
}

void TcxCustomGridTableController::ScrollPageUp() {
  IcxGridRecordsLayout* layout = Layout();
  SetTopRecordIndex(topRecordIndex_ - (layout ? layout->VisibleRecordCount() : 0));
}
