// The modal menu loop behind pop-up menus and menu bars: pop-up windows of menu items, keyboard
// navigation, accelerators, mouse tracking, click outside to close. Used by TPopupMenu and the
// menu-bar controls; not meant for component code.
#pragma once

#include <memory>
#include <vector>

#include "platform/forms/Menus.h"

// A row of top-level items the loop moves along with Left/Right and the mouse (a menu bar).
class TMenuBarSite {
 public:
  virtual ~TMenuBarSite() = default;
  // The item whose visible sub-items are the bar's items.
  virtual TMenuItem* BarRoot() = 0;
  // The bar item's rectangle on the screen; empty when it is not shown.
  virtual RECT BarItemRect(int Index) = 0;
  // Which bar item is highlighted (-1: none) and whether its drop-down is open.
  virtual void SetBarHighlight(int Index, bool Open) = 0;
};

// The visible items of a menu item, in order: what its pop-up and a bar show.
std::vector<TMenuItem*> VisibleItems(TMenuItem* Parent);

struct TMenuTrackResult {
  TMenuItem* Chosen = nullptr;  // the item to click, nullptr when the menu was left
};

// Shows Root's items at the screen point and runs the loop until an item is chosen or the menu is
// left. The windows are gone when it returns.
TMenuTrackResult TrackPopupMenuItems(TMenuItem* Root, POINT Pos, TPopupAlignment Alignment);
// Runs the loop on a bar from its item Index: with its drop-down open (a click, a hot key) or with
// the item only highlighted (Alt, F10). A drop-down opened from the keyboard highlights its first
// item.
TMenuTrackResult TrackMenuBar(TMenuBarSite* Bar, int Index, bool OpenDropDown, bool FromKeyboard);

// Item geometry shared by the pop-up window and the measuring of owner-drawn items.
struct TMenuMetrics {
  int ItemHeight = 0;
  int SeparatorHeight = 9;
  int Gutter = 20;      // check mark or image
  int ArrowWidth = 16;  // sub-menu arrow
  int Border = 3;
};
TMenuMetrics MenuMetrics(TCanvas* Canvas);

// True while a menu loop runs (a second one is not started).
bool MenuLoopActive();
