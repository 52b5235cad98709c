#include "dx/bars/dxBarHint.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"

namespace {

class DxBarHintTest : public DxBarUiTest {
 protected:
  void SetUp() override {
    DxBarUiTest::SetUp();
    bar = MakeFloatingBar(200, 150, {u"Open", u"Save", u"Print"});
  }
  POINT Centre(int Index) { return CentreOf(ScreenRectOf(bar->ItemLinks()->Items(Index))); }
  void Wait(int Ms) {
    clock->Advance(Ms);
    Pump();
  }
  static bool HintShown() { return BarHintWindow() && BarHintWindow()->Showing(); }
  TdxBar* bar = nullptr;
};

TEST_F(DxBarHintTest, AHintShowsAfterASecondAndHidesAfterTen) {
  MoveTo(Centre(0));
  Wait(999);
  EXPECT_FALSE(HintShown());
  Wait(1);
  ASSERT_TRUE(HintShown());
  EXPECT_EQ(BarHintWindow()->HintText(), u"Open");
  RECT hint;
  GetWindowRect(BarHintWindow()->Handle(), &hint);
  EXPECT_EQ(hint.top, Centre(0).y + 20);  // 20 pixels below the cursor
  KeepCheckedScreen();
  Wait(9999);
  EXPECT_TRUE(HintShown());
  Wait(1);
  EXPECT_FALSE(HintShown());
}

TEST_F(DxBarHintTest, MovingOnQuicklyShowsTheNextHintAtOnce) {
  MoveTo(Centre(0));
  Wait(1000);
  ASSERT_TRUE(HintShown());
  MoveTo(POINT{900, 700});  // off the bar: the hint goes
  EXPECT_FALSE(HintShown());
  Wait(300);
  MoveTo(Centre(1));  // within 400 ms
  EXPECT_TRUE(HintShown());
  EXPECT_EQ(BarHintWindow()->HintText(), u"Save");
  MoveTo(POINT{900, 700});
  Wait(400);
  MoveTo(Centre(2));  // too late for the quick re-show
  EXPECT_FALSE(HintShown());
  Wait(1000);
  EXPECT_TRUE(HintShown());
}

TEST_F(DxBarHintTest, DisabledItemsAndShortcutsInHints) {
  auto* open = static_cast<TdxBarButton*>(bar->ItemLinks()->Items(0)->Item());
  auto* save = static_cast<TdxBarButton*>(bar->ItemLinks()->Items(1)->Item());
  open->SetEnabled(false);
  manager->SetShowHintForDisabledItems(false);
  MoveTo(Centre(0));
  Wait(1000);
  EXPECT_FALSE(HintShown());
  save->SetShortCut(ShortCut('S', TShiftState{ssCtrl}));
  manager->SetShowShortCutInHint(true);
  MoveTo(Centre(1));
  Wait(1000);
  ASSERT_TRUE(HintShown());
  EXPECT_EQ(BarHintWindow()->HintText(), u"Save (Ctrl+S)");
}

TEST_F(DxBarHintTest, TheSelectionsLongHintIsTheBarWindowsHint) {
  auto* open = static_cast<TdxBarButton*>(bar->ItemLinks()->Items(0)->Item());
  auto* save = static_cast<TdxBarButton*>(bar->ItemLinks()->Items(1)->Item());
  open->SetHint(u"Open|Opens a document");
  save->SetHint(u"Save|Writes the document");
  MoveTo(Centre(1));
  EXPECT_EQ(bar->Control()->Hint(), u"Writes the document");
  open->SetEnabled(false);
  manager->SetShowHintForDisabledItems(false);
  MoveTo(Centre(0));
  EXPECT_EQ(bar->Control()->Hint(), u"");
  MoveTo(POINT{900, 700});
  EXPECT_EQ(bar->Control()->Hint(), u"");
}

TEST(DxBarHintPlacementTest, AHintThatWouldLeaveTheWorkAreaMovesBack) {
  const RECT work{0, 0, 800, 600};
  EXPECT_EQ(TdxBarHintWindow::HintPosition(POINT{100, 100}, SIZE{80, 20}, work), (POINT{100, 100}));
  EXPECT_EQ(TdxBarHintWindow::HintPosition(POINT{780, 100}, SIZE{80, 20}, work), (POINT{720, 100}));
  // Below the work area: its top 50 pixels above the point (30 above the cursor).
  EXPECT_EQ(TdxBarHintWindow::HintPosition(POINT{100, 590}, SIZE{80, 20}, work), (POINT{100, 540}));
}

}  // namespace
