// The synonym window: the names the import recorded for one reference entry, reviewed, corrected
// or deleted; synonyms are never added here.
#pragma once

#include "dx/dbgrid/dxDBGrid.h"
#include "platform/dbctrls/DBCtrls.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/Forms.h"

class TShowSynonymForm : public TForm {
  TRENVIK_CLASS(TShowSynonymForm, TForm);

 public:
  explicit TShowSynonymForm(TComponent* AOwner) : TForm(AOwner) {}

  TToolBar* ToolBar1 = nullptr;
  TToolButton* ToolButton1 = nullptr;
  TDBNavigator* DBNavigator1 = nullptr;
  TdxDBGrid* dxDBGrid1 = nullptr;

  void ToolButton1Click(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
};
