// The action manager and its bars: TActionManager keeps actions (it is an action list) and the
// layout of the bars that show them (ActionBars: for each bar, the client items, each an action
// or a caption with sub-items). TActionMainMenuBar shows its items as a menu bar, TActionToolBar
// as tool buttons (an item's caption hidden where ShowCaption is off; an item with sub-items
// drops down a menu of them).
#pragma once

#include <memory>
#include <vector>

#include "platform/classes/Collection.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/MenuBar.h"

class TActionManager;
class TActionClients;
class TCustomActionBarSite;

// One item on a bar or in a sub-menu.
class TActionClientItem : public TCollectionItem {
  TRENVIK_CLASS(TActionClientItem, TCollectionItem);

 public:
  explicit TActionClientItem(TCollection* Collection);
  ~TActionClientItem() override;
  TContainedAction* Action() const { return action_; }
  void SetAction(TContainedAction* Value);
  // The item's own caption; the action's when empty. "-" is a separator.
  const String& Caption() const { return caption_; }
  void SetCaption(const String& Value);
  String ShownCaption() const;
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  TActionClients* Items() const { return items_.get(); }
  void SetItems(TActionClients* Value);
  bool HasItems() const;
  bool IsSeparator() const { return ShownCaption() == u"-"; }
  // Clears Action on this item and its sub-items where it is the given one.
  void ForgetAction(TContainedAction* Action);

 private:
  TContainedAction* action_ = nullptr;
  String caption_;
  bool showCaption_ = true;
  bool visible_ = true;
  std::unique_ptr<TActionClients> items_;
};

class TActionClients : public TOwnedCollection {
  TRENVIK_CLASS(TActionClients, TOwnedCollection);

 public:
  explicit TActionClients(TPersistent* AOwner);
  TActionClientItem* Add() { return static_cast<TActionClientItem*>(TCollection::Add()); }
  TActionClientItem* Items(int Index) const {
    return static_cast<TActionClientItem*>(TCollection::Items(Index));
  }
  // Tells the bar showing these items (through the owners) to rebuild.
  void Update(TCollectionItem* Item) override;
};

// What one bar shows.
class TActionBarItem : public TCollectionItem {
  TRENVIK_CLASS(TActionBarItem, TCollectionItem);

 public:
  explicit TActionBarItem(TCollection* Collection);
  ~TActionBarItem() override;
  // The bar control (a TActionMainMenuBar or TActionToolBar).
  TControl* ActionBar() const { return actionBar_; }
  void SetActionBar(TControl* Value);
  TCustomActionBarSite* Site() const;
  TActionClients* Items() const { return items_.get(); }
  void SetItems(TActionClients* Value) { items_->Assign(Value); }
  TActionManager* ActionManager() const;

 private:
  friend class TCustomActionBarSite;
  TControl* actionBar_ = nullptr;
  std::unique_ptr<TActionClients> items_;
};

class TActionBars : public TOwnedCollection {
  TRENVIK_CLASS(TActionBars, TOwnedCollection);

 public:
  explicit TActionBars(TActionManager* AOwner);
  TActionBarItem* Add() { return static_cast<TActionBarItem*>(TCollection::Add()); }
  TActionBarItem* Items(int Index) const { return static_cast<TActionBarItem*>(TCollection::Items(Index)); }
  TActionManager* Manager() const { return manager_; }

 private:
  TActionManager* manager_;
};

class TActionManager : public TCustomActionList {
  TRENVIK_CLASS(TActionManager, TCustomActionList);

 public:
  explicit TActionManager(TComponent* AOwner);
  ~TActionManager() override;
  TActionBars* ActionBars() const { return actionBars_.get(); }
  void SetActionBars(TActionBars* Value) { actionBars_->Assign(Value); }
  // Every bar builds its controls again from its items.
  void RebuildBars();

 protected:
  void Loaded() override;
  // Items showing a freed action let go of it.
  void ActionRemoved(TContainedAction* Action) override;

 private:
  std::unique_ptr<TActionBars> actionBars_;
};

// The bars' common part: the item of the manager's ActionBars that says what the bar shows.
class TCustomActionBarSite {
 public:
  virtual ~TCustomActionBarSite();
  TActionBarItem* ActionClient() const { return client_; }
  TActionManager* ActionManager() const { return client_ ? client_->ActionManager() : nullptr; }
  virtual void RebuildItems() = 0;

 protected:
  // The bar's control (for loading state and the component name the form refers to).
  virtual TComponent* BarComponent() = 0;

 private:
  friend class TActionBarItem;
  TActionBarItem* client_ = nullptr;
};

class TActionMainMenuBar : public TCustomMenuBar, public TCustomActionBarSite {
  TRENVIK_CLASS(TActionMainMenuBar, TCustomMenuBar);

 public:
  explicit TActionMainMenuBar(TComponent* AOwner);
  ~TActionMainMenuBar() override;
  TMenuItem* BarRoot() override { return root_; }
  void RebuildItems() override;
  // The actions of every item are updated (the bar is an action client of the idle cycle).
  void InitiateAction() override;

 protected:
  TComponent* BarComponent() override { return this; }
  void Loaded() override;

 private:
  void AddItems(TMenuItem* Parent, TActionClients* Items);
  TMenuItem* root_;
};

class TActionToolBar : public TToolBar, public TCustomActionBarSite {
  TRENVIK_CLASS(TActionToolBar, TToolBar);

 public:
  explicit TActionToolBar(TComponent* AOwner);
  ~TActionToolBar() override;
  void RebuildItems() override;
  // The button that stands for the item at Index of the bar's items (nullptr for hidden items).
  TToolButton* ItemButton(int Index) const;

 protected:
  TComponent* BarComponent() override { return this; }
  void Loaded() override;

 private:
  void DropDown(TToolButton* Button, TActionClientItem* Item);
  std::vector<TToolButton*> buttons_;
  std::unique_ptr<TPopupMenu> dropDown_;
};

void RegisterActionBarClasses();
