// The data controller: records kept in a storage, items (columns) bound to data fields, the rows a
// view shows (filtered, sorted, grouped), focus, selection, editing through a provider, summaries,
// incremental search and the notifications that tell the owning view what changed.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "cx/data/cxDataSort.h"
#include "cx/data/cxDataStorage.h"
#include "cx/data/cxEditValueSource.h"
#include "cx/data/cxFilter.h"
#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/rtl/Exceptions.h"

TRENVIK_DECLARE_EXCEPTION(EcxInvalidDataControllerOperation, Exception);
[[noreturn]] void cxRaiseDataControllerError(const String& AMessage);
[[noreturn]] void cxRaiseDataControllerError(int AResString);

// The provider's record index when no record is meant.
constexpr int NoRecordIndex = -2147483647;

TRENVIK_ENUM(TcxDataSortOrder, soNone, soAscending, soDescending);
TRENVIK_ENUM(TcxDataControllerOption, dcoAnsiSort, dcoCaseInsensitive, dcoAssignGroupingValues,
             dcoAssignMasterDetailKeys, dcoSaveExpanding, dcoSortByDisplayText);
using TcxDataControllerOptions = Set<TcxDataControllerOption>;

TRENVIK_ENUM(TcxSummaryKind, skNone, skSum, skMin, skMax, skCount, skAverage);
TRENVIK_ENUM(TcxSummaryPosition, spGroup, spFooter);
TRENVIK_ENUM(TcxSummaryOption, soNullIgnore, soSelectedRecords);
using TcxSummaryOptions = Set<TcxSummaryOption>;

// Data-side change kinds.
constexpr int dcField = 0;
constexpr int dcRecord = 1;
constexpr int dcNew = 2;
constexpr int dcDeleted = 3;
constexpr int dcTotal = 4;

// Edit operations and edit state bits.
constexpr int dceopAppend = 1, dceopDelete = 2, dceopEdit = 4, dceopInsert = 8, dceopItemEdit = 16;
constexpr int dceInsert = 1, dceEdit = 2, dceChanging = 4, dceModified = 8;

class TcxCustomDataController;
class TcxCustomDataControllerInfo;
class TcxCustomDataField;
class TcxCustomDataFieldList;
class TcxCustomDataRelation;
class TcxCustomDataRelationList;
class TcxDataControllerGroups;
class TcxDataControllerSearch;
class TcxDataFilterCriteria;
class TcxDataSelection;
class TcxDataSummary;
class TcxDataSummaryItem;
class TcxUpdateControlInfo;
class TcxDataSummaryGroupItemLink;

// ---------------------------------------------------------------------------------------------
// Provider and record source

class TcxCustomDataProvider;

// A source of records outside the controller's storage (no concrete one is part of the system).
class TcxCustomRecordSource : public TObject {
  TRENVIK_CLASS(TcxCustomRecordSource, TObject);

 public:
  TcxCustomDataProvider* Provider = nullptr;
  TcxCustomDataProvider* OwnerProvider = nullptr;
  virtual int AppendRecord() = 0;
  virtual void DeleteRecord(int ARecordHandle) = 0;
  virtual void GetDisplayText(int ARecordHandle, int AItemHandle, String& AText) = 0;
  virtual bool GetValueBuffer(int ARecordHandle, int AItemHandle, const void*& ABuffer) = 0;
  virtual int GetItemHandle(int AItemIndex) = 0;
  virtual bool IsInsertSupported() { return false; }
  virtual void GetValue(int ARecordHandle, int AItemHandle, Variant& AValue) = 0;
  virtual int InsertRecord(int ARecordHandle) = 0;
  virtual bool IsNativeCompareSupported() { return false; }
  virtual bool IsNativeCompareFuncSupported() { return false; }
  virtual void LoadRecordHandles() = 0;
  virtual int NativeCompare(int, int, int) { return 0; }
  virtual void SetRecordCount(int ACount) = 0;
  virtual void SetValue(int ARecordHandle, int AItemHandle, const Variant& AValue) = 0;
};

class TcxCustomDataProvider : public TObject {
  TRENVIK_CLASS(TcxCustomDataProvider, TObject);

 public:
  using TCreateArg = TcxCustomDataController;
  explicit TcxCustomDataProvider(TcxCustomDataController* ADataController);
  ~TcxCustomDataProvider() override;

  TcxCustomDataController* DataController() const { return dataController_; }
  TcxCustomRecordSource* RecordSource() const { return recordSource_; }
  void SetRecordSource(TcxCustomRecordSource* ASource);
  void LoadRecordsFromSource();
  int EditingRecordIndex() const { return editingRecordIndex_; }
  int AppendedRecordIndex = -1;
  int LockCount() const { return lockCount_; }
  int LocateCount() const { return locateCount_; }
  bool FieldsChanged = false;
  bool InsertSynchronising = false;
  bool Grouped = false;
  int EditBufferRecord() const { return editBufferRecord_; }

  virtual bool IsCustomDataSourceSupported() { return true; }
  virtual bool IsGridMode() { return false; }
  virtual bool IsActiveDataSet() { return false; }
  virtual bool IsOtherInserting() { return false; }
  virtual bool IsSyncMode() { return false; }
  virtual bool IsDataAvailable() { return recordSource_ != nullptr; }
  virtual bool CanUpdateFields() { return false; }
  virtual bool IsBOF() { return true; }
  virtual bool IsChanging() { return changing_; }
  virtual bool IsEditing() { return editingRecordIndex_ != NoRecordIndex; }
  virtual bool IsEOF() { return true; }
  virtual bool IsInserting() { return IsEditing() && inserting_; }
  virtual bool IsModified() { return modified_; }
  virtual void RecordLoaded(int) {}
  virtual void First() { FieldsChanged = false; }
  virtual void Prior() {}
  virtual void Next() {}
  virtual void Last() {}
  virtual void MoveBy(int) {}
  virtual void ScrollBuffer(int) {}
  virtual void SavePosition() {}
  virtual void RestorePosition() {}
  virtual bool CanAppend() { return CanModify(); }
  virtual bool CanDelete();
  virtual bool EditRecord(int ARecordIndex);
  virtual bool CanInsert() { return CanModify(); }
  virtual bool CanModify() { return true; }
  virtual void Append() { BeginInserting(true); }
  virtual void Cancel();
  virtual void Delete();
  virtual void DeleteRecords(const std::vector<int>& AList);
  virtual void DeleteSelection();
  virtual void Edit() { DoEdit(); }
  virtual void GetEditValue(int ARecordIndex, TcxCustomDataField* AField, Variant& AValue,
                            TcxEditValueSource AValueSource);
  virtual void Insert() { BeginInserting(false); }
  virtual void Post();
  virtual void UpdateData();
  virtual bool SetEditValue(int ARecordIndex, TcxCustomDataField* AField, TcxEditValueSource AValueSource,
                            const Variant& AValue);
  virtual void AssignValue(int ARecordIndex, TcxCustomDataField* AField, const Variant& AValue);
  virtual void AssignDefaultValues(int ARecordIndex, const Variant& AGroupValues);
  virtual void BeginEditing();
  virtual void BeginInserting(bool AAppend);
  virtual void ClearChanging() { changing_ = false; }
  virtual void EndEditing();
  virtual void ResetModified() { modified_ = false; }
  virtual void SetChanging() { changing_ = true; }
  virtual void DoEdit() { BeginEditing(); }
  virtual void SetModified() { modified_ = true; }
  virtual void BeginLocate() { ++locateCount_; }
  virtual void EndLocate() { --locateCount_; }
  virtual void Lock() { ++lockCount_; }
  virtual void Unlock() { --lockCount_; }
  virtual int AppendRecordToSource();
  virtual void DeleteRecordFromSource(int ARecordIndex);
  virtual void GetSourceDisplayText(int ARecordIndex, TcxCustomDataField* AField, String& AText);
  virtual void GetDisplayText(int, TcxCustomDataField*, String& AText) { AText.clear(); }
  virtual void GetValue(int, TcxCustomDataField*, Variant& AValue) { AValue = Null(); }
  virtual int GetActiveRecordIndex() { return -1; }
  virtual void GetSourceValue(int ARecordIndex, TcxCustomDataField* AField, Variant& AValue);
  // The reader that fills a record while loading; the unbound provider loads nothing by reading.
  virtual TcxValueDefReader* CreateValueDefReader() { return nullptr; }
  virtual int InsertRecordToSource(int ARecordIndex);
  virtual void LoadGridModeBuffer() {}
  virtual int CompareValues(int ARecordIndex1, int ARecordIndex2, TcxCustomDataField* AField);
  virtual int NativeCompare(int ARecordIndex1, int ARecordIndex2, TcxCustomDataField* AField);
  virtual void SetSourceDisplayText(int, TcxCustomDataField*, const String&) {}
  virtual void SetRecordCount(int ACount);
  virtual void SetSourceValue(int ARecordIndex, TcxCustomDataField* AField, const Variant& AValue);
  virtual void ActiveChanged(bool AActive);
  virtual void DataChanged(int AKind);
  virtual void DataScrolled(int ADistance);
  virtual void LayoutChanged(int AKind);

  void FreeEditBuffer();
  // The storage dropped its internal records: the edit buffer went with them.
  void InternalRecordsCleared() { editBufferRecord_ = 0; }
  // The record handle of a record, and the record of a handle (-1 when none).
  int RecordHandle(int ARecordIndex);
  int RecordIndexOfHandle(int AHandle);

 private:
  bool changing_ = false;
  TcxCustomRecordSource* recordSource_ = nullptr;
  TcxCustomDataController* dataController_;
  int editingRecordIndex_ = NoRecordIndex;
  bool inserting_ = false;
  int locateCount_ = 0;
  int lockCount_ = 0;
  bool modified_ = false;
  int editBufferRecord_ = 0;
};

