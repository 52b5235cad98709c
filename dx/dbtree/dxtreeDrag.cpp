// TCustomdxTreeView: the steps of a drag over the tree (enter, move with the drop highlight and
// automatic scrolling, leave, drop, cancel). One drag runs at a time in the process: its source
// node and the node under the cursor are kept here.
#include "dx/dbtree/dxtree.h"
#include "platform/win/Windows.h"

namespace {

TTreeNode* g_dragSourceNode = nullptr;
TTreeNode* g_dropTargetNode = nullptr;

}  // namespace

void TCustomdxTreeView::DoStartDrag(TDragObject*& DragObject) {
  TCustomTreeView::DoStartDrag(DragObject);
  g_dragSourceNode = Focused() ? Selected() : nullptr;
  g_dropTargetNode = nullptr;
}

void TCustomdxTreeView::WithDragImageHidden(const std::function<void()>& Work) {
  if (currentDragObject_) currentDragObject_->HideDragImage();
  Work();
  if (currentDragObject_) currentDragObject_->ShowDragImage();
}

bool TCustomdxTreeView::FullyVisible(TTreeNode* Node) {
  if (!Node) return false;
  RECT r = Node->DisplayRect(false);
  return r.bottom > r.top && r.bottom <= ClientHeight();
}

// Hovering again over the top row scrolls up by one; over a row whose next one is cut off, down.
void TCustomdxTreeView::AutoScrollOver(TTreeNode* Node) {
  TTreeNode* top = TopItem();
  if (!top) return;
  TTreeNode* before = Node->GetPrevVisible();
  if (Node == top) {
    if (before) SetTopItem(before);
  } else if (before == top && top->GetPrevVisible()) {
    SetTopItem(top->GetPrevVisible());
  } else {
    TTreeNode* next = Node->GetNextVisible();
    TTreeNode* afterNext = next ? next->GetNextVisible() : nullptr;
    if ((next && !FullyVisible(next)) || (afterNext && !FullyVisible(afterNext)))
      if (TTreeNode* second = top->GetNextVisible()) SetTopItem(second);
  }
}

void TCustomdxTreeView::DragMoveOver(const POINT& Screen) {
  POINT p = ScreenToClient(Screen);
  THitTests hit = GetHitTestInfoAt(p.x, p.y);
  bool onItem = hit.Contains(htOnIcon) || hit.Contains(htOnLabel) || hit.Contains(htOnStateIcon);
  TTreeNode* node = onItem ? GetNodeAt(p.x, p.y) : nullptr;
  if (!node) {
    g_dropTargetNode = nullptr;
    WithDragImageHidden([this] { SetDropTarget(nullptr); });
    return;
  }
  if (node == g_dropTargetNode) AutoScrollOver(node);
  if (node != g_dropTargetNode) {
    g_dropTargetNode = node;
    WithDragImageHidden([this, node] { SetDropTarget(node); });
  }
}

bool TCustomdxTreeView::DropOnTarget(bool IsCopy) {
  TTreeNode* target = g_dropTargetNode;
  TTreeNode* source = g_dragSourceNode;
  if (target) {
    SetDropTarget(nullptr);
    target->SetSelected(true);
    Invalidate();
  }
  if (!source || source == target) return false;
  if (!AcceptDrop(source, target, IsCopy)) return false;
  if (TTreeNode* made = DropNodes(source, target, IsCopy)) {
    made->MakeVisible();
    made->SetSelected(true);
  }
  return true;
}

void TCustomdxTreeView::HandleDrag(TMessage& Message) {
  auto& drag = static_cast<TCMDrag&>(Message);
  TDragRec* rec = drag.DragRec();
  TDragMessage step = drag.DragMessage();
  if (step == dmFindTarget || rec->Target != this) {
    TCustomTreeView::WndProc(Message);
    return;
  }
  bool accept = false;
  switch (step) {
    case dmDragEnter:
      dragging_ = true;
      g_dropTargetNode = nullptr;
      currentDragObject_ = rec->Source;
      break;
    case dmDragLeave:
      if (g_dragSourceNode)
        WithDragImageHidden([this] {
          SetDropTarget(nullptr);
          g_dragSourceNode->SetSelected(true);
        });
      currentDragObject_ = nullptr;
      break;
    case dmDragMove:
      DragMoveOver(rec->Pos);
      break;
    case dmDragDrop:
      currentDragObject_ = nullptr;
      accept = DropOnTarget(GetKeyState(VK_CONTROL) < 0);
      dragging_ = false;
      g_dropTargetNode = nullptr;
      Invalidate();
      break;
    case dmDragCancel:
      currentDragObject_ = nullptr;
      dragging_ = false;
      g_dropTargetNode = nullptr;
      Invalidate();
      break;
    default:
      break;
  }
  bool ends = step == dmDragDrop || step == dmDragCancel;
  if (!ends && g_dragSourceNode && g_dragSourceNode != g_dropTargetNode) {
    if (g_dropTargetNode) {
      accept = !(g_dragSourceNode->HasChildren() && g_dropTargetNode->HasAsParent(g_dragSourceNode)) &&
               !OnDragOver;
      if (accept) DoDragDropTreeNode(g_dropTargetNode, g_dragSourceNode, accept);
    } else {
      DoDragDropTreeNode(nullptr, g_dragSourceNode, accept);
    }
  }
  TCustomTreeView::WndProc(Message);
  if (ends) {
    g_dragSourceNode = nullptr;
    g_dropTargetNode = nullptr;
    SetDropTarget(nullptr);
  }
  if ((step == dmDragMove || step == dmDragLeave) && accept && Message.Result == 0) Message.Result = 1;
}
