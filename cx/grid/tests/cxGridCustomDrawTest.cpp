// The data cells' custom drawing over an SQLite people table: the column's handler first, the
// view's after it unless the column's finished the drawing, and a handler that only recolours the
// canvas leaves the cell to draw itself in those colours; checked on the screen's pixels.
#include "cx/grid/cxGridTableHeaderViewInfo.h"
#include "cx/grid/cxGridTableRowViewInfo.h"
#include "cx/grid/tests/cxGridDBTestUtil.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/forms/Colors.h"

class CxGridCustomDrawTest : public CxGridDBTableViewTest {
 protected:
  void SetUp() override {
    CxGridDBTableViewTest::SetUp();
    for (const char16_t* field : {u"ID", u"SURNAME", u"CITY"}) Column(field)->SetPropertiesClassName(u"TcxTextEditProperties");
    grid_->SetBounds(0, 0, 360, 240);
    view_->OptionsView()->SetScrollBars(ssNone);
    form_->Show();
    Pump();
  }

  TcxGridDataRowViewInfo* Row(int AIndex) {
    auto* viewInfo = static_cast<TcxGridTableViewInfo*>(view_->ViewInfo());
    return static_cast<TcxGridDataRowViewInfo*>(viewInfo->RowsViewInfo()->Items(AIndex));
  }
  RECT SurnameCell(int ARow) {
    auto* viewInfo = static_cast<TcxGridTableViewInfo*>(view_->ViewInfo());
    return Row(ARow)->Cells(viewInfo->HeaderViewInfo()->VisibleIndexOf(Column(u"SURNAME")))->Bounds;
  }
  TColor At(int X, int Y) { return ScreenPixel(view_->Site(), X, Y); }
  // How many pixels of the cell's inside show AColor.
  int Count(const RECT& R, TColor AColor) {
    int count = 0;
    for (int y = R.top + 1; y < R.bottom - 1; ++y)
      for (int x = R.left + 1; x < R.right - 1; ++x) count += At(x, y) == ColorToRGB(AColor);
    return count;
  }
};

TEST_F(CxGridCustomDrawTest, HandlersDrawTheCellOrRecolourItForItsOwnDrawing) {
  // What the column's handler and the view's handler do with Orlova's surname (row 1: row 0 is
  // focused and drawn selected).
  enum TAction { aNone, aRecolour, aFillDone };
  struct Case {
    const char* name;
    TAction column;
    TAction view;
    TColor background;  // what the cell's inside mostly shows
    bool textDrawn;
    int viewCalls;
  };
  const Case cases[] = {
      {"no handler", aNone, aNone, clWindow, true, 0},
      {"the view recolours", aNone, aRecolour, clYellow, true, 1},
      {"the column recolours, the view keeps it", aRecolour, aNone, clYellow, true, 1},
      {"the column draws it all", aFillDone, aRecolour, clLime, false, 0},
      {"the view draws it all", aNone, aFillDone, clLime, false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int viewCalls = 0;
    auto handlerFor = [&](TAction AAction, bool AIsView) -> TcxGridTableDataCellCustomDrawEvent {
      if (AAction == aNone && !AIsView) return nullptr;
      return [&, AAction, AIsView](TcxCustomGridTableView*, TcxCanvas* ACanvas, TcxGridTableDataCellViewInfo* ACell,
                                   bool& ADone) {
        if (ACell->GridRecord()->Index() != 1 || ACell->Item() != Column(u"SURNAME")) return;
        if (AIsView) ++viewCalls;
        if (AAction == aRecolour) ACanvas->SetBrushColor(clYellow);
        if (AAction == aFillDone) {
          ACanvas->SetBrushColor(clLime);
          ACanvas->FillRect(ACell->Bounds);
          ADone = true;
        }
      };
    };
    Column(u"SURNAME")->OnCustomDrawCell = handlerFor(c.column, false);
    view_->OnCustomDrawCell = c.view == aNone && c.column == aNone ? nullptr : handlerFor(c.view, true);
    view_->Site()->Invalidate();
    Pump();
    const RECT cell = SurnameCell(1);
    const int inside = (cell.right - cell.left - 2) * (cell.bottom - cell.top - 2);
    const int background = Count(cell, c.background);
    EXPECT_GT(background, inside / 2);
    EXPECT_EQ(background < inside, c.textDrawn) << "the surname's text";
    EXPECT_EQ(viewCalls, c.viewCalls);
    // The other cells are left as they are.
    const RECT other = SurnameCell(2);
    EXPECT_GT(Count(other, clWindow), (other.right - other.left - 2) * (other.bottom - other.top - 2) / 2);
    EXPECT_TRUE(KeepCheckedScreen(c.name));
  }
}
