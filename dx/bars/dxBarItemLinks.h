// Item links: one placement of an item in a bar, sub-menu or popup menu, and the ordered
// collection of one owner's links with its derived lists and recent-use order.
#pragma once

#include <vector>

#include "dx/bars/dxBarServices.h"
#include "platform/classes/Collection.h"
#include "platform/classes/Set.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Menus.h"

class TdxBarItem;
class TCustomdxBarControl;
class TdxBarItemControl;
class TdxBarItemLinks;
class TdxBarManager;

TRENVIK_ENUM(TdxBarUserDefine, udCaption, udGlyph, udPaintStyle, udWidth);
using TdxBarUserDefines = Set<TdxBarUserDefine>;

class TdxBarItemLink : public TCollectionItem {
  TRENVIK_CLASS(TdxBarItemLink, TCollectionItem);

 public:
  explicit TdxBarItemLink(TCollection* Collection);
  ~TdxBarItemLink() override;
  void Assign(TPersistent* Source) override;

  TdxBarItemLinks* Owner() const;
  TdxBarManager* BarManager() const;

  // The first shown link never begins a group; a hidden link's separator moves to the next shown one.
  bool BeginGroup() const;
  void SetBeginGroup(bool Value);
  TdxBarItem* Item() const { return item_; }
  // Frees the link for none; raises 39009 for an item that contains the sub item owning the links.
  void SetItem(TdxBarItem* Value);
  bool MostRecentlyUsed() const { return mostRecentlyUsed_; }
  void SetMostRecentlyUsed(bool Value);
  const String& UserCaption() const { return userCaption_; }
  void SetUserCaption(const String& Value);
  TdxBarUserDefines UserDefine() const { return userDefine_; }
  void SetUserDefine(TdxBarUserDefines Value);
  TdxBarPaintStyle UserPaintStyle() const { return userPaintStyle_; }
  void SetUserPaintStyle(TdxBarPaintStyle Value);
  int UserWidth() const { return userWidth_; }
  void SetUserWidth(int Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);

  // What the controls show.
  String Caption() const;
  TdxBarPaintStyle PaintStyle() const;

  TdxBarItemControl* Control() const { return control_; }
  // Where the bar window put the control (empty while not laid out).
  const RECT& ItemRect() const { return itemRect_; }
  void SetItemRect(const RECT& Value) { itemRect_ = Value; }
  // Makes the control of the class registered for the item's class (none when unregistered).
  void CreateControl();
  void DestroyControl();
  int UseCount() const { return useCount_; }
  void SetUseCount(int Value) { useCount_ = Value; }
  // Usage read from a stored layout, settled by SettleLoadedUsage.
  void SetLoadedUseCount(int Value) { loadedUseCount_ = Value; }
  void SetLoadedRecentIndex(int Value) { recentIndex_ = Value; }
  // The position in the recency list (kept aside while outside a collection).
  int RecentIndex() const;
  void SetRecentIndex(int Value);
  bool LoadedVisible() const { return loadedVisible_; }
  void SetLoadedVisible(bool Value) { loadedVisible_ = Value; }
  TdxBarItemLink* ContainerLink() const { return containerLink_; }
  void SetContainerLink(TdxBarItemLink* Value) { containerLink_ = Value; }
  // A container item's link stands aside while its menu shows the entries it generated.
  bool Replaced() const { return replaced_; }
  void SetReplaced(bool Value);
  int AvailableIndex() const;
  int CanVisibleIndex() const;
  int VisibleIndex() const;

  void MoveToFront(bool IncrementUse);
  // Moves a shown link of a visible item to the front, and its parent's link after it.
  void BringToFront(bool IncrementUse);
  void SendToBack();
  void ResetUsage();
  // A click counts a use on the container's link (and the link itself).
  void CountClick();

 private:
  friend class TdxBarItemLinks;
  void Changed();

  TdxBarItem* item_ = nullptr;
  bool beginGroup_ = false;
  bool mostRecentlyUsed_ = true;
  String userCaption_;
  TdxBarUserDefines userDefine_;
  TdxBarPaintStyle userPaintStyle_ = psStandard;
  int userWidth_ = 0;
  bool visible_ = true;
  TdxBarItemControl* control_ = nullptr;
  RECT itemRect_{};
  int useCount_ = 0;
  int loadedUseCount_ = 0;
  int recentIndex_ = -1;
  bool loadedVisible_ = true;
  TdxBarItemLink* containerLink_ = nullptr;
  int savedRecentIndex_ = -1;
  bool replaced_ = false;
};

