// The toolbar's mark: "&Add or Remove Buttons" switches the toolbar's buttons off and on while its
// menu stays open; clicking the open mark again closes the window without reopening it.
#include "dx/bars/dxBarCustomizingForm.h"
#include "dx/bars/dxBarQuickCustomizing.h"
#include "dx/bars/dxBarDockControl.h"
#include "dx/bars/dxBarToolbarsPopup.h"
#include "dx/bars/dxBarSubItem.h"
#include "dx/bars/dxBarSubMenuControl.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"

namespace {

class DxBarQuickCustomizingTest : public DxBarUiTest {
 protected:
  void SetUp() override {
    DxBarUiTest::SetUp();
    manager->SetStyle(bmsEnhanced);  // a mark on every toolbar that allows quick customizing
    bar = MakeTopBar(u"Standard", 0);
    for (const char16_t* caption : {u"Open", u"Save", u"Print"}) AddButton(bar, caption);
    bar->SetVisible(true);
    Pump();
  }
  POINT MarkCentre() const {
    RECT mark = bar->Control()->GetMarkRect();
    return bar->Control()->ClientToScreen(CentreOf(mark));
  }
  // The screen centre of a link shown by any bar window.
  static POINT LinkCentre(TdxBarItemLink* Link) {
    return Link->Owner()->BarControl()->ClientToScreen(CentreOf(Link->ItemRect()));
  }
  std::vector<String> ShownOnToolbar() const {
    std::vector<String> shown;
    for (TdxBarItemLink* link : bar->ItemLinks()->VisibleItems()) shown.push_back(link->Item()->Caption());
    return shown;
  }

  void TearDown() override {
    manager->SetCustomizing(false);
    Pump();
    DxBarUiTest::TearDown();
  }

