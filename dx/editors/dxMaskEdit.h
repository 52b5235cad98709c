// The text editor with an edit mask, and the base of the editors with buttons. Without a mask it is
// the text editor; with one it types over a text of fixed length, skipping literals, shows the caret
// as a one-character selection and refuses an incomplete text.
#pragma once

#include "dx/editors/dxMaskRoutines.h"
#include "dx/editors/dxTextEdit.h"

class TdxInplaceMaskEdit : public TdxInplaceTextEdit {
  TRENVIK_CLASS(TdxInplaceMaskEdit, TdxInplaceTextEdit);
  TRENVIK_MESSAGES(TdxInplaceMaskEdit);

 public:
  explicit TdxInplaceMaskEdit(TComponent* AOwner, TdxInplaceEditClass Class = StaticEditClass());
  static TdxInplaceEditClass StaticEditClass();

  // --- Overridable operations added by the mask editor ---
  virtual void GetSelectionBounds(int& Start, int& Stop);  // 1
  virtual void ApplyEditMask(const String& Mask);          // 2
  virtual void GetDefaultEditMask(String& Mask) { Mask.clear(); }  // 3

  // --- Overrides ---
  void SetEditValue(const Variant& Value) override;
  void GetEditingValue(Variant& Value) override;
  void GetEditingText(String& Text) override;
  void UpdateDataDefaults() override;
  bool GetDisableCloseEditor() override;
  void ValidateEdit() override;
  int GetDefaultMaxLength() override;
  void SetMaxLengthValue(int Value) override;
  bool UsesOleCallback() override { return IsMasked(); }

  // --- Properties ---
  const String& EditMask() const { return editMask_; }
  void SetEditMask(const String& Value);
  bool IgnoreMaskBlank() const { return ignoreMaskBlank_; }
  void SetIgnoreMaskBlank(bool Value) { ignoreMaskBlank_ = Value; }
  bool IsMasked() const { return masked_; }
  // The text through the mask (literals kept or dropped as the mask says); hides the raw text.
  String Text();
  void SetText(const String& Value);
  int GetTextLength() { return static_cast<int>(Text().size()); }
  // The raw window text.
  String GetEditText() { return TdxInplaceTextEdit::Text(); }
  int CharCount() const { return charCount_; }
  bool IsEditMaskStored() const { return StoredValues() & dxsvEditMask; }

 protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void EditKeyDown(WORD& Key, TShiftState Shift) override;
  void EditKeyPress(Char& Key) override;
  void DoEnter() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  void WMPaste(TMessage& Message);
  void WMCut(TMessage& Message);
  void WMClear(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void EMReplaceSel(TMessage& Message);
  void CNCommand(TWMCommand& Message);
  void CMWantSpecialKey(TWMKey& Message);

  void SetCaretPosition(int Pos);
  void CheckCaret();
  int NextInputPos(int Pos) const;
  int PrevInputPos(int Pos) const;
  // Writes Text over the window's selection (the masked text never changes its length).
  void ReplaceSelection(const String& Text);
  // Blanks every input position of [Start, End).
  String BlankedRange(int Start, int End);
  void DeleteMasked(bool Backspace);
  void TypeMasked(Char Key);
  void MarkModifiedFrom(const String& TextBefore);
  String EmptyMaskedText() const;

  int buttonDownX_ = 0;
  int caretPos_ = 0;
  String editMask_;
  bool ignoreMaskBlank_ = false;
  Char blank_ = dxDefaultMaskBlank;
  bool saveLiterals_ = true;
  bool masked_ = false;
  bool reentering_ = false;
  int charCount_ = 0;
  bool stopKey_ = false;
  bool replacing_ = false;
};
