#include "app/TrenvikForm.h"

#include <initializer_list>

#include "app/DataModule.h"
#include "app/SpravForm.h"

TTrenvikForm* TrenvikForm = nullptr;

TRENVIK_PUBLISHED(TTrenvikForm) {
  P.Field("ActionMainMenuBar1", &TTrenvikForm::ActionMainMenuBar1);
  P.Field("PageControl1", &TTrenvikForm::PageControl1);
  P.Field("TabSheet1", &TTrenvikForm::TabSheet1);
  P.Field("TabSheet2", &TTrenvikForm::TabSheet2);
  P.Field("ActionToolBar1", &TTrenvikForm::ActionToolBar1);
  P.Field("ActionToolBar2", &TTrenvikForm::ActionToolBar2);
  P.Field("ActionToolBar3", &TTrenvikForm::ActionToolBar3);
  P.Field("dxDBInspector2", &TTrenvikForm::dxDBInspector2);
  P.Field("GroupBox1", &TTrenvikForm::GroupBox1);
  P.Field("dxDBLookupTreeView1", &TTrenvikForm::dxDBLookupTreeView1);
  P.Field("Label1", &TTrenvikForm::Label1);
  P.Field("DBText1", &TTrenvikForm::DBText1);
  P.Field("Label2", &TTrenvikForm::Label2);
  P.Field("DBText2", &TTrenvikForm::DBText2);
  P.Field("dxDBGrid1", &TTrenvikForm::dxDBGrid1);
  P.Field("dxDBInspector1", &TTrenvikForm::dxDBInspector1);
  P.Field("ActionManager1", &TTrenvikForm::ActionManager1);
  P.Field("ACloseEduForm", &TTrenvikForm::ACloseEduForm);
  P.Field("APrintEdu", &TTrenvikForm::APrintEdu);
  P.Field("PeopleEdit", &TTrenvikForm::PeopleEdit);
  P.Field("PeoplePost", &TTrenvikForm::PeoplePost);
  P.Field("PeopleCancel", &TTrenvikForm::PeopleCancel);
  P.Field("PeopleRefresh", &TTrenvikForm::PeopleRefresh);
  P.Field("EduFirst", &TTrenvikForm::EduFirst);
  P.Field("EduPrior", &TTrenvikForm::EduPrior);
  P.Field("EduNext", &TTrenvikForm::EduNext);
  P.Field("EduLast", &TTrenvikForm::EduLast);
  P.Field("EduRefresh", &TTrenvikForm::EduRefresh);
  P.Field("EduInsert", &TTrenvikForm::EduInsert);
  P.Field("EduDelete", &TTrenvikForm::EduDelete);
  P.Field("EduEdit", &TTrenvikForm::EduEdit);
  P.Field("EduPost", &TTrenvikForm::EduPost);
  P.Field("EduCancel", &TTrenvikForm::EduCancel);
  P.Method("FormCreate", &TTrenvikForm::FormCreate);
  P.Method("FormShow", &TTrenvikForm::FormShow);
  P.Method("ACloseEduFormExecute", &TTrenvikForm::ACloseEduFormExecute);
}

void TTrenvikForm::FormCreate(TObject*) { BindDataModule(); }

void TTrenvikForm::BindDataModule() {
  TDataSource* card = DataModule2->O_PEOPLE_DS;
  TDataSource* edu = DataModule2->O_EDU_DS;
  for (TDataSetAction* a :
       std::initializer_list<TDataSetAction*>{PeopleEdit, PeoplePost, PeopleCancel, PeopleRefresh})
    a->SetDataSource(card);
  for (TDataSetAction* a :
       std::initializer_list<TDataSetAction*>{EduFirst, EduPrior, EduNext, EduLast, EduRefresh, EduInsert,
                                              EduDelete, EduEdit, EduPost, EduCancel})
    a->SetDataSource(edu);
  dxDBInspector2->SetDataSource(card);
  DBText1->SetDataSource(card);
  DBText2->SetDataSource(card);
  dxDBLookupTreeView1->SetListSource(DataModule2->MDEP_DS);
  dxDBLookupTreeView1->SetDataSource(card);
  if (SpravForm) dxDBLookupTreeView1->Popup()->SetPopupMenu(SpravForm->PopupMenu3);
  dxDBGrid1->SetDataSource(edu);
  dxDBInspector1->SetDataSource(edu);
}

void TTrenvikForm::FormShow(TObject*) { PageControl1->SetActivePage(TabSheet1); }

void TTrenvikForm::ACloseEduFormExecute(TObject*) { Close(); }
