// Dataset master/detail: relations with their master key field, the detail key, positioning or
// re-querying the shared detail dataset for a master record.
#include "cx/data/cxDBData.h"
#include "cx/data/cxDataConsts.h"
#include "cx/data/cxVariants.h"
#include "platform/data/Field.h"
#include "platform/classes/TypInfo.h"
#include "platform/data/MemoryDataSet.h"
#include "platform/data/Params.h"

TRENVIK_IMPLEMENT_CLASS(TcxDBDataRelation)
TRENVIK_IMPLEMENT_CLASS(TcxDBProviderDetailFilterAdapter)

namespace {

TcxDBAdapterList* gDetailFilterAdapters = nullptr;

// The dataset's published "Params"; the memory dataset keeps its parameters without publishing
// them.
TParams* DataSetParams(TDataSet* ADataSet) {
  if (IsPublishedProp(ADataSet, u"Params")) return dynamic_cast<TParams*>(GetObjectProp(ADataSet, u"Params"));
  if (auto* memory = dynamic_cast<TMemoryDataSet*>(ADataSet)) return memory->Params();
  return nullptr;
}

TcxDBDataController* PatternOf(const TcxDBDataRelation* ARelation) {
  return dynamic_cast<TcxDBDataController*>(ARelation->DetailDataController);
}

}  // namespace

// --- adapters

TcxDBAdapterList* cxDetailFilterAdapters() { return gDetailFilterAdapters; }

void cxCreateDetailFilterAdapters() {
  gDetailFilterAdapters = new TcxDBAdapterList();
  gDetailFilterAdapters->RegisterAdapter(TDataSet::StaticClass(), TcxDBProviderDetailFilterAdapter::StaticClass());
}

void cxFreeDetailFilterAdapters() {
  delete gDetailFilterAdapters;
  gDetailFilterAdapters = nullptr;
}

bool TcxDBProviderDetailFilterAdapter::IsCurrentQuery(TDataSet* ADataSet, const String& AParamNames,
                                                      const Variant& AParamValues) {
  TParams* params = DataSetParams(ADataSet);
  return params && cxVariantCompareEqual(params->ParamValues(AParamNames), AParamValues);
}

void TcxDBProviderDetailFilterAdapter::ReopenDetailQuery(TDataSet* ADataSet, const String& AParamNames,
                                                         const Variant& AParamValues, bool& AReopened) {
  TParams* params = DataSetParams(ADataSet);
  if (!params) return;
  if (cxVariantCompareEqual(params->ParamValues(AParamNames), AParamValues)) {
    ADataSet->First();
    return;
  }
  ADataSet->DisableControls();
  TScopeExit closing([&] { ADataSet->EnableControls(); });
  ADataSet->SetActive(false);
  params->SetParamValues(AParamNames, AParamValues);
  ADataSet->SetActive(true);
  AReopened = true;
}

void TcxDBProviderDetailFilterAdapter::DetailFirst(TDataSet* ADataSet, const String& AParamNames,
                                                   const Variant& AParamValues, bool& AReopened, bool ASQLMode) {
  if (ASQLMode)
    ReopenDetailQuery(ADataSet, AParamNames, AParamValues, AReopened);
  else
    ADataSet->Locate(AParamNames, AParamValues, TLocateOptions{});
}

TcxDBProviderDetailFilterAdapter* TcxDBDataController::GetDetailFilterAdapter() {
  int index = -1;
  TDataSet* dataSet = GetDataSet();
  if (!dataSet || !cxDetailFilterAdapters() || !cxDetailFilterAdapters()->FindAdapter(dataSet->ClassType(), index))
    cxRaiseDataControllerError(u"DetailFilterController not found");
  return static_cast<TcxDBProviderDetailFilterAdapter*>(cxDetailFilterAdapters()->Items(index));
}

// --- relations

TcxDBDataRelation::~TcxDBDataRelation() {
  TcxDBDataField* field = masterKeyField_;
  masterKeyField_ = nullptr;
  delete field;
}

String TcxDBDataRelation::GetDetailKeyFieldNames() const {
  TcxDBDataController* pattern = PatternOf(this);
  return pattern ? pattern->DetailKeyFieldNames() : String();
}

String TcxDBDataRelation::GetMasterKeyFieldNames() const {
  TcxDBDataController* pattern = PatternOf(this);
  return pattern ? pattern->MasterKeyFieldNames() : String();
}

bool TcxDBDataRelation::IsLinked() const { return masterKeyField_ && !GetDetailKeyFieldNames().empty(); }

void TcxDBDataRelation::UpdateMasterDetailKeyFieldNames() {
  static_cast<TcxDBDataController*>(GetDataController())->BindInternalField(masterKeyField_, GetMasterKeyFieldNames());
}

void TcxDBDataRelation::FieldRemoved(TcxCustomDataField* AField) {
  if (AField == masterKeyField_) masterKeyField_ = nullptr;
}

