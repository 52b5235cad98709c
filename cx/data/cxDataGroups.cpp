// Sorting and grouping field lists and the group tree (a pre-ordered array of groups with rows).
#include <algorithm>

#include "cx/data/cxCustomData.h"

TRENVIK_IMPLEMENT_CLASS(TcxSortingFieldList)
TRENVIK_IMPLEMENT_CLASS(TcxGroupingFieldList)
TRENVIK_IMPLEMENT_CLASS(TcxDataGroups)

// ---------------------------------------------------------------------------------------------
// Sorting lists

void TcxSortingFieldList::ChangeSorting(TcxCustomDataField* AField, TcxDataSortOrder AOrder) {
  int index = IndexOf(AField);
  if (index >= 0) {
    if (AOrder == soNone)
      Delete(index);
    else
      SetSortOrder(index, AOrder);
  } else if (AOrder != soNone) {
    Add(AField, AOrder);
  }
}

void TcxSortingFieldList::Add(TcxCustomDataField* AField, TcxDataSortOrder AOrder) {
  entries_.push_back({AField, AOrder});
  Notify();
}

void TcxSortingFieldList::Insert(int AIndex, TcxCustomDataField* AField, TcxDataSortOrder AOrder) {
  entries_.insert(entries_.begin() + AIndex, {AField, AOrder});
  Notify();
}

void TcxSortingFieldList::Delete(int AIndex) {
  entries_.erase(entries_.begin() + AIndex);
  Notify();
}

void TcxSortingFieldList::Remove(TcxCustomDataField* AField) {
  int index = IndexOf(AField);
  if (index >= 0) Delete(index);
}

void TcxSortingFieldList::Move(int ACurIndex, int ANewIndex) {
  if (ACurIndex == ANewIndex) return;
  TcxDataSortingEntry entry = entries_[static_cast<size_t>(ACurIndex)];
  entries_.erase(entries_.begin() + ACurIndex);
  entries_.insert(entries_.begin() + ANewIndex, entry);
  Notify();
}

void TcxSortingFieldList::SetSortOrder(int AIndex, TcxDataSortOrder AOrder) {
  if (entries_[static_cast<size_t>(AIndex)].SortOrder == AOrder) return;
  entries_[static_cast<size_t>(AIndex)].SortOrder = AOrder;
  Notify();
}

void TcxSortingFieldList::Clear() {
  while (!entries_.empty()) Delete(0);
}

int TcxSortingFieldList::IndexOf(TcxCustomDataField* AField) const {
  for (size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].Field == AField) return static_cast<int>(i);
  return -1;
}

TcxDataSortOrder TcxSortingFieldList::GetSortOrder(TcxCustomDataField* AField) const {
  int index = IndexOf(AField);
  return index < 0 ? soNone : entries_[static_cast<size_t>(index)].SortOrder;
}

void TcxSortingFieldList::AppendMissing(const TcxSortingFieldList* AList) {
  for (const auto& entry : AList->entries_)
    if (IndexOf(entry.Field) < 0) Add(entry.Field, entry.SortOrder);
}

void TcxSortingFieldList::NotifyIfContains(TcxCustomDataField* AField) {
  if (IndexOf(AField) >= 0) Notify();
}

void TcxSortingFieldList::ChangeGroupIndex(TcxCustomDataField* AField, int AIndex) {
  int index = IndexOf(AField);
  if (AIndex < 0) {
    if (index >= 0) Delete(index);
  } else if (index < 0) {
    Insert(std::min(AIndex, Count()), AField, soAscending);
  } else {
    Move(index, std::min(AIndex, Count() - 1));
  }
}

void TcxGroupingFieldList::ChangeSorting(TcxCustomDataField* AField, TcxDataSortOrder AOrder) {
  TcxSortingFieldList::ChangeSorting(AField, AOrder == soNone ? soAscending : AOrder);
}

void TcxGroupingFieldList::SyncSortOrders(const TcxSortingFieldList* ASortingList) {
  for (int i = 0; i < Count(); ++i) {
    TcxDataSortOrder order = ASortingList->GetSortOrder(GetEntry(i).Field);
    SetSortOrder(i, order == soNone ? soAscending : order);
  }
}

// ---------------------------------------------------------------------------------------------
// TcxDataGroups

void TcxDataGroups::Clear() {
  fields_.clear();
  items_.clear();
}

int TcxDataGroups::AddField(TcxCustomDataField* AField) {
  fields_.push_back(AField);
  return GetLevelCount() - 1;
}

