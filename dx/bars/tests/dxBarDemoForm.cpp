#include "dx/bars/tests/dxBarDemoForm.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/FormResources.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Exceptions.h"

TRENVIK_PUBLISHED(TdxBarsDemoForm) {
  P.Field("BarManager", &TdxBarsDemoForm::BarManager);
  P.Field("pmSend", &TdxBarsDemoForm::pmSend);
  P.Method("ItemClick", &TdxBarsDemoForm::ItemClick);
  P.Method("FailingClick", &TdxBarsDemoForm::FailingClick);
}

void TdxBarsDemoForm::ItemClick(TObject* Sender) {
  Clicks.push_back(static_cast<TdxBarItem*>(Sender)->Name());
}

void TdxBarsDemoForm::FailingClick(TObject*) { throw Exception("The help file is missing"); }

TDemoFormsFolderScope::TDemoFormsFolderScope() {
  SetResourceDirectory(Utf8ToString(TRENVIK_SOURCE_RESOURCES_DIR "/forms"));
}

TDemoFormsFolderScope::~TDemoFormsFolderScope() { SetResourceDirectory(String()); }

TdxBarsDemoForm* NewBarsDemoForm() {
  TDemoFormsFolderScope folder;
  return NewForm<TdxBarsDemoForm>(nullptr);
}
