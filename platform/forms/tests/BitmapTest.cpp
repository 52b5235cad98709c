#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/forms/tests/FormsTestUtil.h"
#include "platform/rtl/Exceptions.h"

namespace {

// The colours of the 5 x 3 test images (tests/data/rgb*.bmp), row 0 at the top.
const TColor kPalette[] = {clRed, clLime, clBlue, clYellow, clAqua, clFuchsia};
TColor Expected(int x, int y) { return kPalette[(x + 2 * y) % 6]; }

TEST(Bitmap, ReadsEveryBitDepth) {
  struct Case {
    const char* file;
    TPixelFormat format;
    bool twoColours;
  } cases[] = {{"rgb1.bmp", pf1bit, true},    {"rgb4.bmp", pf4bit, false},   {"rgb8.bmp", pf8bit, false},
               {"rgb16.bmp", pf16bit, false}, {"rgb24.bmp", pf24bit, false}, {"rgb32.bmp", pf32bit, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    TBitmap b;
    b.LoadFromFile(TestData(c.file));
    ASSERT_EQ(b.Width(), 5);
    ASSERT_EQ(b.Height(), 3);
    // A two-colour image that is not black and white stays a colour bitmap.
    EXPECT_EQ(b.PixelFormat(), c.format);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) {
        const TColor want = c.twoColours ? kPalette[(x + 2 * y) % 2] : Expected(x, y);
        EXPECT_EQ(PixelAt(b, x, y), want) << x << "," << y;
      }
  }
}

TEST(Bitmap, ThirtyTwoBitsKeepTheirAlpha) {
  TBitmap b;
  b.LoadFromFile(TestData("rgb32.bmp"));
  EXPECT_EQ(b.ScanLine(0)[0] >> 24, 0x80u);
}

TEST(Bitmap, BlackAndWhiteFilesAreMonochrome) {
  TBitmap b;
  b.LoadFromFile(TestData("mono.bmp"));
  EXPECT_TRUE(b.Monochrome());
  EXPECT_EQ(PixelAt(b, 0, 0), clBlack);
  EXPECT_EQ(PixelAt(b, 1, 0), clWhite);
  TMemoryStream s;
  b.SaveToStream(&s);
  const auto bytes = StreamBytes(s);
  EXPECT_EQ(bytes[28], 1) << "written with one bit per pixel";
  s.SetPosition(0);
  TBitmap again;
  again.LoadFromStream(&s);
  EXPECT_TRUE(again.Monochrome());
  EXPECT_EQ(PixelAt(again, 2, 1), PixelAt(b, 2, 1));
}

TEST(Bitmap, SavesTwentyFourOrThirtyTwoBitsAndReadsThemBack) {
  struct Case {
    TPixelFormat format;
    int bits;
  } cases[] = {{pfDevice, 24}, {pf24bit, 24}, {pf8bit, 24}, {pf32bit, 32}};
  TBitmap source;
  source.LoadFromFile(TestData("rgb32.bmp"));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bits);
    TBitmap b;
    b.Assign(&source);
    b.SetPixelFormat(c.format);
    TMemoryStream s;
    b.SaveToStream(&s);
    const auto bytes = StreamBytes(s);
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[28], c.bits);
    std::uint32_t fileSize;
    std::memcpy(&fileSize, bytes.data() + 2, 4);
    EXPECT_EQ(fileSize, bytes.size());
    // Something after the bitmap is left for the next reader.
    const Byte trailer = 0x5A;
    s.WriteBuffer(&trailer, 1);
    s.SetPosition(0);
    TBitmap back;
    back.LoadFromStream(&s);
    EXPECT_EQ(s.Position(), static_cast<Int64>(bytes.size()));
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) EXPECT_EQ(PixelAt(back, x, y), Expected(x, y));
    if (c.bits == 32) {
      EXPECT_EQ(back.ScanLine(1)[1] >> 24, 0x80u);
    }
  }
}

TEST(Bitmap, DamagedFilesAreRefused) {
  TMemoryStream good;
  good.LoadFromFile(TestData("rgb24.bmp"));
  const auto bytes = StreamBytes(good);
  auto patched = [&](size_t at, std::vector<Byte> with) {
    auto b = bytes;
    std::copy(with.begin(), with.end(), b.begin() + static_cast<std::ptrdiff_t>(at));
    return b;
  };
  std::vector<std::vector<Byte>> bad = {
      {bytes.begin(), bytes.begin() + 40},  // cut inside the header
      {bytes.begin(), bytes.end() - 8},     // cut inside the pixels
      patched(0, {'X', 'M'}),
      patched(18, {0xFF, 0xFF, 0xFF, 0x7F}),  // absurd width
      patched(28, {7, 0}),                    // no such bit depth
      patched(30, {1, 0, 0, 0}),              // run-length compressed
      // 26 bytes whose header claims 8 bytes: neither the core nor an info header
      {'B', 'M', 26, 0, 0, 0, 0, 0, 0, 0, 26, 0, 0, 0, 8, 0, 0, 0, 1, 0, 1, 0, 1, 0, 1, 0},
  };
  for (size_t i = 0; i < bad.size(); ++i) {
    SCOPED_TRACE(i);
    TMemoryStream s;
    s.WriteBuffer(bad[i].data(), static_cast<Int64>(bad[i].size()));
    s.SetPosition(0);
    TBitmap b;
    EXPECT_THROW(b.LoadFromStream(&s), EInvalidGraphic);
  }
}

