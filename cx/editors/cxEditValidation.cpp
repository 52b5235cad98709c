// Validation, posting and reverting of an edit's value.
#include "cx/editors/cxEdit.h"
#include "cx/editors/cxEditScopes.h"
#include "platform/forms/Forms.h"
#include "platform/win/Shell.h"

bool TcxCustomEdit::ValidateEdit(bool ARaiseException) {
  if (!modifiedAfterEnter_ || validated_) return true;
  Variant displayValue;
  GetDisplayValue(displayValue);
  bool error = false;
  String errorText;
  TcxCustomEditProperties* properties = GetActiveProperties();
  if (properties->CanValidate()) properties->ValidateDisplayValue(displayValue, errorText, error, this);
  if (!error) {
    validated_ = true;
    SetInternalDisplayValue(displayValue);
    if (!isInplace_ && !Focused()) SetModifiedAfterEnter(false);
    return true;
  }
  if (ARaiseException) {
    HandleValidationError(errorText);
    if (Application) Application->ProcessMessages();
  }
  return false;
}

void TcxCustomEdit::HandleValidationError(const String& ErrorText) {
  if (!Focused() && Visible()) {
    TcxFlagScope focusingForError(focusingForError_);
    TWinControl* target = InnerControl() ? InnerControl() : this;
    if (target->CanFocus()) target->SetFocus();
    SelectAll();
  }
  if (GetActiveProperties()->BeepOnError()) MessageBeep(MB_OK);
  if (!ErrorText.empty()) throw Exception(ErrorText);
}

void TcxCustomEdit::PostEditValue() {
  BeginPosting();
  struct EndGuard {
    TcxCustomEdit* edit;
    ~EndGuard() { edit->EndPosting(); }
  } guard{this};
  if (isInplace_) {
    // A failing in-place post keeps the value modified and reaches the grid's error path.
    if (OnInplacePost) OnInplacePost(this);
    SetModified(false);
    return;
  }
  try {
    Variant value;
    GetEditValue(value);
    dataBinding_->SetStoredValue(value);
  } catch (...) {
    HandleValidationError(String());
    throw;
  }
}

void TcxCustomEdit::Reset() {
  TcxCustomEditProperties* properties = GetActiveProperties();
  if (!modifiedAfterEnter_ || !properties->CanRevertEditValue()) return;
  modifiedAfterEnter_ = false;
  SetEditValue(savedValue_);
  SetModified(true);
  SelectAll();
  if (properties->ImmediatePost() && CanPostEditValue()) PostEditValue();
}
