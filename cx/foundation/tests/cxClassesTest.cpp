#include <gtest/gtest.h>

#include <memory>

#include "cx/foundation/cxClasses.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/StringTable.h"

// A small hierarchy to register: TcxTestA <- TcxTestB <- TcxTestC, TcxTestA <- TcxTestD.
class TcxTestA : public TPersistent {
  TRENVIK_CLASS(TcxTestA, TPersistent);
};
class TcxTestB : public TcxTestA {
  TRENVIK_CLASS(TcxTestB, TcxTestA);
};
class TcxTestC : public TcxTestB {
  TRENVIK_CLASS(TcxTestC, TcxTestB);
};
class TcxTestD : public TcxTestA {
  TRENVIK_CLASS(TcxTestD, TcxTestA);
};
class TcxTestOther : public TPersistent {
  TRENVIK_CLASS(TcxTestOther, TPersistent);
};
TRENVIK_IMPLEMENT_CLASS(TcxTestA)
TRENVIK_IMPLEMENT_CLASS(TcxTestB)
TRENVIK_IMPLEMENT_CLASS(TcxTestC)
TRENVIK_IMPLEMENT_CLASS(TcxTestD)
TRENVIK_IMPLEMENT_CLASS(TcxTestOther)

namespace {

TClass A() { return TcxTestA::StaticClass(); }
TClass B() { return TcxTestB::StaticClass(); }
TClass C() { return TcxTestC::StaticClass(); }
TClass D() { return TcxTestD::StaticClass(); }
TClass Other() { return TcxTestOther::StaticClass(); }

std::vector<TClass> ItemClasses(const TcxRegisteredClassList& AList) {
  std::vector<TClass> result;
  for (int i = 0; i < AList.Count(); ++i) result.push_back(AList.Items(i).ItemClass);
  return result;
}

TEST(cxRegisteredClassList, AncestorsStayBeforeTheirDescendants) {
  TcxRegisteredClassList list;
  list.Register(B(), Other());
  list.Register(A(), D());
  EXPECT_EQ(ItemClasses(list), (std::vector<TClass>{A(), B()}));
  list.Register(C(), C());
  list.Register(D(), B());
  EXPECT_EQ(ItemClasses(list), (std::vector<TClass>{A(), D(), B(), C()}));

  // The most derived registered ancestor wins.
  EXPECT_EQ(list.FindClass(C()), C());
  EXPECT_EQ(list.FindClass(B()), Other());
  EXPECT_EQ(list.FindClass(D()), B());
  EXPECT_EQ(list.FindClass(A()), D());
  EXPECT_EQ(list.FindClass(Other()), nullptr);
  EXPECT_EQ(list.FindClass(TPersistent::StaticClass()), nullptr);
}

TEST(cxRegisteredClassList, FindReportsTheFirstDescendantWhenNoAncestorIsRegistered) {
  TcxRegisteredClassList list;
  list.Register(D(), Other());
  list.Register(C(), Other());
  int index = 7;
  EXPECT_FALSE(list.Find(A(), index));
  EXPECT_EQ(index, 0);
  index = 7;
  EXPECT_FALSE(list.Find(Other(), index));
  EXPECT_EQ(index, 7);
  // A base registered later goes before the first of its descendants.
  list.Register(A(), A());
  EXPECT_EQ(list.Items(0).ItemClass, A());
}

TEST(cxRegisteredClassList, UnregisterRemovesEveryEqualPair) {
  TcxRegisteredClassList list;
  list.Register(A(), B());
  list.Register(A(), B());
  list.Register(A(), C());
  list.Unregister(A(), B());
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Items(0).RegisteredClass, C());
  EXPECT_THROW(list.Items(1), EListError);
}

TEST(cxRegisteredClasses, ACatalogueOfNamedClasses) {
  TcxRegisteredClasses classes;
  classes.Register(B(), u"Bee|second");
  classes.Register(A(), u"Ay|first");
  classes.Register(B(), u"ignored");
  ASSERT_EQ(classes.Count(), 2);
  EXPECT_EQ(classes.Descriptions(0), u"Bee|second");
  EXPECT_EQ(classes.Items(1), A());
  EXPECT_EQ(classes.GetIndexByClass(A()), 1);
  EXPECT_EQ(classes.GetIndexByClass(C()), -1);

  EXPECT_EQ(classes.FindByClassName(u"TcxTestA"), A());
  EXPECT_EQ(classes.FindByClassName(u"tcxtesta"), nullptr);

  classes.Unregister(B());
  classes.Unregister(C());
  EXPECT_EQ(classes.Count(), 1);
  EXPECT_EQ(classes.FindByClassName(u"TcxTestB"), nullptr);
}

TEST(cxRegisteredClasses, CanRegisterForStreaming) {
  EXPECT_EQ(GetClass(u"TcxTestD"), nullptr);
  {
    TcxRegisteredClasses classes(true);
    classes.Register(D(), u"Dee");
    EXPECT_EQ(GetClass(u"TcxTestD"), D());
  }
  UnRegisterClass(D());
  TcxRegisteredClasses plain;
  plain.Register(C(), u"Cee");
  EXPECT_EQ(GetClass(u"TcxTestC"), nullptr);
}

// --- Width distribution ---

struct TAutoWidthCase {
  const char* name;
  int available;
  std::vector<int> widths, minWidths;
  std::vector<bool> fixed;
  std::vector<int> expected;
};

