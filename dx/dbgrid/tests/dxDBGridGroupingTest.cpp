// The grid's grouping over a real SQLite dataset: refusals, levels, the order of groups, the group
// path of each record, summaries of grouped columns, expanded states across reloads, the panel's
// geometry and the grouping kept in a stored layout.
#include <functional>

#include "DbGridTestSupport.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/classes/IniFiles.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"

namespace {

const char* const kGroupingPeople = R"(
CREATE TABLE PEOPLE (ID INTEGER PRIMARY KEY, NAME NVARCHAR(40), CITY NVARCHAR(40), AGE INTEGER,
  PHOTO BLOB);
INSERT INTO PEOPLE VALUES (1, 'Петров', 'Омск', 10, NULL), (2, 'Абаев', 'омск', 20, NULL),
  (3, 'Сидоров', 'ОМСК', NULL, NULL), (4, 'Иванова', 'Тула', 30, NULL), (5, 'Кузнецов', NULL, 40, NULL);
)";

enum { kId, kName, kCity, kAge, kPhoto };

class DxDBGridGroupingTest : public DbGridTest {
 protected:
  void SetUp() override { OpenDatabase(kGroupingPeople); }
  TdxDBGrid* MakeGrid(const std::function<void(TdxDBGrid*)>& Setup = [](TdxDBGrid*) {}) {
    people = Query("SELECT * FROM PEOPLE ORDER BY ID");
    people->Open();
    grid = NewBoundGrid(people, {u"ID", u"NAME", u"CITY", u"AGE", u"PHOTO"}, [&](TdxDBGrid* g) {
      g->SetName(u"Grid1");
      g->SetKeyField(u"ID");
      g->SetOptionsDB(g->OptionsDB() + TdxDBGridOptionsDB{edgoLoadAllRecords});
      Setup(g);
    });
    return grid;
  }
  TdxDBTreeListColumn* Column(int Index) const { return grid->Columns(Index); }
  // Group nodes as "value(children)", record nodes by key, roots joined by ",".
  std::string Shape() const {
    std::string s;
    std::function<void(TdxTreeListNode*)> add = [&](TdxTreeListNode* Node) {
      auto* n = static_cast<TdxDBGridNode*>(Node);
      if (!Node->HasChildren()) {
        s += StringToUtf8(VarToStr(n->KeyValue));
        return;
      }
      s += VarIsNull(n->Group().Value) ? std::string("null") : StringToUtf8(VarToStr(n->Group().Value));
      s += "(";
      for (int i = 0; i < Node->GetCount(); ++i) {
        if (i) s += ",";
        add(Node->GetItem(i));
      }
      s += ")";
    };
    for (int i = 0; i < grid->GetCount(); ++i) {
      if (i) s += ",";
      add(grid->GetItem(i));
    }
    return s;
  }
  TdxDBGridNode* Root(int Index) const { return static_cast<TdxDBGridNode*>(grid->GetItem(Index)); }

  TADOQuery* people = nullptr;
  TdxDBGrid* grid = nullptr;
};

TEST_F(DxDBGridGroupingTest, RefusalsAreSilentAndLeaveTheGroupingAsItWas) {
  MakeGrid();
  ASSERT_TRUE(grid->AddGroupColumn(0, Column(kCity)));
  // A second column bound to the grouped field.
  auto* cityAgain = static_cast<TdxDBTreeListColumn*>(grid->CreateColumnEx(TdxDBGridColumn::StaticClass(), grid));
  cityAgain->SetFieldName(u"CITY");
  Column(kId)->SetDisableGrouping(true);
  const struct {
    const char* What;
    TdxDBTreeListColumn* Column;
  } refused[] = {
      {"already grouped", Column(kCity)},
      {"same field as a grouped column", cityAgain},
      {"blob field", Column(kPhoto)},
      {"grouping disabled", Column(kId)},
      {"no column", nullptr},
  };
  for (const auto& r : refused) {
    EXPECT_FALSE(grid->AddGroupColumn(1, r.Column)) << r.What;
    EXPECT_EQ(grid->GroupCount(), 1) << r.What;
  }
  // The only visible column cannot go: the headers would be left empty.
  for (int i = 0; i < grid->GetColumnCount(); ++i)
    if (grid->GetColumn(i) != Column(kName)) grid->GetColumn(i)->SetVisible(false);
  EXPECT_FALSE(grid->AddGroupColumn(1, Column(kName)));
  bool asked = false;
  Column(kName)->SetVisible(false);
  grid->OnAddGroupColumn = [&](TObject*, TdxDBTreeListColumn*, bool& Allow) {
    asked = true;
    Allow = false;
  };
  EXPECT_FALSE(grid->AddGroupColumn(1, Column(kName)));
  EXPECT_TRUE(asked);
  EXPECT_EQ(grid->GroupCount(), 1);
}

