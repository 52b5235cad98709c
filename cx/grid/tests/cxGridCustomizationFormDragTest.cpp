// Dragging a column out of the customization form into the header, on the real layout of the
// SQLite people's view: the column shows where it was dropped and nothing of the feedback stays.
#include "cx/grid/cxGridCustomizationForm.h"
#include "cx/grid/cxGridTableController.h"
#include "cx/grid/cxGridTableHeaderViewInfo.h"
#include "cx/grid/cxGridTableViewInfo.h"
#include "cx/grid/tests/cxGridDBTestUtil.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/forms/Colors.h"

class CxGridCustomizationFormDragTest : public CxGridDBTableViewTest {
 protected:
  void SetUp() override {
    CxGridDBTableViewTest::SetUp();
    Column(u"NOSUCH")->SetVisible(false);
    ShowLaidOut(360, 240);
    view_->Controller()->SetCustomization(true);
    Pump();
  }
  TcxCustomGridTableItemsListBox* ListBox() { return view_->Controller()->CustomizationForm()->ItemsListBox(); }
  TcxGridHeaderViewInfo* Header() { return static_cast<TcxGridTableViewInfo*>(view_->ViewInfo())->HeaderViewInfo(); }
  RECT HeaderBounds(const char16_t* AFieldName) { return Header()->Items(Header()->VisibleIndexOf(Column(AFieldName)))->Bounds; }
  // Presses on the form's first item and drags it in steps to P of the site, leaving the button down.
  void DragFirstItemTo(POINT P) {
    const RECT item = ListBox()->ItemRect(0);
    const POINT from{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    clock_->Advance(1000);
    Down(ListBox(), from.x, from.y);
    MoveTo(ListBox(), from.x + 12, from.y);
    const POINT start = view_->Site()->ScreenToClient(ListBox()->ClientToScreen(POINT{from.x + 12, from.y}));
    for (int step = 1; step <= 4; ++step)
      MoveTo(view_->Site(), start.x + (P.x - start.x) * step / 4, start.y + (P.y - start.y) * step / 4);
  }
  int LimePixels() {
    int count = 0;
    const RECT r = view_->Site()->ClientRect();
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) count += ScreenPixel(view_->Site(), x, y) == ColorToRGB(clLime);
    return count;
  }
};

TEST_F(CxGridCustomizationFormDragTest, AnItemDraggedIntoTheHeaderShowsItsColumnWhereItWasDropped) {
  ASSERT_EQ(ListBox()->Items()->Count(), 1) << "the column made invisible, NOSUCH";
  // Below the grid, on the bare form, the drag image is the list item with its caption: the mouse
  // holds it where the item was pressed (its middle).
  const RECT item = ListBox()->ItemRect(0);
  const POINT bare{180, 262};
  const POINT imageTopLeft = view_->Site()->ClientToScreen(
      POINT{bare.x - (item.right - item.left) / 2, bare.y - (item.bottom - item.top) / 2});
  auto inkedInImageRow = [&] {
    HDC dc = GetDC(nullptr);
    int inked = 0;
    for (int x = 0; x < item.right - item.left; ++x)
      inked += GetPixel(dc, imageTopLeft.x + x, imageTopLeft.y + (item.bottom - item.top) / 2) ==
               static_cast<COLORREF>(ColorToRGB(clBtnText));
    ReleaseDC(nullptr, dc);
    return inked;
  };
  EXPECT_EQ(inkedInImageRow(), 0) << "nothing is written there before the drag";
  DragFirstItemTo(bare);
  EXPECT_GE(inkedInImageRow(), 6 * 6) << "the six glyphs of NOSUCH follow the mouse";

  const RECT surname = HeaderBounds(u"SURNAME");
  const POINT target{surname.left + 3, (surname.top + surname.bottom) / 2};
  for (int step = 1; step <= 4; ++step)
    MoveTo(view_->Site(), bare.x + (target.x - bare.x) * step / 4, bare.y + (target.y - bare.y) * step / 4);
  EXPECT_EQ(view_->Site()->DragAndDropState(), dndDragging);
  EXPECT_GT(LimePixels(), 0) << "the arrows mark the place";
  Up(view_->Site(), target.x, target.y);
  Pump();
  EXPECT_TRUE(Column(u"NOSUCH")->Visible());
  EXPECT_EQ(Column(u"NOSUCH")->VisibleIndex(), 1) << "between ID and SURNAME";
  EXPECT_EQ(ListBox()->Items()->Count(), 0) << "a shown column leaves the form";
  EXPECT_EQ(LimePixels(), 0) << "no arrow is left after the drop";
  EXPECT_TRUE(KeepCheckedScreen());
}

TEST_F(CxGridCustomizationFormDragTest, APressWithoutAMoveOrAColumnThatCannotMoveStartsNothing) {
  const RECT item = ListBox()->ItemRect(0);
  clock_->Advance(1000);
  Down(ListBox(), item.left + 5, item.top + 3);
  MoveTo(ListBox(), item.left + 6, item.top + 3);
  EXPECT_EQ(ListBox()->DragItemIndex(), 0) << "still inside the drag-detect area";
  Up(ListBox(), item.left + 6, item.top + 3);
  EXPECT_EQ(ListBox()->DragItemIndex(), -1);
  EXPECT_NE(view_->Site()->DragAndDropState(), dndDragging);

  Column(u"NOSUCH")->Options()->SetMoving(false);
  const RECT surname = HeaderBounds(u"SURNAME");
  DragFirstItemTo(POINT{surname.left + 3, (surname.top + surname.bottom) / 2});
  EXPECT_NE(view_->Site()->DragAndDropState(), dndDragging);
  EXPECT_EQ(ListBox()->DragItemIndex(), -1);
  Up(view_->Site(), surname.left + 3, surname.top + 3);
  EXPECT_FALSE(Column(u"NOSUCH")->Visible());
}
