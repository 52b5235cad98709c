// A grouped load-all grid answering a new order of the same records (its dataset sorted again): the
// records stay in the groups they are in, so the group rows are kept with their expanded states,
// values and summaries, and only each group's record rows are put in the dataset's new order. The
// groups themselves stand in the order of their values (or summaries), which a sort does not change.
#include <unordered_map>

#include "dx/dbgrid/dxDBGrid.h"

bool TCustomdxDBGrid::ReorderGroupedNodes() {
  // Rows a filter hid have no node, and a grouping changed inside a lock is not loaded yet.
  if (groupingChanged_ || nodeFilterActive_ || !GetCount() || !IsGroupNode(GetItem(0))) return false;
  std::vector<TdxTreeListNode*> records;
  records.reserve(static_cast<size_t>(recordCount_));
  std::unordered_map<TdxTreeListNode*, size_t> groupOfRecords;
  std::vector<TdxTreeListNode*> groups;
  FindNodeInTreeOrder([&](TdxTreeListNode* Node) {
    if (IsGroupNode(Node)) {
      groups.push_back(Node);
      return false;
    }
    // A group's record rows are met one after another.
    if (records.empty() || records.back()->Parent() != Node->Parent())
      groupOfRecords.emplace(Node->Parent(), groupOfRecords.size());
    records.push_back(Node);
    return false;
  });
  TdxTreeListUpdateScope update(this);
  if (!PutRecordNodesInDataSetOrder(records)) return false;
  std::vector<std::vector<TdxTreeListNode*>> rowsOfGroup(groupOfRecords.size());
  for (auto& [group, at] : groupOfRecords) rowsOfGroup[at].reserve(static_cast<size_t>(group->GetCount()));
  for (TdxTreeListNode* record : records) rowsOfGroup[groupOfRecords.at(record->Parent())].push_back(record);
  for (auto& [group, at] : groupOfRecords) ReorderChildren(group, std::move(rowsOfGroup[at]));
  // As a load makes them: each group row carries the first of its records in the dataset's order.
  for (auto group = groups.rbegin(); group != groups.rend(); ++group) {
    TdxDBGridNode* first = nullptr;
    for (int i = 0; i < (*group)->GetCount(); ++i) {
      auto* child = GridNode((*group)->GetItem(i));
      if (!first || child->RecordIndex < first->RecordIndex) first = child;
    }
    GridNode(*group)->KeyValue = first->KeyValue;
    GridNode(*group)->RecordIndex = first->RecordIndex;
  }
  // Where a reload leaves them before the focus follows the current record.
  FocusFirstRoot();
  loadedContent_ = CurrentLoadInputs();
  return true;
}
