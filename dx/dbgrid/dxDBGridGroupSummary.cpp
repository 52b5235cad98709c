// The summaries of grouped columns: one extended-precision accumulator per group node, fed by every
// record below it, finished into counts and averages over the group's records.
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/data/DataSet.h"

namespace {

bool IsGroupSummaryDateType(TFieldType T) { return T == ftDate || T == ftTime || T == ftDateTime; }

long double GroupSummaryFieldValue(TField* Field) {
  return Field && !Field->IsNull() ? static_cast<long double>(Field->AsFloat()) : 0;
}

}  // namespace

void TCustomdxDBGrid::BindGroupSummaryFields() {
  TDataSet* ds = GetDataSet();
  groupSummaryFields_.assign(groupColumns_.size(), nullptr);
  levelSummaryGroups_.assign(groupColumns_.size(), nullptr);
  for (size_t level = 0; level < groupColumns_.size(); ++level) {
    const String& name = groupColumns_[level]->SummaryField();
    if (ds && !name.empty()) groupSummaryFields_[level] = ds->FindField(name);
    levelSummaryGroups_[level] = FindLevelSummaryGroup(static_cast<int>(level));
  }
  BindSummaryItemFields();
  groupSummaryCellMap_.clear();
}

void TCustomdxDBGrid::AccumulateGroupSummaries(TdxDBGridNode* Group, TdxDBGridNode* Source) {
  TDataSet* ds = GetDataSet();
  for (TdxTreeListNode* g = Group; g; g = g->Parent()) {
    auto* group = GridNode(g);
    TdxDBGridGroupData& data = group->EditGroup();
    ++data.SummaryRecordCount;
    const int level = g->GetLevel();
    TdxDBTreeListColumn* column = GetGroupColumn(level);
    if (!column) continue;
    const TdxSummaryType type = column->SummaryType();
    if (type != cstNone || OnGroupValue) {
      long double value = 0;
      if (type != cstCount) {
        value = Source ? GetNodeColumnFloat(Source, FindColumnByFieldName(column->SummaryField()))
                       : GroupSummaryFieldValue(groupSummaryFields_[static_cast<size_t>(level)]);
      }
      if (column->OnSummary && ds) column->OnSummary(column, ds, value);
      if (OnGroupValue && ds) OnGroupValue(this, group, value, ds);
      CombineSummary(type, value, data.SummaryValue, data.HasSummaryValue);
    }
    AccumulateItemSummaries(group, level, Source);
  }
}

void TCustomdxDBGrid::FinishGroupSummaries() {
  if (!GroupCount()) return;
  FindNodeInTreeOrder([&](TdxTreeListNode* Node) {
    if (!IsGroupNode(Node)) return false;
    auto* group = GridNode(Node);
    TdxDBGridGroupData& data = group->EditGroup();
    TdxDBTreeListColumn* column = GetGroupColumn(Node->GetLevel());
    const TdxSummaryType type = column ? column->SummaryType() : cstNone;
    // Every group holds a record, so the division is safe.
    if (type == cstCount) data.SummaryValue = data.SummaryRecordCount;
    if (type == cstAvg && data.SummaryRecordCount > 0) data.SummaryValue /= data.SummaryRecordCount;
    FinishItemSummaries(group);
    return false;
  });
}

String TCustomdxDBGrid::GroupSummaryText(TdxDBGridNode* Node, TdxDBTreeListColumn* Column) {
  String text;
  const TdxSummaryType type = Column->SummaryType();
  const size_t level = static_cast<size_t>(Node->GetLevel());
  if (type != cstNone) {
    TFieldType dataType = ftUnknown;
    TField* field = level < groupSummaryFields_.size() ? groupSummaryFields_[level] : nullptr;
    if (type != cstCount && field && IsGroupSummaryDateType(field->DataType())) dataType = field->DataType();
    text = FormatSummaryValue(type, Column->SummaryFormat(), dataType, GetSummaryValueAsFloat(Node),
                              kSummaryStyleGroup) +
           u" ";
  }
  TdxDBGridSummaryGroup* group = FindLevelSummaryGroup(static_cast<int>(level));
  if (group && group->SummaryItems()->Count()) text += ItemSummaryText(Node, group);
  return text;
}
