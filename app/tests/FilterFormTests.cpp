// The filter window on a demo database, shown from the main window's "Установить фильтр": the list
// narrowed and the indicator on after OK, the list back and the settings kept after "Снять
// фильтр", everything reset by Cancel, a filter the database rejects, and the boxes that tick
// themselves when a row gets a value. The cases whose statements the server runs run on SQLite and
// on PostgreSQL.
#include <functional>
#include <string>
#include <vector>

#include "app/FilterForm.h"
#include "app/tests/AppTestSupport.h"
#include "app/tests/CxLookupProbe.h"
#include "app/tests/FilterEditorsProbe.h"
#include "dx/dbgrid/dxDBTL.h"
#include "dx/editors/dxCheckEdit.h"

namespace {

using namespace CxLookupProbe;
using namespace FilterEditorsProbe;

class FilterFormTest : public AppTest {
 protected:
  static constexpr int kPeople = 60;
  void SetUp() override {
    AppTest::SetUp();
    if (std::string(Driver()) == "PostgreSQL")
      StartOnPostgres(kPeople);
    else
      StartShowingList(kPeople);
    if (IsSkipped()) return;
    FilterForm = NewForm<TFilterForm>(nullptr);  // as the program makes it at start
  }
  virtual const char* Driver() const { return "SQLite"; }
  void TearDown() override {
    delete FilterForm;
    FilterForm = nullptr;
    AppTest::TearDown();
  }
  // "Установить фильтр" with Script run inside the filter window's modal loop; Script ends it.
  void WithFilter(std::function<void(TFilterForm*)> Script) {
    WhenModal<TFilterForm>([Script](TFilterForm* f) {
      RunUntilIdle();
      Script(f);
    });
    MainForm->ASetFilter->Execute();
    RunUntilIdle();
  }
  int ListCount() const { return DataModule2->OPEOPLE_LIST->RecordCount(); }
  bool Indicated() const { return MainForm->Panel1->Visible() && MainForm->ARemoveFilter->Enabled(); }
  // The first two letters of someone's surname.
  String SurnamePrefix() {
    return Utf8ToString(Scalar("select substring(FSTNAME, 1, 2) from O_PEOPLE order by O_PEOPLEID"));
  }
};

// The cases whose statements the server runs: on both databases the program runs on.
class FilterFormOnDriversTest : public FilterFormTest, public ::testing::WithParamInterface<const char*> {
 protected:
  const char* Driver() const override { return GetParam(); }
};

INSTANTIATE_TEST_SUITE_P(Drivers, FilterFormOnDriversTest, ::testing::Values("SQLite", "PostgreSQL"));

TEST_P(FilterFormOnDriversTest, OkNarrowsTheListAndRemovingBringsEverybodyBackKeepingTheSettings) {
  const String prefix = SurnamePrefix();
  WithFilter([&](TFilterForm* f) {
    EXPECT_EQ(Text(f->Caption()), "Фильтр");
    EXPECT_FALSE(f->Panel3->Visible());
    f->dxCheckEdit2->SetState(cbsChecked);
    EXPECT_TRUE(f->Panel3->Visible() && f->Panel3->Enabled());
    EXPECT_EQ(f->Panel3->Color(), static_cast<TColor>(RGB(255, 248, 230)));
    f->LabeledEdit1->SetText(AnsiLowerCase(prefix));
    f->ComboBoxEx1->SetItemIndex(1);
    f->AApplyFilter->Execute();
  });
  const int expected = std::stoi(Scalar(
      ("select count(*) from O_PEOPLE where substring(FSTNAME, 1, 2) = '" + Text(prefix) + "'").c_str()));
  ASSERT_GT(expected, 0);
  EXPECT_EQ(ListCount(), expected);
  TADODataSet* list = DataModule2->OPEOPLE_LIST;
  for (list->First(); !list->Eof(); list->Next())
    EXPECT_EQ(list->FieldByName(u"FSTNAME")->AsString().substr(0, 2), prefix);
  EXPECT_TRUE(Indicated());
  EXPECT_EQ(Text(MainForm->Panel1->Caption()), "фильтр установлен");
  EXPECT_EQ(FilterForm->FilterDescription, u"фамилия начинается с  \"" + AnsiLowerCase(prefix) + u"\"");
  EXPECT_TRUE(boxes.empty());

  MainForm->ARemoveFilter->Execute();
  EXPECT_EQ(ListCount(), kPeople);
  EXPECT_FALSE(MainForm->Panel1->Visible());
  EXPECT_FALSE(MainForm->ARemoveFilter->Enabled());
  EXPECT_EQ(FilterForm->dxCheckEdit2->State(), cbsChecked);
  EXPECT_EQ(FilterForm->dxCheckEdit4->State(), cbsChecked);
  EXPECT_EQ(FilterForm->LabeledEdit1->Text(), AnsiLowerCase(prefix));
  EXPECT_EQ(FilterForm->ComboBoxEx1->ItemIndex(), 1);

  // The next showing starts from the kept settings; Cancel resets them and the base list comes back.
  WithFilter([&](TFilterForm* f) {
    EXPECT_EQ(f->LabeledEdit1->Text(), AnsiLowerCase(prefix));
    EXPECT_TRUE(f->Panel3->Visible());
    f->ACancelFilter->Execute();
  });
  EXPECT_EQ(ListCount(), kPeople);
  EXPECT_FALSE(Indicated());
  EXPECT_EQ(FilterForm->dxCheckEdit2->State(), cbsUnchecked);
  EXPECT_FALSE(FilterForm->Panel3->Visible());
  EXPECT_TRUE(FilterForm->LabeledEdit1->Text().empty());
  EXPECT_EQ(FilterForm->ComboBoxEx1->ItemIndex(), -1);
  EXPECT_TRUE(FilterForm->WhereText.empty());
  EXPECT_EQ(FilterForm->FilterSet, 0);
}

// The group's buttons come from the window's repository item; a click on one ticks its box.
TEST_P(FilterFormOnDriversTest, AClickOnTheSexGroupsSecondButtonLimitsTheListToWomen) {
  const int women = std::stoi(Scalar("select count(*) from O_PEOPLE where M_SEXID = 2"));
  ASSERT_GT(women, 0);
  ASSERT_LT(women, kPeople);
  WithFilter([&](TFilterForm* f) {
    f->dxCheckEdit2->SetState(cbsChecked);
    RunUntilIdle();
    ASSERT_EQ(SexButtonCount(f), 2);
    EXPECT_EQ(Text(SexButton(f, 0)->Caption()), "мужской");
    TControl* second = SexButton(f, 1);
    EXPECT_EQ(Text(second->Caption()), "женский");
    ClickAt(second, 8, second->Height() / 2);
    RunUntilIdle();
    EXPECT_EQ(SexItem(f), 1);
    EXPECT_EQ(f->dxCheckEdit6->State(), cbsChecked);
    f->AApplyFilter->Execute();
  });
  EXPECT_EQ(ListCount(), women);
  EXPECT_EQ(Text(FilterForm->FilterDescription), "пол \"Ж\"");
}

TEST_F(FilterFormTest, ClosingTheWindowByItsFrameCancelsLikeTheAction) {
  WithFilter([](TFilterForm* f) {
    f->dxCheckEdit3->SetState(cbsChecked);
    f->Close();
  });
  EXPECT_EQ(ListCount(), kPeople);
  EXPECT_FALSE(Indicated());
  EXPECT_EQ(FilterForm->dxCheckEdit3->State(), cbsUnchecked);
}

TEST_P(FilterFormOnDriversTest, AnInstitutionChosenByKeyLimitsTheListToItsPupilsAndNamesItInTheDescription) {
  const std::string id = Scalar("select M_COLLAGEID from O_EDU order by O_EDUID");
  const std::string name = Scalar(("select NAME from M_COLLAGE where M_COLLAGEID = " + id).c_str());
  WithFilter([&](TFilterForm* f) {
    EXPECT_TRUE(f->M_COLLAGE->Active()) << "the lookups' tables open with the window";
    f->dxCheckEdit3->SetState(cbsChecked);
    EXPECT_TRUE(f->Panel5->Visible() && f->Panel5->Enabled());
    SetLookupKey(f->cxExtLookupComboBox2, Variant(std::stoi(id)));
    EXPECT_EQ(f->dxCheckEdit9->State(), cbsUnchecked) << "choosing a value ticks nothing";
    f->dxCheckEdit9->SetState(cbsChecked);
    f->AApplyFilter->Execute();
  });
  EXPECT_FALSE(FilterForm->M_COLLAGE->Active()) << "closed with the window";
  EXPECT_EQ(std::to_string(ListCount()),
            Scalar(("select count(distinct O_PEOPLEID) from O_EDU where M_COLLAGEID = " + id).c_str()));
  EXPECT_TRUE(Indicated());
  EXPECT_EQ(Text(FilterForm->FilterDescription), "уч. заведение \"" + name + "\"");
  EXPECT_NE(Text(FilterForm->JoinText).find("inner join O_EDU"), std::string::npos);
}

// A territory chosen in the tree keeps the people of its whole subtree; greyed, everybody else.
TEST_P(FilterFormOnDriversTest, ATerritoryChosenInTheTreeLimitsTheListToItsSubtree) {
  const String city = u"г. Северск";
  const std::string id = Scalar("select M_RAYON_DEPID from M_RAYON_DEP where SHORTNAME = 'г. Северск'");
  auto choose = [&](TdxCheckBoxState State) {
    WithFilter([&](TFilterForm* f) {
      f->dxCheckEdit1->SetState(State);
      EXPECT_TRUE(f->DBTreeList->Visible() && f->DBTreeList->Enabled());
      TdxTreeListNode* node = f->DBTreeList->FindNodeByKey(Variant(std::stoi(id)));
      ASSERT_NE(node, nullptr);
      f->DBTreeList->ClearSelection();
      f->DBTreeList->SetFocusedNode(node, 0, true);
      f->DBTreeList->SetNodeSelected(node, true);
      f->AApplyFilter->Execute();
    });
    return ListCount();
  };
  const int inCity = choose(cbsChecked);
  EXPECT_GT(inCity, 0);
  EXPECT_LT(inCity, kPeople);
  EXPECT_TRUE(Indicated());
  EXPECT_EQ(FilterForm->FilterDescription, u"терр./орг-ция- " + city);
  const int elsewhere = choose(cbsGrayed);
  EXPECT_EQ(FilterForm->FilterDescription, u"терр./орг-ция: НЕ " + city);
  EXPECT_EQ(inCity + elsewhere,
            kPeople - std::stoi(Scalar("select count(*) from O_PEOPLE where M_RAYON_DEPID is null")));
}

TEST_P(FilterFormOnDriversTest, AFilterTheDatabaseRejectsShowsTheFailureAndBringsTheUnfilteredListBack) {
  DataModule2->ADOConnection1->Execute(u"alter table O_EDU rename to O_EDU_AWAY");
  WithFilter([](TFilterForm* f) {
    f->dxCheckEdit3->SetState(cbsChecked);
    f->AApplyFilter->Execute();
  });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "Ошибка установки фильтра");
  EXPECT_EQ(boxes[0].Caption, "Отмена операции");
  EXPECT_EQ(boxes[0].Type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
  EXPECT_TRUE(DataModule2->OPEOPLE_LIST->Active());
  EXPECT_EQ(ListCount(), kPeople);
  EXPECT_FALSE(Indicated());
  EXPECT_EQ(FilterForm->FilterSet, 0);
  EXPECT_EQ(FilterForm->dxCheckEdit3->State(), cbsChecked) << "the window's settings are not lost";
}

// Typing, clicking or choosing ticks a row's box; emptying it clears the box.
TEST_F(FilterFormTest, RowsTickTheirBoxesAndClearFilterResetsEverything) {
  TFilterForm* f = FilterForm;
  f->Show();  // the edits report changes once they have their windows
  RunUntilIdle();
  f->dxCheckEdit2->SetState(cbsChecked);
  f->dxCheckEdit3->SetState(cbsChecked);
  const std::pair<TLabeledEdit*, TdxCheckEdit*> texts[] = {{f->LabeledEdit1, f->dxCheckEdit4},
                                                            {f->LabeledEdit2, f->dxCheckEdit10},
                                                            {f->LabeledEdit3, f->dxCheckEdit13},
                                                            {f->LabeledEdit4, f->dxCheckEdit14},
                                                            {f->LabeledEdit5, f->dxCheckEdit15}};
  for (const auto& [edit, box] : texts) {
    edit->SetText(u"x");
    EXPECT_EQ(box->State(), cbsChecked) << Text(edit->Name());
    box->SetState(cbsGrayed);
    edit->SetText(u"xy");
    EXPECT_EQ(box->State(), cbsGrayed) << "a negated row stays negated: " << Text(edit->Name());
    EXPECT_TRUE(box->Font()->Style().Contains(fsStrikeOut));
    edit->SetText(String());
    EXPECT_EQ(box->State(), cbsUnchecked) << Text(edit->Name());
  }
  f->ComboBoxEx3->SetItemIndex(2);
  f->ComboBoxEx3Change(f->ComboBoxEx3);
  EXPECT_EQ(f->dxCheckEdit7->State(), cbsChecked);
  EXPECT_TRUE(Visible(AsControl(f->cxDateEdit1)) && Visible(AsControl(f->cxDateEdit2)));
  f->ComboBoxEx2->SetItemIndex(3);  // "по": the second spin edit only
  f->ComboBoxEx2Change(f->ComboBoxEx2);
  EXPECT_FALSE(Visible(AsControl(f->cxSpinEdit1)));
  EXPECT_TRUE(Visible(AsControl(f->cxSpinEdit2)) && f->Label2->Visible() && !f->Label1->Visible());
  f->cxSpinEdit1Click(nullptr);
  EXPECT_EQ(f->dxCheckEdit5->State(), cbsChecked);
  f->cxRadioGroup1Click(nullptr);
  EXPECT_EQ(f->dxCheckEdit6->State(), cbsChecked);
  SetLookupKey(f->cxExtLookupComboBox4, Variant(1));
  f->dxCheckEdit12->SetState(cbsChecked);
  SetLookupKey(f->cxExtLookupComboBox4, Null());
  EXPECT_EQ(f->dxCheckEdit12->State(), cbsUnchecked) << "an emptied lookup clears its box";

  // A grayed training section shows its panel disabled and clears its rows.
  f->dxCheckEdit9->SetState(cbsChecked);
  f->dxCheckEdit3->SetState(cbsGrayed);
  EXPECT_TRUE(f->Panel5->Visible());
  EXPECT_FALSE(f->Panel5->Enabled());
  EXPECT_FALSE(f->LabeledEdit3->Enabled());
  EXPECT_EQ(f->dxCheckEdit9->State(), cbsUnchecked);

  f->LabeledEdit1->SetText(u"Ив");
  f->CheckBoxMaxDate->SetChecked(true);
  SetAge(f, 30, 40);
  SetSexItem(f, 1);
  SetLookupKey(f->cxExtLookupComboBox1, Variant(1));
  f->WhereText = u"x";
  f->FilterSet = 1;
  f->ClearFilter();
  for (TdxCheckEdit* box : {f->dxCheckEdit1, f->dxCheckEdit2, f->dxCheckEdit3, f->dxCheckEdit4, f->dxCheckEdit5,
                            f->dxCheckEdit6, f->dxCheckEdit7})
    EXPECT_EQ(box->State(), cbsUnchecked) << Text(box->Name());
  EXPECT_TRUE(f->LabeledEdit1->Text().empty());
  EXPECT_EQ(AgeTexts(f), u"0-0");
  EXPECT_EQ(SexItem(f), -1);
  EXPECT_TRUE(VarIsNull(LookupKey(f->cxExtLookupComboBox1)));
  EXPECT_EQ(f->ComboBoxEx2->ItemIndex(), -1);
  EXPECT_EQ(f->ComboBoxEx3->ItemIndex(), -1);
  EXPECT_FALSE(f->CheckBoxMaxDate->Checked());
  EXPECT_TRUE(f->WhereText.empty());
  EXPECT_EQ(f->FilterSet, 0);
  EXPECT_FALSE(f->Panel3->Visible());
}

// At exit the screen frees the ownerless forms still open, latest first: the drop-down editors'
// popup windows go before the filter window that holds the editors.
TEST_F(FilterFormTest, AnOwnerlessWindowStillOpenAtExitIsFreedAfterItsEditorsPopups) {
  delete FilterForm;
  const int before = Screen->FormCount();
  FilterForm = NewForm<TFilterForm>(nullptr);
  std::vector<TCustomForm*> popups;
  for (int i = before; i < Screen->FormCount(); ++i)
    if (Screen->Forms(i) != FilterForm) popups.push_back(Screen->Forms(i));
  ASSERT_GE(popups.size(), 6u) << "the lookups' and date pickers' popup windows are forms";
  for (auto it = popups.rbegin(); it != popups.rend(); ++it) {
    (*it)->BeforeDestruction();
    delete *it;
  }
  FilterForm->BeforeDestruction();
  delete FilterForm;  // its editors no longer reach for their popups
  FilterForm = nullptr;
  EXPECT_EQ(Screen->FormCount(), before);
}

}  // namespace
