// The numeric editor: a masked text editor whose text is a number of ValueType, stepped by the
// Up and Down keys and the mouse wheel within MinValue..MaxValue.
#pragma once

#include <memory>

#include "cx/editors/cxTextEditViewInfo.h"
#include "cx/editors/cxMaskEdit.h"
#include "platform/forms/Timers.h"

TRENVIK_ENUM(TcxSpinEditValueType, vtInt, vtFloat);

// Reads the whole text as a number of the value type: an optional sign and decimal digits for vtInt
// (32 bits), with the locale's decimal separator and an exponent for vtFloat. Nothing else passes.
bool cxSpinTextToNumber(const String& AText, TcxSpinEditValueType AValueType, double& AValue);

class TcxCustomSpinEditProperties : public TcxCustomMaskEditProperties {
  TRENVIK_CLASS(TcxCustomSpinEditProperties, TcxCustomMaskEditProperties);

 public:
  explicit TcxCustomSpinEditProperties(TPersistent* AOwner);

  void Assign(TPersistent* Source) override;

  bool CanEdit = true;
  double Increment = 1.0;
  bool UseCtrlIncrement = false;
  // Accessors of the three settings above, through which form files reach them.
  bool GetCanEdit() const { return CanEdit; }
  void SetCanEdit(bool Value) { CanEdit = Value; }
  double GetIncrement() const { return Increment; }
  void SetIncrement(double Value) { Increment = Value; }
  bool GetUseCtrlIncrement() const { return UseCtrlIncrement; }
  void SetUseCtrlIncrement(bool Value) { UseCtrlIncrement = Value; }
  // The stored type while assigned; else the data source's, or vtFloat without one.
  TcxSpinEditValueType ValueType();
  void SetValueType(TcxSpinEditValueType Value);
  bool IsValueTypeAssigned() const { return valueTypeAssigned_; }

  TClass GetContainerClass() override;
  TClass GetViewInfoClass() override;
  std::unique_ptr<TcxCustomEditViewData> CreateViewData(TcxCustomEditStyle* AStyle, bool AIsInplace) override;
  bool IsEditValueValid(Variant& EditValue, bool AEditFocused) override;
  void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue, bool AEditFocused) override;
  void ValidateDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error, TcxCustomEdit* AEdit) override;
  TcxEditValueSource GetEditValueSource(bool AEditFocused) override;
  String GetDefaultDisplayValue() override;
  bool SupportsValueBounds() override { return true; }
  bool IsDisplayValueValid(Variant& DisplayValue, bool AEditFocused) override;

  virtual bool ValidatesNumericText() { return true; }
  virtual bool PreserveSelectionOnIncrement() { return false; }

  // The value converted to the variant type of ValueType (integer or double).
  Variant ToValueType(double AValue);

 private:
  TcxSpinEditValueType valueType_ = vtInt;
  bool valueTypeAssigned_ = false;
};

class TcxSpinEditProperties : public TcxCustomSpinEditProperties {
  TRENVIK_CLASS(TcxSpinEditProperties, TcxCustomSpinEditProperties);

 public:
  explicit TcxSpinEditProperties(TPersistent* AOwner) : TcxCustomSpinEditProperties(AOwner) {}
};

// Button 1 (upper) above button 0 (lower) in one column; pressed while an arrow key holds it.
class TcxSpinEditViewData : public TcxCustomTextEditViewData {
  TRENVIK_CLASS(TcxSpinEditViewData, TcxCustomTextEditViewData);

 public:
  using TcxCustomTextEditViewData::TcxCustomTextEditViewData;

  bool CanPressButton(TcxCustomEditViewInfo* AViewInfo, int AButtonIndex) override;
  bool IsButtonPressed(TcxCustomEditViewInfo* AViewInfo, int AButtonIndex) override;
  void Calculate(TcxCanvas* ACanvas, const RECT& ABounds, POINT P, int AButton, TShiftState AShift,
                 TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  void CalculateButtonViewInfo(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, RECT& AButtonsRect,
                               int AIndex) override;

 private:
  int ArrowKeyState() const;
};

// The spin buttons: an up arrow on the upper button, a down arrow on the lower one.
class TcxSpinEditViewInfo : public TcxCustomTextEditViewInfo {
  TRENVIK_CLASS(TcxSpinEditViewInfo, TcxCustomTextEditViewInfo);

 public:
  TcxSpinEditViewInfo() = default;
  void DrawButtonContent(TcxCanvas* ACanvas, int AIndex, TColor ABrushColor, TColor APenColor,
                         const RECT& ARect) override;
};

class TcxCustomSpinEdit : public TcxCustomMaskEdit {
  TRENVIK_CLASS(TcxCustomSpinEdit, TcxCustomMaskEdit);

 public:
  explicit TcxCustomSpinEdit(TComponent* AOwner);

  TcxCustomSpinEditProperties* ActiveProperties() {
    return static_cast<TcxCustomSpinEditProperties*>(GetActiveProperties());
  }
  int ArrowKeyState() const { return arrowKeyState_; }

  virtual double GetIncrement(bool ADown);
  virtual Variant GetValue();
  // Steps once; true when the shown text changed.
  virtual bool DoIncrement(bool ADown);
  virtual void SetValue(const Variant& Value);

  TClass GetPropertiesClass() override { return TcxSpinEditProperties::StaticClass(); }
  bool DoEditing() override;
  void DoEditKeyDown(WORD& Key, TShiftState Shift) override;
  void DoEditKeyPress(Char& Key) override;
  void DoEditKeyUp(WORD& Key, TShiftState Shift) override;
  bool IsValidChar(Char AChar) override;
  void PropertiesChanged(TObject* Sender) override;
  void DisplayToEditValue(const Variant& DisplayValue, Variant& EditValue, bool AEditFocused) override;
  void PasteFromClipboard() override;
  void FitValueToBounds();
  bool RefreshContainer(POINT P, int AButton, TShiftState AShift, bool AIsMouseEvent) override;
  void DoButtonDown(int AVisibleIndex) override;
  bool CanFocusOnClick() override;
  // Ends a press of a button or an arrow key: nothing drawn pressed, no timer, no capture.
  void StopTracking();
  bool IsRepeatTimerRunning() const { return repeatTimer_ != nullptr; }

 protected:
  void DblClick() override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheelDown(TShiftState Shift, POINT MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, POINT MousePos) override;
  void FocusChanged() override;

 private:
  Variant MinimumOfValueType();
  // True when the text could still grow into a number: a leading minus, digits and, for vtFloat,
  // one decimal separator. Keeps '+', blanks, letters and a second sign out of the text.
  bool IsNumberPrefix(const String& AText);
  bool AcceptsReplacement(const String& AInserted);
  void SetArrowKeyState(int AState);
  // Which spin button the view info draws pressed: 1 upper, 0 lower, -1 none.
  int PressedSpinButton();
  void StartRepeatTimer();
  void RepeatTimerTick();
  void InvalidateSpinButtons(bool AErase);

  int arrowKeyState_ = 0;
  std::unique_ptr<TTimer> repeatTimer_;
};

class TcxSpinEdit : public TcxCustomSpinEdit {
  TRENVIK_CLASS(TcxSpinEdit, TcxCustomSpinEdit);

 public:
  explicit TcxSpinEdit(TComponent* AOwner) : TcxCustomSpinEdit(AOwner) {}
  Variant Value() { return GetValue(); }
  bool IsValueStored() const;
};
