// The controller's update cycle, loading, reports from the data side and notifications.
#include <memory>

#include "cx/data/cxCustomData.h"
#include "cx/data/cxDataUtils.h"

void TcxCustomDataController::BeginUpdate() { info_->BeginUpdate(); }

void TcxCustomDataController::EndUpdate() {
  info_->EndUpdate();
  CheckChanges();
}

void TcxCustomDataController::Change(Word AFlags) {
  changes_ |= AFlags;
  CheckChanges();
}

void TcxCustomDataController::CheckChanges() {
  if (destroying_ || changes_ == 0 || info_->LockCount() > 0) return;
  if (pendingReload_) {
    pendingReload_ = false;
    LayoutChanged(1);
  }
  ProcessChanges();
}

void TcxCustomDataController::ProcessChanges() {
  Word flags = changes_;
  changes_ = 0;
  if (flags == 0) return;
  if (flags & dccData) {
    UpdateControl(std::make_unique<TcxDataChangedInfo>().get());
    DoDataChanged();
  } else if (flags & (dccLayout | dccDetail | dccSummary)) {
    UpdateControl(std::make_unique<TcxLayoutChangedInfo>().get());
  }
  if (flags & dccFocus) NotifyFocusChanged();
  if (flags & dccSelection) NotifySelectionChanged();
  if (flags & dccSearch) UpdateControl(std::make_unique<TcxSearchChangedInfo>().get());
  bool reading = owner_ && owner_->ComponentState().Contains(csReading);
  if ((flags & dccGrouping) && !reading && OnGroupingChanged) OnGroupingChanged(this);
  if ((flags & dccSorting) && !reading && !sortingEventGuard_ && OnSortingChanged) {
    sortingEventGuard_ = true;
    try {
      OnSortingChanged(this);
    } catch (...) {
      sortingEventGuard_ = false;
      throw;
    }
    sortingEventGuard_ = false;
  }
  if ((flags & dccSyncMasterRecord) && GetDetailRole() == 2) GetPatternDataController()->SyncFocusedRecord();
}

void TcxCustomDataController::UpdateControl(TcxUpdateControlInfo* AInfo) {
  if (OnUpdateControl) OnUpdateControl(AInfo);
}

void TcxCustomDataController::NotifyFocusChanged() {
  TcxDataFocusingInfo* prev = info_->PrevFocusingInfo();
  TcxDataFocusingInfo* focus = info_->FocusingInfo();
  if (prev->RowIndex != focus->RowIndex)
    UpdateControl(std::make_unique<TcxFocusedRowChangedInfo>(prev->RowIndex, focus->RowIndex).get());
  int focusedRecord = GetFocusedRecordIndex();
  if (prev->PrevRecordIndex >= 0 || focusedRecord >= 0 || prev->Changed) {
    UpdateControl(std::make_unique<TcxFocusedRecordChangedInfo>(
                      prev->PrevRecordIndex, prev->Changed, focus->RowIndex, prev->RowIndex, focusedRecord)
                      .get());
    search_->Cancel();
  }
  prev->Assign(focus);
}

void TcxCustomDataController::NotifySelectionChanged() {
  int count = GetSelectedCount();
  int single = -1, prevRow = -1, newRow = -1;
  if (count <= 1) {
    single = count == 1 ? GetSelectedRowIndex(0) : -1;
    if (lastSelectedCount_ <= 1) {
      prevRow = lastSelectedCount_ == 1 ? lastSingleSelectedRow_ : -1;
      newRow = single;
    }
  }
  UpdateControl(std::make_unique<TcxSelectionChangedInfo>(prevRow, newRow).get());
  lastSelectedCount_ = count;
  lastSingleSelectedRow_ = single;
}

int TcxCustomDataController::AddDataChangedListener(TcxDataChangedListener AHandler) {
  int id = nextListenerId_++;
  listeners_.emplace_back(id, std::move(AHandler));
  return id;
}

void TcxCustomDataController::RemoveDataChangedListener(int AListenerId) {
  for (auto it = listeners_.begin(); it != listeners_.end(); ++it)
    if (it->first == AListenerId) {
      listeners_.erase(it);
      return;
    }
}

void TcxCustomDataController::DoDataChanged() {
  if ((owner_ && owner_->ComponentState().Contains(csDestroying)) || (!OnDataChanged && listeners_.empty()))
    return;
  if (IsLoading()) {
    deferredDataChanged_ = true;
    return;
  }
  deferredDataChanged_ = false;
  FireDataChanged();
}

void TcxCustomDataController::FireDataChanged() {
  if (OnDataChanged) OnDataChanged(this);
  if (IsGridMode() && provider_->LocateCount() > 0) return;
  // A listener may remove itself: walk a copy.
  auto listeners = listeners_;
  for (auto& listener : listeners) listener.second(this);
}

void TcxCustomDataController::Loaded() {
  if (deferredDataChanged_) DoDataChanged();
  if (DeferredSummary) summary_->DoAfterSummary();
}

