// The numeric cell editor: a masked text with up and down spin buttons at its right edge. The value
// is an integer or a floating-point number, held as the text and clamped into a range when set; it
// steps by Increment with the buttons (auto-repeating while held), the Up and Down keys and the wheel.
#pragma once

#include "dx/editors/dxMaskEdit.h"
#include "dx/editors/dxValueBounds.h"

TRENVIK_ENUM(TdxValueType, vtInt, vtFloat);

// Spin buttons: none, up, down.
constexpr int dxSpinNone = 0;
constexpr int dxSpinUp = 1;
constexpr int dxSpinDown = 2;

// Stored-values bits of the spin editor.
constexpr Byte dxsvValueType = 0x08;
constexpr Byte dxsvMaxValue = 0x10;
constexpr Byte dxsvMinValue = 0x20;

class TdxSpinEditViewData : public TdxTextEditViewData {
  TRENVIK_CLASS(TdxSpinEditViewData, TdxTextEditViewData);

 public:
  TdxSpinEditViewData() = default;
  bool ShowButtons = true;
  int ActiveButton = dxSpinNone;
  int PressedButton = dxSpinNone;
};

class TdxSpinEditMetaClass : public TdxTextEditMetaClass {
 public:
  void CalcViewInfo(TdxEditViewData* ViewData, bool AutoSize, TdxEditViewInfo& ViewInfo) const override;
  void DrawBorder(HDC DC, const TdxEditViewInfo& ViewInfo, TdxEditViewData* ViewData) const override;
  std::unique_ptr<TdxEditViewData> CreateViewDataObject() const override;
  virtual int GetSpinButtonWidth(TdxEditViewData* ViewData) const;
  // The up and down buttons of a laid-out cell (empty when it shows none).
  RECT SpinColumn(const TdxEditViewInfo& ViewInfo, TdxEditViewData* ViewData) const;
};

class TdxInplaceSpinEdit : public TdxInplaceMaskEdit {
  TRENVIK_CLASS(TdxInplaceSpinEdit, TdxInplaceMaskEdit);
  TRENVIK_MESSAGES(TdxInplaceSpinEdit);

 public:
  explicit TdxInplaceSpinEdit(TComponent* AOwner, TdxInplaceEditClass Class = StaticEditClass());
  static TdxInplaceEditClass StaticEditClass();

  // --- Overridable operations added by the spin editor ---
  virtual double GetIncrement() { return Increment; }    // 1
  virtual double GetValue();                              // 2
  virtual bool IsValidValueChar(Char Key);                // 3
  virtual void SetMaxValue(double Value);                 // 4
  virtual void SetMinValue(double Value);                 // 5
  virtual void SetMinMax(double Min, double Max);         // 6
  virtual void SetValueType(TdxValueType Value);          // 7
  virtual void SetValue(double Value);                    // 8
  virtual double GetDefaultMaxValue() { return 0; }       // 10
  virtual double GetDefaultMinValue() { return 0; }       // 11
  virtual TdxValueType GetDefaultValueType() { return vtInt; }  // 12

  // --- Overrides ---
  void UpdateDataDefaults() override;
  void RestoreDefaults() override;
  void ValidateEdit() override;
  std::unique_ptr<TdxEditViewData> CreateViewData(bool FromDefinition) override;
  void PressAt(int X, int Y) override;
  void SetSelected(bool Value) override;
  bool GetDisableCloseEditor() override { return false; }
  bool HandlesMouseWheel() override { return true; }

  // Steps the value by the pressed button.
  void Spin();
  void SetMinMaxValues(double Min, double Max);
  void SetIsFloat(bool Value);

  double MaxValue() const { return bounds_.Max; }
  double MinValue() const { return bounds_.Min; }
  TdxValueType ValueType() const { return valueType_; }
  int ActiveButton() const { return activeButton_; }
  int PressedButton() const { return pressedButton_; }
  bool EditorEnabled = true;
  double Increment = 1.0;
  bool UseCtrlIncrement = false;

 protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;

 private:
  void WMNCHitTest(TMessage& Message);
  void WMNCLButtonDown(TMessage& Message);
  void WMNCLButtonDblClk(TMessage& Message);
  void WMTimer(TMessage& Message);
  void WMReleaseButton(TMessage& Message);
  void WMMouseWheel(TWMMouseWheel& Message);
  void WMEditCommand(TMessage& Message);
  void WMKillFocus(TMessage& Message);

  void ReapplyValue() { SetValue(GetValue()); }
  void ReleaseButton();
  void RepaintButtons();
  void StartRepeat(UINT Delay);
  void StopRepeat();

  TdxValueBounds bounds_;
  TdxValueType valueType_ = vtInt;
  int activeButton_ = dxSpinNone;
  int pressedButton_ = dxSpinNone;
  bool repeating_ = false;
};
