// Bars: the toolbars of a manager, with their docking place, positions, flags and item links.
// The windows that show them (bar controls) and the dock controls come with the bar windows.
#pragma once

#include <memory>

#include "dx/bars/dxBarItemLinks.h"
#include "dx/bars/dxBarManager.h"
#include "platform/classes/Collection.h"

TRENVIK_ENUM(TdxBarBorderStyle, bbsNone, bbsSingle);

class TdxBars;
class TdxBarControl;
class TdxDockControl;

class TdxBar : public TCollectionItem {
  TRENVIK_CLASS(TdxBar, TCollectionItem);

 public:
  explicit TdxBar(TCollection* Collection);
  ~TdxBar() override;
  void Assign(TPersistent* Source) override;

  TdxBars* Bars() const;
  TdxBarManager* BarManager() const;

  bool AllowClose() const { return allowClose_; }
  void SetAllowClose(bool Value) { allowClose_ = Value; }
  bool AllowCustomizing() const { return allowCustomizing_; }
  void SetAllowCustomizing(bool Value) { allowCustomizing_ = Value; }
  bool AllowQuickCustomizing() const { return allowQuickCustomizing_; }
  void SetAllowQuickCustomizing(bool Value) { allowQuickCustomizing_ = Value; }
  bool AllowReset() const { return allowReset_; }
  void SetAllowReset(bool Value) { allowReset_ = Value; }
  TdxBarBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TdxBarBorderStyle Value) { borderStyle_ = Value; }
  const String& Caption() const { return caption_; }
  // A caption another bar of the manager has is refused; an unnamed bar takes it as its name.
  void SetCaption(const String& Value);
  const String& BarName() const { return name_; }
  void SetBarName(const String& Value) { name_ = Value; }
  TdxBarDockingStyle DockedDockingStyle() const { return dockedDockingStyle_; }
  void SetDockedDockingStyle(TdxBarDockingStyle Value);
  int DockedLeft() const { return dockedLeft_; }
  void SetDockedLeft(int Value);
  int DockedTop() const { return dockedTop_; }
  void SetDockedTop(int Value);
  TdxBarDockingStyle DockingStyle() const { return dockingStyle_; }
  void SetDockingStyle(TdxBarDockingStyle Value);
  int FloatLeft() const { return floatLeft_; }
  void SetFloatLeft(int Value);
  int FloatTop() const { return floatTop_; }
  void SetFloatTop(int Value);
  int FloatClientWidth() const { return floatClientWidth_; }
  void SetFloatClientWidth(int Value);
  int FloatClientHeight() const { return floatClientHeight_; }
  void SetFloatClientHeight(int Value);
  bool Hidden() const { return hidden_; }
  void SetHidden(bool Value);
  bool IsMainMenu() const { return isMainMenu_; }
  // The main menu bar takes the whole row and wraps; only one bar of a manager is it.
  void SetIsMainMenu(bool Value);
  TdxBarItemLinks* ItemLinks() const { return itemLinks_.get(); }
  void SetItemLinks(TdxBarItemLinks* Value) { itemLinks_->Assign(Value); }
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool Value);
  TdxBarDockingStyles NotDocking() const { return notDocking_; }
  void SetNotDocking(TdxBarDockingStyles Value) { notDocking_ = Value; }
  bool OneOnRow() const { return oneOnRow_; }
  void SetOneOnRow(bool Value) { oneOnRow_ = Value; }
  bool RotateWhenVertical() const { return rotateWhenVertical_; }
  void SetRotateWhenVertical(bool Value) { rotateWhenVertical_ = Value; }
  int Row() const { return row_; }
  void SetRow(int Value) { row_ = std::max(Value, 0); }
  bool ShowMark() const { return showMark_; }
  void SetShowMark(bool Value) { showMark_ = Value; }
  bool SizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool Value) { sizeGrip_ = Value; }
  bool UseRecentItems() const { return itemLinks_->UseRecentItems(); }
  void SetUseRecentItems(bool Value) { itemLinks_->SetUseRecentItems(Value); }
  bool UseRestSpace() const { return useRestSpace_; }
  void SetUseRestSpace(bool Value) { useRestSpace_ = Value; }
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  bool WholeRow() const { return wholeRow_; }
  void SetWholeRow(bool Value) { wholeRow_ = Value; }
  bool HiddenBecauseEmpty() const { return hiddenBecauseEmpty_; }
  void SetHiddenBecauseEmpty(bool Value) { hiddenBecauseEmpty_ = Value; }

  bool IsStatusBar() const { return borderStyle_ == bbsNone && dockingStyle_ == dsBottom; }
  // Offered in the toolbars lists.
  bool CanBeListed() const { return allowClose_ && !isMainMenu_; }
  // Read from the form file (not made by the user at run time, nor by a stored layout).
  bool IsPredefined() const { return predefined_; }
  // The frame around the client area on each side (floating: the window frame and caption).
  int GetFloatBorderWidth(TdxBarDockingStyle Side) const;
  int GetFloatBorderHeight(TdxBarDockingStyle Side) const;
  // The window that shows the bar while it is visible.
  TdxBarControl* Control() const;
  // Takes the place its window has now (docking style, dock row, docked or floating position).
  void StorePosition(TdxBarControl* Control);
  // Back to the design: the links only, or with the manager's UseFullReset the whole bar (caption,
  // docking, positions); the links find their items among the form's by name.
  void Reset();
  // Applies what was read while loading.
  void ApplyLoadedValues();

 private:
  void Modified();
  void ShowControl();

  std::unique_ptr<TdxBarItemLinks> itemLinks_;
  bool predefined_ = false;
  bool allowClose_ = true;
  bool allowCustomizing_ = true;
  bool allowQuickCustomizing_ = true;
  bool allowReset_ = true;
  TdxBarBorderStyle borderStyle_ = bbsSingle;
  String caption_;
  String name_;
  TdxBarDockingStyle dockedDockingStyle_ = dsTop;
  int dockedLeft_ = 0;
  int dockedTop_ = 0;
  TdxBarDockingStyle dockingStyle_ = dsNone;
  TdxBarDockingStyle loadedDockingStyle_ = dsNone;
  int floatLeft_ = 0;
  int floatTop_ = 0;
  int floatClientWidth_ = 0;
  int floatClientHeight_ = 0;
  bool hidden_ = false;
  bool isMainMenu_ = false;
  bool multiLine_ = false;
  TdxBarDockingStyles notDocking_;
  bool oneOnRow_ = false;
  bool rotateWhenVertical_ = true;
  int row_ = 0;
  bool showMark_ = true;
  bool sizeGrip_ = true;
  bool useRestSpace_ = false;
  bool visible_ = false;
  bool loadedVisible_ = false;
  bool wholeRow_ = false;
  bool hiddenBecauseEmpty_ = false;
};

