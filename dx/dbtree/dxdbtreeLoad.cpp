// TdxDBTreeView: building the tree from the dataset (all at once, or level by level on demand),
// and finding the node of a record by its key.
#include <algorithm>

#include "dx/dbtree/dxDataSetScopes.h"
#include "dx/dbtree/dxdbtree.h"
#include "dx/dbtree/dxlocate.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/ScopeExit.h"

namespace {

bool ContainsKey(const std::vector<Variant>& Keys, const Variant& Key) {
  return std::any_of(Keys.begin(), Keys.end(), [&](const Variant& k) { return KeyEquals(k, Key); });
}

int IndexValue(TField* Field) { return Field->IsNull() ? -1 : Field->AsInteger(); }

}  // namespace

void TdxDBTreeView::LoadTree() {
  TValueScope<bool> lock(locked_, true);
  if (!keyField_ || !listField_ || !parentField_) {
    ClearNodes();
  } else {
    Items()->BeginUpdate();
    TScopeExit endUpdate([this] { Items()->EndUpdate(); });
    TSortType sortType = SortType();
    SetSortType(stNone);
    TScopeExit restoreSort([this, sortType] { SetSortType(sortType); });
    for (int i = 0; i < nodes_->Count(); ++i) nodes_->Item(i)->refreshed_ = false;
    ReadRecords();
    ReparentRefreshed();
    DeleteUnrefreshed();
  }
  SyncSelectionToRecord();
}

void TdxDBTreeView::ReadRecords() {
  TDataSet* ds = DataSet();
  TControlsDisabledScope controls(ds);
  TBookmarkScope back(ds);
  if (!Smart()) {
    if (ComponentState().Contains(csDesigning) && ds->RecordCount() > 999 &&
        MessageDlg(u"Set trSmartRecordLoad in the  Options property to decrease the loading time. Do you "
                   u"want to do it now ?",
                   mtConfirmation, TMsgDlgButtons{mbYes, mbNo}) != mrNo)
      return;
    for (ds->First(); !ds->Eof(); ds->Next()) AddOrRefreshRecord();
    return;
  }
  if (nodes_->Count() == 0) ds->First();
  // A snapshot: refreshing may add nodes to the index.
  std::vector<TdxDBTreeNode*> indexed;
  for (int i = 0; i < nodes_->Count(); ++i) indexed.push_back(nodes_->Item(i));
  for (TdxDBTreeNode* node : indexed) {
    node->childLoaded_ = false;
    if (KeyEquals(keyField_->AsVariant(), node->KeyValue()) ||
        LocateRecord(ds, keyFieldName_, node->KeyValue()))
      AddOrRefreshRecord();
  }
  // The root records must follow each other in the dataset's order.
  if (LocateRecord(ds, parentFieldName_, rootValue_))
    for (; !ds->Eof() && KeyEquals(parentField_->AsVariant(), rootValue_); ds->Next()) AddOrRefreshRecord();
}

// Records whose parent came later in the dataset go under their parent now.
void TdxDBTreeView::ReparentRefreshed() {
  std::vector<TTreeNode*> roots;
  for (TTreeNode* n = Items()->GetFirstNode(); n; n = n->getNextSibling()) roots.push_back(n);
  for (TTreeNode* n : roots) {
    auto* node = static_cast<TdxDBTreeNode*>(n);
    if (!node->refreshed_) continue;
    TdxDBTreeNode* parent = FindNode(node->ParentValue());
    // A parent inside the node's own subtree is a loop in the data: the node stays a root.
    if (!parent || parent == node || parent->HasAsParent(node)) continue;
    parent->SetHasChildren(true);
    node->MoveTo(parent, naAddChild);
  }
}

void TdxDBTreeView::DeleteUnrefreshed() {
  std::vector<Variant> stale;
  for (int i = 0; i < nodes_->Count(); ++i)
    if (!nodes_->Item(i)->refreshed_) stale.push_back(nodes_->Item(i)->KeyValue());
  // Freeing a node frees its descendants: each key is looked up again.
  for (const Variant& key : stale)
    if (TdxDBTreeNode* node = FindNode(key); node && !node->refreshed_) delete node;
}

TdxDBTreeNode* TdxDBTreeView::AddOrRefreshRecord() {
  Variant key = keyField_->AsVariant();
  if (VarIsNull(key)) return nullptr;
  TValueScope<bool> lock(locked_, true);
  String text = GetNodeDisplayText();
  Variant parentValue = parentField_->AsVariant();
  TdxDBTreeNode* node = FindNode(key);
  TdxDBTreeNode* parent = FindNode(parentValue);
  if (node) {
    TTreeNode* current = node->Parent();
    if (current && current != parent && parent != node) {
      if (parent && !parent->HasAsParent(node)) {
        parent->SetHasChildren(true);
        node->MoveTo(parent, naAddChild);
      } else if (!parent) {
        node->MoveTo(nullptr, naAdd);
      }
    }
    if (node->Text() != text) node->SetText(text);
  } else {
    node =
        static_cast<TdxDBTreeNode*>(parent ? Items()->AddChild(parent, text) : Items()->Add(nullptr, text));
  }
  node->parentValue_ = parentValue;
  if (Smart()) {
    if (options_.Contains(trCheckHasChildren)) {
      TControlsDisabledScope controls(DataSet());
      TBookmarkScope back(DataSet());
      node->SetHasChildren(LocateRecord(DataSet(), parentFieldName_, key));
    } else {
      node->SetHasChildren(true);
    }
  }
  node->listText_ = listField_->Text();
  if (imageIndexField_) node->SetImageIndex(IndexValue(imageIndexField_));
  if (stateIndexField_) node->SetStateIndex(IndexValue(stateIndexField_));
  node->refreshed_ = true;
  if (OnRefreshNode) OnRefreshNode(this, node);
  int count = nodes_->Count();
  dataLink_->SetBufferCount(count < 100 && count > dataLink_->BufferCount() ? count : 100);
  return node;
}

