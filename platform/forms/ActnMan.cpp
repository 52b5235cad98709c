#include "platform/forms/ActnMan.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/forms/Menus.h"

TRENVIK_PUBLISHED(TActionClientItem) {
  P.Property("Action", &TActionClientItem::Action, &TActionClientItem::SetAction);
  P.Property("Caption", &TActionClientItem::Caption, &TActionClientItem::SetCaption);
  P.Property("ShowCaption", &TActionClientItem::ShowCaption, &TActionClientItem::SetShowCaption)
      .Default(true);
  P.Property("Visible", &TActionClientItem::Visible, &TActionClientItem::SetVisible).Default(true);
  P.Property("Items", &TActionClientItem::Items, &TActionClientItem::SetItems);
}

TRENVIK_IMPLEMENT_CLASS(TActionClients)

TRENVIK_PUBLISHED(TActionBarItem) {
  P.Property("Items", &TActionBarItem::Items, &TActionBarItem::SetItems);
  P.Property("ActionBar", &TActionBarItem::ActionBar, &TActionBarItem::SetActionBar);
}

TRENVIK_IMPLEMENT_CLASS(TActionBars)

TRENVIK_PUBLISHED(TActionManager) {
  P.Property("ActionBars", &TActionManager::ActionBars, &TActionManager::SetActionBars);
}

TRENVIK_IMPLEMENT_CLASS(TActionMainMenuBar)
TRENVIK_IMPLEMENT_CLASS(TActionToolBar)

// --- Client items ---

TActionClientItem::TActionClientItem(TCollection* Collection)
    : TCollectionItem(Collection), items_(std::make_unique<TActionClients>(this)) {}

TActionClientItem::~TActionClientItem() { items_.reset(); }

void TActionClientItem::SetAction(TContainedAction* Value) {
  action_ = Value;
  Changed(false);
}

void TActionClientItem::SetCaption(const String& Value) {
  caption_ = Value;
  Changed(false);
}

String TActionClientItem::ShownCaption() const {
  if (!caption_.empty()) return caption_;
  auto* a = dynamic_cast<TCustomAction*>(action_);
  return a ? a->Caption() : String();
}

void TActionClientItem::SetShowCaption(bool Value) {
  showCaption_ = Value;
  Changed(false);
}

void TActionClientItem::SetVisible(bool Value) {
  visible_ = Value;
  Changed(false);
}

void TActionClientItem::SetItems(TActionClients* Value) { items_->Assign(Value); }

bool TActionClientItem::HasItems() const { return items_ && items_->Count() > 0; }

void TActionClientItem::ForgetAction(TContainedAction* Action) {
  if (action_ == Action) action_ = nullptr;
  for (int i = 0; i < items_->Count(); ++i) items_->Items(i)->ForgetAction(Action);
}

TActionClients::TActionClients(TPersistent* AOwner)
    : TOwnedCollection(AOwner, TActionClientItem::StaticClass()) {}

void TActionClients::Update(TCollectionItem*) {
  // Up through the items to the bar item, whose bar shows them.
  TPersistent* owner = GetOwner();
  while (auto* item = dynamic_cast<TActionClientItem*>(owner))
    owner = item->Collection() ? item->Collection()->Owner() : nullptr;
  if (auto* bar = dynamic_cast<TActionBarItem*>(owner))
    if (TCustomActionBarSite* site = bar->Site()) site->RebuildItems();
}

// --- Bar items ---

TActionBarItem::TActionBarItem(TCollection* Collection)
    : TCollectionItem(Collection), items_(std::make_unique<TActionClients>(this)) {}

TActionBarItem::~TActionBarItem() {
  SetActionBar(nullptr);
  items_.reset();
}

TCustomActionBarSite* TActionBarItem::Site() const { return dynamic_cast<TCustomActionBarSite*>(actionBar_); }

void TActionBarItem::SetActionBar(TControl* Value) {
  if (Value == actionBar_) return;
  if (TCustomActionBarSite* old = Site()) old->client_ = nullptr;
  actionBar_ = dynamic_cast<TCustomActionBarSite*>(Value) ? Value : nullptr;
  if (TCustomActionBarSite* site = Site()) {
    // A bar shows one item; an earlier item naming the same bar lets go of it, or it would keep
    // a pointer to the bar past the bar's end.
    if (site->client_ && site->client_ != this) site->client_->actionBar_ = nullptr;
    site->client_ = this;
    site->RebuildItems();
  }
}

TActionManager* TActionBarItem::ActionManager() const {
  auto* bars = dynamic_cast<TActionBars*>(Collection());
  return bars ? bars->Manager() : nullptr;
}

TActionBars::TActionBars(TActionManager* AOwner)
    : TOwnedCollection(AOwner, TActionBarItem::StaticClass()), manager_(AOwner) {}

// --- The manager ---

TActionManager::TActionManager(TComponent* AOwner)
    : TCustomActionList(AOwner), actionBars_(std::make_unique<TActionBars>(this)) {}

TActionManager::~TActionManager() {
  Destroying();
  actionBars_.reset();
}

void TActionManager::RebuildBars() {
  for (int i = 0; i < actionBars_->Count(); ++i)
    if (TCustomActionBarSite* site = actionBars_->Items(i)->Site()) site->RebuildItems();
}

