// The lookup editor over a list source of its own: an unbound controller with a name and a code
// column. Typing, incremental filtering, navigation, the key and text conversions, the popup size.
#include "cx/editors-ext/cxLookupEdit.h"

#include <memory>
#include <string>
#include <vector>

#include "cx/data/tests/ControllerFixture.h"
#include "cx/editors/tests/cxEditTestUtil.h"
#include "platform/win/Input.h"

namespace {

// A list source over a controller the test owns; rows are 10 pixels high.
class TTestLookupProperties : public TcxCustomLookupEditProperties {
  TRENVIK_CLASS(TTestLookupProperties, TcxCustomLookupEditProperties);

 public:
  explicit TTestLookupProperties(TPersistent* AOwner) : TcxCustomLookupEditProperties(AOwner) {}

  void SetList(TcxCustomDataController* AController, int AColumnCount) {
    UnlinkDataController();
    controller_ = AController;
    columnCount_ = AColumnCount;
    LinkDataController();
  }
  int GetListColumnCount() override { return columnCount_; }
  TcxCustomDataController* GetListDataController() override { return controller_; }
  int GetPopupHeightForRows(int ARowCount) override { return ARowCount * 10; }
  void GetDisplayTextByKey(const Variant& AKey, String& AText) override {
    AText.clear();
    const int index = GetEffectiveListIndex();
    if (!controller_ || index == -1 || !VarIsOrdinal(AKey)) return;
    const int record = AKey.AsInteger();
    if (record >= 0 && record < controller_->GetRecordCount()) AText = controller_->DisplayTexts(record, index);
  }

 private:
  TcxCustomDataController* controller_ = nullptr;
  int columnCount_ = 0;
};
TRENVIK_IMPLEMENT_CLASS(TTestLookupProperties)

class TTestLookupEdit : public TcxCustomLookupEdit {
  TRENVIK_CLASS(TTestLookupEdit, TcxCustomLookupEdit);

 public:
  explicit TTestLookupEdit(TComponent* AOwner) : TcxCustomLookupEdit(AOwner) {
    CreateProperties();
    InitializeLookup();
  }
  TClass GetPropertiesClass() override { return TTestLookupProperties::StaticClass(); }
  TTestLookupProperties* TestProperties() { return static_cast<TTestLookupProperties*>(ActiveProperties()); }
};
TRENVIK_IMPLEMENT_CLASS(TTestLookupEdit)

class CxLookupEditTest : public CxControlsTest {
 protected:
  void SetUp() override {
    CxControlsTest::SetUp();
    dc = cxCreateDataController<TTestController>(nullptr);
    dc->AddColumn("Name", TcxWideStringValueType::Class());
    dc->AddColumn("Code", TcxWideStringValueType::Class());
    Fill(dc.get(), {{S("ABC"), S("1")}, {S("Abd"), S("2")}, {S("Иванов"), S("3")}, {S("Ёлкин"), S("4")},
                    {S("abd"), S("5")}});
    form = MakeForm(100, 100, 400, 300);
    edit = Add<TTestLookupEdit>(form, 10, 10, 200, 21);
    other = Add<TcxTextEdit>(form, 10, 200, 200, 21);
    Properties()->SetList(dc.get(), 2);
    form->Show();
    Pump();
  }
  void TearDown() override {
    Properties()->SetList(nullptr, 0);
    CxControlsTest::TearDown();
    dc.reset();
  }
  TTestLookupProperties* Properties() { return edit->TestProperties(); }
  TcxCustomLookupEditLookupData* Lookup() { return edit->EditLookupData(); }
  String FocusedText() { return dc->DisplayTexts(dc->GetFocusedRecordIndex(), 0); }
  std::vector<std::string> ListRows() {
    std::vector<std::string> rows;
    for (int row = 0; row < dc->GetRowCount(); ++row) rows.push_back(StringToUtf8(dc->DisplayTexts(dc->GetRowRecordIndex(row), 0)));
    return rows;
  }
  void OpenList() {
    Lookup()->OpenList();
    ASSERT_TRUE(Lookup()->PopupActive());
  }

