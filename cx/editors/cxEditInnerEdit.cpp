// The window control an edit hosts, driven through IcxCustomInnerEdit.
#include "cx/editors/cxEdit.h"

bool TcxCustomEdit::IsEditUnavailable() { return cxContainerDestroying(this) || (expectsInnerEdit_ && !innerEdit_); }

void TcxCustomEdit::InitializeInnerEdit(TWinControl* AControl) {
  expectsInnerEdit_ = AControl != nullptr;
  innerEdit_ = dynamic_cast<IcxCustomInnerEdit*>(AControl);
  if (!innerEdit_) {
    SetInnerControl(nullptr);
    return;
  }
  innerEdit_->SetParent(this);
  innerEdit_->SetOnChange([this](TObject* Sender) { ChangeHandler(Sender); });
  SetInnerControl(innerEdit_->GetControl());
}

void TcxCustomEdit::ReleaseInnerEdit() {
  if (innerEdit_) innerEdit_->SetOnChange(nullptr);
  innerEdit_ = nullptr;
  SetInnerControl(nullptr);
}

void TcxCustomEdit::CreateHandle() {
  inherited::CreateHandle();
  if (innerEdit_ && inherited::Focused()) innerEdit_->SafelySetFocus();
}
