// The data controller bound to a dataset: its data link and provider (load-all and grid mode,
// navigation, editing and smart refresh), its data fields bound to dataset fields by name, key
// fields, the selection by bookmarks, the key save and restore around a reload and master/detail.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "cx/data/cxCustomData.h"
#include "cx/data/cxDB.h"
#include "cx/data/cxDataUtils.h"
#include "platform/data/DataLink.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"

class TcxDBDataController;
class TcxDBDataProvider;
class TcxDBDataField;

using TcxDBDataModeControllerDetailFirstEvent =
    std::function<void(TObject* Sender, TDataSet* ADataSet, const String& AMasterDetailKeyFieldNames,
                       const Variant& AMasterDetailKeyValues, bool& AReopened)>;
using TcxDBDataModeControllerDetailIsCurrentQueryEvent =
    std::function<bool(TObject* Sender, TDataSet* ADataSet, const String& AMasterDetailKeyFieldNames,
                       const Variant& AMasterDetailKeyValues)>;

// The dataset settings of a controller: grid mode, smart refresh, sync mode and the detail settings.
class TcxDBDataModeController : public TPersistent {
  TRENVIK_CLASS(TcxDBDataModeController, TPersistent);

 public:
  explicit TcxDBDataModeController(TcxDBDataController* ADataController) : dataController_(ADataController) {}
  void Assign(TPersistent* ASource) override;

  bool DetailInSQLMode = false;
  bool SyncDetails = true;
  bool SyncDataSetInsert = true;
  TcxDBDataModeControllerDetailFirstEvent OnDetailFirst;
  TcxDBDataModeControllerDetailIsCurrentQueryEvent OnDetailIsCurrentQuery;

  bool GridMode() const { return gridMode_; }
  void SetGridMode(bool AValue);
  int GridModeBufferCount() const { return gridModeBufferCount_; }
  void SetGridModeBufferCount(int AValue);
  bool SmartRefresh() const { return smartRefresh_; }
  void SetSmartRefresh(bool AValue);
  bool SyncMode() const { return syncMode_; }
  void SetSyncMode(bool AValue);

 private:
  TcxDBDataController* dataController_;
  bool gridMode_ = false;
  int gridModeBufferCount_ = 100;
  bool smartRefresh_ = false;
  bool syncMode_ = true;
};

class TcxDBDataLink : public TDataLink {
  TRENVIK_CLASS(TcxDBDataLink, TDataLink);

 public:
  explicit TcxDBDataLink(TcxDBDataProvider* AProvider);
  TcxDBDataProvider* Provider() const { return provider_; }
  bool LayoutChangePending = false;

  // Exposed for the provider, which runs the dispatcher for its pending dependents.
  void DataSetChanged() override;
  void UpdateData() override;
  void LayoutChanged() override;

 protected:
  void ActiveChanged() override;
  void DataEvent(TDataEvent Event, std::intptr_t Info) override;
  void DataSetScrolled(int Distance) override;
  void EditingChanged() override;
  void RecordChanged(TField* Field) override;
  void FocusControl(TField*& Field) override;

 private:
  TcxDBDataProvider* provider_;
};

// Reads the dataset's current record into the controller's storage.
class TcxValueDefDBReader : public TcxValueDefReader {
  TRENVIK_CLASS(TcxValueDefDBReader, TcxValueDefReader);

 public:
  String GetDisplayText(TcxValueDef* AValueDef) override;
  Variant GetValue(TcxValueDef* AValueDef) override;
  bool IsValueSkipped(TcxValueDef* AValueDef) override;
};

class TcxDBDataProvider : public TcxCustomDataProvider {
  TRENVIK_CLASS(TcxDBDataProvider, TcxCustomDataProvider);

 public:
  explicit TcxDBDataProvider(TcxCustomDataController* ADataController);
  ~TcxDBDataProvider() override;

