// Dragging nodes with the framework's drag and drop: the drag starts only once the pointer has moved
// from a pressed row, shows the node's drag image, expands a node held over its expand button and
// scrolls when the pointer rests near the edges.
#include <algorithm>

#include "dx/treelist/dxTL.h"
#include "dx/treelist/dxTLConsts.h"
#include "platform/forms/Forms.h"
#include "platform/win/Windows.h"

namespace {

constexpr int kAutoScrollZone = 12;
constexpr UINT kDragScrollInterval = 100;

// A node's row anywhere but the new-item row: where a node drag moves the focus.
bool IsNodeRowPart(TdxTreeListHitKind Kind) {
  return Kind == tlhButton || Kind == tlhIndent || Kind == tlhRowRight || (IsRowPart(Kind) && Kind != tlhNewItemRow);
}

}  // namespace

void TCustomdxTreeList::WndProc(TMessage& Message) {
  bool press = Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK;
  if (press && DragMode() == dmAutomatic && !ComponentState().Contains(csDesigning) && !Dragging()) {
    // The framework would start the drag at once; the press selects first and the drag starts
    // only when the pointer moves.
    TControlState state = ControlState();
    state.Include(csLButtonDown);
    SetControlState(state);
    Dispatch(Message);
    return;
  }
  if (Message.Msg == WM_KEYDOWN && Dragging() && DragMode() == dmAutomatic && ExpandByDragKey(Message.WParam)) return;
  inherited::WndProc(Message);
}

// Numeric + and - over a node with children expand or collapse it while nodes are dragged.
bool TCustomdxTreeList::ExpandByDragKey(WPARAM Key) {
  if (Key != VK_ADD && Key != VK_SUBTRACT) return false;
  POINT p{};
  GetCursorPos(&p);
  ::ScreenToClient(Handle(), &p);
  TdxTreeListNode* node = GetNodeAt(p.x, p.y);
  if (!node || !NodeHasChildren(node) || node->Expanded() == (Key == VK_ADD)) return true;
  TdxDragFeedbackHider hide(this);
  node->SetExpanded(Key == VK_ADD);
  UpdateNow();
  return true;
}

void TCustomdxTreeList::StartNodeDrag(int X, int Y) {
  TdxTreeListNode* node = mouseDownNode_ ? mouseDownNode_ : GetNodeAt(X, Y);
  if (node) {
    BeginSelection();
    // A press on a node of the selection drags the whole selection.
    if (!selectingWithKeys_ && !deselectOthersAtRelease_) ClearSelection();
    SetFocusedNode(node, GetFocusedColumn(), true);
    SetNodeSelected(node, true);
    EndSelection();
  }
  selectingWithKeys_ = deselectOthersAtRelease_ = false;
  BeginDrag(false);
}

void TCustomdxTreeList::DoStartDrag(TDragObject*& DragObject) {
  if (state_ == tsEditing) CloseEditor();
  KillClickTimer();
  inherited::DoStartDrag(DragObject);
  TdxTreeListNode* node = mouseDownNode_;
  if (!node) {
    POINT p{};
    GetCursorPos(&p);
    ::ScreenToClient(Handle(), &p);
    node = GetNodeAt(p.x, p.y);
  }
  if (node) {
    DoBeginDragNode(node);
    FreeDragImages();
    MakeNodeDragImage(node, GetFocusedColumn());
    SetState(tsNodeDragging);
  }
  engineDragObject_ = nullptr;
}

void TCustomdxTreeList::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  inherited::DragOver(Source, X, Y, State, Accept);
  if (!Dragging() && !engineDragObject_) return;
  if (IsDragScrollTimer()) StopTimerOne();
  TdxTreeListHitInfo hit;
  GetHitInfo(POINT{X, Y}, hit);
  if (HasOptionEx(dxtlox::DragExpand) && hit.HitKind == tlhButton && hit.Node) {
    dragOverNode_ = hit.Node;
    StopExpandTimer();
    StartExpandTimer(std::max(waitForExpandNodeTime_, 0));
  }
  if (!HasOptionEx(dxtlox::DragScroll)) return;
  RECT area;
  GetScrollableAreaRect(area);
  if (X >= area.left && X < area.left + kAutoScrollZone)
    StartTimerOne(TTimerOneKind::DragLeft, kDragScrollInterval);
  else if (X < area.right && X >= area.right - kAutoScrollZone)
    StartTimerOne(TTimerOneKind::DragRight, kDragScrollInterval);
  if (!IsNodeRowPart(hit.HitKind) || !hit.Node) return;
  int column = hit.Column >= 0 ? GetVisibleColumnIndex(hit.Column) : GetFocusedColumn();
  if (hit.Node != focused_ || column != GetFocusedColumn()) {
    TdxDragFeedbackHider hide(this);
    SetFocusedNode(hit.Node, column, false);
    UpdateNow();
  }
  int row = GetAbsoluteIndex(hit.Node), top = GetTopIndex();
  if (hit.Node == top_ && !IsFirstRow(hit.Node))
    StartTimerOne(TTimerOneKind::DragRowUp, kDragScrollInterval);
  else if (row - top >= fullVisibleRowCount_ - 1 && !IsLastRow(hit.Node))
    StartTimerOne(TTimerOneKind::DragRowDown, kDragScrollInterval);
}

void TCustomdxTreeList::DoEndDragInternal(TObject* Target, int X, int Y) {
  inherited::DoEndDragInternal(Target, X, Y);
  mouseDownNode_ = nullptr;
  engineDragObject_ = nullptr;
  dragOverNode_ = nullptr;
  if (IsDragScrollTimer()) StopTimerOne();
  StopExpandTimer();
  SetState(tsNormal);
  FreeDragImages();
}

// --- The framework's drag notifications ---

void TCustomdxTreeList::CMDrag(TCMDrag& Message) {
  bool copy = IsDragDropCopy() && (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  if (GetSelectedCount() <= 1)
    SetDragCursor(copy ? crDXTLDragCopy : crDrag);
  else
    SetDragCursor(copy ? crDXTLMultiDragCopy : crMultiDrag);
  inherited::Dispatch(Message);
  if (state_ == tsNodeDragging || Dragging()) return;
  switch (Message.DragMessage()) {
    case dmDragEnter:
      if (OnDragOver) SetDragObject(dynamic_cast<TDragObject*>(Message.DragRec()->Source));
      break;
    case dmDragLeave:
    case dmDragDrop:
      SetDragObject(nullptr);
      break;
    default:
      break;
  }
}

void TCustomdxTreeList::SetDragObject(TDragObject* Value) {
  if (Value == engineDragObject_) return;
  TDragObject* previous = engineDragObject_;
  engineDragObject_ = Value;
  if (!Value && previous) previous->HideDragImage();
  InvalidateFocusedRow();
  UpdateNow();
  if (!Value && previous) previous->ShowDragImage();
  if (!Value) dragOverNode_ = nullptr;
}
