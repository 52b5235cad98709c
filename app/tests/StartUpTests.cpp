// Start-up: the run mode from "edu.ini", the first showing's timer that opens the people list,
// the status bar, and the whole program start with its connection failure ending the run.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/ProgramMain.h"
#include "app/tests/AppTestSupport.h"
#include "platform/display/Display.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/win/Windows.h"

namespace {

class StartUpTest : public AppTest {};

TEST_F(StartUpTest, RunModeIsTheLowByteOfMode) {
  struct Case {
    const char* Ini;  // nullptr: no file
    Byte Mode;
    const char* Panel;
    const char* IniAfter;  // nullptr: unchanged
  };
  const Case cases[] = {
      {nullptr, 0, "центр", "[Application]\r\nMode=0\r\n"},
      {"[Other]\r\nX=1\r\n", 0, "центр", "[Other]\r\nX=1\r\n\r\n[Application]\r\nMode=0\r\n"},
      {"[Application]\nMode=0\n", 0, "центр", nullptr},
      {"[Application]\nMode=1\n", 1, "периферия", nullptr},
      {"[Application]\nMode=2\n", 2, "периферия", nullptr},
      {"[Application]\nMode=256\n", 0, "центр", nullptr},
      {"[Application]\nMode=257\n", 1, "периферия", nullptr},
      {"[Application]\nMode=-1\n", 255, "периферия", nullptr},
      {"[Application]\nMode=abc\n", 0, "центр", nullptr},
      // The section without the key reads 0 and is not rewritten.
      {"[Application]\nOther=5\n", 0, "центр", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Ini ? c.Ini : "no file");
    std::remove(StringToUtf8(folder.File("edu.ini")).c_str());
    if (c.Ini) WriteIni(c.Ini);
    auto* form = NewForm<TMainForm>(nullptr);
    EXPECT_EQ(form->RunMode, c.Mode);
    EXPECT_EQ(Text(form->StatusText(0)), c.Panel);
    EXPECT_EQ(ReadIni(), c.IniAfter ? c.IniAfter : c.Ini);
    delete form;
  }
}

TEST_F(StartUpTest, TheFirstShowingOpensTheListAfterOneHundredMilliseconds) {
  MakeDatabase(25);
  CreateWindows();
  TADODataSet* list = DataModule2->OPEOPLE_LIST;
  EXPECT_EQ(Text(MainForm->Caption()), "Trenvik");
  EXPECT_EQ(MainForm->WindowState(), wsMaximized);
  EXPECT_FALSE(MainForm->Timer1->Enabled());
  MainForm->Show();
  Pump();
  EXPECT_TRUE(MainForm->Timer1->Enabled());
  clock->Advance(99);
  Pump();
  EXPECT_FALSE(list->Active());
  clock->Advance(1);
  Pump();
  ASSERT_TRUE(list->Active());
  EXPECT_FALSE(MainForm->Timer1->Enabled());  // once per showing
  EXPECT_EQ(Text(MainForm->StatusText(1)), "Всего записей - 25");
  // The grid holds every row of the list, the first one focused.
  Pump();
  ASSERT_EQ(MainForm->dxDBGrid1->GetAbsoluteCount(), 25);
  list->First();
  EXPECT_EQ(GridCell(0, MainForm->dxDBGrid1FSTNAME), Text(list->FieldByName(u"FSTNAME")->AsString()));
  EXPECT_EQ(GridCell(0, MainForm->dxDBGrid1LASTNAME), Text(list->FieldByName(u"LASTNAME")->AsString()));
  EXPECT_EQ(MainForm->dxDBGrid1->GetFocusedAbsoluteIndex(), 0);
  // Another tick opens nothing again.
  list->Close();
  clock->Advance(500);
  Pump();
  EXPECT_FALSE(list->Active());
  // The application's hint goes to the last panel.
  Application->SetHint(u"Удалить запись");
  EXPECT_EQ(Text(MainForm->StatusText(2)), "Удалить запись");
}

TEST_F(StartUpTest, PeripheryModeOpensTheListThroughTheStoredStringAndItsFailureReachesTheDefaultBox) {
  MakeDatabase(5);
  WriteIni("[Application]\r\nMode=2\r\n");
  CreateWindows();
  EXPECT_EQ(Text(MainForm->StatusText(0)), "периферия");
  EXPECT_FALSE(DataModule2->ADOConnection1->Connected());
  EXPECT_TRUE(boxes.empty());  // nothing was tried at creation
  MainForm->Show();
  Pump();
  clock->Advance(100);
  Pump();
  // The stored data-link file of this installation is missing: the framework's box tells it.
  EXPECT_FALSE(DataModule2->OPEOPLE_LIST->Active());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].Caption, "Отмена операции");  // the framework's box, not the program's own
  EXPECT_NE(boxes[0].Text.find("Trenvik.udl"), std::string::npos) << boxes[0].Text;
  EXPECT_EQ(Text(MainForm->StatusText(1)), "");
  EXPECT_FALSE(Application->Terminated());
}

