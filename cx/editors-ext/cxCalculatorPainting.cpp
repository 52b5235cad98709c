// The calculator painted: the background, each button by the look-and-feel painter in its state
// with its coloured caption, and the focus rectangle inside "=".
#include <cmath>
#include <memory>

#include "cx/editors-ext/cxCalc.h"
#include "cx/foundation/cxLookAndFeelPainters.h"
#include "platform/win/WindowTree.h"

TcxLookAndFeelPainterClass TcxCustomCalculator::GetPainter() { return TcxStandardLookAndFeelPainter::Class(); }

void TcxCustomCalculator::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN | WS_TABSTOP;
  Params.WindowClass.style &= ~CS_DBLCLKS;
  if (borderStyle_ == bsSingle) Params.Style |= WS_BORDER;
}

void TcxCustomCalculator::SetBorderStyle(TBorderStyle Value) {
  if (Value != bsSingle) Value = bsNone;
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  if (HandleAllocated()) RecreateWnd();
  SetClientSize(metrics_.PadWidth, metrics_.PadHeight);
}

void TcxCustomCalculator::InvalidateButton(TcxCalcButtonKind AButton) {
  if (HandleAllocated()) InvalidateRect(buttons_[AButton].Bounds, false);
}

void TcxCustomCalculator::SetButtonDown(TcxCalcButtonKind AButton, bool ADown) {
  if (buttons_[AButton].Down == ADown) return;
  buttons_[AButton].Down = ADown;
  InvalidateButton(AButton);
}

void TcxCustomCalculator::SetHotButton(TcxCalcButtonKind AButton) {
  if (hotButton_ == AButton) return;
  if (hotButton_ != cbNone) InvalidateButton(hotButton_);
  hotButton_ = AButton;
  if (hotButton_ != cbNone) InvalidateButton(hotButton_);
}

void TcxCustomCalculator::SetShowFocusRect(bool Value) {
  if (showFocusRect_ == Value) return;
  showFocusRect_ = Value;
  InvalidateButton(cbEqual);
}

TcxButtonState TcxCustomCalculator::PaintState(TcxCalcButtonKind AButton) {
  const TcxCalcButton& button = buttons_[AButton];
  if (button.Disabled || !Enabled()) return cxbsDisabled;
  if (button.Down) return cxbsPressed;
  if (AButton == hotButton_ && AButton != mouseButton_) return cxbsHot;
  if (AButton == cbEqual && Focused()) return cxbsDefault;
  return cxbsNormal;
}

void TcxCustomCalculator::PaintButton(TcxCalcButtonKind AButton) {
  TcxCanvas* canvas = Canvas();
  const TcxLookAndFeelPainterClass painter = GetPainter();
  const TcxCalcButton& button = buttons_[AButton];
  const TcxButtonState state = PaintState(AButton);
  painter->PaintButton(canvas, button.Bounds, String(), state);
  RECT text = button.Bounds;
  if (state == cxbsPressed)
    OffsetRect(&text, painter->GetButtonPressedTextOffsetX(), painter->GetButtonPressedTextOffsetY());
  canvas->Brush()->SetStyle(bsClear);
  canvas->Font()->SetColor(button.FontColor);
  canvas->DrawText(button.Caption, text, cxtfHorzCenter | cxtfVertCenter | cxtfSingleLine);
  canvas->Brush()->SetStyle(bsSolid);
  if (AButton == cbEqual && showFocusRect_ && Focused()) {
    RECT focus = button.Bounds;
    InflateRect(&focus, -3, -3);
    canvas->DrawFocusRect(focus);
  }
}

void TcxCustomCalculator::Paint() {
  TcxCanvas* canvas = Canvas();
  canvas->SetBrushColor(Color());
  canvas->FillRect(ClientRect());
  canvas->SetFont(Font());
  if (autoFontSize_) {
    canvas->Font()->SetSize(metrics_.FontSize);
    canvas->Font()->SetStyle(metrics_.FontSize >= 10 ? TFontStyles{fsBold} : TFontStyles{});
  }
  // A key repaints one or two buttons: the others stay as they are.
  for (int i = 0; i < kCalcButtonCount; ++i)
    if (canvas->RectVisible(buttons_[i].Bounds)) PaintButton(static_cast<TcxCalcButtonKind>(i));
}