void TcxDBDataController::RelationsChanged(TcxCustomDataRelation* ARelation) {
  TcxCustomDataController::RelationsChanged(ARelation);
  for (int i = 0; i < Relations()->GetCount(); ++i)
    if (auto* relation = dynamic_cast<TcxDBDataRelation*>(Relations()->GetItem(i)))
      relation->UpdateMasterDetailKeyFieldNames();
}

// --- detail key names and values

namespace {

void ReportRelationChanged(TcxDBDataController* AController) {
  TcxCustomDataRelation* relation = AController->GetMasterRelation();
  if (relation && relation->GetDataController()->GetDetailRole() != 2) relation->Changed();
}

}  // namespace

void TcxDBDataController::SetDetailKeyFieldNames(const String& AValue) {
  if (detailKeyFieldNames_ == AValue) return;
  detailKeyFieldNames_ = AValue;
  detailKeyFields_.clear();
  detailKeyFieldsValid_ = false;
  ReportRelationChanged(this);
}

void TcxDBDataController::SetMasterKeyFieldNames(const String& AValue) {
  if (masterKeyFieldNames_ == AValue) return;
  masterKeyFieldNames_ = AValue;
  detailKeyFields_.clear();
  detailKeyFieldsValid_ = false;
  ReportRelationChanged(this);
}

String TcxDBDataController::EffectiveDetailKeyFieldNames() const {
  return masterKeyFieldNames_.empty() ? String() : detailKeyFieldNames_;
}

void TcxDBDataController::GetDetailKeyFields(std::vector<TField*>& AList) {
  TDataSet* dataSet = GetDataSet();
  if (!detailKeyFieldsValid_ && dataSet && dataSet->Active()) {
    detailKeyFields_.clear();
    String names = EffectiveDetailKeyFieldNames();
    if (!names.empty()) dataSet->GetFieldList(detailKeyFields_, names);
    for (TField* field : detailKeyFields_) field->FreeNotification(NotifierComponent());
    detailKeyFieldsValid_ = true;
  }
  AList = detailKeyFields_;
}

// The dataset's current record belongs to another master than this detail's.
bool TcxDBDataController::IsDetailKeyChanged() {
  std::vector<TField*> fields;
  GetDetailKeyFields(fields);
  if (fields.empty()) return true;
  Variant current;
  GetFieldValues(GetDataSet(), fields, current);
  return !cxVariantCompareEqual(current, masterKeyValues_);
}

Variant TcxDBDataController::GetMasterKeyValues(TcxDBDataRelation* ARelation, int AMasterRecordIndex) {
  CheckRecordIndex(AMasterRecordIndex);
  if (!ARelation->IsLinked()) return Variant();
  TcxDBDataField* key = ARelation->MasterKeyField();
  if (key->FieldCount() == 0) {
    Variant value;
    GetFieldValue(AMasterRecordIndex, key, value);
    return value;
  }
  std::vector<Variant> values(static_cast<size_t>(key->FieldCount()));
  for (int i = 0; i < key->FieldCount(); ++i) GetFieldValue(AMasterRecordIndex, key->Fields(i), values[i]);
  return VarArrayOf(values);
}

void TcxDBDataController::SetMasterRelation(TcxCustomDataRelation* ARelation, int AMasterRecordIndex) {
  BeginUpdate();
  TScopeExit closing([&] { EndUpdate(); });
  TcxCustomDataController::SetMasterRelation(ARelation, AMasterRecordIndex);
  auto* relation = dynamic_cast<TcxDBDataRelation*>(ARelation);
  if (relation && AMasterRecordIndex != -1) {
    auto* master = static_cast<TcxDBDataController*>(relation->GetDataController());
    masterKeyValues_ = master->GetMasterKeyValues(relation, AMasterRecordIndex);
    if (DBProvider()->IsDataAvailable()) DataChanged(dcTotal);
  }
}

// --- the provider's side

void TcxDBDataProvider::DoDetailFirst(const String& ANames, const Variant& AValues, bool& AReopened) {
  AReopened = false;
  TcxDBDataController* dc = DBDataController();
  TcxDBDataModeController* mode = dc->DataModeController();
  if (mode->OnDetailFirst)
    mode->OnDetailFirst(mode, GetDataSet(), ANames, AValues, AReopened);
  else
    dc->GetDetailFilterAdapter()->DetailFirst(GetDataSet(), ANames, AValues, AReopened, mode->DetailInSQLMode);
}

bool TcxDBDataProvider::DoDetailIsCurrentQuery(const String& ANames, const Variant& AValues) {
  TcxDBDataController* dc = DBDataController();
  TcxDBDataModeController* mode = dc->DataModeController();
  if (mode->OnDetailIsCurrentQuery) return mode->OnDetailIsCurrentQuery(mode, GetDataSet(), ANames, AValues);
  return dc->GetDetailFilterAdapter()->IsCurrentQuery(GetDataSet(), ANames, AValues);
}

