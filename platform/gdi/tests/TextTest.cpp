#include <gtest/gtest.h>

#include "platform/gdi/tests/GdiTestUtil.h"
#include "platform/rtl/String.h"

namespace {

// The fixed-metrics font inks each non-blank 8 x 16 cell from (1, 2) to (7, 13).
RECT InkOfLine(int x, int y, int cells) { return {x + 1, y + 2, x + 8 * (cells - 1) + 7, y + 13}; }

TEST(FixedFont, MetricsAndExtents) {
  Canvas c(10, 10);
  Selected font(c.dc(), TestFont());
  TEXTMETRIC tm;
  ASSERT_TRUE(GetTextMetrics(c.dc(), &tm));
  EXPECT_EQ(tm.tmHeight, 16);
  EXPECT_EQ(tm.tmAscent, 13);
  EXPECT_EQ(tm.tmDescent, 3);
  EXPECT_EQ(tm.tmAveCharWidth, 8);
  EXPECT_EQ(tm.tmMaxCharWidth, 8);
  EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);
  SIZE s;
  ASSERT_TRUE(GetTextExtentPoint32(c.dc(), u"abc", 3, &s));
  EXPECT_EQ(s, (SIZE{24, 16}));
  EXPECT_EQ(TextExtent(c.dc(), S("Привет мир")), (SIZE{80, 16}));
  int fit = 0, dx[5];
  GetTextExtentExPoint(c.dc(), u"abcde", 5, 20, &fit, dx, &s);
  EXPECT_EQ(fit, 2);
  EXPECT_EQ(dx[4], 40);
  // A surrogate pair is one character.
  EXPECT_EQ(TextExtent(c.dc(), u"a\U0001F600b").cx, 24);
  SetTextCharacterExtra(c.dc(), 2);
  EXPECT_EQ(TextExtent(c.dc(), u"abc").cx, 30);
  SetTextCharacterExtra(c.dc(), 0);
  SetTextJustification(c.dc(), 5, 2);
  EXPECT_EQ(TextExtent(c.dc(), u"a b c").cx, 45);
  SetTextJustification(c.dc(), 0, 0);
  WCHAR face[40];
  GetTextFace(c.dc(), 40, face);
  EXPECT_EQ(String(face), String(kFixedTestFontName));
  // Height follows the request: 20 pixels tall, 10 wide.
  Selected big(c.dc(), TestFont(-20));
  GetTextMetrics(c.dc(), &tm);
  EXPECT_EQ(tm.tmHeight, 20);
  EXPECT_EQ(tm.tmAveCharWidth, 10);
}

TEST(FixedFont, TextOutAlignmentAndBackground) {
  Canvas c(60, 40);
  Selected font(c.dc(), TestFont());
  SetBkMode(c.dc(), TRANSPARENT);
  TextOut(c.dc(), 10, 5, u"a b", 3);
  EXPECT_EQ(c.InkBounds(), (RECT{11, 7, 33, 18}));
  EXPECT_EQ(c.At(20, 10), kWhite);  // the blank cell

  struct Case {
    UINT align;
    int x, y;
    RECT ink;
  } cases[] = {
      {TA_LEFT | TA_TOP, 10, 5, InkOfLine(10, 5, 2)},
      {TA_RIGHT | TA_TOP, 40, 5, InkOfLine(24, 5, 2)},
      {TA_CENTER | TA_TOP, 30, 5, InkOfLine(22, 5, 2)},
      {TA_LEFT | TA_BASELINE, 10, 20, InkOfLine(10, 7, 2)},
      {TA_LEFT | TA_BOTTOM, 10, 30, InkOfLine(10, 14, 2)},
  };
  for (const Case& k : cases) {
    c.Fill(kWhite);
    SetTextAlign(c.dc(), k.align);
    TextOut(c.dc(), k.x, k.y, u"ab", 2);
    EXPECT_EQ(c.InkBounds(), k.ink) << "align " << k.align;
  }
  // The current position moves with TA_UPDATECP.
  c.Fill(kWhite);
  SetTextAlign(c.dc(), TA_UPDATECP);
  MoveToEx(c.dc(), 4, 4, nullptr);
  TextOut(c.dc(), 0, 0, u"a", 1);
  TextOut(c.dc(), 0, 0, u"b", 1);
  EXPECT_EQ(c.InkBounds(), InkOfLine(4, 4, 2));
  POINT p;
  GetCurrentPositionEx(c.dc(), &p);
  EXPECT_EQ(p, (POINT{20, 4}));
  SetTextAlign(c.dc(), TA_TOP | TA_LEFT);
  // Opaque mode fills the cells in the background colour.
  c.Fill(kWhite);
  SetBkMode(c.dc(), OPAQUE);
  SetBkColor(c.dc(), kRed);
  TextOut(c.dc(), 0, 0, u"a ", 2);
  EXPECT_EQ(c.InkBounds(), (RECT{0, 0, 16, 16}));
  EXPECT_EQ(c.At(0, 0), kRed);
  EXPECT_EQ(c.At(3, 5), kBlack);
}

