// The radio button's glyph placement, caption margins and state under the mouse.
#include <gtest/gtest.h>

#include "cx/editors-ext/cxRadioGroup.h"

namespace {

TEST(CxRadioButtonLayout, TheGlyphIsCentredVerticallyOnItsCaptionSide) {
  struct Case {
    TLeftRight alignment;
    bool native, inplace;
    RECT expected;
  };
  // A 100 x 21 control and a 13 x 13 glyph: top (21 - 13) div 2 = 4.
  const Case cases[] = {
      {taRightJustify, false, false, {1, 4, 14, 17}},
      {taRightJustify, true, false, {0, 4, 13, 17}},
      {taRightJustify, false, true, {0, 4, 13, 17}},
      {taLeftJustify, false, false, {87, 4, 100, 17}},
      {taLeftJustify, true, true, {87, 4, 100, 17}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(cxRadioGlyphRect({100, 21}, {13, 13}, c.alignment, c.native, c.inplace), c.expected)
        << c.alignment << " native " << c.native << " in place " << c.inplace;
  // A glyph taller than the control overhangs both edges alike.
  EXPECT_EQ(cxRadioGlyphRect({50, 9}, {13, 13}, taRightJustify, false, false), (RECT{1, -2, 14, 11}));
}

TEST(CxRadioButtonLayout, CaptionMarginsFollowLookWrapAndPlacement) {
  struct Case {
    TLeftRight alignment;
    bool native, wordWrap, inplace;
    RECT expected;
  };
  const Case cases[] = {
      {taLeftJustify, false, false, false, {2, -1, 1, 0}}, {taRightJustify, false, false, false, {5, -1, 0, 0}},
      {taLeftJustify, false, true, false, {2, -1, 6, 0}},  {taRightJustify, false, true, false, {5, -1, 2, 0}},
      {taLeftJustify, true, false, false, {0, -1, 1, 0}},  {taRightJustify, true, false, false, {3, -1, 0, 0}},
      {taLeftJustify, true, true, false, {0, -1, 3, 0}},   {taRightJustify, true, true, false, {3, -1, 0, 0}},
      {taLeftJustify, false, true, true, {5, 0, 0, 0}},    {taRightJustify, true, false, true, {3, 0, 0, 0}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(cxRadioTextMargins(c.alignment, c.native, c.wordWrap, c.inplace), c.expected)
        << c.alignment << " native " << c.native << " wrap " << c.wordWrap << " in place " << c.inplace;
}

TEST(CxRadioButtonLayout, MouseStatePressesOnlyWhileCapturedOverTheButton) {
  struct Case {
    TcxRadioMouseState mouse;
    TcxRadioButtonState expected;
  };
  const Case cases[] = {
      {{.Enabled = false, .Captured = true, .Inside = true}, rbsDisabled},
      {{.Designing = true, .Inside = true}, rbsNormal},
      {{.Captured = true, .AnyKeyOrButtonDown = true, .Inside = true}, rbsPressed},
      {{.Captured = true, .AnyKeyOrButtonDown = true, .Inside = false}, rbsHot},
      {{.Inside = true}, rbsHot},
      {{.Inside = false}, rbsNormal},
      // Dragging in with a button held elsewhere neither presses nor lights the button.
      {{.AnyKeyOrButtonDown = true, .Inside = true}, rbsNormal},
  };
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(cxRadioButtonStateFor(cases[i].mouse), cases[i].expected) << "case " << i;
}

}  // namespace
