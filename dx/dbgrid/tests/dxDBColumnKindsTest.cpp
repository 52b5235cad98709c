#include <algorithm>
#include <functional>
#include <vector>

#include "DbGridTestSupport.h"
#include "dx/dbgrid/dxDBColumnDefaults.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "dx/dbgrid/dxDBGridColumnKinds.h"
#include "dx/dbgrid/dxDBTL.h"
#include "dx/editors/dxEditorRoutines.h"
#include "platform/classes/Filer.h"
#include "platform/classes/FormResources.h"
#include "platform/data/FieldTypes.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/Streams.h"
#include "platform/win/Input.h"
#include "platform/win/Windows.h"

namespace {

// FLAG holds Y/N codes, BORN date-times (day 45000 is 2023-03-15), TEXT columns are memos.
const char* const kKinds = R"(
CREATE TABLE KINDS (ID INTEGER PRIMARY KEY, FLAG NVARCHAR(1), BORN DATETIME, QTY INTEGER, AMOUNT REAL,
  NOTE TEXT, OK BIT, CODE NVARCHAR(2), PIC BLOB);
INSERT INTO KINDS VALUES
  (1, 'Y', '2023-03-15 06:00:00', 3, 12.5, 'a long remark', 1, 'a', NULL),
  (2, 'y', NULL, NULL, NULL, NULL, 0, 'b', NULL),
  (3, 'N', '2023-03-16 18:00:00', 9, 0.25, 'short', NULL, 'zz', X'0102'),
  (4, 'x', NULL, 1, NULL, '', 1, NULL, NULL);
)";

class DxDBColumnKindsTest : public DbGridTest {
 public:
  void SetUp() override { OpenDatabase(kKinds); }

  // A grid over KINDS with an ID column and one column of class Kind bound to FieldName, set up by
  // Setup before the data arrives. LoadAll picks load-all mode, else the dataset-window mode.
  template <class Kind>
  Kind* MakeGrid(const char16_t* FieldName, const std::function<void(Kind*)>& Setup = {},
                 bool LoadAll = true) {
    kinds = Query("SELECT * FROM KINDS ORDER BY ID");
    kinds->Open();
    grid = new TdxDBGrid(NewShownForm());
    grid->SetParent(static_cast<TWinControl*>(grid->Owner()));
    grid->SetBounds(0, 0, 400, 300);
    if (LoadAll) grid->SetOptionsDB(grid->OptionsDB() + TdxDBGridOptionsDB{edgoLoadAllRecords});
    grid->CreateColumnEx(TdxDBGridColumn::StaticClass(), grid)->SetFieldName(u"ID");
    auto* column = static_cast<Kind*>(grid->CreateColumnEx(Kind::StaticClass(), grid));
    column->SetFieldName(FieldName);
    if (Setup) Setup(column);
    grid->SetKeyField(u"ID");
    grid->SetDataSource(SourceOf(kinds));
    Pump();
    return column;
  }

  // Opens the editor on the column-1 cell of row Row; the dataset is in edit state afterwards.
  template <class Editor>
  Editor* EditCell(int Row) {
    grid->SetFocusedNode(grid->GetAbsoluteNode(Row), 1, true);
    grid->SetFocusedColumn(1);
    grid->SetFocus();
    grid->ShowEditor();
    auto* editor = dynamic_cast<Editor*>(grid->InplaceEditor());
    EXPECT_NE(editor, nullptr);
    EXPECT_TRUE(grid->CanEditModify());
    return editor;
  }

  // Writes the open editor into the record and posts it.
  void Commit() {
    grid->InplaceEditor()->SetModified(true);
    grid->CloseEditor();
    kinds->Post();
    Pump();
  }

  TField* FieldOf(const char16_t* Name, int Id) {
    kinds->Locate(u"ID", Id, {});
    return kinds->FieldByName(Name);
  }

  TADOQuery* kinds = nullptr;
  TdxDBGrid* grid = nullptr;
};

