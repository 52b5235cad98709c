#include "dx/bars/dxBarGroup.h"
#include "dx/bars/tests/dxBarTestSupport.h"

namespace {

class DxBarGroupTest : public DxBarTest {};

TEST_F(DxBarGroupTest, GroupsPassEnabledAndVisibleToNestedMembers) {
  TdxBarItem* a = MakeItem(u"A");
  TdxBarItem* b = MakeItem(u"B");
  auto* outer = new TdxBarGroup(form.get());
  auto* inner = new TdxBarGroup(form.get());
  outer->Add(a);
  outer->Add(inner);
  inner->Add(b);
  outer->Add(a);           // once only
  outer->Add(form.get());  // neither an item nor a group
  EXPECT_EQ(outer->Count(), 2);
  EXPECT_EQ(manager->GroupCount(), 2);
  outer->SetEnabled(false);
  EXPECT_FALSE(a->Enabled());
  EXPECT_FALSE(b->Enabled());
  EXPECT_FALSE(inner->Enabled());
  outer->SetVisible(ivNever);
  EXPECT_EQ(b->Visible(), ivNever);
  EXPECT_FALSE(manager->LockUpdate());
  delete b;  // a freed member leaves its group
  EXPECT_EQ(inner->Count(), 0);
}

TEST_F(DxBarGroupTest, AGroupCannotContainItself) {
  auto* outer = new TdxBarGroup(form.get());
  auto* middle = new TdxBarGroup(form.get());
  auto* inner = new TdxBarGroup(form.get());
  outer->Add(middle);
  middle->Add(inner);
  for (TdxBarGroup* recursive : {outer, middle}) {
    try {
      inner->Add(recursive);
      FAIL() << "a recursive group was made";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), u"You cannot create recursive groups");
    }
  }
  EXPECT_THROW(outer->Add(outer), Exception);
  EXPECT_EQ(inner->Count(), 0);
}

TEST_F(DxBarGroupTest, CategoryChangesKeepItemsWithTheirCategories) {
  for (const char16_t* name : {u"File", u"Edit", u"View"}) manager->Categories()->Add(name);
  // Categories: Default 0, File 1, Edit 2, View 3.
  TdxBarItem* file = MakeItem(u"Open", 1);
  TdxBarItem* edit = MakeItem(u"Copy", 2);
  TdxBarItem* view = MakeItem(u"Zoom", 3);
  manager->MoveCategory(3, 1);  // Default, View, File, Edit
  EXPECT_EQ(view->Category(), 1);
  EXPECT_EQ(file->Category(), 2);
  EXPECT_EQ(edit->Category(), 3);
  EXPECT_EQ(manager->Categories()->Strings(1), u"View");
  manager->ExchangeCategories(2, 3);  // Default, View, Edit, File
  EXPECT_EQ(file->Category(), 3);
  EXPECT_EQ(edit->Category(), 2);
  manager->InsertCategory(1, u"Tools");  // Default, Tools, View, Edit, File
  EXPECT_EQ(view->Category(), 2);
  EXPECT_EQ(file->Category(), 4);
  bool editFreed = false;
  edit->OnDestroy = [&](TObject*) { editFreed = true; };
  manager->DeleteCategory(3);  // Edit goes with its items
  EXPECT_TRUE(editFreed);
  EXPECT_EQ(file->Category(), 3);
  EXPECT_EQ(manager->Categories()->Count(), 4);
  while (manager->Categories()->Count() > 1) manager->DeleteCategory(0);
  manager->DeleteCategory(0);  // the list never stays empty
  EXPECT_EQ(manager->Categories()->Count(), 1);
  EXPECT_EQ(manager->Categories()->Strings(0), u"Default");
  EXPECT_EQ(manager->ItemCount(), 0);
}

}  // namespace
