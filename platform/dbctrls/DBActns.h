// The framework's dataset actions: navigation (first, prior, next, last), insert, delete, edit,
// post, cancel and refresh on the dataset of a data source. Each is enabled only while its
// operation makes sense on the dataset's state; with a DataSource of its own the action needs no
// control to reach the dataset, otherwise it acts on the data source of the focused data-aware
// control.
#pragma once

#include "platform/data/DataSource.h"
#include "platform/forms/ActnList.h"

class TDataSetAction : public TAction {
  TRENVIK_CLASS(TDataSetAction, TAction);

 public:
  explicit TDataSetAction(TComponent* AOwner) : TAction(AOwner) {}
  ~TDataSetAction() override;
  TDataSource* DataSource() const { return dataSource_; }
  void SetDataSource(TDataSource* Value);
  bool HandlesTarget(TObject* Target) override;

 protected:
  // The dataset of a target the action handles.
  TDataSet* GetDataSet(TObject* Target) const;
  bool DispatchToTargets(bool Execute) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TDataSource* dataSource_ = nullptr;
};

// One class per operation: what it does and when it is enabled.
#define TRENVIK_DATASET_ACTION(Name)                              \
  class Name : public TDataSetAction {                            \
    TRENVIK_CLASS(Name, TDataSetAction);                          \
                                                                  \
   public:                                                        \
    explicit Name(TComponent* AOwner) : TDataSetAction(AOwner) {} \
    void ExecuteTarget(TObject* Target) override;                 \
    void UpdateTarget(TObject* Target) override;                  \
  }

TRENVIK_DATASET_ACTION(TDataSetFirst);
TRENVIK_DATASET_ACTION(TDataSetPrior);
TRENVIK_DATASET_ACTION(TDataSetNext);
TRENVIK_DATASET_ACTION(TDataSetLast);
TRENVIK_DATASET_ACTION(TDataSetInsert);
TRENVIK_DATASET_ACTION(TDataSetDelete);
TRENVIK_DATASET_ACTION(TDataSetEdit);
TRENVIK_DATASET_ACTION(TDataSetPost);
TRENVIK_DATASET_ACTION(TDataSetCancel);
TRENVIK_DATASET_ACTION(TDataSetRefresh);

#undef TRENVIK_DATASET_ACTION

void RegisterDataSetActions();
