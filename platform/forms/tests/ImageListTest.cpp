#include "platform/classes/Classes.h"
#include "platform/forms/ImgList.h"
#include "platform/forms/tests/FormsTestUtil.h"
#include "platform/rtl/Exceptions.h"

namespace {

// A 16 x 16 olive image with a red 8 x 8 square in the middle.
std::unique_ptr<TBitmap> Glyph(TColor square = clRed) {
  auto b = FilledBitmap(16, 16, clOlive);
  b->Canvas()->Brush()->SetColor(square);
  b->Canvas()->FillRect(RECT{4, 4, 12, 12});
  return b;
}

TEST(ImageList, AddMaskedMakesTheColourTransparent) {
  struct Case {
    TColor mask;
    TColor corner;  // what the corner shows on white
  } cases[] = {{clOlive, clWhite}, {clDefault, clWhite}, {clNone, clOlive}, {clBlue, clOlive}};
  for (const auto& c : cases) {
    SCOPED_TRACE(StringToUtf8(ColorToString(c.mask)));
    TImageList list(nullptr);
    auto glyph = Glyph();
    EXPECT_EQ(list.AddMasked(glyph.get(), c.mask), 0);
    auto dst = FilledBitmap(20, 20);
    list.Draw(dst->Canvas(), 2, 2, 0);
    EXPECT_EQ(PixelAt(*dst, 2, 2), c.corner);
    EXPECT_EQ(PixelAt(*dst, 10, 10), clRed);
    EXPECT_EQ(PixelAt(*dst, 19, 19), clWhite);
  }
}

TEST(ImageList, AddWithAMaskBitmapAndStrips) {
  TImageList list(nullptr);
  auto strip = FilledBitmap(48, 16, clRed);
  strip->Canvas()->Brush()->SetColor(clBlue);
  strip->Canvas()->FillRect(RECT{16, 0, 32, 16});
  TBitmap mask;
  mask.SetSize(48, 16);
  mask.SetMonochrome(true);
  mask.Canvas()->Brush()->SetColor(clBlack);
  mask.Canvas()->FillRect(RECT{0, 0, 48, 16});
  mask.Canvas()->Brush()->SetColor(clWhite);
  mask.Canvas()->FillRect(RECT{0, 0, 48, 8});  // the top halves are transparent
  EXPECT_EQ(list.Add(strip.get(), &mask), 0);
  EXPECT_EQ(list.Count(), 3);

  auto dst = FilledBitmap(16, 16, clLime);
  list.Draw(dst->Canvas(), 0, 0, 1);
  EXPECT_EQ(PixelAt(*dst, 5, 2), clLime);
  EXPECT_EQ(PixelAt(*dst, 5, 12), clBlue);

  list.Delete(0);
  EXPECT_EQ(list.Count(), 2);
  list.Draw(dst->Canvas(), 0, 0, 0);
  EXPECT_EQ(PixelAt(*dst, 5, 12), clBlue) << "the blue image moved to index 0";
  auto green = FilledBitmap(16, 16, clGreen);
  list.Replace(1, green.get(), nullptr);
  list.Draw(dst->Canvas(), 0, 0, 1);
  EXPECT_EQ(PixelAt(*dst, 5, 2), clGreen);
  EXPECT_THROW(list.Delete(5), EInvalidOperation);
  EXPECT_THROW(list.Replace(-1, green.get(), nullptr), EInvalidOperation);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(ImageList, BackgroundColourFillsMaskedPixels) {
  TImageList list(nullptr);
  auto glyph = Glyph();
  list.AddMasked(glyph.get(), clOlive);
  list.SetBkColor(clBlue);
  auto dst = FilledBitmap(16, 16);
  list.Draw(dst->Canvas(), 0, 0, 0);
  EXPECT_EQ(PixelAt(*dst, 1, 1), clBlue);
  // dsTransparent ignores the background colour.
  list.Draw(dst->Canvas(), 0, 0, 0, dsTransparent, itImage);
  EXPECT_EQ(PixelAt(*dst, 1, 1), clBlue);
  auto fresh = FilledBitmap(16, 16);
  list.Draw(fresh->Canvas(), 0, 0, 0, dsTransparent, itImage);
  EXPECT_EQ(PixelAt(*fresh, 1, 1), clWhite);
}

TEST(ImageList, DrawingStylesAndImageTypes) {
  TImageList list(nullptr);
  auto glyph = Glyph();
  list.AddMasked(glyph.get(), clOlive);
  list.SetBlendColor(clBlue);

  auto normal = FilledBitmap(16, 16);
  list.Draw(normal->Canvas(), 0, 0, 0, dsNormal, itImage);
  auto selected = FilledBitmap(16, 16);
  list.Draw(selected->Canvas(), 0, 0, 0, dsSelected, itImage);
  auto focus = FilledBitmap(16, 16);
  list.Draw(focus->Canvas(), 0, 0, 0, dsFocus, itImage);
  int selectedChanged = 0, focusChanged = 0;
  for (int y = 4; y < 12; ++y)
    for (int x = 4; x < 12; ++x) {
      selectedChanged += PixelAt(*selected, x, y) != clRed;
      focusChanged += PixelAt(*focus, x, y) != clRed;
    }
  EXPECT_EQ(PixelAt(*normal, 8, 8), clRed);
  EXPECT_EQ(selectedChanged, 64) << "the selection blends every pixel";
  EXPECT_GT(focusChanged, 0);
  EXPECT_LT(focusChanged, selectedChanged) << "the focus blend is lighter";
  EXPECT_EQ(PixelAt(*selected, 1, 1), clWhite) << "masked pixels stay out of the blend";

  auto mask = FilledBitmap(16, 16, clLime);
  list.Draw(mask->Canvas(), 0, 0, 0, dsNormal, itMask);
  EXPECT_EQ(PixelAt(*mask, 8, 8), clBlack);
  EXPECT_EQ(PixelAt(*mask, 1, 1), clWhite);

  // The list's own style and type are what Draw without them uses.
  list.SetImageType(itMask);
  auto viaList = FilledBitmap(16, 16, clLime);
  list.Draw(viaList->Canvas(), 0, 0, 0);
  EXPECT_EQ(PixelAt(*viaList, 8, 8), clBlack);
}

TEST(ImageList, DisabledImagesAreEmbossed) {
  TImageList list(nullptr);
  auto glyph = Glyph();
  list.AddMasked(glyph.get(), clOlive);
  auto dst = FilledBitmap(20, 20, clWhite);
  list.Draw(dst->Canvas(), 0, 0, 0, false);
  EXPECT_EQ(PixelAt(*dst, 8, 8), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelAt(*dst, 12, 12), ColorToRGB(clBtnHighlight)) << "the highlight one pixel down and right";
  EXPECT_EQ(PixelAt(*dst, 1, 1), clWhite);
  EXPECT_EQ(PixelAt(*dst, 16, 16), clWhite);
}

TEST(ImageList, IconsAndGetBitmap) {
  TImageList list(nullptr);
  list.SetWidth(32);
  list.SetHeight(32);
  TIcon icon;
  icon.LoadFromFile(TestData("two.ico"));
  EXPECT_EQ(list.AddIcon(&icon), 0);
  TBitmap out;
  out.Canvas()->Brush()->SetColor(clYellow);
  EXPECT_TRUE(list.GetBitmap(0, &out));
  EXPECT_EQ(out.Width(), 32);
  EXPECT_EQ(PixelAt(out, 3, 3), clRed);
  EXPECT_EQ(PixelAt(out, 28, 3), clYellow);
  EXPECT_FALSE(list.GetBitmap(4, &out));

  TImageList copy(nullptr);
  copy.Assign(&list);
  EXPECT_EQ(copy.Count(), 1);
  EXPECT_EQ(copy.Width(), 32);
  EXPECT_NE(copy.Handle(), list.Handle());
}

TEST(ImageList, ResizingEmptiesAndMaskChangeKeepsImages) {
  TImageList list(nullptr);
  auto glyph = Glyph();
  list.AddMasked(glyph.get(), clOlive);
  list.SetMasked(false);
  EXPECT_EQ(list.Count(), 1);
  auto dst = FilledBitmap(16, 16);
  list.Draw(dst->Canvas(), 0, 0, 0);
  EXPECT_EQ(PixelAt(*dst, 8, 8), clRed);
  list.SetWidth(24);
  EXPECT_EQ(list.Count(), 0);
}

TEST(ImageList, ChangeLinksHearOfChanges) {
  auto list = std::make_unique<TImageList>(nullptr);
  int listChanges = 0, linkChanges = 0;
  list->OnChange = [&](TObject*) { ++listChanges; };
  TChangeLink link;
  link.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, list.get());
    ++linkChanges;
  };
  list->RegisterChanges(&link);
  EXPECT_EQ(link.Sender(), list.get());
  auto glyph = Glyph();
  list->AddMasked(glyph.get(), clOlive);
  list->SetBkColor(clBlue);
  list->SetBkColor(clBlue);
  EXPECT_EQ(listChanges, 2);
  EXPECT_EQ(linkChanges, 2);
  list->UnRegisterChanges(&link);
  list->Clear();
  EXPECT_EQ(linkChanges, 2);
  EXPECT_EQ(link.Sender(), nullptr);

