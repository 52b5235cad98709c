// The selection contract (ranges over visible rows, the parent rule, the count event's bracket) and
// the clipboard text built from headers and rows.
#include "dx/treelist/tests/dxTreeListTestSupport.h"
#include "platform/classes/StringList.h"

namespace {

class DxTLSelectionTest : public DxTreeListTest {
 public:
  // A, B (with children B1, B2, collapsed), C, D.
  TTestTreeList* Sample() {
    auto* tl = MakeDetached();
    tl->StoresSelection = true;
    tl->SetOptionFlags(tl->OptionFlags() | dxtlo::MultiSelect);
    for (const char* t : {"A", "B", "C", "D"}) AddText(tl, nullptr, t);
    AddText(tl, tl->GetItem(1), "B1");
    AddText(tl, tl->GetItem(1), "B2");
    tl->ClearSelection();
    return tl;
  }
  static std::string Selected(TTestTreeList* tl) {
    std::string s;
    for (TdxTreeListNode* n : tl->Selection) s += (s.empty() ? "" : " ") + Text(n);
    return s;
  }
};

TEST_F(DxTLSelectionTest, SelectRangeWalksVisibleRowsFromTheUpperEndAndReportsOnce) {
  auto* tl = Sample();
  int changes = 0;
  tl->OnSelectedCountChange = [&](TObject*) { ++changes; };
  tl->SelectRange(tl->GetItem(3), tl->GetItem(1));  // D back to B: B's children are collapsed
  EXPECT_EQ(Selected(tl), "B C D");
  EXPECT_EQ(changes, 1);
  tl->ClearSelection();
  tl->GetItem(1)->SetExpanded(true);
  tl->SelectRange(tl->GetItem(0), tl->GetItem(2));
  EXPECT_EQ(Selected(tl), "A B C");  // the children have another parent
  tl->ClearSelection();
  tl->SetOptionFlags(tl->OptionFlags() | dxtlo::ExtMultiSelect);
  tl->ClearSelection();
  tl->SelectRange(tl->GetItem(0), tl->GetItem(2));
  EXPECT_EQ(Selected(tl), "A B B1 B2 C");
}

TEST_F(DxTLSelectionTest, NodesOfAnotherParentAreRefusedUnlessExtendedMultiSelect) {
  auto* tl = Sample();
  TdxTreeListNode* child = tl->GetItem(1)->GetFirstChild();
  tl->SetNodeSelected(tl->GetItem(0), true);
  EXPECT_FALSE(tl->DoCanNodeSelected(child));
  EXPECT_TRUE(tl->DoCanNodeSelected(tl->GetItem(2)));
  tl->SetOptionFlags(tl->OptionFlags() | dxtlo::ExtMultiSelect);
  tl->SetNodeSelected(tl->GetItem(0), true);
  EXPECT_TRUE(tl->DoCanNodeSelected(child));
  tl->OnCanNodeSelected = [](TObject*, TdxTreeListNode*, bool& Allow) { Allow = false; };
  EXPECT_FALSE(tl->DoCanNodeSelected(tl->GetItem(2)));
}

TEST_F(DxTLSelectionTest, CountEventsWaitForTheOutermostBracketAndAnchorsCompareByRow) {
  auto* tl = Sample();
  int changes = 0;
  tl->OnSelectedCountChange = [&](TObject*) { ++changes; };
  tl->BeginSelection();
  tl->SetNodeSelected(tl->GetItem(0), true);
  tl->SetNodeSelected(tl->GetItem(2), true);
  EXPECT_EQ(changes, 0);
  tl->EndSelection();
  EXPECT_EQ(changes, 1);
  tl->SetSelectionAnchor(tl->GetItem(2));
  EXPECT_EQ(tl->CompareWithAnchor(tl->GetItem(0)), -1);
  EXPECT_EQ(tl->CompareWithAnchor(tl->GetItem(2)), 0);
  EXPECT_EQ(tl->CompareWithAnchor(tl->GetItem(3)), 1);
}

TEST_F(DxTLSelectionTest, TheBaseControlSelectsNothing) {
  auto* tl = MakeDetached();
  AddText(tl, nullptr, "A");
  tl->GetItem(0)->SetSelected(true);
  EXPECT_EQ(tl->GetSelectedCount(), 0);
  EXPECT_EQ(tl->GetFirstSelectedNode(), nullptr);
  tl->DeleteSelectedNodes();
  EXPECT_EQ(tl->GetCount(), 1);
}

TEST_F(DxTLSelectionTest, ClipboardTextHasAHeaderLineAndTabSeparatedCells) {
  auto* tl = Sample();
  const char16_t* captions[] = {u"Name", u"Hidden", u"NoCaption", u"Last"};
  for (const char16_t* c : captions) tl->CreateColumn(TdxTreeListColumn::StaticClass())->SetCaption(c);
  tl->GetColumn(1)->SetVisible(false);
  tl->GetColumn(2)->SetDisableCaption(true);
  tl->GetItem(0)->SetString(1, u"h");
  tl->GetItem(0)->SetString(2, u"x");  // the last column's string is missing: an empty field
  String text;
  tl->GetHeadersText(text);
  EXPECT_EQ(text, u"Name\t\tLast\r\n");
  tl->GetNodeText(tl->GetItem(0), text);
  EXPECT_EQ(text, u"A\tx\t");

  tl->SetNodeSelected(tl->GetItem(2), true);
  tl->SetNodeSelected(tl->GetItem(0), true);
  TStringList lines;
  tl->CopySelectedToStrings(&lines);  // selected nodes in tree order after the header
  EXPECT_EQ(lines.Text(), u"Name\t\tLast\r\n\r\nA\tx\t\r\nC\t\t\r\n");
}

TEST_F(DxTLSelectionTest, HeaderTextWithoutVisibleColumnsIsTheLineEndAlone) {
  auto* tl = Sample();
  String text;
  tl->GetHeadersText(text);
  EXPECT_EQ(text, u"\r\n");
  tl->GetNodeText(tl->GetItem(0), text);
  EXPECT_EQ(text, u"");
}

}  // namespace
