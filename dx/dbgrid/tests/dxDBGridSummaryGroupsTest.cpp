// Summary groups over a real SQLite dataset: the name rules of the collection, the items a group
// row shows, the items shown in group footer rows (values, cell map, pixels) and the footer's
// extended-precision accumulator.
#include "DbGridTestSupport.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "dx/treelist/dxTLTypes.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

namespace {

const char* const kSummaryPeople = R"(
CREATE TABLE PEOPLE (ID INTEGER PRIMARY KEY, NAME NVARCHAR(40), CITY NVARCHAR(40), AGE INTEGER);
INSERT INTO PEOPLE VALUES (1, 'Петров', 'Омск', 10), (2, 'Абаев', 'Омск', 20), (3, 'Сидоров', 'Омск', NULL),
  (4, 'Иванова', 'Тула', 30);
CREATE TABLE BIG (ID INTEGER PRIMARY KEY, N REAL);
INSERT INTO BIG VALUES (1, 9007199254740992.0), (2, 1.0), (3, 1.0);
)";

enum { kSumId, kSumName, kSumCity, kSumAge };

class DxDBGridSummaryGroupsTest : public DbGridTest {
 protected:
  void SetUp() override { OpenDatabase(kSummaryPeople); }
  // The grid over PEOPLE with columns named ColId, ColName, ColCity and ColAge; Setup runs before
  // the dataset is bound.
  TdxDBGrid* MakeGrid(const std::function<void(TdxDBGrid*)>& Setup) {
    people = Query("SELECT * FROM PEOPLE ORDER BY ID");
    people->Open();
    grid = NewBoundGrid(people, {u"ID", u"NAME", u"CITY", u"AGE"}, [&](TdxDBGrid* g) {
      g->SetKeyField(u"ID");
      g->SetOptionsDB(g->OptionsDB() + TdxDBGridOptionsDB{edgoLoadAllRecords});
      const char16_t* names[] = {u"ColId", u"ColName", u"ColCity", u"ColAge"};
      for (int i = 0; i < 4; ++i) g->Columns(i)->SetName(names[i]);
      Setup(g);
    });
    return grid;
  }
  static TdxDBGridSummaryItem* AddItem(TdxDBGridSummaryGroup* Group, TdxSummaryType Type, const char16_t* Field,
                                       const char16_t* ColumnName = u"") {
    TdxDBGridSummaryItem* item = Group->SummaryItems()->Add();
    item->SetSummaryType(Type);
    item->SetSummaryField(Field);
    item->SetColumnName(ColumnName);
    return item;
  }
  static TdxDBGridSummaryGroup* AddGroup(TdxDBGrid* Grid, const char16_t* Name) {
    TdxDBGridSummaryGroup* group = Grid->SummaryGroups()->Add();
    group->SetName(Name);
    return group;
  }
  TdxDBGridNode* Root(int Index) const { return static_cast<TdxDBGridNode*>(grid->GetItem(Index)); }
  std::string GroupText(TdxDBGridNode* Node) {
    return StringToUtf8(grid->GroupSummaryText(Node, grid->GetGroupColumn(Node->GetLevel())));
  }

  TADOQuery* people = nullptr;
  TdxDBGrid* grid = nullptr;
};

TEST_F(DxDBGridSummaryGroupsTest, GroupNamesAreRequiredUniqueAndOneGroupIsTheDefault) {
  MakeGrid([](TdxDBGrid*) {});
  TdxDBGridSummaryGroup* a = AddGroup(grid, u"A");
  TdxDBGridSummaryGroup* b = AddGroup(grid, u"a");  // the duplicate test minds case
  EXPECT_THROW(b->SetName(u""), EInvaliddxTreeListOperation);
  EXPECT_THROW(b->SetName(u"A"), EInvaliddxTreeListOperation);
  EXPECT_EQ(StringToUtf8(b->Name()), "a");
  EXPECT_EQ(grid->SummaryGroups()->GetDefaultGroup(), nullptr);
  a->SetDefaultGroup(true);
  b->SetDefaultGroup(true);
  EXPECT_FALSE(a->DefaultGroup());
  EXPECT_EQ(grid->SummaryGroups()->GetDefaultGroup(), b);
  // A copy takes the name too, so a copy within the collection is refused.
  TdxDBGridSummaryGroup* copy = grid->SummaryGroups()->Add();
  EXPECT_THROW(copy->Assign(a), EInvaliddxTreeListOperation);
}

