// A load-all grid answering a new order of the same records (its dataset sorted again): the nodes
// are put in the dataset's new order by their keys instead of being freed and filled again. Values,
// texts and footers stay what a reload would give, since the stored records did not change; the
// focus and the top row end where a reload leaves them.
#include <algorithm>
#include <unordered_map>
#include <utility>
#include <vector>

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

// Nodes met in a scattered order are fetched this many places ahead, so a walk does not wait on
// memory once a node.
constexpr size_t kPrefetchAhead = 16;

// The loaded nodes by their integer keys, each taken once. Keys are mostly a table's counter, dense
// over their range: an array indexed by the key then serves instead of hashing a million of them,
// whose scattered look-ups were most of a header click.
class TGridNodesByKey {
 public:
  // False when a key is missing or repeated: the order cannot be told by keys then.
  bool Fill(const std::vector<TdxTreeListNode*>& Nodes) {
    const size_t count = Nodes.size();
    keys_.reserve(count);
    for (size_t i = 0; i < count; ++i) {
      const Variant& key = GridNode(Nodes[i])->KeyValue;
      if (VarIsEmpty(key) || VarIsNull(key)) return false;
      keys_.push_back(key.AsInt64());
    }
    if (count == 0) return true;
    const auto [low, high] = std::minmax_element(keys_.begin(), keys_.end());
    low_ = *low;
    const UInt64 span = static_cast<UInt64>(*high) - static_cast<UInt64>(*low);
    if (span < 2 * count + 1024) {
      dense_.assign(span + 1, nullptr);
      for (size_t i = 0; i < count; ++i) {
        TdxTreeListNode*& place = dense_[static_cast<size_t>(keys_[i] - low_)];
        if (place) return false;
        place = Nodes[i];
      }
    } else {
      sparse_.reserve(count);
      for (size_t i = 0; i < count; ++i)
        if (!sparse_.emplace(keys_[i], Nodes[i]).second) return false;
    }
    keys_ = {};
    return true;
  }
  // The nodes of Keys in their order, each once; empty when a key is repeated or was never loaded.
  std::vector<TdxTreeListNode*> TakeInOrder(const std::vector<Int64>& Keys) {
    std::vector<TdxTreeListNode*> order;
    order.reserve(Keys.size());
    // Keys in a new order land all over the table.
    for (size_t i = 0; i < Keys.size(); ++i) {
      if (i + kPrefetchAhead < Keys.size()) PrefetchRoomOf(Keys[i + kPrefetchAhead]);
      TdxTreeListNode* node = Take(Keys[i]);
      if (!node) return {};
      order.push_back(node);
    }
    return order;
  }

 private:
  bool IsDense() const { return sparse_.empty() && !dense_.empty(); }
  // The dense room of Key, or nullptr when Key lies outside the table.
  TdxTreeListNode** DenseRoom(Int64 Key) {
    const UInt64 offset = static_cast<UInt64>(Key) - static_cast<UInt64>(low_);
    return Key < low_ || offset >= dense_.size() ? nullptr : &dense_[static_cast<size_t>(offset)];
  }
  void PrefetchRoomOf(Int64 Key) {
    if (TdxTreeListNode** room = IsDense() ? DenseRoom(Key) : nullptr) __builtin_prefetch(room, 1);
  }
  TdxTreeListNode* Take(Int64 Key) {
    if (!IsDense()) {
      auto found = sparse_.find(Key);
      return found == sparse_.end() ? nullptr : std::exchange(found->second, nullptr);
    }
    TdxTreeListNode** room = DenseRoom(Key);
    return room ? std::exchange(*room, nullptr) : nullptr;
  }

  std::vector<Int64> keys_;
  Int64 low_ = 0;
  std::vector<TdxTreeListNode*> dense_;
  std::unordered_map<Int64, TdxTreeListNode*> sparse_;
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
  TGridNodesByKey nodeOfKey;
  if (!nodeOfKey.Fill(Records)) return false;
  std::vector<Int64> keys;
  if (!ReadKeysInDataSetOrder(keys) || keys.size() != Records.size()) return false;
  // Each key found once and every node placed: the same records, only in another order.
  std::vector<TdxTreeListNode*> order = nodeOfKey.TakeInOrder(keys);
  if (order.size() != keys.size()) return false;
  for (size_t i = 0; i < order.size(); ++i) {
    if (i + kPrefetchAhead < order.size()) __builtin_prefetch(&GridNode(order[i + kPrefetchAhead])->RecordIndex, 1);
    GridNode(order[i])->RecordIndex = static_cast<int>(i);
  }
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
