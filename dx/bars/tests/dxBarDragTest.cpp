#include "dx/bars/dxBarDockControl.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"

namespace {

class DxBarDragTest : public DxBarUiTest {
 protected:
  TdxBar* MakeDockedBar() {
    TdxBar* bar = manager->Bars()->Add();
    bar->SetCaption(u"Standard");
    bar->SetDockingStyle(dsTop);
    AddButton(bar, u"Open");
    AddButton(bar, u"Save");
    bar->SetVisible(true);
    Pump();
    return bar;
  }
  // A point on the bar's grip (docked) or caption (floating), on the screen.
  static POINT GripOf(TdxBarControl* Control) {
    POINT origin = Control->ClientToScreen(POINT{0, 0});
    return Control->Floating() ? POINT{origin.x + 10, origin.y - 8} : POINT{origin.x - 5, origin.y + 8};
  }
  void DragFloatingBarOverTheTopDock(TdxBar* Bar, bool HoldCtrl, int RestMs) {
    POINT grip = GripOf(Bar->Control());
    POINT overDock = form->ClientToScreen(POINT{40, 5});
    clock->Advance(1000);  // no double click with an earlier press
    if (HoldCtrl) SimulateKeyDown(VK_CONTROL);
    SimulateMouseDown(TSimButton::Left, grip);
    SimulateMouseMove(POINT{grip.x + 30, grip.y + 30});
    SimulateMouseMove(overDock);
    OnIdleSteps({[this, RestMs] { clock->Advance(RestMs); }, [] {}, [overDock] {
                   SimulateMouseUp(TSimButton::Left, overDock);
                 }});
    Pump();
    if (HoldCtrl) SimulateKeyUp(VK_CONTROL);
    Application->OnIdle = nullptr;
    Pump();
  }
};

TEST_F(DxBarDragTest, ADockedBarDraggedOffFloatsWhereItWasDropped) {
  TdxBar* bar = MakeDockedBar();
  TdxDockControl* top = manager->Bars()->DockControls(dsTop);
  POINT grip = GripOf(bar->Control());
  RECT before;
  GetWindowRect(bar->Control()->Handle(), &before);
  POINT drop{grip.x + 150, grip.y + 200};
  SimulateMouseDown(TSimButton::Left, grip);
  SimulateMouseMove(POINT{grip.x + 50, grip.y + 100});
  SimulateMouseMove(drop);
  SimulateMouseUp(TSimButton::Left, drop);
  Pump();
  TdxBarControl* control = bar->Control();
  EXPECT_TRUE(control->Floating());
  EXPECT_EQ(bar->DockingStyle(), dsNone);
  EXPECT_EQ(top->RowCount(), 0);
  EXPECT_EQ(top->Height(), 0);
  RECT after;
  GetWindowRect(control->Handle(), &after);
  // The window keeps the grab point under the cursor.
  EXPECT_EQ(after.left, before.left + 150);
  EXPECT_EQ(after.top, before.top + 200);
  EXPECT_EQ(bar->FloatLeft(), after.left);
  EXPECT_EQ(GetCapture(), nullptr);
  KeepCheckedScreen();
}

TEST_F(DxBarDragTest, AFloatingBarDocksOnlyAfterRestingOverTheDock) {
  TdxBar* early = MakeFloatingBar(250, 300, {u"Open", u"Save"});
  DragFloatingBarOverTheTopDock(early, false, 5);  // released before the wait ran out
  EXPECT_TRUE(early->Control()->Floating());
  early->SetVisible(false);

  TdxBar* bar = MakeFloatingBar(250, 300, {u"Cut", u"Copy"});
  DragFloatingBarOverTheTopDock(bar, false, manager->WaitForDockingTime());
  EXPECT_FALSE(bar->Control()->Floating());
  EXPECT_EQ(bar->DockingStyle(), dsTop);
  EXPECT_EQ(manager->Bars()->DockControls(dsTop)->RowCount(), 1);
  KeepCheckedScreen();
}

TEST_F(DxBarDragTest, WithCtrlHeldABarNeverDocks) {
  TdxBar* bar = MakeFloatingBar(250, 300, {u"Open", u"Save"});
  DragFloatingBarOverTheTopDock(bar, true, 100);
  EXPECT_TRUE(bar->Control()->Floating());
  EXPECT_EQ(manager->Bars()->DockControls(dsTop)->RowCount(), 0);
}

TEST_F(DxBarDragTest, ABarThatMayDockNowhereAndFloatNowhereIsNotMoved) {
  TdxBar* bar = MakeDockedBar();
  bar->SetNotDocking(TdxBarDockingStyles{dsNone, dsLeft, dsTop, dsRight, dsBottom});
  POINT grip = GripOf(bar->Control());
  SimulateMouseDown(TSimButton::Left, grip);
  SimulateMouseMove(POINT{grip.x + 100, grip.y + 200});
  SimulateMouseUp(TSimButton::Left, POINT{grip.x + 100, grip.y + 200});
  Pump();
  EXPECT_FALSE(bar->Control()->Floating());
}

TEST_F(DxBarDragTest, DoubleClicksOnGripAndCaptionToggleDocking) {
  TdxBar* bar = MakeDockedBar();
  auto doubleClick = [this](POINT p) {
    clock->Advance(1000);
    SimulateClick(TSimButton::Left, p);
    SimulateClick(TSimButton::Left, p);
    Pump();
  };
  doubleClick(GripOf(bar->Control()));
  EXPECT_TRUE(bar->Control()->Floating());
  EXPECT_EQ(manager->Bars()->DockControls(dsTop)->RowCount(), 0);
  doubleClick(GripOf(bar->Control()));
  EXPECT_FALSE(bar->Control()->Floating());
  EXPECT_EQ(bar->DockingStyle(), dsTop);

  // A bar that was never docked goes to the top, in a row of its own after the others.
  TdxBar* floating = MakeFloatingBar(250, 300, {u"Cut"});
  doubleClick(GripOf(floating->Control()));
  TdxDockControl* top = manager->Bars()->DockControls(dsTop);
  EXPECT_EQ(floating->DockingStyle(), dsTop);
  EXPECT_EQ(top->RowCount(), 2);
  EXPECT_EQ(top->RowOf(floating->Control()), 1);
  KeepCheckedScreen();
}

}  // namespace
