#include "cx/foundation/cxButtons.h"

#include <memory>
#include <vector>

#include "cx/foundation/tests/cxControlsTestUtil.h"
#include "platform/forms/native/ButtonControls.h"
#include "platform/gdi/testing/TestThemeProvider.h"

namespace {

std::unique_ptr<TBitmap> RedGlyph() {
  auto b = std::make_unique<TBitmap>();
  b->SetSize(8, 8);
  b->Canvas()->Brush()->SetColor(clRed);
  b->Canvas()->FillRect({0, 0, 8, 8});
  b->Canvas()->SetPixels(0, 7, clWhite);  // the bottom-left pixel names the transparent colour
  return b;
}

TEST(CxButtonProperties, NumGlyphsMarginAndColours) {
  TcxButton button(nullptr);
  button.SetNumGlyphs(7);
  EXPECT_EQ(button.NumGlyphs(), 4);
  button.SetMargin(-2);
  EXPECT_EQ(button.Margin(), -1);
  button.SetMargin(3);
  EXPECT_EQ(button.Margin(), 3);

  TcxButtonColors* colors = button.Colors();
  colors->SetHot(clYellow);
  EXPECT_TRUE(colors->AssignedColors().Contains(cxbsHot));
  colors->SetHot(clNone);
  EXPECT_FALSE(colors->AssignedColors().Contains(cxbsHot));
  EXPECT_EQ(colors->Hot(), clDefault);
  colors->SetPressed(clBlue);
  colors->SetPressed(clDefault);
  EXPECT_TRUE(colors->AssignedColors().Empty());
}

TEST(CxButtonProperties, WhoPaintsAndWithWhichPainter) {
  struct Case {
    const char* name;
    TcxButtonKind kind;
    bool useSystemPaint, glyph;
    TcxLookAndFeelKind look;
    bool native, themes;
    bool systemPaint;
    TcxLookAndFeelPainterClass painter;
  } cases[] = {
      {"standard system", cxbkStandard, true, false, lfStandard, false, false, true,
       TcxStandardLookAndFeelPainter::Class()},
      {"a glyph: own drawing", cxbkStandard, true, true, lfStandard, false, false, false,
       TcxStandardLookAndFeelPainter::Class()},
      {"drop-down kind: own drawing", cxbkDropDown, true, false, lfStandard, false, false, false,
       TcxStandardLookAndFeelPainter::Class()},
      {"flat", cxbkStandard, true, false, lfFlat, false, false, false, TcxFlatLookAndFeelPainter::Class()},
      {"ultra-flat", cxbkStandard, false, false, lfUltraFlat, false, false, false,
       TcxUltraFlatLookAndFeelPainter::Class()},
      {"native with themes", cxbkStandard, false, false, lfFlat, true, true, false,
       TcxWinXPLookAndFeelPainter::Class()},
      {"native with themes and system paint", cxbkStandard, true, false, lfFlat, true, true, true,
       TcxWinXPLookAndFeelPainter::Class()},
      {"standard system paint with themes", cxbkDropDownButton, true, false, lfStandard, false, true, false,
       TcxWinXPLookAndFeelPainter::Class()},
      {"native without themes", cxbkStandard, false, false, lfUltraFlat, true, false, false,
       TcxUltraFlatLookAndFeelPainter::Class()},
  };
  for (const Case& c : cases) {
    TestThemeProvider provider;
    std::unique_ptr<ScopedThemeProvider> scope;
    if (c.themes) scope = std::make_unique<ScopedThemeProvider>(&provider);
    TcxButton button(nullptr);
    button.SetKind(c.kind);
    button.LookAndFeel()->SetKind(c.look);
    button.LookAndFeel()->SetNativeStyle(c.native);
    button.SetUseSystemPaint(c.useSystemPaint);
    if (c.glyph) {
      auto glyph = RedGlyph();
      button.SetGlyph(glyph.get());
      button.SetUseSystemPaint(c.useSystemPaint);
    }
    EXPECT_EQ(button.IsSystemPaint(), c.systemPaint) << c.name;
    EXPECT_EQ(button.GetPainterClass(), c.painter) << c.name;
  }
}

TEST(CxButtonMenu, OpensAboveNearTheScreensBottomAndNeverLeftOfIt) {
  EXPECT_EQ(cxDropDownMenuPosition({100, 500}, 25, 100, 768).y, 500);
  EXPECT_EQ(cxDropDownMenuPosition({100, 700}, 25, 100, 768).y, 700 - 25 - 100 - 2);
  EXPECT_EQ(cxDropDownMenuPosition({-20, 500}, 25, 100, 768).x, 0);
}

class CxButtonTest : public CxControlsTest {
 protected:
  TcxButton* MakeButton(TcxButtonKind AKind, TcxLookAndFeelKind ALook, const char* ACaption = "Ok") {
    if (!form_) {
      form_ = MakeForm();
      form_->Show();
    }
    auto* b = new TcxButton(form_);
    b->SetParent(form_);
    b->SetBounds(20, 20 + 40 * form_->ControlCount(), 100, 25);
    b->SetKind(AKind);
    b->SetUseSystemPaint(false);
    b->LookAndFeel()->SetKind(ALook);
    b->SetCaption(Utf8ToString(ACaption));
    b->Font()->SetName(kFixedTestFontName);
    b->Font()->SetHeight(-16);
    Pump();
    return b;
  }
  TForm* form_ = nullptr;
};

TEST_F(CxButtonTest, AnOwnerDrawnButtonUsesItsStateColourAndFallsBackToThePainters) {
  TcxButton* b = MakeButton(cxbkStandard, lfUltraFlat);
  b->Colors()->SetNormal(clYellow);
  b->Repaint();
  EXPECT_EQ(ScreenPixel(b, 5, 5), ColorToRGB(clYellow));
  b->Colors()->SetNormal(clNone);
  b->Repaint();
  const TColor painters = TcxUltraFlatLookAndFeelPainter::Class()->GetButtonColor(cxbsNormal);
  EXPECT_EQ(ScreenPixel(b, 5, 5), ColorToRGB(painters));
  KeepCheckedWindow(b->Handle());
}

TEST_F(CxButtonTest, UltraFlatButtonsTrackTheMouseStandardOnesDoNot) {
  TcxButton* flat = MakeButton(cxbkStandard, lfUltraFlat);
  TcxButton* standard = MakeButton(cxbkStandard, lfStandard);
  flat->Colors()->SetHot(clLime);
  MoveTo(flat, 10, 10);
  EXPECT_TRUE(flat->Hot());
  EXPECT_EQ(flat->GetDrawState(), cxbsHot);
  flat->Repaint();
  EXPECT_EQ(ScreenPixel(flat, 5, 5), ColorToRGB(clLime));
  MoveTo(form_, 300, 250);
  Advance(20);
  EXPECT_FALSE(flat->Hot());
  EXPECT_FALSE(cxIsMouseTracking(flat));
  MoveTo(standard, 10, 10);
  EXPECT_FALSE(standard->Hot());
}

TEST_F(CxButtonTest, TheGlyphGoesBesideTheCaptionAsTheLayoutSays) {
  TcxButton* b = MakeButton(cxbkStandard, lfFlat);
  auto glyph = RedGlyph();
  b->SetGlyph(glyph.get());
  for (TButtonLayout layout : {blGlyphLeft, blGlyphRight, blGlyphTop}) {
    b->SetLayout(layout);
    b->Repaint();
    TcxCanvas* measure = cxGetScreenCanvas();
    measure->SetFont(b->Font());
    POINT at{};
    RECT text{};
    b->GlyphObject()->CalcLayout(measure, b->ClientRect(), {0, 0}, b->Caption(), layout, b->Margin(), b->Spacing(),
                                 at, text, 0);
    EXPECT_EQ(ScreenPixel(b, at.x + 4, at.y + 4), ColorToRGB(clRed)) << layout;
    switch (layout) {
      case blGlyphLeft: EXPECT_LT(at.x + 8, text.left); break;
      case blGlyphRight: EXPECT_GT(at.x, text.right - 1); break;
      default: EXPECT_LT(at.y + 8, text.top + 1); break;
    }
  }
  KeepCheckedWindow(b->Handle());
}

TEST_F(CxButtonTest, TheDefaultButtonNotificationIsOnlyNoted) {
  TcxButton* b = MakeButton(cxbkStandard, lfFlat);
  SendMessage(b->Handle(), BM_SETSTYLE, BS_DEFPUSHBUTTON, 1);
  EXPECT_TRUE(b->IsDefault());
  EXPECT_EQ(GetWindowLongPtr(b->Handle(), GWL_STYLE) & BS_TYPEMASK, static_cast<LONG_PTR>(BS_OWNERDRAW));
  EXPECT_EQ(b->GetDrawState(), cxbsDefault);
}

TEST_F(CxButtonTest, ADropDownButtonClicksOnItsLeftPartAndAsksForItsMenuFromTheArrow) {
  TcxButton* b = MakeButton(cxbkDropDownButton, lfFlat);
  int clicks = 0, menuRequests = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  auto defaultProc = b->WindowProc;
  b->WindowProc = [&](TMessage& m) {
    if (m.Msg == CM_DROPDOWNPOPUPMENU) ++menuRequests;
    defaultProc(m);
  };
  Click(b, 20, 10);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(menuRequests, 0);
  // (Without a menu nothing tracks the press, so its release is left alone here.)
  Down(b, 95, 10);
  EXPECT_TRUE(b->DropDownPending());
  Pump();
  EXPECT_EQ(menuRequests, 1);
  Up(b, 95, 10);
  b->SetFocus();
  Pump();
  Key(VK_DOWN, 4);
  EXPECT_EQ(menuRequests, 2) << "Alt+Down asks for the menu";
  b->WindowProc = defaultProc;
}

TEST_F(CxButtonTest, ADropDownButtonClickNeverReachesOnClick) {
  TcxButton* b = MakeButton(cxbkDropDown, lfFlat);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  Click(b, 20, 10);
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(b->DropDownPending());
}

TEST_F(CxButtonTest, AThemedButtonTakesTheThemesPushButtonFill) {
  TestThemeProvider provider;
  ScopedThemeProvider scope(&provider);
  TcxButton* b = MakeButton(cxbkStandard, lfFlat);
  b->LookAndFeel()->SetNativeStyle(true);
  Pump();
  ASSERT_EQ(b->GetPainterClass(), TcxWinXPLookAndFeelPainter::Class());
  b->Repaint();
  EXPECT_EQ(ScreenPixel(b, 5, 5), static_cast<TColor>(provider.FillColor(u"Button", 1, 1)));
  // The caption colour of a themed button without a theme text colour is the button text colour.
  EXPECT_EQ(TcxWinXPLookAndFeelPainter::Class()->GetButtonTextColor(cxbsNormal), clBtnText);
  KeepCheckedWindow(b->Handle());
}

TEST_F(CxButtonTest, ADropDownButtonShowsItsMenuBelowAndRunsTheChosenItem) {
  TcxButton* b = MakeButton(cxbkDropDown, lfFlat);
  auto* menu = new TPopupMenu(form_);
  int chosen = 0;
  for (int i = 1; i <= 2; ++i) {
    auto* item = new TMenuItem(menu);
    item->SetCaption(i == 1 ? u"One" : u"Two");
    item->OnClick = [&chosen, i](TObject*) { chosen = i; };
    menu->Items()->Add(item);
  }
  b->SetDropDownMenu(menu);
  bool showing = false;
  HWND below = nullptr;
  ScriptModalLoop({{20, [&] {
                      showing = b->MenuShowing();
                      below = WindowFromPoint(At(b, 10, b->Height() + 5));
                      KeepCheckedScreen("menu");
                      SimulateKeyPress(VK_DOWN);
                      SimulateKeyPress(VK_DOWN);
                      SimulateKeyPress(VK_RETURN);
                    }}});
  Click(b, 20, 10);
  Pump();
  EndScript();
  EXPECT_TRUE(showing);
  EXPECT_NE(below, form_->Handle()) << "the menu opens under the button";
  EXPECT_EQ(chosen, 2);
  EXPECT_FALSE(b->MenuShowing());
  EXPECT_FALSE(b->DropDownPending());
}

TEST_F(CxButtonTest, AClosedDropDownMenuLeavesTheMouseToOtherControls) {
  TcxButton* b = MakeButton(cxbkDropDown, lfFlat);
  TcxButton* other = MakeButton(cxbkStandard, lfFlat, "Other");
  auto* menu = new TPopupMenu(form_);
  menu->Items()->Add(new TMenuItem(menu));
  menu->Items()->Items(0)->SetCaption(u"One");
  b->SetDropDownMenu(menu);
  int menus = 0, otherClicks = 0;
  other->OnClick = [&](TObject*) { ++otherClicks; };
  // The second Escape only closes a menu that should never have opened again.
  ScriptModalLoop({{20, [&] { ++menus; SimulateKeyPress(VK_ESCAPE); }},
                   {400, [&] { ++menus; SimulateKeyPress(VK_ESCAPE); }}});
  Click(b, 20, 10);
  Pump();
  EXPECT_EQ(menus, 1);
  EXPECT_EQ(GetCapture(), nullptr) << "the press the menu ended holds nothing";
  Click(other, 20, 10);
  Pump();
  EndScript();
  EXPECT_EQ(otherClicks, 1);
  EXPECT_EQ(menus, 1) << "the click on the other button did not reopen the menu";
  EXPECT_FALSE(b->MenuShowing());
}

TEST_F(CxButtonTest, PressingTheButtonWhileItsMenuIsOpenOnlyClosesTheMenu) {
  for (TcxButtonKind kind : {cxbkDropDown, cxbkDropDownButton}) {
    TcxButton* b = MakeButton(kind, lfFlat);
    auto* menu = new TPopupMenu(form_);
    menu->Items()->Add(new TMenuItem(menu));
    menu->Items()->Items(0)->SetCaption(u"One");
    b->SetDropDownMenu(menu);
    int menus = 0, clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    const int arrowX = b->Width() - 5;
    ScriptModalLoop({{20, [&] { ++menus; SimulateClick(TSimButton::Left, At(b, arrowX, 10)); }},
                     {400, [&] { ++menus; SimulateKeyPress(VK_ESCAPE); }}});
    Click(b, arrowX, 10);
    Pump();
    Pump();
    EndScript();
    EXPECT_EQ(menus, 1) << "kind " << static_cast<int>(kind);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(b->MenuShowing());
    EXPECT_EQ(GetCapture(), nullptr);
  }
}

TEST_F(CxButtonTest, AButtonFreedWhilePressedLetsTheMouseGo) {
  TcxButton* b = MakeButton(cxbkStandard, lfUltraFlat);
  Down(b, 20, 10);
  ASSERT_EQ(GetCapture(), b->Handle());
  delete b;
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(CxButtonTest, TheDropDownMenuHeightCountsEachItem) {
  auto* menu = new TPopupMenu(MakeForm());
  for (int i = 0; i < 3; ++i) menu->Items()->Add(new TMenuItem(menu));
  menu->Items()->Items(2)->SetVisible(false);
  NONCLIENTMETRICS metrics;
  SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  const int border = 2 * metrics.iBorderWidth, item = GetSystemMetrics(SM_CYMENU);
  EXPECT_EQ(cxDropDownMenuHeight(menu), border + 3 * item) << "a plain menu counts hidden items too";
  menu->SetOwnerDraw(true);
  for (int i = 0; i < 3; ++i)
    menu->Items()->Items(i)->OnMeasureItem = [](TObject*, TCanvas*, int&, int& Height) { Height = 40; };
  EXPECT_EQ(cxDropDownMenuHeight(menu), border + 40 + 40 + item) << "owner draw measures visible items";
}

}  // namespace
