// The base of the bar windows (toolbars and drop-down menus): one window showing one collection of
// links through their item controls, with the selection, hot tracking, pressing, keyboard
// navigation and the process-wide chain of windows that are active together.
#pragma once

#include "dx/bars/dxBarItemControl.h"
#include "dx/bars/dxBarManager.h"
#include "dx/bars/dxBarShadow.h"
#include "platform/forms/Controls.h"

struct TdxBarDropTarget;

class TCustomdxBarControl : public TCustomControl {
  TRENVIK_CLASS(TCustomdxBarControl, TCustomControl);
  TRENVIK_MESSAGES(TCustomdxBarControl);

 public:
  explicit TCustomdxBarControl(TdxBarManager* AOwner);
  ~TCustomdxBarControl() override;

  TdxBarManager* BarManager() const { return manager_; }
  TdxBarItemLinks* ItemLinks() const { return itemLinks_; }
  void SetItemLinks(TdxBarItemLinks* Value) { itemLinks_ = Value; }
  TdxBarItemControl* SelectedControl() const { return selectedControl_; }
  // Forgets the selection without telling anybody (a control going away or becoming disabled).
  void ClearSelectedControl() { selectedControl_ = nullptr; }
  TdxBarItemControl* PressedControl() const { return pressedControl_; }
  bool PressedInside() const { return pressedInside_; }
  bool Active() const { return active_; }
  bool Locked() const { return locked_; }
  TCustomdxBarControl* ParentBarControl() const { return parentBarControl_; }
  void SetParentBarControl(TCustomdxBarControl* Value) { parentBarControl_ = Value; }
  TdxBarDockingStyle DockingStyle() const { return dockingStyle_; }
  bool IsVertical() const { return dockingStyle_ == dsLeft || dockingStyle_ == dsRight; }
  void SetSkipNextClick(bool Value) { skipNextClick_ = Value; }
  bool SkipsNextClick() const { return skipNextClick_; }
  // A menu of this bar was dropped down in this activation: hovering another entry opens its own.
  bool MenuDropped() const { return menuDropped_; }
  void SetMenuDropped(bool Value) { menuDropped_ = Value; }

  // Metrics the item controls measure with.
  int TextSize() const { return textSize_; }
  int EditHeight() const { return editHeight_; }
  int ArrowSize() const { return arrowSize_; }
  int ComboButtonWidth() const { return comboButtonWidth_; }

  bool IsFlat() const { return manager_->Style() == bmsFlat; }
  // The customizing context menus answer false: they work as menus while the manager customizes.
  virtual bool IsCustomizing() const { return manager_->IsCustomizing() || manager_->IsDesigning(); }
  virtual HBRUSH GetBackgroundBrush() const;
  HBRUSH GetDownPatternBrush() const;
  HBRUSH GetDownBrush() const;
  HBRUSH GetSelectedBrush() const;
  // The brush of the control being drawn (set by DrawItemControl).
  HBRUSH ItemBrush() const { return itemBrush_; }
  virtual int GetSeparatorSize() const = 0;
  virtual HFONT GetFontHandle() const { return manager_->FontHandle(); }
  // Kind passed to the item controls' Paint.
  virtual int PaintKind() const = 0;
  // Closed as soon as a command runs (menus).
  virtual bool IsPopupWindow() const { return false; }
  // Whether the control may use an alignment other than left.
  virtual bool CanAlignControl(const TdxBarItemControl*) const { return false; }
  // The control of the first shown link whose rectangle holds the client point (in customizing
  // mode only where the window lets its links be customized).
  TdxBarItemControl* FindControlAt(POINT P) const;
  // Whether links of this window may be picked and dropped on in customizing mode.
  virtual bool AllowsCustomizing() const { return manager_->IsDesigning(); }
  // Where a dragged link would land at the client point.
  TdxBarDropTarget GetDropTarget(POINT P) const;
  // The group separator before the control (empty when it begins no group); Above: the separator
  // lies in the gap above the control rather than beside it.
  virtual RECT GetSeparatorRect(const TdxBarItemControl* Control, bool& Above) const;

