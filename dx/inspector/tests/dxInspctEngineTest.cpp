#include <gtest/gtest.h>

#include "dx/inspector/tests/InspectorTestSupport.h"
#include "platform/forms/ImgList.h"

namespace {

using EngineTest = InspectorTest;

std::vector<std::string> VisibleCaptions(TTestInspector* insp) {
  std::vector<std::string> out;
  for (TdxInspectorNode* n = insp->Items(0); n; n = n->GetNext())
    out.push_back(StringToUtf8(static_cast<TTextNode*>(n)->Caption));
  return out;
}

TEST_F(EngineTest, AnInspectorWithoutNodesHasNoFocusAndAnEmptyArea) {
  auto* insp = MakeInspector();
  EXPECT_EQ(insp->FocusedNode(), nullptr);
  EXPECT_EQ(insp->TopNode(), nullptr);
  EXPECT_EQ(insp->GetHitKindAt(50, 50), ihkEmpty);
  EXPECT_EQ(insp->GetHitKindAt(-1, 50), ihkOutside);
  EXPECT_EQ(insp->GetNodeByAbsoluteIndex(0), nullptr);
  EXPECT_EQ(insp->GetAbsoluteIndex(nullptr), -1);
}

TEST_F(EngineTest, VisibleOrderFollowsExpansionAndTheFocusLeavesACollapsedBranch) {
  auto* insp = MakeInspector();
  auto* a = insp->Add("A");
  auto* a1 = insp->Add("A1", "", a);
  auto* a11 = insp->Add("A11", "", a1);
  insp->Add("B");
  EXPECT_EQ(VisibleCaptions(insp), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(insp->FocusedNode(), a);  // the first node added takes the focus
  a->Expand(true);
  EXPECT_EQ(VisibleCaptions(insp), (std::vector<std::string>{"A", "A1", "A11", "B"}));
  EXPECT_EQ(a11->Level(), 2);
  EXPECT_EQ(a11->AbsoluteIndex(), 2);
  EXPECT_EQ(a11->GetNext()->AbsoluteIndex(), 3);
  EXPECT_EQ(insp->Items(1)->GetPrev(), a11);
  std::vector<std::pair<TdxInspectorNode*, TdxInspectorNode*>> changes;
  insp->OnChangeNode = [&](TObject*, TdxInspectorNode* o, TdxInspectorNode* n) { changes.push_back({o, n}); };
  a11->SetFocused(true);
  a->Collapse(false);
  EXPECT_EQ(insp->FocusedNode(), a);
  EXPECT_EQ(a11->AbsoluteIndex(), -1);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[1].first, a11);
  EXPECT_EQ(changes[1].second, a);
  // Focusing a hidden node expands its ancestors.
  a11->SetFocused(true);
  EXPECT_TRUE(a->Expanded());
  EXPECT_TRUE(a1->Expanded());
}

TEST_F(EngineTest, MoveToPlacesTheNodeByModeAndNeverUnderItself) {
  struct Case {
    const char* node;
    const char* dest;
    TdxInspectorNodeAttachMode mode;
    std::vector<std::string> order;
  };
  const Case cases[] = {
      {"A", "C", inaAdd, {"B", "C", "A", "A1"}},
      {"C", "A", inaInsert, {"C", "A", "A1", "B"}},
      {"C", "A", inaAddChild, {"A", "A1", "C", "B"}},
      {"A", "A1", inaAddChild, {"A", "A1", "B", "C"}},  // onto its own descendant: nothing
      {"A", "A", inaInsert, {"A", "A1", "B", "C"}},     // onto itself: nothing
      {"A1", "A1", inaAdd, {"A", "A1", "B", "C"}},      // after itself: stays under its parent
  };
  for (const Case& c : cases) {
    auto* insp = MakeInspector();
    auto* a = insp->Add("A");
    insp->Add("A1", "", a);
    insp->Add("B");
    insp->Add("C");
    a->Expand(false);
    auto find = [&](const char* name) {
      for (TdxInspectorNode* n = insp->Items(0); n; n = n->GetNext())
        if (StringToUtf8(static_cast<TTextNode*>(n)->Caption) == name) return n;
      return static_cast<TdxInspectorNode*>(nullptr);
    };
    TdxInspectorNode* node = find(c.node);
    node->MoveTo(find(c.dest), c.mode);
    EXPECT_EQ(VisibleCaptions(insp), c.order) << c.node << " to " << c.dest << " mode " << c.mode;
    delete form_;
    form_ = nullptr;
  }
}

TEST_F(EngineTest, MovingTheLastChildAwayEmptiesAndCollapsesItsParent) {
  auto* insp = MakeInspector();
  auto* a = insp->Add("A");
  auto* a1 = insp->Add("A1", "", a);
  a->Expand(false);
  a1->MoveTo(a, inaAdd);
  EXPECT_FALSE(a->HasChildren());
  EXPECT_FALSE(a->Expanded());
  EXPECT_EQ(insp->FocusedNode(), a1);
}

TEST_F(EngineTest, DeletingNodesMovesFocusAndTopToANeighbour) {
  auto* insp = MakeInspector();
  auto* a = insp->Add("A");
  auto* b = insp->Add("B");
  auto* b1 = insp->Add("B1", "", b);
  insp->Add("C");
  b->Expand(false);
  b1->SetFocused(true);
  delete b;
  EXPECT_EQ(insp->FocusedNode(), a);
  EXPECT_EQ(VisibleCaptions(insp), (std::vector<std::string>{"A", "C"}));
  delete a;
  EXPECT_EQ(StringToUtf8(static_cast<TTextNode*>(insp->FocusedNode())->Caption), "C");
  EXPECT_EQ(insp->TopNode(), insp->FocusedNode());
  insp->DeleteAllNodes();
  EXPECT_EQ(insp->FocusedNode(), nullptr);
  EXPECT_EQ(insp->TopNode(), nullptr);
}

TEST_F(EngineTest, DividerAndMinimumWidthsAreClamped) {
  auto* insp = MakeInspector(100, 200);
  insp->SetOptionFlags(insp->OptionFlags() & ~(1 << inoAutoWidth));
  struct Case {
    int set, expected;
  };
  for (const Case& c : {Case{5, 30}, Case{90, 70}, Case{50, 50}}) {
    insp->SetDividerPos(c.set);
    EXPECT_EQ(insp->DividerPos(), c.expected) << c.set;
  }
  insp->SetMinColumnWidth(10);
  EXPECT_EQ(insp->MinColumnWidth(), 20);
  insp->SetMinBandWidth(10);
  EXPECT_EQ(insp->MinBandWidth(), 43);
  insp->SetBandWidth(10);
  EXPECT_EQ(insp->BandWidth(), 43);
}

TEST_F(EngineTest, AutoWidthScalesTheDividerFromTheLastExplicitPosition) {
  auto* insp = MakeInspector(200, 200);
  insp->SetDividerPos(80);
  insp->SetWidth(400);
  Pump();
  EXPECT_EQ(insp->DividerPos(), 160);
  insp->SetWidth(100);
  Pump();
  EXPECT_EQ(insp->DividerPos(), 40);
  insp->SetWidth(200);
  Pump();
  EXPECT_EQ(insp->DividerPos(), 80);  // scaled from 80 of 200, not from the last resize
}

// The horizontal scroll bar of bands mode takes its height off the client area; these inspectors are
// sized so that the client area is 100 pixels high (five rows) while it shows.
TEST_F(EngineTest, BandCountCountsAnExtraBandWhenRowsFillTheLastExactly) {
  auto* insp = MakeInspector(300, 100 + GetSystemMetrics(SM_CYHSCROLL));
  insp->SetOptionFlags(insp->OptionFlags() | (1 << inoAutoBandCount));
  insp->SetBandWidth(300);
  ASSERT_EQ(insp->RowHeight(), 20);
  struct Case {
    int rows, bands;
  };
  int added = 0;
  for (const Case& c : {Case{6, 2}, Case{10, 3}, Case{11, 3}, Case{15, 4}, Case{16, 4}}) {
    for (; added < c.rows; ++added) insp->Add("R");
    insp->UpdateScrollBars();
    ASSERT_EQ(insp->ClientHeight(), 100);
    EXPECT_EQ(insp->BandCount(), c.bands) << c.rows << " rows";
  }
  insp->SetFirstBand(99);
  EXPECT_EQ(insp->FirstBand(), 3);
  EXPECT_EQ(insp->TopNode(), insp->GetNodeByAbsoluteIndex(15));
}

TEST_F(EngineTest, BandsLayOutRowsAndScrollToTheLastBands) {
  auto* insp = MakeInspector(250, 100 + GetSystemMetrics(SM_CYHSCROLL));
  insp->SetOptionFlags(insp->OptionFlags() | (1 << inoAutoBandCount));
  insp->SetBandWidth(100);
  for (int i = 0; i < 23; ++i) insp->Add("R");
  insp->UpdateScrollBars();
  ASSERT_EQ(insp->ClientHeight(), 100);
  EXPECT_EQ(insp->BandCount(), 5);
  EXPECT_EQ(insp->FullyVisibleBandCount(), 2);
  EXPECT_EQ(insp->VisibleBandCount(), 3);
  insp->SetFirstBand(99);
  EXPECT_EQ(insp->FirstBand(), 3);
  EXPECT_EQ(insp->TopNode()->AbsoluteIndex(), 15);
  // Focusing a row in a band left of the shown ones brings its band back first.
  insp->GetNodeByAbsoluteIndex(7)->SetFocused(true);
  EXPECT_EQ(insp->FirstBand(), 1);
  const TdxInspectorHitInfo hit = insp->HitTest(POINT{150, 30});
  EXPECT_EQ(hit.Band, 2);
  EXPECT_EQ(hit.AbsoluteIndex, 11);
  EXPECT_EQ(int(insp->GetHitKindAt(98, 30)), int(ihkBandSeparator));
}

TEST_F(EngineTest, OneBandScrollingKeepsTheEndOfTheListOnScreen) {
  auto* insp = MakeInspector(300, 110);  // five whole rows and a cut one
  for (int i = 0; i < 12; ++i) insp->Add("R");
  insp->UpdateScrollBars();
  EXPECT_EQ(insp->VisibleRowCount(), 5);
  EXPECT_EQ(insp->PartVisibleRowCount(), 6);
  insp->SetTopIndex(50);
  EXPECT_EQ(insp->GetTopIndex(), 7);
  insp->Perform(WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(insp->GetTopIndex(), 6);
  insp->Perform(WM_VSCROLL, SB_PAGEUP, 0);
  EXPECT_EQ(insp->GetTopIndex(), 1);
  insp->GetNodeByAbsoluteIndex(0)->SetFocused(true);
  EXPECT_EQ(insp->GetTopIndex(), 0);
  insp->GetNodeByAbsoluteIndex(9)->SetFocused(true);
  EXPECT_EQ(insp->GetTopIndex(), 5);
  SCROLLINFO si{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  insp->GetScrollInfo(SB_VERT, si);
  EXPECT_EQ(si.nMax, 11);
  EXPECT_EQ(si.nPage, 5u);
  EXPECT_EQ(si.nPos, 5);
}

TEST_F(EngineTest, HitTestClassifiesEveryPartOfARow) {
  auto* insp = MakeInspector(300, 200);
  insp->SetDividerPos(100);
  auto* parent = insp->Add("Parent", "v");
  insp->Add("Child", "w", parent);
  auto* cat = insp->Add("Category");
  cat->Category = true;
  // ipsStandard: indent is the width of "+" (8); the header is (level + 1) * 8 + 2 wide.
  struct Case {
    int x, y;
    TdxInspectorHitKind kind;
  };
  const Case cases[] = {
      {1, 5, ihkHeader},
      {5, 5, ihkButton},
      {9, 5, ihkButton},
      {10, 5, ihkCaption},
      {97, 5, ihkCaption},
      {98, 5, ihkDivider},
      {101, 5, ihkDivider},
      {102, 5, ihkValue},
      {250, 19, ihkValue},
      {98, 25, ihkCaption},
      {150, 25, ihkCaption},  // the category row has no divider
                              // and no value
      {150, 60, ihkEmpty},
  };
  for (const Case& c : cases) EXPECT_EQ(int(insp->GetHitKindAt(c.x, c.y)), int(c.kind)) << c.x << "," << c.y;
  insp->SetOptionFlags(insp->OptionFlags() | (1 << inoRowSizing));
  EXPECT_EQ(insp->GetHitKindAt(250, 19), ihkRowBottom);
  EXPECT_EQ(insp->GetHitKindAt(250, 17), ihkValue);
  EXPECT_EQ(insp->GetNodeAt(150, 25), cat);
}

TEST_F(EngineTest, CategorizedCategoryRowsGetAnIndentOnlyForHitTesting) {
  auto* insp = MakeInspector(300, 200);
  insp->SetPaintStyle(ipsCategorized);
  insp->SetDividerPos(100);
  auto* cat = insp->Add("Category");
  cat->Category = true;
  insp->Add("Item", "1", cat);
  cat->Expand(false);
  const RECT r = insp->GetNodeRect(cat);
  EXPECT_EQ(insp->CalcRowLayout(cat, r).Header.right, r.left);
  EXPECT_EQ(insp->CalcRowLayout(cat, r, true).Header.right, r.left + insp->IndentWidth());
  EXPECT_EQ(insp->GetHitKindAt(5, 5), ihkHeader);
  EXPECT_EQ(insp->GetHitKindAt(295, 5), ihkButton);  // the button at the right end
  EXPECT_EQ(insp->GetHitKindAt(150, 5), ihkCaption);
}

TEST_F(EngineTest, PaintStyleSwapsOnlyTheDefaultsLeftAlone) {
  auto* insp = MakeInspector();
  EXPECT_EQ(insp->Color(), clBtnFace);
  insp->SetPaintStyle(ipsNET);
  EXPECT_EQ(insp->Color(), clWindow);
  EXPECT_EQ(insp->GridColor(), clBtnFace);
  EXPECT_EQ(insp->ValueTextColor(), insp->Font()->Color());
  insp->SetGridColor(clRed);
  insp->SetPaintStyle(ipsExtended);
  EXPECT_EQ(insp->Color(), clBtnFace);
  EXPECT_EQ(insp->GridColor(), clRed);
  EXPECT_EQ(insp->ValueTextColor(), TColor(0x800000));
}

TEST_F(EngineTest, RowHeightFollowsTheFontAndStaysAssignedOnlyAboveIt) {
  auto* insp = MakeInspector();
  EXPECT_EQ(insp->MinRowHeight(), 20);  // 16 + 3 + the grid line
  insp->SetRowHeight(10);
  EXPECT_EQ(insp->RowHeight(), 20);
  insp->LayoutChanged();
  EXPECT_FALSE(insp->RowHeightAssigned());
  insp->SetRowHeight(30);
  EXPECT_EQ(insp->RowHeight(), 30);
  EXPECT_TRUE(insp->RowHeightAssigned());
  insp->SetPaintStyle(ipsCategorized);
  EXPECT_EQ(insp->MinRowHeight(), 23);  // no grid line, a margin of 2 on both sides
}

// Rows are at least as high as the images: a list that grows raises them, a freed list lets them
// fall back to the font's height.
TEST_F(EngineTest, RowHeightsFollowTheImagesAsTheyChangeAndGo) {
  auto* insp = MakeInspector();
  insp->Add("A", "1");
  auto* images = new TImageList(form_, 16, 16);
  insp->SetImages(images);
  EXPECT_EQ(insp->RowHeight(), 20);
  images->SetHeight(30);
  EXPECT_EQ(insp->RowHeight(), 31);  // the image and the grid line
  delete images;
  EXPECT_EQ(insp->Images(), nullptr);
  EXPECT_EQ(insp->RowHeight(), 20);
  insp->Repaint();
  Pump();
}

}  // namespace
