#include "dx/bars/dxBarItemLinks.h"

#include <algorithm>
#include <climits>

#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarButtonControl.h"
#include "dx/bars/dxBarControl.h"
#include "dx/bars/dxBarEdit.h"
#include "dx/bars/dxBarItem.h"
#include "dx/bars/dxBarItemControl.h"
#include "dx/bars/dxBarManager.h"
#include "dx/bars/dxBarStrs.h"
#include "dx/bars/dxBarSystemMenu.h"
#include "platform/classes/Published.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Input.h"
#include "platform/win/Windows.h"

TRENVIK_PUBLISHED(TdxBarItemLink) {
  P.Property("BeginGroup", &TdxBarItemLink::BeginGroup, &TdxBarItemLink::SetBeginGroup).Default(false);
  P.Property("Item", &TdxBarItemLink::Item, &TdxBarItemLink::SetItem);
  P.Property("MostRecentlyUsed", &TdxBarItemLink::MostRecentlyUsed, &TdxBarItemLink::SetMostRecentlyUsed)
      .Default(true);
  P.Property("UserCaption", &TdxBarItemLink::UserCaption, &TdxBarItemLink::SetUserCaption);
  P.Property("UserDefine", &TdxBarItemLink::UserDefine, &TdxBarItemLink::SetUserDefine);
  P.Property("UserPaintStyle", &TdxBarItemLink::UserPaintStyle, &TdxBarItemLink::SetUserPaintStyle)
      .Default(psStandard);
  P.Property("UserWidth", &TdxBarItemLink::UserWidth, &TdxBarItemLink::SetUserWidth).Default(0);
  P.Property("Visible", &TdxBarItemLink::Visible, &TdxBarItemLink::SetVisible).Default(true);
}
TRENVIK_IMPLEMENT_CLASS(TdxBarItemLinks)

namespace {

int IndexIn(const std::vector<TdxBarItemLink*>& List, const TdxBarItemLink* Link) {
  auto it = std::find(List.begin(), List.end(), Link);
  return it == List.end() ? -1 : static_cast<int>(it - List.begin());
}

bool ManagerLoading(const TdxBarManager* Manager) { return Manager && Manager->IsLoading(); }

}  // namespace

// --- TdxBarItemLink ---

TdxBarItemLink::TdxBarItemLink(TCollection* Collection) : TCollectionItem(Collection) {
  TdxBarManager* manager = BarManager();
  useCount_ = manager ? manager->RecentUseThreshold() : 0;
  // Joining the recency list makes the link one the derived lists consider.
  if (TdxBarItemLinks* owner = Owner()) owner->recencyList_.push_back(this);
  if (manager && !manager->IsLoading() && manager->OnItemLinkAdd) manager->OnItemLinkAdd(manager, this);
}

TdxBarItemLink::~TdxBarItemLink() {
  TdxBarManager* manager = BarManager();
  if (manager && !manager->IsDestroying() && manager->OnItemLinkDelete) manager->OnItemLinkDelete(manager, this);
  DestroyControl();
  if (item_) item_->RemoveLink(this);
  if (TdxBarItemLinks* owner = Owner()) {
    std::erase(owner->recencyList_, this);
    owner->RebuildLists();
    if (TCustomdxBarControl* bar = owner->BarControl(); bar && bar->HandleAllocated() && !owner->Assigning())
      bar->Rebuild();
  }
}

void TdxBarItemLink::CreateControl() {
  if (control_ || !item_ || !Owner() || !Owner()->BarControl()) return;
  TClass controlClass = GetItemControlClass(item_);
  if (!controlClass) return;
  // A toolbar drawing rotated text has no room for an edit: window items show as buttons there.
  if (dynamic_cast<TdxBarWindowItem*>(item_) && Owner()->BarControl()->PaintKind() == kPaintRotated)
    controlClass = TdxBarButtonControl::StaticClass();
  control_ = static_cast<TdxBarItemControl*>(controlClass->NewInstance(this));
}

