#include "app/Main.h"

#include <memory>

#include "app/AppPaths.h"
#include "app/DataModule.h"
#include "app/MainGlyphs.h"
#include "platform/classes/FormResources.h"
#include "platform/classes/IniFiles.h"
#include "platform/rtl/FileUtils.h"
#include "platform/win/Windows.h"

TMainForm* MainForm = nullptr;

TRENVIK_PUBLISHED(TMainForm) {
  P.Field("ActionMainMenuBar1", &TMainForm::ActionMainMenuBar1);
  P.Field("CoolBar1", &TMainForm::CoolBar1);
  P.Field("ToolBar1", &TMainForm::ToolBar1);
  P.Field("Edit1", &TMainForm::Edit1);
  P.Field("Animate1", &TMainForm::Animate1);
  P.Field("ToolButton1", &TMainForm::ToolButton1);
  P.Field("ToolButton2", &TMainForm::ToolButton2);
  P.Field("ToolButton3", &TMainForm::ToolButton3);
  P.Field("ToolButton4", &TMainForm::ToolButton4);
  P.Field("Panel1", &TMainForm::Panel1);
  P.Field("ActionToolBar1", &TMainForm::ActionToolBar1);
  P.Field("ActionToolBar3", &TMainForm::ActionToolBar3);
  P.Field("StatusBar1", &TMainForm::StatusBar1);
  P.Field("dxDBGrid1", &TMainForm::dxDBGrid1);
  P.Field("dxDBGrid1O_PEOPLEID", &TMainForm::dxDBGrid1O_PEOPLEID);
  P.Field("dxDBGrid1FSTNAME", &TMainForm::dxDBGrid1FSTNAME);
  P.Field("dxDBGrid1SECNAME", &TMainForm::dxDBGrid1SECNAME);
  P.Field("dxDBGrid1LASTNAME", &TMainForm::dxDBGrid1LASTNAME);
  P.Field("dxDBGrid1BIRTHDATE", &TMainForm::dxDBGrid1BIRTHDATE);
  P.Field("Timer1", &TMainForm::Timer1);
  P.Field("ApplicationEvents1", &TMainForm::ApplicationEvents1);
  P.Field("PopupMenu1", &TMainForm::PopupMenu1);
  P.Field("N1", &TMainForm::N1);
  P.Field("ImageList1", &TMainForm::ImageList1);
  P.Field("ActionManager1", &TMainForm::ActionManager1);
  P.Field("AExit", &TMainForm::AExit);
  P.Field("ASprav", &TMainForm::ASprav);
  P.Field("Action1", &TMainForm::Action1);
  P.Field("DataSetFirst1", &TMainForm::DataSetFirst1);
  P.Field("DataSetPrior1", &TMainForm::DataSetPrior1);
  P.Field("DataSetNext1", &TMainForm::DataSetNext1);
  P.Field("DataSetLast1", &TMainForm::DataSetLast1);
  P.Field("ARefresh", &TMainForm::ARefresh);
  P.Field("AAddPeople", &TMainForm::AAddPeople);
  P.Field("ADelPeople", &TMainForm::ADelPeople);
  P.Field("AViewEdu", &TMainForm::AViewEdu);
  P.Field("APrintList", &TMainForm::APrintList);
  P.Field("AShowDoubles", &TMainForm::AShowDoubles);
  P.Field("ASetFilter", &TMainForm::ASetFilter);
  P.Field("ARemoveFilter", &TMainForm::ARemoveFilter);
  P.Method("FormCreate", &TMainForm::FormCreate);
  P.Method("FormShow", &TMainForm::FormShow);
  P.Method("FormClose", &TMainForm::FormClose);
  P.Method("Timer1Timer", &TMainForm::Timer1Timer);
  P.Method("ApplicationEvents1Hint", &TMainForm::ApplicationEvents1Hint);
  P.Method("Edit1Enter", &TMainForm::Edit1Enter);
  P.Method("Edit1Exit", &TMainForm::Edit1Exit);
  P.Method("Edit1KeyDown", &TMainForm::Edit1KeyDown);
  P.Method("dxDBGrid1ColumnClick", &TMainForm::dxDBGrid1ColumnClick);
  P.Method("dxDBGrid1ColumnMoved", &TMainForm::dxDBGrid1ColumnMoved);
  P.Method("N1Click", &TMainForm::N1Click);
  P.Method("AExitExecute", &TMainForm::AExitExecute);
  P.Method("ARefreshExecute", &TMainForm::ARefreshExecute);
  P.Method("AAddPeopleExecute", &TMainForm::AAddPeopleExecute);
  P.Method("ADelPeopleExecute", &TMainForm::ADelPeopleExecute);
  P.Method("AViewEduExecute", &TMainForm::AViewEduExecute);
  P.Method("dxDBGrid1DblClick", &TMainForm::dxDBGrid1DblClick);
  P.Method("ASpravExecute", &TMainForm::ASpravExecute);
  P.Method("ASetFilterExecute", &TMainForm::ASetFilterExecute);
  P.Method("ARemoveFilterExecute", &TMainForm::ARemoveFilterExecute);
  P.Method("Action1Execute", &TMainForm::Action1Execute);
  P.Method("APrintListExecute", &TMainForm::APrintListExecute);
  P.Method("AShowDoublesExecute", &TMainForm::AShowDoublesExecute);
}

