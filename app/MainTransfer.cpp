// The main window's way into the import: a window for one showing, then the list read again, since
// the import may have added cards.
#include "app/Main.h"
#include "app/TransferForm.h"
#include "platform/rtl/ScopeExit.h"

void TMainForm::Action1Execute(TObject*) {
  TransferForm = NewForm<TTransferForm>(this);
  {
    TScopeExit done([] {
      delete TransferForm;
      TransferForm = nullptr;
    });
    TransferForm->ShowModal();
  }
  ARefreshExecute(this);
}