TEST_F(DxDBGridGroupingTest, GroupingHidesAndSortsTheColumnAndUngroupingUndoesIt) {
  for (bool notHide : {false, true}) {
    MakeGrid([&](TdxDBGrid* g) {
      if (notHide) g->SetOptionsEx(g->OptionsEx() + TdxDBGridOptionsEx{egoNotHideColumn});
    });
    Column(kCity)->SetGroupIndex(0);
    EXPECT_EQ(Column(kCity)->Visible(), notHide);
    EXPECT_EQ(Column(kCity)->Sorted(), csUp);
    EXPECT_EQ(Column(kCity)->GroupIndex(), 0);
    EXPECT_EQ(grid->GetGroupColumn(0), Column(kCity));
    Column(kCity)->SetGroupIndex(-1);
    EXPECT_TRUE(Column(kCity)->Visible());
    EXPECT_EQ(Column(kCity)->Sorted(), csNone);
    EXPECT_EQ(grid->GroupCount(), 0);
    EXPECT_EQ(Shape(), "1,2,3,4,5");
  }
}

TEST_F(DxDBGridGroupingTest, RegroupNumbersTheStoredLevelsInOrder) {
  const struct {
    int Stored[3];  // NAME, CITY, AGE
    const char* Levels;
  } cases[] = {
      {{5, 0, 2}, "CITY,AGE,NAME"},
      {{-1, 7, 3}, "AGE,CITY"},
      {{1, 1, -1}, "NAME"},  // equal levels: the first column in column order wins
  };
  for (const auto& c : cases) {
    MakeGrid();
    grid->BeginGroupUpdate();
    for (int i = 0; i < 3; ++i) Column(kName + i)->StoreGroupIndex(c.Stored[i]);
    grid->EndGroupUpdate();
    grid->Regroup();
    std::string levels;
    for (int level = 0; level < grid->GroupCount(); ++level)
      levels += (level ? "," : "") + StringToUtf8(grid->GetGroupColumn(level)->FieldName());
    EXPECT_EQ(levels, c.Levels);
    for (int i = 0; i < grid->GetColumnCount(); ++i) {
      const int index = Column(i)->GroupIndex();
      EXPECT_TRUE(index == -1 || grid->GetGroupColumn(index) == Column(i)) << levels;
    }
  }
}

TEST_F(DxDBGridGroupingTest, RecordsFallIntoOrderedGroups) {
  const struct {
    bool CaseInsensitive;
    TdxTreeListColumnSort Sort;
    const char* Shape;
  } cases[] = {
      {false, csUp, "null(5),ОМСК(3),Омск(1),Тула(4),омск(2)"},  // by code point, capitals first
      {true, csUp, "null(5),Омск(1,2,3),Тула(4)"},
      {true, csDown, "Тула(4),Омск(1,2,3),null(5)"},
  };
  for (const auto& c : cases) {
    MakeGrid([&](TdxDBGrid* g) {
      if (c.CaseInsensitive) g->SetOptionsBehavior(g->OptionsBehavior() + TdxDBGridOptionsBehavior{edgoCaseInsensitive});
    });
    Column(kCity)->SetSorted(c.Sort);
    Column(kCity)->SetGroupIndex(0);
    EXPECT_EQ(Shape(), c.Shape);
    // A group row carries its first record: its key finds the record a click on it goes to.
    EXPECT_EQ(VarToStr(Root(0)->KeyValue), VarToStr(static_cast<TdxDBGridNode*>(Root(0)->GetItem(0))->KeyValue));
  }
}

