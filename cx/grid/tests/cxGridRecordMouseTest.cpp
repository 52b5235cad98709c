// Presses on the rows of a laid-out people view over SQLite: focusing a record and a cell, the
// editor opened by a click (at once, after the double-click time, never with modifiers), a double
// click expanding master rows and group rows, and a refused value keeping its editor.
#include "cx/grid/cxGridEditingController.h"
#include "cx/grid/cxGridTableController.h"
#include "cx/grid/cxGridTableRowViewInfo.h"
#include "cx/grid/cxGridTableRows.h"
#include "cx/grid/tests/cxGridDBTestUtil.h"
#include "platform/win/Input.h"
#include "platform/win/Timers.h"

class CxGridRecordMouseTest : public CxGridDBTableViewTest {
 protected:
  void SetUp() override {
    CxGridDBTableViewTest::SetUp();
    view_->OptionsView()->SetScrollBars(ssNone);
    view_->OptionsView()->SetGroupByBox(false);
    Column(u"NOSUCH")->SetVisible(false);
    for (const char16_t* field : {u"ID", u"SURNAME", u"CITY"}) Column(field)->SetWidth(100);
    Application->OnException = [this](TObject*, Exception& E) { errors_.push_back(StringToUtf8(E.Message())); };
    ShowLaidOut(400, 240);
  }
  void TearDown() override {
    Application->OnException = nullptr;
    CxGridDBTableViewTest::TearDown();
  }

