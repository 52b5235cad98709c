// The grid's filter over a real SQLite dataset: conditions bound to columns, load-all node
// filtering (hidden records back into their groups, emptied groups freed, the focus and the
// current record), the dataset's own filter, the engine's filter questions and the stored form.
#include <functional>

#include "DbGridTestSupport.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "dx/editors/dxRegIniWrapper.h"
#include "platform/classes/Filer.h"
#include "platform/classes/IniFiles.h"
#include "platform/classes/Registry.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/ScopeExit.h"

namespace {

const char* const kFilterPeople = R"(
CREATE TABLE PEOPLE (ID INTEGER PRIMARY KEY, NAME NVARCHAR(40), CITY NVARCHAR(40), AGE INTEGER,
  "DATE FINISH" DATE);
INSERT INTO PEOPLE VALUES (1, 'Петров', 'Омск', 10, '2024-03-09'), (2, 'Абаев', 'Тула', 20, '2023-01-15'),
  (3, 'Сидоров', 'Омск', NULL, NULL), (4, 'Иванова', 'Тула', 30, '2024-05-01'),
  (5, 'Кузнецов', NULL, 40, '2022-12-31');
)";

enum { kFilterId, kFilterName, kFilterCity, kFilterAge };

class DxDBGridFilterTest : public DbGridTest {
 protected:
  void SetUp() override { OpenDatabase(kFilterPeople); }
  TdxDBGrid* MakeGrid(
      bool LoadAll = true, const std::function<void(TdxDBGrid*)>& Setup = [](TdxDBGrid*) {}) {
    people = Query("SELECT * FROM PEOPLE ORDER BY ID");
    people->Open();
    grid = NewBoundGrid(people, {u"ID", u"NAME", u"CITY", u"AGE"}, [&](TdxDBGrid* g) {
      const char16_t* names[] = {u"colId", u"colName", u"colCity", u"colAge"};
      for (int i = 0; i < 4; ++i) g->Columns(i)->SetName(names[i]);
      g->Columns(kFilterCity)->SetCaption(u"Город");
      g->SetKeyField(u"ID");
      if (LoadAll) g->SetOptionsDB(g->OptionsDB() + TdxDBGridOptionsDB{edgoLoadAllRecords});
      g->Filter()->SetActive(true);
      Setup(g);
    });
    return grid;
  }
  TdxDBTreeListColumn* Column(int Index) const { return grid->Columns(Index); }
  TdxDBGridCriteria* Criteria() const { return grid->Filter()->Criteria(); }
  // The key of every row in row order, group rows as "[value]".
  std::string Keys() const {
    std::string s;
    for (int i = 0; i < grid->GetAbsoluteCount(); ++i) {
      auto* node = static_cast<TdxDBGridNode*>(grid->GetAbsoluteNode(i));
      s += (i ? "," : "") + (node->HasChildren()
                                 ? "[" + StringToUtf8(VarToStrDef(node->Group().Value, u"null")) + "]"
                                 : StringToUtf8(VarToStr(node->KeyValue)));
    }
    return s;
  }
  int CurrentId() const { return people->FieldByName(u"ID")->AsInteger(); }

  TADOQuery* people = nullptr;
  TdxDBGrid* grid = nullptr;
};

TEST_F(DxDBGridFilterTest, ConditionsBindToColumnsByNameAndNameTheirFields) {
  MakeGrid();
  TdxDBGridCriteriaItem* city = Criteria()->AddColumnCondition(nullptr, Column(kFilterCity), fokEqual,
                                                               Variant(String(u"Омск")), u"Омск", false);
  TdxDBGridCriteriaItem* gone = static_cast<TdxDBGridCriteriaItem*>(
      Criteria()->Root()->AddItem(u"colRemoved", fokGreater, Variant(1), u"1"));
  // Bound case-insensitively by component name.
  Criteria()->Root()->AddItem(u"COLAGE", fokLess, Variant(35), u"35");
  Criteria()->LinkItems();
  EXPECT_EQ(city->Column, Column(kFilterCity));
  EXPECT_EQ(gone->Column, nullptr);
  EXPECT_EQ(Criteria()->GetDisplayText(), u"(Город = Омск) AND ( > 1) AND (AGE < 35)");
  // A condition without a column stays in the tree but not in the expression.
  EXPECT_EQ(Criteria()->GetFilterText(), u"(CITY = 'Омск') AND (AGE < 35)");
  Variant value;
  gone->GetNodeValue(grid->GetItem(0), value);
  EXPECT_TRUE(VarIsNull(value));

  struct Case {
    const char16_t* fieldName;
    const char16_t* expected;
  } names[] = {
      {u"AGE", u"AGE"}, {u"DATE FINISH", u"[DATE FINISH]"}, {u"Фамилия", u"[Фамилия]"}, {u"_x1", u"_x1"},
      {u"1x", u"[1x]"}, {u"A]B\"", u"\"A]B\"\"\""},
  };
  for (const Case& c : names) EXPECT_EQ(QuoteFilterFieldName(c.fieldName), c.expected);
  // The field's origin is written as it stands.
  Column(kFilterAge)->Field()->SetOrigin(u"PEOPLE.AGE");
  EXPECT_EQ(Criteria()->GetFilterText(), u"(CITY = 'Омск') AND (PEOPLE.AGE < 35)");
}