  TcxDBDataController* DBDataController() const;
  TcxDBDataLink* DataLink() const { return dataLink_.get(); }
  TDataSet* GetDataSet() const { return dataLink_->DataSet(); }
  TDataSource* GetDataSource() const { return dataLink_->DataSource(); }
  void SetDataSource(TDataSource* ADataSource);
  int ActiveRecordIndex = -1;
  bool OwnsDetailDataSet = false;
  bool RefreshAfterCancel = false;
  int DeletedRecordIndex = -1;
  int ChangedRecordIndex = NoRecordIndex;
  bool Inserted = false;
  bool InFirst() const { return inFirst_; }
  bool InEdit() const { return inEdit_; }
  bool InInsert() const { return inInsert_; }
  bool InActiveChanged() const { return inActiveChanged_; }
  bool InSearch() const { return inSearch_; }

  // --- state queries
  bool IsCustomDataSourceSupported() override { return false; }
  bool IsGridMode() override;
  bool IsActiveDataSet() override;
  bool IsOtherInserting() override;
  bool IsSyncMode() override;
  bool IsDataAvailable() override;
  bool CanUpdateFields() override;
  bool IsBOF() override;
  bool IsEOF() override;
  bool IsEditing() override;
  bool IsInserting() override;
  bool IsModified() override;
  bool IsKeyNavigation();
  bool IsSmartRefresh();
  bool IsUnidirectional();
  bool IsDetail();
  int GetGridModeBufferCount();
  int GetBufferRecordCount() { return dataLink_->RecordCount(); }
  bool IncrementalSearch(const String& AText, bool AForward, bool ANext);

  // --- loading, navigation and position
  void RecordLoaded(int ARecordIndex) override;
  void First() override;
  void Prior() override;
  void Next() override;
  void Last() override;
  void MoveBy(int ADistance) override;
  void ScrollBuffer(int ADistance) override;
  void SavePosition() override;
  void RestorePosition() override;
  void BeginLocate() override;
  void Lock() override;
  void Unlock() override;
  void GetDisplayText(int ARecordIndex, TcxCustomDataField* AField, String& AText) override;
  void GetValue(int ARecordIndex, TcxCustomDataField* AField, Variant& AValue) override;
  int GetActiveRecordIndex() override;
  TcxValueDefReader* CreateValueDefReader() override { return new TcxValueDefDBReader(); }
  void LoadGridModeBuffer() override;
  void RefreshGridModeBuffer();
  void ActiveChanged(bool AActive) override;
  void DataScrolled(int ADistance) override;
  void LayoutChanged(int AKind) override;

  // --- editing, deletion and smart refresh
  bool CanModify() override;
  bool CanDelete() override;
  bool EditRecord(int ARecordIndex) override;
  void Append() override;
  void Cancel() override;
  void Delete() override;
  void DeleteRecords(const std::vector<int>& AList) override;
  void DeleteSelection() override;
  void Edit() override;
  void GetEditValue(int ARecordIndex, TcxCustomDataField* AField, Variant& AValue,
                    TcxEditValueSource AValueSource) override;
  void Insert() override;
  void Post() override;
  void UpdateData() override;
  bool SetEditValue(int ARecordIndex, TcxCustomDataField* AField, TcxEditValueSource AValueSource,
                    const Variant& AValue) override;
  void AssignValue(int ARecordIndex, TcxCustomDataField* AField, const Variant& AValue) override;
  void AssignDefaultValues(int ARecordIndex, const Variant& AGroupValues) override;
  void RecordChanged(TField* AField);
  void UpdateChangedRecord();
  void ResetSmartRefresh();
  void RecordDeleted(int ARecordIndex);

  // --- dataset notifications
  void LinkActiveChanged(bool AActive);
  void DataSetChanged();
  void EditingChanged();
  bool IsOtherWalking();
  // Another provider on the same dataset (this one included when AIncludeSelf) matching APredicate.
  TcxDBDataProvider* FindSameDataSetProvider(bool AIncludeSelf,
                                             const std::function<bool(TcxDBDataProvider*)>& APredicate);
  void SetRefreshAfterCancelOnOthers();
  void AddPendingDependent(TcxDBDataProvider* AProvider);
  void NotifyPendingDependents();

