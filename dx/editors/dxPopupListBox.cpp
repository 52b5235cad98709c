#include "dx/editors/dxPopupListBox.h"

#include "platform/forms/native/ListBoxControls.h"
#include "platform/win/Windows.h"

int PopupFrameWidth(TdxPopupBorder Border) {
  switch (Border) {
    case pbSingle: return 1;
    case pbFrame3D: return 4;
    case pbFlat: return 2;
    default: return 0;
  }
}

void TdxPopupListFrame::CalcClient(TMessage& Message) const {
  RECT& r = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0];
  const int frame = PopupFrameWidth(Border);
  InflateRect(&r, -frame, -frame);
  if (Shadow) {
    r.right -= ShadowSize;
    r.bottom -= ShadowSize;
  }
}

void TdxPopupListFrame::Paint(HWND Window) const {
  const LONG style = GetWindowLong(Window, GWL_STYLE);
  DrawPopupFrame(Window, Border, (style & WS_HSCROLL) && (style & WS_VSCROLL), ShadowSize, Shadow);
}

TRENVIK_IMPLEMENT_CLASS(TCustomdxPopupListBox)
TRENVIK_IMPLEMENT_CLASS(TCustomdxPopupPickListBox)
TRENVIK_IMPLEMENT_CLASS(TdxPopupPickListBox)

TRENVIK_MESSAGE_MAP(TCustomdxPopupListBox) {
  M.On(WM_NCCALCSIZE, &TCustomdxPopupListBox::WMNCCalcSize);
  M.On(WM_NCPAINT, &TCustomdxPopupListBox::WMNCPaint);
  M.On(WM_SIZE, &TCustomdxPopupListBox::WMSize);
}

TCustomdxPopupListBox::TCustomdxPopupListBox(TComponent* AOwner) : TCustomListBox(AOwner) {
  SetBorderStyle(bsNone);
}

void TCustomdxPopupListBox::CreateParams(TCreateParams& Params) {
  TCustomListBox::CreateParams(Params);
  Params.Style = (Params.Style & ~(WS_CHILD | WS_BORDER)) | WS_POPUP;
  Params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  Params.WindowClass.style = CS_SAVEBITS;
}

void TCustomdxPopupListBox::WMNCCalcSize(TMessage& Message) {
  inherited::Dispatch(Message);
  frame_.CalcClient(Message);
}

void TCustomdxPopupListBox::WMNCPaint(TMessage& Message) {
  inherited::Dispatch(Message);
  frame_.Paint(Handle());
}

void TCustomdxPopupListBox::WMSize(TMessage& Message) {
  inherited::Dispatch(Message);
  frame_.ApplyShadowRegion(Handle());
}

void TCustomdxPopupListBox::SetPopupBorder(TdxPopupBorder Value) {
  if (frame_.Border == Value) return;
  frame_.Border = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomdxPopupListBox::SetShadow(bool Value) {
  if (frame_.Shadow == Value) return;
  frame_.Shadow = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomdxPopupListBox::MouseMove(TShiftState Shift, int X, int Y) {
  // Hot tracking: the item under the mouse is the selected one.
  const int item = ItemAtPos(POINT{X, Y}, true);
  if (item >= 0 && item != ItemIndex()) SetItemIndex(item);
  TCustomListBox::MouseMove(Shift, X, Y);
}

void TCustomdxPopupPickListBox::KeyPress(Char& Key) {
  if (Key == u'\b' || Key == 27) {
    searchText_.clear();
  } else if (Key >= 32 && Key <= 255) {
    const DWORD now = GetTickCount();
    if (now - lastKeyTime_ > 2000) searchText_.clear();
    lastKeyTime_ = now;
    if (searchText_.size() < 32) searchText_ += Key;
    const LRESULT found = SendMessage(Handle(), LB_SELECTSTRING, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(searchText_.c_str()));
    if (found == LB_ERR) searchText_.pop_back();
    Key = 0;
  }
  TCustomdxPopupListBox::KeyPress(Key);
}
