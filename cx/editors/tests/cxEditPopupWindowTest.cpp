#include "cx/editors/cxEditPopupWindow.h"

#include "cx/editors/cxComboBox.h"
#include "cx/editors/tests/cxEditPopupTestUtil.h"
#include "cx/editors/tests/cxEditTestUtil.h"
#include "cx/foundation/dxThemeManager.h"
#include "platform/gdi/VsStyle.h"
#include "platform/gdi/testing/TestThemeProvider.h"

namespace {

// The popup window through a sizeable combo box list, whose popup shows the system panel.
class CxEditPopupWindowTest : public CxControlsTest {
 protected:
  void MakeCombo(int AFormTop, int AEditTop, bool AShadow = false) {
    form = MakeForm(100, AFormTop, 420, 300);
    combo = Add<TcxComboBox>(form, 10, AEditTop, 200, 21);
    combo->Style()->SetShadow(AShadow);
    for (int i = 0; i < 30; ++i) combo->ActiveProperties()->Items()->Add(u"Строка " + IntToStr(i));
    combo->ActiveProperties()->SetDropDownSizeable(true);
    form->Show();
    Pump();
    combo->SetFocus();
    Pump();
  }
  TcxCustomEditPopupWindow* Popup() { return combo->PopupWindow(); }
  TcxCustomEditPopupWindowViewInfo* Info() { return Popup()->EditViewInfo(); }
  int Row() { return combo->ComboLookupData()->ListBox()->GetItemHeight(-1); }
  void Open() {
    Key(VK_F4);
    ASSERT_TRUE(combo->DroppedDown());
  }
  void DragGrip(int DX, int DY) { DragPopupGrip(Popup(), DX, DY); }
  RECT Bounds() {
    return {Popup()->Left(), Popup()->Top(), Popup()->Left() + Popup()->Width(), Popup()->Top() + Popup()->Height()};
  }

  TForm* form = nullptr;
  TcxComboBox* combo = nullptr;
};

TEST_F(CxEditPopupWindowTest, TheGripCornerFollowsWhereThePopupLandedAndAShadowLowersAnUpwardOne) {
  struct Case {
    const char* name;
    int formTop, editTop;
    bool shadow;
    int corner;
    // The popup's bottom less the edit's top, for the upward ones.
    int overlap;
  };
  const Case cases[] = {
      {"below", 100, 10, false, cxGripBottomRight, 0},
      {"above", 440, 250, false, cxGripTopRight, 0},
      {"above with a shadow", 440, 250, true, cxGripTopRight, 3},
  };
  for (const Case& c : cases) {
    MakeCombo(c.formTop, c.editTop, c.shadow);
    Open();
    EXPECT_EQ(Info()->SizeGripCorner, c.corner) << c.name;
    const RECT grip = Info()->SizeGripRect;
    const RECT panel = Info()->SysPanelRect;
    if (c.corner == cxGripTopRight) {
      EXPECT_EQ(grip.top, panel.top) << c.name;
      EXPECT_EQ(Bounds().bottom - Popup()->OwnerScreenBounds().top, c.overlap) << c.name;
    } else {
      EXPECT_EQ(grip.bottom, panel.bottom) << c.name;
      EXPECT_EQ(Bounds().top, Popup()->OwnerScreenBounds().bottom) << c.name;
    }
    EXPECT_EQ(grip.right, panel.right) << c.name;
    KeepCheckedScreen(c.name);
    Key(VK_ESCAPE);
    delete form;
    Forget(form);
  }
}

TEST_F(CxEditPopupWindowTest, GrowingByTheGripKeepsWholeRowsAndTheSizeIsKeptForTheNextOpening) {
  MakeCombo(100, 10);
  Open();
  const RECT before = Bounds();
  const int listBefore = combo->ComboLookupData()->ListBox()->Height();
  DragGrip(30, Row() - 2);  // less than a row more
  RECT after = Bounds();
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.right - before.right, 30);
  EXPECT_EQ(after.bottom, before.bottom);
  DragGrip(0, 2 * Row() + 3);  // two rows and a bit
  after = Bounds();
  EXPECT_EQ(after.bottom - before.bottom, 2 * Row());
  EXPECT_EQ(combo->ComboLookupData()->ListBox()->Height(), listBefore + 2 * Row());
  KeepCheckedScreen("grown by two rows");
  Key(VK_ESCAPE);
  ASSERT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->ActiveProperties()->PopupWidth(), after.right - after.left);
  EXPECT_EQ(combo->ActiveProperties()->PopupHeight(), after.bottom - after.top);
  Open();
  EXPECT_EQ(Bounds().right - Bounds().left, after.right - after.left);
  EXPECT_EQ(Bounds().bottom - Bounds().top, after.bottom - after.top);
}

TEST_F(CxEditPopupWindowTest, AnUpwardPopupIsSizedByItsTopEdgeAndStaysOnTheEdit) {
  MakeCombo(440, 250);
  Open();
  ASSERT_EQ(Info()->SizeGripCorner, cxGripTopRight);
  const RECT before = Bounds();
  DragGrip(0, -3 * Row());
  const RECT after = Bounds();
  EXPECT_EQ(after.bottom, before.bottom);
  EXPECT_EQ(before.top - after.top, 3 * Row());
  EXPECT_EQ(after.bottom, Popup()->OwnerScreenBounds().top);
}