class TdxBars : public TCollection {
  TRENVIK_CLASS(TdxBars, TCollection);

 public:
  explicit TdxBars(TdxBarManager* Manager);
  ~TdxBars() override;
  TdxBarManager* BarManager() const { return manager_; }
  TPersistent* GetOwner() override { return manager_; }
  TdxBar* Items(int Index) const { return static_cast<TdxBar*>(TCollection::Items(Index)); }
  TdxBar* Add() { return static_cast<TdxBar*>(TCollection::Add()); }
  TdxBar* BarByCaption(const String& Caption) const;
  TdxBar* BarByName(const String& Name) const;
  // The built-in dock along that side of the owner form (none for dsNone).
  TdxDockControl* DockControls(TdxBarDockingStyle Side) const;
  void ForgetDock(TdxDockControl* Dock);
  bool Loading() const { return loading_; }
  void SetLoading(bool Value) { loading_ = Value; }

  // Moves a bar with the mouse until the left button goes up (Escape or a lost capture end it too);
  // over a dock a floating bar docks only once the mouse rested there for WaitForDockingTime, and
  // never while Ctrl is held. Grab is the cursor's screen position when the bar was taken.
  void DragBar(TdxBarControl* Control, POINT Grab);
  bool Dragging() const { return dragged_ != nullptr; }
  // Where a bar dragged to the point would go: the side (dsNone: floating) and its dock.
  TdxBarDockingStyle GetDockingTarget(TdxBar* Bar, POINT Point, TdxDockControl*& Dock) const;
  // Floats a docked bar where it is, or docks a floating one where it was docked last (at the top,
  // in a row of its own, when it never was).
  void ToggleDocking(TdxBarControl* Control);

 private:
  void MoveDraggedBar(TdxBarControl* Control, POINT Point, bool FromTimer);
  // Puts the bar's window into the dock (or floating at Point).
  void ChangeDock(TdxBarControl* Control, TdxBarDockingStyle Style, TdxDockControl* Dock, POINT Point);
  void StopDockWait();

  TdxBarManager* manager_;
  TdxDockControl* docks_[5] = {};
  bool loading_ = false;
  TdxBarControl* dragged_ = nullptr;
  POINT grabOffset_{};
  HWND dockWaitWindow_ = nullptr;
};