void TcxCustomDataController::AddLookupLink() {
  ++lookupLinkCount_;
  ChangePatternFlag(requestedPatternFlag_);
}

void TcxCustomDataController::RemoveLookupLink() {
  --lookupLinkCount_;
  ChangePatternFlag(requestedPatternFlag_);
}

void TcxCustomDataController::BeginLocate() {
  ++locateCount_;
  provider_->BeginLocate();
}

void TcxCustomDataController::EndLocate() {
  --locateCount_;
  provider_->EndLocate();
}

void TcxCustomDataController::LoadData() {
  storage_->Clear();
  if (provider_->IsDataAvailable()) {
    if (!IsPattern()) {
      if (IsGridMode()) {
        storage_->CheckStructure();
        provider_->LoadGridModeBuffer();
      } else {
        provider_->Lock();
        try {
          provider_->SavePosition();
          provider_->First();
          if (provider_->FieldsChanged) UpdateFields();
          storage_->CheckStructure();
          if (HasRecordSource()) {
            provider_->LoadRecordsFromSource();
          } else if (std::unique_ptr<TcxValueDefReader> reader{provider_->CreateValueDefReader()}) {
            while (!provider_->IsEOF()) {
              int record = storage_->AppendRecord();
              storage_->ReadRecord(record, reader.get(), false);
              DoRecordLoaded(record);
              provider_->Next();
            }
          }
          provider_->RestorePosition();
        } catch (...) {
          provider_->Unlock();
          throw;
        }
        provider_->Unlock();
      }
    }
    info_->CorrectSelection();
    SyncFocusedRecord();
  }
  Change(dccData);
  AfterLoadStorage();
}

void TcxCustomDataController::AfterLoadStorage() {
  if (GetDetailRole() == 2) Change(dccSyncMasterRecord);
  NotifyPendingDependents();
}

void TcxCustomDataController::UpdateFields() {
  for (int i = 0; i < fields_->GetCount(); ++i) fields_->GetItem(i)->Done = false;
  bool again = true;
  while (again) {
    again = false;
    fields_->FieldDestroyed = false;
    for (int i = 0; i < fields_->GetCount(); ++i) {
      TcxCustomDataField* field = fields_->GetItem(i);
      if (field->Done) continue;
      DoUpdateField(field);
      field->Done = true;
      if (fields_->FieldDestroyed) {
        again = true;
        break;
      }
    }
  }
}

void TcxCustomDataController::UpdateStorage() {
  cxInUpdate(this, [&] {
    storage_->Clear();
    info_->CorrectSelection();
    storage_->SetStoredValuesOnly(HasRecordSource() || IsGridMode());
    if (!HasRecordSource()) {
      TcxCustomDataField* field = recordHandleField_;
      recordHandleField_ = nullptr;
      delete field;
    } else if (!recordHandleField_) {
      recordHandleField_ = CreateInternalField();
      recordHandleField_->SetValueTypeClass(TcxIntegerValueType::Class());
    }
    storageRecreated_ = true;
    LayoutChanged(2);
  });
}

void TcxCustomDataController::CheckReload(bool ARebindFields) {
  if (reloadGuard_) return;
  reloadGuard_ = true;
  try {
    if (info_->LockCount() > 0) pendingReload_ = true;
    if (CanLoadData()) Reload(ARebindFields);
  } catch (...) {
    reloadGuard_ = false;
    throw;
  }
  reloadGuard_ = false;
}

void TcxCustomDataController::Reload(bool ARebindFields) {
  cxInUpdate(this, [&] {
    if (CanLoadData()) {
      if (ARebindFields || provider_->CanUpdateFields()) UpdateFields();
      if (!pendingReload_) LoadData();
    }
    info_->Refresh();
    reloadGuard_ = false;
    storageRecreated_ = false;
  });
}

void TcxCustomDataController::PrepareUpdate() {
  bool gridMode = IsGridMode();
  provider_->Grouped = info_->GroupingFieldList()->Count() > 0;
  if (IsGridMode() != gridMode) UpdateStorage();
}

void TcxCustomDataController::ActiveChanged(bool AActive) {
  active_ = AActive;
  CheckReload(provider_->IsDataAvailable());
}

void TcxCustomDataController::DataChanged(int AKind) {
  switch (AKind) {
    case dcTotal:
      Reload(false);
      break;
    case dcNew:
    case dcDeleted:
      info_->FocusedRecordChanged(false);
      info_->Refresh();
      break;
    default:
      info_->Refresh();
  }
}

void TcxCustomDataController::DataScrolled(int) { SyncFocusedRecord(); }

void TcxCustomDataController::LayoutChanged(int) { CheckReload(provider_->IsDataAvailable()); }

void TcxCustomDataController::SyncFocusedRecord() {
  if (provider_->LocateCount() > 0 && info_->Focusing()) return;
  info_->SyncFocusedRecord();
}
