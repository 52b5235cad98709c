#include "dx/bars/dxBarDockControl.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"

namespace {

class DxBarKeyboardTest : public DxBarUiTest {
 protected:
  void SetUp() override {
    DxBarUiTest::SetUp();
    menu = manager->Bars()->Add();
    menu->SetCaption(u"Main Menu");
    menu->SetIsMainMenu(true);
    menu->SetDockingStyle(dsTop);
    file = AddButton(menu, u"&File");
    edit = AddButton(menu, u"&Edit");
    help = AddButton(menu, u"&Help");
    menu->SetVisible(true);
    tools = manager->Bars()->Add();
    tools->SetCaption(u"Tools");
    tools->SetDockingStyle(dsTop);
    tools->SetRow(1);
    save = AddButton(tools, u"&Save");
    save->SetShortCut(ShortCut('S', TShiftState{ssCtrl}));
    sort = AddButton(tools, u"S&ort");
    sum = AddButton(tools, u"Su&m");
    tools->SetVisible(true);
    for (TdxBarButton* b : {file, edit, help, save, sort, sum})
      b->OnClick = [this, b](TObject*) { clicked.push_back(b->Caption()); };
    SetForegroundWindow(form->Handle());
    Pump();
  }
  void Key(UINT vk, UINT modifiers = 0) {
    SimulateKeyPress(vk, modifiers);
    Pump();
  }
  TdxBarControl* MenuControl() const { return menu->Control(); }
  TdxBarItemControl* Selected() const { return MenuControl()->SelectedControl(); }

  TdxBar *menu = nullptr, *tools = nullptr;
  TdxBarButton *file = nullptr, *edit = nullptr, *help = nullptr, *save = nullptr, *sort = nullptr, *sum = nullptr;
  std::vector<String> clicked;
};

TEST_F(DxBarKeyboardTest, AltAloneAndF10EnterTheMainMenuBar) {
  struct TCase {
    UINT vk;
    UINT modifiers;
    bool useF10;
    bool enters;
  };
  const TCase cases[] = {
      {VK_MENU, 0, true, true},       // Alt pressed and released alone
      {VK_F10, 0, true, true},        // F10
      {VK_F10, 2, true, false},       // Ctrl+F10 does nothing
      {VK_F10, 0, false, false},      // F10 passes through when the manager does not use it
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.vk << " " << c.modifiers << " " << c.useF10);
    manager->SetUseF10ForMenu(c.useF10);
    Key(c.vk, c.modifiers);
    EXPECT_EQ(manager->KeyboardBarControl() == MenuControl(), c.enters);
    if (!c.enters) continue;
    EXPECT_EQ(ActiveBarControl(), MenuControl());
    EXPECT_EQ(Selected(), menu->ItemLinks()->Items(0)->Control());
    Key(VK_RIGHT);
    EXPECT_EQ(Selected(), menu->ItemLinks()->Items(1)->Control());
    Key(VK_LEFT);
    Key(VK_LEFT);  // wraps to the last
    EXPECT_EQ(Selected(), menu->ItemLinks()->Items(2)->Control());
    Key(VK_ESCAPE);
    EXPECT_EQ(manager->KeyboardBarControl(), nullptr);
    EXPECT_EQ(ActiveBarControl(), nullptr);
  }
  EXPECT_TRUE(clicked.empty());
}

TEST_F(DxBarKeyboardTest, EnterRunsTheSelectedItemOfTheMenuBar) {
  Key(VK_F10);
  Key(VK_RIGHT);
  Key(VK_RETURN);
  EXPECT_EQ(clicked, (std::vector<String>{u"&Edit"}));
  EXPECT_EQ(ActiveBarControl(), nullptr);
  EXPECT_EQ(manager->KeyboardBarControl(), nullptr);
}

