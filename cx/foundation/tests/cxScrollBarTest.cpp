#include "cx/foundation/cxScrollBar.h"

#include <string>
#include <vector>

#include "cx/foundation/tests/cxControlsTestUtil.h"
#include "platform/gdi/testing/TestThemeProvider.h"
#include "platform/rtl/Exceptions.h"

namespace {

class CxScrollBarTest : public CxControlsTest {
 protected:
  TcxScrollBar* MakeBar(int Width = 216, TScrollBarKind Kind = sbHorizontal) {
    form_ = MakeForm();
    auto* bar = new TcxScrollBar(form_);
    bar->SetParent(form_);
    bar->SetKind(Kind);
    if (Kind == sbHorizontal)
      bar->SetBounds(10, 10, Width, 16);
    else
      bar->SetBounds(10, 10, 16, Width);
    form_->Show();
    Pump();
    return bar;
  }
  TForm* form_ = nullptr;
};

// Horizontal bar 216 wide: arrows of 16, a track of 184 from x = 16.
struct ThumbCase {
  int width, min, max, page, position;
  int thumbLeft, thumbRight;  // 0, 0: no thumb
};

TEST_F(CxScrollBarTest, ThumbSizeAndPlaceFollowRangePageAndPosition) {
  const ThumbCase cases[] = {
      {216, 0, 99, 10, 0, 16, 34},       // length 10/100 of 184
      {216, 0, 99, 10, 45, 99, 117},     // half-way along the free 166
      {216, 0, 99, 10, 90, 182, 200},    // last page: against the second arrow
      {216, 0, 99, 10, 99, 182, 200},    // beyond the last page stays there
      {216, 0, 999, 1, 500, 104, 112},   // a tiny page is raised to the minimum thumb of 8
      {216, 0, 100, 0, 50, 100, 116},    // no page: the system thumb size, free track 168
      {216, 10, 50, 5, 10, 16, 38},      // Min 10 at Position 10 sits right after the first arrow
      {216, 5, 5, 0, 5, 16, 32},         // Min = Max without a page: the system thumb at the start
      {216, 5, 5, 1, 5, 0, 0},           // Min = Max with a page: no thumb
      {216, 5, 14, 10, 9, 16, 200},      // the page covers the range: the thumb fills the track
      {216, 5, 12, 10, 7, 16, 200},      // a page larger than the range too
      {30, 0, 99, 10, 0, 0, 0},          // arrows take half each, no track left
      {39, 0, 99, 10, 0, 0, 0},          // a track of 7 is below the minimum thumb
  };
  for (const ThumbCase& c : cases) {
    TcxScrollBar* bar = MakeBar(c.width);
    bar->SetScrollInfo(c.min, c.max, c.position, c.page);
    const RECT t = bar->ThumbRect();
    SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << " page " << c.page << " pos " << c.position);
    EXPECT_EQ(t.left, c.thumbLeft);
    EXPECT_EQ(t.right, c.thumbRight);
    if (c.thumbRight == 0) {
      EXPECT_TRUE(IsRectEmpty(&t));
      const RECT pageUp = bar->PageUpRect(), pageDown = bar->PageDownRect();
      EXPECT_TRUE(IsRectEmpty(&pageUp) && IsRectEmpty(&pageDown));
    } else {
      EXPECT_EQ(bar->PageUpRect().right, t.left);
      EXPECT_EQ(bar->PageDownRect().left, t.right);
      EXPECT_EQ(bar->HitTestPart({(t.left + t.right) / 2, 5}), sbpThumbnail);
    }
    const int arrow = std::min(c.width / 2, 16);
    EXPECT_EQ(bar->FirstArrowRect().right, arrow);
    EXPECT_EQ(bar->SecondArrowRect().left, c.width - arrow);
    Forget(form_);
    delete form_;
  }
}

