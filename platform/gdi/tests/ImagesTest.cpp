#include <gtest/gtest.h>

#include "platform/gdi/testing/TestThemeProvider.h"
#include "platform/gdi/tests/GdiTestUtil.h"

namespace {

constexpr COLORREF kFuchsia = RGB(255, 0, 255);

// A bitmap of `count` 4 x 4 images side by side: image k is filled with colours[k], with a fuchsia
// top-left pixel.
HBITMAP Strip(std::initializer_list<COLORREF> colours) {
  const int n = static_cast<int>(colours.size());
  HBITMAP bm = CreateBitmap(4 * n, 4, 1, 32, nullptr);
  TSurface* s = BitmapSurface(bm);
  int k = 0;
  for (COLORREF c : colours) {
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) s->Row(y)[k * 4 + x] = ColorToPixel(x == 0 && y == 0 ? kFuchsia : c);
    ++k;
  }
  return bm;
}

TEST(Icons, MaskAndImage) {
  HBITMAP color = CreateBitmap(2, 2, 1, 32, nullptr);
  HBITMAP mask = CreateBitmap(2, 2, 1, 1, nullptr);
  TSurface* c = BitmapSurface(color);
  TSurface* m = BitmapSurface(mask);
  c->Row(0)[0] = ColorToPixel(kRed);
  c->Row(0)[1] = ColorToPixel(kBlack);
  c->Row(1)[0] = ColorToPixel(kBlue);
  c->Row(1)[1] = ColorToPixel(kBlack);
  m->Row(0)[1] = 0xFFFFFFFFu;  // transparent
  m->Row(1)[1] = 0xFFFFFFFFu;
  ICONINFO info;
  info.hbmColor = color;
  info.hbmMask = mask;
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(color);
  DeleteObject(mask);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(IconSize(icon), (SIZE{2, 2}));

  Canvas canvas(4, 4, kGreen);
  DrawIconEx(canvas.dc(), 0, 0, icon, 4, 4, 0, nullptr, DI_NORMAL);  // scaled twice
  EXPECT_EQ(canvas.At(0, 0), kRed);
  EXPECT_EQ(canvas.At(1, 1), kRed);
  EXPECT_EQ(canvas.At(0, 3), kBlue);
  EXPECT_EQ(canvas.At(3, 0), kGreen);
  canvas.Fill(kGreen);
  DrawIconEx(canvas.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_MASK);
  EXPECT_EQ(canvas.At(0, 0), kBlack);
  EXPECT_EQ(canvas.At(1, 0), kGreen);

  HICON small = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, 1, 1, 0));
  EXPECT_EQ(IconSize(small), (SIZE{1, 1}));
  ICONINFO back;
  ASSERT_TRUE(GetIconInfo(icon, &back));
  EXPECT_EQ(PixelToColor(BitmapSurface(back.hbmColor)->At(0, 1)), kBlue);
  DeleteObject(back.hbmColor);
  DeleteObject(back.hbmMask);
  EXPECT_TRUE(DestroyIcon(small));
  EXPECT_TRUE(DestroyIcon(icon));
  EXPECT_FALSE(DestroyIcon(icon));
  EXPECT_FALSE(DrawIcon(canvas.dc(), 0, 0, icon));
}

