#include "app/ProgramMain.h"

#include "app/DataModule.h"
#include "app/Main.h"
#include "platform/ado/ADODB.h"
#include "platform/classes/FormResources.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/FileUtils.h"

void UseFormResourceFolder() {
  const String forms = IncludeTrailingPathDelimiter(ResourceDirectory()) + u"forms";
  if (DirectoryExists(forms)) SetResourceDirectory(forms);
}

void ProgramMain() {
  Application->Initialize();
  Application->SetTitle(u"Trenvik");
  SetLoginDialogProc(&LoginDialog);
  Application->CreateForm(MainForm);
  DataModule2 = new TDataModule2(Application);
  DataModule2->AfterConstruction();
  // The filter window and the reference-tables window follow here once they exist.
  Application->Run();
}