void CheckYesNo(TdxDBTreeListCheckColumn* Column) {
  Column->SetValueChecked(u"Y");
  Column->SetValueUnchecked(u"N");
}

TEST_F(DxDBColumnKindsTest, DefaultColumnsFollowTheFieldTypes) {
  MakeGrid<TdxDBGridColumn>(u"FLAG");
  grid->SetDefaultFields(true);
  struct {
    const char16_t* field;
    TClass kind;
  } const cases[] = {
      {u"ID", TdxDBGridMaskColumn::StaticClass()},     {u"FLAG", TdxDBGridColumn::StaticClass()},
      {u"BORN", TdxDBGridDateColumn::StaticClass()},   {u"QTY", TdxDBGridMaskColumn::StaticClass()},
      {u"AMOUNT", TdxDBGridMaskColumn::StaticClass()}, {u"NOTE", TdxDBGridMemoColumn::StaticClass()},
      {u"OK", TdxDBGridCheckColumn::StaticClass()},    {u"PIC", TdxDBGridBlobColumn::StaticClass()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.field));
    TdxDBTreeListColumn* column = grid->FindColumnByFieldName(c.field);
    ASSERT_NE(column, nullptr);
    EXPECT_EQ(column->ClassType(), c.kind);
  }
  // The tree list's table offers the tree-list kinds.
  EXPECT_EQ(DBTreeListDefaultColumns().ClassFor(kinds->FieldByName(u"BORN")),
            TdxDBTreeListDateColumn::StaticClass());
  EXPECT_EQ(DBTreeListDefaultColumns().ClassFor(kinds->FieldByName(u"OK")),
            TdxDBTreeListCheckColumn::StaticClass());
}

TEST_F(DxDBColumnKindsTest, TheValueTypeFollowsTheBoundField) {
  MakeGrid<TdxDBGridColumn>(u"FLAG");
  const std::pair<const char16_t*, TVarType> cases[] = {
      {u"ID", varInteger}, {u"BORN", varDate},  {u"QTY", varInteger}, {u"AMOUNT", varDouble},
      {u"FLAG", varString}, {u"OK", varString}, {u"PIC", varString},
  };
  for (const auto& [name, type] : cases) {
    grid->Columns(1)->SetFieldName(name);
    EXPECT_EQ(grid->Columns(1)->GetValueVarType(), type) << StringToUtf8(name);
  }
  grid->Columns(1)->SetFieldName(u"NO_SUCH_FIELD");
  EXPECT_EQ(grid->Columns(1)->GetValueVarType(), 13);
}

TEST(DxDBColumnDefaultsTable, AProposalReplacesAnEntryOnlyWithAHigherPriority) {
  TdxDefaultColumnTable table(TdxDBTreeListColumn::StaticClass());
  EXPECT_EQ(table.Entry(ftUnknown).Class, nullptr);
  EXPECT_EQ(table.Entry(ftBoolean).Class, TdxDBTreeListColumn::StaticClass());
  auto offer = [&](TClass Kind, int Priority) {
    table.Register([&](TFieldType Type, bool Lookup, TdxDefaultColumnEntry& Candidate) {
      if (Type == ftBoolean || Lookup) Candidate = {Kind, Priority};
    });
  };
  offer(TdxDBTreeListCheckColumn::StaticClass(), 1);
  EXPECT_EQ(table.Entry(ftBoolean).Class, TdxDBTreeListCheckColumn::StaticClass());
  EXPECT_EQ(table.LookupEntry().Class, TdxDBTreeListCheckColumn::StaticClass());
  offer(TdxDBTreeListSpinColumn::StaticClass(), 1);  // equal priority: kept
  EXPECT_EQ(table.Entry(ftBoolean).Class, TdxDBTreeListCheckColumn::StaticClass());
  offer(TdxDBTreeListSpinColumn::StaticClass(), 2);
  EXPECT_EQ(table.Entry(ftBoolean).Class, TdxDBTreeListSpinColumn::StaticClass());
  EXPECT_EQ(table.Entry(ftInteger).Class, TdxDBTreeListColumn::StaticClass());
  table.Reset();
  EXPECT_EQ(table.Entry(ftBoolean).Class, TdxDBTreeListColumn::StaticClass());
  EXPECT_EQ(table.Entry(ftBoolean).Priority, 0);
}