// ---------------------------------------------------------------------------------------------
// Fields, detail objects, relations

class TcxCustomDataField : public TObject {
  TRENVIK_CLASS(TcxCustomDataField, TObject);

 public:
  using TCreateArg = TcxCustomDataFieldList;
  explicit TcxCustomDataField(TcxCustomDataFieldList* AFieldList) : fieldList_(AFieldList) {}
  ~TcxCustomDataField() override;

  TcxCustomDataFieldList* FieldList() const { return fieldList_; }
  TcxCustomDataController* GetDataController() const;
  int GetIndex() const;
  void SetIndex(int AIndex);
  TObject* Item() const { return item_; }
  void SetItem(TObject* AItem) { item_ = AItem; }
  bool IsInternal() const { return internal_; }
  void SetIsInternal(bool AValue);
  TcxCustomDataField* ReferenceField() const { return referenceField_; }
  void SetReferenceField(TcxCustomDataField* AField);
  TcxValueDef* GetValueDef() const { return referenceField_ ? referenceField_->valueDef_ : valueDef_; }
  TcxValueTypeClass GetValueTypeClass() const {
    return referenceField_ ? referenceField_->valueTypeClass_ : valueTypeClass_;
  }
  void SetValueTypeClass(TcxValueTypeClass AClass);
  bool GetTextStored() const { return referenceField_ ? referenceField_->textStored_ : textStored_; }
  void SetTextStored(bool AValue);
  bool ValueCompare = false;
  int SortMode = 0;
  bool Done = false;

  void BeginRecreateData();
  void EndRecreateData();
  void CreateValueDef();
  void FreeValueDef();
  void DataLayoutChanged();

  virtual void TakeOverValueDef(TcxCustomDataField* AField);
  virtual void ComponentRemoved(TComponent*) {}
  virtual bool CanEditValue(TcxEditValueSource AValueSource);
  virtual bool IsUnboundValue() { return internal_; }

 private:
  friend class TcxCustomDataFieldList;
  TcxCustomDataFieldList* fieldList_;
  bool internal_ = false;
  TObject* item_ = nullptr;
  int recreateLock_ = 0;
  TcxCustomDataField* referenceField_ = nullptr;
  bool textStored_ = false;
  TcxValueDef* valueDef_ = nullptr;
  TcxValueTypeClass valueTypeClass_ = nullptr;
};

class TcxCustomDataFieldList : public TObject {
  TRENVIK_CLASS(TcxCustomDataFieldList, TObject);

 public:
  explicit TcxCustomDataFieldList(TcxCustomDataController* ADataController)
      : dataController_(ADataController) {}
  ~TcxCustomDataFieldList() override;

  TcxCustomDataController* DataController() const { return dataController_; }
  bool FieldDestroyed = false;
  int InternalCount() const { return internalCount_; }

  virtual void ComponentRemoved(TComponent* AComponent);
  void Add(TcxCustomDataField* AField);
  void Remove(TcxCustomDataField* AField);
  void ReassignReferences(TcxCustomDataField* AField);
  void Clear();
  TcxCustomDataField* FindByItem(TObject* AItem) const;
  int GetCount() const { return static_cast<int>(items_.size()); }
  TcxCustomDataField* GetItem(int AIndex) const { return items_.at(static_cast<size_t>(AIndex)); }
  int GetItemCount() const { return GetCount() - internalCount_; }
  int IndexOf(const TcxCustomDataField* AField) const;
  void Move(int ACurIndex, int ANewIndex);

 private:
  friend class TcxCustomDataField;
  void Recount();
  TcxCustomDataController* dataController_;
  int internalCount_ = 0;
  std::vector<TcxCustomDataField*> items_;
};

class TcxDetailObject : public TObject {
  TRENVIK_CLASS(TcxDetailObject, TObject);

 public:
  ~TcxDetailObject() override { ClearLinkObjects(); }
  int ActiveRelationIndex = -1;
  bool Expanded = false;

  void ClearLinkObjects();
  void SetRelationCount(int ACount);
  bool IsEmpty() const;
  TObject* GetLinkObject(int AIndex) const;
  int GetLinkObjectCount() const { return static_cast<int>(linkObjects_.size()); }
  void SetLinkObject(int AIndex, TObject* AObject);

 private:
  std::vector<TObject*> linkObjects_;
};

class TcxCustomDataRelation : public TObject {
  TRENVIK_CLASS(TcxCustomDataRelation, TObject);

 public:
  TcxCustomDataRelation(TcxCustomDataRelationList* ARelationList, TObject* AItem);
  ~TcxCustomDataRelation() override;

  TcxCustomDataController* DetailDataController = nullptr;
  TObject* Item() const { return item_; }
  TcxCustomDataRelationList* RelationList() const { return relationList_; }
  void Changed();
  TcxCustomDataController* GetDataController() const;
  int GetIndex() const;

  virtual void FieldRemoved(TcxCustomDataField*) {}
  virtual void Assign(TcxCustomDataRelation*) {}

 private:
  friend class TcxCustomDataRelationList;
  TObject* item_;
  TcxCustomDataRelationList* relationList_;
};

class TcxCustomDataRelationList : public TObject {
  TRENVIK_CLASS(TcxCustomDataRelationList, TObject);

 public:
  explicit TcxCustomDataRelationList(TcxCustomDataController* ADataController)
      : dataController_(ADataController) {}
  ~TcxCustomDataRelationList() override;

  TcxCustomDataController* DataController() const { return dataController_; }
  TcxCustomDataField* DetailField() const { return detailField_; }
  TcxCustomDataRelation* Add(TObject* AItem);
  void Assign(TcxCustomDataRelationList* AList);
  void BeginUpdate() { ++lockCount_; }
  void EndUpdate();
  void Clear();
  TcxCustomDataRelation* FindByItem(TObject* AItem) const;
  int GetCount() const { return static_cast<int>(items_.size()); }
  TcxCustomDataRelation* GetItem(int AIndex) const { return items_.at(static_cast<size_t>(AIndex)); }
  int IndexOf(const TcxCustomDataRelation* ARelation) const;
  void Changed(TcxCustomDataRelation* ARelation);
  void FieldRemoved(TcxCustomDataField* AField);
  TcxDetailObject* GetDetailObject(int ARecordIndex);
  // The record's detail object without making one; nullptr when there is none.
  TcxDetailObject* StoredDetailObject(int ARecordIndex);
  bool ClearDetailObject(int ARecordIndex, int ARelationIndex);
  bool IsDetailObjectExist(int ARecordIndex, int ARelationIndex);

 private:
  friend class TcxCustomDataRelation;
  void AddRelation(TcxCustomDataRelation* ARelation);
  void RemoveRelation(TcxCustomDataRelation* ARelation);
  void DoChanged(TcxCustomDataRelation* ARelation);
  TcxCustomDataController* dataController_;
  TcxCustomDataField* detailField_ = nullptr;
  std::vector<TcxCustomDataRelation*> items_;
  int lockCount_ = 0;
};

// ---------------------------------------------------------------------------------------------
// Sorting and grouping lists, the group tree

struct TcxDataSortingEntry {
  TcxCustomDataField* Field;
  TcxDataSortOrder SortOrder;
};

class TcxSortingFieldList : public TObject {
  TRENVIK_CLASS(TcxSortingFieldList, TObject);

 public:
  std::function<void()> OnChanged;

  virtual void ChangeSorting(TcxCustomDataField* AField, TcxDataSortOrder AOrder);
  void Add(TcxCustomDataField* AField, TcxDataSortOrder AOrder);
  void Insert(int AIndex, TcxCustomDataField* AField, TcxDataSortOrder AOrder);
  void Delete(int AIndex);
  void Remove(TcxCustomDataField* AField);
  void Move(int ACurIndex, int ANewIndex);
  void SetSortOrder(int AIndex, TcxDataSortOrder AOrder);
  void Clear();
  int IndexOf(TcxCustomDataField* AField) const;
  TcxDataSortOrder GetSortOrder(TcxCustomDataField* AField) const;
  int Count() const { return static_cast<int>(entries_.size()); }
  const TcxDataSortingEntry& GetEntry(int AIndex) const { return entries_.at(static_cast<size_t>(AIndex)); }
  void AppendMissing(const TcxSortingFieldList* AList);
  void NotifyIfContains(TcxCustomDataField* AField);
  void ChangeGroupIndex(TcxCustomDataField* AField, int AIndex);

 protected:
  void Notify() {
    if (OnChanged) OnChanged();
  }
  std::vector<TcxDataSortingEntry> entries_;
};

class TcxGroupingFieldList : public TcxSortingFieldList {
  TRENVIK_CLASS(TcxGroupingFieldList, TcxSortingFieldList);

 public:
  void ChangeSorting(TcxCustomDataField* AField, TcxDataSortOrder AOrder) override;
  int GetGroupIndex(TcxCustomDataField* AField) const { return IndexOf(AField); }
  void SyncSortOrders(const TcxSortingFieldList* ASortingList);
};

struct TcxDataGroupInfo {
  int RowIndex = 0;
  bool Expanded = false;
  int Level = 0;
  int FirstIndex = 0;
  int LastIndex = 0;
  Variant SummaryValues;
};

// A row: expanded (group rows), level (a data row has the number of grouping levels) and record
// index (the group tree itself reports the record-list position here).
struct TcxRowInfo {
  bool Expanded = false;
  int Level = 0;
  int RecordIndex = 0;
};

class TcxDataGroups : public TObject {
  TRENVIK_CLASS(TcxDataGroups, TObject);

