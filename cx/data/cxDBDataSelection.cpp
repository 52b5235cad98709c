// Grid-mode selection kept as the dataset's bookmarks, and the key values of expanded and selected
// records kept across a reload.
#include <algorithm>

#include "cx/data/cxDBData.h"
#include "cx/data/cxDataConsts.h"
#include "cx/data/cxVariants.h"

TRENVIK_IMPLEMENT_CLASS(TcxDBDataSelection)
TRENVIK_IMPLEMENT_CLASS(TcxDBKeys)
TRENVIK_IMPLEMENT_CLASS(TcxDetailKeys)
TRENVIK_IMPLEMENT_CLASS(TcxSelectedKeys)
TRENVIK_IMPLEMENT_CLASS(TcxSaveObject)

TcxDBDataController* TcxDBDataSelection::DBController() const {
  return static_cast<TcxDBDataController*>(DataController());
}

bool TcxDBDataSelection::IsGridMode() const { return DataController()->IsGridMode(); }

void TcxDBDataSelection::ClearAnchor() {
  TcxDataSelection::ClearAnchor();
  AnchorBookmark.clear();
}

void TcxDBDataSelection::AddEntry(int AIndex, int ARowIndex, int ALevel, int ARecord) {
  TcxDataSelection::AddEntry(AIndex, ARowIndex, ALevel, ARecord);
  if (!IsGridMode() || inSelectAll_) return;
  TBookmarkStr bookmark = GetRowBookmark(ARowIndex);
  if (AIndex == -1)
    bookmarks_.push_back(bookmark);
  else
    bookmarks_.insert(bookmarks_.begin() + AIndex, bookmark);
}

void TcxDBDataSelection::ClearEntries() {
  TcxDataSelection::ClearEntries();
  bookmarks_.clear();
}

void TcxDBDataSelection::DeleteEntry(int AIndex) {
  TcxDataSelection::DeleteEntry(AIndex);
  if (!IsGridMode() || inSelectAll_ || AIndex >= static_cast<int>(bookmarks_.size())) return;
  if (bookmarks_[static_cast<size_t>(AIndex)] == AnchorBookmark) ClearAnchor();
  bookmarks_.erase(bookmarks_.begin() + AIndex);
}

bool TcxDBDataSelection::FindByRowIndex(int ARowIndex, int& AIndex) const {
  if (!IsGridMode()) return TcxDataSelection::FindByRowIndex(ARowIndex, AIndex);
  return FindBookmark(GetRowBookmark(ARowIndex), AIndex);
}

TBookmarkStr TcxDBDataSelection::GetRowBookmark(int ARowIndex) const {
  if (!IsGridMode()) return TBookmarkStr();
  TcxDBDataLink* link = DBController()->DBProvider()->DataLink();
  int saved = link->ActiveRecord();
  link->SetActiveRecord(ARowIndex);
  TBookmarkStr bookmark;
  TScopeExit closing([&] { link->SetActiveRecord(saved); });
  bookmark = link->DataSet()->Bookmark();
  return bookmark;
}

int TcxDBDataSelection::CompareBookmarks(const TBookmarkStr& A, const TBookmarkStr& B) const {
  TcxDBDataLink* link = DBController()->DBProvider()->DataLink();
  if (!link->Active()) return -1;
  return link->DataSet()->CompareBookmarks(A, B);
}

bool TcxDBDataSelection::FindBookmark(const TBookmarkStr& ABookmark, int& AIndex) const {
  int low = 0, high = static_cast<int>(bookmarks_.size()) - 1;
  while (low <= high) {
    int mid = (low + high) / 2;
    int compare = CompareBookmarks(bookmarks_[static_cast<size_t>(mid)], ABookmark);
    if (compare == 0) {
      AIndex = mid;
      return true;
    }
    if (compare < 0)
      low = mid + 1;
    else
      high = mid - 1;
  }
  AIndex = low;
  return false;
}

void TcxDBDataSelection::SyncEntryCount() {
  bool saved = inSelectAll_;
  inSelectAll_ = true;
  SetCount(static_cast<int>(bookmarks_.size()));
  inSelectAll_ = saved;
}

void TcxDBDataSelection::SelectAll() {
  TcxDBDataProvider* provider = DBController()->DBProvider();
  TDataSet* dataSet = provider->GetDataSet();
  if (!dataSet) return;
  {
    auto walk = WalkScope(provider);
    try {
      dataSet->First();
      ClearEntries();
      while (!dataSet->Eof()) {
        bookmarks_.push_back(dataSet->Bookmark());
        dataSet->Next();
      }
      SyncEntryCount();
    } catch (...) {
      bookmarks_.clear();
      SyncEntryCount();
      throw;
    }
  }
  Notify();
}

