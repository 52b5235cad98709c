// The filter control's operators and the filter edit helpers: operator sets per editor, the registry's
// nearest-ancestor lookup, prepared value editors and the checking of typed values.
#include "cx/grid/cxFilterControlUtils.h"

#include <string>

#include "cx/data/cxDataStorage.h"
#include "cx/editors-ext/cxCalc.h"
#include "cx/editors-ext/cxCurrencyEdit.h"
#include "cx/editors-ext/cxDBLookupComboBox.h"
#include "cx/editors-ext/cxDateEdit.h"
#include "cx/editors-ext/cxHyperLinkEdit.h"
#include "cx/editors-ext/cxImageComboBox.h"
#include "cx/editors-ext/cxMRUEdit.h"
#include "cx/editors-ext/cxRadioGroup.h"
#include "cx/editors-ext/cxTimeEdit.h"
#include "cx/editors/cxCheckBox.h"
#include "cx/editors/cxComboBox.h"
#include "cx/editors/cxMaskEdit.h"
#include "cx/editors/cxMemo.h"
#include "cx/editors/cxSpinEdit.h"
#include "cx/editors/cxTextEdit.h"
#include "cx/grid/cxExtLookupComboBox.h"
#include "cx/grid/tests/cxGridTestUtil.h"

namespace {

// "1-6,9,10" style sets.
TcxFilterControlOperators Ops(std::initializer_list<std::pair<int, int>> ARanges) {
  TcxFilterControlOperators result;
  for (const auto& [from, to] : ARanges) result |= cxFilterControlOperatorRange(from, to);
  return result;
}

// A text editor's properties with no registration of their own.
class TDerivedTextProperties : public TcxTextEditProperties {
  TRENVIK_CLASS(TDerivedTextProperties, TcxTextEditProperties);

 public:
  explicit TDerivedTextProperties(TPersistent* AOwner) : TcxTextEditProperties(AOwner) {}
};
TRENVIK_IMPLEMENT_CLASS(TDerivedTextProperties)

}  // namespace

using CxFilterEditHelpersTest = CxControlsTest;

TEST_F(CxFilterEditHelpersTest, EachEditorOffersItsOperators) {
  TcxTextEditProperties text(nullptr);
  TcxMemoProperties memo(nullptr);
  TcxMaskEditProperties mask(nullptr);
  TcxMaskEditProperties maskWithMask(nullptr);
  maskWithMask.SetEditMask(u"000");
  TcxComboBoxProperties combo(nullptr);
  TcxSpinEditProperties spin(nullptr);
  TcxCheckBoxProperties check(nullptr);
  TcxDateEditProperties date(nullptr);
  TcxCurrencyEditProperties currency(nullptr);
  TcxCalcEditProperties calc(nullptr);
  TcxTimeEditProperties time(nullptr);
  TcxMRUEditProperties mru(nullptr);
  TcxHyperLinkEditProperties hyperlink(nullptr);
  TcxRadioGroupProperties radio(nullptr);
  TcxImageComboBoxProperties imageCombo(nullptr);
  struct TCase {
    const char* name;
    TcxCustomEditProperties* properties;
    TcxFilterControlOperators normal;
    TcxFilterControlOperators extended;
  };
  const TCase cases[] = {
      {"text", &text, Ops({{1, 10}}), Ops({{1, 14}})},
      {"memo", &memo, Ops({{7, 10}}), Ops({{7, 10}})},
      {"mask", &mask, Ops({{1, 10}}), Ops({{1, 14}})},
      {"mask with a mask", &maskWithMask, Ops({{1, 6}, {9, 10}}), Ops({{1, 6}, {9, 14}})},
      {"combo box", &combo, Ops({{1, 10}}), Ops({{1, 14}})},
      {"spin", &spin, Ops({{1, 6}, {9, 10}}), Ops({{1, 6}, {9, 14}})},
      {"check box", &check, Ops({{1, 2}, {9, 10}}), Ops({{1, 2}, {9, 10}})},
      {"date", &date, Ops({{1, 6}, {9, 10}}), Ops({{1, 6}, {9, 26}})},
      {"currency", &currency, Ops({{1, 6}, {9, 10}}), Ops({{1, 6}, {9, 14}})},
      {"calc", &calc, Ops({{1, 6}, {9, 10}}), Ops({{1, 6}, {9, 14}})},
      {"time", &time, Ops({{1, 6}, {9, 10}}), Ops({{1, 6}, {9, 14}})},
      {"MRU", &mru, Ops({{1, 10}}), Ops({{1, 14}})},
      {"hyperlink", &hyperlink, Ops({{1, 10}}), Ops({{1, 14}})},
      {"radio group", &radio, Ops({{1, 2}, {9, 10}}), Ops({{1, 2}, {9, 10}, {13, 14}})},
      {"image combo box", &imageCombo, Ops({{1, 2}, {9, 10}}), Ops({{1, 2}, {9, 10}, {13, 14}})},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TcxCustomFilterEditHelper* helper = FilterEditsController()->FindHelper(c.properties->ClassType());
    ASSERT_NE(helper, nullptr);
    EXPECT_EQ(helper->GetSupportedFilterOperators(c.properties, false), c.normal);
    EXPECT_EQ(helper->GetSupportedFilterOperators(c.properties, true), c.extended);
    EXPECT_FALSE(helper->GetSupportedFilterOperators(c.properties, true).test(0));
  }
}

