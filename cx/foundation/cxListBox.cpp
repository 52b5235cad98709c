#include "cx/foundation/cxListBox.h"
#include "platform/rtl/ScopeExit.h"

#include "platform/forms/native/ListBoxControls.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomInnerListBox)
TRENVIK_IMPLEMENT_CLASS(TcxInnerListBox)

TRENVIK_MESSAGE_MAP(TcxCustomInnerListBox) {
  M.On(WM_GETDLGCODE, &TcxCustomInnerListBox::WMGetDlgCode);
  M.On(WM_SETFOCUS, &TcxCustomInnerListBox::WMSetFocus);
  M.On(WM_KILLFOCUS, &TcxCustomInnerListBox::WMKillFocus);
  M.On(WM_NCCALCSIZE, &TcxCustomInnerListBox::WMNCCalcSize);
  M.On(WM_NCPAINT, &TcxCustomInnerListBox::WMNCPaint);
  M.On(WM_WINDOWPOSCHANGED, &TcxCustomInnerListBox::WMWindowPosChanged);
  M.On(CM_MOUSEENTER, &TcxCustomInnerListBox::CMMouseEnter);
  M.On(CM_MOUSELEAVE, &TcxCustomInnerListBox::CMMouseLeave);
}

TcxCustomInnerListBox::TcxCustomInnerListBox(TComponent* AOwner) : TListBox(AOwner) {
  cxCanvas_ = std::make_unique<TcxCanvas>(Canvas());
  lookAndFeel_ = std::make_unique<TcxLookAndFeel>(this);
  SetBorderStyle(bsNone);
  SetControlStyle(ControlStyle() + TControlStyle{csDoubleClicks});
  SetParentColor(false);
  SetParentFont(true);
  hScrollBar_ = MakeScrollBar(sbHorizontal);
  vScrollBar_ = MakeScrollBar(sbVertical);
}

TcxCustomInnerListBox::~TcxCustomInnerListBox() {
  // A bar that has a parent belongs to that parent's control list and goes with it.
  for (TcxScrollBar* bar : {hScrollBar_, vScrollBar_})
    if (bar) {
      bar->RemoveFreeNotification(this);
      if (!bar->Parent()) delete bar;
    }
  hScrollBar_ = vScrollBar_ = nullptr;
  lookAndFeel_.reset();
  cxCanvas_.reset();
}

TcxScrollBar* TcxCustomInnerListBox::MakeScrollBar(TScrollBarKind AKind) {
  auto* bar = new TcxScrollBar(nullptr);
  bar->FreeNotification(this);
  bar->SetKind(AKind);
  bar->SetSmallChange(1);
  bar->SetVisible(false);
  bar->LookAndFeel()->SetMasterLookAndFeel(lookAndFeel_.get());
  const UINT msg = AKind == sbHorizontal ? WM_HSCROLL : WM_VSCROLL;
  const int nativeBar = AKind == sbHorizontal ? SB_HORZ : SB_VERT;
  bar->OnScroll = [this, bar, msg, nativeBar](TObject*, TScrollCode Code, int& Pos) {
    if (!HandleAllocated()) return;
    CallWindowProc(DefWndProc(), Handle(), msg, MAKEWPARAM(static_cast<WORD>(Code), static_cast<WORD>(Pos)),
                   reinterpret_cast<LPARAM>(bar->HandleAllocated() ? bar->Handle() : nullptr));
    Pos = GetScrollPos(Handle(), nativeBar);
  };
  return bar;
}

void TcxCustomInnerListBox::Notification(TComponent* AComponent, TOperation Operation) {
  TListBox::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == hScrollBar_) hScrollBar_ = nullptr;
  if (AComponent == vScrollBar_) vScrollBar_ = nullptr;
}

// --- Scroll bars ---

