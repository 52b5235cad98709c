// Keys and clicks of a drop-down edit: Alt+Up/Down and F4 toggle the popup, Enter and Esc close it,
// typing may open it, and clicks on the drop-down button (or the text, where the editor wants it).
#include "cx/editors/cxDropDownEdit.h"
#include "platform/win/Input.h"
#include "platform/win/Messages.h"

void TcxCustomDropDownEdit::DoEditKeyDown(WORD& Key, TShiftState Shift) {
  const bool alt = Shift.Contains(ssAlt);
  if (((Key == VK_UP || Key == VK_DOWN) && alt) || (Key == VK_F4 && !alt)) {
    if (HasPopupWindow())
      CloseUp(true);
    else
      DropDown();
    Key = 0;
    return;
  }
  if ((Key == VK_RETURN || Key == VK_ESCAPE) && !alt && HasPopupWindow()) {
    CloseUp(Key == VK_RETURN && DoEditing());
    if (!HasPopupWindow()) {
      // A text that is no item goes on to validation (Enter) or to the revert (Esc).
      IcxTextEditLookupData* lookup = ILookupData();
      if (!lookup || lookup->ContainsText(Text())) {
        Key = 0;
        return;
      }
    }
  }
  inherited::DoEditKeyDown(Key, Shift);
}

void TcxCustomDropDownEdit::DoEditKeyPress(Char& Key) {
  if (Key >= 32 && ActiveProperties()->ImmediateDropDown() && !HasPopupWindow() && HandleAllocated())
    SendMessage(Handle(), CM_DROPDOWN, 0, 0);
  inherited::DoEditKeyPress(Key);
}

bool TcxCustomDropDownEdit::IsClickKey(WORD Key, TShiftState Shift) {
  if (inherited::IsClickKey(Key, Shift)) return true;
  return IsInplace() && HasPopupWindow() &&
         (Shift.Contains(ssAlt) || Shift.Contains(ssCtrl) || Key < 32 || Key > 255);
}

bool TcxCustomDropDownEdit::CanSelectLookupItemByKey(bool AByWheel) {
  if (IsEditUnavailable()) return false;
  return !(IsInplace() && !AByWheel && !HasPopupWindow());
}

void TcxCustomDropDownEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !ActiveProperties()->DropDownOnClick()) return;
  if (ClosedByThisClick() || HasPopupWindow()) return;
  const RECT client = ClientRect();
  if (X >= client.left && X < client.right && Y >= client.top && Y < client.bottom) DropDown();
}

void TcxCustomDropDownEdit::DoButtonDown(int AButtonIndex) {
  inherited::DoButtonDown(AButtonIndex);
  if (AButtonIndex != ActiveProperties()->GetDropDownButtonIndex()) return;
  if (ClosedByThisClick()) return;
  SetDroppedDown(true);
}