void TdxBarItemLink::SetReplaced(bool Value) {
  if (replaced_ == Value) return;
  replaced_ = Value;
  if (Owner()) Owner()->RebuildLists();
}

void TdxBarItemLink::DestroyControl() {
  // The control looks back at the link while it goes, so the link forgets it only afterwards.
  delete control_;
  control_ = nullptr;
}

TdxBarItemLinks* TdxBarItemLink::Owner() const { return static_cast<TdxBarItemLinks*>(Collection()); }

TdxBarManager* TdxBarItemLink::BarManager() const { return Owner() ? Owner()->BarManager() : nullptr; }

bool TdxBarItemLink::BeginGroup() const {
  int visibleIndex = VisibleIndex();
  if (visibleIndex == 0) return false;
  if (visibleIndex < 0) return beginGroup_;
  if (beginGroup_) return true;
  // A separator of a link hidden between the previous shown link and this one moves here.
  const TdxBarItemLinks* owner = Owner();
  const auto& available = owner->AvailableItems();
  int from = IndexIn(available, owner->VisibleItems()[visibleIndex - 1]);
  int to = IndexIn(available, this);
  for (int i = from + 1; i < to; ++i)
    if (available[i]->beginGroup_) return true;
  return false;
}

void TdxBarItemLink::SetBeginGroup(bool Value) {
  if (beginGroup_ == Value) return;
  beginGroup_ = Value;
  Changed();
}

bool ItemMayJoinLinks(const TdxBarItem* Item, TdxBarItemLinks* Links) {
  const auto* ownerItem = Links ? dynamic_cast<const TdxBarItem*>(Links->GetOwner()) : nullptr;
  if (!ownerItem) return true;
  return Item != ownerItem && !(Item->ItemLinks() && Item->ItemLinks()->ContainsItem(ownerItem));
}

void TdxBarItemLink::SetItem(TdxBarItem* Value) {
  if (item_ == Value) return;
  if (item_) item_->RemoveLink(this);
  item_ = nullptr;
  if (!Value) {
    delete this;
    return;
  }
  TdxBarItemLinks* owner = Owner();
  if (owner && !ItemMayJoinLinks(Value, owner)) RaiseBarError(dxSBAR_RECURSIVESUBITEMS);
  item_ = Value;
  item_->AddLink(this);
  if (owner) {
    owner->RebuildLists();
    auto* component = dynamic_cast<TComponent*>(owner->GetOwner());
    if (component && !component->ComponentState().Contains(csLoading)) ResetUsage();
  }
  Changed();
}

void TdxBarItemLink::SetMostRecentlyUsed(bool Value) {
  mostRecentlyUsed_ = Value;
  ResetUsage();
  Changed();
}

void TdxBarItemLink::SetUserCaption(const String& Value) {
  if (userCaption_ == Value) return;
  userCaption_ = Value;
  userDefine_.Include(udCaption);
  Changed();
}

void TdxBarItemLink::SetUserDefine(TdxBarUserDefines Value) {
  if (!Value.Contains(udCaption)) userCaption_.clear();
  if (!Value.Contains(udPaintStyle)) userPaintStyle_ = psStandard;
  if (!Value.Contains(udWidth)) userWidth_ = 0;
  userDefine_ = Value;
  Changed();
}

void TdxBarItemLink::SetUserPaintStyle(TdxBarPaintStyle Value) {
  if (Value == PaintStyle()) return;
  userPaintStyle_ = Value;
  userDefine_.Include(udPaintStyle);
  Changed();
}

void TdxBarItemLink::SetUserWidth(int Value) {
  Value = ClampWidth(Value);
  if (userDefine_.Contains(udWidth) && Value == userWidth_) return;
  userWidth_ = Value;
  userDefine_.Include(udWidth);
  Changed();
}

String TdxBarItemLink::Caption() const {
  if (userDefine_.Contains(udCaption) || !item_) return userCaption_;
  return item_->Caption();
}

TdxBarPaintStyle TdxBarItemLink::PaintStyle() const {
  if (userDefine_.Contains(udPaintStyle) || !item_) return userPaintStyle_;
  return item_->PaintStyle();
}

