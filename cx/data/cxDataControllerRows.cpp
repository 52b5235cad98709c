// Rows, focus, selection, navigation, sorting by items and the incremental filter.
#include <algorithm>

#include "cx/data/cxCustomData.h"
#include "cx/data/cxDataConsts.h"
#include "cx/data/cxDataUtils.h"

TcxRowInfo TcxCustomDataController::GetRowInfo(int ARowIndex) {
  TcxRowInfo info;
  int record;
  info_->GetRowInfo(ARowIndex, info, record);
  return info;
}

int TcxCustomDataController::GetRowRecordIndex(int ARowIndex) { return GetRowInfo(ARowIndex).RecordIndex; }

int TcxCustomDataController::GetRowIndexByRecordIndex(int ARecordIndex, bool AMakeVisible) {
  CheckRecordIndex(ARecordIndex);
  return info_->GetRowIndexByRecordIndex(ARecordIndex, AMakeVisible);
}

void TcxCustomDataController::GetRowDisplayText(const TcxRowInfo& ARowInfo, int AItemIndex, String& AText) {
  int groupingCount = info_->GroupingFieldList()->Count();
  if (ARowInfo.RecordIndex != newItemRecordIndex_ && ARowInfo.Level < groupingCount)
    AItemIndex = GetItemFieldIndex(info_->GroupingFieldList()->GetEntry(ARowInfo.Level).Field);
  GetDisplayText(ARowInfo.RecordIndex, AItemIndex, AText);
}

void TcxCustomDataController::GetRowValue(const TcxRowInfo& ARowInfo, int AItemIndex, Variant& AValue) {
  int groupingCount = info_->GroupingFieldList()->Count();
  if (ARowInfo.RecordIndex != newItemRecordIndex_ && ARowInfo.Level < groupingCount)
    AItemIndex = GetItemFieldIndex(info_->GroupingFieldList()->GetEntry(ARowInfo.Level).Field);
  GetValue(ARowInfo.RecordIndex, AItemIndex, AValue);
}

void TcxCustomDataController::ForEachRow(bool ASelectedOnly, const TcxForEachRowProc& AProc, void* AData) {
  if (ASelectedOnly) {
    for (int i = 0; i < GetSelectedCount(); ++i) {
      int row = GetSelectedRowIndex(i);
      AProc(AData, row, GetRowInfo(row));
    }
  } else {
    for (int row = 0; row < GetRowCount(); ++row) AProc(AData, row, GetRowInfo(row));
  }
}

int TcxCustomDataController::GetLastRowRecordIndex() {
  int count = GetRowCount();
  return count == 0 ? -1 : GetRowRecordIndex(count - 1);
}

bool TcxCustomDataController::ChangeFocusedRowIndex(int ARowIndex) {
  if (provider_->IsSyncMode() && !provider_->InsertSynchronising && ARowIndex != GetFocusedRowIndex() &&
      !CanChangeFocus())
    return false;
  info_->ChangeFocusedRowIndex(ARowIndex);
  return true;
}

void TcxCustomDataController::ChangeFocusedRecordIndex(int ARecordIndex) {
  ChangeFocusedRowIndex(ARecordIndex == -1 ? -1 : GetRowIndexByRecordIndex(ARecordIndex, true));
}

void TcxCustomDataController::GotoFirst() {
  if (IsGridMode())
    provider_->First();
  else
    ChangeFocusedRowIndex(0);
}

void TcxCustomDataController::GotoLast() {
  if (IsGridMode())
    provider_->Last();
  else
    ChangeFocusedRowIndex(GetRowCount() - 1);
}

void TcxCustomDataController::GotoNext() {
  if (IsGridMode())
    provider_->Next();
  else
    ChangeFocusedRowIndex(GetFocusedRowIndex() + 1);
}

void TcxCustomDataController::GotoPrev() {
  if (IsGridMode())
    provider_->Prior();
  else
    ChangeFocusedRowIndex(std::max(GetFocusedRowIndex() - 1, 0));
}