  // --- master/detail
  bool IsCurrentDetail();
  bool DoDetailIsCurrentQuery(const String& ANames, const Variant& AValues);
  void DoDetailFirst(const String& ANames, const Variant& AValues, bool& AReopened);
  void TakeDetailDataSet();

 private:
  struct TSavedPosition {
    TBookmarkStr Bookmark;
    int ActiveRecord = 0;
    bool Bof = false;
    bool Eof = false;
  };
  // Runs a step with a guard flag set, restoring the flag on every path.
  template <class F>
  static void WithFlag(bool& AFlag, F&& AStep) {
    bool saved = AFlag;
    AFlag = true;
    try {
      AStep();
    } catch (...) {
      AFlag = saved;
      throw;
    }
    AFlag = saved;
  }
  void DeleteRecordsByKey(const std::vector<int>& AList);
  void DeleteRecordsByPosition(const std::vector<int>& AList);
  void InsertWithPendingEdit();
  bool ReadsOtherMasterRows();

  std::unique_ptr<TcxDBDataLink> dataLink_;
  TSavedPosition saved_;
  std::vector<TcxDBDataProvider*> pendingDependents_;
  bool inActiveChanged_ = false;
  bool inEdit_ = false;
  bool inSearch_ = false;
  bool inFirst_ = false;
  bool inInsert_ = false;
  bool inGridModeChanged_ = false;
  bool notifyingDependents_ = false;
  bool inInsertSync_ = false;
};

class TcxDBDataField : public TcxCustomDataField {
  TRENVIK_CLASS(TcxDBDataField, TcxCustomDataField);

 public:
  using TcxCustomDataField::TcxCustomDataField;
  ~TcxDBDataField() override;

  // The bound dataset field, through the referred field.
  TField* Field() const;
  void SetField(TField* AField);
  const String& FieldName() const { return fieldName_; }
  void SetFieldNameDirect(const String& AName) { fieldName_ = AName; }
  TcxDBDataField* ParentField() const { return parent_; }
  int FieldCount() const;
  TcxDBDataField* Fields(int AIndex) const;
  void AddChild(TcxDBDataField* AField);
  void ClearChildren();
  // The single dataset fields this field stands for: its children, or itself.
  void GetFieldList(std::vector<TcxDBDataField*>& AList);
  bool IsLookup() const;

  void ComponentRemoved(TComponent* AComponent) override;
  bool CanEditValue(TcxEditValueSource AValueSource) override;
  bool IsUnboundValue() override;

 private:
  TcxDBDataController* DBController() const;
  TField* field_ = nullptr;
  String fieldName_;
  std::vector<TcxDBDataField*> children_;
  TcxDBDataField* parent_ = nullptr;
};

// A detail level of a dataset controller: the master key field bound to the detail's
// MasterKeyFieldNames.
class TcxDBDataRelation : public TcxCustomDataRelation {
  TRENVIK_CLASS(TcxDBDataRelation, TcxCustomDataRelation);

 public:
  using TcxCustomDataRelation::TcxCustomDataRelation;
  ~TcxDBDataRelation() override;
  TcxDBDataField* MasterKeyField() const { return masterKeyField_; }
  String GetDetailKeyFieldNames() const;
  String GetMasterKeyFieldNames() const;
  bool IsLinked() const;
  void UpdateMasterDetailKeyFieldNames();
  void FieldRemoved(TcxCustomDataField* AField) override;

 private:
  TcxDBDataField* masterKeyField_ = nullptr;
};

class TcxDBDataSummaryItem : public TcxDataSummaryItem {
  TRENVIK_CLASS(TcxDBDataSummaryItem, TcxDataSummaryItem);

 public:
  using TcxDataSummaryItem::TcxDataSummaryItem;
  ~TcxDBDataSummaryItem() override;
  const String& FieldName() const { return fieldName_; }
  void SetFieldName(const String& AValue);
  TcxCustomDataField* GetDataField() override;
  void Assign(TPersistent* ASource) override;

 private:
  String fieldName_;
  TcxDBDataField* field_ = nullptr;
};

