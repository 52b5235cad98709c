// The spin edit's two buttons: their column, arrows, pressed states from the mouse and the arrow
// keys, and the step repeated while a button is held.
#include "cx/editors/cxEditUtils.h"
#include "cx/editors/cxSpinEdit.h"
#include "cx/foundation/dxThemeConsts.h"
#include "cx/foundation/dxUxTheme.h"
#include "platform/win/Focus.h"

TRENVIK_IMPLEMENT_CLASS(TcxSpinEditViewData)
TRENVIK_IMPLEMENT_CLASS(TcxSpinEditViewInfo)

namespace {

constexpr Cardinal kFirstRepeatDelay = 400;
constexpr Cardinal kRepeatInterval = 100;
constexpr int kUpperButton = 1;
constexpr int kLowerButton = 0;

}  // namespace

// ---- properties ----

TClass TcxCustomSpinEditProperties::GetViewInfoClass() { return TcxSpinEditViewInfo::StaticClass(); }

std::unique_ptr<TcxCustomEditViewData> TcxCustomSpinEditProperties::CreateViewData(TcxCustomEditStyle* AStyle,
                                                                                   bool AIsInplace) {
  return std::make_unique<TcxSpinEditViewData>(this, AStyle, AIsInplace);
}

// ---- view data ----

int TcxSpinEditViewData::ArrowKeyState() const {
  auto* edit = dynamic_cast<TcxCustomSpinEdit*>(Edit);
  return edit ? edit->ArrowKeyState() : 0;
}

bool TcxSpinEditViewData::CanPressButton(TcxCustomEditViewInfo*, int) { return ArrowKeyState() == 0; }

bool TcxSpinEditViewData::IsButtonPressed(TcxCustomEditViewInfo*, int AButtonIndex) {
  const int state = ArrowKeyState();
  return (AButtonIndex == kUpperButton && state == 1) || (AButtonIndex == kLowerButton && state == 2);
}

void TcxSpinEditViewData::Calculate(TcxCanvas* ACanvas, const RECT& ABounds, POINT P, int AButton,
                                    TShiftState AShift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) {
  inherited::Calculate(ACanvas, ABounds, P, AButton, AShift, AViewInfo, AIsMouseEvent);
  const bool native = IsNativeStyleAvailable(Style()->LookAndFeel()->NativeStyle(), tcSpin);
  HTHEME theme = native ? dxOpenThemeByType(tcSpin) : nullptr;
  for (int i = 0; i < AViewInfo->ButtonCount(); ++i) {
    TcxEditButtonViewInfo* button = AViewInfo->Button(i);
    if (!theme || i > kUpperButton) {
      button->NativePart = 0;
      continue;
    }
    // Up and down parts number their states alike: normal 1, hot 2, pressed 3, disabled 4.
    constexpr int kStates[] = {UPS_DISABLED, UPS_NORMAL, UPS_PRESSED, UPS_HOT};
    button->NativeThemeClass = tcSpin;
    button->NativePart = i == kUpperButton ? SPNP_UP : SPNP_DOWN;
    button->NativeState = kStates[button->State];
    button->NativePartTransparent =
        dxIsThemeBackgroundPartiallyTransparent(theme, button->NativePart, button->NativeState) != FALSE;
  }
}

// Both buttons share one column: the upper takes the top half, the lower the rest (one pixel apart
// with the Spin theme). Hot-flat buttons reach into the text area through the run rule of the base.
void TcxSpinEditViewData::CalculateButtonViewInfo(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo,
                                                  RECT& AButtonsRect, int AIndex) {
  const RECT column = AButtonsRect;
  inherited::CalculateButtonViewInfo(ACanvas, AViewInfo, AButtonsRect, AIndex);
  TcxEditButtonViewInfo* button = AViewInfo->Button(AIndex);
  const bool secondOfColumn = AIndex == kLowerButton;
  if (!secondOfColumn) AButtonsRect = column;
  if (button->VisibleBounds.right <= button->VisibleBounds.left) return;
  const int height = (column.bottom - column.top) -
                     (IsNativeStyleAvailable(Style()->LookAndFeel()->NativeStyle(), tcSpin) ? 1 : 0);
  const int half = height / 2;
  if (AIndex == kUpperButton)
    button->Bounds.bottom = column.top + half;
  else if (AIndex == kLowerButton)
    button->Bounds.top = column.bottom - height + half;
  button->VisibleBounds = button->Bounds;
}

