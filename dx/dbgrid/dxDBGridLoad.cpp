// The grid's record loading and the sync between its focused node and the dataset's current record.
#include <algorithm>

#include "dx/dbgrid/dxDBGrid.h"
#include "dx/treelist/dxTLRoutines.h"
#include "platform/data/DataSet.h"
#include "platform/rtl/ScopeExit.h"

namespace {

bool SameKey(const Variant& A, const Variant& B) {
  if (VarIsEmpty(A) || VarIsNull(A) || VarIsEmpty(B) || VarIsNull(B)) return false;
  return CompareVariantValues(A, B) == 0;
}

bool IsEditState(TDataSet* DataSet) {
  const TDataSetState s = DataSet->State();
  return s == dsEdit || s == dsInsert || s == dsSetKey;
}

}  // namespace

void TCustomdxDBGrid::DoLinkActive(bool Active) {
  if (!Active) CloseEditor();
  ReloadGrid();
}

void TCustomdxDBGrid::ReloadGrid() {
  if (UngroupLoadedNodes()) return;
  loadedContent_.reset();
  TdxTreeListUpdateScope update(this);
  CloseEditor();
  // A grouping change keeps the selected records selected, found again by key or bookmark.
  if (groupingChanged_) SaveSelection();
  TScopeExit forget([&] {
    savedSelectionBookmarks_.clear();
    savedSelectionKeys_.clear();
  });
  ClearSelection();
  ClearNodes();
  RefreshColumns();
  ReloadNodes();
  if (OnReloadGroupList) OnReloadGroupList(this);
}

void TCustomdxDBGrid::ReloadNodes() {
  if (IsLoadingControl()) return;
  // Only a complete load-all walk says what the nodes hold; any other mode's nodes say nothing.
  loadedContent_.reset();
  TScopeExit settled([&] { groupingChanged_ = false; });
  if (IsDataSetWindowMode()) {
    BindKeyField();
    BindPreviewField();
    BindColumnFields();
    SyncWindowRows();
    return;
  }
  if (IsPartialLoadMode()) {
    LoadPartial(0, 0);
    return;
  }
  {
    TValueScope<bool> internal(internalChange_, true);
    BindKeyField();
    if (!BoundKeyField() && Options().Contains(egoCanNavigation)) return;
    if (!dataLink_->Active() || !GetDataSet()) return;
    UngroupUnboundColumns();
    LoadAllRecords();
  }
  FocusNodeByKey();
}

void TCustomdxDBGrid::UngroupUnboundColumns() {
  ++groupLockCount_;
  TScopeExit unlock([&] { --groupLockCount_; });
  for (int level = GroupCount() - 1; level >= 0; --level)
    if (!groupColumns_[level]->GetBoundField()) RemoveGroupColumn(level);
}

void TCustomdxDBGrid::LoadAllRecords() {
  TDataSet* ds = GetDataSet();
  BindPreviewField();
  BindColumnFields();
  BindGroupSummaryFields();
  TdxTreeListUpdateScope update(this);
  TDisableControlsScope disabled(ds);
  if (IsEditState(ds)) ds->Cancel();
  const TBookmark bookmark = ds->GetBookmark();
  const bool wasBof = ds->Bof(), wasEof = ds->Eof();
  if (OnClearNodeData) OnClearNodeData(this);
  DoBeforeCalcSummary();
  const bool grouped = GroupCount() > 0;
  if (nodeFilterActive_) PrepareFilterCriteria();
  int index = 0;
  TGroupPathHint hint;
  for (ds->First(); !ds->Eof(); ds->Next()) {
    TdxDBGridNode* group = grouped ? PlaceInGroups(nullptr, index, &hint) : nullptr;
    auto* node = GridNode(group ? group->AddChild() : Add());
    FillNodeValues(node);
    node->RecordIndex = index++;
    if (!AcceptNodeByFilter(node)) continue;
    DoRefreshNodeData(node);
    RestoreSelection(node);
    AccumulateFooter();
    if (group) AccumulateGroupSummaries(group, nullptr);
  }
  recordCount_ = index;
  if (!TopVisibleNode()) FocusFirstRoot();
  FinishGroupSummaries();
  FinishFooter(recordCount_);
  if (!bookmark.empty() && ds->BookmarkValid(bookmark)) ds->GotoBookmark(bookmark);
  if (wasBof && !ds->Bof()) ds->Prior();
  if (wasEof && !ds->Eof()) ds->Next();
  if (grouped && OptionsEx().Contains(egoCollapsedReload)) MoveToCollapsedGroupStart();
  loadedContent_ = CurrentLoadInputs();
}

