// The main window's filter: the people list reopened on the statement the filter window built, and
// back on the base statement.
#include "app/DataModule.h"
#include "app/FilterForm.h"
#include "app/Main.h"
#include "dx/editors/dxCheckEdit.h"

namespace {

String BaseListStatement() {
  const TDataModule2* dm = DataModule2;
  return ComposeListStatement(dm->BaseSelect, String(), dm->BaseWhere, dm->BaseOrderBy);
}

bool AnySectionOn(const TFilterForm* Filter) {
  for (TdxCheckEdit* section : {Filter->dxCheckEdit1, Filter->dxCheckEdit2, Filter->dxCheckEdit3})
    if (section->State() != cbsUnchecked) return true;
  return false;
}

}  // namespace

void TMainForm::OpenPeopleList(const String& Statement, bool Filtered) {
  Panel1->SetVisible(Filtered);
  ARemoveFilter->SetEnabled(Filtered);
  TADODataSet* list = DataModule2->OPEOPLE_LIST;
  list->Close();
  list->SetCommandText(Statement);
  list->Open();
}

void TMainForm::ASetFilterExecute(TObject*) {
  Panel1->SetVisible(false);
  ARemoveFilter->SetEnabled(false);
  FilterForm->WhereText.clear();
  FilterForm->JoinText.clear();
  const bool ok = FilterForm->ShowModal() == mrOk;
  const TDataModule2* dm = DataModule2;
  String statement = BaseListStatement();
  bool filtered = false;
  if (ok) {
    statement = ComposeListStatement(dm->BaseSelect, FilterForm->JoinText, FilterForm->WhereText, dm->BaseOrderBy);
    filtered = FilterForm->FilterSet && AnySectionOn(FilterForm);
  }
  Repaint();
  try {
    OpenPeopleList(statement, filtered);
  } catch (const std::exception&) {
    Application->MessageBox(u"Ошибка установки фильтра", kCancelCaption, MB_OK | MB_ICONERROR);
    DataModule2->ADOConnection1->Close();
    FilterForm->FilterSet = 0;
    OpenPeopleList(BaseListStatement(), false);
  }
  Repaint();
}

// The filter window keeps its settings: the next showing starts from them.
void TMainForm::ARemoveFilterExecute(TObject*) {
  DataModule2->ADOConnection1->Close();
  FilterForm->FilterSet = 0;
  OpenPeopleList(BaseListStatement(), false);
}
