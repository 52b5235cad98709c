// The import on a virtual X server, the program started as the user starts it on a demo database
// in its own folder, driven by simulated input: "Прием данных" from the menu, Ctrl+O opening the
// "Transfer" folder, a workbook's name typed: the staged rows and "Всего" in the window; then a zip
// package named .xls: its error, the staged rows kept. "Импортировать" with the matching dialogs
// answered, then the same workbook read and imported again. Checked on rows, the database and pixels.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/PeopleDlg.h"
#include "app/ReferenceDlg.h"
#include "app/TransferForm.h"
#include "app/tests/DesktopDriver.h"
#include "app/tests/TransferBook.h"
#include "platform/display/Display.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/rtl/DateFormat.h"

namespace {

// "Прием данных", the fourth item of the main menu.
void OpenTheImportWindow(TProgramOnDesktop& Desk) {
  Desk.Click(MainForm->ActionMainMenuBar1, POINT{0, 0});  // focus the window first
  const RECT item = MainForm->ActionMainMenuBar1->BarItemRect(3);
  SimulateClick(TSimButton::Left, POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2});
  Desk.Settle();
}

// The user's copy of the program with a demo database of ten people and the "Transfer" folder.
void WriteTransferProgramFolder(const TTempFolder& Folder) {
  WriteDemoProgramFolder(Folder, 10);
  ASSERT_TRUE(ForceDirectories(Folder.File("Transfer")));
}

void ReadKursy(TTransferForm*) {
  SimulateKeyPress('O', 2);
  SimulateText(u"kursy");
  SimulateKeyPress(VK_RETURN);
}

