#include "cx/editors/cxEditViewInfo.h"
#include "cx/editors/cxTextEdit.h"
#include "cx/editors/tests/cxEditTestUtil.h"
#include "cx/foundation/cxSolidBrushCache.h"
#include "cx/foundation/tests/cxFoundationTestUtil.h"

// Counts what reaches the inner control through the edit's hook.
class THookCountingEdit : public TcxTextEdit {
  TRENVIK_CLASS(THookCountingEdit, TcxTextEdit);

 public:
  explicit THookCountingEdit(TComponent* AOwner) : TcxTextEdit(AOwner) {}
  int HookedChars = 0;
  void InnerEditWindowProc(TMessage& Message) override {
    if (Message.Msg == WM_CHAR) ++HookedChars;
    inherited::InnerEditWindowProc(Message);
  }
};
TRENVIK_IMPLEMENT_CLASS(THookCountingEdit)

namespace {

class CxEditLayoutTest : public CxControlsTest {
 protected:
  void SetUp() override {
    CxControlsTest::SetUp();
    form = MakeForm(100, 100, 420, 240);
    form->Show();
    Pump();
  }
  TForm* form = nullptr;
};

TEST_F(CxEditLayoutTest, AnAutoSizedTextEditTakesTheHeightOfItsTextAndKeepsItsWidth) {
  auto* edit = Add<TcxTextEdit>(form, 200, 10, 150, 40);
  edit->Style()->Font()->SetName(kFixedTestFontName);
  edit->Style()->Font()->SetHeight(-16);
  Pump();
  TTestCanvas canvas(10, 10);
  canvas.Canvas()->Font()->Assign(edit->Style()->Font());
  const int line = canvas.Cx()->TextHeight(u"Zg");
  // The 2-pixel client extent on both sides and the stand-alone vertical text margin of 4.
  EXPECT_EQ(edit->Height(), 4 + line + 4);
  EXPECT_EQ(edit->Width(), 150);
  edit->SetBounds(200, 10, 150, 60);
  EXPECT_EQ(edit->Height(), 4 + line + 4) << "the height stays measured";
  edit->SetAutoSize(false);
  edit->SetBounds(200, 10, 150, 60);
  EXPECT_EQ(edit->Height(), 60);

  std::unique_ptr<TcxCustomEdit> inplace(TcxCustomEdit::CreateInplace(TcxTextEdit::StaticClass(), nullptr));
  EXPECT_FALSE(inplace->AutoSize());
  inplace->SetAutoSize(true);
  EXPECT_FALSE(inplace->AutoSize()) << "in-place editors never auto-size";
}

TEST_F(CxEditLayoutTest, ColourAndFontPassBetweenTheStyleAndTheControl) {
  auto* edit = Add<TcxTextEdit>(form, 10, 10, 150, 21);
  Pump();
  edit->Style()->SetColor(clYellow);
  Pump();
  EXPECT_EQ(edit->Color(), clYellow);
  EXPECT_EQ(edit->InnerControl()->Color(), clYellow) << "the text area follows the style";
  EXPECT_EQ(ScreenPixel(edit, 100, 10), ColorToRGB(clYellow));

  // A font given to the control is the style's, measured for the height, but not an assigned value.
  edit->Font()->SetName(kFixedTestFontName);
  edit->Font()->SetHeight(-24);
  Pump();
  EXPECT_EQ(edit->Style()->Font()->Height(), -24);
  EXPECT_FALSE(edit->Style()->AssignedValues().Contains(svFont));
  TTestCanvas canvas(10, 10);
  canvas.Canvas()->Font()->Assign(edit->Font());
  EXPECT_EQ(edit->Height(), 4 + canvas.Cx()->TextHeight(u"Zg") + 4);

  // A font assigned in the style is the control's.
  edit->Style()->Font()->SetHeight(-12);
  Pump();
  EXPECT_TRUE(edit->Style()->AssignedValues().Contains(svFont));
  EXPECT_EQ(edit->Font()->Height(), -12);
  EXPECT_EQ(static_cast<TcxCustomInnerTextEdit*>(edit->InnerControl())->Font()->Height(), -12);
}

// Only the frame is repainted when hot tracking changes the border: the text area keeps its pixels.
TEST_F(CxEditLayoutTest, AnUltraFlatEditHighlightsItsBorderWhileTheMouseIsOverIt) {
  auto* edit = Add<TcxTextEdit>(form, 10, 10, 150, 24);
  edit->SetAutoSize(false);
  edit->SetBounds(10, 10, 150, 24);
  edit->Style()->SetBorderStyle(ebsUltraFlat);
  Pump();
  EXPECT_EQ(ScreenPixel(edit, 1, 10), ColorToRGB(clBtnShadow));
  // Over the text area: the inner edit hands its mouse moves to the edit.
  MoveTo(edit, 60, 12);
  EXPECT_EQ(edit->EditViewInfo()->BorderColor, clHighlight);
  EXPECT_EQ(ScreenPixel(edit, 1, 10), ColorToRGB(clHighlight));
  MoveTo(form, 300, 200);
  Advance(200);
  EXPECT_EQ(ScreenPixel(edit, 1, 10), ColorToRGB(clBtnShadow));
  edit->SetFocus();
  Pump();
  EXPECT_EQ(ScreenPixel(edit, 1, 10), ColorToRGB(clHighlight)) << "a focused edit stays highlighted";
}

TEST_F(CxEditLayoutTest, ASystemColourChangeEmptiesTheBrushCache) {
  auto* edit = Add<TcxTextEdit>(form, 10, 10, 150, 21);
  Pump();
  cxSolidBrushCache()->GetBrush(clRed);
  ASSERT_GT(cxSolidBrushCache()->Count(), 0);
  edit->Perform(CM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(cxSolidBrushCache()->Count(), 0);
}

// The shadow lies outside the border, 3 pixels down and right; the window region lets the parent
// show through the corners beside it and the pixel the single border leaves outside.
TEST_F(CxEditLayoutTest, AShadowedEditsWindowRegionLeavesTheCornersToTheParent) {
  auto* edit = Add<TcxTextEdit>(form, 10, 10, 150, 30);
  edit->SetAutoSize(false);
  edit->SetBounds(10, 10, 150, 30);
  edit->Style()->SetBorderStyle(ebsSingle);
  edit->Style()->SetShadow(true);
  Pump();
  EXPECT_TRUE(edit->EditViewInfo()->Shadow);
  // The shadow is added outside: the edit grows by it.
  EXPECT_EQ(edit->Width(), 153);
  EXPECT_EQ(edit->Height(), 33);
  EXPECT_EQ(edit->EditViewInfo()->ClientRect.right, 150 - 2);
  EXPECT_EQ(edit->EditViewInfo()->ClientRect.bottom, 30 - 2);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(edit->Handle(), region), ERROR);
  struct Probe {
    POINT p;
    bool inside;
    const char* what;
  };
  const Probe probes[] = {
      {{1, 1}, true, "the border's corner"},       {{0, 0}, false, "outside the single border"},
      {{151, 2}, false, "the corner above the shadow"}, {{151, 10}, true, "the shadow on the right"},
      {{2, 31}, false, "the corner left of the shadow"}, {{60, 31}, true, "the shadow below"},
  };
  for (const Probe& probe : probes)
    EXPECT_EQ(PtInRegion(region, probe.p.x, probe.p.y) != FALSE, probe.inside) << probe.what;
  DeleteObject(region);
  EXPECT_EQ(ScreenPixel(edit, 151, 10), ColorToRGB(clBtnShadow));
  edit->Style()->SetShadow(false);
  Pump();
  EXPECT_EQ(edit->Width(), 150) << "and shrinks when it goes";
  KeepCheckedWindow(form->Handle());
}

TEST_F(CxEditLayoutTest, TheInnerControlIsHookedOnlyWhileAKeyActivatesTheEditor) {
  auto* edit = static_cast<THookCountingEdit*>(TcxCustomEdit::CreateInplace(THookCountingEdit::StaticClass(), form));
  edit->SetParent(form);
  edit->SetBounds(10, 10, 150, 20);
  Pump();
  std::unique_ptr<TcxCustomEditData> cellData;
  edit->ActivateByKey(u'Ж', cellData);
  Pump();
  EXPECT_EQ(edit->HookedChars, 1) << "the activation key passes the hook";
  EXPECT_EQ(edit->Text(), u"Ж");
  EXPECT_FALSE(edit->IsInnerEditHooked());
  SimulateText(u"ук");
  Pump();
  EXPECT_EQ(edit->Text(), u"Жук");
  EXPECT_EQ(edit->HookedChars, 1) << "typed afterwards without the hook";
}

}  // namespace
