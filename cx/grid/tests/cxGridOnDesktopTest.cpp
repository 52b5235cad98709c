// The grid's top tabs shown by the SDL back end on a virtual X server: a click on a tab, checked on
// the pixels X shows.
#include "cx/grid/cxGridDetailsSite.h"
#include "cx/grid/tests/cxGridTestUtil.h"
#include "platform/display/Display.h"
#include "platform/display/testing/DesktopPixels.h"
#include "platform/display/testing/VirtualDesktop.h"
#include "platform/win/Paint.h"

using CxGridOnDesktopTest = CxGridTest;

TEST_F(CxGridOnDesktopTest, ATabClickShownOnTheDesktop) {
  if (!OnVirtualDesktop()) {
    if (!VirtualDesktopInstalled()) GTEST_SKIP() << "xvfb-run is not installed";
    RunTestOnVirtualDesktop();
    return;
  }
  SetScreenSize(640, 480);
  ASSERT_TRUE(StartDisplay(TDisplayKind::Sdl)) << LastDisplayError();
  void* window = DisplaySdlWindow();
  ASSERT_NE(window, nullptr);
  grid_->Font()->SetName(kFixedTestFontName);
  grid_->Font()->SetHeight(-16);
  TcxGridLevel* levels[2];
  AddTopView(u"View1", &levels[0]);
  AddTopView(u"View2", &levels[1]);
  levels[0]->SetCaption(S("One"));
  levels[1]->SetCaption(S("Two"));
  grid_->RootLevelOptions()->SetDetailTabsPosition(dtpTop);
  form_->Show();
  Pump();
  TcxCustomGridDetailsSiteTabsViewInfo* tabs = grid_->ViewInfo()->DetailsSiteViewInfo()->TabsViewInfo();
  const RECT second = tabs->Items(1)->Bounds;
  Click(grid_, (second.left + second.right) / 2, (second.top + second.bottom) / 2);
  EXPECT_EQ(grid_->ActiveLevel(), levels[1]);
  LetDesktopSettle();
  Pump();
  LetDesktopSettle();

  const auto shot = ReadDesktopImage(window);
  ASSERT_TRUE(shot);
  KeepCheckedScreen();
  RECT wr;
  GetWindowRect(form_->Handle(), &wr);
  EXPECT_EQ(CountPixelsDifferingFromScreen(*shot, wr), 0)
      << "pixels of the form differ from the framework's screen";
  // The active second tab's top border stands on the row where the inactive first tab has none.
  tabs = grid_->ViewInfo()->DetailsSiteViewInfo()->TabsViewInfo();
  const RECT first = tabs->Items(0)->Bounds;
  const RECT active = tabs->Items(1)->Bounds;
  auto at = [&](int x, int y) {
    const POINT p = grid_->ClientToScreen(POINT{x, y});
    return shot->At(p.x, p.y);
  };
  const int row = tabs->Bounds.top + 2;
  EXPECT_NE(at((active.left + active.right) / 2, row), at((active.left + active.right) / 2, row - 1));
  EXPECT_EQ(at((first.left + first.right) / 2, row), at((first.left + first.right) / 2, row - 1));
  StopDisplay();
}
