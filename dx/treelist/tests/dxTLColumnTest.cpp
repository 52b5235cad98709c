#include <gtest/gtest.h>

#include "dx/treelist/dxTLEditStyle.h"
#include "dx/treelist/tests/dxTreeListTestSupport.h"
#include "platform/classes/ClassRegistry.h"

namespace {

class DxTLColumnTest : public DxTreeListTest {};

TEST_F(DxTLColumnTest, WidthIsStoredOnlyOnceItLeavesItsDefault) {
  auto* tl = MakeTreeList();
  TdxTreeListColumn* c = tl->CreateColumn(TdxTreeListColumn::StaticClass());
  EXPECT_EQ(c->Width(), 100);
  EXPECT_FALSE(c->IsWidthStored());
  c->SetWidth(100);
  EXPECT_FALSE(c->IsWidthStored());
  c->SetWidth(120);
  c->SetWidth(100);
  EXPECT_TRUE(c->IsWidthStored());
  EXPECT_EQ(c->Width(), 100);
  c->SetWidth(5);
  EXPECT_EQ(c->Width(), 20);
  c->SetMinWidth(-3);
  EXPECT_EQ(c->MinWidth(), 0);
}

TEST_F(DxTLColumnTest, ACaptionEqualToTheDefaultIsStoredButNotWritten) {
  struct TNamedColumn : TdxTreeListColumn {
    using TdxTreeListColumn::TdxTreeListColumn;
    String GetDefaultCaption() override { return u"A"; }
  } c(nullptr);
  EXPECT_EQ(c.Caption(), u"A");
  c.SetCaption(u"A");
  EXPECT_TRUE(c.IsCaptionStored());
  EXPECT_FALSE(c.IsCaptionWritten());
  c.SetCaption(u"B");
  EXPECT_TRUE(c.IsCaptionWritten());
}

TEST_F(DxTLColumnTest, RowIndexFollowsTheHeaderPanelButKeepsTheStoredRow) {
  auto* tl = MakeTreeList();
  tl->SetHeaderPanelRowCount(2);
  tl->CreateColumn(TdxTreeListColumn::StaticClass());  // keeps row 0 in use
  TdxTreeListColumn* c = tl->CreateColumn(TdxTreeListColumn::StaticClass());
  c->SetRowIndex(3);
  EXPECT_EQ(c->RowIndex(), 1);
  EXPECT_EQ(c->StoredRowIndex(), 1);
  c->SetStoredRowIndex(3);  // as read from a form
  EXPECT_EQ(c->RowIndex(), 1);
  EXPECT_EQ(c->StoredRowIndex(), 3);
}

TEST_F(DxTLColumnTest, BandIndexIsClampedToTheBands) {
  auto* tl = MakeTreeList();
  tl->Bands()->Add();
  tl->Bands()->Add();
  TdxTreeListColumn* c = tl->CreateColumn(TdxTreeListColumn::StaticClass());
  c->SetBandIndex(7);
  EXPECT_EQ(c->BandIndex(), 2);
  c->SetBandIndex(-5);
  EXPECT_EQ(c->BandIndex(), -1);
}

TEST_F(DxTLColumnTest, ColIndexOfAHiddenColumnIsTheLastPlaceInItsRow) {
  auto* tl = MakeTreeList();
  auto* a = tl->CreateColumn(TdxTreeListColumn::StaticClass());
  auto* b = tl->CreateColumn(TdxTreeListColumn::StaticClass());
  auto* c = tl->CreateColumn(TdxTreeListColumn::StaticClass());
  b->SetVisible(false);
  EXPECT_EQ(a->ColIndex(), 0);
  EXPECT_EQ(c->ColIndex(), 1);
  EXPECT_EQ(b->ColIndex(), 1);
  c->SetColIndex(0);
  EXPECT_EQ(tl->GetColumn(0), c);
}

// Moving right lands at the asked position too: into the middle of a row and at its end.
TEST_F(DxTLColumnTest, ColIndexMovesAColumnRightToTheAskedPlace) {
  auto* tl = MakeTreeList();
  std::vector<TdxTreeListColumn*> c;
  for (int i = 0; i < 4; ++i) c.push_back(tl->CreateColumn(TdxTreeListColumn::StaticClass()));
  c[0]->SetColIndex(2);
  EXPECT_EQ(c[0]->ColIndex(), 2);
  EXPECT_EQ(c[3]->ColIndex(), 3);
  c[1]->SetColIndex(3);
  EXPECT_EQ(c[1]->ColIndex(), 3);
  EXPECT_EQ(c[0]->ColIndex(), 1);
}

TEST_F(DxTLColumnTest, AssignCopiesOnlyStoredValues) {
  auto* tl = MakeTreeList();
  auto* src = tl->CreateColumn(TdxTreeListColumn::StaticClass());
  auto* dst = tl->CreateColumn(TdxTreeListColumn::StaticClass());
  dst->SetWidth(150);
  src->SetCaption(u"Фамилия");
  src->SetMinWidth(40);
  dst->Assign(src);
  EXPECT_EQ(dst->Caption(), u"Фамилия");
  EXPECT_EQ(dst->MinWidth(), 40);
  EXPECT_FALSE(dst->IsWidthStored());
  EXPECT_EQ(dst->Width(), 100);
}

TEST_F(DxTLColumnTest, MaskColumnsKeepTheirBlankFlagOnAssignAndStreamByName) {
  auto* tl = MakeTreeList();
  auto* src = tl->CreateColumnOf<TdxTreeListMaskColumn>();
  auto* dst = tl->CreateColumnOf<TdxTreeListMaskColumn>();
  src->SetEditMask(u"000;1;_");
  src->SetIgnoreMaskBlank(true);
  dst->Assign(src);
  EXPECT_EQ(dst->EditMask(), u"000;1;_");
  EXPECT_FALSE(dst->IgnoreMaskBlank());
  EXPECT_EQ(dst->GetEditorClass(), TdxInplaceTreeListMaskEdit::StaticEditClass());
  TClass cls = GetClass(u"TdxTreeListMaskColumn");
  ASSERT_NE(cls, nullptr);
  std::unique_ptr<TObject> made(cls->NewInstance(nullptr));
  EXPECT_NE(dynamic_cast<TdxTreeListMaskColumn*>(made.get()), nullptr);
}

}  // namespace
