#include "platform/forms/Menus.h"

#include <algorithm>

#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Graphic.h"
#include "platform/forms/ImgList.h"
#include "platform/forms/MenuLoop.h"
#include "platform/rtl/StrUtils.h"

TRENVIK_IMPLEMENT_CLASS(TMenuActionLink)

TRENVIK_PUBLISHED(TMenuItem) {
  P.Property("Action", &TMenuItem::Action, &TMenuItem::SetAction);
  P.Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
  P.Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked).Default(false);
  P.Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled).Default(true);
  P.Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible).Default(true);
  P.Property("Default", &TMenuItem::Default, &TMenuItem::SetDefault).Default(false);
  P.Property("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem).Default(false);
  P.Property("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex).Default(0);
  P.Property("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck).Default(false);
  P.Property("Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
  P.Property("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex).Default(-1);
  P.Property("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut).Default(0);
  P.Property("Bitmap", &TMenuItem::Bitmap, &TMenuItem::SetBitmap).Stored(&TMenuItem::HasBitmap);
  P.Event("OnClick", &TMenuItem::OnClick);
  P.Event("OnMeasureItem", &TMenuItem::OnMeasureItem);
  P.Event("OnDrawItem", &TMenuItem::OnDrawItem);
}

TRENVIK_PUBLISHED(TMenu) {
  P.Property("Images", &TMenu::Images, &TMenu::SetImages);
  P.Property("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw).Default(false);
}

TRENVIK_PUBLISHED(TPopupMenu) {
  P.Property("Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment).Default(paLeft);
  P.Property("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup).Default(true);
  P.Event("OnPopup", &TPopupMenu::OnPopup);
}

TRENVIK_IMPLEMENT_CLASS(TMainMenu)

// --- TMenuActionLink ---

void TMenuActionLink::Change() {
  TBasicActionLink::Change();
  client_->ActionChange(Action(), false);
}

// --- TMenuItem ---

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  Destroying();
  if (parent_) parent_->Remove(this);
  // Sub-items owned by a form are freed by it too: let go of them first.
  while (!items_.empty()) {
    TMenuItem* item = items_.back();
    items_.pop_back();
    item->parent_ = nullptr;
    if (!item->ComponentState().Contains(csDestroying)) delete item;
  }
}

TMenuItem* TMenuItem::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EMenuError("Menu index out of range");
  return items_[static_cast<size_t>(Index)];
}

int TMenuItem::IndexOf(TMenuItem* Item) const {
  auto it = std::find(items_.begin(), items_.end(), Item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

int TMenuItem::MenuIndex() const { return parent_ ? parent_->IndexOf(const_cast<TMenuItem*>(this)) : -1; }

void TMenuItem::SetMenuIndex(int Value) {
  if (!parent_) return;
  TMenuItem* p = parent_;
  p->Remove(this);
  p->Insert(std::clamp(Value, 0, p->Count()), this);
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item) return;
  if (Item->parent_) throw EMenuError("Menu inserted twice");
  if (Index < 0 || Index > Count()) throw EMenuError("Menu index out of range");
  items_.insert(items_.begin() + Index, Item);
  Item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* Item) {
  int i = IndexOf(Item);
  if (i < 0) throw EMenuError("Sub-menu is not in menu");
  items_.erase(items_.begin() + i);
  Item->parent_ = nullptr;
}

void TMenuItem::Delete(int Index) { delete Items(Index); }

void TMenuItem::Clear() {
  while (!items_.empty()) delete items_.back();
}

TMenuItem* TMenuItem::Find(const String& ACaption) const {
  String wanted = StripHotkey(ACaption);
  for (TMenuItem* item : items_)
    if (AnsiSameText(StripHotkey(item->caption_), wanted)) return item;
  return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->parent_) item = item->parent_;
  return item->menu_;
}

void TMenuItem::SetCaption(const String& Value) { caption_ = Value; }
void TMenuItem::SetShortCut(TShortCut Value) { shortCut_ = Value; }
void TMenuItem::SetEnabled(bool Value) { enabled_ = Value; }
void TMenuItem::SetVisible(bool Value) { visible_ = Value; }
void TMenuItem::SetImageIndex(int Value) { imageIndex_ = Value; }

void TMenuItem::SetChecked(bool Value) {
  checked_ = Value;
  if (Value && radioItem_) TurnSiblingsOff();
}

void TMenuItem::TurnSiblingsOff() {
  if (!parent_) return;
  for (TMenuItem* item : parent_->items_)
    if (item != this && item->radioItem_ && item->groupIndex_ == groupIndex_) item->checked_ = false;
}

void TMenuItem::SetDefault(bool Value) {
  if (Value && parent_)
    for (TMenuItem* item : parent_->items_) item->default_ = false;
  default_ = Value;
}

TBitmap* TMenuItem::Bitmap() {
  if (!bitmap_) bitmap_ = std::make_unique<TBitmap>();
  return bitmap_.get();
}

void TMenuItem::SetBitmap(TBitmap* Value) { Bitmap()->Assign(Value); }

bool TMenuItem::HasBitmap() const { return bitmap_ && !bitmap_->Empty(); }

TCustomImageList* TMenuItem::GetImageList() const {
  if (TMenu* menu = GetParentMenu()) return menu->Images();
  return nullptr;
}

void TMenuItem::SetAction(TBasicAction* Value) {
  if (!Value) {
    actionLink_.reset();
    return;
  }
  if (!actionLink_) actionLink_ = std::make_unique<TMenuActionLink>(this);
  actionLink_->SetAction(Value);
  ActionChange(Value, ComponentState().Contains(csLoading));
  Value->FreeNotification(this);
}

void TMenuItem::ActionChange(TObject* Sender, bool CheckDefaults) {
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (!action) return;
  if (!CheckDefaults || caption_.empty()) caption_ = action->Caption();
  if (!CheckDefaults || !checked_) SetChecked(action->Checked());
  if (!CheckDefaults || enabled_) enabled_ = action->Enabled();
  if (!CheckDefaults || hint_.empty()) hint_ = action->Hint();
  if (!CheckDefaults || imageIndex_ < 0) imageIndex_ = action->ImageIndex();
  if (!CheckDefaults || shortCut_ == 0) shortCut_ = action->ShortCut();
  if (!CheckDefaults || visible_) visible_ = action->Visible();
}

void TMenuItem::InitiateAction() {
  if (actionLink_) actionLink_->Update();
}

void TMenuItem::Click() {
  if (!enabled_) return;
  if (autoCheck_ && !(actionLink_ && actionLink_->Action())) SetChecked(!checked_);
  if (OnClick)
    OnClick(this);
  else if (actionLink_ && !ComponentState().Contains(csDesigning))
    actionLink_->Execute(this);
}

TComponent* TMenuItem::GetParentComponent() const {
  if (parent_ && parent_->menu_) return parent_->menu_;
  return parent_;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
  if (parent_) parent_->Remove(this);
  if (auto* item = dynamic_cast<TMenuItem*>(Value))
    item->Add(this);
  else if (auto* menu = dynamic_cast<TMenu*>(Value))
    menu->Items()->Add(this);
}

void TMenuItem::ReadState(TReader* Reader) {
  if (!parent_) SetParentComponent(Reader->Parent());
  inherited::ReadState(Reader);
}

void TMenuItem::GetChildren(const TGetChildProc& Proc, TComponent*) {
  for (TMenuItem* item : items_) Proc(item);
}

void TMenuItem::SetChildOrder(TComponent* Child, int Order) {
  if (auto* item = dynamic_cast<TMenuItem*>(Child); item && item->parent_ == this) item->SetMenuIndex(Order);
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && actionLink_ && AComponent == actionLink_->Action()) actionLink_.reset();
}

// --- TMenu ---

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(this)) { items_->menu_ = this; }

TMenu::~TMenu() {
  Destroying();
  SetImages(nullptr);
}

void TMenu::SetImages(TCustomImageList* Value) {
  if (Value == images_) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = Value;
  if (images_) images_->FreeNotification(this);
}

namespace {
TMenuItem* FindShortCutIn(TMenuItem* Parent, TShortCut Key) {
  for (int i = 0; i < Parent->Count(); ++i) {
    TMenuItem* item = Parent->Items(i);
    if (item->ShortCut() == Key) return item;
    if (TMenuItem* found = FindShortCutIn(item, Key)) return found;
  }
  return nullptr;
}
}  // namespace

TMenuItem* TMenu::FindShortCut(TShortCut Key) const { return Key ? FindShortCutIn(items_, Key) : nullptr; }

bool TMenu::IsShortCut(TWMKey& Message) {
  TMenuItem* item = FindShortCut(ShortCutFromMessage(Message));
  if (!item) return false;
  item->InitiateAction();
  // A hidden or disabled item (or one under a disabled parent) does not take the key.
  for (TMenuItem* p = item; p && p != items_; p = p->Parent())
    if (!p->Enabled() || !p->Visible()) return false;
  item->Click();
  return true;
}

void TMenu::GetChildren(const TGetChildProc& Proc, TComponent* Root) { items_->GetChildren(Proc, Root); }

void TMenu::SetChildOrder(TComponent* Child, int Order) { items_->SetChildOrder(Child, Order); }

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == images_) images_ = nullptr;
}

// --- TPopupMenu ---

namespace {
void InitiateActions(TMenuItem* Parent) {
  for (int i = 0; i < Parent->Count(); ++i) {
    Parent->Items(i)->InitiateAction();
    InitiateActions(Parent->Items(i));
  }
}
}  // namespace

void TPopupMenu::DoPopup(TObject* Sender) {
  if (OnPopup) OnPopup(Sender);
}

void TPopupMenu::Popup(int X, int Y) {
  DoPopup(this);
  InitiateActions(Items());
  TMenuTrackResult result = TrackPopupMenuItems(Items(), POINT{X, Y}, alignment_);
  if (result.Chosen) result.Chosen->Click();
}