 public:
  void Clear();
  int AddField(TcxCustomDataField* AField);
  TcxCustomDataField* GetField(int ALevel) const { return fields_.at(static_cast<size_t>(ALevel)); }
  int GetLevelCount() const { return static_cast<int>(fields_.size()); }
  TcxDataGroupInfo* AddItem();
  TcxDataGroupInfo* GetItem(int AIndex) { return &items_.at(static_cast<size_t>(AIndex)); }
  int GetCount() const { return static_cast<int>(items_.size()); }
  int Find(int ARowIndex, TcxDataGroupInfo*& AItem);
  TcxDataGroupInfo* GetVisibleItem(int ARowIndex, int& AIndex);
  bool IsVisibleItem(int AIndex);
  void GetRowInfo(int ARowIndex, TcxRowInfo& AInfo);
  int GetRowCount();
  void ChangeExpanding(int ARowIndex, bool AExpanded, bool ARecursive);
  bool MakeVisible(int AIndex, bool AExpandSelf);
  int GetTopLevelCount() const;
  int GetTopLevelItemIndex(int AIndex) const;
  int GetChildCount(int AIndex) const;
  int GetChildIndex(int AIndex, int AChild) const;
  int GetChildRecordListIndex(int AIndex, int AChild) const;
  int GetItemIndexByRowIndex(int ARowIndex, int ALevel = -1);
  int GetLevel(int AIndex) const;
  int FindGroupByRecordListIndex(int APosition, int ALevel) const;
  int GetParentIndex(int AIndex) const;
  // The index of the item whose row a data row or group row belongs to (-1 when none).
  int FindItemIndex(int ARowIndex);
  void RenumberRows();

 private:
  int RenumberLevel(int AIndex, int ALevel, bool AVisible, int& ACounter);
  std::vector<TcxCustomDataField*> fields_;
  std::vector<TcxDataGroupInfo> items_;
};

// ---------------------------------------------------------------------------------------------
// Focus, expanding infos, selection

class TcxDataFocusingInfo : public TObject {
  TRENVIK_CLASS(TcxDataFocusingInfo, TObject);

 public:
  explicit TcxDataFocusingInfo(TcxCustomDataControllerInfo* AControllerInfo)
      : controllerInfo_(AControllerInfo) {}
  bool Changed = false;
  int Level = -1;
  int PrevRecordIndex = -1;
  int RecordIndex = -1;
  int RowIndex = -1;

  void Assign(const TcxDataFocusingInfo* ASource);
  bool IsEqual(const TcxDataFocusingInfo* AInfo) const {
    return RecordIndex == AInfo->RecordIndex && Level == AInfo->Level;
  }
  void SyncFromData();
  void UpdateFromRow();

 private:
  TcxCustomDataControllerInfo* controllerInfo_;
};

struct TcxDataExpandingInfo {
  int Level;
  Variant Value;
  Byte State;
};

constexpr Byte dessExpanded = 1;
constexpr Byte dessSelected = 2;

class TcxDataExpandingInfos : public TObject {
  TRENVIK_CLASS(TcxDataExpandingInfos, TObject);

 public:
  Byte SaveStates = 0;
  void AddField(TcxCustomDataField* AField);
  void Add(int ALevel, const Variant& AValue, Byte AState);
  void ClearIfContains(TcxCustomDataField* AField);
  void Clear();
  void ClearFields() { fields_.clear(); }
  void ClearItems() { items_.clear(); }
  int IndexOfField(TcxCustomDataField* AField) const;
  int Count() const { return static_cast<int>(items_.size()); }
  int FieldCount() const { return static_cast<int>(fields_.size()); }
  TcxCustomDataField* GetField(int AIndex) const { return fields_.at(static_cast<size_t>(AIndex)); }
  const TcxDataExpandingInfo& GetItem(int AIndex) const { return items_.at(static_cast<size_t>(AIndex)); }

 private:
  std::vector<TcxCustomDataField*> fields_;
  std::vector<TcxDataExpandingInfo> items_;
};

struct TcxDataSelectionEntry {
  int Level;
  int RecordIndex;
  int RowIndex;
};

class TcxDataSelection : public TObject {
  TRENVIK_CLASS(TcxDataSelection, TObject);

 public:
  using TCreateArg = TcxCustomDataController;
  explicit TcxDataSelection(TcxCustomDataController* ADataController) : dataController_(ADataController) {}
  ~TcxDataSelection() override = default;

  int AnchorRowIndex = -1;
  std::function<void()> OnChanged;
  TcxCustomDataController* DataController() const { return dataController_; }

  virtual void ClearAnchor() { AnchorRowIndex = -1; }
  virtual void AddEntry(int AIndex, int ARowIndex, int ALevel, int ARecord);
  virtual void ClearEntries() { entries_.clear(); }
  virtual void DeleteEntry(int AIndex);
  void SetCount(int ACount);
  void Add(int AIndex, int ARowIndex, int ALevel, int ARecord);
  virtual bool FindByRowIndex(int ARowIndex, int& AIndex) const;

  void Clear();
  void Reset();
  void Delete(int AIndex);
  int FindGroupRow(int AGroupIndex) const;
  int FindRecord(int ARecord) const;
  bool IsRecordSelected(int ARecord) const { return FindRecord(ARecord) != -1; }
  bool IsRowSelected(int ARowIndex) const {
    int i;
    return FindByRowIndex(ARowIndex, i);
  }
  void Sort();
  int GetCount() const { return static_cast<int>(entries_.size()); }
  TcxDataSelectionEntry& GetEntry(int AIndex) { return entries_.at(static_cast<size_t>(AIndex)); }

 protected:
  void Notify() {
    if (OnChanged) OnChanged();
  }
  TcxCustomDataController* dataController_;
  std::vector<TcxDataSelectionEntry> entries_;

 public:
  // Entry access for the info's rebuild (no notification).
  std::vector<TcxDataSelectionEntry>& Entries() { return entries_; }
};

// ---------------------------------------------------------------------------------------------
// Controller info: records into rows

// Change bits of the info.
constexpr Word dcicLoad = 0x0001, dcicGrouping = 0x0002, dcicSorting = 0x0004, dcicFocusedRow = 0x0008,
               dcicView = 0x0010, dcicExpanding = 0x0020, dcicResyncFocused = 0x0040, dcicSelection = 0x0080,
               dcicSummary = 0x0100, dcicFocusedRecord = 0x0200;

class TcxCustomDataControllerInfo : public TObject {
  TRENVIK_CLASS(TcxCustomDataControllerInfo, TObject);

 public:
  using TCreateArg = TcxCustomDataController;
  explicit TcxCustomDataControllerInfo(TcxCustomDataController* ADataController);
  ~TcxCustomDataControllerInfo() override;

  TcxCustomDataController* DataController() const { return dataController_; }
  TcxDataGroups* DataGroups() const { return dataGroups_.get(); }
  TcxDataExpandingInfos* ExpandingInfos() const { return expandingInfos_.get(); }
  TcxDataFocusingInfo* FocusingInfo() const { return focusingInfo_.get(); }
  TcxDataFocusingInfo* PrevFocusingInfo() const { return prevFocusingInfo_.get(); }
  TcxGroupingFieldList* GroupingFieldList() const { return groupingFieldList_.get(); }
  TcxSortingFieldList* SortingFieldList() const { return sortingFieldList_.get(); }
  TcxSortingFieldList* TotalSortingFieldList() const { return totalSortingFieldList_.get(); }
  TcxDataSelection* Selection() const { return selection_.get(); }
  int LockCount() const { return lockCount_; }
  Word Changes() const { return changes_; }
  bool Focusing() const { return focusing_; }
  const std::vector<int>& RecordList() const { return recordList_; }

  virtual void CorrectSelection();
  virtual void Update();

  void BeginUpdate() { ++lockCount_; }
  void EndUpdate();
  void CheckUpdate();
  void Refresh();
  void SyncFocusedRecord();
  void SummaryChanged(bool ARedrawOnly);
  void ExpandingChanged();
  void FocusedRecordChanged(bool AMarkChanged);
  void SelectionChanged();
  void RemoveField(TcxCustomDataField* AField);
  void FieldChanged(TcxCustomDataField* AField);
  void ChangeSortOrder(TcxCustomDataField* AField, TcxDataSortOrder AOrder);
  void ClearSorting(bool AKeepGroupingOrders);
  void ChangeExpanding(int ARowIndex, bool AExpanded, bool ARecursive);
  void ChangeGroupIndex(TcxCustomDataField* AField, int AIndex);
  int GetRowCount();
  int GetRowIndexByRecordIndex(int ARecordIndex, bool AMakeVisible);
  void GetRowInfo(int ARowIndex, TcxRowInfo& AInfo, int& ARecordIndex);
  void ChangeRowSelection(int ARowIndex, bool ASelected);
  void ClearSelection();
  void ClearSelectionAnchor() { selection_->ClearAnchor(); }
  int GetSelectedCount() const { return selection_->GetCount(); }
  int GetSelectedRowIndex(int AIndex) const { return selection_->GetEntry(AIndex).RowIndex; }
  bool IsRowSelected(int ARowIndex);
  int GetFocusedRecordIndex();
  int GetFocusedRowIndex() const { return focusingInfo_->RowIndex; }
  int GetPrevFocusedRowIndex() const { return prevFocusingInfo_->RowIndex; }
  int GetPrevFocusedRecordIndex() const { return prevFocusingInfo_->PrevRecordIndex; }
  bool IsPrevFocusingChanged() const { return prevFocusingInfo_->Changed; }
  void ChangeFocusedRowIndex(int ARowIndex);
  int GetRecordListCount() const { return static_cast<int>(recordList_.size()); }
  int GetRecordListItem(int AIndex) const { return recordList_.at(static_cast<size_t>(AIndex)); }
  int GetRecordListIndex(int ARecordIndex) const;
  bool IsGrouped() const { return dataGroups_->GetCount() > 0; }
  void CheckRowIndex(int ARowIndex);
  void ChangeFocusedRow(int ARowIndex, bool AForce);
  int FindFocusedRow(bool AKeepExpanding);
  // The first record of a group item (following first children down to the deepest level).
  int GetGroupFirstRecordListIndex(int AItemIndex);
  // Sorts the record list by the total sorting list.
  void Sort();
  int FindGroupPositionPublic(int AValuesRecord, int ALevelCount) {
    return FindGroupPosition(AValuesRecord, ALevelCount);
  }

