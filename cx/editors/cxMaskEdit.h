// Masked editing over the text editor: a standard or regular-expression mask (MaskKind) whose mode
// object receives every keystroke, caret move, paste and text replacement while the mask is in
// effect. Without a mask both classes behave as their text-editor bases.
#pragma once

#include <memory>

#include "cx/editors/cxMaskEditMode.h"
#include "cx/editors/cxTextEdit.h"

class TcxCustomMaskEdit;

// A new mode of the class that serves AKind.
std::unique_ptr<TcxMaskEditCustomMode> cxCreateMaskEditMode(TcxEditMaskKind AKind, IcxMaskEditModeEditor* AEdit,
                                                            IcxMaskEditModeSettings* AProperties);

class TcxCustomMaskEditProperties : public TcxCustomTextEditProperties, public IcxMaskEditModeSettings {
  TRENVIK_CLASS(TcxCustomMaskEditProperties, TcxCustomTextEditProperties);

 public:
  explicit TcxCustomMaskEditProperties(TPersistent* AOwner);
  ~TcxCustomMaskEditProperties() override;

  void Assign(TPersistent* Source) override;

  bool CaseInsensitive() override { return caseInsensitive_; }
  void SetCaseInsensitive(bool Value);
  // The stored mask; GetEditMask is the effective one.
  const String& EditMask() const { return editMask_; }
  String GetEditMask();
  // Test-compiles a changed mask first: a bad regular expression raises EcxMaskEditError and
  // nothing is stored.
  void SetEditMask(const String& Value);
  const String& EmptyMaskText() const { return emptyMaskText_; }
  void SetEmptyMaskText(const String& Value) { emptyMaskText_ = Value; }
  const String& GetEmptyMaskText() const { return emptyMaskText_; }
  bool IgnoreMaskBlank() override { return ignoreMaskBlank_; }
  void SetIgnoreMaskBlank(bool Value);
  TcxEditMaskKind MaskKind() const { return maskKind_; }
  void SetMaskKind(TcxEditMaskKind Value);
  bool BeepOnError() override { return TcxCustomEditProperties::BeepOnError(); }
  bool IsMasked() { return !cxIsBlankMask(GetEditMask()); }

  TClass GetContainerClass() override;
  TcxEditDisplayFormatOptions GetDisplayFormatSupport() override;
  void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue, bool AEditFocused) override;
  void ValidateDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error, TcxCustomEdit* AEdit) override;
  TcxEditValueSource GetEditValueSource(bool AEditFocused) override;
  void SetCharCase(TEditCharCase Value) override;
  void SetMaxLength(int Value) override;
  bool UseLookupData() override;

 private:
  bool caseInsensitive_ = true;
  String editMask_;
  String emptyMaskText_;
  bool ignoreMaskBlank_ = false;
  TcxEditMaskKind maskKind_ = emkStandard;
  // Formats display values only; made on demand.
  std::unique_ptr<TcxMaskEditCustomMode> mode_;
};

class TcxMaskEditProperties : public TcxCustomMaskEditProperties {
  TRENVIK_CLASS(TcxMaskEditProperties, TcxCustomMaskEditProperties);

 public:
  explicit TcxMaskEditProperties(TPersistent* AOwner) : TcxCustomMaskEditProperties(AOwner) {}
};

class TcxCustomMaskEdit : public TcxCustomTextEdit, public IcxMaskEditModeEditor {
  TRENVIK_CLASS(TcxCustomMaskEdit, TcxCustomTextEdit);

 public:
  explicit TcxCustomMaskEdit(TComponent* AOwner);
  ~TcxCustomMaskEdit() override;

  TcxCustomMaskEditProperties* ActiveProperties() {
    return static_cast<TcxCustomMaskEditProperties*>(GetActiveProperties());
  }
  TcxMaskEditCustomMode* Mode() const { return mode_.get(); }
  bool InternalKey() const { return internalKey_; }
  bool IsMasked() { return ActiveProperties()->IsMasked(); }

  // Selection setters tell the mode the caret moved.
  void SetSelStart(int Value);
  void SetSelLength(int Value);
  void SetSelText(const String& Value);

  TClass GetPropertiesClass() override { return TcxMaskEditProperties::StaticClass(); }
  void DoEditKeyDown(WORD& Key, TShiftState Shift) override;
  void DoEditKeyPress(Char& Key) override;
  void DoEditKeyUp(WORD& Key, TShiftState Shift) override;
  void InternalSetDisplayValue(const Variant& Value) override;
  void PropertiesChanged(TObject* Sender) override;
  void RepositoryItemChanged() override;
  void SynchronizeDisplayValue() override;
  void ChangeHandler(TObject* Sender) override;
  void CutToClipboard() override;
  void PasteFromClipboard() override;

  // IcxMaskEditModeEditor
  String MaskText() override { return Text(); }
  int MaskSelStart() override { return TcxCustomTextEdit::SelStart(); }
  int MaskSelLength() override { return TcxCustomTextEdit::SelLength(); }
  void MaskSetSelStart(int Value) override { SetSelStart(Value); }
  void MaskSetSelLength(int Value) override { SetSelLength(Value); }
  int CaretIndex() override;
  void SetInnerSelStart(int Value) override { InnerTextEdit()->SetSelStart(Value); }
  void SetInnerSelLength(int Value) override { InnerTextEdit()->SetSelLength(Value); }
  void SetInnerEditDisplayText(const String& Value) override { SetInnerEditDisplayValue(Variant(Value)); }
  String BindingDisplayText() override;
  void SetBindingDisplayText(const String& Value) override;
  bool ShiftDown() override { return shiftDown_; }
  void SetShiftDown(bool Value) override { shiftDown_ = Value; }
  void SendInternalKeyDown(WORD Key) override;
  void SendInternalKeyPress(Char Key) override;
  bool MaskHandleAllocated() override { return HandleAllocated(); }
  bool MaskInEffect() override { return IsMasked(); }
  bool IsEditUnavailable() override { return IsLoading() || TcxCustomEdit::IsEditUnavailable(); }
  String ClipboardText() override;
  bool ModifiedAfterEnter() override { return TcxCustomEdit::ModifiedAfterEnter(); }
  String CurrentDisplayText() override { return Text(); }
  String PreparedDisplayText() override;
  void SetMaskEditValue(const Variant& Value) override { SetEditValue(Value); }

 protected:
  void DblClick() override;
  void DoEnter() override;
  void Loaded() override;

 private:
  bool HandleMaskedKeyDown(WORD& Key, TShiftState Shift);
  // The inner edit moves its caret on clicks without telling the editor: the mode hears of it
  // before it handles the next key.
  void SyncModeWithCaret();
  void ReplaceModeIfKindChanged(bool& AMaskCleared);
  void UpdateEmptyMaskText();

  std::unique_ptr<TcxMaskEditCustomMode> mode_;
  bool internalKey_ = false;
  bool shiftDown_ = false;
  // The inner edit's text is changing under the user's keys; it is the display value already.
  bool innerChange_ = false;
};

class TcxMaskEdit : public TcxCustomMaskEdit {
  TRENVIK_CLASS(TcxMaskEdit, TcxCustomMaskEdit);

 public:
  explicit TcxMaskEdit(TComponent* AOwner) : TcxCustomMaskEdit(AOwner) {}
};
