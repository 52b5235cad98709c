#include <gtest/gtest.h>

#include "platform/forms/native/NativeCommon.h"
#include "platform/win/Windows.h"

// One table for the vertical and the horizontal requests: they share their codes.
TEST(ScrollRequestTarget, MovesByLinePageThumbAndToTheEnds) {
  struct Case {
    WORD code;
    std::optional<int> expected;
  };
  // From position 50, a line of 3, a page of 20, the thumb at 7 and the end at 90.
  const Case cases[] = {
      {SB_LINEUP, 47},    {SB_LINEDOWN, 53},     {SB_PAGEUP, 30}, {SB_PAGEDOWN, 70},
      {SB_THUMBTRACK, 7}, {SB_THUMBPOSITION, 7}, {SB_TOP, 0},     {SB_BOTTOM, 90},
      {SB_LINELEFT, 47},  {SB_PAGERIGHT, 70},    {SB_RIGHT, 90},  {SB_ENDSCROLL, std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ScrollRequestTarget(c.code, 50, 3, 20, 7, 90), c.expected) << "code " << c.code;
}