TEST_F(DxDBGridFilterTest, CaseInsensitiveAndCurrencyComparisons) {
  MakeGrid();
  TdxDBGridCriteria& criteria = *Criteria();
  criteria.Root()->AddItem(u"x", fokEqual, VarFromAnsiString(StringToAnsi(u"омск")), u"");
  struct Case {
    Variant a, b;
    bool caseInsensitive, equal;
  } cases[] = {
      {VarFromAnsiString(StringToAnsi(u"Омск")), VarFromAnsiString(StringToAnsi(u"ОМСК")), true, true},
      {VarFromAnsiString(StringToAnsi(u"Омск")), VarFromAnsiString(StringToAnsi(u"ОМСК")), false, false},
      {Variant(String(u"Омск")), Variant(String(u"оМСК")), true, true},
      {Variant(String(u"Омск")), Variant(String(u"оМСК")), false, false},
      {Variant(Currency::FromScaled(25000)), Variant(2.5), false, true},
  };
  for (const Case& c : cases) {
    criteria.SetCaseInsensitive(c.caseInsensitive);
    Variant a, b;
    criteria.PrepareValue(c.a, a);
    criteria.PrepareValue(c.b, b);
    EXPECT_EQ(a == b, c.equal) << StringToUtf8(VarToStr(c.a)) << " " << c.caseInsensitive;
  }
}

// The rows are filtered with the condition's text and every row's text in upper case, or neither.
TEST_F(DxDBGridFilterTest, ACaseInsensitiveFilterShowsTextsOfEitherCase) {
  MakeGrid();
  grid->Filter()->SetCaseInsensitive(true);
  grid->Filter()->SetColumnValue(Column(kFilterCity), Variant(String(u"оМСК")), u"оМСК");
  EXPECT_EQ(Keys(), "1,3");
  grid->Filter()->SetCaseInsensitive(false);
  grid->Filter()->Changed();
  EXPECT_EQ(Keys(), "");
}

TEST_F(DxDBGridFilterTest, ChoosingValuesHidesRecordsAndClearingBringsThemBackInOrder) {
  MakeGrid();
  people->Locate(u"ID", Variant(4), {});
  Pump();
  grid->Filter()->SetColumnValue(Column(kFilterCity),
                                 grid->Columns(kFilterCity)->GetNodeValue(grid->GetItem(0)), u"Омск");
  EXPECT_EQ(Keys(), "1,3");
  EXPECT_EQ(grid->PendingNodes().size(), 3u);
  // The focused record was hidden: the first row is focused and the dataset follows it.
  EXPECT_EQ(static_cast<TdxDBGridNode*>(grid->FocusedNode())->KeyValue, Variant(1));
  EXPECT_EQ(CurrentId(), 1);
  EXPECT_TRUE(grid->IsFilterStatusVisible());
  EXPECT_EQ(grid->GetFilterText(), u"(Город = Омск)");
  EXPECT_EQ(grid->GetHeaderFilterButtonState(kFilterCity) & 8, 8);
  EXPECT_EQ(grid->GetHeaderFilterButtonState(kFilterName) & 8, 0);

  // A narrower filter keeps the focused record where it still shows.
  grid->SetFocusedNode(grid->GetItem(1), kFilterName, true);
  EXPECT_EQ(CurrentId(), 3);
  grid->Filter()->SetColumnBlanks(Column(kFilterAge), false);
  EXPECT_EQ(Keys(), "3");
  EXPECT_EQ(CurrentId(), 3);

  grid->ClearFilter();
  EXPECT_EQ(Keys(), "1,2,3,4,5");
  EXPECT_TRUE(grid->PendingNodes().empty());
  EXPECT_FALSE(grid->IsFilterStatusVisible());
  EXPECT_EQ(CurrentId(), 3);
  // A reload filters each record as its node is made.
  grid->Filter()->SetColumnBlanks(Column(kFilterCity), true);
  grid->ReloadGrid();
  EXPECT_EQ(Keys(), "1,2,3,4");
  EXPECT_EQ(grid->PendingNodes().size(), 1u);
}