// Every clone of the same relation shares the detail dataset; only this one holds its rows now.
void TcxDBDataProvider::TakeDetailDataSet() {
  TcxCustomDataRelation* relation = DataController()->GetMasterRelation();
  if (!relation) return;
  FindSameDataSetProvider(false, [&](TcxDBDataProvider* p) {
    if (p->DataController()->GetMasterRelation() == relation) p->OwnsDetailDataSet = false;
    return false;
  });
  OwnsDetailDataSet = true;
}

bool TcxDBDataProvider::IsCurrentDetail() {
  TcxDBDataController* dc = DBDataController();
  TcxDBDataModeController* mode = dc->DataModeController();
  if (!IsDetail() || mode->DetailInSQLMode || !mode->SyncMode()) return OwnsDetailDataSet;
  if (InEdit()) return true;
  if (dc->GetFocusedRowIndex() < 0 && !OwnsDetailDataSet) {
    if (dc->NewItemRowEnabled() && dc->IsNewItemRowActive()) return IsInserting();
    return false;
  }
  return !FindSameDataSetProvider(false, [](TcxDBDataProvider* p) { return p->InEdit(); });
}

void TcxDBDataController::RequeryDetailIfNeeded() {
  TcxDBDataProvider* provider = DBProvider();
  if (!dataModeController_->DetailInSQLMode || VarIsEmpty(masterKeyValues_)) return;
  String names = EffectiveDetailKeyFieldNames();
  if (provider->DoDetailIsCurrentQuery(names, masterKeyValues_)) return;
  provider->Lock();
  TScopeExit unlock([provider] { provider->Unlock(); });
  provider->First();
  provider->SavePosition();
  provider->RestorePosition();
  provider->ActiveRecordIndex = 0;
}

namespace {

TcxDBDataController* MasterOf(TcxDBDataController* AController) {
  TcxCustomDataRelation* relation = AController->GetMasterRelation();
  return relation ? static_cast<TcxDBDataController*>(relation->GetDataController()) : nullptr;
}

}  // namespace

TcxDBDataController* TcxDBDataController::SyncMasterDetail() {
  auto* relation = dynamic_cast<TcxDBDataRelation*>(GetMasterRelation());
  if (!relation || EffectiveDetailKeyFieldNames().empty()) return this;
  TcxDBDataController* master = MasterOf(this);
  if (!DBProvider()->IsSyncMode()) return nullptr;
  for (TcxDBDataController* m = master; m; m = MasterOf(m))
    if (!m->DBProvider()->IsSyncMode() || !m->IsKeyNavigation() || m->DBProvider()->IsEditing()) return nullptr;
  bool saved = master->synchronisingMasters_;
  master->synchronisingMasters_ = true;
  TScopeExit reset([master, saved] { master->synchronisingMasters_ = saved; });
  TDataSet* masterDataSet = master->GetDataSet();
  Variant detailValues = GetDataSet()->FieldValues(relation->GetDetailKeyFieldNames());
  String masterNames = relation->GetMasterKeyFieldNames();
  if (!cxVariantCompareEqual(masterDataSet->FieldValues(masterNames), detailValues)) {
    auto located = LocateScope(master->Provider());
    masterDataSet->Locate(masterNames, detailValues, TLocateOptions{});
  }
  if (!cxVariantCompareEqual(masterDataSet->FieldValues(masterNames), detailValues)) return nullptr;
  TcxDBDataController* holder = master->SyncMasterDetail();
  if (!holder) return nullptr;
  int row = holder->GetFocusedRowIndex();
  if (row < 0) return nullptr;
  int record = holder->GetRowRecordIndex(row);
  holder->ChangeDetailExpanding(record, true);
  if (!holder->GetDetailExpanding(record)) return nullptr;
  holder->ChangeDetailActiveRelationIndex(record, relation->GetIndex());
  return dynamic_cast<TcxDBDataController*>(holder->GetDetailDataController(record, relation->GetIndex()));
}

// Pending edits up the master chain are posted before the focus moves; posting a master may
// rebuild its details and free this controller, and then the focus change is refused.
bool TcxDBDataController::CanChangeFocus() {
  TcxCustomDataRelation* relation = GetMasterRelation();
  if (!relation) return true;
  auto* master = static_cast<TcxDBDataController*>(relation->GetDataController());
  if (!master->CanChangeFocus()) return false;
  TcxDBDataController* self = this;
  TcxDBDataController* masterAlive = master;
  AddReference(&self);
  master->AddReference(&masterAlive);
  TScopeExit release([&self, &masterAlive] {
    if (masterAlive) masterAlive->RemoveReference(&masterAlive);
    if (self) self->RemoveReference(&self);
  });
  masterAlive->CheckBrowseMode();
  if (!self) return false;
  self->CheckBrowseMode();
  return masterAlive != nullptr;
}
