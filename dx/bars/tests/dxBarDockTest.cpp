#include "dx/bars/dxBarDockControl.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"

namespace {

class DxBarDockTest : public DxBarUiTest {
 protected:
  TdxBar* MakeDockedBar(const String& Caption, TdxBarDockingStyle Style, std::initializer_list<const char16_t*> Captions,
                        int Row = 0, int Left = 0) {
    TdxBar* bar = manager->Bars()->Add();
    bar->SetCaption(Caption);
    bar->SetDockingStyle(Style);
    bar->SetRow(Row);
    bar->SetDockedLeft(Left);
    for (const char16_t* caption : Captions) AddButton(bar, caption);
    bar->SetVisible(true);
    Pump();
    return bar;
  }
  static RECT BoundsOf(TControl* Control) {
    return RECT{Control->Left(), Control->Top(), Control->Left() + Control->Width(), Control->Top() + Control->Height()};
  }
};

TEST_F(DxBarDockTest, ADockedBarSitsInTheTopDockWithGripAndMark) {
  TdxBar* bar = MakeDockedBar(u"Standard", dsTop, {u"Open", u"Save", u"Print"});
  TdxDockControl* top = manager->Bars()->DockControls(dsTop);
  TdxBarControl* control = bar->Control();
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control->DockControl(), top);
  EXPECT_EQ(top->RowCount(), 1);
  // 44 + 44 + 52 for the buttons, 11 for the mark, the grip side 6 + 2 + 2 and 2 at the end.
  EXPECT_EQ(BoundsOf(control), (RECT{0, 0, 140 + 11 + 10, 26}));
  EXPECT_EQ(top->Height(), 26);
  EXPECT_EQ(control->ClientRect(), (RECT{0, 0, 151, 22}));
  EXPECT_EQ(control->GetMarkRect(), (RECT{140, 0, 151, 22}));
  EXPECT_FALSE(control->HasHiddenLinks());
  // The dock takes the room at the top of the form: the client area starts below it.
  POINT dockOrigin = top->ClientToScreen(POINT{0, 0});
  POINT formOrigin = form->ClientToScreen(POINT{0, 0});
  EXPECT_EQ(dockOrigin.y, formOrigin.y);
  // The grip of the enhanced look: a raised 3-pixel bar one pixel after the 2-pixel frame.
  POINT barOrigin = control->ClientToScreen(POINT{0, 0});
  int gripX = barOrigin.x - 6 - 2 + 2 + 1;
  EXPECT_EQ(ScreenPixel(gripX, barOrigin.y + 5), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(ScreenPixel(gripX + 2, barOrigin.y + 5), GetSysColor(COLOR_BTNSHADOW));
  KeepCheckedScreen();
}

TEST_F(DxBarDockTest, AShortDockHidesTheTrailingLinksBehindTheChevrons) {
  form->SetBounds(100, 100, 160, 200);
  Pump();
  TdxBar* bar = MakeDockedBar(u"Standard", dsTop, {u"Open", u"Save", u"Print"});
  TdxBarControl* control = bar->Control();
  RECT client = form->ClientRect();
  EXPECT_EQ(control->Width(), client.right);
  EXPECT_TRUE(control->HasHiddenLinks());
  const auto& links = *bar->ItemLinks();
  EXPECT_FALSE(IsRectEmpty(&links.Items(1)->ItemRect()));
  EXPECT_TRUE(IsRectEmpty(&links.Items(2)->ItemRect()));
  RECT mark = control->GetMarkRect();
  EXPECT_EQ(mark.right, control->ClientRect().right);
  // The chevrons: dark pixels in the mark's upper part.
  POINT origin = control->ClientToScreen(POINT{mark.left, mark.top});
  int dark = 0;
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 11; ++x) dark += ScreenPixel(origin.x + x, origin.y + y) == GetSysColor(COLOR_BTNTEXT);
  EXPECT_GE(dark, 8);
  KeepCheckedScreen();
  // Giving the form room shows them all again.
  form->SetBounds(100, 100, 500, 200);
  Pump();
  EXPECT_FALSE(control->HasHiddenLinks());
  EXPECT_FALSE(IsRectEmpty(&links.Items(2)->ItemRect()));
}

TEST_F(DxBarDockTest, BarsShareARowAndAWholeRowBarTakesOneOfItsOwn) {
  TdxBar* first = MakeDockedBar(u"First", dsTop, {u"A", u"B"});
  TdxBar* second = MakeDockedBar(u"Second", dsTop, {u"C"}, 0, 200);
  TdxDockControl* top = manager->Bars()->DockControls(dsTop);
  EXPECT_EQ(top->RowCount(), 1);
  EXPECT_EQ(second->Control()->Left(), 200);
  EXPECT_EQ(first->Control()->Left(), 0);
  TdxBar* menu = manager->Bars()->Add();
  menu->SetCaption(u"Menu");
  menu->SetIsMainMenu(true);
  menu->SetDockingStyle(dsTop);
  AddButton(menu, u"&File");
  menu->SetVisible(true);
  Pump();
  EXPECT_EQ(top->RowCount(), 2);
  EXPECT_EQ(top->RowOf(menu->Control()), 0);
  EXPECT_EQ(menu->Control()->Width(), form->ClientRect().right);
  EXPECT_EQ(top->Height(), 52);
  KeepCheckedScreen();
}

