#include "dx/bars/dxBarHint.h"
#include "dx/bars/dxBarSubItem.h"
#include "dx/bars/dxBarSubItemControl.h"
#include "dx/bars/dxBarSubMenuControl.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"

namespace {

// A main menu whose "Tools" menu tears off into the "Tools" toolbar.
class DxBarDetachTest : public DxBarUiTest {
 protected:
  void SetUp() override {
    DxBarUiTest::SetUp();
    menu = MakeTopBar(u"Main Menu", 0, true);
    toolbar = manager->Bars()->Add();
    toolbar->SetCaption(u"Tools");
    tools = new TdxBarSubItem(form);
    tools->SetCaption(u"&Tools");
    tools->SetCategory(0);
    tools->SetDetachable(true);
    tools->SetDetachingBar(1);
    tools->OnDetaching = [this](TObject*) { ++detaching; };
    for (const char16_t* caption : {u"&Find", u"&Replace"}) {
      TdxBarButton* button = AddButton(toolbar, caption);
      tools->ItemLinks()->Add()->SetItem(button);
    }
    menu->ItemLinks()->Add()->SetItem(tools);
    menu->SetVisible(true);
    SetForegroundWindow(form->Handle());
    Pump();
  }

  TdxBarSubItemControl* ToolsControl() const {
    return static_cast<TdxBarSubItemControl*>(menu->ItemLinks()->Items(0)->Control());
  }
  TdxBarSubMenuControl* OpenToolsMenu() {
    ClickAt(CentreOf(ScreenRectOf(menu->ItemLinks()->Items(0))));
    return ToolsControl()->SubMenu();
  }
  POINT DetachBarCentre(TdxBarSubMenuControl* Menu) const {
    return Menu->ClientToScreen(CentreOf(Menu->DetachBarRect()));
  }
  // Presses on the drag bar and moves through the points; Steps run one each time the drag loop
  // waits for input.
  void DragFromBar(TdxBarSubMenuControl* Menu, std::initializer_list<POINT> Points,
                   std::vector<std::function<void()>> Steps) {
    POINT start = DetachBarCentre(Menu);
    clock->Advance(1000);
    SimulateMouseDown(TSimButton::Left, start);
    for (POINT p : Points) SimulateMouseMove(p);
    OnIdleSteps(std::move(Steps));
    Pump();
    Application->OnIdle = nullptr;
    Pump();
  }
  static RECT WindowRectOf(TWinControl* Control) {
    RECT r;
    GetWindowRect(Control->Handle(), &r);
    return r;
  }

