// Actions at the component level: a command with an execute and an update handler, and the links
// through which clients (controls, menu items) follow it. The framework's action lists and the
// standard actions build on these (platform/forms/ActnList.h, platform/dbctrls/DBActns.h).
#pragma once

#include <functional>
#include <vector>

#include "platform/classes/Component.h"

class TBasicAction;

// The client's side of an action: the client holds one link and the action tells every link of a
// change. A link only forwards; what it copies into its client is decided by its descendants.
class TBasicActionLink : public TObject {
  TRENVIK_CLASS(TBasicActionLink, TObject);

 public:
  explicit TBasicActionLink(TObject* AClient = nullptr);
  ~TBasicActionLink() override;

  TBasicAction* Action() const { return action_; }
  void SetAction(TBasicAction* Value);
  // Runs the action for the client component (ActionComponent while it runs).
  virtual bool Execute(TComponent* AComponent = nullptr);
  virtual bool Update();
  TNotifyEvent OnChange;

 protected:
  friend class TBasicAction;
  virtual void AssignClient(TObject*) {}
  // The action changed: descendants copy what they follow into the client.
  virtual void Change();

 private:
  TBasicAction* action_ = nullptr;
};

class TBasicAction : public TComponent {
  TRENVIK_CLASS(TBasicAction, TComponent);

 public:
  explicit TBasicAction(TComponent* AOwner);
  ~TBasicAction() override;

  // Runs OnExecute; false when there is none.
  virtual bool Execute();
  // Runs OnUpdate; false when there is none.
  virtual bool Update();
  // Whether the action acts on Target (a control, a data source), and acting on it.
  virtual bool HandlesTarget(TObject*) { return false; }
  virtual void ExecuteTarget(TObject*) {}
  virtual void UpdateTarget(TObject*) {}

  // The client component the action runs for while Execute runs (nullptr otherwise).
  TComponent* ActionComponent() const { return actionComponent_; }
  void SetActionComponent(TComponent* Value) { actionComponent_ = Value; }
  int ClientCount() const { return static_cast<int>(clients_.size()); }
  TBasicActionLink* Clients(int Index) const { return clients_.at(static_cast<size_t>(Index)); }
  void RegisterChanges(TBasicActionLink* Link);
  void UnRegisterChanges(TBasicActionLink* Link);

  TNotifyEvent OnExecute;
  TNotifyEvent OnUpdate;

 protected:
  // Tells every client link and OnChange.
  virtual void Change();
  void Notification(TComponent* AComponent, TOperation Operation) override;
  TNotifyEvent OnChange;

 private:
  std::vector<TBasicActionLink*> clients_;
  TComponent* actionComponent_ = nullptr;
};
