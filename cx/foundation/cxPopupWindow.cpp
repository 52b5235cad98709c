#include "cx/foundation/cxPopupWindow.h"
#include "platform/rtl/ScopeExit.h"

#include <algorithm>

#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TcxPopupWindow)
TRENVIK_IMPLEMENT_CLASS(TcxCustomPopupWindow)

namespace popup_internal {
std::vector<TcxCustomPopupWindow*>& ShownPopups() {
  static std::vector<TcxCustomPopupWindow*> list;
  return list;
}
}  // namespace popup_internal

using popup_internal::ShownPopups;

const std::vector<TcxCustomPopupWindow*>& cxShownPopups() { return ShownPopups(); }

// --- Placement ---

namespace {

void PlaceByAlignment(const RECT& O, SIZE S, TcxPopupPlacement ADirection, TcxPopupHorzAlignment H,
                      TcxPopupVertAlignment V, int& X, int& Y) {
  if (H == phaCenter) X = (O.left + O.right - S.cx) / 2;
  if (V == pvaCenter) Y = (O.top + O.bottom - S.cy) / 2;
  if (ADirection == ppVertical) {
    if (H == phaLeft) X = O.left;
    if (H == phaRight) X = O.right - S.cx;
    if (V == pvaTop) Y = O.top - S.cy;
    if (V == pvaBottom) Y = O.bottom;
  } else {
    if (H == phaLeft) X = O.left - S.cx;
    if (H == phaRight) X = O.right;
    if (V == pvaTop) Y = O.top;
    if (V == pvaBottom) Y = O.bottom - S.cy;
  }
}

}  // namespace

POINT cxCalculatePopupPosition(const RECT& O, SIZE S, const RECT& W, TcxPopupPlacement ADirection,
                               TcxPopupHorzAlignment H, TcxPopupVertAlignment V) {
  int x = 0, y = 0;
  PlaceByAlignment(O, S, ADirection, H, V, x, y);
  if (ADirection == ppVertical) {
    const bool moreRoomAbove = (W.bottom - O.bottom) < (O.top - W.top);
    if (V == pvaBottom && W.bottom < y + S.cy && moreRoomAbove) V = pvaTop;
    else if (V == pvaTop && y < W.top && !moreRoomAbove) V = pvaBottom;
  } else {
    const bool moreRoomLeft = (W.right - O.right) < (O.left - W.left);
    if (H == phaRight && W.right < x + S.cx && moreRoomLeft) H = phaLeft;
    else if (H == phaLeft && x < W.left && !moreRoomLeft) H = phaRight;
  }
  PlaceByAlignment(O, S, ADirection, H, V, x, y);
  if (ADirection == ppVertical || H == phaCenter) {
    if (x + S.cx > W.right) x = W.right - S.cx;
    if (x < W.left) x = W.left;
  }
  if (ADirection == ppHorizontal || V == pvaCenter) {
    if (y + S.cy > W.bottom) y = W.bottom - S.cy;
    if (y < W.top) y = W.top;
  }
  return {x, y};
}

// --- TcxPopupWindow ---

TRENVIK_MESSAGE_MAP(TcxPopupWindow) {
  M.On(WM_ACTIVATE, &TcxPopupWindow::WMActivate);
  M.On(WM_ACTIVATEAPP, &TcxPopupWindow::WMActivateApp);
  M.On(CM_VISIBLECHANGED, &TcxPopupWindow::CMVisibleChanged);
}

TcxPopupWindow::TcxPopupWindow() : TForm(nullptr) {
  SetBorderStyle(bsNone);
  SetFormStyle(fsStayOnTop);
  cxCanvas_ = std::make_unique<TcxCanvas>(TForm::Canvas());
}

TcxPopupWindow::~TcxPopupWindow() = default;

void TcxPopupWindow::SetFrameStyle(TcxPopupFrame Value) {
  const int dx = GetBorderWidth(0), dy = GetBorderWidth(1);
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    c->SetBounds(c->Left() - dx, c->Top() - dy, c->Width(), c->Height());
  }
  frameStyle_ = Value;
}

int TcxPopupWindow::GetFrameWidth(int) {
  switch (frameStyle_) {
    case pfLine:
    case pfBevel: return 1;
    case pfDoubleBevel: return 2;
    default: return 0;
  }
}

void TcxPopupWindow::InitPopup() {
  if (ownerParent_) Font()->Assign(ownerParent_->Font());
}

