// The check box editor: values mapped onto three states, toggled by click and Space.
#pragma once

#include "cx/editors/cxEdit.h"
#include "cx/editors/cxEditViewInfo.h"

TRENVIK_ENUM(TcxCheckBoxState, cbsUnchecked, cbsChecked, cbsGrayed);
TRENVIK_ENUM(TcxCheckBoxNullValueShowingStyle, nssUnchecked, nssInactive, nssGrayedChecked);

class TcxCustomCheckBoxProperties;

// The size of the check: a glyph cell, the themed check box part, or the system's check box.
SIZE cxGetCheckSize(TcxCustomCheckBoxProperties* AProperties, bool ANativeStyle);
// The cell of a glyph strip drawn for a state: 0..2 by state, 3 more while pressed, back to the
// unpressed cell when the strip has no such cell.
int cxCheckGlyphIndex(TcxCheckBoxState AState, bool APressed, int AGlyphCount);

class TcxCustomCheckBoxProperties : public TcxCustomEditProperties {
  TRENVIK_CLASS(TcxCustomCheckBoxProperties, TcxCustomEditProperties);

 public:
  explicit TcxCustomCheckBoxProperties(TPersistent* AOwner);

  void Assign(TPersistent* Source) override;

  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool Value) { allowGrayed_ = Value; }
  const String& Caption() const { return caption_; }
  void SetCaption(const String& Value);
  bool IsCaptionSet() const { return captionSet_; }
  // The caption shows the control's name until the user sets one.
  void FollowName(const String& AName);
  const String& DisplayChecked() const { return displayChecked_; }
  void SetDisplayChecked(const String& Value) { displayChecked_ = Value; }
  const String& DisplayGrayed() const { return displayGrayed_; }
  void SetDisplayGrayed(const String& Value) { displayGrayed_ = Value; }
  const String& DisplayUnchecked() const { return displayUnchecked_; }
  void SetDisplayUnchecked(const String& Value) { displayUnchecked_ = Value; }
  TcxCheckBoxNullValueShowingStyle NullStyle() const { return nullStyle_; }
  void SetNullStyle(TcxCheckBoxNullValueShowingStyle Value);
  const Variant& ValueChecked() const { return valueChecked_; }
  void SetValueChecked(const Variant& Value);
  const Variant& ValueGrayed() const { return valueGrayed_; }
  void SetValueGrayed(const Variant& Value);
  const Variant& ValueUnchecked() const { return valueUnchecked_; }
  void SetValueUnchecked(const Variant& Value);
  // Form files keep the texts and values that differ from the defaults.
  bool IsDisplayCheckedStored() const;
  bool IsDisplayGrayedStored() const;
  bool IsDisplayUncheckedStored() const;
  bool IsValueCheckedStored() const;
  bool IsValueGrayedStored() const;
  bool IsValueUncheckedStored() const;
  // A strip of equal cells, left to right: unchecked, checked, grayed, then the same pressed.
  // Made on first read.
  TBitmap* Glyph();
  // nullptr frees the glyph.
  void SetGlyph(TBitmap* Value);
  bool HasGlyph() const { return glyph_ != nullptr; }
  int GlyphCount() const { return glyphCount_; }
  void SetGlyphCount(int Value);
  // The focus rectangle surrounds the whole caption area rather than the caption.
  bool FullFocusRect() const { return fullFocusRect_; }
  void SetFullFocusRect(bool Value);
  // The caption wraps into rows.
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool Value);

  // The state a value shows.
  TcxCheckBoxState StateOf(const Variant& AEditValue) const;
  // The value of a state.
  const Variant& ValueOf(TcxCheckBoxState AState) const;

  TClass GetContainerClass() override;
  TClass GetViewInfoClass() override;
  std::unique_ptr<TcxCustomEditViewData> CreateViewData(TcxCustomEditStyle* AStyle, bool AIsInplace) override;
  TcxEditSupportedOperations GetSupportedOperations() override;
  bool CanCompareEditValue() override { return true; }
  bool IsChangeEventSeparate() override { return true; }
  void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue, bool AEditFocused) override;
  bool IsEditValueValid(Variant& EditValue, bool AEditFocused) override;
  String GetDisplayText(const Variant& AEditValue, bool AFullText = false) override;

 private:
  // A value equal to one of the three (same type and value) is refused.
  bool IsTaken(const Variant& Value) const;
  void SetStateValue(Variant& AField, const Variant& Value, bool AAcceptNull);

  bool allowGrayed_ = false;
  std::unique_ptr<TBitmap> glyph_;
  int glyphCount_ = 6;
  bool fullFocusRect_ = false;
  bool multiLine_ = false;
  String caption_;
  bool captionSet_ = false;
  String displayChecked_;
  String displayGrayed_;
  String displayUnchecked_;
  TcxCheckBoxNullValueShowingStyle nullStyle_ = nssGrayedChecked;
  Variant valueChecked_;
  Variant valueGrayed_;
  Variant valueUnchecked_;
};

// The check drawn: 0 normal, 1 hot, 2 pressed, 3 disabled.
enum TcxCheckState : Byte { ecsNormal, ecsHot, ecsPressed, ecsDisabled };

class TcxCustomCheckBoxViewInfo : public TcxCustomEditViewInfo {
  TRENVIK_CLASS(TcxCustomCheckBoxViewInfo, TcxCustomEditViewInfo);

