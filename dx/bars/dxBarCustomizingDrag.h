// Dragging links and commands in customizing mode: where a drop lands in a bar window, whether it
// would change anything, the insertion mark, and the modal drag loop itself.
#pragma once

#include "dx/bars/dxBarControl.h"

// Where a point over a bar window drops: the control under it, whether the window lays its links
// out vertically (or the point lies in the gap above a line), whether the point is in the group
// separator before the control, and whether it is in the first half of the rectangle.
struct TdxBarDropTarget {
  TdxBarItemControl* Control = nullptr;
  bool Vertical = false;
  bool InSeparator = false;
  bool Before = false;
  bool operator==(const TdxBarDropTarget&) const = default;
};

// Whether dropping Dragged (none: a command from the list) at Target would change the bar; Copy is
// the Ctrl state.
bool InsertChangesLayout(const TdxBarDropTarget& Target, const TdxBarItemLink* Dragged, bool Copy);

// Inverts the six-line insertion mark for the target (drawing it twice erases it).
void DrawInsertionMark(const TdxBarDropTarget& Target);

// The modal loop of TdxBarManager::DragItemLink.
class TdxBarItemLinkDrag {
 public:
  TdxBarItemLinkDrag(TdxBarManager* Manager, TdxBarItem* Item, TdxBarItemLink* Link, POINT Press);
  void Run();

 private:
  void MouseMove();
  void ChangeTarget(TCustomdxBarControl* Window, const TdxBarDropTarget& Target);
  void ShowMark(bool Show);
  void Finish();
  void Drop();
  void DropOutside();
  void DropInto();
  void DropOnItself();
  TCustomdxBarControl* WindowUnderCursor() const;
  bool LayoutIsVertical(const TCustomdxBarControl* Window) const;

  TdxBarManager* manager_;
  TdxBarItem* item_;
  TdxBarItemLink* link_;
  POINT press_;
  bool copy_ = false;
  bool moved_ = false;
  bool dropped_ = false;
  bool markShown_ = false;
  TCustomdxBarControl* window_ = nullptr;
  TdxBarDropTarget target_;
  POINT release_{};
};
