#include <gtest/gtest.h>

#include "dx/editors/dxTextEdit.h"
#include "dx/editors/tests/dxEditorsTestSupport.h"
#include "platform/forms/Graphic.h"

namespace {

class DxViewDataTest : public DxEditorsTest {
 protected:
  // A stand-alone-styled text editor on a form, not focused.
  TdxInplaceTextEdit* MakeEditor() {
    TForm* f = MakeForm();
    auto* edit = new TdxInplaceTextEdit(f);
    edit->SetParent(f);
    edit->SetBounds(10, 10, 100, 24);
    return edit;
  }
};

// Hovering raises the border one step; the default button style follows the (raised) border.
TEST_F(DxViewDataTest, HotTrackAndButtonStyleFollowTheBorder) {
  struct Case {
    TdxEditBorderStyle border;
    bool hovered;
    TdxEditBorderStyle drawn;
    TdxEditButtonViewStyle buttons;
  };
  const Case cases[] = {
      {xbsNone, false, xbsNone, btsSimple},    {xbsSingle, false, xbsSingle, btsHotFlat},
      {xbsFlat, false, xbsFlat, btsFlat},      {xbsThick, false, xbsThick, bts3D},
      {xbs3D, false, xbs3D, bts3D},            {xbsNone, true, xbsFlat, btsFlat},
      {xbsSingle, true, xbsThick, bts3D},      {xbsFlat, true, xbs3D, bts3D},
      {xbs3D, true, xbs3D, bts3D},
  };
  auto* edit = MakeEditor();
  edit->Style()->SetHotTrack(true);
  for (const Case& c : cases) {
    edit->Style()->SetBorderStyle(c.border);
    edit->SetSelected(c.hovered);
    auto v = edit->CreateViewData(false);
    EXPECT_EQ(v->BorderStyle, c.drawn) << int(c.border) << " hovered " << c.hovered;
    EXPECT_EQ(v->ButtonStyle, c.buttons) << int(c.border) << " hovered " << c.hovered;
  }
}

TEST_F(DxViewDataTest, ADisabledEditorPaintsWithButtonFaceWhateverItsColours) {
  auto* edit = MakeEditor();
  edit->SetColor(clYellow);
  edit->Font()->SetColor(clRed);
  edit->SetEnabled(false);
  auto v = edit->CreateViewData(false);
  EXPECT_EQ(v->BkColor, clBtnFace);
  EXPECT_EQ(v->TextColor, clBtnShadow);
  EXPECT_EQ(v->Brush, GetSysColorBrush(COLOR_BTNFACE));
}

TEST_F(DxViewDataTest, LayoutAndRegionOfACell) {
  TdxEditViewData v;
  v.Bounds = RECT{0, 0, 100, 20};
  TdxEditViewInfo info;
  const TdxInplaceEditClass cls = TdxInplaceTextEdit::StaticEditClass();

  v.BorderStyle = xbs3D;
  cls->CalcViewInfo(&v, false, info);
  EXPECT_EQ(info.Inner, (RECT{2, 2, 98, 18}));
  EXPECT_EQ(info.BorderRect, (RECT{0, 0, 100, 20}));
  EXPECT_EQ(TdxInplaceEditMetaClass::GetBorderRegion(info), nullptr);  // the whole window

  v.BorderStyle = xbsNone;
  cls->CalcViewInfo(&v, false, info);
  HRGN region = TdxInplaceEditMetaClass::GetBorderRegion(info);
  ASSERT_NE(region, nullptr);
  RECT box;
  GetRgnBox(region, &box);
  EXPECT_EQ(box, (RECT{2, 2, 98, 18}));
  DeleteObject(region);

  v.Shadow = true;
  v.BorderStyle = xbs3D;
  cls->CalcViewInfo(&v, false, info);
  EXPECT_EQ(info.ShadowSize, 2);
  EXPECT_EQ(info.BorderRect, (RECT{0, 0, 98, 18}));
  EXPECT_EQ(info.ShadowRect, (RECT{2, 2, 100, 20}));
  region = TdxInplaceEditMetaClass::GetBorderRegion(info);
  ASSERT_NE(region, nullptr);
  EXPECT_FALSE(PtInRegion(region, 99, 0));  // the corners beside the shadow are cut away
  EXPECT_TRUE(PtInRegion(region, 99, 19));
  DeleteObject(region);
}

TEST_F(DxViewDataTest, AutoSizeTakesTheMinimumHeightAndKeepsTheWidth) {
  TFont font;
  font.SetName(kFixedTestFontName);
  font.SetHeight(-16);
  TdxEditViewData v;
  v.Font = font.Handle();
  v.Bounds = RECT{5, 5, 105, 10};
  TdxEditViewInfo info;
  const TdxInplaceEditClass cls = TdxInplaceTextEdit::StaticEditClass();
  const int minHeight = cls->GetMinHeight(&v);
  cls->CalcViewInfo(&v, true, info);
  EXPECT_EQ(info.Bounds, (RECT{5, 5, 105, 5 + minHeight + 4}));
  v.Shadow = true;
  cls->CalcViewInfo(&v, true, info);
  EXPECT_EQ(info.Bounds.bottom, 5 + minHeight + 6);
}

// A single border without the top edge runs its side strips up past the top by its width.
TEST_F(DxViewDataTest, ASingleBorderOnTheBottomAndRightEdges) {
  TBitmap b;
  b.SetSize(20, 12);
  b.Canvas()->Brush()->SetColor(clWhite);
  b.Canvas()->FillRect(RECT{0, 0, 20, 12});
  TdxEditViewData v;
  v.Bounds = RECT{0, 2, 20, 12};
  v.BorderStyle = xbsSingle;
  v.BorderColor = clRed;
  v.Edges = TdxEditEdges{edgRight, edgBottom};
  TdxEditViewInfo info;
  const TdxInplaceEditClass cls = TdxInplaceTextEdit::StaticEditClass();
  cls->CalcViewInfo(&v, false, info);
  cls->DrawBorder(b.Canvas()->Handle(), info, &v);
  EXPECT_EQ(info.BorderRect, (RECT{2, 4, 19, 11}));
  EXPECT_EQ(b.Canvas()->Pixels(18, 3), clRed);   // one above the border rectangle
  EXPECT_EQ(b.Canvas()->Pixels(18, 2), clWhite);
  EXPECT_EQ(b.Canvas()->Pixels(5, 10), clRed);   // the bottom strip
  EXPECT_EQ(b.Canvas()->Pixels(2, 5), clWhite);  // no left edge
}

TEST_F(DxViewDataTest, DrawTakesTheCellOutOfTheClipRegion) {
  TBitmap b;
  b.SetSize(100, 40);
  TBrush brush;
  brush.SetColor(clWindow);
  TdxTextEditViewData v;  // the view data of the class's family, as GetViewDataClass names it
  v.Bounds = RECT{10, 10, 60, 30};
  v.BorderStyle = xbs3D;
  v.Brush = brush.Handle();
  HRGN clip = CreateRectRgn(0, 0, 100, 40);
  TdxInplaceTextEdit::StaticEditClass()->Draw(b.Canvas()->Handle(), RECT{}, clip, &v);
  EXPECT_TRUE(PtInRegion(clip, 5, 5));
  EXPECT_TRUE(PtInRegion(clip, 60, 20));
  EXPECT_FALSE(PtInRegion(clip, 10, 10));
  EXPECT_FALSE(PtInRegion(clip, 59, 29));
  DeleteObject(clip);
}

}  // namespace

