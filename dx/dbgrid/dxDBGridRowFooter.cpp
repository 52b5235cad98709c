// The footer rows under groups: one per group level whose summary group has items shown under a
// column, each cell the value of its item for the group the footer closes.
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/rtl/StrUtils.h"


bool TCustomdxDBGrid::IsRowFooterLevel(int Level) {
  TdxDBGridSummaryGroup* group = Level < GroupCount() ? FindLevelSummaryGroup(Level) : nullptr;
  if (!group) return false;
  TdxDBGridSummaryItems* items = group->SummaryItems();
  for (int i = 0; i < items->Count(); ++i)
    if (!items->GetItem(i)->ColumnName().empty()) return true;
  return false;
}

const std::vector<std::vector<int>>& TCustomdxDBGrid::GroupSummaryCellMap() {
  if (!groupSummaryCellMap_.empty() || !GroupCount()) return groupSummaryCellMap_;
  groupSummaryCellMap_.resize(static_cast<size_t>(GroupCount()));
  for (int level = 0; level < GroupCount(); ++level) {
    TdxDBGridSummaryGroup* group = FindLevelSummaryGroup(level);
    if (!group || !group->SummaryItems()->Count()) continue;
    TdxDBGridSummaryItems* items = group->SummaryItems();
    std::vector<int>& cells = groupSummaryCellMap_[static_cast<size_t>(level)];
    cells.assign(static_cast<size_t>(GetColumnCount()), -1);
    for (int c = 0; c < GetColumnCount(); ++c) {
      const String& name = GetColumn(c)->Name();
      for (int i = 0; i < items->Count(); ++i) {
        if (AnsiCompareText(items->GetItem(i)->ColumnName(), name) != 0) continue;
        if (items->GetItem(i)->SummaryType() != cstNone) cells[static_cast<size_t>(c)] = i;
        break;
      }
    }
  }
  return groupSummaryCellMap_;
}

void TCustomdxDBGrid::ClearNodeCache() {
  groupSummaryCellMap_.clear();
  TCustomdxDBTreeListControl::ClearNodeCache();
}

bool TCustomdxDBGrid::IsExistRowFooterCell(TdxTreeListNode* Node, int Column, int FooterIndex) {
  const int level = GetRowFooterLevel(Node, FooterIndex);
  const auto& map = GroupSummaryCellMap();
  if (level < 0 || static_cast<size_t>(level) >= map.size()) return false;
  const std::vector<int>& cells = map[static_cast<size_t>(level)];
  return Column >= 0 && static_cast<size_t>(Column) < cells.size() && cells[static_cast<size_t>(Column)] != -1;
}

String TCustomdxDBGrid::RowFooterCellText(TdxTreeListNode* Node, int Column, int FooterIndex) {
  const int level = GetRowFooterLevel(Node, FooterIndex);
  TdxDBGridSummaryGroup* group = level >= 0 ? FindLevelSummaryGroup(level) : nullptr;
  if (!group || !group->SummaryItems()->Count()) return String();
  const auto& map = GroupSummaryCellMap();
  const std::vector<int>& cells = map[static_cast<size_t>(level)];
  const int item = Column >= 0 && static_cast<size_t>(Column) < cells.size() ? cells[static_cast<size_t>(Column)] : -1;
  TdxTreeListNode* ancestor = Node;
  while (ancestor && ancestor->GetLevel() > level) ancestor = ancestor->Parent();
  auto* groupNode = GridNode(ancestor);
  if (item < 0 || !groupNode || static_cast<size_t>(item) >= groupNode->Group().SummaryValues.size()) return String();
  TdxDBGridSummaryItem* summaryItem = group->SummaryItems()->GetItem(item);
  return FormatSummaryValue(summaryItem->SummaryType(), summaryItem->SummaryFormat(), summaryItem->SummaryDataType(),
                            static_cast<double>(groupNode->Group().SummaryValues[static_cast<size_t>(item)].Value),
                            kSummaryStyleFooter);
}