// Extending or shrinking the range by one record at either end changes one bookmark only, so
// that Shift+arrow does not walk the dataset.
bool TcxDBDataSelection::AdjustRangeByOne(const TBookmarkStr& AFirst, const TBookmarkStr& ALast, bool AForward) {
  TDataSet* dataSet = DBController()->GetDataSet();
  size_t n = bookmarks_.size();
  if (n == 0) return false;
  if (CompareBookmarks(AFirst, ALast) == 0) {
    bookmarks_.assign(1, AFirst);
    return true;
  }
  if (AForward) {
    if (n > 1 && CompareBookmarks(bookmarks_[n - 2], ALast) == 0) {
      if (CompareBookmarks(bookmarks_[0], AFirst) != 0) return false;
      bookmarks_.pop_back();
      return true;
    }
    dataSet->GotoBookmark(ALast);
    dataSet->Prior();
    if (CompareBookmarks(bookmarks_[n - 1], dataSet->Bookmark()) != 0 || CompareBookmarks(bookmarks_[0], AFirst) != 0)
      return false;
    bookmarks_.push_back(ALast);
    return true;
  }
  if (n > 1 && CompareBookmarks(bookmarks_[1], AFirst) == 0) {
    if (CompareBookmarks(bookmarks_[n - 1], ALast) != 0) return false;
    bookmarks_.erase(bookmarks_.begin());
    return true;
  }
  dataSet->GotoBookmark(AFirst);
  dataSet->Next();
  if (CompareBookmarks(bookmarks_[0], dataSet->Bookmark()) != 0 || CompareBookmarks(bookmarks_[n - 1], ALast) != 0)
    return false;
  bookmarks_.insert(bookmarks_.begin(), AFirst);
  return true;
}

// Walks from the first to the last bookmark of the range, merging into the kept selection.
void TcxDBDataSelection::WalkRange(const TBookmarkStr& AFirst, const TBookmarkStr& ALast, bool AMerge) {
  TDataSet* dataSet = DBController()->GetDataSet();
  int position = 0;
  if (AMerge) {
    FindBookmark(AFirst, position);
    AMerge = position < static_cast<int>(bookmarks_.size());
  }
  dataSet->GotoBookmark(AFirst);
  while (!dataSet->Eof()) {
    TBookmarkStr current = dataSet->Bookmark();
    if (!AMerge) {
      bookmarks_.push_back(current);
    } else {
      while (position < static_cast<int>(bookmarks_.size()) &&
             CompareBookmarks(bookmarks_[static_cast<size_t>(position)], current) < 0)
        ++position;
      if (position >= static_cast<int>(bookmarks_.size()) ||
          CompareBookmarks(bookmarks_[static_cast<size_t>(position)], current) != 0)
        bookmarks_.insert(bookmarks_.begin() + position, current);
      ++position;
    }
    if (CompareBookmarks(current, ALast) == 0) break;
    dataSet->Next();
  }
}

void TcxDBDataSelection::SelectRange(const TBookmarkStr& ABookmark, bool AKeepSelection) {
  TcxDBDataProvider* provider = DBController()->DBProvider();
  TDataSet* dataSet = provider->GetDataSet();
  if (!dataSet || (dataSet->State() == dsInsert && dataSet->Eof())) return;
  {
    auto walk = WalkScope(provider);
    bool forward = CompareBookmarks(AnchorBookmark, ABookmark) < 0;
    const TBookmarkStr& first = forward ? AnchorBookmark : ABookmark;
    const TBookmarkStr& last = forward ? ABookmark : AnchorBookmark;
    try {
      if (AKeepSelection || !AdjustRangeByOne(first, last, forward)) {
        if (!AKeepSelection) bookmarks_.clear();
        WalkRange(first, last, !bookmarks_.empty());
      }
    } catch (...) {
      bookmarks_.clear();
      SyncEntryCount();
      throw;
    }
    SyncEntryCount();
  }
  Notify();
}

bool TcxDBDataSelection::RemoveInvalidBookmarks() {
  TDataSet* dataSet = DBController()->GetDataSet();
  bool removed = false;
  for (int i = static_cast<int>(bookmarks_.size()); i-- > 0;) {
    const TBookmarkStr& bookmark = bookmarks_[static_cast<size_t>(i)];
    if (!bookmark.empty() && dataSet && dataSet->BookmarkValid(bookmark)) continue;
    Delete(i);
    removed = true;
  }
  return removed;
}

