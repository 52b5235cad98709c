// The table view's layout and painting over an SQLite people table on a form: its parts stacked
// around the rows, the header's sorting marks, the indicator's glyphs, grid lines, group rows and
// the group-by box, and what lies under a point; checked on the screen's pixels.
#include "cx/grid/cxGridTableHeaderViewInfo.h"
#include "cx/grid/cxGridTableIndicatorViewInfo.h"
#include "cx/grid/cxGridTableRowViewInfo.h"
#include "cx/grid/tests/cxGridDBTestUtil.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/forms/Colors.h"

#include <algorithm>
#include <functional>
#include <map>

class CxGridTableViewPaintTest : public CxGridDBTableViewTest {
 protected:
  void SetUp() override {
    CxGridDBTableViewTest::SetUp();
    // The layout's numbers here are those of the whole site: no scroll bar takes a part of it.
    view_->OptionsView()->SetScrollBars(ssNone);
    ShowLaidOut(360, 240);
  }

  TcxGridTableViewInfo* ViewInfo() { return static_cast<TcxGridTableViewInfo*>(view_->ViewInfo()); }
  TcxGridRowsViewInfo* Rows() { return ViewInfo()->RowsViewInfo(); }
  TcxGridHeaderViewInfo* Header() { return ViewInfo()->HeaderViewInfo(); }
  TcxGridColumnHeaderViewInfo* HeaderCell(const char16_t* AFieldName) {
    return Header()->Items(Header()->VisibleIndexOf(Column(AFieldName)));
  }
  TcxCustomGridRowViewInfo* Row(int AIndex) { return static_cast<TcxCustomGridRowViewInfo*>(Rows()->Items(AIndex)); }
  // The colour a point of the view's site shows on the screen.
  TColor At(int X, int Y) { return ScreenPixel(view_->Site(), X, Y); }
  static TColor Rgb(TColor AColor) { return ColorToRGB(AColor); }
  // How many pixels of R differ from AColor.
  int CountOtherThan(const RECT& R, TColor AColor) {
    int count = 0;
    for (int y = R.top; y < R.bottom; ++y)
      for (int x = R.left; x < R.right; ++x) count += At(x, y) != Rgb(AColor);
    return count;
  }
  void Relayout() {
    view_->LayoutChanged();
    Pump();
  }
};

TEST_F(CxGridTableViewPaintTest, PartsStackAroundTheRowsAndPaintInTheirColours) {
  view_->OptionsView()->SetFooter(true);
  view_->OptionsView()->SetIndicator(true);
  view_->Filtering()->SetVisible(fvAlways);
  Pump();
  TcxGridTableViewInfo* vi = ViewInfo();
  const RECT client = vi->GetClientBounds();
  const RECT box = vi->GroupByBoxViewInfo()->Bounds;
  const RECT header = Header()->Bounds;
  const RECT footer = vi->FooterViewInfo()->Bounds;
  const RECT filter = vi->FilterViewInfo()->Bounds;
  EXPECT_EQ(box.top, 0);
  EXPECT_EQ(box.right, vi->Bounds.right) << "the group-by box spans the whole width";
  EXPECT_EQ(header.top, box.bottom);
  EXPECT_EQ(client.top, header.bottom);
  EXPECT_EQ(footer.top, client.bottom);
  EXPECT_EQ(filter.top, footer.bottom);
  EXPECT_EQ(filter.bottom, vi->Bounds.bottom);
  EXPECT_EQ(client.left, 12) << "the indicator's width";
  EXPECT_EQ(header.left, client.left);
  EXPECT_EQ(Header()->Items(0)->Bounds.left, client.left);

  // Each part shows its own colour where nothing is drawn on it.
  EXPECT_EQ(At(box.right - 3, box.bottom - 3), Rgb(clBtnShadow));
  EXPECT_EQ(At(filter.right - 3, filter.bottom - 3), Rgb(clBtnShadow));
  EXPECT_EQ(At((footer.left + footer.right) / 2, footer.top), Rgb(vi->GridLineColor())) << "the footer's separator";
  const RECT surname = HeaderCell(u"SURNAME")->Bounds;
  EXPECT_EQ(At((surname.left + surname.right) / 2, (surname.top + surname.bottom) / 2), Rgb(clBtnFace));
  EXPECT_EQ(At(surname.left + 4, Row(1)->Bounds.top + 2), Rgb(clWindow)) << "a data cell of an unfocused row";
  EXPECT_TRUE(KeepCheckedScreen());

  // Without the footer the filter bar sits right under the rows.
  view_->OptionsView()->SetFooter(false);
  Pump();
  EXPECT_EQ(ViewInfo()->FilterViewInfo()->Bounds.top, ViewInfo()->GetClientBounds().bottom);
  EXPECT_EQ(ViewInfo()->FilterViewInfo()->Bounds.bottom, ViewInfo()->Bounds.bottom);
}

