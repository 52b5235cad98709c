// An expanded short menu shades the entries it had hidden: a lighter background, and outside the
// flat look blocks sunk between a shadow line above and a highlight line below.
#include "dx/bars/dxBarServices.h"
#include "dx/bars/tests/dxBarShortMenuFixture.h"
#include "platform/gdi/Objects.h"

namespace {

class DxBarRarelyUsedTest : public DxBarShortMenuTest {
 protected:
  void OpenExpanded() {
    Open();
    ASSERT_NE(Window(), nullptr);
    Key(VK_DOWN, 2);
    ASSERT_EQ(Shown(), 4u);
  }
  RECT EntryOnScreen(int Index) const {
    RECT r = menu->ItemLinks()->Items(Index)->ItemRect();
    MapWindowPoints(Window()->Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  bool RarelyUsed(int Index) const { return menu->ItemLinks()->Items(Index)->Control()->RarelyUsed(); }
  // The background right of the caption, where nothing is written.
  COLORREF Background(int Index) const {
    RECT r = EntryOnScreen(Index);
    return ScreenPixel(r.right - 3, (r.top + r.bottom) / 2);
  }
};

TEST_F(DxBarRarelyUsedTest, OnlyAnExpandedMenuShowsEntriesAsRarelyUsed) {
  Open();
  ASSERT_NE(Window(), nullptr);
  for (int i : {0, 2}) EXPECT_FALSE(RarelyUsed(i));
  Key(VK_DOWN, 2);
  const bool expected[] = {false, true, false, true};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(RarelyUsed(i), expected[i]) << i;
}

TEST_F(DxBarRarelyUsedTest, StandardLookSinksTheRarelyUsedBlocks) {
  OpenExpanded();
  const COLORREF face = GetSysColor(COLOR_BTNFACE), light = TdxBarSubMenuControl::RarelyUsedColor();
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  EXPECT_EQ(light, RGB(std::min(GetRValue(face) + 20, 255), std::min(GetGValue(face) + 20, 255),
                       std::min(GetBValue(face) + 20, 255)));
  struct TRow {
    int index;
    COLORREF background;
    COLORREF lineAbove;  // 0: no block starts there
  };
  const TRow rows[] = {
      {0, face, 0},
      {1, light, shadow},
      {2, face, highlight},
      {3, light, shadow},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.index);
    RECT r = EntryOnScreen(row.index);
    EXPECT_EQ(Background(row.index), row.background);
    // The background reaches into the ring inside the frame.
    EXPECT_EQ(ScreenPixel(r.left - 1, r.top), row.background);
    EXPECT_EQ(ScreenPixel(r.right, r.bottom - 1), row.background);
    if (row.lineAbove) {
      EXPECT_EQ(ScreenPixel(r.left - 1, r.top - 1), row.lineAbove);
      EXPECT_EQ(ScreenPixel(r.right, r.top - 1), row.lineAbove);
    }
  }
  // Each block start takes a pixel; the last entry, rarely used, reaches the frame below it.
  for (int i = 1; i < 4; ++i) EXPECT_EQ(EntryOnScreen(i).top, EntryOnScreen(i - 1).bottom + 1) << i;
  RECT window = WindowRect(), last = EntryOnScreen(3);
  for (int y = last.bottom; y < window.bottom - 1; ++y) EXPECT_EQ(ScreenPixel(last.left, y), light) << y;
  KeepCheckedScreen();
}

TEST_F(DxBarRarelyUsedTest, FlatLookShadesOnlyTheBackgroundBesideTheGlyphColumn) {
  manager->SetStyle(bmsFlat);
  OpenExpanded();
  const COLORREF window = GetSysColor(COLOR_WINDOW), light = TdxBarSubMenuControl::RarelyUsedColor();
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Background(i), i % 2 ? light : window);
    RECT r = EntryOnScreen(i);
    // The glyph column keeps the face colour of the flat look.
    const COLORREF face = CalcFlatColors(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNSHADOW),
                                         GetSysColor(COLOR_HIGHLIGHT), window)
                              .Background;
    EXPECT_EQ(ScreenPixel(r.left + 2, (r.top + r.bottom) / 2), face);
    if (i > 0) {
      EXPECT_EQ(r.top, EntryOnScreen(i - 1).bottom);
    }
  }
  KeepCheckedScreen();
}

}  // namespace

namespace {

// On a screen of 256 colours the light background is an entry of the menu's own palette, and the
// entries show it all the same.
TEST_F(DxBarRarelyUsedTest, AFewColourScreenGivesTheLightBrushAPaletteEntry) {
  struct TScreenDepth {
    ~TScreenDepth() { RefreshDeviceConsts(); }
  } restore;
  const COLORREF light = TdxBarSubMenuControl::RarelyUsedColor();
  for (int bits : {32, 8}) {
    SCOPED_TRACE(bits);
    dxbars_internal::SetScreenBitsPerPixelForTesting(bits);
    OpenExpanded();
    LOGBRUSH brush{};
    ASSERT_EQ(GetObject(Window()->RarelyUsedBrush(), sizeof(brush), &brush), static_cast<int>(sizeof(brush)));
    if (bits == 8) {
      ASSERT_NE(Window()->RarelyUsedPalette(), nullptr);
      EXPECT_EQ(brush.lbColor, PALETTEINDEX(0));
      PALETTEENTRY entry{};
      ASSERT_EQ(GetPaletteEntries(Window()->RarelyUsedPalette(), 0, 1, &entry), 1u);
      EXPECT_EQ(RGB(entry.peRed, entry.peGreen, entry.peBlue), light);
    } else {
      EXPECT_EQ(Window()->RarelyUsedPalette(), nullptr);
      EXPECT_EQ(brush.lbColor, light);
    }
    EXPECT_EQ(Background(1), light);
    EXPECT_EQ(Background(3), light);
    EXPECT_EQ(Background(0), GetSysColor(COLOR_BTNFACE));
    Key(VK_ESCAPE);
  }
}

}  // namespace
