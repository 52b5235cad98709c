// The program on a virtual X server, started as the program starts itself on a demo database in its
// own folder, driven by simulated input: the surname search, two header clicks, hiding and showing
// a column through the pop-up menu's dialog, deleting a card through the confirmation box, a
// refresh, closing (no -wal/-shm left) and starting again on the stored sort. Each step is checked
// on the grid's rows and on the pixels the X server shows.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <vector>

#include "app/AppPaths.h"
#include "app/DataModule.h"
#include "app/Main.h"
#include "app/ProgramMain.h"
#include "app/SetColumnsVisible.h"
#include "app/tests/DesktopDriver.h"
#include "app/tests/PeopleGridProbe.h"
#include "platform/ado/testing/TempFolder.h"
#include "platform/classes/FormResources.h"
#include "platform/display/Display.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/display/testing/DesktopPixels.h"
#include "platform/display/testing/VirtualDesktop.h"
#include "platform/forms/MenuLoop.h"
#include "platform/gdi/Surface.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Metrics.h"
#include "platform/win/Paint.h"
#include "platform/win/SysColors.h"
#include "platform/win/Timers.h"
#include "platform/win/Windows.h"

namespace {

std::string FieldText(const char16_t* Field) {
  return StringToUtf8(DataModule2->OPEOPLE_LIST->FieldByName(Field)->AsString());
}

void DriveTheProgram() {
  SDL_Window* window = nullptr;
  ASSERT_NO_FATAL_FAILURE(StartDesktopScreen(180, window));
  TTempFolder folder;
  WriteDemoProgramFolder(folder, 60);
  const TProgramFolderScope inFolder(folder.Path());
  // The connection asks for the password of the data-link file's user: Enter accepts it.
  bool loginAsked = false;
  WhenModal([&] {
    TCustomForm* login = Screen->ActiveForm();
    if (!login || !ButtonCaptioned(login, u"OK") || !ButtonCaptioned(login, u"Cancel")) return false;
    loginAsked = true;
    SimulateKeyPress(VK_RETURN);
    return true;
  });
  CreateProgramWindows();
  EXPECT_TRUE(loginAsked);
  MainForm->Show();
  TProgramOnDesktop desk(window);
  TdxDBGrid* grid = MainForm->dxDBGrid1;
  TADODataSet* list = DataModule2->OPEOPLE_LIST;
  desk.Settle();
  ASSERT_TRUE(list->Active()) << "the start-up timer opened the list";
  ASSERT_EQ(grid->GetAbsoluteCount(), 60);
  desk.Shoot();
  EXPECT_GT(
      desk.CountColour(grid, RECT{0, desk.RowRect(0).bottom, grid->ClientWidth(), grid->ClientHeight() - 40},
                       RGB(211, 223, 226)),
      10000)
      << "the list's own background";
  EXPECT_GT(desk.HighlightIn(0), 200) << "the first row is current";
  KeepCheckedScreen("started");

  // The surname search: a prefix of the 40th surname, typed in other case, and Enter.
  list->First();
  list->MoveBy(39);
  const String surname = list->FieldByName(u"FSTNAME")->AsString();
  list->First();
  desk.Settle();
  TEdit* search = MainForm->Edit1;
  desk.Click(search, POINT{20, 8});
  desk.Settle();
  SimulateText(AnsiLowerCase(surname.substr(0, 4)));
  SimulateKeyPress(VK_RETURN);
  desk.Settle();
  const int found = grid->GetFocusedAbsoluteIndex();
  EXPECT_GT(found, 0) << "the row moved";
  EXPECT_TRUE(AnsiStartsText(surname.substr(0, 4), Utf8ToString(FocusedCell(MainForm->dxDBGrid1FSTNAME))));
  desk.Shoot();
  const RECT box{2, 2, search->ClientWidth() - 2, search->ClientHeight() - 2};
  EXPECT_GT(
      desk.Count(search, box,
                 [](COLORREF c) { return GetGValue(c) > 200 && GetRValue(c) < 120 && GetBValue(c) < 120; }),
      15)
      << "the box's text turned lime";
  EXPECT_GT(desk.HighlightIn(found), 200);
  EXPECT_EQ(desk.HighlightIn(0), 0);
  KeepCheckedScreen("found");
  SimulateText(u"щщ");
  SimulateKeyPress(VK_RETURN);
  desk.Settle();
  EXPECT_EQ(grid->GetFocusedAbsoluteIndex(), found) << "a miss leaves the row";
  desk.Shoot();
  EXPECT_GT(
      desk.Count(search, box,
                 [](COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) < 120 && GetBValue(c) < 120; }),
      15)
      << "the box's text turned red";
  EXPECT_EQ(
      desk.Count(search, box,
                 [](COLORREF c) { return GetGValue(c) > 200 && GetRValue(c) < 120 && GetBValue(c) < 120; }),
      0);
  KeepCheckedScreen("not-found");

