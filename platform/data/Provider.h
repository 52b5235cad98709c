// TDataSetProvider: hands a snapshot of another dataset (its field definitions, records and, with
// poIncFieldProps, its fields' display properties) to a client dataset.
#pragma once

#include <vector>

#include "platform/classes/Component.h"
#include "platform/data/DBTypes.h"
#include "platform/data/RecordStore.h"

class TDataSet;
class TFieldDefs;

TRENVIK_ENUM(TProviderOption, poFetchBlobsOnDemand, poFetchDetailsOnDemand, poIncFieldProps, poCascadeDeletes,
             poCascadeUpdates, poReadOnly, poAllowMultiRecordUpdates, poDisableInserts, poDisableEdits,
             poDisableDeletes, poNoReset, poAutoRefresh, poPropogateChanges, poAllowCommandText,
             poRetainServerOrder);
using TProviderOptions = Set<TProviderOption>;

// Display properties of a field carried with poIncFieldProps.
struct TFieldProps {
  String FieldName;
  String DisplayLabel;
  int DisplayWidth = 0;
  bool Visible = true;
  bool ReadOnly = false;
  bool Required = false;
  TAlignment Alignment = taLeftJustify;
  String EditMask;
  String DisplayFormat;
  String EditFormat;
};

class TDataSetProvider : public TComponent {
  TRENVIK_CLASS(TDataSetProvider, TComponent);

 public:
  explicit TDataSetProvider(TComponent* AOwner);

  TDataSet* DataSet() const { return dataSet_; }
  void SetDataSet(TDataSet* Value);
  TProviderOptions Options() const { return options_; }
  void SetOptions(TProviderOptions Value) { options_ = Value; }

  // Opens the dataset when closed (closing it again after), and copies the definitions of its
  // data fields and every visible record in its order into Defs and Store (Store is reset to
  // the definitions). The dataset's position is kept. Raises EDatabaseError "Missing DataSet
  // property" without a dataset.
  void GetSnapshot(TFieldDefs* Defs, TRecordStore& Store, std::vector<TFieldProps>* Props);

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TDataSet* dataSet_ = nullptr;
  TProviderOptions options_;
};
