// The main window's way into the reference tables.
#include "app/Main.h"
#include "app/SpravForm.h"
#include "platform/rtl/ScopeExit.h"

// The window made at start serves the first showing; each later one gets a new window.
void TMainForm::ASpravExecute(TObject*) {
  if (!SpravForm) SpravForm = NewForm<TSpravForm>(nullptr);
  TScopeExit done([] {
    delete SpravForm;
    SpravForm = nullptr;
  });
  SpravForm->ShowModal();
}