void TcxCustomDataController::MoveBy(int ADistance) {
  if (IsGridMode())
    provider_->MoveBy(ADistance);
  else
    ChangeFocusedRowIndex(GetFocusedRowIndex() + ADistance);
}

void TcxCustomDataController::ScrollBy(int ADistance) {
  if (IsGridMode()) provider_->ScrollBuffer(ADistance);
}

bool TcxCustomDataController::IsBOF() {
  return IsGridMode() ? provider_->IsBOF() : GetFocusedRowIndex() == 0;
}

bool TcxCustomDataController::IsEOF() {
  return IsGridMode() ? provider_->IsEOF() : GetRowCount() == GetFocusedRowIndex() + 1;
}

void TcxCustomDataController::FocusAfterDelete() {
  if (GetFocusedRecordIndex() >= 0) return;
  int last = GetLastRowRecordIndex();
  if (last >= 0) ChangeFocusedRecordIndex(last);
}

void TcxCustomDataController::SetNewItemRowEnabled(bool AValue) {
  if (newItemRowEnabled_ == AValue) return;
  Cancel();
  ClearSelection();
  newItemRowEnabled_ = AValue;
  Change(dccData);
}

void TcxCustomDataController::SetNewItemRowFocused(bool AValue) {
  if (newItemRowFocused_ == AValue) return;
  cxInUpdate(this, [&] {
    if (AValue)
      ChangeFocusedRowIndex(-1);
    else if (!(owner_ && owner_->ComponentState().Contains(csDestroying)))
      Post();
    info_->FocusedRecordChanged(true);
    newItemRowFocused_ = AValue;
  });
}

bool TcxCustomDataController::IsNewItemRowActive() {
  return newItemRowFocused_ && newItemRowEnabled_ && GetFocusedRowIndex() == -1;
}

void TcxCustomDataController::LeaveNewItemRow() {
  if (!newItemRowFocused_) return;
  info_->PrevFocusingInfo()->Changed = true;
  SetNewItemRowFocused(false);
}

void TcxCustomDataController::SetMultiSelect(bool AValue) {
  if (multiSelect_ == AValue) return;
  multiSelect_ = AValue;
  focusedRowSelected_ = true;
  if (!AValue) ClearSelection();
}

int TcxCustomDataController::GetSelectedCount() {
  if (multiSelect_) return info_->GetSelectedCount();
  return focusedRowSelected_ && GetFocusedRowIndex() >= 0 ? 1 : 0;
}

int TcxCustomDataController::GetSelectedRowIndex(int AIndex) {
  if (multiSelect_) return info_->GetSelectedRowIndex(AIndex);
  return AIndex == 0 && focusedRowSelected_ ? GetFocusedRowIndex() : -1;
}

bool TcxCustomDataController::IsRowSelected(int ARowIndex) {
  if (multiSelect_) return info_->IsRowSelected(ARowIndex);
  return focusedRowSelected_ && ARowIndex == GetFocusedRowIndex();
}

void TcxCustomDataController::ChangeRowSelection(int ARowIndex, bool ASelected) {
  if (multiSelect_) info_->ChangeRowSelection(ARowIndex, ASelected);
}

void TcxCustomDataController::SelectRows(int AFrom, int ATo) {
  if (!multiSelect_) return;
  if (AFrom > ATo) std::swap(AFrom, ATo);
  cxInUpdate(this, [&] {
    for (int row = AFrom; row <= ATo; ++row) ChangeRowSelection(row, true);
  });
}

void TcxCustomDataController::SelectAll() { SelectRows(0, GetRowCount() - 1); }

void TcxCustomDataController::SetSelectionAnchor(int ARowIndex) {
  info_->CheckRowIndex(ARowIndex);
  info_->Selection()->AnchorRowIndex = ARowIndex;
}

void TcxCustomDataController::SelectFromAnchor(int ARowIndex, bool AKeepSelection) {
  if (!IsSelectionAnchorExist()) return;
  cxInUpdate(this, [&] {
    if (!AKeepSelection) ClearSelection();
    SelectRows(GetSelectionAnchorRowIndex(), ARowIndex);
  });
}