TEST_F(CxFilterEditHelpersTest, TheRegistryAnswersForTheNearestRegisteredAncestor) {
  TcxFilterEditsController* registry = FilterEditsController();
  EXPECT_EQ(registry->FindHelper(TDerivedTextProperties::StaticClass()), TcxFilterTextEditHelper::Instance());
  EXPECT_EQ(registry->FindHelper(TcxMemoProperties::StaticClass()), TcxFilterMemoHelper::Instance());
  EXPECT_EQ(registry->FindHelper(TcxExtLookupComboBoxProperties::StaticClass()),
            TcxFilterLookupComboBoxHelper::Instance())
      << "registered through the lookup combo box's parent";
  TcxExtLookupComboBoxProperties extLookup(nullptr);
  EXPECT_EQ(TcxFilterLookupComboBoxHelper::Instance()->GetSupportedFilterOperators(&extLookup, true),
            Ops({{1, 2}, {9, 10}}));
  EXPECT_EQ(registry->FindHelper(TcxCustomEditProperties::StaticClass()), nullptr);
  registry->Unregister(TcxMemoProperties::StaticClass(), TcxFilterMemoHelper::Instance());
  EXPECT_EQ(registry->FindHelper(TcxMemoProperties::StaticClass()), TcxFilterTextEditHelper::Instance());
  registry->Register(TcxMemoProperties::StaticClass(), TcxFilterMemoHelper::Instance());
}

TEST_F(CxFilterEditHelpersTest, OperatorsMapOntoCriteriaKindsAndBack) {
  for (int op = 1; op <= fcopLast; ++op) {
    SCOPED_TRACE(op);
    EXPECT_FALSE(FilterOperatorText(op).empty());
    const bool blank = op == fcopBlanks || op == fcopNonBlanks;
    EXPECT_EQ(cxFilterControlOperatorOf(cxFilterControlOperatorKind(static_cast<TcxFilterControlOperator>(op)), blank),
              op);
  }
  EXPECT_EQ(FilterOperatorText(fcopEqual), u"equals");
  EXPECT_EQ(FilterOperatorText(fcopNotInList), u"not in");
  EXPECT_EQ(FilterOperatorText(fcopNextYear), u"is next year");
  EXPECT_EQ(FilterOperatorText(0), u"");
  EXPECT_EQ(FilterOperatorText(27), u"");
  EXPECT_EQ(cxFilterControlOperatorKind(fcopBetween), foBetween);
  EXPECT_EQ(cxFilterControlOperatorKind(fcopToday), foToday);
  EXPECT_EQ(cxFilterControlOperatorOf(foEqual, false), fcopEqual);
  EXPECT_EQ(FilterBoolOperatorText(fgkNotOr), u"NOT OR");
  for (int op : {1, 7, 11, 13}) EXPECT_TRUE(cxFilterControlOperatorHasValues(op)) << op;
  for (int op : {9, 10, 15, 26}) EXPECT_FALSE(cxFilterControlOperatorHasValues(op)) << op;
}

