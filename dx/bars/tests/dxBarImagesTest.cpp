// Items with an ImageIndex show the image of the manager's Images; a change of the list repaints
// them, and a list freed elsewhere is let go.
#include <algorithm>

#include "dx/bars/tests/dxBarUiTestSupport.h"
#include "platform/forms/ImgList.h"

namespace {

class DxBarImagesTest : public DxBarUiTest {
 protected:
  void SetUp() override {
    DxBarUiTest::SetUp();
    images = new TImageList(form);
    TBitmap red;
    red.SetSize(16, 16);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect(RECT{0, 0, 16, 16});
    images->AddMasked(&red, clNone);
    manager->SetImages(images);
    bar = MakeFloatingBar(200, 150, {u"Cut"});
    cut = static_cast<TdxBarButton*>(bar->ItemLinks()->Items(0)->Item());
    cut->SetImageIndex(0);
    Pump();
  }
  COLORREF GlyphCentre() const {
    RECT r = ScreenRectOf(bar->ItemLinks()->Items(0));
    return ScreenPixel(r.left + manager->ButtonWidth() / 2, (r.top + r.bottom) / 2);
  }

  TImageList* images = nullptr;  // owned by the form
  TdxBar* bar = nullptr;
  TdxBarButton* cut = nullptr;
};

TEST_F(DxBarImagesTest, AnItemShowsItsImageUntilTheListLosesIt) {
  EXPECT_EQ(GlyphCentre(), RGB(255, 0, 0));
  KeepCheckedScreen("shown");
  images->Clear();
  Pump();
  EXPECT_NE(GlyphCentre(), RGB(255, 0, 0));
}

TEST_F(DxBarImagesTest, AFreedListIsLetGo) {
  delete images;
  Pump();
  EXPECT_EQ(manager->Images(), nullptr);
  EXPECT_NE(GlyphCentre(), RGB(255, 0, 0));
  // A list given again is used again.
  images = new TImageList(form);
  manager->SetImages(images);
  EXPECT_EQ(manager->Images(), images);
}

// A 16 x 16 image whose middle 8 x 8 is red on the left and blue on the right, the rest masked.
TEST_F(DxBarImagesTest, LargeIconsDoubleTheListsImagesOnToolbars) {
  TBitmap framed;
  framed.SetSize(16, 16);
  TCanvas* canvas = framed.Canvas();
  canvas->Brush()->SetColor(clFuchsia);
  canvas->FillRect(RECT{0, 0, 16, 16});
  canvas->Brush()->SetColor(clRed);
  canvas->FillRect(RECT{4, 4, 8, 12});
  canvas->Brush()->SetColor(clBlue);
  canvas->FillRect(RECT{8, 4, 12, 12});
  images->AddMasked(&framed, clFuchsia);
  cut->SetImageIndex(1);
  // The colours along the glyph cell's middle row: r red, b blue, s shadow, h highlight, . face.
  auto row = [this] {
    Pump();
    RECT r = ScreenRectOf(bar->ItemLinks()->Items(0));
    String text;
    const int y = (r.top + r.bottom) / 2;
    for (int x = r.left; x < r.left + manager->ButtonWidth(); ++x) {
      COLORREF c = ScreenPixel(x, y);
      text += c == RGB(255, 0, 0)                      ? u'r'
              : c == RGB(0, 0, 255)                    ? u'b'
              : c == GetSysColor(COLOR_BTNSHADOW)      ? u's'
              : c == GetSysColor(COLOR_BTNHIGHLIGHT)   ? u'h'
              : c == GetSysColor(COLOR_BTNFACE)        ? u'.'
                                                       : u'?';
    }
    return StringToUtf8(text);
  };
  struct TCase {
    bool large, enabled;
    const char* expected;
  };
  const TCase cases[] = {
      {false, true, ".......rrrrbbbb........"},
      {true, true, "...........rrrrrrrrbbbbbbbb............"},
      // Embossed: the highlight copy one pixel right of the shadow one, doubled with the rest.
      {false, false, ".......ssssssssh......."},
      {true, false, "...........sssssssssssssssshh.........."},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.large);
    manager->SetLargeIcons(c.large);
    cut->SetEnabled(c.enabled);
    EXPECT_EQ(row(), c.expected);
    KeepCheckedScreen(std::string(c.large ? "large" : "small") + (c.enabled ? "" : "-disabled"));
  }
  // A glyph of the item's own is doubled too.
  cut->SetEnabled(true);
  cut->SetImageIndex(-1);
  TBitmap glyph;
  glyph.SetSize(8, 8);
  glyph.Canvas()->Brush()->SetColor(clRed);
  glyph.Canvas()->FillRect(RECT{0, 0, 8, 8});
  cut->SetGlyph(&glyph);
  for (bool large : {false, true}) {
    manager->SetLargeIcons(large);
    std::string shown = row();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), 'r'), large ? 16 : 8) << shown;
  }
}

}  // namespace
