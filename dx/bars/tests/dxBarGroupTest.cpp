#include "dx/bars/dxBarBars.h"
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

TEST_F(DxBarGroupTest, AutoHideEmptyBarsFollowsTheCategoryThatEmptiedThem) {
  manager->Categories()->Add(u"Edit");
  auto barOf = [&](const char16_t* Caption, std::initializer_list<TdxBarItem*> Items) {
    TdxBar* bar = manager->Bars()->Add();
    bar->SetCaption(Caption);
    for (TdxBarItem* item : Items) bar->ItemLinks()->Add()->SetItem(item);
    bar->SetVisible(true);
    return bar;
  };
  TdxBarItem* copy = MakeItem(u"Copy", 1);
  TdxBarItem* paste = MakeItem(u"Paste", 1);
  TdxBar* editOnly = barOf(u"Edit", {copy, paste});
  TdxBar* mixed = barOf(u"Mixed", {copy, MakeItem(u"Open", 0)});
  TdxBar* hiddenByUser = barOf(u"Hidden", {paste});
  hiddenByUser->SetVisible(false);
  TdxBar* alreadyEmpty = barOf(u"Empty", {});
  manager->SetAutoHideEmptyBars(true);

  manager->SetCategoryItemsVisible(1, ivNever);
  EXPECT_FALSE(editOnly->Visible());
  EXPECT_TRUE(editOnly->HiddenBecauseEmpty());
  EXPECT_TRUE(mixed->Visible()) << "it still shows Open";
  EXPECT_FALSE(hiddenByUser->HiddenBecauseEmpty());
  EXPECT_TRUE(alreadyEmpty->Visible()) << "it was empty before";

  manager->SetCategoryItemsVisible(1, ivAlways);
  EXPECT_TRUE(editOnly->Visible());
  EXPECT_FALSE(editOnly->HiddenBecauseEmpty());
  EXPECT_FALSE(hiddenByUser->Visible()) << "the user hid it";

  // Turned off, the option forgets the bars it hid: they stay hidden.
  manager->SetCategoryItemsVisible(1, ivNever);
  manager->SetAutoHideEmptyBars(false);
  EXPECT_FALSE(editOnly->HiddenBecauseEmpty());
  manager->SetCategoryItemsVisible(1, ivAlways);
  EXPECT_FALSE(editOnly->Visible());
}

}  // namespace
