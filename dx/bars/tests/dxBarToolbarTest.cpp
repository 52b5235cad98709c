#include "dx/bars/tests/dxBarUiTestSupport.h"

namespace {

class DxBarToolbarTest : public DxBarUiTest {};

TEST_F(DxBarToolbarTest, AFloatingBarLaysOutItsButtonsByCaption) {
  TdxBar* bar = MakeFloatingBar(200, 150, {u"Open", u"Save", u"Print"});
  TdxBarControl* control = bar->Control();
  ASSERT_NE(control, nullptr);
  ASSERT_TRUE(IsWindowVisible(control->Handle()));
  // Fixed font: 8 pixels a character, 16 high, 12 points. A caption button is its text plus the
  // point size long and max(text height + 6, ButtonHeight) thick.
  EXPECT_EQ(control->TextSize(), 22);
  struct TExpected {
    RECT rect;
  };
  const RECT expected[] = {{0, 0, 44, 22}, {44, 0, 88, 22}, {88, 0, 140, 22}};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(bar->ItemLinks()->Items(i)->ItemRect(), expected[i]) << i;
  RECT client = control->ClientRect();
  EXPECT_EQ(client, (RECT{0, 0, 140, 22}));
  RECT window;
  GetWindowRect(control->Handle(), &window);
  EXPECT_EQ(window.left, 200);
  EXPECT_EQ(window.top, 150);
  EXPECT_EQ(window.right - window.left, 140 + bar->GetFloatBorderWidth(dsNone));
  EXPECT_EQ(window.bottom - window.top, 22 + bar->GetFloatBorderHeight(dsNone));
  KeepCheckedScreen();
}

TEST_F(DxBarToolbarTest, HotTrackingFramesTheButtonUnderTheMouse) {
  TdxBar* bar = MakeFloatingBar(200, 150, {u"Open", u"Save"});
  TdxBarControl* control = bar->Control();
  RECT save = ScreenRectOf(bar->ItemLinks()->Items(1));
  COLORREF face = ColorToRGB(clBtnFace);
  EXPECT_EQ(ScreenPixel(save.left, save.top), face);
  MoveTo(CentreOf(save));
  EXPECT_EQ(control->SelectedControl(), bar->ItemLinks()->Items(1)->Control());
  // The enhanced look frames a hot button with a raised inner edge.
  EXPECT_EQ(ScreenPixel(save.left, save.top), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(ScreenPixel(save.right - 1, save.bottom - 1), GetSysColor(COLOR_BTNSHADOW));
  KeepCheckedScreen("hot");
  MoveTo(POINT{900, 700});
  EXPECT_EQ(control->SelectedControl(), nullptr);
  EXPECT_EQ(ScreenPixel(save.left, save.top), face);
}

TEST_F(DxBarToolbarTest, AClickRunsTheItemAndLeavesTheChain) {
  TdxBar* bar = MakeFloatingBar(200, 150, {u"Open", u"Save"});
  auto* save = static_cast<TdxBarButton*>(bar->ItemLinks()->Items(1)->Item());
  int clicks = 0;
  bool pressedWhileRunning = false;
  save->OnClick = [&](TObject*) {
    ++clicks;
    pressedWhileRunning = bar->ItemLinks()->Items(1)->Control()->Pressed();
  };
  ClickAt(CentreOf(ScreenRectOf(bar->ItemLinks()->Items(1))));
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(pressedWhileRunning);
  EXPECT_EQ(ActiveBarControl(), nullptr);
  EXPECT_FALSE(bar->Control()->Active());
  EXPECT_FALSE(bar->ItemLinks()->Items(1)->Control()->Pressed());

  save->SetUnclickAfterDoing(false);
  ClickAt(CentreOf(ScreenRectOf(bar->ItemLinks()->Items(1))));
  EXPECT_EQ(clicks, 2);
  EXPECT_FALSE(pressedWhileRunning);
}

TEST_F(DxBarToolbarTest, ARaisingHandlerReachesTheApplicationAndTheBarStaysResponsive) {
  TdxBar* bar = MakeFloatingBar(200, 150, {u"Open", u"Save"});
  auto* open = static_cast<TdxBarButton*>(bar->ItemLinks()->Items(0)->Item());
  auto* save = static_cast<TdxBarButton*>(bar->ItemLinks()->Items(1)->Item());
  open->OnClick = [](TObject*) { throw Exception(u"cannot open"); };
  int saves = 0;
  save->OnClick = [&](TObject*) { ++saves; };
  ClickAt(CentreOf(ScreenRectOf(bar->ItemLinks()->Items(0))));
  EXPECT_EQ(exceptions, (std::vector<String>{u"cannot open"}));
  EXPECT_EQ(ActiveBarControl(), nullptr);
  ClickAt(CentreOf(ScreenRectOf(bar->ItemLinks()->Items(1))));
  EXPECT_EQ(saves, 1);
}

TEST_F(DxBarToolbarTest, ACheckButtonTogglesAndShowsDown) {
  TdxBar* bar = MakeFloatingBar(200, 150, {u"Bold"});
  auto* bold = static_cast<TdxBarButton*>(bar->ItemLinks()->Items(0)->Item());
  bold->SetButtonStyle(bsChecked);
  RECT r = ScreenRectOf(bar->ItemLinks()->Items(0));
  ClickAt(CentreOf(r));
  EXPECT_TRUE(bold->Down());
  MoveTo(POINT{900, 700});
  // Down and not hot: a sunken frame around the checker pattern.
  EXPECT_EQ(ScreenPixel(r.left, r.top), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(ScreenPixel(r.right - 1, r.bottom - 1), GetSysColor(COLOR_BTNHIGHLIGHT));
  KeepCheckedScreen("down");
  ClickAt(CentreOf(r));
  EXPECT_FALSE(bold->Down());
}

TEST_F(DxBarToolbarTest, AFloatingBarWrapsAtItsClientWidthBeforeTheGroupThatDoesNotFit) {
  TdxBar* bar = manager->Bars()->Add();
  bar->SetCaption(u"Edit");
  bar->SetFloatLeft(100);
  bar->SetFloatTop(100);
  AddButton(bar, u"Cut");
  AddButton(bar, u"Copy");
  AddButton(bar, u"Undo", true);
  AddButton(bar, u"Redo");
  // Cut 36, Copy 44 | Undo 44, Redo 44: at 140 the line breaks before Undo, not before Redo.
  bar->SetFloatClientWidth(140);
  bar->SetVisible(true);
  Pump();
  const auto& links = *bar->ItemLinks();
  EXPECT_EQ(links.Items(1)->ItemRect(), (RECT{36, 0, 80, 22}));
  EXPECT_EQ(links.Items(2)->ItemRect(), (RECT{0, 28, 44, 50}));  // the separator (6) lies between the lines
  EXPECT_EQ(links.Items(3)->ItemRect(), (RECT{44, 28, 88, 50}));
  EXPECT_TRUE(links.Items(2)->Control()->LineBreak());
  EXPECT_EQ(bar->Control()->ClientRect(), (RECT{0, 0, 88, 50}));
  KeepCheckedScreen();
}

}  // namespace
