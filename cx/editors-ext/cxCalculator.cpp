// The calculator's arithmetic: the number on its display, the pending operation, the memory and
// the error state, driven by button clicks.
#include <algorithm>
#include <cmath>

#include "cx/editors-ext/cxCalc.h"
#include "cx/editors-ext/cxEditExtConsts.h"
#include "cx/foundation/cxClasses.h"
#include "platform/forms/Clipboard.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Shell.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomCalculator)

namespace {

bool IsDigitButton(TcxCalcButtonKind AButton) { return AButton >= cbNum0 && AButton <= cbNum9; }

bool IsArithmetic(TcxCalcButtonKind AButton) {
  return AButton == cbDiv || AButton == cbMul || AButton == cbSub || AButton == cbAdd;
}

bool IsOperation(TcxCalcButtonKind AButton) {
  return IsArithmetic(AButton) || AButton == cbPercent || AButton == cbEqual;
}

}  // namespace

double TcxCustomCalculator::Value() {
  if (state_ == ccsError) return 0;
  String text = Trim(GetDisplayText());
  if (text.empty()) text = u"0";
  double value = 0;
  return TryStrToFloat(text, value) ? value : 0;
}

void TcxCustomCalculator::SetDisplay(const String& AText) {
  if (AText == GetDisplayText()) return;
  SetDisplayText(AText);
  if (OnDisplayChange) OnDisplayChange(this);
}

void TcxCustomCalculator::SetValue(double X) {
  SetDisplay(FloatToStrF(X, ffGeneral, std::max(2, precision_), 0));
}

void TcxCustomCalculator::Beep() const {
  if (beepOnError_) MessageBeep(MB_OK);
}

void TcxCustomCalculator::Error() {
  state_ = ccsError;
  SetDisplay(cxGetResourceString(cxSCalcError));
  Beep();
  if (OnError) OnError(this);
}

void TcxCustomCalculator::CheckFirst() {
  if (state_ != ccsNewNumber) return;
  state_ = ccsEntering;
  SetDisplay(u"0");
}

void TcxCustomCalculator::ResetState() {
  state_ = ccsNewNumber;
  pendingOperation_ = cbEqual;
  operand_ = 0;
  memory_ = 0;
  UpdateMemoryButtons();
}

void TcxCustomCalculator::UpdateMemoryButtons() {
  for (TcxCalcButtonKind button : {cbMC, cbMR}) {
    if (buttons_[button].Disabled == (memory_ == 0)) continue;
    buttons_[button].Disabled = memory_ == 0;
    InvalidateButton(button);
  }
}

void TcxCustomCalculator::ApplyOperation(TcxCalcButtonKind AButton) {
  if (state_ == ccsEntering) {
    state_ = ccsNewNumber;
    double x = Value();
    if (AButton == cbPercent) {
      if (pendingOperation_ == cbDiv || pendingOperation_ == cbMul) x = x / 100;
      if (pendingOperation_ == cbSub || pendingOperation_ == cbAdd) x = operand_ * x / 100;
    }
    switch (pendingOperation_) {
      case cbDiv:
        if (x == 0)
          Error();
        else
          SetValue(operand_ / x);
        break;
      case cbMul:
        SetValue(operand_ * x);
        break;
      case cbSub:
        SetValue(operand_ - x);
        break;
      case cbAdd:
        SetValue(operand_ + x);
        break;
      default:
        break;
    }
  }
  pendingOperation_ = AButton;
  operand_ = Value();
  if ((AButton == cbPercent || AButton == cbEqual) && OnResult) OnResult(this);
}

void TcxCustomCalculator::ButtonClick(TcxCalcButtonKind AButton) {
  if (OnButtonClick) OnButtonClick(this, AButton);
  if (AButton < 0 || AButton >= kCalcButtonCount) return;
  if (state_ == ccsError && AButton != cbCancel && AButton != cbClear) {
    Error();
    return;
  }
  const Char separator = FormatSettings().DecimalSeparator;
  if (AButton == cbDecimal) {
    CheckFirst();
    const String text = GetDisplayText();
    if (text.find(separator) == String::npos) SetDisplay(text + separator);
  } else if (IsDigitButton(AButton)) {
    CheckFirst();
    String text = GetDisplayText();
    if (text == u"0") text.clear();
    const size_t minus = text.find(u'-');
    const size_t signWidth = minus == String::npos ? 0 : minus + 1;
    if (text.size() < static_cast<size_t>(std::max(2, precision_)) + signWidth)
      text += static_cast<Char>(u'0' + (AButton - cbNum0));
    else
      Beep();
    SetDisplay(text);
  } else if (AButton == cbBack) {
    CheckFirst();
    const String text = GetDisplayText();
    if (text.size() <= 1 || (text.size() == 2 && text[0] == u'-'))
      SetDisplay(u"0");
    else
      SetDisplay(text.substr(0, text.size() - 1));
  } else if (AButton == cbSign) {
    SetValue(-Value());
  } else if (IsOperation(AButton)) {
    ApplyOperation(AButton);
  } else if (AButton == cbCancel || AButton == cbClear) {
    state_ = ccsNewNumber;
    SetValue(0);
    pendingOperation_ = cbEqual;
  } else if (AButton == cbSqrt || AButton == cbRev) {
    state_ = IsArithmetic(pendingOperation_) ? ccsEntering : ccsNewNumber;
    const double value = Value();
    if (AButton == cbSqrt ? value < 0 : value == 0)
      Error();
    else
      SetValue(AButton == cbSqrt ? std::sqrt(value) : 1 / value);
  } else if (AButton == cbMR) {
    state_ = ccsNewNumber;
    CheckFirst();
    SetValue(memory_);
  } else if (AButton == cbMC) {
    memory_ = 0;
    UpdateMemoryButtons();
  } else {
    state_ = ccsNewNumber;
    memory_ = AButton == cbMS ? Value() : memory_ + Value();
    UpdateMemoryButtons();
  }
}

void TcxCustomCalculator::PasteFromClipboard() {
  TClipboard* clipboard = Clipboard();
  if (!clipboard->HasFormat(CF_UNICODETEXT) && !clipboard->HasFormat(CF_TEXT)) return;
  String text = clipboard->AsText();
  const String& currency = FormatSettings().CurrencyString;
  if (!currency.empty())
    for (size_t at = text.find(currency); at != String::npos; at = text.find(currency, at))
      text.erase(at, currency.size());
  double value = 0;
  if (!TryStrToFloat(Trim(text), value) || !std::isfinite(value)) {
    SetValue(0);
    return;
  }
  SetValue(value);
  state_ = ccsEntering;
}

void TcxCustomCalculator::CopyToClipboard() { Clipboard()->SetAsText(GetDisplayText()); }

void TcxCustomCalculator::HidePopup() {
  if (OnHidePopup) OnHidePopup(this);
}
