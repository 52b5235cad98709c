// Hot tracking: which cell or header is drawn hot, from the hit test of every mouse move.
#include <algorithm>

#include "dx/treelist/dxTL.h"
#include "platform/win/Windows.h"

bool TCustomdxTreeList::IsHotTrackCell(int, int, TCursor&, int, TdxTreeListNode*) { return IsHotTrackCell(); }

bool TCustomdxTreeList::IsHotTrackHeader(int X, int Y, int& Part, int Column) {
  Part = 1;
  TdxTreeListDrawInfo info;
  CalcDrawInfo(info);
  const TdxTreeListHeaderItem* h = info.FindHeader(Column);
  if (!h) return true;
  POINT p{X, Y};
  RECT inner = h->Rect;
  InflateRect(&inner, -2, -2);
  // The right 15 pixels of a header at least 16 wide are its filter button's zone.
  if (PtInRect(&h->Clip, p) && inner.right - inner.left >= 16 && X >= inner.right - 15) Part = 2;
  return true;
}

int TCustomdxTreeList::GetHeaderFilterButtonState(int Column) {
  if (!IsFilterActive()) return 0;
  if (hotTrack_.Column == Column && !hotTrack_.Node && hotTrack_.HeaderPart == 2)
    return state_ == tsFilterButtonDown ? 7 : 3;
  return 1;
}

void TCustomdxTreeList::DoHotTrackNode(const TdxTreeListHotTrackInfo& Info, TCursor& Cursor) {
  if (OnHotTrackNode) OnHotTrackNode(this, Info, Cursor);
}

void TCustomdxTreeList::InvalidateHotTrack(const TdxTreeListHotTrackInfo& Info) {
  if (!HandleAllocated()) return;
  if (Info.Node && Info.Column >= 0) {
    RECT cell, row;
    GetCellRect(Info.Node, GetVisibleColumnIndex(Info.Column), cell);
    GetNodeRect(Info.Node, row);
    if (cell.left != -1) ::InvalidateRect(Handle(), &cell, FALSE);
    if (row.left != -1) {
      // The tree part of the row (the hot look may reach the node's image).
      int buttonRight, contentLeft;
      GetTreeIndent(Info.Node, buttonRight, contentLeft);
      row.right = row.left + layout_.IndicatorWidth + contentLeft;
      ::InvalidateRect(Handle(), &row, FALSE);
    }
  } else if (Info.Column >= 0 && Info.HeaderPart != 0) {
    TdxTreeListRectInfo areas;
    CalcRectInfo(areas);
    ::InvalidateRect(Handle(), &areas.HeaderPanel, FALSE);
    UpdateWindow(Handle());
  }
}

void TCustomdxTreeList::DoHotTrack(const TdxTreeListHitInfo& Hit) {
  TrackClearFilterButton(Hit);
  if (!IsHotTrackCell() && !IsFilterActive()) return;
  TdxTreeListHotTrackInfo info;
  TCursor cursor = normalCursor_;
  int part = 0;
  if (Hit.Node && Hit.Column >= 0 && IsHotTrackCell(Hit.Point.x, Hit.Point.y, cursor, Hit.Column, Hit.Node)) {
    info = TdxTreeListHotTrackInfo{Hit.Node, Hit.Column, 0};
  } else if (Hit.HitKind == tlhHeader && Hit.Column >= 0 &&
             IsHotTrackHeader(Hit.Point.x, Hit.Point.y, part, Hit.Column)) {
    info = TdxTreeListHotTrackInfo{nullptr, Hit.Column, part};
  }
  TdxTreeListHotTrackInfo old = hotTrack_;
  if (info.Node == old.Node && info.Column == old.Column) {
    if (info.HeaderPart == old.HeaderPart) return;
    hotTrack_ = info;
    InvalidateHotTrack(old);
    InvalidateHotTrack(info);
    return;
  }
  hotTrack_ = info;
  cursor = normalCursor_;
  DoHotTrackNode(info, cursor);
  if (cursor != Cursor()) SetCursor(cursor);
  InvalidateHotTrack(old);
  InvalidateHotTrack(info);
}