void TcxPopupWindow::CalculatePosition() {
  RECT o = ownerBounds_;
  if (ownerParent_) {
    const POINT tl = ownerParent_->ClientToScreen({o.left, o.top});
    o = {tl.x, tl.y, tl.x + (o.right - o.left), tl.y + (o.bottom - o.top)};
  }
  // The work area of the monitor the first placement lands on.
  int x = 0, y = 0;
  PlaceByAlignment(o, {Width(), Height()}, direction_, alignHorz_, alignVert_, x, y);
  const RECT w = cxGetMonitorWorkArea({x, y});
  const POINT p = cxCalculatePopupPosition(o, {Width(), Height()}, w, direction_, alignHorz_, alignVert_);
  SetBounds(p.x, p.y, Width(), Height());
}

void TcxPopupWindow::CalculateSize() {
  if (!adjustable_) return;
  int right = 0, bottom = 0;
  const int dx = GetBorderWidth(0), dy = GetBorderWidth(1);
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    right = std::max(right, c->Left() + c->Width());
    bottom = std::max(bottom, c->Top() + c->Height());
    c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
  }
  int w = Width(), h = Height();
  if (right != 0) w = dx + right + GetBorderWidth(2);
  if (bottom != 0) h = dy + bottom + GetBorderWidth(3);
  SetBounds(Left(), Top(), w, h);
}

void TcxPopupWindow::ShowPopup() {
  InitPopup();
  CalculateSize();
  CalculatePosition();
  Show();
}

void TcxPopupWindow::DrawFrame() {
  RECT r{0, 0, Width(), Height()};
  switch (frameStyle_) {
    case pfLine: cxCanvas_->FrameRect(r, frameColor_, 1); break;
    case pfBevel: cxCanvas_->DrawBevelFrame(r, false, false); break;
    case pfDoubleBevel:
      cxCanvas_->DrawBevelFrame(r, false, true);
      InflateRect(&r, -1, -1);
      cxCanvas_->DrawBevelFrame(r, false, false);
      break;
    default: break;
  }
}

void TcxPopupWindow::Paint() {
  TForm::Paint();
  DrawFrame();
}

void TcxPopupWindow::WMActivate(TMessage& Message) {
  inherited::Dispatch(Message);
  if (LOWORD(Message.WParam) != WA_INACTIVE) {
    prevActiveWindow_ = reinterpret_cast<HWND>(Message.LParam);
    if (prevActiveWindow_) SendMessage(prevActiveWindow_, WM_NCACTIVATE, TRUE, 0);
  }
}

void TcxPopupWindow::WMActivateApp(TMessage& Message) {
  inherited::Dispatch(Message);
  if (!hidesOnAppDeactivate_ || Message.WParam) return;
  if (prevActiveWindow_) SendMessage(prevActiveWindow_, WM_NCACTIVATE, FALSE, 0);
  HidePopup();
}

void TcxPopupWindow::Deactivate() {
  TForm::Deactivate();
  HidePopup();
}

void TcxPopupWindow::CMVisibleChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  VisibleChanged();
}

// --- TcxCustomPopupWindow ---

TRENVIK_MESSAGE_MAP(TcxCustomPopupWindow) {
  M.On(WM_ERASEBKGND, &TcxCustomPopupWindow::WMEraseBkgnd);
  M.On(WM_MOUSEACTIVATE, &TcxCustomPopupWindow::WMMouseActivate);
  M.On(CM_CLOSEPOPUPWINDOW, &TcxCustomPopupWindow::CMClosePopupWindow);
  M.On(CM_SHOWPOPUPWINDOW, &TcxCustomPopupWindow::CMShowPopupWindow);
}

// A non-modal popup leaves the focus with its owner: clicks in it (on a list, a grip) do not
// activate it.
void TcxCustomPopupWindow::WMMouseActivate(TMessage& Message) {
  if (ModalMode()) {
    inherited::Dispatch(Message);
    return;
  }
  Message.Result = MA_NOACTIVATE;
}

TcxCustomPopupWindow::TcxCustomPopupWindow(TControl* AOwnerControl) : ownerControl_(AOwnerControl) {
  hidesOnAppDeactivate_ = false;
  SetFormStyle(fsNormal);
  SetVisible(false);
  SetKeyPreview(true);
}

TcxCustomPopupWindow::~TcxCustomPopupWindow() {
  destroying_ = true;
  std::erase(ShownPopups(), this);
  if (style_) style_->OnChanged = nullptr;
}

