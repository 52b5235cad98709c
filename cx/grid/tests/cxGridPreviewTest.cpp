// The preview band over an SQLite people table: the city column's text under (or above) each row's
// cells instead of as a column, its height, wrapping and indents, what a click on it does, and the
// column's place in the view while it is the preview column; checked on the screen's pixels.
#include "cx/grid/cxGridPreviewViewInfo.h"
#include "cx/grid/cxGridTableController.h"
#include "cx/grid/cxGridTableHeaderViewInfo.h"
#include "cx/grid/cxGridTableHitTests.h"
#include "cx/grid/tests/cxGridDBTestUtil.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/forms/Colors.h"

class CxGridPreviewTest : public CxGridDBTableViewTest {
 protected:
  void SetUp() override {
    CxGridDBTableViewTest::SetUp();
    Column(u"NOSUCH")->SetVisible(false);
    view_->OptionsView()->SetScrollBars(ssNone);
    view_->OptionsView()->SetGroupByBox(false);
    ShowLaidOut(360, 400);
    line_ = view_->ViewInfo()->Canvas()->FontHeight(grid_->Font());
  }

  TcxGridTableViewInfo* ViewInfo() { return static_cast<TcxGridTableViewInfo*>(view_->ViewInfo()); }
  TcxGridDataRowViewInfo* Row(int AIndex) {
    return static_cast<TcxGridDataRowViewInfo*>(ViewInfo()->RowsViewInfo()->Items(AIndex));
  }
  TcxGridDataCellViewInfo* SurnameCell(int ARow) {
    return Row(ARow)->Cells(ViewInfo()->HeaderViewInfo()->VisibleIndexOf(Column(u"SURNAME")));
  }
  void ShowCityAsPreview() {
    view_->Preview()->SetColumn(Column(u"CITY"));
    view_->Preview()->SetVisible(true);
    Pump();
  }
  TColor At(int X, int Y) { return ScreenPixel(view_->Site(), X, Y); }
  // The leftmost and rightmost pixels of AColor in a rectangle; -1 when there is none.
  std::pair<int, int> Extent(const RECT& R, TColor AColor) {
    int first = -1, last = -1;
    for (int y = R.top; y < R.bottom; ++y)
      for (int x = R.left; x < R.right; ++x)
        if (At(x, y) == ColorToRGB(AColor)) {
          if (first < 0 || x < first) first = x;
          last = std::max(last, x);
        }
    return {first, last};
  }
  // How many text lines of AColor the rectangle shows (bands of rows with ink, one per line).
  int InkedLines(const RECT& R, TColor AColor) {
    int lines = 0;
    bool inLine = false;
    for (int y = R.top; y < R.bottom; ++y) {
      bool ink = false;
      for (int x = R.left; x < R.right && !ink; ++x) ink = At(x, y) == ColorToRGB(AColor);
      if (ink && !inLine) ++lines;
      inLine = ink;
    }
    return lines;
  }

  int line_ = 0;
};

TEST_F(CxGridPreviewTest, ThePreviewColumnLeavesTheHeaderAndReadsHidden) {
  TcxGridDBColumn* city = Column(u"CITY");
  const int columnsBefore = ViewInfo()->HeaderViewInfo()->VisibleColumnCount();
  ShowCityAsPreview();
  EXPECT_EQ(view_->Preview()->Column(), city);
  EXPECT_TRUE(view_->Preview()->Active());
  EXPECT_FALSE(city->Visible());
  EXPECT_EQ(city->VisibleIndex(), -1);
  EXPECT_EQ(ViewInfo()->HeaderViewInfo()->VisibleColumnCount(), columnsBefore - 1);
  EXPECT_TRUE(city->Hidden()) << "never offered in the customization form";
  EXPECT_FALSE(city->IsHiddenStored()) << "hidden only as the preview column";

  // Another column takes its place: the city comes back to the header.
  view_->Preview()->SetColumn(Column(u"ID"));
  Pump();
  EXPECT_TRUE(city->Visible());
  EXPECT_FALSE(city->Hidden());
  EXPECT_FALSE(Column(u"ID")->Visible());

  // A column of another view is not taken.
  auto* other = new TcxGridDBTableView(form_);
  TcxGridColumn* foreign = other->CreateColumn();
  view_->Preview()->SetColumn(static_cast<TcxGridColumn*>(foreign));
  EXPECT_EQ(view_->Preview()->Column(), nullptr);
  EXPECT_FALSE(view_->Preview()->Active());
  EXPECT_TRUE(Column(u"ID")->Visible());

  // A preview column that leaves the view leaves the preview too.
  view_->Preview()->SetColumn(city);
  delete city;
  Pump();
  EXPECT_EQ(view_->Preview()->Column(), nullptr);
  EXPECT_EQ(Row(0)->Preview(), nullptr);
}