void TcxCustomDataController::ResetSelectionToFocused() {
  cxInUpdate(this, [&] {
    ClearSelection();
    int focused = GetFocusedRowIndex();
    if (focused >= 0) SelectRows(focused, focused);
  });
}

void TcxCustomDataController::SyncSelectionToFocus() {
  if (!multiSelect_) return;
  cxInUpdate(this, [&] {
    ClearSelection();
    int focused = GetFocusedRowIndex();
    if (focused >= 0) ChangeRowSelection(focused, true);
  });
}

void TcxCustomDataController::SetFocusedSelected(bool AValue) {
  if (!IsSingleSelect() || focusedRowSelected_ == AValue) return;
  focusedRowSelected_ = AValue;
  if (GetFocusedRowIndex() >= 0) {
    lastSelectedCount_ = 1;
    lastSingleSelectedRow_ = GetFocusedRowIndex();
  }
  Change(dccSelection);
}

void TcxCustomDataController::SyncSelectionInfo() {
  if (lastSelectedCount_ != 1) return;
  lastSelectedCount_ = GetSelectedCount();
  lastSingleSelectedRow_ = lastSelectedCount_ == 1 ? GetSelectedRowIndex(0) : -1;
}

void TcxCustomDataController::ChangeSorting(int AItemIndex, TcxDataSortOrder AOrder) {
  CheckItemIndex(AItemIndex);
  TcxCustomDataField* field = GetItemField(AItemIndex);
  if (info_->SortingFieldList()->GetSortOrder(field) == AOrder) return;
  SortingChangedMark = true;
  info_->ChangeSortOrder(field, AOrder);
}

TcxDataSortOrder TcxCustomDataController::GetItemSortOrder(int AItemIndex) {
  CheckItemIndex(AItemIndex);
  return info_->TotalSortingFieldList()->GetSortOrder(GetItemField(AItemIndex));
}

int TcxCustomDataController::SetIncrementalFilter(int AItemIndex, const String& AText) {
  CheckItemIndex(AItemIndex);
  incrementalFilterField_ = GetItemField(AItemIndex);
  incrementalFilterText_ = AText;
  Refresh();
  return GetFilteredRecordCount() > 0 ? GetRecordListItem(0) : -1;
}

void TcxCustomDataController::ResetIncrementalFilter() {
  if (!IsIncrementalFilterActive()) {
    incrementalFilterField_ = nullptr;
    return;
  }
  incrementalFilterField_ = nullptr;
  incrementalFilterText_.clear();
  if (!destroying_) Refresh();
}

bool TcxCustomDataController::RefreshIncrementalFilter(const String& AText) {
  if (!incrementalFilterField_ || incrementalFilterText_ == AText) return false;
  SetIncrementalFilter(GetItemFieldIndex(incrementalFilterField_), AText);
  return true;
}

bool TcxCustomDataController::IsIncrementalFilterActive() {
  return incrementalFilterField_ != nullptr && !incrementalFilterText_.empty();
}

int TcxCustomDataController::FindRecordIndexByText(int AStartIndex, int AItemIndex, bool AForward, bool AWrap,
                                                   bool APartial, const String& AText) {
  CheckItemIndex(AItemIndex);
  int count = GetFilteredRecordCount();
  if (AStartIndex < 0 || AStartIndex >= count) return -1;
  auto matches = [&](int position) {
    String text;
    GetDisplayText(GetRecordListItem(position), AItemIndex, text);
    return cxTextStartsWith(text, AText, APartial);
  };
  if (AForward) {
    for (int i = AStartIndex; i < count; ++i)
      if (matches(i)) return GetRecordListItem(i);
    if (AStartIndex > 0 && AWrap)
      for (int i = 0; i < AStartIndex; ++i)
        if (matches(i)) return GetRecordListItem(i);
  } else {
    for (int i = AStartIndex; i >= 0; --i)
      if (matches(i)) return GetRecordListItem(i);
    // The wrap runs whenever positions remain after the start, also from position 0.
    if (AStartIndex < count - 1 && AWrap)
      for (int i = count - 1; i > AStartIndex; --i)
        if (matches(i)) return GetRecordListItem(i);
  }
  return -1;
}