Byte ReadRunMode(const String& Folder) {
  auto ini = std::make_unique<TIniFile>(IncludeTrailingPathDelimiter(Folder) + u"edu.ini");
  if (!ini->SectionExists(u"Application")) ini->WriteInteger(u"Application", u"Mode", 0);
  return static_cast<Byte>(ini->ReadInteger(u"Application", u"Mode", 0) & 0xFF);
}

String TMainForm::StatusText(int Index) const {
  TStatusPanels* panels = StatusBar1->Panels();
  return Index >= 0 && Index < panels->Count() ? panels->Items(Index)->Text() : String();
}

void TMainForm::SetStatusText(int Index, const String& Text) {
  TStatusPanels* panels = StatusBar1->Panels();
  if (Index >= 0 && Index < panels->Count()) panels->Items(Index)->SetText(Text);
}

void TMainForm::Loaded() {
  RequireFieldComponents(this, {u"ImageList1"});
  inherited::Loaded();
}

void TMainForm::FormCreate(TObject*) {
  RunMode = ReadRunMode(ProgramFolder());
  SetStatusText(0, RunMode == 0 ? u"центр" : u"периферия");
  ImageList1 = new TImageList(this);
  FillMainWindowGlyphs(ImageList1);
  ToolBar1->SetImages(ImageList1);
  ActionManager1->SetImages(ImageList1);
  ActionManager1->RebuildBars();
  BindMergeDrag();
}

void TMainForm::FormShow(TObject*) {
  Repaint();
  Timer1->SetEnabled(true);
}

void TMainForm::FormClose(TObject*, TCloseAction&) {
  if (DataModule2) DataModule2->M_DEP->Close();
}

void TMainForm::BindListActions() {
  TDataSource* source = DataModule2->OPEOPLE_LIST_DS;
  for (TDataSetAction* a :
       std::initializer_list<TDataSetAction*>{DataSetFirst1, DataSetPrior1, DataSetNext1, DataSetLast1})
    a->SetDataSource(source);
}

void TMainForm::Timer1Timer(TObject*) {
  Timer1->SetEnabled(false);
  TADODataSet* list = DataModule2->OPEOPLE_LIST;
  if (dxDBGrid1->DataSource() != DataModule2->OPEOPLE_LIST_DS) {
    dxDBGrid1->SetDataSource(DataModule2->OPEOPLE_LIST_DS);
    BindListActions();
  }
  list->Close();
  if (RunMode == 0)
    if (TParameter* p = list->Parameters()->FindParam(u"M_RAYON_DEPID")) p->SetValue(Variant(0));
  list->Open();
  ApplyStoredSort();
}

void TMainForm::ApplicationEvents1Hint(TObject*) { SetStatusText(2, Application->Hint()); }
