// The controller info: filters, sorts and groups the records into rows, and keeps focus, expanded
// groups and the selection across rebuilds.
#include <algorithm>

#include "cx/data/cxCustomData.h"
#include "cx/data/cxDataConsts.h"
#include "cx/data/cxDataSort.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomDataControllerInfo)

TcxCustomDataControllerInfo::TcxCustomDataControllerInfo(TcxCustomDataController* ADataController)
    : dataController_(ADataController) {
  groupingFieldList_ = std::make_unique<TcxGroupingFieldList>();
  groupingFieldList_->OnChanged = [this] { changes_ |= dcicGrouping | dcicSorting | dcicSummary; };
  sortingFieldList_ = std::make_unique<TcxSortingFieldList>();
  sortingFieldList_->OnChanged = [this] { changes_ |= dcicSorting; };
  totalSortingFieldList_ = std::make_unique<TcxSortingFieldList>();
  dataGroups_ = std::make_unique<TcxDataGroups>();
  expandingInfos_ = std::make_unique<TcxDataExpandingInfos>();
  focusingInfo_ = std::make_unique<TcxDataFocusingInfo>(this);
  prevFocusingInfo_ = std::make_unique<TcxDataFocusingInfo>(this);
  selection_.reset(ADataController->CreateDataSelection());
  selection_->OnChanged = [this] { SelectionChanged(); };
}

TcxCustomDataControllerInfo::~TcxCustomDataControllerInfo() { selection_->OnChanged = nullptr; }

void TcxCustomDataControllerInfo::EndUpdate() {
  --lockCount_;
  CheckUpdate();
}

void TcxCustomDataControllerInfo::CheckUpdate() {
  if (changes_ != 0 && lockCount_ == 0 && !updating_) Update();
}

void TcxCustomDataControllerInfo::Refresh() {
  changes_ |= dcicLoad | dcicSummary;
  if (sortingFieldList_->Count() > 0) changes_ |= dcicSorting;
  if (groupingFieldList_->Count() > 0) changes_ |= dcicGrouping;
  CheckUpdate();
}

void TcxCustomDataControllerInfo::SyncFocusedRecord() {
  changes_ |= dcicResyncFocused;
  focusingInfo_->SyncFromData();
  CheckUpdate();
}

void TcxCustomDataControllerInfo::SummaryChanged(bool ARedrawOnly) {
  changes_ |= ARedrawOnly ? dcicView : dcicSummary;
  CheckUpdate();
}

void TcxCustomDataControllerInfo::ExpandingChanged() {
  changes_ |= dcicExpanding;
  expandingChanged_ = true;
}

void TcxCustomDataControllerInfo::FocusedRecordChanged(bool AMarkChanged) {
  changes_ |= dcicFocusedRecord;
  if (AMarkChanged) prevFocusingInfo_->Changed = true;
}

void TcxCustomDataControllerInfo::SelectionChanged() {
  changes_ |= dcicSelection;
  if (dataController_->Summary() && dataController_->Summary()->Options().Contains(soSelectedRecords))
    changes_ |= dcicSummary;
}

void TcxCustomDataControllerInfo::RemoveField(TcxCustomDataField* AField) {
  sortingFieldList_->Remove(AField);
  if (groupingFieldList_->IndexOf(AField) >= 0) selection_->Clear();
  groupingFieldList_->Remove(AField);
  groupingFieldList_->SyncSortOrders(sortingFieldList_.get());
  totalSortingFieldList_->Remove(AField);
  expandingInfos_->ClearIfContains(AField);
  CheckUpdate();
}

void TcxCustomDataControllerInfo::FieldChanged(TcxCustomDataField* AField) {
  changes_ |= dcicView;
  sortingFieldList_->NotifyIfContains(AField);
  if (groupingFieldList_->IndexOf(AField) >= 0) {
    selection_->Clear();
    groupingFieldList_->NotifyIfContains(AField);
  }
  expandingInfos_->ClearIfContains(AField);
  CheckUpdate();
}

