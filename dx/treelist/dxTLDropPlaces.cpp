// Where a dragged band or header would land, and where the drop arrows then stand: computed from the
// draw information in client coordinates, answered in screen coordinates.
#include <algorithm>

#include "dx/treelist/dxTL.h"
#include "dx/treelist/dxTLConsts.h"
#include "platform/win/Windows.h"

namespace {

// The arrows' box stands 5 pixels left of the place and 9 pixels above the item's top.
constexpr int kArrowsDX = 5, kArrowsDY = 9;

bool SpansX(const RECT& R, int X) { return X >= R.left && X < R.right; }
bool InsideRect(const RECT& R, POINT P) { return SpansX(R, P.x) && P.y >= R.top && P.y < R.bottom; }
bool InRows(const RECT& R, int Y) { return Y >= R.top && Y < R.bottom; }
int Middle(const RECT& R) { return (R.left + R.right) / 2; }

}  // namespace

bool TCustomdxTreeList::IsOwnColumnsMove(int Column, int TargetColumn, int TargetBandPos) {
  int from = GetBandVisibleIndex(GetColumnBandIndex(Column));
  int to = TargetColumn >= 0 ? GetBandVisibleIndex(GetColumnBandIndex(TargetColumn)) : TargetBandPos;
  if (from == to) return false;
  return (from >= 0 && IsVisibleBandOnlyOwnColumns(from)) || (to >= 0 && IsVisibleBandOnlyOwnColumns(to));
}

void TCustomdxTreeList::CalcBandDropArrowsPos(POINT& ScreenPoint, int* PosInfo, int DragIndex, int PressedIndex) {
  POINT p = ScreenPoint;
  ::ScreenToClient(Handle(), &p);
  ScreenPoint = kNoPlace;
  SetBandPosInfo(PosInfo, dxDropOutside);
  TdxTreeListDrawInfo info;
  CalcDrawInfo(info);
  const RECT& panel = info.Areas.BandPanel;
  if (!InRows(panel, p.y)) return;
  SetBandPosInfo(PosInfo, dxDropNowhere);
  if (info.Bands.empty()) {
    SetBandPosInfo(PosInfo, 0);
    ScreenPoint = POINT{panel.left - kArrowsDX, panel.top - kArrowsDY};
    ::ClientToScreen(Handle(), &ScreenPoint);
    return;
  }
  int last = GetVisibleBandCount() - 1;
  auto leftFixed = [&](int V) { return V == 0 && GetLeftFixedBandIndex() == 0; };
  auto rightFixed = [&](int V) { return V == last && GetRightFixedBandIndex() == last; };
  const TdxTreeListBandItem* target = nullptr;
  bool before = false;
  for (const TdxTreeListBandItem& b : info.Bands) {
    if (!SpansX(b.Clip, p.x)) continue;
    int v = b.VisibleIndex;
    if (v == PressedIndex) return;
    before = p.x <= Middle(b.Rect);
    // Next to the pressed band on its own side nothing would change.
    if (PressedIndex != -1 && ((before && v == PressedIndex + 1) || (!before && v + 1 == PressedIndex))) return;
    if ((before && leftFixed(v)) || (!before && rightFixed(v))) return;
    target = &b;
    break;
  }
  if (!target) {
    const TdxTreeListBandItem& b = info.Bands.back();
    if (p.x < b.Clip.right || b.VisibleIndex == PressedIndex || rightFixed(b.VisibleIndex)) return;
    target = &b;
    before = false;
  }
  int v = target->VisibleIndex, place = v;
  if (before && PressedIndex != -1 && PressedIndex < v) --place;
  if (!before && ((PressedIndex != -1 && v < PressedIndex) || (PressedIndex == -1 && DragIndex != -1))) ++place;
  SetBandPosInfo(PosInfo, place);
  int x = (before ? target->Clip.left : target->Clip.right) - kArrowsDX;
  ScreenPoint = POINT{std::clamp(x, panel.left - kArrowsDX, std::max(panel.left - kArrowsDX, int(panel.right))),
                      target->Rect.top - kArrowsDY};
  ::ClientToScreen(Handle(), &ScreenPoint);
}

