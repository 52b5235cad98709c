#include "platform/classes/BasicAction.h"

#include <algorithm>

#include "platform/classes/Published.h"

TRENVIK_IMPLEMENT_CLASS(TBasicActionLink)

TRENVIK_PUBLISHED(TBasicAction) {
  P.Event("OnExecute", &TBasicAction::OnExecute);
  P.Event("OnUpdate", &TBasicAction::OnUpdate);
}

TBasicActionLink::TBasicActionLink(TObject* AClient) { (void)AClient; }

TBasicActionLink::~TBasicActionLink() {
  if (action_) action_->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* Value) {
  if (Value == action_) return;
  if (action_) action_->UnRegisterChanges(this);
  action_ = Value;
  if (action_) action_->RegisterChanges(this);
}

bool TBasicActionLink::Execute(TComponent* AComponent) {
  if (!action_) return false;
  TBasicAction* action = action_;
  action->SetActionComponent(AComponent);
  struct Reset {
    TBasicAction* a;
    ~Reset() { a->SetActionComponent(nullptr); }
  } reset{action};
  return action->Execute();
}

bool TBasicActionLink::Update() { return action_ && action_->Update(); }

void TBasicActionLink::Change() {
  if (OnChange) OnChange(action_);
}

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction() {
  Destroying();
  // Clients drop their link to a freed action; a link unregisters itself as it goes.
  while (!clients_.empty()) clients_.back()->SetAction(nullptr);
}

bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

bool TBasicAction::Update() {
  if (!OnUpdate) return false;
  OnUpdate(this);
  return true;
}

void TBasicAction::RegisterChanges(TBasicActionLink* Link) {
  if (std::find(clients_.begin(), clients_.end(), Link) == clients_.end()) clients_.push_back(Link);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* Link) { std::erase(clients_, Link); }

void TBasicAction::Change() {
  if (OnChange) OnChange(this);
  for (TBasicActionLink* link : std::vector<TBasicActionLink*>(clients_)) link->Change();
}

void TBasicAction::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == actionComponent_) actionComponent_ = nullptr;
}
