// The customizing form driven by simulated input: every manager's form disabled while it is open,
// toolbars switched off and on, new toolbars named in the name dialog, and the links' customizing
// menu.
#include "dx/bars/dxBarCustomizingForm.h"
#include "dx/bars/dxBarCustomizingPopup.h"
#include "dx/bars/dxBarEdit.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"
#include "platform/win/Shell.h"

namespace {

class DxBarCustomizingFormTest : public DxBarUiTest {
 protected:
  void SetUp() override {
    DxBarUiTest::SetUp();
    SetMessageBoxHook([this](const String& Text, const String& Caption, UINT Type) {
      messages.push_back(Text);
      captions.push_back(Caption);
      types.push_back(Type);
      return answer;
    });
    menuBar = MakeTopBar(u"Main", 0, true);
    AddButton(menuBar, u"File");
    menuBar->SetVisible(true);
    tools = MakeFloatingBar(20, 20, {u"Aa", u"Bb"});
  }
  void TearDown() override {
    manager->SetCustomizing(false);
    Pump();
    SetMessageBoxHook(nullptr);
    DxBarUiTest::TearDown();
  }

  TdxBarCustomizingForm* Open() {
    manager->SetCustomizing(true);
    Pump();
    return GetCustomizingForm();
  }
  static POINT CentreOnScreen(TControl* Control) {
    return Control->ClientToScreen(POINT{Control->Width() / 2, Control->Height() / 2});
  }
  // The entry of the bar in the toolbar list.
  static int EntryOf(TdxBarCustomizingForm* Form, TdxBar* Bar) {
    for (int i = 0; i < Form->BarsListBox->Count(); ++i)
      if (Form->BarsListBox->Bars(i) == Bar) return i;
    return -1;
  }
  void ClickBoxOf(TdxBarCustomizingForm* Form, TdxBar* Bar) {
    RECT r = Form->BarsListBox->ItemRect(EntryOf(Form, Bar));
    ClickAt(Form->BarsListBox->ClientToScreen(POINT{r.left + 4, (r.top + r.bottom) / 2}));
  }
  // Clicks New and, in the name dialog, replaces the proposal with Name (kept when empty) and
  // presses Enter, then Escape when the dialog is to refuse the name and stay open.
  void NewToolbar(TdxBarCustomizingForm* Form, const String& Name, bool Refused = false) {
    clock->Advance(1000);
    SimulateClick(TSimButton::Left, CentreOnScreen(Form->BBarNew));
    if (!Name.empty()) {
      SimulateKeyPress(VK_HOME);
      SimulateKeyPress(VK_END, 1);
      SimulateText(Name);
    }
    SimulateKeyPress(VK_RETURN);
    if (Refused) SimulateKeyPress(VK_ESCAPE);
    Pump();
  }

