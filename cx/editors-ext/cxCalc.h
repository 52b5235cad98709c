// The calculator pad (a four-function calculator with memory, square root, percent and reciprocal
// that reads and writes its number as text through two virtual operations) and the calc edit, a
// numeric text editor whose drop-down is that pad working on the editor's own text.
#pragma once

#include <array>

#include "cx/editors/cxFormats.h"
#include "cx/editors/cxPopupEdit.h"
#include "cx/foundation/cxControls.h"

TRENVIK_ENUM(TcxCalcButtonKind, cbBack, cbCancel, cbClear, cbMC, cbMR, cbMS, cbMP, cbNum0, cbNum1, cbNum2,
             cbNum3, cbNum4, cbNum5, cbNum6, cbNum7, cbNum8, cbNum9, cbSign, cbDecimal, cbDiv, cbMul, cbSub,
             cbAdd, cbSqrt, cbPercent, cbRev, cbEqual, cbNone);
TRENVIK_ENUM(TcxCalcState, ccsNewNumber, ccsEntering, ccsError);

constexpr int kCalcButtonCount = 27;

struct TcxCalcButton {
  String Caption;
  TColor FontColor = clBlack;
  RECT Bounds{};
  bool Down = false;
  bool Disabled = false;
};

// The pad's measures for a size (AutoFontSize) or a font height (2 x it is the button height).
struct TcxCalculatorMetrics {
  int ButtonHeight = 22;
  int ButtonWidth = 28;
  int WideButtonWidth = 47;
  int HorzGap = 3;
  int VertGap = 3;
  int FontSize = 8;
  int PadWidth = 198;
  int PadHeight = 131;
};
TcxCalculatorMetrics cxCalculatorMetricsForButtonHeight(int AButtonHeight);
// The button height whose pad height comes closest to the smaller of Width x 131 / 198 and Height.
int cxCalculatorAutoButtonHeight(int AWidth, int AHeight);

using TcxCalcButtonClickEvent = std::function<void(TObject* Sender, TcxCalcButtonKind& Button)>;

class TcxCustomCalculator : public TcxControl {
  TRENVIK_CLASS(TcxCustomCalculator, TcxControl);

 public:
  explicit TcxCustomCalculator(TComponent* AOwner);

  TcxCalcState State() const { return state_; }
  double Memory() const { return memory_; }
  double Operand() const { return operand_; }
  TcxCalcButtonKind PendingOperation() const { return pendingOperation_; }
  int Precision() const { return precision_; }
  void SetPrecision(int Value) { precision_ = Value; }
  bool BeepOnError() const { return beepOnError_; }
  void SetBeepOnError(bool Value) { beepOnError_ = Value; }
  bool AutoFontSize() const { return autoFontSize_; }
  void SetAutoFontSize(bool Value);
  bool ShowFocusRect() const { return showFocusRect_; }
  void SetShowFocusRect(bool Value);
  // The pad's window border (bsNone or bsSingle), outside the pad: the pad keeps its size.
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle Value);
  const TcxCalculatorMetrics& Metrics() const { return metrics_; }
  const TcxCalcButton& Button(TcxCalcButtonKind AKind) const { return buttons_[AKind]; }
  // The button at a client point (cbNone outside every button).
  TcxCalcButtonKind ButtonAt(POINT P) const;
  TcxCalcButtonKind HotButton() const { return hotButton_; }

  // The shown number: 0 in the error state, else the display text (blank: 0) as a number.
  double Value();
  void SetValue(double X);
  void ButtonClick(TcxCalcButtonKind AButton);
  // The clipboard's text, without currency symbols, as the entered number (0 when it is none).
  void PasteFromClipboard();
  void CopyToClipboard();
  // Sizes the pad for a client size (AutoFontSize) or the font, lays it out and resets the state.
  void ComputeLayout(int AWidth, int AHeight);

  TcxCalcButtonClickEvent OnButtonClick;
  TNotifyEvent OnDisplayChange;
  TNotifyEvent OnError;
  TNotifyEvent OnResult;
  TNotifyEvent OnHidePopup;

  // --- Virtual operations, in the family's slot order ---
  virtual TcxLookAndFeelPainterClass GetPainter();
  virtual String GetDisplayText() { return String(); }
  virtual void SetDisplayText(const String&) {}
  virtual void HidePopup();

  void FocusChanged() override;
  void FontChanged() override;
  void MouseLeave(TControl* AControl) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void Resize() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  void LayoutButtons();
  void ResetState();
  // The display text replaced (and the change announced) when it differs.
  void SetDisplay(const String& AText);
  void Error();
  void CheckFirst();
  void Beep() const;
  void ApplyOperation(TcxCalcButtonKind AButton);
  void UpdateMemoryButtons();
  void InvalidateButton(TcxCalcButtonKind AButton);
  void SetButtonDown(TcxCalcButtonKind AButton, bool ADown);
  void SetHotButton(TcxCalcButtonKind AButton);
  // A key held on a button: the old one released, the new one pressed (and clicked).
  void PressKeyButton(TcxCalcButtonKind AButton, bool AFromCharacter);
  void ReleaseKeyButton();
  TcxButtonState PaintState(TcxCalcButtonKind AButton);
  void PaintButton(TcxCalcButtonKind AButton);

  std::array<TcxCalcButton, kCalcButtonCount> buttons_;
  TcxCalculatorMetrics metrics_;
  TcxCalcState state_ = ccsNewNumber;
  double memory_ = 0;
  double operand_ = 0;
  TcxCalcButtonKind pendingOperation_ = cbEqual;
  int precision_ = 13;
  bool beepOnError_ = true;
  bool autoFontSize_ = true;
  TBorderStyle borderStyle_ = bsNone;
  bool showFocusRect_ = true;
  bool sizing_ = false;
  TcxCalcButtonKind mouseButton_ = cbNone;
  TcxCalcButtonKind hotButton_ = cbNone;
  TcxCalcButtonKind keyButton_ = cbNone;
};

