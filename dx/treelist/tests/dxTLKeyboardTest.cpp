// The keyboard through the real message path: incremental search, row and tree navigation, paging,
// the new-item row, Shift selection, Tab stops, and Esc during a sizing drag.
#include "dx/treelist/tests/dxTreeListTestSupport.h"
#include "platform/forms/Clipboard.h"
#include "platform/win/Input.h"

namespace {

constexpr UINT kShift = 1, kCtrl = 2;

class DxTLKeyboardTest : public DxTreeListTest {
 public:
  // A focused tree list with one wide column; Texts become root nodes.
  TTestTreeList* Focused(std::initializer_list<const char*> Texts, DWORD OptionsEx = 0) {
    auto* tl = MakeTreeList();
    tl->CreateColumn(TdxTreeListColumn::StaticClass())->SetWidth(300);
    for (const char* t : Texts) AddText(tl, nullptr, t);
    tl->SetOptionFlagsEx(tl->OptionFlagsEx() | OptionsEx);
    tl->SetFocus();
    tl->SetFocusedNode(tl->GetFirstNode(), 0, true);
    Pump();
    return tl;
  }
  static void Key(UINT Vk, UINT Modifiers = 0) {
    SimulateKeyPress(Vk, Modifiers);
    Pump();
  }
  static void Type(const char16_t* Text) {
    SimulateText(Text);
    Pump();
  }
};

TEST_F(DxTLKeyboardTest, IncrementalSearchTypesStepsAndWraps) {
  auto* tl = Focused({"Abc", "Abd", "Bcd"}, dxtlox::AutoSearch);
  tl->SetFocusedNode(tl->GetItem(2), 0, true);
  struct Step {
    const char16_t* typed;  // or nullptr for a key
    UINT key, modifiers;
    const char* focused;
    const char16_t* text;
  };
  const Step steps[] = {
      {u"a", 0, 0, "Abc", u"a"},                     // wraps from Bcd to the first match
      {u"b", 0, 0, "Abc", u"ab"},                    // still matches: stays
      {nullptr, VK_RETURN, kCtrl, "Abd", u"ab"},     // next match
      {nullptr, VK_RETURN, kCtrl, "Abc", u"ab"},     // wraps forward
      {nullptr, VK_RETURN, kShift, "Abd", u"ab"},    // previous match, wrapping backward
      {u"x", 0, 0, "Abd", u"ab"},                    // a character that matches nothing is dropped
      {nullptr, VK_BACK, 0, "Abd", u"a"},
      {nullptr, VK_DELETE, 0, "Abd", u""},
  };
  for (const Step& s : steps) {
    if (s.typed)
      Type(s.typed);
    else
      Key(s.key, s.modifiers);
    SCOPED_TRACE(s.focused);
    EXPECT_TRUE(tl->IsSearching());
    EXPECT_EQ(Text(tl->FocusedNode()), s.focused);
    EXPECT_EQ(tl->SearchText(), s.text);
  }
  Key(VK_ESCAPE);
  EXPECT_FALSE(tl->IsSearching());
}

TEST_F(DxTLKeyboardTest, ASearchThatFindsNothingKeepsTheFocusAndAMoveEndsIt) {
  auto* tl = Focused({"Abc", "Bcd"}, dxtlox::AutoSearch);
  Type(u"z");
  EXPECT_TRUE(tl->IsSearching());
  EXPECT_EQ(tl->SearchText(), u"");
  EXPECT_EQ(Text(tl->FocusedNode()), "Abc");
  Type(u"b");
  EXPECT_EQ(Text(tl->FocusedNode()), "Bcd");
  Key(VK_UP);  // a focus change that is not a search step
  EXPECT_FALSE(tl->IsSearching());
  EXPECT_EQ(Text(tl->FocusedNode()), "Abc");
}

TEST_F(DxTLKeyboardTest, WithoutAutoSearchTypingDoesNotSearch) {
  auto* tl = Focused({"Abc", "Bcd"});
  Type(u"b");
  EXPECT_FALSE(tl->IsSearching());
  EXPECT_EQ(Text(tl->FocusedNode()), "Abc");
}

TEST_F(DxTLKeyboardTest, SearchInCollapsedBranchesFollowsAutoExpandOnSearch) {
  for (bool expandOnSearch : {true, false}) {
    SCOPED_TRACE(expandOnSearch);
    auto* tl = Focused({"Root", "Other"}, dxtlox::AutoSearch);
    TdxTreeListNode* hidden = AddText(tl, tl->GetItem(0), "Zed");
    tl->SetAutoExpandOnSearch(expandOnSearch);
    Type(u"z");
    if (expandOnSearch) {
      EXPECT_EQ(tl->FocusedNode(), hidden);
      EXPECT_TRUE(tl->GetItem(0)->Expanded());
    } else {
      EXPECT_EQ(Text(tl->FocusedNode()), "Root");
      EXPECT_FALSE(tl->GetItem(0)->Expanded());
    }
  }
}

TEST_F(DxTLKeyboardTest, LeftAndRightWalkTheTreeInRowMode) {
  auto* tl = Focused({"A", "B"});
  tl->StoresSelection = true;
  tl->SetOptionFlags(tl->OptionFlags() | dxtlo::RowSelect | dxtlo::MultiSelect);
  TdxTreeListNode* a = tl->GetItem(0);
  TdxTreeListNode* child = AddText(tl, a, "A1");
  AddText(tl, a, "A2");
  tl->SetFocusedNode(a, 0, true);
  Key(VK_RIGHT);  // expands
  EXPECT_TRUE(a->Expanded());
  EXPECT_EQ(tl->FocusedNode(), a);
  Key(VK_RIGHT);  // to the first child, which becomes the selection
  EXPECT_EQ(tl->FocusedNode(), child);
  EXPECT_EQ(tl->Selection, std::vector<TdxTreeListNode*>{child});
  Key(VK_LEFT);  // a first child goes to its parent
  EXPECT_EQ(tl->FocusedNode(), a);
  EXPECT_EQ(tl->Selection, std::vector<TdxTreeListNode*>{a});
  Key(VK_LEFT);  // an expanded node collapses
  EXPECT_FALSE(a->Expanded());
  EXPECT_EQ(tl->FocusedNode(), a);
}

TEST_F(DxTLKeyboardTest, PageDownGoesToThePageEndThenAPageMinusOneFurther) {
  auto* tl = Focused({});
  for (int i = 0; i < 60; ++i) AddText(tl, nullptr, std::to_string(i).c_str());
  tl->SetFocusedNode(tl->GetItem(0), 0, true);
  Pump();
  int full = tl->FullVisibleRowCount();
  ASSERT_GT(full, 3);
  tl->SetFocusedAbsoluteIndex(2);
  Key(VK_NEXT);
  EXPECT_EQ(tl->GetFocusedAbsoluteIndex(), full - 1);
  Key(VK_NEXT);
  EXPECT_EQ(tl->GetFocusedAbsoluteIndex(), 2 * (full - 1));
  Key(VK_PRIOR);  // the focused row is the last full one now: a page back
  EXPECT_EQ(tl->GetFocusedAbsoluteIndex(), full - 1);
  Key(VK_END, kCtrl);
  EXPECT_EQ(tl->GetFocusedAbsoluteIndex(), 59);
  Key(VK_HOME, kCtrl);
  EXPECT_EQ(tl->GetFocusedAbsoluteIndex(), 0);
}

TEST_F(DxTLKeyboardTest, UpAtTheFirstRowEntersTheNewItemRowAndDownLeavesIt) {
  auto* tl = Focused({"A", "B"});
  tl->SetShowNewItemRow(true);
  Pump();
  ASSERT_TRUE(tl->IsNewItemRowVisible());
  Key(VK_UP);
  EXPECT_TRUE(tl->IsNewItemRowActive());
  Key(VK_DOWN);
  EXPECT_FALSE(tl->IsNewItemRowActive());
  EXPECT_EQ(Text(tl->FocusedNode()), "A");
}

TEST_F(DxTLKeyboardTest, ShiftArrowsExtendFromTheAnchorAndShrinkBackTowardIt) {
  auto* tl = Focused({"A", "B", "C", "D"});
  tl->StoresSelection = true;
  tl->SetOptionFlags(tl->OptionFlags() | dxtlo::MultiSelect);
  tl->SetFocusedNode(tl->GetItem(1), 0, true);
  auto selected = [&] {
    std::string s;
    for (int i = 0; i < tl->GetCount(); ++i) s += tl->IsNodeSelected(tl->GetItem(i)) ? "1" : "0";
    return s;
  };
  Key(VK_DOWN, kShift);
  Key(VK_DOWN, kShift);
  EXPECT_EQ(selected(), "0111");
  EXPECT_EQ(tl->SelectionAnchor(), tl->GetItem(1));
  Key(VK_UP, kShift);  // back toward the anchor drops D
  EXPECT_EQ(selected(), "0110");
  Key(VK_DOWN);  // a plain move collapses the selection to the focused node
  EXPECT_EQ(selected(), "0001");
  EXPECT_EQ(tl->SelectionAnchor(), nullptr);
  Key(VK_DOWN);  // at the last row a single selection stays
  EXPECT_EQ(selected(), "0001");
}

TEST_F(DxTLKeyboardTest, TabVisitsTabStopsAndGoesThroughRowsWithTabThrough) {
  auto* tl = Focused({"A", "B"});
  tl->GetColumn(0)->SetWidth(80);
  for (int i = 0; i < 2; ++i) tl->CreateColumn(TdxTreeListColumn::StaticClass())->SetWidth(80);
  tl->GetColumn(1)->SetTabStop(false);
  tl->SetOptionFlags((tl->OptionFlags() | dxtlo::Tabs | dxtlo::TabThrough) & ~dxtlo::RowSelect);
  Pump();
  Key(VK_TAB);
  EXPECT_EQ(tl->GetFocusedColumn(), 2);  // column 1 is no tab stop
  Key(VK_TAB);  // past the last: the next row's first tab stop
  EXPECT_EQ(Text(tl->FocusedNode()), "B");
  EXPECT_EQ(tl->GetFocusedColumn(), 0);
  Key(VK_TAB, kShift);
  EXPECT_EQ(Text(tl->FocusedNode()), "A");
  EXPECT_EQ(tl->GetFocusedColumn(), 2);
  tl->SetOptionFlags(tl->OptionFlags() & ~dxtlo::TabThrough);
  Key(VK_TAB);
  EXPECT_EQ(Text(tl->FocusedNode()), "A");
  EXPECT_EQ(tl->GetFocusedColumn(), 2);
  // Without option Tabs the dialog manager keeps Tab: the window focus leaves the tree list.
  auto* next = new TEdit(tl->Owner());
  next->SetParent(tl->Parent());
  next->SetBounds(0, 320, 80, 20);
  tl->SetOptionFlags(tl->OptionFlags() & ~dxtlo::Tabs);
  Pump();
  Key(VK_TAB);
  EXPECT_EQ(GetFocus(), next->Handle());
  EXPECT_EQ(tl->GetFocusedColumn(), 2);
}

TEST_F(DxTLKeyboardTest, EscDuringColumnSizingCancelsItAndKeepsTheSelection) {
  auto* tl = Focused({"A", "B"});
  tl->StoresSelection = true;
  tl->SetOptionFlags(tl->OptionFlags() | dxtlo::MultiSelect);
  tl->SelectRange(tl->GetItem(0), tl->GetItem(1));
  tl->SetState(tsColumnSizing);
  Key(VK_ESCAPE);
  EXPECT_EQ(tl->State(), tsNormal);
  EXPECT_EQ(tl->GetSelectedCount(), 2);
}

TEST_F(DxTLKeyboardTest, CtrlCCopiesOnlyWithItsOptionAndCtrlInsertAlways) {
  auto* tl = Focused({"Row"});
  tl->GetColumn(0)->SetCaption(u"Name");
  Clipboard()->SetAsText(u"before");
  Key('C', kCtrl);
  EXPECT_EQ(Clipboard()->AsText(), u"before");
  tl->SetOptionFlagsEx(tl->OptionFlagsEx() | dxtlox::AutoCopySelectedToClipboard);
  Key('C', kCtrl);
  EXPECT_EQ(Clipboard()->AsText(), u"Name\r\n\r\nRow\r\n");
  tl->SetOptionFlagsEx(tl->OptionFlagsEx() & ~dxtlox::AutoCopySelectedToClipboard);
  Clipboard()->SetAsText(u"before");
  Key(VK_INSERT, kCtrl);
  EXPECT_EQ(Clipboard()->AsText(), u"Name\r\n\r\nRow\r\n");
}

TEST_F(DxTLKeyboardTest, PlusMinusAndStarExpandAndCollapse) {
  auto* tl = Focused({"A"});
  TdxTreeListNode* a = tl->GetItem(0);
  TdxTreeListNode* child = AddText(tl, a, "A1");
  AddText(tl, child, "A11");
  Type(u"*");
  EXPECT_TRUE(a->Expanded());
  EXPECT_TRUE(child->Expanded());
  Type(u"-");
  EXPECT_FALSE(a->Expanded());
  Type(u"+");
  EXPECT_TRUE(a->Expanded());
}

}  // namespace