TEST(FixedFont, ExtTextOutOpaqueClippedAndUnderline) {
  Canvas c(60, 30);
  Selected font(c.dc(), TestFont());
  SetBkColor(c.dc(), kRed);
  RECT r{5, 5, 20, 25};
  ExtTextOut(c.dc(), 5, 5, ETO_OPAQUE | ETO_CLIPPED, &r, u"abcd", 4, nullptr);
  EXPECT_EQ(c.InkBounds(), r);
  EXPECT_EQ(c.Count(kRed) + c.Count(kBlack), 15 * 20);
  // Given advances place the characters.
  c.Fill(kWhite);
  const int dx[] = {20, 20};
  SetBkMode(c.dc(), TRANSPARENT);
  ExtTextOut(c.dc(), 0, 0, 0, nullptr, u"ab", 2, dx);
  EXPECT_EQ(c.At(21, 5), kBlack);
  EXPECT_EQ(c.At(9, 5), kWhite);
  // Underline and strike-out fonts draw a line across the run.
  LOGFONT lf;
  SetLogFontFaceName(lf, kFixedTestFontName);
  lf.lfUnderline = 1;
  lf.lfStrikeOut = 1;
  Selected styled(c.dc(), CreateFontIndirect(&lf));
  c.Fill(kWhite);
  TextOut(c.dc(), 0, 0, u"a b", 3);
  EXPECT_EQ(c.Row(14), std::string(24, '#') + std::string(36, '.'));
  EXPECT_EQ(c.At(12, 7), kBlack);  // strike-out through the blank cell
}

struct DrawTextCase {
  const char* name;
  const char16_t* text;
  RECT rect;
  UINT format;
  int height;  // return value
  RECT ink;    // drawn pixels (empty for none)
};

class DrawTextLayout : public testing::TestWithParam<DrawTextCase> {};

TEST_P(DrawTextLayout, InkAndHeight) {
  const DrawTextCase& k = GetParam();
  Canvas c(120, 60);
  Selected font(c.dc(), TestFont());
  SetBkMode(c.dc(), TRANSPARENT);
  RECT r = k.rect;
  EXPECT_EQ(DrawText(c.dc(), k.text, -1, &r, k.format), k.height);
  EXPECT_EQ(c.InkBounds(), k.ink);
  EXPECT_EQ(r, k.rect) << "DrawText keeps the rectangle unless asked to calculate";
}

constexpr RECT kBox{0, 0, 100, 40};

