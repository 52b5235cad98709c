// The program's tests: a demo database and "edu.ini" in a folder of their own standing for the
// program's folder, the form resources of the source tree, a virtual clock, and message boxes
// answered by a hook that records them.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/AppPaths.h"
#include "app/DataModule.h"
#include "app/Main.h"
#include "app/tests/PeopleGridProbe.h"
#include "db/DemoData.h"
#include "db/Schema.h"
#include "platform/ado/DbDriver.h"
#include "platform/ado/testing/PgTestServer.h"
#include "platform/ado/DataLinkFile.h"
#include "platform/ado/testing/TempFolder.h"
#include "platform/classes/FormResources.h"
#include "platform/data/DB.h"
#include "platform/forms/Forms.h"
#include "platform/forms/testing/IdleStep.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/String.h"
#include "platform/win/Backend.h"
#include "platform/win/Metrics.h"
#include "platform/win/Windows.h"

struct TShownBox {
  std::string Text;
  std::string Caption;
  UINT Type;
};

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetScreenSize(1024, 768);
    SetResourceDirectory(Utf8ToString(TRENVIK_APP_RESOURCES));
    SetProgramFolder(folder.Path());
    // The list's layout file is named without a folder: it lands in the current one.
    savedFolder = GetCurrentDir();
    SetCurrentDir(folder.Path());
    SetMessageBoxHook([this](const String& Text, const String& Caption, UINT Type) {
      boxes.push_back({StringToUtf8(Text), StringToUtf8(Caption), Type});
      return IDOK;
    });
    SetLoginDialogProc(nullptr);
  }
  void TearDown() override {
    SetMessagePumpHook(nullptr);
    delete DataModule2;
    DataModule2 = nullptr;
    delete MainForm;
    MainForm = nullptr;
    Application->ProcessMessages();
    SetMessageBoxHook(nullptr);
    SetLoginDialogProc(nullptr);
    SetProgramFolder(String());
    SetResourceDirectory(String());
    SetCurrentDir(savedFolder);
  }

  // The demo database and a data-link file naming it, with the login "tester".
  void MakeDatabase(int People = 40, const char* Link = "Provider=SQLite;Data Source=edu.db;User ID=tester") {
    TDemoDataOptions options;
    options.People = People;
    CreateDemoDatabase(folder.File("edu.db"), options);
    WriteDataLinkFile(folder.File("Trenvik.udl"), Utf8ToString(Link));
  }
  void WriteIni(const char* Text) {
    FILE* f = std::fopen(StringToUtf8(folder.File("edu.ini")).c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs(Text, f);
    std::fclose(f);
  }
  std::string ReadIni() {
    FILE* f = std::fopen(StringToUtf8(folder.File("edu.ini")).c_str(), "rb");
    if (!f) return "<none>";
    std::string s;
    char buf[256];
    while (size_t n = std::fread(buf, 1, sizeof buf, f)) s.append(buf, n);
    std::fclose(f);
    return s;
  }
  // The main window read from its resource, then the data module, as the program makes them.
  void CreateWindows() {
    MainForm = NewForm<TMainForm>(nullptr);
    DataModule2 = new TDataModule2(nullptr);
    DataModule2->AfterConstruction();
  }
  // The windows made on a demo database of People, the main window shown and the list opened by the
  // start-up timer.
  void StartShowingList(int People) {
    MakeDatabase(People);
    StartOnDatabase();
  }
  // The windows on a demo database of People on the tests' own PostgreSQL server; the test is
  // skipped without one.
  void StartOnPostgres(int People) {
    TPgTestServer* server = nullptr;
    TRENVIK_PG_SERVER_OR_SKIP(server);
    const TDbConnectParams params = server->NewDatabase();
    {
      auto db = CreateDbDriver(u"PostgreSQL")->Connect(params);
      CreateDatabase(*db);
      TDemoDataOptions options;
      options.People = People;
      GenerateDemoData(*db, options);
    }
    WriteDataLinkFile(folder.File("Trenvik.udl"), server->ConnectionString(params));
    StartOnDatabase();
  }
  // The same on the database the data-link file already names.
  void StartOnDatabase() {
    CreateWindows();
    MainForm->Show();
    Pump();
    clock->Advance(100);
    RunUntilIdle();
  }
  // One value of the database.
  std::string Scalar(const char* Sql) {
    TADOQuery q(nullptr);
    q.SetConnection(DataModule2->ADOConnection1);
    q.SQL()->SetText(Utf8ToString(Sql));
    q.Open();
    return q.Eof() ? "none" : StringToUtf8(q.Fields()->Fields(0)->AsString());
  }
  // A statement without result.
  void Exec(const std::string& Sql) {
    TADOQuery q(nullptr);
    q.SetConnection(DataModule2->ADOConnection1);
    q.SQL()->SetText(Utf8ToString(Sql));
    q.ExecSQL();
  }
  static void Pump() { Application->ProcessMessages(); }
  // Runs Script once, when a modal loop pumps with a dialog of class T active.
  template <class T>
  void WhenModal(std::function<void(T*)> Script) {
    SetMessagePumpHook([this, Script] {
      clock->Advance(5);
      auto* dialog = dynamic_cast<T*>(Screen->ActiveForm());
      if (!dialog || !dialog->Visible()) return;
      auto script = Script;  // clearing the hook frees this closure
      SetMessagePumpHook(nullptr);
      script(dialog);
      // A script that stopped on a failed assertion leaves the dialog open: never hang on it.
      if (HasFatalFailure()) dialog->Close();
      // The loop may be waiting for a message: a close by code alone would not wake it.
      PostMessage(dialog->Handle(), WM_NULL, 0, 0);
    });
  }
  // A click on Control at (X, Y) of its client area.
  void ClickAt(TControl* Control, int X, int Y) {
    clock->Advance(1000);
    SimulateClick(TSimButton::Left, Control->ClientToScreen(POINT{X, Y}));
  }
  static std::string Text(const String& s) { return StringToUtf8(s); }

  VirtualClockScope clock{EncodeDate(2026, 12, 10)};
  TTempFolder folder;
  std::vector<TShownBox> boxes;
  String savedFolder;
};
