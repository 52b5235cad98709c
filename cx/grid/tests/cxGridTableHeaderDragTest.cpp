// Dragging the table view's column headers with the mouse: sizing by the right edge with an
// inverted line, moving into the group-by box and back out, moving within the header with the
// lime arrows; nothing of the feedback stays on the screen after a drop or a cancel.
#include "cx/grid/cxGridTableHeaderDrag.h"
#include "cx/grid/tests/cxGridDBTestUtil.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/forms/Colors.h"
#include "platform/forms/Forms.h"

class CxGridTableHeaderDragTest : public CxGridDBTableViewTest {
 protected:
  void SetUp() override {
    CxGridDBTableViewTest::SetUp();
    for (const char16_t* field : {u"ID", u"SURNAME", u"CITY"}) Column(field)->SetPropertiesClassName(u"TcxTextEditProperties");
    Column(u"ID")->SetWidth(40);
    Column(u"SURNAME")->SetWidth(100);
    Column(u"CITY")->SetWidth(80);
    Column(u"NOSUCH")->SetVisible(false);
    grid_->SetBounds(0, 0, 360, 240);
    form_->Show();
    Pump();
  }

  TcxGridTableViewInfo* ViewInfo() { return static_cast<TcxGridTableViewInfo*>(view_->ViewInfo()); }
  TcxGridHeaderViewInfo* Header() { return ViewInfo()->HeaderViewInfo(); }
  RECT HeaderBounds(const char16_t* AFieldName) {
    return Header()->Items(Header()->VisibleIndexOf(Column(AFieldName)))->Bounds;
  }
  TcxGridSite* Site() { return view_->Site(); }
  TColor At(int X, int Y) { return ScreenPixel(Site(), X, Y); }
  TColor AtScreen(POINT P) {
    HDC dc = GetDC(nullptr);
    const COLORREF c = GetPixel(dc, P.x, P.y);
    ReleaseDC(nullptr, dc);
    return static_cast<TColor>(c);
  }
  // The site's pixels as the screen shows them.
  std::vector<TColor> SitePixels() {
    std::vector<TColor> pixels;
    const RECT r = Site()->ClientRect();
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) pixels.push_back(At(x, y));
    return pixels;
  }
  int LimePixels() {
    const std::vector<TColor> pixels = SitePixels();
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), ColorToRGB(clLime)));
  }
  // Presses at P and moves there in a few steps, leaving the button down.
  // Never the second press of a double click.
  void Drag(POINT AFrom, POINT ATo) {
    clock_->Advance(1000);
    Down(Site(), AFrom.x, AFrom.y);
    for (int step = 1; step <= 4; ++step)
      MoveTo(Site(), AFrom.x + (ATo.x - AFrom.x) * step / 4, AFrom.y + (ATo.y - AFrom.y) * step / 4);
  }
  TcxGridColumnHeaderMovingObject* MovingObject() {
    return dynamic_cast<TcxGridColumnHeaderMovingObject*>(Site()->DragAndDropObject());
  }
};

TEST_F(CxGridTableHeaderDragTest, AColumnIsSizedByItsHeadersEdge) {
  const RECT surname = HeaderBounds(u"SURNAME");
  const int y = (surname.top + surname.bottom) / 2;
  const auto before = SitePixels();
  Drag(POINT{surname.right - 1, y}, POINT{surname.right + 39, y});
  ASSERT_EQ(Site()->DragAndDropState(), dndDragging);
  // The inverted line stands at the new edge, down to the bottom of the rows.
  const int lineX = surname.right + 39;
  EXPECT_NE(At(lineX, y + 20), ColorToRGB(clWindow)) << "the line inverts the row under it";
  EXPECT_TRUE(KeepCheckedScreen("sizing"));
  Up(Site(), surname.right + 39, y);
  EXPECT_EQ(Column(u"SURNAME")->Width(), 140);
  Pump();
  EXPECT_EQ(HeaderBounds(u"SURNAME").right, surname.right + 40);
  EXPECT_EQ(HeaderBounds(u"CITY").left, surname.right + 40);

  // Far to the left the column stops at its minimum width.
  const RECT wide = HeaderBounds(u"SURNAME");
  Drag(POINT{wide.right - 1, y}, POINT{wide.left - 50, y});
  Up(Site(), wide.left - 50, y);
  EXPECT_EQ(Column(u"SURNAME")->Width(), Column(u"SURNAME")->MinWidth());

  // Escape puts everything back as it was: the width and the pixels.
  Pump();
  const auto settled = SitePixels();
  const RECT narrow = HeaderBounds(u"SURNAME");
  Drag(POINT{narrow.right - 1, y}, POINT{narrow.right + 60, y});
  Key(VK_ESCAPE);
  Up(Site(), narrow.right + 60, y);
  EXPECT_EQ(Column(u"SURNAME")->Width(), Column(u"SURNAME")->MinWidth());
  EXPECT_EQ(SitePixels(), settled) << "no line is left after a cancel";
  EXPECT_NE(before, settled);
}