  std::unique_ptr<TTestController> dc;
  TForm* form = nullptr;
  TTestLookupEdit* edit = nullptr;
  TcxTextEdit* other = nullptr;
};

TEST_F(CxLookupEditTest, TypingFindsTheFirstRecordAndFiltersTheOpenListPerStyle) {
  struct TCase {
    TcxEditDropDownListStyle Style;
    std::vector<std::string> RowsAfterMiss;
  };
  const TCase cases[] = {{lsEditFixedList, {"ABC", "Abd", "abd"}},
                         {lsFixedList, {"ABC", "Abd", "abd"}},
                         {lsEditList, {}}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Style);
    Properties()->SetDropDownListStyle(c.Style);
    OpenList();
    String text = u"ab", tail;
    ASSERT_TRUE(Lookup()->LocateByText(text, tail, false));
    EXPECT_EQ(text, u"AB");
    EXPECT_EQ(tail, u"C");
    EXPECT_EQ(FocusedText(), u"ABC");
    EXPECT_TRUE(Lookup()->IsFocusedRowSelected());
    EXPECT_EQ(ListRows(), (std::vector<std::string>{"ABC", "Abd", "abd"}));
    text = u"abx";
    EXPECT_FALSE(Lookup()->LocateByText(text, tail, false));
    EXPECT_EQ(text, u"abx");  // untouched on a miss
    EXPECT_EQ(ListRows(), c.RowsAfterMiss);
    EXPECT_FALSE(Lookup()->IsFocusedRowSelected());
    Lookup()->CloseList();
    EXPECT_EQ(dc->GetRowCount(), 5) << "closing removes the filter";
  }
}

TEST_F(CxLookupEditTest, TypedTextComparesUpperCasedByTheLocale) {
  const std::pair<const char*, const char*> cases[] = {{"ив", "Иванов"}, {"ё", "Ёлкин"}, {"ЁЛ", "Ёлкин"}};
  for (const auto& [typed, found] : cases) {
    SCOPED_TRACE(typed);
    String text = S(typed), tail;
    ASSERT_TRUE(Lookup()->LocateByText(text, tail, false));
    EXPECT_EQ(text + tail, S(found));
  }
  // Without an open popup the list is searched, not filtered.
  EXPECT_EQ(dc->GetRowCount(), 5);
}

TEST_F(CxLookupEditTest, WithoutAListOrAColumnNothingIsFoundAndNothingRaises) {
  Properties()->SetList(nullptr, 0);
  String text = u"a", tail;
  EXPECT_FALSE(Lookup()->LocateByText(text, tail, false));
  EXPECT_TRUE(Lookup()->IsEmpty());
  EXPECT_FALSE(Properties()->FindLookupText(u"ABC"));
  Lookup()->Navigate(lnNext, true);
  Properties()->SetList(dc.get(), 0);
  EXPECT_EQ(Properties()->GetEffectiveListIndex(), -1);
  EXPECT_FALSE(Lookup()->LocateByText(text, tail, false));
  EXPECT_TRUE(Lookup()->IsEmpty());
}

TEST_F(CxLookupEditTest, NavigationIsCircularOnlyWhenAsked) {
  Lookup()->Navigate(lnLast, false);
  EXPECT_EQ(Lookup()->Key(), Variant(4));
  Lookup()->Navigate(lnNext, false);
  EXPECT_EQ(Lookup()->Key(), Variant(4));
  Lookup()->Navigate(lnNext, true);
  EXPECT_EQ(Lookup()->Key(), Variant(0));
  Lookup()->Navigate(lnPrior, true);
  EXPECT_EQ(Lookup()->Key(), Variant(4));
  Properties()->SetDropDownRows(2);
  Lookup()->Navigate(lnFirst, false);
  Lookup()->Navigate(lnPageDown, false);
  EXPECT_EQ(Lookup()->Key(), Variant(2));
  // Each move shows its record's text as the edit's value.
  EXPECT_EQ(edit->EditValue(), Variant(2));
  EXPECT_EQ(edit->Text(), S("Иванов"));
}

TEST_F(CxLookupEditTest, PopupRowsAreTheListRowsWithinDropDownRows) {
  struct TCase {
    int Records;
    int DropDownRows;
    int Height;
  };
  for (const TCase& c : {TCase{5, 8, 50}, TCase{5, 3, 30}, TCase{0, 8, 10}}) {
    if (c.Records == 0) dc->SetRecordCount(0);
    Properties()->SetDropDownRows(c.DropDownRows);
    SIZE size{};
    Lookup()->GetListSize(1000, 1000, size);
    EXPECT_EQ(size.cy, c.Height) << c.Records << " records, " << c.DropDownRows << " rows";
  }
}

TEST_F(CxLookupEditTest, ListFieldIndexIsClampedOnWriteAndOnUse) {
  struct TCase {
    int Columns;
    int Written;
    int Stored;
    int Effective;
  };
  for (const TCase& c : {TCase{2, 5, 1, 1}, TCase{2, -3, 0, 0}, TCase{2, 1, 1, 1}, TCase{0, 1, 0, -1}}) {
    Properties()->SetList(dc.get(), c.Columns);
    Properties()->SetListFieldIndex(c.Written);
    EXPECT_EQ(Properties()->ListFieldIndex(), c.Stored) << c.Columns << " columns, " << c.Written;
    EXPECT_EQ(Properties()->GetEffectiveListIndex(), c.Effective) << c.Columns << " columns, " << c.Written;
  }
}