  TcxGridTableController* Controller() { return view_->Controller(); }
  TcxGridEditingController* Editing() { return Controller()->EditingController(); }
  TcxCustomDataController* DC() { return view_->DataController(); }
  TcxCustomGridRecordViewInfo* Row(int AIndex) {
    return static_cast<TcxGridTableViewInfo*>(view_->ViewInfo())->RowsViewInfo()->Items(AIndex);
  }
  POINT CellCentre(int ARow, const char16_t* AField) {
    const RECT r = Row(ARow)->GetBoundsForItem(Column(AField));
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  // A click of its own on a cell, with the modifier keys held.
  void ClickCell(int ARow, const char16_t* AField, TSimButton AButton = TSimButton::Left,
                 std::initializer_list<UINT> AModifiers = {}) {
    for (UINT vk : AModifiers) SimulateKeyDown(vk);
    const POINT p = CellCentre(ARow, AField);
    Click(view_->Site(), p.x, p.y, AButton);
    for (UINT vk : AModifiers) SimulateKeyUp(vk);
    Pump();
  }
  void DoubleClickCell(int ARow, const char16_t* AField) {
    const POINT p = CellCentre(ARow, AField);
    clock_->Advance(1000);
    for (int press = 0; press < 2; ++press) {
      Down(view_->Site(), p.x, p.y);
      Up(view_->Site(), p.x, p.y);
    }
  }
  int DoubleClickTime() { return static_cast<int>(GetDoubleClickTime()); }

  std::vector<std::string> errors_;
};

TEST_F(CxGridRecordMouseTest, AClickFocusesTheRecordAndTheCellAndTheFocusedCellOpensItsEditorAfterTheDelay) {
  view_->OptionsBehavior()->SetImmediateEditor(false);
  ClickCell(2, u"SURNAME");
  EXPECT_EQ(Controller()->FocusedRecordIndex(), 2);
  EXPECT_EQ(Controller()->FocusedItem(), Column(u"SURNAME"));
  EXPECT_TRUE(view_->Site()->Focused());
  Advance(DoubleClickTime() + 20);
  EXPECT_FALSE(Editing()->IsEditing()) << "a click on a cell that was not focused opens nothing";

  ClickCell(2, u"SURNAME");
  EXPECT_TRUE(Editing()->IsShowTimerRunning());
  Advance(DoubleClickTime() - 20);
  EXPECT_FALSE(Editing()->IsEditing()) << "not before the double-click time";
  Advance(40);
  ASSERT_EQ(Editing()->EditingItem(), Column(u"SURNAME"));
  EXPECT_EQ(VarToStr(Editing()->Edit()->EditValue()), u"Abramov");
  EXPECT_TRUE(Editing()->Edit()->Focused());

  Key(VK_ESCAPE);
  ASSERT_FALSE(Editing()->IsEditing());
  DoubleClickCell(2, u"SURNAME");
  Advance(DoubleClickTime() + 20);
  EXPECT_FALSE(Editing()->IsEditing()) << "a double click does not start the delay";
}

TEST_F(CxGridRecordMouseTest, WhichClicksOnTheFocusedCellOpenTheEditor) {
  struct Case {
    const char* name;
    bool immediate;
    TSimButton button;
    std::initializer_list<UINT> modifiers;
    bool handledByEvent;
    bool opensAtOnce;
  };
  const Case cases[] = {
      {"immediate editor, plain click", true, TSimButton::Left, {}, false, true},
      {"immediate editor, Shift", true, TSimButton::Left, {VK_SHIFT}, false, false},
      {"immediate editor, Ctrl", true, TSimButton::Left, {VK_CONTROL}, false, false},
      {"immediate editor, right button", true, TSimButton::Right, {}, false, false},
      {"immediate editor, OnCellClick handled", true, TSimButton::Left, {}, true, false},
      {"delayed editor, plain click", false, TSimButton::Left, {}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    view_->OptionsBehavior()->SetImmediateEditor(c.immediate);
    int clicks = 0;
    view_->OnCellClick = [&](TcxCustomGridTableView*, TcxGridTableDataCellViewInfo* ACell, TMouseButton, TShiftState,
                             bool& AHandled) {
      ++clicks;
      EXPECT_EQ(ACell->Item(), Column(u"CITY"));
      AHandled = c.handledByEvent;
    };
    Controller()->FocusRecord(1);
    Controller()->SetFocusedItem(Column(u"CITY"));
    Pump();
    ClickCell(1, u"CITY", c.button, c.modifiers);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Editing()->IsEditing(), c.opensAtOnce);
    Editing()->HideEditor(false);
    Editing()->StopShowTimer();
    view_->OnCellClick = nullptr;
  }
  EXPECT_TRUE(errors_.empty());
}

TEST_F(CxGridRecordMouseTest, APressOnAnotherRecordMovesNothingWhileItsEditorHoldsARefusedValue) {
  // The field refuses the value only when it is written, after the editor let it through: by its
  // own check, or as text that is no number for an integer column of SQLite.
  people_->Close();
  connection_->DbConnection().ExecuteScript(u"ALTER TABLE PEOPLE ADD COLUMN AGE INTEGER; UPDATE PEOPLE SET AGE = 40;");
  people_->SQL()->SetText(u"SELECT ID, SURNAME, CITY, AGE FROM PEOPLE ORDER BY ID");
  TcxGridDBColumn* age = view_->CreateColumn();
  age->DataBinding()->SetFieldName(u"AGE");
  age->SetWidth(60);
  people_->Open();
  Pump();
  people_->FieldByName(u"SURNAME")->OnValidate = [](TField* AField) {
    if (AField->AsString().find(u'7') != String::npos) throw Exception(u"No digits in a surname");
  };
  struct TCase {
    const char16_t* field;
    char key;
    const char16_t* typed;
    const char* stored;
    const char* error;
  };
  for (const TCase& c : {TCase{u"SURNAME", '7', u"7", "Belov", "No digits in a surname"},
                        TCase{u"AGE", 'X', u"x", "40", "'x' is not a valid integer value"}}) {
    SCOPED_TRACE(StringToUtf8(c.field));
    errors_.clear();
    view_->OptionsBehavior()->SetImmediateEditor(false);
    Controller()->FocusRecord(1);
    Controller()->SetFocusedItem(Column(c.field));
    Pump();
    Key(c.key);
    ASSERT_EQ(Editing()->EditingItem(), Column(c.field));
    ClickCell(3, u"CITY");
    ASSERT_EQ(errors_, std::vector<std::string>{c.error}) << "the field's refusal is shown once";
    EXPECT_TRUE(Editing()->IsErrorOnEditExit());
    ASSERT_TRUE(Editing()->IsEditing()) << "the editor stays open";
    EXPECT_TRUE(Editing()->Edit()->Focused()) << "and keeps the focus";
    EXPECT_EQ(VarToStr(Editing()->Edit()->EditValue()), c.typed) << "with what was typed";
    EXPECT_EQ(Controller()->FocusedItem(), Column(c.field)) << "the pressed cell's item does not take the focus";
    EXPECT_EQ(Controller()->FocusedRecordIndex(), 1);

    Key(VK_ESCAPE);
    EXPECT_FALSE(Editing()->IsEditing());
    EXPECT_FALSE(Editing()->IsErrorOnEditExit()) << "closing the editor clears the mark";
    Key(VK_ESCAPE);  // the record's edit is cancelled too
    EXPECT_EQ(RowTexts(c.field).at(1), c.stored) << "the stored value is untouched";
  }
}

class CxGridRecordDoubleClickTest : public CxGridRecordMouseTest {};

TEST_F(CxGridRecordDoubleClickTest, ADoubleClickExpandsAMasterRowOnlyWithTheOption) {
  TcxGridDBTableView* pattern = AddEducationDetail();
  pattern->OptionsView()->SetScrollBars(ssNone);
  Pump();
  auto* orlova = static_cast<TcxGridMasterDataRow*>(view_->ViewData()->Records(0));
  ASSERT_TRUE(orlova->Expandable());
  view_->OptionsBehavior()->SetImmediateEditor(false);

  DoubleClickCell(0, u"SURNAME");
  orlova = static_cast<TcxGridMasterDataRow*>(view_->ViewData()->Records(0));
  EXPECT_TRUE(orlova->Expanded());
  EXPECT_EQ(pattern->CloneCount(), 1);
  DoubleClickCell(0, u"SURNAME");
  EXPECT_FALSE(view_->ViewData()->Records(0)->Expanded()) << "a second double click collapses it";

  view_->OptionsBehavior()->SetExpandMasterRowOnDblClick(false);
  DoubleClickCell(0, u"SURNAME");
  EXPECT_FALSE(view_->ViewData()->Records(0)->Expanded());
  EXPECT_EQ(Controller()->FocusedRecordIndex(), 0) << "the presses still focus the row";
  EXPECT_TRUE(errors_.empty());
}

TEST_F(CxGridRecordDoubleClickTest, ADoubleClickOnAGroupRowAlwaysTogglesIt) {
  view_->OptionsBehavior()->SetExpandMasterRowOnDblClick(false);
  Column(u"CITY")->SetGroupIndex(0);
  Pump();
  TcxCustomGridRecord* group = view_->ViewData()->Records(1);
  ASSERT_FALSE(group->IsData());
  const bool expanded = group->Expanded();
  const RECT r = Row(1)->Bounds;
  clock_->Advance(1000);
  for (int press = 0; press < 2; ++press) {
    Down(view_->Site(), r.left + 100, (r.top + r.bottom) / 2);
    Up(view_->Site(), r.left + 100, (r.top + r.bottom) / 2);
  }
  EXPECT_EQ(Controller()->FocusedRecordIndex(), 1);
  EXPECT_NE(view_->ViewData()->Records(1)->Expanded(), expanded);
}
