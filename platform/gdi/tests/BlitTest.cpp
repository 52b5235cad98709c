#include <gtest/gtest.h>

#include <cstring>

#include "platform/gdi/tests/GdiTestUtil.h"

namespace {

COLORREF Grey(int v) { return RGB(v, v, v); }

TEST(RasterOps, TruthTable) {
  // Pattern 11110000, source 11001100, destination 10101010 in every channel: the result byte is the
  // operation's ternary code itself.
  const DWORD rops[] = {SRCCOPY,   SRCPAINT,   SRCAND,     SRCINVERT,  SRCERASE,   NOTSRCCOPY, NOTSRCERASE,
                        MERGECOPY, MERGEPAINT, PATCOPY,    PATPAINT,   PATINVERT,  DSTINVERT,  BLACKNESS,
                        WHITENESS, 0x00E20746, 0x00B8074A, 0x00A000C9, 0x001D0000, 0x00690000};
  Canvas src(1, 1, Grey(0xCC));
  for (DWORD rop : rops) {
    Canvas dst(1, 1, Grey(0xAA));
    Selected brush(dst.dc(), CreateSolidBrush(Grey(0xF0)));
    ASSERT_TRUE(BitBlt(dst.dc(), 0, 0, 1, 1, src.dc(), 0, 0, rop));
    const int code = (rop >> 16) & 0xFF;
    EXPECT_EQ(dst.At(0, 0), Grey(code)) << std::hex << rop;
  }
}

TEST(RasterOps, PatBltRefusesSourceOperations) {
  Canvas c(4, 4);
  EXPECT_FALSE(PatBlt(c.dc(), 0, 0, 4, 4, SRCCOPY));
  EXPECT_TRUE(PatBlt(c.dc(), 0, 0, 4, 4, BLACKNESS));
  EXPECT_EQ(c.Count(kBlack), 16);
  // Negative extents cover the rectangle between the corners.
  EXPECT_TRUE(PatBlt(c.dc(), 4, 4, -2, -2, WHITENESS));
  EXPECT_EQ(c.Count(kWhite), 4);
  EXPECT_EQ(c.At(2, 2), kWhite);
  EXPECT_EQ(c.At(1, 1), kBlack);
}

// A 4 x 2 source: red green blue white on top, black on the bottom row.
void PaintSource(Canvas& s) {
  const COLORREF top[] = {kRed, kGreen, kBlue, kWhite};
  for (int x = 0; x < 4; ++x) {
    SetPixel(s.dc(), x, 0, top[x]);
    SetPixel(s.dc(), x, 1, kBlack);
  }
}

TEST(Blits, BitBltCopiesAndClipsToSource) {
  Canvas src(4, 2);
  PaintSource(src);
  Canvas dst(8, 4, Grey(7));
  BitBlt(dst.dc(), 2, 1, 4, 2, src.dc(), 0, 0, SRCCOPY);
  EXPECT_EQ(dst.At(2, 1), kRed);
  EXPECT_EQ(dst.At(5, 1), kWhite);
  EXPECT_EQ(dst.At(3, 2), kBlack);
  EXPECT_EQ(dst.At(1, 1), Grey(7));
  // Source pixels outside the source bitmap leave the destination alone.
  dst.Fill(Grey(7));
  BitBlt(dst.dc(), 0, 0, 8, 4, src.dc(), 2, 0, SRCCOPY);
  EXPECT_EQ(dst.At(0, 0), kBlue);
  EXPECT_EQ(dst.At(1, 0), kWhite);
  EXPECT_EQ(dst.At(2, 0), Grey(7));
  EXPECT_EQ(dst.At(0, 2), Grey(7));
}

TEST(Blits, OverlappingCopyWithinOneSurface) {
  Canvas c(6, 1);
  for (int x = 0; x < 6; ++x) SetPixel(c.dc(), x, 0, Grey(x * 10));
  BitBlt(c.dc(), 1, 0, 5, 1, c.dc(), 0, 0, SRCCOPY);
  for (int x = 1; x < 6; ++x) EXPECT_EQ(c.At(x, 0), Grey((x - 1) * 10));
}

TEST(Blits, StretchMirrorsAndScales) {
  Canvas src(4, 2);
  PaintSource(src);
  struct Case {
    int x, y, w, h, sx, sy, sw, sh;
    const char* row0;  // R G B W per destination pixel of row `y` (or of the first covered row)
  } cases[] = {
      {0, 0, 4, 1, 0, 0, 4, 1, "RGBW...."},
      {0, 0, -4, 1, 0, 0, 4, 1, "........"},  // the rectangle lies left of x = 0
      {4, 0, -4, 1, 0, 0, 4, 1, "WBGR...."},
      {0, 0, 4, 1, 4, 0, -4, 1, "WBGR...."},
      {0, 0, 8, 1, 0, 0, 4, 1, "RRGGBBWW"},
      {0, 0, 2, 1, 0, 0, 4, 1, "RB......"},
      {8, 0, -8, 1, 0, 0, 4, 1, "WWBBGGRR"},
  };
  for (const Case& k : cases) {
    Canvas dst(8, 2, Grey(7));
    StretchBlt(dst.dc(), k.x, k.y, k.w, k.h, src.dc(), k.sx, k.sy, k.sw, k.sh, SRCCOPY);
    std::string row;
    for (int x = 0; x < 8; ++x) {
      const COLORREF c = dst.At(x, 0);
      row += c == kRed ? 'R' : c == kGreen ? 'G' : c == kBlue ? 'B' : c == kWhite ? 'W' : '.';
    }
    EXPECT_EQ(row, k.row0) << k.x << "," << k.w << " from " << k.sx << "," << k.sw;
  }
  // Vertical mirror: the black row comes first.
  Canvas dst(4, 2);
  StretchBlt(dst.dc(), 0, 2, 4, -2, src.dc(), 0, 0, 4, 2, SRCCOPY);
  EXPECT_EQ(dst.At(0, 0), kBlack);
  EXPECT_EQ(dst.At(0, 1), kRed);
}

TEST(Blits, MonochromeConversions) {
  // Monochrome to colour: 0 bits take the destination's text colour, 1 bits its background colour.
  const unsigned char bits[2] = {0x50, 0x00};  // 0101 0000 ...
  HBITMAP mono = CreateBitmap(4, 1, 1, 1, bits);
  HDC monoDc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(monoDc, mono);
  Canvas dst(4, 1);
  SetTextColor(dst.dc(), kRed);
  SetBkColor(dst.dc(), kBlue);
  BitBlt(dst.dc(), 0, 0, 4, 1, monoDc, 0, 0, SRCCOPY);
  EXPECT_EQ(dst.At(0, 0), kRed);
  EXPECT_EQ(dst.At(1, 0), kBlue);
  EXPECT_EQ(dst.At(2, 0), kRed);
  EXPECT_EQ(dst.At(3, 0), kBlue);
  // Colour to monochrome: the source's background colour becomes 1 (white), the rest 0.
  Canvas src(4, 1, kGreen);
  SetPixel(src.dc(), 2, 0, kRed);
  SetBkColor(src.dc(), kGreen);
  BitBlt(monoDc, 0, 0, 4, 1, src.dc(), 0, 0, SRCCOPY);
  TSurface* m = BitmapSurface(mono);
  EXPECT_EQ(m->At(0, 0) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(m->At(2, 0) & 0xFFFFFF, 0u);
  // A compatible bitmap of a fresh memory DC is monochrome.
  HBITMAP compat = CreateCompatibleBitmap(monoDc, 3, 3);
  BITMAP info;
  GetObject(compat, sizeof info, &info);
  EXPECT_EQ(info.bmBitsPixel, 1);
  DeleteObject(compat);
  SelectObject(monoDc, old);
  DeleteObject(mono);
  DeleteDC(monoDc);
}

TEST(Blits, TransparentGlyphThroughMaskOperations) {
  // The classic masked draw: AND the mask, then OR the image where the mask is black.
  Canvas image(3, 1, kBlack);
  SetPixel(image.dc(), 1, 0, kRed);
  Canvas mask(3, 1, kWhite);
  SetPixel(mask.dc(), 1, 0, kBlack);
  Canvas dst(3, 1, kGreen);
  BitBlt(dst.dc(), 0, 0, 3, 1, mask.dc(), 0, 0, SRCAND);
  BitBlt(dst.dc(), 0, 0, 3, 1, image.dc(), 0, 0, SRCPAINT);
  EXPECT_EQ(dst.At(0, 0), kGreen);
  EXPECT_EQ(dst.At(1, 0), kRed);
  EXPECT_EQ(dst.At(2, 0), kGreen);
}

TEST(Blits, MaskBltAndTransparentBlt) {
  Canvas src(4, 1, kRed);
  Canvas dst(4, 1, kGreen);
  const unsigned char bits[2] = {0xA0, 0x00};  // 1010
  HBITMAP mask = CreateBitmap(4, 1, 1, 1, bits);
  // Mask 1: copy the source; mask 0: keep the destination.
  ASSERT_TRUE(MaskBlt(dst.dc(), 0, 0, 4, 1, src.dc(), 0, 0, mask, 0, 0, MAKEROP4(SRCCOPY, 0x00AA0029)));
  EXPECT_EQ(dst.At(0, 0), kRed);
  EXPECT_EQ(dst.At(1, 0), kGreen);
  EXPECT_EQ(dst.At(2, 0), kRed);
  EXPECT_EQ(dst.At(3, 0), kGreen);
  DeleteObject(mask);

  Canvas pic(2, 2, kBlue);
  SetPixel(pic.dc(), 0, 0, RGB(255, 0, 255));
  Canvas out(4, 4, kWhite);
  ASSERT_TRUE(TransparentBlt(out.dc(), 0, 0, 4, 4, pic.dc(), 0, 0, 2, 2, RGB(255, 0, 255)));
  EXPECT_EQ(out.Count(kWhite), 4);
  EXPECT_EQ(out.Count(kBlue), 12);
}

TEST(Blits, AlphaBlend) {
  Canvas dst(2, 1, RGB(0, 0, 200));
  Canvas src(2, 1, RGB(200, 0, 0));
  BLENDFUNCTION half{AC_SRC_OVER, 0, 128, 0};
  ASSERT_TRUE(AlphaBlend(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 2, 1, half));
  const COLORREF c = dst.At(0, 0);
  EXPECT_NEAR(GetRValue(c), 100, 2);
  EXPECT_NEAR(GetBValue(c), 100, 2);
  // Per-pixel premultiplied alpha: a transparent pixel and an opaque one.
  Canvas over(2, 1, kWhite);
  TSurface* s = BitmapSurface(src.bitmap());
  s->Row(0)[0] = 0x00000000u;
  s->Row(0)[1] = 0xFF00FF00u;
  BLENDFUNCTION perPixel{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ASSERT_TRUE(AlphaBlend(over.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 2, 1, perPixel));
  EXPECT_EQ(over.At(0, 0), kWhite);
  EXPECT_EQ(over.At(1, 0), kGreen);
  // A source rectangle outside the source fails.
  EXPECT_FALSE(AlphaBlend(over.dc(), 0, 0, 2, 1, src.dc(), 1, 0, 2, 1, half));
}

TEST(Bitmaps, DibSectionBitsAndRowOrder) {
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = 3;
  bi.bmiHeader.biHeight = 2;  // bottom-up
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(dib, nullptr);
  HGDIOBJ old = SelectObject(dc, dib);
  SetPixel(dc, 2, 0, RGB(1, 2, 3));  // top row = last row in memory
  const auto* p = static_cast<const std::uint32_t*>(bits);
  EXPECT_EQ(p[3 + 2] & 0xFFFFFF, 0x010203u);
  EXPECT_EQ(p[2] & 0xFFFFFF, 0u);
  DIBSECTION ds;
  EXPECT_EQ(GetObject(dib, sizeof ds, &ds), static_cast<int>(sizeof ds));
  EXPECT_EQ(ds.dsBm.bmBits, bits);
  EXPECT_EQ(ds.dsBmih.biHeight, 2);

  // GetDIBits to a top-down 24-bit buffer, then SetDIBits back from a 32-bit one.
  BITMAPINFO q{};
  q.bmiHeader.biWidth = 3;
  q.bmiHeader.biHeight = -2;
  q.bmiHeader.biBitCount = 24;
  unsigned char rows[2 * 12] = {};
  EXPECT_EQ(GetDIBits(dc, dib, 0, 2, rows, &q, DIB_RGB_COLORS), 2);
  EXPECT_EQ(rows[2 * 3 + 0], 3);
  EXPECT_EQ(rows[2 * 3 + 2], 1);
  std::uint32_t in[6] = {0, 0, 0, 0x00FF0000, 0, 0};
  q.bmiHeader.biBitCount = 32;
  EXPECT_EQ(SetDIBits(dc, dib, 0, 2, in, &q, DIB_RGB_COLORS), 2);
  EXPECT_EQ(GetPixel(dc, 0, 1), kRed);
  EXPECT_EQ(GetPixel(dc, 2, 0), kBlack);
  SelectObject(dc, old);
  DeleteObject(dib);
  DeleteDC(dc);
}

TEST(Bitmaps, CreateBitmapReadsPaddedRows) {
  // 10 pixels wide: rows of 2 bytes, padded to 16 bits.
  const unsigned char bits[] = {0xFF, 0xC0, 0x00, 0x00};
  HBITMAP bm = CreateBitmap(10, 2, 1, 1, bits);
  TSurface* s = BitmapSurface(bm);
  for (int x = 0; x < 10; ++x) {
    EXPECT_EQ(s->At(x, 0) & 0xFFFFFF, 0xFFFFFFu) << x;
    EXPECT_EQ(s->At(x, 1) & 0xFFFFFF, 0u) << x;
  }
  DeleteObject(bm);
  EXPECT_EQ(CreateBitmap(4, 4, 1, 7, nullptr), nullptr);
}

}  // namespace