TEST_F(CxGridTableHeaderDragTest, AHeaderDraggedIntoTheGroupByBoxGroupsAndBackOutUngroups) {
  const RECT city = HeaderBounds(u"CITY");
  const RECT box = ViewInfo()->GroupByBoxViewInfo()->Bounds;
  Drag(POINT{city.left + 10, (city.top + city.bottom) / 2}, POINT{box.left + 40, (box.top + box.bottom) / 2});
  ASSERT_NE(MovingObject(), nullptr);
  EXPECT_EQ(MovingObject()->Target(), mtGroupByBox);
  EXPECT_TRUE(MovingObject()->ArrowsVisible());
  EXPECT_TRUE(MovingObject()->ImageVisible());
  const RECT arrow = MovingObject()->GetArrowBounds(0);
  EXPECT_EQ(AtScreen(POINT{arrow.left + 5, arrow.top + 3}), ColorToRGB(clLime)) << "the arrow above the drop line";
  EXPECT_TRUE(KeepCheckedScreen("over the box"));
  Up(Site(), box.left + 40, (box.top + box.bottom) / 2);
  Pump();
  EXPECT_EQ(Column(u"CITY")->GroupIndex(), 0);
  EXPECT_FALSE(Column(u"CITY")->Visible());
  EXPECT_EQ(view_->ViewData()->RecordCount() > 0 && !view_->ViewData()->Records(0)->IsData(), true);
  EXPECT_EQ(LimePixels(), 0) << "no arrow is left after the drop";
  EXPECT_TRUE(KeepCheckedScreen("grouped"));

  // Out of the box onto the rows' empty space: ungrouped and shown again.
  const RECT cell = ViewInfo()->GroupByBoxViewInfo()->Items(0)->Bounds;
  const RECT client = ViewInfo()->GetClientBounds();
  Drag(POINT{cell.left + 10, (cell.top + cell.bottom) / 2}, POINT{client.left + 50, client.bottom - 10});
  ASSERT_NE(MovingObject(), nullptr);
  EXPECT_EQ(MovingObject()->Target(), mtNone);
  EXPECT_EQ(Screen->Cursor(), crGridRemove);
  Up(Site(), client.left + 50, client.bottom - 10);
  Pump();
  EXPECT_EQ(Column(u"CITY")->GroupIndex(), -1);
  EXPECT_TRUE(Column(u"CITY")->Visible());
  EXPECT_EQ(LimePixels(), 0);
}

TEST_F(CxGridTableHeaderDragTest, AHeaderMovesWithinTheHeaderOnlyToANewPlace) {
  const RECT id = HeaderBounds(u"ID");
  const RECT surname = HeaderBounds(u"SURNAME");
  const int y = (id.top + id.bottom) / 2;
  // Just right of its own right neighbour's middle is still its own place: no arrows, no change.
  Drag(POINT{id.left + 10, y}, POINT{(surname.left + surname.right) / 2 - 5, y});
  ASSERT_NE(MovingObject(), nullptr);
  EXPECT_EQ(MovingObject()->Target(), mtHeader);
  EXPECT_FALSE(MovingObject()->IsNewPosition());
  EXPECT_FALSE(MovingObject()->ArrowsVisible());
  Up(Site(), (surname.left + surname.right) / 2 - 5, y);
  EXPECT_EQ(Column(u"ID")->Index(), 0);

  // Past the last column's middle: ID goes to the end.
  const RECT city = HeaderBounds(u"CITY");
  Drag(POINT{id.left + 10, y}, POINT{city.right - 5, y});
  ASSERT_NE(MovingObject(), nullptr);
  EXPECT_TRUE(MovingObject()->ArrowsVisible());
  Up(Site(), city.right - 5, y);
  Pump();
  EXPECT_EQ(Header()->VisibleColumns(Header()->VisibleColumnCount() - 1), Column(u"ID"));
  EXPECT_EQ(LimePixels(), 0);
  EXPECT_TRUE(KeepCheckedScreen());
}