void TcxCustomDataControllerInfo::ChangeSortOrder(TcxCustomDataField* AField, TcxDataSortOrder AOrder) {
  sortingFieldList_->ChangeSorting(AField, AOrder);
  groupingFieldList_->SyncSortOrders(sortingFieldList_.get());
  CheckUpdate();
}

void TcxCustomDataControllerInfo::ClearSorting(bool AKeepGroupingOrders) {
  if (AKeepGroupingOrders) {
    for (int i = sortingFieldList_->Count() - 1; i >= 0; --i)
      if (groupingFieldList_->IndexOf(sortingFieldList_->GetEntry(i).Field) < 0) sortingFieldList_->Delete(i);
  } else {
    sortingFieldList_->Clear();
    groupingFieldList_->SyncSortOrders(sortingFieldList_.get());
  }
  CheckUpdate();
}

void TcxCustomDataControllerInfo::ChangeExpanding(int ARowIndex, bool AExpanded, bool ARecursive) {
  CheckRowIndex(ARowIndex);
  if (!IsGrouped()) return;
  dataGroups_->ChangeExpanding(ARowIndex, AExpanded, ARecursive);
  ExpandingChanged();
  BeginUpdate();
  try {
    if (!AExpanded) RefocusAfterCollapse();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxCustomDataControllerInfo::ChangeGroupIndex(TcxCustomDataField* AField, int AIndex) {
  groupingFieldList_->ChangeGroupIndex(AField, AIndex);
  groupingFieldList_->SyncSortOrders(sortingFieldList_.get());
  CheckUpdate();
}

int TcxCustomDataControllerInfo::GetRowCount() {
  return IsGrouped() ? dataGroups_->GetRowCount() : GetRecordListCount();
}

int TcxCustomDataControllerInfo::GetRecordListIndex(int ARecordIndex) const {
  auto it = std::find(recordList_.begin(), recordList_.end(), ARecordIndex);
  return it == recordList_.end() ? -1 : static_cast<int>(it - recordList_.begin());
}

std::vector<int> TcxCustomDataControllerInfo::RecordPositions() const {
  std::vector<int> positions(static_cast<size_t>(dataController_->GetRecordCount()), -1);
  for (size_t i = 0; i < recordList_.size(); ++i)
    if (recordList_[i] >= 0 && recordList_[i] < static_cast<int>(positions.size()))
      positions[static_cast<size_t>(recordList_[i])] = static_cast<int>(i);
  return positions;
}

int TcxCustomDataControllerInfo::FindDeepestGroup(int APosition) const {
  // The deepest groups cover the record list in order: the last one starting at or before the
  // position holds it.
  auto it = std::upper_bound(deepest_.begin(), deepest_.end(), APosition, [this](int position, int item) {
    return position < const_cast<TcxDataGroups*>(dataGroups_.get())->GetItem(item)->FirstIndex;
  });
  if (it == deepest_.begin()) return -1;
  return *(it - 1);
}

int TcxCustomDataControllerInfo::GetRecordRow(int AGroupIndex, int APosition, bool AMakeVisible) {
  TcxDataGroupInfo* group = dataGroups_->GetItem(AGroupIndex);
  if (!AMakeVisible && (!dataGroups_->IsVisibleItem(AGroupIndex) || !group->Expanded)) return -1;
  if (AMakeVisible && dataGroups_->MakeVisible(AGroupIndex, true)) ExpandingChanged();
  group = dataGroups_->GetItem(AGroupIndex);
  return group->RowIndex + (APosition - group->FirstIndex) + 1;
}

int TcxCustomDataControllerInfo::GetGroupRowOfRecord(int AGroupIndex, int ALevel) {
  int index = AGroupIndex;
  while (dataGroups_->GetLevel(index) != ALevel) {
    int parent = dataGroups_->GetParentIndex(index);
    if (parent < 0 || dataGroups_->GetItem(parent)->FirstIndex != index) break;
    index = parent;
  }
  if (dataGroups_->MakeVisible(index, false)) ExpandingChanged();
  return dataGroups_->GetItem(index)->RowIndex;
}

int TcxCustomDataControllerInfo::GetRowIndexByRecordIndex(int ARecordIndex, bool AMakeVisible) {
  int position = GetRecordListIndex(ARecordIndex);
  if (position < 0) return -1;
  if (!IsGrouped()) return position;
  int row = GetRecordRow(FindDeepestGroup(position), position, AMakeVisible);
  if (AMakeVisible && expandingChanged_) CheckUpdate();
  return row;
}

int TcxCustomDataControllerInfo::GetGroupFirstRecordListIndex(int AItemIndex) {
  int i = AItemIndex;
  int deepest = dataGroups_->GetLevelCount() - 1;
  while (dataGroups_->GetItem(i)->Level < deepest) i = dataGroups_->GetItem(i)->FirstIndex;
  return dataGroups_->GetItem(i)->FirstIndex;
}

void TcxCustomDataControllerInfo::CheckRowIndex(int ARowIndex) {
  if (ARowIndex < 0 || ARowIndex >= GetRowCount()) cxRaiseDataControllerError(cxSDataRowIndexError);
}

void TcxCustomDataControllerInfo::GetRowInfo(int ARowIndex, TcxRowInfo& AInfo, int& ARecordIndex) {
  CheckRowIndex(ARowIndex);
  if (IsGrouped()) {
    dataGroups_->GetRowInfo(ARowIndex, AInfo);
  } else {
    AInfo = TcxRowInfo();
    AInfo.RecordIndex = ARowIndex;
  }
  ARecordIndex = recordList_.at(static_cast<size_t>(AInfo.RecordIndex));
  AInfo.RecordIndex = ARecordIndex;
}

void TcxCustomDataControllerInfo::ChangeRowSelection(int ARowIndex, bool ASelected) {
  CheckRowIndex(ARowIndex);
  int index;
  bool found = selection_->FindByRowIndex(ARowIndex, index);
  if (found && !ASelected) {
    selection_->Delete(index);
  } else if (!found && ASelected && dataController_->CanSelectRow(ARowIndex)) {
    TcxRowInfo info;
    int record;
    GetRowInfo(ARowIndex, info, record);
    if (info.Level >= dataGroups_->GetLevelCount() || !IsGrouped())
      selection_->Add(index, ARowIndex, info.Level, record);
    else
      selection_->Add(index, ARowIndex, -1, dataGroups_->FindItemIndex(ARowIndex));
  }
  CheckUpdate();
}

void TcxCustomDataControllerInfo::ClearSelection() {
  selection_->Clear();
  CheckUpdate();
}

bool TcxCustomDataControllerInfo::IsRowSelected(int ARowIndex) {
  CheckRowIndex(ARowIndex);
  return selection_->IsRowSelected(ARowIndex);
}

int TcxCustomDataControllerInfo::GetFocusedRecordIndex() {
  int row = focusingInfo_->RowIndex;
  if (row < 0 || row >= GetRowCount()) return -1;
  TcxRowInfo info;
  int record;
  GetRowInfo(row, info, record);
  return record;
}

void TcxCustomDataControllerInfo::ChangeFocusedRowIndex(int ARowIndex) {
  ChangeFocusedRow(ARowIndex, false);
  CheckUpdate();
}

// ---------------------------------------------------------------------------------------------
// The rebuild

void TcxCustomDataControllerInfo::Update() {
  updating_ = true;
  dataController_->PrepareUpdate();
  bool summaryPending = (changes_ & dcicSummary) != 0;
  expandingChanged_ = false;
  ++lockCount_;
  try {
    SaveStates();
    if (changes_ & dcicLoad) {
      LoadRecordList();
      FilterRecords();
    }
    sortKeys_.Clear();
    if (changes_ & (dcicGrouping | dcicSorting)) Sort();
    if (changes_ & dcicGrouping) BuildGroups();
    sortKeys_.Clear();
    RestoreExpanding();
    RestoreFocus();
  } catch (...) {
    --lockCount_;
    sortKeys_.Clear();
    expandingInfos_->Clear();
    updating_ = false;
    NotifyController();
    throw;
  }
  --lockCount_;
  expandingInfos_->Clear();
  if (expandingChanged_) UpdateSelectionRows();
  if (changes_ & dcicSorting) dataController_->SyncSelectionInfo();
  if (summaryPending) CalculateSummary();
  updating_ = false;
  NotifyController();
}

void TcxCustomDataControllerInfo::LoadRecordList() {
  int count = dataController_->GetRecordCount();
  recordList_.resize(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) recordList_[static_cast<size_t>(i)] = i;
}

void TcxCustomDataControllerInfo::FilterRecords() {
  bool incremental = dataController_->IsIncrementalFilterActive();
  bool criteria = dataController_->Filter()->IsFiltering();
  if (!incremental && !criteria) return;
  int editing = dataController_->Provider()->EditingRecordIndex();
  std::vector<bool> keep(recordList_.size(), true);
  bool removed = false;
  for (size_t i = recordList_.size(); i-- > 0;) {
    int record = recordList_[i];
    if (record == editing) continue;
    if ((incremental && !dataController_->IsIncrementalFilterMatch(record)) ||
        (criteria && !dataController_->Filter()->IsRecordSatisfied(record))) {
      keep[i] = false;
      removed = true;
    }
  }
  if (!removed) return;
  size_t j = 0;
  for (size_t i = 0; i < recordList_.size(); ++i)
    if (keep[i]) recordList_[j++] = recordList_[i];
  recordList_.resize(j);
  selection_->Clear();
}

void TcxCustomDataControllerInfo::PrepareSorting() {
  for (int i = 0; i < totalSortingFieldList_->Count(); ++i) {
    TcxCustomDataField* field = totalSortingFieldList_->GetEntry(i).Field;
    field->SortMode = 0;
    field->SortMode = !dataController_->IsValueCompareNeeded(field) ? -1
                      : dataController_->IsSortByDisplayText(field) ? 2
                                                                    : 1;
  }
}

void TcxCustomDataControllerInfo::UnprepareSorting() {
  for (int i = 0; i < totalSortingFieldList_->Count(); ++i)
    totalSortingFieldList_->GetEntry(i).Field->SortMode = 0;
}

int TcxCustomDataControllerInfo::CompareRecords(int ARecordIndex1, int ARecordIndex2) {
  for (int i = 0; i < totalSortingFieldList_->Count(); ++i) {
    int result = dataController_->CompareRecordsByEntry(ARecordIndex1, ARecordIndex2,
                                                        totalSortingFieldList_->GetEntry(i));
    if (result != 0) return result;
  }
  return dataController_->CompareRecordIndexes(ARecordIndex1, ARecordIndex2);
}

void TcxCustomDataControllerInfo::Sort() {
  totalSortingFieldList_->OnChanged = nullptr;
  totalSortingFieldList_->Clear();
  totalSortingFieldList_->AppendMissing(groupingFieldList_.get());
  totalSortingFieldList_->AppendMissing(sortingFieldList_.get());
  if (dataController_->IsGridMode() || recordList_.empty()) return;
  PrepareSorting();
  try {
    sortKeys_.Prepare(dataController_, totalSortingFieldList_.get(), recordList_);
    cxSortRecordList(dataController_, sortKeys_, recordList_,
                     [this](int a, int b) { return CompareRecords(a, b); });
  } catch (...) {
    UnprepareSorting();
    sortKeys_.Clear();
    throw;
  }
  UnprepareSorting();
}

void TcxCustomDataControllerInfo::BuildGroups() {
  dataGroups_->Clear();
  deepest_.clear();
  for (int i = 0; i < groupingFieldList_->Count(); ++i)
    dataGroups_->AddField(groupingFieldList_->GetEntry(i).Field);
  int levels = dataGroups_->GetLevelCount();
  if (recordList_.empty() || levels == 0) return;
  int deepest = levels - 1;
  int topCount = 0;
  std::vector<int> current(static_cast<size_t>(levels)), firstRecord(static_cast<size_t>(levels)),
      firstPosition(static_cast<size_t>(levels));
  bool byPosition = sortKeys_.HasPositionKeys();
  auto newItem = [&](int level, int position) {
    int index = dataGroups_->GetCount();
    TcxDataGroupInfo* item = dataGroups_->AddItem();
    item->RowIndex = topCount;
    item->Level = level;
    item->FirstIndex = level < deepest ? index + 1 : position;
    current[static_cast<size_t>(level)] = index;
    firstRecord[static_cast<size_t>(level)] = recordList_[static_cast<size_t>(position)];
    firstPosition[static_cast<size_t>(level)] = position;
    if (level == deepest) deepest_.push_back(index);
  };
  for (int level = 0; level < levels; ++level) newItem(level, 0);
  int count = static_cast<int>(recordList_.size());
  for (int i = 1; i < count; ++i) {
    int record = recordList_[static_cast<size_t>(i)];
    for (int level = 0; level < levels; ++level) {
      int first = firstRecord[static_cast<size_t>(level)];
      int compared = byPosition
                         ? sortKeys_.ComparePositions(level, firstPosition[static_cast<size_t>(level)], i)
                     : sortKeys_.IsFast(level) ? sortKeys_.Compare(level, first, record)
                                               : dataController_->CompareRecordsByEntry(
                                                     first, record, totalSortingFieldList_->GetEntry(level));
      if (compared == 0) continue;
      if (level == 0) ++topCount;
      for (int k = level; k < levels; ++k) {
        TcxDataGroupInfo* open = dataGroups_->GetItem(current[static_cast<size_t>(k)]);
        open->LastIndex = k < deepest ? dataGroups_->GetCount() - 1 : i - 1;
        newItem(k, i);
      }
      break;
    }
  }
  for (int level = 0; level < levels; ++level)
    dataGroups_->GetItem(current[static_cast<size_t>(level)])->LastIndex =
        level < deepest ? dataGroups_->GetCount() - 1 : count - 1;
  dataGroups_->RenumberRows();
}

template <class F>
void TcxCustomDataControllerInfo::WalkVisibleGroups(bool ASaveCollapsed, F&& AVisit) {
  int threshold = 0;
  for (int i = 0; i < dataGroups_->GetCount(); ++i) {
    TcxDataGroupInfo* item = dataGroups_->GetItem(i);
    if (item->Level > threshold) continue;
    if (item->Expanded) {
      AVisit(i, true);
      threshold = item->Level + 1;
    } else {
      if (ASaveCollapsed) AVisit(i, false);
      threshold = item->Level;
    }
  }
}

void TcxCustomDataControllerInfo::SaveStates() {
  Byte flags = 0;
  if (dataController_->GetOptions().Contains(dcoSaveExpanding)) {
    if (changes_ & (dcicLoad | dcicGrouping)) flags |= dessExpanded;
    if (selection_->GetCount() > 0 && (changes_ & (dcicLoad | dcicGrouping | dcicSorting | dcicExpanding)))
      flags |= dessSelected;
  }
  if (flags == expandingInfos_->SaveStates) return;
  bool mismatch =
      dataGroups_->GetLevelCount() != groupingFieldList_->Count() || dataController_->GetRecordCount() == 0;
  for (int i = 0; !mismatch && i < dataGroups_->GetLevelCount(); ++i)
    mismatch = dataGroups_->GetField(i) != groupingFieldList_->GetEntry(i).Field;
  expandingInfos_->Clear();
  expandingInfos_->SaveStates = flags;
  if (flags == 0 || mismatch) return;
  for (int i = 0; i < dataGroups_->GetLevelCount(); ++i) expandingInfos_->AddField(dataGroups_->GetField(i));
  if (!IsGrouped()) return;
  int recordCount = dataController_->GetRecordCount();
  WalkVisibleGroups((flags & dessSelected) != 0, [&](int index, bool expanded) {
    int position = GetGroupFirstRecordListIndex(index);
    if (position < 0 || position >= GetRecordListCount()) return;
    int record = recordList_[static_cast<size_t>(position)];
    if (record >= recordCount) return;
    Byte state = expanded ? dessExpanded : 0;
    if ((flags & dessSelected) && selection_->FindGroupRow(index) >= 0) state |= dessSelected;
    if (state == 0) return;
    TcxDataGroupInfo* item = dataGroups_->GetItem(index);
    Variant value;
    dataController_->GetComparedValue(record, dataGroups_->GetField(item->Level), value);
    expandingInfos_->Add(item->Level, value, state);
  });
}

int TcxCustomDataControllerInfo::FindGroupPosition(int AValuesRecord, int ALevelCount) {
  if (ALevelCount < 1) ALevelCount = 1;
  int low = 0, high = GetRecordListCount() - 1;
  while (low <= high) {
    int mid = (low + high) / 2;
    int record = recordList_[static_cast<size_t>(mid)];
    int result = 0;
    for (int level = 0; level < ALevelCount && level < totalSortingFieldList_->Count() && result == 0;
         ++level)
      result = dataController_->CompareRecordsByEntry(record, AValuesRecord,
                                                      totalSortingFieldList_->GetEntry(level));
    if (result == 0) return mid;
    if (result < 0)
      low = mid + 1;
    else
      high = mid - 1;
  }
  return -1;
}

void TcxCustomDataControllerInfo::RestoreExpanding() {
  Byte saved = expandingInfos_->SaveStates;
  if (saved == 0) return;
  int levels = dataGroups_->GetLevelCount();
  bool same = expandingInfos_->FieldCount() == levels;
  for (int i = 0; same && i < levels; ++i) same = expandingInfos_->GetField(i) == dataGroups_->GetField(i);
  if (!same) {
    if (saved & dessSelected) selection_->Clear();
    return;
  }
  for (int i = selection_->GetCount() - 1; i >= 0; --i) {
    const TcxDataSelectionEntry& entry = selection_->GetEntry(i);
    if (entry.Level == -1 || entry.Level != levels) selection_->DeleteEntry(i);
  }
  if (IsGrouped()) {
    TcxDataControllerGroupLocateObject locate(dataController_);
    TcxValueDefUnboundReader reader;
    std::vector<int> positions;
    try {
      for (int i = 0; i < expandingInfos_->Count(); ++i) {
        const TcxDataExpandingInfo& info = expandingInfos_->GetItem(i);
        if (info.Level < reader.Count()) reader.Truncate(info.Level);
        TcxValueDef* def = dataGroups_->GetField(info.Level)->GetValueDef();
        if (!def) continue;
        reader.SetValue(def, info.Value);
        locate.SetLevel(info.Level);
        try {
          locate.ReadValues(&reader);
        } catch (const EVariantError&) {
          continue;
        }
        int record = locate.FindRecordIndex();
        if (record < 0) continue;
        if (positions.empty()) positions = RecordPositions();
        int position =
            record < static_cast<int>(positions.size()) ? positions[static_cast<size_t>(record)] : -1;
        if (position < 0) continue;
        int item = FindDeepestGroup(position);
        while (item >= 0 && dataGroups_->GetLevel(item) > info.Level)
          item = dataGroups_->GetParentIndex(item);
        if (item < 0) continue;
        if ((info.State & dessExpanded) && (saved & dessExpanded))
          dataGroups_->GetItem(item)->Expanded = true;
        if (info.State & dessSelected) selection_->AddEntry(-1, -1, -1, item);
      }
    } catch (...) {
      if (saved & dessExpanded) dataGroups_->RenumberRows();
      AdjustSelectionToGroups();
      throw;
    }
    if (saved & dessExpanded) dataGroups_->RenumberRows();
    AdjustSelectionToGroups();
  } else if (saved & dessSelected) {
    AdjustSelectionToList();
  }
}

void TcxCustomDataControllerInfo::AdjustSelectionToGroups() {
  if (selection_->GetCount() == 0) return;
  std::vector<int> positions = RecordPositions();
  std::vector<TcxDataSelectionEntry> kept;
  for (int i = 0; i < selection_->GetCount(); ++i) {
    TcxDataSelectionEntry entry = selection_->GetEntry(i);
    if (entry.Level == -1) {
      entry.RowIndex = dataGroups_->GetItem(entry.RecordIndex)->RowIndex;
      kept.push_back(entry);
      continue;
    }
    int position = entry.RecordIndex >= 0 && entry.RecordIndex < static_cast<int>(positions.size())
                       ? positions[static_cast<size_t>(entry.RecordIndex)]
                       : -1;
    if (position < 0) continue;
    int group = FindDeepestGroup(position);
    // Only records of visible, expanded groups have rows.
    if (group < 0 || !dataGroups_->IsVisibleItem(group) || !dataGroups_->GetItem(group)->Expanded) continue;
    TcxDataGroupInfo* item = dataGroups_->GetItem(group);
    entry.RowIndex = item->RowIndex + position - item->FirstIndex + 1;
    kept.push_back(entry);
  }
  selection_->ClearEntries();
  for (const auto& entry : kept) selection_->AddEntry(-1, entry.RowIndex, entry.Level, entry.RecordIndex);
  selection_->Sort();
}

void TcxCustomDataControllerInfo::AdjustSelectionToList() {
  if (dataController_->IsGridMode()) return;
  std::vector<int> positions = RecordPositions();
  for (int i = 0; i < selection_->GetCount(); ++i) {
    TcxDataSelectionEntry& entry = selection_->GetEntry(i);
    entry.RowIndex = entry.RecordIndex >= 0 && entry.RecordIndex < static_cast<int>(positions.size())
                         ? positions[static_cast<size_t>(entry.RecordIndex)]
                         : -1;
  }
  selection_->Sort();
}

void TcxCustomDataControllerInfo::UpdateSelectionRows() {
  for (int i = 0; i < selection_->GetCount(); ++i) {
    TcxDataSelectionEntry& entry = selection_->GetEntry(i);
    if (entry.Level == -1)
      entry.RowIndex = dataGroups_->GetItem(entry.RecordIndex)->RowIndex;
    else
      entry.RowIndex = GetRowIndexByRecordIndex(entry.RecordIndex, false);
  }
  // Rows of records inside collapsed groups become -1: sorting keeps the halving search valid.
  selection_->Sort();
}

void TcxCustomDataControllerInfo::CorrectSelection() {
  if (selection_->GetCount() == 0) return;
  int count = dataController_->GetRecordCount();
  if (count == 0) {
    selection_->Clear();
    return;
  }
  bool changed = false;
  for (int i = selection_->GetCount() - 1; i >= 0; --i)
    if (selection_->GetEntry(i).RecordIndex >= count) {
      selection_->DeleteEntry(i);
      changed = true;
    }
  if (changed) SelectionChanged();
}

int TcxCustomDataControllerInfo::FindFocusedRow(bool AKeepExpanding) {
  int record = focusingInfo_->RecordIndex;
  if (record < 0) return -1;
  int position = GetRecordListIndex(record);
  if (position < 0) return -1;
  if (!IsGrouped()) return position;
  int groupIndex = FindDeepestGroup(position);
  TcxDataGroupInfo* group = dataGroups_->GetItem(groupIndex);
  int levels = dataGroups_->GetLevelCount();
  bool first = position == group->FirstIndex;
  int level = focusingInfo_->Level;
  if (!AKeepExpanding) {
    if (level != -1 && level != levels && first) return GetGroupRowOfRecord(groupIndex, level);
    if (level == -1 && first) return GetGroupRowOfRecord(groupIndex, -1);
    return GetRecordRow(groupIndex, position, true);
  }
  bool visible = dataGroups_->IsVisibleItem(groupIndex);
  if (level == levels) {
    if (visible && group->Expanded) return group->RowIndex + position - group->FirstIndex + 1;
    --level;
  }
  if (level < 0) return visible ? group->RowIndex : -1;
  for (int i = groupIndex; i >= 0; --i)
    if (dataGroups_->GetLevel(i) == level) return dataGroups_->GetItem(i)->RowIndex;
  return -1;
}

void TcxCustomDataControllerInfo::ChangeFocusedRow(int ARowIndex, bool AForce) {
  int rowCount = GetRowCount();
  if (ARowIndex < -1) ARowIndex = -1;
  if (ARowIndex >= rowCount) ARowIndex = rowCount - 1;
  if (ARowIndex == focusingInfo_->RowIndex) return;
  int oldRow = focusingInfo_->RowIndex;
  focusing_ = true;
  try {
    if (!(changes_ & dcicFocusedRow)) prevFocusingInfo_->Assign(focusingInfo_.get());
    bool accepted = AForce;
    if (!accepted) {
      int record = -1;
      if (ARowIndex >= 0) {
        TcxRowInfo info;
        GetRowInfo(ARowIndex, info, record);
      }
      accepted = dataController_->ChangeFocusedRecord(record);
    }
    if (accepted) {
      dataController_->FocusedRowChanging(ARowIndex);
      focusingInfo_->RowIndex = ARowIndex;
    }
    rowCount = GetRowCount();
    if (prevFocusingInfo_->RowIndex >= rowCount) prevFocusingInfo_->RowIndex = -1;
    if (focusingInfo_->RowIndex >= rowCount) focusingInfo_->RowIndex = -1;
    if (oldRow != -1 || accepted) {
      focusingInfo_->UpdateFromRow();
      if (focusingInfo_->RowIndex >= 0) {
        TcxRowInfo info;
        int record;
        GetRowInfo(focusingInfo_->RowIndex, info, record);
        if (record != focusingInfo_->RecordIndex) {
          int row = FindFocusedRow(false);
          focusingInfo_->RowIndex = row >= GetRowCount() ? -1 : row;
        }
      }
    }
    if (!focusingInfo_->IsEqual(prevFocusingInfo_.get())) {
      changes_ |= dcicFocusedRecord | dcicFocusedRow;
      dataController_->LeaveNewItemRow();
      dataController_->SetFocusedSelected(true);
    }
  } catch (...) {
    focusing_ = false;
    throw;
  }
  focusing_ = false;
}

void TcxCustomDataControllerInfo::RefocusAfterCollapse() {
  int row = FindFocusedRow(true);
  if (row != focusingInfo_->RowIndex) ChangeFocusedRow(row, false);
}

void TcxCustomDataControllerInfo::RestoreFocus() {
  int row = FindFocusedRow(false);
  if (row != focusingInfo_->RowIndex) ChangeFocusedRow(row, true);
  if ((changes_ & dcicFocusedRow) && prevFocusingInfo_->RowIndex >= GetRowCount())
    prevFocusingInfo_->RowIndex = -1;
}

void TcxCustomDataControllerInfo::CalculateSummary() {
  TComponent* owner = dataController_->Owner();
  if (owner &&
      (owner->ComponentState().Contains(csReading) || owner->ComponentState().Contains(csDestroying)))
    return;
  dataController_->Summary()->Calculate();
}

void TcxCustomDataControllerInfo::NotifyController() {
  Word flags = 0;
  if (changes_ & (dcicSorting | dcicView)) flags |= dccLayout;
  if (changes_ & (dcicLoad | dcicGrouping | dcicExpanding)) flags |= dccData;
  if (changes_ & (dcicFocusedRow | dcicFocusedRecord | dcicResyncFocused)) flags |= dccFocus;
  if (changes_ & dcicSelection) flags |= dccSelection;
  if (changes_ & dcicSummary) flags |= dccSummary;
  if (dataController_->SortingChangedMark) flags |= dccSorting;
  if (dataController_->GroupingChangedMark) flags |= dccGrouping;
  changes_ = 0;
  dataController_->GroupingChangedMark = false;
  dataController_->SortingChangedMark = false;
  dataController_->Change(flags);
}