TEST_F(DxDBGridGroupingTest, FindGroupNodeAnswersTheGroupOrTheInsertionPoint) {
  MakeGrid([](TdxDBGrid* g) {
    g->SetOptionsBehavior(g->OptionsBehavior() + TdxDBGridOptionsBehavior{edgoCaseInsensitive});
  });
  Column(kCity)->SetGroupIndex(0);  // null, Омск, Тула
  const struct {
    Variant Value;
    bool Found;
    int At;  // the found group or the insertion point, -1 for none (append)
  } cases[] = {
      {Null(), true, 0}, {Variant(String(u"омск")), true, 1}, {Variant(String(u"Пермь")), false, 2},
      {Variant(String(u"Ярославль")), false, -1}, {Variant(String(u"Абакан")), false, 1},
  };
  for (const auto& c : cases) {
    TdxTreeListNode* found = nullptr;
    EXPECT_EQ(grid->FindGroupNode(grid->GetItem(0), c.Value, 0, false, found), c.Found) << StringToUtf8(VarToStr(c.Value));
    EXPECT_EQ(found ? found->GetIndex() : -1, c.At) << StringToUtf8(VarToStr(c.Value));
  }
  TdxTreeListNode* found = nullptr;
  EXPECT_FALSE(grid->FindGroupNode(nullptr, Null(), 0, false, found));
  EXPECT_EQ(found, nullptr);
  // A level sorted by its summary is searched one by one; a miss answers the last sibling looked at.
  Column(kCity)->SetSummaryType(cstCount);
  Column(kCity)->SetSortBySummary(true);
  EXPECT_FALSE(grid->FindGroupNode(grid->GetItem(0), Variant(String(u"Абакан")), 0, false, found));
  EXPECT_EQ(found, grid->GetItem(2));
  EXPECT_TRUE(grid->FindGroupNode(grid->GetItem(0), Variant(String(u"тула")), 0, false, found));
  EXPECT_EQ(found, grid->GetItem(2));
}

TEST_F(DxDBGridGroupingTest, CompareGroupValuesOrdersNullsFirstAndSurvivesBadConversions) {
  MakeGrid();
  EXPECT_EQ(grid->CompareGroupValues(Null(), Null()), 0);
  EXPECT_EQ(grid->CompareGroupValues(Null(), Variant(1)), -1);
  EXPECT_EQ(grid->CompareGroupValues(Variant(1), Null()), 1);
  EXPECT_EQ(grid->CompareGroupValues(Variant(String(u"abc")), Variant(String(u"ABC"))), 1);
  grid->SetOptionsBehavior(grid->OptionsBehavior() + TdxDBGridOptionsBehavior{edgoCaseInsensitive});
  EXPECT_EQ(grid->CompareGroupValues(Variant(String(u"abc")), Variant(String(u"ABC"))), 0);
  EXPECT_EQ(grid->CompareGroupValues(Variant(2), Variant(10)), -1);
}

TEST_F(DxDBGridGroupingTest, TwoLevelsPlaceEachRecordUnderBoth) {
  MakeGrid([](TdxDBGrid* g) {
    g->SetOptionsBehavior(g->OptionsBehavior() + TdxDBGridOptionsBehavior{edgoCaseInsensitive});
  });
  grid->BeginGroupUpdate();
  Column(kCity)->SetGroupIndex(0);
  Column(kAge)->SetGroupIndex(1);
  grid->EndGroupUpdate();
  EXPECT_EQ(Shape(), "null(40(5)),Омск(null(3),10(1),20(2)),Тула(30(4))");
  EXPECT_EQ(grid->RecordCount(), 5);
}