// In grid mode the selection keeps the bookmarks of the selected records in dataset order.
class TcxDBDataSelection : public TcxDataSelection {
  TRENVIK_CLASS(TcxDBDataSelection, TcxDataSelection);

 public:
  using TcxDataSelection::TcxDataSelection;
  TcxDBDataController* DBController() const;
  const std::vector<TBookmarkStr>& Bookmarks() const { return bookmarks_; }
  TBookmarkStr AnchorBookmark;

  void ClearAnchor() override;
  void AddEntry(int AIndex, int ARowIndex, int ALevel, int ARecord) override;
  void ClearEntries() override;
  void DeleteEntry(int AIndex) override;
  bool FindByRowIndex(int ARowIndex, int& AIndex) const override;

  void SelectAll();
  void SelectRange(const TBookmarkStr& ABookmark, bool AKeepSelection);
  bool RemoveInvalidBookmarks();
  int CompareBookmarks(const TBookmarkStr& A, const TBookmarkStr& B) const;
  bool FindBookmark(const TBookmarkStr& ABookmark, int& AIndex) const;
  TBookmarkStr GetRowBookmark(int ARowIndex) const;

 private:
  bool IsGridMode() const;
  void SyncEntryCount();
  void WalkRange(const TBookmarkStr& AFirst, const TBookmarkStr& ALast, bool AMerge);
  bool AdjustRangeByOne(const TBookmarkStr& AFirst, const TBookmarkStr& ALast, bool AForward);
  std::vector<TBookmarkStr> bookmarks_;
  bool inSelectAll_ = false;
};

// Key values of selected and expanded records, kept across a reload (named apart from the
// foundation's set of wanted keys, which shares a header with it in every dataset editor).
class TcxSaveObject;
class TcxDBKeys : public TObject {
  TRENVIK_CLASS(TcxDBKeys, TObject);

 public:
  struct TEntry {
    Variant KeyValues;
    int Index = -1;
    std::unique_ptr<TcxSaveObject> SaveObject;
  };
  void SaveFor(TcxDBDataController* AController);
  void RestoreFor(TcxDBDataController* AController);
  bool FindRecordKey(int ARecordIndex, int& AEntryIndex);
  int Count() const { return static_cast<int>(entries_.size()); }

 protected:
  virtual void Save() {}
  virtual void Restore() {}
  TcxDBDataController* controller_ = nullptr;
  std::vector<TEntry> entries_;
};

class TcxDetailKeys : public TcxDBKeys {
  TRENVIK_CLASS(TcxDetailKeys, TcxDBKeys);

 protected:
  void Save() override;
  void Restore() override;
};

class TcxSelectedKeys : public TcxDBKeys {
  TRENVIK_CLASS(TcxSelectedKeys, TcxDBKeys);

 protected:
  void Save() override;
  void Restore() override;
};

class TcxSaveObject : public TObject {
  TRENVIK_CLASS(TcxSaveObject, TObject);

 public:
  void Save(TcxDBDataController* AController);
  void Restore(TcxDBDataController* AController);

 private:
  TcxDetailKeys detailKeys_;
  TcxSelectedKeys selectedKeys_;
};

// The default way to bring a detail dataset to a master's rows: Locate on the detail key, or in
// SQL mode a re-query with the master key values as parameters.
class TcxDBProviderDetailFilterAdapter : public TcxDBAdapterItem {
  TRENVIK_CLASS(TcxDBProviderDetailFilterAdapter, TcxDBAdapterItem);

 public:
  virtual bool IsCurrentQuery(TDataSet* ADataSet, const String& AParamNames, const Variant& AParamValues);
  virtual void ReopenDetailQuery(TDataSet* ADataSet, const String& AParamNames, const Variant& AParamValues,
                                 bool& AReopened);
  virtual void DetailFirst(TDataSet* ADataSet, const String& AParamNames, const Variant& AParamValues,
                           bool& AReopened, bool ASQLMode);
};

TcxDBAdapterList* cxDetailFilterAdapters();
void cxCreateDetailFilterAdapters();
void cxFreeDetailFilterAdapters();

