// The merge, the print list and the duplicates on a virtual X server, the program started as the
// user starts it on a demo database in its own folder, driven by simulated input: a row of the list
// dragged onto another and "Выполнить"; "Сервис" > "Печать списка" with "Сформировать список", a
// column ticked, the caption of a filter set in the filter window and "Печать списка"; "Сервис" > "Дубли" with "печать" and
// "перейти в картотеку". Checked on rows, the database, the written workbooks and pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/DoublesFIO.h"
#include "app/FilterForm.h"
#include "app/PeopleJoin.h"
#include "app/PrintForm.h"
#include "app/tests/DesktopDriver.h"
#include "app/tests/PeopleGridProbe.h"
#include "dx/editors/dxCheckEdit.h"
#include "dx/dbgrid/tests/XlsReadBack.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/win/Shell.h"

namespace {

// The program on a demo database of ten people, on the screen; the files handed to the shell noted.
class TCardListsDesk {
 public:
  TCardListsDesk() {
    StartDesktopScreen(120, window_);
    WriteDemoProgramFolder(folder_, 10);
    inFolder_ = std::make_unique<TProgramFolderScope>(folder_.Path());
    SetShellLauncher([this](const std::vector<std::string>& Argv) {
      opened.push_back(Argv.back());
      return true;
    });
    StartProgramOnDesktop();
    desk = std::make_unique<TProgramOnDesktop>(window_);
    desk->Settle();
  }
  ~TCardListsDesk() {
    SetShellLauncher(nullptr);
    CloseProgramOnDesktop();
    StopDisplay();
  }
  TCardListsDesk(const TCardListsDesk&) = delete;
  TCardListsDesk& operator=(const TCardListsDesk&) = delete;