 protected:
  void LoadRecordList();
  void FilterRecords();
  void BuildGroups();
  void SaveStates();
  void RestoreExpanding();
  void RestoreFocus();
  void RefocusAfterCollapse();
  void AdjustSelectionToGroups();
  void AdjustSelectionToList();
  void UpdateSelectionRows();
  void CalculateSummary();
  void NotifyController();
  int GetRecordRow(int AGroupIndex, int APosition, bool AMakeVisible);
  int GetGroupRowOfRecord(int AGroupIndex, int ALevel);
  int FindDeepestGroup(int APosition) const;
  // The record-list position of the first record whose first ALevelCount grouping values equal
  // those of AValuesRecord (a halving search over the sorted list), or -1.
  int FindGroupPosition(int AValuesRecord, int ALevelCount);
  // The record-list position of every record (-1 for records filtered out).
  std::vector<int> RecordPositions() const;
  int CompareRecords(int ARecordIndex1, int ARecordIndex2);
  void PrepareSorting();
  void UnprepareSorting();

 private:
  template <class F>
  void WalkVisibleGroups(bool ASaveCollapsed, F&& AVisit);
  Word changes_ = 0;
  TcxCustomDataController* dataController_;
  std::unique_ptr<TcxDataGroups> dataGroups_;
  std::unique_ptr<TcxDataExpandingInfos> expandingInfos_;
  bool expandingChanged_ = false;
  bool focusing_ = false;
  std::unique_ptr<TcxDataFocusingInfo> focusingInfo_;
  std::unique_ptr<TcxGroupingFieldList> groupingFieldList_;
  int lockCount_ = 0;
  std::unique_ptr<TcxDataFocusingInfo> prevFocusingInfo_;
  std::vector<int> recordList_;
  std::unique_ptr<TcxDataSelection> selection_;
  std::unique_ptr<TcxSortingFieldList> sortingFieldList_;
  std::unique_ptr<TcxSortingFieldList> totalSortingFieldList_;
  // The sort keys of the current rebuild, kept from sorting to grouping.
  TcxRecordSortKeys sortKeys_;
  // Indexes of the deepest-level groups, in record-list order.
  std::vector<int> deepest_;
  bool updating_ = false;
};

// ---------------------------------------------------------------------------------------------
// Filter criteria of a controller

class TcxDataFilterCriteriaItem : public TcxFilterCriteriaItem {
  TRENVIK_CLASS(TcxDataFilterCriteriaItem, TcxFilterCriteriaItem);

 public:
  using TcxFilterCriteriaItem::TcxFilterCriteriaItem;
  TcxCustomDataField* Field() const;
  TcxDataFilterCriteria* DataCriteria();
  void GetDataValue(int ARecordIndex, Variant& AValue) override;
  void GetFieldCaption(String& AText) override;
  void GetFieldName(String& AText) override;
  TObject* GetItemLink() override;

 private:
  // The data field of the link, looked up once per link (evaluation runs once per record).
  mutable TObject* fieldLink_ = nullptr;
  mutable TcxCustomDataField* field_ = nullptr;
};

class TcxDataFilterValueList : public TcxFilterValueList {
  TRENVIK_CLASS(TcxDataFilterValueList, TcxFilterValueList);

 public:
  using TcxFilterValueList::TcxFilterValueList;
  void Load(int AItemIndex);
};

using TcxDataFilterGetValueListEvent =
    std::function<void(TcxFilterCriteria* Sender, int AItemIndex, TcxDataFilterValueList* AValueList)>;

class TcxDataFilterCriteria : public TcxFilterCriteria {
  TRENVIK_CLASS(TcxDataFilterCriteria, TcxFilterCriteria);

 public:
  explicit TcxDataFilterCriteria(TcxCustomDataController* ADataController)
      : dataController_(ADataController) {}
  ~TcxDataFilterCriteria() override;

  TcxCustomDataController* DataController() const { return dataController_; }
  bool Active() const { return active_; }
  void SetActive(bool AValue);
  TcxDataFilterGetValueListEvent OnGetValueList;

  void Assign(TPersistent* ASource) override;
  int GetIDByItemLink(TObject* AItemLink) override;
  TcxFilterCriteriaItem* CreateItem(TcxFilterCriteriaItemList* AParent, TObject* AItemLink,
                                    TcxFilterOperatorKind AOperatorKind, const Variant& AValue,
                                    const String& ADisplayValue) override;
  TObject* GetItemLinkByID(int AID) override;
  TcxFilterValueList* CreateValueList() override { return new TcxDataFilterValueList(this); }
  void DoChanged() override;
  void AssignEvents(TPersistent* ASource) override;
  TcxFilterCriteriaItem* AddItem(TcxFilterCriteriaItemList* AParent, TObject* AItemLink,
                                 TcxFilterOperatorKind AOperatorKind, const Variant& AValue,
                                 const String& ADisplayValue) override;
  TcxFilterCriteriaItem* FindItemByItemLink(TObject* AItemLink) override;
  virtual bool IsFiltering();
  TcxDataFilterValueList* CreateDataValueList() {
    return static_cast<TcxDataFilterValueList*>(CreateValueList());
  }
  bool CriteriaDestroying() const { return destroying_; }

 protected:
  void DefineProperties(TFiler* AFiler) override;

 private:
  TObject* FieldOfLink(TObject* AItemLink);
  TcxCustomDataController* dataController_;
  bool active_ = false;
  bool destroying_ = false;
};

// ---------------------------------------------------------------------------------------------
// Summaries

class TcxDataSummaryItems;

class TcxCustomDataSummaryItem : public TCollectionItem {
  TRENVIK_CLASS(TcxCustomDataSummaryItem, TCollectionItem);

 public:
  using TCollectionItem::TCollectionItem;
  TcxCustomDataField* DataField() const { return dataField_; }
  virtual TcxCustomDataController* GetDataController() = 0;
  virtual void ItemLinkChanging(TcxCustomDataField*) {}
  TObject* GetItemLink() const;
  void SetItemLink(TObject* AItem);
  void Assign(TPersistent* ASource) override;
  // Unbinds without notification (the data field is going away).
  void ClearDataField() { dataField_ = nullptr; }

 private:
  TcxCustomDataField* dataField_ = nullptr;
};

class TcxDataSummaryItem : public TcxCustomDataSummaryItem {
  TRENVIK_CLASS(TcxDataSummaryItem, TcxCustomDataSummaryItem);

 public:
  using TcxCustomDataSummaryItem::TcxCustomDataSummaryItem;
  TcxCustomDataController* GetDataController() override;
  const String& Format() const { return format_; }
  void SetFormat(const String& AValue);
  TcxSummaryKind Kind() const { return kind_; }
  void SetKind(TcxSummaryKind AValue);
  TcxSummaryPosition Position();
  void SetPosition(TcxSummaryPosition AValue);
  TcxDataSummaryItems* SummaryItems() const;
  TcxSummaryPosition StoredPosition() const { return position_; }
  bool PositionStored() const { return const_cast<TcxDataSummaryItem*>(this)->IsPositionStored(); }

  virtual bool IsPositionStored();
  virtual TcxCustomDataField* GetDataField() { return DataField(); }
  virtual void FormatValue(const Variant& AValue, bool AIsFooter, String& AText);
  void Assign(TPersistent* ASource) override;

 private:
  String format_;
  TcxSummaryKind kind_ = skNone;
  TcxSummaryPosition position_ = spGroup;
};

struct TcxSummaryEventArguments {
  int RecordIndex;
  TcxDataSummaryItem* Item;
};
struct TcxSummaryEventOutArguments {
  Variant RecordValue;
  Variant SummaryValue;
  int Count;
  bool Handled;
};
using TcxSummaryEvent =
    std::function<void(TcxDataSummaryItems* ASender, const TcxSummaryEventArguments& Arguments,
                       TcxSummaryEventOutArguments& OutArguments)>;

class TcxDataSummaryItems : public TCollection {
  TRENVIK_CLASS(TcxDataSummaryItems, TCollection);

 public:
  TcxDataSummaryItems(TcxDataSummary* ASummary, TClass AItemClass)
      : TCollection(AItemClass), summary_(ASummary) {}
  TcxDataSummary* Summary() const { return summary_; }
  TPersistent* GetOwner() override;
  TcxSummaryEvent OnSummary;

  virtual TcxSummaryPosition GetItemPosition(TcxDataSummaryItem* AItem) { return AItem->StoredPosition(); }
  virtual bool IsItemPositionStored(TcxDataSummaryItem* AItem) { return AItem->StoredPosition() == spFooter; }
  virtual void AssignEvents(TPersistent* ASource);
  virtual void GetDefaultFormat(TVarType AValueType, TcxSummaryKind AKind, String& AFormat, bool AIsFooter);
  virtual void FormatGroupSummaryText(const Variant&, String& AText) { AText.clear(); }

