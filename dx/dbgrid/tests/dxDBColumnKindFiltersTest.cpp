// The column kinds in the custom filter dialog and in the export: each kind's own value editor and
// operators, the values it answers, and the texts it exports.
#include <functional>
#include <string>

#include "DbGridTestSupport.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "dx/dbgrid/dxDBGridColumnKinds.h"
#include "dx/dbgrid/dxFilterEdit.h"
#include "dx/dbgrid/tests/XlsReadBack.h"

namespace {

const char* const kFilterKinds = R"(
CREATE TABLE ROWS (ID INTEGER PRIMARY KEY, OK BIT, FLAG NVARCHAR(1), BORN DATETIME, QTY INTEGER, CODE NVARCHAR(2));
INSERT INTO ROWS VALUES (1, 1, 'Y', '2023-03-15', 3, 'a'), (2, 0, 'N', NULL, NULL, 'zz'), (3, NULL, 'x', NULL, 7, 'b');
)";

class DxDBColumnKindFiltersTest : public DbGridTest {
 protected:
  void SetUp() override { OpenDatabase(kFilterKinds); }

  // A grid over ROWS with an ID column and one column of class Kind bound to FieldName, loading
  // every record or (LoadAll false) a dataset window.
  template <class Kind>
  Kind* MakeColumn(const char16_t* FieldName, const std::function<void(Kind*)>& Setup = {}, bool LoadAll = true) {
    TADOQuery* rows = Query("SELECT * FROM ROWS ORDER BY ID");
    rows->Open();
    Kind* column = nullptr;
    grid = NewBoundGrid(rows, {u"ID"}, [&](TdxDBGrid* g) {
      g->SetKeyField(u"ID");
      if (LoadAll) g->SetOptionsDB(g->OptionsDB() + TdxDBGridOptionsDB{edgoLoadAllRecords});
      column = static_cast<Kind*>(g->CreateColumnEx(Kind::StaticClass(), g));
      column->SetFieldName(FieldName);
      if (Setup) Setup(column);
    });
    return column;
  }

  TdxInplaceEdit* FilterEdit(TdxDBTreeListColumn* Column) {
    TdxInplaceEdit* editor = Column->CreateFilterEdit(&owner_);
    editor->SetParent(static_cast<TWinControl*>(grid->Owner()));
    return editor;
  }

  TdxDBGrid* grid = nullptr;
};

struct TKindFilterCase {
  const char* Name;
  TClass Kind;
  TClass Editor;
  int Operators;
};

TEST_F(DxDBColumnKindFiltersTest, EachKindEditsFilterValuesWithItsOwnStandAloneEditor) {
  const TKindFilterCase cases[] = {
      {"date", TdxDBGridDateColumn::StaticClass(), TCustomdxFilterDateEdit::StaticClass(), 255},
      {"time", TdxDBGridTimeColumn::StaticClass(), TCustomdxFilterTimeEdit::StaticClass(), 255},
      {"spin", TdxDBGridSpinColumn::StaticClass(), TCustomdxFilterSpinEdit::StaticClass(), 255},
      {"currency", TdxDBGridCurrencyColumn::StaticClass(), TCustomdxFilterCurrencyEdit::StaticClass(), 255},
      {"calc", TdxDBGridCalcColumn::StaticClass(), TCustomdxFilterCalcEdit::StaticClass(), 255},
      {"pick", TdxDBGridPickColumn::StaticClass(), TCustomdxFilterPickEdit::StaticClass(), 255},
      {"mru", TdxDBGridMRUColumn::StaticClass(), TCustomdxFilterPickEdit::StaticClass(), 255},
      {"image", TdxDBGridImageColumn::StaticClass(), TCustomdxFilterImageEdit::StaticClass(), 195},
      {"check", TdxDBGridCheckColumn::StaticClass(), TCustomdxFilterImageEdit::StaticClass(), 195},
      {"lookup", TdxDBGridLookupColumn::StaticClass(), TCustomdxFilterLookupEdit::StaticClass(), 195},
      {"memo", TdxDBGridMemoColumn::StaticClass(), TCustomdxFilterEdit::StaticClass(), 255},
      {"hyperlink", TdxDBGridHyperLinkColumn::StaticClass(), TCustomdxFilterEdit::StaticClass(), 255},
  };
  MakeColumn<TdxDBGridColumn>(u"CODE");
  for (const TKindFilterCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto* column = static_cast<TdxDBTreeListColumn*>(grid->CreateColumnEx(c.Kind, grid));
    TdxInplaceEdit* editor = FilterEdit(column);
    EXPECT_EQ(editor->ClassType(), c.Editor);
    EXPECT_FALSE(editor->IsInplace());
    EXPECT_EQ(column->GetFilterOperators(), c.Operators);
    // The dialog's editor changes nothing in the grid: no routing back to the column.
    if (auto* dropDown = dynamic_cast<TdxInplaceDropDownEdit*>(editor)) {
      EXPECT_FALSE(dropDown->OnCloseUp);
      EXPECT_FALSE(dropDown->OnEditButtonClick);
    }
    if (auto* pick = dynamic_cast<TdxInplacePickEdit*>(editor)) {
      EXPECT_FALSE(pick->ImmediateDropDown);
    }
  }
}

