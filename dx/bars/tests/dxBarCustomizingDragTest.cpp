// Links dragged in customizing mode: moved, copied with Ctrl, removed off every bar, separators
// toggled by a small sideways drag, and where a drop into a separator gap lands.
#include "dx/bars/dxBarCustomizingDrag.h"
#include "dx/bars/dxBarCustomizingForm.h"
#include "dx/bars/tests/dxBarUiTestSupport.h"

namespace {

class DxBarCustomizingDragTest : public DxBarUiTest {
 protected:
  void SetUp() override {
    DxBarUiTest::SetUp();
    tools = MakeFloatingBar(20, 20, {u"Aa", u"Bb", u"Cc", u"Dd"});
    tools->ItemLinks()->Items(2)->SetBeginGroup(true);
    other = MakeFloatingBar(20, 600, {u"Xx", u"Yy"});
    other->SetCaption(u"Other");
    manager->SetCustomizing(true);
    Pump();
  }
  void TearDown() override {
    manager->SetCustomizing(false);
    Pump();
    DxBarUiTest::TearDown();
  }

  TdxBarItemLink* Link(TdxBar* Bar, int Index) { return Bar->ItemLinks()->Items(Index); }
  std::vector<String> Captions(TdxBar* Bar) {
    std::vector<String> captions;
    for (int i = 0; i < Bar->ItemLinks()->Count(); ++i) {
      TdxBarItemLink* link = Bar->ItemLinks()->Items(i);
      captions.push_back((link->BeginGroup() ? u"|" : u"") + link->Item()->Caption());
    }
    return captions;
  }
  // Presses at From, moves by steps to To and releases there, Ctrl held when asked.
  void Drag(POINT From, POINT To, bool Ctrl = false) {
    clock->Advance(1000);
    if (Ctrl) SimulateKeyDown(VK_CONTROL);
    SimulateMouseDown(TSimButton::Left, From);
    SimulateMouseMove(POINT{(From.x + To.x) / 2, (From.y + To.y) / 2 + (From.y == To.y ? 0 : 1)});
    SimulateMouseMove(To);
    SimulateMouseUp(TSimButton::Left, To);
    if (Ctrl) SimulateKeyUp(VK_CONTROL);
    Pump();
  }

