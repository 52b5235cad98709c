// Which items are shown, which may take the focus or be edited, and the values an item's editor
// reads and writes; the view's controller keeps the focus and the editor.
#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridCustomTableController.h"
#include "cx/grid/cxGridEditingController.h"

// --- Visible items ---

int TcxCustomGridTableView::VisibleItemCount() const {
  return static_cast<int>(std::count_if(items_.begin(), items_.end(), [](auto* item) { return item->Visible(); }));
}

TcxCustomGridTableItem* TcxCustomGridTableView::VisibleItems(int AIndex) const {
  for (TcxCustomGridTableItem* item : items_)
    if (item->Visible() && AIndex-- == 0) return item;
  return nullptr;
}

int TcxCustomGridTableItem::VisibleIndex() const {
  if (!gridView_ || !Visible()) return -1;
  int index = 0;
  for (int i = 0; i < gridView_->ItemCount(); ++i) {
    TcxCustomGridTableItem* item = gridView_->Items(i);
    if (item == this) return index;
    if (item->Visible()) ++index;
  }
  return -1;
}

// --- The view's controller ---

std::unique_ptr<TcxCustomGridController> TcxCustomGridTableView::CreateController() { return CreateTableController(); }

TcxCustomGridTableController* TcxCustomGridTableView::Controller() {
  return static_cast<TcxCustomGridTableController*>(TcxCustomGridView::Controller());
}

bool TcxCustomGridTableView::DoEditing(TcxCustomGridTableItem* AItem) {
  bool allow = true;
  if (OnEditing) OnEditing(this, AItem, allow);
  return allow;
}

void TcxCustomGridTableView::ItemVisibilityChanged(TcxCustomGridTableItem* AItem, bool AVisible) {
  if (HasHandlers() && !IsDestroying()) Controller()->ItemVisibilityChanged(AItem, AVisible);
}

// --- Focus and editing of an item ---

bool TcxCustomGridTableItem::CanFocus() const {
  return gridView_ && Visible() && gridView_->OptionsSelection()->CellSelect() && options_->Focusing();
}

bool TcxCustomGridTableItem::CanEdit() {
  if (!CanFocus() || !gridView_->OptionsData()->Editing() || !options_->Editing()) return false;
  if (!(gridView_->DataController()->GetEditOperations() & dceopItemEdit)) return false;
  IcxGridRecordsLayout* layout = gridView_->Controller()->Layout();
  RECT bounds;
  return layout && layout->GetFocusedCellEditBounds(this, bounds);
}

bool TcxCustomGridTableItem::CanIncSearch() const {
  TcxCustomEditProperties* properties = GetProperties();
  return properties && properties->GetSupportedOperations().Contains(esoIncSearch) &&
         gridView_->OptionsBehavior()->IncSearch() && options_->IncSearch();
}

bool TcxCustomGridTableItem::CanInitEditing() { return gridView_->DataController()->CanInitEditing(Index()); }

bool TcxCustomGridTableItem::Focused() const {
  return gridView_ && gridView_->HasHandlers() && gridView_->Controller()->FocusedItem() == this;
}

void TcxCustomGridTableItem::SetFocused(bool Value) {
  if (!gridView_) return;
  TcxCustomGridTableController* controller = gridView_->Controller();
  if (Value) {
    controller->SetFocusedItem(this);
    return;
  }
  if (!Focused()) return;
  if (!controller->FocusNextItem(VisibleIndex(), true, true, false) || controller->FocusedItem() == this)
    controller->SetFocusedItem(nullptr);
}

bool TcxCustomGridTableItem::Editing() const {
  return gridView_ && gridView_->HasHandlers() && gridView_->Controller()->EditingController()->EditingItem() == this;
}

void TcxCustomGridTableItem::SetEditing(bool Value) {
  if (!gridView_) return;
  TcxGridEditingController* editing = gridView_->Controller()->EditingController();
  if (Value)
    editing->SetActiveItem(this);
  else if (Editing())
    editing->SetActiveItem(nullptr);
}

Variant TcxCustomGridTableItem::GetEditValue() {
  if (!gridView_ || !gridView_->Controller()->FocusedRecord() || !GetProperties()) return Variant();
  return gridView_->DataController()->GetEditValue(Index(), GetProperties()->GetEditValueSource(true));
}

bool TcxCustomGridTableItem::SetEditValue(const Variant& AValue) {
  if (!gridView_ || !GetProperties()) return false;
  return gridView_->DataController()->SetEditValue(Index(), AValue, GetProperties()->GetEditValueSource(true));
}
