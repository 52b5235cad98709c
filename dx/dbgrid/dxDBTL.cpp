#include "dx/dbgrid/dxDBTL.h"

#include <algorithm>
#include <map>
#include <set>

#include "dx/dbgrid/dxDBColumnDefaults.h"
#include "dx/dbgrid/dxDBTLInternal.h"
#include "dx/treelist/dxTLRoutines.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_IMPLEMENT_CLASS(TdxDBTreeListNode)
TRENVIK_IMPLEMENT_CLASS(TCustomdxDBTreeList)

TRENVIK_PUBLISHED(TdxDBTreeList) {
  P.Property("DataSource", &TdxDBTreeList::DataSource, &TdxDBTreeList::SetDataSource);
  P.Property("KeyField", &TdxDBTreeList::KeyField, &TdxDBTreeList::SetKeyField);
  P.Property("ParentField", &TdxDBTreeList::ParentField, &TdxDBTreeList::SetParentField);
  P.Property("RootValue", &TdxDBTreeList::RootValue, &TdxDBTreeList::SetRootValue);
  P.Property("ImageIndexFieldName", &TdxDBTreeList::ImageIndexFieldName,
             &TdxDBTreeList::SetImageIndexFieldName);
  P.Property("PreviewFieldName", &TdxDBTreeList::PreviewFieldName, &TdxDBTreeList::SetPreviewFieldName);
  P.Property("OptionsBehavior", &TdxDBTreeList::OptionsBehavior, &TdxDBTreeList::SetOptionsBehavior)
      .Default(kDefaultDBTreeListOptionsBehavior);
  P.Property("OptionsCustomize", &TdxDBTreeList::OptionsCustomize, &TdxDBTreeList::SetOptionsCustomize)
      .Default(kDefaultDBTreeListOptionsCustomize);
  P.Property("OptionsDB", &TdxDBTreeList::OptionsDB, &TdxDBTreeList::SetOptionsDB)
      .Default(kDefaultDBTreeListOptionsDB);
  P.Property("OptionsView", &TdxDBTreeList::OptionsView, &TdxDBTreeList::SetOptionsView)
      .Default(kDefaultDBTreeListOptionsView);
}

using namespace dbtl_internal;

struct TCustomdxDBTreeList::TLoadState {
  TNodeIndex Known;
  TNodeIndex Reusable;
  // Keys placed by this load: a record met twice (a parent cycle reached from the root) stops there.
  TKeySet Loaded;
  std::vector<TdxTreeListNode*> WithChildren;
};

TCustomdxDBTreeList::TCustomdxDBTreeList(TComponent* AOwner)
    : TCustomdxDBTreeListControl(AOwner), dataLink_(std::make_unique<TdxDBTreeListControlDataLink>(this)) {
  RegisterDBTreeListControl(this);
  // The default option sets' bits, with selection across parents (first word bit 11) and sorting by
  // several columns (second word bit 22), which no option of this control changes.
  SetOptionFlags(18615);
  SetOptionFlagsEx(71316534);
  SetHideFocusRect(false);
  SetHideSelection(false);
}

TCustomdxDBTreeList::~TCustomdxDBTreeList() {
  DetachAndHideEditor();
  dataLink_->SetDataSource(nullptr);
  UnregisterDBTreeListControl(this);
  ClearNodes();
}

TClass TCustomdxDBTreeList::GetColumnClassForField(TField* Field) const {
  return DBTreeListDefaultColumns().ClassFor(Field);
}

// --- Properties ---

void TCustomdxDBTreeList::SetDataSource(TDataSource* Value) {
  if (Value == dataLink_->DataSource()) return;
  ClearSelection();
  dataLink_->SetDataSource(Value);
  if (Value) Value->FreeNotification(this);
}

void TCustomdxDBTreeList::SetParentField(const String& Value) {
  if (parentField_ == Value) return;
  parentField_ = Value;
  DoLinkActive(dataLink_->Active());
}

void TCustomdxDBTreeList::SetRootValue(const String& Value) {
  if (!VarIsNull(rootValue_) && VarToStr(rootValue_) == Value) return;
  rootValue_ = Value;
  DoLinkActive(dataLink_->Active());
}

Variant TCustomdxDBTreeList::RootValueAsVariant() const {
  if (VarIsNull(rootValue_) || VarToStr(rootValue_).empty()) return Null();
  // Kept as text, compared as a value: the parent field's own kind of value is what Locate matches.
  if (boundParentField_ && IsValueFieldType(boundParentField_->DataType())) {
    try {
      return VarAsType(rootValue_, boundParentField_->AsVariant().Type() == varNull
                                       ? TVarType(varDouble)
                                       : boundParentField_->AsVariant().Type());
    } catch (const Exception&) {
      // Not a number: no record can have it as its parent, and the text finds none either.
    }
  }
  return rootValue_;
}