TEST_F(CxGridTableViewPaintTest, SortingMarksShowTheOrderOnTheHeaders) {
  TcxGridDBColumn* surname = Column(u"SURNAME");
  EXPECT_EQ(HeaderCell(u"SURNAME")->SortingMark(), nullptr) << "an unsorted column shows no mark";
  // The mark's pixels for each order; the two arrows point opposite ways.
  auto markPixels = [&] {
    TcxGridColumnHeaderSortingMarkViewInfo* mark = HeaderCell(u"SURNAME")->SortingMark();
    EXPECT_NE(mark, nullptr);
    std::vector<TColor> pixels;
    if (!mark) return pixels;
    for (int y = mark->Bounds.top; y < mark->Bounds.bottom; ++y)
      for (int x = mark->Bounds.left; x < mark->Bounds.right; ++x) pixels.push_back(At(x, y));
    return pixels;
  };
  surname->SetSortOrder(soAscending);
  Pump();
  EXPECT_EQ(RowTexts(u"SURNAME"), (std::vector<std::string>{"Abramov", "Belov", "Kim", "Orlova", "Zotov"}));
  const auto ascending = markPixels();
  EXPECT_TRUE(KeepCheckedScreen("ascending"));
  // From the right of the cell: the sizing edge over the border, the filter button, then the mark.
  TcxGridColumnHeaderViewInfo* cell = HeaderCell(u"SURNAME");
  ASSERT_NE(cell->FilterButton(), nullptr);
  EXPECT_EQ(cell->SortingMark()->Bounds.right, cell->FilterButton()->Bounds.left);
  EXPECT_EQ(cell->TextAreaBounds.right, cell->SortingMark()->Bounds.left);
  EXPECT_EQ(cell->Areas(0)->Bounds.right, cell->Bounds.right + 4) << "the sizing edge straddles the border";

  surname->SetSortOrder(soDescending);
  Pump();
  EXPECT_EQ(RowTexts(u"SURNAME")[0], "Zotov");
  const auto descending = markPixels();
  EXPECT_TRUE(KeepCheckedScreen("descending"));
  ASSERT_EQ(ascending.size(), descending.size());
  EXPECT_NE(ascending, descending);
  const TColor face = Rgb(clBtnFace);
  EXPECT_GT(std::count_if(ascending.begin(), ascending.end(), [&](TColor c) { return c != face; }), 4)
      << "the mark is drawn";
  // The first row shows the first sorted surname.
  const RECT text = HeaderCell(u"SURNAME")->Bounds;
  EXPECT_GT(CountOtherThan(RECT{text.left + 2, Row(1)->Bounds.top + 2, text.left + 40, Row(1)->Bounds.bottom - 2},
                           clWindow), 0);
}

TEST_F(CxGridTableViewPaintTest, TheIndicatorShowsEachRowsKind) {
  view_->OptionsView()->SetIndicator(true);
  Pump();
  struct TCase {
    const char* name;
    std::function<void()> setUp;
    int row;
    TcxIndicatorKind kind;
  };
  TcxGridDBDataController* dc = view_->DataController();
  const std::vector<TCase> cases = {
      {"unfocused row", [] {}, 1, ikNone},
      {"focused row", [] {}, 0, ikArrow},
      {"focused row in edit", [dc] { dc->Edit(); }, 0, ikEdit},
      {"focused row inserting", [dc] { dc->Insert(); }, 0, ikInsert},
      {"selected row not focused", [this, dc] {
         view_->OptionsSelection()->SetMultiSelect(true);
         dc->ChangeRowSelection(2, true);
       }, 2, ikMultiDot},
      {"focused and selected row", [this, dc] {
         view_->OptionsSelection()->SetMultiSelect(true);
         dc->ChangeRowSelection(0, true);
       }, 0, ikMultiArrow},
  };
  std::map<int, std::vector<TColor>> glyphs;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    c.setUp();
    Relayout();
    TcxGridIndicatorViewInfo* indicator = ViewInfo()->IndicatorViewInfo();
    TcxGridIndicatorRowItemViewInfo* item = nullptr;
    for (int i = 0; i < indicator->Count(); ++i)
      if (auto* row = dynamic_cast<TcxGridIndicatorRowItemViewInfo*>(indicator->Items(i)))
        if (row->RowViewInfo() == Rows()->Items(c.row)) item = row;
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetIndicatorKind(), c.kind);
    std::vector<TColor> pixels;
    for (int y = item->Bounds.top + 2; y < item->Bounds.bottom - 2; ++y)
      for (int x = item->Bounds.left + 2; x < item->Bounds.right - 2; ++x) pixels.push_back(At(x, y));
    glyphs[c.kind] = pixels;
    KeepCheckedScreen(c.name);
    dc->Cancel();
    view_->OptionsSelection()->SetMultiSelect(false);
  }
  // Every kind draws its own glyph; no glyph is drawn for a plain row.
  const TColor face = Rgb(clBtnFace);
  EXPECT_TRUE(std::all_of(glyphs[ikNone].begin(), glyphs[ikNone].end(), [&](TColor p) { return p == face; }));
  for (int a = ikArrow; a <= ikMultiArrow; ++a)
    for (int b = a + 1; b <= ikMultiArrow; ++b) EXPECT_NE(glyphs[a], glyphs[b]) << a << " and " << b;
}

