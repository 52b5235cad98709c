// Header and band dragging: the drop places (tables), and drags driven through the real message path
// with the drop arrows and the drag image checked on the screen's pixels during and after the drag.
#include "dx/treelist/dxTLConsts.h"
#include "dx/treelist/tests/dxTreeListTestSupport.h"
#include "platform/win/Input.h"

namespace {

class DxTLDragTest : public DxTreeListTest {
 public:
  TTestTreeList* Sample() { return MakeThreeBands(); }
  static TdxTreeListDrawInfo Info(TTestTreeList* tl) { return DrawInfo(tl); }
  static POINT Screen(TTestTreeList* tl, int X, int Y) { return ToScreen(tl, X, Y); }
  // A point in the band panel or the header panel at client X.
  static POINT InBands(TTestTreeList* tl, int X) {
    const RECT& r = Info(tl).Areas.BandPanel;
    return Screen(tl, X, (r.top + r.bottom) / 2);
  }
  static POINT InHeaders(TTestTreeList* tl, int X) {
    const RECT& r = Info(tl).Areas.HeaderPanel;
    return Screen(tl, X, (r.top + r.bottom) / 2);
  }
  static std::vector<std::uint32_t> Snapshot() { return ScreenSnapshot(); }
  static void Move(POINT P) {
    SimulateMouseMove(P);
    Pump();
  }
  static void Press(POINT P) {
    SimulateMouseDown(TSimButton::Left, P);
    Pump();
  }
  static void Release(POINT P) {
    SimulateMouseUp(TSimButton::Left, P);
    Pump();
  }
  // Presses at From, moves past the drag threshold and on to To, holding the button.
  static void DragOver(POINT From, POINT To) {
    Press(From);
    Move(POINT{From.x + 10, From.y});
    Move(To);
  }
  static void Escape() {
    SimulateKeyDown(VK_ESCAPE);
    SimulateKeyUp(VK_ESCAPE);
    Pump();
  }
  static std::string BandOrder(TTestTreeList* tl) {
    std::string s;
    for (int i = 0; i < tl->Bands()->Count(); ++i)
      if (tl->Bands()->Items(i)->Visible()) s += StringToUtf8(tl->Bands()->Items(i)->Caption());
    return s;
  }
  // The columns of each visible band and row, as "band:row:captions" groups.
  static std::string HeaderOrder(TTestTreeList* tl) {
    std::string s;
    TdxTreeListDrawInfo info = Info(tl);
    int band = -1, row = -1;
    for (const auto& h : info.Headers) {
      if (h.Band != band || h.Row != row) s += std::string(s.empty() ? "" : " ") + std::to_string(h.Band) + ":" +
                                              std::to_string(h.Row) + ":";
      band = h.Band;
      row = h.Row;
      s += StringToUtf8(tl->GetColumn(h.Column)->Caption());
    }
    return s;
  }
};

// Drop places of a band, dragged from a visible position (or from outside, -1).
TEST_F(DxTLDragTest, BandDropPlaces) {
  auto* tl = Sample();
  struct TCase {
    int pressed;
    int x;  // client x in the band panel; -1 stands for a point below the band panel
    int place;
    const char* why;
  };
  const TCase cases[] = {
      {0, 50, -2, "over itself"},
      {0, 160, -2, "before the band right after it"},
      {0, 280, 1, "after the next band"},
      {0, 310, 1, "before the band after next"},
      {0, 440, 2, "after the last band"},
      {0, 520, 2, "right of the last band"},
      {0, -1, -1, "outside the band panel"},
      {1, 10, 0, "before the first band"},
      {1, 140, -2, "after the band right before it"},
      {1, 310, -2, "before the band right after it"},
      {-1, 140, 1, "from outside, after the first band"},
      {-1, 10, 0, "from outside, before the first band"},
  };
  for (const TCase& c : cases) {
    POINT p = c.x < 0 ? Screen(tl, 50, Info(tl).Areas.Rows.top + 5) : InBands(tl, c.x);
    int place = 99;
    tl->CalcBandDropArrowsPos(p, &place, c.pressed < 0 ? 0 : tl->GetBandIndex(c.pressed), c.pressed);
    EXPECT_EQ(place, c.place) << c.why;
    EXPECT_EQ(p.x == -100 && p.y == -100, c.place < 0) << c.why << ": arrows only for a valid place";
  }
  // The arrows stand 5 pixels left of the place and 9 above the band.
  POINT p = InBands(tl, 280);
  tl->CalcBandDropArrowsPos(p, nullptr, 0, 0);
  POINT expected = Screen(tl, 300 - 5, Info(tl).Bands[1].Rect.top - 9);
  EXPECT_EQ(p.x, expected.x);
  EXPECT_EQ(p.y, expected.y);
  // Nothing lands before a band fixed at the left, or after one fixed at the right.
  tl->Bands()->Items(0)->SetFixed(bfLeft);
  tl->Bands()->Items(2)->SetFixed(bfRight);
  Pump();
  int place = 99;
  p = InBands(tl, 10);
  tl->CalcBandDropArrowsPos(p, &place, 1, 1);
  EXPECT_EQ(place, -2);
  TdxTreeListDrawInfo info = Info(tl);
  p = InBands(tl, info.Bands.back().Rect.right - 5);
  tl->CalcBandDropArrowsPos(p, &place, 1, 1);
  EXPECT_EQ(place, -2);
}

// Drop places of a header; the pressed header is c0 unless the case says otherwise.
TEST_F(DxTLDragTest, HeaderDropPlaces) {
  auto* tl = Sample();
  struct TCase {
    int pressed;
    int x;  // client x in the header panel; -1: below the header panel
    TdxHeaderPosInfo place;
    const char* why;
  };
  const TCase cases[] = {
      {0, 30, {0, 0, 0, -2}, "over itself"},
      {0, 80, {-1, -1, -1, -2}, "before the next header"},
      {0, 140, {0, 0, 1, -3}, "after the next header: its position, the dragged one leaves the row"},
      {0, 160, {1, 0, 0, -3}, "before the first header of another band"},
      {0, 290, {1, 0, 2, -3}, "after the last header of another band"},
      {0, 520, {2, 0, 1, -3}, "right of the last band: after its last header"},
      {0, -1, {-1, -1, -1, -1}, "outside the header panel"},
      {3, 200, {-1, -1, -1, -2}, "after the header right before it"},
      {3, 160, {1, 0, 0, -3}, "before the header two places before it"},
      {-1, 60, {0, 0, 1, -3}, "from outside, after the first header"},
  };
  for (const TCase& c : cases) {
    POINT p = c.x < 0 ? Screen(tl, 50, Info(tl).Areas.Rows.top + 5) : InHeaders(tl, c.x);
    TdxHeaderPosInfo place;
    tl->CalcHeaderDropArrowsPos(p, &place, c.pressed < 0 ? 4 : c.pressed, c.pressed);
    EXPECT_EQ(place, c.place) << c.why;
    EXPECT_EQ(p.x == -100 && p.y == -100, c.place.ItemIndex != -3) << c.why;
  }
  // A band that keeps only its own columns takes no header from another band.
  tl->Bands()->Items(1)->SetOnlyOwnColumns(true);
  POINT p = InHeaders(tl, 160);
  TdxHeaderPosInfo place;
  tl->CalcHeaderDropArrowsPos(p, &place, 0, 0);
  EXPECT_EQ(place, (TdxHeaderPosInfo{1, 0, 0, -2}));
}

// In a header panel of two rows, below a band whose headers reach only one row down, a dropped
// header starts the band's next row.
TEST_F(DxTLDragTest, AHeaderBelowTheLastRowOfABandStartsANewRow) {
  auto* tl = Sample();
  tl->SetHeaderPanelRowCount(2);
  tl->GetColumn(0)->SetHeaderMaxLineCount(1);
  tl->GetColumn(1)->SetHeaderMaxLineCount(1);
  Pump();
  TdxTreeListDrawInfo info = Info(tl);
  const TdxTreeListHeaderItem* c1 = info.FindHeader(1);
  ASSERT_TRUE(c1);
  ASSERT_EQ(c1->Rect.bottom - c1->Rect.top, tl->Layout().HeaderRowHeight);
  POINT p = Screen(tl, 100, c1->Rect.bottom + 3);
  TdxHeaderPosInfo place;
  tl->CalcHeaderDropArrowsPos(p, &place, 3, 3);
  EXPECT_EQ(place, (TdxHeaderPosInfo{0, 1, 1, -3}));
  POINT arrows = Screen(tl, c1->Rect.left - 5, c1->Rect.top + tl->Layout().HeaderRowHeight - 9);
  EXPECT_EQ(p.x, arrows.x);
  EXPECT_EQ(p.y, arrows.y);
}

// A header from another row of the same band keeps the target row's positions: taking it out of its
// own row moves nothing in the target's.
TEST_F(DxTLDragTest, AHeaderFromAnotherRowOfItsBandLandsWhereTheArrowsPoint) {
  auto* tl = Sample();
  tl->SetHeaderPanelRowCount(2);
  tl->GetColumn(2)->SetRowIndex(1);   // band B: c3 in row 0, c2 below it
  tl->GetColumn(4)->SetBandIndex(1);  // c4 joins row 0 of band B after c3
  Pump();
  ASSERT_EQ(HeaderOrder(tl), "0:0:c0c1 1:0:c3c4 1:1:c2");
  TdxTreeListDrawInfo info = Info(tl);
  const RECT c2 = info.FindHeader(2)->Rect, c4 = info.FindHeader(4)->Rect;
  POINT from = Screen(tl, c2.left + 10, (c2.top + c2.bottom) / 2);
  POINT to = Screen(tl, c4.left + 5, (c4.top + c4.bottom) / 2);  // before c4
  POINT p = to;
  TdxHeaderPosInfo place;
  tl->CalcHeaderDropArrowsPos(p, &place, 2, 2);
  EXPECT_EQ(place, (TdxHeaderPosInfo{1, 0, 1, -3}));
  DragOver(from, to);
  Release(to);
  EXPECT_EQ(HeaderOrder(tl), "0:0:c0c1 1:0:c3c2c4");
}

// With a hidden band before them, visible positions and band indexes differ: the own-columns check
// compares visible positions on both sides.
TEST_F(DxTLDragTest, TheOwnColumnsCheckComparesVisiblePositions) {
  auto* tl = Sample();
  TdxTreeListBand* hidden = tl->Bands()->Add();
  hidden->SetCaption(u"H");
  hidden->SetIndex(0);  // H is band 0, A band 1 (visible 0), B band 2 (visible 1), C band 3
  hidden->SetVisible(false);
  tl->Bands()->Items(1)->SetOnlyOwnColumns(true);  // A keeps its own columns
  tl->GetColumn(2)->SetBandIndex(1);                // B is left without columns
  tl->GetColumn(3)->SetBandIndex(1);
  Pump();
  ASSERT_EQ(tl->GetColumn(0)->BandIndex(), 1);
  ASSERT_EQ(tl->GetBandVisibleIndex(1), 0);
  EXPECT_TRUE(tl->IsOwnColumnsMove(0, -1, 1)) << "A (visible 0) to B (visible 1)";
  EXPECT_FALSE(tl->IsOwnColumnsMove(0, -1, 0)) << "within A";
  EXPECT_FALSE(tl->IsOwnColumnsMove(0, 1, -1)) << "next to another column of A";
  // Over B's empty header area the dragged column of A finds no place.
  TdxTreeListDrawInfo info = Info(tl);
  int bx = -1;
  for (const auto& b : info.Bands)
    if (b.VisibleIndex == 1) bx = (b.Clip.left + b.Clip.right) / 2;
  ASSERT_GE(bx, 0);
  POINT p = InHeaders(tl, bx);
  TdxHeaderPosInfo place;
  tl->CalcHeaderDropArrowsPos(p, &place, 0, 0);
  EXPECT_EQ(place.ItemIndex, -2);
  // C's column may go there.
  p = InHeaders(tl, bx);
  tl->CalcHeaderDropArrowsPos(p, &place, 4, 4);
  EXPECT_EQ(place, (TdxHeaderPosInfo{1, 0, 0, -3}));
}

// A band dragged by the mouse: the arrows and the drag image are on the screen during the drag and
// gone after it; the drop moves the band.
TEST_F(DxTLDragTest, DraggingABandShowsArrowsAndMovesIt) {
  auto* tl = Sample();
  int started = 0;
  tl->OnStartBandDragging = [&](TObject*, TdxTreeListBand*) { ++started; };
  auto before = Snapshot();
  std::vector<std::string> clicks;
  tl->OnBandClick = [&](TObject*, TdxTreeListBand* Band) { clicks.push_back(StringToUtf8(Band->Caption())); };
  POINT b = InBands(tl, 200);
  Press(b);
  Release(b);
  EXPECT_EQ(clicks, std::vector<std::string>{"B"}) << "a click without moving";
  clock_->Advance(GetDoubleClickTime() + 1);
  POINT a = InBands(tl, 50);
  Press(a);
  EXPECT_EQ(tl->State(), tsBandDown);
  Move(POINT{a.x + 5, a.y});
  EXPECT_EQ(tl->State(), tsBandDown) << "5 pixels are not yet a drag";
  Move(POINT{a.x + 6, a.y});
  ASSERT_EQ(tl->State(), tsBandDragging);
  EXPECT_EQ(started, 1);
  POINT target = InBands(tl, 440);  // after C
  Move(target);
  POINT arrows = tl->DropArrowsPos();
  POINT expected = Screen(tl, 450 - 5, Info(tl).Bands[2].Rect.top - 9);
  EXPECT_TRUE(tl->DropArrowsShown());
  EXPECT_EQ(arrows.x, expected.x);
  EXPECT_EQ(arrows.y, expected.y);
  KeepCheckedScreen("dragging");
  // The shaft of the downward arrow in the arrows' colour, outlined in black.
  EXPECT_EQ(ScreenPixel(POINT{arrows.x + 5, arrows.y + 2}), ColorToRGB(tl->ArrowsColor()));
  EXPECT_EQ(ScreenPixel(POINT{arrows.x + 3, arrows.y + 1}), RGB(0, 0, 0));
  EXPECT_EQ(tl->DragFeedbackCursor(), tl->Cursor());
  // The drag image (band A's face) follows the pointer; over the white rows it shows, moved aside
  // for the delete cursor.
  EXPECT_TRUE(tl->GetDragImages() && tl->GetDragImages()->Dragging());
  POINT rows = Screen(tl, 300, Info(tl).Areas.Rows.top + 40);
  Move(rows);
  EXPECT_EQ(tl->DragFeedbackCursor(), crDXTLDelete);
  EXPECT_FALSE(tl->DropArrowsShown()) << "no place outside the band panel";
  EXPECT_EQ(ScreenPixel(POINT{rows.x - 60, rows.y}), ColorToRGB(tl->BandColor()));
  KeepCheckedScreen("outside");
  Move(target);
  EXPECT_EQ(ScreenPixel(POINT{arrows.x + 5, arrows.y + 2}), ColorToRGB(tl->ArrowsColor()));
  // A repaint under the arrows keeps them, drawn once.
  tl->Invalidate();
  Pump();
  EXPECT_EQ(ScreenPixel(POINT{arrows.x + 5, arrows.y + 2}), ColorToRGB(tl->ArrowsColor()));
  Release(target);
  EXPECT_EQ(tl->State(), tsNormal);
  EXPECT_EQ(BandOrder(tl), "BCA");
  EXPECT_EQ(clicks.size(), 1u) << "a drag is no click";
  EXPECT_FALSE(tl->DropArrowsShown());
  EXPECT_EQ(tl->GetDragImages(), nullptr);
  KeepCheckedScreen("dropped");
  EXPECT_TRUE(ScreenIsRepainted(tl)) << "no image or arrows left";
  // Where the arrows stood (above the tree list, on the form) the screen is as it was.
  auto after = Snapshot();
  const int width = GetSystemMetrics(SM_CXSCREEN);
  for (int y = arrows.y; y < arrows.y + 9; ++y)
    for (int x = arrows.x; x < arrows.x + 11; ++x)
      ASSERT_EQ(after[y * width + x], before[y * width + x]) << "at " << x << "," << y;
}

// Esc ends a drag without moving anything and leaves the screen exactly as it was.
TEST_F(DxTLDragTest, EscCancelsAHeaderDragWithoutATrace) {
  auto* tl = Sample();
  auto before = Snapshot();
  DragOver(InHeaders(tl, 30), InHeaders(tl, 290));  // c0 after c3
  ASSERT_EQ(tl->State(), tsColumnDragging);
  EXPECT_TRUE(tl->DropArrowsShown());
  KeepCheckedScreen("dragging");
  Escape();
  EXPECT_EQ(tl->State(), tsNormal);
  EXPECT_EQ(HeaderOrder(tl), "0:0:c0c1 1:0:c2c3 2:0:c4");
  KeepCheckedScreen("cancelled");
  EXPECT_TRUE(Snapshot() == before) << "no arrows, image or pressed header left";
  Release(InHeaders(tl, 290));
  EXPECT_EQ(HeaderOrder(tl), "0:0:c0c1 1:0:c2c3 2:0:c4");
}

// Losing the focus (another control takes it while the button is held) cancels the drag.
TEST_F(DxTLDragTest, LosingTheFocusCancelsADragWithoutATrace) {
  auto* tl = Sample();
  auto* other = new TEdit(tl->Owner());
  other->SetParent(tl->Parent());
  other->SetBounds(0, 250, 100, 20);
  Pump();
  DragOver(InHeaders(tl, 30), InHeaders(tl, 290));
  ASSERT_TRUE(tl->DropArrowsShown());
  other->SetFocus();
  Pump();
  EXPECT_EQ(tl->State(), tsNormal);
  EXPECT_FALSE(tl->DropArrowsShown());
  EXPECT_EQ(tl->GetDragImages(), nullptr);
  KeepCheckedScreen("cancelled");
  EXPECT_TRUE(ScreenIsRepainted(tl));
  Release(InHeaders(tl, 290));
  EXPECT_EQ(HeaderOrder(tl), "0:0:c0c1 1:0:c2c3 2:0:c4");
}

// Resting near the right end of the header panel scrolls the bands 32 pixels every 100 ms; the
// arrows are taken off and put back around each repaint and leave nothing behind.
TEST_F(DxTLDragTest, ADragNearTheEndScrollsTheBandsAndKeepsItsArrowsWhole) {
  auto* tl = Sample();
  for (int i = 0; i < 3; ++i) tl->Bands()->Items(i)->SetWidth(300);
  Pump();
  const int end = tl->GetScrollableBandsWidth() - tl->GetScrollableAreaWidth();
  ASSERT_GT(end, 64);
  DragOver(InHeaders(tl, 30), InHeaders(tl, tl->ClientWidth() - 5));
  ASSERT_EQ(tl->State(), tsColumnDragging);
  EXPECT_EQ(tl->LeftCoord(), 0);
  clock_->Advance(100);
  Pump();
  EXPECT_EQ(tl->LeftCoord(), 32);
  clock_->Advance(100);
  Pump();
  EXPECT_EQ(tl->LeftCoord(), 64);
  EXPECT_TRUE(tl->DropArrowsShown());
  KeepCheckedScreen("scrolled");
  POINT arrows = tl->DropArrowsPos();
  EXPECT_EQ(ScreenPixel(POINT{arrows.x + 5, arrows.y + 2}), ColorToRGB(tl->ArrowsColor()))
      << "drawn again after the repaint";
  Move(InHeaders(tl, 200));  // away from the end the scrolling stops
  clock_->Advance(300);
  Pump();
  EXPECT_EQ(tl->LeftCoord(), 64);
  Escape();
  EXPECT_TRUE(ScreenIsRepainted(tl));
  Release(InHeaders(tl, 200));
}

// An update bracket opened during a drag (a handler changing the columns) ends the drag as
// cancelled, and the arrows and the image leave the screen with it.
TEST_F(DxTLDragTest, AnUpdateDuringADragEndsItWithoutATrace) {
  auto* tl = Sample();
  auto before = Snapshot();
  DragOver(InBands(tl, 50), InBands(tl, 440));
  ASSERT_TRUE(tl->DropArrowsShown());
  {
    TdxTreeListUpdateScope update(tl);
  }
  Pump();
  EXPECT_EQ(tl->State(), tsNormal);
  EXPECT_FALSE(tl->DropArrowsShown());
  EXPECT_TRUE(Snapshot() == before);
  Release(InBands(tl, 440));
  EXPECT_EQ(BandOrder(tl), "ABC");
}

// A header dropped on a valid place moves there; out of the header panel it shows the delete
// cursor and hides the column only with ExtCustomizing.
TEST_F(DxTLDragTest, DroppingAHeaderMovesOrHidesIt) {
  auto* tl = Sample();
  int moved = 0;
  tl->OnHeaderMoved = [&](TObject*, TdxTreeListColumn*) { ++moved; };
  DragOver(InHeaders(tl, 30), InHeaders(tl, 290));
  Release(InHeaders(tl, 290));
  EXPECT_EQ(HeaderOrder(tl), "0:0:c1 1:0:c2c3c0 2:0:c4");
  EXPECT_EQ(moved, 1);
  // Out of the panel: the delete cursor; without ExtCustomizing the drop does nothing.
  POINT rows = Screen(tl, 200, Info(tl).Areas.Rows.top + 20);
  for (bool customizing : {false, true}) {
    clock_->Advance(GetDoubleClickTime() + 1);
    if (customizing) tl->SetOptionFlags(tl->OptionFlags() | dxtlo::ExtCustomizing);
    POINT c4 = InHeaders(tl, 375);
    Press(c4);
    Move(POINT{c4.x, c4.y + 10});
    ASSERT_EQ(tl->State(), tsColumnDragging);
    Move(rows);
    EXPECT_EQ(tl->DragFeedbackCursor(), crDXTLDelete);
    Move(InHeaders(tl, 375));
    EXPECT_EQ(tl->DragFeedbackCursor(), tl->Cursor()) << "back over the headers";
    Move(rows);
    Release(rows);
    EXPECT_EQ(tl->GetColumn(4)->Visible(), !customizing);
  }
}

// With one visible band a move also reports the column's old and new positions; the last visible
// column is never hidden by dragging it away.
TEST_F(DxTLDragTest, OneVisibleBandReportsTheMoveAndKeepsItsLastColumn) {
  auto* tl = Sample();
  std::vector<std::pair<int, int>> moves;
  tl->OnColumnMoved = [&](TObject*, int From, int To) { moves.emplace_back(From, To); };
  auto drag = [&](int FromX, POINT To) {
    clock_->Advance(GetDoubleClickTime() + 1);
    DragOver(InHeaders(tl, FromX), To);
    Release(To);
  };
  drag(30, InHeaders(tl, 290));  // c0 into band B: two more bands are visible, nothing reported
  EXPECT_TRUE(moves.empty());
  tl->Bands()->Items(1)->SetVisible(false);
  tl->Bands()->Items(2)->SetVisible(false);
  Pump();
  ASSERT_EQ(HeaderOrder(tl), "0:0:c1");
  for (int i = 0; i < tl->GetColumnCount(); ++i)
    if (tl->GetColumn(i)->Caption() == u"c2") tl->GetColumn(i)->SetBandIndex(0);
  Pump();
  ASSERT_EQ(HeaderOrder(tl), "0:0:c1c2");
  drag(30, InHeaders(tl, 140));  // c1 after c2
  EXPECT_EQ(HeaderOrder(tl), "0:0:c2c1");
  EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{0, 1}}));
  tl->SetOptionFlags(tl->OptionFlags() | dxtlo::ExtCustomizing);
  POINT rows = Screen(tl, 50, Info(tl).Areas.Rows.top + 20);
  drag(30, rows);
  EXPECT_EQ(HeaderOrder(tl), "0:0:c1") << "hidden with ExtCustomizing";
  drag(30, rows);
  EXPECT_EQ(HeaderOrder(tl), "0:0:c1") << "the last visible column stays";
}

