#include <gtest/gtest.h>

#include "ClassesFixtures.h"
#include "platform/rtl/String.h"

namespace {

using Log = std::vector<std::string>;

TTestWidget* Make(TComponent* owner, const char* name) {
  auto* w = new TTestWidget(owner);
  w->SetName(S(name));
  return w;
}

class ComponentTest : public testing::Test {
 protected:
  void SetUp() override { TestLog().clear(); }
};

TEST_F(ComponentTest, OwnerListsAndFreesItsComponentsLastFirst) {
  auto* owner = new TTestForm(nullptr);
  TTestWidget* a = Make(owner, "A");
  TTestWidget* b = Make(owner, "B");
  TTestWidget* c = Make(owner, "C");
  EXPECT_EQ(owner->ComponentCount(), 3);
  EXPECT_EQ(owner->Components(1), b);
  EXPECT_EQ(c->ComponentIndex(), 2);
  EXPECT_EQ(owner->FindComponent(u"b"), b);
  EXPECT_EQ(owner->FindComponent(u""), nullptr);
  EXPECT_THROW(owner->Components(3), EListError);
  c->SetComponentIndex(0);
  EXPECT_EQ(owner->Components(0), c);
  EXPECT_EQ(a->GetOwner(), owner);

  // Moving a component to another owner takes it out of the first.
  TTestForm other(nullptr);
  other.InsertComponent(a);
  EXPECT_EQ(a->Owner(), &other);
  EXPECT_EQ(owner->ComponentCount(), 2);
  other.RemoveComponent(a);
  EXPECT_EQ(a->Owner(), nullptr);
  owner->InsertComponent(a);

  delete owner;
  EXPECT_EQ(TestLog(), (Log{"free A", "free B", "free C"}));
}

TEST_F(ComponentTest, ComponentFreedBeforeItsOwnerLeavesTheOwner) {
  TTestForm owner(nullptr);
  TTestWidget* a = Make(&owner, "A");
  TTestWidget* b = Make(&owner, "B");
  a->SetBuddy(b);  // same owner: a hears of b through the owner
  delete b;
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(a->Buddy(), nullptr);
  EXPECT_EQ(TestLog(), (Log{"free B", "A lost B"}));
}

TEST_F(ComponentTest, FreeNotificationAcrossOwnersWorksBothWays) {
  auto* left = new TTestForm(nullptr);
  auto* right = new TTestForm(nullptr);
  TTestWidget* a = Make(left, "A");
  TTestWidget* b = Make(right, "B");
  a->SetBuddy(b);
  b->SetBuddy(a);
  delete right;  // b goes: a is told
  EXPECT_EQ(a->Buddy(), nullptr);
  EXPECT_EQ(TestLog(), (Log{"free B", "A lost B"}));
  delete left;  // a must not tell the freed b anything
  EXPECT_EQ(TestLog().back(), "free A");

  // RemoveFreeNotification ends the arrangement on both sides.
  TTestWidget x(nullptr), y(nullptr);
  x.SetBuddy(&y);
  x.SetBuddy(nullptr);
  TestLog().clear();
  {
    TTestWidget z(nullptr);
    z.SetName(u"Z");
    x.SetBuddy(&z);
  }
  EXPECT_EQ(x.Buddy(), nullptr);
}

TEST_F(ComponentTest, NotificationDuringOwnerDestruction) {
  auto* owner = new TTestForm(nullptr);
  TTestWidget* a = Make(owner, "A");
  TTestWidget* b = Make(owner, "B");
  TTestWidget* c = Make(owner, "C");
  a->SetBuddy(c);  // c goes first: a, still alive, is told and sees the owner destroying
  c->SetBuddy(a);  // a goes after c: nothing may reach the freed c
  b->SetBuddy(a);
  delete owner;
  EXPECT_EQ(TestLog(), (Log{"A lost C while destroying", "free C", "free B", "free A"}));
}

TEST_F(ComponentTest, DestroyingMarksTheComponentAndWhatItOwns) {
  TTestForm owner(nullptr);
  TTestWidget* a = Make(&owner, "A");
  owner.Destroying();
  EXPECT_TRUE(owner.ComponentState().Contains(csDestroying));
  EXPECT_TRUE(a->ComponentState().Contains(csDestroying));
}

TEST_F(ComponentTest, NamesMustBeIdentifiersAndUniqueUnderTheOwner) {
  TTestForm owner(nullptr);
  TTestWidget* a = Make(&owner, "Button1");
  TTestWidget* b = Make(&owner, "Button2");
  struct Case {
    const char* name;
    const char* error;  // nullptr: accepted
  };
  const Case cases[] = {
      {"Edit_1", nullptr},
      {"_x", nullptr},
      {"", nullptr},  // unnamed components are allowed, any number of them
      {"1abc", "\"1abc\" is not a valid component name"},
      {"a b", "\"a b\" is not a valid component name"},
      {"Кнопка", "\"Кнопка\" is not a valid component name"},
      {"Button1", "A component named Button1 already exists"},
      {"BUTTON1", "A component named BUTTON1 already exists"},
  };
  for (const Case& c : cases) {
    try {
      b->SetName(S(c.name));
      EXPECT_EQ(c.error, nullptr) << c.name;
      EXPECT_EQ(b->Name(), S(c.name));
    } catch (const EComponentError& e) {
      ASSERT_NE(c.error, nullptr) << c.name;
      EXPECT_STREQ(e.what(), c.error);
      EXPECT_NE(b->Name(), S(c.name));
    }
  }
  a->SetName(u"BUTTON1");  // its own name in other letters
  EXPECT_EQ(a->Name(), u"BUTTON1");
  // The same name under another owner is fine; bringing it over is not.
  TTestForm other(nullptr);
  TTestWidget* twin = Make(&other, "Button1");
  EXPECT_THROW(owner.InsertComponent(twin), EComponentError);
  EXPECT_EQ(twin->Owner(), &other);
}

TEST_F(ComponentTest, PublishedFieldsFollowTheComponentOfTheirName) {
  auto* form = new TTestForm(nullptr);
  TTestWidget* w = Make(form, "Grid1");
  EXPECT_EQ(form->Grid1, w);
  w->SetName(u"Other");
  EXPECT_EQ(form->Grid1, nullptr);
  w->SetName(u"grid1");
  EXPECT_EQ(form->Grid1, w);
  TTestForm elsewhere(nullptr);
  elsewhere.InsertComponent(w);
  EXPECT_EQ(form->Grid1, nullptr);
  EXPECT_EQ(elsewhere.Grid1, w);
  form->InsertComponent(w);
  delete w;  // freed on its own: no dangling field
  EXPECT_EQ(form->Grid1, nullptr);
  // A component of the wrong class cannot take the field's name.
  auto* wrong = new TTestWidget(form);
  try {
    wrong->SetName(u"Label1");
    ADD_FAILURE();
  } catch (const EInvalidCast& e) {
    EXPECT_STREQ(e.what(), "Field Label1 of TTestForm is a TTestLabel, not a TTestWidget");
  }
  EXPECT_EQ(wrong->Name(), u"");
  delete form;
}

TEST_F(ComponentTest, NamePaths) {
  TTestForm form(nullptr);
  form.SetName(u"Form1");
  TTestWidget* grid = Make(&form, "Grid1");
  grid->Columns()->Add();
  grid->Columns()->Add();
  EXPECT_EQ(grid->GetNamePath(), u"Grid1");
  EXPECT_EQ(grid->Columns()->GetNamePath(), u"Grid1.Columns");
  EXPECT_EQ(grid->Columns()->Items(1)->GetNamePath(), u"Grid1.Columns[1]");
  EXPECT_EQ(grid->Font()->GetNamePath(), u"TTestFont");
  TTestColumns loose(nullptr);
  EXPECT_EQ(loose.GetNamePath(), u"TTestColumns");
}

}  // namespace
