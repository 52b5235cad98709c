// One level of an open menu: a pop-up window listing a menu item's visible sub-items, with the
// highlighted one. The menu loop owns the windows and feeds them the mouse and keys.
#pragma once

#include <vector>

#include "platform/forms/MenuLoop.h"

class TMenuPopupWindow {
 public:
  // Shown at once, without activation, kept on the work area (flipped left or up when needed).
  TMenuPopupWindow(TMenuItem* Parent, POINT Pos, TPopupAlignment Alignment);
  ~TMenuPopupWindow();
  TMenuPopupWindow(const TMenuPopupWindow&) = delete;
  TMenuPopupWindow& operator=(const TMenuPopupWindow&) = delete;

  HWND Handle() const { return handle_; }
  TMenuItem* ParentItem() const { return parent_; }
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Item(int Index) const { return items_.at(static_cast<size_t>(Index)); }
  int Highlight() const { return highlight_; }
  void SetHighlight(int Index);
  // The next selectable item after (Step 1) or before (Step -1) the highlighted one, wrapping.
  int NextSelectable(int Step) const;
  // The item under a screen point (-1: a separator or outside the items).
  int ItemAtScreen(POINT P) const;
  bool ContainsScreen(POINT P) const;
  RECT ScreenRect() const;
  // The item's rectangle on the screen.
  RECT ItemScreenRect(int Index) const;
  // The item whose caption carries the accelerator, starting after the highlighted one; -1 when none.
  int FindAccel(Char Key) const;

  void Paint(HDC DC);

 private:
  void Measure();
  TMenu* Menu() const;
  bool OwnerDrawn(TMenuItem* Item) const;
  void PaintItem(TCanvas* Canvas, int Index);

  TMenuItem* parent_;
  std::vector<TMenuItem*> items_;
  std::vector<RECT> rects_;  // client coordinates
  int width_ = 0, height_ = 0;
  int highlight_ = -1;
  HWND handle_ = nullptr;
};

// The window class of the pop-ups (registered at start-up).
void RegisterMenuPopupClass();
