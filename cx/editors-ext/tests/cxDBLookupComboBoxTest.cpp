// The lookup combo box properties on their grid over SQLite tables: columns from field names, the
// list column's texts, the drop-down width, and the list source's refusals.
#include "cx/editors-ext/cxDBLookupComboBox.h"

#include <gtest/gtest.h>

#include "cx/editors-ext/tests/cxLookupGridFixture.h"
#include "platform/data/DBConsts.h"
#include "platform/data/Field.h"
#include "platform/data/FieldTypes.h"

namespace {

class CxLookupComboBoxProperties : public ::testing::Test {
 protected:
  void SetUp() override {
    properties = std::make_unique<TcxLookupComboBoxProperties>(nullptr);
    properties->SetListSource(tables.categorySource);
    properties->SetKeyFieldNames(u"KATID");
    properties->SetListFieldNames(u"NAME");
  }
  void TearDown() override { properties.reset(); }
  std::string TextOf(const Variant& AKey) {
    String text;
    properties->GetDisplayTextByKey(AKey, text);
    return StringToUtf8(text);
  }

  TLookupGridTables tables;
  std::unique_ptr<TcxLookupComboBoxProperties> properties;
};

TEST_F(CxLookupComboBoxProperties, ListFieldNamesMakeBoundColumnsAndTheIndexedOneGivesTheText) {
  properties->SetListFieldNames(u"NAME;KATID");
  ASSERT_EQ(properties->ListColumns()->Count(), 2);
  EXPECT_EQ(properties->GetListColumnField(0), tables.categories->FieldByName(u"NAME"));
  EXPECT_EQ(properties->GetListColumnField(1), tables.categories->FieldByName(u"KATID"));
  EXPECT_EQ(properties->ListColumns()->Items(0)->Caption(), u"NAME") << "the field's display name";
  EXPECT_EQ(TextOf(3), "Водители");
  properties->SetListFieldIndex(1);
  EXPECT_EQ(TextOf(3), "3");
  properties->SetListFieldIndex(5);
  EXPECT_EQ(properties->ListFieldIndex(), 1) << "clamped to the columns";
  EXPECT_EQ(properties->GetListAutoWidth(),
            properties->ListColumns()->Items(0)->Width() + properties->ListColumns()->Items(1)->Width());
}

TEST_F(CxLookupComboBoxProperties, EnsureListColumnAddsAMissingFieldFirstAndNothingElse) {
  properties->EnsureListColumn(u"name");
  properties->EnsureListColumn(u"");
  EXPECT_EQ(properties->ListFieldNames(), u"NAME") << "shown already, in another letter case";
  properties->EnsureListColumn(u"KATID");
  EXPECT_EQ(properties->ListFieldNames(), u"KATID;NAME");
  EXPECT_EQ(properties->FindListColumnByFieldName(u"Name"), 1);
  EXPECT_EQ(properties->FindListColumnByFieldName(u"FAM"), -1);
}

TEST_F(CxLookupComboBoxProperties, KeysOfTheWrongKindOrDeletedRecordsShowNothing) {
  EXPECT_EQ(TextOf(Variant(String(u"не число"))), "");
  EXPECT_EQ(TextOf(Null()), "");
  EXPECT_EQ(TextOf(99), "");
  ASSERT_TRUE(tables.categories->Locate(u"KATID", 4, {}));
  tables.categories->Delete();
  EXPECT_EQ(TextOf(4), "");
  EXPECT_EQ(TextOf(5), "Депутаты");
}

TEST_F(CxLookupComboBoxProperties, AssignCopiesTheListItsColumnsAndOptions) {
  properties->SetListFieldNames(u"NAME;KATID");
  properties->ListColumns()->Items(1)->SetWidth(33);
  properties->ListOptions()->SetGridLines(glNone);
  properties->SetGridMode(true);
  TcxLookupComboBoxProperties copy(nullptr);
  copy.Assign(properties.get());
  EXPECT_EQ(copy.ListSource(), tables.categorySource);
  EXPECT_EQ(copy.ListFieldNames(), u"NAME;KATID");
  EXPECT_EQ(copy.ListColumns()->Items(1)->Width(), 33);
  EXPECT_EQ(copy.ListOptions()->GridLines(), glNone);
  EXPECT_TRUE(copy.GridMode());
  EXPECT_EQ(copy.KeyFieldNames(), u"KATID");
  String text;
  copy.GetDisplayTextByKey(2, text);
  EXPECT_EQ(text, S("Бухгалтеры"));
}

TEST_F(CxLookupComboBoxProperties, ATypedTextFindsTheFirstRecordInTheListOrderAndFollowsEdits) {
  auto keyOf = [&](const char* AText, bool APartial = true) {
    const int record = properties->FindRecordByText(0, S(AText), APartial);
    return record == -1 ? -1 : properties->GetListDBDataController()->GetKeyValues(record).AsInteger();
  };
  EXPECT_EQ(keyOf("а"), 1) << "Архивисты comes before Абитуриенты in KATID order";
  EXPECT_EQ(keyOf("ё"), 6);
  EXPECT_EQ(keyOf("главы", false), 4);
  EXPECT_EQ(keyOf("глав", false), -1);
  EXPECT_EQ(keyOf("Ж"), -1);
  EXPECT_EQ(keyOf(""), -1) << "an empty text finds only an empty one";
  properties->ListColumns()->Items(0)->SetSortOrder(soAscending);
  EXPECT_EQ(keyOf("а"), 11) << "sorted by name";
  properties->ListColumns()->Items(0)->SetSortOrder(soNone);
  ASSERT_TRUE(tables.categories->Locate(u"KATID", 3, {}));
  tables.categories->Edit();
  tables.categories->FieldByName(u"NAME")->SetAsString(S("Ямщики"));
  tables.categories->Post();
  EXPECT_EQ(keyOf("ям"), 3);
  EXPECT_EQ(keyOf("вод"), -1);
}

// The editor's own field comes from a dataset defaults provider, as a dataset binding gives it.
class CxLookupComboBoxBound : public CxLookupComboBoxProperties {
 protected:
  void SetUp() override {
    CxLookupComboBoxProperties::SetUp();
    people = tables.Query("SELECT ID, FAM, KATID FROM PEOPLE ORDER BY ID");
    const TLookupPeople bound = OpenLookupPeople(tables.Owner(), people, tables.categories);
    katName = bound.katName;
    peopleSource = bound.source;
    provider = std::make_shared<TcxCustomDBEditDefaultValuesProvider>(nullptr);
    properties->SetDefaultValuesProvider(provider);
  }
  void TearDown() override {
    properties.reset();
    provider.reset();
  }
  // The error message a list-source change raises, empty when none.
  std::string ListSourceError(TDataSource* ASource) {
    try {
      properties->SetListSource(ASource);
    } catch (const EDatabaseError& e) {
      return StringToUtf8(e.Message());
    }
    return {};
  }

  TADOQuery* people = nullptr;
  TDataSource* peopleSource = nullptr;
  TWideStringField* katName = nullptr;
  std::shared_ptr<TcxCustomDBEditDefaultValuesProvider> provider;
};

TEST_F(CxLookupComboBoxBound, AListOverTheEditorsOwnDatasetIsRefusedAndTheSourceStays) {
  provider->SetField(people->FieldByName(u"FAM"));
  EXPECT_EQ(ListSourceError(peopleSource), "Circular datalinks are not allowed");
  EXPECT_EQ(properties->ListSource(), tables.categorySource);
  EXPECT_EQ(ListSourceError(nullptr), "");
}

TEST_F(CxLookupComboBoxBound, ALookupFieldHidesTheListSourceAndRefusesANewOne) {
  provider->SetField(katName);
  properties->Changed();
  ASSERT_TRUE(properties->IsDefinedByLookupField());
  EXPECT_EQ(properties->ListSource(), nullptr);
  EXPECT_EQ(ListSourceError(tables.categorySource), "Property already defined by lookup field");
  EXPECT_EQ(TextOf(2), "Бухгалтеры");
}

}  // namespace
