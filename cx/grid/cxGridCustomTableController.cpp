// The record controller's life, focus of the site, painting hooks and what the view tells it.
#include "cx/grid/cxGridCustomTableController.h"

#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridEditingController.h"
#include "platform/forms/Timers.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomGridTableController)

TcxCustomGridTableController::TcxCustomGridTableController(TcxCustomGridView* AGridView)
    : TcxCustomGridController(AGridView), editingController_(std::make_unique<TcxGridEditingController>(this)) {}

TcxCustomGridTableController::~TcxCustomGridTableController() { editingController_.reset(); }

IcxGridRecordsLayout* TcxCustomGridTableController::Layout() const {
  return dynamic_cast<IcxGridRecordsLayout*>(GridView()->ViewInfo());
}

bool TcxCustomGridTableController::IsEditing() const { return editingController_->IsEditing(); }

TcxCustomGridTableItem* TcxCustomGridTableController::GetEditingItem() { return editingController_->EditingItem(); }

TcxCustomGridRecord* TcxCustomGridTableController::GetFocusedRecord() {
  return ViewData()->GetRecordByIndex(DataController()->GetFocusedRowIndex());
}

void TcxCustomGridTableController::EnsureEditorShown() {
  editorShowPending_ = false;
  if (allowEditorShow_ && GridView()->OptionsBehavior()->AlwaysShowEditor()) editingController_->ShowEditAndActivate();
}

// The editor follows its cell: scrolling and sizing move the cell between paints.
void TcxCustomGridTableController::LayoutCalculated() {
  editingController_->UpdateEditorAfterLayout();
  editorShowPending_ = true;
}

void TcxCustomGridTableController::BeforePaint() {
  inherited::BeforePaint();
  if (!editingController_->IsEditing()) return;
  editingController_->UpdateEditorAfterLayout();
  editingController_->PlaceEditor();
}

void TcxCustomGridTableController::AfterPaint() {
  inherited::AfterPaint();
  if (editorShowPending_) EnsureEditorShown();
}

void TcxCustomGridTableController::DoExit() {
  TcxCustomDataController* dc = DataController();
  if (CancelOnExitNeeded())
    dc->Cancel();
  else
    dc->UpdateData();
  inherited::DoExit();
}

void TcxCustomGridTableController::FocusLost() {
  editingController_->HideEditor(!GridView()->IsDestroying());
  inherited::FocusLost();
  UnselectFocusedRecordOnExit(FocusedRecord());
  InvalidateFocusedRecord();
}

void TcxCustomGridTableController::FocusGained() {
  if (!editingController_->CanHideEditOnFocusGained()) return;
  inherited::FocusGained();
  InvalidateFocusedRecord();
  editorShowPending_ = true;
}

void TcxCustomGridTableController::ControlFocusChanged() {
  inherited::ControlFocusChanged();
  InvalidateSelection();
}

void TcxCustomGridTableController::CancelMode() {
  inherited::CancelMode();
  StopPullFocusing();
  ClearMouseDownSelection();
}

void TcxCustomGridTableController::BeginDragAndDrop() {
  editingController_->HideEditor(true);
  inherited::BeginDragAndDrop();
}

void TcxCustomGridTableController::EndDragAndDrop(bool Accepted) {
  inherited::EndDragAndDrop(Accepted);
  EnsureEditorShown();
}

// What the data controller's focused-record notification asks of the controller, before the
// record repaints: the editor closes or follows the new record.
void TcxCustomGridTableController::FocusedRecordChanged() {
  if (editingController_->IsEditing() && editingController_->MustHideEditOnRecordChange())
    editingController_->HideEditor(true);
  EnsureEditorShown();
  editingController_->LoadEditorValue();
}

void TcxCustomGridTableController::ItemVisibilityChanged(TcxCustomGridTableItem* AItem, bool AVisible) {
  if (AVisible) {
    if (!focusedItem_) SetFocusedItem(AItem);
    return;
  }
  if (IncSearchingItem() == AItem) CancelIncSearching();
  if (AItem == focusedItem_) AItem->SetFocused(false);
}

void TcxCustomGridTableController::ItemRemoved(TcxCustomGridTableItem* AItem) {
  if (editingController_->EditingItem() == AItem) editingController_->SetActiveItem(nullptr);
  if (IncSearchingItem() == AItem) CancelIncSearching();
  if (focusedItem_ == AItem) focusedItem_ = nullptr;
}
