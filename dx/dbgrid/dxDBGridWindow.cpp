// Dataset-window mode: the grid's rows are the data link's record buffer. Nodes hold no values;
// a row's cells are read from the fields with the link's active record moved to that row.
#include <algorithm>

#include "dx/dbgrid/dxDBColumn.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/rtl/ScopeExit.h"

namespace {

int RowsAreaHeight(TCustomdxTreeList* Grid) {
  TdxTreeListRectInfo areas;
  Grid->CalcRectInfo(areas);
  return areas.Rows.bottom - areas.Rows.top;
}

}  // namespace

bool TCustomdxDBGrid::HasVariableRowHeights() {
  return IsRowAutoHeight() || (IsPreview() && IsAutoCalcPreviewLines());
}

int TCustomdxDBGrid::WindowRowCount() {
  const int height = DefaultRowHeight();
  if (height <= 0) return 1;
  return std::max(1, RowsAreaHeight(this) / height);
}

int TCustomdxDBGrid::WindowRowsHeight() {
  int sum = 0;
  for (int i = 0; i < GetCount(); ++i) sum += GetRowHeight(GetItem(i), DefaultRowHeight(), true);
  return sum;
}

void TCustomdxDBGrid::MatchNodesToWindow() {
  const int wanted = std::max(1, dataLink_->Active() ? dataLink_->RecordCount() : 0);
  while (GetCount() < wanted) Add();
  while (GetCount() > wanted) delete GetItem(GetCount() - 1);
}

void TCustomdxDBGrid::FitVariableWindowRows(int RowsHeight) {
  if (dataLink_->BufferCount() < 1) dataLink_->SetBufferCount(1);
  MatchNodesToWindow();
  // A smaller buffer that must keep the current record drops rows from the top, after which rows
  // may fit below again; a few passes settle it (a pass that changes nothing ends it).
  constexpr int kPasses = 4;
  for (int pass = 0, rows = -1; pass < kPasses && GetCount() != rows; ++pass) {
    rows = GetCount();
    // Rows are counted from the top down; the buffer grows a record at a time while the dataset
    // still fills it and the rows so far leave room.
    while (WindowRowsHeight() < RowsHeight && dataLink_->RecordCount() == dataLink_->BufferCount()) {
      dataLink_->SetBufferCount(GetCount() + 1);
      if (dataLink_->RecordCount() <= GetCount()) break;
      MatchNodesToWindow();
    }
    // A last row that fits only partly is given up.
    while (GetCount() > 1 && WindowRowsHeight() > RowsHeight) {
      dataLink_->SetBufferCount(GetCount() - 1);
      MatchNodesToWindow();
    }
  }
}

void TCustomdxDBGrid::SyncWindowRows() {
  if (syncingRows_ || !IsDataSetWindowMode() || IsLoadingControl()) return;
  TValueScope<bool> guard(syncingRows_, true);
  const bool live = dataLink_->Active() && GetDataSet();
  if (live && HasVariableRowHeights() && HandleAllocated()) {
    FitVariableWindowRows(RowsAreaHeight(this));
  } else {
    if (live && dataLink_->BufferCount() != WindowRowCount()) dataLink_->SetBufferCount(WindowRowCount());
    MatchNodesToWindow();
  }
  if (live && dataLink_->ActiveRecord() < GetCount()) {
    TdxTreeListNode* row = GetItem(dataLink_->ActiveRecord());
    if (row != FocusedNode()) {
      CloseEditor();
      TValueScope<bool> syncing(syncingFocus_, true);
      TCustomdxDBTreeListControl::SetFocusedNode(row, GetFocusedColumn(), true);
    }
  }
  if (HandleAllocated()) Invalidate();
}

void TCustomdxDBGrid::UpdateVisibleRowCount() {
  TCustomdxDBTreeListControl::UpdateVisibleRowCount();
  const int rows = GetCount();
  SyncWindowRows();
  // Fitting rows of other heights may take rows away and add others back.
  const bool refitted = IsDataSetWindowMode() && HasVariableRowHeights();
  if (GetCount() == rows && !refitted) return;
  // Rows came or went, perhaps inside an update bracket that leaves the row cache to its end: the
  // visible counts walk the rows as they are now.
  RefreshNodeCache();
  TCustomdxDBTreeListControl::UpdateVisibleRowCount();
}

bool TCustomdxDBGrid::MoveToWindowRow(TdxTreeListNode* Node) {
  TDataSet* ds = GetDataSet();
  if (!ds || !dataLink_->Active()) return false;
  const int distance = Node->GetAbsoluteIndex() - dataLink_->ActiveRecord();
  if (distance != 0) ds->MoveBy(distance);
  SyncWindowRows();
  return true;
}