TEST(Icons, AlphaImagesBlend) {
  HBITMAP color = CreateBitmap(1, 1, 1, 32, nullptr);
  HBITMAP color2 = CreateBitmap(2, 1, 1, 32, nullptr);
  HBITMAP mask = CreateBitmap(2, 1, 1, 1, nullptr);
  TSurface* c = BitmapSurface(color2);
  c->Row(0)[0] = 0x80FF0000u;  // half-transparent red
  c->Row(0)[1] = 0x00000000u;  // fully transparent
  ICONINFO info;
  info.hbmColor = color2;
  info.hbmMask = mask;
  HICON icon = CreateIconIndirect(&info);
  Canvas canvas(2, 1, kBlue);
  DrawIconEx(canvas.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
  EXPECT_NEAR(GetRValue(canvas.At(0, 0)), 128, 2);
  EXPECT_NEAR(GetBValue(canvas.At(0, 0)), 127, 2);
  EXPECT_EQ(canvas.At(1, 0), kBlue);
  DestroyIcon(icon);
  for (HBITMAP b : {color, color2, mask}) DeleteObject(b);
}

TEST(ImageLists, AddDrawAndRemove) {
  HIMAGELIST list = ImageList_Create(4, 4, ILC_COLOR32 | ILC_MASK, 4, 4);
  HBITMAP strip = Strip({kRed, kGreen, kBlue});
  EXPECT_EQ(ImageList_AddMasked(list, strip, kFuchsia), 0);
  EXPECT_EQ(ImageList_GetImageCount(list), 3);
  int cx, cy;
  ImageList_GetIconSize(list, &cx, &cy);
  EXPECT_EQ(cx, 4);

  Canvas c(8, 4, kWhite);
  // No background colour: the masked pixel stays.
  ImageList_Draw(list, 1, c.dc(), 0, 0, ILD_NORMAL);
  EXPECT_EQ(c.At(0, 0), kWhite);
  EXPECT_EQ(c.At(1, 0), kGreen);
  // With one, the masked pixel takes it, unless drawn transparent.
  ImageList_SetBkColor(list, kBlack);
  ImageList_Draw(list, 2, c.dc(), 4, 0, ILD_NORMAL);
  EXPECT_EQ(c.At(4, 0), kBlack);
  ImageList_Draw(list, 0, c.dc(), 4, 0, ILD_TRANSPARENT);
  EXPECT_EQ(c.At(4, 0), kBlack);
  EXPECT_EQ(c.At(5, 0), kRed);
  // The mask alone: black where the image is, white where it is clear.
  ImageList_Draw(list, 0, c.dc(), 0, 0, ILD_MASK);
  EXPECT_EQ(c.At(0, 0), kWhite);
  EXPECT_EQ(c.At(1, 1), kBlack);
  // Part of the image.
  c.Fill(kWhite);
  ImageList_DrawEx(list, 0, c.dc(), 0, 0, 2, 1, CLR_NONE, CLR_NONE, ILD_NORMAL);
  EXPECT_EQ(c.InkBounds(), (RECT{1, 0, 2, 1}));
  // Selected: a dither of the highlight colour over the image's pixels.
  c.Fill(kWhite);
  ImageList_DrawEx(list, 0, c.dc(), 0, 0, 0, 0, CLR_NONE, kBlue, ILD_SELECTED);
  EXPECT_EQ(c.At(0, 0), kWhite);
  EXPECT_EQ(c.At(1, 1), kBlue);
  EXPECT_NE(c.At(1, 0), kRed);

  EXPECT_TRUE(ImageList_Remove(list, 1));
  EXPECT_EQ(ImageList_GetImageCount(list), 2);
  c.Fill(kWhite);
  ImageList_Draw(list, 1, c.dc(), 0, 0, ILD_TRANSPARENT);
  EXPECT_EQ(c.At(1, 1), kBlue);
  EXPECT_FALSE(ImageList_Draw(list, 2, c.dc(), 0, 0, ILD_NORMAL));
  EXPECT_TRUE(ImageList_RemoveAll(list));
  EXPECT_EQ(ImageList_GetImageCount(list), 0);
  DeleteObject(strip);
  EXPECT_TRUE(ImageList_Destroy(list));
  EXPECT_FALSE(ImageList_Destroy(list));
}

TEST(ImageLists, ExplicitMaskIconsAndOverlays) {
  HIMAGELIST list = ImageList_Create(4, 4, ILC_COLOR32 | ILC_MASK, 1, 1);
  HBITMAP image = Strip({kRed});
  const unsigned char maskBits[] = {0xF0, 0, 0x00, 0, 0x00, 0, 0x00, 0};  // top row clear
  HBITMAP mask = CreateBitmap(4, 4, 1, 1, maskBits);
  EXPECT_EQ(ImageList_Add(list, image, mask), 0);
  Canvas c(4, 4, kWhite);
  ImageList_Draw(list, 0, c.dc(), 0, 0, ILD_TRANSPARENT);
  EXPECT_EQ(c.Row(0, kWhite), "####");
  EXPECT_EQ(c.At(2, 2), kRed);

  // An icon made from the list comes back through ReplaceIcon.
  HICON icon = ImageList_GetIcon(list, 0, ILD_NORMAL);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(ImageList_AddIcon(list, icon), 1);
  c.Fill(kGreen);
  ImageList_Draw(list, 1, c.dc(), 0, 0, ILD_TRANSPARENT);
  EXPECT_EQ(c.At(0, 0), kGreen);
  EXPECT_EQ(c.At(3, 3), kRed);
  DestroyIcon(icon);

  // Image 2 (blue, top-left clear) as overlay 1.
  HBITMAP blue = Strip({kBlue});
  ImageList_AddMasked(list, blue, kFuchsia);
  ASSERT_TRUE(ImageList_SetOverlayImage(list, 2, 1));
  c.Fill(kGreen);
  ImageList_Draw(list, 0, c.dc(), 0, 0, ILD_TRANSPARENT | INDEXTOOVERLAYMASK(1));
  EXPECT_EQ(c.At(2, 2), kBlue);
  EXPECT_EQ(c.At(0, 0), kGreen);
  for (HBITMAP b : {image, mask, blue}) DeleteObject(b);
  ImageList_Destroy(list);
}

// A host over a plain surface standing in for the screen, the lock window at (10, 10).
class SurfaceDragHost : public DragImageHost {
 public:
  explicit SurfaceDragHost(TSurface* s) : screen_(s) {}
  POINT WindowOrigin(HWND) override { return {10, 10}; }
  HDC GetScreenDC() override { return CreateSurfaceDC(screen_, {0, 0}, nullptr); }
  void ReleaseScreenDC(HDC dc) override { DeleteDC(dc); }

 private:
  TSurface* screen_;
};

TEST(ImageLists, DragImageRestoresWhatItCovered) {
  TSurface screen(40, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) screen.Row(y)[x] = 0xFF000000u | static_cast<Pixel>(x * 5 + y * 1000);
  std::vector<Pixel> before(screen.Pixels(), screen.Pixels() + 40 * 40);
  SurfaceDragHost host(&screen);
  SetDragImageHost(&host);
  HIMAGELIST list = ImageList_Create(4, 4, ILC_MASK, 1, 1);
  HBITMAP strip = Strip({kRed});
  ImageList_AddMasked(list, strip, kFuchsia);

  ASSERT_TRUE(ImageList_BeginDrag(list, 0, 1, 1));
  ASSERT_TRUE(ImageList_DragEnter(nullptr, 5, 5));
  // Hotspot (1, 1): the image's top-left at 10 + 5 - 1.
  EXPECT_EQ(PixelToColor(screen.At(15, 15)), kRed);
  EXPECT_EQ(screen.At(14, 14), before[14 * 40 + 14]) << "the masked pixel shows the screen";
  ImageList_DragMove(20, 5);
  EXPECT_EQ(PixelToColor(screen.At(30, 15)), kRed);
  EXPECT_EQ(screen.At(15, 15), before[15 * 40 + 15]);
  POINT pos, hot;
  EXPECT_NE(ImageList_GetDragImage(&pos, &hot), nullptr);
  EXPECT_EQ(pos, (POINT{20, 5}));
  EXPECT_EQ(hot, (POINT{1, 1}));
  ImageList_DragShowNolock(FALSE);
  EXPECT_EQ(std::vector<Pixel>(screen.Pixels(), screen.Pixels() + 1600), before);
  ImageList_DragShowNolock(TRUE);
  EXPECT_EQ(PixelToColor(screen.At(30, 15)), kRed);
  ImageList_DragLeave(nullptr);
  EXPECT_EQ(std::vector<Pixel>(screen.Pixels(), screen.Pixels() + 1600), before);
  ImageList_EndDrag();
  EXPECT_EQ(ImageList_GetDragImage(nullptr, nullptr), nullptr);
  SetDragImageHost(nullptr);
  DeleteObject(strip);
  ImageList_Destroy(list);
}

TEST(Themes, UnavailableByDefault) {
  EXPECT_FALSE(IsThemeActive());
  EXPECT_EQ(OpenThemeData(nullptr, u"Button"), nullptr);
  SIZE s;
  EXPECT_EQ(GetThemePartSize(nullptr, nullptr, 1, 1, nullptr, TS_TRUE, &s), E_FAIL);
}

TEST(Themes, TestProviderSuppliesSizesColoursAndDrawing) {
  TestThemeProvider provider;
  provider.SetPartSize(u"Button", BP_CHECKBOX, 0, {13, 13});
  provider.SetColor(u"ComboBox", 1, 1, TMT_BORDERCOLOR, RGB(1, 2, 3));
  provider.SetColor(u"Button", BP_PUSHBUTTON, PBS_HOT, TMT_FILLCOLOR, kGreen);
  provider.SetContentMargins(u"Button", BP_PUSHBUTTON, {3, 3, 2, 2});
  int changes = 0;
  static int* counter = nullptr;
  counter = &changes;
  SetThemeChangedHandler([] { ++*counter; });
  {
    ScopedThemeProvider scope(&provider);
    EXPECT_TRUE(IsThemeActive());
    HTHEME none = OpenThemeData(nullptr, u"NoSuchClass");
    EXPECT_EQ(none, nullptr);
    HTHEME button = OpenThemeData(nullptr, u"NoSuchClass; button");
    ASSERT_NE(button, nullptr);
    SIZE s{};
    EXPECT_EQ(GetThemePartSize(button, nullptr, BP_CHECKBOX, CBS_CHECKEDHOT, nullptr, TS_TRUE, &s), S_OK);
    EXPECT_EQ(s, (SIZE{13, 13}));
    EXPECT_EQ(GetThemePartSize(button, nullptr, BP_GROUPBOX, 1, nullptr, TS_TRUE, &s), E_FAIL);
    RECT bounds{0, 0, 20, 10}, content;
    GetThemeBackgroundContentRect(button, nullptr, BP_PUSHBUTTON, PBS_NORMAL, &bounds, &content);
    EXPECT_EQ(content, (RECT{3, 2, 17, 8}));

    Canvas c(20, 10);
    EXPECT_EQ(DrawThemeBackground(button, c.dc(), BP_PUSHBUTTON, PBS_HOT, &bounds, nullptr), S_OK);
    EXPECT_EQ(c.Count(kGreen), 200);
    ASSERT_EQ(provider.Draws().size(), 1u);
    EXPECT_EQ(provider.Draws()[0].state, PBS_HOT);

    HTHEME combo = OpenThemeData(nullptr, u"ComboBox");
    COLORREF border = 0;
    EXPECT_EQ(GetThemeColor(combo, 1, 1, TMT_BORDERCOLOR, &border), S_OK);
    EXPECT_EQ(border, RGB(1, 2, 3));
    EXPECT_EQ(GetThemeColor(combo, 1, 1, 204, &border), E_FAIL);
    CloseThemeData(combo);

    // A theme change leaves old handles stale.
    SetThemeProvider(&provider);
    EXPECT_EQ(GetThemePartSize(button, nullptr, BP_CHECKBOX, 1, nullptr, TS_TRUE, &s), E_FAIL);
    EXPECT_EQ(CloseThemeData(button), S_OK);
  }
  EXPECT_EQ(changes, 3);
  SetThemeChangedHandler(nullptr);
  EXPECT_FALSE(IsThemeActive());
  EXPECT_EQ(GetUxThemeProcAddress("OpenThemeData"), reinterpret_cast<void*>(&OpenThemeData));
  EXPECT_EQ(GetUxThemeProcAddress("NoSuchFunction"), nullptr);
}

}  // namespace