TcxDataGroupInfo* TcxDataGroups::AddItem() {
  items_.emplace_back();
  return &items_.back();
}

int TcxDataGroups::Find(int ARowIndex, TcxDataGroupInfo*& AItem) {
  AItem = nullptr;
  // The last item whose row is at or before the row (rows never decrease in pre-order).
  int low = 0, high = GetCount() - 1, last = -1;
  while (low <= high) {
    int mid = (low + high) / 2;
    if (items_[static_cast<size_t>(mid)].RowIndex <= ARowIndex) {
      last = mid;
      low = mid + 1;
    } else {
      high = mid - 1;
    }
  }
  if (last < 0) return -1;
  if (items_[static_cast<size_t>(last)].RowIndex == ARowIndex) {
    AItem = GetVisibleItem(ARowIndex, last);
    return last;
  }
  AItem = &items_[static_cast<size_t>(last)];
  return -1;
}

TcxDataGroupInfo* TcxDataGroups::GetVisibleItem(int ARowIndex, int& AIndex) {
  // Items that share a row are a visible group and its hidden descendants: the visible one is the
  // shallowest of them.
  int best = AIndex;
  for (int i = AIndex; i >= 0 && items_[static_cast<size_t>(i)].RowIndex == ARowIndex; --i) {
    if (items_[static_cast<size_t>(i)].Level <= items_[static_cast<size_t>(best)].Level) best = i;
    if (items_[static_cast<size_t>(i)].Level == 0) break;
  }
  AIndex = best;
  return &items_[static_cast<size_t>(best)];
}

bool TcxDataGroups::IsVisibleItem(int AIndex) {
  int index = AIndex;
  GetVisibleItem(items_[static_cast<size_t>(AIndex)].RowIndex, index);
  return index == AIndex;
}

void TcxDataGroups::GetRowInfo(int ARowIndex, TcxRowInfo& AInfo) {
  AInfo = TcxRowInfo();
  TcxDataGroupInfo* item;
  int index = Find(ARowIndex, item);
  if (index >= 0) {
    AInfo.Expanded = item->Expanded;
    AInfo.Level = item->Level;
    int i = index;
    while (items_[static_cast<size_t>(i)].Level < GetLevelCount() - 1)
      i = items_[static_cast<size_t>(i)].FirstIndex;
    AInfo.RecordIndex = items_[static_cast<size_t>(i)].FirstIndex;
  } else if (item) {
    AInfo.Level = GetLevelCount();
    AInfo.RecordIndex = ARowIndex + item->FirstIndex - item->RowIndex - 1;
  }
}

int TcxDataGroups::GetRowCount() {
  if (items_.empty()) return 0;
  int index = GetCount() - 1;
  TcxDataGroupInfo* visible = GetVisibleItem(items_.back().RowIndex, index);
  int count = items_.back().RowIndex + 1;
  if (visible->Expanded && visible->Level == GetLevelCount() - 1)
    count += visible->LastIndex - visible->FirstIndex + 1;
  return count;
}

void TcxDataGroups::ChangeExpanding(int ARowIndex, bool AExpanded, bool ARecursive) {
  TcxDataGroupInfo* item;
  int index = Find(ARowIndex, item);
  if (index < 0) return;
  item->Expanded = AExpanded;
  if (ARecursive && item->Level < GetLevelCount() - 1)
    for (int i = index + 1; i < GetCount() && items_[static_cast<size_t>(i)].Level > item->Level; ++i)
      items_[static_cast<size_t>(i)].Expanded = AExpanded;
  RenumberRows();
}

int TcxDataGroups::GetParentIndex(int AIndex) const {
  int level = items_[static_cast<size_t>(AIndex)].Level;
  for (int i = AIndex - 1; i >= 0; --i)
    if (items_[static_cast<size_t>(i)].Level < level) return i;
  return -1;
}

bool TcxDataGroups::MakeVisible(int AIndex, bool AExpandSelf) {
  bool changed = false;
  if (AExpandSelf && !items_[static_cast<size_t>(AIndex)].Expanded) {
    items_[static_cast<size_t>(AIndex)].Expanded = true;
    changed = true;
  }
  for (int i = GetParentIndex(AIndex); i >= 0; i = GetParentIndex(i)) {
    if (!items_[static_cast<size_t>(i)].Expanded) {
      items_[static_cast<size_t>(i)].Expanded = true;
      changed = true;
    }
  }
  if (changed) RenumberRows();
  return changed;
}

