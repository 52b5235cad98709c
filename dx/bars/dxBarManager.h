// The bar manager: the non-visual component a form carries to get managed toolbars and menus.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "dx/bars/dxBarCategories.h"
#include "dx/bars/dxBarServices.h"
#include "platform/classes/Component.h"
#include "platform/classes/StringList.h"
#include "platform/forms/Colors.h"
#include "platform/forms/GraphicsObjects.h"
#include "platform/forms/Menus.h"

class TdxBar;
class TForm;
class TdxBarGroup;
class TdxBars;
class TdxBarPopupMenuLinks;
class TdxBarItemLink;
class TdxBarItemLinks;
class TdxBarItemControl;
class TdxBarItemLinkDrag;
class TdxDockControl;
class TCustomImageList;
class TChangeLink;
struct HELPINFO;

TRENVIK_ENUM(TdxBarManagerStyle, bmsStandard, bmsEnhanced, bmsFlat);
TRENVIK_ENUM(TdxBarMenuAnimations, maNone, maRandom, maUnfold, maSlide);
TRENVIK_ENUM(TdxBarDockingStyle, dsNone, dsLeft, dsTop, dsRight, dsBottom);
using TdxBarDockingStyles = Set<TdxBarDockingStyle>;

using TdxBarEvent = std::function<void(TObject* Sender, TdxBar* ABar)>;
using TdxBarItemLinkEvent = std::function<void(TObject* Sender, TdxBarItemLink* AItemLink)>;
using TdxBarClickItemEvent = std::function<void(TObject* Sender, TdxBarItem* ClickedItem)>;
using TdxBarShowPopupEvent = std::function<void(TObject* Sender, TdxBarItemLinks* PopupItemLinks)>;
// Merges (AddItems) or takes back the child manager's main menu into the sender's main menu bar.
using TdxBarMenuMergeEvent =
    std::function<void(TObject* Sender, TdxBarManager* ChildBarManager, bool AddItems)>;

// Colours of the flat style's brushes, made from the system colours.
struct TdxBarFlatColors {
  COLORREF Border;
  COLORREF Background;
  COLORREF Down;
  COLORREF Selected;
  COLORREF Highlight;
};
TdxBarFlatColors CalcFlatColors(COLORREF BtnFace, COLORREF BtnShadow, COLORREF Highlight, COLORREF Window);
// The least use count that marks a link as recently used for the given percentage (0 for 100).
int CalcRecentUseThreshold(int MostRecentItemsPercents);

class TdxBarManager : public TComponent {
  TRENVIK_CLASS(TdxBarManager, TComponent);

 public:
  // Raises 39004 when the owner (or, without one, the main form) is not a form, 39003 when the form
  // has a manager already.
  explicit TdxBarManager(TComponent* AOwner);
  ~TdxBarManager() override;

  TCustomForm* ParentForm() const { return parentForm_; }
  bool IsDesigning() const { return ComponentState().Contains(csDesigning); }
  bool IsLoading() const { return ComponentState().Contains(csLoading); }
  bool IsDestroying() const { return ComponentState().Contains(csDestroying); }
  bool IsCustomizing() const { return isCustomizing_; }
  // Customizing mode as far as the links and items need it (the form comes with the customizing
  // dialogs).
  void SetCustomizing(bool Value);
  // Customizing: the control picked (or, while dragging, the drop target), and what is dragged.
  TdxBarItemControl* SelectedItem() const { return selectedItem_; }
  void SetSelectedItem(TdxBarItemControl* Value);
  void ForgetSelectedItem(const TdxBarItemControl* Control) {
    if (selectedItem_ == Control) selectedItem_ = nullptr;
  }
  TdxBarItem* DraggedItem() const { return draggedItem_; }
  TdxBarItemLink* DraggedLink() const { return draggedLink_; }
  void SetDragged(TdxBarItem* Item, TdxBarItemLink* Link) {
    draggedItem_ = Item;
    draggedLink_ = Link;
  }
  bool Dragging() const { return dragging_; }
  // The modal drag of a link (none: a command of the customizing form) onto bars and menus; Press is
  // where the button went down, in screen coordinates (the cursor when not given).
  void DragItemLink(TdxBarItem* Item, TdxBarItemLink* Link, const POINT* Press = nullptr);

