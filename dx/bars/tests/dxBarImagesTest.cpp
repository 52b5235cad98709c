// Items with an ImageIndex show the image of the manager's Images; a change of the list repaints
// them, and a list freed elsewhere is let go.
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

}  // namespace
