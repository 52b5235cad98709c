// The check box editor: values mapped onto three states, toggled by click and Space.
#pragma once

#include "cx/editors/cxEdit.h"

enum TcxCheckBoxState { cbsUnchecked, cbsChecked, cbsGrayed };
enum TcxCheckBoxNullValueShowingStyle { nssUnchecked, nssInactive, nssGrayedChecked };

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
  // A strip of equal cells, left to right: unchecked, checked, grayed, then the same pressed.
  // Made on first read.
  TBitmap* Glyph();
  // nullptr frees the glyph.
  void SetGlyph(TBitmap* Value);
  bool HasGlyph() const { return glyph_ != nullptr; }
  int GlyphCount() const { return glyphCount_; }
  void SetGlyphCount(int Value);

  // The state a value shows.
  TcxCheckBoxState StateOf(const Variant& AEditValue) const;
  // The value of a state.
  const Variant& ValueOf(TcxCheckBoxState AState) const;

  TClass GetContainerClass() override;
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

class TcxCheckBoxProperties : public TcxCustomCheckBoxProperties {
  TRENVIK_CLASS(TcxCheckBoxProperties, TcxCustomCheckBoxProperties);

 public:
  explicit TcxCheckBoxProperties(TPersistent* AOwner) : TcxCustomCheckBoxProperties(AOwner) {}
};

class TcxCustomCheckBox : public TcxCustomEdit {
  TRENVIK_CLASS(TcxCustomCheckBox, TcxCustomEdit);

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
  // The check box measures its check and caption itself.
  bool CanAutoSizeEdit() override { return false; }
  void InternalSetEditValue(const Variant& Value, bool AValidateEditValue) override;
  void PropertiesChanged(TObject* Sender) override;
  void SetName(const String& NewName) override;
  void DoEditKeyDown(WORD& Key, TShiftState Shift) override;
  void DoEditKeyPress(Char& Key) override;
  void DoEditKeyUp(WORD& Key, TShiftState Shift) override;

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Paint() override;

 private:
  // The themed Button class is used for the check.
  bool IsNativeCheck();
  void PaintCheck(TcxCanvas* ACanvas, const RECT& ACheck);
  bool spacePressed_ = false;
  bool mousePressed_ = false;
  TcxCheckBoxState shownState_ = cbsUnchecked;
};

class TcxCheckBox : public TcxCustomCheckBox {
  TRENVIK_CLASS(TcxCheckBox, TcxCustomCheckBox);

 public:
  explicit TcxCheckBox(TComponent* AOwner) : TcxCustomCheckBox(AOwner) {}
};