TEST_F(CxFilterEditHelpersTest, ATextEditorIsPreparedWithoutTheItemsEventsOrReadOnly) {
  TcxMaskEditProperties source(nullptr);
  source.SetReadOnly(true);
  source.SetBeepOnError(true);
  source.SetMaskKind(emkRegExpr);
  source.SetEditMask(u"\\d+");
  int changes = 0;
  source.OnChange = [&changes](TObject*) { ++changes; };
  const TcxCustomFilterEditHelper* helper = FilterEditsController()->FindHelper(source.ClassType());
  std::unique_ptr<TcxCustomEdit> edit(CreateFilterValueEdit(helper, &source, nullptr, MakeForm(0, 0, 200, 100)));
  ASSERT_TRUE(dynamic_cast<TcxMaskEdit*>(edit.get()));
  auto* prepared = static_cast<TcxCustomMaskEditProperties*>(edit->GetActiveProperties());
  EXPECT_FALSE(prepared->ReadOnly());
  EXPECT_FALSE(prepared->BeepOnError());
  EXPECT_TRUE(prepared->ValidateOnEnter());
  EXPECT_FALSE(prepared->OnChange);
  EXPECT_EQ(prepared->MaskKind(), emkRegExprEx);
  EXPECT_EQ(prepared->EditMask(), u"\\d+");
  EXPECT_FALSE(prepared->AutoSelect()) << "a mask keeps the caret where it is";
  EXPECT_EQ(prepared->Alignment()->Horz(), taLeftJustify);
  helper->SetFilterValue(edit.get(), &source, 42);
  String text;
  Variant value;
  helper->GetFilterValue(edit.get(), &source, text, value);
  EXPECT_EQ(VarToStr(value), u"42");
  EXPECT_EQ(changes, 0);
}

TEST_F(CxFilterEditHelpersTest, ACheckBoxValueIsChosenFromItsTwoTexts) {
  TcxCheckBoxProperties check(nullptr);
  check.SetValueChecked(1);
  check.SetValueUnchecked(0);
  check.SetDisplayChecked(S("Да"));
  check.SetDisplayUnchecked(S("Нет"));
  const TcxCustomFilterEditHelper* helper = FilterEditsController()->FindHelper(check.ClassType());
  ASSERT_TRUE(helper->UseDisplayText());
  TcxInplaceEditList edits;
  TcxCustomEdit* edit = CreateFilterValueEdit(helper, &check, &edits, MakeForm(0, 0, 200, 100));
  auto* combo = dynamic_cast<TcxCustomComboBox*>(edit);
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(edits.Count(), 1) << "the list keeps the edit";
  auto* items = static_cast<TcxCustomComboBoxProperties*>(combo->GetActiveProperties());
  ASSERT_EQ(items->Items()->Count(), 2);
  EXPECT_EQ(items->Items()->Strings(0), S("Да"));
  EXPECT_EQ(items->Items()->Strings(1), S("Нет"));
  EXPECT_EQ(items->DropDownListStyle(), lsFixedList);

  const std::tuple<Variant, int, const char*> cases[] = {{Variant(1), 0, "Да"}, {Variant(0), 1, "Нет"}, {Null(), -1, ""}};
  for (const auto& [value, index, text] : cases) {
    helper->SetFilterValue(edit, &check, value);
    EXPECT_EQ(combo->ItemIndex(), index);
    String readText = u"x";
    Variant readValue;
    helper->GetFilterValue(edit, &check, readText, readValue);
    EXPECT_EQ(StringToUtf8(readText), text);
    EXPECT_EQ(VarToStr(readValue), VarToStr(value));
  }
}

