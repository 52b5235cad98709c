// The customizing form at design time, driven by simulated input: categories and commands edited
// through their menus, keys and drags.
#include "dx/bars/dxBarAddGroupItems.h"
#include "dx/bars/dxBarAllCommandsListBox.h"
#include "dx/bars/dxBarCategories.h"
#include "dx/bars/dxBarCheckableButton.h"
#include "dx/bars/dxBarCombo.h"
#include "dx/bars/dxBarCustomizingForm.h"
#include "dx/bars/dxBarCustomizingStrs.h"
#include "dx/bars/dxBarDesignMenu.h"
#include "dx/bars/dxBarGroup.h"
#include "dx/bars/dxBarSubItem.h"
#include "dx/bars/dxBarSubMenuEditor.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"
#include "platform/forms/Menus.h"
#include "platform/win/Shell.h"

namespace {

class DxBarCustomizingDesignTest : public DxBarUiTest {
 protected:
  void SetUp() override {
    DxBarUiTest::SetUp();
    SetMessageBoxHook([this](const String& Text, const String&, UINT) {
      messages.push_back(Text);
      return answer;
    });
    manager->Categories()->Add(u"Edit");
    tools = MakeFloatingBar(20, 20, {u"Open", u"Save", u"Close"});
    cut = NewItem(u"Cut", 1);
    recent = new TdxBarSubItem(form);
    recent->SetCaption(u"Recent");
    recent->SetCategory(1);
    manager->SetDesigning(true, false);
    manager->SetCustomizing(true);
    Pump();
    customizing = GetCustomizingForm();
    ASSERT_NE(customizing, nullptr);
    customizing->PageControl->SetActivePage(customizing->TabSheet2);
    Pump();
  }
  void TearDown() override {
    if (TdxBarDesignMenu* menu = OpenDesignMenu()) menu->CloseMenu();
    manager->SetCustomizing(false);
    Pump();
    manager->SetDesigning(false, false);
    SetMessageBoxHook(nullptr);
    DxBarUiTest::TearDown();
  }

  TdxBarButton* NewItem(const String& Caption, int Category) {
    auto* button = new TdxBarButton(form);
    button->SetCaption(Caption);
    button->SetCategory(Category);
    return button;
  }
  std::vector<String> Categories() const {
    std::vector<String> names;
    for (int i = 0; i < manager->Categories()->Count(); ++i) names.push_back(manager->Categories()->Strings(i));
    return names;
  }
  std::vector<String> ListedCommands() const {
    std::vector<String> captions;
    for (int i = 0; i < customizing->LCommands->Count(); ++i)
      captions.push_back(customizing->LCommands->Commands(i)->Caption());
    return captions;
  }
  void SelectCategory(int Index) {
    RECT r = customizing->LCategories->ItemRect(Index);
    ClickAt(customizing->LCategories->ClientToScreen(CentreOf(r)));
  }
  void SelectCommand(int Index) {
    RECT r = customizing->LCommands->ItemRect(Index);
    ClickAt(customizing->LCommands->ClientToScreen(CentreOf(r)));
  }
  static POINT CentreOnScreen(TControl* Control) {
    return Control->ClientToScreen(POINT{Control->Width() / 2, Control->Height() / 2});
  }
  // Drops the menu down from its modify button.
  TdxBarDesignMenu* DropDown(TdxBarCheckableButton* Button) {
    ClickAt(CentreOnScreen(Button));
    return OpenDesignMenu();
  }
  // Clicks the entry of the open menu showing the text of that id.
  void ClickEntry(int TextId) {
    TdxBarDesignMenu* menu = OpenDesignMenu();
    ASSERT_NE(menu, nullptr);
    for (int i = 0; i < menu->ItemLinks()->Count(); ++i) {
      TdxBarItemLink* link = menu->ItemLinks()->Items(i);
      if (link->Item()->Tag() != TextId) continue;
      clock->Advance(1000);
      SimulateClick(TSimButton::Left, menu->ClientToScreen(CentreOf(link->ItemRect())));
      return;
    }
    FAIL() << "no entry " << TextId;
  }
  // Whether each entry of the menu is enabled, by text id.
  static std::vector<bool> EnabledEntries(TdxBarDesignMenu* Menu, std::initializer_list<int> Ids) {
    std::vector<bool> enabled;
    for (int id : Ids) enabled.push_back(Menu->EntryOf(id) && Menu->EntryOf(id)->Enabled());
    return enabled;
  }