  TdxBar* menuBar = nullptr;
  TdxBar* tools = nullptr;
  std::vector<String> messages;
  std::vector<String> captions;
  std::vector<UINT> types;
  int answer = IDOK;
};

TEST_F(DxBarCustomizingFormTest, WhileOpenEveryManagersFormIsDisabledAndTheCloseButtonEndsCustomizing) {
  auto* second = NewForm<TForm>(nullptr);
  std::unique_ptr<TForm> secondOwner(second);
  second->SetBounds(620, 100, 300, 200);
  new TdxBarManager(second);
  second->Show();
  auto* plain = NewForm<TForm>(nullptr);
  std::unique_ptr<TForm> plainOwner(plain);
  plain->Show();
  Pump();

  TdxBarCustomizingForm* customizing = Open();
  ASSERT_NE(customizing, nullptr);
  EXPECT_TRUE(manager->IsCustomizing());
  EXPECT_FALSE(IsWindowEnabled(form->Handle()));
  EXPECT_FALSE(IsWindowEnabled(second->Handle()));
  EXPECT_TRUE(IsWindowEnabled(plain->Handle()));  // no bar manager
  EXPECT_EQ(customizing->Caption(), u"Customize");
  // Hidden bars are not listed; the main menu bar is, with its box drawn disabled.
  EXPECT_EQ(customizing->BarsListBox->Items()->Strings(0), u"Main");
  EXPECT_EQ(customizing->BarsListBox->Items()->Strings(1), u"Tools");

  KeepCheckedScreen("open");
  ClickAt(CentreOnScreen(customizing->BClose));
  EXPECT_EQ(GetCustomizingForm(), nullptr);
  EXPECT_FALSE(manager->IsCustomizing());
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  EXPECT_TRUE(IsWindowEnabled(second->Handle()));
}

TEST_F(DxBarCustomizingFormTest, TheBoxOfAToolbarSwitchesItOffAndOnAndTheMainMenuOnlyBeeps) {
  TdxBarCustomizingForm* customizing = Open();
  ASSERT_NE(customizing, nullptr);
  ClickBoxOf(customizing, tools);
  EXPECT_FALSE(tools->Visible());
  EXPECT_FALSE(IsWindowVisible(tools->Control() ? tools->Control()->Handle() : nullptr));
  ClickBoxOf(customizing, tools);
  EXPECT_TRUE(tools->Visible());
  ASSERT_NE(tools->Control(), nullptr);
  EXPECT_TRUE(IsWindowVisible(tools->Control()->Handle()));

  const int beeps = MessageBeepCount();
  ClickBoxOf(customizing, menuBar);
  EXPECT_TRUE(menuBar->Visible());
  EXPECT_EQ(MessageBeepCount() - beeps, 1);
}

TEST_F(DxBarCustomizingFormTest, NewProposesTheFirstFreeCustomNumber) {
  struct TCase {
    std::vector<String> names;
    String expected;
  };
  const TCase cases[] = {
      {{}, u"Custom 1"},
      {{u"Custom 1", u"Custom 3"}, u"Custom 2"},
      {{u"Custom 2", u"custom 1"}, u"Custom 1"},  // names compare exactly
  };
  for (const TCase& c : cases) {
    std::vector<TdxBar*> made;
    for (const String& name : c.names) {
      made.push_back(manager->Bars()->Add());
      made.back()->SetBarName(name);
    }
    EXPECT_EQ(TdxBarCustomizingForm::ProposeToolbarName(manager), c.expected);
    for (TdxBar* bar : made) delete bar;
  }
}

TEST_F(DxBarCustomizingFormTest, ANewToolbarNamedInTheDialogFloatsVisibleAndADuplicateNameIsRefused) {
  TdxBarCustomizingForm* customizing = Open();
  ASSERT_NE(customizing, nullptr);
  const int before = manager->Bars()->Count();
  NewToolbar(customizing, String());  // the proposal taken as it is
  ASSERT_EQ(manager->Bars()->Count(), before + 1);
  TdxBar* added = manager->Bars()->Items(before);
  EXPECT_EQ(added->Caption(), u"Custom 1");
  EXPECT_TRUE(added->Visible());
  EXPECT_EQ(added->DockingStyle(), dsNone);
  EXPECT_EQ(customizing->BarsListBox->Bars(customizing->BarsListBox->ItemIndex()), added);
  // Made by the user: it may be renamed and deleted; the form's own bars may not be (not loaded).
  EXPECT_TRUE(customizing->BBarRename->Enabled());
  EXPECT_TRUE(customizing->BBarDelete->Enabled());

  NewToolbar(customizing, u"Tools", true);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], u"A toolbar named 'Tools' already exists. Type another name.");
  EXPECT_EQ(captions[0], Application->Title());
  EXPECT_TRUE(types[0] & MB_ICONERROR);
  EXPECT_EQ(manager->Bars()->Count(), before + 1);  // Escape left the refused dialog

  NewToolbar(customizing, u"Mine");
  ASSERT_EQ(manager->Bars()->Count(), before + 2);
  EXPECT_EQ(manager->Bars()->Items(before + 1)->Caption(), u"Mine");
}

