// Word-wrapped button captions and the list box's horizontal scroll width, kept across a new window.
#include "platform/forms/tests/FixedFontFormTest.h"

class StdCtrlsMembersTest : public FixedFontFormTest {
 protected:
  // Rows of a control's client area holding caption ink.
  static int InkRows(TWinControl* c) {
    c->Repaint();
    HDC dc = GetDC(c->Handle());
    int rows = 0;
    for (int y = 0; y < c->ClientHeight(); ++y) {
      bool ink = false;
      for (int x = 4; x < c->ClientWidth() - 4 && !ink; ++x) ink = GetPixel(dc, x, y) == ColorToColorRef(clBtnText);
      rows += ink;
    }
    ReleaseDC(c->Handle(), dc);
    return rows;
  }
};

TEST_F(StdCtrlsMembersTest, WordWrapBreaksButtonCaptions) {
  auto* b = Add<TButton>(form, "Wide", 10, 10, 90, 60);
  b->SetCaption(u"one two three");  // 13 characters: 104 pixels, wider than the button
  const int single = InkRows(b);
  b->SetWordWrap(true);
  EXPECT_TRUE(GetWindowLong(b->Handle(), GWL_STYLE) & BS_MULTILINE);
  EXPECT_GT(InkRows(b), single + 8);  // a second line of 16-pixel glyphs
  auto* check = Add<TCheckBox>(form, "Check", 10, 100, 90, 40);
  check->SetWordWrap(true);
  check->SetChecked(true);
  EXPECT_TRUE(GetWindowLong(check->Handle(), GWL_STYLE) & BS_MULTILINE);
  EXPECT_TRUE(check->Checked());
}

TEST_F(StdCtrlsMembersTest, ScrollWidthSetsTheHorizontalExtentAndSurvivesANewWindow) {
  auto* l = Add<TListBox>(form, "List", 10, 10, 100, 80);
  l->Items()->Add(u"a line longer than the list box is wide");
  l->SetScrollWidth(320);
  EXPECT_EQ(SendMessage(l->Handle(), LB_GETHORIZONTALEXTENT, 0, 0), 320);
  l->SetSorted(true);  // a new window
  EXPECT_EQ(SendMessage(l->Handle(), LB_GETHORIZONTALEXTENT, 0, 0), 320);
  l->SetScrollWidth(-5);
  EXPECT_EQ(l->ScrollWidth(), 0);
}
