// The people list's stored grouping: an "edu.ini" naming a group level for the first-name column
// opens the list grouped, its group rows open on a double click, Ctrl+Delete asks before deleting
// a card, and the grouping is written back on closing and comes back on the next start.
#include "app/tests/AppTestSupport.h"
#include "app/tests/PeopleGridProbe.h"
#include "platform/forms/testing/IdleStep.h"
#include "platform/win/Input.h"

namespace {

constexpr UINT kCtrl = 2;

class PeopleGroupingTest : public AppTest {
 protected:
  void Open() {
    CreateWindows();
    MainForm->Show();
    Pump();
    clock->Advance(100);
    RunUntilIdle();
  }
  void Close() {
    delete DataModule2;
    DataModule2 = nullptr;
    delete MainForm;
    MainForm = nullptr;
  }
  TdxDBGrid* Grid() const { return MainForm->dxDBGrid1; }
  // A point on the text of the first visible cell of the row at absolute index Row (right of any
  // expand button).
  POINT RowPoint(int Row) {
    RECT cell{};
    Grid()->GetCellRect(Grid()->GetAbsoluteNode(Row), 0, cell);
    return Grid()->ClientToScreen(POINT{cell.right - 10, (cell.top + cell.bottom) / 2});
  }
  void DoubleClick(int Row) {
    clock->Advance(1000);
    const POINT at = RowPoint(Row);
    SimulateClick(TSimButton::Left, at);
    clock->Advance(10);
    SimulateClick(TSimButton::Left, at);
    RunUntilIdle();
  }
};

TEST_F(PeopleGroupingTest, AStoredGroupLevelGroupsTheListAndComesBackAfterARestart) {
  WriteIni("[Application]\nMode=0\n[\\MainForm_dxDBGrid1\\Columns\\dxDBGrid1SECNAME]\nGroupIndex=0\n");
  MakeDatabase(6);
  Open();
  TdxDBGrid* grid = Grid();
  ASSERT_EQ(grid->GroupCount(), 1);
  EXPECT_EQ(grid->GetGroupColumn(0), MainForm->dxDBGrid1SECNAME);
  EXPECT_FALSE(MainForm->dxDBGrid1SECNAME->Visible()) << "the grouped column leaves the headers";
  const int groups = grid->GetAbsoluteCount();
  ASSERT_GT(groups, 0);
  for (int row = 0; row < groups; ++row) {
    TdxTreeListNode* node = grid->GetAbsoluteNode(row);
    EXPECT_TRUE(node->HasChildren());
    String text;
    grid->GetNodeString(node, grid->IndexOfColumn(grid->GetVisibleColumn(0)), text);
    EXPECT_EQ(StringToUtf8(text).rfind("имя : ", 0), 0u) << "[" << StringToUtf8(text) << "]";
  }
  // The footer is shown and has nothing to show.
  EXPECT_TRUE(grid->ShowSummaryFooter());
  for (int i = 0; i < grid->GetColumnCount(); ++i)
    EXPECT_EQ(StringToUtf8(grid->GetFooterCellText(nullptr, i, -1)), "") << i;

  // A double click on a group row opens it, another closes it.
  TdxTreeListNode* first = grid->GetAbsoluteNode(0);
  DoubleClick(0);
  EXPECT_TRUE(first->Expanded());
  EXPECT_EQ(grid->GetAbsoluteCount(), groups + first->GetCount());
  DoubleClick(0);
  EXPECT_FALSE(first->Expanded());

  // Ctrl+Delete on a record row asks; only OK deletes the card.
  DoubleClick(0);
  clock->Advance(1000);
  SimulateClick(TSimButton::Left, RowPoint(1));
  RunUntilIdle();
  ASSERT_FALSE(grid->FocusedNode()->HasChildren());
  const std::string key = StringToUtf8(VarToStr(static_cast<TdxDBGridNode*>(grid->FocusedNode())->KeyValue));
  const std::string before = Scalar("select count(*) from O_PEOPLE");
  for (int answer : {IDCANCEL, IDOK}) {
    boxes.clear();
    SetMessageBoxHook([&](const String& T, const String& C, UINT Type) {
      boxes.push_back({StringToUtf8(T), StringToUtf8(C), Type});
      return answer;
    });
    SimulateKeyPress(VK_DELETE, kCtrl);
    RunUntilIdle();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Caption, "Confirm");
    EXPECT_EQ(boxes[0].Text, "Delete record?");
  }
  EXPECT_EQ(Scalar(("select count(*) from O_PEOPLE where O_PEOPLEID = " + key).c_str()), "0");
  EXPECT_EQ(std::stoi(Scalar("select count(*) from O_PEOPLE")), std::stoi(before) - 1);

  Close();
  const std::string ini = ReadIni();
  EXPECT_NE(ini.find("GroupIndex=0"), std::string::npos) << ini;
  EXPECT_NE(ini.find("ShowSummaryFooter=1"), std::string::npos) << ini;
  EXPECT_NE(ini.find("ShowGroupPanel=0"), std::string::npos) << ini;
  Open();
  EXPECT_EQ(Grid()->GroupCount(), 1);
  EXPECT_EQ(Grid()->GetGroupColumn(0), MainForm->dxDBGrid1SECNAME);
  EXPECT_TRUE(Grid()->GetAbsoluteNode(0)->HasChildren());
}

}  // namespace