  TcxDataSummaryItem* Add();
  // nullptr for an item still being constructed (a collection reports the insertion from the
  // item's base constructor).
  TcxDataSummaryItem* GetItem(int AIndex) const { return dynamic_cast<TcxDataSummaryItem*>(Items(AIndex)); }
  int IndexOfItemLink(TObject* AItem) const;
  void Assign(TPersistent* ASource) override;

 protected:
  void Update(TCollectionItem* AItem) override;

 private:
  TcxDataSummary* summary_;
};

class TcxDataFooterSummaryItems : public TcxDataSummaryItems {
  TRENVIK_CLASS(TcxDataFooterSummaryItems, TcxDataSummaryItems);

 public:
  using TcxDataSummaryItems::TcxDataSummaryItems;
  TcxSummaryPosition GetItemPosition(TcxDataSummaryItem*) override { return spFooter; }
  bool IsItemPositionStored(TcxDataSummaryItem*) override { return false; }
};

class TcxDataGroupSummaryItems : public TcxDataSummaryItems {
  TRENVIK_CLASS(TcxDataGroupSummaryItems, TcxDataSummaryItems);

 public:
  using TcxDataSummaryItems::TcxDataSummaryItems;
  const String& BeginText() const { return beginText_; }
  void SetBeginText(const String& AValue);
  const String& EndText() const { return endText_; }
  void SetEndText(const String& AValue);
  const String& Separator() const { return separator_; }
  void SetSeparator(const String& AValue);
  void FormatGroupSummaryText(const Variant& AValues, String& AText) override;
  void Assign(TPersistent* ASource) override;
  bool BeginTextStored() const { return beginText_ != u"("; }
  bool EndTextStored() const { return endText_ != u")"; }
  bool SeparatorStored() const { return separator_ != u","; }

 private:
  void TextChanged();
  String beginText_ = u"(";
  String endText_ = u")";
  String separator_ = u",";
};

class TcxDataSummaryGroup;

class TcxDataSummaryGroupItemLink : public TcxCustomDataSummaryItem {
  TRENVIK_CLASS(TcxDataSummaryGroupItemLink, TcxCustomDataSummaryItem);

 public:
  using TcxCustomDataSummaryItem::TcxCustomDataSummaryItem;
  TcxCustomDataController* GetDataController() override;
  void ItemLinkChanging(TcxCustomDataField* AField) override;
  TcxDataSummaryGroup* SummaryGroup() const;
};

class TcxDataSummaryGroupItemLinks : public TCollection {
  TRENVIK_CLASS(TcxDataSummaryGroupItemLinks, TCollection);

 public:
  TcxDataSummaryGroupItemLinks(TcxDataSummaryGroup* AGroup, TClass AItemClass)
      : TCollection(AItemClass), summaryGroup_(AGroup) {}
  TcxDataSummaryGroup* SummaryGroup() const { return summaryGroup_; }
  TPersistent* GetOwner() override;
  TcxDataSummaryGroupItemLink* Add();
  TcxDataSummaryGroupItemLink* GetItem(int AIndex) const {
    return dynamic_cast<TcxDataSummaryGroupItemLink*>(Items(AIndex));
  }
  int IndexOfItemLink(TObject* AItem) const;

 protected:
  void Update(TCollectionItem* AItem) override;

 private:
  TcxDataSummaryGroup* summaryGroup_;
};

class TcxDataSummaryGroups;

class TcxDataSummaryGroup : public TCollectionItem {
  TRENVIK_CLASS(TcxDataSummaryGroup, TCollectionItem);

 public:
  explicit TcxDataSummaryGroup(TCollection* ACollection);
  ~TcxDataSummaryGroup() override;
  TcxDataSummaryGroupItemLinks* Links() const { return links_.get(); }
  TcxDataGroupSummaryItems* SummaryItems() const { return summaryItems_.get(); }
  TcxDataSummaryGroups* Groups() const;
  TcxDataSummary* Summary() const;
  void Assign(TPersistent* ASource) override;

 private:
  std::unique_ptr<TcxDataSummaryGroupItemLinks> links_;
  std::unique_ptr<TcxDataGroupSummaryItems> summaryItems_;
};

class TcxDataSummaryGroups : public TCollection {
  TRENVIK_CLASS(TcxDataSummaryGroups, TCollection);

 public:
  explicit TcxDataSummaryGroups(TcxDataSummary* ASummary);
  TcxDataSummary* Summary() const { return summary_; }
  TPersistent* GetOwner() override;
  TcxDataSummaryGroup* Add();
  TcxDataSummaryGroup* GetItem(int AIndex) const { return dynamic_cast<TcxDataSummaryGroup*>(Items(AIndex)); }
  TcxDataSummaryGroup* FindByItemLink(TObject* AItem) const;

 protected:
  void Update(TCollectionItem* AItem) override;

 private:
  TcxDataSummary* summary_;
};

class TcxDataSummary : public TPersistent {
  TRENVIK_CLASS(TcxDataSummary, TPersistent);

 public:
  explicit TcxDataSummary(TcxCustomDataController* ADataController);
  ~TcxDataSummary() override;

  TcxCustomDataController* DataController() const { return dataController_; }
  TPersistent* GetOwner() override;
  TcxDataGroupSummaryItems* DefaultGroupSummaryItems() const { return defaultGroupSummaryItems_.get(); }
  TcxDataFooterSummaryItems* FooterSummaryItems() const { return footerSummaryItems_.get(); }
  TcxDataSummaryGroups* SummaryGroups() const { return summaryGroups_.get(); }
  TcxSummaryOptions Options() const { return options_; }
  void SetOptions(TcxSummaryOptions AValue);
  TNotifyEvent OnAfterSummary;
  const Variant& FooterSummaryValues() const { return footerSummaryValues_; }

  virtual void InitValues(TcxDataSummaryItems* AItems, std::vector<int>& ACounts,
                          std::vector<Variant>& AValues);
  virtual void CalculateRange(TcxDataSummaryItems* AItems, int AFirst, std::vector<Variant>& AValues,
                              std::vector<int>& ACounts, int ALast);
  virtual void Changed(bool ARedrawOnly);
  virtual void DoAfterSummary();
  virtual void FinishValue(TcxDataSummaryItem* AItem, Variant& AValue, int ACount);
  virtual void CalculateItem(TcxDataSummaryItem* AItem, int ARecordIndex, int& ACount, Variant& AValue);
  virtual void FinishValues(TcxDataSummaryItems* AItems, const std::vector<int>& ACounts, Variant& AResult,
                            std::vector<Variant>& AValues);
  virtual int GetSummaryRecordIndex(int APosition);
  virtual bool IsValidValueIndex(const Variant& AValues, int AIndex);
  virtual void DoChanged(bool ARedrawOnly);
  virtual void AssignEvents(TPersistent* ASource);
  virtual void Calculate();
  virtual void CalculateFooterSummary();
  virtual void CalculateGroupSummaries();
  // Adds one record's value to a running result (the kinds' arithmetic of CalculateItem).
  void Accumulate(TcxDataSummaryItem* AItem, const Variant& ARecordValue, int& ACount, Variant& AValue);

  Variant GetFooterSummaryValue(int AIndex);
  String GetFooterSummaryText(int AIndex);
  TcxDataGroupSummaryItems* GetGroupSummaryItems(int ALevel);
  String GetGroupSummaryText(int ARowIndex);
  int GetGroupFooterItemIndex(int ALevel, TObject* AItem);
  bool GetGroupFooterSummaryText(int ARowIndex, int ALevel, String& AText, int AItemIndex);
  void BeginUpdate();
  void EndUpdate();
  void CancelUpdate();
  void FieldRemoved(TcxCustomDataField* AField);
  void Assign(TPersistent* ASource) override;
  bool Destroying() const { return destroying_; }

 private:
  TcxCustomDataController* dataController_;
  std::unique_ptr<TcxDataGroupSummaryItems> defaultGroupSummaryItems_;
  std::unique_ptr<TcxDataFooterSummaryItems> footerSummaryItems_;
  std::unique_ptr<TcxDataSummaryGroups> summaryGroups_;
  void CalculateGroupSummariesInOnePass();
  void CalculateGroupSummariesByLevel(TcxDataGroups* AGroups);
  TcxSummaryOptions options_;
  Variant footerSummaryValues_;
  int lockCount_ = 0;
  bool destroying_ = false;
  bool inAfterSummary_ = false;
};

// ---------------------------------------------------------------------------------------------
// Search, locate objects, readers, notifications

class TcxDataControllerSearch : public TObject {
  TRENVIK_CLASS(TcxDataControllerSearch, TObject);

 public:
  explicit TcxDataControllerSearch(TcxCustomDataController* ADataController)
      : dataController_(ADataController) {}
  bool Locate(int AItemIndex, const String& AText);
  bool LocateNext(bool AForward);
  void Cancel();
  int GetItemIndex() const;
  bool GetSearching() const;
  String GetSearchText() const;
  void SetItemIndex(int AItemIndex);
  void Lock() { locked_ = true; }
  void Unlock() { locked_ = false; }
  bool Locked() const { return locked_; }

 private:
  bool DoSearch(int AFrom, int ATo, const String& AText);
  TcxCustomDataController* dataController_;
  bool locked_ = false;
};

class TcxDataControllerLocateObject : public TObject {
  TRENVIK_CLASS(TcxDataControllerLocateObject, TObject);

 public:
  explicit TcxDataControllerLocateObject(TcxCustomDataController* ADataController)
      : dataController_(ADataController) {}
  ~TcxDataControllerLocateObject() override { ReleaseRecord(); }
  TcxCustomDataController* DataController() const { return dataController_; }
  int RecordIndex() const { return recordIndex_; }
  virtual void ReleaseRecord();
  virtual int FindRecordIndex() = 0;
  void ReadValues(TcxValueDefReader* AReader);

