#include <memory>

#include "cx/editors/cxTextEdit.h"
#include "cx/editors/tests/cxEditTestUtil.h"

namespace {

// An edit over text-edit properties whose text is set by the test.
class TTestTextEdit : public TcxCustomEdit {
  TRENVIK_CLASS(TTestTextEdit, TcxCustomEdit);

 public:
  explicit TTestTextEdit(TComponent* AOwner) : TcxCustomEdit(AOwner) { CreateProperties(); }
  TClass GetPropertiesClass() override { return TcxTextEditProperties::StaticClass(); }
  TcxCustomTextEditProperties* Props() {
    return static_cast<TcxCustomTextEditProperties*>(GetActiveProperties());
  }
  void GetDisplayValue(Variant& Value) override { Value = Text; }
  void DisplayToEditValue(const Variant& DisplayValue, Variant& EditValue, bool) override {
    EditValue = StrToFloat(VarToStr(DisplayValue));
  }
  String Text;
};

class TBoundedTextProperties : public TcxTextEditProperties {
 public:
  explicit TBoundedTextProperties(TPersistent* AOwner) : TcxTextEditProperties(AOwner) {}
  bool SupportsValueBounds() override { return true; }
};

class TRequiredFieldProvider : public TcxCustomEditDefaultValuesProvider {
 public:
  TRequiredFieldProvider() : TcxCustomEditDefaultValuesProvider(nullptr) {}
  bool DefaultRequired() override { return true; }
  int DefaultMaxLength() override { return 30; }
};

}  // namespace

TRENVIK_IMPLEMENT_CLASS(TTestTextEdit)