// --- the controller's selection in grid mode

TcxDBDataSelection* TcxDBDataController::DBSelection() const {
  return static_cast<TcxDBDataSelection*>(DataControllerInfo()->Selection());
}

TBookmarkStr TcxDBDataController::GetSelectedBookmark(int AIndex) {
  if (!IsGridMode()) cxRaiseDataControllerError(u"DataController not in GridMode");
  return DBSelection()->Bookmarks().at(static_cast<size_t>(AIndex));
}

TBookmarkStr TcxDBDataController::GetSelectionAnchorBookmark() {
  if (!IsGridMode()) cxRaiseDataControllerError(u"DataController not in GridMode");
  return DBSelection()->AnchorBookmark;
}

int TcxDBDataController::GetSelectedRowIndex(int AIndex) {
  if (!IsGridMode() || !MultiSelect()) return TcxCustomDataController::GetSelectedRowIndex(AIndex);
  TcxDBDataSelection* selection = DBSelection();
  const TBookmarkStr& bookmark = selection->Bookmarks().at(static_cast<size_t>(AIndex));
  int count = DBProvider()->GetBufferRecordCount();
  if (count == 0) return -1;
  if (selection->CompareBookmarks(bookmark, selection->GetRowBookmark(0)) < 0 ||
      selection->CompareBookmarks(bookmark, selection->GetRowBookmark(count - 1)) > 0)
    return -1;
  for (int row = 0; row < count; ++row)
    if (selection->CompareBookmarks(bookmark, selection->GetRowBookmark(row)) == 0) return row;
  return -1;
}

int TcxDBDataController::GetSelectionAnchorRowIndex() {
  return IsGridMode() ? -1 : TcxCustomDataController::GetSelectionAnchorRowIndex();
}

bool TcxDBDataController::IsSelectionAnchorExist() {
  return IsGridMode() ? !DBSelection()->AnchorBookmark.empty() : TcxCustomDataController::IsSelectionAnchorExist();
}

void TcxDBDataController::SelectAll() {
  if (!IsGridMode()) {
    TcxCustomDataController::SelectAll();
    return;
  }
  DBSelection()->SelectAll();
  NotifySelectionChanged();
}

void TcxDBDataController::CheckGridModeRow(int ARowIndex) {
  if (ARowIndex < 0 || ARowIndex >= GetRowCount()) cxRaiseDataControllerError(cxSDataRowIndexError);
}

void TcxDBDataController::SelectFromAnchor(int ARowIndex, bool AKeepSelection) {
  if (!IsGridMode()) {
    TcxCustomDataController::SelectFromAnchor(ARowIndex, AKeepSelection);
    return;
  }
  CheckGridModeRow(ARowIndex);
  TcxDBDataSelection* selection = DBSelection();
  if (selection->AnchorBookmark.empty()) return;
  selection->SelectRange(selection->GetRowBookmark(ARowIndex), AKeepSelection);
  NotifySelectionChanged();
}

void TcxDBDataController::SetSelectionAnchor(int ARowIndex) {
  if (!IsGridMode()) {
    TcxCustomDataController::SetSelectionAnchor(ARowIndex);
    return;
  }
  CheckGridModeRow(ARowIndex);
  DBSelection()->AnchorBookmark = DBSelection()->GetRowBookmark(ARowIndex);
}

void TcxDBDataController::ForEachRow(bool ASelectedOnly, const TcxForEachRowProc& AProc, void* AData) {
  TDataSet* dataSet = GetDataSet();
  if (!IsGridMode() || !dataSet) {
    TcxCustomDataController::ForEachRow(ASelectedOnly, AProc, AData);
    return;
  }
  auto visitFocused = [&] {
    int row = GetFocusedRowIndex();
    AProc(AData, row, GetRowInfo(row));
  };
  if (ASelectedOnly && !MultiSelect()) {
    visitFocused();
  } else if (ASelectedOnly) {
    std::vector<TBookmarkStr> bookmarks = DBSelection()->Bookmarks();
    for (const TBookmarkStr& bookmark : bookmarks) {
      dataSet->GotoBookmark(bookmark);
      visitFocused();
    }
  } else {
    dataSet->First();
    while (!dataSet->Eof()) {
      visitFocused();
      dataSet->Next();
    }
  }
}

// --- key save and restore

