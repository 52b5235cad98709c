// Records of a laid-out people view over SQLite as a drag target: the record under a dragged object
// paints as selected until the drag ends; checked on the screen's pixels.
#include "cx/grid/cxGridTableController.h"
#include "cx/grid/cxGridTableRowViewInfo.h"
#include "cx/grid/cxGridTableRows.h"
#include "cx/grid/tests/cxGridDBTestUtil.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/forms/Colors.h"
#include "platform/forms/ExtCtrls.h"

class CxGridRecordDragPaintTest : public CxGridDBTableViewTest {
 protected:
  void SetUp() override {
    CxGridDBTableViewTest::SetUp();
    form_->SetBounds(100, 100, 560, 300);
    view_->OptionsView()->SetScrollBars(ssNone);
    view_->OptionsView()->SetGroupByBox(false);
    view_->OptionsBehavior()->SetDragScrolling(false);
    Column(u"NOSUCH")->SetVisible(false);
    for (const char16_t* field : {u"ID", u"SURNAME", u"CITY"}) Column(field)->SetWidth(100);
    panel_ = Add<TPanel>(form_, 420, 10, 80, 80);
    panel_->OnDragOver = [](TObject*, TObject*, int, int, TDragState, bool& Accept) { Accept = true; };
    view_->Site()->OnDragOver = [](TObject*, TObject*, int, int, TDragState, bool& Accept) { Accept = true; };
    ShowLaidOut(400, 240);
  }

  TcxGridTableController* Controller() { return view_->Controller(); }
  TcxCustomGridRecordViewInfo* Row(int AIndex) {
    return static_cast<TcxGridTableViewInfo*>(view_->ViewInfo())->RowsViewInfo()->Items(AIndex);
  }
  POINT CellCentre(int ARow, const char16_t* AField) {
    const RECT r = Row(ARow)->GetBoundsForItem(Column(AField));
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  // A point of the city cell's background, right of its text.
  TColor CityBackground(int ARow) {
    const RECT r = Row(ARow)->GetBoundsForItem(Column(u"CITY"));
    return ScreenPixel(view_->Site(), r.right - 6, (r.top + r.bottom) / 2);
  }

  TPanel* panel_ = nullptr;
};

TEST_F(CxGridRecordDragPaintTest, TheRecordUnderADraggedObjectPaintsSelectedUntilTheDragEnds) {
  panel_->SetDragMode(dmAutomatic);
  Controller()->FocusRecord(0);
  Pump();
  ASSERT_EQ(CityBackground(3), ColorToRGB(clWindow));
  Down(panel_, 10, 10);
  MoveTo(panel_, 20, 20);
  const POINT over = CellCentre(3, u"SURNAME");
  MoveTo(view_->Site(), over.x, over.y);
  ASSERT_NE(Controller()->DragHighlightedRecord(), nullptr);
  EXPECT_EQ(CityBackground(3), ColorToRGB(clHighlight)) << "highlighted in the active selection colour";
  EXPECT_EQ(CityBackground(2), ColorToRGB(clWindow));
  EXPECT_TRUE(KeepCheckedScreen("over row 3"));

  const POINT next = CellCentre(1, u"SURNAME");
  MoveTo(view_->Site(), next.x, next.y);
  EXPECT_EQ(CityBackground(1), ColorToRGB(clHighlight)) << "the highlight follows the object";
  EXPECT_EQ(CityBackground(3), ColorToRGB(clWindow)) << "and leaves the record it was over";

  Up(view_->Site(), next.x, next.y);
  EXPECT_EQ(Controller()->DragHighlightedRecord(), nullptr);
  EXPECT_EQ(CityBackground(1), ColorToRGB(clWindow)) << "the drop leaves no highlight";
  EXPECT_EQ(Controller()->FocusedRecordIndex(), 0) << "highlighting alone focuses nothing";

  view_->OptionsBehavior()->SetDragHighlighting(false);
  Down(panel_, 10, 10);
  MoveTo(panel_, 20, 20);
  MoveTo(view_->Site(), over.x, over.y);
  EXPECT_EQ(CityBackground(3), ColorToRGB(clWindow)) << "without DragHighlighting";
  Up(view_->Site(), over.x, over.y);
}