  TdxBar* tools = nullptr;
  TdxBarButton* cut = nullptr;
  TdxBarSubItem* recent = nullptr;
  TdxBarCustomizingForm* customizing = nullptr;
  std::vector<String> messages;
  int answer = IDOK;
};

TEST_F(DxBarCustomizingDesignTest, CategoriesAreAddedInsertedRenamedAndDeletedThroughTheModifyMenu) {
  ASSERT_NE(customizing->CategoriesPopupButton, nullptr);
  // Add: the name dialog opens empty; the new category comes last and is selected.
  ASSERT_NE(DropDown(customizing->CategoriesPopupButton), nullptr);
  EXPECT_TRUE(customizing->CategoriesPopupButton->Down());
  ClickEntry(dxSBAR_ADD);
  SimulateText(u"View");
  SimulateKeyPress(VK_RETURN);
  Pump();
  EXPECT_FALSE(customizing->CategoriesPopupButton->Down());
  EXPECT_EQ(Categories(), (std::vector<String>{u"Default", u"Edit", u"View"}));
  EXPECT_EQ(customizing->LCategories->ItemIndex(), 2);

  // Insert before "Edit": its items keep their category.
  SelectCategory(1);
  DropDown(customizing->CategoriesPopupButton);
  ClickEntry(dxSBAR_INSERT);
  SimulateText(u"Format");
  SimulateKeyPress(VK_RETURN);
  Pump();
  EXPECT_EQ(Categories(), (std::vector<String>{u"Default", u"Format", u"Edit", u"View"}));
  EXPECT_EQ(cut->Category(), 2);
  EXPECT_EQ(customizing->LCategories->Items()->Strings(1), u"Format");

  // Rename starts from the current name.
  SelectCategory(2);
  DropDown(customizing->CategoriesPopupButton);
  ClickEntry(dxSBAR_RENAME);
  SimulateKeyPress(VK_END);
  SimulateText(u"ing");
  SimulateKeyPress(VK_RETURN);
  Pump();
  EXPECT_EQ(manager->Categories()->Strings(2), u"Editing");
  EXPECT_EQ(customizing->LCategories->Items()->Strings(2), u"Editing");

  // Delete asks; cancelled, nothing goes; confirmed, the category and its items go and the next
  // category is selected.
  answer = IDCANCEL;
  DropDown(customizing->CategoriesPopupButton);
  ClickEntry(dxSBAR_DELETE);
  Pump();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], u"Are you sure you want to delete the 'Editing' category?");
  EXPECT_EQ(manager->Categories()->Count(), 4);
  answer = IDOK;
  const int items = manager->ItemCount();
  DropDown(customizing->CategoriesPopupButton);
  ClickEntry(dxSBAR_DELETE);
  Pump();
  EXPECT_EQ(Categories(), (std::vector<String>{u"Default", u"Format", u"View"}));
  EXPECT_EQ(manager->ItemCount(), items - 2);  // Cut and Recent
  EXPECT_EQ(customizing->LCategories->ItemIndex(), 2);
}