class TdxBarItemLinks : public TCollection {
  TRENVIK_CLASS(TdxBarItemLinks, TCollection);

 public:
  // Owner is the bar, sub item or popup menu the links belong to.
  TdxBarItemLinks(TdxBarManager* BarManager, TPersistent* Owner);
  ~TdxBarItemLinks() override;

  TdxBarManager* BarManager() const { return barManager_; }
  TPersistent* GetOwner() override { return owner_; }
  // The window that shows the links while they are shown.
  TCustomdxBarControl* BarControl() const { return barControl_; }
  void SetBarControl(TCustomdxBarControl* Value) { barControl_ = Value; }
  TdxBarItemLink* Items(int Index) const { return static_cast<TdxBarItemLink*>(TCollection::Items(Index)); }
  TdxBarItemLink* Add() { return static_cast<TdxBarItemLink*>(TCollection::Add()); }
  void Assign(TPersistent* Source) override;

  const std::vector<TdxBarItemLink*>& AvailableItems() const { return availableItems_; }
  const std::vector<TdxBarItemLink*>& CanVisibleItems() const { return canVisibleItems_; }
  const std::vector<TdxBarItemLink*>& VisibleItems() const { return visibleItems_; }
  const std::vector<TdxBarItemLink*>& RecencyList() const { return recencyList_; }
  void RebuildLists();

  int RecentItemCount() const { return recentItemCount_; }
  void SetRecentItemCount(int Value);
  void RestoreRecentItemCount();
  // The length of the short menu, -1 when nothing would be hidden.
  int CalcRecentItemCount() const;
  void CompactRecencyList();
  void SettleLoadedUsage(bool ApplyVisible);
  void CopyUsageFrom(TdxBarItemLinks* Other);
  bool UseRecentItems() const { return useRecentItems_; }
  void SetUseRecentItems(bool Value) { useRecentItems_ = Value; }
  bool UsesRecentItems() const;
  bool Assigning() const { return assigning_; }
  // The links of a toolbar (a bar), not of a menu.
  bool IsToolbarLinks() const;
  // True when a link's item is Item or a sub item whose links contain it.
  bool ContainsItem(const TdxBarItem* Item) const;

  // Clicks the first enabled item with that shortcut, searching sub items' links too.
  bool FindShortCut(TShortCut ShortCut);
  // The next link after StartLink (cyclically) whose caption's accelerator matches the key.
  TdxBarItemLink* FindAccelerated(WORD Key, TShiftState Shift, TdxBarItemLink* StartLink);
  static bool MatchesAccelerator(const TdxBarItemLink* Link, WORD Key, TShiftState Shift);

  // How many shown links fit in the bar window (every one outside toolbars).
  int LastFullyVisibleIndex() const;
  // Links whose controls can be selected, among those that fit; Next and Prev wrap around.
  TdxBarItemLink* FirstSelectable() const;
  TdxBarItemLink* LastSelectable() const;
  TdxBarItemLink* NextSelectable(TdxBarItemLink* Link) const;
  TdxBarItemLink* PrevSelectable(TdxBarItemLink* Link) const;

  TNotifyEvent OnChange;

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  friend class TdxBarItemLink;
  int RecencyPosition(const TdxBarItemLink* Link) const;
  void MoveInRecency(TdxBarItemLink* Link, int Position);
  bool DesignMode() const;
  TdxBarItemLink* StepSelectable(TdxBarItemLink* Link, int Direction) const;

  TdxBarManager* barManager_;
  TPersistent* owner_;
  TCustomdxBarControl* barControl_ = nullptr;
  std::vector<TdxBarItemLink*> availableItems_;
  std::vector<TdxBarItemLink*> canVisibleItems_;
  std::vector<TdxBarItemLink*> visibleItems_;
  std::vector<TdxBarItemLink*> recencyList_;
  int recentItemCount_ = -1;
  int savedRecentItemCount_ = -1;
  bool useRecentItems_ = true;
  bool assigning_ = false;
};

// False when Item is the sub item owning Links or contains it at any depth (a recursive menu).
bool ItemMayJoinLinks(const TdxBarItem* Item, TdxBarItemLinks* Links);