// Omsk holds 10, 20 and Null: Null counts as 0, counts take every record.
TEST_F(DxDBGridSummaryGroupsTest, AGroupRowShowsItsItemsBetweenTheGroupTexts) {
  MakeGrid([](TdxDBGrid* g) {
    TdxDBGridSummaryGroup* group = AddGroup(g, u"Ages");
    group->SetBeginSummaryText(u"[");
    group->SetEndSummaryText(u"]");
    AddItem(group, cstSum, u"AGE");
    AddItem(group, cstNone, u"AGE");  // no text and no separator
    AddItem(group, cstMax, u"AGE");
    AddItem(group, cstCount, u"");
    AddItem(group, cstAvg, u"AGE");
    AddItem(group, cstMin, u"AGE");
    AddItem(group, cstSum, u"AGE", u"ColAge");  // shown only in the group footer row
    g->SetSummarySeparator(u"; ");
    g->Columns(kSumCity)->SetSummaryGroupName(u"ages");
    g->Columns(kSumCity)->SetGroupIndex(0);
  });
  EXPECT_EQ(GroupText(Root(0)), "[(SUM=30,00); (MAX=20,00); (COUNT=3); (AVG=10,00); (MIN=0,00)]");
  EXPECT_EQ(GroupText(Root(1)), "[(SUM=30,00); (MAX=30,00); (COUNT=1); (AVG=30,00); (MIN=30,00)]");
}

TEST_F(DxDBGridSummaryGroupsTest, TheDefaultGroupServesOnlyColumnsWithoutASummaryOfTheirOwn) {
  const struct {
    const char16_t* GroupName;
    TdxSummaryType OwnType;
    const char* Text;
  } cases[] = {
      {u"", cstNone, "(SUM=30,00)"},
      {u"", cstCount, "(COUNT=3) "},
      {u"Other", cstNone, "<(MAX=20,00)>"},
      {u"Missing", cstNone, ""},
  };
  for (const auto& c : cases) {
    MakeGrid([&](TdxDBGrid* g) {
      TdxDBGridSummaryGroup* byDefault = AddGroup(g, u"Default");
      byDefault->SetDefaultGroup(true);
      AddItem(byDefault, cstSum, u"AGE");
      TdxDBGridSummaryGroup* other = AddGroup(g, u"Other");
      other->SetBeginSummaryText(u"<");
      other->SetEndSummaryText(u">");
      AddItem(other, cstMax, u"AGE");
      g->Columns(kSumCity)->SetSummaryGroupName(c.GroupName);
      g->Columns(kSumCity)->SetSummaryType(c.OwnType);
      g->Columns(kSumCity)->SetGroupIndex(0);
    });
    EXPECT_EQ(GroupText(Root(0)), c.Text) << StringToUtf8(c.GroupName);
  }
}

TEST_F(DxDBGridSummaryGroupsTest, OuterLevelItemsSumEveryRecordBelowThem) {
  MakeGrid([](TdxDBGrid* g) {
    TdxDBGridSummaryGroup* group = AddGroup(g, u"Ages");
    AddItem(group, cstSum, u"AGE");
    g->Columns(kSumCity)->SetSummaryGroupName(u"Ages");
    g->Columns(kSumName)->SetSummaryGroupName(u"Ages");
    g->BeginGroupUpdate();
    g->Columns(kSumCity)->SetGroupIndex(0);
    g->Columns(kSumName)->SetGroupIndex(1);
    g->EndGroupUpdate();
  });
  TdxDBGridNode* omsk = Root(0);
  ASSERT_EQ(omsk->GetCount(), 3);
  long double inner = 0;
  for (int i = 0; i < omsk->GetCount(); ++i)
    inner += static_cast<TdxDBGridNode*>(omsk->GetItem(i))->Group().SummaryValues.at(0).Value;
  EXPECT_EQ(omsk->Group().SummaryValues.at(0).Value, 30);
  EXPECT_EQ(inner, 30);
}

