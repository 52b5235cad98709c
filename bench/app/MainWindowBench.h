// The main window over the demo database of a million people, made once for the app benches: read
// from its form with the data module on the headless screen, "edu.ini" and the data-link file in
// the working folder beside the database.
#pragma once

#include "app/AppPaths.h"
#include "app/DataModule.h"
#include "app/Main.h"
#include "bench/BenchPeople.h"
#include "platform/ado/DataLinkFile.h"
#include "platform/classes/FormResources.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/FileUtils.h"
#include "platform/win/Metrics.h"
#include "platform/win/Windows.h"

inline constexpr int kPeople = 1000000;

struct TMainWindow {
  TMainWindow() {
    SetScreenSize(1280, 1024);
    const String folder = IncludeTrailingPathDelimiter(GetCurrentDir());
    const String database = folder + BenchPeopleDatabase(kPeople);
    WriteDataLinkFile(folder + u"Trenvik.udl", u"Provider=SQLite;Data Source=" + database + u";User ID=bench");
    SetProgramFolder(folder);
    const String forms = Utf8ToString(TRENVIK_APP_RESOURCES);
    SetResourceDirectory(forms);
    SetResourceFolder(ExtractFilePath(forms));  // the header's sort arrows
    SetLoginDialogProc(nullptr);
    MainForm = NewForm<TMainForm>(nullptr);
    DataModule2 = new TDataModule2(nullptr);
    DataModule2->AfterConstruction();
    MainForm->Show();
    Application->ProcessMessages();
  }
  // The list as the start-up timer opens it.
  void OpenList() {
    MainForm->Timer1->OnTimer(MainForm->Timer1);
    Paint();
  }
  void EnsureOpen() {
    if (!DataModule2->OPEOPLE_LIST->Active() || MainForm->dxDBGrid1->GetAbsoluteCount() != kPeople) OpenList();
  }
  static void Paint() { UpdateWindow(MainForm->dxDBGrid1->Handle()); }
};

inline TMainWindow& Window() {
  static TMainWindow window;
  return window;
}
