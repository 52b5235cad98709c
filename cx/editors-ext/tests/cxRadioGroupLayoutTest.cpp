// The radio group's columns of items and the arrow keys that move between them.
#include <gtest/gtest.h>

#include "cx/editors-ext/cxRadioGroup.h"
#include "platform/win/Input.h"

namespace {

TEST(CxRadioGroupLayout, FiveItemsInTwoColumnsFillThreeRowsTopToBottom) {
  // Bounds 200 x 100 at (10, 20), extent 2 all round: column width (200 - 4 - 6) div 2 = 95,
  // height 96, row height 32.
  const std::vector<RECT> rects = cxRadioGroupItemRects({10, 20, 210, 120}, {2, 2, 2, 2}, 5, 2, true);
  ASSERT_EQ(rects.size(), 5u);
  EXPECT_EQ(rects[0], (RECT{18, 22, 113, 54}));
  EXPECT_EQ(rects[2], (RECT{18, 86, 113, 118}));
  EXPECT_EQ(rects[3], (RECT{113, 22, 208, 54}));
  EXPECT_EQ(rects[4], (RECT{113, 54, 208, 86}));
}

TEST(CxRadioGroupLayout, StandAloneRowsShareTheSpareHeight) {
  // Height 100 in 3 rows: 33 each, the spare 1 shared (0), less the 2 the caption frame takes.
  const std::vector<RECT> rects = cxRadioGroupItemRects({0, 0, 100, 100}, {0, 0, 0, 0}, 3, 1, false);
  ASSERT_EQ(rects.size(), 3u);
  EXPECT_EQ(rects[0].top, -2);
  EXPECT_EQ(rects[2].bottom, 97);
  EXPECT_TRUE(cxRadioGroupItemRects({0, 0, 100, 100}, {}, 0, 2, false).empty());
}

TEST(CxRadioGroupLayout, ColumnsAreNeverFewerThanOneNorMoreThanTheItems) {
  struct Case {
    int columns;
    int itemCount;
    int expectedColumns;
  };
  const Case cases[] = {{0, 3, 1}, {-2, 3, 1}, {3, 2, 2}, {2, 5, 2}};
  for (const Case& c : cases) {
    const std::vector<RECT> rects = cxRadioGroupItemRects({0, 0, 306, 90}, {}, c.itemCount, c.columns, true);
    int columns = 0;
    for (size_t i = 0; i < rects.size(); ++i)
      if (i == 0 || rects[i].left != rects[i - 1].left) ++columns;
    EXPECT_EQ(columns, c.expectedColumns) << c.columns << " columns, " << c.itemCount << " items";
  }
}

TEST(CxRadioGroupLayout, ArrowKeysStayInsideTheItemsAndWrapInTheColumn) {
  struct Case {
    int itemCount, columns, from;
    Word key;
    int target;
    bool wraps;
  };
  const Case cases[] = {
      // 5 items in 2 columns: 0-2 and 3-4.
      {5, 2, 2, VK_RIGHT, -1, false},
      {5, 2, 1, VK_RIGHT, 4, false},
      {5, 2, 3, VK_LEFT, 0, false},
      {5, 2, 0, VK_LEFT, -1, false},
      {5, 2, 4, VK_DOWN, 3, true},
      {5, 2, 0, VK_UP, 2, true},
      {5, 2, 3, VK_UP, 4, true},
      {5, 2, 1, VK_DOWN, 2, false},
      {5, 2, 2, VK_UP, 1, false},
      // 3 columns asked for 2 items: 2 columns of one row.
      {2, 3, 1, VK_RIGHT, -1, false},
      {2, 3, 0, VK_DOWN, 0, true},
      // No focused item, or another key: nothing.
      {5, 2, -1, VK_DOWN, -1, false},
      {5, 2, 1, VK_HOME, -1, false},
  };
  for (const Case& c : cases) {
    const TcxRadioGroupFocusMove move = cxRadioGroupFocusMove(c.from, c.key, c.itemCount, c.columns);
    EXPECT_EQ(move.Target, c.target) << c.itemCount << " items from " << c.from << " key " << c.key;
    EXPECT_EQ(move.Wraps, c.wraps) << c.itemCount << " items from " << c.from << " key " << c.key;
  }
}

}  // namespace