void DriveTheImport() {
  SDL_Window* window = nullptr;
  ASSERT_NO_FATAL_FAILURE(StartDesktopScreen(120, window));
  TTempFolder folder;
  ASSERT_NO_FATAL_FAILURE(WriteTransferProgramFolder(folder));
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
      ReadKursy,
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
  OpenTheImportWindow(desk);
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

// A new person with an institution, a kind and a sex the database knows under other names, and a
// card of the index written as the index holds it. The first import asks about each unknown name
// once; the second asks nothing and adds nothing.
void DriveTheImportOfStagedRows() {
  SDL_Window* window = nullptr;
  ASSERT_NO_FATAL_FAILURE(StartDesktopScreen(120, window));
  TTempFolder folder;
  ASSERT_NO_FATAL_FAILURE(WriteTransferProgramFolder(folder));
  const TProgramFolderScope inFolder(folder.Path());
  StartProgramOnDesktop();
  TProgramOnDesktop desk(window);
  desk.Settle();

  auto text = [](const std::string& column) {
    return DesktopText("select " + column + " from O_PEOPLE where O_PEOPLEID = 1");
  };
  const std::string birth = DesktopValue("select BIRTHDATE from O_PEOPLE where O_PEOPLEID = 1", [](TField* f) {
    return StringToUtf8(FormatDateTime(u"dd.mm.yyyy", f->AsDateTime()));
  });
  const std::string place = "Администрация Заречного района";
  TransferBook book;
  book.Sheet("Лист1", true).Text(0, 5, "Академия госслужбы");
  book.Row(4, {"Иванова", "Анна", "Петровна", "ж", "12.03.1985", "инженер", place, "курсы", "Право", "01.02.2025"});
  book.Row(5, {text("FSTNAME"), text("SECNAME"), text("LASTNAME"), "ж", birth, "", place, "курсы", "Бюджет",
               "15.06.2025"});
  book.Save(StringToUtf8(folder.File("Transfer/kursy.xls")));
  const int people = DesktopScalar("select count(*) from O_PEOPLE");
  const int records = DesktopScalar("select count(*) from O_EDU");

  std::vector<std::string> boxes;
  SetMessageBoxHook([&boxes](const String& Text, const String&, UINT) {
    boxes.push_back(StringToUtf8(Text));
    return IDOK;
  });
  std::vector<std::string> firstBoxes;
  bool rowsOnScreen = true, okWithSex = false;
  std::string sexShown;
  int highlighted = 0, surnameText = 0, storedAfterFirst = -1, storedAfterSecond = -1;
  int recordsAfterFirst = -1;
  auto pick = [&](TReferenceDlg* d, const char16_t* field, const char16_t* name) {
    rowsOnScreen = desk.ClickRowShowing(d->dxDBGrid1, field, name) && rowsOnScreen;
  };
  // The read hands the loop messages while it stages rows, with the window's actions off.
  const auto ReadDone = [](TTransferForm* w) { return !w->Reading(); };
  const auto PressImport = [&desk](TTransferForm* w) { desk.Press(w->ActionToolBar1->ItemButton(3)); };
  auto stored = [] { return DesktopScalar("select count(*) from BUFFER where NOTE = 'OK'"); };
  TWindowSteps steps;
  steps.Then<TTransferForm>(ReadKursy)
      .Then<TTransferForm>(PressImport, ReadDone)
      .Then<TCollageDlg>([&](TCollageDlg* d) { pick(d, u"NAME", u"Академия государственной службы"); })
      .Then<TCollageDlg>([&](TCollageDlg* d) { desk.Press(d->OKBtn); })
      .Then<TKatEduDlg>([&](TKatEduDlg* d) { pick(d, u"M_KATEDUNAME", u"повышение квалификации"); })
      .Then<TKatEduDlg>([&](TKatEduDlg* d) {
        desk.Shoot();
        RECT rows{};
        d->dxDBGrid1->GetRowsRect(rows);
        highlighted = desk.CountColour(d->dxDBGrid1, rows, GetSysColor(COLOR_HIGHLIGHT));
        KeepCheckedScreen("import-kind-picked");
        desk.Press(d->OKBtn);
      })
      .Then<TSexDlg>([&](TSexDlg* d) { pick(d, u"NAME", u"женский"); })
      .Then<TSexDlg>([&](TSexDlg* d) { desk.Press(d->OKBtn); })
      .Then<TPeopleDlg>([&](TPeopleDlg* d) {
        const RECT tab = d->PageControl1->TabRect(1);
        desk.Click(d->PageControl1, POINT{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2});
      })
      .Then<TPeopleDlg>([&](TPeopleDlg* d) {
        okWithSex = d->OKBtn->Enabled();
        sexShown = StringToUtf8(d->ComboBoxEx2->Text());
        desk.Shoot();
        TControl* surname = d->LabeledEdit1;
        surnameText = desk.CountColour(surname, RECT{0, 0, surname->Width(), surname->Height()}, RGB(0, 0, 0));
        KeepCheckedScreen("import-new-card");
        desk.Press(d->OKBtn);
      })
      .Then<TTransferForm>([&](TTransferForm*) {
        storedAfterFirst = stored();
        recordsAfterFirst = DesktopScalar("select count(*) from O_EDU");
        firstBoxes = std::move(boxes);
        boxes.clear();
        desk.Shoot();
        KeepCheckedScreen("import-stored");
      })
      .Then<TTransferForm>(ReadKursy)
      .Then<TTransferForm>(PressImport, ReadDone)
      .Then<TTransferForm>([&](TTransferForm* w) {
        storedAfterSecond = stored();
        w->Close();
      });
  steps.Arm();
  OpenTheImportWindow(desk);
  SetMessageBoxHook(nullptr);
  ASSERT_EQ(steps.Done(), 14u) << "the import stopped at a window it did not expect";
  EXPECT_TRUE(rowsOnScreen) << "each entry picked on the screen";
  EXPECT_GT(highlighted, 100) << "the picked kind highlighted";
  EXPECT_TRUE(okWithSex);
  EXPECT_EQ(sexShown, "женский");
  EXPECT_GT(surnameText, 20) << "the staged surname on the new card's page";
  const std::vector<std::string> asked = {
      "В списке зарегистрированных учебных заведений нет\n\r\"Академия госслужбы",
      "В списке зарегистрированных видов обучения нет\n\r\"курсы",
      "В списке известных полов нет\n\r\"ж\"",
      "В картотеке не зарегистрирован\n\rИВАНОВА АННА ПЕТРОВНА",
  };
  EXPECT_EQ(firstBoxes, asked);
  EXPECT_EQ(storedAfterFirst, 2);
  EXPECT_EQ(recordsAfterFirst, records + 2);
  EXPECT_EQ(DesktopText("select c.NAME from M_COLLAGESYNONYM s join M_COLLAGE c on c.M_COLLAGEID = s.M_COLLAGEID"),
            "Академия государственной службы");
  EXPECT_EQ(DesktopText("select M_KATEDUNAME from M_KATEDUSYNONYM s join M_KATEDU k on k.M_KATEDUID = s.M_KATEDUID "
                        "where s.NAME = 'курсы'"),
            "повышение квалификации");
  EXPECT_EQ(DesktopText("select NAME from M_SEX where M_SEXID = (select M_SEXID from M_SEXSYNONYM where NAME = 'ж')"),
            "женский");
  EXPECT_EQ(DesktopText("select M_SEXID || '|' || DOLGNAME from O_PEOPLE where FSTNAME = 'Иванова'"), "2|инженер");
  EXPECT_TRUE(boxes.empty()) << "the second import asked: " << boxes.front();
  EXPECT_EQ(storedAfterSecond, 2);
  EXPECT_EQ(DesktopScalar("select count(*) from O_PEOPLE"), people + 1) << "no card twice";
  EXPECT_EQ(DesktopScalar("select count(*) from O_EDU"), records + 2) << "no training record twice";
  EXPECT_EQ(DesktopScalar("select count(*) from O_PEOPLESYNONYM"), 1);
  CloseProgramOnDesktop();
  StopDisplay();
}

TEST(ProgramImportOnDesktop, ReadingAWorkbookChosenInTheTransferFolderThroughSimulatedInput) {
  if (OnVirtualDesktop()) return DriveTheImport();
  if (!VirtualDesktopInstalled()) GTEST_SKIP() << "xvfb-run is not installed";
  RunTestOnVirtualDesktop();
}

TEST(ProgramImportOnDesktop, ImportingAnsweringTheMatchingDialogsThenImportingTheSameWorkbookAgain) {
  if (OnVirtualDesktop()) return DriveTheImportOfStagedRows();
  if (!VirtualDesktopInstalled()) GTEST_SKIP() << "xvfb-run is not installed";
  RunTestOnVirtualDesktop();
}

}  // namespace