void TCustomdxDBTreeList::SetImageIndexFieldName(const String& Value) {
  if (imageIndexFieldName_ == Value) return;
  imageIndexFieldName_ = Value;
  DoLinkActive(dataLink_->Active());
}

void TCustomdxDBTreeList::SetOptionsDB(TdxDBTreeListOptionsDB Value) {
  if (Value == optionsDB_) return;
  const TdxDBTreeListOptionsDB old = optionsDB_;
  const auto switchedOn = [&](TdxDBTreeListOptionDB Option) {
    return Value.Contains(Option) && !old.Contains(Option);
  };
  const auto changed = [&](TdxDBTreeListOptionDB Option) { return Value.Contains(Option) != old.Contains(Option); };
  optionsDB_ = Value;
  // The selection is kept by bookmark or by node: it cannot change its form.
  if (changed(etoUseBookmarks)) ClearSelection();
  // Other changes keep the nodes and their expansion.
  if (switchedOn(etoCanNavigation) || switchedOn(etoCheckHasChildren) || changed(etoLoadAllRecords))
    RefreshDataLayout();
}

// --- Loading ---

void TCustomdxDBTreeList::BindKeyFields() {
  boundParentField_ = boundImageIndexField_ = nullptr;
  BindKeyField();
  TDataSet* ds = GetDataSet();
  if (!dataLink_->Active() || !ds) return;
  if (!parentField_.empty()) boundParentField_ = ds->FindField(parentField_);
  if (!imageIndexFieldName_.empty()) boundImageIndexField_ = ds->FindField(imageIndexFieldName_);
  for (TField* f : {boundParentField_, boundImageIndexField_})
    if (f) f->FreeNotification(this);
}

TdxTreeListNode* TCustomdxDBTreeList::FindNodeByKey(const Variant& Key) const {
  return FindNodeInTreeOrder([&](TdxTreeListNode* n) { return SameValue(TreeNode(n)->KeyValue, Key); });
}

void TCustomdxDBTreeList::LoadTree(TdxTreeListNode* Node) {
  TDataSet* ds = GetDataSet();
  if (IsLoadingControl() || !ds || !ds->Active()) return;
  TValueScope<bool> internal(internalChange_, true);
  BindKeyFields();
  if (IsKeyFieldMissing()) return;
  BindPreviewField();
  if (IsLoadAllRecords()) {
    BindColumnFields();
    DoBeforeCalcSummary();
  }
  TdxTreeListUpdateScope update(this);
  TDisableControlsScope disabled(ds);
  if (IsEditState(ds)) ds->Cancel();
  const TBookmark bookmark = ds->GetBookmark();
  const bool wasBof = ds->Bof(), wasEof = ds->Eof();

  TLoadState state;
  FindNodeInTreeOrder([&](TdxTreeListNode* n) {
    state.Known.emplace(TreeNode(n)->KeyValue, n);
    return false;
  });
  if (!Node) state.Reusable = state.Known;

  if (IsLoadAllRecords()) {
    LoadAll(state);
  } else if (Node) {
    // The branch's records are new to the tree; a record shown already comes back only through a
    // parent cycle and is not shown twice.
    for (auto& [key, n] : state.Known) state.Loaded.insert(key);
    LoadChildren(state, Node, TreeNode(Node)->KeyValue, nullptr);
  } else {
    const Variant key = BoundKeyField()->AsVariant();
    const Variant parent = boundParentField_->AsVariant();
    LoadChildren(state, nullptr, RootValueAsVariant(), nullptr);
    if (BoundKeyField() != boundParentField_ && !state.Known.contains(key) && IsInRootChain(parent))
      LoadAncestorChain(state, parent);
  }

  // Nodes whose records are gone, deepest first so that no freed parent takes a freed child along.
  std::vector<TdxTreeListNode*> stale;
  for (auto& [key, n] : state.Reusable) stale.push_back(n);
  std::sort(stale.begin(), stale.end(), [](auto* a, auto* b) { return a->GetLevel() > b->GetLevel(); });
  for (TdxTreeListNode* n : stale) {
    while (n->GetCount()) {
      TdxTreeListNode* child = n->GetFirstChild();
      child->Detach();
      child->AddToRoots();
    }
    delete n;
  }
  for (TdxTreeListNode* n : state.WithChildren) n->SetHasChildren(true);
  if (!TopVisibleNode()) FocusFirstRoot();
  ApplySorting();

  if (!bookmark.empty() && ds->BookmarkValid(bookmark)) ds->GotoBookmark(bookmark);
  if (wasBof && !ds->Bof()) ds->Prior();
  if (wasEof && !ds->Eof()) ds->Next();
}

