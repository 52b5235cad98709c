// The people list of the main window on a real demo database: the surname search, sorting by
// header clicks through the dataset's client sort, column visibility, adding, deleting and
// refreshing cards, and the grid's layout kept in "edu.ini" from one start to the next.
#include <functional>

#include "app/ProgramMain.h"
#include "app/SetColumnsVisible.h"
#include "app/TrenvikForm.h"
#include "app/tests/AppTestSupport.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/forms/testing/IdleStep.h"
#include "platform/gdi/Draw.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Backend.h"
#include "platform/win/Paint.h"
#include "platform/win/Windows.h"

namespace {

class PeopleListTest : public AppTest {
 protected:
  void Start(int People = 30) {
    StartShowingList(People);
  }
  TADODataSet* List() const { return DataModule2->OPEOPLE_LIST; }
  TdxDBGrid* Grid() const { return MainForm->dxDBGrid1; }
  std::string Current(const char16_t* Field) const { return Text(List()->FieldByName(Field)->AsString()); }
  void ClickHeader(TdxTreeListColumn* Column) {
    const POINT at = HeaderPoint(Column);
    ASSERT_GE(at.x, 0) << "no header for " << Text(Column->Name());
    clock->Advance(1000);  // never a double click
    SimulateClick(TSimButton::Left, Grid()->ClientToScreen(at));
    RunUntilIdle();
  }
  // The screen pixels of Column's header cell that have Colour.
  int HeaderPixels(TdxTreeListColumn* Column, COLORREF Colour) {
    RECT cell{};
    for (int v = 0; v < Grid()->GetVisibleColumnCount(); ++v)
      if (Grid()->GetVisibleColumn(v) == Column) Grid()->GetCellRect(Grid()->TopVisibleNode(), v, cell);
    const POINT header = HeaderPoint(Column);
    HDC dc = GetDC(nullptr);
    int n = 0;
    // The left half: the glyph and the caption, not the filter button the pointer brings up.
    for (int y = header.y - 6; y <= header.y + 6; ++y)
      for (int x = cell.left + 2; x < (cell.left + cell.right) / 2; ++x) {
        const POINT at = Grid()->ClientToScreen(POINT{x, y});
        n += GetPixel(dc, at.x, at.y) == Colour;
      }
    ReleaseDC(nullptr, dc);
    return n;
  }
};

TEST_F(PeopleListTest, TheGridIsSetUpOverThePeopleList) {
  Start(12);
  TdxDBGrid* g = Grid();
  EXPECT_EQ(g->DataSource(), DataModule2->OPEOPLE_LIST_DS);
  EXPECT_EQ(Text(g->KeyField()), "O_PEOPLEID");
  EXPECT_TRUE(g->IsLoadAllMode());
  EXPECT_EQ(g->GetAbsoluteCount(), 12);
  EXPECT_TRUE(g->ShowSummaryFooter());
  EXPECT_EQ(Text(g->SummarySeparator()), ", ");
  EXPECT_FALSE(g->ShowGrid());
  EXPECT_FALSE(g->ShowPreviewGrid());
  EXPECT_EQ(g->Color(), TColor(RGB(211, 223, 226)));
  EXPECT_EQ(Text(g->Font()->Name()), "MS Sans Serif");
  EXPECT_EQ(g->Font()->Height(), -13);
  EXPECT_TRUE(g->Font()->Style().Contains(fsBold));
  EXPECT_EQ(Text(g->IniFileName()), "edu.ini");
  EXPECT_TRUE(g->OptionsBehavior().Contains(edgoStoreToIniFile));
  EXPECT_FALSE(g->OptionsBehavior().Contains(edgoEditing)) << "cells are not edited in the list";
  EXPECT_FALSE(g->OptionsBehavior().Contains(edgoAutoSort)) << "the window sorts, not the grid";
  EXPECT_TRUE(g->OptionsView().Contains(edgoRowSelect));
  // The columns in order, captioned by the fields' display labels, the key and birth date hidden.
  struct Column {
    TdxTreeListColumn* column;
    const char* field;
    const char* caption;
    bool visible;
  };
  const Column columns[] = {
      {MainForm->dxDBGrid1O_PEOPLEID, "O_PEOPLEID", "ID(служ.)", false},
      {MainForm->dxDBGrid1FSTNAME, "FSTNAME", "фамилия", true},
      {MainForm->dxDBGrid1SECNAME, "SECNAME", "имя", true},
      {MainForm->dxDBGrid1LASTNAME, "LASTNAME", "отчество", true},
      {MainForm->dxDBGrid1BIRTHDATE, "BIRTHDATE", "дата рожд.", false},
  };
  ASSERT_EQ(g->GetColumnCount(), 5);
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(columns[i].field);
    EXPECT_EQ(g->GetColumn(i), columns[i].column);
    auto* db = static_cast<TdxDBTreeListColumn*>(columns[i].column);
    EXPECT_EQ(Text(db->FieldName()), columns[i].field);
    ASSERT_NE(db->Field(), nullptr);
    EXPECT_EQ(Text(db->Caption()), columns[i].caption);
    EXPECT_EQ(db->Visible(), columns[i].visible);
  }
  EXPECT_NE(dynamic_cast<TdxDBGridMaskColumn*>(MainForm->dxDBGrid1O_PEOPLEID), nullptr);
  // The rows are the list's, in its statement's order.
  List()->Last();
  EXPECT_EQ(GridCell(11, MainForm->dxDBGrid1FSTNAME), Current(u"FSTNAME"));
  EXPECT_EQ(g->GetFocusedAbsoluteIndex(), 11) << "the focus follows the current record";
}

