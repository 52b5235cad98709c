// The summaries of grouped columns: one extended-precision accumulator per group node, fed by every
// record below it, finished into counts and averages over the group's records.
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/data/DataSet.h"

namespace {

// The first value starts the accumulator whatever the kind; counts are finished afterwards.
void Combine(TdxDBGridNode* Group, TdxSummaryType Type, long double Value) {
  if (!Group->HasSummaryValue) {
    Group->SummaryValue = Value;
    Group->HasSummaryValue = true;
    return;
  }
  switch (Type) {
    case cstSum:
    case cstAvg:
      Group->SummaryValue += Value;
      break;
    case cstMin:
      if (Value < Group->SummaryValue) Group->SummaryValue = Value;
      break;
    case cstMax:
      if (Value > Group->SummaryValue) Group->SummaryValue = Value;
      break;
    default:
      break;
  }
}

bool IsDateType(TFieldType T) { return T == ftDate || T == ftTime || T == ftDateTime; }

}  // namespace

void TCustomdxDBGrid::BindGroupSummaryFields() {
  TDataSet* ds = GetDataSet();
  groupSummaryFields_.assign(groupColumns_.size(), nullptr);
  for (size_t level = 0; level < groupColumns_.size(); ++level) {
    const String& name = groupColumns_[level]->SummaryField();
    if (ds && !name.empty()) groupSummaryFields_[level] = ds->FindField(name);
  }
}

void TCustomdxDBGrid::AccumulateGroupSummaries(TdxDBGridNode* Group, TdxDBGridNode* Source) {
  for (TdxTreeListNode* g = Group; g; g = g->Parent()) {
    auto* group = GridNode(g);
    ++group->SummaryRecordCount;
    const int level = g->GetLevel();
    TdxDBTreeListColumn* column = GetGroupColumn(level);
    if (!column || column->SummaryType() == cstNone) continue;
    double value = 0;
    if (column->SummaryType() != cstCount) {
      if (Source) {
        value = GetNodeColumnFloat(Source, FindColumnByFieldName(column->SummaryField()));
      } else if (TField* field = groupSummaryFields_[static_cast<size_t>(level)]; field && !field->IsNull()) {
        value = field->AsFloat();
      }
    }
    if (column->OnSummary && GetDataSet()) column->OnSummary(column, GetDataSet(), value);
    Combine(group, column->SummaryType(), value);
  }
}

void TCustomdxDBGrid::FinishGroupSummaries() {
  FindNodeInTreeOrder([&](TdxTreeListNode* Node) {
    if (!IsGroupNode(Node)) return false;
    auto* group = GridNode(Node);
    TdxDBTreeListColumn* column = GetGroupColumn(Node->GetLevel());
    const TdxSummaryType type = column ? column->SummaryType() : cstNone;
    // Every group holds a record, so the division is safe.
    if (type == cstCount) group->SummaryValue = group->SummaryRecordCount;
    if (type == cstAvg && group->SummaryRecordCount > 0) group->SummaryValue /= group->SummaryRecordCount;
    return false;
  });
}

String TCustomdxDBGrid::GroupSummaryText(TdxDBGridNode* Node, TdxDBTreeListColumn* Column) {
  const TdxSummaryType type = Column->SummaryType();
  if (type == cstNone) return String();
  TFieldType dataType = ftUnknown;
  const size_t level = static_cast<size_t>(Node->GetLevel());
  TField* field = level < groupSummaryFields_.size() ? groupSummaryFields_[level] : nullptr;
  if (type != cstCount && field && IsDateType(field->DataType())) dataType = field->DataType();
  const double value = static_cast<double>(Node->SummaryValue);
  return FormatSummaryValue(type, Column->SummaryFormat(), dataType, value, kSummaryStyleGroup) + u" ";
}