// Made on first use, so that a descendant's style and view info classes are the ones made.
TcxCustomContainerStyle* TcxCustomPopupWindow::Style() {
  if (!style_) {
    style_.reset(GetStyleClass()(this, false));
    style_->OnChanged = [this](TObject* Sender) { StyleChanged(Sender); };
  }
  return style_.get();
}

TcxContainerViewInfo* TcxCustomPopupWindow::ViewInfo() {
  if (!viewInfo_) viewInfo_.reset(GetViewInfoClass()());
  return viewInfo_.get();
}

TcxContainerStyleClass TcxCustomPopupWindow::GetStyleClass() {
  return [](TPersistent* AOwner, bool ASilent) { return new TcxCustomContainerStyle(AOwner, ASilent); };
}

TcxContainerViewInfoClass TcxCustomPopupWindow::GetViewInfoClass() {
  return [] { return new TcxContainerViewInfo(); };
}

bool TcxCustomPopupWindow::IsPopupShown() const {
  const auto& list = ShownPopups();
  return std::find(list.begin(), list.end(), this) != list.end();
}

bool TcxCustomPopupWindow::HasCapture() { return HandleAllocated() && GetCapture() == Handle(); }

void TcxCustomPopupWindow::PostClosePopup() { PostMessage(Handle(), CM_CLOSEPOPUPWINDOW, 0, 0); }

bool TcxCustomPopupWindow::AcceptsSysKey(WORD AKey) {
  return (AKey >= VK_PRIOR && AKey <= VK_DOWN) || AKey == VK_F4;
}

bool TcxCustomPopupWindow::Focused() {
  if (!IsPopupShown() || !modalMode_ || !HandleAllocated()) return false;
  const HWND focus = GetFocus();
  return focus == Handle() || cxIsChildWindow(this, focus);
}

void TcxCustomPopupWindow::DoShowing() {
  if (OnShowing) OnShowing(this);
}
void TcxCustomPopupWindow::DoShowed() {
  if (OnShowed) OnShowed(this);
}
void TcxCustomPopupWindow::DoClosing() {
  if (OnClosing) OnClosing(this);
}
void TcxCustomPopupWindow::DoClosed() {
  if (OnClosed) OnClosed(this);
}

void TcxCustomPopupWindow::RecreateForModeChange() {
  if (!HandleAllocated()) return;
  const bool shown = IsPopupShown();
  TWinControl* focused = focusedControl_;
  if (shown) ClosePopup(false);
  RecreateWnd();
  if (shown) Popup(focused);
}

void TcxCustomPopupWindow::SetModalMode(bool Value) {
  if (modalMode_ == Value) return;
  modalMode_ = Value;
  RecreateForModeChange();
}

void TcxCustomPopupWindow::SetFollowParentTopMost(bool Value) {
  if (followParentTopMost_ == Value) return;
  followParentTopMost_ = Value;
  RecreateForModeChange();
}