void TActionManager::ActionRemoved(TContainedAction* Action) {
  if (!actionBars_) return;
  for (int b = 0; b < actionBars_->Count(); ++b) {
    TActionClients* items = actionBars_->Items(b)->Items();
    for (int i = 0; i < items->Count(); ++i) items->Items(i)->ForgetAction(Action);
  }
}

void TActionManager::Loaded() {
  inherited::Loaded();
  RebuildBars();
}

TCustomActionBarSite::~TCustomActionBarSite() {
  if (client_) client_->actionBar_ = nullptr;
}

namespace {
bool LoadingOrGoing(TComponent* C) {
  return C->ComponentState().Contains(csLoading) || C->ComponentState().Contains(csDestroying);
}
}  // namespace

// --- The main menu bar ---

TActionMainMenuBar::TActionMainMenuBar(TComponent* AOwner)
    : TCustomMenuBar(AOwner), root_(new TMenuItem(this)) {
  SetControlStyle(ControlStyle() + TControlStyle{csActionClient});
}

TActionMainMenuBar::~TActionMainMenuBar() { Destroying(); }

void TActionMainMenuBar::Loaded() {
  inherited::Loaded();
  RebuildItems();
}

void TActionMainMenuBar::AddItems(TMenuItem* Parent, TActionClients* Items) {
  for (int i = 0; i < Items->Count(); ++i) {
    TActionClientItem* client = Items->Items(i);
    auto* item = new TMenuItem(this);
    if (client->Action()) item->SetAction(client->Action());
    if (!client->Caption().empty()) item->SetCaption(client->Caption());
    if (!client->Visible()) item->SetVisible(false);
    Parent->Add(item);
    AddItems(item, client->Items());
  }
}

void TActionMainMenuBar::RebuildItems() {
  if (LoadingOrGoing(this)) return;
  root_->Clear();
  if (ActionClient()) AddItems(root_, ActionClient()->Items());
  Invalidate();
}

namespace {
// What the bar shows of its items: the bar is repainted only when that changed.
struct TShownItem {
  String Caption;
  bool Enabled, Visible;
  bool operator==(const TShownItem&) const = default;
};

std::vector<TShownItem> Shown(TMenuItem* Root) {
  std::vector<TShownItem> shown;
  for (int i = 0; i < Root->Count(); ++i)
    shown.push_back({Root->Items(i)->Caption(), Root->Items(i)->Enabled(), Root->Items(i)->Visible()});
  return shown;
}

void InitiateItems(TMenuItem* Parent) {
  for (int i = 0; i < Parent->Count(); ++i) {
    Parent->Items(i)->InitiateAction();
    InitiateItems(Parent->Items(i));
  }
}
}  // namespace

void TActionMainMenuBar::InitiateAction() {
  std::vector<TShownItem> before = Shown(root_);
  InitiateItems(root_);
  if (Shown(root_) != before) Invalidate();
}

// --- The tool bar ---

TActionToolBar::TActionToolBar(TComponent* AOwner) : TToolBar(AOwner) {
  SetShowCaptions(true);
  SetList(true);
  SetFlat(true);
  SetEdgeBorders({});
}

TActionToolBar::~TActionToolBar() {
  Destroying();
  dropDown_.reset();
}

void TActionToolBar::Loaded() {
  inherited::Loaded();
  RebuildItems();
}

TToolButton* TActionToolBar::ItemButton(int Index) const {
  if (Index < 0 || Index >= static_cast<int>(buttons_.size())) return nullptr;
  return buttons_[static_cast<size_t>(Index)];
}

void TActionToolBar::RebuildItems() {
  if (LoadingOrGoing(this)) return;
  for (TToolButton* b : buttons_) delete b;
  buttons_.clear();
  if (!ActionClient()) return;
  if (TActionManager* m = ActionManager()) SetImages(m->Images());
  TActionClients* items = ActionClient()->Items();
  for (int i = 0; i < items->Count(); ++i) {
    TActionClientItem* client = items->Items(i);
    auto* b = new TToolButton(this);
    buttons_.push_back(b);
    if (client->IsSeparator()) {
      b->SetStyle(tbsSeparator);
    } else {
      if (client->Action()) b->SetAction(client->Action());
      if (!client->Caption().empty()) b->SetCaption(client->Caption());
      b->SetShowCaption(client->ShowCaption());
      if (client->HasItems()) b->OnClick = [this, b, client](TObject*) { DropDown(b, client); };
    }
    if (!client->Visible()) b->SetVisible(false);
    b->SetParent(this);
  }
  Realign();
  Invalidate();
}

// The sub-items drop down below the button as a menu.
void TActionToolBar::DropDown(TToolButton* Button, TActionClientItem* Item) {
  dropDown_ = std::make_unique<TPopupMenu>(nullptr);
  TActionClients* items = Item->Items();
  for (int i = 0; i < items->Count(); ++i) {
    auto* m = new TMenuItem(dropDown_.get());
    if (items->Items(i)->Action()) m->SetAction(items->Items(i)->Action());
    if (!items->Items(i)->Caption().empty()) m->SetCaption(items->Items(i)->Caption());
    dropDown_->Items()->Add(m);
  }
  POINT p = Button->ClientToScreen(POINT{0, Button->Height()});
  dropDown_->Popup(p.x, p.y);
}

void RegisterActionBarClasses() {
  RegisterClasses(
      {TActionManager::StaticClass(), TActionMainMenuBar::StaticClass(), TActionToolBar::StaticClass()});
}
