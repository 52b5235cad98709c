// Focus entry and exit of an edit: the value saved for Esc, validation and posting on the way out.
#include "cx/editors/cxEdit.h"
#include "platform/forms/Forms.h"

bool TcxCustomEdit::Focused() {
  return inherited::Focused() || (InnerControl() && InnerControl()->Focused());
}

void TcxCustomEdit::SetFocus() {
  if (IsDesigning()) return;
  inherited::SetFocus();
  TWinControl* inner = InnerControl();
  if (inner && inner->HandleAllocated() && inherited::Focused() && inner->CanFocus()) {
    inner->SetFocus();
    if (TCustomForm* form = GetParentForm(this)) form->SetActiveControl(inner);
  }
}

bool TcxCustomEdit::IsActiveControl() {
  if (Focused()) return true;
  TCustomForm* form = GetParentForm(this);
  return form &&
         (form->ActiveControl() == this || (InnerControl() && form->ActiveControl() == InnerControl()));
}

void TcxCustomEdit::DoEnter() {
  if (ContainerDestroying()) return;
  if (!focusingForError_) {
    SaveModified();
    inherited::DoEnter();
    dataBinding_->UpdateDisplayValue();
    if (GetActiveProperties()->CanRevertEditValue()) GetEditValue(savedValue_);
    SynchronizeDisplayValue();
    RestoreModified();
    modifiedAfterEnter_ = false;
  }
  UpdateDrawValue();
}

void TcxCustomEdit::DoExit() {
  if (ContainerDestroying() || focusingForError_) return;
  SaveModified();
  struct RestoreGuard {
    TcxCustomEdit* edit;
    ~RestoreGuard() { edit->RestoreModified(); }
  };
  {
    RestoreGuard restore{this};
    if (modifiedAfterEnter_) {
      if (!ValidateEdit(true)) return;
      if (CanPostEditValue()) PostEditValue();
    }
    dataBinding_->UpdateDisplayValue();
    UpdateDrawValue();
  }
  inherited::DoExit();
  SetModifiedAfterEnter(false);
}

void TcxCustomEdit::FocusChanged() {
  if (IsDestroying() || focusingForError_) return;
  const bool focusedActive = Focused() && (!Application || Application->Active());
  if (focusedActive == lastFocusedActive_) return;
  lastFocusedActive_ = focusedActive;
  inherited::FocusChanged();
  if (OnFocusChanged) OnFocusChanged(this);
  UpdateDrawValue();
}
