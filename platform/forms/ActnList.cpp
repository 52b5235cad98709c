#include "platform/forms/ActnList.h"

#include <algorithm>

#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/forms/Forms.h"
#include "platform/forms/ImgList.h"
#include "platform/forms/Menus.h"

TRENVIK_IMPLEMENT_CLASS(TActionLink)
TRENVIK_IMPLEMENT_CLASS(TControlActionLink)

TRENVIK_PUBLISHED(TContainedAction) {
  P.Property("Category", &TContainedAction::Category, &TContainedAction::SetCategory);
}

TRENVIK_PUBLISHED(TCustomAction) {
  P.Property("Caption", &TCustomAction::Caption, &TCustomAction::SetCaption);
  P.Property("Checked", &TCustomAction::Checked, &TCustomAction::SetChecked).Default(false);
  P.Property("Enabled", &TCustomAction::Enabled, &TCustomAction::SetEnabled).Default(true);
  P.Property("Hint", &TCustomAction::Hint, &TCustomAction::SetHint);
  P.Property("ImageIndex", &TCustomAction::ImageIndex, &TCustomAction::SetImageIndex).Default(-1);
  P.Property("ShortCut", &TCustomAction::ShortCut, &TCustomAction::SetShortCut).Default(0);
  P.Property("Visible", &TCustomAction::Visible, &TCustomAction::SetVisible).Default(true);
  P.Property("HelpContext", &TCustomAction::HelpContext, &TCustomAction::SetHelpContext).Default(0);
  P.Property("AutoCheck", &TCustomAction::AutoCheck, &TCustomAction::SetAutoCheck).Default(false);
  P.Property("GroupIndex", &TCustomAction::GroupIndex, &TCustomAction::SetGroupIndex).Default(0);
  P.Event("OnHint", &TCustomAction::OnHint);
}

TRENVIK_IMPLEMENT_CLASS(TAction)

TRENVIK_PUBLISHED(TCustomActionList) {
  P.Property("Images", &TCustomActionList::Images, &TCustomActionList::SetImages);
  P.Property("State", &TCustomActionList::State, &TCustomActionList::SetState).Default(asNormal);
  P.Event("OnExecute", &TCustomActionList::OnExecute);
  P.Event("OnUpdate", &TCustomActionList::OnUpdate);
  P.Event("OnChange", &TCustomActionList::OnChange);
}

TRENVIK_IMPLEMENT_CLASS(TActionList)

// --- TContainedAction ---

TContainedAction::~TContainedAction() {
  Destroying();
  SetActionList(nullptr);
}

void TContainedAction::SetActionList(TCustomActionList* Value) {
  if (Value == actionList_) return;
  if (actionList_) {
    std::erase(actionList_->actions_, this);
    actionList_->ActionRemoved(this);
  }
  actionList_ = Value;
  if (actionList_) actionList_->actions_.push_back(this);
}

int TContainedAction::Index() const {
  if (!actionList_) return -1;
  auto& list = actionList_->actions_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TContainedAction::SetIndex(int Value) {
  if (!actionList_) return;
  auto& list = actionList_->actions_;
  int cur = Index();
  Value = std::clamp(Value, 0, static_cast<int>(list.size()) - 1);
  list.erase(list.begin() + cur);
  list.insert(list.begin() + Value, this);
}

void TContainedAction::SetCategory(const String& Value) {
  if (Value == category_) return;
  category_ = Value;
  if (actionList_ && actionList_->OnChange) actionList_->OnChange(actionList_);
}

TComponent* TContainedAction::GetParentComponent() const { return actionList_; }

void TContainedAction::SetParentComponent(TComponent* AParent) {
  if (auto* list = dynamic_cast<TCustomActionList*>(AParent)) SetActionList(list);
}

void TContainedAction::ReadState(TReader* Reader) {
  inherited::ReadState(Reader);
  if (auto* list = dynamic_cast<TCustomActionList*>(Reader->Parent())) SetActionList(list);
}

bool TContainedAction::Execute() {
  if (actionList_ && actionList_->ExecuteAction(this)) return true;
  if (TBasicAction::Execute()) return true;
  return DispatchToTargets(true);
}

bool TContainedAction::Update() {
  if (actionList_ && actionList_->UpdateAction(this)) return true;
  if (TBasicAction::Update()) return true;
  return DispatchToTargets(false);
}

// --- TCustomAction ---

TCustomAction::TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}

void TCustomAction::SetCaption(const String& Value) {
  if (Value == caption_) return;
  caption_ = Value;
  Change();
}

void TCustomAction::SetChecked(bool Value) {
  if (Value == checked_) return;
  checked_ = Value;
  if (Value && groupIndex_ > 0 && ActionList())
    for (int i = 0; i < ActionList()->ActionCount(); ++i) {
      auto* other = dynamic_cast<TCustomAction*>(ActionList()->Actions(i));
      if (other && other != this && other->groupIndex_ == groupIndex_) other->SetChecked(false);
    }
  Change();
}

void TCustomAction::SetEnabled(bool Value) {
  if (Value == enabled_) return;
  if (ActionList() && ActionList()->State() != asNormal) return;
  enabled_ = Value;
  Change();
}