TEST_F(CxGridTableViewPaintTest, GridLinesFollowTheModeAndRowsMakeRoomForThem) {
  struct TCase {
    TcxGridLines lines;
    bool vertical, horizontal;
  };
  const TCase cases[] = {{glBoth, true, true}, {glNone, false, false}, {glVertical, true, false}, {glHorizontal, false, true}};
  int plainHeight = 0;
  for (const TCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.lines));
    view_->OptionsView()->SetGridLines(c.lines);
    Pump();
    const TColor line = ViewInfo()->GridLineColor();
    const int height = Row(1)->Bounds.bottom - Row(1)->Bounds.top;
    if (c.lines == glNone) plainHeight = height;
    const RECT id = Row(1)->GetBoundsForItem(Column(u"ID"));
    const int midY = (Row(1)->Bounds.top + Row(1)->Bounds.bottom) / 2;
    const int midX = (id.left + id.right) / 2;
    EXPECT_EQ(At(id.right - 1, midY) == Rgb(line), c.vertical) << "the line right of a cell";
    EXPECT_EQ(At(midX, Row(1)->Bounds.bottom - 1) == Rgb(line), c.horizontal) << "the line under a row";
    KeepCheckedScreen(std::to_string(static_cast<int>(c.lines)));
  }
  view_->OptionsView()->SetGridLines(glBoth);
  Pump();
  EXPECT_EQ(Row(1)->Bounds.bottom - Row(1)->Bounds.top, plainHeight + 1) << "a horizontal line adds a pixel to a row";

  // With vertical lines only, the last row closes the grid with a line of its own.
  view_->OptionsView()->SetGridLines(glVertical);
  Pump();
  const int last = Rows()->RowCount() - 1;
  const int x = (Row(last)->GetBoundsForItem(Column(u"SURNAME")).left + 10);
  EXPECT_EQ(At(x, Row(last)->Bounds.bottom - 1), Rgb(ViewInfo()->GridLineColor()));
  EXPECT_EQ(Row(last)->Bounds.bottom - Row(last)->Bounds.top, plainHeight + 1);
  EXPECT_EQ(At(x, Row(1)->Bounds.bottom - 1), Rgb(clWindow));
}

TEST_F(CxGridTableViewPaintTest, AShortViewCountsItsPartlyVisibleRowAndKeepsItsFooterOnTop) {
  view_->OptionsView()->SetFooter(true);
  Pump();
  const int rowHeight = Rows()->DataRowHeight();
  // Room for two and a half rows.
  const int nonRows = ViewInfo()->PartsTopHeight() + ViewInfo()->PartsBottomHeight();
  grid_->SetHeight(nonRows + rowHeight * 5 / 2 + 4);
  Pump();
  EXPECT_EQ(Rows()->VisibleCount(), 2);
  EXPECT_EQ(Rows()->RowCount(), 3);
  const RECT footer = ViewInfo()->FooterViewInfo()->Bounds;
  EXPECT_GT(Row(2)->Bounds.bottom, footer.top) << "the third row reaches under the footer";
  // The footer was painted first and the row could not cover it.
  const RECT surname = Row(2)->GetBoundsForItem(Column(u"SURNAME"));
  EXPECT_EQ(CountOtherThan(RECT{surname.left + 2, footer.top + 3, surname.left + 60, footer.bottom - 3}, clBtnFace), 0);
  EXPECT_TRUE(KeepCheckedScreen());

  Column(u"ID")->DataBinding()->AddToFilter(nullptr, foEqual, Variant(99), String(), true);
  view_->DataController()->Filter()->SetActive(true);
  Pump();
  EXPECT_EQ(view_->ViewData()->RecordCount(), 0);
  EXPECT_EQ(Rows()->VisibleCount(), 0);
  EXPECT_EQ(Rows()->RowCount(), 0);
}