TEST_F(CxScrollBarTest, SetScrollInfoRefusesBadRangesAndClampsThePosition) {
  TcxScrollBar* bar = MakeBar();
  int changes = 0;
  bar->OnChange = [&](TObject*) { ++changes; };
  bar->SetScrollInfo(0, 50, 20, 10);
  EXPECT_EQ(changes, 1);

  EXPECT_THROW(bar->SetScrollInfo(10, 5, 7, 0), EInvalidOperation);
  EXPECT_THROW(bar->SetScrollInfo(0, 5, 3, 6), EInvalidOperation);
  try {
    bar->SetMax(-1);
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), String(u"Scrollbar property out of range"));
  }
  EXPECT_EQ(bar->Min(), 0);
  EXPECT_EQ(bar->Max(), 50);
  EXPECT_EQ(bar->Position(), 20);
  EXPECT_EQ(bar->PageSize(), 10);

  bar->SetPosition(500);
  EXPECT_EQ(bar->Position(), 50);
  bar->SetPosition(-3);
  EXPECT_EQ(bar->Position(), 0);
  EXPECT_EQ(changes, 3);
  bar->SetPosition(0);
  EXPECT_EQ(changes, 3) << "the same position fires no OnChange";
}

TEST_F(CxScrollBarTest, ScrollAsksOnScrollForEveryActionAndMayBeRedirected) {
  TcxScrollBar* bar = MakeBar();
  bar->SetScrollInfo(0, 100, 50, 10);
  bar->SetSmallChange(3);
  bar->SetLargeChange(10);
  std::vector<std::pair<TScrollCode, int>> seen;
  bar->OnScroll = [&](TObject*, TScrollCode Code, int& Pos) { seen.push_back({Code, Pos}); };

  bar->Scroll(scLineDown);
  bar->Scroll(scPageUp);
  bar->Scroll(scBottom);
  bar->Scroll(scLineDown);  // at the end: asked, nothing moves
  bar->Scroll(scTop);
  const std::vector<std::pair<TScrollCode, int>> expected{
      {scLineDown, 53}, {scPageUp, 43}, {scBottom, 100}, {scLineDown, 100}, {scTop, 0}};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(bar->Position(), 0);

  bar->OnScroll = [](TObject*, TScrollCode, int& Pos) { Pos = 1000; };
  bar->Scroll(scLineDown);
  EXPECT_EQ(bar->Position(), 100) << "a redirected position is clamped again";

  int changes = 0;
  bar->OnChange = [&](TObject*) { ++changes; };
  bar->OnScroll = [](TObject*, TScrollCode, int& Pos) { Pos = 40; };
  bar->Scroll(scTrack);
  EXPECT_EQ(bar->Position(), 40);
  EXPECT_EQ(changes, 0) << "tracking moves the position without OnChange";
}

TEST_F(CxScrollBarTest, HeldArrowRepeatsAfter400ThenEvery60WhileOverIt) {
  TcxScrollBar* bar = MakeBar();
  bar->SetScrollInfo(0, 1000, 0, 10);
  Down(bar, 210, 8);  // the second arrow
  EXPECT_EQ(bar->Position(), 1) << "one step at once";
  Advance(390);
  EXPECT_EQ(bar->Position(), 1);
  Advance(10);
  EXPECT_EQ(bar->Position(), 2);
  Advance(60);
  EXPECT_EQ(bar->Position(), 3);
  Advance(120);
  EXPECT_EQ(bar->Position(), 5);
  EXPECT_EQ(bar->GetPartState(sbpLineDown), cxbsPressed);

  MoveTo(bar, 100, 8);  // off the arrow: paused
  Advance(300);
  EXPECT_EQ(bar->Position(), 5);
  EXPECT_EQ(bar->GetPartState(sbpLineDown), cxbsNormal);
  MoveTo(bar, 210, 8);  // back: resumes at 60 ms
  Advance(60);
  EXPECT_EQ(bar->Position(), 6);

  Up(bar, 210, 8);
  Advance(300);
  EXPECT_EQ(bar->Position(), 6);
  EXPECT_EQ(bar->PressedPart(), sbpNone);
}