TEST_F(DxBarCustomizingDesignTest, TheCategoriesMenuShowsTheStateOfTheCategoryUnderTheRightButton) {
  manager->SetCategoryItemsVisible(1, ivInCustomizing);
  RECT edit = customizing->LCategories->ItemRect(1);
  clock->Advance(1000);
  SimulateClick(TSimButton::Right, customizing->LCategories->ClientToScreen(CentreOf(edit)));
  Pump();
  EXPECT_EQ(customizing->LCategories->ItemIndex(), 1);
  EXPECT_EQ(ListedCommands(), (std::vector<String>{u"Cut", u"Recent"}));
  TdxBarDesignMenu* menu = OpenDesignMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(EnabledEntries(menu, {dxSBAR_ADD, dxSBAR_INSERT, dxSBAR_RENAME, dxSBAR_VISIBLE, dxSBAR_DELETE}),
            (std::vector<bool>{true, true, true, true, true}));
  EXPECT_TRUE(static_cast<TdxBarButton*>(menu->EntryOf(dxSBAR_VISIBLE))->Down());
  auto* itemsVisible = static_cast<TdxBarCombo*>(menu->EntryOf(-1));
  ASSERT_NE(itemsVisible, nullptr);
  EXPECT_EQ(itemsVisible->ItemIndex(), static_cast<int>(ivInCustomizing));
  EXPECT_EQ(itemsVisible->Items()->Count(), 3);

  // Choosing in the list sets the category's items' visibility; Visible switches the category.
  itemsVisible->SetItemIndex(static_cast<int>(ivNever));
  EXPECT_EQ(manager->GetCategoryItemsVisible(1), ivNever);
  EXPECT_EQ(cut->Visible(), ivNever);
  ClickEntry(dxSBAR_VISIBLE);
  Pump();
  EXPECT_FALSE(manager->GetCategoryVisible(1));

  // The last category cannot be deleted.
  manager->DeleteCategory(1);
  customizing->RefreshCategories();
  menu = DropDown(customizing->CategoriesPopupButton);
  ASSERT_NE(menu, nullptr);
  EXPECT_FALSE(menu->EntryOf(dxSBAR_DELETE)->Enabled());
}

TEST_F(DxBarCustomizingDesignTest, InsertAndDeleteKeysInTheCategoriesAndACategoryDraggedMovesWithItsItems) {
  customizing->LCategories->SetFocus();
  customizing->LCategories->SetItemIndex(1);
  Pump();
  SimulateKeyPress(VK_INSERT);
  SimulateText(u"Tools");
  SimulateKeyPress(VK_RETURN);
  Pump();
  EXPECT_EQ(Categories(), (std::vector<String>{u"Default", u"Tools", u"Edit"}));

  // "Edit" dragged onto the first place: the list and the manager follow the mouse.
  RECT from = customizing->LCategories->ItemRect(2);
  RECT to = customizing->LCategories->ItemRect(0);
  SimulateMouseDown(TSimButton::Left, customizing->LCategories->ClientToScreen(CentreOf(from)));
  Pump();
  MoveTo(customizing->LCategories->ClientToScreen(CentreOf(customizing->LCategories->ItemRect(1))));
  EXPECT_EQ(Categories(), (std::vector<String>{u"Default", u"Edit", u"Tools"}));
  MoveTo(customizing->LCategories->ClientToScreen(CentreOf(to)));
  SimulateMouseUp(TSimButton::Left, customizing->LCategories->ClientToScreen(CentreOf(to)));
  Pump();
  EXPECT_EQ(Categories(), (std::vector<String>{u"Edit", u"Default", u"Tools"}));
  EXPECT_EQ(cut->Category(), 0);
  EXPECT_EQ(tools->ItemLinks()->Items(0)->Item()->Category(), 1);
  EXPECT_EQ(customizing->LCategories->ItemIndex(), 0);
  // A move without the button does not drag.
  MoveTo(customizing->LCategories->ClientToScreen(CentreOf(customizing->LCategories->ItemRect(2))));
  EXPECT_EQ(Categories(), (std::vector<String>{u"Edit", u"Default", u"Tools"}));

  SimulateKeyPress(VK_DELETE);
  Pump();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(Categories(), (std::vector<String>{u"Default", u"Tools"}));
}

