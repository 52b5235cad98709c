// A load-all grid answering a new order of the same records (its dataset sorted again): the nodes
// are put in the dataset's new order by their keys instead of being freed and filled again. Values,
// texts and footers stay what a reload would give, since the stored records did not change; the
// focus and the top row end where a reload leaves them.
#include <algorithm>
#include <unordered_map>

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

}  // namespace

bool TCustomdxDBGrid::CanRearrangeLoadedNodes() {
  if (!IsLoadAllMode() || !loadedContent_ || !dataLink_->Active() || GroupCount() > 0) return false;
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
  std::unordered_map<Int64, TdxTreeListNode*> nodeOfKey;
  nodeOfKey.reserve(static_cast<size_t>(GetCount()));
  for (int i = 0; i < GetCount(); ++i) {
    TdxTreeListNode* node = GetItem(i);
    const Variant& key = GridNode(node)->KeyValue;
    if (VarIsEmpty(key) || VarIsNull(key) || !nodeOfKey.emplace(key.AsInt64(), node).second) return false;
  }
  TDataSet* ds = GetDataSet();
  TField* keyField = BoundKeyField();
  // The walk's own announcement when the dataset's controls come back is this change, answered here.
  TValueScope<bool> reordering(reorderingNodes_, true);
  TdxTreeListUpdateScope update(this);
  TDisableControlsScope disabled(ds);
  TValueScope<bool> internal(internalChange_, true);
  const TBookmark bookmark = ds->GetBookmark();
  const bool wasBof = ds->Bof(), wasEof = ds->Eof();
  TScopeExit back([&] {
    if (!bookmark.empty() && ds->BookmarkValid(bookmark)) ds->GotoBookmark(bookmark);
    if (wasBof && !ds->Bof()) ds->Prior();
    if (wasEof && !ds->Eof()) ds->Next();
  });
  // Each key found once and every node placed: the same records, only in another order.
  std::vector<TdxTreeListNode*> order;
  order.reserve(nodeOfKey.size());
  for (ds->First(); !ds->Eof(); ds->Next()) {
    if (keyField->IsNull()) return false;
    auto found = nodeOfKey.find(keyField->AsLargeInt());
    if (found == nodeOfKey.end() || !found->second) return false;
    order.push_back(std::exchange(found->second, nullptr));
  }
  if (order.size() != nodeOfKey.size()) return false;
  for (size_t i = 0; i < order.size(); ++i) GridNode(order[i])->RecordIndex = static_cast<int>(i);
  ReorderRoots(std::move(order));
  // Where a reload leaves them before the focus follows the current record.
  FocusFirstRoot();
  loadedContent_ = CurrentLoadInputs();
  return true;
}

bool TCustomdxDBGrid::UngroupLoadedNodes() {
  if (!groupingChanged_ || !CanRearrangeLoadedNodes()) return false;
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