// The whole start in a child process, since the run ends the application for good; the child's
// exit code says which check failed.
int RunProgram(const std::function<int()>& Check) {
  ProgramMain();
  return Check();
}

TEST_F(StartUpTest, ProgramStartsConnectsAndFillsTheList) {
  MakeDatabase(12);
  EXPECT_EXIT(
      {
        SetLoginDialogProc(nullptr);
        // The program installs the framework's login dialog; answer it as a user would.
        Application->OnIdle = [this](TObject*, bool& Done) {
          Done = false;
          if (Screen->ActiveForm() && Screen->ActiveForm() != MainForm) {
            SimulateKeyPress(VK_RETURN);
            return;
          }
          clock->Advance(20);
          if (MainForm && !MainForm->StatusText(1).empty()) {
            UpdateWindow(MainForm->Handle());
            KeepCheckedScreen();
            PostMessage(MainForm->Handle(), WM_CLOSE, 0, 0);
          }
        };
        std::_Exit(RunProgram([this] {
          if (Text(Application->Title()) != "Trenvik") return 2;
          if (!DataModule2 || Text(DataModule2->UserName) != "tester") return 3;
          if (Text(MainForm->StatusText(0)) != "центр") return 4;
          if (Text(MainForm->StatusText(1)) != "Всего записей - 12") return 5;
          if (!boxes.empty()) return 6;
          return 0;
        }));
      },
      ::testing::ExitedWithCode(0), "");
}

struct FailureCase {
  const char* Name;
  bool MakeDatabase;
  const char* Link;  // nullptr: no data-link file
  bool CancelLogin;
};

TEST_F(StartUpTest, ConnectionFailureInCentreModeShowsTheMessageAndEndsTheRun) {
  const FailureCase cases[] = {
      {"no data-link file", false, nullptr, false},
      {"login cancelled", true, "Provider=SQLite;Data Source=edu.db;User ID=tester", true},
      {"no database", false, "Provider=SQLite;Data Source=/nonexistent/dir/edu.db;User ID=tester", false},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.Name);
    if (c.MakeDatabase)
      MakeDatabase(3, c.Link);
    else if (c.Link)
      WriteDataLinkFile(folder.File("Trenvik.udl"), Utf8ToString(c.Link));
    EXPECT_EXIT(
        {
          SetLoginDialogProc([&](const String&, String&, String&) { return !c.CancelLogin; });
          CreateWindows();
          const bool connected = DataModule2->ADOConnection1->Connected();
          Pump();  // the loop's first turn ends the run
          if (connected) std::_Exit(1);
          if (boxes.size() != 1) std::_Exit(2);
          if (boxes[0].Text != "Ошибка подключения к базе данных") std::_Exit(3);
          if (boxes[0].Caption != "Отмена операции") std::_Exit(4);
          if ((boxes[0].Type & MB_ICONMASK) != MB_ICONERROR) std::_Exit(5);
          if (ProgramExitCode() == 0) std::_Exit(7);  // the program must not end as a success
          std::_Exit(Application->Terminated() ? 0 : 6);
        },
        ::testing::ExitedWithCode(0), "trenvik: cannot connect to the database: .+");
    std::remove(StringToUtf8(folder.File("Trenvik.udl")).c_str());
    std::remove(StringToUtf8(folder.File("edu.db")).c_str());
  }
}

TEST_F(StartUpTest, CancellingTheProgramsLoginDialogEndsTheProgram) {
  MakeDatabase(3);
  EXPECT_EXIT(
      {
        Application->OnIdle = [this](TObject*, bool& Done) {
          Done = false;
          if (Screen->ActiveForm() && Screen->ActiveForm() != MainForm) SimulateKeyPress(VK_ESCAPE);
          // A run that did not end by itself is stopped after a while.
          clock->Advance(20);
          if (clock->TickCount() > 60000) std::_Exit(9);
        };
        std::_Exit(RunProgram([this] {
          if (boxes.size() != 1 || boxes[0].Text != "Ошибка подключения к базе данных") return 2;
          if (!Application->Terminated()) return 3;
          // The list was never opened.
          return DataModule2->OPEOPLE_LIST->Active() ? 4 : 0;
        }));
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace

TEST_F(StartUpTest, AWritePastTheFileSizeLimitIsAnErrorNotAKill) {
  const std::string file = StringToUtf8(folder.File("big.bin"));
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    ReportWritesPastFileSizeLimit();
    int code = 2;  // the write went through: the limit did not hold
    try {
      TFileStream out(Utf8ToString(file), fmCreate);
      const std::vector<char> block(16384, 'x');
      out.WriteBuffer(block.data(), static_cast<Int64>(block.size()));
    } catch (const EWriteError&) {
      code = 0;
    }
    _exit(code);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
  EXPECT_EQ(WEXITSTATUS(status), 0);
}
