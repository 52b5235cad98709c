// The table view's layout and painting over an SQLite people table on a form: its parts stacked
// around the rows, the header's sorting marks, the indicator's glyphs, grid lines, group rows and
// the group-by box, and what lies under a point; checked on the screen's pixels.
#include "cx/grid/cxGridTableHeaderViewInfo.h"
#include "cx/grid/cxGridTableIndicatorViewInfo.h"
#include "cx/grid/cxGridTableRowViewInfo.h"
#include "cx/grid/tests/cxGridDBTestUtil.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/forms/Colors.h"

class CxGridTableViewPaintTest : public CxGridDBTableViewTest {
 protected:
  void SetUp() override {
    CxGridDBTableViewTest::SetUp();
    // As the program's default editors give them: text editors for the people's columns.
    for (const char16_t* field : {u"ID", u"SURNAME", u"CITY"}) Column(field)->SetPropertiesClassName(u"TcxTextEditProperties");
    grid_->SetBounds(0, 0, 360, 240);
    form_->Show();
    Pump();
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