void TCustomdxDBTreeList::LoadAll(TLoadState& State) {
  TDataSet* ds = GetDataSet();
  int records = 0;
  for (ds->First(); !ds->Eof(); ds->Next(), ++records) {
    AddOrRefreshNode(State, BoundKeyField()->AsVariant(), boundParentField_->AsVariant());
    AccumulateFooter();
  }
  FinishFooter(records);
  // A child read before its parent went to the roots: put it under the parent now, unless the
  // parent lies below it (a parent cycle in the data).
  for (int i = GetCount() - 1; i >= 0; --i) {
    auto* root = TreeNode(GetItem(i));
    auto it = State.Known.find(root->ParentValue);
    if (VarIsNull(root->ParentValue) || it == State.Known.end()) continue;
    if (root->CanMove(it->second, natlAddChild)) root->InternalMove(it->second, natlAddChild);
  }
}

TdxTreeListNode* TCustomdxDBTreeList::AddOrRefreshNode(TLoadState& State, const Variant& Key,
                                                       const Variant& Parent) {
  State.Loaded.insert(Key);
  TdxTreeListNode* node = nullptr;
  if (auto it = State.Reusable.find(Key); it != State.Reusable.end()) {
    node = it->second;
    State.Reusable.erase(it);
  }
  auto parent = State.Known.find(Parent);
  TdxTreeListNode* parentNode = VarIsNull(Parent) || parent == State.Known.end() ? nullptr : parent->second;
  if (!node) {
    node = parentNode ? parentNode->AddChild() : Add();
    State.Known.emplace(Key, node);
  } else {
    const bool placed = node->Parent() ? SameValue(TreeNode(node->Parent())->KeyValue, Parent) : !parentNode;
    if (!SameValue(TreeNode(node)->ParentValue, Parent) || !placed) {
      if (parentNode && node->CanMove(parentNode, natlAddChild)) {
        node->InternalMove(parentNode, natlAddChild);
      } else if (node->Parent()) {
        node->Detach();
        node->AddToRoots();
      }
    }
  }
  TreeNode(node)->ParentValue = Parent;
  FillNodeValues(node);
  return node;
}

void TCustomdxDBTreeList::LoadChildren(TLoadState& State, TdxTreeListNode* Parent, const Variant& ParentKey,
                                       std::vector<TdxTreeListNode*>* Collect) {
  TDataSet* ds = GetDataSet();
  if (!ds->Locate(parentField_, ParentKey, {})) return;
  std::vector<TdxTreeListNode*> produced;
  for (; !ds->Eof() && SameValue(boundParentField_->AsVariant(), ParentKey); ds->Next()) {
    const Variant key = BoundKeyField()->AsVariant();
    if (State.Loaded.contains(key)) continue;
    TdxTreeListNode* node = AddOrRefreshNode(State, key, ParentKey);
    produced.push_back(node);
    if (Collect) Collect->push_back(node);
  }
  std::vector<TdxTreeListNode*> children;
  if (Parent)
    for (int i = 0; i < Parent->GetCount(); ++i) children.push_back(Parent->GetItem(i));
  else
    children = produced;
  for (TdxTreeListNode* child : children) {
    const Variant key = TreeNode(child)->KeyValue;
    if (child->Expanded()) {
      LoadChildren(State, child, key, nullptr);
    } else if (!optionsDB_.Contains(etoCheckHasChildren) || ds->Locate(parentField_, key, {})) {
      State.WithChildren.push_back(child);
    }
  }
}

bool TCustomdxDBTreeList::IsInRootChain(const Variant& ParentValue) {
  TDataSet* ds = GetDataSet();
  const Variant root = RootValueAsVariant();
  TKeySet seen;
  for (Variant v = ParentValue;;) {
    if (SameValue(v, root)) return true;
    if (VarIsNull(v) || !seen.insert(v).second) return false;
    if (!ds->Locate(KeyField(), v, {})) return false;
    v = boundParentField_->AsVariant();
  }
}

