// Menus unfolding and sliding open on the virtual clock: one step per tick, the content coming in
// from the anchored edge, the last frame the still menu, input finishing the animation first.
#include "dx/bars/dxBarMenuAnimation.h"
#include "dx/bars/tests/dxBarDropDownMenuFixture.h"

namespace {

TEST(DxBarMenuAnimationSteps, StepSizesFollowTheKindAndTheMenusShape) {
  struct TCase {
    TdxBarMenuAnimations kind;
    SIZE client;
    std::vector<SIZE> expected;
  };
  const TCase cases[] = {
      {maSlide, {60, 40}, {{60, 17}, {60, 34}}},
      {maUnfold, {20, 36}, {{8, 24}, {16, 32}}},   // taller: the width leads
      {maUnfold, {50, 17}, {{41, 8}, {49, 16}}},   // wider: the height leads
      {maUnfold, {7, 30}, {}},                     // narrower than a step: shown at once
  };
  for (const TCase& c : cases) {
    std::vector<SIZE> frames = MenuAnimationFrames(c.kind, c.client);
    ASSERT_EQ(frames.size(), c.expected.size()) << c.kind;
    for (size_t i = 0; i < frames.size(); ++i) {
      EXPECT_EQ(frames[i].cx, c.expected[i].cx) << c.kind << " step " << i;
      EXPECT_EQ(frames[i].cy, c.expected[i].cy) << c.kind << " step " << i;
    }
  }
}

TEST(DxBarMenuAnimationSteps, RandomPicksSlideOrUnfoldAndRepeatsWithTheSeed) {
  auto picks = [] {
    SetMenuAnimationSeed(7);
    std::vector<TdxBarMenuAnimations> kinds;
    for (int i = 0; i < 20; ++i) kinds.push_back(ResolveMenuAnimation(maRandom));
    return kinds;
  };
  std::vector<TdxBarMenuAnimations> first = picks();
  EXPECT_EQ(picks(), first);
  EXPECT_NE(std::count(first.begin(), first.end(), maSlide), 0);
  EXPECT_NE(std::count(first.begin(), first.end(), maUnfold), 0);
  EXPECT_EQ(ResolveMenuAnimation(maNone), maNone);
}

class DxBarMenuAnimationTest : public DxBarDropDownMenuTest {
 protected:
  // The still menu: its bounds and pixels when shown without animation.
  void TakeStillMenu() {
    manager->SetMenuAnimations(maNone);
    Open();
    ASSERT_NE(Window(), nullptr);
    still = WindowRect();
    stillClientHeight = Window()->ClientRect().bottom;
    stillPixels = Pixels(still);
    SimulateKeyPress(VK_ESCAPE, 0);
    Pump();
    ASSERT_EQ(Window(), nullptr);
  }
  // One step: the window's timers run at most every 10 ms, as the system's tick count moves.
  void Tick() {
    clock->Advance(10);
    Pump();
  }