TEST(cxAutoWidthObject, DistributesProportionallyWithMinimums) {
  const TAutoWidthCase cases[] = {
      {"only fixed items keep their widths", 500, {30, 40}, {50, 50}, {true, true}, {30, 40}},
      {"running totals 3.33, 6.67, 10 round to 3, 7, 10", 10, {1, 1, 1}, {0, 0, 0}, {}, {3, 4, 3}},
      {"fixed items leave the rest to the others",
       100,
       {30, 10, 30},
       {0, 0, 0},
       {true, false, false},
       {30, 18, 52}},
      {"an item under its minimum is settled and the rest shared again",
       100,
       {10, 10, 80},
       {20, 0, 0},
       {},
       {20, 9, 71}},
      {"a share equal to the minimum settles too", 10, {1, 1, 1}, {0, 0, 3}, {}, {4, 3, 3}},
      {"minimums beyond the space leave the rest below zero",
       100,
       {50, 50, 50},
       {60, 60, -100},
       {},
       {60, 60, -20}},
      {"no width to share", 100, {0, 0}, {5, 0}, {}, {5, 0}},
  };
  for (const TAutoWidthCase& c : cases) {
    TcxAutoWidthObject object(static_cast<int>(c.widths.size()));
    for (size_t i = 0; i < c.widths.size(); ++i) {
      TcxAutoWidthItem* item = object.AddItem();
      EXPECT_EQ(item->AutoWidth, -1);
      item->Width = c.widths[i];
      item->MinWidth = c.minWidths[i];
      item->Fixed = i < c.fixed.size() && c.fixed[i];
    }
    object.AvailableWidth = c.available;
    object.Calculate();
    std::vector<int> result;
    for (int i = 0; i < object.Count(); ++i) result.push_back(object.Items(i)->AutoWidth);
    EXPECT_EQ(result, c.expected) << c.name;
  }
}

TEST(cxAutoWidthObject, SettledItemsStayOnASecondCalculation) {
  TcxAutoWidthObject object;
  for (int w : {10, 30}) object.AddItem()->Width = w;
  EXPECT_EQ(object.TotalWidth(), 40);
  object.AvailableWidth = 80;
  object.Calculate();
  object.AvailableWidth = 400;
  object.Calculate();
  EXPECT_EQ(object.Items(0)->AutoWidth, 20);
  EXPECT_EQ(object.Items(1)->AutoWidth, 60);
}

// --- Objects and components ---

class TCountedObject : public TObject {
 public:
  explicit TCountedObject(int& ACounter) : counter_(ACounter) {}
  ~TCountedObject() override { ++counter_; }

 private:
  int& counter_;
};

TEST(cxObjectList, OwnsItsObjects) {
  int freed = 0;
  {
    TcxObjectList list;
    EXPECT_EQ(list.Add(new TCountedObject(freed)), 0);
    EXPECT_EQ(list.Add(new TCountedObject(freed)), 1);
    list.Clear();
    EXPECT_EQ(freed, 2);
    EXPECT_EQ(list.Count(), 0);
    list.Add(new TCountedObject(freed));
  }
  EXPECT_EQ(freed, 3);
}

TEST(cxInterfacedPersistent, KnowsItsOwnerAndIsMadeByClass) {
  TPersistent owner;
  TcxInterfacedPersistent p(&owner);
  EXPECT_EQ(p.GetOwner(), &owner);
  std::unique_ptr<TObject> made(TcxInterfacedPersistent::StaticClass()->NewInstance(&owner));
  EXPECT_EQ(static_cast<TcxInterfacedPersistent*>(made.get())->Owner(), &owner);
}

class TcxLinkedComponent : public TcxComponent {
 public:
  using TcxComponent::TcxComponent;
  std::vector<TComponent*> Links;

 protected:
  void GetFakeComponentLinks(std::vector<TComponent*>& AList) override { AList = Links; }
};

TEST(cxComponent, FakeLinksFollowTheListOnlyWhileDesigning) {
  TComponent owner(nullptr);
  auto* first = new TComponent(&owner);
  auto* second = new TComponent(&owner);
  auto* c = new TcxLinkedComponent(&owner);
  c->Links = {first, second};
  c->UpdateFakeLinks();
  EXPECT_EQ(c->FakeComponentLink1(), nullptr);

  c->SetDesigning(true);
  c->UpdateFakeLinks();
  EXPECT_EQ(c->FakeComponentLink1(), first);
  EXPECT_EQ(c->FakeComponentLink2(), second);
  EXPECT_EQ(c->FakeComponentLink3(), nullptr);

  // A freed component leaves no dangling link.
  delete second;
  EXPECT_EQ(c->FakeComponentLink2(), nullptr);

  c->Links = {};
  c->UpdateFakeLinks();
  EXPECT_EQ(c->FakeComponentLink1(), nullptr);
}

TEST(cxComponent, BeforeDestructionMarksTheComponentDestroying) {
  TcxComponent c(nullptr);
  auto* child = new TComponent(&c);
  c.BeforeDestruction();
  EXPECT_TRUE(c.ComponentState().Contains(csDestroying));
  EXPECT_TRUE(child->ComponentState().Contains(csDestroying));
}

TEST(cxResourceStrings, ReplacementsComeBeforeTheStringTable) {
  constexpr int id = 0x7E51;
  RegisterResourceString(id, u"Original");
  EXPECT_EQ(cxGetResourceString(id), u"Original");
  cxSetResourceStringReplacement(id, u"Replaced");
  EXPECT_EQ(cxGetResourceString(id), u"Replaced");
  cxClearResourceStringReplacements();
  EXPECT_EQ(cxGetResourceString(id), u"Original");
}

}  // namespace