TEST_F(DxDBGridGroupingTest, GroupSummariesCountNullsAsZero) {
  const struct {
    TdxSummaryType Type;
    double Value;
    const char* Text;
  } cases[] = {  // the test locale's decimal separator is a comma
      {cstSum, 30, "(SUM=30,00) "}, {cstAvg, 10, "(AVG=10,00) "}, {cstMin, 0, "(MIN=0,00) "},
      {cstMax, 20, "(MAX=20,00) "}, {cstCount, 3, "(COUNT=3) "},
  };
  for (const auto& c : cases) {
    MakeGrid([](TdxDBGrid* g) {
      g->SetOptionsBehavior(g->OptionsBehavior() + TdxDBGridOptionsBehavior{edgoCaseInsensitive});
    });
    Column(kCity)->SetSummaryType(c.Type);
    Column(kCity)->SetSummaryField(u"AGE");
    Column(kCity)->SetGroupIndex(0);
    auto* omsk = Root(1);  // 10, 20 and Null
    EXPECT_DOUBLE_EQ(static_cast<double>(omsk->Group().SummaryValue), c.Value);
    EXPECT_EQ(StringToUtf8(grid->GroupSummaryText(omsk, Column(kCity))), c.Text);
  }
  // The row text: caption, value, summary.
  String text;
  grid->GetNodeString(Root(1), grid->IndexOfColumn(grid->GetVisibleColumn(0)), text);
  EXPECT_EQ(StringToUtf8(text), "CITY : Омск (COUNT=3) ");
  grid->GetNodeString(Root(1), grid->IndexOfColumn(grid->GetVisibleColumn(1)), text);
  EXPECT_EQ(StringToUtf8(text), "");
}

TEST_F(DxDBGridGroupingTest, OuterGroupSumsEqualTheSumOfTheirInnerGroups) {
  MakeGrid([](TdxDBGrid* g) {
    g->SetOptionsBehavior(g->OptionsBehavior() + TdxDBGridOptionsBehavior{edgoCaseInsensitive});
  });
  grid->BeginGroupUpdate();
  for (int i : {kCity, kName}) {
    Column(i)->SetSummaryType(cstSum);
    Column(i)->SetSummaryField(u"AGE");
  }
  Column(kCity)->SetGroupIndex(0);
  Column(kName)->SetGroupIndex(1);
  grid->EndGroupUpdate();
  auto* omsk = Root(1);
  long double inner = 0;
  for (int i = 0; i < omsk->GetCount(); ++i) inner += static_cast<TdxDBGridNode*>(omsk->GetItem(i))->Group().SummaryValue;
  EXPECT_EQ(omsk->Group().SummaryValue, 30);
  EXPECT_EQ(inner, omsk->Group().SummaryValue);
}

TEST_F(DxDBGridGroupingTest, AReloadKeepsExpandedGroupsButANewGroupingStartsCollapsed) {
  MakeGrid([](TdxDBGrid* g) {
    g->SetOptionsBehavior(g->OptionsBehavior() + TdxDBGridOptionsBehavior{edgoCaseInsensitive});
  });
  Column(kCity)->SetGroupIndex(0);
  Root(1)->SetExpanded(true);  // Омск
  Execute("UPDATE PEOPLE SET NAME = 'Петрова' WHERE ID = 1");
  people->Requery();
  Pump();
  EXPECT_TRUE(Root(1)->Expanded());
  EXPECT_FALSE(Root(0)->Expanded());
  EXPECT_FALSE(Root(2)->Expanded());
  grid->BeginGroupUpdate();
  grid->EndGroupUpdate();  // same grouped fields: regrouped in place
  EXPECT_TRUE(Root(1)->Expanded());
  Column(kAge)->SetGroupIndex(1);  // another grouping: every group is new
  EXPECT_FALSE(Root(1)->Expanded());
}