TEST_F(PeopleListTest, EnterInTheSearchBoxLocatesTheSurnameStart) {
  Start();
  List()->First();
  List()->MoveBy(17);
  const String target = List()->FieldByName(u"FSTNAME")->AsString();
  struct Case {
    const char* what;
    String typed;
    TColor colour;
    std::function<bool()> rowIsRight;
  };
  int missRow = 0;
  const Case cases[] = {
      {"a surname's start in other case", AnsiLowerCase(target.substr(0, 3)), clLime,
       [&] { return AnsiStartsText(target.substr(0, 3), List()->FieldByName(u"FSTNAME")->AsString()); }},
      {"no surname starts so", u"Щщщ", clRed, [&] { return List()->RecNo() == missRow; }},
      {"an empty box", u"", clLime, [&] { return List()->RecNo() == 1; }},
  };
  std::vector<bool> shownWhileSearching;
  MainForm->Animate1->OnStart = [&](TObject*) {
    shownWhileSearching.push_back(MainForm->Animate1->Visible());
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    List()->Last();
    missRow = List()->RecNo();
    MainForm->Edit1->SetFocus();
    Pump();
    SimulateText(c.typed);
    SimulateKeyPress(VK_RETURN);
    RunUntilIdle();
    EXPECT_EQ(MainForm->Edit1->Font()->Color(), c.colour);
    EXPECT_TRUE(c.rowIsRight()) << Current(u"FSTNAME");
    EXPECT_EQ(FocusedCell(MainForm->dxDBGrid1FSTNAME), Current(u"FSTNAME")) << "the grid's row moves along";
    EXPECT_FALSE(MainForm->Animate1->Visible());
    EXPECT_FALSE(MainForm->Animate1->Active());
    Grid()->SetFocus();
    Pump();
  }
  EXPECT_EQ(shownWhileSearching, std::vector<bool>(3, true)) << "the animation runs during each search";
  // Backspace makes a coloured box black again; leaving it puts the prompt back.
  MainForm->Edit1->SetFocus();
  SimulateText(u"ъ");
  SimulateKeyPress(VK_RETURN);
  RunUntilIdle();
  ASSERT_EQ(MainForm->Edit1->Font()->Color(), clRed);
  SimulateKeyPress(VK_BACK);
  RunUntilIdle();
  EXPECT_EQ(MainForm->Edit1->Font()->Color(), clBlack);
  EXPECT_EQ(MainForm->Edit1->Text(), u"");
  Grid()->SetFocus();
  Pump();
  EXPECT_EQ(MainForm->Edit1->Text(), u"Поиск");
  EXPECT_EQ(MainForm->Edit1->Font()->Color(), clBlue);
}

TEST_F(PeopleListTest, TheSortTextFollowsTheColumnsMarksInColumnOrder) {
  Start(5);
  TMainForm* f = MainForm;
  struct Case {
    std::vector<std::pair<TdxTreeListColumn*, TdxTreeListColumnSort>> marks;
    const char* text;
  };
  const Case cases[] = {
      {{}, ""},
      {{{f->dxDBGrid1FSTNAME, csUp}}, "FSTNAME ASC "},
      {{{f->dxDBGrid1SECNAME, csDown}}, "SECNAME DESC "},
      {{{f->dxDBGrid1LASTNAME, csUp}, {f->dxDBGrid1FSTNAME, csDown}}, "FSTNAME DESC  , LASTNAME ASC "},
      {{{f->dxDBGrid1BIRTHDATE, csDown}, {f->dxDBGrid1O_PEOPLEID, csUp}},
       "O_PEOPLEID ASC  , BIRTHDATE DESC "},  // hidden columns count too
  };
  for (const Case& c : cases) {
    for (int i = 0; i < Grid()->GetColumnCount(); ++i) Grid()->GetColumn(i)->SetSorted(csNone);
    for (auto [column, mark] : c.marks) column->SetSorted(mark);
    EXPECT_EQ(Text(TMainForm::GetSortString(Grid())), c.text);
  }
}