TEST_F(CxScrollBarTest, DraggedThumbFollowsInsideTheToleranceZoneAndSnapsBackOutside) {
  TcxScrollBar* bar = MakeBar();
  bar->SetScrollInfo(0, 99, 0, 10);  // thumb 16..34, free track 166 for 90 positions
  std::vector<TScrollCode> codes;
  bar->OnScroll = [&](TObject*, TScrollCode Code, int&) { codes.push_back(Code); };

  Down(bar, 20, 8);
  MoveTo(bar, 103, 8);  // 83 pixels: half the free track
  EXPECT_EQ(bar->ThumbRect().left, 99);
  EXPECT_EQ(bar->Position(), 45);
  MoveTo(bar, 103, 8 + 200);  // far below the bar: back where the drag began
  EXPECT_EQ(bar->Position(), 0);
  EXPECT_EQ(bar->ThumbRect().left, 16);
  MoveTo(bar, 103, 8 + 130);  // inside the 136-pixel zone again
  EXPECT_EQ(bar->Position(), 45);
  MoveTo(bar, 500, 8);  // far right but only 284 past the bar's end: outside the 34-pixel zone
  EXPECT_EQ(bar->Position(), 0);
  MoveTo(bar, 216 + 30, 8);  // past the end inside the zone: the thumb stops at the second arrow
  EXPECT_EQ(bar->ThumbRect().right, 200);
  EXPECT_EQ(bar->Position(), 90);
  Up(bar, 216 + 30, 8);

  EXPECT_EQ(bar->Position(), 90);
  ASSERT_GE(codes.size(), 3u);
  EXPECT_EQ(codes[codes.size() - 2], scPosition);
  EXPECT_EQ(codes.back(), scEndScroll);
  EXPECT_EQ(bar->PressedPart(), sbpNone);
}

TEST_F(CxScrollBarTest, PageAreaClickScrollsByLargeChangeAndVerticalBarsLayOutDownwards) {
  TcxScrollBar* bar = MakeBar(216, sbVertical);
  bar->SetScrollInfo(0, 99, 0, 10);
  bar->SetLargeChange(10);
  EXPECT_EQ(bar->ThumbRect().top, 16);
  EXPECT_EQ(bar->ThumbRect().bottom, 34);
  EXPECT_EQ(bar->HitTestPart({8, 100}), sbpPageDown);
  Click(bar, 8, 100);
  EXPECT_EQ(bar->Position(), 10);
  Click(bar, 8, 100);  // the thumb now covers 34..52
  EXPECT_EQ(bar->Position(), 20);
  EXPECT_EQ(bar->HitTestPart({8, 20}), sbpPageUp);
  Click(bar, 8, 20);
  EXPECT_EQ(bar->Position(), 10);
}

TEST_F(CxScrollBarTest, HotPartRepaintsOnlyForLooksThatTrackHotStates) {
  TcxScrollBar* bar = MakeBar();
  bar->SetScrollInfo(0, 99, 0, 10);
  for (auto [kind, hot] : {std::pair{lfStandard, false}, std::pair{lfUltraFlat, true}}) {
    bar->LookAndFeel()->SetKind(kind);
    MoveTo(bar, 100, 8);
    MoveTo(bar, 5, 8);
    EXPECT_EQ(bar->HotPart(), sbpLineUp);
    EXPECT_EQ(bar->GetPartState(sbpLineUp), cxbsHot);
    EXPECT_EQ(bar->GetPartState(sbpThumbnail), cxbsNormal);
    MoveTo(bar, 20, 8);
    EXPECT_EQ(bar->GetPartState(sbpThumbnail), hot ? cxbsHot : cxbsNormal) << kind;
  }
  bar->SetEnabled(false);
  EXPECT_EQ(bar->GetPartState(sbpLineUp), cxbsDisabled);
  const RECT thumb = bar->ThumbRect();
  EXPECT_TRUE(IsRectEmpty(&thumb)) << "a disabled bar has no thumb";
}

TEST_F(CxScrollBarTest, TheThemedMinimumThumbComesFromTheGripperSize) {
  struct Case {
    bool defined;
    SIZE gripper;
    int minThumb;
  } cases[] = {
      {false, {}, 8},         // no gripper part: the classic 8
      {true, {10, 3}, 14},    // the larger of the minimum and the true size plus 4 (widths)
      {true, {2, 3}, 8},      // 7 or less falls back to 8
  };
  for (const Case& c : cases) {
    TestThemeProvider provider;
    if (c.defined) provider.SetPartSize(u"ScrollBar", 9, 1, c.gripper);
    ScopedThemeProvider scope(&provider);
    dxCloseAllThemes();
    TcxScrollBar* bar = MakeBar();
    bar->LookAndFeel()->SetNativeStyle(true);
    EXPECT_EQ(bar->MinThumbSize(), c.minThumb);
    bar->SetScrollInfo(0, 999, 0, 1);
    EXPECT_EQ(bar->ThumbRect().right - bar->ThumbRect().left, c.minThumb);
    Forget(form_);
    delete form_;
  }
  dxCloseAllThemes();
}

}  // namespace
