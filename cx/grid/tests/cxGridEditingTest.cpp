// The in-place editor of the focused cell over the SQLite people: opened after the double-click
// time, by a typed key, closed by Enter and Esc, and what happens to values the editor or the
// database refuse.
#include "cx/grid/tests/cxGridControllerTestUtil.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Input.h"
#include "platform/win/Timers.h"

class CxGridEditingTest : public CxGridControllerTest {
 protected:
  void SetUp() override {
    CxGridControllerTest::SetUp();
    Controller()->SetFocusedItem(Column(u"SURNAME"));
    Controller()->FocusRecord(1);
    Application->OnException = [this](TObject*, Exception& E) { errors_.push_back(StringToUtf8(E.Message())); };
  }
  void TearDown() override {
    Application->OnException = nullptr;
    CxGridControllerTest::TearDown();
  }
  String EditText() { return Editing()->Edit() ? VarToStr(Editing()->Edit()->EditValue()) : String(u"<closed>"); }
  String FieldText() { return people_->FieldByName(u"SURNAME")->AsString(); }
  // The stored surname of a person, read back from the database.
  std::string StoredSurname(int AId) {
    auto* query = new TADOQuery(form_);
    query->SetConnection(connection_);
    query->SQL()->SetText(u"SELECT SURNAME FROM PEOPLE WHERE ID = " + IntToStr(AId));
    query->Open();
    std::string surname = StringToUtf8(query->FieldByName(u"SURNAME")->AsString());
    delete query;
    return surname;
  }

  std::vector<std::string> errors_;
};

TEST_F(CxGridEditingTest, AClickOnTheFocusedCellOpensTheEditorAfterTheDoubleClickTime) {
  Editing()->StartShowTimer(Column(u"SURNAME"));
  Advance(static_cast<int>(GetDoubleClickTime()) - 10);
  EXPECT_FALSE(Editing()->IsEditing()) << "not before the double-click time";
  Advance(20);
  EXPECT_EQ(Editing()->EditingItem(), Column(u"SURNAME"));
  ASSERT_NE(Editing()->Edit(), nullptr);
  EXPECT_EQ(EditText(), u"Belov");
  EXPECT_TRUE(Editing()->Edit()->Focused());
  EXPECT_FALSE(Editing()->IsShowTimerRunning());

  Editing()->HideEditor(false);
  Editing()->StartShowTimer(Column(u"SURNAME"));
  Controller()->MouseDown(mbLeft, {ssDouble}, 10, 45);
  Advance(static_cast<int>(GetDoubleClickTime()) + 20);
  EXPECT_FALSE(Editing()->IsEditing()) << "the second press of a double click stops the delay";
}

TEST_F(CxGridEditingTest, TypingOpensTheEditorAndEnterThenDownPostsToTheDatabase) {
  Key('Q');
  ASSERT_EQ(Editing()->EditingItem(), Column(u"SURNAME")) << "a typed key opens the editor";
  Key('X');
  EXPECT_EQ(EditText(), u"qx") << "the key that opened it is typed into it";
  Key(VK_RETURN);
  EXPECT_FALSE(Editing()->IsEditing()) << "Enter closes the editor";
  EXPECT_EQ(FieldText(), u"qx") << "and writes the value into the record";
  Key(VK_DOWN);
  EXPECT_EQ(FocusedRow(), 2);
  EXPECT_EQ(StoredSurname(2), "qx") << "leaving the record posts it";
  EXPECT_TRUE(errors_.empty());
}

TEST_F(CxGridEditingTest, EscInAnUntouchedEditorClosesItAndCancelsTheNewRecord) {
  Press(VK_INSERT);
  ASSERT_NE(DC()->GetEditState() & dceInsert, 0);
  Column(u"SURNAME")->SetEditing(true);
  ASSERT_TRUE(Editing()->IsEditing());
  Key(VK_ESCAPE);
  EXPECT_FALSE(Editing()->IsEditing());
  EXPECT_EQ(DC()->GetEditState(), 0) << "the untouched new record is cancelled";
  EXPECT_EQ(view_->ViewData()->RecordCount(), 30);
}

TEST_F(CxGridEditingTest, EscInAModifiedEditorOnlyClosesIt) {
  Key('Q');
  ASSERT_TRUE(Editing()->IsEditing());
  Key(VK_RETURN);
  Column(u"SURNAME")->SetEditing(true);
  Key('W');
  Key(VK_ESCAPE);
  EXPECT_FALSE(Editing()->IsEditing());
  EXPECT_NE(DC()->GetEditState() & dceEdit, 0) << "the record stays in edit with what Enter stored";
  EXPECT_EQ(FieldText(), u"q");
  Key(VK_ESCAPE);
  EXPECT_EQ(FieldText(), u"Belov") << "a second Esc cancels the record";
}

TEST_F(CxGridEditingTest, AValueTheEditorRefusesKeepsTheFocusInTheEditor) {
  TcxCustomEditProperties* properties = Column(u"SURNAME")->GetProperties();
  properties->OnValidate = [](TObject*, Variant& AValue, String& AError, bool& AIsError) {
    if (VarToStr(AValue).find(u'7') != String::npos) {
      AIsError = true;
      AError = u"No digits in a surname";
    }
  };
  Key('7');
  ASSERT_TRUE(Editing()->IsEditing());
  view_->Site()->SetFocus();
  Pump();
  // The in-place editor refuses the value itself as it loses the focus, before the grid's own
  // close runs: the grid keeps its editor open on it.
  EXPECT_TRUE(Editing()->IsEditing()) << "the editor stays open";
  EXPECT_TRUE(Editing()->Edit()->Focused()) << "and takes the focus back";
  EXPECT_EQ(EditText(), u"7") << "with the refused text kept";
  EXPECT_EQ(errors_, std::vector<std::string>{"No digits in a surname"});
  EXPECT_EQ(FieldText(), u"Belov") << "nothing reached the record";
}

TEST_F(CxGridEditingTest, APostTheDatabaseRefusesKeepsTheTypedValueAndEscBringsBackTheStoredOne) {
  connection_->DbConnection().ExecuteScript(
      u"CREATE TRIGGER SURNAME_REQUIRED BEFORE UPDATE ON PEOPLE WHEN NEW.SURNAME = '' "
      u"BEGIN SELECT RAISE(ABORT, 'SURNAME is required'); END;");
  Key('Q');
  Key(VK_BACK);
  EXPECT_EQ(EditText(), u"");
  Key(VK_RETURN);
  Key(VK_DOWN);
  ASSERT_EQ(errors_.size(), 1u) << "the database's refusal is shown";
  EXPECT_NE(errors_[0].find("SURNAME is required"), std::string::npos) << errors_[0];
  EXPECT_EQ(FocusedRow(), 1) << "the focus stays on the record";
  EXPECT_NE(DC()->GetEditState() & dceEdit, 0);
  EXPECT_EQ(FieldText(), u"") << "the typed value is kept";
  EXPECT_EQ(StoredSurname(2), "Belov");
  Key(VK_ESCAPE);
  EXPECT_EQ(DC()->GetEditState(), 0);
  EXPECT_EQ(FieldText(), u"Belov") << "Esc brings back the stored value";
  EXPECT_EQ(RowTexts(u"SURNAME").at(1), "Belov");
}