namespace {

TEST(CxTextEditProperties, DisplayTextConvertsLatinLettersOnlyAndMasksPasswords) {
  TcxTextEditProperties properties(nullptr);
  struct Case {
    TEditCharCase charCase;
    TcxEditEchoMode echo;
    const char16_t* value;
    const char16_t* expected;
  };
  const Case cases[] = {
      {ecNormal, eemNormal, u"Иванов Ivan", u"Иванов Ivan"},
      {ecUpperCase, eemNormal, u"Иванов Ivan", u"Иванов IVAN"},
      {ecLowerCase, eemNormal, u"ПЕТРОВ PETR", u"ПЕТРОВ petr"},
      {ecUpperCase, eemPassword, u"секрет", u"******"},
  };
  for (const Case& c : cases) {
    properties.SetCharCase(c.charCase);
    properties.SetEchoMode(c.echo);
    EXPECT_EQ(properties.GetDisplayText(Variant(String(c.value))), c.expected) << StringToUtf8(c.value);
  }
}

TEST(CxTextEditProperties, BoundsClampAgainstEachOtherAndEqualBoundsSwitchTheCheckOff) {
  TcxTextEditProperties properties(nullptr);
  properties.SetMinValue(10);
  properties.SetMaxValue(5);
  EXPECT_EQ(properties.MaxValue(), 10);
  properties.SetMinValue(20);
  EXPECT_EQ(properties.MinValue(), 10);

  TTestTextEdit edit(nullptr);
  TBoundedTextProperties bounded(nullptr);
  struct Case {
    double min, max;
    const char16_t* text;
    bool error;
  };
  const Case cases[] = {
      {18, 65, u"17", true}, {18, 65, u"18", false}, {18, 65, u"65", false},
      {18, 65, u"66", true}, {0, 0, u"500", false},  // equal bounds: no check
  };
  for (const Case& c : cases) {
    bounded.AssignedValues()->RestoreDefaults();
    bounded.SetMinValue(c.min);
    bounded.SetMaxValue(c.max);
    Variant value = String(c.text);
    String errorText;
    bool error = false;
    bounded.ValidateDisplayValue(value, errorText, error, &edit);
    EXPECT_EQ(error, c.error) << StringToUtf8(c.text);
    if (c.error) {
      EXPECT_EQ(errorText, u"Value out of bounds");
    }
  }
}

TEST(CxTextEditProperties, MaxLengthComesFromTheProviderUntilAssigned) {
  TcxTextEditProperties properties(nullptr);
  EXPECT_EQ(properties.MaxLength(), 0);
  properties.SetDefaultValuesProvider(std::make_shared<TRequiredFieldProvider>());
  EXPECT_EQ(properties.MaxLength(), 30);
  properties.SetMaxLength(-4);
  EXPECT_EQ(properties.MaxLength(), 0) << "assigned: negative becomes 0 and no limit";
  EXPECT_EQ(cxSupportedOperationsMask(properties.GetSupportedOperations()), 110);
  properties.Buttons()->Add();
  EXPECT_EQ(cxSupportedOperationsMask(properties.GetSupportedOperations()), 126);
}

TEST(CxTextEditProperties, RequiredEmptyTextIsValidOnlyWithAnEmptyLookupItem) {
  TcxTextEditProperties properties(nullptr);
  properties.SetDefaultValuesProvider(std::make_shared<TRequiredFieldProvider>());
  Variant empty = String();
  EXPECT_FALSE(properties.IsDisplayValueValid(empty, true));
  Variant null = Null();
  EXPECT_FALSE(properties.IsEditValueValid(null, true));
  properties.LookupItems()->Add(u"");
  EXPECT_TRUE(properties.IsDisplayValueValid(empty, true));
}

TEST(CxTextEditProperties, AssignCopiesTheEffectiveMaxLengthAndOnlyAssignedBounds) {
  TcxTextEditProperties source(nullptr), target(nullptr);
  source.SetDefaultValuesProvider(std::make_shared<TRequiredFieldProvider>());
  source.SetMinValue(3);
  source.LookupItems()->Add(u"б");
  source.LookupItems()->Add(u"а");
  source.SetLookupItemsSorted(true);
  target.SetMaxValue(99);
  target.Assign(&source);
  EXPECT_EQ(target.MaxLength(), 30);
  EXPECT_TRUE(target.AssignedValues()->MaxLength);
  EXPECT_FALSE(target.AssignedValues()->MaxValue);
  EXPECT_EQ(target.MinValue(), 3);
  EXPECT_TRUE(target.LookupItemsSorted());
  EXPECT_EQ(target.LookupItems()->Count(), 2);
}

// --- Lookup data ---

struct LookupFixture {
  TTestTextEdit edit{nullptr};
  std::unique_ptr<TcxCustomTextEditLookupData> data;
  explicit LookupFixture(std::initializer_list<const char16_t*> AItems) {
    for (const char16_t* item : AItems) edit.Props()->LookupItems()->Add(item);
    data = edit.Props()->CreateLookupData(&edit);
  }
};

TEST(CxTextEditLookupData, LocateMatchesPrefixesCaseInsensitivelyAndReturnsTheItemsCase) {
  LookupFixture f({u"a", u"ab", u"Москва", u"Мурманск"});
  struct Case {
    const char16_t* typed;
    bool found;
    const char16_t* text;
    const char16_t* tail;
    int key;
  };
  const Case cases[] = {
      {u"a", true, u"a", u"", 0},        {u"A", true, u"a", u"", 0},
      {u"AB", true, u"ab", u"", 1},      {u"му", true, u"Му", u"рманск", 3},
      {u"мос", true, u"Мос", u"ква", 2}, {u"x", false, u"x", u"", -1},  // free text: no current item
  };
  for (const Case& c : cases) {
    String text = c.typed, tail;
    EXPECT_EQ(f.data->Locate(text, tail, false, false), c.found) << StringToUtf8(c.typed);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(tail, c.tail);
    EXPECT_EQ(f.data->CurrentKey(), c.key);
  }
}

TEST(CxTextEditLookupData, NavigationTable) {
  struct Case {
    int items, start;
    TcxLookupNavigation direction;
    bool circular;
    int expected;
  };
  const Case cases[] = {
      {5, 4, lnNext, false, 4},       {5, 4, lnNext, true, 0},        {5, 0, lnPrior, false, 0},
      {5, 0, lnPrior, true, 4},       {12, -1, lnPageDown, false, 7}, {5, -1, lnPageDown, false, 4},
      {12, 3, lnPageDown, false, 10}, {12, 11, lnPageDown, true, 0},  {12, 9, lnPageDown, true, 11},
      {12, 9, lnPageUp, false, 2},    {12, 3, lnPageUp, false, 0},    {12, 0, lnPageUp, true, 11},
      {12, -1, lnPageUp, false, -1},  {5, 2, lnFirst, false, 0},      {5, 2, lnLast, false, 4},
  };
  for (const Case& c : cases) {
    TTestTextEdit edit(nullptr);
    for (int i = 0; i < c.items; ++i) edit.Props()->LookupItems()->Add(IntToStr(i));
    auto data = edit.Props()->CreateLookupData(&edit);
    data->SetCurrentKey(c.start);
    data->Navigate(c.direction, c.circular);
    EXPECT_EQ(data->CurrentKey(), c.expected)
        << c.items << " items from " << c.start << " dir " << c.direction;
  }
}

TEST(CxTextEditLookupData, AcceptingTheFocusedItemReportsExactlyOneChange) {
  LookupFixture f({u"один", u"два"});
  int selected = 0;
  f.data->SetOnItemSelected([&](TObject*) { ++selected; });
  f.data->SetItemIndex(1);
  f.data->AcceptFocusedItem();
  EXPECT_EQ(selected, 1);
  EXPECT_EQ(f.data->CurrentKey(), 1);
  f.data->AcceptFocusedItem();
  EXPECT_EQ(selected, 2) << "already current: still reported once";
  String text;
  f.data->GetDisplayText(Variant(7), text);
  EXPECT_TRUE(text.empty());
}

TEST(CxTextEditLookupData, EveryLookupDataOfSharedPropertiesHearsItemChangesAndAFreedOneDoesNot) {
  // Edits that share one properties object each have a lookup data over it.
  TTestTextEdit edit(nullptr);
  int firstChanges = 0, secondChanges = 0;
  auto first = edit.Props()->CreateLookupData(&edit);
  first->SetOnItemsChanged([&](TObject*) { ++firstChanges; });
  {
    auto second = edit.Props()->CreateLookupData(&edit);
    second->SetOnItemsChanged([&](TObject*) { ++secondChanges; });
    edit.Props()->LookupItems()->Add(u"x");
    EXPECT_EQ(firstChanges, 1);
    EXPECT_EQ(secondChanges, 1) << "the later one does not take the notification away";
  }
  edit.Props()->LookupItems()->Add(u"y");
  EXPECT_EQ(firstChanges, 2);
  EXPECT_EQ(secondChanges, 1) << "a freed lookup data is told nothing";
}

}  // namespace
