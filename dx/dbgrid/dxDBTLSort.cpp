// The data-aware tree's node sort: string columns by their texts, other columns by their records'
// values, re-applied by the primary sort column after a load and whenever a column becomes sorted.
#include "dx/dbgrid/dxDBTL.h"
#include "platform/rtl/StrUtils.h"

void TCustomdxDBTreeList::GetNodeSortValue(TdxTreeListNode* Node, int Column, Variant& Value) {
  TdxDBTreeListColumn* column = nullptr;
  for (int i = 0; i < GetColumnCount() && !column; ++i)
    if (GetDBColumn(i)->GetDataIndex() == Column) column = GetDBColumn(i);
  if (column && column->GetValueVarType() == varString) {
    String text;
    GetNodeString(Node, Column, text);
    Value = OptionsBehavior().Contains(etoCaseInsensitive) ? AnsiUpperCase(text) : text;
    return;
  }
  TNodeVariantData data;
  GetNodeValueData(Node, Column, data);
  Value = data.HasFieldValue ? data.FieldValue : Null();
}

void TCustomdxDBTreeList::ApplySorting() {
  if (!IsAutoSort()) return;
  TdxTreeListUpdateScope update(this);
  TdxDBTreeListColumn* column = GetPrimarySortColumn();
  if (column && column->Sorted() != csNone) SortNodes(-1, column->GetDataIndex(), column->Sorted() == csDown);
}

void TCustomdxDBTreeList::ColumnSorted(TdxTreeListColumn* Column) {
  if (IsMultiSort()) GetPrimarySortColumn();
  TCustomdxDBTreeListControl::ColumnSorted(Column);
  if (!IsAutoSort() || IsSortLocked() || Column->Sorted() == csNone) return;
  TdxTreeListUpdateScope update(this);
  SortNodes(-1, Column->GetDataIndex(), Column->Sorted() == csDown);
}
