// A load-all grid answering a new order of the same records (its dataset sorted again): the nodes
// are put in the dataset's new order by their keys instead of being freed and filled again. Values,
// texts and footers stay what a reload would give, since the stored records did not change; the
// focus and the top row end where a reload leaves them.
#include <algorithm>

#include "dx/dbgrid/dxDBGrid.h"
#include "platform/data/DataSet.h"
#include "platform/rtl/ScopeExit.h"

namespace {

bool IsIntegerKey(const TField* Key) {
  switch (Key->DataType()) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint:
      return true;
    default:
      return false;
  }
}

// Record nodes by their integer keys, each taken once. Keys of a table's identity mostly lie close
// together: then a slot per key in their range, else a sorted list searched by halves.
class TRecordNodesByKey {
 public:
  // False when a node has no key or two nodes share one.
  bool Assign(const std::vector<TdxTreeListNode*>& Nodes) {
    entries_.clear();
    entries_.reserve(Nodes.size());
    for (TdxTreeListNode* node : Nodes) {
      const Variant& key = GridNode(node)->KeyValue;
      if (VarIsEmpty(key) || VarIsNull(key)) return false;
      entries_.emplace_back(key.AsInt64(), node);
    }
    if (entries_.empty()) return true;
    const auto [low, high] = std::minmax_element(entries_.begin(), entries_.end());
    first_ = low->first;
    const UInt64 span = static_cast<UInt64>(high->first) - static_cast<UInt64>(low->first);
    if (span < 4 * static_cast<UInt64>(entries_.size())) {
      slots_.assign(span + 1, nullptr);
      for (const auto& [key, node] : entries_)
        if (std::exchange(slots_[static_cast<size_t>(key - first_)], node)) return false;
      entries_.clear();
      return true;
    }
    std::sort(entries_.begin(), entries_.end());
    return std::adjacent_find(entries_.begin(), entries_.end(), [](const TEntry& A, const TEntry& B) {
             return A.first == B.first;
           }) == entries_.end();
  }
  // The node of Key, nullptr when none or already taken.
  TdxTreeListNode* Take(Int64 Key) {
    if (!slots_.empty()) {
      const UInt64 at = static_cast<UInt64>(Key) - static_cast<UInt64>(first_);
      return at < slots_.size() ? std::exchange(slots_[static_cast<size_t>(at)], nullptr) : nullptr;
    }
    auto found = std::lower_bound(entries_.begin(), entries_.end(), TEntry{Key, nullptr},
                                  [](const TEntry& A, const TEntry& B) { return A.first < B.first; });
    return found != entries_.end() && found->first == Key ? std::exchange(found->second, nullptr) : nullptr;
  }

 private:
  using TEntry = std::pair<Int64, TdxTreeListNode*>;
  std::vector<TEntry> entries_;
  std::vector<TdxTreeListNode*> slots_;
  Int64 first_ = 0;
};

}  // namespace

bool TCustomdxDBGrid::CanRearrangeLoadedNodes() {
  if (!IsLoadAllMode() || !loadedContent_ || !dataLink_->Active()) return false;
  // Nodes sorted by the grid itself stand in its order, not the dataset's.
  if (IsAutoSort() && GetSortedColumnCount() > 0) return false;
  // A reload fires these for the load or for each node; rearranging fires none of them.
  if (OnClearNodeData || OnRefreshNodeData || OnBeforeCalcSummary || OnCalcSummary || OnDeletion) return false;
  for (int i = 0; i < GetColumnCount(); ++i)
    if (GetDBColumn(i)->OnSummaryFooter) return false;
  // A reload lists the selected nodes in the new order; rearranging would keep the old one.
  return GetSelectedCount() == 0 && !InplaceEditor();
}

bool TCustomdxDBGrid::CanReorderLoadedNodes() {
  if (!CanRearrangeLoadedNodes() || !BoundKeyField() || !IsIntegerKey(BoundKeyField())) return false;
  TdxDBGridLoadedContent now = CurrentLoadInputs();
  if (now.ValuesGeneration != loadedContent_->ValuesGeneration) return false;
  now.Generation = loadedContent_->Generation;
  return now == *loadedContent_;
}

