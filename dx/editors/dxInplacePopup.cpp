#include "dx/editors/dxInplacePopup.h"

#include "dx/editors/dxInplaceEdit.h"
#include "platform/forms/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/NonClientMetrics.h"
#include "platform/win/Windows.h"

// --- TdxContainerHintWindow ---

TRENVIK_IMPLEMENT_CLASS(TdxContainerHintWindow)

TRENVIK_MESSAGE_MAP(TdxContainerHintWindow) { M.On(WM_NCHITTEST, &TdxContainerHintWindow::WMNCHitTest); }

TdxContainerHintWindow::TdxContainerHintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clInfoBk);
  Canvas()->Brush()->SetStyle(bsClear);
}

void TdxContainerHintWindow::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style = WS_POPUP;
  Params.WindowClass.style |= CS_SAVEBITS;
  Params.ExStyle = WS_EX_TOOLWINDOW;
}

void TdxContainerHintWindow::WMNCHitTest(TMessage& Message) { Message.Result = HTTRANSPARENT; }

void TdxContainerHintWindow::ShowHint(POINT Point, const String& Text, TFont* Font) {
  ActivateHint(Point, Screen->Width(), false, Font, Text);
}

void TdxContainerHintWindow::ActivateHint(POINT Point, int MaxWidth, bool UseFontSize, TFont* Font,
                                          const String& Text) {
  SetCaption(Text);
  TFont* font = Canvas()->Font();
  NONCLIENTMETRICS metrics;
  if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
    font->SetHeight(metrics.lfStatusFont.lfHeight);
  else
    font->SetSize(8);
  font->SetColor(clInfoText);
  if (Font) {
    font->SetName(Font->Name());
    font->SetCharset(Font->Charset());
    if (UseFontSize) font->SetSize(Font->Size());
  }
  if (MaxWidth <= 0) MaxWidth = Screen->Width();
  RECT r{0, 0, MaxWidth, 0};
  DrawText(Canvas()->Handle(), Text.c_str(), static_cast<int>(Text.size()), &r,
           DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  const int w = r.right - r.left + 6, h = r.bottom - r.top + 6;
  int x = Point.x, y = Point.y;
  if (y + h > Screen->Height()) y = Screen->Height() - h;
  if (x + w > Screen->Width()) x = Screen->Width() - w;
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  SetWindowPos(Handle(), HWND_TOPMOST, x, y, w, h, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Invalidate();
}

void TdxContainerHintWindow::HideHint() {
  if (!HandleAllocated()) return;
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TdxContainerHintWindow::Paint() {
  RECT r = ClientRect();
  HDC dc = Canvas()->Handle();
  DrawEdge(dc, &r, BDR_RAISEDOUTER, BF_RECT);
  InflateRect(&r, -1, -1);
  r.left += 2;
  r.top += 2;
  SetTextColor(dc, ColorToColorRef(Canvas()->Font()->Color()));
  SetBkMode(dc, TRANSPARENT);
  const String text = Caption();
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_WORDBREAK | DT_NOPREFIX | DT_NOCLIP);
}

// --- TdxInplacePopupControl ---

TRENVIK_IMPLEMENT_CLASS(TdxInplacePopupControl)

TRENVIK_MESSAGE_MAP(TdxInplacePopupControl) {
  M.On(WM_NCCALCSIZE, &TdxInplacePopupControl::WMNCCalcSize);
  M.On(WM_NCPAINT, &TdxInplacePopupControl::WMNCPaint);
  M.On(WM_SIZE, &TdxInplacePopupControl::WMSize);
  M.On(WM_KILLFOCUS, &TdxInplacePopupControl::WMKillFocus);
  M.On(WM_MOUSEACTIVATE, &TdxInplacePopupControl::WMMouseActivate);
  M.On(WM_ACTIVATE, &TdxInplacePopupControl::WMActivate);
}

TdxInplacePopupControl::TdxInplacePopupControl(TComponent* AOwner) : TCustomControl(AOwner) {}

HWND TdxInplacePopupControl::OwnerFormHandle() const {
  if (!ownerControl_) return nullptr;
  TCustomForm* form = GetParentForm(ownerControl_);
  return form && form->HandleAllocated() ? form->Handle() : nullptr;
}

void TdxInplacePopupControl::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  if (!isPopup_) return;
  Params.Style = WS_POPUP | WS_CLIPCHILDREN;
  Params.ExStyle |= WS_EX_TOOLWINDOW;
  if (HWND form = OwnerFormHandle()) Params.WndParent = form;
}

void TdxInplacePopupControl::ClosePopup(bool) {
  if (HandleAllocated() && IsWindowVisible(Handle())) {
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (Application->Active() && ownerControl_ && ownerControl_->CanFocus()) ownerControl_->SetFocus();
  }
  if (ownerControl_ && ownerControl_->HandleAllocated())
    PostMessage(ownerControl_->Handle(), WM_DXPOPUPCLOSED, 0, 0);
}

void TdxInplacePopupControl::ShowPopup() {
  ShowWindow(Handle(), SW_SHOW);
  // The owner's form keeps an active caption while the pop-up has the focus.
  if (HWND form = OwnerFormHandle()) SendMessage(form, WM_NCACTIVATE, TRUE, 0);
}

void TdxInplacePopupControl::SetPopupBorder(TdxPopupBorder Value) {
  if (popupBorder_ == Value) return;
  popupBorder_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TdxInplacePopupControl::SetShadow(bool Value) {
  if (shadow_ == Value) return;
  shadow_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TdxInplacePopupControl::WMNCCalcSize(TMessage& Message) {
  if (!isPopup_) {
    inherited::Dispatch(Message);
    return;
  }
  static const int kBorder[] = {0, 1, 4, 2};  // pbDefault, pbSingle, pbFrame3D, pbFlat
  RECT& r = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0];
  const int b = kBorder[static_cast<int>(popupBorder_)];
  InflateRect(&r, -b, -b);
  if (shadow_) {
    r.right -= shadowSize_;
    r.bottom -= shadowSize_;
  }
  Message.Result = 0;
}

void TdxInplacePopupControl::WMNCPaint(TMessage& Message) {
  if (!isPopup_) {
    inherited::Dispatch(Message);
    return;
  }
  if (!drawFrame_) return;
  const LONG style = GetWindowLong(Handle(), GWL_STYLE);
  DrawPopupFrame(Handle(), popupBorder_, (style & WS_HSCROLL) && (style & WS_VSCROLL), shadowSize_, shadow_);
}

void TdxInplacePopupControl::WMSize(TWMSize& Message) {
  inherited::Dispatch(Message);
  if (isPopup_) SetShadowRegion(Handle(), shadow_, shadowSize_);
}

void TdxInplacePopupControl::WMKillFocus(TWMKillFocus& Message) {
  inherited::Dispatch(Message);
  ClosePopup(false);
  if (ownerControl_) ownerControl_->DoKillFocus(Message.FocusedWnd());
}

void TdxInplacePopupControl::WMMouseActivate(TMessage& Message) { Message.Result = MA_NOACTIVATE; }

void TdxInplacePopupControl::WMActivate(TMessage& Message) {
  inherited::Dispatch(Message);
  HWND form = OwnerFormHandle();
  const HWND other = reinterpret_cast<HWND>(Message.LParam);
  if (LOWORD(Message.WParam) == WA_INACTIVE && form && other != form) SendMessage(form, WM_NCACTIVATE, FALSE, 0);
}
