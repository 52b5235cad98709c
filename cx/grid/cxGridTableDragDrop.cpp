// Records dragged from a record-based view, and objects dragged over it: scrolling at the edges,
// opening what rests under the object, highlighting and focusing the record under it.
#include "cx/grid/cxGridCustomTableController.h"
#include "cx/grid/cxGridEditingController.h"
#include "cx/grid/cxGridTableHitTests.h"
#include "platform/forms/Timers.h"

TRENVIK_IMPLEMENT_CLASS(TcxGridDragOpenInfoExpand)

namespace {

constexpr Cardinal kDragScrollingInterval = 20;

TcxCustomGridRecord* cxGridDragHitRecord(TcxCustomGridHitTest* AHitTest) {
  auto* recordHit = dynamic_cast<TcxGridRecordHitTest*>(AHitTest);
  return recordHit ? recordHit->GridRecord() : nullptr;
}

}  // namespace

bool TcxGridDragOpenInfoExpand::Equals(TcxCustomGridDragOpenInfo* AInfo) {
  return inherited::Equals(AInfo) && static_cast<TcxGridDragOpenInfoExpand*>(AInfo)->recordIndex_ == recordIndex_ &&
         static_cast<TcxGridDragOpenInfoExpand*>(AInfo)->view_ == view_;
}

void TcxGridDragOpenInfoExpand::Run() {
  TcxCustomGridRecord* record = view_->ViewData()->GetRecordByRecordIndex(recordIndex_);
  if (record && record->Expandable()) record->Expand(false);
}

// --- Dragging records out ---

void TcxCustomGridTableController::BeforeStartDrag() {
  inherited::BeforeStartDrag();
  TcxCustomDataController* dc = DataController();
  if ((dc->GetEditState() & (dceInsert | dceEdit)) == 0) return;
  if (dc->GetEditState() & dceModified)
    dc->Post();
  else
    dc->Cancel();
}

bool TcxCustomGridTableController::CanBeginDrag(int X, int Y) {
  return inherited::CanBeginDrag(X, Y) && cxGridDragHitRecord(ViewInfo()->GetHitTestXY(X, Y)) != nullptr;
}

void TcxCustomGridTableController::StartDrag(TDragObject*& DragObject) {
  inherited::StartDrag(DragObject);
  Site()->SetDragCursor(SelectedRecordCount() < 2 ? crGridDrag : crGridMultiDrag);
}

void TcxCustomGridTableController::EndDrag(TObject* Target, int X, int Y) {
  SetDragHighlightedRecord(nullptr);
  if (TcxCustomGrid* grid = Control()) grid->Controller()->StopDragOpen();
  StopDragScrolling();
  inherited::EndDrag(Target, X, Y);
}

// --- Objects dragged over the view ---

void TcxCustomGridTableController::DragDrop(TObject* Source, int X, int Y) {
  if (GridView()->OptionsBehavior()->DragFocusing() == dfDragDrop)
    if (TcxCustomGridRecord* record = cxGridDragHitRecord(ViewInfo()->GetHitTestXY(X, Y))) FocusRecordObject(record);
  inherited::DragDrop(Source, X, Y);
}

void TcxCustomGridTableController::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  inherited::DragOver(Source, X, Y, State, Accept);
  TcxCustomGridTableOptionsBehavior* options = GridView()->OptionsBehavior();
  const bool leaving = State == dsDragLeave;
  if (options->DragScrolling()) {
    const TcxGridScrollDirection direction = leaving ? gsdNone : GetDragScrollDirection(X, Y);
    if (direction == gsdNone)
      StopDragScrolling();
    else
      StartDragScrolling(direction);
  }
  // The hit test is taken again after scrolling: its instance is shared.
  TcxCustomGridHitTest* hitTest = ViewInfo()->GetHitTestXY(X, Y);
  if (options->DragOpening())
    if (TcxCustomGrid* grid = Control()) {
      std::unique_ptr<TcxCustomGridDragOpenInfo> info = leaving ? nullptr : GetDragOpenInfo(hitTest);
      if (info)
        grid->Controller()->StartDragOpen(std::move(info));
      else
        grid->Controller()->StopDragOpen();
    }
  TcxCustomGridRecord* record = leaving ? nullptr : cxGridDragHitRecord(hitTest);
  if (options->DragHighlighting()) SetDragHighlightedRecord(record);
  if (options->DragFocusing() == dfDragOver && record) FocusRecordObject(record);
}

TcxGridScrollDirection TcxCustomGridTableController::GetDragScrollDirection(int X, int Y) {
  TcxCustomGridRecord* record = cxGridDragHitRecord(ViewInfo()->GetHitTestXY(X, Y));
  IcxGridRecordsLayout* layout = Layout();
  if (!record || !layout) return gsdNone;
  const bool horizontal = IsRecordsScrollHorizontal();
  if (record->Index() == topRecordIndex_) return horizontal ? gsdLeft : gsdUp;
  if (record->Index() >= topRecordIndex_ + layout->VisibleRecordCount() - 1) return horizontal ? gsdRight : gsdDown;
  return gsdNone;
}

std::unique_ptr<TcxCustomGridDragOpenInfo> TcxCustomGridTableController::GetDragOpenInfo(TcxCustomGridHitTest* AHitTest) {
  if (AHitTest->HitTestCode() != htExpandButton) return nullptr;
  TcxCustomGridRecord* record = cxGridDragHitRecord(AHitTest);
  return record ? std::make_unique<TcxGridDragOpenInfoExpand>(GridView(), record->RecordIndex()) : nullptr;
}

TcxCustomGridRecord* TcxCustomGridTableController::DragHighlightedRecord() {
  return ViewData()->IsRecordIndexValid(dragHighlightedRow_) ? ViewData()->Records(dragHighlightedRow_) : nullptr;
}

void TcxCustomGridTableController::SetDragHighlightedRecord(TcxCustomGridRecord* ARecord) {
  const int row = ARecord ? ARecord->Index() : -1;
  if (row == dragHighlightedRow_) return;
  // The old record repaints once it is no longer the highlighted one.
  TcxCustomGridRecord* old = DragHighlightedRecord();
  dragHighlightedRow_ = row;
  if (old) old->Invalidate();
  if (ARecord) ARecord->Invalidate();
}

void TcxCustomGridTableController::StartDragScrolling(TcxGridScrollDirection ADirection) {
  dragScrollDirection_ = ADirection;
  if (dragScrollTimer_) return;
  dragScrollTimer_ = std::make_unique<TTimer>(nullptr);
  dragScrollTimer_->SetInterval(kDragScrollingInterval);
  dragScrollTimer_->OnTimer = [this](TObject* Sender) { DragScrollTimer(Sender); };
}

void TcxCustomGridTableController::StopDragScrolling() {
  dragScrollTimer_.reset();
  dragScrollDirection_ = gsdNone;
}

void TcxCustomGridTableController::DragScrollTimer(TObject*) {
  const bool back = dragScrollDirection_ == gsdUp || dragScrollDirection_ == gsdLeft;
  SetTopRecordIndex(topRecordIndex_ + (back ? -1 : 1));
  Site()->Update();
}
