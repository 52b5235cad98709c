// Action lists and the framework's actions: TContainedAction (an action that belongs to a list),
// TCustomAction/TAction (caption, hint, enabled, checked, visible, image, short cut kept in step
// with every client through its link), TCustomActionList/TActionList, and the links that clients
// (controls, menu items) hold.
//
// Executing an action: the list's OnExecute, then the action's own OnExecute, then the targets of
// the active form (its active control, the form, its controls: ExecuteAction). Updating goes the
// same way with OnUpdate/UpdateAction; the application updates the actions of visible clients
// each time it goes idle.
#pragma once

#include <vector>

#include "platform/classes/BasicAction.h"
#include "platform/forms/Controls.h"

class TCustomActionList;
class TCustomImageList;
using TShortCut = Word;

// What the client follows of a TCustomAction: on every change of the action the link hands it to
// its client, which copies what it shows (caption, enabled, checked, hint, image, short cut,
// visible).
class TActionLink : public TBasicActionLink {
  TRENVIK_CLASS(TActionLink, TBasicActionLink);

 public:
  using TBasicActionLink::TBasicActionLink;
};

// Actions go to the focused control, the active form and its controls when no handler took them.
bool DispatchActionToTargets(TBasicAction* Action, bool Execute);

using TActionEvent = std::function<void(TBasicAction* Action, bool& Handled)>;
using THintEvent = std::function<void(String& HintStr, bool& CanShow)>;

// An action kept in an action list, in a category.
class TContainedAction : public TBasicAction {
  TRENVIK_CLASS(TContainedAction, TBasicAction);

 public:
  explicit TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}
  ~TContainedAction() override;

  TCustomActionList* ActionList() const { return actionList_; }
  void SetActionList(TCustomActionList* Value);
  int Index() const;
  void SetIndex(int Value);
  const String& Category() const { return category_; }
  void SetCategory(const String& Value);

  bool Execute() override;
  bool Update() override;

  bool HasParent() const override { return actionList_ != nullptr; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* AParent) override;
  // An action read as a child of a list joins it.
  void ReadState(TReader* Reader) override;

 protected:
  // The last step of Execute/Update when no handler took the action: the active form's targets.
  virtual bool DispatchToTargets(bool Execute) { return DispatchActionToTargets(this, Execute); }

 private:
  TCustomActionList* actionList_ = nullptr;
  String category_;
};

class TCustomAction : public TContainedAction {
  TRENVIK_CLASS(TCustomAction, TContainedAction);

 public:
  explicit TCustomAction(TComponent* AOwner);

  // Runs the action when it is enabled (after an update): true when something handled it.
  bool Execute() override;

  const String& Caption() const { return caption_; }
  void SetCaption(const String& Value);
  bool Checked() const { return checked_; }
  // Checking an action of a group unchecks the others of the group in its list.
  void SetChecked(bool Value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  const String& Hint() const { return hint_; }
  void SetHint(const String& Value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value);
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int Value) { helpContext_ = Value; }
  bool AutoCheck() const { return autoCheck_; }
  void SetAutoCheck(bool Value) { autoCheck_ = Value; }
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int Value);
  // An action nothing executes (no OnExecute, no target took it) is disabled by the idle update.
  bool DisableIfNoHandler() const { return disableIfNoHandler_; }
  void SetDisableIfNoHandler(bool Value) { disableIfNoHandler_ = Value; }
  // The idle update cycle runs this once per cycle.
  bool Update() override;
  // OnHint may change the hint shown or refuse to show one.
  bool DoHint(String& HintStr);
  THintEvent OnHint;

  // The list's images, if any.
  TCustomImageList* Images() const;

 private:
  String caption_;
  String hint_;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  bool autoCheck_ = false;
  bool disableIfNoHandler_ = true;
  int imageIndex_ = -1;
  int groupIndex_ = 0;
  int helpContext_ = 0;
  TShortCut shortCut_ = 0;
};

class TAction : public TCustomAction {
  TRENVIK_CLASS(TAction, TCustomAction);

 public:
  explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) { SetDisableIfNoHandler(true); }
};

TRENVIK_ENUM(TActionListState, asNormal, asSuspended, asSuspendedEnabled);

class TCustomActionList : public TComponent {
  TRENVIK_CLASS(TCustomActionList, TComponent);

 public:
  explicit TCustomActionList(TComponent* AOwner) : TComponent(AOwner) {}
  ~TCustomActionList() override;

  int ActionCount() const { return static_cast<int>(actions_.size()); }
  TContainedAction* Actions(int Index) const { return actions_.at(static_cast<size_t>(Index)); }
  TContainedAction* FindAction(const String& Name) const;
  // The list's OnExecute/OnUpdate for an action; true when handled.
  virtual bool ExecuteAction(TBasicAction* Action) override;
  virtual bool UpdateAction(TBasicAction* Action) override;
  // Runs the enabled, visible action with the key's short cut; true when one ran.
  bool IsShortCut(TWMKey& Message);
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* Value);
  TActionListState State() const { return state_; }
  void SetState(TActionListState Value);

  TActionEvent OnExecute;
  TActionEvent OnUpdate;
  TNotifyEvent OnChange;

  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, int Order) override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // An action left the list (freed, or moved to another list).
  virtual void ActionRemoved(TContainedAction*) {}

 private:
  friend class TContainedAction;
  std::vector<TContainedAction*> actions_;
  TCustomImageList* images_ = nullptr;
  TActionListState state_ = asNormal;
};

class TActionList : public TCustomActionList {
  TRENVIK_CLASS(TActionList, TCustomActionList);

 public:
  explicit TActionList(TComponent* AOwner) : TCustomActionList(AOwner) {}
};

// A control's link: the control's ActionChange takes the action's values.
class TControlActionLink : public TActionLink {
  TRENVIK_CLASS(TControlActionLink, TActionLink);

 public:
  explicit TControlActionLink(TControl* AClient) : client_(AClient) {}
  TControl* Client() const { return client_; }

 protected:
  void Change() override;

 private:
  TControl* client_;
};