  // Items registered with the manager, in registration order.
  int ItemCount() const { return static_cast<int>(items_.size()); }
  TdxBarItem* Items(int Index) const;
  TdxBarItem* ItemByName(const String& Name) const;
  void MoveItem(int CurIndex, int NewIndex);
  void ExchangeItems(int Index1, int Index2);
  std::vector<TdxBarItem*> GetItemsByCategory(int Category) const;
  // Whether any of the items has the short cut: most keys typed are nobody's.
  bool IsItemShortCut(TShortCut ShortCut) const;

  TdxBars* Bars() const { return bars_.get(); }
  // The toolbar that took the keyboard (menu mode), or none.
  TCustomdxBarControl* KeyboardBarControl() const { return keyboardBarControl_; }
  void SetKeyboardBarControl(TCustomdxBarControl* Value) { keyboardBarControl_ = Value; }
  void SetBars(TdxBars* Value);
  TdxBar* MainMenuBar() const { return mainMenuBar_; }
  TdxBar* BarByCaption(const String& Caption) const;
  TdxBar* BarByName(const String& Name) const;
  // False for a style the bar or (at a built-in dock) the manager refuses; OnDocking has the last word.
  virtual bool CanDock(TdxBar* Bar, TdxBarDockingStyle Style);
  bool HideFloatingBarsWhenInactive() const { return hideFloatingBarsWhenInactive_; }
  void SetHideFloatingBarsWhenInactive(bool Value);

  int GroupCount() const { return static_cast<int>(groups_.size()); }
  TdxBarGroup* Groups(int Index) const { return Index >= 0 && Index < GroupCount() ? groups_[Index] : nullptr; }
  void AddGroup(TdxBarGroup* Group) { groups_.push_back(Group); }
  void RemoveGroup(TdxBarGroup* Group) { std::erase(groups_, Group); }
  void ExchangeGroups(int Index1, int Index2);

  // Categories: deleting one frees its items and moves later items down; inserting, exchanging
  // and moving keep every item with the category it had.
  void DeleteCategory(int Index);
  void InsertCategory(int Index, const String& Name);
  void ExchangeCategories(int Index1, int Index2);
  void MoveCategory(int CurIndex, int NewIndex);

  TdxBarManagerCategories* Categories() const { return categories_.get(); }
  // Controls of the owner form bound to popup menus (right click, context key, Shift+F10).
  TdxBarPopupMenuLinks* PopupMenuLinks() const { return popupMenuLinks_.get(); }
  void SetPopupMenuLinks(TdxBarPopupMenuLinks* Value);
  void SetCategories(TStrings* Value) { categories_->Assign(Value); }
  // While loading, ItemsVisible waits for Loaded; then every item of the category that had the old
  // value takes the new one.
  TdxBarItemVisible GetCategoryItemsVisible(int Index) const;
  void SetCategoryItemsVisible(int Index, TdxBarItemVisible Value);
  bool GetCategoryVisible(int Index) const;
  void SetCategoryVisible(int Index, bool Value);