// What the cells of each kind show, in load-all and in dataset-window mode.
TEST_F(DxDBColumnKindsTest, CellsShowTheKindsTexts) {
  struct Case {
    const char* name;
    std::function<TdxDBTreeListColumn*(DxDBColumnKindsTest&, bool)> make;
    const char* rows;
  };
  const Case cases[] = {
      {"check Y/N: case ignored for checked, others grayed",
       [](DxDBColumnKindsTest& t, bool all) {
         return t.MakeGrid<TdxDBGridCheckColumn>(u"FLAG", CheckYesNo, all);
       },
       "Y,Y,N,"},
      {"check on a Boolean field",
       [](DxDBColumnKindsTest& t, bool all) { return t.MakeGrid<TdxDBGridCheckColumn>(u"OK", {}, all); },
       "True,False,,True"},
      {"memo cut to MaxDisplayLength",
       [](DxDBColumnKindsTest& t, bool all) {
         return t.MakeGrid<TdxDBGridMemoColumn>(
             u"NOTE", [](auto* c) { c->SetMaxDisplayLength(6); }, all);
       },
       "a long,,short,"},
      {"image description, else the value itself",
       [](DxDBColumnKindsTest& t, bool all) {
         return t.MakeGrid<TdxDBGridImageColumn>(
             u"CODE",
             [](auto* c) {
               c->Values()->SetText(u"a\nb");
               c->Descriptions()->SetText(u"Alpha\nBeta");
             },
             all);
       },
       "Alpha,Beta,zz,"},
      {"blob as text",
       [](DxDBColumnKindsTest& t, bool all) {
         return t.MakeGrid<TdxDBGridBlobColumn>(
             u"NOTE",
             [](auto* c) {
               c->SetBlobPaintStyle(bpsText);
               c->SetMaxDisplayLength(3);
             },
             all);
       },
       "a l,,sho,"},
      {"blob as icon: no text for Null",
       [](DxDBColumnKindsTest& t, bool all) { return t.MakeGrid<TdxDBGridBlobColumn>(u"PIC", {}, all); },
       ",,(BLOB),"},
  };
  for (const bool loadAll : {true, false}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (loadAll ? " (load all)" : " (dataset window)"));
      c.make(*this, loadAll);
      EXPECT_EQ(Rows(grid, 1), c.rows);
      TearDown();
    }
  }
}

