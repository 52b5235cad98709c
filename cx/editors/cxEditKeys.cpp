// The keyboard contract of an edit: clear and click keys, Tab, Enter, Esc and navigation keys.
#include "cx/editors/cxEdit.h"
#include "platform/forms/Forms.h"
#include "platform/win/Input.h"
#include "platform/win/MessageIds.h"
#include "platform/win/Messages.h"

namespace {

bool IsNavigationKey(WORD Key) { return Key >= VK_PRIOR && Key <= VK_DOWN; }

}  // namespace

bool TcxCustomEdit::IsClickKey(WORD Key, TShiftState Shift) {
  return HasVisibleButtons() && cxShortCut(Key, Shift) == GetActiveProperties()->ClickKey();
}

bool TcxCustomEdit::ValidateKeyDown(WORD& Key, TShiftState Shift) {
  if (dataBinding_->GetModified()) return true;
  if (CanKeyDownModifyEdit(Key, Shift)) return DoEditing();
  return true;
}

bool TcxCustomEdit::ValidateKeyPress(Char& Key) {
  if (Key < 32 || IsValidChar(Key)) {
    if (!dataBinding_->GetModified() && CanKeyPressModifyEdit(Key) && !DoEditing()) Key = 0;
  } else {
    Key = 0;
  }
  return Key != 0;
}

void TcxCustomEdit::KeyDown(WORD& Key, TShiftState Shift) {
  if (!IsClickKey(Key, Shift)) inherited::KeyDown(Key, Shift);
  if (Key != 0) DoEditKeyDown(Key, Shift);
}

void TcxCustomEdit::KeyPress(Char& Key) {
  inherited::KeyPress(Key);
  if (Key != 0) DoEditKeyPress(Key);
}

void TcxCustomEdit::KeyUp(WORD& Key, TShiftState Shift) {
  inherited::KeyUp(Key, Shift);
  if (Key != 0) DoEditKeyUp(Key, Shift);
}

void TcxCustomEdit::DoEditKeyDown(WORD& Key, TShiftState Shift) {
  if (Key == 0) return;
  TcxCustomEditProperties* properties = GetActiveProperties();
  const TcxShortCut shortCut = cxShortCut(Key, Shift);
  if (shortCut == properties->ClearKey() && properties->ClearKey() != 0) {
    TClearingScope clearing(this);
    SetEditValue(Null());
    Key = 0;
  }
  if (Key != 0 && HasVisibleButtons() && shortCut == properties->ClickKey()) {
    // The character the click key would type must not reach the edit after the click.
    MSG msg;
    if (HandleAllocated() && PeekMessage(&msg, Handle(), WM_CHAR, WM_CHAR, PM_REMOVE) &&
        msg.message == WM_QUIT)
      PostQuitMessage(static_cast<int>(msg.wParam));
    DoClickDefaultButton();
    Key = 0;
  }
  if (Key == 0) return;
  auto passToContainer = [&] {
    if (OnInplaceKeyDown) OnInplaceKeyDown(this, Key, Shift);
  };
  if (!ValidateKeyDown(Key, Shift)) {
    passToContainer();
    Key = 0;
    return;
  }
  switch (Key) {
    case VK_TAB:
      if (Focused() && !Shift.Contains(ssAlt) && !Shift.Contains(ssCtrl) && !properties->AcceptsTabKey()) {
        passToContainer();
        if (Key == 0) return;
        Key = 0;
        if (!(!isInplace_ && HasPopupWindow())) {
          MoveFocusAfterTab(Shift);
          return;
        }
      }
      break;
    case VK_RETURN:
      if (properties->ValidateOnEnter()) {
        Key = 0;
        if (ValidateEdit(true) && CanPostEditValue()) PostEditValue();
        return;
      }
      break;
    case VK_ESCAPE:
      if (modified_) {
        Reset();
        Key = 0;
        return;
      }
      break;
  }
  if (Key != 0 && !properties->AcceptsNavigationKeys() && IsNavigationKey(Key)) {
    passToContainer();
    Key = 0;
  }
}

void TcxCustomEdit::MoveFocusAfterTab(TShiftState Shift) {
  TCustomForm* form = GetParentForm(this);
  if (!form) return;
  TWinControl* from = form->ActiveControl() ? form->ActiveControl() : this;
  form->SelectNext(from, !Shift.Contains(ssShift), true);
  if (Focused() && InnerControl() && InnerControl()->CanFocus()) InnerControl()->SetFocus();
}
