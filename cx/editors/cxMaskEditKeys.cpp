#include "cx/editors/cxMaskEdit.h"
#include "cx/editors/cxMaskEditRegExprMode.h"
#include "platform/win/Input.h"

namespace {

// The in-place key-down event: an in-place editor hands the key to its container.
void FireKeyDownEvent(TcxCustomEdit* AEdit, WORD& Key, TShiftState Shift) {
  if (AEdit->OnInplaceKeyDown) AEdit->OnInplaceKeyDown(AEdit, Key, Shift);
}

}  // namespace

void TcxCustomMaskEdit::SyncModeWithCaret() {
  auto* expressionMode = dynamic_cast<TcxMaskEditRegExprMode*>(mode_.get());
  if (!expressionMode) {
    mode_->CaretChanged();
    return;
  }
  if (expressionMode->Left.empty() && expressionMode->Right.empty()) return;  // split on the next step
  if (expressionMode->Left + expressionMode->Right != Text()) {
    // The text was replaced behind the mode's back: split it again from the caret.
    mode_->SetText(Text());
    mode_->CaretChanged();
    return;
  }
  const int split = static_cast<int>(expressionMode->Left.size());
  if (split != MaskSelStart() && split != MaskSelStart() + MaskSelLength()) mode_->CaretChanged();
}

// False when the key was consumed.
bool TcxCustomMaskEdit::HandleMaskedKeyDown(WORD& Key, TShiftState Shift) {
  shiftDown_ = Shift.Contains(ssShift);
  const bool ctrl = Shift.Contains(ssCtrl);
  bool passes = true;
  switch (Key) {
    case VK_UP:
    case VK_DOWN:
      if (HasPopupWindow()) return true;
      FireKeyDownEvent(this, Key, Shift);
      return false;
    case VK_LEFT:
    case VK_RIGHT: {
      const bool left = Key == VK_LEFT;
      if (ctrl) {
        passes = left ? mode_->PressHome() : mode_->PressEnd();
        break;
      }
      const bool atEdge = left ? mode_->IsCaretAtStart() : mode_->IsCaretAtEnd();
      passes = left ? mode_->PressLeft() : mode_->PressRight();
      if (!passes && atEdge) FireKeyDownEvent(this, Key, Shift);
      break;
    }
    case VK_DELETE:
      if (!shiftDown_) {
        passes = mode_->PressDelete();
      } else if (MaskSelLength() == 0) {
        // Shift+Delete stands for Backspace: when the mode lets it through it is performed as one,
        // never as the default Delete, which would remove the character on the other side.
        if (mode_->PressBackspace()) SendInternalKeyPress(8);
        passes = false;
      }
      break;
    case VK_HOME: passes = mode_->PressHome(); break;
    case VK_END: passes = mode_->PressEnd(); break;
    default: break;
  }
  return passes;
}

void TcxCustomMaskEdit::DoEditKeyDown(WORD& Key, TShiftState Shift) {
  if (!IsMasked()) {
    inherited::DoEditKeyDown(Key, Shift);
    return;
  }
  if (!ValidateKeyDown(Key, Shift)) {
    FireKeyDownEvent(this, Key, Shift);
    Key = 0;
    return;
  }
  if (internalKey_) return;
  SyncModeWithCaret();
  if (Key != VK_TAB && !HandleMaskedKeyDown(Key, Shift)) Key = 0;
  if (Key != 0) inherited::DoEditKeyDown(Key, Shift);
}

void TcxCustomMaskEdit::DoEditKeyPress(Char& Key) {
  if (!IsMasked()) {
    inherited::DoEditKeyPress(Key);
    return;
  }
  if (Key == 9 || Key == 27 || !ValidateKeyPress(Key)) {
    Key = 0;
    return;
  }
  if (Key == 13 || internalKey_) return;
  if (Key == 3 || Key == 22 || Key == 24) {
    inherited::DoEditKeyPress(Key);
    return;
  }
  SyncModeWithCaret();
  const bool passes = Key == 8 ? mode_->PressBackspace() : mode_->PressSymbol(Key);
  if (!passes) Key = 0;
}

void TcxCustomMaskEdit::DoEditKeyUp(WORD& Key, TShiftState Shift) {
  if (IsMasked() && internalKey_) return;
  inherited::DoEditKeyUp(Key, Shift);
}