  // A link freed first leaves the list; a list freed first lets its links go.
  {
    TChangeLink temporary;
    list->RegisterChanges(&temporary);
  }
  list->Clear();
  list->RegisterChanges(&link);
  list.reset();
  EXPECT_EQ(link.Sender(), nullptr);
}

// Drag images reach a screen that is a plain bitmap here.
class BitmapScreen : public DragImageHost {
 public:
  BitmapScreen() : screen_(FilledBitmap(64, 64)) {}
  POINT WindowOrigin(HWND) override { return POINT{0, 0}; }
  HDC GetScreenDC() override { return screen_->Canvas()->Handle(); }
  void ReleaseScreenDC(HDC) override {}
  TBitmap& screen() { return *screen_; }

 private:
  std::unique_ptr<TBitmap> screen_;
};

TEST(ImageList, DragImageFollowsTheMoves) {
  BitmapScreen screen;
  SetDragImageHost(&screen);
  TImageList list(nullptr);
  auto glyph = Glyph();
  list.AddMasked(glyph.get(), clOlive);
  EXPECT_TRUE(list.SetDragImage(0, 4, 4));
  EXPECT_EQ(list.GetHotSpot(), (POINT{4, 4}));
  EXPECT_FALSE(list.Dragging());
  ASSERT_TRUE(list.BeginDrag(nullptr, 10, 10));
  EXPECT_TRUE(list.Dragging());
  // The hot spot (4, 4) of the image is at the cursor: the red square starts there.
  EXPECT_EQ(PixelAt(screen.screen(), 10, 10), clRed);
  EXPECT_TRUE(list.DragMove(40, 40));
  EXPECT_EQ(PixelAt(screen.screen(), 10, 10), clWhite) << "what lay under comes back";
  EXPECT_EQ(PixelAt(screen.screen(), 41, 41), clRed);
  list.HideDragImage();
  EXPECT_EQ(PixelAt(screen.screen(), 41, 41), clWhite);
  list.ShowDragImage();
  EXPECT_EQ(PixelAt(screen.screen(), 41, 41), clRed);
  EXPECT_TRUE(list.EndDrag());
  EXPECT_FALSE(list.Dragging());
  EXPECT_EQ(PixelAt(screen.screen(), 41, 41), clWhite);
  SetDragImageHost(nullptr);
}

}  // namespace