void TCustomdxDBGrid::MoveToCollapsedGroupStart() {
  if (!GetCount() || !Options().Contains(egoCanNavigation)) return;
  TdxTreeListNode* group = nullptr;
  if (!FindGroupNode(GetItem(0), GroupPathValue(0, nullptr), 0, groupColumns_[0]->Sorted() == csDown, group) ||
      group->Expanded())
    return;
  // The first record below the collapsed group (group nodes carry it) becomes current.
  auto* first = GridNode(group);
  while (first->GetCount()) first = GridNode(first->GetFirstChild());
  TDataSet* ds = GetDataSet();
  if (UseLocate() && BoundKeyField()) {
    ds->Locate(KeyField(), first->KeyValue, {});
  } else {
    ds->First();
    ds->MoveBy(first->RecordIndex);
  }
}

// --- Focus and record ---

void TCustomdxDBGrid::SyncFocusWithRecord() {
  if (syncingFocus_ || !dataLink_->Active() || IsLoadingControl()) return;
  if (IsDataSetWindowMode()) {
    SyncWindowRows();
    SyncEditorWithField();
    return;
  }
  TValueScope<bool> syncing(syncingFocus_, true);
  FocusNodeByKey();
  SyncEditorWithField();
}

void TCustomdxDBGrid::FocusNodeByKey() {
  if (!BoundKeyField() || !Options().Contains(egoCanNavigation) || internalChange_) return;
  const Variant key = BoundKeyField()->AsVariant();
  TdxTreeListNode* focused = FocusedNode();
  if (focused && SameKey(GridNode(focused)->KeyValue, key)) return;
  TdxTreeListNode* target = GroupCount() > 0 ? GroupedNodeOfKey(key) : CurrentRecordNode(key);
  for (int i = 0; !target && GroupCount() == 0 && i < GetCount(); ++i)
    if (SameKey(GridNode(GetItem(i))->KeyValue, key)) target = GetItem(i);
  if (!target) return;
  TValueScope<bool> syncing(syncingFocus_, true);
  // Row lookups walk the whole tree while the row cache is stale: build it once first. Outside an
  // update bracket the cache follows every change, and rebuilding it costs a walk of all rows.
  if (LockCount() > 0 || !IsNodeCacheBuilt()) RefreshNodeCache();
  MakeNodeVisible(target);
  TCustomdxDBTreeListControl::SetFocusedNode(target, GetFocusedColumn(), true);
}

TdxTreeListNode* TCustomdxDBGrid::GroupedNodeOfKey(const Variant& Key) {
  TdxTreeListNode* group = nullptr;
  for (int level = 0; level < GroupCount(); ++level) {
    TdxTreeListNode* first = group ? group->GetFirstChild() : (GetCount() ? GetItem(0) : nullptr);
    TdxTreeListNode* found = nullptr;
    if (!FindGroupNode(first, GroupPathValue(level, nullptr), 0, groupColumns_[level]->Sorted() == csDown, found))
      return nullptr;
    group = found;
  }
  if (!group || !group->GetCount()) return nullptr;
  TdxTreeListNode* firstRecord = group->GetFirstChild();
  if (SameKey(GridNode(group)->KeyValue, Key) && SameKey(GridNode(firstRecord)->KeyValue, Key)) {
    // The first record of its group: its group row takes the focus unless the record row had it.
    if (firstRecord == FocusedNode()) return firstRecord;
    while (syncingFocus_ && !group->IsVisible() && group->Parent() && SameKey(GridNode(group->Parent())->KeyValue, Key))
      group = group->Parent();
    return group;
  }
  for (int i = 0; i < group->GetCount(); ++i)
    if (SameKey(GridNode(group->GetItem(i))->KeyValue, Key)) return group->GetItem(i);
  return nullptr;
}

TdxTreeListNode* TCustomdxDBGrid::CurrentRecordNode(const Variant& Key) {
  // While the nodes match the dataset's content one to one, root i is the record at position i:
  // a search of a million nodes by key becomes one look, checked by the key.
  TDataSet* ds = GetDataSet();
  if (!ds || !loadedContent_ || *loadedContent_ != CurrentLoadInputs()) return nullptr;
  const int index = ds->RecNo() - 1;
  if (index < 0 || index >= GetCount()) return nullptr;
  TdxTreeListNode* node = GetItem(index);
  return !node->HasChildren() && SameKey(GridNode(node)->KeyValue, Key) ? node : nullptr;
}

