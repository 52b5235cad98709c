#include "app/SpravForm.h"

#include <initializer_list>

#include "app/DataModule.h"
#include "app/ShowSynonym.h"

TSpravForm* SpravForm = nullptr;

TRENVIK_PUBLISHED(TSpravForm) {
  P.Field("ActionMainMenuBar1", &TSpravForm::ActionMainMenuBar1);
  P.Field("PageControl1", &TSpravForm::PageControl1);
  P.Field("TabSheet1", &TSpravForm::TabSheet1);
  P.Field("TabSheet2", &TSpravForm::TabSheet2);
  P.Field("TabSheet3", &TSpravForm::TabSheet3);
  P.Field("TabSheet4", &TSpravForm::TabSheet4);
  P.Field("ToolBar1", &TSpravForm::ToolBar1);
  P.Field("DBNavigator1", &TSpravForm::DBNavigator1);
  P.Field("ToolButton4", &TSpravForm::ToolButton4);
  P.Field("CollageDBGrid", &TSpravForm::CollageDBGrid);
  P.Field("Splitter1", &TSpravForm::Splitter1);
  P.Field("Panel1", &TSpravForm::Panel1);
  P.Field("DBNavigator2", &TSpravForm::DBNavigator2);
  P.Field("DBGrid4", &TSpravForm::DBGrid4);
  P.Field("Panel2", &TSpravForm::Panel2);
  P.Field("cxButton1", &TSpravForm::cxButton1);
  P.Field("cxButton2", &TSpravForm::cxButton2);
  P.Field("cxButton3", &TSpravForm::cxButton3);
  P.Field("DBTreeList", &TSpravForm::DBTreeList);
  P.Field("DBTreeListSHORTNAME", &TSpravForm::DBTreeListSHORTNAME);
  P.Field("DBTreeListM_RAYON_DEPID", &TSpravForm::DBTreeListM_RAYON_DEPID);
  P.Field("dxDBInspector1", &TSpravForm::dxDBInspector1);
  P.Field("DBNavigator3", &TSpravForm::DBNavigator3);
  P.Field("DBGrid1", &TSpravForm::DBGrid1);
  P.Field("GroupBox1", &TSpravForm::GroupBox1);
  P.Field("DBNavigator4", &TSpravForm::DBNavigator4);
  P.Field("AssessDBGrid", &TSpravForm::AssessDBGrid);
  P.Field("GroupBox2", &TSpravForm::GroupBox2);
  P.Field("ToolBar2", &TSpravForm::ToolBar2);
  P.Field("DBNavigator5", &TSpravForm::DBNavigator5);
  P.Field("ToolButton6", &TSpravForm::ToolButton6);
  P.Field("SexDBGrid", &TSpravForm::SexDBGrid);
  P.Field("GroupBox3", &TSpravForm::GroupBox3);
  P.Field("ToolBar3", &TSpravForm::ToolBar3);
  P.Field("DBNavigator6", &TSpravForm::DBNavigator6);
  P.Field("ToolButton1", &TSpravForm::ToolButton1);
  P.Field("KatEduDBGrid", &TSpravForm::KatEduDBGrid);
  P.Field("PopupMenu1", &TSpravForm::PopupMenu1);
  P.Field("PopupMenu2", &TSpravForm::PopupMenu2);
  P.Field("PopupMenu3", &TSpravForm::PopupMenu3);
  P.Field("N13", &TSpravForm::N13);
  P.Field("ActionManager1", &TSpravForm::ActionManager1);
  P.Field("ACloseSprav", &TSpravForm::ACloseSprav);
  P.Field("AAddTerritory", &TSpravForm::AAddTerritory);
  P.Field("ADelTerritory", &TSpravForm::ADelTerritory);
  P.Field("AAddDep", &TSpravForm::AAddDep);
  P.Field("ADelDep", &TSpravForm::ADelDep);
  P.Method("FormCreate", &TSpravForm::FormCreate);
  P.Method("FormShow", &TSpravForm::FormShow);
  P.Method("FormClose", &TSpravForm::FormClose);
  P.Method("ACloseSpravExecute", &TSpravForm::ACloseSpravExecute);
  P.Method("cxButton3Click", &TSpravForm::cxButton3Click);
  P.Method("AAddTerritoryExecute", &TSpravForm::AAddTerritoryExecute);
  P.Method("AAddDepExecute", &TSpravForm::AAddDepExecute);
  P.Method("ADelTerritoryExecute", &TSpravForm::ADelTerritoryExecute);
  P.Method("ADelDepExecute", &TSpravForm::ADelDepExecute);
  P.Method("DBGrid4EditButtonClick", &TSpravForm::DBGrid4EditButtonClick);
  P.Method("ToolButton4Click", &TSpravForm::ToolButton4Click);
  P.Method("ToolButton1Click", &TSpravForm::ToolButton1Click);
  P.Method("ToolButton6Click", &TSpravForm::ToolButton6Click);
  P.Method("N13Click", &TSpravForm::N13Click);
}

void TSpravForm::FormCreate(TObject*) { BindDataModule(); }

void TSpravForm::BindDataModule() {
  TDataModule2* dm = DataModule2;
  DBNavigator1->SetDataSource(dm->M_COLLAGE_DS);
  CollageDBGrid->SetDataSource(dm->M_COLLAGE_DS);
  DBNavigator2->SetDataSource(dm->O_COLLAGE_DOGOVOR_DS);
  DBGrid4->SetDataSource(dm->O_COLLAGE_DOGOVOR_DS);
  DBTreeList->SetDataSource(dm->MDEP_DS);
  DBTreeList->SetShowHeader(false);
  DBTreeList->SetLookAndFeel(lfFlat);
  DBTreeList->OnChangeNode = [this](TObject* Sender, TdxTreeListNode* OldNode, TdxTreeListNode* Node) {
    DBTreeListChangeNode(Sender, OldNode, Node);
  };
  DBTreeList->SetPopupMenu(PopupMenu3);
  dxDBInspector1->SetDataSource(dm->MDEP_DS);
  DBNavigator3->SetDataSource(dm->M_KAT_DS);
  DBGrid1->SetDataSource(dm->M_KAT_DS);
  DBNavigator4->SetDataSource(dm->M_ASSESS_DS);
  AssessDBGrid->SetDataSource(dm->M_ASSESS_DS);
  DBNavigator5->SetDataSource(dm->M_SEX_DS);
  SexDBGrid->SetDataSource(dm->M_SEX_DS);
  DBNavigator6->SetDataSource(dm->M_KATEDU_DS);
  KatEduDBGrid->SetDataSource(dm->M_KATEDU_DS);
}

void TSpravForm::FormShow(TObject*) {
  TDataModule2* dm = DataModule2;
  for (TDataSet* d : std::initializer_list<TDataSet*>{dm->M_COLLAGE, dm->O_COLLAGE_DOGOVOR, dm->M_KATEDU,
                                                      dm->M_ASSESS, dm->M_KAT, dm->M_SEX, dm->M_DEP})
    if (!d->Active()) d->Open();
}

// The synonym window frees itself; only the reference to it goes.
void TSpravForm::FormClose(TObject*, TCloseAction&) { ShowSynonymForm = nullptr; }

void TSpravForm::ACloseSpravExecute(TObject*) { Close(); }

void TSpravForm::cxButton3Click(TObject*) {
  TDataSet* tree = DBTreeList->DataSource()->DataSet();
  tree->Close();
  tree->Open();
}