TEST_F(DxDBColumnKindFiltersTest, DatesAndNumbersAnswerTheirOwnValues) {
  auto* date = MakeColumn<TdxDBGridDateColumn>(u"BORN");
  auto* dateEdit = static_cast<TdxInplaceDateEdit*>(FilterEdit(date));
  Variant value;
  String text;
  date->SetFilterEditValue(dateEdit, Variant(45000.0));
  date->GetFilterEditValue(dateEdit, value, text);
  EXPECT_EQ(value.Type(), varDate);
  EXPECT_EQ(value.AsDouble(), 45000.0);
  EXPECT_EQ(StringToUtf8(text), "15.03.2023");
  // No date is Null both ways.
  date->SetFilterEditValue(dateEdit, Null());
  EXPECT_EQ(dateEdit->GetDate(), dxNullDate);
  date->GetFilterEditValue(dateEdit, value, text);
  EXPECT_TRUE(VarIsNull(value));

  auto* spin = static_cast<TdxDBGridSpinColumn*>(grid->CreateColumnEx(TdxDBGridSpinColumn::StaticClass(), grid));
  spin->SetFieldName(u"QTY");
  TdxInplaceEdit* spinEdit = FilterEdit(spin);
  spin->SetFilterEditValue(spinEdit, Variant(7));
  spin->GetFilterEditValue(spinEdit, value, text);
  EXPECT_EQ(value.AsDouble(), 7.0);
  EXPECT_EQ(StringToUtf8(text), "7");
  // A number is never blank: Null shows and answers 0.
  spin->SetFilterEditValue(spinEdit, Null());
  spin->GetFilterEditValue(spinEdit, value, text);
  EXPECT_FALSE(VarIsNull(value));
  EXPECT_EQ(value.AsDouble(), 0.0);
}

