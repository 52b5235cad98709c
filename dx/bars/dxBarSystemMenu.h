// The system menu of a maximized MDI child as the first entry of the MDI parent's main menu bar:
// the child's small icon, opening a menu read from the child window's system menu.
#pragma once

#include "dx/bars/dxBarSubItem.h"
#include "dx/bars/dxBarSubItemControl.h"
#include "platform/rtl/WinDef.h"

class TSystemMenuSubItem : public TCustomdxBarSubItem {
  TRENVIK_CLASS(TSystemMenuSubItem, TCustomdxBarSubItem);

 public:
  // A temporary item: never streamed, freed once no shown link uses it.
  explicit TSystemMenuSubItem(TComponent* AOwner);

  HWND ChildWindow() const { return childWindow_; }
  void SetChildWindow(HWND Value) { childWindow_ = Value; }
  // Reads the child window's system menu again into the item's links (before its menu opens).
  void Rebuild();

 private:
  HWND childWindow_ = nullptr;
};

class TSystemMenuSubItemControl : public TdxBarSubItemControl {
  TRENVIK_CLASS(TSystemMenuSubItemControl, TdxBarSubItemControl);

 public:
  explicit TSystemMenuSubItemControl(TdxBarItemLink* ALink) : TdxBarSubItemControl(ALink) {}

  TSystemMenuSubItem* SystemMenuItem() const { return static_cast<TSystemMenuSubItem*>(Item()); }
  bool CanSelect() const override;
  int GetWidth() override;
  int GetHeight() override;
  // The child window's small icon (the big one without), at 16 x 16 stretched into R.
  void Paint(const RECT& R, int Kind) override;
  bool HasDoubleClickAction() const override { return true; }
  // Closes the menus and sends the child its system menu's default command.
  void DoubleClick() override;

 protected:
  TdxBarSubMenuControl* CreateSubMenu() override;
};

// Whether the item is the system-menu entry of a maximized MDI child.
bool IsSystemMenuItem(const TdxBarItem* Item);
