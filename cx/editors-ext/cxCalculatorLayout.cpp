// The calculator's buttons: their captions and colours, the pad's measures for a size or a font,
// and where each button sits.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "cx/editors-ext/cxCalc.h"
#include "platform/forms/Colors.h"
#include "platform/rtl/FormatSettings.h"

namespace {

int RoundedRatio(int AValue, int ANumerator, int ADenominator) {
  return static_cast<int>(std::lround(static_cast<double>(AValue) * ANumerator / ADenominator));
}

int PadHeightFor(int AButtonHeight) { return 5 * AButtonHeight + 6 * RoundedRatio(AButtonHeight, 3, 22); }

struct CalcButtonLook {
  const char16_t* Caption;
  TColor Color;
};

// In button order; the decimal button's caption is the locale's separator.
constexpr CalcButtonLook kCalcButtonLooks[kCalcButtonCount] = {
    {u"Back", clMaroon}, {u"CE", clMaroon}, {u"C", clMaroon},  {u"MC", clRed},   {u"MR", clRed},
    {u"MS", clRed},      {u"M+", clRed},    {u"0", clBlue},    {u"1", clBlue},   {u"2", clBlue},
    {u"3", clBlue},      {u"4", clBlue},    {u"5", clBlue},    {u"6", clBlue},   {u"7", clBlue},
    {u"8", clBlue},      {u"9", clBlue},    {u"+/-", clBlue},  {u"", clBlue},    {u"/", clRed},
    {u"*", clRed},       {u"-", clRed},     {u"+", clRed},     {u"sqrt", clNavy}, {u"%", clNavy},
    {u"1/x", clNavy},    {u"=", clRed},
};

// The main grid, rows 1..4 by columns 0..4.
constexpr TcxCalcButtonKind kCalcGrid[4][5] = {
    {cbNum7, cbNum8, cbNum9, cbDiv, cbSqrt},
    {cbNum4, cbNum5, cbNum6, cbMul, cbPercent},
    {cbNum1, cbNum2, cbNum3, cbSub, cbRev},
    {cbNum0, cbSign, cbDecimal, cbAdd, cbEqual},
};

}  // namespace

TcxCalculatorMetrics cxCalculatorMetricsForButtonHeight(int AButtonHeight) {
  TcxCalculatorMetrics m;
  m.ButtonHeight = AButtonHeight;
  m.ButtonWidth = RoundedRatio(AButtonHeight, 28, 22);
  m.HorzGap = m.VertGap = RoundedRatio(AButtonHeight, 3, 22);
  m.WideButtonWidth = RoundedRatio(m.ButtonWidth, 17, 10);
  m.FontSize = RoundedRatio(AButtonHeight, 8, 22);
  m.PadHeight = 5 * m.ButtonHeight + 6 * m.VertGap;
  m.PadWidth = 6 * m.ButtonWidth + 8 * m.HorzGap + 4;
  return m;
}

int cxCalculatorAutoButtonHeight(int AWidth, int AHeight) {
  const int wanted = std::min(RoundedRatio(AWidth, 131, 198), AHeight);
  int height = 22;
  while (std::abs(PadHeightFor(height + 1) - wanted) < std::abs(PadHeightFor(height) - wanted)) ++height;
  return height;
}

TcxCustomCalculator::TcxCustomCalculator(TComponent* AOwner) : TcxControl(AOwner) {
  for (int i = 0; i < kCalcButtonCount; ++i) {
    buttons_[i].Caption = kCalcButtonLooks[i].Caption;
    buttons_[i].FontColor = kCalcButtonLooks[i].Color;
  }
  SetControlStyle(TControlStyle{csCaptureMouse, csOpaque});
  SetParentColor(false);
  SetColor(clBtnFace);
  SetTabStop(true);
  SetKeys(TcxWantedKeys{wkAll, wkArrows, wkChars, wkTab});
  SetBounds(Left(), Top(), metrics_.PadWidth, metrics_.PadHeight);
  LayoutButtons();
  ResetState();
}

void TcxCustomCalculator::SetAutoFontSize(bool Value) {
  if (autoFontSize_ == Value) return;
  autoFontSize_ = Value;
  ComputeLayout(ClientWidth(), ClientHeight());
}

void TcxCustomCalculator::ComputeLayout(int AWidth, int AHeight) {
  const int buttonHeight =
      autoFontSize_ ? cxCalculatorAutoButtonHeight(AWidth, AHeight) : 2 * Canvas()->FontHeight(Font());
  metrics_ = cxCalculatorMetricsForButtonHeight(buttonHeight);
  LayoutButtons();
  ResetState();
  Invalidate();
  if (sizing_) return;
  // Snapping to the pad resizes the control again; that round must not lay it out anew.
  sizing_ = true;
  SetClientSize(metrics_.PadWidth, metrics_.PadHeight);
  sizing_ = false;
}

void TcxCustomCalculator::LayoutButtons() {
  const TcxCalculatorMetrics& m = metrics_;
  buttons_[cbDecimal].Caption = String(1, FormatSettings().DecimalSeparator);
  const int rowStep = m.ButtonHeight + m.VertGap;
  const int columnStep = m.ButtonWidth + m.HorzGap;
  const int gridLeft = m.ButtonWidth + 2 * m.HorzGap + 4;
  for (int row = 1; row <= 4; ++row) {
    const int top = row * rowStep + m.VertGap, bottom = (row + 1) * rowStep;
    buttons_[cbMC + row - 1].Bounds = {m.HorzGap, top, m.HorzGap + m.ButtonWidth, bottom};
    for (int column = 0; column < 5; ++column)
      buttons_[kCalcGrid[row - 1][column]].Bounds = {gridLeft + m.HorzGap + column * columnStep, top,
                                                    gridLeft + (column + 1) * columnStep, bottom};
  }
  int right = buttons_[cbEqual].Bounds.right;
  for (TcxCalcButtonKind button : {cbClear, cbCancel, cbBack}) {
    buttons_[button].Bounds = {right - m.WideButtonWidth, m.VertGap, right, m.VertGap + m.ButtonHeight};
    right -= m.WideButtonWidth + m.VertGap;
  }
}

void TcxCustomCalculator::Resize() {
  inherited::Resize();
  if (!sizing_) ComputeLayout(ClientWidth(), ClientHeight());
}

void TcxCustomCalculator::FontChanged() {
  inherited::FontChanged();
  // A font set on the pad is its own from then on.
  if (!IsLoading() && ParentFont()) SetParentFont(false);
  if (!autoFontSize_) ComputeLayout(ClientWidth(), ClientHeight());
}

TcxCalcButtonKind TcxCustomCalculator::ButtonAt(POINT P) const {
  for (int i = 0; i < kCalcButtonCount; ++i)
    if (PtInRect(&buttons_[i].Bounds, P)) return static_cast<TcxCalcButtonKind>(i);
  return cbNone;
}