void TCustomdxDBGrid::BeginNodeRead(TdxTreeListNode* Node) {
  if (nodeReadDepth_++ > 0 || !IsDataSetWindowMode() || !dataLink_->Active()) return;
  savedActiveRecord_ = dataLink_->ActiveRecord();
  const int row = Node->GetAbsoluteIndex();
  if (row >= 0 && row < dataLink_->RecordCount()) dataLink_->SetActiveRecord(row);
}

void TCustomdxDBGrid::EndNodeRead(TdxTreeListNode*) {
  if (--nodeReadDepth_ > 0 || !IsDataSetWindowMode() || !dataLink_->Active()) return;
  if (savedActiveRecord_ >= 0) dataLink_->SetActiveRecord(savedActiveRecord_);
  savedActiveRecord_ = -1;
}

TField* TCustomdxDBGrid::WindowRowField(TdxTreeListNode* Node, int Column) {
  if (Column < 0 || Column >= GetColumnCount() || !dataLink_->Active()) return nullptr;
  // A row past the buffer's records (the single row of an empty dataset) shows nothing.
  if (Node->GetAbsoluteIndex() >= dataLink_->RecordCount()) return nullptr;
  return GetDBColumn(Column)->Field();
}

void TCustomdxDBGrid::GetNodeString(TdxTreeListNode* Node, int Column, String& Text) {
  if (!IsDataSetWindowMode()) {
    if (IsGroupNode(Node))
      Text = GetGroupCellText(static_cast<TdxDBGridNode*>(Node), Column);
    else
      TCustomdxDBTreeListControl::GetNodeString(Node, Column, Text);
    return;
  }
  Text.clear();
  if (WindowRowField(Node, Column)) {
    BeginNodeRead(Node);
    TScopeExit end([&] { EndNodeRead(Node); });
    Text = GetDBColumn(Column)->GetFieldCellText();
  }
  if (Column >= 0 && Column < GetColumnCount() && GetDBColumn(Column)->OnGetText)
    GetDBColumn(Column)->OnGetText(GetDBColumn(Column), Node, Text);
}

void TCustomdxDBGrid::GetWindowRowVariant(TdxTreeListNode* Node, int Column, Variant& Value) {
  Value = Null();
  if (TField* field = WindowRowField(Node, Column)) {
    BeginNodeRead(Node);
    TScopeExit end([&] { EndNodeRead(Node); });
    Value = field->AsVariant();
  }
}

// Keys step the focus by row index; past the window's edge that must move the dataset on.
void TCustomdxDBGrid::SetFocusedAbsoluteIndex(int Index) {
  TDataSet* ds = GetDataSet();
  if (!IsDataSetWindowMode() || !ds || !dataLink_->Active()) {
    TCustomdxDBTreeListControl::SetFocusedAbsoluteIndex(Index);
    return;
  }
  if (GetCount() == 0 || !FocusedNode()) return;
  const int distance = Index - FocusedNode()->GetAbsoluteIndex();
  if (distance != 0) ds->MoveBy(distance);
}

bool TCustomdxDBGrid::IsFirstRow(TdxTreeListNode* Node) {
  if (IsDataSetWindowMode() && dataLink_->Active()) return dataLink_->Bof();
  if (IsPartialLoadMode()) return TCustomdxDBTreeListControl::IsFirstRow(Node) && bofLoaded_;
  return TCustomdxDBTreeListControl::IsFirstRow(Node);
}

bool TCustomdxDBGrid::IsLastRow(TdxTreeListNode* Node) {
  if (IsDataSetWindowMode() && dataLink_->Active()) return dataLink_->Eof();
  if (IsPartialLoadMode()) return TCustomdxDBTreeListControl::IsLastRow(Node) && eofLoaded_;
  return TCustomdxDBTreeListControl::IsLastRow(Node);
}

// The scroll bar shows the current record's place in the whole dataset, not the window's rows.
void TCustomdxDBGrid::GetVScrollInfo(int& Min, int& Max, int& Position, int& Page) {
  TDataSet* ds = GetDataSet();
  if (!IsDataSetWindowMode() || !ds || !dataLink_->Active() || !ds->Active() || !HandleAllocated()) {
    TCustomdxDBTreeListControl::GetVScrollInfo(Min, Max, Position, Page);
    return;
  }
  if (!ds->IsSequenced()) {
    Min = 0;
    Max = 4;
    Page = 0;
    Position = ds->Bof() ? 0 : ds->Eof() ? 4 : 2;
    return;
  }
  const int rows = std::max(1, GetCount());
  Min = 1;
  Page = rows;
  Max = ds->RecordCount() + rows - 1;
  if (ds->State() == dsInsert || ds->State() == dsSetKey) return;
  try {
    const int recNo = ds->RecNo();
    if (recNo != -1) Position = recNo;
  } catch (const Exception&) {
    // A dataset that cannot tell its record number leaves the thumb where it was.
  }
}