// The drop handlers see the place and may refuse the drop or send it elsewhere.
TEST_F(DxTLDragTest, DropHandlersVetoOrRedirect) {
  auto* tl = Sample();
  TdxHeaderPosInfo seen;
  bool accept = false;
  tl->OnDragEndHeader = [&](TObject*, TdxTreeListColumn*, POINT, TdxHeaderPosInfo& Place, bool& Accept) {
    seen = Place;
    Accept = accept;
    Place.ColIndex = 0;  // to the front of the row instead
  };
  DragOver(InHeaders(tl, 30), InHeaders(tl, 290));
  Release(InHeaders(tl, 290));
  EXPECT_EQ(seen, (TdxHeaderPosInfo{1, 0, 2, -3}));
  EXPECT_EQ(HeaderOrder(tl), "0:0:c0c1 1:0:c2c3 2:0:c4") << "refused";
  accept = true;
  clock_->Advance(GetDoubleClickTime() + 1);
  DragOver(InHeaders(tl, 30), InHeaders(tl, 290));
  Release(InHeaders(tl, 290));
  EXPECT_EQ(HeaderOrder(tl), "0:0:c1 1:0:c0c2c3 2:0:c4") << "sent to the front of band B";
  int refusedBand = -5;
  tl->OnDragEndBand = [&](TObject*, TdxTreeListBand*, POINT, int, int, int& NewIndex, bool& Accept) {
    refusedBand = NewIndex;
    Accept = false;
  };
  clock_->Advance(GetDoubleClickTime() + 1);
  DragOver(InBands(tl, 50), InBands(tl, 440));
  Release(InBands(tl, 440));
  EXPECT_EQ(refusedBand, 2);
  EXPECT_EQ(BandOrder(tl), "ABC");
}

}  // namespace
