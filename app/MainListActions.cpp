// The main window's actions on the people list: refresh, add and delete a card, column visibility,
// and leaving the program.
#include "app/DataModule.h"
#include "app/Main.h"
#include "app/SetColumnsVisible.h"
#include "platform/win/Windows.h"

void TMainForm::AExitExecute(TObject*) { Close(); }

// The after-open handler shows the new count; the list starts again at its first row.
void TMainForm::ARefreshExecute(TObject*) {
  TADODataSet* list = DataModule2->OPEOPLE_LIST;
  list->Close();
  list->Open();
}

// The new row's card is made in the card window; afterwards the list is reread and goes to the
// card stored there (key 0, matching no row, when none was).
void TMainForm::AAddPeopleExecute(TObject*) {
  DataModule2->OPEOPLE_LIST->Insert();
  AViewEdu->Execute();
  TADODataSet* card = DataModule2->O_PEOPLE;
  const int stored = card->Active() && !card->IsEmpty() ? card->FieldByName(u"O_PEOPLEID")->AsInteger() : 0;
  ARefresh->Execute();
  DataModule2->OPEOPLE_LIST->Locate(u"O_PEOPLEID", Variant(stored), TLocateOptions{});
}

void TMainForm::ADelPeopleExecute(TObject*) {
  if (Application->MessageBox(u"Удалить текущую запись?", u"Вопрос", MB_YESNOCANCEL | MB_ICONQUESTION) ==
      IDYES)
    DataModule2->OPEOPLE_LIST->Delete();
}

void TMainForm::N1Click(TObject*) { ChooseVisibleColumns(dxDBGrid1); }
