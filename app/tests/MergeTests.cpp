// Merging two cards by dropping a row of the people list on another, on a real demo database: the
// dialog's two cards, the ticked values and the training records moving over, the source deleted,
// the list on the target; a merge that would leave records behind refused whole; Cancel; a row
// dropped on itself.
#include "app/PeopleJoin.h"
#include "app/tests/AppTestSupport.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/gdi/Surface.h"
#include "platform/win/Paint.h"

namespace {

// On both databases the program runs on: the merge's statements and transaction are the server's.
class MergeTest : public AppTest, public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    if (std::string(GetParam()) == "PostgreSQL")
      StartOnPostgres(8);
    else
      StartShowingList(8);
    if (IsSkipped()) return;
    source = Id(1);
    target = Id(2);
  }
  // The card of the grid's row Row.
  std::string Id(int Row) { return GridCell(Row, MainForm->dxDBGrid1O_PEOPLEID); }
  POINT RowPoint(int Row) {
    TdxDBGrid* grid = MainForm->dxDBGrid1;
    RECT cell{};
    grid->GetCellRect(grid->GetAbsoluteNode(Row), 0, cell);
    return grid->ClientToScreen(POINT{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2});
  }
  void Move(POINT p) {
    SimulateMouseMove(p);
    Pump();
  }
  // Drags the grid's row From onto row To as the mouse does it.
  void DragRow(int From, int To) {
    const POINT from = RowPoint(From), to = RowPoint(To);
    clock->Advance(1000);
    SimulateMouseDown(TSimButton::Left, from);
    Pump();
    Move(POINT{from.x + 10, from.y});
    Move(POINT{from.x + 20, from.y + 2});
    Move(to);
    SimulateMouseUp(TSimButton::Left, to);
    Pump();
    RunUntilIdle();
  }
  std::string Card(const std::string& Id) {
    return Scalar(("select FSTNAME || '|' || coalesce(DOLGNAME, '') from O_PEOPLE where O_PEOPLEID = " + Id).c_str());
  }
  std::string Count(const std::string& Table, const std::string& Id) {
    return Scalar(("select count(*) from " + Table + " where O_PEOPLEID = " + Id).c_str());
  }

  std::string source, target;
};

INSTANTIATE_TEST_SUITE_P(Drivers, MergeTest, ::testing::Values("SQLite", "PostgreSQL"));

TEST_P(MergeTest, ADroppedRowMergesTheDraggedCardIntoTheCardDroppedOn) {
  if (IsSkipped()) return;
  Exec("insert into O_PEOPLESYNONYM (O_PEOPLEID, FSTNAME) values (" + source + ", 'Прежняя')");
  Exec("update O_PEOPLE set DOLGNAME = 'бухгалтер' where O_PEOPLEID = " + source);
  const std::string sourceName = Scalar(("select FSTNAME from O_PEOPLE where O_PEOPLEID = " + source).c_str());
  const int records = std::stoi(Count("O_EDU", source)) + std::stoi(Count("O_EDU", target));
  bool shown = false;
  WhenModal<TPeopleJoinForm>([&](TPeopleJoinForm* j) {
    shown = true;
    EXPECT_EQ(Text(j->Caption()), "Слияние учетных записей в картотеке");
    ASSERT_EQ(j->ListView1->Items()->Count(), 9);
    ASSERT_EQ(j->ListView2->Items()->Count(), 8);
    EXPECT_EQ(Text(j->ListView1->Items()->Item(pjrSurname)->SubItems()->Strings(0)), sourceName);
    EXPECT_EQ(Text(j->ListView1->Items()->Item(pjrPosition)->SubItems()->Strings(0)), "бухгалтер");
    EXPECT_TRUE(j->ListView1->Items()->Item(pjrTraining)->Checked());
    const std::string memo = Text(j->Memo1->Lines()->Text());
    for (const char* order : {"asc", "desc"}) {
      const std::string first = Scalar(
          ("select PROGNAME from O_EDU where O_PEOPLEID = " + source + " order by DATEFINISH " + order).c_str());
      EXPECT_NE(memo.find("  " + first + "  "), std::string::npos) << memo;
    }
    j->ListView1->Items()->Item(pjrPosition)->SetChecked(true);
    RunUntilIdle();
    TSurface screen(1, 1);
    ComposeScreen(screen);
    int dark = 0;
    for (int y = 0; y < j->Panel1->Height(); ++y)
      for (int x = 0; x < j->Panel1->Width(); ++x) {
        const POINT p = j->Panel1->ClientToScreen(POINT{x, y});
        dark += PixelToColor(screen.At(p.x, p.y)) == RGB(0, 0, 0);
      }
    EXPECT_GT(dark, 0) << "the banner's text";
    KeepCheckedScreen();
    j->ToolButton1->Click();
  });
  DragRow(1, 2);
  ASSERT_TRUE(shown);
  EXPECT_EQ(Card(target), Scalar(("select FSTNAME from O_PEOPLE where O_PEOPLEID = " + target).c_str()) + "|бухгалтер");
  EXPECT_EQ(Count("O_PEOPLE", source), "0");
  EXPECT_EQ(Count("O_EDU", target), std::to_string(records));
  EXPECT_EQ(Scalar(("select FSTNAME from O_PEOPLESYNONYM where O_PEOPLEID = " + target).c_str()), "Прежняя");
  EXPECT_EQ(Text(DataModule2->OPEOPLE_LIST->FieldByName(u"O_PEOPLEID")->AsString()), target) << "the list on the target";
  EXPECT_TRUE(boxes.empty());
}

// Training records left on a deleted card would be lost: such a merge is refused whole.
TEST_P(MergeTest, AMergeLeavingTrainingRecordsBehindIsRefusedAndRolledBack) {
  if (IsSkipped()) return;
  Exec("insert into O_EDU (O_PEOPLEID, PROGNAME) values (" + source + ", 'Курс')");
  const std::string before = Card(target);
  WhenModal<TPeopleJoinForm>([](TPeopleJoinForm* j) {
    j->ListView1->Items()->Item(pjrTraining)->SetChecked(false);
    j->ListView1->Items()->Item(pjrSurname)->SetChecked(true);
    j->ToolButton1->Click();
  });
  DragRow(1, 2);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "Ошибка обьединения");
  EXPECT_EQ(boxes[0].Caption, "Отмена операции");
  EXPECT_EQ(Card(target), before) << "the ticked surname rolled back";
  EXPECT_EQ(Count("O_PEOPLE", source), "1");
  EXPECT_FALSE(DataModule2->ADOConnection1->InTransaction());
}

TEST_P(MergeTest, CancelChangesNothingAndARowDroppedOnItselfOpensNoDialog) {
  if (IsSkipped()) return;
  const std::string before = Card(target);
  WhenModal<TPeopleJoinForm>([](TPeopleJoinForm* j) {
    j->ListView1->Items()->Item(pjrSurname)->SetChecked(true);
    j->ToolButton3->Click();
  });
  DragRow(1, 2);
  EXPECT_EQ(Card(target), before);
  EXPECT_EQ(Count("O_PEOPLE", source), "1");

  bool shown = false;
  WhenModal<TPeopleJoinForm>([&](TPeopleJoinForm* j) {
    shown = true;
    j->Close();
  });
  DragRow(1, 1);
  SetMessagePumpHook(nullptr);
  EXPECT_FALSE(shown);
}

}  // namespace
