// The print list and the duplicates window on a real demo database: the user's O_FILTER rows made
// from the main list, the list row kept also when an insert fails, the print window's columns,
// band caption and sort, the export written into "Text" and handed to the shell, and the jump from
// a duplicate name to its card.
#include <cstdio>
#include <string>
#include <vector>

#include "app/DoublesFIO.h"
#include "app/FilterForm.h"
#include "app/PrintForm.h"
#include "app/SheetExport.h"
#include "app/tests/AppTestSupport.h"
#include "platform/rtl/FileUtils.h"
#include "platform/win/Shell.h"

namespace {

class PrintListTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    StartShowingList(12);
    SetShellLauncher([this](const std::vector<std::string>& argv) {
      opened.push_back(argv.back());
      return true;
    });
    // Stands in for the grid's workbook export: the file and the rows it was given.
    SetGridWorkbookExport([this](TCustomdxDBGrid* Grid, const String& FileName) {
      FILE* f = std::fopen(Text(FileName).c_str(), "wb");
      ASSERT_NE(f, nullptr);
      std::fputs(std::to_string(Grid->GetAbsoluteCount()).c_str(), f);
      std::fclose(f);
      exported.push_back(Text(FileName));
    });
  }
  void TearDown() override {
    SetShellLauncher(nullptr);
    SetGridWorkbookExport(nullptr);
    FreeAndNil(PrintForm);
    FreeAndNil(FilterForm);
    AppTest::TearDown();
  }
  std::string FilterRows(const char* User) {
    return Scalar((std::string("select count(*) from O_FILTER where [USER] = '") + User + "'").c_str());
  }
  std::string CurrentId() { return Text(DataModule2->OPEOPLE_LIST->FieldByName(u"O_PEOPLEID")->AsString()); }

  std::vector<std::string> opened, exported;
};

TEST_F(PrintListTest, PreparingThePrintListPutsTheListedPeopleUnderTheUser) {
  Exec("insert into O_FILTER ([USER], O_PEOPLEID) values ('other', 1)");
  Exec("insert into O_FILTER ([USER], O_PEOPLEID) values ('tester', 999)");
  DataModule2->OPEOPLE_LIST->MoveBy(3);
  const std::string current = CurrentId();
  int listed = 0, shownRows = -1;
  WhenModal<TPrintForm>([&](TPrintForm* p) {
    EXPECT_EQ(Text(p->Caption()), "Печать списка с дополнительными атрибутами");
    EXPECT_FALSE(DataModule2->PrintList->Active()) << "the window opens empty";
    p->ToolButton3->Click();
    listed = DataModule2->PrintList->RecordCount();
    shownRows = p->dxDBGridPrintList->GetAbsoluteCount();
    p->ToolButton1->Click();
  });
  MainForm->APrintList->Execute();
  RunUntilIdle();
  EXPECT_EQ(listed, 12);
  EXPECT_EQ(shownRows, 12);
  EXPECT_EQ(FilterRows("tester"), "12") << "the earlier rows replaced, [USER] written";
  EXPECT_EQ(FilterRows("other"), "1");
  EXPECT_EQ(CurrentId(), current) << "the list stays on its row";
  EXPECT_EQ(PrintForm, nullptr);
  EXPECT_FALSE(DataModule2->PrintList->Active());
}

TEST_F(PrintListTest, AFailedInsertLeavesNoRowsAndTheListOnItsRow) {
  Exec("insert into O_FILTER ([USER], O_PEOPLEID) values ('tester', 999)");
  Exec("create trigger refuse_filter before insert on O_FILTER when (select count(*) from O_FILTER) > 5 "
       "begin select raise(abort, 'refused'); end");
  DataModule2->OPEOPLE_LIST->MoveBy(2);
  const std::string current = CurrentId();
  EXPECT_THROW(MainForm->APrintListExecute(MainForm), std::exception);
  EXPECT_EQ(CurrentId(), current);
  EXPECT_FALSE(DataModule2->OPEOPLE_LIST->ControlsDisabled());
  EXPECT_EQ(FilterRows("tester"), "1") << "rolled back whole";
  EXPECT_EQ(PrintForm, nullptr) << "no print window after a failure";
}