 protected:
  TcxCustomDataController* dataController_;
  int recordIndex_ = 0;
};

class TcxDataControllerKeyLocateObject : public TcxDataControllerLocateObject {
  TRENVIK_CLASS(TcxDataControllerKeyLocateObject, TcxDataControllerLocateObject);

 public:
  using TcxDataControllerLocateObject::TcxDataControllerLocateObject;
  std::vector<TcxCustomDataField*> Fields;
  int FindRecordIndex() override;
};

class TcxDataControllerGroupLocateObject : public TcxDataControllerLocateObject {
  TRENVIK_CLASS(TcxDataControllerGroupLocateObject, TcxDataControllerLocateObject);

 public:
  explicit TcxDataControllerGroupLocateObject(TcxCustomDataController* ADataController);
  int Level() const { return level_; }
  void SetLevel(int AValue);
  int FindRecordIndex() override;
  const std::vector<TcxCustomDataField*>& GroupingFields() const { return groupingFields_; }

 private:
  void UpdateFindFields();
  std::vector<TcxCustomDataField*> groupingFields_;
  std::vector<TcxCustomDataField*> findFields_;
  int level_ = 0;
  bool halvingSearch_ = true;
};

class TcxValueDefUnboundReader : public TcxValueDefReader {
  TRENVIK_CLASS(TcxValueDefUnboundReader, TcxValueDefReader);

 public:
  ~TcxValueDefUnboundReader() override { ClearValues(); }
  void SetValue(TcxValueDef* AValueDef, const Variant& AValue);
  Variant GetValue(TcxValueDef* AValueDef) override;
  bool IsValueSkipped(TcxValueDef* AValueDef) override;
  void ClearValues();
  // Cuts the reader back to its first ACount definitions.
  void Truncate(int ACount);
  int Count() const { return static_cast<int>(defs_.size()); }

 private:
  std::vector<TcxValueDef*> defs_;
  std::vector<std::unique_ptr<Variant>> values_;
};

class TcxValueDefRecordReader : public TcxValueDefReader {
  TRENVIK_CLASS(TcxValueDefRecordReader, TcxValueDefReader);

 public:
  TcxValueDefRecordReader(TcxCustomDataController* ADataController, int ARecordIndex)
      : dataController_(ADataController), recordIndex_(ARecordIndex) {}
  String GetDisplayText(TcxValueDef* AValueDef) override;
  Variant GetValue(TcxValueDef* AValueDef) override;
  bool IsValueSkipped(TcxValueDef* AValueDef) override;

 private:
  TcxCustomDataController* dataController_;
  int recordIndex_;
};

class TcxUpdateControlInfo : public TObject {
  TRENVIK_CLASS(TcxUpdateControlInfo, TObject);
};

class TcxFocusedRecordChangedInfo : public TcxUpdateControlInfo {
  TRENVIK_CLASS(TcxFocusedRecordChangedInfo, TcxUpdateControlInfo);

 public:
  TcxFocusedRecordChangedInfo(int APrevFocusedRecordIndex, bool ANewItemRowFocusingChanged,
                              int AFocusedRowIndex, int APrevFocusedRowIndex, int AFocusedRecordIndex)
      : PrevFocusedRecordIndex(APrevFocusedRecordIndex),
        NewItemRowFocusingChanged(ANewItemRowFocusingChanged),
        FocusedRowIndex(AFocusedRowIndex),
        PrevFocusedRowIndex(APrevFocusedRowIndex),
        FocusedRecordIndex(AFocusedRecordIndex) {}
  int PrevFocusedRecordIndex;
  bool NewItemRowFocusingChanged;
  int FocusedRowIndex;
  int PrevFocusedRowIndex;
  int FocusedRecordIndex;
};

class TcxFocusedRowChangedInfo : public TcxUpdateControlInfo {
  TRENVIK_CLASS(TcxFocusedRowChangedInfo, TcxUpdateControlInfo);

 public:
  TcxFocusedRowChangedInfo(int APrevFocusedRowIndex, int AFocusedRowIndex)
      : PrevFocusedRowIndex(APrevFocusedRowIndex), FocusedRowIndex(AFocusedRowIndex) {}
  int PrevFocusedRowIndex;
  int FocusedRowIndex;
};

class TcxSelectionChangedInfo : public TcxUpdateControlInfo {
  TRENVIK_CLASS(TcxSelectionChangedInfo, TcxUpdateControlInfo);

 public:
  TcxSelectionChangedInfo() = default;
  TcxSelectionChangedInfo(int APrevRowIndex, int ARowIndex);
  int GetCount() const { return static_cast<int>(rows_.size()); }
  int GetRowIndex(int AIndex) const { return rows_.at(static_cast<size_t>(AIndex)); }

 private:
  std::vector<int> rows_;
};

class TcxLayoutChangedInfo : public TcxUpdateControlInfo {
  TRENVIK_CLASS(TcxLayoutChangedInfo, TcxUpdateControlInfo);
};
class TcxDataChangedInfo : public TcxUpdateControlInfo {
  TRENVIK_CLASS(TcxDataChangedInfo, TcxUpdateControlInfo);
};
class TcxSearchChangedInfo : public TcxUpdateControlInfo {
  TRENVIK_CLASS(TcxSearchChangedInfo, TcxUpdateControlInfo);
};

// ---------------------------------------------------------------------------------------------
// Grouping access

class TcxDataControllerGroups : public TObject {
  TRENVIK_CLASS(TcxDataControllerGroups, TObject);

 public:
  explicit TcxDataControllerGroups(TcxCustomDataController* ADataController)
      : dataController_(ADataController) {}
  void ChangeExpanding(int ARowIndex, bool AExpanded, bool ARecursive);
  void ChangeGroupIndex(int AItemIndex, int AGroupIndex);
  int GetGroupingItemCount() const;
  int GetGroupingItemIndex(int AIndex) const;
  int GetItemGroupIndex(int AItemIndex) const;
  void AddRowRecords(std::vector<int>& AList, int ARowIndex);
  void AddGroupRecords(std::vector<int>& AList, int AGroupIndex);
  int GetChildCount(int AGroupIndex) const;
  int GetChildGroupIndex(int AGroupIndex, int AChildIndex) const;
  int GetChildRecordIndex(int AGroupIndex, int AChildIndex) const;
  int GetGroupIndexOfRow(int ARowIndex) const;
  int GetLevel(int AGroupIndex) const;

 private:
  TcxDataGroups* DataGroups() const;
  TcxCustomDataController* dataController_;
};

// ---------------------------------------------------------------------------------------------
// The controller

class TcxCustomDataController;

class TcxDataControllerNotifier : public TComponent {
  TRENVIK_CLASS(TcxDataControllerNotifier, TComponent);

 public:
  TcxDataControllerNotifier(TComponent* AOwner, TcxCustomDataController* ADataController)
      : TComponent(AOwner), dataController_(ADataController) {}

 protected:
  void Notification(TComponent* AComponent, TOperation AOperation) override;

 private:
  TcxCustomDataController* dataController_;
};

// Controller change flags.
constexpr Word dccLayout = 0x0001, dccData = 0x0002, dccFocus = 0x0004, dccSelection = 0x0008,
               dccDetail = 0x0010, dccSummary = 0x0020, dccSearch = 0x0040, dccSorting = 0x0080,
               dccGrouping = 0x0100, dccSyncMasterRecord = 0x0200;

using TcxDataControllerCompareEvent =
    std::function<void(TcxCustomDataController* ADataController, int ARecordIndex1, int ARecordIndex2,
                       int AItemIndex, const Variant& V1, const Variant& V2, int& Compare)>;
using TcxDataChangedListener = std::function<void(TcxCustomDataController* Sender)>;
using TcxUpdateControlEvent = std::function<void(TcxUpdateControlInfo* AInfo)>;
using TcxForEachRowProc = std::function<void(void* AData, int ARowIndex, const TcxRowInfo& ARowInfo)>;
using TcxForEachDetailProc = std::function<void(void* AData, TcxCustomDataController* ADataController)>;

class TcxCustomDataController : public TPersistent {
  TRENVIK_CLASS(TcxCustomDataController, TPersistent);

 public:
  explicit TcxCustomDataController(TComponent* AOwner);
  ~TcxCustomDataController() override;
  // Sets the destroying flag so that notifications from the parts are ignored; a descendant's
  // destructor calls it first.
  void BeforeDestruction();
  // Creates the parts through the class factories; called once right after construction (the
  // factories are virtual, so a descendant's own classes are used). See cxCreateDataController.
  virtual void Initialize();

  TComponent* Owner() const { return owner_; }
  TPersistent* GetOwner() override { return owner_; }
  TcxCustomDataControllerInfo* DataControllerInfo() const { return info_.get(); }
  TcxDataStorage* DataStorage() const { return storage_.get(); }
  TcxCustomDataFieldList* Fields() const { return fields_.get(); }
  TcxDataFilterCriteria* Filter() const { return filter_.get(); }
  void SetFilter(TcxDataFilterCriteria* AValue) { filter_->Assign(AValue); }
  TcxDataSummary* Summary() const { return summary_.get(); }
  void SetSummary(TcxDataSummary* AValue) { summary_->Assign(AValue); }
  TcxDataControllerSearch* Search() const { return search_.get(); }
  TcxDataControllerGroups* Groups() const { return groups_.get(); }
  TcxCustomDataProvider* Provider() const { return provider_.get(); }
  // The component through which the controller receives free notifications of dataset fields.
  TComponent* NotifierComponent() const { return notifier_; }
  TcxDataControllerOptions GetOptions() const { return options_; }
  void SetOptions(TcxDataControllerOptions AValue);
  bool IsDestroying() const { return destroying_; }
  bool Locating() const { return locating_; }
  void SetLocating(bool AValue) { locating_ = AValue; }
  TcxCustomDataField* RecordHandleField() const { return recordHandleField_; }
  bool MultiSelect() const { return multiSelect_; }
  bool NewItemRowEnabled() const { return newItemRowEnabled_; }
  bool NewItemRowFocused() const { return newItemRowFocused_; }
  bool GroupingChangedMark = false;
  bool SortingChangedMark = false;
  bool DeferredSummary = false;
  TcxCustomDataField* SearchField = nullptr;
  bool Searching = false;
  String SearchText;

