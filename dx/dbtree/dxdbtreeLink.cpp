// TdxDBTreeView following its dataset: opening, filtering, scrolling and edits of the current record.
#include "dx/dbtree/dxDataSetScopes.h"
#include "dx/dbtree/dxdbtree.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

void TDataLinkTreeView::RememberFilter() {
  TDataSet* ds = DataSet();
  filter_ = ds ? ds->Filter() : String();
  filtered_ = ds && ds->Filtered();
}

void TDataLinkTreeView::ActiveChanged() {
  if (!view_) return;
  RememberFilter();
  view_->Rebind();
}

void TDataLinkTreeView::DataSetChanged() {
  if (!view_) return;
  TDataSet* ds = DataSet();
  if (ds && (ds->Filter() != filter_ || ds->Filtered() != filtered_)) {
    RememberFilter();
    view_->Rebind();
    return;
  }
  view_->ReloadTree();
}

void TDataLinkTreeView::DataSetScrolled(int) {
  if (view_) view_->SyncSelectionToRecord();
}

void TDataLinkTreeView::RecordChanged(TField* Field) {
  TDataSet* ds = DataSet();
  if (!view_ || !Field || !ds) return;
  if (ds->State() == dsEdit)
    view_->EditFieldChanged(Field);
  else if (ds->State() == dsInsert)
    view_->InsertFieldChanged(Field);
}

void TdxDBTreeView::ReloadTree() {
  TDataSet* ds = DataSet();
  if (locked_ || !HandleAllocated() || !ds || ds->State() == dsEdit || ds->State() == dsInsert) return;
  if (IsEditing())
    if (TTreeNode* node = Selected()) node->EndEdit(true);
  BindFields();
  LoadTree();
  SyncSelectionToRecord();
}

void TdxDBTreeView::EditFieldChanged(TField* Field) {
  TdxDBTreeNode* node = static_cast<TdxDBTreeNode*>(Selected());
  if (editFieldChanging_ || !node || !keyField_) return;
  TValueScope<bool> reentry(editFieldChanging_, true);
  if (Field == listField_) {
    if (node->Text() != Field->Text()) node->SetText(Field->Text());
  } else if (Field == imageIndexField_ || Field == stateIndexField_) {
    int index = Field->IsNull() ? -1 : Field->AsInteger();
    Field == imageIndexField_ ? node->SetImageIndex(index) : node->SetStateIndex(index);
    RECT r = node->DisplayRect(false);
    InvalidateRect(Handle(), &r, TRUE);
  } else if (Field == parentField_) {
    Variant value = Field->AsVariant();
    Variant previous = node->ParentValue();
    if (VarIsNull(previous) || VarIsNull(value) || KeyEquals(previous, value)) return;
    try {
      if (Smart()) {
        TValueScope<bool> lock(locked_, true);
        DataSet()->Post();
      }
      ReparentNode(node, value);
    } catch (const Exception&) {
      // The record keeps the parent its node shows.
      Field->SetValue(previous);
    }
  }
}

void TdxDBTreeView::ReparentNode(TdxDBTreeNode* Node, const Variant& Value) {
  if (!KeyEquals(Node->parentValue_, Value)) Node->parentValue_ = Value;
  TdxDBTreeNode* newParent = FindNode(Value);
  if (newParent != Node->Parent()) {
    TValueScope<bool> lock(locked_, true);
    if (newParent && newParent != Node && !newParent->HasAsParent(Node)) {
      Node->SetFocused(false);
      if (Smart()) LoadChildren(newParent, false);
      newParent->SetHasChildren(true);
      Node->MoveTo(newParent, naAddChild);
    } else {
      Node->MoveTo(nullptr, naAdd);
    }
  }
  Node->SetText(GetNodeDisplayText());
  Invalidate();
}

void TdxDBTreeView::InsertFieldChanged(TField*) {
  if (!keyField_ || VarIsNull(keyField_->AsVariant())) return;
  if (!locked_) AddOrRefreshRecord();
  TdxDBTreeNode* node = CurrentNode();
  if (!node) return;
  node->MakeVisible();
  {
    TValueScope<bool> lock(locked_, true);
    node->SetSelected(true);
  }
  if (!VarIsNull(node->ParentValue()) && OnAddNewItem) OnAddNewItem(nullptr, node);
}