namespace {

// A band with two header rows: c0 and c1 above, c2 alone below; rows A, B, C.
TTestTreeList* TwoHeaderRows(DxTreeListTest& Test, bool VertThrough) {
  auto* tl = Test.MakeTreeList();
  tl->SetOptionFlags(tl->OptionFlags() & ~dxtlo::RowSelect);
  tl->SetHeaderPanelRowCount(2);
  for (int i = 0; i < 3; ++i) {
    TdxTreeListColumn* c = tl->CreateColumn(TdxTreeListColumn::StaticClass());
    c->SetWidth(100);
    c->SetRowIndex(i == 2 ? 1 : 0);
  }
  for (const char* t : {"A", "B", "C"}) DxTreeListTest::AddText(tl, nullptr, t);
  if (VertThrough) tl->SetOptionFlagsEx(tl->OptionFlagsEx() | dxtlox::VertThrough);
  tl->SetFocus();
  tl->SetFocusedNode(tl->GetItem(1), 1, true);
  DxTreeListTest::Pump();
  return tl;
}

std::string FocusedCell(TCustomdxTreeList* tl) {
  return DxTreeListTest::Text(tl->FocusedNode()) + " c" + std::to_string(tl->GetFocusedColumn());
}

}  // namespace

TEST_F(DxTLKeyboardTest, VertThroughWalksTheHeaderRowsBeforeTheNodes) {
  auto* tl = TwoHeaderRows(*this, true);
  ASSERT_EQ(FocusedCell(tl), "B c1");
  struct TStep {
    UINT key;
    const char* after;
  } steps[] = {
      {VK_DOWN, "B c2"},  // the row below has one column: its last
      {VK_DOWN, "C c0"},  // past the band's last row: its first row of the next node
      {VK_DOWN, "C c2"},
      {VK_DOWN, "C c2"},  // the last row of the last node: nothing
      {VK_UP, "C c0"},
      {VK_UP, "B c2"},  // past the first row: the last row of the previous node
      {VK_UP, "B c0"},
      {VK_UP, "A c2"},
      {VK_UP, "A c0"},
      {VK_UP, "A c0"},  // the first row of the first node: nothing
  };
  for (const TStep& s : steps) {
    Key(s.key);
    EXPECT_EQ(FocusedCell(tl), s.after) << (s.key == VK_DOWN ? "Down" : "Up");
  }
}

TEST_F(DxTLKeyboardTest, WithoutVertThroughOrInRowModeUpAndDownMoveBetweenNodes) {
  auto* tl = TwoHeaderRows(*this, false);
  Key(VK_DOWN);
  EXPECT_EQ(FocusedCell(tl), "C c1");
  auto* rows = TwoHeaderRows(*this, true);
  rows->SetOptionFlags(rows->OptionFlags() | dxtlo::RowSelect);
  Key(VK_UP);
  EXPECT_EQ(Text(rows->FocusedNode()), "A");
}