// What the editor of each kind starts with and what it writes back into the record.
TEST_F(DxDBColumnKindsTest, EditorsReadAndWriteTheField) {
  struct Case {
    const char* name;
    std::function<void(DxDBColumnKindsTest&)> run;
  };
  const Case cases[] = {
      {"check: 'y' loads checked, unchecking writes N",
       [](DxDBColumnKindsTest& t) {
         t.MakeGrid<TdxDBGridCheckColumn>(u"FLAG", CheckYesNo);
         auto* check = t.EditCell<TdxInplaceDBTreeListCheckEdit>(1);
         ASSERT_NE(check, nullptr);
         EXPECT_EQ(check->State(), cbsChecked);
         check->SetState(cbsUnchecked);
         t.Commit();
         EXPECT_EQ(StringToUtf8(t.FieldOf(u"FLAG", 2)->AsString()), "N");
         EXPECT_EQ(Rows(t.grid, 1), "Y,N,N,");
       }},
      {"check: a grayed state writes the empty grayed value as Null",
       [](DxDBColumnKindsTest& t) {
         t.MakeGrid<TdxDBGridCheckColumn>(u"FLAG", CheckYesNo);
         auto* check = t.EditCell<TdxInplaceDBTreeListCheckEdit>(0);
         ASSERT_NE(check, nullptr);
         check->SetState(cbsGrayed);
         t.Commit();
         EXPECT_TRUE(t.FieldOf(u"FLAG", 1)->IsNull());
       }},
      {"date: Null loads as no date; clearing writes Null",
       [](DxDBColumnKindsTest& t) {
         t.MakeGrid<TdxDBGridDateColumn>(u"BORN");
         auto* date = t.EditCell<TdxInplaceDBTreeListDateEdit>(1);
         ASSERT_NE(date, nullptr);
         EXPECT_EQ(date->GetDate(), dxNullDate);
         t.grid->CloseEditor();
         date = t.EditCell<TdxInplaceDBTreeListDateEdit>(0);
         EXPECT_DOUBLE_EQ(date->GetDate(), 45000.25);
         date->SetDate(dxNullDate);
         t.Commit();
         EXPECT_TRUE(t.FieldOf(u"BORN", 1)->IsNull());
       }},
      {"date: a chosen day is written as its day number",
       [](DxDBColumnKindsTest& t) {
         t.MakeGrid<TdxDBGridDateColumn>(u"BORN");
         t.EditCell<TdxInplaceDBTreeListDateEdit>(1)->SetDate(45100);
         t.Commit();
         EXPECT_DOUBLE_EQ(t.FieldOf(u"BORN", 2)->AsFloat(), 45100);
       }},
      {"time: loads the time of day and keeps the date part when saving",
       [](DxDBColumnKindsTest& t) {
         t.MakeGrid<TdxDBGridTimeColumn>(u"BORN");
         auto* time = t.EditCell<TdxInplaceDBTreeListTimeEdit>(2);
         ASSERT_NE(time, nullptr);
         EXPECT_NEAR(time->GetTime(), 0.75, 1e-9);
         time->SetTime(0.5);
         t.Commit();
         EXPECT_NEAR(t.FieldOf(u"BORN", 3)->AsFloat(), 45001.5, 1e-9);
       }},
      {"spin: the editor's number goes into the integer field",
       [](DxDBColumnKindsTest& t) {
         t.MakeGrid<TdxDBGridSpinColumn>(u"QTY");
         auto* spin = t.EditCell<TdxInplaceDBTreeListSpinEdit>(0);
         ASSERT_NE(spin, nullptr);
         EXPECT_EQ(spin->GetValue(), 3);
         EXPECT_EQ(spin->ValueType(), vtInt);
         spin->SetValue(7);
         t.Commit();
         EXPECT_EQ(t.FieldOf(u"QTY", 1)->AsInteger(), 7);
       }},
      {"spin on a float field edits floating-point values",
       [](DxDBColumnKindsTest& t) {
         t.MakeGrid<TdxDBGridSpinColumn>(u"AMOUNT");
         auto* spin = t.EditCell<TdxInplaceDBTreeListSpinEdit>(0);
         ASSERT_NE(spin, nullptr);
         EXPECT_EQ(spin->ValueType(), vtFloat);
         EXPECT_DOUBLE_EQ(spin->GetValue(), 12.5);
       }},
      {"currency: a nullable empty text writes Null, a number its value",
       [](DxDBColumnKindsTest& t) {
         t.MakeGrid<TdxDBGridCurrencyColumn>(u"AMOUNT", [](auto* c) { c->SetNullable(true); });
         auto* currency = t.EditCell<TdxInplaceDBTreeListCurrencyEdit>(0);
         ASSERT_NE(currency, nullptr);
         EXPECT_DOUBLE_EQ(currency->GetValue(), 12.5);
         currency->SetEditingText(u"");
         t.Commit();
         EXPECT_TRUE(t.FieldOf(u"AMOUNT", 1)->IsNull());
         t.EditCell<TdxInplaceDBTreeListCurrencyEdit>(2)->SetValue(4.75);
         t.Commit();
         EXPECT_DOUBLE_EQ(t.FieldOf(u"AMOUNT", 3)->AsFloat(), 4.75);
       }},
      {"memo: the whole text in and out, not the cut one",
       [](DxDBColumnKindsTest& t) {
         t.MakeGrid<TdxDBGridMemoColumn>(u"NOTE", [](auto* c) { c->SetMaxDisplayLength(3); });
         auto* memo = t.EditCell<TdxInplaceDBTreeListMemoEdit>(0);
         ASSERT_NE(memo, nullptr);
         String text;
         memo->GetEditingText(text);
         EXPECT_EQ(StringToUtf8(text), "a long remark");
         memo->SetEditingText(u"line one\r\nline two");
         t.Commit();
         EXPECT_EQ(StringToUtf8(t.FieldOf(u"NOTE", 1)->AsString()), "line one\r\nline two");
         EXPECT_EQ(Rows(t.grid, 1), "lin,,sho,");
       }},
      {"pick: the chosen text is the field's text",
       [](DxDBColumnKindsTest& t) {
         t.MakeGrid<TdxDBGridPickColumn>(u"CODE", [](auto* c) { c->Items()->SetText(u"a\nb\nc"); });
         auto* pick = t.EditCell<TdxInplaceDBTreeListPickEdit>(2);
         ASSERT_NE(pick, nullptr);
         EXPECT_EQ(pick->Items()->Count(), 3);
         pick->SetEditingText(u"c");
         t.Commit();
         EXPECT_EQ(StringToUtf8(t.FieldOf(u"CODE", 3)->AsString()), "c");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.run(*this);
    if (kinds->State() != dsBrowse) kinds->Cancel();
    TearDown();
  }
}

TEST_F(DxDBColumnKindsTest, SpinLimitsComeFromTheFieldAndAreStoredOnlyWhenTheyDiffer) {
  auto* spin = MakeGrid<TdxDBGridSpinColumn>(u"QTY");
  auto* qty = dynamic_cast<TIntegerField*>(kinds->FieldByName(u"QTY"));
  ASSERT_NE(qty, nullptr);
  qty->SetMinValue(1);
  qty->SetMaxValue(10);
  EXPECT_EQ(spin->MinValue(), 1);
  EXPECT_EQ(spin->MaxValue(), 10);
  EXPECT_FALSE(spin->IsMinValueStored());
  EXPECT_FALSE(spin->IsMaxValueStored());
  auto* editor = EditCell<TdxInplaceDBTreeListSpinEdit>(0);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->MinValue(), 1);
  EXPECT_EQ(editor->MaxValue(), 10);
  grid->CloseEditor();
  kinds->Cancel();
  spin->SetMaxValue(10);  // set, but the field's own: still not stored
  EXPECT_FALSE(spin->IsMaxValueStored());
  spin->SetMaxValue(20);
  EXPECT_TRUE(spin->IsMaxValueStored());
  EXPECT_EQ(spin->MaxValue(), 20);
  spin->RestoreDefaults();
  EXPECT_EQ(spin->MaxValue(), 10);
}

// The calculator's key style is a published enumeration: written by name when not the default,
// read back by name and handed to the calculator editor.
TEST_F(DxDBColumnKindsTest, TheCalculatorsButtonStyleIsStreamedByName) {
  auto* calc = MakeGrid<TdxDBGridCalcColumn>(u"AMOUNT");
  calc->SetName(u"AmountColumn");
  auto written = [&] {
    TMemoryStream binary;
    WriteComponent(&binary, calc);
    binary.SetPosition(0);
    return StringToUtf8(ObjectBinaryToText(&binary));
  };
  EXPECT_EQ(StringToUtf8(GetEnumProp(calc, u"ButtonStyle")), "bsStandard");
  EXPECT_EQ(written().find("ButtonStyle"), std::string::npos) << "the default is not written";
  SetEnumProp(calc, u"ButtonStyle", u"bsExtraFlat");
  EXPECT_EQ(calc->ButtonStyle(), bsExtraFlat);
  EXPECT_NE(written().find("ButtonStyle = bsExtraFlat"), std::string::npos);
  auto* editor = EditCell<TdxInplaceCalcEdit>(0);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->ButtonStyle, bsExtraFlat);
  grid->CloseEditor();
  kinds->Cancel();
}