namespace {

TEST(ImageList, FormResourcesCarryTheImages) {
  TImageList source(nullptr);
  source.SetName(u"Images");
  source.SetBkColor(clBtnFace);
  auto glyph = Glyph();
  source.AddMasked(glyph.get(), clOlive);
  auto blue = Glyph(clBlue);
  source.AddMasked(blue.get(), clOlive);
  TMemoryStream stream;
  TWriter(&stream).WriteRootComponent(&source);
  stream.SetPosition(0);
  const String text = ObjectBinaryToText(&stream);
  EXPECT_NE(text.find(u"BkColor = clBtnFace"), String::npos) << StringToUtf8(text);
  EXPECT_NE(text.find(u"Bitmap = {"), String::npos);

  stream.SetPosition(0);
  TImageList target(nullptr);
  TReader(&stream).ReadRootComponent(&target);
  ASSERT_EQ(target.Count(), 2);
  EXPECT_EQ(target.BkColor(), clBtnFace);
  target.SetBkColor(clNone);
  auto dst = FilledBitmap(32, 16, clWhite);
  target.Draw(dst->Canvas(), 0, 0, 0);
  target.Draw(dst->Canvas(), 16, 0, 1);
  EXPECT_EQ(PixelAt(*dst, 1, 1), clWhite) << "the masks came along";
  EXPECT_EQ(PixelAt(*dst, 8, 8), clRed);
  EXPECT_EQ(PixelAt(*dst, 24, 8), clBlue);
}

}  // namespace