TEST_F(CxFilterEditHelpersTest, ARadioGroupValueIsChosenFromItsCaptions) {
  TcxRadioGroupProperties radio(nullptr);
  radio.Items()->Add(S("Очно"), Variant(10));
  radio.Items()->Add(S("Заочно"), Variant(20));
  radio.SetDefaultValue(Variant(0));
  radio.SetDefaultCaption(S("Нет"));
  const TcxCustomFilterEditHelper* helper = FilterEditsController()->FindHelper(radio.ClassType());
  ASSERT_EQ(helper, TcxFilterRadioGroupHelper::Instance());
  TcxInplaceEditList edits;
  auto* combo = dynamic_cast<TcxCustomComboBox*>(CreateFilterValueEdit(helper, &radio, &edits, MakeForm(0, 0, 200, 100)));
  ASSERT_NE(combo, nullptr);
  auto* items = static_cast<TcxCustomComboBoxProperties*>(combo->GetActiveProperties());
  ASSERT_EQ(items->Items()->Count(), 2);
  EXPECT_EQ(items->Items()->Strings(1), S("Заочно"));
  EXPECT_EQ(items->DropDownListStyle(), lsFixedList);
  const std::tuple<Variant, int, Variant, const char*> cases[] = {
      {Variant(20), 1, Variant(20), "Заочно"}, {Variant(10), 0, Variant(10), "Очно"}, {Variant(99), -1, Variant(0), "Нет"}};
  for (const auto& [value, index, read, text] : cases) {
    helper->SetFilterValue(combo, &radio, value);
    EXPECT_EQ(combo->ItemIndex(), index);
    String readText;
    Variant readValue;
    helper->GetFilterValue(combo, &radio, readText, readValue);
    EXPECT_EQ(StringToUtf8(readText), text);
    EXPECT_EQ(VarToStr(readValue), VarToStr(read));
  }
}

TEST_F(CxFilterEditHelpersTest, AnImageComboValueIsChosenInAFixedListAndShownByItsDescription) {
  TcxImageComboBoxProperties kinds(nullptr);
  kinds.Items()->Add(S("Курсы"), Variant(1), 0);
  kinds.Items()->Add(S("Семинар"), Variant(2), 1);
  const TcxCustomFilterEditHelper* helper = FilterEditsController()->FindHelper(kinds.ClassType());
  ASSERT_EQ(helper, TcxFilterImageComboBoxHelper::Instance()) << "not the plain combo box's helper";
  TcxInplaceEditList edits;
  TForm* form = MakeForm(0, 0, 200, 100);
  auto* edit = dynamic_cast<TcxCustomImageComboBox*>(CreateFilterValueEdit(helper, &kinds, &edits, form));
  ASSERT_NE(edit, nullptr);
  form->Show();
  Pump();
  auto* prepared = static_cast<TcxCustomImageComboBoxProperties*>(edit->GetActiveProperties());
  EXPECT_EQ(prepared->DropDownListStyle(), lsFixedList);
  EXPECT_TRUE(prepared->ImmediateDropDown());
  EXPECT_EQ(prepared->Items()->Count(), 2);
  helper->SetFilterValue(edit, &kinds, Variant(2));
  String text;
  Variant value;
  helper->GetFilterValue(edit, &kinds, text, value);
  EXPECT_EQ(VarToStr(value), u"2");
  EXPECT_EQ(StringToUtf8(text), "Семинар");
}

TEST_F(CxFilterEditHelpersTest, ACalcColumnsValueIsTypedInACalcEditThatClosesWithItsResult) {
  TcxCalcEditProperties calc(nullptr);
  calc.SetQuickClose(false);
  const TcxCustomFilterEditHelper* helper = FilterEditsController()->FindHelper(calc.ClassType());
  ASSERT_EQ(helper, TcxFilterCalcEditHelper::Instance()) << "not the mask edit's helper";
  TcxInplaceEditList edits;
  auto* edit =
      dynamic_cast<TcxCalcEdit*>(CreateFilterValueEdit(helper, &calc, &edits, MakeForm(0, 0, 200, 100)));
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(static_cast<TcxCalcEditProperties*>(edit->GetActiveProperties())->QuickClose());
  helper->SetFilterValue(edit, &calc, Variant(12.5));
  String text;
  Variant value;
  helper->GetFilterValue(edit, &calc, text, value);
  EXPECT_EQ(VarToStr(value), VarToStr(Variant(12.5)));
}