  TdxBar* menu = nullptr;
  TdxBar* toolbar = nullptr;
  TdxBarSubItem* tools = nullptr;
  int detaching = 0;
};

TEST_F(DxBarDetachTest, ADetachableMenuShowsItsDragBarAboveTheEntries) {
  for (TdxBarManagerStyle style : {bmsStandard, bmsFlat}) {
    SCOPED_TRACE(static_cast<int>(style));
    manager->SetStyle(style);
    Pump();
    TdxBarSubMenuControl* sub = OpenToolsMenu();
    ASSERT_NE(sub, nullptr);
    RECT bar = sub->DetachBarRect();
    ASSERT_FALSE(IsRectEmpty(&bar));
    // "Qq" is 16 pixels high in the test font: half of it, made odd.
    EXPECT_EQ(bar.bottom - bar.top, 9);
    EXPECT_GT(tools->ItemLinks()->Items(0)->ItemRect().top, bar.bottom);
    POINT centre = DetachBarCentre(sub);
    if (style == bmsStandard) {
      EXPECT_EQ(ScreenPixel(centre.x, centre.y), GetSysColor(COLOR_INACTIVECAPTION));
    }
    MoveTo(centre);
    EXPECT_TRUE(sub->DetachBarHot());
    EXPECT_EQ(sub->Cursor(), crSizeAll);
    if (style == bmsStandard) {
      EXPECT_EQ(ScreenPixel(centre.x, centre.y), GetSysColor(COLOR_ACTIVECAPTION));
    }
    clock->Advance(1000);
    Pump();
    ASSERT_TRUE(BarHintWindow()->Showing());
    EXPECT_EQ(BarHintWindow()->HintText(), u"Drag to make this menu float");
    KeepCheckedScreen(style == bmsFlat ? "flat" : "standard");
    MoveTo(sub->ClientToScreen(CentreOf(tools->ItemLinks()->Items(1)->ItemRect())));
    EXPECT_FALSE(sub->DetachBarHot());
    EXPECT_EQ(sub->Cursor(), crDefault);
    menu->Control()->Close();
    Pump();
  }
  // Without Detachable the entries start at the top.
  tools->SetDetachable(false);
  manager->SetStyle(bmsStandard);
  TdxBarSubMenuControl* plain = OpenToolsMenu();
  RECT none = plain->DetachBarRect();
  EXPECT_TRUE(IsRectEmpty(&none));
  EXPECT_EQ(tools->ItemLinks()->Items(0)->ItemRect().top, 2);
}

TEST_F(DxBarDetachTest, DraggedOffTheMenuBecomesItsBarFloatingUnderTheCursor) {
  TdxBarSubMenuControl* sub = OpenToolsMenu();
  POINT start = DetachBarCentre(sub);
  POINT inside{start.x + 10, start.y + 10}, away{start.x + 60, start.y + 200},
      drop{start.x + 80, start.y + 220};
  bool openInside = false, barWhileInside = true, openAway = true, keysDuringDrag = false;
  RECT floating{};
  DragFromBar(sub, {inside},
              {[&] {
                 openInside = ToolsControl()->IsOpen();
                 barWhileInside = toolbar->Visible();
                 SimulateMouseMove(away);
               },
               [&] {
                 openAway = ToolsControl()->IsOpen();
                 floating = WindowRectOf(toolbar->Control());
                 keysDuringDrag = manager->SubMenuDragging();
                 SimulateMouseMove(drop);
                 SimulateMouseUp(TSimButton::Left, drop);
               }});
  EXPECT_EQ(detaching, 1);
  EXPECT_TRUE(openInside);
  EXPECT_FALSE(barWhileInside);
  EXPECT_FALSE(openAway);
  EXPECT_TRUE(keysDuringDrag);
  // The cursor holds the bar at the middle of its caption.
  EXPECT_EQ(floating.left, away.x - (floating.right - floating.left) / 2);
  EXPECT_EQ(floating.top, away.y - GetSystemMetrics(SM_CYSMCAPTION) / 2);
  // Let go, the bar stays floating where it was dropped and every menu closes.
  ASSERT_TRUE(toolbar->Visible());
  TdxBarControl* control = toolbar->Control();
  EXPECT_TRUE(control->Floating());
  RECT dropped = WindowRectOf(control);
  EXPECT_EQ(dropped.left - floating.left, 20);
  EXPECT_EQ(dropped.top - floating.top, 20);
  EXPECT_EQ(toolbar->FloatLeft(), dropped.left);
  EXPECT_EQ(ActiveBarControl(), nullptr);
  EXPECT_FALSE(manager->SubMenuDragging());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(exceptions.empty());
  KeepCheckedScreen();
  // The floating bar works: its button runs.
  int clicks = 0;
  static_cast<TdxBarButton*>(toolbar->ItemLinks()->Items(0)->Item())->OnClick = [&](TObject*) { ++clicks; };
  ClickAt(CentreOf(ScreenRectOf(toolbar->ItemLinks()->Items(0))));
  EXPECT_EQ(clicks, 1);
}

// Coming back to the menu, or Escape, puts the menu back and the bar away.
TEST_F(DxBarDetachTest, BackIntoTheZoneOrEscapeReopensTheMenu) {
  for (bool escape : {false, true}) {
    SCOPED_TRACE(escape);
    TdxBarSubMenuControl* sub = OpenToolsMenu();
    POINT start = DetachBarCentre(sub);
    POINT away{start.x + 40, start.y + 150};
    bool shownAway = false;
    DragFromBar(sub, {away}, {[&] {
                  shownAway = toolbar->Visible();
                  if (escape)
                    SimulateKeyPress(VK_ESCAPE);
                  else
                    SimulateMouseMove(POINT{start.x + 14, start.y - 14});
                }});
    EXPECT_TRUE(shownAway);
    EXPECT_FALSE(toolbar->Visible());
    EXPECT_TRUE(ToolsControl()->IsOpen());
    EXPECT_EQ(ActiveBarControl(), ToolsControl()->SubMenu());
    EXPECT_FALSE(manager->SubMenuDragging());
    EXPECT_EQ(GetCapture(), nullptr);
    // The reopened menu still works with the keyboard.
    Key(VK_ESCAPE);
    EXPECT_FALSE(ToolsControl()->IsOpen());
    SimulateMouseUp(TSimButton::Left, away);
    Key(VK_ESCAPE);
    Pump();
  }
}

TEST_F(DxBarDetachTest, ADockedBarFloatsWhenTheMenuIsTornOff) {
  toolbar->SetDockingStyle(dsTop);
  toolbar->SetRow(1);
  toolbar->SetVisible(true);
  Pump();
  TdxBarSubMenuControl* sub = OpenToolsMenu();
  POINT start = DetachBarCentre(sub);
  POINT drop{start.x + 100, start.y + 180};
  DragFromBar(sub, {drop}, {[&] { SimulateMouseUp(TSimButton::Left, drop); }});
  ASSERT_TRUE(toolbar->Visible());
  EXPECT_EQ(toolbar->DockingStyle(), dsNone);
  EXPECT_TRUE(toolbar->Control()->Floating());
  EXPECT_EQ(manager->Bars()->DockControls(dsTop)->RowCount(), 1);
}

TEST_F(DxBarDetachTest, AMenuOpenedFromItsOwnDetachingBarDoesNotTearOff) {
  // The Tools menu shown in the Tools toolbar itself.
  toolbar->ItemLinks()->Add()->SetItem(tools);
  toolbar->SetFloatLeft(300);
  toolbar->SetFloatTop(300);
  toolbar->SetVisible(true);
  Pump();
  ClickAt(CentreOf(ScreenRectOf(toolbar->ItemLinks()->Items(2))));
  auto* own = static_cast<TdxBarSubItemControl*>(toolbar->ItemLinks()->Items(2)->Control());
  TdxBarSubMenuControl* sub = own->SubMenu();
  ASSERT_NE(sub, nullptr);
  EXPECT_TRUE(sub->IsDetachable());
  EXPECT_FALSE(sub->CanDetach());
  RECT before = WindowRectOf(toolbar->Control());
  POINT start = DetachBarCentre(sub);
  POINT away{start.x + 50, start.y + 150};
  SimulateMouseDown(TSimButton::Left, start);
  SimulateMouseMove(away);
  SimulateMouseUp(TSimButton::Left, away);
  Pump();
  EXPECT_EQ(detaching, 1);
  RECT after = WindowRectOf(toolbar->Control());
  EXPECT_EQ(after.left, before.left);
  EXPECT_FALSE(manager->SubMenuDragging());
  // A bar index that names no bar tears nothing off either.
  tools->SetDetachingBar(5);
  EXPECT_EQ(tools->DetachingBar(), -1);
  EXPECT_FALSE(sub->CanDetach());
}

// The item's OnDetaching may close the menus: then nothing is torn off.
TEST_F(DxBarDetachTest, AMenuClosedByOnDetachingTearsNothingOff) {
  tools->OnDetaching = [this](TObject*) { manager->HideAll(); };
  TdxBarSubMenuControl* sub = OpenToolsMenu();
  POINT start = DetachBarCentre(sub);
  POINT away{start.x + 50, start.y + 150};
  SimulateMouseDown(TSimButton::Left, start);
  SimulateMouseMove(away);
  SimulateMouseUp(TSimButton::Left, away);
  Pump();
  EXPECT_FALSE(ToolsControl()->IsOpen());
  EXPECT_FALSE(toolbar->Visible());
  EXPECT_EQ(ActiveBarControl(), nullptr);
  EXPECT_FALSE(manager->SubMenuDragging());
}

}  // namespace
