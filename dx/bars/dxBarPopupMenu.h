// Popup menus: context menus made of item links, shown by the program at a point.
#pragma once

#include <memory>

#include "dx/bars/dxBarItemLinks.h"
#include "dx/bars/dxBarManager.h"
#include "platform/classes/Component.h"

class TdxBarSubMenuControl;

class TdxBarPopupMenu : public TComponent {
  TRENVIK_CLASS(TdxBarPopupMenu, TComponent);

 public:
  // Joins the owner form's manager, else the first one; raises 39005 when there is none.
  explicit TdxBarPopupMenu(TComponent* AOwner);
  ~TdxBarPopupMenu() override;

  TdxBarManager* BarManager() const { return manager_; }
  TdxBarItemLinks* ItemLinks() const { return itemLinks_.get(); }
  void SetItemLinks(TdxBarItemLinks* Value) { itemLinks_->Assign(Value); }
  bool UseRecentItems() const { return itemLinks_->UseRecentItems(); }
  void SetUseRecentItems(bool Value) { itemLinks_->SetUseRecentItems(Value); }
  bool IsOpen() const { return isOpen_; }
  // Set while a drop-down button shows the menu: Popup returns at once.
  bool NonModal() const { return nonModal_; }
  void SetNonModal(bool Value) { nonModal_ = Value; }
  TdxBarSubMenuControl* MenuControl() const;

  // Shows the menu at the screen point and, unless non-modal, runs its loop until it closes
  // (commands addressed to windows meanwhile are dropped).
  void Popup(int X, int Y);
  // Popup beside an element of the given width or height, which the menu may flip over.
  void PopupEx(int X, int Y, int OwnerWidth, int OwnerHeight);
  bool FindShortCut(TShortCut ShortCut) { return itemLinks_->FindShortCut(ShortCut); }

  TNotifyEvent OnPopup;
  TNotifyEvent OnCloseUp;

 private:
  TdxBarManager* manager_;
  std::unique_ptr<TdxBarItemLinks> itemLinks_;
  bool isOpen_ = false;
  bool nonModal_ = false;
  int ownerWidth_ = 0;
  int ownerHeight_ = 0;
};