TEST_F(DxBarCustomizingDesignTest, TheCommandsMenuFollowsTheSelection) {
  struct TCase {
    int category;
    int command;  // -1: none selected
    std::vector<bool> enabled;  // Delete, Clear, Move Up, Move Down, SubMenu Editor
  };
  const TCase cases[] = {
      {0, -1, {false, true, false, false, false}},
      {0, 0, {true, true, false, true, false}},
      {0, 2, {true, true, true, false, false}},
      {1, 1, {true, true, true, false, true}},  // the sub item
  };
  for (const TCase& c : cases) {
    customizing->LCategories->SetItemIndex(c.category);
    customizing->RefreshCommands();
    customizing->LCommands->SetItemIndex(c.command);
    TdxBarDesignMenu* menu = customizing->MakeCommandsMenu();
    EXPECT_EQ(EnabledEntries(menu, {dxSBAR_DELETE, dxSBAR_CLEAR, dxSBAR_MOVEUP, dxSBAR_MOVEDOWN, dxSBAR_SUBMENUEDITOR}),
              c.enabled)
        << c.category << "/" << c.command;
    EXPECT_TRUE(menu->EntryOf(dxSBAR_ADD)->Enabled());
    delete menu;
  }
  // An empty category has nothing to clear.
  manager->Categories()->Add(u"Empty");
  customizing->LCategories->Items()->AddObject(u"Empty", reinterpret_cast<TObject*>(2));
  customizing->LCategories->SetItemIndex(2);
  customizing->RefreshCommands();
  TdxBarDesignMenu* menu = customizing->MakeCommandsMenu();
  EXPECT_FALSE(menu->EntryOf(dxSBAR_CLEAR)->Enabled());
  delete menu;
}

TEST_F(DxBarCustomizingDesignTest, CommandsMoveWithCtrlArrowsAndAreDeletedWithTheirLinks) {
  SelectCommand(0);
  customizing->LCommands->SetFocus();
  Pump();
  SimulateKeyPress(VK_DOWN, 2);
  Pump();
  EXPECT_EQ(ListedCommands(), (std::vector<String>{u"Save", u"Open", u"Close"}));
  EXPECT_EQ(customizing->LCommands->ItemIndex(), 1);
  SimulateKeyPress(VK_DOWN, 2);
  Pump();
  EXPECT_EQ(ListedCommands(), (std::vector<String>{u"Save", u"Close", u"Open"}));
  // The manager's order changed, the bar's did not.
  EXPECT_EQ(manager->Items(2)->Caption(), u"Open");
  EXPECT_EQ(tools->ItemLinks()->Items(0)->Item()->Caption(), u"Open");
  SimulateKeyPress(VK_DOWN, 2);  // the last does not move
  SimulateKeyPress(VK_UP, 2);
  Pump();
  EXPECT_EQ(ListedCommands(), (std::vector<String>{u"Save", u"Open", u"Close"}));

  // Delete frees the selected item; its link leaves the bar.
  SimulateKeyPress(VK_DELETE);
  Pump();
  EXPECT_EQ(ListedCommands(), (std::vector<String>{u"Save", u"Close"}));
  EXPECT_EQ(customizing->LCommands->ItemIndex(), 1);
  ASSERT_EQ(tools->ItemLinks()->Count(), 2);
  EXPECT_EQ(tools->ItemLinks()->Items(1)->Item()->Caption(), u"Close");
  EXPECT_TRUE(manager->Modified());
}

TEST_F(DxBarCustomizingDesignTest, ClearAsksAndDeletesTheCategorysCommandsOnly) {
  SelectCategory(1);
  answer = IDCANCEL;
  RECT r = customizing->LCommands->ItemRect(0);
  clock->Advance(1000);
  SimulateClick(TSimButton::Right, customizing->LCommands->ClientToScreen(CentreOf(r)));
  Pump();
  ClickEntry(dxSBAR_CLEAR);
  Pump();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], u"Are you sure you want to delete all commands in the 'Edit' category?");
  EXPECT_EQ(ListedCommands(), (std::vector<String>{u"Cut", u"Recent"}));
  answer = IDOK;
  DropDown(customizing->CommandsPopupButton);
  ClickEntry(dxSBAR_CLEAR);
  Pump();
  EXPECT_TRUE(ListedCommands().empty());
  EXPECT_EQ(manager->GetItemsByCategory(0).size(), 3u);
  EXPECT_EQ(manager->GetItemsByCategory(1).size(), 0u);
}