void TcxDBKeys::SaveFor(TcxDBDataController* AController) {
  entries_.clear();
  controller_ = AController;
  Save();
  std::stable_sort(entries_.begin(), entries_.end(), [](const TEntry& a, const TEntry& b) {
    return cxVariantCompare(a.KeyValues, b.KeyValues) < 0;
  });
}

void TcxDBKeys::RestoreFor(TcxDBDataController* AController) {
  controller_ = AController;
  if (entries_.empty()) return;
  Restore();
  entries_.clear();
}

bool TcxDBKeys::FindRecordKey(int ARecordIndex, int& AEntryIndex) {
  Variant key = controller_->GetRecordKeyValues(ARecordIndex);
  for (size_t i = 0; i < entries_.size(); ++i)
    if (cxVariantCompareEqual(entries_[i].KeyValues, key)) {
      AEntryIndex = static_cast<int>(i);
      return true;
    }
  return false;
}

void TcxDetailKeys::Save() {
  TcxCustomDataRelationList* relations = controller_->Relations();
  if (!relations || relations->GetCount() == 0) return;
  for (int record = 0; record < controller_->GetRecordCount(); ++record) {
    if (!controller_->GetDetailExpanding(record)) continue;
    TEntry entry;
    entry.KeyValues = controller_->GetRecordKeyValues(record);
    entry.Index = controller_->GetDetailActiveRelationIndex(record);
    entry.SaveObject = std::make_unique<TcxSaveObject>();
    if (auto* detail = dynamic_cast<TcxDBDataController*>(controller_->GetDetailDataController(record, entry.Index)))
      entry.SaveObject->Save(detail);
    entries_.push_back(std::move(entry));
  }
}

void TcxDetailKeys::Restore() {
  for (int record = 0; record < controller_->GetRecordCount(); ++record) {
    int index;
    if (!FindRecordKey(record, index)) continue;
    TEntry& entry = entries_[static_cast<size_t>(index)];
    controller_->ChangeDetailExpanding(record, true);
    controller_->ChangeDetailActiveRelationIndex(record, entry.Index);
    if (!controller_->GetDetailExpanding(record) || controller_->GetDetailActiveRelationIndex(record) != entry.Index)
      continue;
    if (auto* detail = dynamic_cast<TcxDBDataController*>(controller_->GetDetailDataController(record, entry.Index)))
      entry.SaveObject->Restore(detail);
  }
}

void TcxSelectedKeys::Save() {
  TcxDataSelection* selection = controller_->DataControllerInfo()->Selection();
  for (int i = 0; i < selection->GetCount(); ++i) {
    const TcxDataSelectionEntry& entry = selection->GetEntry(i);
    if (entry.Level < 0 || entry.RecordIndex >= controller_->GetRecordCount()) continue;
    entries_.push_back(TEntry{controller_->GetRecordKeyValues(entry.RecordIndex), i, nullptr});
  }
}

void TcxSelectedKeys::Restore() {
  TcxDataSelection* selection = controller_->DataControllerInfo()->Selection();
  if (selection->GetCount() == 0) return;
  for (int record = 0; record < controller_->GetRecordCount() && !entries_.empty(); ++record) {
    int index;
    if (!FindRecordKey(record, index)) continue;
    int position = entries_[static_cast<size_t>(index)].Index;
    if (position < selection->GetCount()) selection->GetEntry(position).RecordIndex = record;
    entries_.erase(entries_.begin() + index);
  }
  // Records whose key disappeared leave the selection.
  for (const TEntry& entry : entries_)
    if (entry.Index < selection->GetCount()) selection->GetEntry(entry.Index).RecordIndex = -1;
  for (int i = selection->GetCount(); i-- > 0;)
    if (selection->GetEntry(i).RecordIndex == -1) selection->Delete(i);
}

void TcxSaveObject::Save(TcxDBDataController* AController) {
  if (!AController->IsKeyNavigation()) return;
  detailKeys_.SaveFor(AController);
  selectedKeys_.SaveFor(AController);
}

void TcxSaveObject::Restore(TcxDBDataController* AController) {
  if (AController->IsKeyNavigation()) {
    detailKeys_.RestoreFor(AController);
    selectedKeys_.RestoreFor(AController);
    return;
  }
  TcxDataSelection* selection = AController->DataControllerInfo()->Selection();
  for (int i = selection->GetCount(); i-- > 0;)
    if (selection->GetEntry(i).Level >= 0 && selection->GetEntry(i).RecordIndex >= AController->GetRecordCount())
      selection->Delete(i);
}
