#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "dx/treelist/tests/dxTreeListTestSupport.h"

namespace {

class DxTLControlTest : public DxTreeListTest {
 protected:
  static std::string Strings(TdxTreeListNode* n, int count) {
    std::string s;
    for (int i = 0; i < count; ++i) s += (i ? "," : "") + StringToUtf8(n->GetString(i));
    return s;
  }
};

TEST_F(DxTLControlTest, MoveColumnValuesMovesEachNodesString) {
  struct TCase {
    int from, to;
    const char* expected;
  } cases[] = {{0, 2, "b,c,a"}, {2, 0, "c,a,b"}, {0, 1, "b,a,c"}, {1, 1, "a,b,c"}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.from) + " -> " + std::to_string(c.to));
    auto* tl = MakeDetached();
    TdxTreeListNode* n = tl->Add();
    n->SetString(0, u"a");
    n->SetString(1, u"b");
    n->SetString(2, u"c");
    TdxTreeListNode* child = n->AddChild();
    child->SetString(0, u"a");
    child->SetString(1, u"b");
    child->SetString(2, u"c");
    if (c.from != c.to) tl->MoveColumnValues(c.from, c.to);
    EXPECT_EQ(Strings(n, 3), c.expected);
    EXPECT_EQ(Strings(child, 3), c.expected);
  }
}

TEST_F(DxTLControlTest, SetNodeStringGrowsTheListWithEmptyEntries) {
  auto* tl = MakeDetached();
  auto* n = static_cast<TdxTreeListTextNode*>(tl->Add());
  n->SetString(0, u"a");
  n->SetString(1, u"b");
  n->SetString(5, u"x");
  EXPECT_EQ(n->Strings.Count(), 6);
  EXPECT_EQ(Strings(n, 6), "a,b,,,,x");
  EXPECT_EQ(n->GetString(9), u"");
}