TEST_F(DxBarKeyboardTest, ShortcutsAndAcceleratorsRunTheActiveFormsItems) {
  Key('S', 2);  // Ctrl+S
  EXPECT_EQ(clicked, (std::vector<String>{u"&Save"}));
  clicked.clear();
  Key('H', 4);  // Alt+H: a unique accelerator runs its item at once
  EXPECT_EQ(clicked, (std::vector<String>{u"&Help"}));
  EXPECT_EQ(ActiveBarControl(), nullptr);
  clicked.clear();
  Key('M', 4);  // Alt+M: the accelerator of a bar that is not the main menu
  EXPECT_EQ(clicked, (std::vector<String>{u"Su&m"}));
  clicked.clear();
  Key('Q', 2);  // no such shortcut
  EXPECT_TRUE(clicked.empty());
}

TEST_F(DxBarKeyboardTest, ASharedAcceleratorOnlySelects) {
  sort->SetCaption(u"&Sort");  // now Save and Sort share S
  Key('S', 4);
  EXPECT_TRUE(clicked.empty());
  EXPECT_EQ(manager->KeyboardBarControl(), tools->Control());
  EXPECT_EQ(tools->Control()->SelectedControl(), tools->ItemLinks()->Items(0)->Control());
  Key('S');  // in menu mode the key moves on to the next match
  EXPECT_EQ(tools->Control()->SelectedControl(), tools->ItemLinks()->Items(1)->Control());
  EXPECT_TRUE(clicked.empty());
  Key(VK_ESCAPE);
}

TEST_F(DxBarKeyboardTest, AClickOutsideLeavesMenuMode) {
  Key(VK_F10);
  ASSERT_EQ(ActiveBarControl(), MenuControl());
  ClickAt(form->ClientToScreen(POINT{300, 250}));
  EXPECT_EQ(ActiveBarControl(), nullptr);
  EXPECT_EQ(manager->KeyboardBarControl(), nullptr);
  EXPECT_TRUE(clicked.empty());
}

TEST_F(DxBarKeyboardTest, WithoutManagersKeysReachTheFormUntouched) {
  int keys = 0;
  form->SetKeyPreview(true);
  form->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
    if (key == 'S') ++keys;
  };
  Key('S', 2);
  EXPECT_EQ(keys, 0);  // the shortcut ran the item instead
  delete manager;
  manager = nullptr;
  EXPECT_FALSE(dxbars_internal::BarHooksInstalled());
  Key('S', 2);
  EXPECT_EQ(keys, 1);
}

// A dialog without bars of its own, over a main form whose manager has a Ctrl+S button.
class DxBarDialogKeysTest : public DxBarUiTest {
 protected:
  void SetUp() override {
    DxBarUiTest::SetUp();
    delete form;  // the application's main form takes the fixture form's place
    form = nullptr;
    ASSERT_EQ(Application->MainForm(), nullptr) << "a test left a main form behind";
    TForm* main = nullptr;
    Application->CreateForm(main);
    form = main;
    form->SetBounds(0, 0, 500, 360);
    manager = new TdxBarManager(form);
    TdxBar* tools = MakeTopBar(u"Tools", 0);
    TdxBarButton* save = AddButton(tools, u"&Save");
    save->SetShortCut(ShortCut('S', TShiftState{ssCtrl}));
    save->OnClick = [this](TObject*) { ++saves; };
    tools->SetVisible(true);
    form->Show();
    dialog = NewForm<TForm>(nullptr);
    dialog->SetBounds(100, 100, 300, 200);
    dialog->Show();
    SetForegroundWindow(dialog->Handle());
    Pump();
  }
  void TearDown() override {
    delete dialog;
    DxBarUiTest::TearDown();
  }

  TForm* dialog = nullptr;
  int saves = 0;
};

TEST_F(DxBarDialogKeysTest, TheMainFormsShortCutsReachADialogOnlyWhenAllowedAndEnabled) {
  struct TCase {
    bool allow;
    bool mainEnabled;
    bool runs;
  };
  const TCase cases[] = {{false, true, false}, {true, true, true}, {true, false, false}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.allow << " " << c.mainEnabled);
    manager->SetAllowCallFromAnotherForm(c.allow);
    EnableWindow(form->Handle(), c.mainEnabled);
    ASSERT_EQ(GetActiveWindow(), dialog->Handle());
    saves = 0;
    Key('S', 2);
    EXPECT_EQ(saves, c.runs ? 1 : 0);
  }
  EnableWindow(form->Handle(), TRUE);
}

}  // namespace
