// The calculator's keys and mouse: keys and characters press buttons, the mouse presses and tracks
// them, and the popup variant closes its drop-down.
#include "cx/editors-ext/cxCalc.h"
#include "cx/foundation/cxLookAndFeelPainters.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/win/Input.h"

namespace {

TcxCalcButtonKind CalcButtonOfKey(WORD AKey, TShiftState AShift) {
  const bool ctrl = AShift.Contains(ssCtrl);
  switch (AKey) {
    case VK_RETURN:
      return cbEqual;
    case VK_ESCAPE:
      return cbClear;
    case VK_DELETE:
      return cbCancel;
    case VK_F9:
      return cbSign;
    case 'C':
      return ctrl ? cbNone : cbClear;
    case 'R':
      return ctrl ? cbMR : cbRev;
    case 'L':
      return ctrl ? cbMC : cbNone;
    case 'M':
      return ctrl ? cbMS : cbNone;
    case 'P':
      return ctrl ? cbMP : cbNone;
    default:
      return cbNone;
  }
}

TcxCalcButtonKind CalcButtonOfChar(Char AChar) {
  if (AChar >= u'0' && AChar <= u'9') return static_cast<TcxCalcButtonKind>(cbNum0 + (AChar - u'0'));
  if (AChar == FormatSettings().DecimalSeparator) return cbDecimal;
  switch (AChar) {
    case u'\b':
      return cbBack;
    case u'%':
      return cbPercent;
    case u'*':
      return cbMul;
    case u'+':
      return cbAdd;
    case u'-':
      return cbSub;
    case u'/':
      return cbDiv;
    case u'=':
      return cbEqual;
    case u'@':
      return cbSqrt;
    default:
      return cbNone;
  }
}

constexpr Char kCtrlC = 3, kCtrlV = 22;

}  // namespace

void TcxCustomCalculator::PressKeyButton(TcxCalcButtonKind AButton, bool AFromCharacter) {
  if (AButton == keyButton_) {
    // A held key repeats only Back.
    if (AButton == cbBack && AFromCharacter) ButtonClick(AButton);
    return;
  }
  ReleaseKeyButton();
  keyButton_ = AButton;
  SetButtonDown(AButton, true);
  ButtonClick(AButton);
}

void TcxCustomCalculator::ReleaseKeyButton() {
  if (keyButton_ == cbNone) return;
  SetButtonDown(keyButton_, false);
  keyButton_ = cbNone;
}

void TcxCustomCalculator::KeyDown(WORD& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  const TcxCalcButtonKind button = CalcButtonOfKey(Key, Shift);
  if (button != cbNone) PressKeyButton(button, false);
}

void TcxCustomCalculator::KeyUp(WORD& Key, TShiftState Shift) {
  inherited::KeyUp(Key, Shift);
  ReleaseKeyButton();
}

void TcxCustomCalculator::KeyPress(Char& Key) {
  inherited::KeyPress(Key);
  if (Key == kCtrlV) {
    PasteFromClipboard();
    return;
  }
  if (Key == kCtrlC) {
    CopyToClipboard();
    return;
  }
  const TcxCalcButtonKind button = CalcButtonOfChar(Key);
  if (button != cbNone) PressKeyButton(button, true);
}

void TcxCustomCalculator::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  const TcxCalcButtonKind button = ButtonAt({X, Y});
  if (button == cbNone || buttons_[button].Disabled || !Enabled()) return;
  SetHotButton(cbNone);
  mouseButton_ = button;
  SetButtonDown(button, true);
}

void TcxCustomCalculator::MouseMove(TShiftState Shift, int X, int Y) {
  inherited::MouseMove(Shift, X, Y);
  const TcxCalcButtonKind under = ButtonAt({X, Y});
  if (mouseButton_ != cbNone) {
    SetButtonDown(mouseButton_, under == mouseButton_);
    return;
  }
  const bool tracks = GetPainter()->IsButtonHotTrack() && Enabled() && DragAndDropState() == dndNone;
  SetHotButton(tracks && under != cbNone && !buttons_[under].Disabled ? under : cbNone);
}

void TcxCustomCalculator::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft || mouseButton_ == cbNone) return;
  const TcxCalcButtonKind button = mouseButton_;
  mouseButton_ = cbNone;
  const bool clicked = buttons_[button].Down;
  SetButtonDown(button, false);
  if (clicked) ButtonClick(button);
}

void TcxCustomCalculator::MouseLeave(TControl* AControl) {
  inherited::MouseLeave(AControl);
  SetHotButton(cbNone);
}

void TcxCustomCalculator::FocusChanged() {
  inherited::FocusChanged();
  InvalidateButton(cbEqual);
}

// --- The popup calculator ---

void TcxPopupCalculator::KeyDown(WORD& Key, TShiftState Shift) {
  const bool alt = Shift.Contains(ssAlt);
  if (Key == VK_ESCAPE) {
    HidePopup();
    Key = 0;
    return;
  }
  if (Key == VK_INSERT && Shift == TShiftState{ssShift}) PasteFromClipboard();
  if (Key == VK_INSERT && Shift == TShiftState{ssCtrl}) CopyToClipboard();
  if ((Key == VK_F4 && !alt) || (alt && (Key == VK_UP || Key == VK_DOWN))) {
    HidePopup();
    return;
  }
  inherited::KeyDown(Key, Shift);
}
