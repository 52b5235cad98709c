// The "Customize" dialog shown while a bar manager customizes: toolbars switched on and off,
// created, renamed, deleted and reset; commands by category, dragged onto bars and menus; the
// manager's personalisation and display options. One form at a time, for one manager.
#pragma once

#include <vector>

#include "dx/bars/dxBarManager.h"
#include "platform/forms/BitBtn.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/StdCtrls.h"

class TdxBar;
class TdxBarAllCommandsListBox;
class TdxBarGroup;
class TdxBarCheckableButton;
class TdxBarDesignMenu;

// The toolbars with a box each showing whether the bar is visible (drawn disabled for a bar that
// cannot be closed).
class TdxBarToolbarsListBox : public TCustomListBox {
  TRENVIK_CLASS(TdxBarToolbarsListBox, TCustomListBox);

 public:
  TdxBarToolbarsListBox(TComponent* AOwner, TdxBarManager* Manager);
  TdxBar* Bars(int Index);
  // Shows or hides the bar of the entry; beeps for a bar that cannot be closed.
  void ToggleEntry(int Index);
  // The width of the box column (an entry's height).
  int BoxWidth() { return ItemHeight(); }

 protected:
  void DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;

 private:
  TdxBarManager* manager_;
};

// The commands of one category, drawn as they look in a bar; a press and a drag take one out.
class TdxBarCommandsListBox : public TCustomListBox {
  TRENVIK_CLASS(TdxBarCommandsListBox, TCustomListBox);

 public:
  TdxBarCommandsListBox(TComponent* AOwner, TdxBarManager* Manager);
  TdxBarItem* Commands(int Index);

 protected:
  void DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) override;
  void MeasureItem(int Index, int& Height) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  TdxBarManager* manager_;
};

class TdxBarCustomizingForm : public TForm {
  TRENVIK_CLASS(TdxBarCustomizingForm, TForm);

 public:
  explicit TdxBarCustomizingForm(TdxBarManager* Manager);
  ~TdxBarCustomizingForm() override;

  TdxBarManager* BarManager() const { return manager_; }

  TPageControl* PageControl;
  TTabSheet* TabSheet1;
  TTabSheet* TabSheet2;
  TTabSheet* TabSheet3;
  TButton* BClose;
  TBitBtn* BHelp;
  // Toolbars.
  TLabel* LabelToobars;
  TdxBarToolbarsListBox* BarsListBox;
  TButton* BBarNew;
  TButton* BBarRename;
  TButton* BBarDelete;
  TButton* BBarReset;
  // Commands.
  TLabel* LabelCategories;
  TListBox* LCategories;
  TLabel* LabelCommands;
  TdxBarCommandsListBox* LCommands;
  TLabel* LabelDescription;
  TLabel* DescriptionLabel;
  // Design time: the buttons that drop the categories' and the commands' menus down.
  TdxBarCheckableButton* CategoriesPopupButton = nullptr;
  TdxBarCheckableButton* CommandsPopupButton = nullptr;
  // Options: the standard style's panel and the personalised styles' panel.
  TPanel* StandardOptionsPanel;
  TPanel* EnhancedOptionsPanel;
  TCheckBox* CBLargeIcons;
  TCheckBox* CBHint1;
  TCheckBox* CBHint2;
  TComboBox* ComboBoxMenuAnimations;
  TCheckBox* CBMenusShowRecentItemsFirst;
  TCheckBox* CBShowFullMenusAfterDelay;
  TButton* BResetUsageData;
  TCheckBox* CBLargeIconsEx;
  TCheckBox* CBHint1Ex;
  TCheckBox* CBHint2Ex;
  TComboBox* ComboBoxMenuAnimationsEx;
  // Design time: every command with its short cut, and the groups with their members.
  TTabSheet* TabSheet4;
  TTabSheet* TabSheet5;
  TdxBarAllCommandsListBox* LAllCommands;
  TCheckBox* CBShowCommandsWithShortCut;
  TListBox* lbGroups;
  TButton* btnGroupAdd;
  TButton* btnGroupDelete;
  TListBox* lbGroupItems;
  TButton* btnGroupItemAdd;
  TButton* btnGroupItemDelete;
  TBitBtn* btnMoveUp;
  TBitBtn* btnMoveDown;

  // The first number n >= 1 for which no bar is named the prefix ("Custom ") followed by n.
  static String ProposeToolbarName(const TdxBarManager* Manager);

  void RefreshBars();
  void UpdateBarButtons();
  void RefreshCategories();
  void RefreshCommands();
  void RefreshOptions();
  void StyleChanged();
  void ItemChanged();
  void RefreshHelpButton();
  void BarChanged(TdxBar* Bar);
  void NewToolbar();
  void RenameToolbar();
  void DeleteToolbar();
  // Design time: a new command from the add-item dialog, in the selected category, selected.
  void AddCommand();
  void ItemsChanged();
  void RefreshAllCommands();
  // Brings the current page up to date (button states, lists).
  void RefreshPage();

