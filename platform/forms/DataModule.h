// The data module: a non-visual root component holding connections and datasets, listed in
// Screen's DataModules while it lives, with creation and destruction events of its own.
#pragma once

#include "platform/classes/Component.h"

class TDataModule : public TComponent {
  TRENVIK_CLASS(TDataModule, TComponent);

 public:
  explicit TDataModule(TComponent* AOwner);
  ~TDataModule() override;
  // Reads the class's form resource when it has one (modules may build their components in
  // code), then OnCreate. Called once, after construction; a second call does nothing.
  virtual void AfterConstruction();
  // OnDestroy, once, while the whole module still exists; the destructor calls it when nobody did.
  void BeforeDestruction();

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;

 private:
  bool constructed_ = false;
  bool destroyFired_ = false;
};
