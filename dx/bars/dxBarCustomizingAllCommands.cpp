// The customizing form at design time: the page listing every command with its short cut.
#include "dx/bars/dxBarAllCommandsListBox.h"
#include "dx/bars/dxBarCustomizingForm.h"

void TdxBarCustomizingForm::BuildAllCommandsPage() {
  TabSheet4 = new TTabSheet(this);
  TabSheet4->SetCaption(u" All commands ");
  TabSheet4->SetPageControl(PageControl);
  LAllCommands = new TdxBarAllCommandsListBox(this, manager_);
  LAllCommands->SetParent(TabSheet4);
  LAllCommands->SetBounds(8, 8, 330, 196);
  CBShowCommandsWithShortCut = new TCheckBox(this);
  CBShowCommandsWithShortCut->SetParent(TabSheet4);
  CBShowCommandsWithShortCut->SetBounds(8, 212, 330, 17);
  CBShowCommandsWithShortCut->SetCaption(u"Show commands that may have a shortcut");
  CBShowCommandsWithShortCut->SetChecked(true);
  CBShowCommandsWithShortCut->OnClick = [this](TObject*) { RefreshAllCommands(); };
  TabSheet4->SetTabVisible(manager_->IsDesigning());
}

void TdxBarCustomizingForm::RefreshAllCommands() {
  if (manager_->IsDesigning()) LAllCommands->Fill(CBShowCommandsWithShortCut->Checked());
}