class DxDBGridRowFooterTest : public DxDBGridSummaryGroupsTest {
 protected:
  // Grouped by city, then by name; the city level's footer shows the age sum under the age column
  // and names the name column with an item of no kind.
  void MakeFooterGrid() {
    MakeGrid([](TdxDBGrid* g) {
      TdxDBGridSummaryGroup* group = AddGroup(g, u"Footer");
      AddItem(group, cstSum, u"", u"ColAge");
      AddItem(group, cstNone, u"", u"ColName");
      g->Columns(kSumCity)->SetSummaryGroupName(u"Footer");
      g->SetShowRowFooter(true);
      g->BeginGroupUpdate();
      g->Columns(kSumCity)->SetGroupIndex(0);
      g->Columns(kSumName)->SetGroupIndex(1);
      g->EndGroupUpdate();
    });
  }
};

TEST_F(DxDBGridRowFooterTest, ColumnItemsFillTheFooterRowOfTheirLevelOnly) {
  MakeFooterGrid();
  EXPECT_TRUE(grid->IsRowFooterLevel(0));
  EXPECT_FALSE(grid->IsRowFooterLevel(1));
  EXPECT_EQ(GroupText(Root(0)), "");
  const auto& map = grid->GroupSummaryCellMap();
  ASSERT_EQ(map.size(), 2u);
  EXPECT_EQ(map[0], (std::vector<int>{-1, -1, -1, 0}));
  EXPECT_TRUE(map[1].empty());
  // The last record of Omsk (Sidorov, last by name) closes the city's group.
  TdxTreeListNode* lastOfOmsk = Root(0)->GetItem(2)->GetItem(0);
  TdxTreeListNode* firstOfOmsk = Root(0)->GetItem(0)->GetItem(0);
  EXPECT_EQ(grid->GetRowFooterCount(lastOfOmsk), 1);
  EXPECT_EQ(grid->GetRowFooterCount(firstOfOmsk), 0);
  EXPECT_TRUE(grid->IsExistRowFooterCell(lastOfOmsk, kSumAge, 0));
  EXPECT_FALSE(grid->IsExistRowFooterCell(lastOfOmsk, kSumName, 0));
  EXPECT_EQ(StringToUtf8(grid->GetFooterCellText(lastOfOmsk, kSumAge, 0)), "30,00");
  TdxTreeListNode* lastOfTula = Root(1)->GetItem(0)->GetItem(0);
  EXPECT_EQ(StringToUtf8(grid->GetFooterCellText(lastOfTula, kSumAge, 0)), "30,00");
  // Renaming the column takes its items along.
  grid->Columns(kSumAge)->SetName(u"ColYears");
  EXPECT_EQ(StringToUtf8(grid->SummaryGroups()->GetItem(0)->SummaryItems()->GetItem(0)->ColumnName()), "ColYears");
}

TEST_F(DxDBGridRowFooterTest, TheFooterRowIsPaintedWithItsCellText) {
  MakeFooterGrid();
  grid->SetRowFooterTextColor(clRed);
  grid->SetRowFooterColor(clYellow);
  for (int i = 0; i < grid->GetCount(); ++i) grid->GetItem(i)->Expand(true);
  grid->Repaint();
  Pump();
  HDC dc = GetDC(grid->Handle());
  int red = 0, yellowRows = 0;
  for (int y = 0; y < 300; ++y) {
    bool yellow = false;
    for (int x = 0; x < 400; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      red += GetRValue(c) > 150 && GetGValue(c) < 100 && GetBValue(c) < 100;
      yellow = yellow || c == RGB(255, 255, 0);
    }
    yellowRows += yellow;
  }
  ReleaseDC(grid->Handle(), dc);
  EXPECT_TRUE(KeepCheckedWindow(grid->Handle()));
  EXPECT_GT(yellowRows, 0);
  EXPECT_GT(red, 0);  // the sum's digits
}