TEST_F(CxEditPopupWindowTest, ASizeablePopupWithItsPanelIsNeverNarrowerThanItsButtonsAndGrip) {
  MakeCombo(100, 10);
  Open();
  DragGrip(-400, 0);
  const int panel = Info()->GetSysPanelHeight();
  const int least = Info()->GetBorders().Width() + (panel - 4) + (panel - 2) + 10;
  EXPECT_EQ(Popup()->Width(), least);
  // The close button and the grip do not overlap.
  EXPECT_LE(Info()->CloseButtonRect.right, Info()->SizeGripRect.left);
}

TEST_F(CxEditPopupWindowTest, TheEdgesNextToTheGripSizeAndTheOthersDoNot) {
  MakeCombo(100, 10);
  Open();
  const RECT b{0, 0, Popup()->Width(), Popup()->Height()};
  struct Case {
    const char* name;
    POINT p;
    bool sizes;
    POINT direction;
  };
  const Case cases[] = {
      {"right edge", {b.right - 1, b.bottom / 3}, true, {1, 0}},
      {"bottom edge", {b.right / 3, b.bottom - 1}, true, {0, 1}},
      {"left edge", {0, b.bottom / 3}, false, {0, 0}},
      {"top edge", {b.right / 3, 0}, false, {0, 0}},
      {"middle", {b.right / 2, b.bottom / 3}, false, {0, 0}},
  };
  for (const Case& c : cases) {
    POINT direction{};
    EXPECT_EQ(Info()->GetSizingDirection(c.p, direction), c.sizes) << c.name;
    EXPECT_EQ(direction.x, c.direction.x) << c.name;
    EXPECT_EQ(direction.y, c.direction.y) << c.name;
  }
  const RECT g = Info()->SizeGripRect;
  POINT direction{};
  EXPECT_TRUE(Info()->GetSizingDirection({(g.left + g.right) / 2, (g.top + g.bottom) / 2}, direction));
  EXPECT_EQ(direction.x, 1);
  EXPECT_EQ(direction.y, 1);
}

// With the native style and a theme, the system panel is as high as the theme's size box and small
// close button need, and both are the theme's parts in their states.
TEST_F(CxEditPopupWindowTest, ANativePopupDrawsTheThemesGripAndCloseButton) {
  TestThemeProvider provider;
  provider.SetPartSize(u"ScrollBar", SBP_SIZEBOX, 0, {26, 26});
  provider.SetPartSize(u"Window", WP_SMALLCLOSEBUTTON, 0, {15, 15});
  ScopedThemeProvider scope(&provider);
  dxCloseAllThemes();
  MakeCombo(100, 10);
  combo->Style()->LookAndFeel()->SetNativeStyle(true);
  combo->Style()->SetPopupCloseButton(true);
  Pump();
  Open();
  Pump();
  TcxCustomEditPopupWindowViewInfo* info = Info();
  ASSERT_TRUE(info->NativeStyle);
  const RECT panel = info->SysPanelRect;
  const RECT grip = info->SizeGripRect;
  const RECT close = info->CloseButtonRect;
  EXPECT_GE(panel.bottom - panel.top, 26) << "the panel holds the themed size box";
  EXPECT_GE(grip.right - grip.left, 28) << "the grip is the size box plus 2 at least";
  EXPECT_EQ(close.right - close.left, 15);
  EXPECT_EQ(close.bottom - close.top, 15);
  EXPECT_EQ(close.top - panel.top, (panel.bottom - panel.top - 15) / 2) << "centred in the panel";
  EXPECT_EQ(close.left, panel.left + 2) << "at the end the grip leaves free";

  auto drawnWith = [&](const char16_t* AClass, int APart, int AState, const RECT& ARect) {
    for (const TestThemeProvider::DrawCall& d : provider.Draws())
      if (d.className == AClass && d.part == APart && d.state == AState && EqualRect(&d.rect, &ARect)) return true;
    return false;
  };
  EXPECT_TRUE(drawnWith(u"ScrollBar", SBP_SIZEBOX, 1, grip)) << "the right-aligned size box";
  EXPECT_TRUE(drawnWith(u"Window", WP_SMALLCLOSEBUTTON, CBS_NORMAL, close));
  const POINT mid{(grip.left + grip.right) / 2, (grip.top + grip.bottom) / 2};
  EXPECT_EQ(ScreenPixel(Popup(), mid.x, mid.y), provider.FillColor(u"ScrollBar", SBP_SIZEBOX, 1));
  KeepCheckedScreen("themed popup panel");

  provider.ClearDraws();
  SimulateMouseMove(At(Popup(), (close.left + close.right) / 2, (close.top + close.bottom) / 2));
  Pump();
  EXPECT_TRUE(drawnWith(u"Window", WP_SMALLCLOSEBUTTON, CBS_HOT, close)) << "hot under the mouse";
  Key(VK_ESCAPE);
}

}  // namespace