TEST_F(CxGridTableViewPaintTest, GroupRowsAndTheGroupByBoxStaircase) {
  TcxGridGroupByBoxViewInfo* box = ViewInfo()->GroupByBoxViewInfo();
  const int itemHeight = box->ItemHeight();
  EXPECT_EQ(box->Bounds.bottom - box->Bounds.top, 16 + 4 + 2 + 16) << "the hint's line of text and its margins";
  EXPECT_EQ(box->Text(), u"Drag a column header here to group by that column");

  Column(u"CITY")->SetGroupIndex(0);
  Column(u"CITY")->SetVisible(false);
  view_->ViewData()->Collapse(true);
  Pump();
  box = ViewInfo()->GroupByBoxViewInfo();
  ASSERT_EQ(box->Count(), 1);
  EXPECT_TRUE(box->Text().empty());
  EXPECT_EQ(box->Items(0)->Bounds.left, 6);
  EXPECT_EQ(box->Items(0)->Bounds.top, 8);
  EXPECT_EQ(box->Items(0)->Bounds.right - box->Items(0)->Bounds.left, 100);

  // Three cities, each a collapsed group row with its expand button and its text.
  ASSERT_EQ(Rows()->RowCount(), 3);
  auto* group = dynamic_cast<TcxGridGroupRowViewInfo*>(Row(0));
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->GroupCell()->Text(), u"CITY : Omsk");
  const RECT button = group->ExpandButtonBounds;
  EXPECT_EQ(button.left, group->GroupCell()->ContentBounds().left + 3);
  EXPECT_GT(CountOtherThan(button, clBtnFace), 0) << "the expand button is drawn";
  EXPECT_TRUE(KeepCheckedScreen("collapsed"));

  // Expanded, the data rows stand one level indent in, the indent in the group colour; the expanded
  // group row's bottom line leaves its expand button's column in the group colour.
  view_->ViewData()->Expand(true);
  Pump();
  auto* data = dynamic_cast<TcxGridDataRowViewInfo*>(Row(1));
  ASSERT_NE(data, nullptr);
  const int indent = ViewInfo()->LevelIndent();
  EXPECT_EQ(data->GetCellsAreaBounds().left, Row(1)->Bounds.left + indent);
  const TColor groupColour = Rgb(ViewInfo()->LevelIndentColor(0));
  EXPECT_EQ(At(Row(1)->Bounds.left + indent / 2, (Row(1)->Bounds.top + Row(1)->Bounds.bottom) / 2), groupColour);
  group = static_cast<TcxGridGroupRowViewInfo*>(Row(0));
  const int underButton = group->GroupCell()->Bounds.bottom - 1;
  EXPECT_EQ(At(group->GroupCell()->Bounds.left + 2, underButton), groupColour);
  EXPECT_EQ(At(group->GroupCell()->Bounds.left + indent + 4, underButton), Rgb(ViewInfo()->GridLineColor()));
  EXPECT_TRUE(KeepCheckedScreen("expanded"));

  // A second grouping column steps down half an item; a link joins the two cells.
  Column(u"SURNAME")->SetGroupIndex(1);
  Pump();
  box = ViewInfo()->GroupByBoxViewInfo();
  ASSERT_EQ(box->Count(), 2);
  EXPECT_EQ(box->Bounds.bottom - box->Bounds.top, itemHeight / 2 * 3 + itemHeight % 2 + 16);
  EXPECT_EQ(box->Items(1)->Bounds.left, box->Items(0)->Bounds.right + 4);
  EXPECT_EQ(box->Items(1)->Bounds.top, box->Items(0)->Bounds.top + itemHeight / 2);
  RECT vertLine, horzLine;
  box->GetLinkLines(0, vertLine, horzLine);
  EXPECT_EQ(At(vertLine.left, vertLine.top + 1), Rgb(clBtnText));
  EXPECT_EQ(At(horzLine.right - 1, horzLine.top), Rgb(clBtnText));
  EXPECT_EQ(horzLine.right, box->Items(1)->Bounds.left);
  EXPECT_TRUE(KeepCheckedScreen("two levels"));
}