namespace {

class DxTextCellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bitmap_.SetSize(200, 60);
    bitmap_.Canvas()->Brush()->SetColor(clWhite);
    bitmap_.Canvas()->FillRect(RECT{0, 0, 200, 60});
    font_.SetName(kFixedTestFontName);
    font_.SetHeight(-13);
    brush_.SetColor(clWhite);
    v_.Font = font_.Handle();
    v_.Brush = brush_.Handle();
    v_.BkColor = clWhite;
    v_.TextColor = clBlack;
  }
  // Boxes drawn along a row (each glyph is one run of ink).
  int GlyphsOnRow(int y) {
    int runs = 0;
    bool ink = false;
    for (int x = 0; x < 200; ++x) {
      const bool now = bitmap_.Canvas()->Pixels(x, y) == clBlack;
      runs += now && !ink;
      ink = now;
    }
    return runs;
  }
  TBitmap bitmap_;
  TFont font_;
  TBrush brush_;
  TdxTextEditViewData v_;
};

// Spaces show as password characters too: one per character of the value.
TEST_F(DxTextCellTest, APasswordCellShowsOnePasswordCharacterPerCharacter) {
  v_.Data = Variant(u"a  b");
  TdxInplaceTextEdit::StaticEditClass()->DrawContent(bitmap_.Canvas()->Handle(), RECT{0, 0, 200, 20}, false, &v_);
  EXPECT_EQ(GlyphsOnRow(8), 2);
  bitmap_.Canvas()->FillRect(RECT{0, 0, 200, 60});
  v_.PasswordChar = u'*';
  TdxInplaceTextEdit::StaticEditClass()->DrawContent(bitmap_.Canvas()->Handle(), RECT{0, 0, 200, 20}, false, &v_);
  EXPECT_EQ(GlyphsOnRow(8), 4);
}

TEST_F(DxTextCellTest, AMeasuringPassCountsWrappedLines) {
  v_.Data = Variant(u"aaaa bbbb cccc");
  v_.VertAlignment = dxVertMultiLine;
  v_.MeasureOnly = true;
  // Six characters of 6 pixels fit a line: three lines of 13 pixels.
  const bool drawn =
      TdxInplaceTextEdit::StaticEditClass()->DrawContent(bitmap_.Canvas()->Handle(), RECT{0, 0, 38, 20}, false, &v_);
  EXPECT_TRUE(drawn);
  EXPECT_EQ(v_.LineHeight, 13);
  EXPECT_EQ(v_.MeasuredLineCount, 3);
  EXPECT_EQ(GlyphsOnRow(5), 0);  // measuring draws nothing
}

}  // namespace
