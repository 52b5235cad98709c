// The drop-down editor's mouse and keyboard: buttons pressed and clicked, keys routed to the open list.
#include "dx/editors/dxContainer.h"
#include "dx/editors/dxDropDownEdit.h"
#include "dx/editors/dxEditButtonInput.h"
#include "platform/forms/Forms.h"
#include "platform/win/Windows.h"

namespace {

bool IsListNavigationKey(WORD Key) {
  switch (Key) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: return true;
    default: return false;
  }
}

}  // namespace

bool TdxInplaceDropDownEdit::IsToggleKey(WORD Key, TShiftState Shift) const {
  const bool alt = Shift.Contains(ssAlt);
  return ((Key == VK_UP || Key == VK_DOWN) && alt) || (Key == VK_F4 && !alt);
}

// --- Buttons ---

void TdxInplaceDropDownEdit::SetHotButton(int Index) {
  if (hotButton_ == Index) return;
  hotButton_ = Index;
  RepaintButtons();
}

void TdxInplaceDropDownEdit::ReleasePushedButton() {
  if (pushedButton_ == -1) return;
  pushedButton_ = -1;
  if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
  RepaintButtons();
}

void TdxInplaceDropDownEdit::ButtonDown(bool NoCapture, int ButtonIndex) {
  if (IsDroppedDown()) {
    if (KeysToList) CloseUp(false);
    return;
  }
  pushedButton_ = hotButton_;
  if (!NoCapture && HandleAllocated()) SetCapture(Handle());
  RepaintButtons();
  if (ButtonIndex != -1) SetDroppedDown(true);
}

void TdxInplaceDropDownEdit::WMNCHitTest(TMessage& Message) {
  inherited::Dispatch(Message);
  if (IsDesigning()) {
    hotButton_ = -1;
    return;
  }
  const POINT p = NonClientHitPoint(Handle(), Message.LParam);
  const int button = ButtonAtWindowPoint(p);
  if (button != -1 && (GetCapture() == nullptr || pushedButton_ != -1)) {
    SetHotButton(pushedButton_ == -1 || pushedButton_ == button ? button : -1);
    Message.Result = HTBORDER;
  } else {
    SetHotButton(-1);
  }
}

void TdxInplaceDropDownEdit::WMNCLButtonDown(TMessage& Message) {
  if (hotButton_ == -1) {
    inherited::Dispatch(Message);
    return;
  }
  ButtonDown(false, hotButton_);
  if (CanFocus() && GetFocus() != Handle()) SetFocus();
}

void TdxInplaceDropDownEdit::WMNCLButtonDblClk(TMessage& Message) {
  inherited::Dispatch(Message);
  Message.Msg = WM_NCLBUTTONDOWN;
  WMNCLButtonDown(Message);
}

void TdxInplaceDropDownEdit::WMLButtonUp(TWMMouse& Message) {
  if (pushedButton_ != -1) {
    const int clicked = hotButton_ == -1 ? -1 : pushedButton_;
    ReleasePushedButton();
    if (clicked != -1) ButtonClick(clicked);
    return;
  }
  inherited::Dispatch(Message);
}

void TdxInplaceDropDownEdit::WMMouseMove(TWMMouse& Message) {
  if (pushedButton_ != -1) {
    // The capture keeps the hot button current while the mouse is held.
    const POINT screen = ClientToScreen(Message.Pos());
    SendMessage(Handle(), WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
  }
  const bool dragging = pushedButton_ != -1 || (ClickOpensPopup() && (Message.Keys() & MK_LBUTTON));
  if (dragging && IsDroppedDown() && DropDownWindow) {
    const POINT inList = DropDownWindow->ScreenToClient(ClientToScreen(Message.Pos()));
    if (inList.x >= 0 && inList.y >= 0 && inList.x < DropDownWindow->ClientWidth() &&
        inList.y < DropDownWindow->ClientHeight()) {
      ReleasePushedButton();
      SendMessage(DropDownWindow->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inList.x, inList.y));
      return;
    }
  }
  inherited::Dispatch(Message);
}

