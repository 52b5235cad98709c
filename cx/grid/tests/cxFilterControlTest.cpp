// The filter control over a DB table view on SQLite: rows read from and applied to the view, focus
// moving by keys, rows added and removed, choosers and the value editor, files, and its painting.
#include "cx/grid/cxFilterControl.h"

#include <tuple>

#include "cx/grid/tests/cxGridDBTestUtil.h"
#include "platform/classes/AtomicFile.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/win/Input.h"

namespace {

constexpr UINT kShift = 1;
constexpr UINT kCtrl = 2;

struct TFocus {
  int Row;
  TcxFilterControlHitTest Part;
  int Value;
  bool operator==(const TFocus&) const = default;
};

std::ostream& operator<<(std::ostream& os, const TFocus& f) {
  return os << "row " << f.Row << " part " << static_cast<int>(f.Part) << " value " << f.Value;
}

}  // namespace

class CxFilterControlTest : public CxGridDBTableViewTest {
 protected:
  void SetUp() override {
    CxGridDBTableViewTest::SetUp();
    grid_->SetVisible(false);
    control_ = new TcxFilterControl(form_);
    control_->SetParent(form_);
    control_->SetBounds(0, 0, 380, 250);
    control_->Font()->SetName(kFixedTestFontName);
    control_->Font()->SetHeight(-16);
    control_->OnApplyFilter = [this](TObject*) { ++applied_; };
    form_->Show();
    Pump();
  }

  // The view's filter: surname equals "Belov".
  void FilterBelov() {
    Column(u"SURNAME")->DataBinding()->AddToFilter(nullptr, foEqual, Variant(String(u"Belov")), u"Belov", true);
    view_->DataController()->Filter()->SetActive(true);
  }
  TcxConditionViewInfo* Condition(int ARow) { return dynamic_cast<TcxConditionViewInfo*>(control_->Rows(ARow)); }
  TFocus Focus() {
    return {control_->RowList()->IndexOf(control_->FocusedRow()), control_->FocusedPart(),
            control_->FocusedValueIndex()};
  }
  // The centre of a part's rectangle, in the control's client coordinates.
  static POINT Centre(const RECT& R) { return {(R.left + R.right) / 2, (R.top + R.bottom) / 2}; }
  bool RectHasColor(const RECT& R, TColor AColor) {
    const COLORREF wanted = ColorToRGB(AColor);
    for (int y = R.top; y < R.bottom; ++y)
      for (int x = R.left; x < R.right; ++x)
        if (static_cast<COLORREF>(ScreenPixel(control_, x, y)) == wanted) return true;
    return false;
  }

  TcxFilterControl* control_ = nullptr;
  int applied_ = 0;
};

TEST_F(CxFilterControlTest, TheLinkedViewsFilterBecomesRowsAndAppliedRowsFilterTheView) {
  FilterBelov();
  control_->SetLinkComponent(view_);
  ASSERT_EQ(control_->RowCount(), 2);
  TcxConditionViewInfo* belov = Condition(1);
  ASSERT_NE(belov, nullptr);
  EXPECT_EQ(belov->ItemText(), u"Surname");
  EXPECT_EQ(belov->Operator(), fcopEqual);
  EXPECT_EQ(VarToStr(belov->Values()[0].Value), u"Belov");

  belov->SetOperator(fcopInList);
  belov->Values().push_back({Variant(String(u"Orlova")), u"Orlova"});
  control_->ApplyFilter();
  EXPECT_EQ(applied_, 1);
  EXPECT_EQ(RowTexts(u"SURNAME"), (std::vector<std::string>{"Orlova", "Belov"}));
  ASSERT_EQ(control_->RowCount(), 2) << "rows read back from the view's criteria";
  EXPECT_EQ(Condition(1)->Operator(), fcopInList);
  EXPECT_EQ(Condition(1)->Values().size(), 2u);

  // A row without an item refuses the whole apply and leaves the view's filter as it was.
  Condition(1)->SetItem(-1);
  EXPECT_THROW(control_->ApplyFilter(), EcxFilterControlError);
  EXPECT_EQ(applied_, 1);
  EXPECT_EQ(RowTexts(u"SURNAME"), (std::vector<std::string>{"Orlova", "Belov"}));

  control_->SetLinkComponent(nullptr);
  EXPECT_EQ(control_->RowCount(), 1) << "no link, no rows";
  EXPECT_EQ(view_->DataController()->Filter()->Root()->Count(), 1) << "the view keeps its filter";
}

