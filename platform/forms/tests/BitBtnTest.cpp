// Bitmap buttons: their kinds' captions, modal results and glyphs, clicks through the message
// path, and the glyph drawn without its background colour.
#include "platform/forms/ComCtrls.h"
#include "platform/forms/tests/FormsTestSupport.h"
#include "platform/forms/tests/FormsTestUtil.h"

class BitBtnTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    form = MakeForm(100, 100, 300, 200);
    form->Show();
    Pump();
  }
  // How many pixels of the button are of a colour.
  static int Count(TBitBtn* b, COLORREF colour) {
    b->Repaint();
    HDC dc = GetDC(b->Handle());
    int n = 0;
    for (int y = 0; y < b->Height(); ++y)
      for (int x = 0; x < b->Width(); ++x) n += GetPixel(dc, x, y) == colour;
    ReleaseDC(b->Handle(), dc);
    return n;
  }
  TForm* form = nullptr;
};

TEST_F(BitBtnTest, KindsBringCaptionsResultsAndDefaults) {
  struct {
    TBitBtnKind kind;
    const char16_t* caption;
    TModalResult result;
    bool isDefault, isCancel;
  } cases[] = {
      {bkOK, u"OK", mrOk, true, false},      {bkCancel, u"Cancel", mrCancel, false, true},
      {bkYes, u"&Yes", mrYes, true, false},  {bkNo, u"&No", mrNo, false, true},
      {bkAbort, u"Abort", mrAbort, false, true}, {bkRetry, u"&Retry", mrRetry, false, false},
      {bkIgnore, u"&Ignore", mrIgnore, false, false}, {bkAll, u"&All", mrAll, false, false},
      {bkHelp, u"&Help", mrNone, false, false},
  };
  for (auto& c : cases) {
    auto* b = new TBitBtn(form);
    b->SetKind(c.kind);
    EXPECT_EQ(b->Caption(), c.caption) << c.kind;
    EXPECT_EQ(b->ModalResult(), c.result) << c.kind;
    EXPECT_EQ(b->Default(), c.isDefault) << c.kind;
    EXPECT_EQ(b->Cancel(), c.isCancel) << c.kind;
    EXPECT_EQ(b->Glyph()->Width(), 36) << c.kind;  // up and disabled images
    delete b;
  }
}

TEST_F(BitBtnTest, ClicksSetTheModalResultOrCloseTheForm) {
  auto* ok = Add<TBitBtn>(form, "OkBtn", 10, 10, 90, 30);
  ok->SetKind(bkOK);
  int clicks = 0;
  ok->OnClick = [&](TObject*) { ++clicks; };
  Click(ok, 45, 15);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form->ModalResult(), mrOk);
  form->SetModalResult(mrNone);
  auto* close = Add<TBitBtn>(form, "CloseBtn", 110, 10, 90, 30);
  close->SetKind(bkClose);
  Click(close, 45, 15);
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(form->ModalResult(), mrNone);
}

TEST_F(BitBtnTest, TheGlyphIsDrawnWithoutItsBackground) {
  auto* b = Add<TBitBtn>(form, "Yes", 10, 10, 90, 30);
  b->SetKind(bkYes);
  const COLORREF green = RGB(0, 128, 0), olive = RGB(128, 128, 0);
  EXPECT_GT(Count(b, green), 20);
  EXPECT_EQ(Count(b, olive), 0);
  // Disabled: the grey image instead of the green one.
  b->SetEnabled(false);
  EXPECT_EQ(Count(b, green), 0);
  // A glyph of one's own replaces the kind's.
  auto own = FilledBitmap(10, 10, clBlue);
  own->Canvas()->SetPixels(0, 9, clWhite);  // the bottom-left pixel names the transparent colour
  b->SetEnabled(true);
  b->SetNumGlyphs(1);
  b->SetGlyph(own.get());
  EXPECT_GT(Count(b, RGB(0, 0, 255)), 90);
}