INSTANTIATE_TEST_SUITE_P(
    Flags, DrawTextLayout,
    testing::Values(
        DrawTextCase{"TopLeft", u"abc", kBox, DT_LEFT | DT_TOP, 16, InkOfLine(0, 0, 3)},
        DrawTextCase{"Centred", u"abc", kBox, DT_CENTER | DT_VCENTER | DT_SINGLELINE, 28,
                     InkOfLine(38, 12, 3)},
        DrawTextCase{"BottomRight", u"abc", kBox, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, 40,
                     InkOfLine(76, 24, 3)},
        DrawTextCase{"VCenterNeedsSingleLine", u"abc", kBox, DT_VCENTER, 16, InkOfLine(0, 0, 3)},
        DrawTextCase{"TwoLines", u"ab\r\ncd", kBox, DT_LEFT, 32, RECT{1, 2, 15, 29}},
        DrawTextCase{"SingleLineJoins", u"ab\ncd", kBox, DT_SINGLELINE, 16, InkOfLine(0, 0, 4)},
        DrawTextCase{"WordBreak", u"aaa bbb ccc", RECT{0, 0, 60, 40}, DT_WORDBREAK, 32, RECT{1, 2, 55, 29}},
        DrawTextCase{"LongWordStaysWhole", u"abcdefghij", RECT{0, 0, 40, 40}, DT_WORDBREAK, 16,
                     RECT{1, 2, 39, 13}},
        DrawTextCase{"EditControlBreaksWords", u"abcdefghij", RECT{0, 0, 40, 60},
                     DT_WORDBREAK | DT_EDITCONTROL, 32, RECT{1, 2, 39, 29}},
        DrawTextCase{"EditControlHidesPartialLine", u"aaaa bbbb cccc", RECT{0, 0, 40, 40},
                     DT_WORDBREAK | DT_EDITCONTROL, 48, RECT{1, 2, 31, 29}},
        DrawTextCase{"EndEllipsis", u"abcdefghijklm", kBox, DT_SINGLELINE | DT_END_ELLIPSIS, 16,
                     InkOfLine(0, 0, 12)},
        // "aaaa..." at a word's end, where the end ellipsis would give "aaaa bb...".
        DrawTextCase{"WordEllipsis", u"aaaa bbbbbb", RECT{0, 0, 80, 40}, DT_SINGLELINE | DT_WORD_ELLIPSIS, 16,
                     InkOfLine(0, 0, 7)},
        DrawTextCase{"EndEllipsisMidWord", u"aaaa bbbbbb", RECT{0, 0, 80, 40},
                     DT_SINGLELINE | DT_END_ELLIPSIS, 16, InkOfLine(0, 0, 10)},
        DrawTextCase{"PathEllipsis", u"c:\\dir\\sub\\file.txt", kBox, DT_SINGLELINE | DT_PATH_ELLIPSIS, 16,
                     InkOfLine(0, 0, 12)},
        DrawTextCase{"Clipped", u"abcdefghijklm", RECT{0, 0, 40, 40}, DT_SINGLELINE, 16, RECT{1, 2, 39, 13}},
        DrawTextCase{"NoClip", u"abcdefghijklm", RECT{0, 0, 40, 40}, DT_SINGLELINE | DT_NOCLIP, 16,
                     InkOfLine(0, 0, 13)},
        DrawTextCase{"ExpandTabs", u"a\tb", kBox, DT_EXPANDTABS, 16, RECT{1, 2, 71, 13}},
        // "&xy" with y underlined below its cell's baseline.
        DrawTextCase{"PrefixRemoved", u"&&x&y", kBox, 0, 16, RECT{1, 2, 24, 15}},
        DrawTextCase{"NoPrefix", u"&x", kBox, DT_NOPREFIX, 16, InkOfLine(0, 0, 2)},
        DrawTextCase{"HidePrefix", u"&xy", kBox, DT_HIDEPREFIX, 16, InkOfLine(0, 0, 2)},
        DrawTextCase{"Empty", u"", kBox, 0, 0, RECT{}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DrawText, PrefixUnderlinesItsCharacter) {
  Canvas c(60, 20);
  Selected font(c.dc(), TestFont());
  RECT r{0, 0, 60, 20};
  DrawText(c.dc(), u"a&bc", -1, &r, DT_SINGLELINE);
  EXPECT_EQ(c.Row(14), "........########" + std::string(44, '.'));
  c.Fill(kWhite);
  DrawText(c.dc(), u"a&bc", -1, &r, DT_SINGLELINE | DT_PREFIXONLY);
  EXPECT_EQ(c.InkBounds(), (RECT{8, 14, 16, 15}));
}

TEST(DrawText, CalcRect) {
  Canvas c(10, 10);
  Selected font(c.dc(), TestFont());
  struct Case {
    const char16_t* text;
    RECT in;
    UINT format;
    RECT out;
    int height;
  } cases[] = {
      {u"ab\ncdef", {5, 5, 6, 6}, DT_CALCRECT, {5, 5, 37, 37}, 32},
      {u"aaa bbb ccc", {0, 0, 60, 0}, DT_CALCRECT | DT_WORDBREAK, {0, 0, 56, 32}, 32},
      {u"aaa bbb ccc", {0, 0, 0, 0}, DT_CALCRECT | DT_WORDBREAK, {0, 0, 24, 48}, 48},
      {u"&Save", {0, 0, 0, 0}, DT_CALCRECT | DT_SINGLELINE, {0, 0, 32, 16}, 16},
      {u"", {3, 3, 50, 50}, DT_CALCRECT, {3, 3, 3, 3}, 0},
  };
  for (const Case& k : cases) {
    RECT r = k.in;
    EXPECT_EQ(DrawText(c.dc(), k.text, -1, &r, k.format), k.height);
    EXPECT_EQ(r, k.out);
  }
  EXPECT_EQ(c.InkBounds(), RECT{}) << "DT_CALCRECT draws nothing";
}

TEST(DrawText, TabbedTextOut) {
  Canvas c(100, 20);
  Selected font(c.dc(), TestFont());
  const int stops[] = {40};
  const LONG ext = TabbedTextOut(c.dc(), 0, 0, u"a\tb", 3, 1, stops, 0);
  EXPECT_EQ(LOWORD(ext), 48);
  EXPECT_EQ(HIWORD(ext), 16);
  EXPECT_EQ(c.At(42, 5), kBlack);
  EXPECT_EQ(GetTabbedTextExtent(c.dc(), u"ab\tc", 4, 0, nullptr), MAKELONG(72, 16));
}

TEST(DrawText, RotatedFont) {
  Canvas c(40, 40);
  LOGFONT lf;
  SetLogFontFaceName(lf, kFixedTestFontName);
  lf.lfEscapement = -900;  // text runs downwards
  Selected font(c.dc(), CreateFontIndirect(&lf));
  SetBkMode(c.dc(), TRANSPARENT);
  TextOut(c.dc(), 30, 0, u"ab", 2);
  // Upright the run is 16 wide and 16 tall; turned clockwise it lies left of x = 30, below y = 0.
  const RECT ink = c.InkBounds();
  EXPECT_EQ(ink.right - ink.left, 11);
  EXPECT_EQ(ink.bottom - ink.top, 14);
  EXPECT_LE(ink.right, 30);
  EXPECT_GE(ink.left, 14);
}

TEST(RealFonts, FaceMappingAndCyrillic) {
  EXPECT_NE(ResolveFontFile(u"MS Sans Serif", FW_NORMAL, false).find("Liberation"), std::string::npos);
  EXPECT_NE(ResolveFontFile(u"Tahoma", FW_BOLD, false).find("Bold"), std::string::npos);
  Canvas c(120, 30);
  SelectObject(c.dc(), GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRIC tm;
  GetTextMetrics(c.dc(), &tm);
  EXPECT_GE(tm.tmHeight, 12);
  EXPECT_LE(tm.tmHeight, 15);
  const String hello = S("Привет");
  const SIZE s = TextExtent(c.dc(), hello);
  EXPECT_GT(s.cx, 25);
  EXPECT_LT(s.cx, 60);
  SetBkMode(c.dc(), TRANSPARENT);
  TextOut(c.dc(), 2, 2, hello.c_str(), static_cast<int>(hello.size()));
  const RECT ink = c.InkBounds();
  EXPECT_FALSE(IsRectEmpty(&ink)) << "Cyrillic glyphs are drawn";
  EXPECT_LE(ink.right, 2 + s.cx + 1);
  // Bold is wider than regular.
  LOGFONT lf;
  lf.lfHeight = -11;
  SetLogFontFaceName(lf, u"MS Sans Serif");
  lf.lfWeight = FW_BOLD;
  Selected bold(c.dc(), CreateFontIndirect(&lf));
  EXPECT_GT(TextExtent(c.dc(), hello).cx, s.cx);
}

TEST(RealFonts, TestSwitchMapsEveryFace) {
  Canvas c(10, 10);
  SelectObject(c.dc(), GetStockObject(DEFAULT_GUI_FONT));
  SetFixedTestFontForAllFaces(true);
  // The GUI font asks for 11 pixels: cells 11 tall and 5 wide.
  EXPECT_EQ(TextExtent(c.dc(), u"abc"), (SIZE{15, 11}));
  SetFixedTestFontForAllFaces(false);
  EXPECT_NE(TextExtent(c.dc(), u"iii").cx, TextExtent(c.dc(), u"WWW").cx);
}

}  // namespace
