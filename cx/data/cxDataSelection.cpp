// Focus, expanded-group memory and the selection of the controller info.
#include <algorithm>

#include "cx/data/cxCustomData.h"
#include "cx/data/cxDataConsts.h"

TRENVIK_IMPLEMENT_CLASS(TcxDataFocusingInfo)
TRENVIK_IMPLEMENT_CLASS(TcxDataExpandingInfos)
TRENVIK_IMPLEMENT_CLASS(TcxDataSelection)

void TcxDataFocusingInfo::Assign(const TcxDataFocusingInfo* ASource) {
  Level = ASource->Level;
  PrevRecordIndex = ASource->PrevRecordIndex;
  RecordIndex = ASource->RecordIndex;
  RowIndex = ASource->RowIndex;
  Changed = false;
}

void TcxDataFocusingInfo::SyncFromData() {
  Level = -1;
  RecordIndex = controllerInfo_->DataController()->GetActiveRecordIndex();
}

void TcxDataFocusingInfo::UpdateFromRow() {
  if (RowIndex == -1) {
    Level = -1;
    RecordIndex = -1;
  } else {
    TcxRowInfo info;
    int record;
    controllerInfo_->GetRowInfo(RowIndex, info, record);
    Level = info.Level;
    RecordIndex = controllerInfo_->DataController()->GetActiveRecordIndex();
  }
  PrevRecordIndex = RecordIndex;
}

void TcxDataExpandingInfos::AddField(TcxCustomDataField* AField) {
  if (IndexOfField(AField) >= 0) cxRaiseDataControllerError(cxSDataItemExistError);
  fields_.push_back(AField);
  items_.clear();
}

void TcxDataExpandingInfos::Add(int ALevel, const Variant& AValue, Byte AState) {
  items_.push_back({ALevel, AValue, AState});
}

void TcxDataExpandingInfos::ClearIfContains(TcxCustomDataField* AField) {
  if (IndexOfField(AField) >= 0) Clear();
}

void TcxDataExpandingInfos::Clear() {
  fields_.clear();
  items_.clear();
  SaveStates = 0;
}

int TcxDataExpandingInfos::IndexOfField(TcxCustomDataField* AField) const {
  auto it = std::find(fields_.begin(), fields_.end(), AField);
  return it == fields_.end() ? -1 : static_cast<int>(it - fields_.begin());
}

void TcxDataSelection::AddEntry(int AIndex, int ARowIndex, int ALevel, int ARecord) {
  TcxDataSelectionEntry entry{ALevel, ARecord, ARowIndex};
  if (AIndex == -1)
    entries_.push_back(entry);
  else
    entries_.insert(entries_.begin() + AIndex, entry);
}

void TcxDataSelection::DeleteEntry(int AIndex) {
  if (entries_[static_cast<size_t>(AIndex)].RowIndex == AnchorRowIndex) ClearAnchor();
  entries_.erase(entries_.begin() + AIndex);
}

void TcxDataSelection::SetCount(int ACount) {
  while (GetCount() > ACount) DeleteEntry(GetCount() - 1);
  while (GetCount() < ACount) AddEntry(-1, GetCount(), 0, GetCount());
}

void TcxDataSelection::Add(int AIndex, int ARowIndex, int ALevel, int ARecord) {
  AddEntry(AIndex, ARowIndex, ALevel, ARecord);
  Notify();
}

bool TcxDataSelection::FindByRowIndex(int ARowIndex, int& AIndex) const {
  int low = 0, high = GetCount() - 1;
  while (low <= high) {
    int mid = (low + high) / 2;
    int row = entries_[static_cast<size_t>(mid)].RowIndex;
    if (row == ARowIndex) {
      AIndex = mid;
      return true;
    }
    if (row < ARowIndex)
      low = mid + 1;
    else
      high = mid - 1;
  }
  AIndex = low;
  return false;
}

void TcxDataSelection::Clear() {
  ClearEntries();
  Notify();
}

void TcxDataSelection::Reset() {
  ClearAnchor();
  ClearEntries();
  Notify();
}

void TcxDataSelection::Delete(int AIndex) {
  DeleteEntry(AIndex);
  Notify();
}

int TcxDataSelection::FindGroupRow(int AGroupIndex) const {
  for (int i = 0; i < GetCount(); ++i)
    if (entries_[static_cast<size_t>(i)].Level == -1 &&
        entries_[static_cast<size_t>(i)].RecordIndex == AGroupIndex)
      return i;
  return -1;
}

int TcxDataSelection::FindRecord(int ARecord) const {
  for (int i = 0; i < GetCount(); ++i)
    if (entries_[static_cast<size_t>(i)].Level != -1 &&
        entries_[static_cast<size_t>(i)].RecordIndex == ARecord)
      return i;
  return -1;
}

void TcxDataSelection::Sort() {
  std::stable_sort(entries_.begin(), entries_.end(),
                   [](const auto& a, const auto& b) { return a.RowIndex < b.RowIndex; });
}