void TCustomAction::SetHint(const String& Value) {
  if (Value == hint_) return;
  hint_ = Value;
  Change();
}

void TCustomAction::SetImageIndex(int Value) {
  if (Value == imageIndex_) return;
  imageIndex_ = Value;
  Change();
}

void TCustomAction::SetShortCut(TShortCut Value) {
  if (Value == shortCut_) return;
  shortCut_ = Value;
  Change();
}

void TCustomAction::SetVisible(bool Value) {
  if (Value == visible_) return;
  visible_ = Value;
  Change();
}

void TCustomAction::SetGroupIndex(int Value) {
  if (Value == groupIndex_) return;
  groupIndex_ = Value;
  if (checked_) {
    checked_ = false;
    SetChecked(true);
  }
}

bool TCustomAction::Execute() {
  if (ActionList() && ActionList()->State() == asSuspended) return false;
  Update();
  if (!enabled_) return false;
  if (autoCheck_) SetChecked(!checked_);
  return TContainedAction::Execute();
}

bool TCustomAction::Update() {
  if (TContainedAction::Update()) return true;
  // Nothing would run it: show it disabled rather than let a click do nothing.
  if (disableIfNoHandler_ && !OnExecute && !(ActionList() && ActionList()->OnExecute)) SetEnabled(false);
  return false;
}

bool TCustomAction::DoHint(String& HintStr) {
  bool canShow = true;
  if (OnHint) OnHint(HintStr, canShow);
  return canShow;
}

TCustomImageList* TCustomAction::Images() const { return ActionList() ? ActionList()->Images() : nullptr; }

// --- TCustomActionList ---

TCustomActionList::~TCustomActionList() {
  Destroying();
  while (!actions_.empty()) actions_.back()->SetActionList(nullptr);
  SetImages(nullptr);
}

TContainedAction* TCustomActionList::FindAction(const String& Name) const {
  for (TContainedAction* a : actions_)
    if (a->Name() == Name) return a;
  return nullptr;
}

bool TCustomActionList::ExecuteAction(TBasicAction* Action) {
  bool handled = false;
  if (OnExecute) OnExecute(Action, handled);
  return handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* Action) {
  bool handled = false;
  if (OnUpdate) OnUpdate(Action, handled);
  return handled;
}

bool TCustomActionList::IsShortCut(TWMKey& Message) {
  TShortCut key = ShortCutFromMessage(Message);
  if (key == 0 || state_ == asSuspended) return false;
  for (TContainedAction* a : std::vector<TContainedAction*>(actions_)) {
    auto* action = dynamic_cast<TCustomAction*>(a);
    if (!action || action->ShortCut() != key) continue;
    action->Update();
    if (!action->Enabled() || !action->Visible()) return false;
    action->Execute();
    return true;
  }
  return false;
}

void TCustomActionList::SetImages(TCustomImageList* Value) {
  if (Value == images_) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = Value;
  if (images_) images_->FreeNotification(this);
}

void TCustomActionList::SetState(TActionListState Value) {
  if (Value == state_) return;
  state_ = Value;
  // Suspended-enabled shows every action usable while the list is suspended.
  if (state_ == asSuspendedEnabled)
    for (TContainedAction* a : actions_)
      if (auto* action = dynamic_cast<TCustomAction*>(a)) {
        state_ = asNormal;
        action->SetEnabled(true);
        state_ = asSuspendedEnabled;
      }
}

void TCustomActionList::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  for (TContainedAction* a : actions_)
    if (a->Owner() == Root) Proc(a);
}

void TCustomActionList::SetChildOrder(TComponent* Child, int Order) {
  if (auto* a = dynamic_cast<TContainedAction*>(Child); a && a->ActionList() == this) a->SetIndex(Order);
}

void TCustomActionList::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == images_) images_ = nullptr;
}

// --- TControlActionLink ---

void TControlActionLink::Change() {
  TBasicActionLink::Change();
  client_->ActionChange(Action(), false);
}

// --- Targets ---

namespace {
bool Offer(TComponent* Target, TBasicAction* Action, bool Execute) {
  return Execute ? Target->ExecuteAction(Action) : Target->UpdateAction(Action);
}

bool OfferToControls(TWinControl* Parent, TBasicAction* Action, bool Execute) {
  for (int i = 0; i < Parent->ControlCount(); ++i) {
    TControl* c = Parent->Controls(i);
    if (!c->Visible()) continue;
    if (Offer(c, Action, Execute)) return true;
    if (auto* w = dynamic_cast<TWinControl*>(c); w && OfferToControls(w, Action, Execute)) return true;
  }
  return false;
}
}  // namespace

bool DispatchActionToTargets(TBasicAction* Action, bool Execute) {
  if (!Screen) return false;
  TCustomForm* form = Screen->ActiveForm();
  if (!form) return false;
  if (TWinControl* active = form->ActiveControl(); active && Offer(active, Action, Execute)) return true;
  if (Offer(form, Action, Execute)) return true;
  return OfferToControls(form, Action, Execute);
}