void TdxBarItemLink::SetVisible(bool Value) {
  TdxBarItemLinks* owner = Owner();
  if (ManagerLoading(BarManager()) || (owner && owner->Assigning())) {
    loadedVisible_ = Value;
    return;
  }
  if (visible_ == Value) return;
  visible_ = Value;
  if (owner && !owner->DesignMode()) {
    owner->RebuildLists();
    if (Value)
      MoveToFront(false);
    else
      owner->MoveInRecency(this, static_cast<int>(owner->recencyList_.size()) - 1);
    owner->RebuildLists();
  }
  Changed();
}

int TdxBarItemLink::RecentIndex() const { return Owner() ? Owner()->RecencyPosition(this) : savedRecentIndex_; }

void TdxBarItemLink::SetRecentIndex(int Value) {
  TdxBarItemLinks* owner = Owner();
  if (!owner) {
    savedRecentIndex_ = Value;
    return;
  }
  owner->MoveInRecency(this, std::clamp(Value, 0, static_cast<int>(owner->recencyList_.size()) - 1));
  owner->RebuildLists();
}

int TdxBarItemLink::AvailableIndex() const { return Owner() ? IndexIn(Owner()->AvailableItems(), this) : -1; }
int TdxBarItemLink::CanVisibleIndex() const { return Owner() ? IndexIn(Owner()->CanVisibleItems(), this) : -1; }
int TdxBarItemLink::VisibleIndex() const { return Owner() ? IndexIn(Owner()->VisibleItems(), this) : -1; }

void TdxBarItemLink::MoveToFront(bool IncrementUse) {
  if (Owner()) Owner()->MoveInRecency(this, 0);
  if (IncrementUse) ++useCount_;
}

void TdxBarItemLink::BringToFront(bool IncrementUse) {
  if (!item_ || !item_->IsVisible() || !visible_) return;
  MoveToFront(IncrementUse);
  if (Owner()) Owner()->RebuildLists();
}

void TdxBarItemLink::SendToBack() {
  if (!Owner()) return;
  Owner()->MoveInRecency(this, static_cast<int>(Owner()->recencyList_.size()) - 1);
  Owner()->RebuildLists();
}

void TdxBarItemLink::ResetUsage() {
  TdxBarManager* manager = BarManager();
  if (mostRecentlyUsed_) {
    useCount_ = manager ? manager->RecentUseThreshold() : 0;
    BringToFront(false);
  } else {
    useCount_ = 0;
    SendToBack();
  }
}

void TdxBarItemLink::CountClick() {
  try {
    if (containerLink_) {
      containerLink_->BringToFront(true);
      BringToFront(true);
    } else {
      BringToFront(true);
    }
  } catch (const Exception&) {
    // Recent-use bookkeeping never stops the click.
  }
}

void TdxBarItemLink::Changed() {
  TdxBarManager* manager = BarManager();
  if (manager && !manager->IsLoading() && manager->OnItemLinkChange) manager->OnItemLinkChange(manager, this);
}

void TdxBarItemLink::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBarItemLink*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  userCaption_ = source->userCaption_;
  userPaintStyle_ = source->userPaintStyle_;
  userWidth_ = source->userWidth_;
  TdxBarItem* item = source->item_;
  if (ResettingFromDesign() && item) {
    TdxBarManager* manager = BarManager();
    TComponent* form = manager ? manager->ParentForm() : nullptr;
    item = form ? dynamic_cast<TdxBarItem*>(form->FindComponent(item->Name())) : nullptr;
  }
  SetItem(item);
  if (!Collection()) return;  // an item of none frees the link
  userDefine_ = source->userDefine_;
  SetBeginGroup(source->BeginGroup());
  SetVisible(source->Visible());
}

// --- TdxBarItemLinks ---

TdxBarItemLinks::TdxBarItemLinks(TdxBarManager* BarManager, TPersistent* Owner)
    : TCollection(TdxBarItemLink::StaticClass()), barManager_(BarManager), owner_(Owner) {}

