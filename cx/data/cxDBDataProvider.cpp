// The dataset provider: the registry of providers, state queries, loading, grid mode, navigation,
// locking and the saved position.
#include <algorithm>

#include "cx/data/cxDBData.h"
#include "cx/data/cxDataUtils.h"
#include "platform/data/Field.h"

TRENVIK_IMPLEMENT_CLASS(TcxDBDataProvider)
TRENVIK_IMPLEMENT_CLASS(TcxValueDefDBReader)

namespace {

// Every live provider; made by the first one and freed with the last.
std::vector<TcxDBDataProvider*>* gProviders = nullptr;

// Every value definition of a dataset controller is linked to one of its data fields.
TField* BoundField(TcxValueDef* AValueDef) {
  auto* field = static_cast<TcxDBDataField*>(AValueDef->Link());
  return field ? field->Field() : nullptr;
}

// Switches the link's active record to a buffer row for one read, and back on every path.
template <class F>
void AtBufferRow(TDataLink* ALink, int ARow, F&& ARead) {
  int saved = ALink->ActiveRecord();
  ALink->SetActiveRecord(ARow);
  TScopeExit closing([&] { ALink->SetActiveRecord(saved); });
  ARead();
}

}  // namespace

String TcxValueDefDBReader::GetDisplayText(TcxValueDef* AValueDef) {
  TField* field = BoundField(AValueDef);
  return field ? field->DisplayText() : TcxValueDefReader::GetDisplayText(AValueDef);
}

Variant TcxValueDefDBReader::GetValue(TcxValueDef* AValueDef) {
  TField* field = BoundField(AValueDef);
  // A null field reads as Null.
  return field ? field->Value() : TcxValueDefReader::GetValue(AValueDef);
}

bool TcxValueDefDBReader::IsValueSkipped(TcxValueDef* AValueDef) {
  auto* field = static_cast<TcxDBDataField*>(AValueDef->Link());
  return field && field->IsUnboundValue();
}

TcxDBDataProvider::TcxDBDataProvider(TcxCustomDataController* ADataController)
    : TcxCustomDataProvider(ADataController), dataLink_(std::make_unique<TcxDBDataLink>(this)) {
  if (!gProviders) gProviders = new std::vector<TcxDBDataProvider*>();
  gProviders->push_back(this);
}

