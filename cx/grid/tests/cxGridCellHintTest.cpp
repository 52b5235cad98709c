// Cell hints of a people view over SQLite: a surname cut by its narrow column shows whole in a hint
// laid over the cell's own text, and the hint goes when the cursor leaves the cell (on the virtual
// clock); checked on the screen's pixels.
#include "cx/grid/cxGridTableController.h"
#include "cx/grid/cxGridTableRowViewInfo.h"
#include "cx/grid/cxGridTableRows.h"
#include "cx/grid/tests/cxGridDBTestUtil.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/forms/Colors.h"
#include "platform/forms/Forms.h"

class CxGridCellHintTest : public CxGridDBTableViewTest {
 protected:
  void SetUp() override {
    CxGridDBTableViewTest::SetUp();
    view_->OptionsView()->SetScrollBars(ssNone);
    view_->OptionsView()->SetGroupByBox(false);
    view_->OptionsBehavior()->SetCellHints(true);
    Column(u"NOSUCH")->SetVisible(false);
    Column(u"ID")->SetWidth(40);
    // Five characters of the fixed font: "Kim" fits, "Abramov" does not.
    Column(u"SURNAME")->SetWidth(48);
    Column(u"CITY")->SetWidth(100);
    ShowLaidOut(400, 240);
  }

  TcxCustomGridController* Controller() { return view_->Controller(); }
  TcxGridDataCellViewInfo* Cell(int ARow, const char16_t* AField) {
    auto* rows = static_cast<TcxGridTableViewInfo*>(view_->ViewInfo())->RowsViewInfo();
    return static_cast<TcxGridDataCellViewInfo*>(rows->Items(ARow)->GetCellViewInfoByItem(Column(AField)));
  }
  void MoveOver(int ARow, const char16_t* AField, int ADx = 0) {
    const RECT r = Cell(ARow, AField)->Bounds;
    MoveTo(view_->Site(), (r.left + r.right) / 2 + ADx, (r.top + r.bottom) / 2);
  }
  bool HintShown() {
    THintWindow* window = Controller()->HintWindow();
    return window && window->HandleAllocated() && IsWindowVisible(window->Handle());
  }
  // Screen bounds of the pixels in R (screen coordinates) that differ from ABackground.
  static RECT InkOnScreen(const RECT& R, TColor ABackground) {
    HDC dc = GetDC(nullptr);
    RECT ink{};
    for (int y = R.top; y < R.bottom; ++y)
      for (int x = R.left; x < R.right; ++x)
        if (static_cast<TColor>(GetPixel(dc, x, y)) != ColorToRGB(ABackground)) {
          RECT p{x, y, x + 1, y + 1};
          UnionRect(&ink, &ink, &p);
        }
    ReleaseDC(nullptr, dc);
    return ink;
  }
  RECT ScreenRect(const RECT& R) {
    const POINT tl = At(view_->Site(), R.left, R.top);
    return RECT{tl.x, tl.y, tl.x + R.right - R.left, tl.y + R.bottom - R.top};
  }
};

TEST_F(CxGridCellHintTest, ACutSurnameShowsWholeOverItsCellUntilTheCursorLeavesIt) {
  ASSERT_EQ(RowTexts(u"SURNAME")[2], "Abramov");
  ASSERT_EQ(RowTexts(u"SURNAME")[4], "Kim");
  MoveOver(4, u"SURNAME");
  EXPECT_FALSE(HintShown()) << "a text that fits needs no hint";

  const RECT textRect = Cell(2, u"SURNAME")->EditViewInfo()->TextRect;
  const RECT cellInk = InkOnScreen(ScreenRect(textRect), clWindow);
  ASSERT_FALSE(IsRectEmpty(&cellInk));
  MoveOver(2, u"SURNAME");
  ASSERT_TRUE(HintShown());
  THintWindow* window = Controller()->HintWindow();
  EXPECT_EQ(window->Caption(), u"Abramov");
  RECT windowRect;
  GetWindowRect(window->Handle(), &windowRect);
  RECT inside = windowRect;
  InflateRect(&inside, -1, -1);
  const RECT hintInk = InkOnScreen(inside, clInfoBk);
  EXPECT_EQ(hintInk.left, cellInk.left) << "the hint's text lands on the cell's";
  EXPECT_EQ(hintInk.top, cellInk.top);
  EXPECT_GT(hintInk.right - hintInk.left, cellInk.right - cellInk.left) << "more of the surname than the cell shows";
  EXPECT_GT(hintInk.right, ScreenRect(Cell(2, u"SURNAME")->Bounds).right) << "past the cell's edge";
  EXPECT_TRUE(KeepCheckedScreen("hint"));

  MoveOver(2, u"SURNAME", 3);
  EXPECT_EQ(Controller()->HintWindow(), window) << "moving inside the cell keeps the hint";
  EXPECT_TRUE(HintShown());
  MoveOver(2, u"CITY");
  EXPECT_FALSE(HintShown()) << "a cell whose text fits hides it";

  MoveOver(2, u"SURNAME");
  ASSERT_TRUE(HintShown());
  const RECT cell = Cell(2, u"SURNAME")->Bounds;
  MoveTo(view_->Site(), (cell.left + cell.right) / 2, 2);
  EXPECT_TRUE(HintShown()) << "the header shows no hints and hides none itself";
  Advance(20);
  EXPECT_FALSE(HintShown()) << "leaving the cell ends the hint on the tracking timer";

  view_->OptionsBehavior()->SetCellHints(false);
  Pump();
  MoveOver(2, u"SURNAME");
  EXPECT_FALSE(HintShown()) << "without cell hints";

  // Left shown: the view's end frees it.
  view_->OptionsBehavior()->SetCellHints(true);
  Pump();
  MoveOver(2, u"SURNAME", -2);
  EXPECT_TRUE(HintShown());
}