TdxBarItemLinks::~TdxBarItemLinks() {
  // The window showing the links goes first; links look back at this collection while they go.
  delete barControl_;
  BeginUpdate();
  while (Count() > 0) delete Items(Count() - 1);
}

bool TdxBarItemLinks::DesignMode() const { return barManager_ && barManager_->IsDesigning(); }

int TdxBarItemLinks::RecencyPosition(const TdxBarItemLink* Link) const { return IndexIn(recencyList_, Link); }

void TdxBarItemLinks::MoveInRecency(TdxBarItemLink* Link, int Position) {
  int current = RecencyPosition(Link);
  if (current < 0 || current == Position) return;
  recencyList_.erase(recencyList_.begin() + current);
  recencyList_.insert(recencyList_.begin() + Position, Link);
}

void TdxBarItemLinks::RebuildLists() {
  availableItems_.clear();
  canVisibleItems_.clear();
  visibleItems_.clear();
  bool design = DesignMode();
  for (int i = 0; i < Count(); ++i) {
    // A link not in the recency list is still being made or already going: not yet (or no longer)
    // a TdxBarItemLink to look into.
    TCollectionItem* entry = TCollection::Items(i);
    auto known = std::find_if(recencyList_.begin(), recencyList_.end(),
                              [entry](TdxBarItemLink* l) { return static_cast<TCollectionItem*>(l) == entry; });
    if (known == recencyList_.end()) continue;
    TdxBarItemLink* link = *known;
    if (!link->item_ || !(design || link->item_->IsVisible()) || link->replaced_) continue;
    availableItems_.push_back(link);
    if (design || link->visible_) canVisibleItems_.push_back(link);
  }
  if (design || recentItemCount_ < 1) {
    visibleItems_ = canVisibleItems_;
    return;
  }
  for (TdxBarItemLink* link : recencyList_) {
    if (static_cast<int>(visibleItems_.size()) >= recentItemCount_) break;
    if (IndexIn(canVisibleItems_, link) >= 0) visibleItems_.push_back(link);
  }
  std::sort(visibleItems_.begin(), visibleItems_.end(), [this](TdxBarItemLink* a, TdxBarItemLink* b) {
    return IndexIn(canVisibleItems_, a) < IndexIn(canVisibleItems_, b);
  });
}

void TdxBarItemLinks::SetRecentItemCount(int Value) {
  savedRecentItemCount_ = recentItemCount_;
  recentItemCount_ = UsesRecentItems() ? Value : -1;
  RebuildLists();
}

void TdxBarItemLinks::RestoreRecentItemCount() {
  recentItemCount_ = savedRecentItemCount_;
  RebuildLists();
}

int TdxBarItemLinks::CalcRecentItemCount() const {
  if (!UsesRecentItems()) return -1;
  int least = INT_MAX;
  int most = 0;
  for (const TdxBarItemLink* link : canVisibleItems_) {
    least = std::min(least, link->useCount_);
    most = std::max(most, link->useCount_);
  }
  if (canVisibleItems_.empty()) return -1;
  int percents = barManager_ ? barManager_->MostRecentItemsPercents() : 100;
  int threshold = least + static_cast<int>(static_cast<long long>(most - least) * (100 - percents) / 100);
  int result = 0;
  int last = std::min(static_cast<int>(canVisibleItems_.size()), static_cast<int>(recencyList_.size())) - 1;
  for (int position = last; position >= 0; --position) {
    const TdxBarItemLink* link = recencyList_[position];
    if (link->useCount_ >= threshold && link->Collection() == this) {
      result = position + 1;
      break;
    }
  }
  return result == static_cast<int>(canVisibleItems_.size()) ? -1 : result;
}

void TdxBarItemLinks::CompactRecencyList() {
  int free = 0;
  while (free < static_cast<int>(recencyList_.size()) && IndexIn(canVisibleItems_, recencyList_[free]) >= 0) ++free;
  for (int i = free + 1; i < static_cast<int>(recencyList_.size()); ++i) {
    if (IndexIn(canVisibleItems_, recencyList_[i]) < 0) continue;
    MoveInRecency(recencyList_[i], free);
    ++free;
  }
}

