#include "dx/bars/dxBarPopupMenu.h"
#include "dx/bars/dxBarPopupMenuLinks.h"
#include "dx/bars/dxBarSubMenuControl.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"
#include "platform/forms/StdCtrls.h"

namespace {

// An edit and a button on the form, the edit bound to a popup menu with one entry (Ctrl+K).
class DxBarPopupMenuLinkTest : public DxBarUiTest {
 protected:
  void SetUp() override {
    DxBarUiTest::SetUp();
    edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(20, 60, 200, 24);
    edit->SetText(u"abcdef");
    button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(20, 120, 100, 30);
    popup = new TdxBarPopupMenu(form);
    copy = new TdxBarButton(form);
    copy->SetCaption(u"&Copy");
    copy->SetShortCut(ShortCut('K', TShiftState{ssCtrl}));
    copy->OnClick = [this](TObject*) { log.push_back(u"copy"); };
    popup->ItemLinks()->Add()->SetItem(copy);
    // Where the menu was asked to open; the menu closes again at once.
    popup->OnPopup = [this](TObject*) {
      TdxBarSubMenuControl* menu = popup->MenuControl();
      openedAt.push_back(POINT{menu->Left(), menu->Top()});
      SimulateKeyPress(VK_ESCAPE);
    };
    link = manager->PopupMenuLinks()->Add();
    link->SetControl(edit);
    link->SetPopupMenu(popup);
    Pump();
  }
  void FocusEditAtEnd() {
    edit->SetFocus();
    Key(VK_END);
  }
  // The edit's caret on the screen.
  POINT CaretOnScreen() const {
    POINT caret{};
    EXPECT_TRUE(GetCaretPos(&caret));
    return edit->ClientToScreen(caret);
  }

  TEdit* edit = nullptr;
  TButton* button = nullptr;
  TdxBarPopupMenu* popup = nullptr;
  TdxBarButton* copy = nullptr;
  TdxBarPopupMenuLink* link = nullptr;
  std::vector<POINT> openedAt;
  std::vector<String> log;
};

TEST_F(DxBarPopupMenuLinkTest, TheContextKeyAndShiftF10OpenTheMenuAtTheCaret) {
  struct TCase {
    UINT vk;
    UINT modifiers;
    bool opens;
  };
  const TCase cases[] = {
      {VK_APPS, 0, true},   // the context key
      {VK_F10, 1, true},    // Shift+F10
      {VK_F10, 3, false},   // Shift+Ctrl+F10 is no context key
      {VK_F10, 0, false},   // F10 alone belongs to the main menu
  };
  FocusEditAtEnd();
  const POINT caret = CaretOnScreen();
  ASSERT_GT(caret.x, edit->ClientToScreen(POINT{0, 0}).x + 10);  // behind the text, not the corner
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.vk << " " << c.modifiers);
    openedAt.clear();
    Key(c.vk, c.modifiers);
    ASSERT_EQ(openedAt.size(), c.opens ? 1u : 0u);
    if (c.opens) {
      EXPECT_EQ(openedAt[0].x, caret.x);
      EXPECT_EQ(openedAt[0].y, caret.y);
    }
    EXPECT_FALSE(popup->IsOpen());
    EXPECT_EQ(GetFocus(), edit->Handle());
  }
  EXPECT_TRUE(log.empty());
}

TEST_F(DxBarPopupMenuLinkTest, WithoutACaretTheMenuOpensAtTheControlsCorner) {
  link->SetControl(button);
  button->SetFocus();
  DestroyCaret();  // no window shows a caret now
  Pump();
  Key(VK_APPS);
  ASSERT_EQ(openedAt.size(), 1u);
  const POINT corner = button->ClientToScreen(POINT{0, 0});
  EXPECT_EQ(openedAt[0].x, corner.x);
  EXPECT_EQ(openedAt[0].y, corner.y);
}

TEST_F(DxBarPopupMenuLinkTest, ARightClickOpensTheMenuWhereItWasReleasedAndTheControlTakesTheFocus) {
  button->SetFocus();
  Pump();
  std::vector<POINT> asked;
  std::vector<bool> byMouse;
  link->OnAction = [&](TdxBarPopupMenuLink*, int& X, int& Y, bool ClickedByMouse, bool&) {
    asked.push_back(POINT{X, Y});
    byMouse.push_back(ClickedByMouse);
  };
  const POINT at = edit->ClientToScreen(POINT{50, 10});
  clock->Advance(1000);
  SimulateClick(TSimButton::Right, at);
  Pump();
  ASSERT_EQ(openedAt.size(), 1u);
  EXPECT_EQ(openedAt[0].x, at.x);
  EXPECT_EQ(openedAt[0].y, at.y);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].x, 50);  // the handler sees the control's coordinates
  EXPECT_EQ(asked[0].y, 10);
  EXPECT_TRUE(byMouse[0]);
  EXPECT_EQ(GetFocus(), edit->Handle());

  // A right click on a control without a link opens nothing.
  SimulateClick(TSimButton::Right, button->ClientToScreen(POINT{10, 10}));
  Pump();
  EXPECT_EQ(openedAt.size(), 1u);
}

