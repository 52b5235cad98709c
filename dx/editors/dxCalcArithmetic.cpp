#include "dx/editors/dxCalcArithmetic.h"

#include <cmath>

#include "dx/editors/dxEditConsts.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/StringTable.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Input.h"
#include "platform/win/Shell.h"

namespace {

bool IsDigitKey(TdxCalcButtonKind Key) { return Key >= cbNum0 && Key <= cbNum9; }
bool IsArithmeticKey(TdxCalcButtonKind Key) { return Key >= cbDiv && Key <= cbAdd; }
bool IsOperationKey(TdxCalcButtonKind Key) {
  return IsArithmeticKey(Key) || Key == cbPercent || Key == cbEqual;
}
bool IsMemoryKey(TdxCalcButtonKind Key) { return Key >= cbMC && Key <= cbMP; }

}  // namespace

String CalcErrorText() { return LoadResString(dxSError); }

void TdxCalcArithmetic::Reset() {
  pendingOperation_ = cbEqual;
  entryState_ = cesStart;
  memoryValue_ = 0;
}

bool TdxCalcArithmetic::TryDisplayValue(double& Value) {
  if (entryState_ == cesError) {
    Value = 0;
    return true;
  }
  String text = Trim(display_.ReadDisplay());
  if (text.empty()) text = u"0";
  return TryStrToFloat(text, Value);
}

bool TdxCalcArithmetic::ReadValue(double& Value) {
  // A display that is not a number (a text typed into the editor) is an error, not an exception
  // escaping from a key press.
  if (TryDisplayValue(Value)) return true;
  EnterError();
  return false;
}

void TdxCalcArithmetic::SetDisplayValue(double Value) {
  SetDisplayText(FloatToStrF(Value, ffGeneral, DisplayDigits(), 0));
}

void TdxCalcArithmetic::SetDisplayText(const String& Text) {
  if (display_.ReadDisplay() == Text) return;
  display_.WriteDisplay(Text);
  if (OnDisplayTextChange) OnDisplayTextChange();
}

void TdxCalcArithmetic::StartNumber() {
  if (entryState_ != cesStart) return;
  entryState_ = cesNumber;
  SetDisplayText(u"0");
}

void TdxCalcArithmetic::Beep() {
  if (beepOnError_) MessageBeep(MB_OK);
}

void TdxCalcArithmetic::EnterError() {
  entryState_ = cesError;
  SetDisplayText(CalcErrorText());
  Beep();
  if (OnCalcError) OnCalcError();
}

void TdxCalcArithmetic::ProcessKey(TdxCalcButtonKind Key) {
  if (OnCalcButton) OnCalcButton(Key);
  if (Key == cbNone) return;
  if (entryState_ == cesError && Key != cbCancel && Key != cbClear) {
    if (!IsMemoryKey(Key)) EnterError();
    return;
  }
  if (IsDigitKey(Key)) {
    TypeDigit(Key);
  } else if (Key == cbDecimal) {
    TypeDecimal();
  } else if (Key == cbBack) {
    TypeBack();
  } else if (Key == cbSign || Key == cbSqrt || Key == cbRev) {
    ApplyFunction(Key);
  } else if (IsOperationKey(Key)) {
    ApplyOperation(Key);
  } else if (IsMemoryKey(Key)) {
    ApplyMemory(Key);
  } else {  // "CE" and "C"
    entryState_ = cesStart;
    SetDisplayValue(0);
    pendingOperation_ = cbEqual;
  }
}

void TdxCalcArithmetic::TypeDecimal() {
  StartNumber();
  const String text = display_.ReadDisplay();
  const Char separator = FormatSettings().DecimalSeparator;
  if (text.find(separator) == String::npos) SetDisplayText(text + separator);
}

void TdxCalcArithmetic::TypeDigit(TdxCalcButtonKind Key) {
  StartNumber();
  String text = display_.ReadDisplay();
  if (text == u"0") text.clear();
  // A leading minus does not count against the precision.
  const size_t minus = text.find(u'-');
  const size_t allowed = static_cast<size_t>(DisplayDigits()) + (minus == String::npos ? 0 : minus + 1);
  if (text.size() < allowed) {
    SetDisplayText(text + static_cast<Char>(u'0' + (Key - cbNum0)));
  } else {
    Beep();
  }
}