TEST_F(CxFilterControlTest, ApplyingKeepsTheViewsOwnCriteriaHandlers) {
  int changes = 0;
  view_->DataController()->Filter()->OnChanged = [&](TObject*) { ++changes; };
  control_->SetLinkComponent(view_);
  control_->AddCondition(nullptr);
  Condition(1)->Values()[0] = {Variant(3), u"3"};
  control_->ApplyFilter();
  const int afterApply = changes;
  EXPECT_GT(afterApply, 0);
  view_->DataController()->Filter()->Clear();
  EXPECT_GT(changes, afterApply) << "the view still hears its filter change";
}

TEST_F(CxFilterControlTest, KeysMoveTheFocusBetweenPartsAndRows) {
  control_->SetLinkComponent(view_);
  control_->SetWantTabs(true);
  control_->SetFocus();
  Key(VK_INSERT);  // a condition under the root, its item focused
  ASSERT_EQ(control_->RowCount(), 2);
  EXPECT_EQ(Focus(), (TFocus{1, fhtItem, 0}));
  control_->AddGroup();  // a group under the root with a condition of its own
  ASSERT_EQ(control_->RowCount(), 4);
  Condition(3)->SetOperator(fcopBetween);
  control_->SetFocusedPart(control_->Rows(1), fhtItem);

  const std::tuple<UINT, UINT, TFocus> steps[] = {
      {VK_RIGHT, 0, {1, fhtOperator, 0}},
      {VK_RIGHT, 0, {1, fhtValue, 0}},
      {VK_RIGHT, 0, {1, fhtValue, 0}},  // the last value: only Tab wraps
      {VK_TAB, 0, {2, fhtRowButton, 0}},
      {VK_TAB, 0, {2, fhtBoolOperator, 0}},
      {VK_DOWN, 0, {3, fhtItem, 0}},
      {VK_TAB, 0, {3, fhtOperator, 0}},
      {VK_TAB, 0, {3, fhtValue, 0}},
      {VK_TAB, 0, {3, fhtValue, 1}},
      {VK_TAB, 0, {3, fhtAddCondition, 0}},
      {VK_UP, 0, {3, fhtItem, 0}},
      {VK_LEFT, 0, {3, fhtRowButton, 0}},
      {VK_LEFT, 0, {3, fhtRowButton, 0}},  // the row button: only Shift+Tab wraps
      {VK_TAB, kShift, {2, fhtBoolOperator, 0}},
      {VK_TAB, kShift, {2, fhtRowButton, 0}},
      {VK_TAB, kShift, {1, fhtValue, 0}},
      {VK_UP, 0, {0, fhtBoolOperator, 0}},
      {VK_UP, 0, {0, fhtBoolOperator, 0}},
  };
  for (const auto& [key, modifiers, expected] : steps) {
    Key(key, modifiers);
    EXPECT_EQ(Focus(), expected) << "after key " << key;
  }
}

TEST_F(CxFilterControlTest, CtrlDeleteRemovesAListValueARowOrTheGroupItLeavesEmpty) {
  control_->SetLinkComponent(view_);
  control_->SetFocus();
  control_->AddCondition(nullptr);
  TcxConditionViewInfo* list = Condition(1);
  list->SetOperator(fcopInList);
  list->Values() = {{Variant(1), u"1"}, {Variant(2), u"2"}, {Variant(3), u"3"}};
  control_->SetFocusedPart(list, fhtValue, 1);
  Key(VK_DELETE, kCtrl);
  ASSERT_EQ(list->Values().size(), 2u);
  EXPECT_EQ(VarToStr(list->Values()[1].Value), u"3") << "only the focused value went";
  EXPECT_EQ(Focus(), (TFocus{1, fhtValue, 0}));

  control_->AddGroup();
  ASSERT_EQ(control_->RowCount(), 4);
  EXPECT_EQ(Focus(), (TFocus{3, fhtItem, 0}));
  Key(VK_DELETE, kCtrl);
  EXPECT_EQ(control_->RowCount(), 2) << "the group went with its only condition";
  EXPECT_EQ(Focus(), (TFocus{1, fhtItem, 0}));
  Key(VK_DELETE, kCtrl);
  Key(VK_DELETE, kCtrl);
  EXPECT_EQ(control_->RowCount(), 1) << "the root stays";
}

TEST_F(CxFilterControlTest, WithoutAUsableLinkClicksAndKeysDoNothing) {
  control_->SetFocus();
  Key(VK_INSERT);
  Click(control_, 10, 10);
  SimulateText(u"A");
  Pump();
  EXPECT_EQ(control_->RowCount(), 1);
  EXPECT_EQ(control_->EditingMode(), femNone);
  RECT frame = control_->GetClientBounds();
  InflateRect(&frame, -2, -2);
  EXPECT_TRUE(EqualRect(&control_->ViewInfo()->FocusRect(), &frame)) << "the focus frames the whole client";
}

