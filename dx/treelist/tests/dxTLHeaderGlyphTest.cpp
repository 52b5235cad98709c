// A column's header glyph: drawn at the left of its header with the glyph's transparent colour left
// out, gone once cleared, and copied by Assign only when the source has one.
#include <gtest/gtest.h>

#include "dx/treelist/tests/dxTreeListTestSupport.h"
#include "platform/display/testing/CheckedScreens.h"

namespace {

class DxTLHeaderGlyphTest : public DxTreeListTest {
 protected:
  static int CountColour(TCustomdxTreeList* tl, const RECT& r, COLORREF colour) {
    HDC dc = GetDC(tl->Handle());
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += GetPixel(dc, x, y) == colour;
    ReleaseDC(tl->Handle(), dc);
    return n;
  }
  // 8 x 8 red with a magenta bottom row, whose bottom-left pixel makes magenta the transparent colour.
  static std::unique_ptr<TBitmap> Glyph() {
    auto glyph = std::make_unique<TBitmap>();
    glyph->SetWidth(8);
    glyph->SetHeight(8);
    TCanvas* c = glyph->Canvas();
    c->Brush()->SetColor(clRed);
    c->FillRect(RECT{0, 0, 8, 7});
    c->Brush()->SetColor(clFuchsia);
    c->FillRect(RECT{0, 7, 8, 8});
    return glyph;
  }
};

TEST_F(DxTLHeaderGlyphTest, TheGlyphIsDrawnAtTheHeadersLeftUntilCleared) {
  TTestTreeList* tl = MakeTreeList(300, 120);
  TdxTreeListColumn* name = tl->CreateColumn(TdxTreeListColumn::StaticClass());
  name->SetCaption(u"Name");
  name->SetWidth(150);
  AddText(tl, nullptr, "Petrov");
  RECT rows{};
  tl->GetRowsRect(rows);
  const RECT header{0, 0, 150, rows.top}, left{0, 0, 20, rows.top};
  auto glyph = Glyph();
  name->SetHeaderGlyph(glyph.get());
  ASSERT_TRUE(tl->HasColumnHeaderGlyph(0));
  tl->Repaint();
  KeepCheckedWindow(tl->Handle());
  EXPECT_EQ(CountColour(tl, left, ColorToColorRef(clRed)), 56);
  EXPECT_EQ(CountColour(tl, header, ColorToColorRef(clFuchsia)), 0) << "the transparent colour is left out";

  // Another column copies the glyph; a column without one copies none.
  TdxTreeListColumn* copy = tl->CreateColumn(TdxTreeListColumn::StaticClass());
  copy->Assign(name);
  EXPECT_TRUE(copy->HasHeaderGlyph());
  TdxTreeListColumn* plain = tl->CreateColumn(TdxTreeListColumn::StaticClass());
  copy->Assign(plain);
  EXPECT_TRUE(copy->HasHeaderGlyph());
  EXPECT_FALSE(plain->HasHeaderGlyph());

  name->SetHeaderGlyph(nullptr);
  EXPECT_FALSE(tl->HasColumnHeaderGlyph(0));
  tl->Repaint();
  EXPECT_EQ(CountColour(tl, header, ColorToColorRef(clRed)), 0);
}

}  // namespace