TEST_F(CxFilterEditHelpersTest, DateAndCurrencyValueEditorsAcceptWhatTheColumnWouldRefuse) {
  TcxDateEditProperties date(nullptr);
  date.SetDateButtons(TDateButtons{});
  date.SetDateOnError(deToday);
  TcxDateEditProperties preparedDate(nullptr);
  TcxFilterDateEditHelper::Instance()->InitializeProperties(&preparedDate, &date, true);
  EXPECT_EQ(preparedDate.DateButtons(), (TDateButtons{btnToday, btnClear}));
  EXPECT_EQ(preparedDate.DateOnError(), deNull) << "a bad date is no value, not today";
  EXPECT_TRUE(preparedDate.SaveTime());

  TcxCurrencyEditProperties currency(nullptr);
  currency.SetMinValue(100);
  currency.SetMaxValue(200);
  currency.SetNullable(false);
  currency.SetReadOnly(true);
  TcxCurrencyEditProperties preparedCurrency(nullptr);
  TcxFilterCurrencyEditHelper::Instance()->InitializeProperties(&preparedCurrency, &currency, true);
  EXPECT_EQ(preparedCurrency.MinValue(), 0);
  EXPECT_EQ(preparedCurrency.MaxValue(), 0);
  EXPECT_TRUE(preparedCurrency.Nullable());
  EXPECT_FALSE(preparedCurrency.ReadOnly());
}

TEST_F(CxFilterEditHelpersTest, TypedValuesMustFitTheItemsType) {
  const TcxValueType* integer = TcxIntegerValueType::Class();
  const TcxValueType* string = TcxStringValueType::Class();
  struct TCase {
    const TcxValueType* type;
    Variant value;
    int op;
    bool raises;
    const char* after;  // "null" for Null
  };
  const TCase cases[] = {
      {integer, Variant(S("")), fcopEqual, false, "null"},
      {integer, Variant(S("12")), fcopEqual, false, "12"},
      {integer, Variant(S("abc")), fcopEqual, true, "abc"},
      {integer, Variant(S("a%")), fcopLike, false, "a%"},
      {string, Variant(S("")), fcopEqual, false, ""},
      {nullptr, Variant(S("abc")), fcopEqual, false, "abc"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(StringToUtf8(VarToStr(c.value)));
    Variant value = c.value;
    if (c.raises) {
      try {
        CheckFilterValue(nullptr, value, c.op, c.type);
        ADD_FAILURE() << "no error";
      } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), u"Invalid value");
      }
    } else {
      EXPECT_NO_THROW(CheckFilterValue(nullptr, value, c.op, c.type));
    }
    EXPECT_EQ(VarIsNull(value) ? std::string("null") : StringToUtf8(VarToStr(value)), c.after);
  }
}

TEST_F(CxFilterEditHelpersTest, ALookupColumnsValueIsTypedInAFixedListLookup) {
  TcxExtLookupComboBoxProperties item(nullptr);
  item.SetDropDownAutoSize(true);
  item.SetIncrementalFiltering(false);
  const TcxCustomFilterEditHelper* helper = FilterEditsController()->FindHelper(item.ClassType());
  std::unique_ptr<TcxCustomEdit> edit(CreateFilterValueEdit(helper, &item, nullptr, MakeForm(0, 0, 200, 100)));
  ASSERT_TRUE(dynamic_cast<TcxLookupComboBox*>(edit.get()));
  auto* prepared = static_cast<TcxCustomLookupEditProperties*>(edit->GetActiveProperties());
  EXPECT_EQ(prepared->DropDownListStyle(), lsFixedList);
  EXPECT_FALSE(prepared->DropDownAutoSize());
  EXPECT_TRUE(prepared->DropDownSizeable());
  EXPECT_TRUE(prepared->IncrementalFiltering());
}
