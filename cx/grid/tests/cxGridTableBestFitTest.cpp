// Best fit over the SQLite people table in the fixed-metrics font (every glyph 8 pixels wide): the
// widest value, the editor's frame and the grid lines; a double click on a header's sizing edge.
#include "cx/grid/cxGridTableHeaderViewInfo.h"
#include "cx/grid/cxGridTableRowViewInfo.h"
#include "cx/grid/cxGridTableViewInfo.h"
#include "cx/grid/tests/cxGridDBTestUtil.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/forms/Colors.h"

class CxGridTableBestFitTest : public CxGridDBTableViewTest {
 protected:
  void SetUp() override {
    CxGridDBTableViewTest::SetUp();
    Column(u"NOSUCH")->SetVisible(false);
    view_->OptionsView()->SetScrollBars(ssNone);
    ShowLaidOut(360, 240);
  }

  TcxGridTableViewInfo* ViewInfo() { return static_cast<TcxGridTableViewInfo*>(view_->ViewInfo()); }
  RECT HeaderBounds(const char16_t* AFieldName) {
    TcxGridHeaderViewInfo* header = ViewInfo()->HeaderViewInfo();
    return header->Items(header->VisibleIndexOf(Column(AFieldName)))->Bounds;
  }
  void SetSurname(int AID, const char16_t* ASurname) {
    ASSERT_TRUE(people_->Locate(u"ID", Variant(AID), {}));
    people_->Edit();
    people_->FieldByName(u"SURNAME")->SetAsString(ASurname);
    people_->Post();
    Pump();
  }
  // The leftmost and rightmost inked pixels of a row's band of the site, between two x positions.
  std::pair<int, int> InkExtent(int ALeft, int ARight, int AY) {
    int first = -1, last = -1;
    for (int x = ALeft; x < ARight; ++x)
      if (ScreenPixel(view_->Site(), x, AY) == ColorToRGB(clWindowText)) {
        if (first < 0) first = x;
        last = x;
      }
    return {first, last};
  }
};

TEST_F(CxGridTableBestFitTest, TheWidestValueTheEditorsFrameAndTheGridLinesMakeTheBestFit) {
  TcxGridColumn* surname = Column(u"SURNAME");
  const int widest = surname->GetBestFitWidth();
  // The widest surname (Abramov, 7 glyphs) decides; one 5 glyphs longer widens it by 40 pixels.
  SetSurname(3, u"Abramovskaya");
  EXPECT_EQ(surname->GetBestFitWidth(), widest + 5 * 8);
  SetSurname(3, u"Abramov");
  EXPECT_EQ(surname->GetBestFitWidth(), widest);

  // A cell has a line on its right except in horizontal-only lines, where only the last column's
  // cells have one; each line is one pixel.
  struct Case {
    TcxGridLines lines;
    const char16_t* column;
    int lineWidth;
  };
  const Case cases[] = {{glBoth, u"SURNAME", 1},   {glVertical, u"SURNAME", 1}, {glHorizontal, u"SURNAME", 0},
                        {glHorizontal, u"CITY", 1}, {glNone, u"SURNAME", 0},     {glNone, u"CITY", 0}};
  view_->OptionsView()->SetGridLines(glNone);
  const int surnameBare = surname->GetBestFitWidth();
  const int cityBare = Column(u"CITY")->GetBestFitWidth();
  EXPECT_EQ(surnameBare, widest - 1);
  for (const Case& c : cases) {
    view_->OptionsView()->SetGridLines(c.lines);
    const int bare = c.column == std::u16string_view(u"CITY") ? cityBare : surnameBare;
    EXPECT_EQ(Column(c.column)->GetBestFitWidth(), bare + c.lineWidth)
        << StringToUtf8(GetEnumName(TrenvikEnumInfo(c.lines), c.lines)) << " " << StringToUtf8(c.column);
  }

  // Without records only the editor's minimal width and frame remain: none for a plain text editor
  // without lines, and applying that leaves the column at its minimum width.
  Column(u"CITY")->DataBinding()->AddToFilter(nullptr, foEqual, Variant(S("Moon")), String(), true);
  view_->DataController()->Filter()->SetActive(true);
  Pump();
  ASSERT_EQ(view_->ViewData()->RecordCount(), 0);
  EXPECT_EQ(surname->GetBestFitWidth(), 0);
  surname->ApplyBestFit();
  EXPECT_EQ(surname->Width(), surname->MinWidth());
  EXPECT_EQ(surnameBare - 7 * 8 - 2, 0) << "with records: the text and the 2 pixels a fitted value gets";
}

// The column is first too narrow for Abramov; a double click on its header's right edge fits it, and
// the whole surname shows.
TEST_F(CxGridTableBestFitTest, ADoubleClickOnTheSizingEdgeFitsTheColumnToItsWidestValue) {
  TcxGridColumn* surname = Column(u"SURNAME");
  surname->SetWidth(40);
  Pump();
  auto* abramov = static_cast<TcxCustomGridRowViewInfo*>(ViewInfo()->RowsViewInfo()->Items(2));
  const int textY = (abramov->Bounds.top + abramov->Bounds.bottom) / 2;
  RECT header = HeaderBounds(u"SURNAME");
  const auto cut = InkExtent(header.left, header.right, textY);
  ASSERT_GE(cut.first, 0);
  EXPECT_LT(cut.second - cut.first + 1, 7 * 8) << "Abramov does not fit in 40 pixels";

  clock_->Advance(1000);
  for (int press = 0; press < 2; ++press) {
    Down(view_->Site(), header.right - 1, (header.top + header.bottom) / 2);
    Up(view_->Site(), header.right - 1, (header.top + header.bottom) / 2);
  }
  EXPECT_EQ(surname->Width(), surname->GetBestFitWidth());
  EXPECT_FALSE(surname->IsWidthForced()) << "the flag is lowered again";
  header = HeaderBounds(u"SURNAME");
  EXPECT_EQ(header.right - header.left, surname->Width());
  abramov = static_cast<TcxCustomGridRowViewInfo*>(ViewInfo()->RowsViewInfo()->Items(2));
  const auto whole = InkExtent(header.left, header.right, (abramov->Bounds.top + abramov->Bounds.bottom) / 2);
  // Each glyph's box leaves a pixel free at either side of its 8-pixel cell.
  EXPECT_EQ(whole.second - whole.first + 1, 7 * 8 - 2) << "all seven glyphs show";
  EXPECT_LT(whole.second, header.right - 1) << "and end inside the cell";
  EXPECT_TRUE(KeepCheckedScreen());
}
