// Partial-load mode: record nodes for a stretch of the dataset around the current record, grown at
// either end as the user scrolls towards it. RecordIndex counts from the first load's current
// record, negative before it, so a node's distance from the focused one is a dataset distance.
#include <algorithm>

#include "dx/dbgrid/dxDBGrid.h"
#include "platform/data/DataSet.h"
#include "platform/rtl/ScopeExit.h"

int TCustomdxDBGrid::PartialPageRows() {
  TdxTreeListRectInfo areas;
  CalcRectInfo(areas);
  return (areas.Rows.bottom - areas.Rows.top) / std::max(1, DefaultRowHeight()) + 1;
}

int TCustomdxDBGrid::PartialBufferSize() { return std::max(partialLoadBufferCount_, 5 * PartialPageRows()); }

TdxDBGridNode* TCustomdxDBGrid::AddPartialNode(bool AtFront, int Index) {
  auto* node = GridNode(AtFront && GetCount() ? Insert(GetItem(0)) : Add());
  FillNodeValues(node);
  node->RecordIndex = Index;
  DoRefreshNodeData(node);
  return node;
}

void TCustomdxDBGrid::LoadPartial(int Direction, int ScrollMode) {
  TDataSet* ds = GetDataSet();
  if (!ds || !dataLink_->Active() || !ds->Active()) return;
  TValueScope<bool> internal(internalChange_, true);
  TValueScope<bool> loading(inPartialLoad_, true);
  BindKeyField();
  if (!BoundKeyField() && Options().Contains(egoCanNavigation)) return;
  BindPreviewField();
  BindColumnFields();
  const int size = PartialBufferSize();
  TdxTreeListNode* current = nullptr;
  int distance = 0;
  {
    TdxTreeListUpdateScope update(this);
    TDisableControlsScope disabled(ds);
    if (ds->State() == dsEdit || ds->State() == dsInsert || ds->State() == dsSetKey) ds->Cancel();
    const TBookmark bookmark = ds->GetBookmark();
    const bool wasBof = ds->Bof(), wasEof = ds->Eof();
    auto* focused = GridNode(FocusedNode());
    if (Direction == 1 && focused && GetCount()) {
      const int next = GridNode(GetItem(GetCount() - 1))->RecordIndex + 1;
      const int wanted = next - focused->RecordIndex;
      if (ds->MoveBy(wanted) == wanted)
        for (int i = 0, index = next; i < size && !ds->Eof(); ++i, ds->Next()) AddPartialNode(false, index++);
      eofLoaded_ = ds->Eof();
    } else if (Direction == 2 && focused && GetCount()) {
      const int prior = GridNode(GetItem(0))->RecordIndex - 1;
      const int wanted = prior - focused->RecordIndex;
      if (ds->MoveBy(wanted) == wanted)
        for (int i = 0, index = prior; i < size && !ds->Bof(); ++i, ds->Prior()) AddPartialNode(true, index--);
      bofLoaded_ = ds->Bof();
    } else if (Direction == 3) {
      LoadAllPartial(bookmark);
    } else {
      if (focused && TopVisibleNode()) distance = focused->GetAbsoluteIndex() - TopVisibleNode()->GetAbsoluteIndex();
      ClearNodes();
      if (ds->Bof() && ds->Eof()) {
        bofLoaded_ = eofLoaded_ = true;
      } else {
        current = AddPartialNode(false, 0);
        int back = 1;
        for (ds->Prior(); !ds->Bof() && back < size / 2; ds->Prior()) AddPartialNode(true, -back++);
        bofLoaded_ = ds->Bof();
        ds->GotoBookmark(bookmark);
        const int ahead = std::max(size - back, size / 2);
        int index = 1;
        for (ds->Next(); !ds->Eof() && index <= ahead; ds->Next()) AddPartialNode(false, index++);
        eofLoaded_ = ds->Eof();
      }
    }
    if (!bookmark.empty() && ds->BookmarkValid(bookmark)) ds->GotoBookmark(bookmark);
    if (wasBof && !ds->Bof()) ds->Prior();
    if (wasEof && !ds->Eof()) ds->Next();
  }
  if (Direction == 3) {
    TValueScope<bool> loaded(internalChange_, false);  // the nodes are there: the focus may follow
    SyncFocusWithRecord();
  }
  if (!current) return;
  const int row = current->GetAbsoluteIndex();
  if (ScrollMode == 1) SetTopIndex(row);
  else if (ScrollMode == 2) SetTopIndex(std::max(0, row - (FullVisibleRowCount() - 1)));
  else SetTopIndex(std::max(0, row - distance));
  TValueScope<bool> syncing(syncingFocus_, true);
  TCustomdxDBTreeListControl::SetFocusedNode(current, GetFocusedColumn(), true);
}

// Every record a node, RecordIndex still counted from the current record (Current).
void TCustomdxDBGrid::LoadAllPartial(const AnsiString& Current) {
  TDataSet* ds = GetDataSet();
  ClearSelection();
  ClearNodes();
  int currentRow = 0;
  for (ds->First(); !ds->Eof(); ds->Next()) {
    if (ds->CompareBookmarks(ds->GetBookmark(), Current) == 0) currentRow = GetCount();
    AddPartialNode(false, GetCount());
  }
  for (int i = 0; i < GetCount(); ++i) GridNode(GetItem(i))->RecordIndex = i - currentRow;
  bofLoaded_ = eofLoaded_ = true;
}

void TCustomdxDBGrid::SetTopVisibleNode(TdxTreeListNode* Node) {
  TCustomdxDBTreeListControl::SetTopVisibleNode(Node);
  if (!IsPartialLoadMode() || inPartialLoad_ || !HandleAllocated() || !TopVisibleNode()) return;
  const int page = PartialPageRows();
  const int top = TopVisibleNode()->GetAbsoluteIndex();
  if (!bofLoaded_ && top <= page) LoadPartial(2, 0);
  else if (!eofLoaded_ && top >= GetAbsoluteCount() - 2 * page) LoadPartial(1, 0);
}

// Distance is the link's, negated: positive when the dataset moved backward.
void TCustomdxDBGrid::ExtendPartialForScroll(int Distance) {
  auto* focused = GridNode(FocusedNode());
  if (!IsPartialLoadMode() || inPartialLoad_ || Distance == 0 || !focused || !GetCount()) return;
  const int moved = -Distance;
  const int first = GridNode(GetItem(0))->RecordIndex, last = GridNode(GetItem(GetCount() - 1))->RecordIndex;
  if (moved > 0 && last - focused->RecordIndex < moved) LoadPartial(0, 2);
  else if (moved < 0 && moved < first - focused->RecordIndex) LoadPartial(0, 1);
}