  TdxBar* bar = nullptr;
};

TEST_F(DxBarQuickCustomizingTest, AddOrRemoveButtonsSwitchesAButtonOffAndOnWhileTheMenuStaysOpen) {
  ASSERT_TRUE(bar->Control()->HasMark());
  ClickAt(MarkCentre());
  TdxBarQuickControl* quick = OpenQuickControl();
  ASSERT_NE(quick, nullptr);
  EXPECT_EQ(bar->Control()->MarkState(), 2);
  EXPECT_TRUE(IsWindowVisible(quick->Handle()));
  // Everything fits on the toolbar: the window holds only the sub-menu, below the mark.
  ASSERT_EQ(quick->ItemLinks()->Count(), 1);
  TdxBarItemLink* addRemove = quick->ItemLinks()->Items(0);
  EXPECT_EQ(addRemove->Item()->Caption(), u"&Add or Remove Buttons");
  RECT window;
  GetWindowRect(quick->Handle(), &window);
  RECT mark = bar->Control()->GetMarkRect();
  POINT origin = bar->Control()->ClientToScreen(POINT{0, 0});
  OffsetRect(&mark, origin.x, origin.y);
  EXPECT_EQ(window.top, mark.bottom);
  EXPECT_EQ(window.right, mark.right);

  ClickAt(LinkCentre(addRemove));
  TdxBarItemLinks* entries = static_cast<TdxBarSubItem*>(addRemove->Item())->ItemLinks();
  ASSERT_NE(entries->BarControl(), nullptr);
  std::vector<String> captions;
  for (int i = 0; i < entries->Count(); ++i) captions.push_back(entries->Items(i)->Item()->Caption());
  EXPECT_EQ(captions, (std::vector<String>{u"Open", u"Save", u"Print", u"&Customize..."}));
  KeepCheckedScreen("menu");

  ClickAt(LinkCentre(entries->Items(1)));
  EXPECT_EQ(ShownOnToolbar(), (std::vector<String>{u"Open", u"Print"}));
  ASSERT_NE(entries->BarControl(), nullptr);  // still open for more changes
  EXPECT_FALSE(static_cast<TdxBarButton*>(entries->Items(1)->Item())->Down());
  ClickAt(LinkCentre(entries->Items(1)));
  EXPECT_EQ(ShownOnToolbar(), (std::vector<String>{u"Open", u"Save", u"Print"}));
  EXPECT_TRUE(static_cast<TdxBarButton*>(entries->Items(1)->Item())->Down());
}

TEST_F(DxBarQuickCustomizingTest, TheOpenMarkClickedAgainClosesTheWindowForGood) {
  ClickAt(MarkCentre());
  ASSERT_NE(OpenQuickControl(), nullptr);
  ClickAt(MarkCentre());
  EXPECT_EQ(OpenQuickControl(), nullptr);
  EXPECT_EQ(bar->Control()->MarkState(), 0);
  Pump();
  EXPECT_EQ(OpenQuickControl(), nullptr);
  // The temporary bar went with the window.
  EXPECT_EQ(manager->Bars()->Count(), 1);
}

TEST_F(DxBarQuickCustomizingTest, LinksWithoutRoomShowInTheWindowAndCountTheirUseOnTheToolbar) {
  for (const char16_t* caption : {u"Cut", u"Copy", u"Paste", u"Undo", u"Redo", u"Find", u"Replace", u"Help"})
    AddButton(bar, caption);
  bar->Control()->SetBounds(bar->Control()->Left(), bar->Control()->Top(), 160, bar->Control()->Height());
  bar->Control()->CalcItemRects();
  Pump();
  ASSERT_TRUE(bar->Control()->HasHiddenLinks());
  ClickAt(MarkCentre());
  TdxBarQuickControl* quick = OpenQuickControl();
  ASSERT_NE(quick, nullptr);
  TdxBarItemLinks* shown = quick->ItemLinks();
  ASSERT_GT(shown->Count(), 1);
  EXPECT_EQ(shown->Items(shown->Count() - 2)->Item()->Caption(), u"Help");
  EXPECT_EQ(shown->Items(shown->Count() - 2)->ContainerLink(), bar->ItemLinks()->Items(10));
  EXPECT_TRUE(shown->Items(shown->Count() - 1)->BeginGroup());
}

TEST_F(DxBarQuickCustomizingTest, ARightClickListsTheToolbarsAndOffersCustomizing) {
  TdxBar* format = MakeTopBar(u"Format", 1);
  AddButton(format, u"Bold");
  format->SetVisible(true);
  TdxBar* hidden = MakeTopBar(u"Hidden", 2);
  hidden->SetHidden(true);
  Pump();
  auto open = [&](TdxBar* Target) {
    clock->Advance(1000);
    SimulateClick(TSimButton::Right, CentreOf(ScreenRectOf(Target->ItemLinks()->Items(0))));
    Pump();
    return dynamic_cast<TdxBarToolbarsPopup*>(ActiveBarControl());
  };
  TdxBarToolbarsPopup* popup = open(bar);
  ASSERT_NE(popup, nullptr);
  std::vector<String> entries;
  for (int i = 0; i < popup->ItemLinks()->Count(); ++i)
    entries.push_back(popup->ItemLinks()->Items(i)->Item()->Caption());
  EXPECT_EQ(entries, (std::vector<String>{u"Standard", u"Format", u"&Customize..."}));
  EXPECT_TRUE(popup->ItemLinks()->Items(2)->BeginGroup());

  ClickAt(popup->ClientToScreen(CentreOf(popup->ItemLinks()->Items(1)->ItemRect())));
  EXPECT_FALSE(format->Visible());
  EXPECT_EQ(ActiveBarControl(), nullptr);

  popup = open(bar);
  ASSERT_NE(popup, nullptr);
  EXPECT_FALSE(static_cast<TdxBarButton*>(popup->ItemLinks()->Items(1)->Item())->Down());
  ClickAt(popup->ClientToScreen(CentreOf(popup->ItemLinks()->Items(2)->ItemRect())));
  EXPECT_TRUE(manager->IsCustomizing());
  EXPECT_NE(GetCustomizingForm(), nullptr);
}

TEST_F(DxBarQuickCustomizingTest, ARightClickOnADockBesideTheToolbarsListsThemUnlessThereIsNothingToList) {
  Pump();
  TdxDockControl* dock = manager->Bars()->DockControls(dsTop);
  ASSERT_GT(dock->Height(), 0);
  const POINT besideBars = dock->ClientToScreen(POINT{dock->Width() - 5, dock->Height() / 2});
  clock->Advance(1000);
  SimulateClick(TSimButton::Right, besideBars);
  Pump();
  auto* popup = dynamic_cast<TdxBarToolbarsPopup*>(ActiveBarControl());
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->ItemLinks()->Items(0)->Item()->Caption(), u"Standard");
  Key(VK_ESCAPE);
  EXPECT_EQ(ActiveBarControl(), nullptr);

  // Nothing listable and no customizing: no menu.
  bar->SetAllowClose(false);
  manager->SetCanCustomize(false);
  clock->Advance(1000);
  SimulateClick(TSimButton::Right, besideBars);
  Pump();
  EXPECT_EQ(ActiveBarControl(), nullptr);
}

TEST_F(DxBarQuickCustomizingTest, HoveringAnotherToolbarClosesTheInactiveWindowAfter200Ms) {
  // Beside the toolbar, clear of the window below its mark.
  TdxBar* format = MakeTopBar(u"Format", 0);
  AddButton(format, u"Bold");
  format->SetVisible(true);
  Pump();
  ClickAt(MarkCentre());
  TdxBarQuickControl* quick = OpenQuickControl();
  ASSERT_NE(quick, nullptr);
  ASSERT_FALSE(quick->Active());
  const POINT overBold = CentreOf(ScreenRectOf(format->ItemLinks()->Items(0)));

  // Back in the window before the delay is over: it stays.
  MoveTo(overBold);
  MoveTo(LinkCentre(quick->ItemLinks()->Items(0)));
  clock->Advance(TdxBarQuickControl::kCloseDelay);
  Pump();
  ASSERT_EQ(OpenQuickControl(), quick);

  MoveTo(overBold);
  clock->Advance(TdxBarQuickControl::kCloseDelay - 1);
  Pump();
  ASSERT_EQ(OpenQuickControl(), quick);
  clock->Advance(1);
  Pump();
  EXPECT_EQ(OpenQuickControl(), nullptr);
  EXPECT_EQ(bar->Control()->MarkState(), 0);
}

}  // namespace