TEST_F(DxDBColumnKindFiltersTest, CheckValuesArePickedByDescriptionAndAnswerTheFieldsKind) {
  auto* ok = MakeColumn<TdxDBGridCheckColumn>(u"OK");
  auto* okEdit = static_cast<TdxInplaceImageEdit*>(FilterEdit(ok));
  EXPECT_EQ(okEdit->Values()->Count(), 3);
  EXPECT_EQ(StringToUtf8(okEdit->Values()->Strings(2)), "True");
  EXPECT_TRUE(okEdit->ShowDescription);
  struct {
    Variant Shown;
    const char* Text;
    int Type;
  } booleans[] = {{Variant(true), "True", varBoolean}, {Variant(false), "False", varBoolean}, {Null(), "", varNull}};
  for (const auto& b : booleans) {
    Variant value;
    String text;
    ok->SetFilterEditValue(okEdit, b.Shown);
    ok->GetFilterEditValue(okEdit, value, text);
    EXPECT_EQ(value.Type(), b.Type) << b.Text;
    EXPECT_EQ(StringToUtf8(text), b.Text);
    if (b.Type == varBoolean) {
      EXPECT_EQ(value.AsBoolean(), b.Shown.AsBoolean());
    }
  }

  // A text field answers the value text; the grid's display strings become the descriptions.
  auto* flag = static_cast<TdxDBGridCheckColumn*>(grid->CreateColumnEx(TdxDBGridCheckColumn::StaticClass(), grid));
  flag->SetFieldName(u"FLAG");
  flag->SetValueChecked(u"Y");
  flag->SetValueUnchecked(u"N");
  flag->SetDisplayChecked(u"да");
  auto* flagEdit = static_cast<TdxInplaceImageEdit*>(FilterEdit(flag));
  ASSERT_EQ(flagEdit->Descriptions()->Count(), 3);
  EXPECT_EQ(StringToUtf8(flagEdit->Descriptions()->Strings(1)), "");
  EXPECT_EQ(StringToUtf8(flagEdit->Descriptions()->Strings(2)), "да");
  Variant value;
  String text;
  flag->SetFilterEditValue(flagEdit, Variant(u"Y"));
  flag->GetFilterEditValue(flagEdit, value, text);
  EXPECT_EQ(StringToUtf8(VarToStr(value)), "Y");
  EXPECT_EQ(StringToUtf8(text), "да");
  flag->SetFilterEditValue(flagEdit, Null());
  flag->GetFilterEditValue(flagEdit, value, text);
  EXPECT_TRUE(VarIsNull(value));
}

TEST_F(DxDBColumnKindFiltersTest, AnImageValueOutsideItsValuesIsNull) {
  auto* code = MakeColumn<TdxDBGridImageColumn>(u"CODE", [](TdxDBGridImageColumn* c) {
    c->Values()->Add(u"a");
    c->Descriptions()->Add(u"Альфа");
    c->Values()->Add(u"b");
    c->Descriptions()->Add(u"");
  });
  TdxInplaceEdit* editor = FilterEdit(code);
  Variant value;
  String text;
  code->SetFilterEditValue(editor, Variant(u"a"));
  code->GetFilterEditValue(editor, value, text);
  EXPECT_EQ(StringToUtf8(VarToStr(value)), "a");
  EXPECT_EQ(StringToUtf8(text), "Альфа");
  code->SetFilterEditValue(editor, Variant(u"zz"));
  code->GetFilterEditValue(editor, value, text);
  EXPECT_TRUE(VarIsNull(value));
}

TEST_F(DxDBColumnKindFiltersTest, CheckAndImageCellsExportWhatTheyShow) {
  // A dataset-window grid exports from the fields, not from cell texts.
  MakeColumn<TdxDBGridCheckColumn>(
      u"FLAG",
      [](TdxDBGridCheckColumn* c) {
        c->SetValueChecked(u"Y");
        c->SetValueUnchecked(u"N");
      },
      false);
  auto* code = static_cast<TdxDBGridImageColumn*>(grid->CreateColumnEx(TdxDBGridImageColumn::StaticClass(), grid));
  code->Values()->Add(u"a");
  code->Descriptions()->Add(u"Альфа");
  code->SetFieldName(u"CODE");
  Pump();
  const String file = folder_.File("kinds.xls");
  grid->SaveToExcelFile(file, true);
  const std::string sheet = ReadBackWithXlrd(file);
  // An unknown flag exports the grayed value text (empty); codes their description,
  // or the code itself without one.
  for (const char* cell : {"cell 1 1 str 'Y'", "cell 2 1 str 'N'", "cell 3 1 str ''", "cell 1 2 str 'Альфа'",
                           "cell 2 2 str 'zz'"})
    EXPECT_NE(sheet.find(cell), std::string::npos) << cell << " in\n" << sheet;
}

}  // namespace
