#include "dx/bars/dxBarCustomizingDrag.h"

#include <cstdlib>

#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarCustomizingForm.h"
#include "dx/bars/dxBarSubMenuControl.h"
#include "dx/bars/dxBarSubMenuEditor.h"
#include "dx/bars/dxBarItemLinks.h"
#include "dx/bars/dxBarToolbarControl.h"
#include "platform/forms/Forms.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Objects.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

namespace {

constexpr TCursor kDragCursor = 1041;
constexpr TCursor kDragCopyCursor = 1042;
constexpr TCursor kNoDropCursor = 1043;
// A link dragged along its bar by more than this toggles the separator before it.
constexpr int kBeginGroupOffset = 3;

bool CtrlDown() { return GetKeyState(VK_CONTROL) < 0; }

// The shown link next to Link in its collection (Step -1 before, +1 after), or none.
TdxBarItemLink* ShownNeighbour(const TdxBarItemLink* Link, int Step) {
  const auto& shown = Link->Owner()->VisibleItems();
  for (size_t i = 0; i < shown.size(); ++i) {
    if (shown[i] != Link) continue;
    auto next = static_cast<std::ptrdiff_t>(i) + Step;
    return next >= 0 && next < static_cast<std::ptrdiff_t>(shown.size()) ? shown[next] : nullptr;
  }
  return nullptr;
}

void DrawLine(HDC DC, int X1, int Y1, int X2, int Y2) {
  MoveToEx(DC, X1, Y1, nullptr);
  LineTo(DC, X2, Y2);
}

}  // namespace

bool InsertChangesLayout(const TdxBarDropTarget& Target, const TdxBarItemLink* Dragged, bool Copy) {
  if (!Target.Control) return false;
  if (!Dragged || Copy) return true;
  const TdxBarItemLink* at = Target.Control->ItemLink();
  const bool separatorBefore = Target.InSeparator && Target.Before;
  if (at == Dragged) return separatorBefore;
  if (at == ShownNeighbour(Dragged, -1) && !Dragged->BeginGroup() && !Target.InSeparator && !Target.Before)
    return false;
  if (!ShownNeighbour(Dragged, +1)) return true;
  if (at == ShownNeighbour(Dragged, +1) && (separatorBefore || (!at->BeginGroup() && Target.Before))) return false;
  return true;
}

void DrawInsertionMark(const TdxBarDropTarget& Target) {
  TdxBarItemControl* control = Target.Control;
  if (!control || !control->Parent() || !control->Parent()->HandleAllocated()) return;
  TdxBarItemLink* link = control->ItemLink();
  bool before = true;
  if (Target.InSeparator) {
    // The upper half of a separator gap marks the end of the previous group.
    if (Target.Before) {
      if (TdxBarItemLink* previous = ShownNeighbour(link, -1)) {
        link = previous;
        before = false;
      }
    }
  } else if (!Target.Before) {
    before = false;
    TdxBarItemLink* next = ShownNeighbour(link, +1);
    if (!control->LastInBar() && !control->LineBreak() && next && !next->BeginGroup() && !next->Control()->LineBreak()) {
      link = next;
      before = true;
    }
  }
  RECT r = link->ItemRect();
  HWND window = control->Parent()->Handle();
  HDC dc = GetDC(window);
  TScopeExit release([&] { ReleaseDC(window, dc); });
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
  SetROP2(dc, R2_NOT);
  if (Target.Vertical) {
    int y = before ? r.top : r.bottom - 6;
    DrawLine(dc, r.left, y, r.left, y + 6);
    DrawLine(dc, r.left + 1, y + 1, r.left + 1, y + 5);
    DrawLine(dc, r.left + 2, y + 2, r.right - 2, y + 2);
    DrawLine(dc, r.left + 2, y + 3, r.right - 2, y + 3);
    DrawLine(dc, r.right - 2, y + 1, r.right - 2, y + 5);
    DrawLine(dc, r.right - 1, y, r.right - 1, y + 6);
  } else {
    int x = before ? r.left : r.right - 6;
    DrawLine(dc, x, r.top, x + 6, r.top);
    DrawLine(dc, x + 1, r.top + 1, x + 5, r.top + 1);
    DrawLine(dc, x + 2, r.top + 2, x + 2, r.bottom - 2);
    DrawLine(dc, x + 3, r.top + 2, x + 3, r.bottom - 2);
    DrawLine(dc, x + 1, r.bottom - 2, x + 5, r.bottom - 2);
    DrawLine(dc, x, r.bottom - 1, x + 6, r.bottom - 1);
  }
  SetROP2(dc, R2_COPYPEN);
  SelectObject(dc, oldPen);
}

// --- The loop ---