void TdxDBTreeView::LoadChildren(TdxDBTreeNode* Node, bool Recursive) {
  std::vector<Variant> path;
  LoadChildrenOnPath(Node, Recursive, path);
}

// Path holds the keys of the nodes being loaded above this one, so a loop in the data ends.
void TdxDBTreeView::LoadChildrenOnPath(TdxDBTreeNode* Node, bool Recursive, std::vector<Variant>& Path) {
  TDataSet* ds = DataSet();
  if (!Node || !ds || !parentField_ || ContainsKey(Path, Node->KeyValue())) return;
  Path.push_back(Node->KeyValue());
  TScopeExit pop([&] { Path.pop_back(); });
  TValueScope<bool> lock(locked_, true);
  TControlsDisabledScope controls(ds);
  TBookmarkScope back(ds);
  Variant key = Node->KeyValue();
  bool any = LocateRecord(ds, parentFieldName_, key);
  Node->SetHasChildren(any);
  if (!any) return;
  for (; !ds->Eof() && KeyEquals(parentField_->AsVariant(), key); ds->Next()) {
    if (!FindNode(keyField_->AsVariant())) AddOrRefreshRecord();
    if (Recursive) {
      TBookmarkScope here(ds);
      LoadChildrenOnPath(CurrentNode(), true, Path);
    }
  }
}

void TdxDBTreeView::SetChildLoaded(TdxDBTreeNode* Node, bool Value) {
  if (!Node || Node->childLoaded_ == Value) return;
  Node->childLoaded_ = Value;
  if (Value) {
    LoadChildren(Node, false);
    return;
  }
  bool hadChildren = Node->HasChildren();
  Node->DeleteChildren();
  Node->SetHasChildren(hadChildren);
}

bool TdxDBTreeView::CanExpand(TTreeNode* Node) {
  if (!TCustomdxTreeView::CanExpand(Node)) return false;
  if (Smart()) SetChildLoaded(static_cast<TdxDBTreeNode*>(Node), true);
  return true;
}

void TdxDBTreeView::Collapse(TTreeNode* Node) {
  TCustomdxTreeView::Collapse(Node);
  if (!Smart() || !Node) return;
  // Collapsed children are only forgotten: their records stay.
  TValueScope<bool> unloading(unloadingChildren_, true);
  SetChildLoaded(static_cast<TdxDBTreeNode*>(Node), false);
}

void TdxDBTreeView::SyncSelectionToRecord() {
  if (options_.Contains(trCanDBNavigate) && keyField_ && DataSet() && DataSet()->Active())
    SelectByKey(keyField_->AsVariant());
}

void TdxDBTreeView::SelectByKey(const Variant& Key) {
  if (VarIsNull(Key)) return;
  if (TdxDBTreeNode* node = FindNode(Key)) {
    node->MakeVisible();
    node->SetSelected(true);
    return;
  }
  if (!Smart() || locked_ || !keyField_ || !parentField_) return;
  TValueScope<bool> lock(locked_, true);
  TDataSet* ds = DataSet();
  if (!KeyEquals(keyField_->AsVariant(), Key) && !LocateRecord(ds, keyFieldName_, Key)) return;
  TControlsDisabledScope controls(ds);
  TBookmarkScope back(ds);
  // Walks up to the first ancestor that has a node; a record that is its own parent, or a key met
  // twice (a loop in the data), ends the walk.
  std::vector<Variant> ancestors;
  std::vector<Variant> visited{Key};
  TdxDBTreeNode* found = nullptr;
  while (!found) {
    Variant parentValue = parentField_->AsVariant();
    if (VarIsNull(parentValue) || ContainsKey(visited, parentValue)) break;
    if (!LocateRecord(ds, keyFieldName_, parentValue)) break;
    visited.push_back(parentValue);
    ancestors.push_back(parentValue);
    found = FindNode(parentValue);
  }
  if (!found) {
    AddOrRefreshRecord();
    SetChildLoaded(CurrentNode(), true);
  }
  // From the top ancestor down, each level's children are loaded, which makes the next one.
  for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it)
    if (LocateRecord(ds, keyFieldName_, *it)) SetChildLoaded(CurrentNode(), true);
  SelectByKey(Key);
}
