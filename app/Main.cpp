#include "app/Main.h"

#include <memory>

#include "app/AppPaths.h"
#include "app/DataModule.h"
#include "app/PeopleListStandIn.h"
#include "platform/classes/IniFiles.h"
#include "platform/rtl/FileUtils.h"

TMainForm* MainForm = nullptr;

TRENVIK_PUBLISHED(TMainForm) {
  P.Field("StatusBar1", &TMainForm::StatusBar1);
  P.Field("StatusPanel0", &TMainForm::StatusPanel0);
  P.Field("StatusPanel1", &TMainForm::StatusPanel1);
  P.Field("StatusPanel2", &TMainForm::StatusPanel2);
  P.Field("dxDBGrid1", &TMainForm::dxDBGrid1);
  P.Field("Timer1", &TMainForm::Timer1);
  P.Field("ApplicationEvents1", &TMainForm::ApplicationEvents1);
  P.Method("FormCreate", &TMainForm::FormCreate);
  P.Method("FormShow", &TMainForm::FormShow);
  P.Method("Timer1Timer", &TMainForm::Timer1Timer);
  P.Method("ApplicationEvents1Hint", &TMainForm::ApplicationEvents1Hint);
}

Byte ReadRunMode(const String& Folder) {
  auto ini = std::make_unique<TIniFile>(IncludeTrailingPathDelimiter(Folder) + u"edu.ini");
  if (!ini->SectionExists(u"Application")) ini->WriteInteger(u"Application", u"Mode", 0);
  return static_cast<Byte>(ini->ReadInteger(u"Application", u"Mode", 0) & 0xFF);
}

TPanel* TMainForm::Panel(int Index) const {
  switch (Index) {
    case 0:
      return StatusPanel0;
    case 1:
      return StatusPanel1;
    case 2:
      return StatusPanel2;
    default:
      return nullptr;
  }
}

String TMainForm::StatusText(int Index) const {
  TPanel* p = Panel(Index);
  return p ? p->Caption() : String();
}

void TMainForm::SetStatusText(int Index, const String& Text) {
  if (TPanel* p = Panel(Index)) p->SetCaption(Text);
}

void TMainForm::FormCreate(TObject*) {
  RunMode = ReadRunMode(ProgramFolder());
  SetStatusText(0, RunMode == 0 ? u"центр" : u"периферия");
}

void TMainForm::FormShow(TObject*) {
  Repaint();
  Timer1->SetEnabled(true);
}

void TMainForm::Timer1Timer(TObject*) {
  Timer1->SetEnabled(false);
  TADODataSet* list = DataModule2->OPEOPLE_LIST;
  if (dxDBGrid1->DataSource() != DataModule2->OPEOPLE_LIST_DS)
    dxDBGrid1->SetDataSource(DataModule2->OPEOPLE_LIST_DS);
  list->Close();
  if (RunMode == 0)
    if (TParameter* p = list->Parameters()->FindParam(u"M_RAYON_DEPID")) p->SetValue(Variant(0));
  list->Open();
}

void TMainForm::ApplicationEvents1Hint(TObject*) { SetStatusText(2, Application->Hint()); }