TEST_F(CxFilterControlTest, ClickingTheOperatorChoosesFromTheSupportedOperators) {
  control_->SetLinkComponent(view_);
  control_->AddCondition(nullptr);
  control_->SetFocusedPart(Condition(1), fhtItem);
  const POINT op = Centre(Condition(1)->OperatorRect);
  Click(control_, op.x, op.y);
  ASSERT_EQ(control_->EditingMode(), femOperator);
  TStrings* items = control_->ChoiceProperties()->Items();
  ASSERT_GT(items->Count(), 2);
  EXPECT_EQ(items->Strings(0), u"equals");
  EXPECT_EQ(items->IndexOf(u"like"), -1) << "the ID column is a number";
  EXPECT_EQ(control_->ChoiceBox()->ItemIndex(), 0) << "the current operator is chosen";
  Key(VK_DOWN);
  Key(VK_RETURN);
  EXPECT_EQ(control_->EditingMode(), femNone);
  EXPECT_EQ(Condition(1)->Operator(), fcopNotEqual);
  EXPECT_EQ(Focus(), (TFocus{1, fhtValue, 0})) << "an operator with values moves on to the first value";
}

TEST_F(CxFilterControlTest, ATypedLetterOpensTheValueEditorAndEnterStoresTheValue) {
  control_->SetLinkComponent(view_);
  control_->AddCondition(nullptr);
  TcxConditionViewInfo* surname = Condition(1);
  surname->SetItem(1);
  surname->SetOperator(fcopLike);
  control_->SetFocus();
  control_->SetFocusedPart(surname, fhtValue, 0);
  SimulateText(u"B");
  Pump();
  ASSERT_NE(control_->ValueEditor(), nullptr);
  EXPECT_EQ(control_->EditingMode(), femValue);
  SimulateText(u"el%");
  Pump();
  Key(VK_RETURN);
  EXPECT_EQ(control_->ValueEditor(), nullptr);
  EXPECT_EQ(VarToStr(surname->Values()[0].Value), u"Bel%");
  EXPECT_TRUE(control_->Focused());

  // Outside like the wildcards are no part of a typed value.
  view_->DataController()->Filter()->SetActive(true);
  surname->SetOperator(fcopEqual);
  control_->SetFocusedPart(surname, fhtValue, 0);
  Key(VK_RETURN);
  ASSERT_NE(control_->ValueEditor(), nullptr);
  Key(VK_RETURN);
  EXPECT_EQ(VarToStr(surname->Values()[0].Value), u"Bel");
  control_->ApplyFilter();
  EXPECT_EQ(RowTexts(u"SURNAME"), std::vector<std::string>{}) << "no one is called Bel";

  // A number column refuses a word: the editor stays open.
  Condition(1)->SetItem(0);
  control_->SetFocusedPart(Condition(1), fhtValue, 0);
  SimulateText(u"x");
  Pump();
  EXPECT_THROW(control_->EndValueEdit(true), Exception);
  EXPECT_NE(control_->ValueEditor(), nullptr);
  Key(VK_ESCAPE);
  EXPECT_EQ(control_->ValueEditor(), nullptr);
}

TEST_F(CxFilterControlTest, AnAssignedNullStringOutlivesTheWindowsCreation) {
  auto* assigned = new TcxFilterControl(form_);
  assigned->SetNullString(u"(nothing)");
  assigned->SetParent(form_);
  assigned->HandleNeeded();
  EXPECT_EQ(assigned->NullString(), u"(nothing)");
  EXPECT_EQ(control_->NullString(), u"<empty>");
  EXPECT_FALSE(control_->IsNullStringStored());
  EXPECT_EQ(control_->Root()->Caption, u"<root>");
}

TEST_F(CxFilterControlTest, AFileRoundTripGivesTheSameRowsAndABadFileKeepsThem) {
  FilterBelov();
  control_->SetLinkComponent(view_);
  control_->AddGroup();
  const String file = folder_.File("people.flt");
  control_->SaveToFile(file);
  const String caption = control_->GetFilterCaption();
  control_->Clear();
  EXPECT_EQ(control_->RowCount(), 1);
  control_->LoadFromFile(file);
  EXPECT_EQ(control_->RowCount(), 4);
  EXPECT_EQ(control_->GetFilterCaption(), caption);

  const String bad = folder_.File("bad.flt");
  WriteFileAtomically(bad, std::string_view("\xff\xff\xff\xff\x00\x05\x00", 7));
  EXPECT_THROW(control_->LoadFromFile(bad), Exception);
  EXPECT_EQ(control_->RowCount(), 4);
  EXPECT_EQ(control_->GetFilterCaption(), caption);
}

