// The pocket calculator's keys and arithmetic. The calculator has no display of its own: it reads
// and rewrites a display text owned by someone else (the calc editor's text).
#pragma once

#include <functional>

#include "platform/rtl/Types.h"
#include "platform/rtl/WinDef.h"

enum TdxCalcButtonKind : int {
  cbBack, cbCancel, cbClear, cbMC, cbMR, cbMS, cbMP,
  cbNum0, cbNum1, cbNum2, cbNum3, cbNum4, cbNum5, cbNum6, cbNum7, cbNum8, cbNum9,
  cbSign, cbDecimal, cbDiv, cbMul, cbSub, cbAdd, cbSqrt, cbPercent, cbRev, cbEqual,
  cbNone
};
constexpr int dxCalcButtonCount = cbNone;

enum TdxCalcEntryState { cesStart, cesNumber, cesError };

// The display of a calculator: where it reads and writes its text.
class TdxCalcDisplay {
 public:
  virtual ~TdxCalcDisplay() = default;
  virtual String ReadDisplay() = 0;
  virtual void WriteDisplay(const String& Text) = 0;
};

class TdxCalcArithmetic {
 public:
  explicit TdxCalcArithmetic(TdxCalcDisplay& Display) : display_(Display) {}

  // Processes one key as if pressed on the pad.
  void ProcessKey(TdxCalcButtonKind Key);
  // Back to the start: nothing pending, no memory.
  void Reset();

  // The display as a number: 0 in the error state; false when the text is not a number.
  bool TryDisplayValue(double& Value);
  void SetDisplayValue(double Value);
  // The pasted text as the number being entered (0 when it is not a number).
  void PasteText(const String& Text);

  TdxCalcEntryState EntryState() const { return entryState_; }
  TdxCalcButtonKind PendingOperation() const { return pendingOperation_; }
  double MemoryValue() const { return memoryValue_; }
  // "MC" and "MR" are greyed while the memory holds 0.
  bool MemoryKeysGreyed() const { return memoryValue_ == 0; }
  int Precision() const { return precision_; }
  void SetPrecision(int Value) { precision_ = Value; }
  bool BeepOnError() const { return beepOnError_; }
  void SetBeepOnError(bool Value) { beepOnError_ = Value; }

  std::function<void(TdxCalcButtonKind& Key)> OnCalcButton;
  std::function<void()> OnCalcResult;
  std::function<void()> OnDisplayTextChange;
  std::function<void()> OnCalcError;
  // The memory keys' greyed state may have changed.
  std::function<void()> OnMemoryChanged;

 private:
  int DisplayDigits() const { return precision_ > 2 ? precision_ : 2; }
  void SetDisplayText(const String& Text);
  void StartNumber();
  void EnterError();
  void Beep();
  // The display value, or the error state when the display is not a number.
  bool ReadValue(double& Value);
  void TypeDigit(TdxCalcButtonKind Key);
  void TypeDecimal();
  void TypeBack();
  void ApplyFunction(TdxCalcButtonKind Key);
  void ApplyOperation(TdxCalcButtonKind Key);
  void ApplyMemory(TdxCalcButtonKind Key);

  TdxCalcDisplay& display_;
  TdxCalcEntryState entryState_ = cesStart;
  TdxCalcButtonKind pendingOperation_ = cbEqual;
  double firstOperand_ = 0;
  double memoryValue_ = 0;
  int precision_ = 13;
  bool beepOnError_ = true;
};

// The display text of the error state ("Error").
String CalcErrorText();

// The key a typed character stands for (cbNone for others).
TdxCalcButtonKind CalcKeyOfChar(Char Key);
// The key a virtual key with Ctrl held or not stands for (cbNone for others).
TdxCalcButtonKind CalcKeyOfVirtualKey(WORD Key, bool Ctrl);