TEST_F(CxGridTableViewPaintTest, HitTestsNameThePartUnderThePoint) {
  view_->OptionsView()->SetIndicator(true);
  view_->Filtering()->SetVisible(fvAlways);
  view_->OptionsView()->SetFooter(true);
  Column(u"SURNAME")->SetSortOrder(soAscending);
  Pump();
  TcxGridTableViewInfo* vi = ViewInfo();
  const RECT box = vi->GroupByBoxViewInfo()->Bounds;
  const RECT surname = HeaderCell(u"SURNAME")->Bounds;
  const RECT filterButton = HeaderCell(u"SURNAME")->FilterButton()->Bounds;
  const RECT row = Row(1)->Bounds;
  const RECT cell = Row(1)->GetBoundsForItem(Column(u"ID"));
  const RECT footer = vi->FooterViewInfo()->Bounds;
  const RECT filter = vi->FilterViewInfo()->Bounds;
  const RECT customize = vi->FilterViewInfo()->ButtonsViewInfo()->Items(2)->Bounds;
  const int midRow = (row.top + row.bottom) / 2;
  struct TCase {
    const char* name;
    POINT p;
    int code;
  };
  const TCase cases[] = {
      {"group-by box", {box.right - 5, box.top + 5}, htGroupByBox},
      {"column header", {surname.left + 10, surname.top + 5}, htColumnHeader},
      {"sizing edge, inside", {surname.right - 2, surname.top + 5}, htColumnHeaderHorzSizingEdge},
      {"sizing edge, outside", {surname.right + 2, surname.top + 5}, htColumnHeaderHorzSizingEdge},
      {"filter button", {(filterButton.left + filterButton.right) / 2, surname.top + 5}, htColumnHeaderFilterButton},
      {"data cell", {cell.left + 5, midRow}, htRecordCell},
      {"row indicator", {5, midRow}, htRowIndicator},
      {"indicator beside the footer", {5, footer.top + 3}, htIndicator},
      {"footer", {footer.left + 5, footer.top + 3}, htFooter},
      {"filter bar", {filter.left + 20, filter.top + 3}, htFilter},
      {"customize button", {customize.left + 3, customize.top + 3}, htFilterCustomizeButton},
      {"under the rows", {cell.left + 5, footer.top - 2}, htNone},
  };
  for (const TCase& c : cases) {
    TcxCustomGridHitTest* hitTest = vi->GetHitTest(c.p);
    ASSERT_NE(hitTest, nullptr) << c.name;
    EXPECT_EQ(hitTest->HitTestCode(), c.code) << c.name;
  }
  auto* columnHitTest = dynamic_cast<TcxCustomGridColumnHitTest*>(vi->GetHitTest(POINT{surname.left + 10, surname.top + 5}));
  ASSERT_NE(columnHitTest, nullptr);
  EXPECT_EQ(columnHitTest->Column, Column(u"SURNAME"));
  EXPECT_EQ(columnHitTest->ColumnContainerKind, ccHeader);
  auto* recordHitTest = dynamic_cast<TcxGridRecordHitTest*>(vi->GetHitTest(POINT{5, midRow}));
  ASSERT_NE(recordHitTest, nullptr);
  EXPECT_EQ(recordHitTest->GridRecord(), Row(1)->GridRecord());

  // Grouped, the rows' indent and the group row's expand button answer too.
  Column(u"CITY")->SetGroupIndex(0);
  view_->ViewData()->Expand(true);
  Pump();
  const RECT button = Row(0)->ExpandButtonBounds;
  EXPECT_EQ(ViewInfo()->GetHitTest(POINT{button.left + 2, button.top + 2})->HitTestCode(), htExpandButton);
  const RECT dataRow = Row(1)->Bounds;
  EXPECT_EQ(ViewInfo()->GetHitTest(POINT{dataRow.left + 3, dataRow.top + 3})->HitTestCode(), htRowLevelIndent);
  EXPECT_EQ(ViewInfo()->GetHitTest(POINT{ViewInfo()->GroupByBoxViewInfo()->Items(0)->Bounds.left + 5,
                                         ViewInfo()->GroupByBoxViewInfo()->Items(0)->Bounds.top + 5})
                ->HitTestCode(),
            htColumnHeader);
}

