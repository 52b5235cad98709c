#include "dx/bars/dxBarSubItem.h"
#include "dx/bars/dxBarSubItemControl.h"
#include "dx/bars/dxBarSubMenuControl.h"
#include "dx/bars/tests/dxBarTestSupport.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"

namespace {

class DxBarSubItemPropertyTest : public DxBarTest {};

TEST_F(DxBarSubItemPropertyTest, DetachingBarAndBarSizeAreKeptInRange) {
  auto* sub = new TdxBarSubItem(form.get());
  manager->Bars()->Add();
  manager->Bars()->Add();
  struct TCase {
    int set, stored;
  };
  for (TCase c : {TCase{1, 1}, TCase{2, -1}, TCase{-2, -1}, TCase{0, 0}}) {
    sub->SetDetachingBar(c.set);
    EXPECT_EQ(sub->DetachingBar(), c.stored) << c.set;
  }
  sub->SetBarSize(-5);
  EXPECT_EQ(sub->BarSize(), 0);
  EXPECT_FALSE(sub->CanClick());
}

TEST_F(DxBarSubItemPropertyTest, TheDetachingBarIsFollowedThroughDeletions) {
  auto* sub = new TdxBarSubItem(form.get());
  for (int i = 0; i < 3; ++i) manager->Bars()->Add();
  TdxBar* target = manager->Bars()->Items(2);
  sub->SetDetachingBar(2);
  delete manager->Bars()->Items(0);
  EXPECT_EQ(sub->DetachingBar(), 1);
  EXPECT_EQ(manager->Bars()->Items(1), target);
  delete target;
  EXPECT_EQ(sub->DetachingBar(), -1);
}

TEST_F(DxBarSubItemPropertyTest, ASubItemCannotContainItself) {
  auto* outer = new TdxBarSubItem(form.get());
  auto* inner = new TdxBarSubItem(form.get());
  inner->ItemLinks()->Add()->SetItem(outer);
  EXPECT_THROW(outer->ItemLinks()->Add()->SetItem(inner), Exception);
  EXPECT_THROW(outer->ItemLinks()->Add()->SetItem(outer), Exception);
}

class DxBarSubItemTest : public DxBarUiTest {
 protected:
  void SetUp() override {
    DxBarUiTest::SetUp();
    menu = MakeTopBar(u"Main Menu", 0, true);
    file = AddSubItem(menu->ItemLinks(), u"&File");
    open = AddCommand(file, u"&Open");
    recent = AddSubItem(file->ItemLinks(), u"&Recent");
    AddCommand(recent, u"first.txt");
    AddCommand(file, u"E&xit");
    edit = AddSubItem(menu->ItemLinks(), u"&Edit");
    AddCommand(edit, u"Cu&t");
    menu->SetVisible(true);
    SetForegroundWindow(form->Handle());
    Pump();
  }
  TdxBarSubItem* AddSubItem(TdxBarItemLinks* Links, const String& Caption) {
    auto* sub = new TdxBarSubItem(form);
    sub->SetCaption(Caption);
    sub->SetCategory(0);
    sub->OnPopup = [this, sub](TObject*) { events.push_back(u"popup " + sub->Caption()); };
    sub->OnCloseUp = [this, sub](TObject*) { events.push_back(u"closeup " + sub->Caption()); };
    Links->Add()->SetItem(sub);
    return sub;
  }
  TdxBarButton* AddCommand(TdxBarSubItem* Sub, const String& Caption) {
    auto* button = new TdxBarButton(form);
    button->SetCaption(Caption);
    button->SetCategory(0);
    button->OnClick = [this, button](TObject*) { events.push_back(u"click " + button->Caption()); };
    Sub->ItemLinks()->Add()->SetItem(button);
    return button;
  }
  TdxBarSubItemControl* ControlOf(TdxBarItemLinks* Links, int Index) const {
    return static_cast<TdxBarSubItemControl*>(Links->Items(Index)->Control());
  }
  TdxBarSubItemControl* FileControl() const { return ControlOf(menu->ItemLinks(), 0); }
  TdxBarSubItemControl* EditControl() const { return ControlOf(menu->ItemLinks(), 1); }
  static RECT ScreenRectIn(TdxBarItemLink* Link) {
    RECT r = Link->ItemRect();
    POINT origin = Link->Owner()->BarControl()->ClientToScreen(POINT{0, 0});
    OffsetRect(&r, origin.x, origin.y);
    return r;
  }
  void Wait(int Milliseconds) {
    clock->Advance(Milliseconds);
    Pump();
  }

