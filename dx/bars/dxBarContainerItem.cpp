#include "dx/bars/dxBarContainerItem.h"

#include <algorithm>

#include "dx/bars/dxBarButton.h"
#include "dx/bars/dxBarItemControl.h"
#include "dx/bars/dxBarManager.h"
#include "platform/classes/Published.h"
#include "platform/forms/Forms.h"

TRENVIK_IMPLEMENT_CLASS(TCustomdxBarContainerItem)

TRENVIK_PUBLISHED(TdxBarListItem) {
  P.Property("ItemIndex", &TdxBarListItem::ItemIndex, &TdxBarListItem::SetItemIndex).Default(-1);
  P.Property("Items", &TdxBarListItem::Items, &TdxBarListItem::SetItems);
  P.Property("ShowCheck", &TdxBarListItem::ShowCheck, &TdxBarListItem::SetShowCheck).Default(false);
  P.Property("ShowNumbers", &TdxBarListItem::ShowNumbers, &TdxBarListItem::SetShowNumbers).Default(true);
}

TRENVIK_PUBLISHED(TdxBarContainerItem) {
  P.Property("ItemLinks", &TdxBarContainerItem::ItemLinks, &TdxBarContainerItem::SetItemLinks);
}

namespace {

bool IsListSeparator(const String& S) { return S == u"-"; }

}  // namespace

// --- TCustomdxBarContainerItem ---

void TCustomdxBarContainerItem::AddListItems(TdxBarItemLinks*, int, TdxBarItemLink*, bool GetData) {
  if (needsClear_) ClearItems();
  if (GetData && OnGetData) OnGetData(this);
}

TdxBarItemLink* TCustomdxBarContainerItem::AddEntryLink(TdxBarItemLinks* Links, int Index, TdxBarItemLink* OwnerLink) {
  TdxBarItemLink* link = Links->Add();
  link->SetIndex(std::min(Index, Links->Count() - 1));
  link->SetContainerLink(OwnerLink);
  link->SetUseCount(OwnerLink->UseCount());
  link->SetRecentIndex(OwnerLink->RecentIndex());
  return link;
}

// --- TdxBarListItem ---

TdxBarListItem::TdxBarListItem(TComponent* AOwner)
    : TCustomdxBarContainerItem(AOwner), items_(std::make_unique<TStringList>()) {}

TdxBarListItem::~TdxBarListItem() {
  // Last first, as the entries were made.
  while (!buttons_.empty()) buttons_.pop_back();
}

int TdxBarListItem::DataIndex() const {
  if (itemIndex_ < 0 || itemIndex_ >= items_->Count()) return -1;
  int data = -1;
  for (int k = 0; k <= itemIndex_; ++k)
    if (!IsListSeparator(items_->Strings(k))) ++data;
  return data;
}

void TdxBarListItem::SetDataIndex(int Value) {
  if (items_->Count() == 0) {
    itemIndex_ = -1;
    return;
  }
  int data = -1;
  for (int k = 0; k < items_->Count(); ++k) {
    if (!IsListSeparator(items_->Strings(k))) ++data;
    if (data == Value) {
      itemIndex_ = k;
      return;
    }
  }
  itemIndex_ = items_->Count();
}

String TdxBarListItem::EntryNumber(int Entry) {
  Char digit = Entry <= 8 ? static_cast<Char>(u'1' + Entry) : static_cast<Char>(Entry + 56);
  return String(u"&") + digit + u" ";
}