  TdxBar* tools = nullptr;
  TdxBar* other = nullptr;
};

TEST_F(DxBarCustomizingDragTest, InsertChangesLayoutOnlyWhereTheDropMovesSomething) {
  // Shown: Aa Bb |Cc Dd; the dragged link is Bb unless a case says otherwise.
  auto control = [&](int Index) { return Link(tools, Index)->Control(); };
  TdxBarItemLink* bb = Link(tools, 1);
  struct TCase {
    const char* name;
    TdxBarDropTarget target;
    const TdxBarItemLink* dragged;
    bool copy;
    bool expected;
  };
  const TCase cases[] = {
      {"no target", {}, bb, false, false},
      {"a command from the list", {control(0), false, false, false}, nullptr, false, true},
      {"a copy onto itself", {control(1), false, false, false}, bb, true, true},
      {"onto itself", {control(1), false, false, true}, bb, false, false},
      {"into its own separator's first half", {control(1), false, true, true}, bb, false, true},
      {"right half of the link before", {control(0), false, false, false}, bb, false, false},
      {"left half of the link before", {control(0), false, false, true}, bb, false, true},
      {"left half of the next, which begins a group", {control(2), false, false, true}, bb, false, true},
      {"first half of the separator before the next", {control(2), false, true, true}, bb, false, false},
      {"the last link dragged onto the first", {control(0), false, false, false}, Link(tools, 3), false, true},
      {"the last link onto the right half of the one before", {control(2), false, false, false}, Link(tools, 3), false,
       false},
      {"right half of the next", {control(2), false, false, false}, bb, false, true},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(InsertChangesLayout(c.target, c.dragged, c.copy), c.expected) << c.name;
  // The next link without a group start: its first half keeps the order.
  EXPECT_FALSE(InsertChangesLayout({control(1), false, false, true}, Link(tools, 0), false));
}

TEST_F(DxBarCustomizingDragTest, ALinkDraggedOffEveryBarIsRemovedAndWithCtrlStays) {
  POINT outside = form->ClientToScreen(POINT{300, 300});
  Drag(CentreOf(ScreenRectOf(Link(tools, 0))), outside, true);
  EXPECT_EQ(Captions(tools), (std::vector<String>{u"Aa", u"Bb", u"|Cc", u"Dd"}));
  Drag(CentreOf(ScreenRectOf(Link(tools, 0))), outside);
  EXPECT_EQ(Captions(tools), (std::vector<String>{u"Bb", u"|Cc", u"Dd"}));
  EXPECT_FALSE(manager->Dragging());
  EXPECT_EQ(manager->DraggedLink(), nullptr);
}

TEST_F(DxBarCustomizingDragTest, ALinkDroppedOnAnotherBarMovesAndWithCtrlIsCopied) {
  RECT xx = ScreenRectOf(Link(other, 0));
  Drag(CentreOf(ScreenRectOf(Link(tools, 0))), POINT{xx.right - 2, (xx.top + xx.bottom) / 2});
  EXPECT_EQ(Captions(tools), (std::vector<String>{u"Bb", u"|Cc", u"Dd"}));
  EXPECT_EQ(Captions(other), (std::vector<String>{u"Xx", u"Aa", u"Yy"}));
  EXPECT_EQ(manager->SelectedItem(), Link(other, 1)->Control());
  // The dropped link is framed as the picked one, two pixels deep in the window-text colour.
  RECT dropped = ScreenRectOf(Link(other, 1));
  const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
  EXPECT_EQ(ScreenPixel(dropped.left, (dropped.top + dropped.bottom) / 2), text);
  EXPECT_EQ(ScreenPixel(dropped.left + 1, (dropped.top + dropped.bottom) / 2), text);
  RECT unpicked = ScreenRectOf(Link(other, 0));
  EXPECT_NE(ScreenPixel(unpicked.left, (unpicked.top + unpicked.bottom) / 2), text);
  KeepCheckedScreen("dropped");

  xx = ScreenRectOf(Link(other, 0));
  Drag(CentreOf(ScreenRectOf(Link(tools, 2))), POINT{xx.left + 2, (xx.top + xx.bottom) / 2}, true);
  EXPECT_EQ(Captions(tools), (std::vector<String>{u"Bb", u"|Cc", u"Dd"}));
  EXPECT_EQ(Captions(other), (std::vector<String>{u"Dd", u"Xx", u"Aa", u"Yy"}));
}

TEST_F(DxBarCustomizingDragTest, ASmallSidewaysDragTogglesTheSeparatorBeforeTheLink) {
  struct TCase {
    int link;
    int dx;
    std::vector<String> expected;
  };
  const TCase cases[] = {
      {1, 3, {u"Aa", u"Bb", u"|Cc", u"Dd"}},    // 3 pixels change nothing
      {1, 4, {u"Aa", u"|Bb", u"|Cc", u"Dd"}},   // 4 to the right: a group starts
      {1, -3, {u"Aa", u"|Bb", u"|Cc", u"Dd"}},
      {1, -4, {u"Aa", u"Bb", u"|Cc", u"Dd"}},   // 4 to the left: no more
      {3, 0, {u"Aa", u"Bb", u"|Cc", u"Dd"}},    // pressed and released in place
  };
  for (const TCase& c : cases) {
    POINT press = CentreOf(ScreenRectOf(Link(tools, c.link)));
    Drag(press, POINT{press.x + c.dx, press.y});
    EXPECT_EQ(Captions(tools), c.expected) << c.link << " moved by " << c.dx;
  }
}

TEST_F(DxBarCustomizingDragTest, TheHalvesOfASeparatorGapEndTheGroupBeforeOrStartTheNext) {
  // The floating bar wraps before Cc: its separator is the gap above it.
  RECT cc = ScreenRectOf(Link(tools, 2));
  ASSERT_GT(cc.top, ScreenRectOf(Link(tools, 1)).top);
  // The gap's upper half: after Bb, in the first group.
  Drag(CentreOf(ScreenRectOf(Link(other, 0))), POINT{(cc.left + cc.right) / 2, cc.top - 5}, true);
  EXPECT_EQ(Captions(tools), (std::vector<String>{u"Aa", u"Bb", u"Xx", u"|Cc", u"Dd"}));
  // Its lower half: the new link starts the group, Cc no longer does.
  cc = ScreenRectOf(Link(tools, 3));
  Drag(CentreOf(ScreenRectOf(Link(other, 1))), POINT{(cc.left + cc.right) / 2, cc.top - 2}, true);
  EXPECT_EQ(Captions(tools), (std::vector<String>{u"Aa", u"Bb", u"Xx", u"|Yy", u"Cc", u"Dd"}));
}

TEST_F(DxBarCustomizingDragTest, ACommandFromTheFormFillsAnEmptyBarButNotABarsEmptyArea) {
  TdxBar* empty = MakeFloatingBar(700, 20, {});
  empty->SetCaption(u"Empty");
  Pump();
  TdxBarCustomizingForm* customizing = GetCustomizingForm();
  ASSERT_NE(customizing, nullptr);
  customizing->PageControl->SetActivePage(customizing->TabSheet2);
  Pump();
  ASSERT_GT(customizing->LCommands->Count(), 0);
  RECT entry = customizing->LCommands->ItemRect(0);
  POINT press = customizing->LCommands->ClientToScreen(CentreOf(entry));
  String command = customizing->LCommands->Commands(0)->Caption();

  POINT inEmpty = empty->Control()->ClientToScreen(POINT{4, 4});
  Drag(press, inEmpty);
  ASSERT_EQ(empty->ItemLinks()->Count(), 1);
  EXPECT_EQ(empty->ItemLinks()->Items(0)->Item()->Caption(), command);

  // Beside the links of a wider bar nothing is under the cursor: refused.
  RECT client = other->Control()->ClientRect();
  other->Control()->SetBounds(other->Control()->Left(), other->Control()->Top(), other->Control()->Width() + 60,
                              other->Control()->Height());
  Pump();
  POINT beside = other->Control()->ClientToScreen(POINT{client.right + 30, 4});
  Drag(press, beside);
  EXPECT_EQ(Captions(other), (std::vector<String>{u"Xx", u"Yy"}));
}

}  // namespace