TEST_F(DxBarCustomizingFormTest, TheCustomizingMenuOffersItsEntriesAndRefusesABlankName) {
  auto* edit = new TdxBarEdit(form);
  edit->SetCaption(u"Find");
  edit->SetCategory(0);
  TdxBarItemLink* editLink = tools->ItemLinks()->Add();
  editLink->SetItem(edit);
  Pump();
  ASSERT_NE(Open(), nullptr);

  TdxBarItemLink* bb = tools->ItemLinks()->Items(1);
  clock->Advance(1000);
  SimulateClick(TSimButton::Right, CentreOf(ScreenRectOf(bb)));
  Pump();
  TdxBarCustomizingPopup* popup = OpenCustomizingPopup();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->Link(), bb);
  std::vector<String> entries;
  for (int i = 0; i < popup->ItemLinks()->Count(); ++i)
    entries.push_back(popup->ItemLinks()->Items(i)->Item()->Caption());
  EXPECT_EQ(entries, (std::vector<String>{u"&Reset", u"&Delete", u"&Name:", u"Defa&ult style", u"&Text Only (Always)",
                                          u"Text &Only (in Menus)", u"Image &and Text", u"Begin a &Group"}));
  EXPECT_TRUE(popup->Entry(TdxBarCustomizingPopup::ceDefaultStyle)->Enabled());
  EXPECT_EQ(static_cast<TdxBarEdit*>(popup->Entry(TdxBarCustomizingPopup::ceName))->Text(), u"Bb");

  // "Begin a Group" clicked on the screen.
  RECT group = popup->ItemLinks()->Items(7)->ItemRect();
  ClickAt(popup->ClientToScreen(CentreOf(group)));
  EXPECT_TRUE(bb->BeginGroup());
  EXPECT_EQ(OpenCustomizingPopup(), nullptr);

  // A name: a blank one is refused with the message, another becomes the link's caption.
  ShowCustomizingPopup(bb, POINT{400, 300});
  auto* name = static_cast<TdxBarEdit*>(OpenCustomizingPopup()->Entry(TdxBarCustomizingPopup::ceName));
  name->SetText(u"");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], u"A command name cannot be blank. Please enter a name.");
  EXPECT_TRUE(types[0] & MB_ICONERROR);
  EXPECT_EQ(OpenCustomizingPopup(), nullptr);
  EXPECT_EQ(bb->Caption(), u"Bb");
  ShowCustomizingPopup(bb, POINT{400, 300});
  static_cast<TdxBarEdit*>(OpenCustomizingPopup()->Entry(TdxBarCustomizingPopup::ceName))->SetText(u"Renamed");
  EXPECT_EQ(bb->Caption(), u"Renamed");

  // An edit item has no paint style of its own: the style entries are off, the default one down.
  ShowCustomizingPopup(editLink, POINT{400, 300});
  TdxBarCustomizingPopup* editPopup = OpenCustomizingPopup();
  auto* defaultStyle = static_cast<TdxBarButton*>(editPopup->Entry(TdxBarCustomizingPopup::ceDefaultStyle));
  EXPECT_FALSE(defaultStyle->Enabled());
  EXPECT_TRUE(defaultStyle->Down());
  editPopup->CloseMenu();
  Pump();
}

TEST_F(DxBarCustomizingFormTest, DeletingALinkOrAToolbarTakesItOffTheScreen) {
  TdxBarCustomizingForm* customizing = Open();
  ASSERT_NE(customizing, nullptr);
  // The link's menu: "&Delete" frees the link and the toolbar lays out again.
  TdxBarItemLink* aa = tools->ItemLinks()->Items(0);
  ShowCustomizingPopup(aa, CentreOf(ScreenRectOf(aa)));
  TdxBarCustomizingPopup* popup = OpenCustomizingPopup();
  ASSERT_NE(popup, nullptr);
  ClickAt(popup->ClientToScreen(CentreOf(popup->ItemLinks()->Items(1)->ItemRect())));
  ASSERT_EQ(tools->ItemLinks()->Count(), 1);
  EXPECT_EQ(tools->ItemLinks()->Items(0)->Item()->Caption(), u"Bb");
  EXPECT_FALSE(IsRectEmpty(&tools->ItemLinks()->Items(0)->ItemRect()));

  // The toolbar: asked first, then gone from the list and the manager.
  customizing->BarsListBox->SetItemIndex(EntryOf(customizing, tools));
  customizing->UpdateBarButtons();
  const int bars = manager->Bars()->Count();
  ClickAt(CentreOnScreen(customizing->BBarDelete));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], u"Are you sure you want to delete the 'Tools' toolbar?");
  EXPECT_EQ(types[0], static_cast<UINT>(MB_OKCANCEL | MB_ICONEXCLAMATION));
  EXPECT_EQ(manager->Bars()->Count(), bars - 1);
  EXPECT_EQ(EntryOf(customizing, tools), -1);
  EXPECT_EQ(customizing->BarsListBox->Count(), 1);
}

TEST_F(DxBarCustomizingFormTest, AtDesignTimeTheLinksMenuAddsVisibilityAndTheRecentUseMarkOutsideTheStandardStyle) {
  struct TCase {
    TdxBarManagerStyle style;
    int entries;
  };
  for (TCase c : {TCase{bmsStandard, 9}, TCase{bmsFlat, 10}}) {
    manager->SetStyle(c.style);
    manager->SetDesigning(true, false);
    auto popup = std::make_unique<TdxBarCustomizingPopup>(manager);
    EXPECT_EQ(popup->ItemLinks()->Count(), c.entries) << c.style;
    EXPECT_EQ(popup->ItemLinks()->Items(8)->Item()->Caption(), u"&Visible");
    manager->SetDesigning(false, false);
  }
}