class TcxDBDataController : public TcxCustomDataController {
  TRENVIK_CLASS(TcxDBDataController, TcxCustomDataController);

 public:
  explicit TcxDBDataController(TComponent* AOwner);
  ~TcxDBDataController() override;
  void Initialize() override;

  TcxDBDataProvider* DBProvider() const { return static_cast<TcxDBDataProvider*>(Provider()); }
  TcxDBDataModeController* DataModeController() const { return dataModeController_.get(); }
  void SetDataModeController(TcxDBDataModeController* AValue) { dataModeController_->Assign(AValue); }
  TDataSource* DataSource() const { return DBProvider()->GetDataSource(); }
  void SetDataSource(TDataSource* AValue);
  TDataSet* GetDataSet() const { return DBProvider()->GetDataSet(); }
  const String& KeyFieldNames() const { return keyFieldNames_; }
  void SetKeyFieldNames(const String& AValue);
  const String& DetailKeyFieldNames() const { return detailKeyFieldNames_; }
  void SetDetailKeyFieldNames(const String& AValue);
  const String& MasterKeyFieldNames() const { return masterKeyFieldNames_; }
  void SetMasterKeyFieldNames(const String& AValue);
  TcxDBDataField* KeyField() const { return keyField_; }
  const Variant& MasterKeyValues() const { return masterKeyValues_; }
  bool InCheckBrowseMode() const { return inCheckBrowseMode_; }
  bool Grouped() const { return DataControllerInfo()->GroupingFieldList()->Count() > 0; }

  // --- fields and keys
  void ChangeFieldName(int AItemIndex, const String& AFieldName);
  TObject* GetItemByFieldName(const String& AFieldName);
  TField* GetItemField(int AItemIndex);
  String GetItemFieldName(int AItemIndex);
  TcxDBDataField* GetDBField(int AItemIndex);
  Variant GetKeyValues(int ARecordIndex);
  Variant GetRecordKeyValues(int ARecordIndex);
  Variant GetDataSetKeyValues();
  int FindRecordIndexByKey(const Variant& AKeyValues);
  bool LocateByKey(const Variant& AKeyValues);
  int FindRecordIndexByFields(const std::vector<TcxDBDataField*>& AFields);
  bool IsSameFieldValues(int ARecordIndex, int AValuesRecord, const std::vector<TcxDBDataField*>& AFields);
  // Binds the field to ';'-separated names (children for several, or always with AKeyList).
  void SetFieldName(TcxDBDataField* AField, const String& ANames, bool AKeyList);
  void UpdateField(TcxDBDataField* AField, bool AOnlyLookupKeys);
  void UnbindFields();
  // Binds (creating it when missing) or, for empty names, frees an internal field of the controller.
  void BindInternalField(TcxDBDataField*& AField, const String& ANames);
  bool IsKeyNavigation();
  void UpdateEditingRecord();
  // A detail in SQL mode re-queries its dataset with its own master's key before its focus moves.
  void RequeryDetailIfNeeded();
  // Positions the masters on the detail dataset's current record; answers the detail controller
  // that holds it (this one without a master), or nullptr.
  TcxDBDataController* SyncMasterDetail();

  // --- selection by bookmarks (grid mode)
  TcxDBDataSelection* DBSelection() const;
  TBookmarkStr GetSelectedBookmark(int AIndex);
  TBookmarkStr GetSelectionAnchorBookmark();

  // --- master/detail
  // A variable that holds this controller and is set to nullptr when the controller is destroyed,
  // so that a caller notices a controller freed during a nested operation.
  void AddReference(TcxDBDataController** AReference) { references_.push_back(AReference); }
  void RemoveReference(TcxDBDataController** AReference);
  void GetDetailKeyFields(std::vector<TField*>& AList);
  String EffectiveDetailKeyFieldNames() const;
  Variant GetMasterKeyValues(TcxDBDataRelation* ARelation, int AMasterRecordIndex);
  TcxDBProviderDetailFilterAdapter* GetDetailFilterAdapter();
  bool IsDetailKeyChanged();