  // Two clicks on the first-name header: ascending, then descending.
  TdxTreeListColumn* names = MainForm->dxDBGrid1SECNAME;
  const POINT header = HeaderPoint(names);
  ASSERT_GE(header.x, 0);
  RECT headerCell{header.x - 60, header.y - 4, header.x + 160, header.y + 4};
  desk.Shoot();
  const auto unsortedHeader = desk.Pixels(grid, headerCell);
  const int captionBlack = desk.CountColour(grid, HeaderLeftHalf(names), RGB(0, 0, 0));
  const std::string unsortedRows = GridColumn(names);
  std::vector<COLORREF> headers[2];
  for (int click = 0; click < 2; ++click) {
    // A little apart, so that the second press is no double click.
    desk.Click(grid, POINT{header.x + click * 30, header.y});
    desk.Settle();
    EXPECT_TRUE(Ordered(names, click == 0 ? 1 : -1)) << GridColumn(names);
    desk.Shoot();
    headers[click] = desk.Pixels(grid, headerCell);
    EXPECT_EQ(desk.CountColour(grid, HeaderLeftHalf(names), RGB(0, 0, 0)) - captionBlack, 16)
        << "the whole arrow, " << (click == 0 ? "ascending" : "descending");
    KeepCheckedScreen(click == 0 ? "ascending" : "descending");
  }
  EXPECT_NE(GridColumn(names), unsortedRows);
  EXPECT_GT(TProgramOnDesktop::Differing(headers[0], unsortedHeader), 5) << "the header shows the sort";
  EXPECT_GT(TProgramOnDesktop::Differing(headers[1], headers[0]), 5);

  // The patronymic hidden and shown again through the pop-up menu's dialog.
  auto chooseColumns = [&](int Item) {
    // The pop-up menu's only item by keyboard, then the item's tick and OK in the dialog.
    std::function<bool()> inDialog = [Item] {
      auto* dialog = dynamic_cast<TSetColumnsVisibleDlg*>(Screen->ActiveForm());
      if (!dialog || !dialog->Visible()) return false;
      const RECT r = dialog->CheckListBox1->ItemRect(Item);
      SimulateClick(TSimButton::Left,
                    dialog->CheckListBox1->ClientToScreen(POINT{r.left + 6, (r.top + r.bottom) / 2}));
      SimulateClick(TSimButton::Left, dialog->OKBtn->ClientToScreen(POINT{20, 10}));
      return true;
    };
    WhenModal([inDialog] {
      if (!MenuLoopActive()) return false;
      KeepCheckedScreen("menu");
      SimulateKeyPress(VK_DOWN);
      SimulateKeyPress(VK_RETURN);
      g_modalStep = inDialog;
      return false;
    });
    // On the current row, which the right button also makes current.
    desk.Click(grid, POINT{200, desk.RowRect(grid->GetFocusedAbsoluteIndex()).top + 5}, TSimButton::Right);
    desk.Settle();
  };
  const RECT rows{0, 0, grid->ClientWidth(), desk.RowRect(10).bottom};
  desk.Shoot();
  const auto threeColumns = desk.Pixels(grid, rows);
  chooseColumns(3);
  EXPECT_FALSE(MainForm->dxDBGrid1LASTNAME->Visible());
  EXPECT_EQ(grid->GetVisibleColumnCount(), 2);
  desk.Shoot();
  EXPECT_GT(TProgramOnDesktop::Differing(desk.Pixels(grid, rows), threeColumns), 1000);
  KeepCheckedScreen("patronymic-hidden");
  chooseColumns(3);
  EXPECT_TRUE(MainForm->dxDBGrid1LASTNAME->Visible());
  desk.Shoot();
  EXPECT_EQ(TProgramOnDesktop::Differing(desk.Pixels(grid, rows), threeColumns), 0)
      << "shown again, the list looks as before";
  KeepCheckedScreen("patronymic-shown");

