// The person card: the registration data of one person on the first page, the training records
// on the second. Everything is edited through the data module's card and training datasets and
// the framework's dataset actions.
#pragma once

#include "dx/dbgrid/dxDBGrid.h"
#include "dx/dbgrid/dxDBGridColumnKinds.h"
#include "dx/dbtree/dxdbtrel.h"
#include "dx/inspector/dxDBInsp.h"
#include "platform/dbctrls/DBActns.h"
#include "platform/dbctrls/DBCtrls.h"
#include "platform/forms/ActnMan.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"

class TTrenvikForm : public TForm {
  TRENVIK_CLASS(TTrenvikForm, TForm);

 public:
  explicit TTrenvikForm(TComponent* AOwner) : TForm(AOwner) {}

  TActionMainMenuBar* ActionMainMenuBar1 = nullptr;
  TPageControl* PageControl1 = nullptr;
  TTabSheet* TabSheet1 = nullptr;
  TTabSheet* TabSheet2 = nullptr;
  TActionToolBar* ActionToolBar1 = nullptr;
  TActionToolBar* ActionToolBar2 = nullptr;
  TActionToolBar* ActionToolBar3 = nullptr;
  TdxDBInspector* dxDBInspector2 = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TdxDBLookupTreeView* dxDBLookupTreeView1 = nullptr;
  TLabel* Label1 = nullptr;
  TDBText* DBText1 = nullptr;
  TLabel* Label2 = nullptr;
  TDBText* DBText2 = nullptr;
  TdxDBGrid* dxDBGrid1 = nullptr;
  TdxDBInspector* dxDBInspector1 = nullptr;
  TActionManager* ActionManager1 = nullptr;
  TAction* ACloseEduForm = nullptr;
  TAction* APrintEdu = nullptr;
  TDataSetEdit* PeopleEdit = nullptr;
  TDataSetPost* PeoplePost = nullptr;
  TDataSetCancel* PeopleCancel = nullptr;
  TDataSetRefresh* PeopleRefresh = nullptr;
  TDataSetFirst* EduFirst = nullptr;
  TDataSetPrior* EduPrior = nullptr;
  TDataSetNext* EduNext = nullptr;
  TDataSetLast* EduLast = nullptr;
  TDataSetRefresh* EduRefresh = nullptr;
  TDataSetInsert* EduInsert = nullptr;
  TDataSetDelete* EduDelete = nullptr;
  TDataSetEdit* EduEdit = nullptr;
  TDataSetPost* EduPost = nullptr;
  TDataSetCancel* EduCancel = nullptr;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void ACloseEduFormExecute(TObject* Sender);

 private:
  // The data module lives on another root: its sources are bound here, not in the layout.
  void BindDataModule();
};

// The card window while it is shown; null otherwise.
extern TTrenvikForm* TrenvikForm;
