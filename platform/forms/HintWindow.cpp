// THintWindow: the pop-up that shows a control's hint.
#include "platform/forms/ControlsInternal.h"
#include "platform/forms/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

TClass HintWindowClass = nullptr;

TRENVIK_IMPLEMENT_CLASS(THintWindow)

TRENVIK_MESSAGE_MAP(THintWindow) {
  M.On(WM_NCHITTEST, &THintWindow::WMNCHitTest);
  M.On(CM_TEXTCHANGED, &THintWindow::CMTextChanged);
}

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clInfoBk);
  if (Screen) Canvas()->SetFont(Screen->HintFont());
  Canvas()->Brush()->SetStyle(bsClear);
}

void THintWindow::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.WindowClass.style |= CS_SAVEBITS;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  Params.WndParent = nullptr;
}

void THintWindow::Paint() {
  RECT r = ClientRect();
  r.left += 2;
  r.top += 2;
  Canvas()->Font()->SetColor(Screen ? Screen->HintFont()->Color() : clInfoText);
  const String caption = Caption();
  DrawText(Canvas()->Handle(), caption.c_str(), -1, &r, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}

RECT THintWindow::CalcHintRect(int MaxWidth, const String& AHint, void*) {
  RECT r{0, 0, MaxWidth, 0};
  DrawText(Canvas()->Handle(), AHint.c_str(), -1, &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  r.right += 6;
  r.bottom += 2;
  return r;
}

void THintWindow::ActivateHint(RECT Rect, const String& AHint) {
  SetCaption(AHint);
  Rect.bottom += 4;
  UpdateBoundsRect(Rect);
  const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  if (Screen) {
    RECT d = Screen->DesktopRect();
    if (Rect.top + h > d.bottom) Rect.top = d.bottom - h;
    if (Rect.left + w > d.right) Rect.left = d.right - w;
    if (Rect.left < d.left) Rect.left = d.left;
    if (Rect.top < d.top) Rect.top = d.top;
  }
  SetWindowPos(Handle(), HWND_TOPMOST, Rect.left, Rect.top, w, h, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  UpdateBoundsRect(RECT{Rect.left, Rect.top, Rect.left + w, Rect.top + h});
  Invalidate();
}

void THintWindow::ActivateHintData(RECT Rect, const String& AHint, void*) { ActivateHint(Rect, AHint); }

bool THintWindow::IsHintMsg(const MSG& Msg) {
  if (!HandleAllocated() || !IsWindowVisible(Handle())) return false;
  const UINT m = Msg.message;
  return (m >= WM_KEYFIRST && m <= WM_KEYLAST) || m == CM_ACTIVATE || m == CM_DEACTIVATE ||
         m == CM_APPKEYDOWN || m == CM_APPSYSCOMMAND || m == WM_COMMAND ||
         (m > WM_MOUSEMOVE && m <= WM_MOUSELAST) || m == WM_NCMOUSEMOVE;
}

void THintWindow::ReleaseHandle() { DestroyHandle(); }

void THintWindow::WMNCHitTest(TMessage& Message) { Message.Result = HTTRANSPARENT; }

void THintWindow::CMTextChanged(TMessage& Message) {
  inherited::Dispatch(Message);
  Invalidate();
}
