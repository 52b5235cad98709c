// The dataset controller's filter: the hand-off of the expression text to the dataset.
#include "cx/data/cxDBFilter.h"

#include "cx/data/cxDBData.h"

TRENVIK_IMPLEMENT_CLASS(TcxDBDataFilterCriteriaItem)
TRENVIK_IMPLEMENT_CLASS(TcxDBDataFilterCriteria)

namespace {

bool OwnerIn(TcxCustomDataController* AController, TComponentStateElement AState) {
  TComponent* owner = AController->Owner();
  return owner && owner->ComponentState().Contains(AState);
}

}  // namespace

void TcxDBDataFilterCriteria::SetAutoDataSetFilter(bool AValue) {
  if (autoDataSetFilter_ == AValue) return;
  autoDataSetFilter_ = AValue;
  Changed();
}

void TcxDBDataFilterCriteria::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TcxDBDataFilterCriteria*>(ASource);
  if (!source) {
    TcxDataFilterCriteria::Assign(ASource);
    return;
  }
  BeginUpdate();
  TScopeExit closing([&] { EndUpdate(); });
  TcxDataFilterCriteria::Assign(ASource);
  SetAutoDataSetFilter(source->AutoDataSetFilter());
}

void TcxDBDataFilterCriteria::AssignEvents(TPersistent* ASource) {
  TcxDataFilterCriteria::AssignEvents(ASource);
  if (auto* source = dynamic_cast<TcxDBDataFilterCriteria*>(ASource)) OnBeforeChange = source->OnBeforeChange;
}

TcxFilterCriteriaItem* TcxDBDataFilterCriteria::CreateItem(TcxFilterCriteriaItemList* AParent,
                                                           TObject* AItemLink,
                                                           TcxFilterOperatorKind AOperatorKind,
                                                           const Variant& AValue, const String& ADisplayValue) {
  return new TcxDBDataFilterCriteriaItem(AParent, AItemLink, AOperatorKind, AValue, ADisplayValue);
}

void TcxDBDataFilterCriteria::RestoreDefaults() {
  BeginUpdate();
  TScopeExit closing([&] { EndUpdate(); });
  TcxDataFilterCriteria::RestoreDefaults();
  SetAutoDataSetFilter(false);
}

// The dataset or the application filters the records then, not the controller.
bool TcxDBDataFilterCriteria::IsFiltering() {
  return TcxDataFilterCriteria::IsFiltering() && !OnBeforeChange && !autoDataSetFilter_;
}

void TcxDBDataFilterCriteria::ApplyToDataSet(TDataSet* ADataSet, const String& AFilterText) {
  ADataSet->SetFilter(AFilterText);
  TFilterOptions options = ADataSet->FilterOptions();
  if (Options().Contains(fcoCaseInsensitive))
    options.Include(foCaseInsensitive);
  else
    options.Exclude(foCaseInsensitive);
  ADataSet->SetFilterOptions(options);
  ADataSet->SetFiltered(Active() && !ADataSet->Filter().empty());
}

void TcxDBDataFilterCriteria::DoChanged() {
  auto* controller = static_cast<TcxDBDataController*>(DataController());
  bool destroying = CriteriaDestroying() || OwnerIn(controller, csDestroying);
  if (!destroying) {
    TDataSet* dataSet = controller->GetDataSet();
    String text;
    GetFilterText(text);
    if (OnBeforeChange && !OwnerIn(controller, csLoading)) OnBeforeChange(this, dataSet, text);
    if (autoDataSetFilter_ && dataSet) ApplyToDataSet(dataSet, text);
  }
  TcxDataFilterCriteria::DoChanged();
  if (!destroying && controller->DBProvider()->IsSyncMode() && controller->GetFocusedRecordIndex() < 0)
    controller->SyncFocusedRecord();
}
