// The demonstration form read from its form file, used as a person would: keys, clicks, drags.
#include "dx/bars/dxBarDockControl.h"
#include "dx/bars/dxBarGroup.h"
#include "dx/bars/dxBarSubMenuControl.h"
#include "dx/bars/tests/dxBarDemoUiTest.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Help.h"

namespace {

class DxBarDemoFormTest : public DxBarDemoUiTest {};

TEST_F(DxBarDemoFormTest, TheFormFileBuildsTheBarsWhereTheyWereDesigned) {
  ASSERT_NE(manager, nullptr);
  EXPECT_EQ(manager->ReadStateCount(), 1);
  EXPECT_EQ(manager->MainMenuBar(), demo->Bar(u"Main Menu"));
  TdxDockControl* top = manager->Bars()->DockControls(dsTop);
  ASSERT_EQ(top->RowCount(), 2);
  EXPECT_EQ(top->RowOf(demo->Bar(u"Main Menu")->Control()), 0);
  EXPECT_EQ(top->RowOf(demo->Bar(u"Standard")->Control()), 1);
  EXPECT_EQ(manager->Bars()->DockControls(dsBottom)->RowCount(), 2);
  EXPECT_EQ(demo->Button(u"btnSend")->DropDownMenu(), demo->pmSend);
  ASSERT_EQ(manager->GroupCount(), 1);
  EXPECT_EQ(manager->Groups(0)->Count(), 2);
  // The check group's first button was designed down: a sunken frame on both toolbars.
  EXPECT_TRUE(demo->Button(u"btnLeft")->Down());
  for (TdxBarItemLink* left : {LinkOf(u"Standard", 3), LinkOf(u"Format", 1)}) {
    RECT r = ScreenRectOf(left);
    EXPECT_EQ(ScreenPixel(r.left, r.top), GetSysColor(COLOR_BTNSHADOW));
  }
  KeepCheckedScreen();
}

TEST_F(DxBarDemoFormTest, KeysEnterTheMainMenuAndRunItems) {
  for (UINT key : {VK_F10, VK_MENU}) {
    Key(key);
    EXPECT_EQ(manager->KeyboardBarControl(), demo->Bar(u"Main Menu")->Control());
    Key(VK_ESCAPE);
    EXPECT_EQ(manager->KeyboardBarControl(), nullptr);
  }
  Key('S', 2);  // Ctrl+S
  Key('N', 4);  // Alt+N: only the toolbar's New has it
  Key('E', 4);  // Alt+E: the main menu's Edit
  EXPECT_EQ(TakeClicks(), (std::vector<String>{u"btnSave", u"btnNew", u"btnEdit"}));
  // The help item's handler raises: the application hears of it and the bars go on working.
  Key('H', 4);
  EXPECT_EQ(exceptions, (std::vector<String>{u"The help file is missing"}));
  EXPECT_EQ(ActiveBarControl(), nullptr);
  Key('S', 2);
  EXPECT_EQ(TakeClicks(), (std::vector<String>{u"btnSave"}));
}

TEST_F(DxBarDemoFormTest, TheDropDownButtonsMenuRunsAnEntryAndAnOutsideClickClosesIt) {
  TdxBarItemLink* send = LinkOf(u"Standard", 5);
  RECT r = ScreenRectOf(send);
  const POINT arrow{r.right - 3, (r.top + r.bottom) / 2};
  ClickAt(arrow);
  TdxBarSubMenuControl* menu = demo->pmSend->MenuControl();
  ASSERT_NE(menu, nullptr);
  KeepCheckedScreen("dropped");
  RECT printer = demo->pmSend->ItemLinks()->Items(1)->ItemRect();
  ClickAt(menu->ClientToScreen(CentreOf(printer)));
  EXPECT_EQ(TakeClicks(), (std::vector<String>{u"btnToPrinter"}));
  EXPECT_EQ(demo->pmSend->MenuControl(), nullptr);

  ClickAt(arrow);
  ASSERT_NE(demo->pmSend->MenuControl(), nullptr);
  ClickAt(form->ClientToScreen(POINT{250, 150}));
  EXPECT_EQ(demo->pmSend->MenuControl(), nullptr);
  EXPECT_EQ(ActiveBarControl(), nullptr);
  EXPECT_TRUE(TakeClicks().empty());
}

TEST_F(DxBarDemoFormTest, HotTrackingAndAShortDockHidingLinksBehindTheMark) {
  TdxBarControl* standard = demo->Bar(u"Standard")->Control();
  MoveTo(CentreOf(ScreenRectOf(LinkOf(u"Standard", 1))));
  EXPECT_EQ(standard->SelectedControl(), LinkOf(u"Standard", 1)->Control());
  MoveTo(POINT{900, 700});
  EXPECT_EQ(standard->SelectedControl(), nullptr);
  EXPECT_FALSE(standard->HasHiddenLinks());
  form->SetWidth(180);
  Pump();
  EXPECT_TRUE(standard->HasHiddenLinks());
  EXPECT_LT(demo->Bar(u"Standard")->ItemLinks()->LastFullyVisibleIndex(), 6);
  KeepCheckedScreen("short");
}

TEST_F(DxBarDemoFormTest, DoubleClicksOnGripAndCaptionFloatTheToolbarAndDockItBack) {
  TdxBar* standard = demo->Bar(u"Standard");
  auto doubleClick = [this](POINT p) {
    clock->Advance(1000);
    SimulateClick(TSimButton::Left, p);
    SimulateClick(TSimButton::Left, p);
    Pump();
  };
  POINT origin = standard->Control()->ClientToScreen(POINT{0, 0});
  doubleClick(POINT{origin.x - 5, origin.y + 8});  // the grip
  ASSERT_TRUE(standard->Control()->Floating());
  EXPECT_EQ(manager->Bars()->DockControls(dsTop)->RowCount(), 1);
  origin = standard->Control()->ClientToScreen(POINT{0, 0});
  doubleClick(POINT{origin.x + 10, origin.y - 8});  // the caption
  EXPECT_FALSE(standard->Control()->Floating());
  EXPECT_EQ(standard->DockingStyle(), dsTop);
  EXPECT_EQ(manager->Bars()->DockControls(dsTop)->RowCount(), 2);
}

// A bar reset from its design: without UseFullReset only its links come back, with it the caption
// and the place too; the links name the form's own items.
TEST_F(DxBarDemoFormTest, AResetBringsBackTheDesignedLinksOrTheWholeBar) {
  EXPECT_TRUE(manager->CanReset());
  TDemoFormsFolderScope folder;
  std::vector<String> told;
  manager->OnBarBeforeReset = [&](TObject*, TdxBar* Bar) { told.push_back(u"before " + Bar->Caption()); };
  manager->OnBarAfterReset = [&](TObject*, TdxBar* Bar) { told.push_back(u"after " + Bar->Caption()); };
  for (bool full : {false, true}) {
    SCOPED_TRACE(full);
    manager->SetUseFullReset(full);
    TdxBar* standard = demo->Bar(u"Standard");
    delete standard->ItemLinks()->Items(0);
    standard->ItemLinks()->Items(0)->SetBeginGroup(true);
    standard->SetCaption(u"Mine");
    standard->SetDockingStyle(dsBottom);
    Pump();
    standard->Reset();
    Pump();
    ASSERT_EQ(standard->ItemLinks()->Count(), 6);
    EXPECT_EQ(standard->ItemLinks()->Items(0)->Item(), demo->Button(u"btnNew"));
    EXPECT_FALSE(standard->ItemLinks()->Items(0)->BeginGroup());
    EXPECT_EQ(standard->ItemLinks()->Items(5)->Item(), demo->Button(u"btnSend"));
    EXPECT_TRUE(standard->Visible());
    ASSERT_NE(standard->Control(), nullptr);
    EXPECT_EQ(standard->Caption(), full ? u"Standard" : u"Mine");
    EXPECT_EQ(standard->DockingStyle(), full ? dsTop : dsBottom);
  }
  EXPECT_EQ(told, (std::vector<String>{u"before Mine", u"after Mine", u"before Mine", u"after Standard"}));
  // The items are the form's: a click on the reset bar runs the form's handler.
  Key('N', 4);
  EXPECT_EQ(TakeClicks(), (std::vector<String>{u"btnNew"}));
}

TEST_F(DxBarDemoFormTest, AFormMadeInCodeHasNoDesignToResetTo) {
  TForm* plain = NewForm<TForm>(nullptr);
  auto* own = new TdxBarManager(plain);
  TdxBar* bar = own->Bars()->Add();
  bar->SetCaption(u"Mine");
  bar->ItemLinks()->Add()->SetItem(new TdxBarButton(plain));
  EXPECT_EQ(own->CreateDesignTimeForm(), nullptr);
  bar->Reset();
  EXPECT_EQ(bar->ItemLinks()->Count(), 1);
  delete plain;
}

TEST_F(DxBarDemoFormTest, TheResetQuestionsResetOnlyWhenAnsweredSo) {
  TDemoFormsFolderScope folder;
  struct TAsked {
    String text, caption;
    UINT type;
  };
  std::vector<TAsked> asked;
  int answer = IDCANCEL;
  SetMessageBoxHook([&](const String& Text, const String& Caption, UINT Type) {
    asked.push_back({Text, Caption, Type});
    return answer;
  });
  TScopeExit unhook([] { SetMessageBoxHook(nullptr); });

  TdxBar* standard = demo->Bar(u"Standard");
  delete standard->ItemLinks()->Items(0);
  manager->ConfirmBarReset(standard);
  EXPECT_EQ(standard->ItemLinks()->Count(), 5) << "Cancel";
  answer = IDOK;
  manager->ConfirmBarReset(standard);
  EXPECT_EQ(standard->ItemLinks()->Count(), 6);

  // The usage record goes back to the design; what the user named stays.
  TdxBarItemLink* send = standard->ItemLinks()->Items(5);
  const bool designed = send->MostRecentlyUsed();
  send->SetMostRecentlyUsed(!designed);
  send->SetUserCaption(u"Mine");
  answer = IDNO;
  manager->ConfirmResetUsageData();
  EXPECT_EQ(send->MostRecentlyUsed(), !designed) << "No";
  answer = IDYES;
  manager->ConfirmResetUsageData();
  EXPECT_EQ(send->MostRecentlyUsed(), designed);
  EXPECT_EQ(send->UserCaption(), u"Mine");

  ASSERT_EQ(asked.size(), 4u);
  EXPECT_EQ(asked[0].text, u"Are you sure you want to reset the changes made to the 'Standard' toolbar?");
  EXPECT_EQ(asked[0].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONWARNING));
  EXPECT_EQ(
      asked[2].text,
      u"This will delete the record of the commands you've used in this application and restore the default "
      u"set of visible commands to the menus and toolbars. It will not undo any explicit customizations.   "
      u"Are you sure you want to proceed?");
  EXPECT_EQ(asked[2].type, static_cast<UINT>(MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2));
  for (const TAsked& a : asked) EXPECT_EQ(a.caption, Application->Title());
}

