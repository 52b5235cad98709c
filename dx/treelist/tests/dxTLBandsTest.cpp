#include <gtest/gtest.h>

#include "dx/treelist/tests/dxTreeListTestSupport.h"

namespace {

class DxTLBandsTest : public DxTreeListTest {
 protected:
  // Three bands with one column each (band i holds column i).
  TTestTreeList* ThreeBands() {
    auto* tl = MakeTreeList();
    tl->Bands()->Add();
    tl->Bands()->Add();
    for (int i = 0; i < 3; ++i) tl->CreateColumn(TdxTreeListColumn::StaticClass())->SetBandIndex(i);
    return tl;
  }
  static std::string BandIndexes(TTestTreeList* tl) {
    std::string s;
    for (int i = 0; i < tl->GetColumnCount(); ++i)
      s += (i ? " " : "") + std::to_string(tl->GetColumn(i)->BandIndex());
    return s;
  }
};

TEST_F(DxTLBandsTest, ANewBandHasItsDefaults) {
  auto* tl = MakeTreeList();
  TdxTreeListBand* b = tl->Bands()->Add();
  EXPECT_EQ(b->Width(), 250);
  EXPECT_EQ(b->MinWidth(), 30);
  EXPECT_EQ(b->Alignment(), taCenter);
  EXPECT_TRUE(b->Sizing());
  EXPECT_TRUE(b->Visible());
  EXPECT_EQ(b->Fixed(), bfNone);
}

TEST_F(DxTLBandsTest, WidthsAreClampedToTheMinimum) {
  auto* tl = MakeTreeList();
  TdxTreeListBand* b = tl->Bands()->Items(0);
  b->SetWidth(10);
  EXPECT_EQ(b->Width(), 30);
  b->SetMinWidth(300);
  EXPECT_EQ(b->Width(), 300);
  b->SetMinWidth(-5);
  EXPECT_EQ(b->MinWidth(), 0);
}

TEST_F(DxTLBandsTest, FixingABandMovesItAndRenumbersColumns) {
  auto* tl = ThreeBands();
  tl->Bands()->Items(2)->SetFixed(bfLeft);
  EXPECT_EQ(tl->Bands()->Items(0)->Fixed(), bfLeft);
  EXPECT_EQ(BandIndexes(tl), "1 2 0");
  // A fixed band does not move.
  tl->Bands()->Items(0)->SetIndex(2);
  EXPECT_EQ(tl->Bands()->Items(0)->Fixed(), bfLeft);
  EXPECT_EQ(tl->GetLeftFixedBandIndex(), 0);
}

TEST_F(DxTLBandsTest, InvisibleBandsAreNeverFixed) {
  auto* tl = ThreeBands();
  TdxTreeListBand* b = tl->Bands()->Items(1);
  TdxTreeListBand* c = tl->Bands()->Items(2);
  b->SetVisible(false);
  b->SetFixed(bfRight);
  EXPECT_EQ(b->Fixed(), bfNone);
  c->SetFixed(bfRight);
  EXPECT_EQ(c->Fixed(), bfRight);
  c->SetVisible(false);
  EXPECT_EQ(c->Fixed(), bfNone);
}

TEST_F(DxTLBandsTest, MovingAndDeletingBandsRenumbersColumns) {
  auto* tl = ThreeBands();
  tl->Bands()->Items(0)->SetIndex(2);
  EXPECT_EQ(BandIndexes(tl), "2 0 1");
  auto* tl2 = ThreeBands();
  delete tl2->Bands()->Items(1);
  EXPECT_EQ(BandIndexes(tl2), "0 -1 1");
}

TEST_F(DxTLBandsTest, ABandMovedBeforeTheLeftFixedBandLeavesItFirst) {
  auto* tl = ThreeBands();
  TdxTreeListBand* fixed = tl->Bands()->Items(0);
  fixed->SetFixed(bfLeft);
  tl->Bands()->Items(2)->SetIndex(0);
  EXPECT_EQ(fixed->Index(), 0);
  EXPECT_EQ(fixed->Fixed(), bfLeft);
  EXPECT_EQ(tl->GetLeftFixedBandIndex(), 0);
}

}  // namespace
