#include <gtest/gtest.h>

#include "ClassesFixtures.h"
#include "platform/rtl/String.h"

namespace object_model_test {

class TAbstractThing : public TComponent {
  TRENVIK_CLASS(TAbstractThing, TComponent);

 public:
  using TComponent::TComponent;
  virtual void Run() = 0;
};
TRENVIK_IMPLEMENT_CLASS(TAbstractThing)

// A second class that calls itself TTestWidget, for the duplicate-name check.
namespace other {
class TTestWidget : public TPersistent {
  TRENVIK_CLASS(TTestWidget, TPersistent);
};
TRENVIK_IMPLEMENT_CLASS(TTestWidget)
}  // namespace other

}  // namespace object_model_test

namespace {

using object_model_test::TAbstractThing;

TEST(ObjectModel, ClassReferencesDescribeTheHierarchy) {
  TTestPanel panel(nullptr);
  TObject* object = &panel;
  EXPECT_EQ(object->ClassType(), TTestPanel::StaticClass());
  EXPECT_EQ(object->ClassName(), u"TTestPanel");
  EXPECT_EQ(object->ClassParent(), TTestWidget::StaticClass());
  EXPECT_TRUE(object->InheritsFrom(TComponent::StaticClass()));
  EXPECT_TRUE(object->InheritsFrom(TObject::StaticClass()));
  EXPECT_TRUE(object->InheritsFrom(TTestPanel::StaticClass()));
  EXPECT_FALSE(object->InheritsFrom(TCollection::StaticClass()));
  EXPECT_EQ(TObject::StaticClass()->ClassParent(), nullptr);
  EXPECT_EQ(TPersistent::StaticClass()->ClassParent(), TObject::StaticClass());
}

TEST(ObjectModel, RegisteredClassesAreFoundByNameAndConstructedVirtually) {
  RegisterTestClasses();
  TTestForm owner(nullptr);
  TClass cls = FindClass(u"ttestpanel");  // names match case-insensitively
  ASSERT_EQ(cls, TTestPanel::StaticClass());
  TComponent* made = CreateComponent(cls, &owner);
  EXPECT_NE(dynamic_cast<TTestPanel*>(made), nullptr);
  EXPECT_EQ(made->Owner(), &owner);
  EXPECT_EQ(owner.ComponentCount(), 1);
  // Registering a class registers its ancestors up to TPersistent.
  EXPECT_EQ(GetClass(u"TComponent"), TComponent::StaticClass());
  EXPECT_EQ(GetClass(u"TPersistent"), TPersistent::StaticClass());
  EXPECT_EQ(GetClass(u"TObject"), nullptr);
  // A collection item is constructed with its collection.
  TTestColumns columns(nullptr);
  TObject* item = TTestColumn::StaticClass()->NewInstance(&columns);
  EXPECT_EQ(static_cast<TTestColumn*>(item)->Collection(), &columns);
  EXPECT_EQ(columns.Count(), 1);
}

TEST(ObjectModel, RegistryAndConstructionErrors) {
  RegisterTestClasses();
  EXPECT_EQ(GetClass(u"TNoSuchClass"), nullptr);
  try {
    FindClass(u"TNoSuchClass");
    FAIL();
  } catch (const EClassNotFound& e) {
    EXPECT_STREQ(e.what(), "Class TNoSuchClass not found");
  }
  try {
    RegisterClass(object_model_test::other::TTestWidget::StaticClass());
    FAIL();
  } catch (const EFilerError& e) {
    EXPECT_STREQ(e.what(), "A class named TTestWidget already exists");
  }
  RegisterClass(TTestWidget::StaticClass());  // the same class again is fine
  EXPECT_FALSE(TAbstractThing::StaticClass()->CanCreate());
  EXPECT_THROW(CreateComponent(TAbstractThing::StaticClass(), nullptr), EAbstractError);
  // An item's constructor wants a collection, a component's an owner.
  TTestForm form(nullptr);
  EXPECT_THROW(TTestColumn::StaticClass()->NewInstance(&form), EInvalidCast);
  EXPECT_THROW(CreateComponent(TTestFont::StaticClass(), nullptr), EInvalidCast);
  UnRegisterClass(TTestPanel::StaticClass());
  EXPECT_EQ(GetClass(u"TTestPanel"), nullptr);
  RegisterTestClasses();
}

TEST(ObjectModel, ClassGroupsHoldTheDescendantsPutIntoThem) {
  EXPECT_EQ(ClassGroupOf(TTestLabel::StaticClass()), nullptr);
  try {
    GroupDescendentsWith(TTestLabel::StaticClass(), TTestForm::StaticClass());
    FAIL();
  } catch (const EFilerError& e) {
    EXPECT_STREQ(e.what(), "Class TTestForm is in no class group");
  }
  StartClassGroup(TTestForm::StaticClass());
  StartClassGroup(TTestForm::StaticClass());  // opening it again changes nothing
  GroupDescendentsWith(TTestWidget::StaticClass(), TTestForm::StaticClass());
  EXPECT_EQ(ClassGroupOf(TTestForm::StaticClass()), TTestForm::StaticClass());
  EXPECT_EQ(ClassGroupOf(TTestPanel::StaticClass()), TTestForm::StaticClass()) << "a descendant of the grouped class";
  EXPECT_EQ(ClassGroupOf(TTestFont::StaticClass()), nullptr);
}

TEST(ObjectModel, AssignCopiesOrRaisesWithBothClassNames) {
  TTestFont a, b;
  a.SetName(u"Arial");
  a.SetStyle({tsBold, tsUnderline});
  b.Assign(&a);
  EXPECT_EQ(b.Name(), u"Arial");
  EXPECT_EQ(b.Style(), (TTestStyles{tsBold, tsUnderline}));

  TTestWidget widget(nullptr);
  TTestColumns columns(nullptr);
  struct Case {
    TPersistent* dest;
    TPersistent* source;
    const char* message;
  };
  const Case cases[] = {
      {&a, &widget, "Cannot assign a TTestWidget to a TTestFont"},
      {&a, nullptr, "Cannot assign a nil to a TTestFont"},
      {&widget, &a, "Cannot assign a TTestFont to a TTestWidget"},
      {&columns, &a, "Cannot assign a TTestFont to a TTestColumns"},
  };
  for (const Case& c : cases) {
    try {
      c.dest->Assign(c.source);
      ADD_FAILURE() << c.message;
    } catch (const EConvertError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

TEST(PublishedProperties, AreInheritedAndFoundByName) {
  const TPropList& list = GetPropList(TTestPanel::StaticClass());
  std::vector<String> names;
  for (const auto& p : list.Properties()) names.push_back(p->Name);
  const std::vector<String> expected = {u"Name",    u"Tag",   u"Caption", u"Align",   u"Ratio",
                                        u"Price",   u"Big",   u"Letter",  u"Enabled", u"Font",
                                        u"Columns", u"Value", u"Lines",   u"Buddy",   u"OnClick"};
  EXPECT_EQ(names, expected);
  const TPropInfo* align = GetPropInfo(TTestPanel::StaticClass(), u"ALIGN");
  ASSERT_NE(align, nullptr);
  EXPECT_EQ(align->Kind, tkEnumeration);
  EXPECT_EQ(align->Enum->TypeName(), u"TTestAlign");
  EXPECT_EQ(GetPropInfo(TTestPanel::StaticClass(), u"Font")->PropClass, TTestFont::StaticClass());
  EXPECT_EQ(GetPropInfo(TTestPanel::StaticClass(), u"Big")->Kind, tkInt64);
  EXPECT_EQ(GetPropInfo(TTestPanel::StaticClass(), u"Letter")->Kind, tkChar);
  EXPECT_EQ(GetPropInfo(TTestPanel::StaticClass(), u"OnClick")->Kind, tkMethod);
  EXPECT_EQ(GetPropInfo(TTestPanel::StaticClass(), u"Nope"), nullptr);
}

TEST(PublishedProperties, ValuesByNameAndEnumerationTables) {
  TTestWidget w(nullptr);
  SetEnumProp(&w, u"Align", u"taClient");
  EXPECT_EQ(w.Align(), taClient);
  EXPECT_EQ(GetEnumProp(&w, u"Align"), u"taClient");
  SetSetProp(w.Font(), u"Style", u"[tsUnderline, tsBold]");
  EXPECT_EQ(w.Font()->Style(), (TTestStyles{tsBold, tsUnderline}));
  EXPECT_EQ(GetSetProp(w.Font(), u"Style"), u"[tsBold,tsUnderline]");
  SetStrProp(&w, u"Caption", u"Окно");
  EXPECT_EQ(w.Caption(), u"Окно");
  SetFloatProp(&w, u"Ratio", 2.5);
  EXPECT_EQ(GetFloatProp(&w, u"Ratio"), 2.5);
  SetOrdProp(&w, u"Enabled", 0);
  EXPECT_FALSE(w.Enabled());
  EXPECT_EQ(GetObjectProp(&w, u"Font"), w.Font());

  EXPECT_EQ(GetEnumName(EnumInfo<TTestAlign>(), 1), u"taLeft");
  EXPECT_EQ(GetEnumValue(EnumInfo<TTestAlign>(), u"TACLIENT"), 2);
  EXPECT_EQ(GetEnumValue(EnumInfo<TTestAlign>(), u"taRight"), -1);
  EXPECT_EQ(GetEnumName(EnumInfo<TTestAlign>(), 7), u"");
  EXPECT_EQ(GetEnumName(BooleanEnumInfo(), 1), u"True");

  struct Bad {
    void (*set)(TTestWidget&);
    const char* message;
  };
  const Bad bad[] = {
      {[](TTestWidget& x) { SetEnumProp(&x, u"Align", u"taRight"); }, "Invalid property element: taRight"},
      {[](TTestWidget& x) { SetSetProp(x.Font(), u"Style", u"[tsBold, tsStrike]"); },
       "Invalid property element: tsStrike"},
      {[](TTestWidget& x) { SetOrdProp(&x, u"Missing", 1); }, "Property Missing does not exist"},
      {[](TTestWidget& x) { SetStrProp(&x, u"Align", u"x"); }, "Invalid property type: Align"},
  };
  for (const Bad& b : bad) {
    try {
      b.set(w);
      ADD_FAILURE() << b.message;
    } catch (const EPropertyError& e) {
      EXPECT_STREQ(e.what(), b.message);
    }
  }
}

TEST(PublishedProperties, EventsBindToMethodsByName) {
  TTestForm form(nullptr);
  TTestWidget* button = new TTestWidget(&form);
  button->SetName(u"Button1");
  button->OnClick = MethodAddress<void(TObject*)>(&form, u"button1click");
  ASSERT_TRUE(button->OnClick);
  button->OnClick(button);
  EXPECT_EQ(form.clicks, std::vector<std::string>{"Button1"});
  TMethodRef ref = GetMethodProp(button, u"OnClick");
  EXPECT_EQ(ref.Data, &form);
  ASSERT_NE(ref.Method, nullptr);
  EXPECT_EQ(ref.Method->Name, u"Button1Click");
  EXPECT_FALSE(MethodAddress<void(TObject*)>(&form, u"NoSuchHandler"));
  EXPECT_THROW(MethodAddress<void(TObject*)>(&form, u"ShowMessage"), EInvalidCast);
  // A lambda is a working handler, but not a named one.
  button->OnClick = [](TObject*) {};
  EXPECT_FALSE(GetMethodProp(button, u"OnClick"));
}

}  // namespace