  String File(const char* Name) const { return folder_.File(Name); }
  // The centre of the list's row Row, in the grid's client coordinates.
  POINT RowCentre(int Row) const {
    const RECT r = desk->RowRect(Row);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  // "Сервис" on the tool bar, then its Item-th entry by the keyboard: the keys queued behind the
  // click, since the menu's loop reads them.
  void ChooseService(int Item) {
    desk->Press(MainForm->ActionToolBar3->ItemButton(4));
    for (int i = 0; i <= Item; ++i) SimulateKeyPress(VK_DOWN);
    SimulateKeyPress(VK_RETURN);
    desk->Settle();
  }

  std::unique_ptr<TProgramOnDesktop> desk;
  std::vector<std::string> opened;

 private:
  SDL_Window* window_ = nullptr;
  TTempFolder folder_;
  std::unique_ptr<TProgramFolderScope> inFolder_;
};

// The dark pixels of Grid's rows on the last shot: their texts.
int RowsText(const TProgramOnDesktop& Desk, TdxDBGrid* Grid) {
  RECT rows{};
  Grid->GetRowsRect(rows);
  return Desk.CountColour(Grid, rows, RGB(0, 0, 0));
}

std::string ListId(int Row) { return GridCell(Row, MainForm->dxDBGrid1O_PEOPLEID); }

void DriveTheMerge() {
  TCardListsDesk run;
  TProgramOnDesktop& desk = *run.desk;
  const std::string source = ListId(1), target = ListId(2);
  auto cardCount = [](const std::string& Table, const std::string& Id) {
    return DesktopScalar("select count(*) from " + Table + " where O_PEOPLEID = " + Id);
  };
  const int records = cardCount("O_EDU", source) + cardCount("O_EDU", target);
  const std::string sourcePosition = DesktopText("select DOLGNAME from O_PEOPLE where O_PEOPLEID = " + source);
  const std::string targetSurname = DesktopText("select FSTNAME from O_PEOPLE where O_PEOPLEID = " + target);
  int bannerText = 0;
  bool positionTicked = false;
  TModalSteps<TPeopleJoinForm> steps({
      [&](TPeopleJoinForm* j) {
        // The position's check box, at the left of its row.
        const RECT row = j->ListView1->ItemRect(pjrPosition);
        desk.Click(j->ListView1, POINT{row.left + 8, (row.top + row.bottom) / 2});
      },
      [&](TPeopleJoinForm* j) {
        positionTicked = j->ListView1->Items()->Item(pjrPosition)->Checked();
        desk.Shoot();
        bannerText = desk.CountColour(j->Panel1, RECT{0, 0, j->Panel1->Width(), j->Panel1->Height()}, RGB(0, 0, 0));
        KeepCheckedScreen("merge-dialog");
        desk.Press(j->ToolButton1);
      },
  });
  steps.Arm();
  const POINT from = MainForm->dxDBGrid1->ClientToScreen(run.RowCentre(1));
  const POINT to = MainForm->dxDBGrid1->ClientToScreen(run.RowCentre(2));
  SimulateMouseDown(TSimButton::Left, from);
  desk.Settle();
  for (const POINT p : {POINT{from.x + 10, from.y}, POINT{from.x + 20, from.y + 2}, to}) {
    SimulateMouseMove(p);
    desk.Settle();
  }
  SimulateMouseUp(TSimButton::Left, to);
  desk.Settle();
  ASSERT_EQ(steps.Done(), 2u) << "the merge dialog did not run its steps";
  EXPECT_TRUE(positionTicked);
  EXPECT_GT(bannerText, 50) << "the banner's text on the screen";
  EXPECT_EQ(DesktopText("select FSTNAME || '|' || coalesce(DOLGNAME, '') from O_PEOPLE where O_PEOPLEID = " + target),
            targetSurname + "|" + (sourcePosition == "~" ? "" : sourcePosition));
  EXPECT_EQ(cardCount("O_PEOPLE", source), 0) << "the source card deleted";
  EXPECT_EQ(cardCount("O_EDU", target), records) << "the training records moved";
  EXPECT_EQ(MainForm->dxDBGrid1->GetAbsoluteCount(), 9);
  EXPECT_EQ(GridCell(MainForm->dxDBGrid1->GetFocusedAbsoluteIndex(), MainForm->dxDBGrid1O_PEOPLEID), target)
      << "the list on the target";
  desk.Shoot();
  const int focused = MainForm->dxDBGrid1->GetFocusedAbsoluteIndex();
  EXPECT_GT(desk.HighlightIn(focused), 100) << "the target's row highlighted on the screen";
  KeepCheckedScreen("merged");
}

void DriveThePrintListAndTheDuplicates() {
  TCardListsDesk run;
  TProgramOnDesktop& desk = *run.desk;
  ASSERT_TRUE(ForceDirectories(run.File("Text")));
  // A second card under the first name of the list, in another case: the one duplicate.
  DataModule2->ADOConnection1->Execute(
      u"insert into O_PEOPLE (FSTNAME, SECNAME, LASTNAME) select upper(FSTNAME), SECNAME, LASTNAME from O_PEOPLE "
      u"where O_PEOPLEID = " + Utf8ToString(ListId(0)));
  MainForm->ARefreshExecute(MainForm);
  desk.Settle();
  // The filter: "Рег. данные", the first two letters of the list's first surname, "начинается с ",
  // "Установить".
  const String prefix = Utf8ToString(GridCell(0, MainForm->dxDBGrid1FSTNAME)).substr(0, 2);
  TModalSteps<TFilterForm> filtering({
      [&](TFilterForm* f) { desk.Click(f->dxCheckEdit2, POINT{8, f->dxCheckEdit2->Height() / 2}); },
      [&](TFilterForm* f) {
        desk.Click(f->LabeledEdit1, POINT{20, 8});
        SimulateText(prefix);
      },
      [&](TFilterForm* f) {
        desk.Click(f->ComboBoxEx1, POINT{20, 8});
        SimulateKeyPress(VK_ESCAPE);  // the list dropped by the click closed: keys choose the item
        SimulateKeyPress(VK_DOWN);
        SimulateKeyPress(VK_DOWN);
      },
      [&](TFilterForm* f) {
        const RECT set = f->ActionMainMenuBar1->BarItemRect(0);  // on the screen
        SimulateClick(TSimButton::Left, POINT{(set.left + set.right) / 2, (set.top + set.bottom) / 2});
      },
  });
  filtering.Arm();
  desk.Click(MainForm->ToolButton1, POINT{10, 10});
  desk.Settle();
  ASSERT_EQ(filtering.Done(), 4u) << "the filter window did not run its steps";
  const int filtered = MainForm->dxDBGrid1->GetAbsoluteCount();
  ASSERT_EQ(FilterForm->FilterSet, 1);
  const std::string description = StringToUtf8(FilterForm->FilterDescription);
  EXPECT_NE(description.find(StringToUtf8(prefix)), std::string::npos) << description;

  int listed = -1, printedText = 0, doublesText = 0;
  bool placeTicked = false;
  std::string caption, visible;
  TModalSteps<TPrintForm> printing({
      [&](TPrintForm* p) { desk.Press(p->ToolButton3); },
      [&](TPrintForm* p) {
        listed = p->dxDBGridPrintList->GetAbsoluteCount();
        // The place of work is below the box's fold: the first item clicked, then down to it.
        const RECT first = p->CheckListBox1->ItemRect(0);
        desk.Click(p->CheckListBox1, POINT{first.left + 40, (first.top + first.bottom) / 2});
        for (int i = 0; i < 8; ++i) SimulateKeyPress(VK_DOWN);
        SimulateText(u" ");
      },
      [&](TPrintForm* p) {
        placeTicked = p->CheckListBox1->Checked(8);
        desk.Press(p->CheckBox1);
      },
      [&](TPrintForm* p) {
        TdxDBGrid* grid = p->dxDBGridPrintList;
        caption = StringToUtf8(grid->Bands()->Items(0)->Caption());
        for (int i = 0; i < grid->GetVisibleColumnCount(); ++i)
          visible += StringToUtf8(static_cast<TdxDBTreeListColumn*>(grid->GetVisibleColumn(i))->FieldName()) + " ";
        desk.Shoot();
        printedText = RowsText(desk, grid);
        KeepCheckedScreen("print-list");
        desk.Press(p->ToolButton4);
      },
      [&](TPrintForm* p) { desk.Press(p->ToolButton1); },
  });
  printing.Arm();
  run.ChooseService(0);
  ASSERT_EQ(printing.Done(), 5u) << "the print window did not run its steps";
  EXPECT_GT(filtered, 1) << "the surname and its upper-case double";
  EXPECT_LT(filtered, 11);
  EXPECT_EQ(listed, filtered) << "the people the list showed";
  EXPECT_GT(printedText, 100) << "the listed people on the screen";
  EXPECT_TRUE(placeTicked);
  EXPECT_EQ(caption, description);
  EXPECT_EQ(visible, "FSTNAME SECNAME LASTNAME D_NAME ");
  const std::string peopleList = StringToUtf8(run.File("Text/PeopleList.xls"));
  ASSERT_EQ(run.opened, (std::vector<std::string>{peopleList}));
  const std::string printed = ReadBackWithXlrd(Utf8ToString(peopleList));
  EXPECT_NE(printed.find(GridCell(0, MainForm->dxDBGrid1FSTNAME)), std::string::npos) << printed;
  EXPECT_NE(printed.find(description), std::string::npos) << printed;

  // "Снять фильтр": everybody back for the duplicates.
  desk.Click(MainForm->ToolButton2, POINT{10, 10});
  desk.Settle();

  const std::string duplicate = StringToUtf8(AnsiUpperCase(Utf8ToString(GridCell(0, MainForm->dxDBGrid1FSTNAME))));
  std::string namesShown;
  TModalSteps<TDoublesFIOForm> doubles({
      [&](TDoublesFIOForm* d) {
        namesShown = std::to_string(d->dxDBGrid1->GetAbsoluteCount());
        desk.Shoot();
        doublesText = RowsText(desk, d->dxDBGrid1);
        KeepCheckedScreen("duplicates");
        desk.Press(d->ToolButton4);
      },
      [&](TDoublesFIOForm* d) { desk.Press(d->ToolButton2); },
  });
  desk.Click(MainForm->dxDBGrid1, run.RowCentre(5));  // away from the name
  doubles.Arm();
  run.ChooseService(1);
  ASSERT_EQ(doubles.Done(), 2u) << "the duplicates window did not run its steps";
  EXPECT_EQ(namesShown, "1");
  EXPECT_GT(doublesText, 20) << "the repeated name on the screen";
  const std::string doublesFile = StringToUtf8(run.File("Text/Doubles.xls"));
  ASSERT_EQ(run.opened.size(), 2u);
  EXPECT_EQ(run.opened[1], doublesFile);
  const std::string printedDoubles = ReadBackWithXlrd(Utf8ToString(doublesFile));
  EXPECT_NE(printedDoubles.find("кол-во совпадений"), std::string::npos) << printedDoubles;
  EXPECT_EQ(DoublesFIOForm, nullptr) << "the window closed";
  EXPECT_EQ(StringToUtf8(AnsiUpperCase(Utf8ToString(FocusedCell(MainForm->dxDBGrid1FSTNAME)))), duplicate)
      << "the list on the name";
}

TEST(ProgramCardListsOnDesktop, MergingTwoCardsByDraggingARowOntoAnother) {
  if (OnVirtualDesktop()) return DriveTheMerge();
  if (!VirtualDesktopInstalled()) GTEST_SKIP() << "xvfb-run is not installed";
  RunTestOnVirtualDesktop();
}

TEST(ProgramCardListsOnDesktop, ThePrintListAndTheDuplicatesFromTheServiceMenu) {
  if (OnVirtualDesktop()) return DriveThePrintListAndTheDuplicates();
  if (!VirtualDesktopInstalled()) GTEST_SKIP() << "xvfb-run is not installed";
  RunTestOnVirtualDesktop();
}

}  // namespace