TEST_F(DxBarDemoFormTest, HelpAnswersForTheItemAskedAboutAndClosesTheMenus) {
  demo->Button(u"btnOpen")->SetHelpContext(77);
  TdxBarItemLink* openLink = LinkOf(u"Standard", 1);
  ASSERT_EQ(openLink->Item(), demo->Button(u"btnOpen"));
  using TAsked = std::vector<std::pair<UINT, ULONG_PTR>>;
  auto askHelp = [](HWND Window, POINT Mouse) {
    HELPINFO info;
    info.hItemHandle = Window;
    info.MousePos = Mouse;
    HelpRequests().clear();
    SendMessage(Window, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    TAsked asked;
    for (const THelpRequest& r : HelpRequests()) asked.emplace_back(r.command, r.data);
    return asked;
  };
  // No menu open: the item under the mouse in the bar window the help is for.
  TdxBarControl* standard = demo->Bar(u"Standard")->Control();
  RECT open = ScreenRectOf(openLink);
  EXPECT_EQ(askHelp(standard->Handle(), CentreOf(open)), (TAsked{{HELP_CONTEXT, 77}}));
  EXPECT_EQ(askHelp(standard->Handle(), POINT{open.right + 200, open.top}), TAsked{}) << "no item there";

  // In menu mode the selected item answers, even for F1 in another form, and the mode ends.
  std::unique_ptr<TForm> other(NewForm<TForm>(nullptr));
  other->Show();
  Pump();
  standard->EnterMenuMode(openLink->Control());
  ASSERT_EQ(ActiveBarControl(), standard);
  EXPECT_EQ(askHelp(other->Handle(), POINT{0, 0}), (TAsked{{HELP_CONTEXT, 77}}));
  EXPECT_EQ(ActiveBarControl(), nullptr);

  // With the caption's help button the help pops up below the item (a form given the button
  // before its window is made: changing it later makes the window again).
  std::unique_ptr<TForm> helped(NewForm<TForm>(nullptr));
  helped->SetBorderIcons(TBorderIcons{biSystemMenu, biHelp});
  helped->SetBounds(150, 150, 400, 300);
  auto* own = new TdxBarManager(helped.get());
  auto* button = new TdxBarButton(helped.get());
  button->SetCaption(u"Topic");
  button->SetCategory(0);
  button->SetHelpContext(5);
  TdxBar* bar = own->Bars()->Add();
  bar->SetDockingStyle(dsTop);
  bar->ItemLinks()->Add()->SetItem(button);
  bar->SetVisible(true);
  helped->Show();
  Pump();
  const RECT topic = ScreenRectOf(bar->ItemLinks()->Items(0));
  const auto below =
      MAKELONG(static_cast<WORD>((topic.left + topic.right) / 2), static_cast<WORD>(topic.bottom));
  EXPECT_EQ(askHelp(bar->Control()->Handle(), CentreOf(topic)),
            (TAsked{{HELP_SETPOPUP_POS, below}, {HELP_CONTEXTPOPUP, 5}}));
}

}  // namespace