class TcxCustomCalcEdit;

// The calculator of a calc edit's drop-down: its display is the edit's text.
class TcxPopupCalculator : public TcxCustomCalculator {
  TRENVIK_CLASS(TcxPopupCalculator, TcxCustomCalculator);

 public:
  explicit TcxPopupCalculator(TComponent* AOwner) : TcxCustomCalculator(AOwner) {}

  TcxCustomCalcEdit* Edit() const { return edit_; }
  void SetEdit(TcxCustomCalcEdit* Value) { edit_ = Value; }

  TcxLookAndFeelPainterClass GetPainter() override;
  String GetDisplayText() override;
  void SetDisplayText(const String& Value) override;
  bool CanFocusOnClick() override { return false; }

 protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;

 private:
  TcxCustomCalcEdit* edit_ = nullptr;
};

class TcxCustomCalcEditProperties : public TcxCustomPopupEditProperties {
  TRENVIK_CLASS(TcxCustomCalcEditProperties, TcxCustomPopupEditProperties);

 public:
  explicit TcxCustomCalcEditProperties(TPersistent* AOwner);

  void Assign(TPersistent* Source) override;

  int Precision() const { return precision_; }
  void SetPrecision(int Value);
  bool QuickClose() const { return quickClose_; }
  void SetQuickClose(bool Value);
  // The text (thousand separators ignored) as a number within the range of doubles.
  bool IsValidNumberText(const String& AText, double& AValue);

  TClass GetContainerClass() override;
  bool PostAfterPopupClosed() override { return true; }
  bool IsDisplayValueValid(Variant&, bool) override { return true; }
  void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue, bool AEditFocused) override;
  void ValidateDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error, TcxCustomEdit* AEdit) override;

 private:
  int precision_ = 13;
  bool quickClose_ = false;
};

class TcxCalcEditProperties : public TcxCustomCalcEditProperties {
  TRENVIK_CLASS(TcxCalcEditProperties, TcxCustomCalcEditProperties);

 public:
  explicit TcxCalcEditProperties(TPersistent* AOwner) : TcxCustomCalcEditProperties(AOwner) {}
};

class TcxCustomCalcEdit : public TcxCustomPopupEdit, public IcxFormatControllerListener {
  TRENVIK_CLASS(TcxCustomCalcEdit, TcxCustomPopupEdit);

 public:
  explicit TcxCustomCalcEdit(TComponent* AOwner);
  ~TcxCustomCalcEdit() override;

  TcxCustomCalcEditProperties* ActiveProperties() {
    return static_cast<TcxCustomCalcEditProperties*>(GetActiveProperties());
  }
  TcxCustomCalcEditProperties* Properties() const {
    return static_cast<TcxCustomCalcEditProperties*>(TcxCustomEdit::Properties());
  }
  TcxPopupCalculator* Calculator() const { return calculator_; }
  // 0 for an empty value.
  double Value();
  void SetValue(double Value);

  TClass GetPropertiesClass() override { return TcxCalcEditProperties::StaticClass(); }
  bool CanDropDown() override { return !ActiveProperties()->ReadOnly(); }
  void CreatePopupWindow() override;
  void DoInitPopup() override;
  void SetupPopupWindow() override;
  void PopupWindowClosed(TObject* Sender) override;
  void PropertiesChanged(TObject* Sender) override;
  void DisplayToEditValue(const Variant& DisplayValue, Variant& EditValue, bool AEditFocused) override;
  bool IsValidChar(Char AChar) override;
  void KeyPress(Char& Key) override;
  void PasteFromClipboard() override;
  // IcxFormatControllerListener
  void FormatChanged() override { SynchronizeDisplayValue(); }

 protected:
  void DoEnter() override;
  void DoExit() override;

 private:
  TcxPopupCalculator* calculator_ = nullptr;
};

class TcxCalcEdit : public TcxCustomCalcEdit {
  TRENVIK_CLASS(TcxCalcEdit, TcxCustomCalcEdit);

 public:
  explicit TcxCalcEdit(TComponent* AOwner) : TcxCustomCalcEdit(AOwner) {}
};

void InitializeCalcEdit();
void FinalizeCalcEdit();
