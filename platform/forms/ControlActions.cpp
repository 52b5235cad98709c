// TControl's action: the link it holds and what it takes from the action.
#include "platform/forms/ActnList.h"

TBasicAction* TControl::Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }

void TControl::SetAction(TBasicAction* Value) {
  if (!Value) {
    actionLink_.reset();
    controlStyle_ -= TControlStyle{csActionClient};
    return;
  }
  controlStyle_ += TControlStyle{csActionClient};
  if (!actionLink_) actionLink_ = std::make_unique<TControlActionLink>(this);
  actionLink_->SetAction(Value);
  ActionChange(Value, ComponentState().Contains(csLoading));
  Value->FreeNotification(this);
}

void TControl::InitiateAction() {
  if (actionLink_) actionLink_->Update();
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults) {
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (!action) return;
  // While a form is read, values the form gives the control itself are kept.
  if (!CheckDefaults || Caption().empty()) SetCaption(action->Caption());
  if (!CheckDefaults || Enabled()) SetEnabled(action->Enabled());
  if (!CheckDefaults || Hint().empty()) SetHint(action->Hint());
  if (!CheckDefaults || Visible()) SetVisible(action->Visible());
}