void TCustomdxTreeList::CalcHeaderDropArrowsPos(POINT& ScreenPoint, TdxHeaderPosInfo* PosInfo, int DragIndex,
                                                int PressedIndex) {
  POINT p = ScreenPoint;
  ::ScreenToClient(Handle(), &p);
  ScreenPoint = kNoPlace;
  SetHeaderPosInfo(PosInfo, -1, dxDropOutside, -1, -1);
  TdxTreeListDrawInfo info;
  CalcDrawInfo(info);
  const RECT& panel = info.Areas.HeaderPanel;
  if (info.Bands.empty() || !InRows(panel, p.y)) return;
  SetHeaderPosInfo(PosInfo, -1, dxDropNowhere, -1, -1);
  auto forbidden = [&](int TargetColumn, int TargetBand) {
    return DragIndex >= 0 && IsOwnColumnsMove(DragIndex, TargetColumn, TargetBand);
  };
  auto place = [&](int X, int Y) {
    ScreenPoint = POINT{std::clamp(X, panel.left - kArrowsDX, std::max(panel.left - kArrowsDX, int(panel.right))), Y};
    ::ClientToScreen(Handle(), &ScreenPoint);
  };
  const TdxTreeListHeaderItem* pressed = PressedIndex >= 0 ? info.FindHeader(PressedIndex) : nullptr;
  const TdxTreeListHeaderItem* target = nullptr;
  bool before = false;
  const RECT& lastBand = info.Bands.back().Clip;
  for (const TdxTreeListHeaderItem& h : info.Headers) {
    if (!InsideRect(h.Clip, p)) continue;
    if (forbidden(h.Column, h.Band) || h.Column == PressedIndex) {
      SetHeaderPosInfo(PosInfo, h.Band, dxDropNowhere, h.Position, h.Row);
      return;
    }
    before = p.x <= Middle(h.Rect);
    if (pressed && pressed->Band == h.Band && pressed->Row == h.Row) {
      int mine = GetVisibleColumnIndex(PressedIndex), its = GetVisibleColumnIndex(h.Column);
      if ((before && its == mine + 1) || (!before && its + 1 == mine)) return;
    }
    target = &h;
    break;
  }
  if (!target && p.x < lastBand.right) {
    // Below a band's last header row: a new row there, else the empty band itself.
    for (auto it = info.Headers.rbegin(); it != info.Headers.rend(); ++it) {
      if (!SpansX(it->Clip, p.x) || forbidden(-1, it->Band)) continue;
      SetHeaderPosInfo(PosInfo, it->Band, dxDropValid, it->Position, it->Row + 1);
      place(std::min(std::max(it->Clip.left, it->Rect.left) - kArrowsDX, int(it->Rect.right)),
            it->Rect.top + layout_.HeaderRowHeight - kArrowsDY);
      return;
    }
    for (const TdxTreeListBandItem& b : info.Bands) {
      if (!SpansX(b.Clip, p.x) || forbidden(-1, b.VisibleIndex)) continue;
      SetHeaderPosInfo(PosInfo, b.VisibleIndex, dxDropValid, 0, 0);
      place(b.Clip.left - kArrowsDX, b.Rect.bottom - kArrowsDY);
      return;
    }
    return;
  }
  if (!target) {
    // Right of the last band: after the last header of the row at the pointer's height.
    POINT edge{lastBand.right - 1, p.y};
    for (auto it = info.Headers.rbegin(); it != info.Headers.rend() && !target; ++it)
      if (InsideRect(it->Clip, edge)) target = &*it;
    if (target && forbidden(target->Column, target->Band)) {
      SetHeaderPosInfo(PosInfo, target->Band, dxDropNowhere, target->Position, target->Row);
      return;
    }
    if (!target && info.Headers.empty()) return;
    if (!target) target = &info.Headers.back();
    before = false;
  }
  // Positions count within the target's row; taking the dragged header out of that same row moves
  // the headers after it one place to the left.
  bool sameRow = pressed && pressed->Band == target->Band && pressed->Row == target->Row;
  int c = target->Position;
  int column = c;
  if (before)
    column = c > 0 && sameRow && pressed->Position < c ? c - 1 : c;
  else
    column = (sameRow && pressed->Position <= c) || (!pressed && DragIndex == -1) ? c : c + 1;
  SetHeaderPosInfo(PosInfo, target->Band, dxDropValid, column, target->Row);
  place((before ? target->Clip.left : target->Clip.right) - kArrowsDX, target->Rect.top - kArrowsDY);
}

void TCustomdxTreeList::GetDragCursor(POINT, TCursor& Cursor) {
  if (state_ == tsColumnDragging && GetVisibleBandCount() == 0) Cursor = crDXTLDelete;
}
