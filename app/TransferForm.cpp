#include "app/TransferForm.h"

#include "app/AppPaths.h"
#include "app/DataModule.h"
#include "app/MessageForm.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/StrUtils.h"

TTransferForm* TransferForm = nullptr;

TRENVIK_PUBLISHED(TTransferForm) {
  P.Field("ActionToolBar1", &TTransferForm::ActionToolBar1);
  P.Field("Label1", &TTransferForm::Label1);
  P.Field("BufferListDBGrid", &TTransferForm::BufferListDBGrid);
  P.Field("Panel1", &TTransferForm::Panel1);
  P.Field("LabeledEdit1", &TTransferForm::LabeledEdit1);
  P.Field("ActionManager1", &TTransferForm::ActionManager1);
  P.Field("AClose", &TTransferForm::AClose);
  P.Field("FileOpen1", &TTransferForm::FileOpen1);
  P.Field("AContinue", &TTransferForm::AContinue);
  P.Field("AAddData", &TTransferForm::AAddData);
  P.Method("FormCreate", &TTransferForm::FormCreate);
  P.Method("FormClose", &TTransferForm::FormClose);
  P.Method("FormCloseQuery", &TTransferForm::FormCloseQuery);
  P.Method("ACloseExecute", &TTransferForm::ACloseExecute);
  P.Method("FileOpen1BeforeExecute", &TTransferForm::FileOpen1BeforeExecute);
  P.Method("FileOpen1Accept", &TTransferForm::FileOpen1Accept);
  P.Method("AContinueExecute", &TTransferForm::AContinueExecute);
  P.Method("AAddDataExecute", &TTransferForm::AAddDataExecute);
}

namespace {
TSpreadsheetFactory& TransferSpreadsheetFactory() {
  static TSpreadsheetFactory factory;
  return factory;
}
}  // namespace

void SetSpreadsheetFactory(TSpreadsheetFactory Factory) { TransferSpreadsheetFactory() = std::move(Factory); }

std::unique_ptr<Spreadsheet> NewSpreadsheet() {
  if (TransferSpreadsheetFactory()) return TransferSpreadsheetFactory()();
  return std::make_unique<XlsSpreadsheet>();
}

void TTransferForm::FormCreate(TObject*) {
  BindDataModule();
  // The program's folder without its trailing separator, then the folder of the workbooks.
  String folder = ProgramFolder();
  if (!folder.empty() && folder.back() == u'/') folder.pop_back();
  FileOpen1->Dialog()->SetInitialDir(folder + u"/Transfer");
  BufferCount = 0;
  ShowBufferCount();
}

void TTransferForm::BindDataModule() { BufferListDBGrid->SetDataSource(DataModule2->BUFFER_DS); }

// A read keeps the window open: its rows would be staged into a closed window.
void TTransferForm::FormCloseQuery(TObject*, bool& CanClose) { CanClose = !reading_; }

void TTransferForm::FormClose(TObject*, TCloseAction&) {
  TDataModule2* dm = DataModule2;
  dm->BUFFER->Close();
  FreeMatchingDialogs();
  if (dm->M_COLLAGE->Active()) dm->M_COLLAGE->Close();
  if (dm->M_RAYON_DEP->Active()) dm->M_RAYON_DEP->Close();
}

void TTransferForm::ACloseExecute(TObject*) { Close(); }

void TTransferForm::FileOpen1BeforeExecute(TObject*) {
  BufferCount = 0;
  ShowBufferCount();
}

void TTransferForm::ShowBufferCount() { LabeledEdit1->SetText(IntToStr(BufferCount)); }

void TTransferForm::FileOpen1Accept(TObject*) { ReadWorkbook(FileOpen1->Dialog()->FileName()); }

String TTransferForm::StagedCollageName() {
  TADOQuery* q = DataModule2->Q;
  q->Close();
  q->SQL()->SetText(u" select DISTINCT top 1 RTRIM(LTRIM(COLLAGE_NAME)) from BUFFER  where [USER] = :U ");
  q->Parameters()->ParamByName(u"U")->SetValue(Variant(DataModule2->UserName));
  q->Open();
  String name = q->Eof() ? String() : q->Fields()->Fields(0)->AsString();
  q->Close();
  return name;
}

void TTransferForm::AContinueExecute(TObject*) {
  CollageName = StagedCollageName();
  Label1->SetCaption(CollageName);
  TDataSet* buffer = DataModule2->BUFFER;
  if (!buffer->Active()) buffer->Open();
  buffer->First();
  if (!BufferListDBGrid->Visible()) BufferListDBGrid->SetVisible(true);
  if (!Panel1->Visible()) Panel1->SetVisible(true);
  // The import of the resumed rows is run from here.
  AAddData->SetEnabled(!buffer->IsEmpty());
}
