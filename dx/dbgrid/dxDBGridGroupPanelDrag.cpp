// The group panel under the mouse: a header dropped on it groups its column at the drop position,
// a box dragged off it ungroups its column, and a click on a box toggles the order of its level.
#include <algorithm>
#include <cstdlib>

#include "dx/dbgrid/dxDBGrid.h"
#include "dx/treelist/dxTLConsts.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Input.h"

namespace {

constexpr int kGroupDragThreshold = 5;
constexpr POINT kNoArrows{-100, -100};

}  // namespace

RECT TCustomdxDBGrid::GetGroupPanelRect() {
  TdxTreeListDrawInfo info;
  CalcDrawInfo(info);
  return info.Areas.GroupPanel;
}

bool TCustomdxDBGrid::IsOverGroupPanel(POINT Client) {
  if (!showGroupPanel_) return false;
  const RECT panel = GetGroupPanelRect();
  return PtInRect(&panel, Client);
}

TdxDBTreeListColumn* TCustomdxDBGrid::GetGroupBoxColumnAt(POINT Client) {
  const RECT panel = GetGroupPanelRect();
  const POINT p{Client.x - panel.left, Client.y - panel.top};
  for (int level = 0; level < GroupCount(); ++level) {
    const RECT box = GetGroupBoxRect(level);
    if (PtInRect(&box, p)) return groupColumns_[level];
  }
  return nullptr;
}

POINT TCustomdxDBGrid::ClientCursor() {
  POINT p{};
  GetCursorPos(&p);
  ::ScreenToClient(Handle(), &p);
  return p;
}

void TCustomdxDBGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TdxTreeListHitInfo hit;
  GetHitInfo(POINT{X, Y}, hit);
  if (hit.HitKind == tlhGroupPanel && GroupCount() > 0) {
    TdxDBTreeListColumn* column = GetGroupBoxColumnAt(POINT{X, Y});
    if (column && CanHeaderDragging(IndexOfColumn(column))) pressedGroupColumn_ = column;
    if (Button == mbLeft && pressedGroupColumn_) {
      groupPressPoint_ = POINT{X, Y};
      groupDragPending_ = true;
      Shift.Exclude(ssDouble);  // a double click on a box is two presses
    }
  }
  TCustomdxDBTreeListControl::MouseDown(Button, Shift, X, Y);
}

void TCustomdxDBGrid::MouseMove(TShiftState Shift, int X, int Y) {
  if (groupDragPending_ && pressedGroupColumn_ &&
      (std::abs(X - groupPressPoint_.x) > kGroupDragThreshold ||
       std::abs(Y - groupPressPoint_.y) > kGroupDragThreshold)) {
    groupDragPending_ = false;
    StartDragHeader(IndexOfColumn(pressedGroupColumn_));
  }
  TCustomdxDBTreeListControl::MouseMove(Shift, X, Y);
}

void TCustomdxDBGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TScopeExit reset([&] {
    groupDragPending_ = false;
    pressedGroupColumn_ = nullptr;
  });
  if (pressedGroupColumn_ && Button == mbLeft && State() != tsColumnDragging) {
    TdxDBTreeListColumn* column = pressedGroupColumn_;
    SetState(tsNormal);
    if (IsAutoSort()) ToggleColumnSort(column);
    return;
  }
  TCustomdxDBTreeListControl::MouseUp(Button, Shift, X, Y);
}

bool TCustomdxDBGrid::IsCustomizingHeaders() {
  return TCustomdxDBTreeListControl::IsCustomizingHeaders() || pressedGroupColumn_ != nullptr;
}

void TCustomdxDBGrid::CalcHeaderDropArrowsPos(POINT& ScreenPoint, TdxHeaderPosInfo* PosInfo, int DragIndex,
                                              int PressedIndex) {
  POINT p = ScreenPoint;
  ::ScreenToClient(Handle(), &p);
  if (!IsOverGroupPanel(p)) {
    TCustomdxDBTreeListControl::CalcHeaderDropArrowsPos(ScreenPoint, PosInfo, DragIndex, PressedIndex);
    return;
  }
  if (PosInfo) *PosInfo = TdxHeaderPosInfo{-1, -1, -1, -1};
  ScreenPoint = kNoArrows;
  auto* column = DragIndex >= 0 && DragIndex < GetColumnCount() ? GetDBColumn(DragIndex) : nullptr;
  if (!column || (column->GroupIndex() < 0 && !CanAddGroupColumn(column))) return;
  const RECT panel = GetGroupPanelRect();
  POINT arrows = GetGroupDropArrowsPoint(GetGroupDropPosition(p.x - panel.left));
  arrows.x += panel.left;
  arrows.y += panel.top;
  ::ClientToScreen(Handle(), &arrows);
  ScreenPoint = arrows;
}

void TCustomdxDBGrid::GetDragCursor(POINT ClientPoint, TCursor& Cursor) {
  TCustomdxDBTreeListControl::GetDragCursor(ClientPoint, Cursor);
  POINT screen = ClientPoint;
  ::ClientToScreen(Handle(), &screen);
  if (!IsOverGroupPanel(ClientPoint) || IsOverCustomizingForm(screen)) return;
  const int dragged = DraggedHeader();
  auto* column = dragged >= 0 && dragged < GetColumnCount() ? GetDBColumn(dragged) : nullptr;
  const bool refused = column && column->GroupIndex() < 0 && !pressedGroupColumn_ && !CanAddGroupColumn(column);
  Cursor = refused ? crDXTLDelete : this->Cursor();
}

void TCustomdxDBGrid::EndDragHeader(bool Accept) {
  TScopeExit clear([&] { pressedGroupColumn_ = nullptr; });
  const int dragged = DraggedHeader();
  auto* column = dragged >= 0 && dragged < GetColumnCount() ? GetDBColumn(dragged) : nullptr;
  const POINT p = ClientCursor();
  POINT screen{};
  GetCursorPos(&screen);
  const bool overPanel = IsOverGroupPanel(p) && !IsOverCustomizingForm(screen);
  if (!Accept || (overPanel && !column)) {
    TCustomdxDBTreeListControl::EndDragHeader(Accept);
    return;
  }
  if (overPanel) {
    TCustomdxDBTreeListControl::EndDragHeader(false);
    int position = GetGroupDropPosition(p.x - GetGroupPanelRect().left);
    if (column->GroupIndex() >= 0) position = std::min(position, GroupCount() - 1);
    bool allow = true;
    if (OnEndDragGroupColumn) OnEndDragGroupColumn(this, column, position, allow);
    if (allow) column->SetGroupIndex(position);
    return;
  }
  if (!pressedGroupColumn_) {
    TCustomdxDBTreeListControl::EndDragHeader(true);
    return;
  }
  // A box dragged off the panel: its column is ungrouped and shows again, unless it was dropped on
  // the customizing form, where hidden columns wait.
  const bool wasHidden = !column->Visible();
  TCustomdxDBTreeListControl::EndDragHeader(true);
  RemoveGroupColumn(column->GroupIndex());
  if (wasHidden && IsOverCustomizingForm(screen) && !column->DisableCustomizing() &&
      (GetVisibleColumnCount() > 1 || GetVisibleColumn(0) != column))
    column->SetVisible(false);
  if (!column->Visible() && OnHideHeader) OnHideHeader(this, column);
}