TEST_F(CxLookupEditTest, TakingATextKeepsAnUnchangedKeyFindsAnEqualTextOrGivesNull) {
  Variant value;
  // Records 1 and 4 share the text "abd" ignoring case: the key of record 4 survives its own text.
  Lookup()->SetCurrentKey(4);
  edit->DisplayToEditValue(S("abd"), value, true);
  EXPECT_EQ(value, Variant(4));
  edit->DisplayToEditValue(S("ABD"), value, true);
  EXPECT_EQ(value, Variant(1));  // the first record equal ignoring case
  edit->DisplayToEditValue(S("abx"), value, true);
  EXPECT_TRUE(VarIsNull(value));
}

TEST_F(CxLookupEditTest, TheEditShowsItsKeysTextAndFollowsListChangesUnlessBeingEdited) {
  edit->SetEditValue(Variant(2));
  EXPECT_EQ(edit->Text(), S("Иванов"));
  dc->SetValue(2, 0, S("Петров"));
  EXPECT_EQ(edit->Text(), S("Петров"));
  // A key of the wrong kind shows nothing and raises nothing.
  edit->SetEditValue(Variant(S("nonsense")));
  EXPECT_EQ(edit->Text(), u"");
  // A focused edit with the user's typing keeps it.
  edit->SetEditValue(Variant(2));
  edit->SetFocus();
  Pump();
  edit->SelectAll();
  Key('A');
  EXPECT_TRUE(edit->Modified());
  const String typed = edit->Text();
  EXPECT_EQ(typed, u"ABC");
  dc->SetValue(2, 0, S("Сидоров"));
  EXPECT_EQ(edit->Text(), typed);
}

TEST_F(CxLookupEditTest, TypedPrefixCompletesAndTheKeysMoveTheValue) {
  edit->SetFocus();
  Pump();
  SimulateText(u"ив");
  Pump();
  EXPECT_EQ(edit->Text(), S("Иванов"));
  EXPECT_EQ(edit->SelStart(), 2);
  EXPECT_EQ(edit->SelLength(), 4);
  other->SetFocus();
  Pump();
  EXPECT_EQ(edit->EditValue(), Variant(2));
  edit->SetFocus();
  Pump();
  Key(VK_DOWN);
  EXPECT_EQ(edit->EditValue(), Variant(3));
  EXPECT_EQ(edit->Text(), S("Ёлкин"));
  Key(VK_HOME, 2);  // Ctrl+Home
  EXPECT_EQ(edit->EditValue(), Variant(0));
  EXPECT_EQ(edit->Text(), u"ABC");
}

TEST_F(CxLookupEditTest, AKeyThatIsNoRecordIndexFocusesNothing) {
  dc->ChangeFocusedRecordIndex(2);
  for (const Variant& key : {Null(), Variant(S("x")), Variant(99), Variant(-1)}) {
    Lookup()->SetCurrentKey(key);
    EXPECT_EQ(dc->GetFocusedRecordIndex(), 2) << StringToUtf8(VarToStr(key));
  }
  Lookup()->SetCurrentKey(4);
  EXPECT_EQ(dc->GetFocusedRecordIndex(), 4);
}

TEST_F(CxLookupEditTest, PopupNavigationKeys) {
  struct TCase {
    WORD Key;
    TShiftState Shift;
    bool Navigates;
  };
  const TCase cases[] = {{VK_DOWN, {}, true},       {VK_DOWN, {ssAlt}, false}, {VK_UP, {}, true},
                         {VK_PRIOR, {}, true},      {VK_NEXT, {ssCtrl}, true}, {VK_HOME, {}, false},
                         {VK_HOME, {ssCtrl}, true}, {VK_END, {ssCtrl}, true},  {VK_LEFT, {}, false}};
  for (const TCase& c : cases)
    EXPECT_EQ(Properties()->IsPopupNavigationKey(c.Key, c.Shift), c.Navigates) << c.Key;
}

TEST_F(CxLookupEditTest, OwnMovesOfTheListRaiseNoChangeButDataChangesDo) {
  int changes = 0;
  Properties()->OnPropertiesChanged = [&](TObject*) { ++changes; };
  OpenList();
  String text = u"ab", tail;
  Lookup()->LocateByText(text, tail, false);
  Lookup()->Navigate(lnNext, false);
  Lookup()->CloseList();
  EXPECT_EQ(changes, 0);
  dc->SetValue(0, 0, S("ABCD"));
  EXPECT_EQ(changes, 1);
}

}  // namespace
