#include "cx/editors/cxEditScopes.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/editors/cxMaskEdit.h"
#include "cx/editors/cxMaskEditRegExprMode.h"
#include "platform/forms/native/NativeCommon.h"
#include "platform/win/MessageIds.h"
#include "platform/win/Messages.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomMaskEdit)
TRENVIK_PUBLISHED(TcxMaskEdit) { PublishTextEditControl(P); }

TcxCustomMaskEdit::TcxCustomMaskEdit(TComponent* AOwner) : TcxCustomTextEdit(AOwner) {
  CreateProperties();
  mode_ = cxCreateMaskEditMode(emkStandard, this, ActiveProperties());
  UpdateEmptyMaskText();
  PropertiesChanged(Properties());
}

TcxCustomMaskEdit::~TcxCustomMaskEdit() { mode_.reset(); }

void TcxCustomMaskEdit::UpdateEmptyMaskText() {
  ActiveProperties()->SetEmptyMaskText(IsMasked() && mode_ ? mode_->GetEmptyString() : String());
}

void TcxCustomMaskEdit::SetSelStart(int Value) {
  TcxCustomTextEdit::SetSelStart(Value);
  mode_->CaretChanged();
}

void TcxCustomMaskEdit::SetSelLength(int Value) {
  TcxCustomTextEdit::SetSelLength(Value);
  mode_->CaretChanged();
}

void TcxCustomMaskEdit::SetSelText(const String& Value) {
  if (!IsMasked()) {
    InnerTextEdit()->SetSelText(Value);
    return;
  }
  mode_->InsertLength = static_cast<int>(Value.size());
  mode_->BeforePaste();
  InnerTextEdit()->SetSelText(Value);
  mode_->AfterPaste();
}

int TcxCustomMaskEdit::CaretIndex() {
  // The inner edit reports its selection only; a selection is taken as made rightwards.
  return MaskSelStart() + MaskSelLength();
}

String TcxCustomMaskEdit::BindingDisplayText() {
  Variant value;
  DataBinding()->GetDisplayValue(value);
  return VarToStr(value);
}

void TcxCustomMaskEdit::SetBindingDisplayText(const String& Value) { DataBinding()->SetDisplayValue(Variant(Value)); }

void TcxCustomMaskEdit::SendInternalKeyDown(WORD Key) {
  TcxFlagScope internal(internalKey_);
  SendMessage(InnerTextEdit()->Handle(), WM_KEYDOWN, Key, 0);
}

void TcxCustomMaskEdit::SendInternalKeyPress(Char Key) {
  TcxFlagScope internal(internalKey_);
  SendMessage(InnerTextEdit()->Handle(), WM_CHAR, Key, 0);
}

String TcxCustomMaskEdit::ClipboardText() {
  String text;
  if (!HandleAllocated() || !GetClipboardText(Handle(), &text)) text.clear();
  return text;
}

String TcxCustomMaskEdit::PreparedDisplayText() {
  Variant display;
  ActiveProperties()->PrepareDisplayValue(EditValue(), display, IsEditFocused());
  return VarToStr(display);
}

void TcxCustomMaskEdit::InternalSetDisplayValue(const Variant& Value) {
  if (!IsMasked() || IsLoading()) {
    inherited::InternalSetDisplayValue(Value);
    return;
  }
  inherited::InternalSetDisplayValue(Variant(mode_->Format(VarToStr(Value))));
  mode_->SetText(Text());
}

void TcxCustomMaskEdit::ChangeHandler(TObject* Sender) {
  TcxFlagScope change(innerChange_);
  inherited::ChangeHandler(Sender);
}

void TcxCustomMaskEdit::SynchronizeDisplayValue() {
  // Reformatting the text being typed would move the caret away from the keys still to come (and
  // replace a number still being typed, such as a lone minus, by the value read from it).
  if (innerChange_) return;
  inherited::SynchronizeDisplayValue();
  if (mode_ && IsMasked()) mode_->SetText(Text());
}

void TcxCustomMaskEdit::CutToClipboard() {
  if (!IsMasked()) {
    inherited::CutToClipboard();
    return;
  }
  CopyToClipboard();
  mode_->PressDelete();
}

void TcxCustomMaskEdit::PasteFromClipboard() {
  if (!IsMasked()) {
    inherited::PasteFromClipboard();
    return;
  }
  const String clip = ClipboardText();
  if (clip.empty()) return;
  mode_->InsertLength = static_cast<int>(clip.size());
  mode_->BeforePaste();
  inherited::PasteFromClipboard();
  mode_->AfterPaste();
}

void TcxCustomMaskEdit::RepositoryItemChanged() {
  inherited::RepositoryItemChanged();
  if (mode_) mode_->Properties = ActiveProperties();
}

void TcxCustomMaskEdit::DblClick() {
  if (IsMasked()) mode_->SeekEnd();
  inherited::DblClick();
}

void TcxCustomMaskEdit::DoEnter() {
  if (IsMasked() && ActiveProperties()->AutoSelect()) mode_->SeekEnd();
  inherited::DoEnter();
}

void TcxCustomMaskEdit::Loaded() {
  inherited::Loaded();
  // A text loaded with the form is shown through the mask.
  if (IsMasked()) InternalSetDisplayValue(Variant(Text()));
}