// With hot tracking, a hyperlink column that starts its link on a single click shows the hand over
// a cell with a link, and the control's own cursor over an empty cell or without SingleClick.
TEST_F(DxDBColumnKindsTest, AHyperLinkCellShowsTheHandWhileHotTracked) {
  auto* link = MakeGrid<TdxDBGridHyperLinkColumn>(u"CODE");
  grid->SetOptionsView(grid->OptionsView() + TdxDBGridOptionsView{edgoHotTrack});
  Pump();
  auto cursorOver = [&](int Row) {
    RECT r;
    grid->GetCellRect(grid->GetAbsoluteNode(Row), 1, r);
    POINT p{r.left + 5, (r.top + r.bottom) / 2};
    ClientToScreen(grid->Handle(), &p);
    SimulateMouseMove(p);
    Pump();
    return grid->Cursor();
  };
  struct {
    const char* name;
    bool singleClick;
    int from, row;
    TCursor expected;
  } const cases[] = {
      {"a link, single click", true, 3, 0, crdxHandPoint},
      {"from a link to a cell without one", true, 0, 3, crDefault},
      {"back on a link", true, 3, 2, crdxHandPoint},
      {"a link without single click", false, 3, 1, crDefault},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    link->SetSingleClick(c.singleClick);
    cursorOver(c.from);
    EXPECT_EQ(cursorOver(c.row), c.expected);
  }
}

