// The lookup grid laid out and painted without a window, over the category table: a header of 22
// pixels and rows of 20 (21 with the line under them) in the test font.
#include <gtest/gtest.h>

#include "cx/editors-ext/tests/cxLookupGridFixture.h"
#include "cx/foundation/tests/cxFoundationTestUtil.h"
#include "platform/data/Field.h"
#include "platform/display/testing/CheckedScreens.h"

namespace {

constexpr int kHeader = 22;
constexpr int kRow = 20;

class CxLookupGridLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    grid = std::make_unique<TcxLookupDBGrid>(nullptr);
    SetLookupGridTestLook(grid.get());
    grid->SetPopupMode(true);
    grid->SetBounds(0, 0, 200, 150);
    grid->SetKeyFieldNames(u"KATID");
    grid->SetDataSource(tables.categorySource);
    grid->SetColumnsByFieldNames(u"NAME;KATID");
  }
  void TearDown() override { grid.reset(); }
  TcxLookupGridViewInfo* Layout() {
    grid->ViewInfo()->Calculate();
    return grid->ViewInfo();
  }
  TcxCustomDataController* Controller() { return grid->DataController(); }
  int KatIdOfRow(int ARow) { return Controller()->Values(Controller()->GetRowRecordIndex(ARow), 1).AsInteger(); }

  TLookupGridTables tables;
  std::unique_ptr<TcxLookupDBGrid> grid;
};

TEST_F(CxLookupGridLayout, PopupHeightsAreTheHeaderAndWholeRowsBetweenOneRowAndAll) {
  struct Case {
    const char* name;
    bool showHeader;
    int asked, expected;
  };
  const int step = kRow + 1;
  const Case cases[] = {
      {"below one row", true, 10, kHeader + step},
      {"three rows and a part", true, kHeader + 3 * step + 5, kHeader + 3 * step},
      {"more than every row", true, 1000, kHeader + 12 * step},
      {"no header", false, 3 * step + 20, 3 * step},
  };
  for (const Case& c : cases) {
    grid->Options()->SetShowHeader(c.showHeader);
    EXPECT_EQ(grid->GetNearestPopupHeight(c.asked), c.expected) << c.name;
  }
  grid->Options()->SetShowHeader(true);
  EXPECT_EQ(grid->GetPopupHeightForRows(8), kHeader + 8 * step);
}

TEST_F(CxLookupGridLayout, OnlyHorizontalLinesAddAPixelUnderEachRow) {
  struct Case {
    TcxGridLines lines;
    int step;
    // The first cell's content ends before its right edge by a vertical line.
    int firstCellLine;
  };
  const Case cases[] = {{glBoth, kRow + 1, 1}, {glNone, kRow, 0}, {glVertical, kRow, 1}, {glHorizontal, kRow + 1, 0}};
  for (const Case& c : cases) {
    grid->Options()->SetGridLines(c.lines);
    TcxLookupGridViewInfo* v = Layout();
    EXPECT_EQ(v->RowStep(), c.step) << c.lines;
    const TcxLookupGridRowViewInfo& row = *v->Rows[0];
    EXPECT_EQ(row.Bounds.top, kHeader) << c.lines;
    EXPECT_EQ(row.Bounds.bottom - row.Bounds.top, c.step) << c.lines;
    EXPECT_EQ(row.Cells[0].Bounds.right - row.Cells[0].ContentBounds.right, c.firstCellLine) << c.lines;
    // The last cell's line is the row's own right border whenever any line is drawn.
    EXPECT_EQ(row.Borders.Contains(bRight), c.lines != glNone) << c.lines;
  }
}

TEST_F(CxLookupGridLayout, WithoutHeaderTheRowsStartAtTheTop) {
  grid->Options()->SetShowHeader(false);
  TcxLookupGridViewInfo* v = Layout();
  EXPECT_EQ(v->HeaderBand.bottom, v->HeaderBand.top);
  EXPECT_EQ(v->Rows[0]->Bounds.top, 0);
  EXPECT_EQ(v->WholeRowCount, 150 / (kRow + 1));
}

TEST_F(CxLookupGridLayout, WidthAndMinWidthKeepEachOtherInOrder) {
  TcxLookupDBGrid bare(nullptr);
  struct Case {
    const char* name;
    int minWidth, width;
    int expectedMin, expectedWidth;
  };
  // -1: the width is left to its default (64).
  const Case cases[] = {
      {"negative minimum", -5, -1, 0, 64},
      {"minimum above the default width", 100, -1, 100, 100},
      {"width below the minimum", 20, 10, 20, 20},
  };
  for (const Case& c : cases) {
    TcxLookupGridColumn* column = bare.Columns()->Add();
    column->SetMinWidth(c.minWidth);
    if (c.width >= 0) column->SetWidth(c.width);
    EXPECT_EQ(column->MinWidth(), c.expectedMin) << c.name;
    EXPECT_EQ(column->Width(), c.expectedWidth) << c.name;
  }
}

