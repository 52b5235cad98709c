#include "cx/editors/cxMemo.h"
#include "cx/editors/tests/cxEditTestUtil.h"
#include "cx/foundation/cxScrollBar.h"
#include "cx/foundation/tests/cxFoundationTestUtil.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/win/ScrollBars.h"

namespace {

TEST(CxMemoViewInfo, ACellShowsTheFirstLineInsideTheMemoMargins) {
  TTestCanvas canvas(120, 60, clFuchsia);
  TcxMemoProperties properties(nullptr);
  properties.SetHorzAlignment(taRightJustify);
  TcxEditStyle style(nullptr, false);
  style.SetColor(clYellow);
  style.Font()->SetName(kFixedTestFontName);
  style.Font()->SetHeight(-16);
  style.Font()->SetColor(clBlue);
  auto data = properties.CreateViewData(&style, true);
  std::unique_ptr<TcxCustomEditViewInfo> viewInfo(
      static_cast<TcxCustomEditViewInfo*>(properties.GetViewInfoClass()->NewInstance()));
  data->Calculate(canvas.Cx(), {0, 0, 100, 50}, {-1, -1}, 0, {}, viewInfo.get(), false);
  data->PrepareViewInfoValue(canvas.Cx(), Variant(String(u"ab\r\nline 2")), viewInfo.get());
  viewInfo->Paint(canvas.Cx());
  const RECT ink = canvas.Bounds(clBlue);
  EXPECT_LE(ink.bottom - ink.top, 16) << "one row: the first line only";
  EXPECT_LE(ink.right, 100 - 2) << "the right margin of right-aligned memo text";
  EXPECT_GE(ink.left, 100 - 2 - 2 * 8);
  EXPECT_EQ(canvas.Pixel(5, 40), ColorToRGB(clYellow));
}

class CxMemoViewTest : public CxControlsTest {
 protected:
  void SetUp() override {
    CxControlsTest::SetUp();
    form = MakeForm(100, 100, 420, 300);
    memo = Add<TcxMemo>(form, 10, 10, 200, 120);
    form->Show();
    Pump();
  }
  TForm* form = nullptr;
  TcxMemo* memo = nullptr;
};

TEST_F(CxMemoViewTest, TheInnerMemoSitsOnePixelInsideTheClientArea) {
  RECT expected = memo->EditViewInfo()->ClientRect;
  InflateRect(&expected, -1, -1);
  const RECT inner = memo->InnerControl()->BoundsRect();
  EXPECT_TRUE(EqualRect(&inner, &expected));
}

TEST_F(CxMemoViewTest, TheEditorsScrollBarsLieOverTheInnerMemosAndScrollIt) {
  memo->Properties()->SetScrollBars(ssBoth);
  memo->Properties()->SetWordWrap(false);
  String text;
  for (int i = 0; i < 40; ++i) text += u"a fairly long line of text number " + IntToStr(i) + u"\r\n";
  memo->SetEditValue(text);
  Pump();
  ASSERT_TRUE(cxIsGetScrollBarInfoAvailable());
  HWND inner = memo->InnerControl()->Handle();
  struct Case {
    TcxControlScrollBar* bar;
    LONG object;
    int kind;
  };
  const Case cases[] = {{memo->HScrollBar(), OBJID_HSCROLL, SB_HORZ}, {memo->VScrollBar(), OBJID_VSCROLL, SB_VERT}};
  EXPECT_TRUE(memo->VScrollBar()->Visible()) << "forty lines do not fit";
  for (const Case& c : cases) {
    SCROLLBARINFO info;
    ASSERT_TRUE(GetScrollBarInfo(inner, c.object, &info));
    const bool innerShown = !(info.rgstate[0] & STATE_SYSTEM_INVISIBLE);
    EXPECT_EQ(c.bar->Visible(), innerShown) << c.kind;
    if (!innerShown) continue;
    const POINT topLeft = memo->ScreenToClient(POINT{info.rcScrollBar.left, info.rcScrollBar.top});
    EXPECT_EQ(c.bar->Left(), topLeft.x) << c.kind;
    EXPECT_EQ(c.bar->Top(), topLeft.y) << c.kind;
    EXPECT_EQ(c.bar->Width(), info.rcScrollBar.right - info.rcScrollBar.left) << c.kind;
    SCROLLINFO scroll{};
    scroll.cbSize = sizeof(scroll);
    scroll.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(inner, c.kind, &scroll));
    EXPECT_EQ(c.bar->Max(), scroll.nMax) << c.kind;
  }
  int position = 0;
  memo->Scroll(sbVertical, scLineDown, position);
  EXPECT_GT(GetScrollPos(inner, SB_VERT), 0);
  EXPECT_EQ(position, GetScrollPos(inner, SB_VERT));
  EXPECT_EQ(memo->VScrollBar()->Position(), position);
  KeepCheckedWindow(memo->Handle());

  memo->Properties()->SetScrollBars(ssNone);
  Pump();
  EXPECT_FALSE(memo->VScrollBar()->Visible());
}

}  // namespace