TEST_F(DxBarDockTest, HidingTheLastBarEmptiesTheDock) {
  TdxBar* bar = MakeDockedBar(u"Standard", dsBottom, {u"Open"});
  TdxDockControl* bottom = manager->Bars()->DockControls(dsBottom);
  EXPECT_EQ(bottom->Height(), 26);
  EXPECT_EQ(bottom->Top() + bottom->Height(), form->ClientRect().bottom);
  bar->SetVisible(false);
  Pump();
  EXPECT_EQ(bar->Control(), nullptr);
  EXPECT_EQ(bottom->RowCount(), 0);
  EXPECT_EQ(bottom->Height(), 0);
}

TEST_F(DxBarDockTest, LargeIconsLayTheBarsOutAgainAndBack) {
  // The new window is not active yet when the floating bar comes back.
  manager->SetHideFloatingBarsWhenInactive(false);
  TdxBar* docked = MakeDockedBar(u"Standard", dsTop, {u"Open", u"Save"});
  TdxBar* floating = MakeFloatingBar(300, 300, {u"Float"});
  TdxDockControl* top = manager->Bars()->DockControls(dsTop);
  // Buttons are at least ButtonHeight thick: 22, and 38 with large icons; the dock adds 4.
  for (bool large : {true, false}) {
    SCOPED_TRACE(large ? "large" : "small");
    manager->SetLargeIcons(large);
    Pump();
    const int thickness = large ? 38 : 22;
    EXPECT_EQ(docked->Control()->ClientRect().bottom, thickness);
    EXPECT_EQ(top->Height(), thickness + 4);
    EXPECT_EQ(floating->Control()->ClientRect().bottom, thickness);
    EXPECT_EQ(floating->ItemLinks()->Items(0)->ItemRect().bottom, thickness);
  }
}

TEST_F(DxBarDockTest, ADockedBarDiesWithItsForm) {
  MakeDockedBar(u"Standard", dsTop, {u"Open"});
  MakeFloatingBar(300, 300, {u"Float"});
  delete form;  // docks and bar windows go before the manager
  form = NewForm<TForm>(nullptr);
}

}  // namespace

namespace {

TEST_F(DxBarDockTest, BarsComeBackWhenTheFormsWindowIsMadeAgain) {
  // The new window is not active yet when the floating bar comes back.
  manager->SetHideFloatingBarsWhenInactive(false);
  TdxBar* docked = MakeDockedBar(u"Standard", dsTop, {u"Open", u"Save"});
  TdxBar* floating = MakeFloatingBar(620, 200, {u"Cut"});
  int clicks = 0;
  static_cast<TdxBarButton*>(docked->ItemLinks()->Items(1)->Item())->OnClick = [&](TObject*) { ++clicks; };
  // A new border style makes the form's window again.
  form->SetBorderStyle(bsSingle);
  form->HandleNeeded();
  Pump();
  for (TdxBar* bar : {docked, floating}) {
    SCOPED_TRACE(StringToUtf8(bar->Caption()));
    EXPECT_TRUE(bar->Visible());
    ASSERT_NE(bar->Control(), nullptr);
    ASSERT_TRUE(bar->Control()->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(bar->Control()->Handle()));
  }
  EXPECT_EQ(docked->Control()->DockControl(), manager->Bars()->DockControls(dsTop));
  ClickAt(CentreOf(ScreenRectOf(docked->ItemLinks()->Items(1))));
  EXPECT_EQ(clicks, 1);
}

// Across a top dock of two 26-pixel rows, each row and the 23 pixels before and after it split into
// joining the row, a 5-pixel band 9 pixels in that opens a new row, and joining the next.
TEST_F(DxBarDockTest, WhereADraggedBarGoesAcrossTheRows) {
  MakeDockedBar(u"One", dsTop, {u"Open"}, 0);
  MakeDockedBar(u"Two", dsTop, {u"Save"}, 1);
  TdxDockControl* top = manager->Bars()->DockControls(dsTop);
  ASSERT_EQ(top->RowCount(), 2);
  ASSERT_EQ(top->GetRowRect(1).top, 26);
  struct TCase {
    int y;  // in the dock's client coordinates
    int row;
    bool newRow;
  };
  const TCase cases[] = {
      {-23, 0, true},  {-15, 0, true},  // before the dock: a new first row
      {-14, 0, true},  {-10, 0, true},  // the band before the first row
      {-9, 0, false},  {-1, 0, false},  // just above the first row joins it
      {0, 0, false},   {8, 0, false},   {9, 1, true},   {13, 1, true},  {14, 1, false}, {25, 1, false},
      {26, 1, false},  {34, 1, false},  {35, 2, true},  {39, 2, true},
      {40, 2, true},   {51, 2, true},   // the last row's far part: a new last row, never the first
      {52, 2, true},   {74, 2, true},   // below the rows
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.y);
    bool newRow = false;
    int row = top->FindRow(top->ClientToScreen(POINT{30, c.y}), newRow);
    EXPECT_EQ(row, c.row);
    EXPECT_EQ(newRow, c.newRow);
  }
}

}  // namespace