  RECT still{};
  int stillClientHeight = 0;
  std::vector<COLORREF> stillPixels;
};

TEST_F(DxBarMenuAnimationTest, ASlidingMenuGrowsDownWithItsContentComingInFromTheTop) {
  TakeStillMenu();
  manager->SetMenuAnimations(maSlide);
  Open();
  ASSERT_NE(Window(), nullptr);
  ASSERT_TRUE(Window()->Animating());
  RECT first = WindowRect();
  EXPECT_EQ(first.top, still.top);
  EXPECT_EQ(first.right - first.left, still.right - still.left);
  const int border = still.bottom - still.top - stillClientHeight;
  EXPECT_EQ(first.bottom - first.top, 17 + border);
  // The first step shows the bottom of the still menu's client area.
  POINT client = Window()->ClientToScreen(POINT{0, 0});
  const int stillClientTop = client.y;  // the top is anchored
  for (int x = 4; x < still.right - still.left - 4; x += 7) {
    SCOPED_TRACE(x);
    const int row = stillClientTop + 17 - 1;
    const int stillRow = stillClientTop + stillClientHeight - 1;
    EXPECT_EQ(ScreenPixel(client.x + x, row),
              stillPixels[(stillRow - still.top) * (still.right - still.left) + (client.x + x - still.left)]);
  }
  KeepCheckedScreen("first-step");
  int lastHeight = first.bottom - first.top;
  int steps = 0;
  while (Window()->Animating() && steps < 100) {
    Tick();
    RECT now = WindowRect();
    EXPECT_GE(now.bottom - now.top, lastHeight);
    lastHeight = now.bottom - now.top;
    ++steps;
  }
  EXPECT_EQ(steps, stillClientHeight / 17);
  RECT last = WindowRect();
  EXPECT_TRUE(EqualRect(&last, &still));
  EXPECT_EQ(Pixels(last), stillPixels);
}

TEST_F(DxBarMenuAnimationTest, AnUnfoldingMenuGrowsInBothDirectionsAndEndsAsTheStillMenu) {
  TakeStillMenu();
  manager->SetMenuAnimations(maUnfold);
  Open();
  ASSERT_TRUE(Window() && Window()->Animating());
  RECT first = WindowRect();
  EXPECT_EQ(first.left, still.left);
  EXPECT_EQ(first.top, still.top);
  EXPECT_LT(first.right - first.left, still.right - still.left);
  EXPECT_LT(first.bottom - first.top, still.bottom - still.top);
  for (int i = 0; i < 100 && Window()->Animating(); ++i) Tick();
  EXPECT_FALSE(Window()->Animating());
  RECT last = WindowRect();
  EXPECT_TRUE(EqualRect(&last, &still));
  EXPECT_EQ(Pixels(last), stillPixels);
}

TEST_F(DxBarMenuAnimationTest, AKeyDuringTheAnimationWaitsForItsLastFrame) {
  TakeStillMenu();
  manager->SetMenuAnimations(maSlide);
  Open();
  ASSERT_TRUE(Window() && Window()->Animating());
  SimulateKeyPress(VK_DOWN, 0);
  Pump();
  ASSERT_NE(Window(), nullptr);
  EXPECT_FALSE(Window()->Animating());
  RECT now = WindowRect();
  EXPECT_TRUE(EqualRect(&now, &still));
  EXPECT_EQ(Window()->SelectedControl(), menu->ItemLinks()->Items(0)->Control());
}

TEST_F(DxBarMenuAnimationTest, AMenuClosedOrItsFormFreedWhileAnimatingLeavesNothingRunning) {
  manager->SetMenuAnimations(maUnfold);
  Open();
  ASSERT_TRUE(Window() && Window()->Animating());
  Window()->CloseMenu();
  EXPECT_EQ(Window(), nullptr);
  for (int i = 0; i < 10; ++i) Tick();  // no step reaches the freed menu
  Open();
  ASSERT_TRUE(Window() && Window()->Animating());
  delete form;  // the fixture's tear-down finds nothing left
  form = nullptr;
  for (int i = 0; i < 10; ++i) Tick();
}

TEST_F(DxBarMenuAnimationTest, NoAnimationWithMaNoneOrWhileCustomizing) {
  for (bool customizing : {false, true}) {
    manager->SetMenuAnimations(customizing ? maSlide : maNone);
    manager->SetCustomizing(customizing);
    if (customizing) {
      // A press in customizing mode picks the button rather than dropping its menu down.
      menu->SetNonModal(true);
      RECT r = ScreenRectOf(bar->ItemLinks()->Items(0));
      menu->Popup(r.left, r.bottom);
      menu->SetNonModal(false);
    } else {
      Open();
    }
    ASSERT_NE(Window(), nullptr);
    EXPECT_FALSE(Window()->Animating());
    Window()->CloseMenu();
    Pump();
  }
  manager->SetCustomizing(false);
}

// Near the bottom of the screen the menu opens above its button and grows upwards from it.
TEST_F(DxBarMenuAnimationTest, AMenuFlippedAboveItsButtonGrowsUpwards) {
  bar->Control()->SetBounds(bar->Control()->Left(), 700, bar->Control()->Width(), bar->Control()->Height());
  Pump();
  TakeStillMenu();
  RECT button = ScreenRectOf(bar->ItemLinks()->Items(0));
  ASSERT_LE(still.bottom, button.top);  // flipped above the button
  manager->SetMenuAnimations(maSlide);
  Open();
  ASSERT_TRUE(Window() && Window()->Animating());
  RECT first = WindowRect();
  EXPECT_EQ(first.bottom, still.bottom);
  EXPECT_GT(first.top, still.top);
  for (int i = 0; i < 100 && Window()->Animating(); ++i) Tick();
  EXPECT_EQ(Pixels(WindowRect()), stillPixels);
}

}  // namespace
