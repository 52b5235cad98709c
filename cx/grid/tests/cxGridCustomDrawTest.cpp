// The data cells' custom drawing over an SQLite people table: the column's handler first, the
// view's after it unless the column's finished the drawing, and a handler that only recolours the
// canvas leaves the cell to draw itself in those colours; checked on the screen's pixels.
#include "cx/grid/cxGridTableHeaderViewInfo.h"
#include "cx/grid/cxGridTableIndicatorViewInfo.h"
#include "cx/grid/cxGridTableRowViewInfo.h"
#include "cx/grid/tests/cxGridDBTestUtil.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/forms/Colors.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

class CxGridCustomDrawTest : public CxGridDBTableViewTest {
 protected:
  void SetUp() override {
    CxGridDBTableViewTest::SetUp();
    view_->OptionsView()->SetScrollBars(ssNone);
    ShowLaidOut(360, 240);
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

TEST_F(CxGridCustomDrawTest, HeadersFootersGroupCellsAndPartBackgroundsGoToTheirHandlers) {
  TcxDataSummaryItem* count = view_->DataController()->Summary()->FooterSummaryItems()->Add();
  count->SetItemLink(Column(u"SURNAME"));
  count->SetKind(skCount);
  view_->OptionsView()->SetFooter(true);
  view_->Filtering()->SetVisible(fvAlways);
  Column(u"CITY")->SetGroupIndex(0);
  view_->ViewData()->Collapse(true);
  Pump();
  auto viewInfo = [this] { return static_cast<TcxGridTableViewInfo*>(view_->ViewInfo()); };
  auto surnameIndex = [&] { return viewInfo()->HeaderViewInfo()->VisibleIndexOf(Column(u"SURNAME")); };
  auto headerCell = [&] { return viewInfo()->HeaderViewInfo()->Items(surnameIndex())->Bounds; };
  auto footerCell = [&] { return viewInfo()->FooterViewInfo()->Items(surnameIndex())->Bounds; };
  // Right of the expand button, which is the row's own.
  auto groupCell = [&] {
    RECT r = static_cast<TcxGridGroupRowViewInfo*>(viewInfo()->RowsViewInfo()->Items(0))->GroupCell()->Bounds;
    r.left += viewInfo()->LevelIndent();
    return r;
  };
  auto filterBar = [&] { return viewInfo()->FilterViewInfo()->Bounds; };

  // Each handler acts on its element only (the surname's header and footer cell, the first group
  // row, the filter bar): it recolours the canvas, or fills the element and says it is done.
  enum TAction { aRecolour, aFillDone };
  TAction action = aRecolour;
  auto act = [&](TcxCanvas* ACanvas, const RECT& ABounds, bool& ADone) {
    ACanvas->SetBrushColor(action == aRecolour ? clYellow : clLime);
    if (action != aFillDone) return;
    ACanvas->FillRect(ABounds);
    ADone = true;
  };
  auto isSurname = [&](TcxGridColumnHeaderViewInfo* ACell) { return ACell->Column() == Column(u"SURNAME"); };
  auto headerHandler = [&](TcxGridTableView*, TcxCanvas* ACanvas, TcxGridColumnHeaderViewInfo* ACell, bool& ADone) {
    if (isSurname(ACell)) act(ACanvas, ACell->Bounds, ADone);
  };
  struct Case {
    const char* name;
    std::function<void()> install;
    std::function<RECT()> bounds;
    bool backgroundOnly = false;  // the element's text and buttons are drawn over the handler's fill
  };
  const std::vector<Case> cases = {
      {"the column's header handler", [&] { Column(u"SURNAME")->OnCustomDrawHeader = headerHandler; }, headerCell},
      {"the view's header handler", [&] { view_->OnCustomDrawColumnHeader = headerHandler; }, headerCell},
      {"the column's footer handler", [&] { Column(u"SURNAME")->OnCustomDrawFooterCell = headerHandler; }, footerCell},
      {"the view's footer handler", [&] { view_->OnCustomDrawFooterCell = headerHandler; }, footerCell},
      {"the group cell handler",
       [&] {
         view_->OnCustomDrawGroupCell = [&](TcxCustomGridTableView*, TcxCanvas* ACanvas, TcxGridTableCellViewInfo* ACell,
                                           bool& ADone) {
           if (ACell->GridRecord()->Index() == 0) act(ACanvas, ACell->Bounds, ADone);
         };
       },
       groupCell},
      {"the part background handler",
       [&] {
         view_->OnCustomDrawPartBackground = [&](TcxGridTableView*, TcxCanvas* ACanvas, TcxCustomGridCellViewInfo* APart,
                                                bool& ADone) {
           if (APart == static_cast<TcxCustomGridCellViewInfo*>(viewInfo()->FilterViewInfo())) act(ACanvas, APart->ContentBounds(), ADone);
         };
       },
       filterBar, true},
  };
  auto clearHandlers = [&] {
    Column(u"SURNAME")->OnCustomDrawHeader = nullptr;
    Column(u"SURNAME")->OnCustomDrawFooterCell = nullptr;
    view_->OnCustomDrawColumnHeader = nullptr;
    view_->OnCustomDrawFooterCell = nullptr;
    view_->OnCustomDrawGroupCell = nullptr;
    view_->OnCustomDrawPartBackground = nullptr;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (TAction a : {aRecolour, aFillDone}) {
      action = a;
      c.install();
      view_->Site()->Invalidate();
      Pump();
      RECT inside = c.bounds();
      InflateRect(&inside, -2, -2);
      // What lies past the site's right edge is not on the screen.
      inside.right = std::min(inside.right, static_cast<LONG>(view_->Site()->ClientWidth() - 2));
      const int area = (inside.right - inside.left - 2) * (inside.bottom - inside.top - 2);
      if (a == aRecolour) {
        const int yellow = Count(inside, clYellow);
        EXPECT_GT(yellow, area / 2) << "drawn by the element itself in the handler's colour";
        EXPECT_LT(yellow, area) << "with its text";
        EXPECT_TRUE(KeepCheckedScreen(std::string(c.name) + ", recoloured"));
      } else {
        if (c.backgroundOnly) {
          EXPECT_GT(Count(inside, clLime), area / 2);
          EXPECT_LT(Count(inside, clLime), area) << "the text over the handler's background";
        } else {
          EXPECT_EQ(Count(inside, clLime), area) << "the handler's fill alone";
        }
        EXPECT_TRUE(KeepCheckedScreen(std::string(c.name) + ", filled"));
      }
      // The handler's colours served that paint only.
      clearHandlers();
      view_->Site()->Invalidate();
      Pump();
      EXPECT_EQ(Count(inside, clYellow), 0);
      EXPECT_EQ(Count(inside, clLime), 0);
    }
  }
}