TEST_F(DxDBGridGroupingTest, SelectionComesBackByKeyAfterUngrouping) {
  MakeGrid([](TdxDBGrid* g) {
    g->SetOptionsBehavior(g->OptionsBehavior() + TdxDBGridOptionsBehavior{edgoMultiSelect});
  });
  Column(kCity)->SetGroupIndex(0);
  for (int id : {2, 4}) {
    people->Locate(u"ID", id, {});
    TdxTreeListNode* node = grid->FocusedNode();
    ASSERT_EQ(static_cast<TdxDBGridNode*>(node)->KeyValue.AsInteger(), id);
    grid->SetNodeSelected(node, true);
  }
  Column(kCity)->SetGroupIndex(-1);
  std::string selected;
  for (int i = 0; i < grid->GetSelectedCount(); ++i)
    selected += StringToUtf8(VarToStr(static_cast<TdxDBGridNode*>(grid->GetSelectedNode(i))->KeyValue)) + " ";
  EXPECT_EQ(grid->GetSelectedCount(), 2);
  EXPECT_TRUE(selected == "2 4 " || selected == "4 2 ") << selected;
  for (int i = 0; i < grid->GetSelectedCount(); ++i) EXPECT_EQ(grid->GetSelectedNode(i)->Parent(), nullptr);
}

TEST_F(DxDBGridGroupingTest, ARecordInsertedInAGroupTakesTheGroupsValue) {
  MakeGrid();
  Column(kCity)->SetGroupIndex(0);
  people->Locate(u"ID", 4, {});  // Тула
  people->Insert();
  Pump();
  EXPECT_EQ(StringToUtf8(people->FieldByName(u"CITY")->AsString()), "Тула");
  auto* node = grid->FocusedNode();
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(VarToStr(static_cast<TdxDBGridNode*>(node->Parent())->Group().Value), u"Тула");
  people->Cancel();
}

TEST_F(DxDBGridGroupingTest, TheFocusFollowsTheRecordDownItsGroupPath) {
  MakeGrid([](TdxDBGrid* g) {
    g->SetOptionsBehavior(g->OptionsBehavior() + TdxDBGridOptionsBehavior{edgoCaseInsensitive});
  });
  Column(kCity)->SetGroupIndex(0);  // null(5), Омск(1,2,3), Тула(4)
  const struct {
    int Id;
    bool GroupRow;  // the first record of its group, its own row not focused: the group row
  } cases[] = {{2, false}, {1, true}, {4, true}, {3, false}};
  for (const auto& c : cases) {
    people->Locate(u"ID", c.Id, {});
    Pump();
    auto* focused = static_cast<TdxDBGridNode*>(grid->FocusedNode());
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->HasChildren(), c.GroupRow) << c.Id;
    EXPECT_EQ(focused->KeyValue.AsInteger(), c.Id);
  }
}

TEST_F(DxDBGridGroupingTest, ACollapsedReloadMovesToTheFirstRecordOfTheCurrentGroup) {
  MakeGrid([](TdxDBGrid* g) {
    g->SetOptionsBehavior(g->OptionsBehavior() + TdxDBGridOptionsBehavior{edgoCaseInsensitive});
    g->SetOptionsEx(g->OptionsEx() + TdxDBGridOptionsEx{egoCollapsedReload});
  });
  Column(kCity)->SetGroupIndex(0);
  people->Locate(u"ID", 3, {});
  Pump();
  grid->ReloadGrid();
  EXPECT_EQ(people->FieldByName(u"ID")->AsInteger(), 1);
}

TEST_F(DxDBGridGroupingTest, AGroupedColumnThatIsFreedLeavesTheGrouping) {
  MakeGrid();
  grid->BeginGroupUpdate();
  Column(kCity)->SetGroupIndex(0);
  Column(kAge)->SetGroupIndex(1);
  grid->EndGroupUpdate();
  delete Column(kCity);
  ASSERT_EQ(grid->GroupCount(), 1);
  EXPECT_EQ(grid->GetGroupColumn(0)->FieldName(), u"AGE");
  EXPECT_EQ(grid->GetGroupColumn(0)->GroupIndex(), 0);
  grid->ReloadGrid();
  EXPECT_EQ(Shape(), "null(3),10(1),20(2),30(4),40(5)");
}

