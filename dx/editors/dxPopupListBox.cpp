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

void InsetPopupClient(RECT& Rect, TdxPopupBorder Border, bool Shadow, int ShadowSize) {
  const int frame = PopupFrameWidth(Border);
  InflateRect(&Rect, -frame, -frame);
  if (Shadow) {
    Rect.right -= ShadowSize;
    Rect.bottom -= ShadowSize;
  }
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
  InsetPopupClient(reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0], popupBorder_, shadow_, shadowSize_);
}

void TCustomdxPopupListBox::WMNCPaint(TMessage& Message) {
  inherited::Dispatch(Message);
  const LONG style = GetWindowLong(Handle(), GWL_STYLE);
  DrawPopupFrame(Handle(), popupBorder_, (style & WS_HSCROLL) && (style & WS_VSCROLL), shadowSize_, shadow_);
}

void TCustomdxPopupListBox::WMSize(TMessage& Message) {
  inherited::Dispatch(Message);
  SetShadowRegion(Handle(), shadow_, shadowSize_);
}

void TCustomdxPopupListBox::SetPopupBorder(TdxPopupBorder Value) {
  if (popupBorder_ == Value) return;
  popupBorder_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomdxPopupListBox::SetShadow(bool Value) {
  if (shadow_ == Value) return;
  shadow_ = Value;
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