int TcxDataGroups::GetTopLevelCount() const {
  return static_cast<int>(
      std::count_if(items_.begin(), items_.end(), [](const auto& i) { return i.Level == 0; }));
}

int TcxDataGroups::GetTopLevelItemIndex(int AIndex) const {
  if (AIndex < 0) return -1;
  int n = 0;
  for (int i = 0; i < GetCount(); ++i)
    if (items_[static_cast<size_t>(i)].Level == 0 && n++ == AIndex) return i;
  return -1;
}

int TcxDataGroups::GetChildCount(int AIndex) const {
  if (AIndex == -1) return GetTopLevelCount();
  if (AIndex < 0 || AIndex >= GetCount()) return 0;
  const TcxDataGroupInfo& item = items_[static_cast<size_t>(AIndex)];
  if (item.Level == GetLevelCount() - 1) return item.LastIndex - item.FirstIndex + 1;
  int count = 0;
  for (int i = item.FirstIndex; i <= item.LastIndex; ++i)
    if (items_[static_cast<size_t>(i)].Level == item.Level + 1) ++count;
  return count;
}

int TcxDataGroups::GetChildIndex(int AIndex, int AChild) const {
  if (AIndex == -1) return GetTopLevelItemIndex(AChild);
  if (AIndex < 0 || AIndex >= GetCount() || AChild < 0) return -1;
  const TcxDataGroupInfo& item = items_[static_cast<size_t>(AIndex)];
  if (item.Level == GetLevelCount() - 1) return -1;
  int n = 0;
  for (int i = item.FirstIndex; i <= item.LastIndex; ++i)
    if (items_[static_cast<size_t>(i)].Level == item.Level + 1 && n++ == AChild) return i;
  return -1;
}

int TcxDataGroups::GetChildRecordListIndex(int AIndex, int AChild) const {
  if (AIndex < 0 || AIndex >= GetCount()) return -1;
  const TcxDataGroupInfo& item = items_[static_cast<size_t>(AIndex)];
  if (item.Level != GetLevelCount() - 1 || AChild < 0 || AChild > item.LastIndex - item.FirstIndex) return -1;
  return item.FirstIndex + AChild;
}

int TcxDataGroups::FindItemIndex(int ARowIndex) {
  TcxDataGroupInfo* item;
  int index = Find(ARowIndex, item);
  if (index >= 0 || !item) return index;
  return static_cast<int>(item - items_.data());
}

int TcxDataGroups::GetItemIndexByRowIndex(int ARowIndex, int ALevel) {
  int index = FindItemIndex(ARowIndex);
  if (index < 0 || ALevel == -1) return index;
  int level = items_[static_cast<size_t>(index)].Level;
  if (level < ALevel) {
    for (int i = index; i < GetCount(); ++i)
      if (items_[static_cast<size_t>(i)].Level == ALevel) return i;
  } else {
    for (int i = index; i >= 0; --i)
      if (items_[static_cast<size_t>(i)].Level == ALevel) return i;
  }
  return -1;
}

int TcxDataGroups::GetLevel(int AIndex) const {
  if (AIndex < 0 || AIndex >= GetCount()) return -1;
  return items_[static_cast<size_t>(AIndex)].Level;
}

int TcxDataGroups::FindGroupByRecordListIndex(int APosition, int ALevel) const {
  int remembered = -1;
  int deepest = GetLevelCount() - 1;
  for (int i = 0; i < GetCount(); ++i) {
    const TcxDataGroupInfo& item = items_[static_cast<size_t>(i)];
    if (item.Level == ALevel) remembered = i;
    if (item.Level == deepest && item.FirstIndex <= APosition && APosition <= item.LastIndex)
      return remembered;
  }
  return -1;
}

void TcxDataGroups::RenumberRows() {
  int levels = GetLevelCount();
  std::vector<int> rowAt(static_cast<size_t>(levels), 0);
  std::vector<bool> openAt(static_cast<size_t>(levels), false);
  int counter = 0;
  for (auto& item : items_) {
    int level = item.Level;
    bool visible = level == 0 || openAt[static_cast<size_t>(level - 1)];
    if (visible) {
      item.RowIndex = counter++;
      if (item.Expanded && level == levels - 1) counter += item.LastIndex - item.FirstIndex + 1;
    } else {
      // Hidden inside a collapsed group: the row of the closest visible ancestor.
      item.RowIndex = rowAt[static_cast<size_t>(level - 1)];
    }
    rowAt[static_cast<size_t>(level)] = item.RowIndex;
    openAt[static_cast<size_t>(level)] = visible && item.Expanded;
  }
}
