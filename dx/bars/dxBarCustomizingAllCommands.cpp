// The customizing form at design time: the page listing every command with its short cut.
#include "dx/bars/dxBarAllCommandsListBox.h"
#include "dx/bars/dxBarCustomizingForm.h"

void TdxBarCustomizingForm::BuildAllCommandsPage() {
  TabSheet4 = AddPage(u" All commands ");
  LAllCommands = Place(new TdxBarAllCommandsListBox(this, manager_), TabSheet4, 8, 8, 330, 196);
  CBShowCommandsWithShortCut =
      Place(new TCheckBox(this), TabSheet4, 8, 212, 330, 17, u"Show commands that may have a shortcut");
  CBShowCommandsWithShortCut->SetChecked(true);
  CBShowCommandsWithShortCut->OnClick = [this](TObject*) { RefreshAllCommands(); };
  TabSheet4->SetTabVisible(manager_->IsDesigning());
}

void TdxBarCustomizingForm::RefreshAllCommands() {
  if (manager_->IsDesigning()) LAllCommands->Fill(CBShowCommandsWithShortCut->Checked());
}