TEST_F(CxGridPreviewTest, SettersClampAndOnlyAShownBandRelaysTheView) {
  TcxGridPreview* preview = view_->Preview();
  preview->SetLeftIndent(-3);
  preview->SetRightIndent(-1);
  preview->SetMaxLineCount(-2);
  EXPECT_EQ(preview->LeftIndent(), 0);
  EXPECT_EQ(preview->RightIndent(), 0);
  EXPECT_EQ(preview->MaxLineCount(), 0);
  EXPECT_FALSE(preview->Active()) << "visible without a column shows nothing";
  preview->SetVisible(true);
  EXPECT_FALSE(preview->Active());
}

TEST_F(CxGridPreviewTest, AFixedBandIsMaxLineCountLinesHighBelowOrAboveTheCells) {
  view_->Preview()->SetAutoHeight(false);
  ShowCityAsPreview();
  // Three lines, two pixels of text offset above and below, and the cell's bottom grid line.
  const int band = 3 * line_ + 4 + 1;
  struct Case {
    const char* name;
    TcxGridPreviewPlace place;
    TcxGridLines lines;
    int band;
  };
  const Case cases[] = {
      {"below, both lines", ppBottom, glBoth, band},
      {"above, both lines", ppTop, glBoth, band},
      {"below, no lines", ppBottom, glNone, band - 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    view_->Preview()->SetPlace(c.place);
    view_->OptionsView()->SetGridLines(c.lines);
    Pump();
    TcxGridDataRowViewInfo* row = Row(1);
    TcxGridPreviewCellViewInfo* preview = row->Preview();
    ASSERT_NE(preview, nullptr);
    const int rowHeight = ViewInfo()->RowsViewInfo()->DataRowHeight();
    EXPECT_EQ(preview->Height(), c.band);
    EXPECT_EQ(row->Bounds.bottom - row->Bounds.top, rowHeight + c.band);
    EXPECT_EQ(preview->Bounds.left, row->GetCellsAreaLeft());
    EXPECT_EQ(preview->Bounds.right - preview->Bounds.left, row->GetCellsAreaWidth());
    const RECT cell = SurnameCell(1)->Bounds;
    if (c.place == ppTop) {
      EXPECT_EQ(preview->Bounds.top, row->Bounds.top);
      EXPECT_EQ(cell.top, preview->Bounds.bottom);
    } else {
      EXPECT_EQ(cell.top, row->Bounds.top);
      EXPECT_EQ(preview->Bounds.top, cell.bottom);
    }
    // The city is drawn in the preview's blue, after the left indent.
    const auto ink = Extent(preview->ContentBounds(), clBlue);
    // Each glyph's box leaves a pixel free at its left.
    EXPECT_EQ(ink.first, preview->GetTextAreaBounds().left + 1) << "the text starts at the 20-pixel indent";
    EXPECT_EQ(preview->GetTextAreaBounds().left, preview->Bounds.left + 20);
    EXPECT_EQ(InkedLines(preview->ContentBounds(), clBlue), 1) << "Tver fits on one line";
    EXPECT_EQ(Extent(cell, clBlue).first, -1) << "the cells show no preview text";
    EXPECT_TRUE(KeepCheckedScreen(c.name));
  }
}

TEST_F(CxGridPreviewTest, AnAutoHeightBandWrapsItsTextUpToMaxLineCount) {
  // Belov's city is long enough to wrap in the band; the others fit on one line.
  Column(u"CITY")->OnGetDisplayText = [](TcxCustomGridTableItem*, int ARecordIndex, String& AText) {
    if (ARecordIndex == 1) AText = u"Tver on the Volga, a city of the upper river, with bridges over it, an old kremlin on its bank, "
              u"a theatre, a palace and long streets of wooden houses";
  };
  ShowCityAsPreview();
  struct Case {
    int maxLines;
    int belovLines;
  };
  for (const Case& c : {Case{3, 3}, Case{2, 2}, Case{0, 0}}) {
    SCOPED_TRACE(c.maxLines);
    view_->Preview()->SetMaxLineCount(c.maxLines);
    Pump();
    TcxGridPreviewCellViewInfo* oneLine = Row(0)->Preview();
    TcxGridPreviewCellViewInfo* belov = Row(1)->Preview();
    EXPECT_EQ(oneLine->Height(), line_ + 4 + 1);
    // Without a limit the whole text shows: more lines than any limit above.
    const int lines = InkedLines(belov->ContentBounds(), clBlue);
    if (c.belovLines != 0) {
      EXPECT_EQ(belov->Height(), c.belovLines * line_ + 4 + 1);
      EXPECT_EQ(lines, c.belovLines);
    } else {
      EXPECT_GT(lines, 3);
      EXPECT_EQ(belov->Height(), lines * line_ + 4 + 1);
    }
    // The right indent keeps the wrapped text off the band's right edge.
    EXPECT_LT(Extent(belov->ContentBounds(), clBlue).second, belov->ContentBounds().right - 5);
    EXPECT_TRUE(KeepCheckedScreen("max lines " + std::to_string(c.maxLines)));
  }
}

TEST_F(CxGridPreviewTest, ThePointsOfTheBandHitThePreviewOfItsRecord) {
  ShowCityAsPreview();
  TcxGridPreviewCellViewInfo* preview = Row(3)->Preview();
  const POINT p{(preview->Bounds.left + preview->Bounds.right) / 2, (preview->Bounds.top + preview->Bounds.bottom) / 2};
  TcxCustomGridHitTest* hitTest = ViewInfo()->GetHitTest(p);
  ASSERT_EQ(hitTest->HitTestCode(), htPreview);
  EXPECT_EQ(static_cast<TcxGridRecordCellHitTest*>(hitTest)->Item, Column(u"CITY"));
  EXPECT_EQ(static_cast<TcxGridRecordHitTest*>(hitTest)->GridRecord(), Row(3)->GridRecord());
  EXPECT_TRUE(Row(3)->IsClickHitTest(hitTest)) << "a click on the band is a click on its record";
  EXPECT_EQ(Row(3)->GetCellViewInfoByItem(Column(u"CITY")), preview);
  // Just above the band lies a data cell.
  EXPECT_EQ(ViewInfo()->GetHitTest(POINT{p.x, preview->Bounds.top - 2})->HitTestCode(), htRecordCell);
}

TEST_F(CxGridPreviewTest, PagingCountsTheRowsTheBandsLeaveRoomFor) {
  // Rows with bands are taller than the data row height: counting by it would claim all five fit.
  view_->Preview()->SetAutoHeight(false);
  ShowCityAsPreview();
  grid_->SetBounds(0, 0, 360, 200);
  Pump();
  const int shown = ViewInfo()->VisibleRecordCount();
  ASSERT_LT(shown, 5);
  EXPECT_EQ(view_->Controller()->GetVisibleRecordCount(0, true), shown);
}