  // --- overrides
  void Assign(TPersistent* ASource) override;
  bool CanChangeDetailExpanding(int ARecordIndex, bool AExpanded) override;
  bool ChangeFocusedRecord(int ARecordIndex) override;
  void CheckBrowseMode() override;
  bool CanChangeFocus() override;
  void RecordDeleted(int ARecordIndex) override;
  bool IncrementalSearch(const String& AText, bool AForward, bool ANext) override;
  int GetCurrentRecordIndex() override;
  TcxCustomDataProvider* CreateDataProvider() override { return new TcxDBDataProvider(this); }
  TcxDataSelection* CreateDataSelection() override { return new TcxDBDataSelection(this); }
  TcxCustomDataField* CreateDataField() override { return new TcxDBDataField(Fields()); }
  TcxDataFilterCriteria* CreateFilterCriteria() override;
  TcxCustomDataRelation* CreateRelation(TcxCustomDataRelationList* AList, TObject* AItem) override {
    return new TcxDBDataRelation(AList, AItem);
  }
  TClass GetSummaryItemClass() override { return TcxDBDataSummaryItem::StaticClass(); }
  bool IsProviderField(TcxCustomDataField* AField) override;
  bool CanLoadData() override { return true; }
  void LoadData() override;
  void NotifyPendingDependents() override { DBProvider()->NotifyPendingDependents(); }
  void DoUpdateField(TcxCustomDataField* AField) override;
  void Notification(TComponent* AComponent) override;
  void UpdateFields() override;
  void SyncFocusedRecord() override;
  void RelationsChanged(TcxCustomDataRelation* ARelation) override;
  void ChangeValueTypeClass(int AItemIndex, TcxValueTypeClass AClass) override;
  void GetGroupingValue(int ARecordIndex, TcxCustomDataField* AField, Variant& AValue) override;
  void SetMasterRelation(TcxCustomDataRelation* ARelation, int AMasterRecordIndex) override;
  void ForEachRow(bool ASelectedOnly, const TcxForEachRowProc& AProc, void* AData) override;
  void GetFilterValue(int ARecordIndex, TcxCustomDataField* AField, Variant& AValue) override;
  String GetItemFilterName(TObject* AItem) override;
  int GetSelectedRowIndex(int AIndex) override;
  int GetSelectionAnchorRowIndex() override;
  bool IsSelectionAnchorExist() override;
  void SelectAll() override;
  void SelectFromAnchor(int ARowIndex, bool AKeepSelection) override;
  void SetSelectionAnchor(int ARowIndex) override;
  virtual void DoDataSourceChanged() {}

 private:
  friend class TcxDBDataProvider;
  void UpdateValueType(TcxDBDataField* AField);
  void CheckGridModeRow(int ARowIndex);
  std::unique_ptr<TcxDBDataModeController> dataModeController_;
  String keyFieldNames_;
  String detailKeyFieldNames_;
  String masterKeyFieldNames_;
  TcxDBDataField* keyField_ = nullptr;
  Variant masterKeyValues_;
  std::vector<TField*> detailKeyFields_;
  bool detailKeyFieldsValid_ = false;
  bool inCheckBrowseMode_ = false;
  bool unbindingFields_ = false;
  bool synchronisingMasters_ = false;
  std::vector<TcxDBDataController**> references_;
};

// Scopes of the dataset walks: the dataset's controls disabled, a provider locate bracket, and a
// walk with the provider locked and its position saved (restored, then unlocked, at the end).
inline auto ControlsDisabledScope(TDataSet* ADataSet) {
  ADataSet->DisableControls();
  return TScopeExit([ADataSet] { ADataSet->EnableControls(); });
}

inline auto LocateScope(TcxCustomDataProvider* AProvider) {
  AProvider->BeginLocate();
  return TScopeExit([AProvider] { AProvider->EndLocate(); });
}

inline auto WalkScope(TcxCustomDataProvider* AProvider) {
  AProvider->Lock();
  AProvider->SavePosition();
  return TScopeExit([AProvider] {
    TScopeExit unlock([AProvider] { AProvider->Unlock(); });
    AProvider->RestorePosition();
  });
}