// ---- view info ----

void TcxSpinEditViewInfo::DrawButtonContent(TcxCanvas* ACanvas, int AIndex, TColor ABrushColor, TColor APenColor,
                                            const RECT& ARect) {
  TcxEditButtonViewInfo* button = Button(AIndex);
  if (button->NativePart != 0 && button->NativeThemeClass == tcSpin) return;  // the theme drew the arrow
  ACanvas->SetBrushColor(ABrushColor);
  ACanvas->FillRect(ARect);
  DrawEditButtonArrow(ACanvas, this, AIndex, ARect, AIndex == kUpperButton ? adUp : adDown, APenColor);
}

// ---- edit ----

int TcxCustomSpinEdit::PressedSpinButton() {
  TcxCustomEditViewInfo* viewInfo = EditViewInfo();
  for (int index : {kUpperButton, kLowerButton})
    if (index < viewInfo->ButtonCount() && viewInfo->Button(index)->State == ebsPressed) return index;
  return -1;
}

void TcxCustomSpinEdit::InvalidateSpinButtons(bool AErase) {
  for (const auto& button : EditViewInfo()->ButtonsInfo) InvalidateRect(button->Bounds, AErase);
}

void TcxCustomSpinEdit::SetArrowKeyState(int AState) {
  if (EditViewInfo()->ButtonCount() == 0 || arrowKeyState_ == AState) {
    arrowKeyState_ = AState;
    return;
  }
  arrowKeyState_ = AState;
  CalculateViewInfoAtCursor();
  InvalidateSpinButtons(false);
}

void TcxCustomSpinEdit::DoButtonDown(int AVisibleIndex) {
  inherited::DoButtonDown(AVisibleIndex);
  // The held button drawn pressed again as the pointer comes back: the running repeat goes on.
  if (arrowKeyState_ != 0 || repeatTimer_) return;
  const int pressed = PressedSpinButton();
  if (pressed < 0) return;
  DoIncrement(pressed != kUpperButton);
  StartRepeatTimer();
}

void TcxCustomSpinEdit::StartRepeatTimer() {
  if (ActiveProperties()->ReadOnly()) return;
  repeatTimer_ = std::make_unique<TTimer>(nullptr);
  repeatTimer_->SetInterval(kFirstRepeatDelay);
  repeatTimer_->OnTimer = [this](TObject*) { RepeatTimerTick(); };
}

// While the pointer is off the held button it is not drawn pressed, and nothing steps.
void TcxCustomSpinEdit::RepeatTimerTick() {
  if (repeatTimer_->Interval() == kFirstRepeatDelay) repeatTimer_->SetInterval(kRepeatInterval);
  const int pressed = PressedSpinButton();
  if (pressed >= 0) DoIncrement(pressed != kUpperButton);
}

void TcxCustomSpinEdit::StopTracking() {
  ForgetCapturedButton();
  SetArrowKeyState(0);
  for (const auto& button : EditViewInfo()->ButtonsInfo) {
    if (button->State != ebsPressed) continue;
    button->State = ebsNormal;
    CalculateViewInfoAtCursor();
    InvalidateRect(button->Bounds, true);
  }
  repeatTimer_.reset();
  if (MouseCapture()) SetMouseCapture(false);
}

bool TcxCustomSpinEdit::RefreshContainer(POINT P, int AButton, TShiftState AShift, bool AIsMouseEvent) {
  const bool result = inherited::RefreshContainer(P, AButton, AShift, AIsMouseEvent);
  if (EditViewInfo()->ButtonCount() > 0 && PressedSpinButton() < 0 && CapturedButton() < 0 &&
      (repeatTimer_ || arrowKeyState_ != 0))
    StopTracking();
  return result;
}

bool TcxCustomSpinEdit::CanFocusOnClick() {
  TWinControl* inner = InnerControl();
  if (inner && inner->HandleAllocated() && GetFocus() == inner->Handle()) return false;
  return inherited::CanFocusOnClick();
}

void TcxCustomSpinEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  StopTracking();
}

void TcxCustomSpinEdit::DblClick() {
  inherited::DblClick();
  if (!HandleAllocated() || GetButtonIndexAt(ScreenToClient(cxGetMouseCursorPos())) < 0) StopTracking();
}