void TdxCalcArithmetic::TypeBack() {
  StartNumber();
  const String text = display_.ReadDisplay();
  if (text.size() == 1 || (text.size() == 2 && text[0] == u'-')) {
    SetDisplayText(u"0");
  } else if (!text.empty()) {
    SetDisplayText(text.substr(0, text.size() - 1));
  }
}

void TdxCalcArithmetic::ApplyFunction(TdxCalcButtonKind Key) {
  if (Key != cbSign) entryState_ = IsArithmeticKey(pendingOperation_) ? cesNumber : cesStart;
  double v = 0;
  if (!ReadValue(v)) return;
  if (Key == cbSign) {
    SetDisplayValue(-v);
  } else if (Key == cbSqrt) {
    if (v < 0) return EnterError();
    SetDisplayValue(std::sqrt(v));
  } else {
    if (v == 0) return EnterError();
    SetDisplayValue(1 / v);
  }
}

void TdxCalcArithmetic::ApplyOperation(TdxCalcButtonKind Key) {
  if (entryState_ == cesNumber) {
    entryState_ = cesStart;
    double v = 0;
    if (!ReadValue(v)) return;
    if (Key == cbPercent) {
      if (pendingOperation_ == cbDiv || pendingOperation_ == cbMul) {
        v = v / 100;
      } else if (pendingOperation_ == cbSub || pendingOperation_ == cbAdd) {
        v = firstOperand_ * v / 100;
      }
    }
    switch (pendingOperation_) {
      case cbDiv:
        if (v == 0) return EnterError();
        SetDisplayValue(firstOperand_ / v);
        break;
      case cbMul: SetDisplayValue(firstOperand_ * v); break;
      case cbSub: SetDisplayValue(firstOperand_ - v); break;
      case cbAdd: SetDisplayValue(firstOperand_ + v); break;
      default: break;
    }
  }
  double shown = 0;
  if (!ReadValue(shown)) return;
  pendingOperation_ = Key;
  firstOperand_ = shown;
  if ((Key == cbPercent || Key == cbEqual) && OnCalcResult) OnCalcResult();
}

void TdxCalcArithmetic::ApplyMemory(TdxCalcButtonKind Key) {
  double v = 0;
  switch (Key) {
    case cbMC:
      memoryValue_ = 0;
      break;
    case cbMS:
      entryState_ = cesStart;
      if (!ReadValue(v)) return;
      memoryValue_ = v;
      break;
    case cbMP:
      entryState_ = cesStart;
      if (!ReadValue(v)) return;
      memoryValue_ += v;
      break;
    default:  // "MR" leaves the entry open: digits typed next are appended to the recalled value
      entryState_ = cesStart;
      StartNumber();
      SetDisplayValue(memoryValue_);
      return;
  }
  if (OnMemoryChanged) OnMemoryChanged();
}

void TdxCalcArithmetic::PasteText(const String& Text) {
  const String currency = FormatSettings().CurrencyString;
  const String number = Trim(currency.empty() ? Text : StringReplace(Text, currency, u"", rfReplaceAll));
  double v = 0;
  if (!TryStrToFloat(number, v)) v = 0;
  SetDisplayValue(v);
  entryState_ = cesNumber;
}

TdxCalcButtonKind CalcKeyOfChar(Char Key) {
  if (Key >= u'0' && Key <= u'9') return static_cast<TdxCalcButtonKind>(cbNum0 + (Key - u'0'));
  if (Key == FormatSettings().DecimalSeparator) return cbDecimal;
  switch (Key) {
    case u'\b': return cbBack;
    case u'%': return cbPercent;
    case u'*': return cbMul;
    case u'+': return cbAdd;
    case u'-': return cbSub;
    case u'/': return cbDiv;
    case u'=': return cbEqual;
    case u'@': return cbSqrt;
    default: return cbNone;
  }
}

TdxCalcButtonKind CalcKeyOfVirtualKey(WORD Key, bool Ctrl) {
  switch (Key) {
    case VK_RETURN: return cbEqual;
    case VK_ESCAPE: return cbClear;
    case VK_DELETE: return cbCancel;
    case VK_F9: return cbSign;
    case 'C': return Ctrl ? cbNone : cbClear;
    case 'R': return Ctrl ? cbMR : cbRev;
    case 'L': return Ctrl ? cbMC : cbNone;
    case 'M': return Ctrl ? cbMS : cbNone;
    case 'P': return Ctrl ? cbMP : cbNone;
    default: return cbNone;
  }
}