void TcxCustomPopupWindow::CreateParams(TCreateParams& Params) {
  TcxPopupWindow::CreateParams(Params);
  TCustomForm* ownerForm = ownerControl_ ? GetParentForm(ownerControl_) : nullptr;
  if (modalMode_) {
    if (ownerForm) Params.WndParent = ownerForm->Handle();
    Params.Style = (Params.Style & ~WS_CHILD) | WS_POPUP;
    if (followParentTopMost_ &&
        (!ownerForm || (GetWindowLongPtr(ownerForm->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST)))
      Params.ExStyle |= WS_EX_TOPMOST;
  } else {
    Params.Style = WS_CHILD;
    Params.ExStyle |= WS_EX_TOOLWINDOW;
    if (!Params.WndParent) {
      if (auto* owner = dynamic_cast<TWinControl*>(ownerControl_)) Params.WndParent = owner->Handle();
    }
  }
  Params.Style |= WS_CLIPCHILDREN;
}

void TcxCustomPopupWindow::CreateWnd() {
  auto& list = ShownPopups();
  const bool listed = IsPopupShown();
  if (!listed) list.push_back(this);
  TScopeExit done([this, listed] {
    if (!listed) std::erase(ShownPopups(), this);
  });
  TcxPopupWindow::CreateWnd();
  // A non-modal pop-up floats above everything without taking the activation.
  if (!modalMode_) ::SetParent(Handle(), nullptr);
}

void TcxCustomPopupWindow::ChooseFocusedControl(TWinControl* AFocusedControl) {
  if (!modalMode_) {
    focusedControl_ = AFocusedControl;
    return;
  }
  if (!AFocusedControl) {
    focusedControl_ = this;
  } else if (AFocusedControl->CanFocus() && AFocusedControl->TabStop()) {
    focusedControl_ = AFocusedControl;
  } else {
    TWinControl* next = FindNextControl(nullptr, true, true, false);
    focusedControl_ = next ? next : this;
  }
}

void TcxCustomPopupWindow::Popup(TWinControl* AFocusedControl) {
  if (IsPopupShown()) return;
  InitPopup();
  CalculateSize();
  CalculatePosition();
  ShownPopups().push_back(this);
  ChooseFocusedControl(AFocusedControl);
  DoShowing();
  if (modalMode_) {
    Show();
    SendMessage(focusedControl_->Handle(), WM_SETFOCUS, 0, 0);
  } else {
    Show();
    if (focusedControl_ && focusedControl_->CanFocus()) focusedControl_->SetFocus();
    TCustomForm* ownerForm = ownerControl_ ? GetParentForm(ownerControl_) : nullptr;
    const bool topmost =
        !ownerForm || (GetWindowLongPtr(ownerForm->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    SetWindowPos(Handle(), topmost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
  }
  SetModalResult(mrNone);
  DoShowed();
  if (modalMode_ && ownLoop_) RunOwnLoop();
}

void TcxCustomPopupWindow::RunOwnLoop() {
  while (Visible() && !Application->Terminated()) {
    MSG msg;
    if (PeekMessage(&msg, nullptr, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_NOREMOVE) &&
        (msg.wParam == VK_RETURN || msg.wParam == VK_MENU || msg.wParam == VK_SPACE))
      PeekMessage(&msg, nullptr, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_REMOVE);
    if (ModalResult() != mrNone) ClosePopup(true);
    if (!Visible()) break;
    Application->HandleMessage();
  }
}

void TcxCustomPopupWindow::ClosePopup(bool AAskCloseQuery) {
  if (!IsPopupShown()) return;
  if (AAskCloseQuery && !CloseQuery()) {
    SetModalResult(mrNone);
    return;
  }
  std::erase(ShownPopups(), this);
  if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
  DoClosing();
  Hide();
  DoClosed();
  if (HasCapture()) ReleaseCapture();
}

void TcxCustomPopupWindow::Deactivate() {
  if (closingByMessage_) return;
  const HWND active = GetActiveWindow();
  const std::vector<TcxCustomPopupWindow*> shown = ShownPopups();
  for (auto it = shown.rbegin(); it != shown.rend(); ++it) {
    TcxCustomPopupWindow* p = *it;
    if (p->HandleAllocated() && p->Handle() == active) break;
    if (!p->HandleAllocated() || IsWindowEnabled(p->Handle())) p->ClosePopup(false);
  }
  if (!ShownPopups().empty()) ClosePopup(false);
}

void TcxCustomPopupWindow::DoClose(TCloseAction& Action) {
  TcxPopupWindow::DoClose(Action);
  if (Action != caNone) ClosePopup(false);
}

void TcxCustomPopupWindow::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE && IsPopupShown() && HasCapture()) {
    ReleaseCapture();
    Key = 0;
    return;
  }
  TcxPopupWindow::KeyDown(Key, Shift);
}

void TcxCustomPopupWindow::VisibleChanged() {
  if (!HandleAllocated() || Visible() || !ownerControl_) return;
  TCustomForm* ownerForm = GetParentForm(ownerControl_);
  auto* owner = dynamic_cast<TWinControl*>(ownerControl_);
  if (ownerForm && ownerForm->HandleAllocated() && GetFocus() == ownerForm->Handle() && owner && owner->CanFocus())
    owner->SetFocus();
}

void TcxCustomPopupWindow::AdjustClientRect(RECT& Rect) { Rect = ViewInfo()->ClientRect; }

void TcxCustomPopupWindow::Paint() { ViewInfo()->Paint(CxCanvas()); }

void TcxCustomPopupWindow::WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

void TcxCustomPopupWindow::CMClosePopupWindow(TMessage&) {
  closingByMessage_ = true;
  TScopeExit done([this] { closingByMessage_ = false; });
  ClosePopup(false);
  if (auto* owner = dynamic_cast<TWinControl*>(ownerControl_); owner && owner->HandleAllocated())
    SendMessage(owner->Handle(), WM_SETFOCUS, 0, 0);
}

void TcxCustomPopupWindow::CMShowPopupWindow(TMessage& Message) {
  Popup(reinterpret_cast<TWinControl*>(Message.WParam));
}