void TdxBarItemLinks::SettleLoadedUsage(bool ApplyVisible) {
  for (int i = Count() - 1; i >= 0; --i)
    if (Items(i)->item_) Items(i)->ResetUsage();
  if (ApplyVisible)
    for (int i = 0; i < Count(); ++i) Items(i)->SetVisible(Items(i)->loadedVisible_);
  for (int position = 0; position < Count(); ++position)
    for (int i = 0; i < Count(); ++i) {
      TdxBarItemLink* link = Items(i);
      if (link->recentIndex_ != position) continue;
      link->useCount_ = link->loadedUseCount_;
      MoveInRecency(link, std::min(position, static_cast<int>(recencyList_.size()) - 1));
      link->recentIndex_ = -1;
    }
  RebuildLists();
}

void TdxBarItemLinks::CopyUsageFrom(TdxBarItemLinks* Other) {
  for (int i = 0; i < std::min(Count(), Other->Count()); ++i)
    Items(i)->mostRecentlyUsed_ = Other->Items(i)->mostRecentlyUsed_;
  SettleLoadedUsage(false);
  CompactRecencyList();
}

bool TdxBarItemLinks::UsesRecentItems() const {
  if (barManager_ && barManager_->Style() == bmsStandard) return false;
  return useRecentItems_;
}

bool TdxBarItemLinks::IsToolbarLinks() const { return dynamic_cast<TdxBar*>(owner_) != nullptr; }

bool TdxBarItemLinks::ContainsItem(const TdxBarItem* Item) const {
  for (int i = 0; i < Count(); ++i) {
    const TdxBarItem* linked = Items(i)->item_;
    if (!linked) continue;
    if (linked == Item) return true;
    if (linked->ItemLinks() && linked->ItemLinks()->ContainsItem(Item)) return true;
  }
  return false;
}

void TdxBarItemLinks::Assign(TPersistent* Source) {
  // A maximized MDI child's system-menu entry stays first in the main menu bar.
  TdxBarItem* systemMenu = Count() > 0 && IsSystemMenuItem(Items(0)->Item()) ? Items(0)->Item() : nullptr;
  TValueScope assigning(assigning_, true);
  TScopeExit applyVisible([this, systemMenu] {
    assigning_ = false;
    for (int i = 0; i < Count(); ++i) Items(i)->SetVisible(Items(i)->loadedVisible_);
    if (!systemMenu || (Count() > 0 && Items(0)->Item() == systemMenu)) return;
    TdxBarItemLink* link = Add();
    link->SetItem(systemMenu);
    link->SetIndex(0);
  });
  inherited::Assign(Source);
}

void TdxBarItemLinks::Update(TCollectionItem* Item) {
  inherited::Update(Item);
  if (barManager_) barManager_->DesignerModified();
  RebuildLists();
  if (OnChange) OnChange(this);
}

bool TdxBarItemLinks::FindShortCut(TShortCut ShortCut) {
  if (ShortCut == 0) return false;
  // Runs for every key typed into the form: the short cut is compared before anything dearer. A
  // click may change the links, so nothing of them is touched after it.
  for (size_t i = 0; i < availableItems_.size(); ++i) {
    TdxBarItem* item = availableItems_[i]->item_;
    TdxBarItemLinks* nested = item->ItemLinks();
    if (!nested && item->ShortCut() != ShortCut) continue;
    if (!item->Enabled()) continue;
    if (nested) {
      if (nested->FindShortCut(ShortCut)) return true;
    } else if (item->CanClick()) {
      item->Click();
      return true;
    }
  }
  return false;
}

