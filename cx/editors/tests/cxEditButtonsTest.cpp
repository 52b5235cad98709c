#include "cx/editors/tests/cxEditButtonsFixture.h"
#include "platform/win/Metrics.h"

namespace {

TEST(CxEditButtons, ButtonsTakeTheirPlacesFromTheOutsideInAndTheClientAreaShrinks) {
  TButtonsFixture f;
  f.style.SetButtonStyle(bts3D);
  f.AddButton(bkEllipsis);
  f.AddButton(bkDown);
  f.AddButton(bkDown, true, 2);  // below the 3-D allowance of 4
  f.properties.Buttons()->Add()->Visible = false;
  f.Calculate({0, 0, 200, 24});

  const int w = GetSystemMetrics(SM_CYHSCROLL);
  ASSERT_EQ(f.viewInfo.ButtonCount(), 3);
  struct Expect {
    int index;
    RECT bounds;
  };
  // Inside the 2-pixel client extent; the last right-aligned button of the collection is outermost.
  const Expect expected[] = {
      {0, {198 - 2 * w, 2, 198 - w, 22}},
      {1, {198 - w, 2, 198, 22}},
      {2, {2, 2, 6, 22}},
  };
  for (const Expect& e : expected) {
    const TcxEditButtonViewInfo* button = f.viewInfo.Button(e.index);
    EXPECT_EQ(button->Index, e.index);
    EXPECT_TRUE(EqualRect(&button->Bounds, &e.bounds)) << e.index;
    EXPECT_TRUE(EqualRect(&button->VisibleBounds, &e.bounds)) << e.index;
  }
  EXPECT_EQ(f.viewInfo.ClientRect.left, 6);
  EXPECT_EQ(f.viewInfo.ClientRect.right, 198 - 2 * w);
  EXPECT_EQ(f.viewInfo.GetButtonIndexAt({197, 10}), 1);
  EXPECT_EQ(f.viewInfo.GetButtonIndexAt({100, 10}), -1);
}

// Hot-flat runs reach one pixel into the text area from the button next to it.
TEST(CxEditButtons, HotFlatRunsMarkTheirEndsAndOverlapTheTextArea) {
  TButtonsFixture f;
  f.style.SetButtonStyle(btsHotFlat);
  f.AddButton(bkDown, true, 10);
  f.AddButton(bkDown, true, 10);
  f.AddButton(bkDown, false, 10);
  f.AddButton(bkDown, false, 10);
  f.Calculate({0, 0, 100, 20});
  struct Expect {
    int index;
    bool leftEnd, rightEnd;
    LONG left, right;
  };
  // Left run from the outside in: button 1 at 2, button 0 at 12 (next to the text, one pixel wider);
  // right run: button 3 at 88, button 2 at 78 (next to the text, one pixel wider to the left).
  const Expect expected[] = {
      {0, false, true, 12, 23}, {1, true, false, 2, 12}, {2, true, false, 77, 88}, {3, false, true, 88, 98}};
  for (const Expect& e : expected) {
    const TcxEditButtonViewInfo* b = f.viewInfo.Button(e.index);
    EXPECT_EQ(b->LeftEnd, e.leftEnd) << e.index;
    EXPECT_EQ(b->RightEnd, e.rightEnd) << e.index;
    EXPECT_EQ(b->Bounds.left, e.left) << e.index;
    EXPECT_EQ(b->Bounds.right, e.right) << e.index;
    // With runs on both sides the visible parts keep to their own places.
    EXPECT_EQ(b->VisibleBounds.right - b->VisibleBounds.left, 10) << e.index;
  }
}

TEST(CxEditButtons, ButtonWidthFollowsKindGlyphAndStyleAllowance) {
  struct Case {
    TcxEditButtonKind kind;
    int glyphWidth;  // 0: no glyph; -1: an empty one
    int width;
    TcxEditButtonStyle style;
    int expected;
  };
  const int scroll = GetSystemMetrics(SM_CYHSCROLL);
  const Case cases[] = {
      {bkDown, 0, 0, bts3D, scroll},         {bkGlyph, -1, 0, bts3D, scroll},
      {bkGlyph, 10, 0, bts3D, 10 + 4},       {bkGlyph, 10, 0, btsUltraFlat, 10 + 2},
      {bkEllipsis, 0, 1, btsFlat, 3},        {bkEllipsis, 0, 30, btsFlat, 30},
  };
  for (const Case& c : cases) {
    TBitmap glyph;
    if (c.glyphWidth > 0) glyph.SetSize(c.glyphWidth, 8);
    TcxEditButtonViewInfo button;
    button.Kind = c.kind;
    button.Glyph = c.glyphWidth != 0 ? &glyph : nullptr;
    button.Width = c.width;
    button.Style = c.style;
    TTestCanvas canvas(4, 4);
    EXPECT_EQ(GetButtonWidth(canvas.Cx(), &button), c.expected) << c.kind << " " << c.glyphWidth << " " << c.width;
  }
}

TEST(CxEditButtons, TheDefaultButtonStyleFollowsTheDrawnBorder) {
  struct Case {
    TcxEditBorderStyle border;
    bool hot;
    TcxEditButtonStyle expected;
  };
  const Case cases[] = {
      {ebsNone, false, btsSimple},   {ebsNone, true, btsFlat},        {ebsSingle, false, btsHotFlat},
      {ebsSingle, true, bts3D},      {ebsFlat, false, btsFlat},       {ebsThick, false, bts3D},
      {ebs3D, false, bts3D},         {ebsUltraFlat, true, btsUltraFlat},
  };
  for (const Case& c : cases) {
    TButtonsFixture f;
    f.style.SetBorderStyle(c.border);
    f.AddButton(bkDown);
    f.Calculate({0, 0, 120, 24}, c.hot ? POINT{10, 10} : POINT{-1, -1});
    EXPECT_EQ(f.viewInfo.Button(0)->Style, c.expected) << c.border << " hot " << c.hot;
  }
}

TEST(CxEditButtons, HideInactiveButtonsShowOnlyWhileFocused) {
  TButtonsFixture f;
  f.style.SetButtonTransparency(ebtHideInactive);
  f.AddButton(bkEllipsis);
  f.Calculate({0, 0, 120, 24});
  EXPECT_EQ(f.viewInfo.ButtonCount(), 0);
  EXPECT_EQ(f.viewInfo.ClientRect.right, 118);
  f.Calculate({0, 0, 120, 24}, {-1, -1}, 0, {}, true);
  EXPECT_EQ(f.viewInfo.ButtonCount(), 1);
}

TEST(CxEditButtons, MouseStatesOfAButton) {
  TButtonsFixture f;
  f.style.SetButtonStyle(bts3D);
  f.AddButton(bkDown);
  const RECT bounds{0, 0, 120, 24};
  const POINT on{110, 10};
  const POINT off{50, 10};
  struct Step {
    const char* what;
    POINT p;
    int button;
    TShiftState shift;
    TcxEditButtonState expected;
  };
  const Step steps[] = {
      {"hover", on, 0, {}, ebsSelected},
      {"left press", on, 1, {ssLeft}, ebsPressed},
      {"held still", on, 0, {ssLeft}, ebsPressed},
      {"moved off while held", off, 0, {ssLeft}, ebsNormal},
      {"released elsewhere", off, 1, {}, ebsNormal},
      {"right press does not press", on, 2, {ssRight}, ebsNormal},
      {"hover again", on, 0, {}, ebsSelected},
      {"double click press", on, 1, {ssLeft, ssDouble}, ebsPressed},
      {"released over it", on, 1, {}, ebsSelected},
  };
  for (const Step& s : steps) {
    f.Calculate(bounds, s.p, s.button, s.shift);
    EXPECT_EQ(f.viewInfo.Button(0)->State, s.expected) << s.what;
    EXPECT_EQ(f.viewInfo.PressedButton, s.expected == ebsPressed ? 0 : -1) << s.what;
    EXPECT_EQ(f.viewInfo.HotButton, s.expected == ebsSelected ? 0 : -1) << s.what;
  }
  auto data = f.properties.CreateViewData(&f.style, false);
  data->Enabled = false;
  data->Calculate(f.canvas.Cx(), bounds, on, 1, {ssLeft}, &f.viewInfo, true);
  EXPECT_EQ(f.viewInfo.Button(0)->State, ebsDisabled);
}

TEST(CxEditButtons, EditSizeIsTheFixedPartPlusContentOrExactlyANarrowerLimit) {
  TButtonsFixture f;
  f.style.SetButtonStyle(bts3D);
  f.AddButton(bkDown);
  auto data = f.properties.CreateViewData(&f.style, false);
  TcxEditSizeProperties unlimited;
  const SIZE size = data->GetEditSize(f.canvas.Cx(), Null(), unlimited);
  EXPECT_EQ(size.cx, 2 + 2 + GetSystemMetrics(SM_CYHSCROLL));
  EXPECT_EQ(size.cy, 4);
  TcxEditSizeProperties narrow;
  narrow.Width = 5;
  EXPECT_EQ(data->GetEditSize(f.canvas.Cx(), Null(), narrow).cx, 5);
}

}  // namespace