TEST_F(DxDBGridFilterTest, GroupedRecordsLeaveEmptiedGroupsAndComeBackIntoTheirGroups) {
  MakeGrid();
  Column(kFilterCity)->SetGroupIndex(0);
  Pump();
  for (int i = 0; i < grid->GetCount(); ++i) grid->GetItem(i)->Expand(true);
  EXPECT_EQ(Keys(), "[null],5,[Омск],1,3,[Тула],2,4");
  grid->Filter()->SetColumnBlanks(Column(kFilterAge), true);
  EXPECT_EQ(Keys(), "[null],5,[Омск],1,[Тула],2,4");
  TdxDBGridCriteria& criteria = *Criteria();
  TdxCriteriaItemList* either = criteria.Root()->AddList(fboOr);
  criteria.AddColumnCondition(either, Column(kFilterAge), fokEqual, Variant(String(u"10")), u"10", false);
  criteria.AddColumnCondition(either, Column(kFilterAge), fokEqual, Variant(String(u"30")), u"30", false);
  grid->Filter()->Changed();
  // The null city's group and its record are gone; the others keep what passes.
  EXPECT_EQ(Keys(), "[Омск],1,[Тула],4");
  // The group row stands for its first shown record.
  EXPECT_EQ(static_cast<TdxDBGridNode*>(grid->GetItem(1))->KeyValue, Variant(4));
  grid->Filter()->ClearColumn(Column(kFilterAge));
  // Records come back into their open groups in record order; a freed group comes back closed.
  EXPECT_EQ(Keys(), "[null],[Омск],1,3,[Тула],2,4");
}

// Every group freed, the first record back finds no group row to stand before: its new groups must
// not be taken for the record.
TEST_F(DxDBGridFilterTest, RecordsComeBackIntoNewGroupsAfterAFilterHidAllOfThem) {
  MakeGrid();
  grid->BeginGroupUpdate();
  Column(kFilterCity)->SetGroupIndex(0);
  Column(kFilterName)->SetGroupIndex(1);
  grid->EndGroupUpdate();
  Pump();
  TdxDBGridCriteria& criteria = *Criteria();
  criteria.AddColumnCondition(criteria.Root(), Column(kFilterName), fokEqual, Variant(String(u"Никто")),
                              u"Никто", false);
  grid->Filter()->Changed();
  EXPECT_EQ(grid->GetCount(), 0);
  EXPECT_EQ(grid->GetAbsoluteCount(), 0);
  grid->Filter()->ClearColumn(Column(kFilterName));
  for (int i = 0; i < grid->GetCount(); ++i) grid->GetItem(i)->Expand(true);
  EXPECT_EQ(Keys(), "[null],[Кузнецов],5,[Омск],[Петров],1,[Сидоров],3,[Тула],[Абаев],2,[Иванова],4");
  for (int i = 0; i < grid->GetCount(); ++i) EXPECT_EQ(grid->GetItem(i)->Parent(), nullptr);
}

TEST_F(DxDBGridFilterTest, SummariesFollowTheShownRecordsWithoutAReload) {
  MakeGrid(true, [](TdxDBGrid* g) {
    g->SetShowSummaryFooter(true);
    g->Columns(kFilterAge)->SetSummaryFooterType(cstSum);
    g->Columns(kFilterId)->SetSummaryFooterType(cstCount);
    g->Columns(kFilterCity)->SetSummaryType(cstAvg);
    g->Columns(kFilterCity)->SetSummaryField(u"AGE");
  });
  Column(kFilterCity)->SetGroupIndex(0);
  Pump();
  for (int i = 0; i < grid->GetCount(); ++i) grid->GetItem(i)->Expand(true);
  struct TShown {
    long double AgeSum;
    long double Count;
    long double TulaAverage;
  };
  auto shown = [&]() {
    auto* tula = static_cast<TdxDBGridNode*>(grid->GetItem(grid->GetCount() - 1));
    return TShown{Column(kFilterAge)->FooterValue(), Column(kFilterId)->FooterValue(), tula->Group().SummaryValue};
  };
  EXPECT_EQ(shown().AgeSum, 100);
  EXPECT_EQ(shown().TulaAverage, 25);
  int reloads = 0;
  grid->OnReloadGroupList = [&](TObject*) { ++reloads; };
  Criteria()->AddColumnCondition(nullptr, Column(kFilterAge), fokGreater, Variant(25), u"25", false);
  grid->Filter()->Changed();
  ASSERT_EQ(Keys(), "[null],5,[Тула],4");
  // 30 + 40 over two records; Tula keeps only 30.
  EXPECT_EQ(shown().AgeSum, 70);
  EXPECT_EQ(shown().Count, 2);
  EXPECT_EQ(shown().TulaAverage, 30);
  grid->Filter()->ClearColumn(Column(kFilterAge));
  EXPECT_EQ(shown().AgeSum, 100);
  EXPECT_EQ(shown().Count, 5);
  EXPECT_EQ(reloads, 0);
  grid->OnReloadGroupList = nullptr;
}