TEST_F(PrintListTest, ThePrintWindowsColumnsBandCaptionSortAndExport) {
  FilterForm = NewForm<TFilterForm>(nullptr);
  FilterForm->FilterDescription = u"фамилия начинается с  \"Ив\"";
  FilterForm->FilterSet = 1;
  WhenModal<TPrintForm>([](TPrintForm* p) { p->Close(); });
  MainForm->APrintListExecute(MainForm);
  PrintForm = NewForm<TPrintForm>(MainForm);
  TPrintForm* p = PrintForm;
  p->ToolButton3->Click();
  TdxDBGrid* grid = p->dxDBGridPrintList;
  auto visible = [grid] {
    std::string names;
    for (int i = 0; i < grid->GetVisibleColumnCount(); ++i)
      names += Text(static_cast<TdxDBTreeListColumn*>(grid->GetVisibleColumn(i))->FieldName()) + " ";
    return names;
  };
  EXPECT_EQ(visible(), "FSTNAME SECNAME LASTNAME ");
  p->CheckListBox1->SetChecked(1, false);
  p->CheckListBox1->SetChecked(8, true);
  p->CheckListBox1ClickCheck(p);
  EXPECT_EQ(visible(), "FSTNAME LASTNAME D_NAME ");

  EXPECT_TRUE(grid->ShowBands());
  EXPECT_EQ(Text(grid->Bands()->Items(0)->Caption()), "");
  p->CheckBox1->SetChecked(true);
  EXPECT_EQ(Text(grid->Bands()->Items(0)->Caption()), "фамилия начинается с  \"Ив\"");
  p->CheckBox1->SetChecked(false);
  EXPECT_FALSE(grid->ShowBands());
  // A filter removed keeps its description in the filter window, but the caption drops it.
  FilterForm->FilterSet = 0;
  p->CheckBox1->SetChecked(true);
  EXPECT_EQ(Text(grid->Bands()->Items(0)->Caption()), "");

  // A calculated column cannot order the rows: its click is ignored and its mark dropped.
  TdxDBTreeListColumn* place = grid->FindColumnByFieldName(u"D_NAME");
  p->dxDBGridPrintListColumnClick(grid, place);
  EXPECT_EQ(place->Sorted(), csNone);
  place->SetSorted(csUp);
  p->dxDBGridPrintListColumnClick(grid, grid->FindColumnByFieldName(u"LASTNAME"));
  EXPECT_EQ(Text(DataModule2->PrintList->Sort()), "LASTNAME ASC ");
  EXPECT_EQ(place->Sorted(), csNone);
  EXPECT_EQ(Text(TPrintForm::GetSortString(grid)), "LASTNAME ASC ");

  // "Печать списка": without the Text folder the error names the path; with it, the file is
  // written and handed to the shell.
  try {
    p->ToolButton4Click(p);
    ADD_FAILURE() << "exported without the Text folder";
  } catch (const Exception& e) {
    EXPECT_NE(std::string(e.what()).find("Text/PeopleList.xls"), std::string::npos) << e.what();
  }
  ASSERT_TRUE(ForceDirectories(folder.File("Text")));
  const std::string file = Text(folder.File("Text/PeopleList.xls"));
  std::fclose(std::fopen(file.c_str(), "wb"));
  p->ToolButton4Click(p);
  EXPECT_EQ(exported, (std::vector<std::string>{file}));
  EXPECT_EQ(opened, (std::vector<std::string>{file}));
}

TEST_F(PrintListTest, TheDuplicatesWindowListsRepeatedNamesAndGoesToTheirCard) {
  Exec("insert into O_PEOPLE (FSTNAME, SECNAME, LASTNAME) values ('Дублев', 'Иван', 'Иванович')");
  Exec("insert into O_PEOPLE (FSTNAME, SECNAME, LASTNAME) values ('дублев', 'Иван', 'Иванович')");
  MainForm->ARefreshExecute(MainForm);
  ASSERT_TRUE(ForceDirectories(folder.File("Text")));
  std::vector<std::string> names;
  WhenModal<TDoublesFIOForm>([&](TDoublesFIOForm* d) {
    EXPECT_EQ(Text(d->Caption()), "Дубли в картотеке");
    TDataSet* doubles = DataModule2->Doubles;
    for (doubles->First(); !doubles->Eof(); doubles->Next())
      names.push_back(Text(doubles->FieldByName(u"FSTNAME")->AsString()) + "|" +
                      Text(doubles->FieldByName(u"kol")->AsString()));
    d->ToolButton4->Click();
    ASSERT_TRUE(doubles->Locate(u"FSTNAME", Variant(String(u"Дублев")), {loCaseInsensitive}));
    d->ToolButton2->Click();
  });
  MainForm->AShowDoubles->Execute();
  RunUntilIdle();
  EXPECT_NE(std::find(names.begin(), names.end(), "Дублев|2"), names.end());
  EXPECT_EQ(opened, (std::vector<std::string>{Text(folder.File("Text/Doubles.xls"))}));
  EXPECT_EQ(Text(DataModule2->OPEOPLE_LIST->FieldByName(u"SECNAME")->AsString()), "Иван");
  EXPECT_EQ(Text(DataModule2->OPEOPLE_LIST->FieldByName(u"FSTNAME")->AsString()).substr(2), "ублев");
  EXPECT_EQ(DoublesFIOForm, nullptr);
}

}  // namespace
