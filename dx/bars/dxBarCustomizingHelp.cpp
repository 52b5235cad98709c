// The customizing form's help button as the manager configures it and what a press on it does.
#include "dx/bars/dxBarCustomizingForm.h"
#include "dx/bars/dxBarManager.h"
#include "platform/forms/Graphic.h"

void TdxBarManager::SetHelpButtonGlyph(TBitmap* Value) { helpButtonGlyph_->Assign(Value); }

void TdxBarManager::SetShowHelpButton(bool Value) {
  if (showHelpButton_ == Value) return;
  showHelpButton_ = Value;
  CustomizingFormHelpButtonChanged();
}

void TdxBarManager::HelpButtonClick() {
  if (OnHelpButtonClick) OnHelpButtonClick(this);
  if (helpContext_ != 0) Application->HelpContext(helpContext_);
}

void TdxBarCustomizingForm::RefreshHelpButton() {
  BHelp->SetGlyph(manager_->HelpButtonGlyph());
  BHelp->SetVisible(manager_->ShowHelpButton());
}

void CustomizingFormHelpButtonChanged() {
  if (TdxBarCustomizingForm* form = GetCustomizingForm()) form->RefreshHelpButton();
}