TEST(Bitmap, ResizingKeepsTheOverlapAndFillsWithTheBrush) {
  TBitmap fresh;
  fresh.SetSize(2, 2);
  EXPECT_EQ(PixelAt(fresh, 1, 1), clWhite);

  auto b = FilledBitmap(4, 4, clRed);
  b->Canvas()->Brush()->SetColor(clLime);
  int changes = 0;
  b->OnChange = [&](TObject*) { ++changes; };
  b->SetSize(6, 3);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(PixelAt(*b, 3, 2), clRed);
  EXPECT_EQ(PixelAt(*b, 5, 0), clLime);
  b->SetWidth(0);
  EXPECT_TRUE(b->Empty());
  EXPECT_EQ(b->Handle(), nullptr);
  b->SetSize(2, 2);
  EXPECT_EQ(PixelAt(*b, 1, 1), clLime);
  // The canvas keeps working on the new image.
  b->Canvas()->SetPixels(1, 1, clBlue);
  EXPECT_EQ(PixelAt(*b, 1, 1), clBlue);
}

TEST(Bitmap, MonochromeConversionMapsByBrightness) {
  auto b = FilledBitmap(4, 1, clWhite);
  b->Canvas()->SetPixels(0, 0, clBlack);
  b->Canvas()->SetPixels(1, 0, clNavy);
  b->Canvas()->SetPixels(2, 0, clYellow);
  b->SetMonochrome(true);
  EXPECT_EQ(b->PixelFormat(), pf1bit);
  EXPECT_EQ(PixelAt(*b, 0, 0), clBlack);
  EXPECT_EQ(PixelAt(*b, 3, 0), clWhite);
  for (int x = 0; x < 4; ++x) {
    const TColor c = PixelAt(*b, x, 0);
    EXPECT_TRUE(c == clBlack || c == clWhite);
  }
  b->SetMonochrome(false);
  EXPECT_EQ(PixelAt(*b, 3, 0), clWhite);
}

TEST(Bitmap, TransparentColourAndDrawing) {
  auto b = FilledBitmap(3, 3, clOlive);
  b->Canvas()->SetPixels(1, 1, clRed);
  EXPECT_EQ(b->TransparentMode(), tmAuto);
  EXPECT_EQ(b->TransparentColor(), clOlive) << "the bottom-left pixel";
  b->SetTransparent(true);
  auto dst = FilledBitmap(5, 5, clWhite);
  dst->Canvas()->Draw(1, 1, b.get());
  EXPECT_EQ(PixelAt(*dst, 1, 1), clWhite);
  EXPECT_EQ(PixelAt(*dst, 2, 2), clRed);

  b->SetTransparentColor(clRed);
  EXPECT_EQ(b->TransparentMode(), tmFixed);
  dst->Canvas()->Draw(1, 1, b.get());
  EXPECT_EQ(PixelAt(*dst, 1, 1), clOlive);
  EXPECT_EQ(PixelAt(*dst, 2, 2), clRed) << "the red pixel of the first drawing stays";
  b->SetTransparentMode(tmAuto);
  EXPECT_EQ(b->TransparentColor(), clOlive);

  TBitmap mono;
  mono.SetSize(2, 2);
  mono.SetMonochrome(true);
  EXPECT_EQ(mono.TransparentColor(), clWhite);

  // The mask is white where the transparent colour is.
  const TSurface* mask = BitmapSurface(b->MaskHandle());
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(mask->At(0, 0) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(mask->At(1, 1) & 0xFFFFFF, 0u);
}

TEST(Bitmap, AssignCopiesTheImage) {
  auto a = FilledBitmap(3, 2, clRed);
  a->SetTransparentColor(clBlue);
  TBitmap b;
  b.Assign(a.get());
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.TransparentColor(), clBlue);
  b.Canvas()->SetPixels(0, 0, clLime);
  EXPECT_EQ(PixelAt(*a, 0, 0), clRed) << "the copy has its own pixels";
  b.Assign(nullptr);
  EXPECT_TRUE(b.Empty());

  TIcon icon;
  icon.LoadFromFile(TestData("mono.ico"));
  b.Assign(&icon);
  EXPECT_EQ(b.Width(), 16);
  EXPECT_EQ(PixelAt(b, 0, 0), clWhite) << "transparent parts on white";
  EXPECT_EQ(PixelAt(b, 8, 8), clWhite);
}

