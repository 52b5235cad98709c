// Short menus: the entries used most and an expand button; Ctrl+Down, Down on the last entry, a
// click on the button or the delay list them all until the chain ends.
#include "dx/bars/tests/dxBarShortMenuFixture.h"

namespace {

TEST_F(DxBarShortMenuTest, AShortMenuListsAllEntriesByEachWayOfExpanding) {
  struct TCase {
    const char* how;
    std::function<void()> expand;
  };
  const TCase cases[] = {
      {"Ctrl+Down", [this] { Key(VK_DOWN, 2); }},
      {"Down on the last entry",
       [this] {
         Key(VK_DOWN);  // Mail
         Key(VK_DOWN);  // Disk, the last shown
         Key(VK_DOWN);  // expands, then moves on to Archive
         EXPECT_EQ(Window()->SelectedControl(), menu->ItemLinks()->Items(3)->Control());
       }},
      {"a click on the button",
       [this] {
         RECT button = Window()->ExpandButtonRect();
         ClickAt(Window()->ClientToScreen(CentreOf(button)));
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.how);
    Open();
    ASSERT_NE(Window(), nullptr);
    EXPECT_EQ(Shown(), 2u);
    ASSERT_TRUE(Window()->HasExpandButton());
    const int shortHeight = WindowRect().bottom - WindowRect().top;
    KeepCheckedScreen("short");
    c.expand();
    ASSERT_NE(Window(), nullptr);
    EXPECT_EQ(Shown(), 4u);
    EXPECT_FALSE(Window()->HasExpandButton());
    EXPECT_GT(WindowRect().bottom - WindowRect().top, shortHeight);
    Key(VK_ESCAPE);
    ASSERT_EQ(Window(), nullptr);
    EXPECT_EQ(ActiveBarControl(), nullptr);
  }
}

TEST_F(DxBarShortMenuTest, AnExpandedMenuOpensAgainWithTheAnimation) {
  auto expandedMenu = [this](TdxBarMenuAnimations Kind) {
    manager->SetMenuAnimations(Kind);
    Open();
    for (int i = 0; i < 100 && Window()->Animating(); ++i) Wait(10);
    // Held down: a key-up, as any key, would finish the animation at once.
    SimulateKeyDown(VK_CONTROL);
    SimulateKeyDown(VK_DOWN);
    Pump();
  };
  auto release = [this] {
    SimulateKeyUp(VK_DOWN);
    SimulateKeyUp(VK_CONTROL);
    Pump();
  };
  expandedMenu(maNone);
  release();
  EXPECT_FALSE(Window()->Animating());
  const RECT still = WindowRect();
  const std::vector<COLORREF> stillPixels = Pixels(still);
  Key(VK_ESCAPE);

  expandedMenu(maSlide);
  ASSERT_TRUE(Window()->Animating());
  RECT first = WindowRect();
  EXPECT_EQ(first.top, still.top);
  EXPECT_LT(first.bottom - first.top, still.bottom - still.top);
  for (int i = 0; i < 100 && Window()->Animating(); ++i) Wait(10);
  EXPECT_FALSE(Window()->Animating());
  release();
  RECT last = WindowRect();
  EXPECT_TRUE(EqualRect(&last, &still));
  EXPECT_EQ(Pixels(last), stillPixels);
  EXPECT_EQ(Shown(), 4u);
  Key(VK_ESCAPE);
}

TEST_F(DxBarShortMenuTest, ExpandingLastsForTheChainAndANewChainStartsShortAgain) {
  Open();
  Key(VK_DOWN, 2);
  EXPECT_TRUE(MenusExpanded());
  Key(VK_ESCAPE);
  EXPECT_EQ(ActiveBarControl(), nullptr);
  Open();
  EXPECT_FALSE(MenusExpanded());
  EXPECT_EQ(Shown(), 2u);
  Key(VK_ESCAPE);
}

TEST_F(DxBarShortMenuTest, TheDelayExpandsOnlyWithShowFullMenusAfterDelay) {
  for (bool delay : {false, true}) {
    SCOPED_TRACE(delay);
    manager->SetShowFullMenusAfterDelay(delay);
    Open();
    ASSERT_NE(Window(), nullptr);
    clock->Advance(TdxBarSubMenuControl::kShowFullMenusDelay - 10);
    Pump();
    EXPECT_EQ(Shown(), 2u);
    clock->Advance(20);
    Pump();
    EXPECT_EQ(Shown(), delay ? 4u : 2u);
    Key(VK_ESCAPE);
  }
}

TEST_F(DxBarShortMenuTest, NoShortMenusInTheStandardStyleOrWithoutRecentItemsFirst) {
  for (int variant = 0; variant < 2; ++variant) {
    SCOPED_TRACE(variant);
    if (variant == 0) manager->SetStyle(bmsStandard);
    if (variant == 1) {
      manager->SetStyle(bmsEnhanced);
      manager->SetMenusShowRecentItemsFirst(false);
    }
    Open();
    ASSERT_NE(Window(), nullptr);
    EXPECT_EQ(Shown(), 4u);
    EXPECT_FALSE(Window()->HasExpandButton());
    Key(VK_ESCAPE);
  }
}

}  // namespace
