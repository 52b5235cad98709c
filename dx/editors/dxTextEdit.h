// The single-line text editor over the layer's rich edit control in plain-text mode, and the base of
// every editor that shows editable text: character case, password masking, a maximum length, and the
// painting of text cells for hosts.
#pragma once

#include "dx/editors/dxInplaceEdit.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/native/EditControls.h"

class TdxTextEditViewData : public TdxEditViewData {
  TRENVIK_CLASS(TdxTextEditViewData, TdxEditViewData);

 public:
  TdxTextEditViewData() = default;
  TEditCharCase CharCase = ecNormal;
  bool EndEllipsis = false;
  Char PasswordChar = 0;
  bool SelectionBar = false;
};

// The class operations of text cells.
class TdxTextEditMetaClass : public TdxInplaceEditMetaClass {
 public:
  bool DrawContent(HDC DC, const RECT& Rect, bool LiveWindow, TdxEditViewData* ViewData) const override;
  std::unique_ptr<TdxEditViewData> CreateViewDataObject() const override;
  bool IsEditClass() const override { return true; }
};

class TdxInplaceTextEdit : public TdxInplaceEdit {
  TRENVIK_CLASS(TdxInplaceTextEdit, TdxInplaceEdit);
  TRENVIK_MESSAGES(TdxInplaceTextEdit);

 public:
  explicit TdxInplaceTextEdit(TComponent* AOwner, TdxInplaceEditClass Class = StaticEditClass());
  ~TdxInplaceTextEdit() override;
  static TdxInplaceEditClass StaticEditClass();

  // --- Overridable operations added by the text editor ---
  virtual void UpdateCharCase();                          // 1
  virtual void SetEditLimit(int Limit);                   // 2
  virtual int GetSelectionLength();                       // 3
  virtual int GetSelectionStart();                        // 4
  virtual void GetSelectedText(String& Text);             // 5
  virtual bool UsesOleCallback() { return false; }        // 6
  virtual void SelectionChanged();                        // 7
  virtual void SetMaxLengthValue(int Value);              // 8
  virtual void SetSelectionLength(int Length);            // 9
  virtual void SetSelectionStart(int Start);              // 10
  virtual int GetDefaultMaxLength() { return 0; }         // 11
  virtual int GetSelectedTextBuffer(Char* Buffer, int Size);  // 12

  // --- Overrides of the base ---
  void SetEditValue(const Variant& Value) override;
  void UpdateDataDefaults() override;
  std::unique_ptr<TdxEditViewData> CreateViewData(bool FromDefinition) override;
  bool GetModified() override;
  void SetModified(bool Value) override;
  void ApplyReadOnly(bool Value) override;
  void CaretToEnd() override;
  void RestoreDefaults() override;
  void SelectAll() override;

  // --- Text operations on the window ---
  void ClearText();
  void DeleteSelection();
  void CopySelection();
  void CutSelection();
  void PasteText();
  void UndoEdit();
  void RedoEdit();
  void ClearUndo();
  bool CanUndoEdit();
  bool CanRedoEdit();
  bool CanPasteText();
  void GetSelectionRange(int& Start, int& End);
  void SetSelectionRange(int Start, int End);
  int GetEditTextLength();

  // --- Properties ---
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool Value) { autoSelect_ = Value; }
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase Value);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool Value);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int Value);
  bool OEMConvert() const { return oemConvert_; }
  void SetOEMConvert(bool Value);
  Char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(Char Value);
  bool SelectionBar() const { return selectionBar_; }
  void SetSelectionBar(bool Value);
  bool IsMaxLengthStored() const { return StoredValues() & dxsvMaxLength; }

  TNotifyEvent OnSelectionChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Loaded() override;
  void DoEnter() override;
  void EditKeyPress(Char& Key) override;
  void SetTextValue(const String& Value) override;
  // Sets the window text with the assigning-text flag (no Change).
  void AssignText(const String& Value);
  // The rich-edit formatting rectangle for the client size.
  virtual void UpdateTextArea();
  bool assigningText_ = false;
  bool creating_ = false;

 private:
  class TOleCallback;
  void CNCommand(TWMCommand& Message);
  void CNNotify(TMessage& Message);
  void CMTextChanged(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void WMSize(TWMSize& Message);
  void WMMouseButtonDown(TWMMouse& Message);
  void WMRButtonUp(TWMMouse& Message);
  void WMGetDlgCode(TMessage& Message);
  void ApplyFontColor();

  bool autoSelect_ = true;
  TEditCharCase charCase_ = ecNormal;
  bool caseChanging_ = false;
  bool hideSelection_ = true;
  int maxLength_ = 0;
  bool modifiedWithoutWindow_ = false;
  bool oemConvert_ = false;
  Char passwordChar_ = 0;
  bool selectionBar_ = false;
  std::unique_ptr<TOleCallback> oleCallback_;
};

// The text in upper or lower case (the locale's case mapping), else unchanged.
String ApplyCharCase(const String& Text, TEditCharCase CharCase);
// True when the control or one of its parents has a pop-up menu.
bool HasPopupMenu(TControl* Control);

void InitTextEditModule();
void FinalizeTextEditModule();