  TcxDataControllerCompareEvent OnCompare;
  TNotifyEvent OnDataChanged;
  TNotifyEvent OnGroupingChanged;
  TNotifyEvent OnSortingChanged;
  TcxUpdateControlEvent OnUpdateControl;

  // --- class factories and the virtual slots
  void Assign(TPersistent* ASource) override;
  virtual TcxCustomDataField* CreateInternalField();
  virtual TcxCustomDataField* CreateField();
  virtual int GetRecordIndexToEdit();
  virtual bool CanChangeDetailExpanding(int, bool) { return true; }
  virtual bool ChangeFocusedRecord(int ARecordIndex);
  virtual bool CanSelectRow(int) { return true; }
  virtual void CheckBrowseMode() {}
  virtual bool CanChangeFocus() { return true; }
  virtual void CopyRecord(int ASource, int ADest);
  virtual void RecordInserted(int ARecordIndex);
  virtual void RecordDeleted(int ARecordIndex);
  virtual void DoDataChanged();
  virtual bool IsIncrementalFilterMatch(int ARecordIndex);
  virtual void DoRecordLoaded(int ARecordIndex) { provider_->RecordLoaded(ARecordIndex); }
  virtual bool IncrementalSearch(const String&, bool, bool) { return false; }
  virtual TObject* FindItemByID(int AID);
  virtual TObject* FindSameItem(TObject* AItem) { return FindItemByID(GetItemID(AItem)); }
  virtual int GetCurrentRecordIndex() { return GetFocusedRecordIndex(); }
  virtual TcxCustomDataProvider* CreateDataProvider() { return new TcxCustomDataProvider(this); }
  virtual TcxDataSelection* CreateDataSelection() { return new TcxDataSelection(this); }
  virtual int GetEditOperations();
  virtual int GetEditState();
  virtual int GetDefaultActiveRelationIndex() { return 0; }
  virtual TcxCustomDataField* CreateDataField() { return new TcxCustomDataField(fields_.get()); }
  virtual TcxDataFilterCriteria* CreateFilterCriteria() { return new TcxDataFilterCriteria(this); }
  virtual void GetFieldDisplayText(int ARecordIndex, TcxCustomDataField* AField, String& AText);
  virtual int GetItemID(TObject*) { return -1; }
  virtual void GetFieldValue(int ARecordIndex, TcxCustomDataField* AField, Variant& AValue);
  virtual int GetActiveRecordIndex();
  virtual TcxCustomDataRelation* CreateRelation(TcxCustomDataRelationList* AList, TObject* AItem) {
    return new TcxCustomDataRelation(AList, AItem);
  }
  virtual TcxDataSummary* CreateSummary() { return new TcxDataSummary(this); }
  virtual TClass GetSummaryItemClass();
  virtual TClass GetSummaryGroupItemLinkClass();
  virtual bool IsProviderField(TcxCustomDataField* AField);
  virtual bool IsSingleSelect() { return !multiSelect_; }
  virtual bool IsLoading();
  virtual bool CanLoadData();
  bool HasRecordSource() const { return provider_->RecordSource() != nullptr; }
  virtual void LoadData();
  virtual void NotifyPendingDependents() {}
  virtual void DoUpdateField(TcxCustomDataField*) {}
  virtual void CopyRecordValue(TcxValueDef* AValueDef, int ASource, int ADest, TcxValueDefReader* AReader);
  virtual void Notification(TComponent* AComponent);
  virtual void UpdateStorage();
  virtual void AfterLoadStorage();
  virtual void ResetSelectionToFocused();
  virtual void UpdateFields();
  virtual void SyncFocusedRecord();
  virtual void RelationsChanged(TcxCustomDataRelation* ARelation);
  virtual void InternalRecordsCleared();
  virtual void FieldRemoved(TcxCustomDataField* AField);
  virtual void CancelAndRefresh();
  virtual void SummaryChanged(bool ARedrawOnly);
  virtual void ActiveChanged(bool AActive);
  virtual void DataChanged(int AKind);
  virtual void DataScrolled(int ADistance);
  virtual void LayoutChanged(int AKind);
  virtual void FocusedRowChanging(int) {}
  virtual void DoValueTypeClassChanged(int) {}
  virtual void UpdateControl(TcxUpdateControlInfo* AInfo);
  virtual void GetSearchDisplayText(int ARecordIndex, int AItemIndex, String& AText) {
    GetDisplayText(ARecordIndex, AItemIndex, AText);
  }
  virtual void GetFilterDisplayText(int ARecordIndex, int AItemIndex, String& AText) {
    GetDisplayText(ARecordIndex, AItemIndex, AText);
  }
  virtual int CompareRecordValues(int ARecordIndex1, int ARecordIndex2, TcxCustomDataField* AField);
  virtual int CompareRecordIndexes(int ARecordIndex1, int ARecordIndex2) {
    return ARecordIndex1 - ARecordIndex2;
  }
  virtual int CompareRecordsByEntry(int ARecordIndex1, int ARecordIndex2, const TcxDataSortingEntry& AEntry);
  virtual void GetComparedValue(int ARecordIndex, TcxCustomDataField* AField, Variant& AValue);
  virtual bool IsValueCompareNeeded(TcxCustomDataField* AField);
  virtual bool IsStringCompare(TcxCustomDataField* AField);
  virtual bool IsSortByDisplayText(TcxCustomDataField* AField);
  virtual void AddItem(TObject* AItem);
  virtual void Loaded();
  virtual void RemoveItem(TObject* AItem);
  virtual void UpdateItemIndexes();
  virtual bool ExecuteAction(TObject*) { return false; }
  virtual bool UpdateAction(TObject*) { return false; }
  virtual void ChangeItemValueCompare(int AItemIndex, bool AValue);
  virtual void ChangeItemTextStored(int AItemIndex, bool AValue);
  virtual void ChangeValueTypeClass(int AItemIndex, TcxValueTypeClass AClass);
  // The owner's item (column) at an index; by default the items in the order they were added.
  virtual TObject* GetItem(int AIndex);
  virtual int GetItemCount() { return fields_->GetItemCount(); }
  virtual bool GetItemValueCompare(int AItemIndex);
  virtual bool GetItemTextStored(int AItemIndex);
  virtual void GetGroupingValue(int ARecordIndex, TcxCustomDataField* AField, Variant& AValue) {
    GetFieldValue(ARecordIndex, AField, AValue);
  }
  virtual void GetGroupValues(int ARecordIndex, Variant& AValues);
  virtual void GetDisplayText(int ARecordIndex, int AItemIndex, String& AText);
  virtual int GetRecordCount() { return storage_->RecordCount(); }
  virtual void GetValue(int ARecordIndex, int AItemIndex, Variant& AValue);
  virtual void Refresh();
  virtual void SetDisplayText(int ARecordIndex, int AItemIndex, const String& AText);
  virtual void SetRecordCount(int ACount);
  virtual void SetValue(int ARecordIndex, int AItemIndex, const Variant& AValue);
  virtual void Append();
  virtual void Cancel();
  virtual bool CanInitEditing(int AItemIndex);
  virtual void DeleteFocused();
  virtual void DeleteSelection();
  virtual void Edit();
  virtual void FocusControl(int, bool& ADone) { ADone = false; }
  virtual Variant GetEditValue(int AItemIndex, TcxEditValueSource AValueSource);
  virtual TcxEditValueSource GetItemValueSource(int) { return evsText; }
  virtual void Insert();
  virtual void Post();
  virtual void PostEditingData() { provider_->UpdateData(); }
  virtual bool SetEditValue(int AItemIndex, const Variant& AValue, TcxEditValueSource AValueSource);
  virtual void UpdateData() {}
  virtual int GetEditingRecordIndex();
  virtual int GetNewItemRecordIndex();
  virtual int GetMasterRecordIndex() { return masterRecordIndex_; }
  virtual TcxCustomDataRelation* GetMasterRelation() { return masterRelation_; }
  virtual bool IsDetailMode() { return masterRelation_ != nullptr; }
  virtual TObject* CreateDetailLinkObject(TcxCustomDataRelation*, int) { return nullptr; }
  virtual TcxCustomDataController* GetDetailDataControllerByLinkObject(TObject*) { return nullptr; }
  virtual void ClearDetailsOfItem(TObject* AItem);
  virtual void SetMasterRelation(TcxCustomDataRelation* ARelation, int AMasterRecordIndex);
  virtual void ForEachRow(bool ASelectedOnly, const TcxForEachRowProc& AProc, void* AData);
  virtual void GetFilterValue(int ARecordIndex, TcxCustomDataField* AField, Variant& AValue) {
    GetFieldValue(ARecordIndex, AField, AValue);
  }
  virtual String GetItemDisplayName(TObject*) { return String(); }
  virtual String GetItemFilterName(TObject* AItem) { return GetItemDisplayName(AItem); }
  virtual int FindRecordIndexByText(int AStartIndex, int AItemIndex, bool AForward, bool AWrap, bool APartial,
                                    const String& AText);
  virtual String GetIncrementalFilterText() { return incrementalFilterText_; }
  virtual bool IsIncrementalFilterActive();
  virtual void ResetIncrementalFilter();
  virtual int SetIncrementalFilter(int AItemIndex, const String& AText);
  virtual bool GetItemSortByDisplayText(int) { return false; }
  virtual void ChangeRowSelection(int ARowIndex, bool ASelected);
  virtual void ClearSelectionAnchor() { info_->ClearSelectionAnchor(); }
  virtual int GetSelectedRowIndex(int AIndex);
  virtual int GetSelectionAnchorRowIndex() { return info_->Selection()->AnchorRowIndex; }
  virtual bool IsSelectionAnchorExist() { return GetSelectionAnchorRowIndex() != -1; }
  virtual void SelectAll();
  virtual void SelectFromAnchor(int ARowIndex, bool AKeepSelection);
  virtual void SetSelectionAnchor(int ARowIndex);