TEST_F(DxBarCustomizingDesignTest, TheSubMenuEditorOpensForASelectedSubItem) {
  SelectCategory(1);
  SelectCommand(1);
  DropDown(customizing->CommandsPopupButton);
  ClickEntry(dxSBAR_SUBMENUEDITOR);
  Pump();
  ASSERT_NE(GetSubMenuEditor(), nullptr);
  EXPECT_EQ(GetSubMenuEditor()->ItemLinks(), recent->ItemLinks());
}

TEST_F(DxBarCustomizingDesignTest, ThePressThatClosesTheMenuOnItsButtonDoesNotOpenItAgain) {
  TdxBarCheckableButton* button = customizing->CommandsPopupButton;
  POINT corner = button->ClientToScreen(POINT{0, 0});
  // Under the mouse in the active form: a raised edge, its top line in the highlight colour.
  ASSERT_EQ(GetActiveWindow(), customizing->Handle());
  EXPECT_EQ(ScreenPixel(corner.x + 3, corner.y), GetSysColor(COLOR_BTNFACE));
  MoveTo(CentreOnScreen(button));
  Application->DoMouseIdle();  // the mouse enters controls at the idle check
  Pump();
  EXPECT_EQ(ScreenPixel(corner.x + 3, corner.y), GetSysColor(COLOR_BTNHIGHLIGHT));
  ASSERT_NE(DropDown(button), nullptr);
  EXPECT_TRUE(button->Down());
  KeepCheckedScreen("modify-down");
  // The sunken edge: its top-left line in the shadow colour.
  EXPECT_EQ(ScreenPixel(corner.x + 3, corner.y), GetSysColor(COLOR_BTNSHADOW));
  // The menu drops down below the button.
  TdxBarDesignMenu* menu = OpenDesignMenu();
  RECT menuRect;
  GetWindowRect(menu->Handle(), &menuRect);
  EXPECT_EQ(menuRect.top, corner.y + button->Height());
  EXPECT_EQ(menuRect.left, corner.x);

  // Pressed and released as a hand does: the button is still down when the menu closes.
  clock->Advance(1000);
  SimulateMouseDown(TSimButton::Left, CentreOnScreen(button));
  Pump();
  SimulateMouseUp(TSimButton::Left, CentreOnScreen(button));
  Pump();
  EXPECT_EQ(OpenDesignMenu(), nullptr);
  EXPECT_FALSE(button->Down());
  ClickAt(CentreOnScreen(button));
  EXPECT_NE(OpenDesignMenu(), nullptr);
  EXPECT_TRUE(button->Down());
}

