// Summaries recomputed from the record nodes the grid shows (after a refilter, which reloads
// nothing): every group's, every summary item's and the footer's, in one pass over the leaves.
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/data/DataSet.h"

namespace {

void CollectShownRecords(TdxTreeListNode* Node, std::vector<TdxDBGridNode*>& Records) {
  if (!Node->HasChildren()) {
    Records.push_back(GridNode(Node));
    return;
  }
  for (int i = 0; i < Node->GetCount(); ++i) CollectShownRecords(Node->GetItem(i), Records);
}

}  // namespace

void TCustomdxDBGrid::RefreshGroupsAndSummaries(TdxTreeListNode* Node) {
  TdxTreeListUpdateScope update(this);
  const bool grouped = GroupCount() > 0 && GetCount() > 0 && GetItem(0)->HasChildren();
  if (grouped && Node && Node->Parent()) {
    TdxTreeListNode* oldParent = Node->Parent();
    TdxDBGridNode* group = PlaceInGroups(GridNode(Node), GridNode(Node)->RecordIndex);
    if (group != oldParent) {
      Node->Detach();
      Node->AddToRoots();
      Node->MoveRootToParent(GetCount() - 1, group);
      if (oldParent->GetCount() == 0) FreeNodeWithEmptyParents(oldParent);
    }
  }
  std::vector<TdxDBGridNode*> records;
  for (int i = 0; i < GetCount(); ++i) CollectShownRecords(GetItem(i), records);
  FindNodeInTreeOrder([&](TdxTreeListNode* N) {
    if (!IsGroupNode(N)) return false;
    // The summaries start again; the group's value stays.
    TdxDBGridGroupData& data = GridNode(N)->EditGroup();
    Variant value = std::move(data.Value);
    data = TdxDBGridGroupData();
    data.Value = std::move(value);
    return false;
  });
  BindColumnFields();
  DoBeforeCalcSummary();
  recordCount_ = 0;
  for (TdxDBGridNode* record : records) {
    if (grouped && record->Parent()) AccumulateGroupSummaries(GridNode(record->Parent()), record);
    AccumulateFooterFromNode(record);
    ++recordCount_;
  }
  FinishGroupSummaries();
  FinishFooter(recordCount_);
  if (grouped) {
    SortGroupsBySummary();
    TakeFirstRecordIdentity();
  }
}

void TCustomdxDBGrid::AccumulateFooterFromNode(TdxDBGridNode* Record) {
  for (int i = 0; i < GetColumnCount(); ++i) {
    TdxDBTreeListColumn* column = GetDBColumn(i);
    const TdxSummaryType type = column->SummaryFooterType();
    if (type == cstNone) continue;
    long double value = 0;
    if (type != cstCount) {
      const String& field = column->SummaryFooterField().empty() ? column->FieldName() : column->SummaryFooterField();
      value = GetNodeColumnFloat(Record, FindColumnByFieldName(field));
    }
    if (column->OnSummaryFooter && GetDataSet()) column->OnSummaryFooter(column, GetDataSet(), value);
    column->AddFooterValue(value);
  }
}

void TCustomdxDBGrid::SortGroupsBySummary() {
  for (int level = 0; level < GroupCount(); ++level) {
    TdxDBTreeListColumn* column = GetGroupColumn(level);
    if (column->SortBySummary()) SortNodes(level, column->GetDataIndex(), column->Sorted() == csDown);
  }
}