bool TCustomdxDBGrid::LocateNodeRecord(TdxDBGridNode* Node, bool ByLocate) {
  TDataSet* ds = GetDataSet();
  if (!ds || !dataLink_->Active()) return false;
  TField* key = BoundKeyField();
  if (key && SameKey(key->AsVariant(), Node->KeyValue)) return true;
  // A pending edit posted by the move must still be noticed, so only a browsing dataset is marked.
  TValueScope<bool> internal(internalChange_, !IsEditState(ds));
  TValueScope<bool> locating(locatingByKey_, true);
  auto locateByKey = [&] { return key && ds->Locate(KeyField(), Node->KeyValue, {}); };
  if (ByLocate) return locateByKey();
  auto* focused = GridNode(FocusedNode());
  const int from = focused ? focused->RecordIndex : 0;
  if (!focused) ds->First();
  ds->MoveBy(Node->RecordIndex - from);
  // Record distances drift when records were inserted or deleted since the load: never trust a
  // distance move alone when the key can tell.
  if (!key) return true;
  if (SameKey(key->AsVariant(), Node->KeyValue)) return true;
  return locateByKey();
}

void TCustomdxDBGrid::SetFocusedNode(TdxTreeListNode* Node, int Column, bool MakeVisible) {
  if (!Node) return;
  if (!syncingFocus_ && IsDataSetWindowMode()) {
    // The dataset moves to the row; its scroll notification focuses the row it reached.
    if (!MoveToWindowRow(Node)) TCustomdxDBTreeListControl::SetFocusedNode(Node, Column, MakeVisible);
    return;
  }
  if (!syncingFocus_ && Node != FocusedNode()) {
    WatchNode(Node);
    const bool reached = LocateNodeRecord(GridNode(Node), UseLocate());
    if (!reached || !IsNodeWatched(Node)) return;
  }
  TCustomdxDBTreeListControl::SetFocusedNode(Node, Column, MakeVisible);
}

// --- Notifications ---

void TCustomdxDBGrid::DoDataChanged() {
  if (SelectionLockCount() == 0 && OnChangeNodeEx) ReportNodeChange();
  TDataSet* ds = GetDataSet();
  if (ds && ds->State() != dsInsert) changingNode_ = nullptr;
  if (locatingByKey_) {
    locatingByKey_ = false;
    return;
  }
  if (internalChange_ || !ds) return;
  if (IsDataSetWindowMode()) {
    SyncWindowRows();
    return;
  }
  if (IsDataSetChangingByControls(ds) && IsLoadAllMode()) {
    DoScroll(0);
    return;
  }
  if (ds->State() == dsEdit || ds->State() == dsSetKey) return;
  if (ds->State() == dsInsert && BoundKeyField() && IsLoadAllMode()) {
    InsertRecordNode();
    return;
  }
  RefreshForDataSetChange();
}

void TCustomdxDBGrid::RegroupReload() {
  loadedContent_.reset();
  groupingChanged_ = forceFullReload_ = false;
  TdxTreeListUpdateScope update(this);
  // The grouped fields are the same: each group that still exists keeps its expanded state, and
  // the selected records stay selected.
  const std::vector<TGroupPath> expanded = SaveExpandedGroups();
  SaveSelection();
  TScopeExit forget([&] {
    savedSelectionBookmarks_.clear();
    savedSelectionKeys_.clear();
  });
  ClearSelection();
  ClearNodes();
  ReloadNodes();
  RestoreExpandedGroups(expanded);
}

void TCustomdxDBGrid::InsertRecordNode() {
  TdxTreeListNode* leaf = FocusedNode();
  while (leaf && leaf->GetCount()) leaf = leaf->GetFirstChild();
  TDataSet* ds = GetDataSet();
  TdxTreeListNode* parent = leaf ? leaf->Parent() : nullptr;
  TdxTreeListNode* made;
  if (!leaf)
    made = Add();
  else if (ds->Eof())
    made = parent ? parent->AddChild() : Add();
  else
    made = parent ? parent->InsertChild(leaf) : Insert(leaf);
  auto* node = GridNode(made);
  node->KeyValue = Null();
  node->RecordIndex = recordCount_;
  FillNodeValues(node);
  changingNode_ = node;
  {
    TValueScope<bool> syncing(syncingFocus_, true);
    TCustomdxDBTreeListControl::SetFocusedNode(node, GetFocusedColumn(), true);
  }
  PrefillGroupValues(node);
}

