#include "cx/data/cxDB.h"

#include <gtest/gtest.h>

#include "cx/data/tests/FilterFixture.h"
#include "cx/data/tests/TestHelpers.h"
#include "platform/data/FieldTypes.h"
#include "platform/data/MemoryDataSet.h"

namespace {

class TPeopleQuery : public TMemoryDataSet {
  TRENVIK_CLASS(TPeopleQuery, TMemoryDataSet);

 public:
  using TMemoryDataSet::TMemoryDataSet;
};

class TPeopleTable : public TPeopleQuery {
  TRENVIK_CLASS(TPeopleTable, TPeopleQuery);

 public:
  using TPeopleQuery::TPeopleQuery;
};

}  // namespace

TRENVIK_IMPLEMENT_CLASS(TPeopleQuery)
TRENVIK_IMPLEMENT_CLASS(TPeopleTable)

namespace {

class TOtherAdapter : public TcxDBFilterOperatorAdapter {
  TRENVIK_CLASS(TOtherAdapter, TcxDBFilterOperatorAdapter);
};

}  // namespace

TRENVIK_IMPLEMENT_CLASS(TOtherAdapter)

namespace {

TEST(cxDB, FieldNamesInFiltersAndLists) {
  const struct {
    const char* name;
    const char* expected;
  } cases[] = {{"Last Name", "[Last Name]"}, {"LastName", "LastName"}, {"1st", "[1st]"}, {"_a1", "_a1"}};
  for (const auto& c : cases) {
    String name = S(c.name);
    BracketFieldName(name);
    EXPECT_EQ(name, S(c.expected));
  }
  EXPECT_EQ(GetFieldNameCount(u"A;B"), 2);
  EXPECT_EQ(GetFieldNameCount(u"A"), 1);
  EXPECT_EQ(GetFieldNameCount(u""), 0);
  EXPECT_TRUE(HasMultipleFieldNames(u"A;B"));
  EXPECT_FALSE(HasMultipleFieldNames(u"A"));
  TStringList list;
  GetFieldNames(u" A ; B;C", &list);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Strings(1), u"B");
  EXPECT_TRUE(IsSameText(S("Иванов"), S("иВАНОВ")));
  EXPECT_EQ(GetFilterFieldName(nullptr), u"");
}

TEST(cxDB, FieldValuesAndDisplayTextNeeds) {
  TMemoryDataSet ds(nullptr);
  ds.AddFieldDef(u"ID", ftInteger);
  ds.AddFieldDef(u"Family Name", ftWideString, 20);
  ds.AddFieldDef(u"Paid", ftFloat);
  ds.AddFieldDef(u"Notes", ftMemo);
  ds.AddRow({1, Wide("x"), 2.5, Null()});
  ds.Open();
  TField* id = ds.FieldByName(u"ID");
  TField* name = ds.FieldByName(u"Family Name");
  Variant v;
  GetFieldValues(&ds, {id}, v);
  EXPECT_EQ(v.AsInteger(), 1);
  GetFieldValues(&ds, {id, name}, v);
  ASSERT_TRUE(VarIsArray(v));
  EXPECT_EQ(VarArrayGet(v, {1}).AsString(), u"x");
  GetFieldValues(&ds, {}, v);
  EXPECT_TRUE(VarIsNull(v));
  EXPECT_EQ(GetFilterFieldName(name), u"[Family Name]");
  name->SetOrigin(u"PEOPLE.FAMILY");
  EXPECT_EQ(GetFilterFieldName(name), u"PEOPLE.FAMILY");

  TField* paid = ds.FieldByName(u"Paid");
  TField* notes = ds.FieldByName(u"Notes");
  EXPECT_FALSE(NeedsFieldDisplayText(id, true));
  EXPECT_TRUE(NeedsFieldDisplayText(notes, true));
  EXPECT_FALSE(NeedsFieldDisplayText(notes, false));
  EXPECT_FALSE(NeedsFieldDisplayText(paid, false));
  static_cast<TFloatField*>(paid)->SetCurrency(true);
  EXPECT_TRUE(NeedsFieldDisplayText(paid, false));
  id->OnGetText = [](TField*, String&, bool) {};
  EXPECT_TRUE(NeedsFieldDisplayText(id, false));
  EXPECT_TRUE(CanModifyField(id, false));
  EXPECT_FALSE(CanModifyField(notes, false));
  EXPECT_TRUE(CanModifyField(notes, true));
  notes->OnSetText = [](TField*, const String&) {};
  EXPECT_TRUE(CanModifyField(notes, false));
}

TEST(cxDB, AdapterRegistryFindsTheMostSpecificClass) {
  TcxDBAdapterList list;
  list.RegisterAdapter(TPeopleQuery::StaticClass(), TOtherAdapter::StaticClass());
  list.RegisterAdapter(TDataSet::StaticClass(), TcxDBFilterOperatorAdapter::StaticClass());
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Items(0)->DataSetClass(), TDataSet::StaticClass());
  int index;
  EXPECT_TRUE(list.FindAdapter(TPeopleTable::StaticClass(), index));
  EXPECT_EQ(list.Items(index)->ClassType(), TOtherAdapter::StaticClass());
  EXPECT_TRUE(list.FindAdapter(TMemoryDataSet::StaticClass(), index));
  EXPECT_EQ(list.Items(index)->ClassType(), TcxDBFilterOperatorAdapter::StaticClass());
  list.UnregisterAdapter(TPeopleQuery::StaticClass(), TcxDBFilterOperatorAdapter::StaticClass());
  EXPECT_EQ(list.Count(), 2);
  list.UnregisterAdapter(TPeopleQuery::StaticClass(), TOtherAdapter::StaticClass());
  EXPECT_EQ(list.Count(), 1);
}

TEST(cxDB, NullConditionsOnQueriesUseIs) {
  TPeopleQuery query(nullptr);
  TMemoryDataSet table(nullptr);
  TTestCriteria c;
  TcxFilterCriteriaItem* item = c.AddItem(nullptr, c.Name(), foEqual, Null(), u"");
  TcxDBFilterOperatorAdapter* adapter = GetFilterOperatorAdapter(&query);
  ASSERT_NE(adapter, nullptr);
  EXPECT_EQ(GetFilterOperatorAdapter(nullptr), nullptr);
  TClass cls = item->GetOperatorClass();
  adapter->PrepareOperatorClass(item, &table, cls);
  EXPECT_EQ(cls, TcxFilterNullOperator::StaticClass());
  adapter->PrepareOperatorClass(item, &query, cls);
  EXPECT_EQ(cls, TcxFilterSQLNullOperator::StaticClass());
  std::unique_ptr<TcxFilterOperator> op(static_cast<TcxFilterOperator*>(cls->NewInstance(item)));
  String value;
  op->FormatValue(Null(), value);
  EXPECT_EQ(op->ExpressionText() + u" " + value, u"IS NULL");
  cls = TcxFilterNotNullOperator::StaticClass();
  adapter->PrepareOperatorClass(item, &query, cls);
  EXPECT_EQ(cls, TcxFilterSQLNotNullOperator::StaticClass());
  cls = TcxFilterEqualOperator::StaticClass();
  adapter->PrepareOperatorClass(item, &query, cls);
  EXPECT_EQ(cls, TcxFilterEqualOperator::StaticClass());
}

}  // namespace

