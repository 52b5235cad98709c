// The main window: the run mode read from "edu.ini", the people list and the status bar.
#pragma once

#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Timers.h"

class TPeopleListStandIn;

class TMainForm : public TForm {
  TRENVIK_CLASS(TMainForm, TForm);

 public:
  explicit TMainForm(TComponent* AOwner) : TForm(AOwner) {}

  // The low 8 bits of [Application] Mode of "edu.ini": 0 centre, anything else periphery; exactly 1
  // also marks new rows with a record status.
  Byte RunMode = 0;

  // The status bar stands as three panels until the status bar control exists: 0 the mode (150
  // pixels), 1 the record count (150), 2 the current hint (50).
  TPanel* StatusBar1 = nullptr;
  TPanel* StatusPanel0 = nullptr;
  TPanel* StatusPanel1 = nullptr;
  TPanel* StatusPanel2 = nullptr;
  TPeopleListStandIn* dxDBGrid1 = nullptr;
  TTimer* Timer1 = nullptr;
  TApplicationEvents* ApplicationEvents1 = nullptr;

  String StatusText(int Panel) const;
  void SetStatusText(int Panel, const String& Text);

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void Timer1Timer(TObject* Sender);
  void ApplicationEvents1Hint(TObject* Sender);

 private:
  TPanel* Panel(int Index) const;
};

extern TMainForm* MainForm;

// The mode as "edu.ini" in Folder holds it; writes [Application] Mode=0 when the section is missing.
Byte ReadRunMode(const String& Folder);