TEST_F(PeopleListTest, ThreeHeaderClicksSortUpThenDownThenBackToTheStatementsOrder) {
  Start();
  TdxTreeListColumn* name = MainForm->dxDBGrid1SECNAME;
  const std::string statementOrder = GridColumn(MainForm->dxDBGrid1O_PEOPLEID);
  List()->First();
  List()->MoveBy(9);
  const std::string current = Current(u"O_PEOPLEID");
  struct Step {
    TdxTreeListColumnSort mark;
    const char* sort;
    int order;
    const char16_t* glyph;
  };
  const Step steps[] = {{csUp, "SECNAME ASC ", 1, u"UPSMALL"},
                        {csDown, "SECNAME DESC ", -1, u"DOWNSMALL"},
                        {csNone, "", 0, nullptr}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.sort);
    ClickHeader(name);
    EXPECT_EQ(name->Sorted(), s.mark);
    ASSERT_EQ(name->HasHeaderGlyph(), s.glyph != nullptr);
    if (s.glyph) {
      TBitmap resource;
      resource.LoadFromResourceName(nullptr, s.glyph);
      TBitmap* shown = name->HeaderGlyph();
      ASSERT_EQ(shown->Width(), resource.Width());
      ASSERT_EQ(shown->Height(), resource.Height());
      int differing = 0;
      for (int y = 0; y < shown->Height(); ++y)
        for (int x = 0; x < shown->Width(); ++x)
          differing += shown->Canvas()->Pixels(x, y) != resource.Canvas()->Pixels(x, y);
      EXPECT_EQ(differing, 0);
    }
    EXPECT_EQ(Text(List()->Sort()), s.sort);
    if (s.order != 0) {
      EXPECT_TRUE(Ordered(name, s.order)) << GridColumn(name);
    }
    EXPECT_EQ(Current(u"O_PEOPLEID"), current) << "the current card stays current";
    EXPECT_EQ(FocusedCell(MainForm->dxDBGrid1O_PEOPLEID), current);
  }
  EXPECT_EQ(GridColumn(MainForm->dxDBGrid1O_PEOPLEID), statementOrder);
  EXPECT_EQ(Text(MainForm->StatusText(1)), "Всего записей - 30") << "sorting leaves the count";
}

// Each arrow is drawn whole, in black, over the header: no pixel of it is taken for transparent.
TEST_F(PeopleListTest, BothSortGlyphsAreDrawnWholeOnTheHeader) {
  Start(6);
  TdxTreeListColumn* name = MainForm->dxDBGrid1SECNAME;
  RunUntilIdle();
  const int textBlack = HeaderPixels(name, RGB(0, 0, 0));
  const int textWhite = HeaderPixels(name, RGB(255, 255, 255));
  ASSERT_GT(textBlack, 0) << "the caption";
  for (const char* direction : {"ascending", "descending"}) {
    SCOPED_TRACE(direction);
    ClickHeader(name);
    RunUntilIdle();
    EXPECT_EQ(HeaderPixels(name, RGB(0, 0, 0)) - textBlack, 16) << "the arrow's 16 pixels";
    EXPECT_EQ(HeaderPixels(name, RGB(255, 255, 255)), textWhite) << "nothing of its background";
    KeepCheckedScreen(direction);
  }
}

TEST_F(PeopleListTest, TheLeftSortedColumnDecidesFirstAndMovingAColumnSwapsThePriority) {
  Start(40);
  TdxTreeListColumn* surname = MainForm->dxDBGrid1FSTNAME;
  TdxTreeListColumn* patronymic = MainForm->dxDBGrid1LASTNAME;
  // Moving a column while nothing is sorted leaves the list alone.
  Grid()->OnColumnMoved(Grid(), 0, 0);
  EXPECT_EQ(Text(List()->Sort()), "");
  ClickHeader(patronymic);
  ClickHeader(surname);
  EXPECT_EQ(Text(List()->Sort()), "FSTNAME ASC  , LASTNAME ASC ") << "column order, not click order";
  EXPECT_TRUE(Ordered(surname, 1));
  // The patronymic dragged in front of the surname: the grid reports the move.
  const int from = patronymic->ColIndex();
  patronymic->SetColIndex(0);
  Grid()->OnColumnMoved(Grid(), from, 0);
  RunUntilIdle();
  EXPECT_EQ(Text(List()->Sort()), "LASTNAME ASC  , FSTNAME ASC ");
  EXPECT_TRUE(Ordered(patronymic, 1)) << GridColumn(patronymic);
}

