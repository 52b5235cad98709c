#include "cx/editors/cxMaskEdit.h"
#include "cx/editors/cxMaskEditRegExprMode.h"
#include "platform/rtl/ScopeExit.h"

void TcxCustomMaskEdit::ReplaceModeIfKindChanged(bool& AMaskCleared) {
  TcxCustomMaskEditProperties* properties = ActiveProperties();
  const TcxEditMaskKind oldKind = mode_->GetMaskKind();
  const TcxEditMaskKind newKind = properties->MaskKind();
  if (oldKind == newKind) return;
  mode_.reset();
  mode_ = cxCreateMaskEditMode(newKind, this, properties);
  // A standard mask means nothing to an expression and back; the two expression kinds share one.
  if ((oldKind == emkStandard) != (newKind == emkStandard)) {
    properties->SetEditMask(String());
    AMaskCleared = true;
  }
  const String mask = properties->GetEditMask();
  mode_->Compile(mask);
  if (!cxIsBlankMask(mask)) mode_->SynchronizeEditValue();
  UpdateEmptyMaskText();
}

void TcxCustomMaskEdit::PropertiesChanged(TObject* Sender) {
  if (!mode_) {
    inherited::PropertiesChanged(Sender);
    return;
  }
  TcxCustomMaskEditProperties* properties = ActiveProperties();
  // A descendant may have replaced the properties object since the mode was made.
  mode_->Properties = properties;
  bool echoChanged = false;
  int savedSelStart = 0;
  int savedSelLength = 0;
  {
    properties->SetChangedLocked(true);
    TScopeExit unlock([properties] { properties->SetChangedLocked(false); });
    const String mask = properties->GetEditMask();
    const bool maskChanged = mode_->MaskText != mask;
    bool maskCleared = false;
    ReplaceModeIfKindChanged(maskCleared);
    if (maskChanged) {
      properties->SetMaxLength(0);
      mode_->Compile(mask);
      // Setting the kind and the mask together keeps the mask.
      if (maskCleared) properties->SetEditMask(mask);
      if (!cxIsBlankMask(mask))
        mode_->SynchronizeEditValue();
      else if (mode_->GetMaskKind() == emkStandard && MaskSelLength() == 1)
        InnerTextEdit()->SetSelLength(0);
      UpdateEmptyMaskText();
    }
    if (properties->CharCase() != mode_->CharCase) {
      if (properties->CharCase() == ecNormal) {
        InnerTextEdit()->SetCharCase(ecNormal);
        mode_->SynchronizeEditValue();
      }
      mode_->CharCase = properties->CharCase();
    }
    echoChanged = static_cast<int>(properties->EchoMode()) != mode_->EchoMode;
    if (echoChanged) {
      savedSelStart = MaskSelStart();
      savedSelLength = MaskSelLength();
    }
    if (IsMasked() && (IsEditUnavailable() || !VarIsNull(EditValue()))) mode_->ApplyInitialText();
  }
  if (auto* expressionMode = dynamic_cast<TcxMaskEditRegExprMode*>(mode_.get()))
    expressionMode->RegExpr->SetCaseInsensitive(properties->CaseInsensitive());
  inherited::PropertiesChanged(Sender);
  if (echoChanged) {
    InnerTextEdit()->SetSelStart(savedSelStart);
    InnerTextEdit()->SetSelLength(savedSelLength);
    mode_->EchoMode = static_cast<int>(properties->EchoMode());
  }
}
