// TdxDBTreeView writing node changes to its dataset: inserted nodes append records, moved nodes
// change the parent field, text changes write the list field, freed nodes delete their records and
// dropped copies append copies of the records.
#include <algorithm>

#include "dx/dbtree/dxDataSetScopes.h"
#include "dx/dbtree/dxdbtree.h"
#include "dx/dbtree/dxlocate.h"
#include "platform/data/FieldTypes.h"
#include "platform/rtl/ScopeExit.h"

void TdxDBTreeView::NodeInserted(TTreeNode* Node) {
  TCustomdxTreeView::NodeInserted(Node);
  auto* node = dynamic_cast<TdxDBTreeNode*>(Node);
  if (!node || locked_) return;
  auto* parent = static_cast<TdxDBTreeNode*>(Node->Parent());
  if (node->isInserting_) {
    node->isInserting_ = false;
    if (!InternalOperation()) InsertNodeRecord(node, parent);
  } else if (FindNode(node->ParentValue()) != parent) {
    ChangeNodeParent(node, parent);
  }
}

void TdxDBTreeView::InsertNodeRecord(TdxDBTreeNode* Node, TdxDBTreeNode* Parent) {
  if (!DoDBAction(Node, Parent, trDBInsert)) return;
  TDataSet* ds = DataSet();
  try {
    TValueScope<bool> lock(locked_, true);
    TControlsDisabledScope controls(ds);
    if (Parent) {
      if (Smart()) LoadChildren(Parent, false);
      Node->parentValue_ = Parent->KeyValue();
    } else {
      Node->parentValue_ = VarIsNull(rootValue_) ? Node->KeyValue() : rootValue_;
    }
    TCancelUnpostedScope cancel(ds);
    ds->Append();
    parentField_->SetValue(Node->parentValue_);
    if (listField_ && listField_ != keyField_ && listField_ != parentField_) {
      listField_->SetText(Node->Text());
      if (listField_->IsNull()) listField_->SetText(u" ");
    }
    bool autoIncrement = keyField_->DataType() == ftAutoInc;
    if (!autoIncrement) {
      if (keyField_->IsNull())
        keyField_->SetValue(Node->KeyValue());
      else
        nodes_->ChangeKey(Node, keyField_->AsVariant());
    }
    ds->Post();
    if (autoIncrement) nodes_->ChangeKey(Node, keyField_->AsVariant());
    String text = GetNodeDisplayText();
    if (Node->Text() != text) Node->SetText(text);
    if (OnAddNewItem) OnAddNewItem(nullptr, Node);
    Node->SetSelected(true);
    Node->MakeVisible();
  } catch (const Exception& e) {
    if (OnInsertNodeError) {
      OnInsertNodeError(this, e);
      return;
    }
    if (raiseOnError_) throw;
  }
}

void TdxDBTreeView::ChangeNodeParent(TdxDBTreeNode* Node, TdxDBTreeNode* NewParent) {
  if (!DoDBAction(Node, NewParent, trDBChangeParent)) return;
  Variant parentValue;
  if (NewParent)
    parentValue = NewParent->KeyValue();
  else
    parentValue = Smart() && !VarIsNull(rootValue_) ? rootValue_ : Node->KeyValue();
  TDataSet* ds = DataSet();
  TValueScope<bool> lock(locked_, true);
  TControlsDisabledScope controls(ds);
  Variant remembered = Null();
  if (!KeyEquals(keyField_->AsVariant(), Node->KeyValue())) {
    remembered = keyField_->AsVariant();
    // Without its record the node's move is the tree's alone: no other record is written.
    if (!LocateRecord(ds, keyFieldName_, Node->KeyValue())) {
      if (!VarIsNull(remembered)) LocateRecord(ds, keyFieldName_, remembered);
      return;
    }
  }
  TScopeExit back([&] {
    if (!VarIsNull(remembered)) LocateRecord(ds, keyFieldName_, remembered);
  });
  {
    TCancelUnpostedScope cancel(ds);
    ds->Edit();
    parentField_->SetValue(parentValue);
    ds->Post();
  }
  Node->parentValue_ = parentValue;
  Node->SetText(GetNodeDisplayText());
}

// The set-item message changed a node's text outside the view's own work: the list field follows.
void TdxDBTreeView::WriteNodeText(TdxDBTreeNode* Node) {
  TDataSet* ds = DataSet();
  if (ReadOnly() || !listField_ || !listField_->CanModify() || !ds || !ds->CanModify() ||
      !displayFields_.empty())
    return;
  // Selecting the node moves the dataset, which may refresh the node from its record: the new text
  // is taken first.
  String text = Node->Text();
  TTreeNode* previous = Selected();
  Node->SetSelected(true);
  TScopeExit reselect([&] {
    if (previous && previous != Node) previous->SetSelected(true);
  });
  // A node that was selected already leaves the dataset where it was: the text goes to its record only.
  if (!KeyEquals(keyField_->AsVariant(), Node->KeyValue()) &&
      !LocateRecord(ds, keyFieldName_, Node->KeyValue()))
    return;
  if (listField_->Text() == text || !DoDBAction(Node, nullptr, trDBChangeText)) return;
  TValueScope<bool> lock(locked_, true);
  TCancelUnpostedScope cancel(ds);
  ds->Edit();
  listField_->SetText(text);
  ds->Post();
  Node->listText_ = text;
  if (Node->Text() != text) Node->SetText(text);
}

void TdxDBTreeView::WndProc(TMessage& Message) {
  TCustomdxTreeView::WndProc(Message);
  if (Message.Msg != TVM_SETITEM || locked_ || InternalOperation() || !HandleAllocated()) return;
  const auto* item = reinterpret_cast<const TVITEM*>(Message.LParam);
  if (!item || !(item->mask & TVIF_TEXT)) return;
  if (auto* node = dynamic_cast<TdxDBTreeNode*>(Items()->GetNode(item->hItem))) WriteNodeText(node);
}

void TdxDBTreeView::NodeDestroying(TdxDBTreeNode* Node) {
  // Nodes that go with the control (or its window) take nothing of their records with them.
  const bool goingAway = nodes_->Destroying() || ComponentState().Contains(csDestroying);
  bool writes = !goingAway && keyField_ && parentField_ && !locked_ && !unloadingChildren_ &&
                !InternalOperation() && HandleAllocated() && DoDBAction(Node, nullptr, trDBDelete);
  // Descendants not loaded yet get nodes now, so their records go with them.
  if (writes && Smart()) LoadChildren(Node, true);
  nodes_->Remove(Node);
  if (writes) pendingDeletes_.push_back(Node->KeyValue());
}

void TdxDBTreeView::NodeFreed() {
  TCustomdxTreeView::NodeFreed();
  if (pendingDeletes_.empty()) return;
  std::vector<Variant> keys = std::move(pendingDeletes_);
  pendingDeletes_.clear();
  for (const Variant& key : keys) DeleteNodeRecord(key);
  Change(Selected());
}

void TdxDBTreeView::DeleteNodeRecord(const Variant& Key) {
  TDataSet* ds = DataSet();
  if (!ds || ds->IsEmpty()) return;
  TValueScope<bool> lock(locked_, true);
  TControlsDisabledScope controls(ds);
  bool found = false;
  try {
    found = LocateRecord(ds, keyFieldName_, Key);
  } catch (const Exception&) {
    // A record that cannot be searched for is not deleted.
  }
  if (found && KeyEquals(keyField_->AsVariant(), Key)) ds->Delete();
}