TcxDBDataProvider::~TcxDBDataProvider() {
  for (TcxDBDataProvider* other : *gProviders) {
    auto& list = other->pendingDependents_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  pendingDependents_.clear();
  dataLink_.reset();
  gProviders->erase(std::remove(gProviders->begin(), gProviders->end(), this), gProviders->end());
  if (gProviders->empty()) {
    delete gProviders;
    gProviders = nullptr;
  }
}

TcxDBDataController* TcxDBDataProvider::DBDataController() const {
  return static_cast<TcxDBDataController*>(DataController());
}

void TcxDBDataProvider::SetDataSource(TDataSource* ADataSource) {
  if (dataLink_->DataSource() != ADataSource) dataLink_->SetDataSource(ADataSource);
}

TcxDBDataProvider* TcxDBDataProvider::FindSameDataSetProvider(
    bool AIncludeSelf, const std::function<bool(TcxDBDataProvider*)>& APredicate) {
  TDataSet* dataSet = GetDataSet();
  if (!dataSet || !gProviders) return nullptr;
  for (TcxDBDataProvider* provider : *gProviders)
    if ((AIncludeSelf || provider != this) && provider->GetDataSet() == dataSet && APredicate(provider))
      return provider;
  return nullptr;
}

void TcxDBDataProvider::SetRefreshAfterCancelOnOthers() {
  FindSameDataSetProvider(true, [](TcxDBDataProvider* p) {
    if (!p->DataController()->IsPattern()) p->RefreshAfterCancel = true;
    return false;
  });
}

bool TcxDBDataProvider::IsGridMode() {
  TDataSet* dataSet = GetDataSet();
  if (!dataSet) return false;
  return DBDataController()->DataModeController()->GridMode() && !dataSet->IsUnidirectional() && !Grouped &&
         !DataController()->IsPattern();
}

bool TcxDBDataProvider::IsActiveDataSet() {
  TDataSet* dataSet = GetDataSet();
  return dataSet && dataSet->State() != dsInactive;
}

bool TcxDBDataProvider::IsOtherInserting() {
  return FindSameDataSetProvider(false, [](TcxDBDataProvider* p) { return p->inInsert_; }) != nullptr;
}

bool TcxDBDataProvider::IsDetail() { return DataController()->GetMasterRelation() != nullptr; }

bool TcxDBDataProvider::IsSyncMode() {
  TDataSet* dataSet = GetDataSet();
  TcxDBDataModeController* mode = DBDataController()->DataModeController();
  bool base = dataSet && dataSet->Active() && (IsGridMode() || mode->SyncMode()) && !dataSet->IsUnidirectional();
  if (!IsDetail()) return base;
  if (!mode->SyncDetails) return false;
  if (mode->DetailInSQLMode) return base && IsCurrentDetail();
  if (!IsKeyNavigation()) return base && IsGridMode();
  return base;
}

bool TcxDBDataProvider::IsDataAvailable() {
  TDataSet* dataSet = GetDataSet();
  return dataSet && dataSet->Active() && !dataSet->ControlsDisabled();
}

bool TcxDBDataProvider::CanUpdateFields() {
  TDataSet* dataSet = GetDataSet();
  return dataSet && dataSet->FieldCount() > 0 && (dataSet->Active() || !dataSet->DefaultFields());
}

bool TcxDBDataProvider::IsBOF() {
  TDataSet* dataSet = GetDataSet();
  return dataSet && dataSet->Bof();
}

bool TcxDBDataProvider::IsEOF() {
  TDataSet* dataSet = GetDataSet();
  if (!dataSet) return false;
  if (IsDetail() && !IsGridMode()) {
    TcxDBDataController* dc = DBDataController();
    if (VarIsEmpty(dc->MasterKeyValues())) return true;
    if (dataSet->Eof()) return true;
    // Without SQL mode the detail dataset is ordered by its detail key: reading stops at the first
    // record of another master.
    return !dsEditModes.Contains(dataSet->State()) && dc->IsDetailKeyChanged();
  }
  return dataSet->Eof();
}

bool TcxDBDataProvider::IsEditing() {
  TDataSet* dataSet = GetDataSet();
  return dataSet && dsEditModes.Contains(dataSet->State());
}

bool TcxDBDataProvider::IsInserting() {
  TDataSet* dataSet = GetDataSet();
  return dataSet && dataSet->State() == dsInsert;
}

bool TcxDBDataProvider::IsModified() {
  TDataSet* dataSet = GetDataSet();
  return dataSet && dataSet->Modified();
}

bool TcxDBDataProvider::IsKeyNavigation() { return DBDataController()->IsKeyNavigation(); }

bool TcxDBDataProvider::IsSmartRefresh() {
  return IsKeyNavigation() && DBDataController()->DataModeController()->SmartRefresh();
}

bool TcxDBDataProvider::IsUnidirectional() {
  TDataSet* dataSet = GetDataSet();
  return dataSet && dataSet->IsUnidirectional();
}

int TcxDBDataProvider::GetGridModeBufferCount() {
  return DBDataController()->DataModeController()->GridModeBufferCount();
}

void TcxDBDataProvider::RecordLoaded(int ARecordIndex) {
  if (IsGridMode() || IsKeyNavigation() || saved_.Bookmark.empty()) return;
  TDataSet* dataSet = GetDataSet();
  if (dataSet->CompareBookmarks(dataSet->Bookmark(), saved_.Bookmark) == 0) ActiveRecordIndex = ARecordIndex;
}

void TcxDBDataProvider::First() {
  WithFlag(inFirst_, [&] {
    TcxCustomDataProvider::First();
    TDataSet* dataSet = GetDataSet();
    if (!dataSet) return;
    if (!IsDetail() || IsGridMode()) {
      dataSet->First();
      return;
    }
    TcxDBDataController* dc = DBDataController();
    if (VarIsEmpty(dc->MasterKeyValues())) return;
    bool reopened = false;
    DoDetailFirst(dc->EffectiveDetailKeyFieldNames(), dc->MasterKeyValues(), reopened);
    if (reopened) SavePosition();
    TakeDetailDataSet();
  });
}

void TcxDBDataProvider::Prior() {
  if (TDataSet* dataSet = GetDataSet()) dataSet->Prior();
}

void TcxDBDataProvider::Next() {
  if (TDataSet* dataSet = GetDataSet()) dataSet->Next();
}

void TcxDBDataProvider::Last() {
  if (TDataSet* dataSet = GetDataSet()) dataSet->Last();
}

void TcxDBDataProvider::MoveBy(int ADistance) {
  if (TDataSet* dataSet = GetDataSet()) dataSet->MoveBy(ADistance);
}

void TcxDBDataProvider::ScrollBuffer(int ADistance) {
  if (!IsGridMode() || ADistance == 0 || !IsDataAvailable()) return;
  TDataSet* dataSet = GetDataSet();
  int active = dataLink_->ActiveRecord();
  if (ADistance < 0)
    dataSet->MoveBy(ADistance - active);
  else
    dataSet->MoveBy(ADistance + dataLink_->RecordCount() - active - 1);
  DataController()->SyncSelectionInfo();
  DataController()->SetFocusedSelected(true);
}

void TcxDBDataProvider::SavePosition() {
  TDataSet* dataSet = GetDataSet();
  if (!dataSet) return;
  saved_.Bookmark = dataSet->BookmarkAvailable() ? dataSet->Bookmark() : TBookmarkStr();
  saved_.ActiveRecord = dataSet->ActiveRecord();
  saved_.Bof = dataSet->Bof();
  saved_.Eof = dataSet->Eof();
}

void TcxDBDataProvider::RestorePosition() {
  TDataSet* dataSet = GetDataSet();
  if (!dataSet || saved_.Bookmark.empty() || !dataSet->BookmarkValid(saved_.Bookmark)) return;
  dataSet->GotoBookmark(saved_.Bookmark);
  // Rebuild the buffer window with the record at its old row.
  int saved = saved_.ActiveRecord;
  int buffers = dataSet->BufferCount();
  if (saved < dataSet->ActiveRecord()) {
    dataSet->MoveBy(buffers - saved - 1);
    dataSet->MoveBy(saved - buffers + 1);
  } else if (saved > dataSet->ActiveRecord()) {
    dataSet->MoveBy(-saved);
    dataSet->MoveBy(saved);
  }
  if (saved_.Bof && !dataSet->Bof()) dataSet->Prior();
  if (saved_.Eof && !dataSet->Eof()) dataSet->Next();
}

void TcxDBDataProvider::BeginLocate() {
  TcxCustomDataProvider::BeginLocate();
  TDataSet* dataSet = GetDataSet();
  if (dataSet && dsEditModes.Contains(dataSet->State())) SetRefreshAfterCancelOnOthers();
}

void TcxDBDataProvider::Lock() {
  TcxCustomDataProvider::Lock();
  TDataSet* dataSet = GetDataSet();
  if (!dataSet) return;
  dataSet->DisableControls();
  // A full walk starts from browse state: a pending edit of the dataset is given up.
  if (dataSet->Active() && dsEditModes.Contains(dataSet->State())) {
    SetRefreshAfterCancelOnOthers();
    dataSet->Cancel();
  }
}

void TcxDBDataProvider::Unlock() {
  if (TDataSet* dataSet = GetDataSet()) dataSet->EnableControls();
  TcxCustomDataProvider::Unlock();
  // The walk is over: the views whose dataset notifications waited for it get them now, once.
  if (LockCount() == 0) NotifyPendingDependents();
}

void TcxDBDataProvider::GetDisplayText(int ARecordIndex, TcxCustomDataField* AField, String& AText) {
  TField* field = static_cast<TcxDBDataField*>(AField)->Field();
  if (!field) {
    TcxCustomDataProvider::GetDisplayText(ARecordIndex, AField, AText);
    return;
  }
  if (ARecordIndex >= 0 && ARecordIndex < dataLink_->RecordCount())
    AtBufferRow(dataLink_.get(), ARecordIndex, [&] { AText = field->DisplayText(); });
  else if (IsInserting() || inSearch_)
    AText = field->DisplayText();
  else
    AText.clear();
}

void TcxDBDataProvider::GetValue(int ARecordIndex, TcxCustomDataField* AField, Variant& AValue) {
  TField* field = static_cast<TcxDBDataField*>(AField)->Field();
  auto read = [&] { AValue = field->Value(); };
  if (!field)
    TcxCustomDataProvider::GetValue(ARecordIndex, AField, AValue);
  else if (ARecordIndex >= 0 && ARecordIndex < dataLink_->RecordCount())
    AtBufferRow(dataLink_.get(), ARecordIndex, read);
  else if (IsInserting() || inSearch_)
    read();
  else
    AValue = Null();
}

int TcxDBDataProvider::GetActiveRecordIndex() {
  if (!inGridModeChanged_ && IsInserting()) return EditingRecordIndex();
  if (inGridModeChanged_ && IsInserting() && DataController()->IsNewItemRowActive())
    return DataController()->GetNewItemRecordIndex();
  return ActiveRecordIndex;
}

void TcxDBDataProvider::LoadGridModeBuffer() {
  if (!dataLink_->Active() || !IsGridMode()) return;
  dataLink_->SetBufferCount(GetGridModeBufferCount());
  DataController()->DataStorage()->Clear();
  DataController()->DataStorage()->SetRecordCount(dataLink_->RecordCount());
  ActiveRecordIndex = dataLink_->ActiveRecord();
}

void TcxDBDataProvider::RefreshGridModeBuffer() {
  if (!dataLink_->Active() || !IsGridMode()) return;
  int count = DataController()->GetRecordCount();
  dataLink_->SetBufferCount(GetGridModeBufferCount());
  ActiveRecordIndex = dataLink_->ActiveRecord();
  if (count == dataLink_->RecordCount()) {
    DataChanged(dcRecord);
    DataController()->SyncFocusedRecord();
  } else {
    DataChanged(dcTotal);
  }
}

void TcxDBDataProvider::ActiveChanged(bool AActive) {
  TcxCustomDataProvider::ActiveChanged(AActive);
  TDataSet* dataSet = GetDataSet();
  if (dataSet && !dataSet->Active() && dataSet->DefaultFields()) DBDataController()->UnbindFields();
}

void TcxDBDataProvider::DataScrolled(int ADistance) {
  TcxCustomDataController* dc = DataController();
  if (IsGridMode()) {
    ActiveRecordIndex = dataLink_->ActiveRecord();
    if (ADistance != 0) dc->DataChanged(dcTotal);
    bool hasDetails = false;
    if (dc->Relations())
      for (int i = 0; i < dc->Relations()->GetCount(); ++i)
        hasDetails = hasDetails || dc->Relations()->GetItem(i)->DetailDataController != nullptr;
    if (hasDetails) dc->ClearDetails();
  } else {
    ActiveRecordIndex += ADistance;
  }
  TcxCustomDataProvider::DataScrolled(ADistance);
}

void TcxDBDataProvider::LayoutChanged(int AKind) {
  bool lockedDetail = FindSameDataSetProvider(true, [](TcxDBDataProvider* p) {
                        return p->LockCount() > 0 && p->IsDetail();
                      }) != nullptr;
  if (lockedDetail) {
    if (IsDataAvailable()) DataController()->UpdateFields();
    return;
  }
  TcxCustomDataProvider::LayoutChanged(AKind);
}

// Grid-mode search: the dataset is walked from the current record, wrapping around once.
bool TcxDBDataProvider::IncrementalSearch(const String& AText, bool AForward, bool ANext) {
  TDataSet* dataSet = GetDataSet();
  if (!dataSet || !dataSet->Active() || (dataSet->Bof() && dataSet->Eof()) || IsEditing()) return false;
  TcxCustomDataController* dc = DataController();
  int item = dc->GetItemFieldIndex(dc->SearchField);
  auto matches = [&] {
    String text;
    WithFlag(inSearch_, [&] { dc->GetSearchDisplayText(-1, item, text); });
    return cxTextStartsWith(text, AText, true);
  };
  if (!ANext && matches()) {
    dc->SyncFocusedRecord();
    return true;
  }
  bool found = false;
  {
    Lock();
    TScopeExit unlock([this] { Unlock(); });
    SavePosition();
    TBookmarkStr start;
    bool ranOff = false;
    auto step = [&] {
      if (AForward)
        dataSet->Next();
      else
        dataSet->Prior();
      if (!(AForward ? dataSet->Eof() : dataSet->Bof())) return;
      if (ANext) {
        ranOff = true;
        return;
      }
      if (AForward)
        dataSet->First();
      else
        dataSet->Last();
      start = saved_.Bookmark;
    };
    if (ANext) step();
    while (!ranOff) {
      if (dataSet->Eof() && !ANext) break;
      if (!start.empty() && dataSet->CompareBookmarks(dataSet->Bookmark(), start) == 0) break;
      if (matches()) {
        found = true;
        break;
      }
      step();
    }
    if (!found) RestorePosition();
  }
  if (found) dc->DataChanged(dcTotal);
  return found;
}