TdxBarItemLinkDrag::TdxBarItemLinkDrag(TdxBarManager* Manager, TdxBarItem* Item, TdxBarItemLink* Link, POINT Press)
    : manager_(Manager), item_(Item), link_(Link), press_(Press) {}

void TdxBarManager::DragItemLink(TdxBarItem* Item, TdxBarItemLink* Link, const POINT* Press) {
  if (!Item || dragging_) return;
  POINT press;
  if (Press)
    press = *Press;
  else
    GetCursorPos(&press);
  TdxBarItemLinkDrag(this, Item, Link, press).Run();
}

void TdxBarItemLinkDrag::Run() {
  manager_->draggedItem_ = item_;
  manager_->draggedLink_ = link_;
  manager_->dragging_ = true;
  copy_ = CtrlDown();
  TCursor savedCursor = Screen->Cursor();
  HWND capture = manager_->GetWindowForCapture();
  SetCapture(capture);
  {
    TScopeExit cleanUp([&] {
      if (markShown_) ShowMark(false);
      if (GetCapture() == capture) ReleaseCapture();
      Screen->SetCursor(savedCursor);
      manager_->dragging_ = false;
    });
    while (GetCapture() == capture) {
      MSG msg;
      TModalPeek peek = PeekModalMessage(msg);
      if (peek == TModalPeek::Handled) continue;
      if (peek == TModalPeek::Quit) break;
      if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) {
        if (msg.wParam == VK_CONTROL) {
          copy_ = msg.message == WM_KEYDOWN;
          MouseMove();
        } else if (msg.wParam == VK_ESCAPE && msg.message == WM_KEYDOWN) {
          break;
        }
        continue;
      }
      if (msg.message == WM_LBUTTONUP) {
        // Moves may arrive merged with the release: the target is where the button went up.
        dropped_ = true;
        GetCursorPos(&release_);
        if (release_.x != press_.x || release_.y != press_.y) {
          moved_ = true;
          MouseMove();
        }
        break;
      }
      if (msg.message == WM_MOUSEMOVE) {
        moved_ = true;
        MouseMove();
        continue;
      }
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  Finish();
}

void TdxBarItemLinkDrag::Finish() {
  // The link may have gone with its window while the loop ran other messages.
  if (dropped_ && moved_) Drop();
  manager_->draggedItem_ = nullptr;
  if (link_ && link_->Control()) link_->Control()->Repaint();
  manager_->draggedLink_ = nullptr;
}

TCustomdxBarControl* TdxBarItemLinkDrag::WindowUnderCursor() const {
  POINT cursor;
  GetCursorPos(&cursor);
  // Over the sub-menu editor the menu it edits opens (unless it may not take the dragged item).
  if (TdxBarSubMenuEditor* editor = GetSubMenuEditor(); editor && editor->HandleAllocated()) {
    RECT frame;
    GetWindowRect(editor->Handle(), &frame);
    if (PtInRect(&frame, cursor)) {
      editor->ShowMenu();
      return nullptr;
    }
  }
  for (HWND h = WindowFromPoint(cursor); h; h = GetParent(h)) {
    auto* bar = dynamic_cast<TCustomdxBarControl*>(FindControl(h));
    if (!bar) continue;
    if (bar->BarManager() != manager_ || !bar->AllowsCustomizing()) return nullptr;
    return bar;
  }
  // Docked bars lie in the owner form, which is disabled while customizing: the point finds none.
  if (TdxBarCustomizingForm* form = GetCustomizingForm(); form && form->HandleAllocated()) {
    RECT formRect;
    GetWindowRect(form->Handle(), &formRect);
    if (PtInRect(&formRect, cursor)) return nullptr;
  }
  for (int i = 0; i < manager_->Bars()->Count(); ++i) {
    TdxBarControl* bar = manager_->Bars()->Items(i)->Control();
    if (!bar || !bar->HandleAllocated() || !IsWindowVisible(bar->Handle())) continue;
    RECT r;
    GetWindowRect(bar->Handle(), &r);
    if (PtInRect(&r, cursor)) return bar->AllowsCustomizing() ? bar : nullptr;
  }
  return nullptr;
}

bool TdxBarItemLinkDrag::LayoutIsVertical(const TCustomdxBarControl* Window) const {
  return Window->IsPopupWindow() || Window->IsVertical();
}

void TdxBarItemLinkDrag::MouseMove() {
  TCustomdxBarControl* window = WindowUnderCursor();
  TdxBarDropTarget target;
  if (window) {
    POINT cursor;
    GetCursorPos(&cursor);
    target = window->GetDropTarget(window->ScreenToClient(cursor));
  }
  TCursor cursor = kDragCopyCursor;
  if (!window || (!target.Control && !window->ItemLinks()->VisibleItems().empty()))
    cursor = kNoDropCursor;
  else if (!copy_ && link_)
    cursor = kDragCursor;
  Screen->SetCursor(cursor);
  auto* menu = dynamic_cast<TdxBarSubMenuControl*>(window);
  if (!menu || !menu->Scrolling()) ChangeTarget(window, target);
  if (!menu) return;
  // A menu with more links than room scrolls while the cursor rests on its arrows; what it
  // scrolls past is no target.
  POINT cursorAt;
  GetCursorPos(&cursorAt);
  cursorAt = menu->ScreenToClient(cursorAt);
  SendMessage(menu->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(cursorAt.x, cursorAt.y));
  if (!IsBarControlAlive(menu) || !menu->Scrolling()) return;
  ShowMark(false);
  target_ = TdxBarDropTarget();
}

void TdxBarItemLinkDrag::ChangeTarget(TCustomdxBarControl* Window, const TdxBarDropTarget& Target) {
  bool controlChanged = Target.Control != target_.Control;
  if (markShown_) ShowMark(false);
  window_ = Window;
  target_ = Target;
  ShowMark(InsertChangesLayout(target_, link_, copy_));
  if (!controlChanged) return;
  manager_->SetSelectedItem(Target.Control);
  if (Target.Control && Window) Window->SetSelectedControl(Target.Control);
}

void TdxBarItemLinkDrag::ShowMark(bool Show) {
  if (Show == markShown_) return;
  if (target_.Control && IsBarControlAlive(target_.Control->Parent())) DrawInsertionMark(target_);
  markShown_ = Show;
}

void TdxBarItemLinkDrag::Drop() {
  if (!window_ || !IsBarControlAlive(window_)) {
    DropOutside();
    return;
  }
  TdxBarItemLink* at = target_.Control ? target_.Control->ItemLink() : nullptr;
  if (!target_.Control || !link_ || (at != link_ && InsertChangesLayout(target_, link_, copy_)) || copy_ ||
      (target_.InSeparator && target_.Before)) {
    DropInto();
    return;
  }
  DropOnItself();
}

void TdxBarItemLinkDrag::DropOutside() {
  if (link_ && !copy_) {
    TdxBarItemLinks* links = link_->Owner();
    delete link_;
    link_ = nullptr;
    if (links->BarControl()) links->BarControl()->Rebuild();
    manager_->DesignerModified();
  }
  manager_->SetSelectedItem(nullptr);
}

void TdxBarItemLinkDrag::DropInto() {
  POINT cursor = window_->ScreenToClient(release_);
  RECT client = window_->ClientRect();
  bool accepted = target_.Control || (PtInRect(&client, cursor) && window_->ItemLinks()->VisibleItems().empty());
  if (!accepted) {
    manager_->SetSelectedItem(nullptr);
    return;
  }
  TdxBarItemLinks* links = window_->ItemLinks();
  TdxBarItemLink* at = target_.Control ? target_.Control->ItemLink() : nullptr;
  TdxBarItemLink* added = links->Add();
  try {
    added->SetItem(item_);
  } catch (...) {
    // An item that would contain its own menu is refused (the message says why).
    delete added;
    throw;
  }
  added->MoveToFront(true);
  if (link_) {
    added->Assign(link_);
    added->SetBeginGroup(false);
  }
  if (at) {
    added->SetIndex(at->Index() + (target_.InSeparator || target_.Before ? 0 : 1));
    if ((target_.InSeparator && !target_.Before) || (!target_.InSeparator && target_.Before && at->BeginGroup())) {
      at->SetBeginGroup(false);
      added->SetBeginGroup(true);
    }
  }
  if (link_ && !copy_) {
    TdxBarItemLinks* from = link_->Owner();
    delete link_;
    link_ = nullptr;
    if (from != links && from->BarControl()) from->BarControl()->Rebuild();
  }
  window_->Rebuild();
  if (added->Control()) {
    manager_->SetSelectedItem(added->Control());
    window_->SetSelectedControl(added->Control());
  }
  manager_->DesignerModified();
}

void TdxBarItemLinkDrag::DropOnItself() {
  if (!link_ || !link_->Owner()->BarControl()) return;
  bool vertical = LayoutIsVertical(link_->Owner()->BarControl());
  int offset = vertical ? release_.y - press_.y : release_.x - press_.x;
  if (std::abs(offset) <= kBeginGroupOffset) return;
  if (link_->BeginGroup() == (offset > 0)) return;
  link_->SetBeginGroup(offset > 0);
  link_->Owner()->BarControl()->Rebuild();
  manager_->DesignerModified();
}