TEST_F(DxBarCustomizingDesignTest, AllCommandsListsNameCaptionAndShortCutInColumnsDrawnToTheBottom) {
  tools->ItemLinks()->Items(0)->Item()->SetName(u"OpenCommand");
  tools->ItemLinks()->Items(1)->Item()->SetName(u"Save");
  tools->ItemLinks()->Items(1)->Item()->SetShortCut(scCtrl + 'S');
  cut->SetName(u"CutIt");
  recent->SetName(u"RecentFiles");
  EXPECT_TRUE(customizing->TabSheet4->TabVisible());
  EXPECT_TRUE(customizing->TabSheet5->TabVisible());
  customizing->PageControl->SetActivePage(customizing->TabSheet4);
  customizing->RefreshPage();
  Pump();
  TdxBarAllCommandsListBox* list = customizing->LAllCommands;
  // The sub item has no short cut of its own: listed only when the box is cleared.
  auto names = [list] {
    std::vector<String> result;
    for (int i = 0; i < list->Count(); ++i) result.push_back(list->Commands(i)->Name());
    return result;
  };
  EXPECT_EQ(names(), (std::vector<String>{u"OpenCommand", u"Save", u"", u"CutIt"}));
  ClickAt(customizing->CBShowCommandsWithShortCut->ClientToScreen(POINT{6, 8}));
  EXPECT_FALSE(customizing->CBShowCommandsWithShortCut->Checked());
  EXPECT_EQ(names(), (std::vector<String>{u"OpenCommand", u"Save", u"", u"CutIt", u"RecentFiles"}));

  // Columns: a line 10 pixels after the widest name, the captions 5 after it.
  TCanvas* canvas = list->Canvas();
  const int widestName = canvas->TextWidth(u"RecentFiles");
  const int widestCaption = canvas->TextWidth(u"Recent");
  const int widestShortCut = canvas->TextWidth(ShortCutToText(scCtrl + 'S'));
  EXPECT_EQ(list->FirstLine(), 5 + widestName + 10);
  EXPECT_EQ(list->SecondLine(), list->FirstLine() + 5 + widestCaption + 10);
  EXPECT_EQ(list->ScrollWidth(), widestName + widestCaption + widestShortCut + 30);
  KeepCheckedScreen("all-commands");
  POINT origin = list->ClientToScreen(POINT{0, 0});
  const COLORREF line = GetSysColor(COLOR_WINDOWTEXT);
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  const int belowRows = list->ItemRect(list->Count() - 1).bottom + 20;
  for (int y : {list->ItemRect(1).top + 1, belowRows}) {
    EXPECT_EQ(ScreenPixel(origin.x + list->FirstLine(), origin.y + y), line) << y;
    EXPECT_EQ(ScreenPixel(origin.x + list->SecondLine(), origin.y + y), line) << y;
    EXPECT_EQ(ScreenPixel(origin.x + list->FirstLine() + 2, origin.y + y), window) << y;
  }
  // The caption column: text pixels start 5 after the line.
  RECT save = list->ItemRect(1);
  bool inked = false;
  for (int x = list->FirstLine() + 1; x < list->FirstLine() + 5; ++x)
    for (int y = save.top; y < save.bottom; ++y) inked = inked || ScreenPixel(origin.x + x, origin.y + y) != window;
  EXPECT_FALSE(inked);
}

TEST_F(DxBarCustomizingDesignTest, GroupsAreAddedWithFreeNamesAndDeletedSelectingTheNext) {
  customizing->PageControl->SetActivePage(customizing->TabSheet5);
  Pump();
  auto* taken = new TComponent(form);
  taken->SetName(u"dxBarGroup1");
  ClickAt(CentreOnScreen(customizing->btnGroupAdd));
  ClickAt(CentreOnScreen(customizing->btnGroupAdd));
  ClickAt(CentreOnScreen(customizing->btnGroupAdd));
  ASSERT_EQ(manager->GroupCount(), 3);
  EXPECT_EQ(manager->Groups(0)->Name(), u"dxBarGroup2");
  EXPECT_EQ(manager->Groups(2)->Name(), u"dxBarGroup4");
  EXPECT_EQ(customizing->lbGroups->ItemIndex(), 2);
  EXPECT_TRUE(manager->Modified());

  // Delete with the key in the groups list: the next, or at the end the previous, is selected.
  customizing->lbGroups->SetItemIndex(1);
  customizing->RefreshGroupItems();
  customizing->lbGroups->SetFocus();
  Pump();
  Key(VK_DELETE);
  EXPECT_EQ(customizing->lbGroups->Items()->Strings(customizing->lbGroups->ItemIndex()), u"dxBarGroup4");
  Key(VK_DELETE);
  ASSERT_EQ(manager->GroupCount(), 1);
  EXPECT_EQ(customizing->lbGroups->ItemIndex(), 0);
  // Insert adds one.
  Key(VK_INSERT);
  EXPECT_EQ(manager->GroupCount(), 2);
  delete taken;
}

