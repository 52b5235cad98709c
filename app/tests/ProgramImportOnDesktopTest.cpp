// The import on a virtual X server, the program started as the user starts it on a demo database
// in its own folder, driven by simulated input: "Прием данных" from the menu, Ctrl+O opening the
// "Transfer" folder, a workbook's name typed: the staged rows and "Всего" in the window; then a zip
// package named .xls: its error, the staged rows kept. Checked on rows, the database and pixels.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/TransferForm.h"
#include "app/tests/DesktopDriver.h"
#include "app/tests/TransferBook.h"
#include "platform/display/Display.h"
#include "platform/display/testing/CheckedScreens.h"

namespace {

void DriveTheImport() {
  SDL_Window* window = nullptr;
  ASSERT_NO_FATAL_FAILURE(StartDesktopScreen(120, window));
  TTempFolder folder;
  WriteDemoProgramFolder(folder, 10);
  ASSERT_TRUE(ForceDirectories(folder.File("Transfer")));
  TransferBook book;
  book.Sheet("Лист1", true).Text(0, 5, "Академия госслужбы");
  book.Row(4, {"Иванова", "Анна", "Петровна", "ж", "", "инженер", "", "курсы", "Право", "01.02.2025"});
  book.Row(5, {"Петров", "Иван", "", "м"});
  book.Row(6, {"Сидоров", "Олег"});
  book.Save(StringToUtf8(folder.File("Transfer/kursy.xls")));
  {
    FILE* f = std::fopen(StringToUtf8(folder.File("Transfer/new.xls")).c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("PK\x03\x04 a zip package, not a compound file", f);
    std::fclose(f);
  }
  const TProgramFolderScope inFolder(folder.Path());
  StartProgramOnDesktop();
  TProgramOnDesktop desk(window);
  desk.Settle();

  std::vector<std::string> boxes;
  int stagedShown = -1, stagedAfterZip = -1;
  std::string total;
  int gridText = 0, institutionText = 0;
  TModalSteps<TTransferForm> steps({
      [](TTransferForm*) {
        SimulateKeyPress('O', 2);
        SimulateText(u"kursy");
        SimulateKeyPress(VK_RETURN);
      },
      [&](TTransferForm* w) {
        stagedShown = w->BufferListDBGrid->GetAbsoluteCount();
        total = StringToUtf8(w->LabeledEdit1->EditLabel()->Caption()) + " " + StringToUtf8(w->LabeledEdit1->Text());
        desk.Shoot();
        const auto dark = [&desk](TControl* C) {
          return desk.CountColour(C, RECT{0, 0, C->Width(), C->Height()}, RGB(0, 0, 0));
        };
        RECT rows{};
        w->BufferListDBGrid->GetRowsRect(rows);
        gridText = desk.CountColour(w->BufferListDBGrid, rows, RGB(0, 0, 0));
        institutionText = dark(w->Label1);
        KeepCheckedScreen("import-staged");
        SetMessageBoxHook([&boxes](const String& Text, const String&, UINT) {
          boxes.push_back(StringToUtf8(Text));
          return IDOK;
        });
        SimulateKeyPress('O', 2);
        SimulateText(u"new");
        SimulateKeyPress(VK_RETURN);
      },
      [&](TTransferForm* w) {
        SetMessageBoxHook(nullptr);
        stagedAfterZip = DesktopScalar("select count(*) from BUFFER");
        w->Close();
      },
  });
  steps.Arm();
  desk.Click(MainForm->ActionMainMenuBar1, POINT{0, 0});  // focus the window first
  const RECT item = MainForm->ActionMainMenuBar1->BarItemRect(3);
  SimulateClick(TSimButton::Left, POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2});
  desk.Settle();
  EXPECT_EQ(stagedShown, 3);
  EXPECT_EQ(total, "Всего 3");
  EXPECT_GT(gridText, 100) << "the staged rows on the screen";
  EXPECT_GT(institutionText, 50) << "the institution on the screen";
  EXPECT_EQ(stagedAfterZip, 3) << "the staged rows kept";
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("new.xls"), std::string::npos) << boxes[0];
  EXPECT_NE(boxes[0].find("zip"), std::string::npos) << boxes[0];
  CloseProgramOnDesktop();
  StopDisplay();
}

TEST(ProgramImportOnDesktop, ReadingAWorkbookChosenInTheTransferFolderThroughSimulatedInput) {
  if (OnVirtualDesktop()) return DriveTheImport();
  if (!VirtualDesktopInstalled()) GTEST_SKIP() << "xvfb-run is not installed";
  RunTestOnVirtualDesktop();
}

}  // namespace