TEST_F(DxDBColumnKindsTest, ButtonStylesAddAndRemoveTheButton) {
  auto* button = MakeGrid<TdxDBGridButtonColumn>(u"CODE");
  ASSERT_EQ(button->Buttons()->Count(), 1);
  EXPECT_EQ(button->Buttons()->GetItem(0)->Kind(), bkEllipsis);
  button->SetEditButtonStyle(ebsSimple);
  EXPECT_EQ(button->Buttons()->Count(), 0);
  button->SetEditButtonStyle(ebsGlyph);
  ASSERT_EQ(button->Buttons()->Count(), 1);
  EXPECT_EQ(button->Buttons()->GetItem(0)->Kind(), bkGlyph);
  button->SetButtonOnly(true);
  EXPECT_EQ(button->ViewStyle(), 2);
  int clicked = -1;
  button->OnButtonClick = [&](TObject* Sender, int Index) {
    EXPECT_EQ(Sender, button);
    clicked = Index;
  };
  auto* editor = EditCell<TdxInplaceDBTreeListButtonEdit>(0);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->Buttons()->Count(), 1);
  EXPECT_EQ(editor->TextMode(), 2);
  editor->OnButtonClick(editor, 0);
  EXPECT_EQ(clicked, 0);
  grid->CloseEditor();
  kinds->Cancel();
}

TEST_F(DxDBColumnKindsTest, AssignCopiesTheKindsSettingsOnlyFromTheSameKind) {
  auto* date = MakeGrid<TdxDBGridDateColumn>(u"BORN");
  date->SetSaveTime(false);
  date->SetDateOnError(deNull);
  date->SetDropDownRows(12);
  auto* copy =
      static_cast<TdxDBGridDateColumn*>(grid->CreateColumnEx(TdxDBGridDateColumn::StaticClass(), grid));
  copy->Assign(date);
  EXPECT_FALSE(copy->SaveTime());
  EXPECT_EQ(copy->DateOnError(), deNull);
  EXPECT_EQ(copy->DropDownRows(), 12);
  copy->RestoreDefaults();
  EXPECT_TRUE(copy->SaveTime());
  EXPECT_EQ(copy->DateOnError(), deToday);
  EXPECT_EQ(copy->DropDownRows(), 7);
  // From another kind only the common column settings come over.
  auto* check =
      static_cast<TdxDBGridCheckColumn*>(grid->CreateColumnEx(TdxDBGridCheckColumn::StaticClass(), grid));
  check->SetVisible(false);
  copy->SetSaveTime(false);
  copy->Assign(check);
  EXPECT_FALSE(copy->Visible());
  EXPECT_TRUE(copy->SaveTime());  // restored to the default, not copied from anywhere
}

