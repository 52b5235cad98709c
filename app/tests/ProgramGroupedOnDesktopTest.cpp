// The people list grouped by a stored layout, on a virtual X server: started as the user starts the
// program on a demo database in its own folder with an "edu.ini" grouping the first names, driven by
// simulated input: group rows opened and closed by keys, a header click sorting the
// records inside their groups, Ctrl+Delete asking "Delete record?" (Cancel keeps the card, OK
// deletes it), and the grouping written on closing and back after a restart. Each step is checked
// on rows, in the database and on the pixels the X server shows.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "app/AppPaths.h"
#include "app/DataModule.h"
#include "app/Main.h"
#include "app/ProgramMain.h"
#include "app/tests/DesktopDriver.h"
#include "app/tests/PeopleGridProbe.h"
#include "platform/ado/testing/TempFolder.h"
#include "platform/classes/FormResources.h"
#include "platform/display/Display.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/display/testing/VirtualDesktop.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"

namespace {

constexpr UINT kGroupedCtrl = 2;

// True when Parent or a control inside it carries Caption.
bool HoldsCaption(TWinControl* Parent, const String& Caption) {
  for (int i = 0; i < Parent->ControlCount(); ++i) {
    TControl* c = Parent->Controls(i);
    if (c->Caption() == Caption) return true;
    if (auto* w = dynamic_cast<TWinControl*>(c); w && HoldsCaption(w, Caption)) return true;
  }
  return false;
}

std::string ReadFileText(const String& Path) {
  FILE* f = std::fopen(StringToUtf8(Path).c_str(), "rb");
  if (!f) return "<none>";
  std::string s;
  char buf[256];
  while (size_t n = std::fread(buf, 1, sizeof buf, f)) s.append(buf, n);
  std::fclose(f);
  return s;
}

int CountPeople(const char* Where) {
  TADOQuery* q = new TADOQuery(nullptr);
  q->SetConnection(DataModule2->ADOConnection1);
  q->SQL()->SetText(Utf8ToString(std::string("select count(*) from O_PEOPLE") + Where));
  q->Open();
  const int n = q->Fields()->Fields(0)->AsInteger();
  delete q;
  return n;
}

void DriveTheGroupedList() {
  alarm(180);  // a step that waits for ever ends the run instead
  SetScreenSize(1024, 768);
  ASSERT_TRUE(StartDisplay(TDisplayKind::Sdl)) << SDL_GetError();
  auto* window = static_cast<SDL_Window*>(DisplaySdlWindow());
  TTempFolder folder;
  WriteDemoProgramFolder(folder, 60);
  {
    FILE* ini = std::fopen(StringToUtf8(folder.File("edu.ini")).c_str(), "wb");
    ASSERT_NE(ini, nullptr);
    std::fputs("[Application]\nMode=0\n[\\MainForm_dxDBGrid1\\Columns\\dxDBGrid1SECNAME]\nGroupIndex=0\n", ini);
    std::fclose(ini);
  }
  const TProgramFolderScope inFolder(folder.Path());
  StartProgramOnDesktop();
  TProgramOnDesktop desk(window);
  desk.Settle();
  TdxDBGrid* grid = MainForm->dxDBGrid1;
  ASSERT_TRUE(DataModule2->OPEOPLE_LIST->Active());

  // Grouped by first name: only group rows, the column gone from the headers, the footer empty.
  ASSERT_EQ(grid->GroupCount(), 1);
  EXPECT_FALSE(MainForm->dxDBGrid1SECNAME->Visible());
  EXPECT_LT(HeaderPoint(MainForm->dxDBGrid1SECNAME).x, 0);
  const int groups = grid->GetAbsoluteCount();
  ASSERT_GT(groups, 1);
  for (int row = 0; row < groups; ++row)
    EXPECT_EQ(GridCell(row, grid->GetVisibleColumn(0)).rfind("имя : ", 0), 0u) << GridCell(row, grid->GetVisibleColumn(0));
  EXPECT_TRUE(grid->ShowSummaryFooter());
  for (int i = 0; i < grid->GetColumnCount(); ++i) EXPECT_EQ(StringToUtf8(grid->GetFooterCellText(nullptr, i, -1)), "");
  desk.Shoot();
  const RECT rowsArea{0, desk.RowRect(0).top, grid->ClientWidth(), desk.RowRect(0).top + 200};
  const auto collapsed = desk.Pixels(grid, rowsArea);
  KeepCheckedScreen("grouped");

  // The first group row, focused by a click (the search box has the focus at start), opens with
  // Right and closes with Left.
  auto rowPoint = [&](int Row) {
    RECT cell{};
    grid->GetCellRect(grid->GetAbsoluteNode(Row), 0, cell);
    return POINT{cell.right - 10, (cell.top + cell.bottom) / 2};
  };
  desk.Click(grid, rowPoint(0));
  desk.Settle();
  grid->SetFocusedAbsoluteIndex(0);
  desk.Settle();
  TdxTreeListNode* first = grid->GetAbsoluteNode(0);
  auto press = [&](UINT Key) {
    SimulateKeyPress(Key);
    desk.Settle();
  };
  press(VK_RIGHT);
  ASSERT_TRUE(first->Expanded());
  EXPECT_EQ(grid->GetAbsoluteCount(), groups + first->GetCount());
  desk.Shoot();
  const auto opened = desk.Pixels(grid, rowsArea);
  EXPECT_GT(TProgramOnDesktop::Differing(opened, collapsed), 500) << "the records show";
  KeepCheckedScreen("opened");
  press(VK_LEFT);
  EXPECT_FALSE(first->Expanded());
  EXPECT_EQ(grid->GetAbsoluteCount(), groups);
  desk.Shoot();
  EXPECT_GT(TProgramOnDesktop::Differing(desk.Pixels(grid, rowsArea), opened), 500) << "the records are gone";

  // A header click sorts the records inside their groups; the open group stays open.
  press(VK_RIGHT);
  TdxTreeListColumn* surnames = MainForm->dxDBGrid1FSTNAME;
  const POINT header = HeaderPoint(surnames);
  ASSERT_GE(header.x, 0);
  desk.Click(grid, header);
  desk.Settle();
  first = grid->GetAbsoluteNode(0);
  EXPECT_TRUE(first->Expanded());
  for (int i = 1; i < first->GetCount(); ++i) {
    String a, b;
    grid->GetNodeString(first->GetItem(i - 1), surnames->Index(), a);
    grid->GetNodeString(first->GetItem(i), surnames->Index(), b);
    EXPECT_LE(AnsiCompareText(a, b), 0) << StringToUtf8(a) << " / " << StringToUtf8(b);
  }
  desk.Shoot();
  KeepCheckedScreen("sorted-in-groups");

  // Ctrl+Delete on a record row asks in "Confirm"; Cancel keeps the card, OK deletes it.
  desk.Click(grid, rowPoint(1));
  desk.Settle();
  ASSERT_FALSE(grid->FocusedNode()->HasChildren());
  const std::string key = StringToUtf8(VarToStr(static_cast<TdxDBGridNode*>(grid->FocusedNode())->KeyValue));
  const std::string whereKey = " where O_PEOPLEID = " + key;
  const int before = CountPeople("");
  for (const char16_t* answer : {u"Cancel", u"OK"}) {
    bool asked = false;
    int ticksShown = 0;
    WhenModal([&] {
      TCustomForm* box = Screen->ActiveForm();
      if (!box || box->Caption() != u"Confirm") return false;
      if (++ticksShown < 5) return false;  // a few ticks for the X server to show it
      desk.Shoot();
      asked = HoldsCaption(box, u"Delete record?") && IsCaptionColour(desk.At(box, box->ClientWidth() / 2, -8));
      KeepCheckedScreen(StringToUtf8(String(u"confirm-") + answer));
      if (TButton* button = ButtonCaptioned(box, answer))
        SimulateClick(TSimButton::Left, button->ClientToScreen(POINT{10, 8}));
      return true;
    });
    SimulateKeyPress(VK_DELETE, kGroupedCtrl);
    desk.Settle();
    EXPECT_TRUE(asked) << StringToUtf8(answer);
  }
  EXPECT_EQ(CountPeople(whereKey.c_str()), 0);
  EXPECT_EQ(CountPeople(""), before - 1);

  // Closed and started again: "edu.ini" holds the grouping, and the list opens grouped.
  CloseProgramOnDesktop();
  const std::string ini = ReadFileText(folder.File("edu.ini"));
  EXPECT_NE(ini.find("GroupIndex=0"), std::string::npos) << ini;
  EXPECT_NE(ini.find("ShowSummaryFooter=1"), std::string::npos) << ini;
  EXPECT_NE(ini.find("ShowGroupPanel=0"), std::string::npos) << ini;
  StartProgramOnDesktop();
  desk.Settle();
  grid = MainForm->dxDBGrid1;
  EXPECT_EQ(grid->GroupCount(), 1);
  EXPECT_EQ(grid->GetGroupColumn(0), MainForm->dxDBGrid1SECNAME);
  ASSERT_GT(grid->GetAbsoluteCount(), 0);
  EXPECT_TRUE(grid->GetAbsoluteNode(0)->HasChildren());
  desk.Shoot();
  KeepCheckedScreen("restarted");
  CloseProgramOnDesktop();
  StopDisplay();
}

TEST(ProgramGroupedOnDesktop, GroupRowsSortingDeletionAndTheStoredGroupingThroughSimulatedInput) {
  if (OnVirtualDesktop()) return DriveTheGroupedList();
  if (!VirtualDesktopInstalled()) GTEST_SKIP() << "xvfb-run is not installed";
  RunTestOnVirtualDesktop();
}

}  // namespace
