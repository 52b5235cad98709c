// What the main window's people grid shows, for the tests: row texts and where a header lies.
#pragma once

#include <string>

#include "app/Main.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/String.h"

// The text of the people grid's row Row (in the grid's order) in Column.
inline std::string GridCell(int Row, TdxTreeListColumn* Column) {
  TdxDBGrid* grid = MainForm->dxDBGrid1;
  TdxTreeListNode* node = grid->GetAbsoluteNode(Row);
  return node ? StringToUtf8(grid->GetCellText(node, Column->Index())) : "<no row>";
}

// Column's texts of every row of the people grid, joined by ",".
inline std::string GridColumn(TdxTreeListColumn* Column) {
  std::string text;
  for (int i = 0; i < MainForm->dxDBGrid1->GetAbsoluteCount(); ++i) text += (i ? "," : "") + GridCell(i, Column);
  return text;
}

// True when Column's texts down the grid never go against Order (1 ascending, -1 descending).
inline bool Ordered(TdxTreeListColumn* Column, int Order) {
  for (int i = 1; i < MainForm->dxDBGrid1->GetAbsoluteCount(); ++i)
    if (AnsiCompareText(Utf8ToString(GridCell(i - 1, Column)), Utf8ToString(GridCell(i, Column))) * Order > 0)
      return false;
  return true;
}

// The text of the grid's focused row in Column.
inline std::string FocusedCell(TdxTreeListColumn* Column) {
  return GridCell(MainForm->dxDBGrid1->GetFocusedAbsoluteIndex(), Column);
}

// A point of Column's header in the grid's client coordinates, as the grid's hit test finds it
// ({-1, -1} when the column shows no header).
inline POINT HeaderPoint(TdxTreeListColumn* Column) {
  TdxDBGrid* grid = MainForm->dxDBGrid1;
  RECT rows{};
  grid->GetRowsRect(rows);
  for (int v = 0; v < grid->GetVisibleColumnCount(); ++v) {
    if (grid->GetVisibleColumn(v) != Column) continue;
    RECT cell{};
    grid->GetCellRect(grid->TopVisibleNode(), v, cell);
    const int x = (cell.left + cell.right) / 2;
    int top = -1, bottom = -1;
    for (int y = 0; y < rows.top; ++y) {
      TdxTreeListHitInfo hit;
      grid->GetHitInfo(POINT{x, y}, hit);
      if (hit.HitKind != tlhHeader || hit.Column != Column->Index()) continue;
      if (top < 0) top = y;
      bottom = y;
    }
    if (top >= 0) return POINT{x, (top + bottom) / 2};
  }
  return POINT{-1, -1};
}

// The left half of Column's header cell around its middle: the sort glyph and the caption.
inline RECT HeaderLeftHalf(TdxTreeListColumn* Column) {
  TdxDBGrid* grid = MainForm->dxDBGrid1;
  RECT cell{};
  for (int v = 0; v < grid->GetVisibleColumnCount(); ++v)
    if (grid->GetVisibleColumn(v) == Column) grid->GetCellRect(grid->TopVisibleNode(), v, cell);
  const POINT header = HeaderPoint(Column);
  return RECT{cell.left + 2, header.y - 6, (cell.left + cell.right) / 2, header.y + 7};
}

// A point of Column's filter button in the grid's client coordinates, as the grid's hot tracking
// finds it ({-1, -1} when its header shows none).
inline POINT FilterButtonPoint(TdxTreeListColumn* Column) {
  TdxDBGrid* grid = MainForm->dxDBGrid1;
  TdxTreeListDrawInfo info;
  grid->CalcDrawInfo(info);
  const TdxTreeListHeaderItem* header = info.FindHeader(Column->Index());
  if (!header) return POINT{-1, -1};
  const int y = (header->Rect.top + header->Rect.bottom) / 2;
  for (int x = header->Rect.right - 9; x > header->Rect.left; --x) {
    int part = 0;
    if (grid->IsHotTrackHeader(x, y, part, Column->Index()) && part == 2) return POINT{x, y};
  }
  return POINT{-1, -1};
}