TEST_F(DxBarCustomizingFormTest, TheHelpButtonShowsWithTheManagerAndRunsItsEventAndTheHelpContext) {
  int clicks = 0;
  std::vector<ULONG_PTR> contexts;
  manager->OnHelpButtonClick = [&](TObject* Sender) {
    EXPECT_EQ(Sender, manager);
    ++clicks;
  };
  Application->OnHelp = [&](UINT Command, ULONG_PTR Data, bool& CallHelp) {
    if (Command == HELP_CONTEXT) contexts.push_back(Data);
    CallHelp = false;
    return true;
  };
  TdxBarCustomizingForm* customizing = Open();
  ASSERT_NE(customizing, nullptr);
  EXPECT_FALSE(customizing->BHelp->Visible());
  manager->SetShowHelpButton(true);
  EXPECT_TRUE(customizing->BHelp->Visible());
  EXPECT_EQ(customizing->BHelp->Width(), 24);

  ClickAt(CentreOnScreen(customizing->BHelp));
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(contexts.empty());  // no context: no help
  manager->SetHelpContext(420);
  ClickAt(CentreOnScreen(customizing->BHelp));
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(contexts, std::vector<ULONG_PTR>{420});
  Application->OnHelp = nullptr;
}

TEST_F(DxBarCustomizingFormTest, ResettingAToolbarOrTheUsageDataAsksFirst) {
  int resets = 0;
  manager->OnBarBeforeReset = [&](TObject*, TdxBar*) { ++resets; };
  TdxBarCustomizingForm* customizing = Open();
  ASSERT_NE(customizing, nullptr);
  customizing->BarsListBox->SetItemIndex(EntryOf(customizing, tools));
  answer = IDCANCEL;
  customizing->BBarReset->Click();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], u"Are you sure you want to reset the changes made to the 'Tools' toolbar?");
  EXPECT_EQ(types[0], static_cast<UINT>(MB_OKCANCEL | MB_ICONWARNING));
  EXPECT_EQ(resets, 0);

  manager->SetStyle(bmsEnhanced);
  customizing->PageControl->SetActivePage(customizing->TabSheet3);
  Pump();
  answer = IDNO;
  ClickAt(CentreOnScreen(customizing->BResetUsageData));
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1].substr(0, 62), u"This will delete the record of the commands you've used in thi");
  EXPECT_EQ(types[1], static_cast<UINT>(MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2));
}

TEST_F(DxBarCustomizingFormTest, AtDesignTimeInsertInTheCommandsAddsAnItemThroughTheAddItemDialog) {
  manager->Categories()->Add(u"File");
  manager->SetDesigning(true, false);
  TdxBarCustomizingForm* customizing = Open();
  ASSERT_NE(customizing, nullptr);
  customizing->PageControl->SetActivePage(customizing->TabSheet2);
  customizing->LCategories->SetItemIndex(1);
  customizing->RefreshCommands();
  customizing->LCommands->SetFocus();
  Pump();
  const int before = manager->ItemCount();
  // The dialog proposes a name with the name field focused: Enter takes it.
  SimulateKeyPress(VK_INSERT);
  SimulateKeyPress(VK_RETURN);
  Pump();
  ASSERT_EQ(manager->ItemCount(), before + 1);
  TdxBarItem* added = manager->Items(manager->ItemCount() - 1);
  EXPECT_EQ(added->Name(), u"dxBarButton1");
  EXPECT_EQ(added->Category(), 1);
  ASSERT_GE(customizing->LCommands->ItemIndex(), 0);
  EXPECT_EQ(customizing->LCommands->Commands(customizing->LCommands->ItemIndex()), added);
  manager->SetCustomizing(false);
  manager->SetDesigning(false, false);
}

