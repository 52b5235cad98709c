// The items of the summary group a group level shows: one extended-precision accumulator per item
// and group node. Items without a column name go into the group row's text; the others appear under
// their column in the group's footer row.
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/data/DataSet.h"
#include "platform/rtl/StrUtils.h"

TdxDBGridSummaryGroup* TCustomdxDBGrid::FindLevelSummaryGroup(int Level) const {
  TdxDBTreeListColumn* column = GetGroupColumn(Level);
  if (!column) return nullptr;
  if (column->SummaryGroupName().empty() && column->SummaryType() == cstNone)
    return summaryGroups_->GetDefaultGroup();
  return summaryGroups_->FindGroup(column->SummaryGroupName());
}

TdxDBTreeListColumn* TCustomdxDBGrid::SummaryItemColumn(TdxDBGridSummaryItem* Item) {
  if (!Item->SummaryField().empty()) return FindColumnByFieldName(Item->SummaryField());
  if (Item->ColumnName().empty()) return nullptr;
  auto* named = static_cast<TdxDBTreeListColumn*>(FindColumnByName(Item->ColumnName()));
  return named ? FindColumnByFieldName(named->FieldName()) : nullptr;
}

void TCustomdxDBGrid::BindSummaryItemFields() {
  TDataSet* ds = GetDataSet();
  for (int g = 0; g < summaryGroups_->Count(); ++g) {
    TdxDBGridSummaryItems* items = summaryGroups_->GetItem(g)->SummaryItems();
    for (int i = 0; i < items->Count(); ++i) {
      TdxDBGridSummaryItem* item = items->GetItem(i);
      String fieldName = item->SummaryField();
      if (fieldName.empty() && !item->ColumnName().empty())
        if (auto* named = static_cast<TdxDBTreeListColumn*>(FindColumnByName(item->ColumnName())))
          fieldName = named->FieldName();
      item->SetBoundField(ds && !fieldName.empty() ? ds->FindField(fieldName) : nullptr);
    }
  }
}

void TCustomdxDBGrid::AccumulateItemSummaries(TdxDBGridNode* Group, int Level, TdxDBGridNode* Source) {
  const size_t level = static_cast<size_t>(Level);
  TdxDBGridSummaryGroup* summaryGroup = level < levelSummaryGroups_.size() ? levelSummaryGroups_[level] : nullptr;
  if (!summaryGroup) return;
  TdxDBGridSummaryItems* items = summaryGroup->SummaryItems();
  const size_t count = static_cast<size_t>(items->Count());
  if (!count) return;
  std::vector<TdxSummaryAccumulator>& values = Group->EditGroup().SummaryValues;
  if (values.size() < count) values.resize(count);
  TDataSet* ds = GetDataSet();
  for (size_t i = 0; i < count; ++i) {
    TdxDBGridSummaryItem* item = items->GetItem(static_cast<int>(i));
    const TdxSummaryType type = item->SummaryType();
    long double value = 0;
    if (type != cstNone && type != cstCount) {
      if (Source) {
        value = GetNodeColumnFloat(Source, SummaryItemColumn(item));
      } else if (TField* field = item->BoundField(); field && !field->IsNull()) {
        value = field->AsFloat();
      }
    }
    if (item->OnSummary && ds) item->OnSummary(item, ds, value);
    values[i].Add(type, value);
  }
}

void TCustomdxDBGrid::FinishItemSummaries(TdxDBGridNode* Group) {
  const size_t level = static_cast<size_t>(Group->GetLevel());
  TdxDBGridSummaryGroup* summaryGroup = level < levelSummaryGroups_.size() ? levelSummaryGroups_[level] : nullptr;
  if (!summaryGroup) return;
  TdxDBGridSummaryItems* items = summaryGroup->SummaryItems();
  TdxDBGridGroupData& data = Group->EditGroup();
  const size_t count = std::min(data.SummaryValues.size(), static_cast<size_t>(items->Count()));
  for (size_t i = 0; i < count; ++i) {
    const TdxSummaryType type = items->GetItem(static_cast<int>(i))->SummaryType();
    if (type == cstCount) data.SummaryValues[i].Value = data.SummaryRecordCount;
    if (type == cstAvg && data.SummaryRecordCount > 0) data.SummaryValues[i].Value /= data.SummaryRecordCount;
  }
}

String TCustomdxDBGrid::ItemSummaryText(TdxDBGridNode* Node, TdxDBGridSummaryGroup* Group) {
  String text = Group->BeginSummaryText();
  TdxDBGridSummaryItems* items = Group->SummaryItems();
  bool written = false;
  for (int i = 0; i < items->Count() && static_cast<size_t>(i) < Node->Group().SummaryValues.size(); ++i) {
    TdxDBGridSummaryItem* item = items->GetItem(i);
    if (!item->ColumnName().empty()) continue;
    const TdxSummaryType type = item->SummaryType();
    if (written && type != cstNone) text += summarySeparator_;
    text += FormatSummaryValue(type, item->SummaryFormat(), item->SummaryDataType(),
                               static_cast<double>(Node->Group().SummaryValues[static_cast<size_t>(i)].Value),
                               kSummaryStyleGroup);
    if (type != cstNone) written = true;
  }
  return text + Group->EndSummaryText();
}

void TCustomdxDBGrid::ColumnNameChanged(const String& OldName, const String& NewName) {
  for (int g = 0; g < summaryGroups_->Count(); ++g) {
    TdxDBGridSummaryItems* items = summaryGroups_->GetItem(g)->SummaryItems();
    for (int i = 0; i < items->Count(); ++i)
      if (AnsiCompareText(items->GetItem(i)->ColumnName(), OldName) == 0) items->GetItem(i)->SetColumnName(NewName);
  }
}
