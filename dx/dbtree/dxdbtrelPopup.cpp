// TPopupDBTreeView: the lookup edit's drop-down, a pop-up tree whose frame carries a bar with a size
// grip and a close button.
#include "dx/dbtree/dxdbtrel.h"
#include "platform/gdi/Controls.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TPopupDBTreeView)

TRENVIK_MESSAGE_MAP(TPopupDBTreeView) {
  M.On(WM_GETDLGCODE, &TPopupDBTreeView::WMGetDlgCode);
  M.On(WM_MOUSEACTIVATE, &TPopupDBTreeView::WMMouseActivate);
  M.On(WM_KILLFOCUS, &TPopupDBTreeView::WMKillFocus);
  M.On(WM_GETMINMAXINFO, &TPopupDBTreeView::WMGetMinMaxInfo);
  M.On(WM_NCCALCSIZE, &TPopupDBTreeView::WMNCCalcSize);
  M.On(WM_NCPAINT, &TPopupDBTreeView::WMNCPaint);
  M.On(WM_NCHITTEST, &TPopupDBTreeView::WMNCHitTest);
  M.On(WM_NCLBUTTONDOWN, &TPopupDBTreeView::WMNCLButtonDown);
  M.On(WM_LBUTTONUP, &TPopupDBTreeView::WMLButtonUp);
  M.On(WM_CAPTURECHANGED, &TPopupDBTreeView::WMCaptureChanged);
  M.On(WM_NCMOUSELEAVE, &TPopupDBTreeView::WMNCMouseLeave);
}

TPopupDBTreeView::TPopupDBTreeView(TCustomdxVTreeViewEdit* AOwner) : TdxDBTreeView(AOwner), edit_(AOwner) {
  SetControlStyle(ControlStyle() + TControlStyle{csNoDesignVisible, csReplicatable});
  SetDragMode(dmManual);
}

void TPopupDBTreeView::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style = (Params.Style & ~(WS_CHILD | WS_BORDER)) | WS_POPUP | WS_BORDER;
  Params.ExStyle &= ~WS_EX_CLIENTEDGE;
  Params.WindowClass.style |= CS_SAVEBITS;
  Params.WndParent = edit_->OwnerFormWindowForPopup();
}

void TPopupDBTreeView::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE || Key == VK_RETURN) {
    bool accept = Key == VK_RETURN;
    Key = 0;
    edit_->CloseUp(accept);
    return;
  }
  inherited::KeyDown(Key, Shift);
}

void TPopupDBTreeView::WMGetDlgCode(TMessage& Message) { Message.Result = DLGC_WANTALLKEYS; }
void TPopupDBTreeView::WMMouseActivate(TMessage& Message) { Message.Result = MA_NOACTIVATE; }

// The focus leaving the drop-down closes it, as its deactivation does; a press on the box, which
// takes the focus first, closes it itself.
void TPopupDBTreeView::WMKillFocus(TMessage& Message) {
  inherited::Dispatch(Message);
  HWND next = reinterpret_cast<HWND>(Message.WParam);
  bool toBox = edit_->HandleAllocated() && next == edit_->Handle();
  if (edit_->DroppedDown() && !toBox) edit_->CloseUp(false);
}

void TPopupDBTreeView::WMGetMinMaxInfo(TMessage& Message) {
  inherited::Dispatch(Message);
  auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
  info->ptMinTrackSize = POINT{100, 100};
}

void TPopupDBTreeView::WMNCCalcSize(TMessage& Message) {
  inherited::Dispatch(Message);
  if (!edit_->DroppedDown() || !Message.LParam) return;
  RECT owner{0, 0, edit_->ClientWidth(), edit_->ClientHeight()};
  RECT window{};
  GetWindowRect(Handle(), &window);
  POINT topLeft = edit_->ScreenToClient(POINT{window.left, window.top});
  OffsetRect(&window, topLeft.x - window.left, topLeft.y - window.top);
  gripCorner_ = GetPopupSizeGripCorner(owner, window);
  RECT& client = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0];
  if (gripCorner_ < 2)
    client.top += GetPopupBarHeight();
  else
    client.bottom -= GetPopupBarHeight();
}