  TdxBar* menu = nullptr;
  TdxBarSubItem *file = nullptr, *recent = nullptr, *edit = nullptr;
  TdxBarButton* open = nullptr;
  std::vector<String> events;
};

TEST_F(DxBarSubItemTest, AClickOnAMainMenuEntryOpensItsMenuBelowIt) {
  RECT entry = ScreenRectIn(menu->ItemLinks()->Items(0));
  ClickAt(CentreOf(entry));
  ASSERT_TRUE(FileControl()->IsOpen());
  TdxBarSubMenuControl* sub = FileControl()->SubMenu();
  RECT window;
  GetWindowRect(sub->Handle(), &window);
  EXPECT_EQ(window.left, entry.left);
  EXPECT_EQ(window.top, entry.bottom);
  EXPECT_EQ(ActiveBarControl(), sub);
  EXPECT_EQ(sub->ItemLinks(), file->ItemLinks());
  EXPECT_EQ(events, (std::vector<String>{u"popup &File"}));
  KeepCheckedScreen();
  // A command of the menu runs and closes everything.
  ClickAt(CentreOf(ScreenRectIn(file->ItemLinks()->Items(0))));
  EXPECT_EQ(events.back(), u"click &Open");
  EXPECT_FALSE(FileControl()->IsOpen());
  EXPECT_EQ(ActiveBarControl(), nullptr);
}

TEST_F(DxBarSubItemTest, ClickingAnOpenEntryClosesItOnlyInTheStandardStyle) {
  for (TdxBarManagerStyle style : {bmsStandard, bmsEnhanced, bmsFlat}) {
    SCOPED_TRACE(static_cast<int>(style));
    manager->SetStyle(style);
    Pump();
    POINT at = CentreOf(ScreenRectIn(menu->ItemLinks()->Items(0)));
    ClickAt(at);
    ASSERT_TRUE(FileControl()->IsOpen());
    ClickAt(at);
    EXPECT_EQ(FileControl()->IsOpen(), style != bmsStandard);
    menu->Control()->Close();
    Pump();
  }
}

TEST_F(DxBarSubItemTest, WhileAMenuIsDroppedHoveringAnotherEntryOpensItsMenu) {
  ClickAt(CentreOf(ScreenRectIn(menu->ItemLinks()->Items(0))));
  ASSERT_TRUE(FileControl()->IsOpen());
  MoveTo(CentreOf(ScreenRectIn(menu->ItemLinks()->Items(1))));
  EXPECT_FALSE(FileControl()->IsOpen());
  EXPECT_TRUE(EditControl()->IsOpen());
  EXPECT_EQ(events, (std::vector<String>{u"popup &File", u"closeup &File", u"popup &Edit"}));
  // Clicking the other entry directly (standard style) leaves it open.
  ClickAt(CentreOf(ScreenRectIn(menu->ItemLinks()->Items(0))));
  EXPECT_TRUE(FileControl()->IsOpen());
  EXPECT_FALSE(EditControl()->IsOpen());
}

TEST_F(DxBarSubItemTest, ACascadingMenuOpensAfterTheHoverDelay) {
  ClickAt(CentreOf(ScreenRectIn(menu->ItemLinks()->Items(0))));
  TdxBarSubItemControl* recentControl = ControlOf(file->ItemLinks(), 1);
  RECT recentRect = ScreenRectIn(file->ItemLinks()->Items(1));
  MoveTo(CentreOf(recentRect));
  Wait(399);
  EXPECT_FALSE(recentControl->IsOpen());
  Wait(1);
  ASSERT_TRUE(recentControl->IsOpen());
  RECT window;
  GetWindowRect(recentControl->SubMenu()->Handle(), &window);
  EXPECT_EQ(window.left, recentRect.right);
  EXPECT_EQ(window.top, recentRect.top - 3);
  KeepCheckedScreen("cascade");
  // Leaving it closes it 400 ms later; coming back before then keeps it.
  MoveTo(CentreOf(ScreenRectIn(file->ItemLinks()->Items(0))));
  Wait(200);
  EXPECT_TRUE(recentControl->IsOpen());
  MoveTo(CentreOf(recentRect));
  Wait(600);
  EXPECT_TRUE(recentControl->IsOpen());
  MoveTo(CentreOf(ScreenRectIn(file->ItemLinks()->Items(2))));
  Wait(400);
  EXPECT_FALSE(recentControl->IsOpen());
  EXPECT_FALSE(TdxBarSubItemControl::HasPendingTimer());
}

TEST_F(DxBarSubItemTest, MovingOnBeforeTheDelayOpensNothing) {
  ClickAt(CentreOf(ScreenRectIn(menu->ItemLinks()->Items(0))));
  TdxBarSubItemControl* recentControl = ControlOf(file->ItemLinks(), 1);
  MoveTo(CentreOf(ScreenRectIn(file->ItemLinks()->Items(1))));
  Wait(200);
  MoveTo(CentreOf(ScreenRectIn(file->ItemLinks()->Items(0))));
  Wait(1000);
  EXPECT_FALSE(recentControl->IsOpen());
}

TEST_F(DxBarSubItemTest, TheKeyboardOpensMenusWithTheirFirstEntrySelected) {
  Key('F', 4);
  ASSERT_TRUE(FileControl()->IsOpen());
  TdxBarSubMenuControl* sub = FileControl()->SubMenu();
  EXPECT_EQ(sub->SelectedControl(), file->ItemLinks()->Items(0)->Control());
  Key(VK_DOWN);
  Key(VK_RIGHT);
  TdxBarSubItemControl* recentControl = ControlOf(file->ItemLinks(), 1);
  ASSERT_TRUE(recentControl->IsOpen());
  EXPECT_EQ(recentControl->SubMenu()->SelectedControl(), recent->ItemLinks()->Items(0)->Control());
  Key(VK_RETURN);
  EXPECT_EQ(events.back(), u"click first.txt");
  EXPECT_EQ(ActiveBarControl(), nullptr);
}

TEST_F(DxBarSubItemTest, AMainMenuEntryIsItsCaptionWithTheTextIndentEachSide) {
  // 4 characters of 8 pixels and half the 16-pixel font on each side; no arrow in a main menu.
  RECT r = menu->ItemLinks()->Items(0)->ItemRect();
  EXPECT_EQ(r.right - r.left, 32 + 16);
  EXPECT_EQ(r.bottom - r.top, menu->Control()->TextSize());
}

}  // namespace