TEST_F(CxGridTableViewPaintTest, TheNewItemRowStandsAboveTheRowsWithItsSeparatorBand) {
  view_->OptionsView()->SetIndicator(true);
  view_->OptionsView()->SetNewItemRow(true);
  Pump();
  TcxGridNewItemRowViewInfo* newRow = Rows()->NewItemRow();
  ASSERT_NE(newRow, nullptr);
  const RECT client = ViewInfo()->GetClientBounds();
  const int separator = view_->OptionsView()->NewItemRowSeparatorWidth();
  EXPECT_EQ(newRow->Bounds.top, client.top);
  EXPECT_EQ(newRow->Bounds.bottom - newRow->Bounds.top, Rows()->DataRowHeight() + separator);
  EXPECT_EQ(Row(0)->Bounds.top, newRow->Bounds.bottom) << "the data rows start under the band";
  // The band is drawn as an empty header cell in the separator colour.
  const RECT band = newRow->GetNewItemRowSeparatorBounds();
  EXPECT_EQ(band.bottom - band.top, separator);
  EXPECT_EQ(At((band.left + band.right) / 2, (band.top + band.bottom) / 2),
            Rgb(view_->OptionsView()->GetNewItemRowSeparatorColor()));
  // Its indicator cell shows the insert glyph; a click there names the new-item record.
  auto* hitTest = dynamic_cast<TcxGridRecordHitTest*>(ViewInfo()->GetHitTest(POINT{5, newRow->Bounds.top + 3}));
  ASSERT_NE(hitTest, nullptr);
  EXPECT_EQ(hitTest->HitTestCode(), htRowIndicator);
  EXPECT_EQ(hitTest->GridRecord(), view_->ViewData()->NewItemRecord());
  TcxGridIndicatorViewInfo* indicator = ViewInfo()->IndicatorViewInfo();
  bool found = false;
  for (int i = 0; i < indicator->Count(); ++i)
    if (auto* row = dynamic_cast<TcxGridIndicatorRowItemViewInfo*>(indicator->Items(i)))
      if (row->RowViewInfo() == newRow) {
        found = true;
        EXPECT_EQ(row->GetIndicatorKind(), ikInsert);
      }
  EXPECT_TRUE(found);
  EXPECT_EQ(ViewInfo()->GetHitTest(POINT{client.left + 5, newRow->Bounds.top + 3})->HitTestCode(), htRecordCell);
  EXPECT_TRUE(KeepCheckedScreen());
}

TEST_F(CxGridTableViewPaintTest, FooterCellsShowTheirColumnsSummaries) {
  TcxDataSummaryItem* count = view_->DataController()->Summary()->FooterSummaryItems()->Add();
  count->SetItemLink(Column(u"SURNAME"));
  count->SetKind(skCount);
  view_->OptionsView()->SetFooter(true);
  Pump();
  TcxGridFooterViewInfo* footer = ViewInfo()->FooterViewInfo();
  const int surnameIndex = Header()->VisibleIndexOf(Column(u"SURNAME"));
  TcxGridColumnHeaderViewInfo* cell = footer->Items(surnameIndex);
  EXPECT_TRUE(cell->GetVisible());
  EXPECT_FALSE(footer->Items(Header()->VisibleIndexOf(Column(u"ID")))->GetVisible()) << "no summary, no cell";
  EXPECT_EQ(cell->Text(), view_->DataController()->Summary()->GetFooterSummaryText(0));
  EXPECT_FALSE(cell->Text().empty());
  // The cell lies under its header cell, inside the footer's borders, and shows its text.
  EXPECT_EQ(cell->Bounds.left, HeaderCell(u"SURNAME")->Bounds.left);
  EXPECT_GE(cell->Bounds.top, footer->Bounds.top + footer->GetSeparatorWidth());
  EXPECT_GT(CountOtherThan(cell->GetTextAreaBounds(), clBtnFace), 0);
  EXPECT_TRUE(KeepCheckedScreen());
}

TEST_F(CxGridTableViewPaintTest, AGroupFooterClosesTheLastRowOfAnExpandedGroup) {
  TcxDataSummaryItem* count = view_->DataController()->Summary()->DefaultGroupSummaryItems()->Add();
  count->SetItemLink(Column(u"SURNAME"));
  count->SetKind(skCount);
  count->SetPosition(spFooter);
  view_->OptionsView()->SetGroupFooters(gfVisibleWhenExpanded);
  Column(u"CITY")->SetGroupIndex(0);
  view_->ViewData()->Expand(true);
  Pump();
  // Omsk (one person), then Oslo (three): the Omsk group's only row closes it with a footer.
  auto* omskRow = static_cast<TcxCustomGridRowViewInfo*>(Row(1));
  ASSERT_TRUE(omskRow->GridRecord()->IsData());
  TcxGridRowFootersViewInfo* footers = omskRow->FootersViewInfo();
  ASSERT_EQ(footers->Count(), 1);
  TcxGridRowFooterViewInfo* footer = footers->Items(0);
  EXPECT_EQ(footer->SummaryLevel(), 0);
  EXPECT_EQ(footer->Bounds.bottom, omskRow->Bounds.bottom);
  EXPECT_EQ(footer->Bounds.left, omskRow->GetContentLeft());
  EXPECT_EQ(omskRow->Bounds.bottom - omskRow->Bounds.top, Rows()->DataRowHeight() + footer->CalculateHeight());
  TcxGridColumnHeaderViewInfo* cell = footer->Items(Header()->VisibleIndexOf(Column(u"SURNAME")));
  EXPECT_TRUE(cell->GetVisible());
  EXPECT_EQ(cell->Text(), u"1");
  EXPECT_GT(CountOtherThan(cell->GetTextAreaBounds(), clBtnFace), 0) << "the count is drawn";
  // A row inside a group has none; the group's indent runs on beside the footer.
  EXPECT_EQ(static_cast<TcxCustomGridRowViewInfo*>(Row(3))->FootersViewInfo()->Count(), 0);
  EXPECT_EQ(At(omskRow->Bounds.left + 3, footer->Bounds.top + 3), Rgb(ViewInfo()->LevelIndentColor(0)));
  EXPECT_EQ(ViewInfo()->GetHitTest(POINT{cell->Bounds.left + 3, cell->Bounds.top + 3})->HitTestCode(), htGroupFooterCell);
  EXPECT_TRUE(KeepCheckedScreen());
}