bool TdxBarItemLinks::MatchesAccelerator(const TdxBarItemLink* Link, WORD Key, TShiftState Shift) {
  Char accelerator = AcceleratorOf(Link->Caption());
  if (accelerator == 0) return false;
  Char lower = AnsiLowerCase(String(1, accelerator))[0];
  // An upper-case accelerator answers with or without Shift.
  if (lower != accelerator) Shift.Exclude(ssShift);
  if (lower >= u'0' && lower <= u'9') return Key == lower && Shift.Empty();
  SHORT scan = VkKeyScan(lower);
  if (scan == -1 || (scan & 0xFF) != Key) return false;
  int shiftFlags = (scan >> 8) & 0xFF;
  TShiftState needed;
  if (shiftFlags & 1) needed.Include(ssShift);
  if (shiftFlags & 2) needed.Include(ssCtrl);
  return needed == Shift;
}

TdxBarItemLink* TdxBarItemLinks::FindAccelerated(WORD Key, TShiftState Shift, TdxBarItemLink* StartLink) {
  Shift.Exclude(ssAlt);
  auto matches = [&](TdxBarItemLink* link) {
    return link->item_->HasAccelerator(link) && MatchesAccelerator(link, Key, Shift);
  };
  if (IsToolbarLinks()) {
    // A toolbar searches its selectable links, from the one after StartLink (or the first) round.
    if (!barControl_ || !barControl_->HandleAllocated() || !IsWindowVisible(barControl_->Handle())) return nullptr;
    TdxBarItemLink* first = StartLink ? NextSelectable(StartLink) : FirstSelectable();
    for (TdxBarItemLink* link = first; link;) {
      if (matches(link)) return link;
      link = NextSelectable(link);
      if (link == first) break;
    }
    return nullptr;
  }
  const auto& links = canVisibleItems_;
  if (links.empty()) return nullptr;
  int count = static_cast<int>(links.size());
  int start = StartLink ? IndexIn(links, StartLink) : 0;
  if (start < 0) start = 0;
  for (int step = 1; step <= count; ++step) {
    TdxBarItemLink* link = links[(start + step) % count];
    if (matches(link)) return link;
  }
  return nullptr;
}

int TdxBarItemLinks::LastFullyVisibleIndex() const {
  int count = static_cast<int>(visibleItems_.size());
  if (!IsToolbarLinks() || !barControl_) return count;
  RECT client = barControl_->ClientRect();
  for (int i = 0; i < count; ++i) {
    const RECT& r = visibleItems_[i]->ItemRect();
    if (IsRectEmpty(&r) || r.left < client.left || r.top < client.top || r.right > client.right ||
        r.bottom > client.bottom)
      return i;
  }
  return count;
}

namespace {

bool LinkSelectable(const TdxBarItemLink* Link) { return Link->Control() && Link->Control()->CanSelect(); }

}  // namespace

TdxBarItemLink* TdxBarItemLinks::FirstSelectable() const {
  int last = LastFullyVisibleIndex();
  for (int i = 0; i < last; ++i)
    if (LinkSelectable(visibleItems_[i])) return visibleItems_[i];
  return nullptr;
}

TdxBarItemLink* TdxBarItemLinks::LastSelectable() const {
  for (int i = LastFullyVisibleIndex() - 1; i >= 0; --i)
    if (LinkSelectable(visibleItems_[i])) return visibleItems_[i];
  return nullptr;
}

TdxBarItemLink* TdxBarItemLinks::StepSelectable(TdxBarItemLink* Link, int Direction) const {
  int count = LastFullyVisibleIndex();
  if (count == 0) return nullptr;
  int start = IndexIn(visibleItems_, Link);
  if (start < 0 || start >= count) return Direction > 0 ? FirstSelectable() : LastSelectable();
  for (int step = 1; step <= count; ++step) {
    TdxBarItemLink* candidate = visibleItems_[((start + Direction * step) % count + count) % count];
    if (LinkSelectable(candidate)) return candidate;
  }
  return nullptr;
}

TdxBarItemLink* TdxBarItemLinks::NextSelectable(TdxBarItemLink* Link) const { return StepSelectable(Link, 1); }

TdxBarItemLink* TdxBarItemLinks::PrevSelectable(TdxBarItemLink* Link) const { return StepSelectable(Link, -1); }
