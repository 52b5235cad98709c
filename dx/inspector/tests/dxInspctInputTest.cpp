#include <gtest/gtest.h>

#include "dx/inspector/tests/InspectorTestSupport.h"
#include "platform/forms/StdCtrls.h"

namespace {

class InputTest : public InspectorTest {
 protected:
  // Ten rows "R0".."R9" with values "v0".."v9"; R1 has a child; the inspector has the focus.
  TTestInspector* MakeRows(WORD options = kDefaultInspectorOptions) {
    auto* insp = MakeInspector(300, 110);
    insp->SetOptionFlags(options);
    insp->SetDividerPos(100);
    for (int i = 0; i < 10; ++i) {
      const std::string name = "R" + std::to_string(i), value = "v" + std::to_string(i);
      auto* node = insp->Add(name.c_str(), value.c_str());
      if (i == 1) insp->Add("R1a", "child", node);
    }
    insp->SetFocus();
    Pump();
    return insp;
  }
  static std::string FocusedCaption(TTestInspector* insp) {
    return insp->FocusedNode() ? StringToUtf8(static_cast<TTextNode*>(insp->FocusedNode())->Caption) : "";
  }
  static int RowMiddle(TTestInspector* insp, int index) {
    const RECT r = insp->GetNodeRect(insp->GetNodeByAbsoluteIndex(index));
    return (r.top + r.bottom) / 2;
  }
};

constexpr UINT kShift = 1, kCtrl = 2;  // modifier bits of SimulateKeyPress
constexpr WORD kNoEditing = kDefaultInspectorOptions & ~(1 << inoEditing);

TEST_F(InputTest, NavigationKeysMoveTheFocusAndClamp) {
  auto* insp = MakeRows(kNoEditing);
  struct Step {
    UINT key, modifiers;
    const char* focused;
  };
  const Step steps[] = {
      {VK_DOWN, 0, "R1"},  {VK_DOWN, 0, "R2"},      {VK_UP, 0, "R1"},
      {VK_NEXT, 0, "R6"},  {VK_NEXT, kCtrl, "R9"},  {VK_DOWN, 0, "R9"},
      {VK_PRIOR, 0, "R4"}, {VK_PRIOR, kCtrl, "R0"}, {VK_UP, 0, "R0"},
  };
  for (const Step& s : steps) {
    Key(s.key, s.modifiers);
    EXPECT_EQ(FocusedCaption(insp), s.focused) << s.key;
  }
}

TEST_F(InputTest, ClicksFocusTheButtonAndDoubleClickToggleExpansion) {
  auto* insp = MakeRows(kNoEditing);
  TdxInspectorNode* r1 = insp->Items(1);
  Click(insp, 50, RowMiddle(insp, 1));
  EXPECT_EQ(insp->FocusedNode(), r1);
  EXPECT_FALSE(r1->Expanded());
  DoubleClick(insp, 50, RowMiddle(insp, 1));
  EXPECT_TRUE(r1->Expanded());
  const TdxInspectorRowLayout l = insp->CalcRowLayout(r1, insp->GetNodeRect(r1));
  Click(insp, (l.Button.left + l.Button.right) / 2, RowMiddle(insp, 1));
  EXPECT_FALSE(r1->Expanded());
  // Below the last row: the last row takes the focus.
  insp->SetTopIndex(99);
  const RECT last = insp->GetNodeRect(insp->GetLastVisibleNode());
  if (last.bottom < insp->ClientHeight()) {
    Click(insp, 50, last.bottom + 1);
    EXPECT_EQ(insp->FocusedNode(), insp->GetLastVisibleNode());
  }
}

TEST_F(InputTest, KeypadKeysExpandCategoriesAndCtrlRows) {
  auto* insp = MakeRows(kNoEditing);
  auto* cat = insp->Add("Cat");
  cat->Category = true;
  auto* sub = insp->Add("Sub", "", cat);
  insp->Add("Leaf", "", sub);
  cat->SetFocused(true);
  Key(VK_MULTIPLY);
  EXPECT_TRUE(cat->Expanded());
  EXPECT_TRUE(sub->Expanded());
  Key(VK_LEFT);
  EXPECT_FALSE(cat->Expanded());
  Key(VK_RIGHT);
  EXPECT_TRUE(cat->Expanded());
  // An ordinary row needs Ctrl for the keypad.
  insp->Items(1)->SetFocused(true);
  Key(VK_ADD);
  EXPECT_FALSE(insp->Items(1)->Expanded());
  Key(VK_ADD, kCtrl);
  EXPECT_TRUE(insp->Items(1)->Expanded());
}

TEST_F(InputTest, DividerSizingFollowsTheMouseAndEscapeRestoresIt) {
  auto* insp = MakeRows(kNoEditing);
  const int y = RowMiddle(insp, 0);
  clock_->Advance(1000);
  SimulateMouseDown(TSimButton::Left, At(insp, 100, y));
  Pump();
  EXPECT_EQ(insp->State(), insDividerSizing);
  SimulateMouseMove(At(insp, 150, y));
  Pump();
  EXPECT_EQ(insp->DividerPos(), 150);  // dynamic sizing applies at once
  SimulateMouseMove(At(insp, 295, y));
  Pump();
  EXPECT_EQ(insp->DividerPos(), 270);  // kept MinColumnWidth away from the edge
  Key(VK_ESCAPE);
  EXPECT_EQ(insp->State(), insIdle);
  EXPECT_EQ(insp->DividerPos(), 100);
  SimulateMouseUp(TSimButton::Left, At(insp, 295, y));
  Pump();
  EXPECT_EQ(insp->DividerPos(), 100);
  // Without dynamic sizing the divider moves on release only.
  insp->SetOptionFlags(kNoEditing & ~(1 << inoDynamicColumnSizing));
  SimulateMouseDown(TSimButton::Left, At(insp, 100, y));
  SimulateMouseMove(At(insp, 180, y));
  Pump();
  EXPECT_EQ(insp->DividerPos(), 100);
  SimulateMouseUp(TSimButton::Left, At(insp, 180, y));
  Pump();
  EXPECT_EQ(insp->DividerPos(), 180);
}

TEST_F(InputTest, BandSizingAppliesWhileDraggingAndEscapeRestoresTheWidth) {
  auto* insp = MakeRows(kNoEditing | (1 << inoAutoBandCount));
  insp->SetBandWidth(100);
  const int y = 10;
  SimulateMouseDown(TSimButton::Left, At(insp, 98, y));
  Pump();
  ASSERT_EQ(insp->State(), insBandSizing);
  SimulateMouseMove(At(insp, 130, y));
  Pump();
  EXPECT_EQ(insp->BandWidth(), 130);
  SimulateMouseDown(TSimButton::Right, At(insp, 130, y));
  Pump();
  EXPECT_EQ(insp->State(), insIdle);
  EXPECT_EQ(insp->BandWidth(), 100);
  SimulateMouseUp(TSimButton::Right, At(insp, 130, y));
  SimulateMouseUp(TSimButton::Left, At(insp, 130, y));
  Pump();
}

TEST_F(InputTest, TabThroughLeavesTheControlAtTheEnds) {
  auto* insp = MakeRows(kNoEditing | (1 << inoTabs) | (1 << inoTabThrough));
  auto* before = new TEdit(form_);
  before->SetParent(form_);
  before->SetBounds(0, 150, 50, 20);
  before->SetTabOrder(0);
  auto* after = new TEdit(form_);
  after->SetParent(form_);
  after->SetBounds(60, 150, 50, 20);
  insp->SetTabOrder(1);
  after->SetTabOrder(2);
  insp->SetFocus();
  Pump();
  Key(VK_TAB);
  EXPECT_EQ(FocusedCaption(insp), "R1");
  insp->GetLastVisibleNode()->SetFocused(true);
  Key(VK_TAB);
  EXPECT_TRUE(after->Focused());
  insp->SetFocus();
  insp->Items(0)->SetFocused(true);
  Pump();
  Key(VK_TAB, kShift);
  EXPECT_TRUE(before->Focused());
}

TEST_F(InputTest, TheEditorFollowsTheFocusAndPostsOnlyWhatWasTyped) {
  auto* insp = MakeRows();
  Click(insp, 200, RowMiddle(insp, 0));
  ASSERT_NE(insp->InplaceEditor(), nullptr);
  EXPECT_TRUE(insp->InplaceEditor()->IsVisible());
  EXPECT_EQ(StringToUtf8(insp->InplaceEditor()->Text()), "v0");
  Key(VK_DOWN);
  EXPECT_EQ(FocusedCaption(insp), "R1");
  EXPECT_EQ(StringToUtf8(insp->InplaceEditor()->Text()), "v1");
  EXPECT_EQ(insp->Saves, 0);  // nothing typed, nothing saved
  RECT cell;
  insp->GetEditorBounds(insp->FocusedNode(), cell);
  RECT shown = insp->InplaceEditor()->BoundsRect();
  InflateRect(&shown, -2, -2);
  EXPECT_TRUE(EqualRect(&shown, &cell));
  SimulateText(u"x");
  Pump();
  Key(VK_DOWN);
  EXPECT_EQ(insp->Saves, 1);
  EXPECT_NE(StringToUtf8(static_cast<TTextNode*>(insp->Items(1))->Value), "v1");
  // Esc reloads the row's value, dropping the typing.
  SimulateText(u"zz");
  Pump();
  Key(VK_ESCAPE);
  EXPECT_EQ(StringToUtf8(insp->InplaceEditor()->Text()), "v2");
  Key(VK_DOWN);
  EXPECT_EQ(StringToUtf8(static_cast<TTextNode*>(insp->Items(2))->Value), "v2");
}

TEST_F(InputTest, UpOnTheFirstRowPostsOnlyAModifiedEditor) {
  auto* insp = MakeRows();
  Click(insp, 200, RowMiddle(insp, 0));
  Key(VK_UP);
  EXPECT_EQ(insp->Saves, 0);
  EXPECT_EQ(FocusedCaption(insp), "R0");
  SimulateText(u"q");
  Pump();
  Key(VK_UP);
  EXPECT_EQ(insp->Saves, 1);
  EXPECT_EQ(FocusedCaption(insp), "R0");
  EXPECT_EQ(insp->InplaceEditor()->Text(), static_cast<TTextNode*>(insp->Items(0))->Value);
}

TEST_F(InputTest, ACategoryRowShowsNoEditor) {
  auto* insp = MakeRows();
  auto* cat = insp->Add("Cat");
  cat->Category = true;
  Click(insp, 200, RowMiddle(insp, 0));
  ASSERT_TRUE(insp->InplaceEditor()->IsVisible());
  cat->SetFocused(true);
  insp->UpdateEditor(true, false);
  EXPECT_EQ(insp->InplaceEditor(), nullptr);
}

// The click that shows the editor on a row and a second click on the editor soon after make one
// double click of the inspector; a second click later is a single click.
TEST_F(InputTest, AQuickSecondClickOnTheNewEditorIsTheInspectorsDoubleClick) {
  auto* insp = MakeRows();
  int dblClicks = 0;
  insp->OnDblClick = [&](TObject*) { ++dblClicks; };
  for (const int row : {2, 4}) {
    Click(insp, 200, RowMiddle(insp, row));  // the editor opens on the row
    ASSERT_NE(insp->InplaceEditor(), nullptr);
    ASSERT_TRUE(insp->InplaceEditor()->IsVisible());
    EXPECT_NE(insp->InplaceEditor()->ClickTime(), 0u);
    const UINT delay = row == 2 ? GetDoubleClickTime() / 2 : GetDoubleClickTime() + 10;
    clock_->Advance(delay);
    SimulateClick(TSimButton::Left, At(insp, 200, RowMiddle(insp, row)));  // on the editor now
    Pump();
  }
  EXPECT_EQ(dblClicks, 1);
}

// Scrolling repaints the rows under the editor; the paint puts the editor back over its row.
TEST_F(InputTest, TheEditorFollowsItsRowWhenTheWheelScrolls) {
  auto* insp = MakeRows();
  const int oldEditorMiddle = RowMiddle(insp, 4);
  Click(insp, 200, oldEditorMiddle);
  ASSERT_NE(insp->InplaceEditor(), nullptr);
  SimulateWheel(-120, At(insp, 150, 30));
  Pump();
  ASSERT_GT(insp->GetTopIndex(), 0);
  EXPECT_EQ(FocusedCaption(insp), "R4");
  RECT cell;
  insp->GetEditorBounds(insp->FocusedNode(), cell);
  ASSERT_FALSE(IsRectEmpty(&cell));
  RECT shown = insp->InplaceEditor()->BoundsRect();
  InflateRect(&shown, -2, -2);
  EXPECT_TRUE(EqualRect(&shown, &cell)) << shown.top << " " << cell.top;
  EXPECT_TRUE(insp->InplaceEditor()->IsVisible());
  // Where the editor was, the row now there is painted: nothing of the editor is left behind.
  EXPECT_EQ(Pixel(insp, 280, oldEditorMiddle), ColorToRGB(insp->Color()));
  EXPECT_TRUE(KeepCheckedScreen());
}

// Removing every row while a typed value waits drops the value with its row: nothing is left to
// save into a freed node.
TEST_F(InputTest, DeletingEveryRowLeavesNoEditingNodeBehind) {
  auto* insp = MakeRows();
  Click(insp, 200, RowMiddle(insp, 0));
  SimulateText(u"x");
  Pump();
  ASSERT_EQ(insp->EditingNode(), insp->Items(0));
  insp->BeginUpdate();
  insp->DeleteAllNodes();
  EXPECT_EQ(insp->EditingNode(), nullptr);
  insp->EndUpdate();
  Pump();
  Click(insp, 200, 10);
  EXPECT_EQ(insp->Saves, 0);
  EXPECT_EQ(insp->FocusedNode(), nullptr);
}

}  // namespace
