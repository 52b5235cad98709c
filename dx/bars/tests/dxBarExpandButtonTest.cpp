// The expand button of a short menu: hot under the mouse, expanding after a rest on it (with
// ShowFullMenusAfterDelay) or showing its hint (without), made hot by a long rest on the entries.
#include "dx/bars/dxBarHint.h"
#include "dx/bars/tests/dxBarShortMenuFixture.h"

namespace {

using Menu = TdxBarSubMenuControl;

class DxBarExpandButtonTest : public DxBarShortMenuTest {
 protected:
  // The button's column through the chevrons' points, top to bottom: '#' the chevrons' colour.
  static std::string ChevronColumn(const RECT& Button, COLORREF Ink) {
    std::string column;
    const int x = (Button.left + Button.right - 5) / 2 + 2;
    for (int y = Button.top; y < Button.bottom; ++y) column += ScreenPixel(x, y) == Ink ? '#' : '.';
    return column;
  }
  void OpenWithDelay() {
    manager->SetShowFullMenusAfterDelay(true);
    Open();
    ASSERT_NE(Window(), nullptr);
    ASSERT_TRUE(Window()->HasExpandButton());
  }
};

TEST_F(DxBarExpandButtonTest, RestingOnTheButtonExpandsAfterASecond) {
  OpenWithDelay();
  MoveTo(ExpandButtonCentre());
  EXPECT_EQ(Window()->MarkState(), 1);
  Wait(Menu::kExpandButtonRestDelay - 1);
  EXPECT_EQ(Shown(), 2u);
  Wait(1);
  EXPECT_EQ(Shown(), 4u);
  EXPECT_EQ(Window()->MarkState(), 0);
  EXPECT_FALSE(Window()->HasExpandButton());
}

TEST_F(DxBarExpandButtonTest, LeavingTheButtonCancelsItsExpansion) {
  OpenWithDelay();
  MoveTo(ExpandButtonCentre());
  Wait(Menu::kExpandButtonRestDelay / 2);
  MoveTo(EntryCentre(0));
  EXPECT_EQ(Window()->MarkState(), 0);
  Wait(Menu::kExpandButtonRestDelay);
  EXPECT_EQ(Shown(), 2u);
}

TEST_F(DxBarExpandButtonTest, ALongRestOnAnEntryMakesTheButtonHotWithoutExpanding) {
  OpenWithDelay();
  Wait(Menu::kShowFullMenusDelay / 2);
  // Selecting an entry starts the wait again, now for the button only.
  MoveTo(EntryCentre(0));
  Wait(Menu::kShowFullMenusDelay - 1);
  EXPECT_EQ(Window()->MarkState(), 0);
  Wait(1);
  EXPECT_EQ(Window()->MarkState(), 1);
  Wait(2 * Menu::kShowFullMenusDelay);
  EXPECT_EQ(Shown(), 2u);
  // Now hot, a click on it expands at once.
  ClickAt(ExpandButtonCentre());
  EXPECT_EQ(Shown(), 4u);
}

TEST_F(DxBarExpandButtonTest, WithoutTheDelayTheButtonShowsItsHintAndNeverExpandsByItself) {
  Open();
  ASSERT_NE(Window(), nullptr);
  MoveTo(ExpandButtonCentre());
  Wait(kHintShowDelay);
  ASSERT_NE(BarHintWindow(), nullptr);
  EXPECT_TRUE(BarHintWindow()->Showing());
  EXPECT_EQ(BarHintWindow()->HintText(), u"Expand (Ctrl-Down)");
  Wait(3 * Menu::kShowFullMenusDelay);
  EXPECT_EQ(Shown(), 2u);
  MoveTo(EntryCentre(0));
  EXPECT_EQ(Window()->MarkState(), 0);
  EXPECT_FALSE(BarHintWindow()->Showing());
}

TEST_F(DxBarExpandButtonTest, APressOnAColdButtonMakesItHotAndASecondExpands) {
  Open();
  ASSERT_NE(Window(), nullptr);
  Key(VK_DOWN);
  ASSERT_NE(Window()->SelectedControl(), nullptr);
  // Pressed without the mouse having moved onto it first.
  const POINT p = CentreOf(Window()->ExpandButtonRect());
  SendMessage(Window()->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  EXPECT_EQ(Window()->MarkState(), 1);
  EXPECT_EQ(Window()->SelectedControl(), nullptr);
  EXPECT_EQ(Shown(), 2u);
  SendMessage(Window()->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  EXPECT_EQ(Shown(), 4u);
}

TEST_F(DxBarExpandButtonTest, TheButtonDrawsTwoChevronsAndItsHotStateRaised) {
  Open();
  ASSERT_NE(Window(), nullptr);
  RECT button = Window()->ExpandButtonRect();
  MapWindowPoints(Window()->Handle(), nullptr, reinterpret_cast<POINT*>(&button), 2);
  ASSERT_EQ(button.bottom - button.top, 14);
  const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
  EXPECT_EQ(ChevronColumn(button, ink), ".....##..##...");
  EXPECT_EQ(ScreenPixel(button.left + 1, button.top + 1), GetSysColor(COLOR_BTNFACE));
  KeepCheckedScreen("cold");

  MoveTo(ExpandButtonCentre());
  EXPECT_EQ(ChevronColumn(button, ink), ".....##..##...");
  EXPECT_EQ(ScreenPixel(button.left, button.top), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(ScreenPixel(button.right - 1, button.bottom - 1), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(ScreenPixel(button.left + 1, button.top + 1), Menu::RarelyUsedColor());
  KeepCheckedScreen("hot");
}

}  // namespace

namespace {

TEST_F(DxBarExpandButtonTest, TheFlatLooksHotButtonIsFramedInTheHighlight) {
  manager->SetStyle(bmsFlat);
  Open();
  ASSERT_NE(Window(), nullptr);
  RECT button = Window()->ExpandButtonRect();
  MapWindowPoints(Window()->Handle(), nullptr, reinterpret_cast<POINT*>(&button), 2);
  MoveTo(ExpandButtonCentre());
  const COLORREF highlight = CalcFlatColors(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNSHADOW),
                                            GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_WINDOW))
                                 .Highlight;
  EXPECT_EQ(ScreenPixel(button.left, button.top), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(ScreenPixel(button.right - 1, button.bottom - 1), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(ScreenPixel(button.left + 1, button.top + 1), highlight);
  KeepCheckedScreen();
}

}  // namespace
