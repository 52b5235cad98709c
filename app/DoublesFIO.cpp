#include "app/DoublesFIO.h"

#include "app/DataModule.h"
#include "app/Main.h"
#include "app/PrintForm.h"
#include "platform/rtl/ScopeExit.h"

TDoublesFIOForm* DoublesFIOForm = nullptr;

TRENVIK_PUBLISHED(TDoublesFIOForm) {
  P.Field("ToolBar1", &TDoublesFIOForm::ToolBar1);
  P.Field("ToolButton1", &TDoublesFIOForm::ToolButton1);
  P.Field("ToolButton3", &TDoublesFIOForm::ToolButton3);
  P.Field("ToolButton4", &TDoublesFIOForm::ToolButton4);
  P.Field("ToolButton5", &TDoublesFIOForm::ToolButton5);
  P.Field("ToolButton2", &TDoublesFIOForm::ToolButton2);
  P.Field("dxDBGrid1", &TDoublesFIOForm::dxDBGrid1);
  P.Method("FormCreate", &TDoublesFIOForm::FormCreate);
  P.Method("ToolButton1Click", &TDoublesFIOForm::ToolButton1Click);
  P.Method("ToolButton2Click", &TDoublesFIOForm::ToolButton2Click);
  P.Method("ToolButton4Click", &TDoublesFIOForm::ToolButton4Click);
}

void TDoublesFIOForm::FormCreate(TObject*) {
  dxDBGrid1->SetDataSource(DataModule2->Doubles_DS);
  if (MainForm) ToolBar1->SetImages(MainForm->ImageList1);
}

void TDoublesFIOForm::ToolButton1Click(TObject*) { Close(); }

void TDoublesFIOForm::ToolButton4Click(TObject*) { ExportGridAndOpen(dxDBGrid1, this, u"Doubles.xls"); }

// The main list goes to the first card of the name, when the list (as filtered) holds one.
void TDoublesFIOForm::ToolButton2Click(TObject*) {
  TDataSet* doubles = DataModule2->Doubles;
  auto text = [doubles](const char16_t* field) { return Variant(doubles->FieldByName(field)->AsString()); };
  DataModule2->OPEOPLE_LIST->Locate(u"FSTNAME;SECNAME;LASTNAME",
                                    VarArrayOf({text(u"FSTNAME"), text(u"SECNAME"), text(u"LASTNAME")}),
                                    {loCaseInsensitive, loPartialKey});
  Close();
}

void TMainForm::AShowDoublesExecute(TObject*) {
  // Closed before the window binds its grid: the last showing's names would load only to be dropped.
  TDataSet* doubles = DataModule2->Doubles;
  doubles->Close();
  if (!DoublesFIOForm) DoublesFIOForm = NewForm<TDoublesFIOForm>(this);
  TScopeExit done([] {
    delete DoublesFIOForm;
    DoublesFIOForm = nullptr;
  });
  doubles->Open();
  DoublesFIOForm->ShowModal();
}
