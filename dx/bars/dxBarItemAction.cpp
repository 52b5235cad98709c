// Bar items following the framework's actions.
#include "dx/bars/dxBarButton.h"
#include "dx/bars/dxBarItem.h"
#include "dx/bars/dxBarItemActionLink.h"
#include "platform/classes/TypInfo.h"

TRENVIK_IMPLEMENT_CLASS(TdxBarItemActionLink)

namespace {

TdxBarItemVisible ItemVisibleOfAction(bool Visible) { return Visible ? ivAlways : ivNever; }

}  // namespace

bool TdxBarItemActionLink::IsCaptionLinked() const {
  return CustomAction() && client_->Caption() == CustomAction()->Caption();
}

bool TdxBarItemActionLink::IsCheckedLinked(bool Down) const {
  return CustomAction() && Down == CustomAction()->Checked();
}

bool TdxBarItemActionLink::IsEnabledLinked() const {
  return CustomAction() && client_->Enabled() == CustomAction()->Enabled();
}

bool TdxBarItemActionLink::IsHelpContextLinked() const {
  return CustomAction() && client_->HelpContext() == CustomAction()->HelpContext();
}

bool TdxBarItemActionLink::IsHintLinked() const { return CustomAction() && client_->Hint() == CustomAction()->Hint(); }

bool TdxBarItemActionLink::IsImageIndexLinked() const {
  return CustomAction() && client_->ImageIndex() == CustomAction()->ImageIndex();
}

bool TdxBarItemActionLink::IsShortCutLinked() const {
  return CustomAction() && client_->ShortCut() == CustomAction()->ShortCut();
}

bool TdxBarItemActionLink::IsVisibleLinked() const {
  return CustomAction() && client_->Visible() == ItemVisibleOfAction(CustomAction()->Visible());
}

bool TdxBarItemActionLink::IsOnExecuteLinked() const {
  if (!Action() || !client_->OnClick) return false;
  TMethodRef click = MethodOf(client_->OnClick), execute = MethodOf(Action()->OnExecute);
  return click && click.Data == execute.Data && click.Method == execute.Method;
}

void TdxBarItemActionLink::Change() {
  TActionLink::Change();
  client_->ActionChange(Action(), false);
}

// --- the item's side ---

TBasicAction* TdxBarItem::Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }

void TdxBarItem::SetAction(TBasicAction* Value) {
  if (!Value) {
    actionLink_.reset();
    return;
  }
  if (!actionLink_) actionLink_ = std::make_unique<TdxBarItemActionLink>(this);
  actionLink_->SetAction(Value);
  ActionChange(Value, Value->ComponentState().Contains(csLoading));
  Value->FreeNotification(this);
}

void TdxBarItem::ActionChange(TObject* Sender, bool CheckDefaults) {
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (!action || action != Action()) return;
  if (!CheckDefaults || caption_.empty()) SetCaption(action->Caption());
  ActionCheckedChange(action->Checked(), CheckDefaults);
  if (!CheckDefaults || enabled_) SetEnabled(action->Enabled());
  if (!CheckDefaults || helpContext_ == 0) SetHelpContext(action->HelpContext());
  // The hint is taken as it is, not through the caption's rule.
  if (!CheckDefaults || hint_.empty()) hint_ = action->Hint();
  if (!CheckDefaults || imageIndex_ < 0) SetImageIndex(action->ImageIndex());
  if (!CheckDefaults || shortCut_ == 0) SetShortCut(action->ShortCut());
  if (!CheckDefaults || visible_ == ivAlways) SetVisible(ItemVisibleOfAction(action->Visible()));
  // Only a handler bound by name is recognised as the action's own when the item is clicked; any
  // other one is left to the action, which the click runs when the item has no OnClick.
  if ((!CheckDefaults || !OnClick) && MethodOf(action->OnExecute)) OnClick = action->OnExecute;
}

void TdxBarItem::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && actionLink_ && AComponent == actionLink_->Action()) actionLink_.reset();
}

bool TdxBarItem::IsCaptionStored() const { return !actionLink_ || !actionLink_->IsCaptionLinked(); }
bool TdxBarItem::IsEnabledStored() const { return !actionLink_ || !actionLink_->IsEnabledLinked(); }
bool TdxBarItem::IsHelpContextStored() const { return !actionLink_ || !actionLink_->IsHelpContextLinked(); }
bool TdxBarItem::IsHintStored() const { return !actionLink_ || !actionLink_->IsHintLinked(); }
bool TdxBarItem::IsImageIndexStored() const { return !actionLink_ || !actionLink_->IsImageIndexLinked(); }
bool TdxBarItem::IsShortCutStored() const { return !actionLink_ || !actionLink_->IsShortCutLinked(); }
bool TdxBarItem::IsVisibleStored() const { return !actionLink_ || !actionLink_->IsVisibleLinked(); }
bool TdxBarItem::IsOnClickStored() const { return !actionLink_ || !actionLink_->IsOnExecuteLinked(); }

bool TdxBarButton::IsDownStored() const {
  return !ItemActionLink() || !ItemActionLink()->IsCheckedLinked(Down());
}

void TdxBarButton::ActionCheckedChange(bool Checked, bool CheckDefaults) {
  if (!CheckDefaults || !Down()) SetDown(Checked);
}