 public:
  TcxCustomCheckBoxViewInfo() = default;
  void Assign(TObject* Source) override;
  void Paint(TcxCanvas* ACanvas) override;
  // The check repaints when its look changed.
  bool Repaint(TWinControl* AControl, TcxCustomEditViewInfo* AOld, const RECT& AInnerEditRect) override;

  TcxCheckBoxState State = cbsUnchecked;
  TcxCheckState CheckState = ecsNormal;
  RECT CheckRect{};
  RECT FocusRect{};
  bool HasFocusRect = false;
  TAlignment Alignment = taLeftJustify;
  TcxEditDrawnBorder CheckBorderStyle = edbNone;
  TcxCheckBoxNullValueShowingStyle NullStyle = nssGrayedChecked;
  TBitmap* Glyph = nullptr;
  int GlyphCount = 0;
  bool NativeCheck = false;
  bool MultiLine = false;
  bool FullFocusRect = false;

 private:
  void PaintCheck(TcxCanvas* ACanvas);
  void PaintCheckFrame(TcxCanvas* ACanvas);
};

class TcxCustomCheckBoxViewData : public TcxCustomEditViewData {
  TRENVIK_CLASS(TcxCustomCheckBoxViewData, TcxCustomEditViewData);

 public:
  using TcxCustomEditViewData::TcxCustomEditViewData;

  // The Space key holds the check pressed.
  bool SpacePressed = false;

  TcxEditDrawnBorder GetContainerBorderStyle(int) override { return edbNone; }
  void Calculate(TcxCanvas* ACanvas, const RECT& ABounds, POINT P, int AButton, TShiftState AShift,
                 TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  void PrepareViewInfoValue(TcxCanvas* ACanvas, const Variant& AEditValue,
                            TcxCustomEditViewInfo* AViewInfo) override;
  void CalculateFixedPartSize(TcxCanvas* ACanvas, SIZE& AFixedSize, TcxCustomEditViewInfo* AViewInfo,
                              SIZE& AMinContentSize) override;

 private:
  TcxCustomCheckBoxProperties* CheckProperties() const {
    return static_cast<TcxCustomCheckBoxProperties*>(Properties());
  }
  bool HasCheckFrame() const;
  void PlaceCheck(TcxCustomCheckBoxViewInfo* AViewInfo);
  void CalculateFocusRect(TcxCanvas* ACanvas, TcxCustomCheckBoxViewInfo* AViewInfo);
};

// The text flags of a check box caption by alignment.
int cxCheckBoxTextFlags(TAlignment AAlignment, bool AMultiLine);

class TcxCheckBoxProperties : public TcxCustomCheckBoxProperties {
  TRENVIK_CLASS(TcxCheckBoxProperties, TcxCustomCheckBoxProperties);

 public:
  explicit TcxCheckBoxProperties(TPersistent* AOwner) : TcxCustomCheckBoxProperties(AOwner) {}
};

class TcxCustomCheckBox : public TcxCustomEdit {
  TRENVIK_CLASS(TcxCustomCheckBox, TcxCustomEdit);
  TRENVIK_MESSAGES(TcxCustomCheckBox);

 public:
  explicit TcxCustomCheckBox(TComponent* AOwner);

  TcxCustomCheckBoxProperties* Properties() const {
    return static_cast<TcxCustomCheckBoxProperties*>(TcxCustomEdit::Properties());
  }
  TcxCustomCheckBoxProperties* ActiveProperties() {
    return static_cast<TcxCustomCheckBoxProperties*>(GetActiveProperties());
  }
  TcxCheckBoxState State();
  void SetState(TcxCheckBoxState Value);
  bool Checked() { return State() == cbsChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbsChecked : cbsUnchecked); }
  // The Space key is held down on the check.
  bool IsSpacePressed() const { return spacePressed_; }

  virtual void Toggle();

  TClass GetPropertiesClass() override { return TcxCheckBoxProperties::StaticClass(); }
  void DisplayToEditValue(const Variant& DisplayValue, Variant& EditValue, bool AEditFocused) override;
  void Clear() override { SetChecked(false); }
  void InitializeViewData(TcxCustomEditViewData* AViewData) override;
  void GetEditSizeProperties(TcxEditSizeProperties& ASizeProperties) override;
  void InternalSetEditValue(const Variant& Value, bool AValidateEditValue) override;
  void PropertiesChanged(TObject* Sender) override;
  void SetName(const String& NewName) override;
  void DoEditKeyDown(WORD& Key, TShiftState Shift) override;
  void DoEditKeyPress(Char& Key) override;
  void DoEditKeyUp(WORD& Key, TShiftState Shift) override;

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  void RefreshCheck();
  // The caption's accelerator focuses and toggles the check box.
  void CMDialogChar(TWMKey& Message);

  bool spacePressed_ = false;
  bool mousePressed_ = false;
  TcxCheckBoxState shownState_ = cbsUnchecked;
};

class TcxCheckBox : public TcxCustomCheckBox {
  TRENVIK_CLASS(TcxCheckBox, TcxCustomCheckBox);

 public:
  explicit TcxCheckBox(TComponent* AOwner) : TcxCustomCheckBox(AOwner) {}
};
