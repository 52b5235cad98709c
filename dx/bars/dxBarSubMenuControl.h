// The drop-down menu window: lists its links vertically with separators, places itself on the
// work area beside the element that opened it (flipping when there is no room) and closes when a
// command runs or a key or click sends it away.
#pragma once

#include <functional>
#include <memory>
#include <type_traits>

#include "dx/bars/dxBarContainerItem.h"
#include "dx/bars/dxBarControl.h"

class TdxBarMenuAnimation;
class TdxBarSubItemControl;

class TdxBarSubMenuControl : public TCustomdxBarControl {
  TRENVIK_CLASS(TdxBarSubMenuControl, TCustomdxBarControl);
  TRENVIK_MESSAGES(TdxBarSubMenuControl);

 public:
  // The timer that expands a short menu by itself, and its delay; resting on the expand button
  // expands after the shorter delay.
  static constexpr UINT_PTR kExpandTimerId = 3;
  static constexpr UINT kShowFullMenusDelay = 4000;
  static constexpr UINT kExpandButtonRestDelay = 1000;
  // The timer that makes the expand button hot once the entries have rested that long.
  static constexpr UINT_PTR kHotExpandButtonTimerId = 2;
  // The timer that scrolls while the cursor rests on a scroll arrow, and its period.
  static constexpr UINT_PTR kScrollTimerId = 1;
  static constexpr UINT kScrollPeriod = 80;

  explicit TdxBarSubMenuControl(TdxBarManager* AOwner);
  ~TdxBarSubMenuControl() override;

  int GetSeparatorSize() const override { return IsFlat() ? 5 : 10; }
  int PaintKind() const override { return kPaintMenu; }
  bool IsPopupWindow() const override { return true; }
  // A sub item's menu asks the sub item; a popup menu's links may always be customized.
  bool AllowsCustomizing() const override;

  // What the opener sets before Show: the width or height of the element that opened the menu
  // (the menu flips to its other side when there is no room), and the window that owns the menu.
  void SetOwnerExtent(int OwnerWidth, int OwnerHeight) {
    ownerWidth_ = OwnerWidth;
    ownerHeight_ = OwnerHeight;
  }
  void SetParentWindow(HWND Value) { parentWindow_ = Value; }
  // The sub item's control that opened the menu (none for popup menus and drop-down buttons).
  TdxBarSubItemControl* OwnerControl() const { return ownerControl_; }
  void SetOwnerControl(TdxBarSubItemControl* Value) { ownerControl_ = Value; }
  // A Detachable sub item's menu has a drag bar at its top; dragged off it, the menu becomes the
  // item's DetachingBar floating under the cursor, unless that bar is the one the menu came from.
  bool IsDetachable() const;
  bool CanDetach() const;
  int DetachBarHeight() const;
  // In client coordinates; empty when the menu is not detachable.
  RECT DetachBarRect() const;
  bool DetachBarHot() const { return detachBarHot_; }
  // Whether the next Show may animate (the manager's MenuAnimations decides how).
  void SetAnimate(bool Value) { animate_ = Value; }
  bool Animating() const { return animation_ != nullptr; }
  // Ends a running animation at its final frame; input for the menu waits for this first.
  void WaitForAnimation();
  // The whole menu as it is painted normally, drawn on DC.
  void PaintInto(HDC DC);
  // Creates the window at (Left, Top), places it on the work area and shows it without activation.
  void Show();
  // Destroys the window and frees the control.
  void CloseMenu();
  void Close() override;
  void Rebuild() override;
  void SetActive(bool Value) override;
  // A short menu (the manager shows recent items first) lists the links used most and an expand
  // button at its bottom; expanding lists them all, and so do the chain's later menus.
  bool HasExpandButton() const;
  RECT ExpandButtonRect() const;
  void Expand();
  // The expand button: 0 normal, 1 hot, 2 expands the menu.
  int MarkState() const { return markState_; }
  void SetMarkState(int State);
  void SetSelectedControl(TdxBarItemControl* Control) override;
  // Once a short menu is expanded, the entries it hid are shown as rarely used.
  bool ShowsRarelyUsed() const;
  HBRUSH RarelyUsedBrush() const { return rarelyUsedBrush_.get(); }
  // On a screen of 8 bits or less, in recent-items mode, the brush is an entry of this palette.
  HPALETTE RarelyUsedPalette() const { return rarelyUsedPalette_.get(); }
  // The button face lightened by 20 in each channel.
  static COLORREF RarelyUsedColor();
  // A menu taller than the work area shows a window of its links with arrows above and below.
  int FirstVisible() const { return firstVisible_; }
  // While the cursor rests on a scroll arrow.
  bool Scrolling() const { return scrolling_; }
  const RECT& UpArrowRect() const { return upArrow_; }
  const RECT& DownArrowRect() const { return downArrow_; }
  // Keys selecting an entry out of view scroll it in.
  void SelectItem(TdxBarItemControl* Control) override;
  // The size the links need (the frame included).
  SIZE MeasureSize();
  void CalcItemRects();
  // Places the window on the work area at the requested point; W and H are the measured size.
  static RECT CalcPosition(POINT Requested, SIZE Size, int OwnerWidth, int OwnerHeight, const RECT& WorkArea);