  bool AllowCallFromAnotherForm() const { return allowCallFromAnotherForm_; }
  void SetAllowCallFromAnotherForm(bool Value) { allowCallFromAnotherForm_ = Value; }
  // A bar edit left other than with Escape stores what was typed.
  bool AlwaysSaveText() const { return alwaysSaveText_; }
  void SetAlwaysSaveText(bool Value) { alwaysSaveText_ = Value; }
  bool AllowReset() const { return allowReset_; }
  void SetAllowReset(bool Value) { allowReset_ = Value; }
  bool AutoDockColor() const { return autoDockColor_; }
  void SetAutoDockColor(bool Value) { autoDockColor_ = Value; }
  TColor DockColor() const;
  void SetDockColor(TColor Value);
  bool IsDockColorStored() const { return !autoDockColor_; }
  int ButtonArrowWidth() const { return buttonArrowWidth_; }
  void SetButtonArrowWidth(int Value);
  int LargeButtonArrowWidth() const { return largeButtonArrowWidth_; }
  void SetLargeButtonArrowWidth(int Value);
  bool CanCustomize() const { return canCustomize_; }
  void SetCanCustomize(bool Value) { canCustomize_ = Value; }
  // The image lists the items' ImageIndex refers to; a list freed elsewhere is let go.
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* Value);
  TCustomImageList* HotImages() const { return hotImages_; }
  void SetHotImages(TCustomImageList* Value);
  TCustomImageList* LargeImages() const { return largeImages_; }
  void SetLargeImages(TCustomImageList* Value);
  TColor ImageListBkColor() const { return imageListBkColor_; }
  void SetImageListBkColor(TColor Value) { imageListBkColor_ = Value; }
  bool LargeIcons() const { return largeIcons_; }
  void SetLargeIcons(bool Value);
  TdxBarMenuAnimations MenuAnimations() const { return menuAnimations_; }
  void SetMenuAnimations(TdxBarMenuAnimations Value);
  bool MenusShowRecentItemsFirst() const { return menusShowRecentItemsFirst_; }
  void SetMenusShowRecentItemsFirst(bool Value);
  int MostRecentItemsPercents() const { return mostRecentItemsPercents_; }
  void SetMostRecentItemsPercents(int Value);
  int RecentUseThreshold() const { return recentUseThreshold_; }
  TdxBarDockingStyles NotDocking() const { return notDocking_; }
  void SetNotDocking(TdxBarDockingStyles Value) { notDocking_ = Value; }
  bool Scaled() const { return scaled_; }
  void SetScaled(bool Value);
  bool ShowFullMenusAfterDelay() const { return showFullMenusAfterDelay_; }
  void SetShowFullMenusAfterDelay(bool Value);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool Value);
  bool ShowHintForDisabledItems() const { return showHintForDisabledItems_; }
  void SetShowHintForDisabledItems(bool Value) { showHintForDisabledItems_ = Value; }
  bool ShowShortCutInHint() const { return showShortCutInHint_; }
  void SetShowShortCutInHint(bool Value);
  bool StretchGlyphs() const { return stretchGlyphs_; }
  void SetStretchGlyphs(bool Value) { stretchGlyphs_ = Value; }
  TdxBarManagerStyle Style() const { return style_; }
  void SetStyle(TdxBarManagerStyle Value);
  bool UseF10ForMenu() const { return useF10ForMenu_; }
  void SetUseF10ForMenu(bool Value) { useF10ForMenu_ = Value; }
  bool UseFullReset() const { return useFullReset_; }
  void SetUseFullReset(bool Value) { useFullReset_ = Value; }
  bool UseSystemFont() const { return useSystemFont_; }
  void SetUseSystemFont(bool Value);
  int WaitForDockingTime() const { return waitForDockingTime_; }
  void SetWaitForDockingTime(int Value);
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* Value) { font_->Assign(Value); }
  bool IsFontStored() const { return !useSystemFont_; }
  // The font the bar windows draw with (see CreateBarFont).
  HFONT FontHandle() const { return fontHandle_; }

  // Metrics that follow the style and the icon size.
  int GripOffset() const { return gripOffset_; }
  int GripSize() const { return gripSize_; }
  int SeparatorIndent() const { return separatorIndent_; }
  int GlyphSize() const { return glyphSize_; }
  int ButtonWidth() const { return buttonWidth_; }
  int ButtonHeight() const { return buttonHeight_; }
  int ArrowWidth() const { return arrowWidth_; }
  bool ShowsRecentItemsFirst() const { return style_ != bmsStandard && menusShowRecentItemsFirst_; }
  static int FrameWidth();
  static int FrameHeight();

  // Flat-style brushes, rebuilt on system colour changes.
  HBRUSH FlatBorderBrush() const { return flatBrushes_[0]; }
  HBRUSH FlatBackgroundBrush() const { return flatBrushes_[1]; }
  HBRUSH FlatDownBrush() const { return flatBrushes_[2]; }
  HBRUSH FlatSelectedBrush() const { return flatBrushes_[3]; }
  HBRUSH FlatHighlightBrush() const { return flatBrushes_[4]; }

  // The window that holds the mouse while a bar is dragged: the application's when it is shown,
  // else the owner form's.
  HWND GetWindowForCapture() const;
  // A menu is being torn off into a floating bar: keys go to its drag loop, not to the bars.
  bool SubMenuDragging() const { return subMenuDragging_; }
  void SetSubMenuDragging(bool Value) { subMenuDragging_ = Value; }
  // Closes the open chain of bar windows, if any.
  void HideAll();
  bool LockUpdate() const { return lockUpdate_; }
  void SetLockUpdate(bool Value);
  // The user's layout (bars, their places and links, sub-items' links, usage, options) in an INI
  // file, in sections named after the owner form and the manager. A save is built in memory and
  // written once: a failure (raised to the caller) leaves the file as it was. Nothing for no name.
  void SaveToIniFile(const String& FileName);
  // Values that are missing, not numbers or out of range keep what the manager has.
  void LoadFromIniFile(const String& FileName);
  // The same layout below the current user's key Path ("\" added in front, one trailing one
  // removed; a path that is then empty stores nothing). A save is written under a key of its own and
  // put in place only when complete; a key that cannot be opened silently saves nothing.
  void SaveToRegistry(const String& Path);
  void LoadFromRegistry(const String& Path);
  // Where the layout is kept between runs: loaded at the end of form loading (registry first, then
  // the INI file), saved in the same order when the owner form's window is destroyed.
  bool StoreInIniFile() const { return storeInIniFile_; }
  void SetStoreInIniFile(bool Value) { storeInIniFile_ = Value; }
  const String& IniFileName() const { return iniFileName_; }
  void SetIniFileName(const String& Value) { iniFileName_ = Value; }
  bool StoreInRegistry() const { return storeInRegistry_; }
  void SetStoreInRegistry(bool Value) { storeInRegistry_ = Value; }
  const String& RegistryPath() const { return registryPath_; }
  void SetRegistryPath(const String& Value) { registryPath_ = Value; }
  // A bar left without a link to show by hiding a category's items hides itself, and comes back
  // when they do; turning this off forgets which bars hid themselves.
  bool AutoHideEmptyBars() const { return autoHideEmptyBars_; }
  void SetAutoHideEmptyBars(bool Value);
  void DesignerModified();
  bool Modified() const { return modified_; }

  // MDI (dxBarMDIMerge.cpp): the owner form's main menu bar takes over the main menu of its
  // active MDI child while that child is maximized (always, with AlwaysMerge), and shows the
  // maximized child's system menu as its first entry.
  bool AlwaysMerge() const { return alwaysMerge_; }
  void SetAlwaysMerge(bool Value) { alwaysMerge_ = Value; }
  HWND ActiveMDIChildWindow() const { return activeMDIChildWindow_; }
  bool MDIChildMaximized() const { return mdiChildMaximized_; }
  // WM_CHILDACTIVATE, WM_DESTROY and WM_MDIACTIVATE of a window inside the owner form's MDI client.
  void HandleMDIClientMessage(UINT Msg, WPARAM WParam, LPARAM LParam);
  HWND GetActiveMDIChild() const;
  void MergeChild(HWND ChildWindow, bool Merge, bool SkipMenuItems);
  void AddSystemMenuItem(HWND ChildWindow);
  void RemoveSystemMenuItem();
  TdxBarMenuMergeEvent OnMenuMerge;

  void ApplySystemFont();
  // The owner form's messages, as the window-procedure hook sees them.
  void HandleOwnerFormMessage(UINT Msg, WPARAM WParam, LPARAM LParam);
  // The owner form's window made again (a new border style) takes the bars' windows with it: the
  // shown bars are hidden as it goes and shown again as each dock's window comes back (the floating
  // ones with the first dock).
  void HideBarsForRecreation();
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void SetImageList(TCustomImageList*& Field, TCustomImageList* Value);
  // Items showing an image of the list take it again.
  void ImagesChanged();
  void ShowRecreatedBars(TdxDockControl* Dock);
  // Floating bars follow their form: shown while it is active; when it is not, hidden (with
  // HideFloatingBarsWhenInactive, or Force) unless a window of the library or the customizing
  // form took the activation.
  void UpdateFloatingBars(bool Active, bool Force, HWND ActivatedWindow);
  // The owner form's activation, deactivation of the program, and hiding.
  void FloatingBarsFollowForm(UINT Msg, WPARAM WParam, LPARAM LParam);
  // WM_HELP for the bars: the help of the selected item of the open menus (or of the item that
  // opened them), else of the item under the mouse in the bar window asked about; menus close.
  void HandleHelp(const HELPINFO& Info);

  // Fires OnClickItem.
  virtual void DoClickItem(TdxBarItem* Item);
  // Fires OnBarDockingStyleChange unless the bars are loading.
  void DoBarDockingStyleChange(TdxBar* Bar);

  // In the designer, items of the form named after the manager take its new name in front.
  void SetName(const String& NewName) override;
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  void ReadState(TReader* Reader) override;
  // Bars take their docking and visibility, categories their deferred values, docks their rows.
  void Loaded() override;
  int ReadStateCount() const { return readStateCount_; }
  bool CanReset() const { return readStateCount_ == 1 && allowReset_; }
  // The manager as it was designed, read again from the owner form's form file into a new form
  // (event handlers left out); none for a form without one.
  std::unique_ptr<TForm> CreateDesignTimeForm() const;
  // Asks the user (OK or Cancel) before the bar is reset.
  void ConfirmBarReset(TdxBar* Bar);
  // The sub items' and bars' record of used commands as designed; captions, glyphs and the links
  // the user changed stay.
  void ResetUsageData();
  // Asks the user (Yes or No, No by default) before the usage data is reset.
  void ConfirmResetUsageData();
  // The customizing form's help button: shown with ShowHelpButton, with this glyph; a press runs
  // OnHelpButtonClick, then the application's help for HelpContext when that is not 0.
  TBitmap* HelpButtonGlyph() const { return helpButtonGlyph_.get(); }
  void SetHelpButtonGlyph(TBitmap* Value);
  bool ShowHelpButton() const { return showHelpButton_; }
  void SetShowHelpButton(bool Value);
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int Value) { helpContext_ = Value; }
  void HelpButtonClick();
  TNotifyEvent OnHelpButtonClick;

  TdxBarEvent OnBarAdd;
  TdxBarEvent OnBarBeforeReset;
  TdxBarEvent OnBarAfterReset;
  TdxBarEvent OnBarDelete;
  TdxBarEvent OnBarVisibleChange;
  TdxBarEvent OnBarDockingStyleChange;
  std::function<void(TObject* Sender, TdxBarDockingStyle Style, bool& CanDocking)> OnDocking;
  TdxBarItemLinkEvent OnItemLinkAdd;
  TdxBarItemLinkEvent OnItemLinkChange;
  TdxBarItemLinkEvent OnItemLinkDelete;
  TdxBarClickItemEvent OnClickItem;

 private:
  friend class TdxBarItem;
  friend class TdxBar;
  friend class TdxBarItemLinkDrag;
  void AddItem(TdxBarItem* Item);
  void RemoveItem(TdxBarItem* Item);
  void RegisterManager();
  void UnregisterManager();
  void UpdateButtonMetrics();
  // Every bar's window lays its item controls out again with the current metrics.
  void RebuildBarControls();
  void UpdateFlatBrushes();
  void DeleteFlatBrushes();
  void FontChanged();
  // "DockControlHeights": the left and right docks' widths, the top and bottom docks' heights.
  void DefineProperties(TFiler* Filer) override;
  // An item whose category the form file gave out of range is put into the first one.
  void SettleLoadedItemCategories();
  void LoadStoredLayout();
  // After a category's items changed visibility: bars emptied by it hide, bars it hid and filled
  // again show.
  void HideOrShowEmptyBars(TdxBarItemVisible Value, const std::vector<TdxBar*>& EmptyBefore);
  // Saving at the owner form's destruction: a failure goes to the application's handler, since
  // nothing up the destroying form's call chain could take it.
  void SaveStoredLayout();

  TCustomForm* parentForm_;
  std::vector<TdxBar*> recreatedBars_;
  TCustomImageList* images_ = nullptr;
  TCustomImageList* hotImages_ = nullptr;
  TCustomImageList* largeImages_ = nullptr;
  std::unique_ptr<TChangeLink> imagesChangeLink_;
  std::unique_ptr<TChangeLink> hotImagesChangeLink_;
  std::unique_ptr<TChangeLink> largeImagesChangeLink_;
  std::vector<TdxBarItem*> items_;
  std::unique_ptr<TdxBarManagerCategories> categories_;
  std::unique_ptr<TBitmap> helpButtonGlyph_;
  bool showHelpButton_ = false;
  int helpContext_ = 0;
  std::unique_ptr<TdxBars> bars_;
  std::unique_ptr<TdxBarPopupMenuLinks> popupMenuLinks_;
  std::vector<TdxBarGroup*> groups_;
  TdxBar* mainMenuBar_ = nullptr;
  TCustomdxBarControl* keyboardBarControl_ = nullptr;
  bool hideFloatingBarsWhenInactive_ = true;
  bool formActive_ = false;
  bool floatingUpdate_ = false;
  std::unique_ptr<TFont> font_;
  HFONT fontHandle_ = nullptr;
  HBRUSH flatBrushes_[5] = {};

  bool allowCallFromAnotherForm_ = false;
  bool autoHideEmptyBars_ = false;
  bool storeInIniFile_ = false;
  bool storeInRegistry_ = false;
  String iniFileName_;
  String registryPath_;
  bool alwaysSaveText_ = false;
  bool allowReset_ = true;
  bool autoDockColor_ = true;
  TColor dockColor_ = clBtnFace;
  int buttonArrowWidth_ = 11;
  int largeButtonArrowWidth_ = 13;
  bool canCustomize_ = true;
  TColor imageListBkColor_ = clFuchsia;
  bool largeIcons_ = false;
  bool subMenuDragging_ = false;
  TdxBarMenuAnimations menuAnimations_ = maNone;
  bool menusShowRecentItemsFirst_ = true;
  int mostRecentItemsPercents_ = 95;
  int recentUseThreshold_ = 0;
  TdxBarDockingStyles notDocking_;
  bool scaled_ = true;
  bool showFullMenusAfterDelay_ = true;
  bool showHint_ = true;
  bool showHintForDisabledItems_ = true;
  bool showShortCutInHint_ = false;
  bool stretchGlyphs_ = true;
  TdxBarManagerStyle style_ = bmsStandard;
  bool useF10ForMenu_ = true;
  bool useFullReset_ = false;
  bool useSystemFont_ = false;
  int waitForDockingTime_ = 21;

  int gripOffset_ = 0;
  int gripSize_ = 0;
  int separatorIndent_ = 0;
  int glyphSize_ = 0;
  int buttonWidth_ = 0;
  int buttonHeight_ = 0;
  int arrowWidth_ = 0;

  bool alwaysMerge_ = false;
  HWND activeMDIChildWindow_ = nullptr;
  bool mdiChildMaximized_ = false;
  bool savedChildMainMenuVisible_ = true;

  bool isCustomizing_ = false;
  TdxBarItemControl* selectedItem_ = nullptr;
  TdxBarItem* draggedItem_ = nullptr;
  TdxBarItemLink* draggedLink_ = nullptr;
  bool dragging_ = false;
  bool lockUpdate_ = false;
  bool modified_ = false;
  bool applyingSystemFont_ = false;
  int readStateCount_ = 0;
};

// The process's managers; a manager adds itself at construction and leaves at destruction.
class TdxBarManagerList : public TObject {
  TRENVIK_CLASS(TdxBarManagerList, TObject);

 public:
  TdxBarManagerList() = default;
  // Frees every manager still in the list.
  ~TdxBarManagerList() override;
  int Count() const { return static_cast<int>(managers_.size()); }
  TdxBarManager* Items(int Index) const;
  // The first manager that customizes or designs.
  TdxBarManager* CustomizingManager() const;
  void Add(TdxBarManager* Manager);
  void Remove(TdxBarManager* Manager);

 private:
  std::vector<TdxBarManager*> managers_;
};

namespace dxbars_internal {
// The thread hooks that bring keys, mouse and the owner forms' messages to the managers; installed
// with the first manager and removed with the last.
void InstallBarHooks();
void RemoveBarHooks();
bool BarHooksInstalled();
// WM_CHILDACTIVATE, WM_DESTROY and WM_MDIACTIVATE of a window inside an "MDICLIENT" go to the
// manager of the client's form (HandleMDIClientMessage).
void DeliverMDIClientMessage(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);
}  // namespace dxbars_internal