TEST_F(CxLookupGridLayout, AFieldColumnIsAsWideAsItsDisplayWidthOrItsCaption) {
  TcxLookupDBGridColumn* name = grid->Columns()->Items(0);
  EXPECT_EQ(name->Width(), 20 * 8 + 4) << "twenty zeros and the margins";
  name->Field()->SetDisplayLabel(u"Наименование категории работника");
  EXPECT_EQ(name->Caption(), u"Наименование категории работника");
  EXPECT_EQ(name->Width(), 32 * 8 + 4) << "the caption's header is wider";
  grid->Options()->SetShowHeader(false);
  EXPECT_EQ(name->Width(), 20 * 8 + 4);
  name->SetMinWidth(200);
  EXPECT_EQ(name->Width(), 200);
}

TEST_F(CxLookupGridLayout, ATopRowNearTheEndMovesUpUntilTheLastRowFillsTheBottom) {
  ASSERT_EQ(Layout()->WholeRowCount, 6);
  struct Case {
    int asked, expected;
  };
  const Case cases[] = {{0, 0}, {5, 5}, {6, 6}, {7, 6}, {11, 6}, {40, 6}, {-3, 0}};
  for (const Case& c : cases) {
    grid->SetTopRowIndex(0);
    grid->SetTopRowIndex(c.asked);
    EXPECT_EQ(grid->TopRowIndex(), c.expected) << c.asked;
  }
  grid->SetTopRowIndex(11);
  TcxLookupGridViewInfo* v = Layout();
  EXPECT_EQ(v->Rows[0]->RowIndex, 6);
  EXPECT_EQ(v->LaidOutRowCount, 6) << "the last row is the last one laid out";
}

TEST_F(CxLookupGridLayout, HeaderClicksSortPlainShiftAndCtrl) {
  // Ё between Е and Ж, as the locale orders it.
  grid->Options()->SetAnsiSort(true);
  grid->DoHeaderClick(0, {});
  EXPECT_EQ(grid->Columns()->Items(0)->SortOrder(), soAscending);
  EXPECT_EQ(KatIdOfRow(0), 11) << "Абитуриенты first";
  grid->DoHeaderClick(0, {});
  EXPECT_EQ(grid->Columns()->Items(0)->SortOrder(), soDescending);
  EXPECT_EQ(KatIdOfRow(0), 12) << "Юристы first";

  grid->DoHeaderClick(1, {ssShift});
  EXPECT_EQ(grid->Columns()->Items(0)->SortOrder(), soDescending) << "Shift keeps the other order";
  EXPECT_EQ(grid->Columns()->Items(1)->SortOrder(), soAscending);
  grid->DoHeaderClick(1, {});
  EXPECT_EQ(grid->Columns()->Items(0)->SortOrder(), soNone) << "a plain click clears the others";
  EXPECT_EQ(grid->Columns()->Items(1)->SortOrder(), soDescending);
  EXPECT_EQ(KatIdOfRow(0), 12);
  grid->DoHeaderClick(1, {ssCtrl});
  EXPECT_EQ(grid->Columns()->Items(1)->SortOrder(), soNone);

  grid->Columns()->Items(0)->SetSorting(false);
  grid->DoHeaderClick(0, {});
  EXPECT_EQ(grid->Columns()->Items(0)->SortOrder(), soNone) << "a column that does not sort";
  grid->Options()->SetColumnSorting(false);
  grid->DoHeaderClick(1, {});
  EXPECT_EQ(grid->Columns()->Items(1)->SortOrder(), soNone) << "a grid that does not sort";
}

TEST_F(CxLookupGridLayout, InGridModeTheScrollBarHasAPositionBeyondTheLoadedRecords) {
  TcxDBDataModeController* mode = grid->DataController()->DataModeController();
  mode->SetGridModeBufferCount(5);
  mode->SetGridMode(true);
  ASSERT_EQ(Controller()->GetRowCount(), 5);
  EXPECT_EQ(grid->GetTopRowOffset(), 0) << "at the first record";
  EXPECT_EQ(grid->GetBottomRowOffset(), 1) << "more records below";
  Controller()->GotoLast();
  EXPECT_EQ(grid->GetTopRowOffset(), 1);
  EXPECT_EQ(grid->GetBottomRowOffset(), 0);
}

TEST_F(CxLookupGridLayout, AndSortOptionsLiveInTheDataController) {
  grid->Options()->SetAnsiSort(true);
  grid->Options()->SetCaseInsensitive(true);
  EXPECT_TRUE(Controller()->GetOptions().Contains(dcoAnsiSort));
  grid->Options()->SetAnsiSort(false);
  EXPECT_FALSE(Controller()->GetOptions().Contains(dcoAnsiSort));
  EXPECT_TRUE(Controller()->GetOptions().Contains(dcoCaseInsensitive));
}