TEST_F(CxFilterControlTest, RowsPaintTheirWordsInThePartColoursAndLevelLines) {
  FilterBelov();
  control_->SetLinkComponent(view_);
  control_->AddGroup();
  control_->AddCondition(control_->Rows(2));
  Pump();
  control_->Repaint();
  Pump();
  TcxConditionViewInfo* belov = Condition(1);
  EXPECT_TRUE(RectHasColor(belov->ItemRect, clGreen));
  EXPECT_TRUE(RectHasColor(belov->OperatorRect, clNavy));
  EXPECT_TRUE(RectHasColor(belov->Values()[0].Rect, clBlue));
  auto* group = dynamic_cast<TcxGroupViewInfo*>(control_->Rows(2));
  ASSERT_NE(group, nullptr);
  EXPECT_TRUE(RectHasColor(group->BoolOperatorRect, clRed));

  // The group's first child goes on down; its last child's line stops at the middle.
  TcxCustomRowViewInfo* first = control_->Rows(3);
  TcxCustomRowViewInfo* last = control_->Rows(4);
  const int x = group->ButtonRect.left + (first->ButtonRect.right - first->ButtonRect.left) / 2;
  const RECT belowFirst{x, first->RowRect.bottom - 3, x + 1, first->RowRect.bottom};
  const RECT belowLast{x, last->RowRect.bottom - 3, x + 1, last->RowRect.bottom};
  EXPECT_TRUE(RectHasColor(belowFirst, cl3DDkShadow));
  EXPECT_FALSE(RectHasColor(belowLast, cl3DDkShadow));
  EXPECT_TRUE(KeepCheckedWindow(form_->Handle()));

  control_->SetEnabled(false);
  Pump();
  control_->Repaint();
  EXPECT_FALSE(RectHasColor(belov->ItemRect, clGreen)) << "a disabled control embosses every text";
  EXPECT_TRUE(RectHasColor(belov->ItemRect, clBtnShadow));
  EXPECT_EQ(Condition(1)->ButtonState, cxbsDisabled);
  EXPECT_TRUE(KeepCheckedWindow(form_->Handle(), "disabled"));
}

TEST_F(CxFilterControlTest, TheRowHeightFollowsTheTallestFont) {
  control_->SetLinkComponent(view_);
  const int plain = control_->ViewInfo()->RowHeight();
  control_->FontItem()->SetHeight(-32);
  const int tall = control_->ViewInfo()->RowHeight();
  EXPECT_EQ(tall, 32 * 3 / 2);
  EXPECT_GT(tall, plain);
  control_->Font()->SetHeight(-18);
  EXPECT_EQ(control_->FontItem()->Height(), -18) << "the control's font gives the part fonts its height";
  EXPECT_LT(control_->ViewInfo()->RowHeight(), tall);
}

TEST_F(CxFilterControlTest, TheRowButtonsMenuAddsAGroupAndHoverMarksTheAddConditionButton) {
  control_->SetLinkComponent(view_);
  control_->SetFocus();
  const POINT root = Centre(control_->Root()->ButtonRect);
  // G: the accelerator of "Add &Group".
  ScriptModalLoop({{40, [] { SimulateKeyPress('G'); }}});
  for (int i = 0; i < 30; ++i) SimulateMouseMove(At(control_, root.x + i % 2, root.y));
  Click(control_, root.x, root.y);
  EndScript();
  EXPECT_EQ(control_->EditingMode(), femNone);
  ASSERT_EQ(control_->RowCount(), 3) << "a group with its first condition";
  EXPECT_NE(dynamic_cast<TcxGroupViewInfo*>(control_->Rows(1)), nullptr);
  EXPECT_EQ(Focus(), (TFocus{2, fhtItem, 0}));

  const POINT add = Centre(control_->ViewInfo()->AddConditionRect());
  MoveTo(control_, add.x, add.y);
  EXPECT_EQ(control_->HotInfo().HitTest, fhtAddCondition);
  EXPECT_EQ(control_->ViewInfo()->AddConditionButtonState(), cxbsHot);
  EXPECT_EQ(control_->GetCursor(add.x, add.y), crHandPoint);
}