void TCustomdxDBTreeList::LoadAncestorChain(TLoadState& State, const Variant& ParentValue) {
  TDataSet* ds = GetDataSet();
  const Variant root = RootValueAsVariant();
  std::vector<Variant> chain;
  TKeySet seen;
  for (Variant v = ParentValue; !SameValue(v, root) && !VarIsNull(v) && seen.insert(v).second;) {
    chain.push_back(v);
    if (!ds->Locate(KeyField(), v, {})) break;
    v = boundParentField_->AsVariant();
  }
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    auto found = State.Known.find(*it);
    if (found == State.Known.end()) return;
    TdxTreeListNode* node = found->second;
    if (node->GetCount() == 0) LoadChildren(State, node, *it, nullptr);
    node->SetExpanded(true);
  }
}

void TCustomdxDBTreeList::Reload(bool ClearFirst) {
  {
    TdxTreeListUpdateScope update(this);
    CloseEditor();
    if (ClearFirst) {
      ClearSelection();
      ClearNodes();
    }
    RefreshColumns();
    ReloadNodes();
  }
  FocusCurrentRecordNode();
}

void TCustomdxDBTreeList::ReloadNodes() {
  TdxTreeListUpdateScope update(this);
  pendingRecordNode_ = nullptr;  // the new record's node is one of the others once it is posted
  LoadTree(nullptr);
}

void TCustomdxDBTreeList::RefreshDataLayout() { Reload(true); }

void TCustomdxDBTreeList::Loaded() {
  {
    TValueScope<bool> loading(LoadingControlFlag(), true);
    TdxTreeListUpdateScope update(this);
    TCustomdxDBTreeListControl::Loaded();
  }
  RefreshDataLayout();
}

void TCustomdxDBTreeList::ColumnFieldChanged(TdxDBTreeListColumn*) {
  if (columnChangeLock_) return;
  TValueScope<bool> lock(columnChangeLock_, true);
  RefreshDataLayout();
}

// --- Following the dataset ---

void TCustomdxDBTreeList::FocusCurrentRecordNode() {
  if (internalChange_ || IsKeyFieldMissing() || !CanNavigate() || !dataLink_->Active()) return;
  const Variant key = BoundKeyField()->AsVariant();
  TdxTreeListNode* node = FindNodeByKey(key);
  if (!node) {
    ReloadNodes();
    node = FindNodeByKey(key);
  }
  if (!node) return;
  TValueScope<bool> syncing(syncingFocus_, true);
  MakeNodeVisible(node);
  // Row lookups walk the whole tree while the row cache is stale: build it once first.
  RefreshNodeCache();
  TCustomdxDBTreeListControl::SetFocusedNode(node, GetFocusedColumn(), true);
}

void TCustomdxDBTreeList::SyncFocusWithRecord() {
  TDataSet* ds = GetDataSet();
  if (!dataLink_->Active() || IsLoadingControl() || !ds || !ds->Active()) return;
  TValueScope<bool> syncing(syncingFocus_, true);
  if (!reloadingFromDataChange_) FocusCurrentRecordNode();
  SyncEditorWithField();
}

bool TCustomdxDBTreeList::LocateNodeRecord(TdxTreeListNode* Node, const Variant& Key) {
  if (internalChange_) return true;
  if (BoundKeyField() && SameValue(BoundKeyField()->AsVariant(), Key) && FocusedNode() == Node) return true;
  if (!CanNavigate() || !BoundKeyField()) return true;
  TDataSet* ds = GetDataSet();
  TValueScope<bool> internal(internalChange_, !IsEditState(ds));
  TValueScope<bool> ignore(ignoreNextDataChange_, true);
  return ds->Locate(KeyField(), Key, {});
}

void TCustomdxDBTreeList::SetFocusedNode(TdxTreeListNode* Node, int Column, bool MakeVisible) {
  if (!Node) return;
  WatchNode(Node);
  if (!syncingFocus_ && !reloadingFromDataChange_ && !LocateNodeRecord(Node, TreeNode(Node)->KeyValue))
    return;
  if (IsNodeWatched(Node)) TCustomdxDBTreeListControl::SetFocusedNode(Node, Column, MakeVisible);
}

void TCustomdxDBTreeList::DoLinkActive(bool Active) {
  if (!Active) CloseEditor();
  RefreshDataLayout();
}

void TCustomdxDBTreeList::DoDataChanged() {
  if (ignoreNextDataChange_) {
    ignoreNextDataChange_ = false;
    return;
  }
  TDataSet* ds = GetDataSet();
  if (internalChange_ || !ds) return;
  if (IsDataSetChangingByControls(ds)) {
    DoScroll(0);
    return;
  }
  if (ds->State() == dsInsert && !pendingRecordNode_ && !IsKeyFieldMissing()) {
    InsertNodeForNewRecord();
    return;
  }
  if (ds->State() == dsEdit || ds->State() == dsSetKey || ds->State() == dsInsert) return;
  {
    TValueScope<bool> reloading(reloadingFromDataChange_, true);
    ReloadNodes();
  }
  FocusCurrentRecordNode();
}

