// The main window's way into the person card of the list's current row.
#include "app/DataModule.h"
#include "app/Main.h"
#include "app/TrenvikForm.h"
#include "platform/rtl/ScopeExit.h"

namespace {

void OpenForPerson(TADODataSet* DataSet, const Variant& Person) {
  DataSet->Close();
  DataSet->Parameters()->ParamByName(u"O_PEOPLEID")->SetValue(Person);
  DataSet->Open();
}

}  // namespace

// The card dataset stays open afterwards: adding a card reads the stored key from it.
void TMainForm::AViewEduExecute(TObject*) {
  if (!TrenvikForm) TrenvikForm = NewForm<TTrenvikForm>(nullptr);
  TScopeExit done([] {
    delete TrenvikForm;
    TrenvikForm = nullptr;
    DataModule2->O_EDU->Close();
  });
  const Variant person = DataModule2->OPEOPLE_LIST->FieldByName(u"O_PEOPLEID")->Value();
  OpenForPerson(DataModule2->O_PEOPLE, person);
  OpenForPerson(DataModule2->O_EDU, person);
  TrenvikForm->ShowModal();
}

// A double click on a group row opens or closes the group; only a person's row opens a card.
void TMainForm::dxDBGrid1DblClick(TObject*) {
  if (!dxDBGrid1->IsGroupNode(dxDBGrid1->FocusedNode())) AViewEdu->Execute();
}
