// The control's sorted columns: the priority list, the header-click cycle, the sort lock and the
// rebuild from stored sort orders; and the column's Sorted setter that feeds them.
#include <algorithm>

#include "dx/treelist/dxTLControl.h"

int TCustomdxTreeListControl::IndexOfSortedColumn(const TdxTreeListColumn* Column) const {
  auto it = std::find(sortedColumns_.begin(), sortedColumns_.end(), Column);
  return it == sortedColumns_.end() ? -1 : static_cast<int>(it - sortedColumns_.begin());
}

void TCustomdxTreeListControl::AddSortedColumn(TdxTreeListColumn* Column) {
  if (Column && Column->Sorted() != csNone && IndexOfSortedColumn(Column) < 0) sortedColumns_.push_back(Column);
}

void TCustomdxTreeListControl::RemoveSortedColumn(TdxTreeListColumn* Column) { std::erase(sortedColumns_, Column); }

void TCustomdxTreeListControl::ColumnSorted(TdxTreeListColumn* Column) {
  if (Column->Sorted() != csNone) AddSortedColumn(Column);
}

bool TCustomdxTreeListControl::DoColumnSorting(TdxTreeListColumn* Column) {
  bool allow = true;
  if (OnColumnSorting) OnColumnSorting(this, Column, allow);
  return allow;
}

void TCustomdxTreeListControl::ToggleColumnSort(TdxTreeListColumn* Column) {
  if (!DoColumnSorting(Column)) return;
  if (IsRemoveSortClick())
    Column->SetSorted(csNone);
  else
    Column->SetSorted(Column->Sorted() == csUp ? csDown : csUp);
}

void TCustomdxTreeListControl::DoColumnClick(TdxTreeListColumn* Column) {
  if (OnColumnClick) OnColumnClick(this, Column);
  if (IsAutoSort()) ToggleColumnSort(Column);
}

void TCustomdxTreeListControl::UnlockSorting() {
  if (--sortLock_ == 0) ApplySorting();
}

void TCustomdxTreeListControl::RebuildSortedColumns() {
  for (TdxTreeListColumn* column : columns_) AddSortedColumn(column);
  std::stable_sort(sortedColumns_.begin(), sortedColumns_.end(), [](auto* A, auto* B) {
    return A->StoredSortOrder() < B->StoredSortOrder();
  });
}

void TdxTreeListColumn::SetSorted(TdxTreeListColumnSort Value) {
  if (sorted_ == Value) return;
  if (!treeList_ || treeList_->IsLoading()) {
    SetReportValue(sorted_, Value);
    return;
  }
  if (Value != csNone) {
    TdxTreeListUpdateScope update(treeList_);
    treeList_->PrepareColumnSort(this);
    sorted_ = Value;
    treeList_->ColumnSorted(this);
    Changed(false);
    return;
  }
  treeList_->LockSorting();
  struct TUnlock {
    TCustomdxTreeListControl* treeList;
    ~TUnlock() { treeList->UnlockSorting(); }
  } unlock{treeList_};
  sorted_ = csNone;
  treeList_->RemoveSortedColumn(this);
  Changed(false);
}

bool TdxTreeListColumn::IsSortedOrderStored() const {
  return treeList_ && treeList_->IsMultiSort() && treeList_->GetSortedColumnCount() > 1 && sorted_ != csNone;
}