  // --- items, records and values
  void CheckItemIndex(int AIndex);
  void CheckRecordIndex(int AIndex);
  void CheckRecordAndItem(int ARecordIndex, int AItemIndex) {
    CheckRecordIndex(ARecordIndex);
    CheckItemIndex(AItemIndex);
  }
  TcxCustomDataField* GetItemField(int AItemIndex);
  int GetItemFieldIndex(TcxCustomDataField* AField);
  TcxValueTypeClass GetItemValueTypeClass(int AIndex);
  int AppendRecord();
  int InsertRecord(int AIndex);
  void DeleteRecord(int AIndex);
  void SetFieldValueToStorage(int ARecordIndex, TcxCustomDataField* AField, const Variant& AValue);
  int FindGroupRecord(int AValuesRecord, int ALevelCount);
  int FindRecordByValues(int AValuesRecord, const std::vector<TcxCustomDataField*>& AFields);
  void PrepareSorting();
  void UnprepareSorting();
  Variant Values(int ARecordIndex, int AItemIndex) {
    Variant v;
    GetValue(ARecordIndex, AItemIndex, v);
    return v;
  }
  String DisplayTexts(int ARecordIndex, int AItemIndex) {
    String s;
    GetDisplayText(ARecordIndex, AItemIndex, s);
    return s;
  }

  // --- update cycle and notifications
  void BeginUpdate();
  void EndUpdate();
  void Change(Word AFlags);
  void CheckChanges();
  void ProcessChanges();
  void NotifyFocusChanged();
  void NotifySelectionChanged();
  void FireDataChanged();
  int AddDataChangedListener(TcxDataChangedListener AHandler);
  void RemoveDataChangedListener(int AListenerId);
  void AddLookupLink();
  void RemoveLookupLink();
  void LockLookup() { ++lookupLock_; }
  void UnlockLookup() { --lookupLock_; }
  bool IsLookupLocked() const { return lookupLock_ > 0; }
  void BeginLocate();
  void EndLocate();
  void CheckReload(bool ARebindFields);
  void Reload(bool ARebindFields);
  void PrepareUpdate();
  bool IsGridMode() { return provider_->IsGridMode(); }
  bool Active() const { return active_; }

  // --- rows, focus, selection, navigation
  int GetRowCount() { return info_->GetRowCount(); }
  TcxRowInfo GetRowInfo(int ARowIndex);
  TcxRowInfo GetRowInfo(int ARowIndex, int& ARecordIndex) {
    TcxRowInfo info = GetRowInfo(ARowIndex);
    ARecordIndex = info.RecordIndex;
    return info;
  }
  int GetRowRecordIndex(int ARowIndex);
  int GetRowIndexByRecordIndex(int ARecordIndex, bool AMakeVisible);
  void GetRowDisplayText(const TcxRowInfo& ARowInfo, int AItemIndex, String& AText);
  void GetRowValue(const TcxRowInfo& ARowInfo, int AItemIndex, Variant& AValue);
  int GetLastRowRecordIndex();
  int GetFilteredRecordCount() { return info_->GetRecordListCount(); }
  int GetRecordListItem(int AIndex) { return info_->GetRecordListItem(AIndex); }
  int GetRecordListIndex(int ARecordIndex) { return info_->GetRecordListIndex(ARecordIndex); }
  int GetFocusedRowIndex() { return info_->GetFocusedRowIndex(); }
  int GetFocusedRecordIndex() { return info_->GetFocusedRecordIndex(); }
  bool ChangeFocusedRowIndex(int ARowIndex);
  void ChangeFocusedRecordIndex(int ARecordIndex);
  void GotoFirst();
  void GotoLast();
  void GotoNext();
  void GotoPrev();
  void MoveBy(int ADistance);
  void ScrollBy(int ADistance);
  bool IsBOF();
  bool IsEOF();
  void FocusAfterDelete();
  void SetNewItemRowEnabled(bool AValue);
  void SetNewItemRowFocused(bool AValue);
  bool IsNewItemRowActive();
  void LeaveNewItemRow();
  void SetMultiSelect(bool AValue);
  int GetSelectedCount();
  bool IsRowSelected(int ARowIndex);
  void SelectRows(int AFrom, int ATo);
  void ClearSelection() { info_->ClearSelection(); }
  void SyncSelectionToFocus();
  void SetFocusedSelected(bool AValue);
  void SyncSelectionInfo();
  void ChangeSorting(int AItemIndex, TcxDataSortOrder AOrder);
  void ClearSorting(bool AKeepGroupingOrders) { info_->ClearSorting(AKeepGroupingOrders); }
  TcxDataSortOrder GetItemSortOrder(int AItemIndex);
  bool RefreshIncrementalFilter(const String& AText);

  // --- master-detail
  TcxCustomDataRelationList* GetRelations();
  int GetDetailRole();
  bool IsPattern() { return GetDetailRole() == 1; }
  TcxCustomDataController* GetRootDataController();
  TcxCustomDataController* GetPatternDataController();
  void LinkToRelation(TcxCustomDataRelation* ARelation, bool APatternFlag);
  void ChangePatternFlag(bool AValue);
  void DetachRelationClones(TcxCustomDataRelation* ARelation);
  int GetDetailActiveRelationIndex(int ARecordIndex);
  void ChangeDetailActiveRelationIndex(int ARecordIndex, int ARelationIndex);
  bool GetDetailExpanding(int ARecordIndex);
  void ChangeDetailExpanding(int ARecordIndex, bool AExpanded);
  void CollapseDetails();
  void ClearDetails();
  void ClearDetailLinkObject(int ARecordIndex, int ARelationIndex);
  bool IsDetailLinkObjectExist(int ARecordIndex, int ARelationIndex);
  TObject* GetDetailLinkObject(int ARecordIndex, int ARelationIndex);
  TcxCustomDataController* GetDetailDataController(int ARecordIndex, int ARelationIndex);
  void ForEachDetail(TcxCustomDataRelation* ARelation, const TcxForEachDetailProc& AProc, void* AData);
  TcxCustomDataRelationList* Relations() const { return relations_.get(); }
  void SetMasterRecordIndexDirect(int AIndex) { masterRecordIndex_ = AIndex; }
  void SetMasterRelationDirect(TcxCustomDataRelation* ARelation) { masterRelation_ = ARelation; }

 protected:
  friend class TcxCustomDataProvider;
  friend class TcxCustomDataControllerInfo;
  void ShiftDetailMasterIndexes(int AFrom, int ADelta);
  TObject* DoGetDetailLinkObject(int ARecordIndex, int ARelationIndex);

 private:
  bool active_ = false;
  bool deferredDataChanged_ = false;
  int lookupLock_ = 0;
  Word changes_ = 0;
  bool detailLinkGuard_ = false;
  std::vector<std::pair<int, TcxDataChangedListener>> listeners_;
  int nextListenerId_ = 1;
  int lookupLinkCount_ = 0;
  std::unique_ptr<TcxDataStorage> storage_;
  std::unique_ptr<TcxDataControllerGroups> groups_;
  std::unique_ptr<TcxCustomDataFieldList> fields_;
  std::unique_ptr<TcxDataFilterCriteria> filter_;
  std::unique_ptr<TcxDataControllerSearch> search_;
  std::unique_ptr<TcxDataSummary> summary_;
  std::unique_ptr<TcxCustomDataProvider> provider_;
  std::unique_ptr<TcxCustomDataControllerInfo> info_;
  bool destroying_ = false;
  bool focusedRowSelected_ = true;
  TcxCustomDataField* incrementalFilterField_ = nullptr;
  String incrementalFilterText_;
  bool sortingEventGuard_ = false;
  bool locating_ = false;
  bool patternFlag_ = false;
  bool requestedPatternFlag_ = false;
  int locateCount_ = 0;
  int newItemRecordIndex_ = 0;
  bool newItemRowFocused_ = false;
  int masterRecordIndex_ = -1;
  TcxCustomDataRelation* masterRelation_ = nullptr;
  bool multiSelect_ = false;
  TcxDataControllerNotifier* notifier_ = nullptr;
  TcxDataControllerOptions options_{dcoAssignGroupingValues, dcoAssignMasterDetailKeys, dcoSaveExpanding};
  TComponent* owner_;
  int lastSelectedCount_ = 0;
  int lastSingleSelectedRow_ = -1;
  TcxCustomDataField* recordHandleField_ = nullptr;
  bool detailLinkRetryGuard_ = false;
  std::unique_ptr<TcxCustomDataRelationList> relations_;
  bool pendingReload_ = false;
  bool storageRecreated_ = false;
  bool reloadGuard_ = false;
  bool newItemRowEnabled_ = false;
};