void TCustomdxDBTreeList::DoRecordChanged(TField* Field) {
  TDataSet* ds = GetDataSet();
  if (ds && ds->State() == dsInsert && !internalChange_) newRecordTouched_ = true;
  if (!ds || ds->State() == dsInsert || ds->State() == dsSetKey) return;
  TdxTreeListNode* node = FocusedNode();
  RefreshCurrentRecord(Field, node);
}

void TCustomdxDBTreeList::DoScroll(int) {
  SyncFocusWithRecord();
  DoChangeNodeEx();
}

void TCustomdxDBTreeList::RefreshNodeFromRecord(TdxTreeListNode*& Node) {
  if (Node && CanNavigate() && BoundKeyField()) FillNodeValues(Node);
  if (Node) InvalidateNode(Node);
}

void TCustomdxDBTreeList::DoExpanding(TdxTreeListNode* Node, bool& Allow) {
  TCustomdxDBTreeListControl::DoExpanding(Node, Allow);
  if (!Allow || IsLoadAllRecords() || Node->GetCount() > 0 || internalChange_) return;
  LoadTree(Node);
  Node->SetHasChildren(Node->GetCount() > 0);
  Allow = Node->GetCount() > 0;
}

// --- Node contents ---

void TCustomdxDBTreeList::FillNodeValues(TdxTreeListNode* Node) {
  TCustomdxDBTreeListControl::FillNodeValues(Node);
  if (boundImageIndexField_) {
    Node->SetImageIndex(boundImageIndexField_->AsInteger());
    Node->SetSelectedIndex(boundImageIndexField_->AsInteger());
  }
  DoRefreshNodeData(Node);
}

String TCustomdxDBTreeList::GetPreviewText(TdxTreeListNode* Node) {
  String text = TreeNode(Node)->PreviewText();
  if (OnGetPreviewText) OnGetPreviewText(this, Node, text);
  return text;
}

void TCustomdxDBTreeList::FieldRemoved(TField* Field) {
  TCustomdxDBTreeListControl::FieldRemoved(Field);
  if (boundParentField_ == Field) boundParentField_ = nullptr;
  if (boundImageIndexField_ == Field) boundImageIndexField_ = nullptr;
}

// --- Deleting ---

void TCustomdxDBTreeList::CollectSubtreeKeys(TdxDBTreeListNode* Node, std::vector<Variant>& Keys) {
  TKeySet seen;
  Keys.push_back(Node->KeyValue);
  seen.insert(Node->KeyValue);
  if (IsLoadAllRecords()) {
    std::vector<TdxTreeListNode*> pending{Node};
    while (!pending.empty()) {
      TdxTreeListNode* n = pending.back();
      pending.pop_back();
      if (n != Node && seen.insert(TreeNode(n)->KeyValue).second) Keys.push_back(TreeNode(n)->KeyValue);
      for (int c = n->GetCount() - 1; c >= 0; --c) pending.push_back(n->GetItem(c));
    }
    return;
  }
  // From the dataset, level by level; a key met again (a parent cycle) is not followed twice.
  TDataSet* ds = GetDataSet();
  for (size_t i = 0; i < Keys.size(); ++i) {
    const Variant parent = Keys[i];
    if (!ds->Locate(parentField_, parent, {})) continue;
    for (; !ds->Eof() && SameValue(boundParentField_->AsVariant(), parent); ds->Next()) {
      const Variant key = BoundKeyField()->AsVariant();
      if (seen.insert(key).second) Keys.push_back(key);
    }
  }
}

void TdxDBTreeListNode::DeleteRecord() {
  auto* tree = static_cast<TCustomdxDBTreeList*>(Owner());
  if (!tree->GetDataLink()->Active() || tree->IsKeyFieldMissing()) return;
  TDataSet* ds = tree->GetDataSet();
  TDisableControlsScope disabled(ds);
  std::vector<Variant> keys;
  if (GetCount() == 0 && !HasChildren())
    keys.push_back(KeyValue);
  else
    tree->CollectSubtreeKeys(this, keys);
  for (auto it = keys.rbegin(); it != keys.rend(); ++it)
    if (ds->Locate(tree->KeyField(), *it, {})) ds->Delete();
}
