// Popup-menu links: a control of the owner form bound to a popup menu, which a right click, the
// context key or Shift+F10 on the control opens, and whose short cuts work while the control has
// the focus.
#pragma once

#include <functional>

#include "platform/classes/Collection.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Menus.h"

class TdxBarManager;
class TdxBarPopupMenu;
class TdxBarPopupMenuLink;

// X and Y are in the control's coordinates; the handler may move the menu or refuse it.
using TdxBarPopupMenuLinkActionEvent =
    std::function<void(TdxBarPopupMenuLink* Sender, int& X, int& Y, bool ClickedByMouse, bool& AllowPopup)>;

class TdxBarPopupMenuLink : public TCollectionItem {
  TRENVIK_CLASS(TdxBarPopupMenuLink, TCollectionItem);

 public:
  explicit TdxBarPopupMenuLink(TCollection* Collection);
  void Assign(TPersistent* Source) override;

  TdxBarManager* BarManager() const;
  TWinControl* Control() const { return control_; }
  // A control of another form than the manager's is taken as none.
  void SetControl(TWinControl* Value);
  TdxBarPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TdxBarPopupMenu* Value);

  // The menu's short cut runs its item unless OnAction refuses the menu.
  bool HandleShortCut(TShortCut ShortCut);
  // Window is the control's window or one inside it; Point is on the screen, (-1, -1) when the
  // keyboard asks (the menu then opens at the window's caret, else at its top-left corner). True
  // when the request was answered: the control handled it itself, or the menu was shown.
  bool ShowPopup(HWND Window, POINT Point);

  TdxBarPopupMenuLinkActionEvent OnAction;

 private:
  bool AllowPopup(int& X, int& Y, bool ClickedByMouse);

  TWinControl* control_ = nullptr;
  TdxBarPopupMenu* popupMenu_ = nullptr;
};

class TdxBarPopupMenuLinks : public TCollection {
  TRENVIK_CLASS(TdxBarPopupMenuLinks, TCollection);

 public:
  explicit TdxBarPopupMenuLinks(TdxBarManager* Manager);
  TdxBarManager* BarManager() const { return manager_; }
  TPersistent* GetOwner() override;
  TdxBarPopupMenuLink* Items(int Index) const { return static_cast<TdxBarPopupMenuLink*>(TCollection::Items(Index)); }
  TdxBarPopupMenuLink* Add() { return static_cast<TdxBarPopupMenuLink*>(TCollection::Add()); }

  // The links of the control, in order, until one handles the short cut.
  bool HandleShortCut(TWinControl* Control, TShortCut ShortCut);
  // The links of the control, in order, until one shows its menu (nothing at design time).
  bool ShowPopupFor(TWinControl* Control, HWND Window, POINT Point);
  // A control or menu that goes away leaves every link that names it.
  void Forget(const TComponent* Component);

 private:
  TdxBarManager* manager_;
};
