// A menu taller than the work area: shortened to fit, scrolled by resting on its arrows (80 ms a
// link) and by selecting an entry out of view.
#include "dx/bars/tests/dxBarDropDownMenuFixture.h"

namespace {

class DxBarMenuScrollingTest : public DxBarDropDownMenuTest {
 protected:
  void SetUp() override {
    DxBarDropDownMenuTest::SetUp();
    for (int i = 0; i < 40; ++i) {
      auto* entry = new TdxBarButton(form);
      entry->SetCaption(u"Entry " + IntToStr(i));
      menu->ItemLinks()->Add()->SetItem(entry);
    }
    Open();
    ASSERT_NE(Window(), nullptr);
  }
  TdxBarItemLink* Link(int Index) const { return menu->ItemLinks()->Items(Index); }
  int LinkCount() const { return menu->ItemLinks()->Count(); }
  void Rest(int Ms) {
    clock->Advance(Ms);
    Pump();
  }
};

TEST_F(DxBarMenuScrollingTest, ATallMenuIsShortenedWithADownArrow) {
  RECT work = GetWorkAreaAt(POINT{200, 200});
  EXPECT_LE(WindowRect().bottom, work.bottom);
  EXPECT_TRUE(IsRectEmpty(&Window()->UpArrowRect()));
  EXPECT_FALSE(IsRectEmpty(&Window()->DownArrowRect()));
  EXPECT_FALSE(IsRectEmpty(&Link(0)->ItemRect()));
  EXPECT_TRUE(IsRectEmpty(&Link(LinkCount() - 1)->ItemRect()));
  // No link reaches into the arrow.
  for (int i = 0; i < LinkCount(); ++i) EXPECT_LE(Link(i)->ItemRect().bottom, Window()->DownArrowRect().top);
  KeepCheckedScreen();
}

TEST_F(DxBarMenuScrollingTest, RestingOnAnArrowScrollsALinkEvery80Ms) {
  MoveTo(Window()->ClientToScreen(CentreOf(Window()->DownArrowRect())));
  Rest(TdxBarSubMenuControl::kScrollPeriod);
  EXPECT_EQ(Window()->FirstVisible(), 1);
  for (int i = 0; i < 3; ++i) Rest(TdxBarSubMenuControl::kScrollPeriod);
  EXPECT_EQ(Window()->FirstVisible(), 4);
  EXPECT_FALSE(IsRectEmpty(&Window()->UpArrowRect()));
  EXPECT_TRUE(IsRectEmpty(&Link(0)->ItemRect()));
  EXPECT_EQ(Window()->SelectedControl(), nullptr);
  // Off the arrows the scrolling stops.
  MoveTo(Window()->ClientToScreen(CentreOf(Link(10)->ItemRect())));
  Rest(5 * TdxBarSubMenuControl::kScrollPeriod);
  EXPECT_EQ(Window()->FirstVisible(), 4);
  MoveTo(Window()->ClientToScreen(CentreOf(Window()->UpArrowRect())));
  for (int i = 0; i < 2; ++i) Rest(TdxBarSubMenuControl::kScrollPeriod);
  EXPECT_EQ(Window()->FirstVisible(), 2);
}

TEST_F(DxBarMenuScrollingTest, SelectingAnEntryOutOfViewScrollsItIn) {
  TdxBarItemControl* last = Link(LinkCount() - 1)->Control();
  Window()->SelectItem(last);
  EXPECT_GT(Window()->FirstVisible(), 0);
  RECT r = Link(LinkCount() - 1)->ItemRect();
  EXPECT_FALSE(IsRectEmpty(&r));
  EXPECT_LE(r.bottom, Window()->ClientRect().bottom);
  Window()->SelectItem(Link(0)->Control());
  EXPECT_EQ(Window()->FirstVisible(), 0);
  EXPECT_FALSE(IsRectEmpty(&Link(0)->ItemRect()));
}

}  // namespace