  // Deleting the current card: the question box, answered Yes.
  const std::string doomed = FieldText(u"O_PEOPLEID");
  bool asked = false;
  int ticksShown = 0;
  WhenModal([&] {
    TCustomForm* box = Screen->ActiveForm();
    if (!box || box->Caption() != u"Вопрос") return false;
    if (++ticksShown < 5) return false;  // a few ticks for the X server to show it
    desk.Shoot();
    asked = IsCaptionColour(desk.At(box, box->ClientWidth() / 2, -8));
    KeepCheckedScreen("delete-question");
    TButton* yes = ButtonCaptioned(box, u"&Yes");
    if (yes) SimulateClick(TSimButton::Left, yes->ClientToScreen(POINT{10, 8}));
    return true;
  });
  TToolButton* del = MainForm->ActionToolBar3->ItemButton(1);
  desk.Click(del, POINT{10, 10});
  desk.Settle();
  EXPECT_TRUE(asked) << "the question was on the screen";
  EXPECT_EQ(grid->GetAbsoluteCount(), 59);
  EXPECT_EQ(GridColumn(MainForm->dxDBGrid1O_PEOPLEID).find("," + doomed + ","), std::string::npos);
  desk.Shoot();
  KeepCheckedScreen("deleted");

  // Refresh: the list read again in the statement's order, on its first row.
  TToolButton* refresh = MainForm->ActionToolBar1->ItemButton(5);
  desk.Click(refresh, POINT{10, 10});
  desk.Settle();
  EXPECT_EQ(grid->GetFocusedAbsoluteIndex(), 0);
  EXPECT_EQ(list->RecNo(), 1);
  EXPECT_EQ(StringToUtf8(MainForm->StatusText(1)), "Всего записей - 59");
  desk.Shoot();
  EXPECT_GT(desk.HighlightIn(0), 200);
  KeepCheckedScreen("refreshed");

  // Closing: the program closes its data after the loop; the layout goes to "edu.ini".
  CloseProgramData();
  EXPECT_TRUE(FileExists(folder.File("edu.db")));
  EXPECT_FALSE(FileExists(folder.File("edu.db-wal"))) << "the log is folded back into the database";
  EXPECT_FALSE(FileExists(folder.File("edu.db-shm")));
  delete DataModule2;
  DataModule2 = nullptr;
  delete MainForm;
  MainForm = nullptr;
  Application->ProcessMessages();

  // Started again: the stored descending sort is the list's, on its rows and in its header.
  StartProgramOnDesktop();
  desk.Settle();
  names = MainForm->dxDBGrid1SECNAME;
  ASSERT_TRUE(DataModule2->OPEOPLE_LIST->Active());
  EXPECT_EQ(names->Sorted(), csDown);
  EXPECT_TRUE(Ordered(names, -1)) << GridColumn(names);
  desk.Shoot();
  EXPECT_EQ(desk.CountColour(MainForm->dxDBGrid1, HeaderLeftHalf(names), RGB(0, 0, 0)) - captionBlack, 16)
      << "the descending arrow";
  KeepCheckedScreen("restarted");
  CloseProgramOnDesktop();
  StopDisplay();
}

TEST(ProgramOnDesktop, SearchSortColumnsDeleteAndRefreshThroughSimulatedInput) {
  if (OnVirtualDesktop()) return DriveTheProgram();
  if (!VirtualDesktopInstalled()) GTEST_SKIP() << "xvfb-run is not installed";
  RunTestOnVirtualDesktop();
}

}  // namespace
