// The main window's way to the print list: the people it lists now become the user's rows of
// O_FILTER, which the print window reads.
#include "app/DataModule.h"
#include "app/Main.h"
#include "app/PrintForm.h"
#include "app/ScratchStatements.h"
#include "platform/rtl/ScopeExit.h"

namespace {
// The rows are the user's alone: one transaction for all of them is as safe and far faster.
void FillPrintFilter(TDataSet* List, const String& UserName) {
  TADOConnection* connection = DataModule2->ADOConnection1;
  const bool own = !connection->InTransaction();
  if (own) connection->BeginTrans();
  try {
    ScratchExecute(u" delete from O_FILTER where [USER] = :USER_NAME", {{u"USER_NAME", Variant(UserName)}});
    for (List->First(); !List->Eof(); List->Next())
      ScratchExecute(u" insert into O_FILTER ([USER], O_PEOPLEID) values(:USER_NAME, :O_PEOPLEID) ",
                     {{u"USER_NAME", Variant(UserName)}, {u"O_PEOPLEID", List->FieldByName(u"O_PEOPLEID")->Value()}});
    if (own) connection->CommitTrans();
  } catch (const std::exception&) {
    if (own) connection->RollbackTrans();
    throw;
  }
}
}  // namespace

void TMainForm::APrintListExecute(TObject*) {
  TADODataSet* list = DataModule2->OPEOPLE_LIST;
  {
    list->DisableControls();
    TBookmark mark = list->GetBookmark();
    TScopeExit restore([&] {
      list->EnableControls();
      if (!mark.empty()) list->GotoBookmark(mark);
      list->FreeBookmark(mark);
    });
    FillPrintFilter(list, DataModule2->UserName);
  }
  if (!PrintForm) PrintForm = NewForm<TPrintForm>(this);
  TScopeExit done([] {
    delete PrintForm;
    PrintForm = nullptr;
  });
  PrintForm->ShowModal();
}
