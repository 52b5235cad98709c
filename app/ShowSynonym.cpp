#include "app/ShowSynonym.h"

#include "app/DataModule.h"
#include "app/SpravForm.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_PUBLISHED(TShowSynonymForm) {
  P.Field("ToolBar1", &TShowSynonymForm::ToolBar1);
  P.Field("ToolButton1", &TShowSynonymForm::ToolButton1);
  P.Field("DBNavigator1", &TShowSynonymForm::DBNavigator1);
  P.Field("dxDBGrid1", &TShowSynonymForm::dxDBGrid1);
  P.Method("ToolButton1Click", &TShowSynonymForm::ToolButton1Click);
  P.Method("FormClose", &TShowSynonymForm::FormClose);
}

void TShowSynonymForm::ToolButton1Click(TObject*) { Close(); }

// Closed, the synonyms are read again for the entry current at the next showing.
void TShowSynonymForm::FormClose(TObject*, TCloseAction& Action) {
  if (TDataSource* source = DBNavigator1->DataSource())
    if (TDataSet* synonyms = source->DataSet()) synonyms->Close();
  Action = caFree;
}

void TSpravForm::ShowSynonyms(TDataSource* Source, const String& KeyFieldName) {
  if (!ShowSynonymForm) ShowSynonymForm = NewForm<TShowSynonymForm>(this);
  TScopeExit done([this] {
    delete ShowSynonymForm;
    ShowSynonymForm = nullptr;
  });
  ShowSynonymForm->DBNavigator1->SetDataSource(Source);
  TdxDBGrid* grid = ShowSynonymForm->dxDBGrid1;
  grid->SetDataSource(nullptr);
  {
    grid->BeginUpdate();
    TScopeExit endUpdate([grid] { grid->EndUpdate(); });
    grid->DestroyColumns();
    grid->SetKeyField(String());
    grid->SetDataSource(Source);
    // The key and the owner's id are hidden fields: the grid shows the name.
    grid->AddColumnsFromDataSet(Source->DataSet(), ShowSynonymForm);
    grid->SetKeyField(KeyFieldName);
  }
  if (!Source->DataSet()->Active()) Source->DataSet()->Open();
  ShowSynonymForm->ShowModal();
}

void TSpravForm::ToolButton4Click(TObject*) {
  ShowSynonyms(DataModule2->M_COLLAGESYNONYM_DS, u"M_COLLAGESYNONYMID");
}

void TSpravForm::ToolButton1Click(TObject*) {
  ShowSynonyms(DataModule2->M_KATEDUSYNONYM_DS, u"M_KATEDUSYNONYMID");
}

void TSpravForm::ToolButton6Click(TObject*) { ShowSynonyms(DataModule2->M_SEXSYNONYM_DS, u"M_SEXSYNONYMID"); }

void TSpravForm::N13Click(TObject*) { ShowSynonyms(DataModule2->M_DEPSYNONYM_DS, u"M_DEPSYNONYMID"); }