void TdxBarListItem::AddListItems(TdxBarItemLinks* Links, int Index, TdxBarItemLink* OwnerLink, bool GetData) {
  TCustomdxBarContainerItem::AddListItems(Links, Index, OwnerLink, GetData);
  bool creating = buttons_.empty();
  TComponent* owner = BarManager() ? BarManager()->ParentForm() : Owner();
  int entry = 0;
  bool groupNext = false;
  for (int k = 0; k < items_->Count(); ++k) {
    const String text = items_->Strings(k);
    if (IsListSeparator(text)) {
      groupNext = true;
      continue;
    }
    if (creating) {
      auto* button = new TdxBarButton(owner);
      if (owner) owner->RemoveComponent(button);
      buttons_.emplace_back(button);
      if (showCheck_ && k == itemIndex_) {
        button->SetButtonStyle(bsChecked);
        button->SetDown(true);
      }
      String display;
      GetDisplayText(text, display);
      button->SetCaption(showNumbers_ ? EntryNumber(entry) + display : display);
      button->SetTag(k);
      button->OnClick = [this](TObject* Sender) { EntryClicked(Sender); };
      button->SetEnabled(Enabled());
    }
    if (entry >= static_cast<int>(buttons_.size())) break;
    TdxBarItemLink* link = AddEntryLink(Links, Index + entry, OwnerLink);
    link->SetItem(buttons_[entry].get());
    link->SetBeginGroup(entry == 0 || groupNext);
    groupNext = false;
    ++entry;
  }
}

void TdxBarListItem::DeleteListItems(TdxBarItemLinks* Links, int Index) {
  for (int k = 0; k < items_->Count(); ++k)
    if (!IsListSeparator(items_->Strings(k)) && Index < Links->Count()) delete Links->Items(Index);
}

void TdxBarListItem::ClearItems() {
  if (!buttons_.empty() && buttons_.front()->LinkCount() == 0)
    while (!buttons_.empty()) buttons_.pop_back();
  TCustomdxBarContainerItem::ClearItems();
}

void TdxBarListItem::EntryClicked(TObject* Sender) {
  if (auto* button = dynamic_cast<TdxBarButton*>(Sender)) itemIndex_ = static_cast<int>(button->Tag());
  for (int i = 0; i < LinkCount(); ++i)
    if (Links(i)->Control() && Links(i)->Control()->Active()) return;
  DirectClick();
}

// --- TdxBarContainerItem ---

void TdxBarContainerItem::AddListItems(TdxBarItemLinks* Links, int Index, TdxBarItemLink* OwnerLink, bool GetData) {
  TCustomdxBarContainerItem::AddListItems(Links, Index, OwnerLink, GetData);
  if (Links == ItemLinks()) return;
  for (int i = 0; i < ItemLinks()->Count(); ++i) {
    TdxBarItemLink* link = AddEntryLink(Links, Index + i, OwnerLink);
    link->Assign(ItemLinks()->Items(i));
    link->SetContainerLink(OwnerLink);
    if (i == 0 && ReplacesLink()) link->SetBeginGroup(true);
  }
}

void TdxBarContainerItem::DeleteListItems(TdxBarItemLinks* Links, int Index) {
  if (Links == ItemLinks()) return;
  for (int i = 0; i < ItemLinks()->Count() && Index < Links->Count(); ++i) delete Links->Items(Index);
}

// --- Expansion in menus ---

std::vector<TContainerExpansion> ExpandContainerItems(TdxBarItemLinks* Links) {
  std::vector<TContainerExpansion> expansions;
  std::vector<TdxBarItemLink*> snapshot;
  for (int i = 0; i < Links->Count(); ++i) snapshot.push_back(Links->Items(i));
  std::vector<TCustomdxBarContainerItem*> asked;
  for (TdxBarItemLink* link : snapshot) {
    auto* container = dynamic_cast<TCustomdxBarContainerItem*>(link->Item());
    if (!container) continue;
    bool first = std::find(asked.begin(), asked.end(), container) == asked.end();
    if (first) asked.push_back(container);
    container->AddListItems(Links, link->Index() + 1, link, first);
    if (container->ReplacesLink()) link->SetReplaced(true);
    expansions.push_back(TContainerExpansion{link, container});
  }
  return expansions;
}

void CollapseContainerItems(TdxBarItemLinks* Links, std::vector<TContainerExpansion>& Expansions) {
  for (auto it = Expansions.rbegin(); it != Expansions.rend(); ++it) {
    it->container->DeleteListItems(Links, it->link->Index() + 1);
    it->link->SetReplaced(false);
  }
  for (const TContainerExpansion& e : Expansions) e.container->SetNeedsClear(true);
  Expansions.clear();
}
