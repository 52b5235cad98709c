// The tri-state check box with a caption: a cell editor and painter for check columns and rows, and
// (TdxCheckEdit) a stand-alone control. Its value is the state number.
#pragma once

#include <memory>

#include "dx/editors/dxInplaceEdit.h"

class TBitmap;

TRENVIK_ENUM(TdxCheckBoxState, cbsUnchecked, cbsChecked, cbsGrayed);
TRENVIK_ENUM(TdxShowNullFieldStyle, nsUnchecked, nsInactive, nsGrayedChecked);

class TdxCheckEditViewData : public TdxEditViewData {
  TRENVIK_CLASS(TdxCheckEditViewData, TdxEditViewData);

 public:
  TdxCheckEditViewData() = default;
  String CaptionText;
  bool FocusAroundText = true;
  TBitmap* CheckGlyph = nullptr;  // not owned
  int CheckGlyphCount = 6;
  TdxShowNullFieldStyle NullLook = nsGrayedChecked;
  bool BoxPushed = false;
};

// Check editors have no border and a 3-D box unless configured otherwise.
class TdxCheckEditStyleController : public TdxEditStyleController {
  TRENVIK_CLASS(TdxCheckEditStyleController, TdxEditStyleController);

 public:
  explicit TdxCheckEditStyleController(TComponent* AOwner);

 protected:
  TdxEditBorderStyle DefaultBorderStyle() const override { return xbsNone; }
  TdxEditButtonViewStyle DefaultButtonStyle() const override { return bts3D; }
};

class TdxCheckEditStyle : public TdxEditStyle {
  TRENVIK_CLASS(TdxCheckEditStyle, TdxEditStyle);

 public:
  explicit TdxCheckEditStyle(TdxInplaceEdit* Editor = nullptr) : TdxEditStyle(Editor) {}
  TdxEditStyleController* GetDefaultStyleController() const override;
};

class TdxCheckEditMetaClass : public TdxInplaceEditMetaClass {
 public:
  bool DrawContent(HDC DC, const RECT& Rect, bool LiveWindow, TdxEditViewData* ViewData) const override;
  int GetMinHeight(TdxEditViewData* ViewData) const override;
  std::unique_ptr<TdxEditViewData> CreateViewDataObject() const override;
  std::unique_ptr<TdxEditStyle> CreateStandAloneStyle(TdxInplaceEdit* Editor) const override;
};

// The stand-alone class answers IsInplace False.
class TdxStandAloneCheckEditMetaClass : public TdxCheckEditMetaClass {
 public:
  bool IsInplace() const override { return false; }
};

class TdxInplaceCheckEdit : public TdxInplaceEdit {
  TRENVIK_CLASS(TdxInplaceCheckEdit, TdxInplaceEdit);
  TRENVIK_MESSAGES(TdxInplaceCheckEdit);

 public:
  explicit TdxInplaceCheckEdit(TComponent* AOwner, TdxInplaceEditClass Class = StaticEditClass());
  ~TdxInplaceCheckEdit() override;
  static TdxInplaceEditClass StaticEditClass();

  virtual void ToggleState();

  void SetEditValue(const Variant& Value) override;
  void GetEditValue(Variant& Value, bool FromDefinition) override;
  void GetEditingValue(Variant& Value) override;
  std::unique_ptr<TdxEditViewData> CreateViewData(bool FromDefinition) override;
  TClass GetEditStyleClass() const override;
  void ActivateByClick() override { ToggleState(); }

  // The size of one box: the glyph's cell when there is a glyph (True), else the system's check size.
  static bool GetGlyphSize(TBitmap* Glyph, int Count, int& Width, int& Height);
  // The box rectangle in TextRect for the alignment; TextRect loses the box's side.
  static RECT CalcCheckRect(int BoxWidth, int BoxHeight, RECT& TextRect, TAlignment Alignment);

  TdxCheckBoxState State() const { return state_; }
  void SetState(TdxCheckBoxState Value);
  bool Checked() const { return state_ == cbsChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbsChecked : cbsUnchecked); }
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool Value) { allowGrayed_ = Value; }
  TdxShowNullFieldStyle NullStyle() const { return nullStyle_; }
  void SetNullStyle(TdxShowNullFieldStyle Value);
  // Made on first read.
  TBitmap* Glyph();
  void SetGlyph(TBitmap* Value);
  bool HasGlyph() const { return glyph_ != nullptr; }
  int GlyphCount() const { return glyphCount_; }
  void SetGlyphCount(int Value);
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool Value);
  bool FullFocusRect() const { return fullFocusRect_; }
  void SetFullFocusRect(bool Value);
  bool Pushed() const { return pushed_; }

 protected:
  void Click() override;
  void EditKeyDown(WORD& Key, TShiftState Shift) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  void WMGetDlgCode(TMessage& Message);
  void WMCancelMode(TMessage& Message);
  void CMDialogChar(TWMKey& Message);
  void CMTextChanged(TMessage& Message);
  void SetPushed(bool Value);
  void EndTracking();

  TdxCheckBoxState state_ = cbsUnchecked;
  bool allowGrayed_ = false;
  TdxShowNullFieldStyle nullStyle_ = nsGrayedChecked;
  std::unique_ptr<TBitmap> glyph_;
  int glyphCount_ = 6;
  bool multiLine_ = false;
  bool fullFocusRect_ = false;
  bool pushed_ = false;
  bool tracking_ = false;
};

class TCustomdxCheckEdit : public TdxInplaceCheckEdit {
  TRENVIK_CLASS(TCustomdxCheckEdit, TdxInplaceCheckEdit);

 public:
  explicit TCustomdxCheckEdit(TComponent* AOwner, TdxInplaceEditClass Class = StaticEditClass())
      : TdxInplaceCheckEdit(AOwner, Class) {}
  static TdxInplaceEditClass StaticEditClass();
};

// The stand-alone check box of forms.
class TdxCheckEdit : public TCustomdxCheckEdit {
  TRENVIK_CLASS(TdxCheckEdit, TCustomdxCheckEdit);

 public:
  explicit TdxCheckEdit(TComponent* AOwner, TdxInplaceEditClass Class = StaticEditClass())
      : TCustomdxCheckEdit(AOwner, Class) {}
  static TdxInplaceEditClass StaticEditClass();
};

// The default controller of every check-editor style.
TdxCheckEditStyleController* DefaultCheckEditStyleController();
void InitDefaultCheckEditStyleController();
void FinalizeDefaultCheckEditStyleController();