// A node's texts collected in a strings bracket end up as the same Set calls one by one would
// leave them, and reads inside the bracket see the texts set so far.
TEST_F(DxTLControlTest, AStringsBracketWritesWhatSingleSetsWould) {
  struct TCase {
    const char* name;
    std::vector<std::pair<int, const char16_t*>> sets;
  } cases[] = {
      {"in order", {{0, u"a"}, {1, u"bb"}, {2, u"ccc"}}},
      {"past the end, then back", {{4, u"e"}, {1, u"b"}}},
      {"overwritten and emptied", {{0, u"long text"}, {0, u"x"}, {2, u"z"}, {2, u""}}},
      {"nothing set", {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto* tl = MakeDetached();
    auto* one = static_cast<TdxTreeListTextNode*>(tl->Add());
    auto* bracketed = static_cast<TdxTreeListTextNode*>(tl->Add());
    TdxTreeListNode* other = tl->Add();
    for (auto* n : {one, bracketed}) {
      n->SetString(0, u"old 0");
      n->SetString(3, u"old 3");
    }
    for (const auto& [column, text] : c.sets) one->SetString(column, text);
    {
      TdxNodeStringsScope bracket(tl, bracketed);
      for (const auto& [column, text] : c.sets) {
        bracketed->SetString(column, text);
        EXPECT_EQ(bracketed->GetString(column), text);
      }
      // Another node is written straight through while the bracket is open.
      other->SetString(1, u"direct");
      EXPECT_EQ(other->GetString(1), u"direct");
    }
    EXPECT_EQ(bracketed->Strings.Count(), std::max(one->Strings.Count(), 4));
    for (int i = 0; i < 5; ++i) EXPECT_EQ(bracketed->GetString(i), one->GetString(i)) << i;
  }
}

TEST_F(DxTLControlTest, CreateColumnNamesAfterTheControlSkippingTakenNames) {
  auto* tl = MakeTreeList();
  tl->CreateColumn(TdxTreeListColumn::StaticClass());
  tl->CreateColumn(TdxTreeListColumn::StaticClass());
  EXPECT_EQ(tl->CreateColumn(TdxTreeListColumn::StaticClass())->Name(), u"Grid1Column3");
  tl->GetColumn(2)->SetName(u"Grid1Column4");
  EXPECT_EQ(tl->CreateColumn(TdxTreeListColumn::StaticClass())->Name(), u"Grid1Column5");
  EXPECT_EQ(tl->FindColumnByName(u"grid1column1"), tl->GetColumn(0));
  EXPECT_EQ(tl->FindColumnByName(u"nothing"), nullptr);
}

TEST_F(DxTLControlTest, HeaderRowsAreCompactedAndComeBackWhenThePanelGrows) {
  auto* tl = MakeTreeList();
  tl->SetHeaderPanelRowCount(9);
  EXPECT_EQ(tl->HeaderPanelRowCount(), 5);
  tl->SetHeaderPanelRowCount(0);
  EXPECT_EQ(tl->HeaderPanelRowCount(), 1);
  tl->SetOptionFlagsEx(tl->OptionFlagsEx() | dxtlox::AutoHeaderPanelHeight);
  tl->SetHeaderPanelRowCount(3);
  EXPECT_FALSE(tl->DefaultLayout());
  EXPECT_FALSE(tl->HasOptionEx(dxtlox::AutoHeaderPanelHeight));
  auto* a = tl->CreateColumn(TdxTreeListColumn::StaticClass());
  auto* b = tl->CreateColumn(TdxTreeListColumn::StaticClass());
  a->SetRowIndex(0);
  b->SetRowIndex(2);
  EXPECT_EQ(b->RowIndex(), 1);
  EXPECT_EQ(b->StoredRowIndex(), 1);
  b->SetRowIndex(2);  // the panel has 3 rows, but row 1 is empty again: compacted
  EXPECT_EQ(b->RowIndex(), 1);
}

TEST_F(DxTLControlTest, VisibleColumnsAreCountedInListOrder) {
  auto* tl = MakeTreeList();
  for (int i = 0; i < 3; ++i) tl->CreateColumn(TdxTreeListColumn::StaticClass());
  tl->GetColumn(0)->SetVisible(false);
  EXPECT_EQ(tl->GetVisibleColumn(1), tl->GetColumn(2));
  EXPECT_EQ(tl->GetVisibleColumn(2), nullptr);
  EXPECT_EQ(tl->GetListIndexOfVisibleColumn(0), 1);
}

TEST_F(DxTLControlTest, BestFitMeasuresCellsAndCaptionUnlessTheColumnCannotBeSized) {
  auto* tl = MakeTreeList();
  auto* c = tl->CreateColumn(TdxTreeListColumn::StaticClass());
  c->SetDisableFilter(true);
  TdxTreeListNode* n = tl->Add();
  n->SetString(0, u"abcdefghij");  // 10 glyphs of 5 pixels: 50, plus the root level's 16
  tl->ApplyBestFit(c);
  int margin = 5 / 2 + 1;
  EXPECT_EQ(c->Width(), 50 + 16 + 2 * margin);
  c->SetSizing(false);
  n->SetString(0, u"a");
  tl->ApplyBestFit(c);
  EXPECT_EQ(c->Width(), 50 + 16 + 2 * margin);
}

TEST_F(DxTLControlTest, DestroyingAColumnRemovesItsValuesFromEveryNode) {
  auto* tl = MakeTreeList();
  tl->CreateColumn(TdxTreeListColumn::StaticClass());
  auto* middle = tl->CreateColumn(TdxTreeListColumn::StaticClass());
  tl->CreateColumn(TdxTreeListColumn::StaticClass());
  TdxTreeListNode* n = tl->Add();
  n->SetString(0, u"a");
  n->SetString(1, u"b");
  n->SetString(2, u"c");
  delete middle;
  EXPECT_EQ(Strings(n, 2), "a,c");
  EXPECT_EQ(tl->GetColumnCount(), 2);
}

TEST_F(DxTLControlTest, OptionWordsKeepRowSelectAndInvertSelectApart) {
  auto* tl = MakeTreeList();
  EXPECT_EQ(tl->OptionFlags(), 55u);
  EXPECT_EQ(tl->OptionFlagsEx(), 12350u);
  tl->SetOptionFlagsEx(tl->OptionFlagsEx() | dxtlox::InvertSelect);
  EXPECT_FALSE(tl->IsRowSelect());
  tl->SetOptionFlags(0x20);
  EXPECT_TRUE(tl->IsRowSelect());
  EXPECT_FALSE(tl->IsInvertSelect());
  // Mouse scrolling is off while cells can be edited.
  tl->SetOptionFlags(dxtlo::Editing);
  tl->SetOptionFlagsEx(tl->OptionFlagsEx() | dxtlox::MouseScroll);
  EXPECT_FALSE(tl->IsMouseScroll());
  tl->SetOptionFlags(dxtlo::Editing | dxtlo::RowSelect);
  EXPECT_TRUE(tl->IsMouseScroll());
}

TEST_F(DxTLControlTest, SortOptionChangesClearTheSortedColumns) {
  auto* tl = MakeTreeList();
  struct TCase {
    const char* name;
    bool ex;
    DWORD bit;
    bool on;
    int clears;
  } cases[] = {
      {"AutoSort on", false, dxtlo::AutoSort, true, 1},
      {"AutoSort off", false, dxtlo::AutoSort, false, 0},
      {"MultiSort on", true, dxtlox::MultiSort, true, 0},
      {"MultiSort off", true, dxtlox::MultiSort, false, 1},
      {"AnsiSort on", true, dxtlox::AnsiSort, true, 1},
      {"AnsiSort off", true, dxtlox::AnsiSort, false, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    tl->SortClears = 0;
    if (c.ex)
      tl->SetOptionFlagsEx(c.on ? tl->OptionFlagsEx() | c.bit : tl->OptionFlagsEx() & ~c.bit);
    else
      tl->SetOptionFlags(c.on ? tl->OptionFlags() | c.bit : tl->OptionFlags() & ~c.bit);
    EXPECT_EQ(tl->SortClears, c.clears);
  }
}

TEST_F(DxTLControlTest, AFreedImageListLeavesImagesNil) {
  auto* tl = MakeTreeList();
  auto* images = new TImageList(tl->Owner());
  images->SetWidth(20);
  images->SetHeight(20);
  tl->SetImages(images);
  EXPECT_EQ(tl->Layout().ImageWidth, 20);
  EXPECT_EQ(tl->Layout().MinRowHeight, 20);
  delete images;
  EXPECT_EQ(tl->Images(), nullptr);
  EXPECT_EQ(tl->Layout().ImageWidth, 0);
  EXPECT_EQ(tl->Layout().MinRowHeight, 16);
}

TEST_F(DxTLControlTest, NestedUpdateBracketsLayOutOnceAtTheOutermostEnd) {
  auto* tl = MakeTreeList();
  int before = tl->LayoutPassCount();
  tl->BeginUpdate();
  tl->BeginUpdate();
  tl->BeginUpdate();
  for (int i = 0; i < 5; ++i) tl->Add();
  tl->EndUpdate();
  tl->EndUpdate();
  EXPECT_EQ(tl->LayoutPassCount(), before);
  tl->EndUpdate();
  EXPECT_EQ(tl->LayoutPassCount(), before + 1);
}

TEST_F(DxTLControlTest, AppearanceSettersClamp) {
  auto* tl = MakeTreeList();
  tl->SetPreviewLines(-7);
  EXPECT_EQ(tl->PreviewLines(), -1);
  tl->SetIndentDesc(-3);
  EXPECT_EQ(tl->IndentDesc(), 0);
  tl->SetRowSeparatorLineWidth(0);
  EXPECT_EQ(tl->RowSeparatorLineWidth(), 1);
  tl->SetCustomizingRowCount(1);
  EXPECT_EQ(tl->CustomizingRowCount(), 2);
  TFont font;
  font.SetHeight(-20);
  tl->SetHeaderFont(&font);
  font.SetHeight(-8);
  EXPECT_EQ(tl->HeaderFont()->Height(), -20);
}

}  // namespace