void TCustomdxDBGrid::PrefillGroupValues(TdxDBGridNode* Node) {
  // A record inserted inside a group belongs to it before anything is typed.
  for (TdxTreeListNode* p = Node->Parent(); p; p = p->Parent()) {
    TdxDBTreeListColumn* column = GetGroupColumn(p->GetLevel());
    TField* field = column ? column->GetBoundField() : nullptr;
    if (!field) continue;
    if (!field->Lookup()) {
      if (field->CanModify()) field->SetValue(GridNode(p)->Group().Value);
      continue;
    }
    TField* keyField = GetDataSet()->FindField(field->KeyFields());
    TNodeVariantData data;
    GetNodeValueData(p, column->GetDataIndex(), data);
    if (keyField && keyField->CanModify() && data.HasLookupKey) keyField->SetValue(data.LookupKeyValue);
  }
}

void TCustomdxDBGrid::DoRecordChanged(TField* Field) {
  TDataSet* ds = GetDataSet();
  if (!ds || (ds->State() == dsInsert && !changingNode_) || ds->State() == dsSetKey) return;
  TdxTreeListNode* node = FocusedNode();
  RefreshCurrentRecord(Field, node);
  if (!changingNode_) changingNode_ = GridNode(FocusedNode());
}

void TCustomdxDBGrid::DoScroll(int Distance) {
  if (IsDataSetWindowMode()) {
    // Records of other heights came into the window: the rows are fitted and counted again.
    if (HasVariableRowHeights())
      UpdateVisibleRowCount();
    else
      SyncWindowRows();
  } else {
    ExtendPartialForScroll(Distance);
    SyncFocusWithRecord();
  }
  DoChangeNodeEx();
}

void TCustomdxDBGrid::RefreshNodeFromRecord(TdxTreeListNode*& Node) {
  if (!Node || !Options().Contains(egoCanNavigation) || !BoundKeyField()) return;
  FillNodeValues(Node);
  DoRefreshNodeData(Node);
  InvalidateNode(Node);
}

// --- Cell access ---

void TCustomdxDBGrid::GetNodeVariant(TdxTreeListNode* Node, int Column, Variant& Value) {
  if (Node->HasChildren()) {
    Value = GridNode(Node)->Group().Value;
    return;
  }
  if (IsDataSetWindowMode()) {
    GetWindowRowVariant(Node, Column, Value);
    return;
  }
  TCustomdxDBTreeListControl::GetNodeVariant(Node, Column, Value);
}

String TCustomdxDBGrid::GetPreviewText(TdxTreeListNode* Node) {
  if (IsDataSetWindowMode() && BoundPreviewField() && dataLink_->Active() &&
      Node->GetAbsoluteIndex() < dataLink_->RecordCount()) {
    // The row's record is read afresh: the node stands for whichever record its buffer row holds.
    BeginNodeRead(Node);
    TScopeExit end([&] { EndNodeRead(Node); });
    FillNodePreview(GridNode(Node));
  }
  String text = GridNode(Node)->PreviewText();
  if (OnGetPreviewText) OnGetPreviewText(this, Node, text);
  return text;
}

// --- Group data ---

const TdxDBGridGroupData& TdxDBGridNode::Group() const {
  static const TdxDBGridGroupData none;
  return group_ ? *group_ : none;
}

TdxDBGridGroupData& TdxDBGridNode::EditGroup() {
  if (!group_) group_ = std::make_unique<TdxDBGridGroupData>();
  return *group_;
}

// --- Deleting a record ---

void TdxDBGridNode::DeleteRecord() {
  auto* grid = static_cast<TCustomdxDBGrid*>(Owner());
  if (!grid->GetDataLink()->Active() || HasChildren()) return;
  TDataSet* ds = grid->GetDataSet();
  if (!grid->IsDataSetWindowMode()) {
    if (!grid->Options().Contains(egoCanNavigation) || !grid->LocateNodeRecord(this, grid->UseLocate()))
      return;
  }
  grid->changingNode_ = this;
  try {
    ds->Delete();
  } catch (...) {
    grid->changingNode_ = nullptr;
    throw;
  }
}
