#include "dx/bars/dxBarCheckableButton.h"

#include "dx/bars/dxBarDesignMenu.h"
#include "platform/forms/ControlMessages.h"
#include "platform/forms/Forms.h"
#include "platform/gdi/Controls.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TdxBarCheckableButton)

TRENVIK_MESSAGE_MAP(TdxBarCheckableButton) {
  M.On(CM_MOUSEENTER, &TdxBarCheckableButton::CMMouseEnter);
  M.On(CM_MOUSELEAVE, &TdxBarCheckableButton::CMMouseLeave);
}

TdxBarCheckableButton::TdxBarCheckableButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  // The menu takes the mouse: the button must not hold the capture.
  SetControlStyle(ControlStyle() - TControlStyle{csCaptureMouse});
}

TdxBarCheckableButton::~TdxBarCheckableButton() {
  TdxBarDesignMenu* menu = OpenDesignMenu();
  if (down_ && menu) menu->OwnerCloseUp = nullptr;
}

void TdxBarCheckableButton::Paint() {
  Canvas()->Font()->Assign(Font());
  HDC dc = Canvas()->Handle();
  RECT r = ClientRect();
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  TCustomForm* form = GetParentForm(this);
  const bool formActive = form && form->HandleAllocated() && GetActiveWindow() == form->Handle();
  if (down_)
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  else if (mouseInControl_ && formActive)
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  if (down_) OffsetRect(&r, 1, 1);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  String caption = Caption();
  DrawText(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TdxBarCheckableButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  if (ignoreNextPress_) {
    ignoreNextPress_ = false;
    return;
  }
  if (down_ || !DropDownMenu) return;
  TdxBarDesignMenu* menu = DropDownMenu();
  if (!menu) return;
  down_ = true;
  Repaint();
  menu->OwnerCloseUp = [this] { MenuClosed(); };
  menu->Open(ClientToScreen(POINT{0, Height()}), Height());
}

void TdxBarCheckableButton::MenuClosed() {
  down_ = false;
  POINT cursor{};
  GetCursorPos(&cursor);
  const int primary = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
  RECT screen = ClientRect();
  POINT topLeft = ClientToScreen(POINT{0, 0});
  OffsetRect(&screen, topLeft.x, topLeft.y);
  ignoreNextPress_ = (GetAsyncKeyState(primary) & 0x8000) && PtInRect(&screen, cursor);
  Invalidate();
}

void TdxBarCheckableButton::CMMouseEnter(TMessage& Message) {
  inherited::Dispatch(Message);
  mouseInControl_ = true;
  Invalidate();
}

void TdxBarCheckableButton::CMMouseLeave(TMessage& Message) {
  inherited::Dispatch(Message);
  mouseInControl_ = false;
  Invalidate();
}