TEST_F(PeopleListTest, TheVisibilityDialogListsEveryColumnAndAppliesTheTicksOnOk) {
  Start(5);
  TMainForm* f = MainForm;
  std::vector<std::string> listed;
  std::vector<bool> ticked;
  std::string caption;
  // Shows the birth date, hides the first name, and ends with OK or Cancel.
  auto script = [&](TModalResult End) {
    return [&, End](TSetColumnsVisibleDlg* d) {
      caption = Text(d->Caption());
      listed.clear();
      ticked.clear();
      for (int i = 0; i < d->CheckListBox1->Items()->Count(); ++i) {
        listed.push_back(Text(d->CheckListBox1->Items()->Strings(i)));
        ticked.push_back(d->CheckListBox1->Checked(i));
      }
      for (int item : {4, 2}) {
        const RECT r = d->CheckListBox1->ItemRect(item);
        ClickAt(d->CheckListBox1, r.left + 6, (r.top + r.bottom) / 2);
      }
      TButton* button = End == mrOk ? d->OKBtn : d->CancelBtn;
      ClickAt(button, 10, 10);
    };
  };
  WhenModal<TSetColumnsVisibleDlg>(script(mrCancel));
  f->N1->Click();
  RunUntilIdle();
  EXPECT_EQ(caption, "Установка видимости данных");
  EXPECT_EQ(listed, (std::vector<std::string>{"ID(служ.)", "фамилия", "имя", "отчество", "дата рожд."}));
  EXPECT_EQ(ticked, (std::vector<bool>{false, true, true, true, false}));
  EXPECT_FALSE(f->dxDBGrid1BIRTHDATE->Visible()) << "Cancel changes nothing";
  EXPECT_TRUE(f->dxDBGrid1SECNAME->Visible());

  WhenModal<TSetColumnsVisibleDlg>(script(mrOk));
  f->N1->Click();
  RunUntilIdle();
  EXPECT_TRUE(f->dxDBGrid1BIRTHDATE->Visible());
  EXPECT_FALSE(f->dxDBGrid1SECNAME->Visible());
  EXPECT_EQ(Grid()->GetVisibleColumnCount(), 3);
  List()->First();
  EXPECT_EQ(GridCell(0, f->dxDBGrid1BIRTHDATE), Text(List()->FieldByName(u"BIRTHDATE")->DisplayText()));
  EXPECT_EQ(Screen->FormCount(), 1) << "the dialog is freed";
}