  std::function<void(TdxBarSubMenuControl*)> PopupNotify;
  std::function<void(TdxBarSubMenuControl*)> CloseUpNotify;
  // The drop-down button the menu was opened from learns that it closed.
  std::function<void()> OwnerCloseUp;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void DrawItemControl(TdxBarItemControl* Control) override;
  void WndProc(TMessage& Message) override;

 private:
  void WMKeyDown(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  void WMTimer(TMessage& Message);
  void WMLButtonDown(TMessage& Message);
  void WMRightButton(TMessage& Message);
  void WMMouseMove(TMessage& Message);
  void WMMouseLeave(TMessage& Message);
  // A free-standing popup menu, and every menu opened from one, takes the right button as the left.
  bool ActsOnRightButton() const;
  SIZE PlaceScrolledLinks(int Inset, int Top);
  void ScrollTimerTick();
  void ScrollIntoView(TdxBarItemControl* Control);
  void DrawScrollArrows(HDC DC);
  void ApplyRecentCount();
  // Makes the controls of the links shown now and places the window for them.
  void LayOutAtRequestedPoint();
  // Tab, Down on the last entry and Ctrl+Down expand a short menu; true when the key was used up.
  bool ExpandByKey(WORD Key);
  void DrawExpandButton(HDC DC);
  int ExpandButtonHeight() const;
  // With ShowFullMenusAfterDelay a short menu expands by itself after a while.
  void StartExpandTimer();
  void StopExpandTimer();
  void TrackExpandButton(POINT P);
  void ExpandButtonTimer(UINT_PTR Id);
  // Marks the controls of rarely used entries; the space a link needs above its control for a
  // separator and for the start of a block of (not) rarely used entries.
  void MarkRarelyUsed();
  void CreateRarelyUsedBrush();
  bool StartsBlock(int Index, int First) const;
  int SpaceAbove(int Index, int First) const;
  void DrawBlockStart(HDC DC, TdxBarItemControl* Control);
  void DrawSeparator(HDC DC, TdxBarItemControl* Control);
  void FillRarelyUsedMargins(HDC DC, TdxBarItemControl* Control);
  // What the drag bar takes above the links.
  int DetachAreaHeight() const;
  void TrackDetachBar(POINT P);
  void SetDetachBarHot(bool Value);
  void DrawDetachBar(HDC DC);
  // The drag loop that tears the menu off; the menu is gone once the first move leaves the bar.
  void Detach();
  void StartAnimation(POINT Requested);
  void FinishAnimation();
  // Lays the links out from Top down; answers the widest control and the height used.
  SIZE LayoutLinks(bool Place);

  int ownerWidth_ = 0;
  int ownerHeight_ = 0;
  HWND parentWindow_ = nullptr;
  TdxBarSubItemControl* ownerControl_ = nullptr;
  bool detachBarHot_ = false;
  POINT requested_{};
  int firstVisible_ = 0;
  RECT upArrow_{};
  RECT downArrow_{};
  bool scrolling_ = false;
  bool closing_ = false;
  bool animate_ = true;
  std::unique_ptr<TdxBarMenuAnimation> animation_;
  POINT cursorAtAnimationStart_{};
  bool paintingImage_ = false;
  int markState_ = 0;
  struct TDeleteGdiObject {
    void operator()(HGDIOBJ Object) const;
  };
  std::unique_ptr<std::remove_pointer_t<HBRUSH>, TDeleteGdiObject> rarelyUsedBrush_;
  std::unique_ptr<std::remove_pointer_t<HPALETTE>, TDeleteGdiObject> rarelyUsedPalette_;
  // Container items whose entries this menu shows in their place.
  std::vector<TContainerExpansion> expansions_;
};