void TcxCustomInnerListBox::UpdateScrollBar(TcxScrollBar* ABar, LONG AObject, int ANativeBar) {
  if (!ABar) return;
  bool visible = false;
  if (Count() > 0 && Parent()) {
    SCROLLBARINFO info;
    if (GetScrollBarInfo(Handle(), AObject, &info) && !(info.rgstate[0] & STATE_SYSTEM_INVISIBLE)) {
      visible = true;
      ABar->SetEnabled(!(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE));
      RECT r = info.rcScrollBar;
      const POINT tl = Parent()->ScreenToClient({r.left, r.top});
      ABar->SetBounds(tl.x, tl.y, r.right - r.left, r.bottom - r.top);
    }
  }
  if (visible) {
    ++scrollBarsLockCount_;
    TScopeExit done([this] { --scrollBarsLockCount_; });
    ABar->SetParent(Parent());
    ABar->SetCtl3D(false);
    ABar->BringToFront();
  } else {
    ABar->SetParent(nullptr);
  }
  ABar->SetVisible(visible);
  if (!visible) return;
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  GetScrollInfo(Handle(), ANativeBar, &si);
  const int page = std::min(static_cast<int>(si.nPage), si.nMax);
  ABar->SetScrollInfo(si.nMin, si.nMax, si.nPos, page, true);
}

void TcxCustomInnerListBox::UpdateScrollBars() {
  if (IsDestroying() || scrollBarsLockCount_ > 0 || !cxIsGetScrollBarInfoAvailable() || !HandleAllocated()) return;
  calculating_ = true;
  TScopeExit done([this] { calculating_ = false; });
  UpdateScrollBar(hScrollBar_, OBJID_HSCROLL, SB_HORZ);
  UpdateScrollBar(vScrollBar_, OBJID_VSCROLL, SB_VERT);
}

RECT TcxCustomInnerListBox::GetSizeGripRect() {
  if (!hScrollBar_ || !vScrollBar_ || !hScrollBar_->Visible() || !vScrollBar_->Visible() || !Parent()) return {};
  POINT p = Parent()->ClientToScreen({vScrollBar_->Left(), hScrollBar_->Top()});
  RECT window;
  GetWindowRect(Handle(), &window);
  p.x -= window.left;
  p.y -= window.top;
  return {p.x, p.y, p.x + vScrollBar_->Width(), p.y + hScrollBar_->Height()};
}

// --- Window procedure ---

void TcxCustomInnerListBox::WndProc(TMessage& Message) {
  if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && container_ &&
      container_->DragMode() == dmAutomatic) {
    container_->BeginAutoDrag();
    return;
  }
  TListBox::WndProc(Message);
  switch (Message.Msg) {
    case WM_CREATE:
    case WM_WINDOWPOSCHANGED:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
    case LB_SETHORIZONTALEXTENT:
    case LB_SETTOPINDEX:
    case WM_MOUSEMOVE:
    case WM_MOUSEWHEEL:
    case CM_WININICHANGE:
      UpdateScrollBars();
      break;
    default:
      break;
  }
}

void TcxCustomInnerListBox::WMNCCalcSize(TMessage& Message) {
  inherited::Dispatch(Message);
  if (!calculating_) UpdateScrollBars();
}

void TcxCustomInnerListBox::WMNCPaint(TMessage& Message) {
  inherited::Dispatch(Message);
  if (!cxIsGetScrollBarInfoAvailable() || !hScrollBar_ || !vScrollBar_) return;
  if (!hScrollBar_->Visible() || !vScrollBar_->Visible()) return;
  const RECT grip = GetSizeGripRect();
  HDC dc = GetWindowDC(Handle());
  FillRect(dc, &grip, GetSysColorBrush(COLOR_BTNFACE));
  ReleaseDC(Handle(), dc);
}

void TcxCustomInnerListBox::WMWindowPosChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (IsDestroying() || !hScrollBar_ || !vScrollBar_ || !hScrollBar_->Visible() || !vScrollBar_->Visible()) return;
  const RECT grip = GetSizeGripRect();
  HRGN rgn = CreateRectRgnIndirect(&grip);
  SendMessage(Handle(), WM_NCPAINT, reinterpret_cast<WPARAM>(rgn), 0);
  DeleteObject(rgn);
}