TEST_F(CxLookupGridLayout, AColumnUsesItsRepositoryItemUntilTheItemIsFreed) {
  TcxLookupDBGridColumn* name = grid->Columns()->Items(0);
  TcxCustomEditProperties* fallback = name->Properties();
  EXPECT_NE(fallback, nullptr) << "the text item while nothing is registered";
  auto item = std::make_unique<TcxEditRepositoryItem>(nullptr);
  name->SetRepositoryItem(item.get());
  EXPECT_EQ(name->Properties(), item->Properties());
  EXPECT_EQ(item->ListenerCount(), 1);
  item.reset();
  EXPECT_EQ(name->RepositoryItem(), nullptr);
  EXPECT_EQ(name->Properties(), fallback);
  EXPECT_FALSE(Layout()->Rows.empty()) << "the cells are drawn by the fallback again";
}

// --- Painting ---

class CxLookupGridPaint : public CxLookupGridLayout {
 protected:
  // Focuses and selects row 1, lays out and paints.
  void PaintWithFocusedRow(TTestCanvas& ACanvas) {
    Controller()->ChangeFocusedRowIndex(1);
    Controller()->SetFocusedSelected(true);
    Layout();
    grid->Painter()->Paint(ACanvas.Cx());
  }
  // A pixel inside a cell of a row, clear of its text and focus rectangle.
  static POINT CellPoint(const TcxLookupGridRowViewInfo& ARow, int ACell) {
    const RECT& r = ARow.Cells[static_cast<size_t>(ACell)].ContentBounds;
    return {(r.left + r.right) / 2, r.top + 2};
  }
};

TEST_F(CxLookupGridPaint, TheSelectedFocusedRowIsHighlightedWholeWithRowSelect) {
  TTestCanvas canvas(200, 150, clFuchsia);
  PaintWithFocusedRow(canvas);
  TcxLookupGridViewInfo* v = grid->ViewInfo();
  const TcxLookupGridRowViewInfo& focused = *v->Rows[1];
  const TcxLookupGridRowViewInfo& other = *v->Rows[2];
  for (int cell = 0; cell < 2; ++cell) {
    const POINT p = CellPoint(focused, cell);
    EXPECT_EQ(canvas.Pixel(p.x, p.y), ColorToRGB(clHighlight)) << cell;
    const POINT q = CellPoint(other, cell);
    EXPECT_EQ(canvas.Pixel(q.x, q.y), ColorToRGB(clWhite)) << cell;
  }
  // The focused row's text in the selection text colour, another's in the font colour.
  const RECT name = focused.Cells[0].ContentBounds;
  int highlightText = 0;
  for (int x = name.left; x < name.right; ++x)
    for (int y = name.top; y < name.bottom; ++y) highlightText += canvas.Pixel(x, y) == ColorToRGB(clHighlightText);
  EXPECT_GT(highlightText, 100) << "the text in the selection text colour";
  // Grid lines: between the cells and under every row.
  const RECT first = other.Cells[0].Bounds;
  EXPECT_EQ(canvas.Pixel(first.right - 1, (first.top + first.bottom) / 2), ColorToRGB(clBtnFace));
  EXPECT_EQ(canvas.Pixel(first.left + 30, other.Bounds.bottom - 1), ColorToRGB(clBtnFace));
  EXPECT_EQ(canvas.Pixel(100, 3), ColorToRGB(clBtnFace)) << "the header";
  EXPECT_EQ(canvas.Pixel(0, 149), ColorToRGB(clWhite)) << "the band under the last whole row";
  KeepCheckedScreen();
}

TEST_F(CxLookupGridPaint, WithoutRowSelectTheFocusedColumnKeepsTheContentColours) {
  grid->Options()->SetRowSelect(false);
  grid->SetFocusedColumn(grid->Columns()->Items(0));
  TTestCanvas canvas(200, 150, clFuchsia);
  PaintWithFocusedRow(canvas);
  const TcxLookupGridRowViewInfo& focused = *grid->ViewInfo()->Rows[1];
  const POINT name = CellPoint(focused, 0);
  const POINT id = CellPoint(focused, 1);
  EXPECT_EQ(canvas.Pixel(name.x, name.y), ColorToRGB(clWhite));
  EXPECT_EQ(canvas.Pixel(id.x, id.y), ColorToRGB(clHighlight));
}

TEST_F(CxLookupGridPaint, AGridWithoutColumnsPaintsOnlyItsBackground) {
  grid->Columns()->Clear();
  TTestCanvas canvas(200, 150, clFuchsia);
  TcxLookupGridViewInfo* v = Layout();
  EXPECT_TRUE(v->Rows.empty());
  EXPECT_EQ(v->HeaderBand.bottom - v->HeaderBand.top, 0);
  grid->Painter()->Paint(canvas.Cx());
  EXPECT_EQ(canvas.Count(clWhite), 200 * 150);
}

}  // namespace
