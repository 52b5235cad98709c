// The control of a sub-item: opens and closes the item's menu window. In a menu it opens after the
// mouse rests on it for 400 ms and closes 400 ms after the mouse left; in a toolbar it opens on a
// press, or at once on hover while another menu of the toolbar is dropped down.
#pragma once

#include "dx/bars/dxBarItemControl.h"
#include "dx/bars/dxBarSubItem.h"

class TCustomdxBarContainerItem;
class TdxBarSubMenuControl;

class TdxBarSubItemControl : public TdxBarItemControl {
  TRENVIK_CLASS(TdxBarSubItemControl, TdxBarItemControl);

 public:
  explicit TdxBarSubItemControl(TdxBarItemLink* ALink);
  ~TdxBarSubItemControl() override;

  TCustomdxBarSubItem* SubItem() const { return static_cast<TCustomdxBarSubItem*>(Item()); }
  // The open menu window, if any.
  TdxBarSubMenuControl* SubMenu() const { return subMenu_; }
  bool IsOpen() const { return subMenu_ != nullptr; }
  virtual bool CanOpen() const { return true; }
  bool InMenu() const;

  int GetThickness() const;
  int GetLength() const;
  int GetWidth() override;
  int GetHeight() override;
  void Paint(const RECT& R, int Kind) override;

  bool CanClickItem() const override { return false; }
  bool ClosesMenusOnClick() const override { return false; }
  bool KeepsSelection() const override { return IsOpen(); }
  bool WantsKey(WORD Key) const override;
  void KeyDown(WORD Key) override;
  void ControlActivate(bool Immediately) override;
  void ControlInactivate(bool Immediately) override;
  void ControlPress(bool ByMouse) override;

  // Whether the library's one hover timer (opening or closing a menu after 400 ms) is pending.
  static bool HasPendingTimer();

 protected:
  // Makes the menu window of the item's links.
  virtual TdxBarSubMenuControl* CreateSubMenu();

 private:
  void OpenMenu();
  void CloseMenu();
  void PaintMenuRow(const RECT& R);
  void PaintToolbar(const RECT& R, int Kind);
  void DrawArrow(const RECT& Area, bool Down, int Color);

  TdxBarSubMenuControl* subMenu_ = nullptr;
  // Opened by the press that is still down: that press does not close it again.
  bool openedByPress_ = false;
};

// A container item in a toolbar: its menu shows the generated entries in the item's own links.
class TdxBarContainerItemControl : public TdxBarSubItemControl {
  TRENVIK_CLASS(TdxBarContainerItemControl, TdxBarSubItemControl);

 public:
  explicit TdxBarContainerItemControl(TdxBarItemLink* ALink) : TdxBarSubItemControl(ALink) {}

  TCustomdxBarContainerItem* Container() const;

 protected:
  TdxBarSubMenuControl* CreateSubMenu() override;
};