  // Design time, groups (dxBarCustomizingGroups.cpp).
  void RefreshGroups();
  void RefreshGroupItems();
  void UpdateGroupButtons();
  void AddGroup();
  void DeleteGroup();
  void AddGroupItems();
  void DeleteGroupItems();
  // Moves the selected members one place (Delta -1 or 1), or the selected group while the groups
  // list has the focus.
  void MoveGroupSelection(int Delta);

  // Design time, categories (dxBarCustomizingCategories.cpp): the menu with the states of the
  // moment, and what its entries do.
  TdxBarDesignMenu* MakeCategoriesMenu();
  void AddCategory();
  void InsertCategory();
  void RenameCategory();
  void DeleteCategory();
  void ToggleCategoryVisible();
  void SetCategoryItemsVisible(TdxBarItemVisible Value);

  // Design time, commands (dxBarCustomizingCommands.cpp).
  TdxBarDesignMenu* MakeCommandsMenu();
  void DeleteCommand();
  void ClearCommands();
  // Exchanges the selected command with its neighbour (Delta -1 or 1) in the manager's item order.
  void MoveCommand(int Delta);
  void EditSubMenu();

  // A control put on Parent at the bounds, with the caption when one is given.
  template <class T>
  static T* Place(T* Control, TWinControl* Parent, int Left, int Top, int Width, int Height,
                  const String& Caption = String()) {
    Control->SetParent(Parent);
    Control->SetBounds(Left, Top, Width, Height);
    if (!Caption.empty()) Control->SetCaption(Caption);
    return Control;
  }

 protected:
  void CreateParams(TCreateParams& Params) override;

 private:
  TRENVIK_MESSAGES(TdxBarCustomizingForm);
  // The owner form keeps its active look; coming back, the page shows what changed meanwhile.
  void WMActivate(TMessage& Message);
  TTabSheet* AddPage(const String& Caption);
  void BuildToolbarsPage();
  void BuildCommandsPage();
  void BuildOptionsPage();
  void BuildAllCommandsPage();
  void BuildGroupsPage();
  TdxBarGroup* SelectedGroup();
  void SelectGroup(int Index);
  // The members selected in the items list, in their order.
  std::vector<int> SelectedMembers();
  void SelectMembers(const std::vector<int>& Indexes);
  // The options every style shows, from Top down in Panel; the personalised panel has them too.
  struct TDisplayOptions {
    TCheckBox* LargeIcons;
    TCheckBox* Hint1;
    TCheckBox* Hint2;
    TComboBox* Animations;
  };
  TDisplayOptions AddDisplayOptions(TPanel* Panel, int Top);
  TdxBar* SelectedBar();
  int SelectedCategory();
  TdxBarItem* SelectedCommand();
  // Refills the categories and selects the entry at Index (clamped), with its commands.
  void FillCategories(int Index);
  void SelectCommandOf(TdxBarItem* Item);
  void BuildDesignTimeCommands();
  void CategoriesMouseDown(TMouseButton Button, int X, int Y);
  void CategoriesMouseMove(int X, int Y);
  void CommandsKeyDown(WORD& Key, TShiftState Shift);
  // Deletes the items (the commands list refilled whatever happens).
  void DeleteCommands(const std::vector<TdxBarItem*>& Items);

  TdxBarManager* manager_;
  bool closing_ = false;
  bool refreshingOptions_ = false;
  bool deletingCommands_ = false;
  // The category dragged within its list, or -1.
  int draggedCategory_ = -1;
  // Which list of the groups page has the focus: move and the keys act on it.
  bool groupsFocused_ = true;
};

// Shows (creating it for the manager) or frees the one customizing form; showing disables every
// manager's owner form, freeing enables them again.
void ShowCustomizingForm(TdxBarManager* Manager, bool Show);
TdxBarCustomizingForm* GetCustomizingForm();
// Refreshes of the open form (nothing without one).
void CustomizingFormOptionsChanged();
// The manager's style: the options page and the commands' look.
void CustomizingFormStyleChanged();
// An item's caption or description: the lists show it anew.
void CustomizingFormItemChanged();
void CustomizingFormHelpButtonChanged();
void CustomizingFormBarChanged(TdxBar* Bar);
void CustomizingFormItemsChanged();
// The owner form of the customizing manager shown or hidden (SWP_ flags): the form goes with it.
void CustomizingFormFollowOwnerForm(TdxBarManager* Manager, UINT Flags);

struct MOUSEHOOKSTRUCT;
// The mouse hook's part: a message for the disabled owner form of a customizing manager goes to
// the bar window under the cursor; true when it was taken (and is to be discarded).
bool RedirectToCustomizedBar(WPARAM Message, const MOUSEHOOKSTRUCT& Info);