void TcxCustomInnerListBox::WMGetDlgCode(TMessage& Message) {
  inherited::Dispatch(Message);
  if (!container_) return;
  Message.Result |= DLGC_WANTCHARS;
  if (GetKeyState(VK_CONTROL) >= 0) Message.Result |= DLGC_WANTTAB;
}

void TcxCustomInnerListBox::WMSetFocus(TMessage& Message) {
  inherited::Dispatch(Message);
  if (container_ && !cxContainerDestroying(container_) && !IsDestroying() &&
      !(container_->HandleAllocated() && reinterpret_cast<HWND>(Message.WParam) == container_->Handle()))
    container_->FocusChanged();
}

void TcxCustomInnerListBox::WMKillFocus(TMessage& Message) {
  inherited::Dispatch(Message);
  if (container_ && !cxContainerDestroying(container_)) container_->FocusChanged();
}

void TcxCustomInnerListBox::CMMouseEnter(TMessage& Message) {
  inherited::Dispatch(Message);
  MouseEnter(reinterpret_cast<TControl*>(Message.LParam));
}

void TcxCustomInnerListBox::CMMouseLeave(TMessage& Message) {
  inherited::Dispatch(Message);
  MouseLeave(reinterpret_cast<TControl*>(Message.LParam));
}

void TcxCustomInnerListBox::MouseLeave(TControl*) {
  if (container_) container_->ShortRefreshContainer(true);
}

// --- Forwarding to the container ---

void TcxCustomInnerListBox::Click() {
  TListBox::Click();
  if (!container_) return;
  if (vScrollBar_) vScrollBar_->SetPosition(TopIndex());
  container_->Click();
}

void TcxCustomInnerListBox::DblClick() {
  TListBox::DblClick();
  if (container_) container_->DblClick();
}

void TcxCustomInnerListBox::KeyDown(WORD& Key, TShiftState Shift) {
  if (container_) container_->KeyDown(Key, Shift);
  if (Key != 0) TListBox::KeyDown(Key, Shift);
}

void TcxCustomInnerListBox::KeyPress(Char& Key) {
  if (Key == VK_TAB) Key = 0;
  if (container_) {
    container_->KeyPress(Key);
    if (Key == VK_RETURN) Key = 0;
  }
  if (Key != 0) TListBox::KeyPress(Key);
}

void TcxCustomInnerListBox::KeyUp(WORD& Key, TShiftState Shift) {
  if (Key == VK_TAB) Key = 0;
  if (container_) container_->KeyUp(Key, Shift);
  if (Key != 0) TListBox::KeyUp(Key, Shift);
}

void TcxCustomInnerListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TListBox::MouseDown(Button, Shift, X, Y);
  if (!container_) return;
  container_->InnerMouseDown = true;
  TScopeExit done([c = container_] { c->InnerMouseDown = false; });
  container_->MouseDown(Button, Shift, X + Left(), Y + Top());
}

void TcxCustomInnerListBox::MouseMove(TShiftState Shift, int X, int Y) {
  TListBox::MouseMove(Shift, X, Y);
  if (container_) container_->MouseMove(Shift, X + Left(), Y + Top());
}

void TcxCustomInnerListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TListBox::MouseUp(Button, Shift, X, Y);
  if (container_) container_->MouseUp(Button, Shift, X + Left(), Y + Top());
}

bool TcxCustomInnerListBox::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) {
  if (!container_) return TListBox::DoMouseWheel(Shift, WheelDelta, MousePos);
  const bool handled = container_->DoMouseWheel(Shift, WheelDelta, MousePos);
  if (!handled) TListBox::DoMouseWheel(Shift, WheelDelta, MousePos);
  return handled;
}

void TcxCustomInnerListBox::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  if (container_) container_->DragOver(Source, X + Left(), Y + Top(), State, Accept);
}

void TcxCustomInnerListBox::DragDrop(TObject* Source, int X, int Y) {
  if (container_) container_->DragDrop(Source, X + Left(), Y + Top());
}