TEST_F(DxDBGridFilterTest, ApplyFilterAnnouncesAndFiltersTheDataSet) {
  MakeGrid(false);
  std::vector<String> announced;
  grid->OnFilterChanged = [&](TObject*, TDataSet* DataSet, const String& Text) {
    EXPECT_EQ(DataSet, people);
    announced.push_back(Text);
  };
  grid->Filter()->SetAutoDataSetFilter(true);
  grid->Filter()->SetCaseInsensitive(true);
  grid->Filter()->SetColumnValue(Column(kFilterName), Variant(String(u"иванова")), u"иванова");
  EXPECT_EQ(announced.back(), u"(NAME = 'иванова')");
  EXPECT_TRUE(people->Filtered());
  EXPECT_TRUE(people->FilterOptions().Contains(foCaseInsensitive));
  EXPECT_EQ(people->RecordCount(), 1);
  // Numbers and dates written so that the dataset's parser reads them.
  grid->Filter()->Criteria()->Clear();
  auto* date = static_cast<TdxDBTreeListColumn*>(grid->CreateColumnEx(TdxDBGridColumn::StaticClass(), grid));
  date->SetName(u"colDate");
  date->SetFieldName(u"DATE FINISH");
  Criteria()->AddColumnCondition(nullptr, date, fokGreaterEqual, VarFromDateTime(EncodeDate(2024, 1, 1)), u"",
                                 false);
  Criteria()->AddColumnCondition(nullptr, Column(kFilterAge), fokLess, Variant(25.5), u"", false);
  grid->Filter()->Changed();
  EXPECT_EQ(people->Filter(), u"([DATE FINISH] >= '2024-01-01') AND (AGE < 25.5)");
  EXPECT_EQ(people->RecordCount(), 1);
  EXPECT_EQ(CurrentId(), 1);
  grid->Filter()->SetCaseInsensitive(false);
  EXPECT_FALSE(people->FilterOptions().Contains(foCaseInsensitive));
  grid->ClearFilter();
  EXPECT_FALSE(people->Filtered());
  EXPECT_EQ(people->Filter(), u"");
  EXPECT_EQ(people->RecordCount(), 5);
  // Switched off, the dataset's filter is dropped at once.
  grid->Filter()->SetColumnValue(Column(kFilterName), Variant(String(u"Абаев")), u"Абаев");
  EXPECT_TRUE(people->Filtered());
  grid->Filter()->SetAutoDataSetFilter(false);
  EXPECT_FALSE(people->Filtered());
  EXPECT_EQ(people->Filter(), u"");
}

TEST_F(DxDBGridFilterTest, FilterKindsAndActiveOff) {
  MakeGrid();
  TdxDBGridFilter& filter = *grid->Filter();
  Variant value;
  EXPECT_EQ(filter.GetColumnFilterKind(Column(kFilterCity), value), 0);
  filter.SetColumnBlanks(Column(kFilterCity), false);
  EXPECT_EQ(filter.GetColumnFilterKind(Column(kFilterCity), value), 1);
  filter.SetColumnBlanks(Column(kFilterCity), true);
  EXPECT_EQ(filter.GetColumnFilterKind(Column(kFilterCity), value), 2);
  EXPECT_EQ(grid->GetFilterText(), u"(NOT (Город Is Null))");
  filter.SetColumnValue(Column(kFilterCity), Variant(String(u"Тула")), u"Тула");
  EXPECT_EQ(filter.GetColumnFilterKind(Column(kFilterCity), value), 3);
  EXPECT_EQ(value, Variant(String(u"Тула")));
  Criteria()->AddColumnCondition(Criteria()->Root()->AddList(fboOr), Column(kFilterName), fokEqual,
                                 Variant(String(u"Абаев")), u"Абаев", false);
  EXPECT_EQ(filter.GetColumnFilterKind(Column(kFilterName), value), 4);
  filter.SetActive(false);
  EXPECT_TRUE(filter.IsEmpty());
  EXPECT_EQ(Keys(), "1,2,3,4,5");
  EXPECT_EQ(grid->GetHeaderFilterButtonState(kFilterCity), 0);
}

