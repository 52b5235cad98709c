// Container items: sub-items whose menu entries are generated. A list item turns its strings into
// numbered buttons; a container item splices its own links into the menu it stands in.
#pragma once

#include <memory>
#include <vector>

#include "dx/bars/dxBarButton.h"
#include "dx/bars/dxBarSubItem.h"
#include "platform/classes/StringList.h"


class TCustomdxBarContainerItem : public TCustomdxBarSubItem {
  TRENVIK_CLASS(TCustomdxBarContainerItem, TCustomdxBarSubItem);

 public:
  explicit TCustomdxBarContainerItem(TComponent* AOwner) : TCustomdxBarSubItem(AOwner) {}

  // Puts the entries into Links from Index on, for OwnerLink (the container's link they stand
  // for); GetData: the first link of the container in that menu, which asks for the data.
  virtual void AddListItems(TdxBarItemLinks* Links, int Index, TdxBarItemLink* OwnerLink, bool GetData);
  // Takes the entries out of Links at Index.
  virtual void DeleteListItems(TdxBarItemLinks*, int) {}
  virtual void ClearItems() { needsClear_ = false; }
  // The container's link stands aside in a menu showing the entries.
  virtual bool ReplacesLink() const { return true; }
  bool NeedsClear() const { return needsClear_; }
  void SetNeedsClear(bool Value) { needsClear_ = Value; }

  TNotifyEvent OnGetData;

 protected:
  // Adds a link to the menu at Index for OwnerLink, with its use count and recency.
  TdxBarItemLink* AddEntryLink(TdxBarItemLinks* Links, int Index, TdxBarItemLink* OwnerLink);

 private:
  bool needsClear_ = false;
};

class TdxBarListItem : public TCustomdxBarContainerItem {
  TRENVIK_CLASS(TdxBarListItem, TCustomdxBarContainerItem);

 public:
  explicit TdxBarListItem(TComponent* AOwner);
  ~TdxBarListItem() override;

  TStringList* Items() const { return items_.get(); }
  void SetItems(TStrings* Value) { items_->Assign(Value); }
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int Value) { itemIndex_ = Value; }
  // The position of ItemIndex among the strings that are not separators.
  int DataIndex() const;
  void SetDataIndex(int Value);
  bool ShowCheck() const { return showCheck_; }
  void SetShowCheck(bool Value) { showCheck_ = Value; }
  bool ShowNumbers() const { return showNumbers_; }
  void SetShowNumbers(bool Value) { showNumbers_ = Value; }

  // The caption an entry shows for a string (the string itself).
  virtual void GetDisplayText(const String& Text, String& Result) { Result = Text; }
  // "&1 " to "&9 ", then letters from "&A ".
  static String EntryNumber(int Entry);

  void AddListItems(TdxBarItemLinks* Links, int Index, TdxBarItemLink* OwnerLink, bool GetData) override;
  void DeleteListItems(TdxBarItemLinks* Links, int Index) override;
  void ClearItems() override;
  // Runs only while no control of the list item itself is active (the menus have closed).
  void EntryClicked(TObject* Sender);

 private:
  std::unique_ptr<TStringList> items_;
  int itemIndex_ = -1;
  bool showCheck_ = false;
  bool showNumbers_ = true;
  // Made for the manager of the owner form, owned here: the form freeing its components first
  // would leave the list item pointing at freed entries.
  std::vector<std::unique_ptr<TdxBarButton>> buttons_;
};

class TdxBarContainerItem : public TCustomdxBarContainerItem {
  TRENVIK_CLASS(TdxBarContainerItem, TCustomdxBarContainerItem);

 public:
  explicit TdxBarContainerItem(TComponent* AOwner) : TCustomdxBarContainerItem(AOwner) {}

  void AddListItems(TdxBarItemLinks* Links, int Index, TdxBarItemLink* OwnerLink, bool GetData) override;
  void DeleteListItems(TdxBarItemLinks* Links, int Index) override;
};

// What a menu window did with the container items among its links while it is shown.
struct TContainerExpansion {
  TdxBarItemLink* link;
  TCustomdxBarContainerItem* container;
};
// Splices the entries of every container item's link into the links, the containers' links
// standing aside; undone, last first, by CollapseContainerItems.
std::vector<TContainerExpansion> ExpandContainerItems(TdxBarItemLinks* Links);
void CollapseContainerItems(TdxBarItemLinks* Links, std::vector<TContainerExpansion>& Expansions);