TEST_F(PeopleListTest, DeleteAsksAndOnlyYesDeletesTheCurrentCard) {
  Start(6);
  struct Case {
    int answer;
    int left;
  };
  const Case cases[] = {{IDNO, 6}, {IDCANCEL, 6}, {IDYES, 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    List()->First();
    List()->Next();
    const std::string key = Current(u"O_PEOPLEID");
    boxes.clear();
    SetMessageBoxHook([&](const String& T, const String& C, UINT Type) {
      boxes.push_back({StringToUtf8(T), StringToUtf8(C), Type});
      return c.answer;
    });
    MainForm->ADelPeople->Execute();
    RunUntilIdle();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "Удалить текущую запись?");
    EXPECT_EQ(boxes[0].Caption, "Вопрос");
    EXPECT_EQ(boxes[0].Type, UINT(MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(Grid()->GetAbsoluteCount(), c.left);
    EXPECT_EQ(Scalar("select count(*) from O_PEOPLE"), std::to_string(c.left));
    const bool kept = GridColumn(MainForm->dxDBGrid1O_PEOPLEID).find(key) != std::string::npos;
    EXPECT_EQ(kept, c.answer != IDYES);
  }
}

TEST_F(PeopleListTest, RefreshRereadsTheListFromItsFirstRowAndDropsTheSort) {
  Start(8);
  ClickHeader(MainForm->dxDBGrid1SECNAME);
  List()->Last();
  {
    TADOQuery add(nullptr);
    add.SetConnection(DataModule2->ADOConnection1);
    add.SQL()->SetText(
        u"INSERT INTO O_PEOPLE (FSTNAME, SECNAME, LASTNAME, M_RAYON_DEPID) VALUES ('Аааев', 'Ян', 'Ян', 0)");
    add.ExecSQL();
  }
  MainForm->ActionToolBar1->ItemButton(5)->Click();
  RunUntilIdle();
  EXPECT_EQ(List()->RecNo(), 1);
  EXPECT_EQ(Grid()->GetAbsoluteCount(), 9);
  EXPECT_EQ(Grid()->GetFocusedAbsoluteIndex(), 0);
  EXPECT_EQ(Text(MainForm->StatusText(1)), "Всего записей - 9");
  EXPECT_EQ(Text(List()->Sort()), "") << "a reopened list has the statement's order";
  EXPECT_EQ(MainForm->dxDBGrid1SECNAME->Sorted(), csUp) << "the column keeps its mark";
  EXPECT_EQ(GridCell(0, MainForm->dxDBGrid1FSTNAME), "Аааев");
}

TEST_F(PeopleListTest, AddingACardWithoutStoringOneLeavesTheListRefreshedOnItsFirstRow) {
  Start(7);
  List()->Last();
  WhenModal<TTrenvikForm>([](TTrenvikForm* card) { card->Close(); });
  MainForm->AAddPeople->Execute();
  RunUntilIdle();
  EXPECT_EQ(List()->State(), dsBrowse) << "the unposted new row is gone";
  EXPECT_EQ(Grid()->GetAbsoluteCount(), 7);
  EXPECT_EQ(List()->RecNo(), 1) << "key 0 matches no row";
  EXPECT_EQ(Scalar("select count(*) from O_PEOPLE"), "7");
}

TEST_F(PeopleListTest, TheGridsLayoutIsKeptInEduIniForTheNextStart) {
  WriteIni("[Application]\nMode=0\n");
  Start(6);
  TMainForm* f = MainForm;
  f->dxDBGrid1BIRTHDATE->SetVisible(true);
  f->dxDBGrid1FSTNAME->SetVisible(false);
  ClickHeader(f->dxDBGrid1SECNAME);
  ClickHeader(f->dxDBGrid1SECNAME);
  f->dxDBGrid1LASTNAME->SetColIndex(0);
  const int movedTo = f->dxDBGrid1LASTNAME->Index();
  ASSERT_NE(movedTo, 3);
  // Closing the program stores the layout beside the run mode.
  delete DataModule2;
  DataModule2 = nullptr;
  delete MainForm;
  MainForm = nullptr;
  const std::string ini = ReadIni();
  EXPECT_NE(ini.find("Mode=0"), std::string::npos) << ini;
  EXPECT_NE(ini.find("MainForm_dxDBGrid1\\Columns\\dxDBGrid1BIRTHDATE]"), std::string::npos) << ini;

  CreateWindows();
  MainForm->Show();
  Pump();
  clock->Advance(100);
  RunUntilIdle();
  f = MainForm;
  EXPECT_TRUE(f->dxDBGrid1BIRTHDATE->Visible());
  EXPECT_FALSE(f->dxDBGrid1FSTNAME->Visible());
  EXPECT_EQ(f->dxDBGrid1SECNAME->Sorted(), csDown);
  // The stored sort is the list's own again: its rows, its glyph and the dataset's sort.
  EXPECT_EQ(Text(List()->Sort()), "SECNAME DESC ");
  EXPECT_TRUE(Ordered(f->dxDBGrid1SECNAME, -1)) << GridColumn(f->dxDBGrid1SECNAME);
  EXPECT_TRUE(f->dxDBGrid1SECNAME->HasHeaderGlyph());
  EXPECT_FALSE(f->dxDBGrid1LASTNAME->HasHeaderGlyph());
  EXPECT_EQ(f->dxDBGrid1LASTNAME->Index(), movedTo);
  EXPECT_EQ(Grid()->GetAbsoluteCount(), 6);
  EXPECT_EQ(Grid()->GetFocusedAbsoluteIndex(), 0) << "on the first row of the sorted list";
  EXPECT_EQ(Text(f->StatusText(0)), "центр");
}

// SQLite folds its write-ahead log back into the database when the last connection closes: a
// clean exit must leave nothing else beside the database, whatever the order in which the windows
// and the data module are freed afterwards.
TEST_F(PeopleListTest, ClosingTheProgramLeavesOnlyTheDatabaseFile) {
  Start(6);
  ClickHeader(MainForm->dxDBGrid1SECNAME);
  ASSERT_TRUE(FileExists(folder.File("edu.db-wal"))) << "the list is open on a database in WAL mode";
  MainForm->Close();
  Pump();
  CloseProgramData();
  EXPECT_FALSE(FileExists(folder.File("edu.db-wal")));
  EXPECT_FALSE(FileExists(folder.File("edu.db-shm")));
  EXPECT_TRUE(FileExists(folder.File("edu.db")));
}

}  // namespace
