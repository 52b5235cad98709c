// The data link of a dataset controller and the dispatch of the dataset's notifications.
#include <algorithm>

#include "cx/data/cxDBData.h"
#include "platform/data/Field.h"

TRENVIK_IMPLEMENT_CLASS(TcxDBDataLink)

TcxDBDataLink::TcxDBDataLink(TcxDBDataProvider* AProvider) : provider_(AProvider) { SetVisualControl(true); }

void TcxDBDataLink::ActiveChanged() { provider_->LinkActiveChanged(Active()); }

void TcxDBDataLink::DataEvent(TDataEvent Event, std::intptr_t Info) {
  TDataLink::DataEvent(Event, Info);
  // The dataset closed while its controls were disabled: what follows is a layout change.
  if (Event == deDisabledStateChange && Info == 0) LayoutChangePending = true;
}

void TcxDBDataLink::DataSetChanged() { provider_->DataSetChanged(); }

void TcxDBDataLink::DataSetScrolled(int Distance) { provider_->DataScrolled(Distance); }

void TcxDBDataLink::EditingChanged() { provider_->EditingChanged(); }

void TcxDBDataLink::UpdateData() {
  if (provider_->IsChanging()) provider_->DataController()->UpdateData();
  if (provider_->IsSmartRefresh()) provider_->RecordChanged(nullptr);
  provider_->ClearChanging();
}

void TcxDBDataLink::RecordChanged(TField* Field) { provider_->RecordChanged(Field); }

void TcxDBDataLink::FocusControl(TField*& Field) {
  if (!Field) return;
  TcxCustomDataController* dc = provider_->DataController();
  TcxCustomDataFieldList* fields = dc->Fields();
  for (int i = 0; i < fields->GetCount(); ++i) {
    auto* field = static_cast<TcxDBDataField*>(fields->GetItem(i));
    if (field->IsInternal() || field->Field() != Field) continue;
    if (i < dc->GetItemCount()) {
      bool done = false;
      dc->FocusControl(i, done);
      if (done) Field = nullptr;
    }
    return;
  }
}

void TcxDBDataLink::LayoutChanged() {
  provider_->LayoutChanged(3);
  LayoutChangePending = false;
}

// --- the provider's side of the notifications

void TcxDBDataProvider::LinkActiveChanged(bool AActive) {
  WithFlag(inActiveChanged_, [&] { ActiveChanged(AActive); });
}

bool TcxDBDataProvider::IsOtherWalking() {
  TcxDBDataController* dc = DBDataController();
  bool keyNavigation = IsKeyNavigation();
  bool gridMode = IsGridMode();
  TcxDBDataProvider* walker = FindSameDataSetProvider(true, [&](TcxDBDataProvider* p) {
    return p->LockCount() > 0 || p->notifyingDependents_ || (p->LocateCount() > 0 && (keyNavigation || gridMode));
  });
  if (!walker) return false;
  if (walker->notifyingDependents_) return !RefreshAfterCancel;
  if (RefreshAfterCancel) return false;
  return !(gridMode && dc->Provider()->LocateCount() > 0);
}

void TcxDBDataProvider::AddPendingDependent(TcxDBDataProvider* AProvider) {
  if (std::find(pendingDependents_.begin(), pendingDependents_.end(), AProvider) == pendingDependents_.end())
    pendingDependents_.push_back(AProvider);
}

void TcxDBDataProvider::NotifyPendingDependents() {
  if (notifyingDependents_) return;
  WithFlag(notifyingDependents_, [&] {
    while (!pendingDependents_.empty()) {
      TcxDBDataProvider* dependent = pendingDependents_.back();
      pendingDependents_.pop_back();
      dependent->DataLink()->DataSetChanged();
    }
  });
}

// A detail in SQL mode whose dataset holds another master's rows ignores the dataset's changes.
bool TcxDBDataProvider::ReadsOtherMasterRows() {
  TcxDBDataController* dc = DBDataController();
  if (!IsDetail() || !dc->DataModeController()->DetailInSQLMode) return false;
  if (!dc->DataModeController()->SyncDetails) return true;
  return !VarIsEmpty(dc->MasterKeyValues()) && dc->IsDetailKeyChanged();
}

void TcxDBDataProvider::DataSetChanged() {
  if (dataLink_->LayoutChangePending) {
    dataLink_->LayoutChanged();
    return;
  }
  bool keyNavigation = IsKeyNavigation();
  TcxDBDataProvider* blocker = FindSameDataSetProvider(false, [&](TcxDBDataProvider* p) {
    return p->LockCount() > 0 || (keyNavigation && p->LocateCount() > 0);
  });
  if (blocker) {
    blocker->AddPendingDependent(this);
    return;
  }
  if (ReadsOtherMasterRows()) return;
  if (IsOtherWalking()) {
    DataScrolled(0);
    return;
  }
  TDataSet* dataSet = GetDataSet();
  TcxCustomDataController* dc = DataController();
  if (IsGridMode()) {
    WithFlag(inGridModeChanged_, [&] {
      dc->BeginUpdate();
      TScopeExit closing([&] { dc->EndUpdate(); });
      RefreshGridModeBuffer();
      if (dc->MultiSelect()) DBDataController()->DBSelection()->RemoveInvalidBookmarks();
      if (dataSet && dataSet->State() == dsInsert) BeginInserting(IsEOF());
    });
    return;
  }
  if (!dataSet) return;
  TDataSetState state = dataSet->State();
  if (!dsEditModes.Contains(state)) {
    if (IsSmartRefresh()) {
      UpdateChangedRecord();
      DataScrolled(0);
    } else {
      DataChanged(dcTotal);
    }
    ResetSmartRefresh();
  } else if (state == dsInsert) {
    if (IsDetail() && !IsCurrentDetail()) return;
    if (DBDataController()->DataModeController()->SyncDataSetInsert && !inInsertSync_)
      WithFlag(inInsertSync_, [&] { BeginInserting(IsEOF()); });
  }
}

void TcxDBDataProvider::EditingChanged() {
  TDataSet* dataSet = GetDataSet();
  TcxCustomDataController* dc = DataController();
  if (!dataLink_->Active() || !dataSet || !dsEditModes.Contains(dataSet->State())) {
    if (EditingRecordIndex() != NoRecordIndex && EditingRecordIndex() == dc->GetNewItemRecordIndex() &&
        Inserted) {
      AppendedRecordIndex = dc->AppendRecord();
      dc->CopyRecord(EditingRecordIndex(), AppendedRecordIndex);
    }
    EndEditing();
  } else if (EditingRecordIndex() == NoRecordIndex) {
    BeginEditing();
  }
}