TEST_F(DxDBGridSummaryGroupsTest, TheFooterAddsInExtendedPrecision) {
  TADOQuery* big = Query("SELECT * FROM BIG ORDER BY ID");
  big->Open();
  grid = NewBoundGrid(big, {u"ID", u"N"}, [](TdxDBGrid* g) {
    g->SetKeyField(u"ID");
    g->SetOptionsDB(g->OptionsDB() + TdxDBGridOptionsDB{edgoLoadAllRecords});
    g->Columns(1)->SetSummaryFooterType(cstSum);
  });
  // 2^53 + 1 + 1: a double loses each 1.
  EXPECT_EQ(grid->Columns(1)->FooterValue(), 9007199254740994.0L);
}

TEST_F(DxDBGridSummaryGroupsTest, AFooterAverageOverNoRecordsStaysAtZero) {
  TADOQuery* none = Query("SELECT * FROM PEOPLE WHERE ID < 0");
  none->Open();
  grid = NewBoundGrid(none, {u"ID", u"AGE"}, [](TdxDBGrid* g) {
    g->SetKeyField(u"ID");
    g->SetOptionsDB(g->OptionsDB() + TdxDBGridOptionsDB{edgoLoadAllRecords});
    g->Columns(0)->SetSummaryFooterType(cstCount);
    g->Columns(1)->SetSummaryFooterType(cstAvg);
  });
  EXPECT_EQ(StringToUtf8(grid->GetFooterCellText(nullptr, 0, -1)), "0");
  EXPECT_EQ(StringToUtf8(grid->GetFooterCellText(nullptr, 1, -1)), "AVG=0,00");
}

TEST_F(DxDBGridSummaryGroupsTest, SummaryGroupsAreReadFromAForm) {
  people = Query("SELECT * FROM PEOPLE ORDER BY ID");
  people->Open();
  const String text =
      u"object Form1: TForm\n"
      u"  object Grid1: TdxDBGrid\n"
      u"    DataSource = PeopleSource\n"
      u"    KeyField = 'ID'\n"
      u"    OptionsDB = [edgoCanNavigation, edgoLoadAllRecords, edgoUseBookmarks]\n"
      u"    ShowRowFooter = True\n"
      u"    SummaryGroups = <\n"
      u"      item\n"
      u"        BeginSummaryText = '['\n"
      u"        EndSummaryText = ']'\n"
      u"        DefaultGroup = True\n"
      u"        SummaryItems = <\n"
      u"          item\n"
      u"            SummaryType = cstSum\n"
      u"            SummaryField = 'AGE'\n"
      u"          end>\n"
      u"        Name = 'Ages'\n"
      u"      end>\n"
      u"    object Grid1City: TdxDBGridColumn\n"
      u"      FieldName = 'CITY'\n"
      u"    end\n"
      u"    object Grid1Age: TdxDBGridColumn\n"
      u"      FieldName = 'AGE'\n"
      u"    end\n"
      u"  end\n"
      u"end\n";
  grid = ReadGridForm(people, text);
  ASSERT_NE(grid, nullptr);
  EXPECT_TRUE(grid->ShowRowFooter());
  ASSERT_EQ(grid->SummaryGroups()->Count(), 1);
  EXPECT_EQ(grid->SummaryGroups()->GetDefaultGroup(), grid->SummaryGroups()->GetItem(0));
  grid->Columns(0)->SetGroupIndex(0);
  ASSERT_EQ(grid->GroupCount(), 1);
  EXPECT_EQ(GroupText(Root(0)), "[(SUM=30,00)]");
}

}  // namespace