TEST_F(DxBarCustomizingDesignTest, GroupMembersAreAddedFromTheDialogRemovedAndMovedKeepingTheirOrder) {
  auto* group = new TdxBarGroup(form);
  group->SetName(u"Editing");
  auto* other = new TdxBarGroup(form);
  other->SetName(u"Other");
  TdxBarItem* open = tools->ItemLinks()->Items(0)->Item();
  TdxBarItem* save = tools->ItemLinks()->Items(1)->Item();
  TdxBarItem* close = tools->ItemLinks()->Items(2)->Item();
  for (TdxBarItem* item : {open, save, close}) item->SetName(item->Caption() + u"Cmd");
  cut->SetName(u"CutCmd");
  customizing->PageControl->SetActivePage(customizing->TabSheet5);
  customizing->RefreshGroups();
  Pump();
  EXPECT_FALSE(customizing->btnGroupItemDelete->Enabled());

  // Add...: the dialog's choice (the other group and Cut) is appended.
  Screen->OnActiveFormChange = [&](TObject*) {
    auto* dialog = dynamic_cast<TfrmAddGroupItems*>(Screen->ActiveForm());
    if (!dialog) return;
    TStrings* rows = dialog->lbGroupItems->Items();
    for (TObject* chosen : {static_cast<TObject*>(other), static_cast<TObject*>(open), static_cast<TObject*>(save),
                            static_cast<TObject*>(close), static_cast<TObject*>(cut)})
      dialog->lbGroupItems->SetSelected(rows->IndexOfObject(chosen), true);
    SimulateKeyPress(VK_RETURN);
  };
  ClickAt(CentreOnScreen(customizing->btnGroupItemAdd));
  Screen->OnActiveFormChange = nullptr;
  Pump();
  ASSERT_EQ(group->Count(), 5);
  auto members = [group] {
    std::vector<String> names;
    for (int i = 0; i < group->Count(); ++i) names.push_back(group->Items(i)->Name());
    return names;
  };
  EXPECT_EQ(members(), (std::vector<String>{u"Other", u"OpenCmd", u"SaveCmd", u"CloseCmd", u"CutCmd"}));

  // Two separate members moved down together keep their order; at the end they stop.
  customizing->lbGroupItems->SetFocus();
  customizing->lbGroupItems->ClearSelection();
  customizing->lbGroupItems->SetSelected(1, true);
  customizing->lbGroupItems->SetSelected(3, true);
  customizing->UpdateGroupButtons();
  Pump();
  ClickAt(CentreOnScreen(customizing->btnMoveDown));
  EXPECT_EQ(members(), (std::vector<String>{u"Other", u"SaveCmd", u"OpenCmd", u"CutCmd", u"CloseCmd"}));
  EXPECT_FALSE(customizing->btnMoveDown->Enabled());
  ClickAt(CentreOnScreen(customizing->btnMoveUp));
  ClickAt(CentreOnScreen(customizing->btnMoveUp));
  EXPECT_EQ(members(), (std::vector<String>{u"OpenCmd", u"Other", u"CloseCmd", u"SaveCmd", u"CutCmd"}));
  EXPECT_FALSE(customizing->btnMoveUp->Enabled());

  // Delete removes the selected members and selects the first one left after them.
  ClickAt(CentreOnScreen(customizing->btnGroupItemDelete));
  EXPECT_EQ(members(), (std::vector<String>{u"Other", u"SaveCmd", u"CutCmd"}));
  ASSERT_EQ(customizing->lbGroupItems->SelCount(), 1);
  EXPECT_TRUE(customizing->lbGroupItems->Selected(1));

  // With the groups list focused, the buttons move the group.
  customizing->lbGroups->SetFocus();
  customizing->lbGroups->SetItemIndex(0);
  customizing->RefreshGroupItems();
  Pump();
  ClickAt(CentreOnScreen(customizing->btnMoveDown));
  EXPECT_EQ(manager->Groups(1), group);
  EXPECT_EQ(customizing->lbGroups->ItemIndex(), 1);
}

TEST_F(DxBarCustomizingDesignTest, AMenuOpenWhenCustomizingEndsGoesWithTheForm) {
  ASSERT_NE(DropDown(customizing->CategoriesPopupButton), nullptr);
  manager->SetCustomizing(false);
  Pump();
  EXPECT_EQ(GetCustomizingForm(), nullptr);
  EXPECT_EQ(OpenDesignMenu(), nullptr);
}

}  // namespace