TEST(Bitmap, ScanLineAndHandleAccess) {
  auto b = FilledBitmap(4, 3);
  b->ScanLine(2)[3] = 0xFF0000FFu;
  EXPECT_EQ(b->Canvas()->Pixels(3, 2), clBlue);
  EXPECT_THROW(b->ScanLine(3), EInvalidGraphic);

  const HBITMAP h = b->ReleaseHandle();
  EXPECT_NE(h, b->Handle());
  EXPECT_EQ(PixelAt(*b, 3, 2), clBlue) << "the bitmap keeps its image";
  TBitmap other;
  other.SetHandle(h);
  EXPECT_EQ(other.Width(), 4);
  EXPECT_EQ(PixelAt(other, 3, 2), clBlue);
}

TEST(Bitmap, LoadsResourcesByName) {
  const String saved = ResourceFolder();
  SetResourceFolder(Utf8ToString(TRENVIK_TEST_DATA_DIR));
  TBitmap b;
  b.LoadFromResourceName(nullptr, u"TestGlyph");
  EXPECT_EQ(b.Width(), 4);
  EXPECT_EQ(PixelAt(b, 1, 1), clBlue);
  EXPECT_EQ(b.TransparentColor(), clWhite);
  try {
    b.LoadFromResourceName(nullptr, u"NOSUCHBITMAP");
    FAIL();
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), u"Resource NOSUCHBITMAP not found");
  }
  // The drawing layer's LoadBitmap finds the same resources.
  HBITMAP h = LoadBitmap(reinterpret_cast<HINSTANCE>(1), u"TESTGLYPH");
  ASSERT_NE(h, nullptr);
  TBitmap viaHandle;
  viaHandle.SetHandle(h);
  EXPECT_EQ(PixelAt(viaHandle, 1, 1), clBlue);
  EXPECT_EQ(LoadBitmap(reinterpret_cast<HINSTANCE>(1), u"NOSUCHBITMAP"), nullptr);
  SetResourceFolder(saved);
}

TEST(Bitmap, ClipboardDataIsADib) {
  TBitmap b;
  b.LoadFromFile(TestData("rgb24.bmp"));
  Word format = 0;
  std::vector<Byte> data;
  b.SaveToClipboardFormat(format, data);
  EXPECT_EQ(format, CF_BITMAP);
  TBitmap back;
  back.LoadFromClipboardFormat(CF_DIB, data);
  EXPECT_EQ(PixelAt(back, 4, 2), Expected(4, 2));
  EXPECT_THROW(back.LoadFromClipboardFormat(CF_TEXT, data), EInvalidGraphic);
}

}  // namespace

namespace {

TEST(Bitmap, DamagedBitmapsAndIconsAreRefusedOrReadWithinTheirData) {
  std::uint32_t seed = 777;
  auto next = [&] { return seed = seed * 1103515245u + 12345u; };
  for (const char* name :
       {"rgb1.bmp", "rgb4.bmp", "rgb8.bmp", "rgb16.bmp", "rgb32.bmp", "two.ico", "mono.ico"}) {
    SCOPED_TRACE(name);
    TMemoryStream file;
    file.LoadFromFile(TestData(name));
    const auto original = StreamBytes(file);
    for (int round = 0; round < 300; ++round) {
      auto bytes = original;
      for (int k = 0; k < 3; ++k)
        bytes[next() % std::min<size_t>(bytes.size(), 80)] = static_cast<Byte>(next() >> 8);
      TMemoryStream s;
      s.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
      s.SetPosition(0);
      TPicture p;
      try {
        p.LoadFromStream(&s);
      } catch (const EInvalidGraphic&) {
        continue;
      }
      EXPECT_LE(s.Position(), s.Size());
      if (auto* b = dynamic_cast<TBitmap*>(p.Graphic())) {
        EXPECT_GT(b->Width(), 0);
        EXPECT_NE(b->ScanLine(b->Height() - 1), nullptr);
      }
    }
  }
}

// Made before any graphics handle is counted, so the exit handlers free it after the counting's own
// statics: a glyph cache or checker brush of a library is held this way.
std::unique_ptr<TBitmap> g_bitmapFreedAtExit;
bool g_exitingMidTest = false;

}  // namespace

// A process that exits in the middle of a test leaves the test's objects behind; that is not the
// leak the sanitizer looks for.
extern "C" int __lsan_is_turned_off() { return g_exitingMidTest ? 1 : 0; }

namespace {

TEST(BitmapDeathTest, ABitmapHeldByAStaticIsFreedAtExit) {
  TBitmap warmUp;
  warmUp.SetSize(2, 2);
  warmUp.Canvas()->TextOut(0, 0, u"x");
  EXPECT_EXIT(
      {
        g_bitmapFreedAtExit = std::make_unique<TBitmap>();
        g_bitmapFreedAtExit->SetSize(8, 8);
        g_bitmapFreedAtExit->Canvas()->TextOut(0, 0, u"x");
        g_exitingMidTest = true;
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