void TdxInplaceDropDownEdit::WMMouseWheel(TWMMouseWheel& Message) {
  // The wheel stays with the editor: it steps the value, or scrolls the open list.
  if (IsDroppedDown() && DropDownWindow) {
    SendMessage(DropDownWindow->Handle(), WM_VSCROLL, Message.WheelDelta() <= 0 ? SB_LINEDOWN : SB_LINEUP, 0);
  } else {
    SelectNextValue(Message.WheelDelta() <= 0 ? 1 : -1, false);
  }
  Message.Result = 1;
}

void TdxInplaceDropDownEdit::WMCancelMode(TMessage& Message) {
  ReleasePushedButton();
  inherited::Dispatch(Message);
}

void TdxInplaceDropDownEdit::WMCaptureChanged(TMessage& Message) {
  if (pushedButton_ != -1 && reinterpret_cast<HWND>(Message.LParam) != Handle()) {
    pushedButton_ = -1;
    RepaintButtons();
  }
  inherited::Dispatch(Message);
}

// --- Keys ---

void TdxInplaceDropDownEdit::DropDownKeyDown(WORD& Key, TShiftState Shift) {
  const bool alt = Shift.Contains(ssAlt);
  if (IsToggleKey(Key, Shift)) {
    if (IsDroppedDown())
      CloseUp(true);
    else
      DropDown();
    Key = 0;
  } else if ((Key == VK_RETURN || Key == VK_ESCAPE) && !alt && IsDroppedDown()) {
    const bool accept = Key == VK_RETURN;
    CloseUp(accept);
    if (accept && HandleAllocated()) RemovePendingMessage(Handle(), WM_CHAR);
    Key = 0;
  }
}

// The toggle is decided before the in-place routing: Alt+Up and Alt+Down would otherwise reach the
// host as Up and Down and move it to another cell instead of opening this editor's pop-up.
void TdxInplaceDropDownEdit::KeyDown(WORD& Key, TShiftState Shift) {
  if (!KeysToList && IsToggleKey(Key, Shift)) {
    DropDown();
    Key = 0;
    return;
  }
  TdxInplaceMaskEdit::KeyDown(Key, Shift);
}

bool TdxInplaceDropDownEdit::RouteKeyToList(TMessage& Message) {
  if (Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN) {
    WORD key = static_cast<WORD>(Message.WParam);
    DropDownKeyDown(key, KeyDataToShiftState(static_cast<LONG>(Message.LParam)));
    if (key == 0) return true;
  }
  if (!IsDroppedDown() || !DropDownWindow) return false;
  if (Message.Msg == WM_SYSKEYDOWN && Message.WParam == VK_F4) return false;
  const bool isKey = Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN;
  if (!isKey && Message.Msg != WM_CHAR) return false;
  if (!SearchInEdit) {
    Message.Result = SendMessage(DropDownWindow->Handle(), Message.Msg, Message.WParam, Message.LParam);
    return true;
  }
  const WORD key = static_cast<WORD>(Message.WParam);
  if (Message.Msg == WM_CHAR || key == VK_BACK || key == VK_DELETE) {
    inherited::WndProc(Message);
    String text;
    GetEditingText(text);
    LocateText(text);
    return true;
  }
  const bool textKey = key == VK_END || key == VK_HOME || key == VK_LEFT || key == VK_RIGHT;
  if (textKey && IsEditClass()) return false;
  if (IsListNavigationKey(key))
    Message.Result = SendMessage(DropDownWindow->Handle(), Message.Msg, Message.WParam, Message.LParam);
  return true;
}

void TdxInplaceDropDownEdit::WndProc(TMessage& Message) {
  const bool keyMessage =
      Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN || Message.Msg == WM_CHAR;
  if (keyMessage && KeysToList && RouteKeyToList(Message)) return;
  if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && ClickOpensPopup())
    ButtonDown(true, 0);
  inherited::WndProc(Message);
}
