// Item controls: the visual of one link inside one bar window. The bar window lays the controls
// out, tracks the mouse and keyboard and owns the selection; a control measures and paints itself,
// and activates, presses and clicks.
#pragma once

#include "dx/bars/dxBarItem.h"
#include "dx/bars/dxBarItemLinks.h"
#include "platform/rtl/Object.h"
#include "platform/rtl/WinDef.h"

class TCustomdxBarControl;

// How a control is painted: in a horizontal toolbar, in a menu, in a vertical toolbar drawn rotated.
constexpr int kPaintHorizontal = 0;
constexpr int kPaintMenu = 1;
constexpr int kPaintRotated = 2;

class TdxBarItemControl : public TObject {
  TRENVIK_CLASS(TdxBarItemControl, TObject);

 public:
  // The virtual constructor passes the link the control shows.
  using TCreateArg = TdxBarItemLink;
  explicit TdxBarItemControl(TdxBarItemLink* ALink);
  ~TdxBarItemControl() override;

  TdxBarItemLink* ItemLink() const { return link_; }
  TdxBarItem* Item() const { return link_ ? link_->Item() : nullptr; }
  TdxBarManager* BarManager() const { return link_ ? link_->BarManager() : nullptr; }
  TCustomdxBarControl* Parent() const { return parent_; }
  bool IsFlat() const;
  // The item's alignment when the bar window lets this control have one, else iaLeft.
  TdxBarItemAlign Align() const;
  bool Active() const { return active_; }
  bool Pressed() const { return pressed_; }
  void SetPressed(bool Value);
  bool HotSelected() const { return hotSelected_; }
  void SetHotSelected(bool Value) { hotSelected_ = Value; }
  bool LineBreak() const { return lineBreak_; }
  void SetLineBreak(bool Value) { lineBreak_ = Value; }
  bool LastInBar() const { return lastInBar_; }
  void SetLastInBar(bool Value) { lastInBar_ = Value; }
  // An expanded short menu shows the entries it had hidden as rarely used.
  bool RarelyUsed() const { return rarelyUsed_; }
  void SetRarelyUsed(bool Value) { rarelyUsed_ = Value; }
  // Selected in its bar window, unless a disabled control merely lies under the mouse.
  bool IsSelected() const;

  // The extent the layout gives the control (the minimum for client-aligned controls).
  int Width();
  int Height();
  virtual int GetWidth() { return 0; }
  virtual int GetHeight() { return 0; }
  virtual int GetMinWidth() { return 1; }
  virtual int GetMinHeight() { return 1; }
  // Draws into the bar window's canvas, clipped to the control's rectangle.
  virtual void Paint(const RECT&, int) {}
  void Repaint();

  virtual bool CanSelect() const;
  virtual bool CanHotTrack() const { return CanSelect(); }
  virtual bool CanClickItem() const { return true; }
  virtual bool IsEnabled() const { return Item() && Item()->Enabled(); }
  virtual String GetCaption() const { return link_ ? link_->Caption() : String(); }
  virtual String GetHint() const { return Item() ? Item()->Hint() : String(); }
  virtual TShortCut GetShortCut() const { return Item() ? Item()->ShortCut() : 0; }
  virtual bool ClosesMenusOnClick() const { return true; }
  virtual bool CaptureOnPress() const { return false; }
  virtual bool DrawSelected() const { return IsSelected(); }
  virtual bool WantsKey(WORD) const { return false; }
  // Stays selected when the mouse leaves its window (a button with its drop-down open).
  virtual bool KeepsSelection() const { return false; }
  virtual void KeyDown(WORD) {}
  // A window item's edit is shown and takes the keys itself.
  virtual bool InnerEditActive() const { return false; }
  // Whether the window is the control's own child window, and what it notifies its bar window of.
  virtual bool OwnsWindow(HWND) const { return false; }
  virtual void ChildNotify(WORD) {}

  virtual void ControlActivate(bool Immediately);
  virtual void ControlInactivate(bool Immediately);
  virtual void ControlPress(bool) {}
  // A control with an action of its own for a double click takes it instead of a second press.
  virtual bool HasDoubleClickAction() const { return false; }
  virtual void DoubleClick() {}
  // Presses and then clicks an enabled control, unless the press took its window away.
  virtual void ControlClick(bool ByMouse);
  // Marks the link used, closes the menus when it should, and runs the item's click.
  virtual void Click(bool ByMouse);

  // What the item tells its controls.
  virtual void CaptionChanged();
  virtual void EnabledChanged();
  virtual void GlyphChanged() { Repaint(); }
  virtual void ShortCutChanged() {}
  virtual void VisibleChanged();

 protected:
  // Asks the bar window to lay out again and repaint.
  void RebuildParent();

 private:
  TdxBarItemLink* link_;
  TCustomdxBarControl* parent_;
  bool active_ = false;
  bool pressed_ = false;
  bool hotSelected_ = false;
  bool lineBreak_ = false;
  bool lastInBar_ = false;
  bool rarelyUsed_ = false;
};
