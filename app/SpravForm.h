// The reference tables: institutions with their contracts, the tree of territories and
// organisations, employee categories, assessments, sexes and kinds of training, and the synonyms
// the import recorded for four of them.
#pragma once

#include "dx/dbgrid/dxDBGrid.h"
#include "dx/dbgrid/dxDBGridColumnKinds.h"
#include "dx/dbgrid/dxDBTL.h"
#include "dx/inspector/dxDBInsp.h"
#include "platform/dbctrls/DBCtrls.h"
#include "platform/dbctrls/DBGrids.h"
#include "platform/forms/ActnMan.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"

class TShowSynonymForm;

class TSpravForm : public TForm {
  TRENVIK_CLASS(TSpravForm, TForm);

 public:
  explicit TSpravForm(TComponent* AOwner) : TForm(AOwner) {}

  TActionMainMenuBar* ActionMainMenuBar1 = nullptr;
  TPageControl* PageControl1 = nullptr;
  TTabSheet* TabSheet1 = nullptr;
  TTabSheet* TabSheet2 = nullptr;
  TTabSheet* TabSheet3 = nullptr;
  TTabSheet* TabSheet4 = nullptr;
  // Institutions and their contracts.
  TToolBar* ToolBar1 = nullptr;
  TDBNavigator* DBNavigator1 = nullptr;
  TToolButton* ToolButton4 = nullptr;
  TdxDBGrid* CollageDBGrid = nullptr;
  TSplitter* Splitter1 = nullptr;
  TPanel* Panel1 = nullptr;
  TDBNavigator* DBNavigator2 = nullptr;
  TDBGrid* DBGrid4 = nullptr;
  // The tree of places of work.
  TPanel* Panel2 = nullptr;
  // Drop-down buttons of the cx family, held by their framework base: the window's tree and
  // inspector come from the dx family, whose names the cx headers would clash with.
  TButton* cxButton1 = nullptr;
  TButton* cxButton2 = nullptr;
  TButton* cxButton3 = nullptr;
  TdxDBTreeList* DBTreeList = nullptr;
  TdxDBTreeListColumn* DBTreeListSHORTNAME = nullptr;
  TdxDBTreeListMaskColumn* DBTreeListM_RAYON_DEPID = nullptr;
  TdxDBInspector* dxDBInspector1 = nullptr;
  // Employee categories.
  TDBNavigator* DBNavigator3 = nullptr;
  TDBGrid* DBGrid1 = nullptr;
  // Assessments, sexes, kinds of training.
  TGroupBox* GroupBox1 = nullptr;
  TDBNavigator* DBNavigator4 = nullptr;
  TdxDBGrid* AssessDBGrid = nullptr;
  TGroupBox* GroupBox2 = nullptr;
  TToolBar* ToolBar2 = nullptr;
  TDBNavigator* DBNavigator5 = nullptr;
  TToolButton* ToolButton6 = nullptr;
  TdxDBGrid* SexDBGrid = nullptr;
  TGroupBox* GroupBox3 = nullptr;
  TToolBar* ToolBar3 = nullptr;
  TDBNavigator* DBNavigator6 = nullptr;
  TToolButton* ToolButton1 = nullptr;
  TdxDBGrid* KatEduDBGrid = nullptr;

  TPopupMenu* PopupMenu1 = nullptr;
  TPopupMenu* PopupMenu2 = nullptr;
  TPopupMenu* PopupMenu3 = nullptr;
  TMenuItem* N13 = nullptr;
  TActionManager* ActionManager1 = nullptr;
  TAction* ACloseSprav = nullptr;
  TAction* AAddTerritory = nullptr;
  TAction* ADelTerritory = nullptr;
  TAction* AAddDep = nullptr;
  TAction* ADelDep = nullptr;

  // The synonym window while it is shown.
  TShowSynonymForm* ShowSynonymForm = nullptr;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ACloseSpravExecute(TObject* Sender);
  void cxButton3Click(TObject* Sender);
  void AAddTerritoryExecute(TObject* Sender);
  void AAddDepExecute(TObject* Sender);
  void ADelTerritoryExecute(TObject* Sender);
  void ADelDepExecute(TObject* Sender);
  void DBTreeListChangeNode(TObject* Sender, TdxTreeListNode* OldNode, TdxTreeListNode* Node);
  void DBGrid4EditButtonClick(TObject* Sender);
  void ToolButton4Click(TObject* Sender);
  void ToolButton1Click(TObject* Sender);
  void ToolButton6Click(TObject* Sender);
  void N13Click(TObject* Sender);
  // The synonyms of Source's data set in the synonym window, keyed by KeyFieldName.
  void ShowSynonyms(TDataSource* Source, const String& KeyFieldName);

 private:
  void BindDataModule();
  // A child of the current node, of its kind, named in place.
  void AddNodeUnderCurrent();
  // Yes to "Вы действительно хотите удалить <What> "<name>"?".
  bool ConfirmNodeDelete(const char16_t* What);
};

// The reference window: made at start, freed after each showing and made again when next needed.
extern TSpravForm* SpravForm;

// Enables the tree's node commands for the kind of the node M_DEP stands on; other kinds change
// nothing.
void EnableNodeActionsForKind(TSpravForm* Form, int Kind);