TEST_F(DxBarCustomizingFormTest, TheOwnerFormActivatedRefreshesTheFormUnlessAMenuIsOpen) {
  TdxBarCustomizingForm* customizing = Open();
  ASSERT_NE(customizing, nullptr);
  ASSERT_FALSE(IsWindowEnabled(form->Handle()));
  EXPECT_FALSE(customizing->BBarDelete->Enabled());  // the main menu is selected
  // Selected without the list's click: the buttons are stale until the form is refreshed.
  customizing->BarsListBox->SetItemIndex(EntryOf(customizing, tools));
  ASSERT_FALSE(customizing->BBarDelete->Enabled());

  // The owner form told it is active while a customizing menu is open, then without one.
  ShowCustomizingPopup(tools->ItemLinks()->Items(0), POINT{400, 300});
  SendMessage(form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
  Pump();
  EXPECT_FALSE(customizing->BBarDelete->Enabled());
  OpenCustomizingPopup()->CloseMenu();
  Pump();
  SendMessage(form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
  Pump();
  EXPECT_TRUE(customizing->BBarDelete->Enabled());
}

TEST_F(DxBarCustomizingFormTest, LeavingTheProgramClearsTheCustomizingSelection) {
  ASSERT_NE(Open(), nullptr);
  TdxBarItemLink* link = tools->ItemLinks()->Items(1);
  ClickAt(CentreOf(ScreenRectOf(link)));
  ASSERT_NE(manager->SelectedItem(), nullptr);
  EXPECT_EQ(manager->SelectedItem(), link->Control());
  SendMessage(form->Handle(), WM_ACTIVATEAPP, TRUE, 0);
  EXPECT_NE(manager->SelectedItem(), nullptr);
  SendMessage(form->Handle(), WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_EQ(manager->SelectedItem(), nullptr);
}

TEST_F(DxBarCustomizingFormTest, TheOpenFormFollowsTheManagersOptionsStyleBarsAndItems) {
  TdxBarCustomizingForm* customizing = Open();
  ASSERT_NE(customizing, nullptr);
  manager->SetShowHint(!manager->ShowHint());
  EXPECT_EQ(customizing->CBHint1->Checked(), manager->ShowHint());
  manager->SetStyle(bmsEnhanced);
  EXPECT_TRUE(customizing->EnhancedOptionsPanel->Visible());
  EXPECT_FALSE(customizing->StandardOptionsPanel->Visible());
  EXPECT_EQ(customizing->CBHint2Ex->Enabled(), manager->ShowHint());

  tools->SetCaption(u"Drawing");
  EXPECT_EQ(customizing->BarsListBox->Items()->Strings(EntryOf(customizing, tools)), u"Drawing");

  // Items made and freed elsewhere come and go from the commands, the selection kept.
  customizing->PageControl->SetActivePage(customizing->TabSheet2);
  customizing->LCommands->SetItemIndex(1);
  TdxBarItem* aa = customizing->LCommands->Commands(1);  // after the main menu's "File"
  aa->SetDescription(u"Second");
  customizing->LCommands->OnClick(customizing->LCommands);
  auto* added = new TdxBarButton(form);
  added->SetCaption(u"Cc");
  added->SetCategory(0);
  ASSERT_EQ(customizing->LCommands->Count(), 4);
  EXPECT_EQ(customizing->LCommands->Commands(3), added);
  EXPECT_EQ(customizing->LCommands->Commands(customizing->LCommands->ItemIndex()), aa);
  EXPECT_EQ(customizing->DescriptionLabel->Caption(), u"Second");
  delete added;
  EXPECT_EQ(customizing->LCommands->Count(), 3);
  delete aa;
  ASSERT_EQ(customizing->LCommands->Count(), 2);
  EXPECT_EQ(customizing->LCommands->Items()->Strings(1), u"Bb");
  EXPECT_EQ(customizing->LCommands->ItemIndex(), 1);

  // Below the last command the list shows the colour of the style's entries.
  for (TdxBarManagerStyle style : {bmsFlat, bmsStandard}) {
    manager->SetStyle(style);
    Pump();
    TdxBarCommandsListBox* list = customizing->LCommands;
    POINT below = list->ClientToScreen(POINT{10, list->ItemRect(list->Count() - 1).bottom + 10});
    EXPECT_EQ(ScreenPixel(below.x, below.y), GetSysColor(style == bmsFlat ? COLOR_WINDOW : COLOR_BTNFACE));
  }
  KeepCheckedScreen("commands-standard");
}

TEST_F(DxBarCustomizingFormTest, TheFormIsHiddenAndShownWithTheOwnerForm) {
  TdxBarCustomizingForm* customizing = Open();
  ASSERT_NE(customizing, nullptr);
  ASSERT_TRUE(IsWindowVisible(customizing->Handle()));
  form->Hide();
  Pump();
  EXPECT_FALSE(IsWindowVisible(customizing->Handle()));
  form->Show();
  Pump();
  EXPECT_TRUE(IsWindowVisible(customizing->Handle()));
  EXPECT_EQ(GetCustomizingForm(), customizing);
}

}  // namespace
