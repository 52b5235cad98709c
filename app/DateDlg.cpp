#include "app/DateDlg.h"

#include "app/DataModule.h"
#include "app/SpravForm.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/ScopeExit.h"

TDateDlgForm* DateDlgForm = nullptr;

TRENVIK_PUBLISHED(TDateDlgForm) {
  P.Field("DateTimePicker1", &TDateDlgForm::DateTimePicker1);
  P.Field("OKBtn", &TDateDlgForm::OKBtn);
  P.Field("CancelBtn", &TDateDlgForm::CancelBtn);
}

// A contract's term is whole days: the time of day is dropped directly, not by a round trip
// through the short date text, which a two-digit year format would move to another century.
void TSpravForm::DBGrid4EditButtonClick(TObject*) {
  if (!DateDlgForm) DateDlgForm = NewForm<TDateDlgForm>(nullptr);
  TScopeExit done([] {
    delete DateDlgForm;
    DateDlgForm = nullptr;
  });
  TField* field = DBGrid4->SelectedField();
  DateDlgForm->DateTimePicker1->SetDateTime(field->IsNull() ? Now() : field->AsDateTime());
  if (DateDlgForm->ShowModal() != mrOk) return;
  TDataSet* contracts = DataModule2->O_COLLAGE_DOGOVOR;
  if (contracts->State() == dsBrowse) contracts->Edit();
  field->SetAsDateTime(DateOf(DateDlgForm->DateTimePicker1->Date()));
}