TEST_F(DxDBGridFilterTest, RemovingAColumnDropsItsConditions) {
  MakeGrid();
  grid->Filter()->SetColumnValue(Column(kFilterCity), Variant(String(u"Тула")), u"Тула");
  EXPECT_EQ(Keys(), "2,4");
  delete Column(kFilterCity);
  EXPECT_TRUE(grid->Filter()->IsEmpty());
  EXPECT_EQ(Keys(), "1,2,3,4,5");
}

TEST_F(DxDBGridFilterTest, TheStoredFormCarriesSettingsAndCriteria) {
  MakeGrid();
  TdxDBGridFilter& filter = *grid->Filter();
  filter.SetCaseInsensitive(true);
  filter.SetDropDownCount(5);
  filter.SetFilterStatus(fsAlways);
  filter.SetColumnValue(Column(kFilterCity), Variant(String(u"Тула")), u"Тула");
  TdxDBGridFilter copy(nullptr);
  copy.Assign(&filter);
  EXPECT_TRUE(copy.Active());
  EXPECT_TRUE(copy.CaseInsensitive());
  EXPECT_TRUE(copy.Criteria()->CaseInsensitive());
  EXPECT_EQ(copy.DropDownCount(), 5);
  EXPECT_EQ(copy.FilterStatus(), fsAlways);
  EXPECT_EQ(copy.Criteria()->FindItem(u"colCity")->DisplayText, u"Тула");
}

TEST_F(DxDBGridFilterTest, TheRegistryLayoutKeepsTheFilterAndAnIniFileDoesNot) {
  SetRegistryStoreFileName(folder_.File("registry"));
  TScopeExit resetStore([] { SetRegistryStoreFileName(String()); });
  MakeGrid();
  TdxDBGridFilter& filter = *grid->Filter();
  filter.SetCaseInsensitive(true);
  filter.SetDropDownCount(7);
  filter.SetColumnValue(Column(kFilterCity), Variant(String(u"Тула")), u"Тула");
  grid->SaveToRegistry(u"Software\\Test\\People");
  const String ini = folder_.File("layout.ini");
  grid->SaveToIniFile(ini);
  {
    TMemIniFile file(ini);
    TStringList sections;
    file.ReadSections(&sections);
    for (int i = 0; i < sections.Count(); ++i)
      EXPECT_FALSE(file.ValueExists(sections.Strings(i), u"Filter")) << StringToUtf8(sections.Strings(i));
  }
  filter.SetActive(false);
  filter.SetCaseInsensitive(false);
  EXPECT_EQ(Keys(), "1,2,3,4,5");
  // An INI layout leaves the filter as it is.
  grid->LoadFromIniFile(ini);
  EXPECT_FALSE(filter.Active());
  grid->LoadFromRegistry(u"Software\\Test\\People");
  EXPECT_TRUE(filter.Active());
  EXPECT_TRUE(filter.CaseInsensitive());
  EXPECT_EQ(filter.DropDownCount(), 7);
  EXPECT_EQ(grid->GetFilterText(), u"(Город = Тула)");
  EXPECT_EQ(Keys(), "2,4");

  // A damaged stored filter counts as absent: the grid's own filter stays whole.
  {
    TRegIniFile registry{String()};
    TdxRegIniWrapper wrapper;
    wrapper.SetIniObject(&registry);
    const Byte damaged[] = {'T', 'P', 'F', '0', 14, 'T', 'F', 'i', 'l', 't', 'e', 'r', 0xFF};
    wrapper.WriteBinaryData(u"\\Software\\Test\\People", u"Filter", sizeof damaged, damaged);
    registry.CloseKey();
  }
  filter.SetColumnValue(Column(kFilterName), Variant(String(u"Абаев")), u"Абаев");
  grid->LoadFromRegistry(u"Software\\Test\\People");
  EXPECT_EQ(grid->GetFilterText(), u"(Город = Тула) AND (NAME = Абаев)");
  EXPECT_EQ(Keys(), "2");
}

}  // namespace