TEST_F(DxDBColumnKindsTest, AWrapperLetsAnotherColumnWorkInItsCells) {
  TdxDBGridCheckColumn* check = nullptr;
  auto* wrapper = MakeGrid<TdxDBGridWrapperColumn>(u"FLAG", [&](TdxDBGridWrapperColumn* w) {
    check =
        static_cast<TdxDBGridCheckColumn*>(grid->CreateColumnEx(TdxDBGridCheckColumn::StaticClass(), grid));
    check->SetFieldName(u"FLAG");
    CheckYesNo(check);
    check->SetVisible(false);
    // Rows with an odd key show check boxes, the others plain text.
    w->OnGetReferenceColumn = [&check](TObject*, TdxTreeListNode* Node, TdxDBTreeListColumn*& Column) {
      if (Node && static_cast<TdxDBGridNode*>(Node)->KeyValue.AsInteger() % 2 == 1) Column = check;
    };
  });
  EXPECT_EQ(Rows(grid, 1), "Y,y,N,x");
  EXPECT_EQ(Rows(grid, 2), "Y,Y,N,");  // the check column's own cells
  auto* editor = EditCell<TdxInplaceDBTreeListCheckEdit>(2);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->State(), cbsUnchecked);
  editor->SetState(cbsChecked);
  Commit();
  EXPECT_EQ(StringToUtf8(FieldOf(u"FLAG", 3)->AsString()), "Y");
  // The wrapper's own slot took the new text; the check column's slot is its own.
  String text;
  grid->GetNodeString(grid->GetAbsoluteNode(2), wrapper->Index(), text);
  EXPECT_EQ(StringToUtf8(text), "Y");
  // A row without a reference column edits as a plain text cell.
  EXPECT_EQ(dynamic_cast<TdxInplaceDBTreeListCheckEdit*>(EditCell<TdxInplaceEdit>(1)), nullptr);
  grid->CloseEditor();
  kinds->Cancel();
}

// Check cells are painted as boxes in the state of their text, not as the text.
TEST_F(DxDBColumnKindsTest, CheckCellsArePaintedInTheStateOfTheirText) {
  MakeGrid<TdxDBGridCheckColumn>(u"FLAG", CheckYesNo);
  grid->SetFocusedNode(grid->GetAbsoluteNode(3), 0, true);
  grid->Repaint();
  Pump();
  KeepCheckedWindow(grid->Handle());
  auto pixelsOf = [&](int Row) {
    RECT r;
    grid->GetCellRect(grid->GetAbsoluteNode(Row), 1, r);
    HDC dc = GetDC(grid->Handle());
    std::vector<COLORREF> pixels;
    for (int y = r.top + 1; y < r.bottom - 1; ++y)
      for (int x = r.left + 1; x < r.right - 1; ++x) pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(grid->Handle(), dc);
    return pixels;
  };
  const auto yes = pixelsOf(0);
  EXPECT_EQ(pixelsOf(1), yes) << "'y' is checked as 'Y' is";
  EXPECT_NE(pixelsOf(2), yes) << "'N' is unchecked";
  const COLORREF ink = ColorToColorRef(clWindowText);
  EXPECT_GT(std::count(yes.begin(), yes.end(), ink), 0) << "the check mark";
}

