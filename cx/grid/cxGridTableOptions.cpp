#include "cx/grid/cxGridTableOptions.h"

#include <algorithm>

#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridCustomTableView.h"
#include "platform/classes/Published.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomGridTableOptionsBehavior)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridTableOptionsCustomize)
TRENVIK_IMPLEMENT_CLASS(TcxCustomGridTableOptionsView)

TRENVIK_PUBLISHED(TcxCustomGridTableOptionsData) {
  using O = TcxCustomGridTableOptionsData;
  P.Property("Appending", &O::Appending, &O::SetAppending).Default(false);
  P.Property("CancelOnExit", &O::CancelOnExit, &O::SetCancelOnExit).Default(true);
  P.Property("Deleting", &O::Deleting, &O::SetDeleting).Default(true);
  P.Property("DeletingConfirmation", &O::DeletingConfirmation, &O::SetDeletingConfirmation).Default(true);
  P.Property("Editing", &O::Editing, &O::SetEditing).Default(true);
  P.Property("Inserting", &O::Inserting, &O::SetInserting).Default(true);
}

TRENVIK_PUBLISHED(TcxCustomGridTableOptionsSelection) {
  using O = TcxCustomGridTableOptionsSelection;
  P.Property("CellSelect", &O::CellSelect, &O::SetCellSelect).Default(true);
  P.Property("HideFocusRect", &O::HideFocusRect, &O::SetHideFocusRect).Default(true);
  P.Property("HideSelection", &O::HideSelection, &O::SetHideSelection).Default(false);
  P.Property("InvertSelect", &O::InvertSelect, &O::SetInvertSelect).Default(true);
  P.Property("MultiSelect", &O::MultiSelect, &O::SetMultiSelect).Default(false);
  P.Property("UnselectFocusedRecordOnExit", &O::UnselectFocusedRecordOnExit,
             &O::SetUnselectFocusedRecordOnExit)
      .Default(true);
}

// --- TcxCustomGridTableOptionsBehavior ---

void TcxCustomGridTableOptionsBehavior::SetFocusCellOnTab(bool Value) {
  focusCellOnTab_ = Value;
  if (Value && GridView()->Grid())
    GridView()->Grid()->SetKeys(GridView()->Grid()->Keys() + TcxWantedKeys{wkTab});
}

void TcxCustomGridTableOptionsBehavior::SetIncSearch(bool Value) {
  if (incSearch_ == Value) return;
  if (!Value) GridView()->DataController()->Search()->Cancel();
  incSearch_ = Value;
}

void TcxCustomGridTableOptionsBehavior::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxCustomGridTableOptionsBehavior*>(Source)) {
    AlwaysShowEditor_ = source->AlwaysShowEditor();
    CellHints_ = source->CellHints();
    dragFocusing_ = source->DragFocusing();
    DragHighlighting_ = source->DragHighlighting();
    DragOpening_ = source->DragOpening();
    DragScrolling_ = source->DragScrolling();
    FocusCellOnCycle_ = source->FocusCellOnCycle();
    SetFocusCellOnTab(source->FocusCellOnTab());
    FocusFirstCellOnNewRecord_ = source->FocusFirstCellOnNewRecord();
    GoToNextCellOnEnter_ = source->GoToNextCellOnEnter();
    ImmediateEditor_ = source->ImmediateEditor();
    SetIncSearch(source->IncSearch());
    incSearchItem_ = source->IncSearchItem();
    PullFocusing_ = source->PullFocusing();
  }
  inherited::Assign(Source);
}

// --- TcxCustomGridTableOptionsCustomize ---

void TcxCustomGridTableOptionsCustomize::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxCustomGridTableOptionsCustomize*>(Source)) {
    ItemGrouping_ = source->ItemGrouping();
    ItemMoving_ = source->ItemMoving();
    ItemSorting_ = source->ItemSorting();
  }
  inherited::Assign(Source);
}

// --- TcxCustomGridTableOptionsData ---

void TcxCustomGridTableOptionsData::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxCustomGridTableOptionsData*>(Source)) {
    SetAppending(source->Appending());
    SetCancelOnExit(source->CancelOnExit());
    SetDeleting(source->Deleting());
    SetDeletingConfirmation(source->DeletingConfirmation());
    SetEditing(source->Editing());
    SetInserting(source->Inserting());
  }
  inherited::Assign(Source);
}

// --- TcxCustomGridTableOptionsSelection ---

bool TcxCustomGridTableOptionsSelection::MultiSelect() const {
  return GridView()->DataController()->MultiSelect();
}

void TcxCustomGridTableOptionsSelection::SetMultiSelect(bool Value) {
  GridView()->DataController()->SetMultiSelect(Value);
}

void TcxCustomGridTableOptionsSelection::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxCustomGridTableOptionsSelection*>(Source)) {
    SetCellSelect(source->CellSelect());
    SetHideFocusRect(source->HideFocusRect());
    SetHideSelection(source->HideSelection());
    SetInvertSelect(source->InvertSelect());
    SetMultiSelect(source->MultiSelect());
    UnselectFocusedRecordOnExit_ = source->UnselectFocusedRecordOnExit();
  }
  inherited::Assign(Source);
}

// --- TcxCustomGridTableOptionsView ---

void TcxCustomGridTableOptionsView::SetSizeOption(bool& AField, bool AValue) {
  if (AField == AValue) return;
  AField = AValue;
  GridView()->SizeChanged(false, false);
}

void TcxCustomGridTableOptionsView::SetCellTextMaxLineCount(int Value) {
  Value = std::max(Value, 0);
  if (cellTextMaxLineCount_ == Value) return;
  cellTextMaxLineCount_ = Value;
  GridView()->SizeChanged(false, false);
}

void TcxCustomGridTableOptionsView::SetShowEditButtons(TcxGridShowEditButtons Value) {
  if (showEditButtons_ == Value) return;
  showEditButtons_ = Value;
  Changed();
}

void TcxCustomGridTableOptionsView::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxCustomGridTableOptionsView*>(Source)) {
    SetCellAutoHeight(source->CellAutoHeight());
    SetCellEndEllipsis(source->CellEndEllipsis());
    SetCellTextMaxLineCount(source->CellTextMaxLineCount());
    SetItemCaptionAutoHeight(source->ItemCaptionAutoHeight());
    SetItemCaptionEndEllipsis(source->ItemCaptionEndEllipsis());
    SetShowEditButtons(source->ShowEditButtons());
  }
  inherited::Assign(Source);
}
