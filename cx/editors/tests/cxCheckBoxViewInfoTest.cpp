#include "cx/editors/cxCheckBox.h"
#include "cx/editors/cxEditUtils.h"
#include "cx/editors/tests/cxEditTestUtil.h"
#include "cx/foundation/tests/cxFoundationTestUtil.h"

namespace {

// A check box drawn without a window, as a grid cell or a stand-alone field.
struct TCheckFixture {
  TcxCheckBoxProperties properties{nullptr};
  TcxEditStyle style{nullptr, false};
  TcxCustomCheckBoxViewInfo viewInfo;
  TTestCanvas canvas{200, 40, clFuchsia};

  void Calculate(const RECT& ABounds, bool AInplace, const Variant& AValue, POINT P = {-1, -1}, int AButton = 0,
                 TShiftState AShift = {}) {
    auto data = properties.CreateViewData(&style, AInplace);
    data->Calculate(canvas.Cx(), ABounds, P, AButton, AShift, &viewInfo, false);
    data->PrepareViewInfoValue(canvas.Cx(), AValue, &viewInfo);
  }
};

TEST(CxCheckBoxViewInfo, TheCheckIsPlacedByAlignmentBesideItsCaption) {
  struct Case {
    TAlignment alignment;
    bool inplace;
    RECT bounds;
    LONG checkLeft, checkTop;
    LONG textLeft, textRight;
  };
  // Stand-alone: 2 pixels of client extent and 2 more of check frame around a 13-pixel check.
  const Case cases[] = {
      {taLeftJustify, false, {0, 0, 160, 21}, 4, 4, 4 + 13 + 3, 156},
      {taRightJustify, false, {0, 0, 160, 21}, 156 - 13, 4, 4, 156 - 13 - 3},
      {taCenter, false, {0, 0, 160, 21}, 4 + (152 - 13) / 2, 4, 4, 156},
      {taLeftJustify, true, {0, 0, 100, 20}, (100 - 13) / 2, (20 - 13) / 2, 0, 100},
  };
  for (const Case& c : cases) {
    TCheckFixture f;
    f.properties.Alignment()->SetHorz(c.alignment);
    f.Calculate(c.bounds, c.inplace, true);
    EXPECT_EQ(f.viewInfo.CheckRect.left, c.checkLeft) << c.alignment << " inplace " << c.inplace;
    EXPECT_EQ(f.viewInfo.CheckRect.top, c.checkTop) << c.alignment << " inplace " << c.inplace;
    EXPECT_EQ(f.viewInfo.CheckRect.right - f.viewInfo.CheckRect.left, 13);
    EXPECT_EQ(f.viewInfo.TextRect.left, c.textLeft) << c.alignment << " inplace " << c.inplace;
    EXPECT_EQ(f.viewInfo.TextRect.right, c.textRight) << c.alignment << " inplace " << c.inplace;
  }
  TCheckFixture narrow;
  narrow.Calculate({0, 0, 12, 21}, false, true);
  EXPECT_EQ(narrow.viewInfo.TextRect.right - narrow.viewInfo.TextRect.left, 0) << "no room for a caption";
}

TEST(CxCheckBoxViewInfo, AGridCellDrawsTheCheckOfItsValue) {
  struct Case {
    const char* what;
    Variant value;
    bool marked;
  };
  const Case cases[] = {{"true", Variant(true), true}, {"false", Variant(false), false}, {"5", Variant(5), true}};
  for (const Case& c : cases) {
    TCheckFixture f;
    f.style.SetColor(clWhite);
    f.Calculate({0, 0, 100, 20}, true, c.value);
    f.viewInfo.Paint(f.canvas.Cx());
    const RECT& r = f.viewInfo.CheckRect;
    int mark = 0;
    // Inside the check's own frame.
    for (int y = r.top + 3; y < r.bottom - 3; ++y)
      for (int x = r.left + 3; x < r.right - 3; ++x) mark += f.canvas.Pixel(x, y) != ColorToRGB(clWindow);
    EXPECT_EQ(mark > 0, c.marked) << c.what;
    EXPECT_EQ(f.canvas.Pixel(2, 2), ColorToRGB(clWhite)) << "the cell's background";
    EXPECT_EQ(f.canvas.Pixel(150, 2), ColorToRGB(clFuchsia)) << "nothing outside the cell";
  }
}

TEST(CxCheckBoxViewInfo, TheCheckStateFollowsTheMouseOverTheCheckBox) {
  TCheckFixture f;
  const RECT bounds{0, 0, 160, 21};
  struct Step {
    const char* what;
    POINT p;
    int button;
    TShiftState shift;
    TcxCheckState expected;
  };
  const Step steps[] = {
      {"outside", {170, 10}, 0, {}, ecsNormal},
      {"hover", {10, 10}, 0, {}, ecsHot},
      {"left press", {10, 10}, 1, {ssLeft}, ecsPressed},
      {"held and moved", {40, 10}, 0, {ssLeft}, ecsPressed},
      {"held outside", {170, 10}, 0, {ssLeft}, ecsNormal},
      {"back, not pressed again", {10, 10}, 0, {ssLeft}, ecsNormal},
      {"right press", {10, 10}, 2, {ssRight}, ecsNormal},
  };
  for (const Step& s : steps) {
    auto data = f.properties.CreateViewData(&f.style, false);
    data->Calculate(f.canvas.Cx(), bounds, s.p, s.button, s.shift, &f.viewInfo, true);
    EXPECT_EQ(f.viewInfo.CheckState, s.expected) << s.what;
  }
  auto data = f.properties.CreateViewData(&f.style, false);
  static_cast<TcxCustomCheckBoxViewData*>(data.get())->SpacePressed = true;
  data->Calculate(f.canvas.Cx(), bounds, {170, 10}, 0, {}, &f.viewInfo, false);
  EXPECT_EQ(f.viewInfo.CheckState, ecsPressed) << "Space held";
  data->Enabled = false;
  data->Calculate(f.canvas.Cx(), bounds, {10, 10}, 0, {}, &f.viewInfo, false);
  EXPECT_EQ(f.viewInfo.CheckState, ecsDisabled);
}

TEST(CxCheckBoxViewInfo, TheFocusRectangleSurroundsTheCaptionOrTheWholeCaptionArea) {
  for (bool full : {false, true}) {
    TCheckFixture f;
    f.style.Font()->SetName(kFixedTestFontName);
    f.style.Font()->SetHeight(-16);
    f.properties.SetCaption(u"Да");
    f.properties.SetFullFocusRect(full);
    auto data = f.properties.CreateViewData(&f.style, false);
    data->Focused = true;
    data->Calculate(f.canvas.Cx(), {0, 0, 160, 24}, {-1, -1}, 0, {}, &f.viewInfo, false);
    data->PrepareViewInfoValue(f.canvas.Cx(), true, &f.viewInfo);
    ASSERT_TRUE(f.viewInfo.HasFocusRect);
    const RECT& text = f.viewInfo.TextRect;
    const RECT& focus = f.viewInfo.FocusRect;
    EXPECT_EQ(focus.left, text.left - 1) << full;
    if (full)
      EXPECT_EQ(focus.right, text.right + 1);
    else
      EXPECT_EQ(focus.right, text.left + 2 * 8 + 1) << "two characters of 8 pixels and the 1-pixel margin";
  }
  TCheckFixture unfocused;
  unfocused.properties.SetCaption(u"Да");
  unfocused.Calculate({0, 0, 160, 24}, false, true);
  EXPECT_FALSE(unfocused.viewInfo.HasFocusRect);
}

TEST(CxCheckBoxViewInfo, AStandAloneCheckBoxMeasuresItsCheckAndCaption) {
  TCheckFixture f;
  f.style.Font()->SetName(kFixedTestFontName);
  f.style.Font()->SetHeight(-16);
  f.properties.SetCaption(u"Да");
  auto data = f.properties.CreateViewData(&f.style, false);
  TcxEditSizeProperties unlimited;
  const SIZE size = data->GetEditSize(f.canvas.Cx(), Null(), unlimited);
  f.canvas.Canvas()->Font()->Assign(f.style.Font());
  const int line = f.canvas.Cx()->TextHeight(u"Zg");
  const int textWidth = f.canvas.Cx()->TextWidth(u"Да");
  // The 2-pixel client extent on both sides, the check with its frame, the gap and the caption.
  EXPECT_EQ(size.cx, 4 + (13 + 4) + 3 + textWidth);
  EXPECT_EQ(size.cy, 4 + std::max(13 + 4, line + 4));
}

}  // namespace
