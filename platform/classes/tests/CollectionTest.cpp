#include <gtest/gtest.h>

#include "ClassesFixtures.h"
#include "platform/rtl/String.h"

namespace {

TEST(Collection, AddIndexIdAndUpdates) {
  TTestWidget owner(nullptr);
  TTestColumns& c = *owner.Columns();
  TTestColumn* a = c.Add();
  TTestColumn* b = c.Add();
  TTestColumn* d = c.Add();
  EXPECT_EQ(c.Count(), 3);
  EXPECT_EQ((std::vector<int>{a->ID(), b->ID(), d->ID()}), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(c.updates, (std::vector<int>{-1, -1, -1}));
  EXPECT_EQ(c.Owner(), &owner);
  EXPECT_EQ(c.ItemClass(), TTestColumn::StaticClass());

  c.updates.clear();
  b->SetCaption(u"Фамилия");  // an item change names the item
  d->SetIndex(0);             // a move changes the whole collection
  EXPECT_EQ(c.updates, (std::vector<int>{1, -1}));
  EXPECT_EQ(c.Items(0), d);
  EXPECT_EQ(a->Index(), 1);
  EXPECT_EQ(b->DisplayName(), u"Фамилия");
  EXPECT_EQ(a->DisplayName(), u"TTestColumn");

  // Inside an update nothing is reported; the last EndUpdate reports once.
  c.updates.clear();
  c.BeginUpdate();
  c.BeginUpdate();
  a->SetWidth(10);
  c.Add();
  c.EndUpdate();
  EXPECT_TRUE(c.updates.empty());
  c.EndUpdate();
  EXPECT_EQ(c.updates, (std::vector<int>{-1}));

  // IDs are never reused; FindItemID follows them.
  c.Delete(0);
  TTestColumn* e = c.Add();
  EXPECT_EQ(e->ID(), 4);
  EXPECT_EQ(c.FindItemID(1), b);
  EXPECT_EQ(c.FindItemID(2), nullptr);
  TCollectionItem* inserted = c.Insert(0);
  EXPECT_EQ(inserted->Index(), 0);
  EXPECT_EQ(inserted->ID(), 5);
  EXPECT_THROW(c.Items(c.Count()), EListError);
  EXPECT_THROW(c.Insert(c.Count() + 1), EListError);

  // An item freed on its own leaves the collection.
  delete b;
  EXPECT_EQ(c.FindItemID(1), nullptr);
  c.updates.clear();
  c.Clear();
  EXPECT_EQ(c.Count(), 0);
  EXPECT_EQ(c.updates, (std::vector<int>{-1}));
}

TEST(Collection, AssignCopiesItemsAndItemsMoveBetweenCollections) {
  TTestColumns source(nullptr), dest(nullptr);
  source.Add()->SetCaption(u"A");
  source.Add()->SetCaption(u"B");
  dest.Add()->SetCaption(u"old");
  dest.updates.clear();
  dest.Assign(&source);
  ASSERT_EQ(dest.Count(), 2);
  EXPECT_EQ(dest.Items(1)->Caption(), u"B");
  EXPECT_EQ(dest.updates, (std::vector<int>{-1}));

  TTestColumn* moved = source.Items(0);
  moved->SetCollection(&dest);
  EXPECT_EQ(source.Count(), 1);
  EXPECT_EQ(dest.Count(), 3);
  EXPECT_EQ(moved->Collection(), &dest);
}

}  // namespace
