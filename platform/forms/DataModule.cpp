#include "platform/forms/DataModule.h"

#include "platform/classes/FormResources.h"
#include "platform/classes/Published.h"
#include "platform/forms/ControlsInternal.h"
#include "platform/forms/Forms.h"

TRENVIK_PUBLISHED(TDataModule) {
  P.Event("OnCreate", &TDataModule::OnCreate);
  P.Event("OnDestroy", &TDataModule::OnDestroy);
}

TDataModule::TDataModule(TComponent* AOwner) : TComponent(AOwner) {
  if (Screen) Screen->AddDataModule(this);
}

TDataModule::~TDataModule() {
  BeforeDestruction();
  if (Screen) Screen->RemoveDataModule(this);
}

void TDataModule::AfterConstruction() {
  if (constructed_) return;
  constructed_ = true;
  if (ClassType() != TDataModule::StaticClass() && !FindResourceFile(ClassName()).empty())
    InitInheritedComponent(this, TDataModule::StaticClass());
  if (OnCreate) OnCreate(this);
}

void TDataModule::BeforeDestruction() {
  if (destroyFired_) return;
  destroyFired_ = true;
  // An exception in OnDestroy goes to the application's handler: the module is going regardless.
  try {
    if (OnDestroy) OnDestroy(this);
  } catch (...) {
    if (auto& hook = forms_internal::ApplicationHooks().HandleException)
      hook(this);
    else
      throw;
  }
}