  virtual void CreateItemControls();
  virtual void DestroyItemControls();
  virtual void CalcMetrics();
  virtual void SetActive(bool Value);
  // The keyboard selection; the toolbar adds activation.
  virtual void SelectItem(TdxBarItemControl* Control);
  // The mouse selection.
  void HotSelect(TdxBarItemControl* Control);
  virtual void SetSelectedControl(TdxBarItemControl* Control);
  // The selection's long hint becomes the window's hint (and, in a modal popup menu's chain, the
  // application's).
  void DoHint();
  // Leaves the active chain here and in every parent window.
  virtual void Close();
  // Makes the item controls again and lays them out.
  virtual void Rebuild() {}
  void InvalidateItem(TdxBarItemControl* Control);

  // The element that opened the window (screen rectangle, empty for none) and the shadow.
  const RECT& OwnerRect() const { return ownerRect_; }
  void SetOwnerRect(const RECT& Value) { ownerRect_ = Value; }
  // The owner element and the window share a border.
  bool IsOwnerAdjacent() const;
  TdxBarShadow* Shadow() const { return shadow_.get(); }
  // Flat look, not docked, window shown.
  bool ShadowVisible() const;
  // Puts the shadow where the window is now.
  void UpdateShadow();

 protected:
  virtual void DrawItemControl(TdxBarItemControl* Control);
  void SetItemBrush(HBRUSH Value) { itemBrush_ = Value; }
  // The frame of the link picked in customizing mode (or, while dragging, of the dragged link).
  void DrawCustomizingFrame(TdxBarItemControl* Control);
  void RepaintSelection(TdxBarItemControl* OldSelected);
  // Moves the keyboard selection (previous, next, first, last).
  virtual bool NavigationKey(WORD& Key, TShiftState Shift);
  // Selects (and, when unique, runs) the link whose caption accelerator the key is.
  void AcceleratorKey(WORD Key, TShiftState Shift);
  // A press in an inactive toolbar enters menu mode (toolbar), in a menu only selects.
  virtual void PressControl(TdxBarItemControl* Control);
  bool IgnoresMouseMove(POINT ScreenPoint) const;
  void ChangeDockingStyle(TdxBarDockingStyle Style) { dockingStyle_ = Style; }

  void CreateWnd() override;
  void DestroyWnd() override;

 private:
  // Customizing mode: a press picks a link and arms its drag, a move far enough starts it, a right
  // press opens the link's customizing menu.
  void CustomizingLButtonDown(POINT P);
  void CustomizingMouseMove(POINT P);
  void CustomizingRButtonDown(POINT P);
  void WMRButtonDown(TMessage& Message);
  void WMMouseMove(TMessage& Message);
  void WMLButtonDown(TMessage& Message);
  void WMLButtonUp(TMessage& Message);
  void WMMouseLeave(TMessage& Message);
  void WMMouseActivate(TMessage& Message);
  void WMCaptureChanged(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void WMKeyDown(TMessage& Message);
  // Notifications of a control's own child window (a bar edit).
  void WMCommand(TMessage& Message);
  void WMRebuild(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);

  TdxBarManager* manager_;
  TdxBarItemLinks* itemLinks_ = nullptr;
  TdxBarItemControl* selectedControl_ = nullptr;
  TdxBarItemControl* pressedControl_ = nullptr;
  TCustomdxBarControl* parentBarControl_ = nullptr;
  TCustomdxBarControl* prevActiveBarControl_ = nullptr;
  HBRUSH itemBrush_ = nullptr;
  TdxBarDockingStyle dockingStyle_ = dsNone;
  bool active_ = false;
  bool locked_ = false;
  bool pressedInside_ = false;
  bool skipNextClick_ = false;
  bool menuDropped_ = false;
  bool dragArmed_ = false;
  POINT pressPoint_{};
  POINT lastMousePos_{-1, -1};
  RECT ownerRect_{};
  std::unique_ptr<TdxBarShadow> shadow_;
  int textSize_ = 0;
  int editHeight_ = 0;
  int arrowSize_ = 0;
  int comboButtonWidth_ = 0;
};

// The private message that makes a bar window rebuild its item controls.
constexpr UINT WM_DXBAR_REBUILD = 0x0400 + 1;