// Clicks on the laid-out header, as the user makes them: ascending, descending, ascending; Shift
// adds a column, Ctrl takes one away.
TEST_F(CxGridTableViewPaintTest, HeaderClicksSortTheRows) {
  auto clickHeader = [&](const char16_t* AFieldName, TShiftState AShift) {
    const RECT r = HeaderCell(AFieldName)->Bounds;
    const int x = r.left + 10, y = (r.top + r.bottom) / 2;
    view_->Controller()->MouseDown(mbLeft, AShift, x, y);
    view_->Controller()->MouseUp(mbLeft, AShift, x, y);
    Pump();
  };
  struct Step {
    const char16_t* field;
    TShiftState shift;
    const char* first;
    TcxDataSortOrder surname;
    TcxDataSortOrder city;
  };
  for (const Step& s : {Step{u"SURNAME", {}, "Abramov", soAscending, soNone},
                        Step{u"SURNAME", {}, "Zotov", soDescending, soNone},
                        Step{u"SURNAME", {}, "Abramov", soAscending, soNone},
                        Step{u"CITY", {ssShift}, "Abramov", soAscending, soAscending},
                        Step{u"SURNAME", {ssCtrl}, "Zotov", soNone, soAscending}}) {
    clickHeader(s.field, s.shift);
    EXPECT_EQ(Column(u"SURNAME")->SortOrder(), s.surname);
    EXPECT_EQ(Column(u"CITY")->SortOrder(), s.city);
    EXPECT_EQ(RowTexts(u"SURNAME").front(), s.first);
  }
  EXPECT_EQ(view_->Controller()->PressedColumn(), nullptr);
}

TEST_F(CxGridTableViewPaintTest, TheFilterBarComesWithAFilterAndItsCloseButtonClearsIt) {
  EXPECT_FALSE(ViewInfo()->FilterViewInfo()->GetVisible()) << "no filter, no bar";
  Column(u"CITY")->DataBinding()->AddToFilter(nullptr, foEqual, Variant(S("Oslo")), S("Oslo"), true);
  view_->DataController()->Filter()->SetActive(true);
  Pump();
  TcxGridFilterViewInfo* filter = ViewInfo()->FilterViewInfo();
  ASSERT_TRUE(filter->GetVisible());
  EXPECT_EQ(filter->Bounds.bottom, ViewInfo()->Bounds.bottom);
  TcxGridFilterButtonsViewInfo* buttons = filter->ButtonsViewInfo();
  ASSERT_TRUE(buttons->Items(0)->GetVisible()) << "the close button";
  ASSERT_TRUE(buttons->Items(1)->GetVisible()) << "the activate check box";
  EXPECT_EQ(buttons->Items(0)->Bounds.left, filter->Bounds.left + 4);
  EXPECT_EQ(buttons->Items(1)->Bounds.left, buttons->Items(0)->Bounds.right + 4);
  EXPECT_FALSE(filter->Text().empty());
  EXPECT_NE(filter->Text(), u"<Filter is Empty>");
  EXPECT_EQ(Rows()->RowCount(), 3);
  EXPECT_TRUE(KeepCheckedScreen("filtered"));

  const RECT close = buttons->Items(0)->Bounds;
  Click(view_->Site(), (close.left + close.right) / 2, (close.top + close.bottom) / 2);
  Pump();
  EXPECT_TRUE(view_->DataController()->Filter()->IsEmpty());
  EXPECT_FALSE(ViewInfo()->FilterViewInfo()->GetVisible());
  EXPECT_EQ(Rows()->RowCount(), 5);

  // Always shown, an empty filter reads as such and offers only the customize button.
  view_->Filtering()->SetVisible(fvAlways);
  Pump();
  filter = ViewInfo()->FilterViewInfo();
  EXPECT_EQ(filter->Text(), u"<Filter is Empty>");
  EXPECT_FALSE(filter->ButtonsViewInfo()->Items(0)->GetVisible());
  EXPECT_TRUE(filter->ButtonsViewInfo()->Items(2)->GetVisible());
  // The customize button is drawn as a button, in the button face.
  const RECT customize = filter->ButtonsViewInfo()->Items(2)->Bounds;
  EXPECT_EQ(At(customize.left + 3, customize.top + 3), Rgb(clBtnFace));
}