TEST_F(DxDBGridGroupingTest, GroupRowsAreNeverEdited) {
  MakeGrid([](TdxDBGrid* g) { g->SetOptionsBehavior(g->OptionsBehavior() + TdxDBGridOptionsBehavior{edgoEditing}); });
  Column(kCity)->SetGroupIndex(0);
  bool allow = true;
  grid->DoEditing(Root(0), allow);
  EXPECT_FALSE(allow);
}

TEST_F(DxDBGridGroupingTest, PanelHeightAndBoxesFollowTheHeaderRowHeight) {
  MakeGrid([](TdxDBGrid* g) { g->SetShowGroupPanel(true); });
  const int h = grid->Layout().HeaderRowHeight;
  ASSERT_EQ(h, 19) << "the test font's header row";
  EXPECT_EQ(grid->GetGroupPanelHeight(), 26);
  grid->BeginGroupUpdate();
  Column(kCity)->SetGroupIndex(0);
  grid->EndGroupUpdate();
  EXPECT_EQ(grid->GetGroupPanelHeight(), 35);
  grid->BeginGroupUpdate();
  Column(kAge)->SetGroupIndex(1);
  Column(kName)->SetGroupIndex(2);
  grid->EndGroupUpdate();
  EXPECT_EQ(grid->GetGroupPanelHeight(), 53);
  EXPECT_EQ(grid->GetGroupBoxRect(2).left, 216);
  EXPECT_EQ(grid->GetGroupBoxRect(2).top, 26);
  EXPECT_EQ(grid->GetGroupBoxRect(2).bottom, 45);
  const struct {
    int X, Position;
  } drops[] = {{0, 0}, {57, 0}, {58, 1}, {161, 1}, {162, 2}, {400, 3}};
  for (const auto& d : drops) EXPECT_EQ(grid->GetGroupDropPosition(d.X), d.Position) << d.X;
  EXPECT_EQ(grid->GetGroupDropArrowsPoint(1).x, 107);
  EXPECT_EQ(grid->GetGroupDropArrowsPoint(1).y, 8);
  grid->SetShowGroupPanel(false);
  EXPECT_EQ(grid->GetGroupPanelHeight(), 0);
}

TEST_F(DxDBGridGroupingTest, TheStoredLayoutCarriesTheGroupingAndThePanelSwitches) {
  MakeGrid();
  Column(kCity)->SetGroupIndex(0);
  grid->SetShowGroupPanel(true);
  grid->SetShowSummaryFooter(true);
  const String file = folder_.File("edu.ini");
  grid->SaveToIniFile(file);
  {
    TMemIniFile ini(file);
    const String general = u"\\" + grid->Owner()->Name() + u"_Grid1";
    EXPECT_EQ(ini.ReadInteger(general + u"\\Columns\\" + Column(kCity)->Name(), u"GroupIndex", -2), 0);
    EXPECT_EQ(ini.ReadInteger(general + u"\\Columns\\" + Column(kName)->Name(), u"GroupIndex", -2), -1);
    EXPECT_TRUE(ini.ReadBool(general, u"ShowGroupPanel", false));
    EXPECT_FALSE(ini.ReadBool(general, u"ShowNewItemRow", true));
    EXPECT_FALSE(ini.ReadBool(general, u"ShowRowFooter", true));
    EXPECT_TRUE(ini.ReadBool(general, u"ShowSummaryFooter", false));
    EXPECT_FALSE(ini.ValueExists(general, u"Filter"));
  }
  Column(kCity)->SetGroupIndex(-1);
  grid->SetShowGroupPanel(false);
  grid->LoadFromIniFile(file);
  EXPECT_EQ(grid->GroupCount(), 1);
  EXPECT_EQ(grid->GetGroupColumn(0), Column(kCity));
  EXPECT_FALSE(Column(kCity)->Visible());
  EXPECT_TRUE(grid->ShowGroupPanel());
  EXPECT_EQ(grid->GetCount(), 5);  // null and the four cities, case apart
}

}  // namespace