// A lookup column shows the looked-up text, keeps the key in the node and writes a chosen key.
TEST_F(DxDBColumnKindsTest, ALookupColumnEditsTheKeyBehindTheShownText) {
  Execute(
      "CREATE TABLE KAT (M_KATID INTEGER PRIMARY KEY, NAME NVARCHAR(50));"
      "INSERT INTO KAT VALUES (1, 'Руководители'), (2, 'Специалисты');"
      "CREATE TABLE STAFF (ID INTEGER NOT NULL UNIQUE, M_KATID INTEGER);"
      "INSERT INTO STAFF VALUES (1, 1), (2, NULL);");
  auto* kats = Query("SELECT M_KATID, NAME FROM KAT ORDER BY NAME");
  kats->Open();
  kinds = Query("SELECT * FROM STAFF ORDER BY ID");
  kinds->FieldDefs()->Update();
  for (const char16_t* n : {u"ID", u"M_KATID"}) kinds->FieldDefs()->Find(n)->CreateField(&owner_, kinds);
  auto* kat = new TWideStringField(&owner_);
  kat->SetFieldName(u"KATNAME");
  kat->SetFieldKind(fkLookup);
  kat->SetSize(50);
  kat->SetKeyFields(u"M_KATID");
  kat->SetLookupDataSet(kats);
  kat->SetLookupKeyFields(u"M_KATID");
  kat->SetLookupResultField(u"NAME");
  kat->SetDataSet(kinds);
  kinds->Open();
  EXPECT_EQ(DBGridDefaultColumns().ClassFor(kat), TdxDBGridLookupColumn::StaticClass());
  grid = new TdxDBGrid(NewShownForm());
  grid->SetParent(static_cast<TWinControl*>(grid->Owner()));
  grid->SetBounds(0, 0, 400, 300);
  grid->SetOptionsDB(grid->OptionsDB() + TdxDBGridOptionsDB{edgoLoadAllRecords});
  grid->CreateColumnEx(TdxDBGridColumn::StaticClass(), grid)->SetFieldName(u"ID");
  auto* column =
      static_cast<TdxDBGridLookupColumn*>(grid->CreateColumnEx(TdxDBGridLookupColumn::StaticClass(), grid));
  column->SetFieldName(u"KATNAME");
  grid->SetKeyField(u"ID");
  grid->SetDataSource(SourceOf(kinds));
  Pump();
  EXPECT_EQ(Rows(grid, 1), "Руководители,");
  EXPECT_EQ(column->GetNodeKeyValue(grid->GetItem(0)).AsInteger(), 1);
  EXPECT_TRUE(VarIsNull(column->GetNodeKeyValue(grid->GetItem(1))));
  auto* lookup = EditCell<TdxInplaceDBTreeListLookupEdit>(1);
  ASSERT_NE(lookup, nullptr);
  EXPECT_EQ(lookup->Field(), kat);
  lookup->SetKeyValue(2);
  Commit();
  EXPECT_EQ(FieldOf(u"M_KATID", 2)->AsInteger(), 2);
  EXPECT_EQ(Rows(grid, 1), "Руководители,Специалисты");
}

TEST_F(DxDBColumnKindsTest, ToggleClicksComeFromTheUserNotFromLoadingTheEditor) {
  std::vector<std::string> clicks;
  MakeGrid<TdxDBGridCheckColumn>(u"FLAG", [&](TdxDBGridCheckColumn* c) {
    CheckYesNo(c);
    c->OnToggleClick = [&clicks, c](TObject* Sender, const String& Text, TdxCheckBoxState State) {
      EXPECT_EQ(Sender, c);
      clicks.push_back(StringToUtf8(Text) + (State == cbsUnchecked ? "-" : "+"));
    };
  });
  auto* check = EditCell<TdxInplaceDBTreeListCheckEdit>(0);
  ASSERT_NE(check, nullptr);
  EXPECT_TRUE(clicks.empty());
  check->ToggleState();
  EXPECT_EQ(clicks, (std::vector<std::string>{"N-"}));
  grid->CloseEditor();
  kinds->Cancel();
}

}  // namespace
