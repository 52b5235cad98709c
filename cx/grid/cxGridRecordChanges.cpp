#include "cx/grid/cxGridRecordChanges.h"

#include <algorithm>

#include "cx/grid/cxGridCustomTableView.h"
#include "cx/grid/cxGridRows.h"

TRENVIK_IMPLEMENT_CLASS(TcxGridRecordChange)
TRENVIK_IMPLEMENT_CLASS(TcxGridFocusedRecordChange)

// --- TcxGridRecordChange ---

TcxGridRecordChange::TcxGridRecordChange(TcxCustomGridTableView* AGridView, TcxCustomGridTableItem* AItem,
                                         int ARecordIndex, const TObject* ARecord)
    : TcxCustomGridViewChange(AGridView), Item(AItem), RecordIndex(ARecordIndex), Record(ARecord) {}

void TcxGridRecordChange::Execute() {
  auto* view = static_cast<TcxCustomGridTableView*>(GridView);
  if (Item && (!view->HasItem(Item) || !Item->Visible())) return;
  if (!view->IsVisibleOrPattern() || !view->HasSite()) return;
  RECT bounds;
  if (view->GetRecordRepaintBounds(RecordIndex, Item, bounds)) view->Site()->InvalidateRect(bounds, false);
}

bool TcxGridRecordChange::IsCompatibleWith(TcxCustomGridChange* AChange) {
  if (inherited::IsCompatibleWith(AChange)) return true;
  auto* later = dynamic_cast<TcxCustomGridViewChange*>(AChange);
  return later && later->GridView == GridView &&
         (later->InheritsFrom(TcxGridLayoutChange::StaticClass()) ||
          later->InheritsFrom(TcxGridSizeChange::StaticClass()) ||
          later->InheritsFrom(TcxGridDataChange::StaticClass()));
}

bool TcxGridRecordChange::IsEqual(TcxCustomGridChange* AChange) {
  if (!inherited::IsEqual(AChange)) return false;
  auto* other = static_cast<TcxGridRecordChange*>(AChange);
  return other->Record == Record && other->RecordIndex == RecordIndex && other->Item == Item;
}

// --- TcxGridFocusedRecordChange ---

TcxGridFocusedRecordChange::TcxGridFocusedRecordChange(TcxCustomGridTableView* AGridView,
                                                       bool ANewItemRecordFocusingChanged,
                                                       int AFocusedRecordIndex, int APrevFocusedRecordIndex)
    : TcxCustomGridViewChange(AGridView),
      FocusedRecordIndex(AFocusedRecordIndex),
      PrevFocusedRecordIndex(APrevFocusedRecordIndex),
      NewItemRecordFocusingChanged(ANewItemRecordFocusingChanged) {}

void TcxGridFocusedRecordChange::Execute() {
  auto* view = static_cast<TcxCustomGridTableView*>(GridView);
  if (!view->IsVisibleOrPattern()) return;
  TcxCustomGridTableViewData* data = view->ViewData();
  for (int recordIndex : {PrevFocusedRecordIndex, FocusedRecordIndex})
    if (TcxCustomGridRecord* record = data->GetRecordByRecordIndex(recordIndex)) record->Invalidate();
  if (NewItemRecordFocusingChanged)
    if (TcxCustomGridRecord* record = data->NewItemRecord()) record->Invalidate();
}