void TPopupDBTreeView::WMNCPaint(TMessage& Message) {
  inherited::Dispatch(Message);
  if (edit_->DroppedDown()) PaintBar();
}

// The bar in window coordinates: between the border and the client area.
void TPopupDBTreeView::PaintBar() {
  HWND wnd = Handle();
  RECT window{}, client{};
  GetWindowRect(wnd, &window);
  GetClientRect(wnd, &client);
  POINT origin{0, 0};
  ::ClientToScreen(wnd, &origin);
  OffsetRect(&client, origin.x - window.left, origin.y - window.top);
  int barHeight = GetPopupBarHeight();
  bool top = gripCorner_ < 2;
  RECT bar{client.left, top ? client.top - barHeight : client.bottom, client.right,
           top ? client.top : client.bottom + barHeight};
  HDC dc = GetWindowDC(wnd);
  TScopeExit release([wnd, dc] { ReleaseDC(wnd, dc); });
  FillRect(dc, &bar, GetSysColorBrush(COLOR_BTNFACE));
  RECT line = top ? RECT{bar.left, bar.bottom - 1, bar.right, bar.bottom}
                  : RECT{bar.left, bar.top, bar.right, bar.top + 1};
  FillRect(dc, &line, GetSysColorBrush(COLOR_WINDOWFRAME));
  RECT rest = bar;
  if (top)
    rest.bottom -= 1;
  else
    rest.top += 1;
  gripRect_ = rest;
  DrawPopupSizeGrip(dc, gripRect_, gripCorner_);
  closeButtonRect_ = rest;
  DrawPopupCloseButton(dc, closeButtonRect_, closeHot_ || closePressed_, gripCorner_,
                       closeHot_ && closePressed_);
}

void TPopupDBTreeView::SetCloseHot(bool Value) {
  if (closeHot_ == Value) return;
  closeHot_ = Value;
  if (edit_->DroppedDown()) PaintBar();
}

void TPopupDBTreeView::WMNCHitTest(TMessage& Message) {
  inherited::Dispatch(Message);
  if (!edit_->DroppedDown()) return;
  RECT window{};
  GetWindowRect(Handle(), &window);
  POINT p{static_cast<short>(LOWORD(Message.LParam)) - window.left,
          static_cast<short>(HIWORD(Message.LParam)) - window.top};
  if (PtInRect(&gripRect_, p)) {
    Message.Result = SizeGripCornerToHitTest(gripCorner_);
    return;
  }
  SetCloseHot(PtInRect(&closeButtonRect_, p) != 0);
  if (closeHot_) Message.Result = HTBORDER;
}

void TPopupDBTreeView::WMNCLButtonDown(TMessage& Message) {
  if (!closeHot_) {
    inherited::Dispatch(Message);
    return;
  }
  closePressed_ = true;
  SetCapture(Handle());
  PaintBar();
}

void TPopupDBTreeView::WMLButtonUp(TMessage& Message) {
  if (!closePressed_) {
    inherited::Dispatch(Message);
    return;
  }
  // Where the release happened decides: on the button it closes the drop-down.
  POINT p{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
  ::ClientToScreen(Handle(), &p);
  Message.LParam = MAKELPARAM(p.x, p.y);
  WMNCHitTest(Message);
  bool close = closeHot_;
  closePressed_ = false;
  ReleaseCapture();
  if (close)
    edit_->CloseUp(false);
  else
    PaintBar();
}

void TPopupDBTreeView::WMCaptureChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  if (!closePressed_ && !closeHot_) return;
  closePressed_ = closeHot_ = false;
  if (edit_->DroppedDown()) PaintBar();
}

void TPopupDBTreeView::WMNCMouseLeave(TMessage& Message) {
  inherited::Dispatch(Message);
  SetCloseHot(false);
}
