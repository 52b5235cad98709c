// One form per look showing a scroll bar, a container with an inner list box and a push button of
// each kind, checked on pixels (the screens are kept for people to look at).
#include <memory>
#include <string>

#include "cx/foundation/cxButtons.h"
#include "cx/foundation/cxListBox.h"
#include "cx/foundation/cxScrollBar.h"
#include "cx/foundation/tests/cxControlsTestUtil.h"
#include "platform/gdi/testing/TestThemeProvider.h"
#include "platform/rtl/StrUtils.h"

namespace {

struct Look {
  const char* name;
  TcxLookAndFeelKind kind;
  bool native;
};

class CxLooksFormTest : public CxControlsTest, public ::testing::WithParamInterface<Look> {
 protected:
  void SetUp() override {
    CxControlsTest::SetUp();
    if (GetParam().native) {
      provider_ = std::make_unique<TestThemeProvider>();
      scope_ = std::make_unique<ScopedThemeProvider>(provider_.get());
    }
  }
  void TearDown() override {
    CxControlsTest::TearDown();
    scope_.reset();
    provider_.reset();
  }
  template <class T>
  void Style(T* AControlLook) {
    AControlLook->SetKind(GetParam().kind);
    AControlLook->SetNativeStyle(GetParam().native);
  }

  std::unique_ptr<TestThemeProvider> provider_;
  std::unique_ptr<ScopedThemeProvider> scope_;
};

TEST_P(CxLooksFormTest, ScrollBarContainerWithListAndButtonsOfEachKind) {
  TForm* form = MakeForm(50, 50, 460, 300);
  form->SetColor(clBtnFace);

  auto* bar = new TcxScrollBar(form);
  bar->SetParent(form);
  bar->SetBounds(10, 10, 200, 17);
  Style(bar->LookAndFeel());
  bar->SetScrollInfo(0, 99, 30, 20);

  auto* container = new TcxContainer(form);
  container->SetParent(form);
  container->SetBounds(10, 40, 200, 120);
  Style(container->Style()->LookAndFeel());
  auto* list = new TcxInnerListBox(container);
  list->SetParent(container);
  list->SetContainer(container);
  list->Font()->SetName(kFixedTestFontName);
  list->Font()->SetHeight(-16);
  container->SetInnerControl(list);
  Style(list->LookAndFeel());

  TcxButton* buttons[3];
  const TcxButtonKind kinds[3] = {cxbkStandard, cxbkDropDown, cxbkDropDownButton};
  for (int i = 0; i < 3; ++i) {
    auto* b = new TcxButton(form);
    b->SetParent(form);
    b->SetBounds(230, 10 + 35 * i, 120, 25);
    b->SetKind(kinds[i]);
    b->SetUseSystemPaint(false);
    b->SetCaption(i == 0 ? u"Ok" : i == 1 ? u"Menu" : u"Split");
    Style(b->LookAndFeel());
    buttons[i] = b;
  }
  form->Show();
  Pump();
  for (int i = 0; i < 20; ++i) list->Items()->Add(u"Item " + IntToStr(i));
  container->ShortRefreshContainer(false);
  form->Repaint();
  Pump();
  KeepCheckedScreen(GetParam().name);

  const TcxLookAndFeelPainterClass painter = bar->LookAndFeel()->Painter();
  EXPECT_EQ(painter->IsNativePainter(), GetParam().native);
  // The scroll bar: its thumb sits where position 30 of 0..99 with a page of 20 puts it.
  const RECT thumb = bar->ThumbRect();
  EXPECT_EQ(thumb.left, 16 + MulDiv(168 - MulDiv(20, 168, 100), 30, 80));
  EXPECT_NE(ScreenPixel(bar, (thumb.left + thumb.right) / 2, 8), ScreenPixel(bar, thumb.left - 3, 8))
      << "the thumb differs from the page area";

  // The list's look-and-feel bar covers the native one inside the container.
  ASSERT_TRUE(list->VScrollBar()->Visible());
  EXPECT_EQ(list->VScrollBar()->LookAndFeel()->Painter(), painter);
  // The container's background inside its border is the list's window colour.
  EXPECT_EQ(ScreenPixel(container, 120, 60), ColorToRGB(clWindow));

  // Buttons: the face where no caption is drawn.
  for (TcxButton* b : buttons) {
    const TColor face = ScreenPixel(b, 6, 12);
    if (GetParam().native)
      EXPECT_EQ(face, static_cast<TColor>(provider_->FillColor(u"Button", 1, 1))) << StringToUtf8(b->Caption());
    else
      EXPECT_EQ(face, ColorToRGB(b->GetPainterClass()->GetButtonColor(cxbsNormal))) << StringToUtf8(b->Caption());
  }
  // The drop-down button shows an arrow in its right part.
  bool arrowInk = false;
  for (int x = 120 - 12; x < 120 - 3; ++x)
    for (int y = 8; y < 18; ++y) arrowInk |= ScreenPixel(buttons[2], x, y) == ColorToRGB(clBtnText);
  EXPECT_TRUE(arrowInk);
}

INSTANTIATE_TEST_SUITE_P(Looks, CxLooksFormTest,
                         ::testing::Values(Look{"standard", lfStandard, false}, Look{"flat", lfFlat, false},
                                           Look{"ultraflat", lfUltraFlat, false},
                                           Look{"visualstyles", lfStandard, true}),
                         [](const ::testing::TestParamInfo<Look>& info) { return std::string(info.param.name); });

}  // namespace