bool TCustomdxDBGrid::ReorderLoadedNodes() {
  if (!CanReorderLoadedNodes()) return false;
  if (GroupCount() > 0) return ReorderGroupedNodes();
  std::vector<TdxTreeListNode*> order;
  order.reserve(static_cast<size_t>(GetCount()));
  for (int i = 0; i < GetCount(); ++i) order.push_back(GetItem(i));
  TdxTreeListUpdateScope update(this);
  if (!PutRecordNodesInDataSetOrder(order)) return false;
  ReorderRoots(std::move(order));
  // Where a reload leaves them before the focus follows the current record.
  FocusFirstRoot();
  loadedContent_ = CurrentLoadInputs();
  return true;
}

bool TCustomdxDBGrid::ReadKeysInDataSetOrder(std::vector<Int64>& Keys) {
  TDataSet* ds = GetDataSet();
  TField* keyField = BoundKeyField();
  if (ds->ReadIntegerColumn(keyField, Keys)) return true;
  // A key the dataset does not store (a calculated one) is read record by record.
  // The walk's own announcement when the dataset's controls come back is this change, answered here.
  TValueScope<bool> reordering(reorderingNodes_, true);
  TDisableControlsScope disabled(ds);
  TValueScope<bool> internal(internalChange_, true);
  const TBookmark bookmark = ds->GetBookmark();
  const bool wasBof = ds->Bof(), wasEof = ds->Eof();
  TScopeExit back([&] {
    if (!bookmark.empty() && ds->BookmarkValid(bookmark)) ds->GotoBookmark(bookmark);
    if (wasBof && !ds->Bof()) ds->Prior();
    if (wasEof && !ds->Eof()) ds->Next();
  });
  Keys.clear();
  for (ds->First(); !ds->Eof(); ds->Next()) {
    if (keyField->IsNull()) return false;
    Keys.push_back(keyField->AsLargeInt());
  }
  return true;
}

bool TCustomdxDBGrid::PutRecordNodesInDataSetOrder(std::vector<TdxTreeListNode*>& Records) {
  TRecordNodesByKey nodeOfKey;
  if (!nodeOfKey.Assign(Records)) return false;
  std::vector<Int64> keys;
  if (!ReadKeysInDataSetOrder(keys) || keys.size() != Records.size()) return false;
  // Each key found once and every node placed: the same records, only in another order.
  std::vector<TdxTreeListNode*> order;
  order.reserve(keys.size());
  for (Int64 key : keys) {
    TdxTreeListNode* node = nodeOfKey.Take(key);
    if (!node) return false;
    order.push_back(node);
  }
  for (size_t i = 0; i < order.size(); ++i) GridNode(order[i])->RecordIndex = static_cast<int>(i);
  Records = std::move(order);
  return true;
}

bool TCustomdxDBGrid::UngroupLoadedNodes() {
  if (!groupingChanged_ || GroupCount() > 0 || !CanRearrangeLoadedNodes()) return false;
  // The same records in the same order: only the roots (the groups then) were counted otherwise.
  TdxDBGridLoadedContent now = CurrentLoadInputs();
  now.RootCount = loadedContent_->RootCount;
  if (now != *loadedContent_) return false;
  std::vector<TdxTreeListNode*> records;
  FindNodeInTreeOrder([&](TdxTreeListNode* node) {
    if (!node->HasChildren()) records.push_back(node);
    return false;
  });
  if (records.size() == static_cast<size_t>(GetCount())) return false;
  // Each record row knows its record's place in the dataset, which has not moved since the load.
  std::sort(records.begin(), records.end(), [](TdxTreeListNode* a, TdxTreeListNode* b) {
    return GridNode(a)->RecordIndex < GridNode(b)->RecordIndex;
  });
  {
    TdxTreeListUpdateScope update(this);
    TValueScope<bool> internal(internalChange_, true);
    BindGroupSummaryFields();
    PromoteLeavesToRoots(std::move(records));
    groupingChanged_ = false;
    FocusFirstRoot();
    loadedContent_ = CurrentLoadInputs();
  }
  FocusNodeByKey();
  if (OnReloadGroupList) OnReloadGroupList(this);
  return true;
}