// The customize button beside the text is measured while the text's area is laid out.
TEST_F(CxGridTableViewPaintTest, TheFilterBarWritesItsTextInItsStylesTextColour) {
  view_->Filtering()->SetVisible(fvAlways);
  Pump();
  TcxGridFilterViewInfo* filter = ViewInfo()->FilterViewInfo();
  ASSERT_TRUE(filter->ButtonsViewInfo()->Items(2)->GetVisible());
  const RECT text = filter->GetTextAreaBounds();
  const TColor background = Rgb(filter->Params().Color);
  const TColor textColor = Rgb(filter->Params().TextColor);
  ASSERT_NE(background, textColor);
  int written = 0, other = 0;
  for (int y = text.top; y < text.bottom; ++y)
    for (int x = text.left; x < text.right; ++x) {
      const TColor pixel = At(x, y);
      written += pixel == textColor;
      other += pixel != textColor && pixel != background;
    }
  EXPECT_GT(written, 100) << "\"<Filter is Empty>\" in the filter bar's text colour";
  EXPECT_EQ(other, 0);
  EXPECT_TRUE(KeepCheckedScreen());
}

TEST_F(CxGridTableViewPaintTest, AnIncrementalSearchHighlightsTheTypedPartOfTheFoundCell) {
  auto* repository = new TcxStyleRepository(form_);
  auto* style = static_cast<TcxStyle*>(repository->CreateStyleWithOwner(TcxStyle::StaticClass(), form_));
  style->SetColor(clYellow);
  style->SetTextColor(clRed);
  view_->Styles()->SetIncSearch(style);
  view_->OptionsBehavior()->SetIncSearch(true);
  view_->Site()->SetFocus();
  view_->Controller()->SetFocusedItem(Column(u"SURNAME"));
  for (Char c : String(u"be")) view_->Controller()->KeyPress(c);
  Pump();
  ASSERT_EQ(view_->Controller()->FocusedRecordIndex(), 1) << "Belov";

  auto* cell = static_cast<TcxGridTableDataCellViewInfo*>(Row(1)->GetCellViewInfoByItem(Column(u"SURNAME")));
  const RECT text = cell->EditViewInfo()->TextRect;
  const int typedRight = text.left + 2 * 8;  // two characters of the fixed font
  auto count = [&](int ALeft, int ARight, TColor AColor) {
    int n = 0;
    for (int y = text.top; y < text.bottom; ++y)
      for (int x = ALeft; x < ARight; ++x) n += At(x, y) == Rgb(AColor);
    return n;
  };
  EXPECT_GT(count(text.left, typedRight, clYellow), 2 * 8 * 4) << "the typed part on the style's colour";
  EXPECT_GT(count(text.left, typedRight, clRed), 4) << "in the style's text colour";
  EXPECT_EQ(count(typedRight + 1, text.right, clYellow), 0) << "the rest of the surname is not highlighted";
  EXPECT_EQ(count(typedRight + 1, text.right, clRed), 0);
  const RECT other = Row(2)->GetBoundsForItem(Column(u"SURNAME"));
  EXPECT_EQ(CountOtherThan(RECT{other.left + 1, other.top + 1, other.right - 1, other.bottom - 1}, clYellow),
            (other.right - other.left - 2) * (other.bottom - other.top - 2))
      << "another record shows no highlight";
  EXPECT_TRUE(KeepCheckedScreen());

  view_->Controller()->CancelIncSearching();
  Pump();
  EXPECT_EQ(count(text.left, text.right, clYellow), 0) << "the end of the search clears the highlight";
}

TEST_F(CxGridTableViewPaintTest, AutoHeightRowsGrowByTheLinesTheirTextBreaksInto) {
  // "Nizhny" / "Novgorod" / "region" in a city column eleven characters wide.
  connection_->DbConnection().ExecuteScript(u"UPDATE PEOPLE SET CITY = 'Nizhny Novgorod region' WHERE ID = 2;");
  people_->Close();
  people_->Open();
  Column(u"CITY")->SetWidth(100);
  view_->OptionsView()->SetCellAutoHeight(true);
  auto grownBy = [&](int AMaxLineCount) {
    view_->OptionsView()->SetCellTextMaxLineCount(AMaxLineCount);
    Relayout();
    return Row(1)->Height() - Row(0)->Height();
  };
  const int twoLines = grownBy(2);
  EXPECT_GT(twoLines, 0) << "the long city takes a second line";
  EXPECT_EQ(grownBy(0), 2 * twoLines) << "and a third without a limit";
  EXPECT_EQ(Row(2)->Height(), Row(0)->Height()) << "a short city keeps one line";
}
