// The dataset controller's filter: its expression handed to the dataset or the application, the
// value lists read from the loaded records, and summary items naming their field.
#include <gtest/gtest.h>

#include "cx/data/cxDBFilter.h"
#include "cx/data/tests/DBControllerFixture.h"
#include "platform/data/Field.h"

namespace {

TcxDBDataFilterCriteria* DBFilter(TDBFixture& f) { return static_cast<TcxDBDataFilterCriteria*>(f.dc->Filter()); }

}  // namespace

TEST(cxDBDataFilter, AutoDataSetFilterWritesTheExpressionIntoTheDataSet) {
  TDBFixture f({{1, "Anna", "Omsk"}, {2, "Boris", "O'Hara"}, {3, "Vera", "omsk"}});
  f.data->Open();
  TcxDBDataFilterCriteria* filter = DBFilter(f);
  filter->SetAutoDataSetFilter(true);
  filter->AddItem(nullptr, f.dc->GetItem(f.city), foEqual, Variant(S("O'Hara")), u"O'Hara");
  // Not active: the text is set but the dataset stays unfiltered.
  EXPECT_EQ(f.data->Filter(), u"(CITY = 'O''Hara')");
  EXPECT_FALSE(f.data->Filtered());
  EXPECT_EQ(f.dc->GetRecordCount(), 3);

  filter->SetActive(true);
  EXPECT_TRUE(f.data->Filtered());
  EXPECT_FALSE(filter->IsFiltering());
  EXPECT_EQ(f.RowIds(), (std::vector<int>{2}));

  filter->BeginUpdate();
  filter->Clear();
  filter->AddItem(nullptr, f.dc->GetItem(f.city), foEqual, Variant(S("OMSK")), u"OMSK");
  filter->SetOptions(TcxFilterCriteriaOptions{fcoCaseInsensitive});
  filter->EndUpdate();
  EXPECT_TRUE(f.data->FilterOptions().Contains(foCaseInsensitive));
  EXPECT_EQ(f.RowIds(), (std::vector<int>{1, 3}));

  filter->Clear();
  EXPECT_EQ(f.data->Filter(), u"");
  EXPECT_FALSE(f.data->Filtered());
  EXPECT_EQ(f.dc->GetRecordCount(), 3);
}

TEST(cxDBDataFilter, OnBeforeChangeHandsTheTextToTheApplicationInstead) {
  TDBFixture f(FiveCities());
  f.data->Open();
  std::vector<String> texts;
  DBFilter(f)->OnBeforeChange = [&](TcxDBDataFilterCriteria*, TDataSet* ADataSet, const String& AText) {
    EXPECT_EQ(ADataSet, f.data);
    texts.push_back(AText);
  };
  DBFilter(f)->SetActive(true);
  DBFilter(f)->AddItem(nullptr, f.dc->GetItem(f.id), foGreater, Variant(3), u"3");
  EXPECT_EQ(texts.back(), u"(ID > 3)");
  EXPECT_FALSE(DBFilter(f)->IsFiltering());
  EXPECT_EQ(f.dc->GetRowCount(), 5);
  EXPECT_FALSE(f.data->Filtered());
}

TEST(cxDBDataFilter, ValueListsComeFromTheLoadedRecords) {
  struct TCase {
    bool WithNull;
    std::vector<String> Texts;
  };
  const TCase cases[] = {
      {true, {u"(All)", u"(Custom...)", u"(Blanks)", u"(NonBlanks)", u"Kursk", u"Omsk", u"Tver"}},
      {false, {u"(All)", u"(Custom...)", u"Omsk", u"Tver"}},
  };
  for (const TCase& c : cases) {
    std::vector<TDBFixture::TRow> rows = {{1, "a", "Omsk"}, {2, "b", "Tver"}, {3, "c", "Omsk"}};
    if (c.WithNull) rows.push_back({4, "d", nullptr}), rows.push_back({5, "e", "Kursk"});
    TDBFixture f(rows);
    f.data->Open();
    std::unique_ptr<TcxDataFilterValueList> list(f.dc->Filter()->CreateDataValueList());
    list->Load(f.city);
    std::vector<String> texts;
    for (int i = 0; i < list->Count(); ++i) texts.push_back(list->Items(i).DisplayText);
    EXPECT_EQ(texts, c.Texts) << c.WithNull;
  }
}

TEST(cxDBDataFilter, ASummaryItemMayNameItsFieldDirectly) {
  TDBFixture f(FiveCities());
  f.data->Open();
  auto* item = static_cast<TcxDBDataSummaryItem*>(f.dc->Summary()->FooterSummaryItems()->Add());
  item->SetKind(skSum);
  item->SetFieldName(u"ID");
  EXPECT_EQ(f.dc->Summary()->GetFooterSummaryValue(0).AsInteger(), 15);
  item->SetKind(skCount);
  item->SetFieldName(u"CITY");
  EXPECT_EQ(f.dc->Summary()->GetFooterSummaryValue(0).AsInteger(), 5);
}