TEST_F(DxBarPopupMenuLinkTest, OnActionMovesOrRefusesTheMenuAndTheControlsOwnHandlingComesFirst) {
  FocusEditAtEnd();
  int f10Reached = 0;
  form->SetKeyPreview(true);
  form->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
    if (key == VK_F10) ++f10Reached;
  };
  link->OnAction = [](TdxBarPopupMenuLink*, int& X, int& Y, bool ClickedByMouse, bool&) {
    EXPECT_FALSE(ClickedByMouse);
    X = 5;
    Y = 7;
  };
  Key(VK_F10, 1);
  ASSERT_EQ(openedAt.size(), 1u);
  const POINT moved = edit->ClientToScreen(POINT{5, 7});
  EXPECT_EQ(openedAt[0].x, moved.x);
  EXPECT_EQ(openedAt[0].y, moved.y);
  EXPECT_EQ(f10Reached, 0);

  // Refused: no menu, and the key goes on to the focused control.
  link->OnAction = [](TdxBarPopupMenuLink*, int&, int&, bool, bool& AllowPopup) { AllowPopup = false; };
  Key(VK_F10, 1);
  EXPECT_EQ(openedAt.size(), 1u);
  EXPECT_EQ(f10Reached, 1);

  // The control answering the request itself keeps the menu shut, and the key with it.
  link->OnAction = nullptr;
  POINT handedToControl{0, 0};
  edit->OnContextPopup = [&](TObject*, POINT MousePos, bool& Handled) {
    handedToControl = MousePos;
    Handled = true;
  };
  Key(VK_F10, 1);
  EXPECT_EQ(openedAt.size(), 1u);
  EXPECT_EQ(f10Reached, 1);
  EXPECT_EQ(handedToControl.x, -1);  // the keyboard's position
  EXPECT_EQ(handedToControl.y, -1);
}

TEST_F(DxBarPopupMenuLinkTest, TheMenusShortCutsComeFirstWhileTheControlHasTheFocus) {
  TdxBar* tools = MakeTopBar(u"Tools", 0);
  TdxBarButton* find = AddButton(tools, u"&Find");
  find->SetShortCut(ShortCut('K', TShiftState{ssCtrl}));
  find->OnClick = [this](TObject*) { log.push_back(u"find"); };
  tools->SetVisible(true);
  Pump();
  FocusEditAtEnd();
  Key('K', 2);
  button->SetFocus();
  Pump();
  Key('K', 2);
  // Refused by OnAction, the menu's short cuts do not count either.
  edit->SetFocus();
  link->OnAction = [](TdxBarPopupMenuLink*, int&, int&, bool, bool& AllowPopup) { AllowPopup = false; };
  Key('K', 2);
  EXPECT_EQ(log, (std::vector<String>{u"copy", u"find", u"find"}));
  EXPECT_TRUE(openedAt.empty());
}

TEST_F(DxBarPopupMenuLinkTest, ALinkForgetsAFreedControlOrMenuAndRefusesAnotherFormsControl) {
  TForm* other = NewForm<TForm>(nullptr);
  auto* foreign = new TEdit(other);
  foreign->SetParent(other);
  TdxBarPopupMenuLink* second = manager->PopupMenuLinks()->Add();
  second->SetControl(foreign);
  EXPECT_EQ(second->Control(), nullptr);
  delete other;

  second->SetControl(button);
  second->SetPopupMenu(popup);
  delete button;
  button = nullptr;
  EXPECT_EQ(second->Control(), nullptr);
  EXPECT_EQ(link->Control(), edit);
  delete popup;
  popup = nullptr;
  EXPECT_EQ(link->PopupMenu(), nullptr);
  EXPECT_EQ(second->PopupMenu(), nullptr);
  // A link without a menu shows nothing and lets the key go on.
  FocusEditAtEnd();
  Key(VK_APPS);
  EXPECT_TRUE(openedAt.empty());
}

}  // namespace
