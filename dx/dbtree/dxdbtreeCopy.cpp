// TdxDBTreeView: records for nodes dropped as copies, with the other fields of the source records
// copied by value when asked.
#include <optional>
#include <utility>

#include "dx/dbtree/dxDataSetScopes.h"
#include "dx/dbtree/dxdbtree.h"
#include "dx/dbtree/dxlocate.h"
#include "platform/data/FieldTypes.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/StrUtils.h"

namespace {

// The fields of the source dataset that the target dataset also has, leaving out the target's key
// and parent fields.
std::vector<String> FieldsToCopy(TDataSet* Source, TDataSet* Target, const String& KeyField,
                                 const String& ParentField) {
  std::vector<String> names;
  for (const String& name : Source->GetFieldNames())
    if (!SameText(name, KeyField) && !SameText(name, ParentField) && Target->FindField(name))
      names.push_back(name);
  return names;
}

Variant ReadByValue(TField* Field) {
  if (auto* blob = dynamic_cast<TBlobField*>(Field))
    return Field->IsNull() ? Null() : VarFromAnsiString(blob->AsBytes());
  return Field->AsVariant();
}

void WriteByValue(TField* Field, const Variant& Value) {
  auto* blob = dynamic_cast<TBlobField*>(Field);
  if (blob && VarType(Value) == varString)
    blob->SetAsBytes(Value.AsAnsiString());
  else
    Field->SetValue(Value);
}

}  // namespace

bool TdxDBTreeView::CopyNodeData(const TTreeNodeList& SourceNodes, const TTreeNodeList& NewNodes,
                                 bool CopyData) {
  if (SourceNodes.empty() || NewNodes.empty() || !keyField_ || !parentField_) return true;
  auto* sourceView = dynamic_cast<TdxDBTreeView*>(SourceNodes.front()->TreeView());
  auto* firstNew = static_cast<TdxDBTreeNode*>(NewNodes.front());
  if (!DoDBAction(dynamic_cast<TdxDBTreeNode*>(SourceNodes.front()), firstNew, trDBMove)) return false;
  TDataSet* ds = DataSet();
  TValueScope<bool> lock(locked_, true);
  TControlsDisabledScope controls(ds);
  auto* firstParent = static_cast<TdxDBTreeNode*>(firstNew->Parent());
  if (Smart() && firstParent) LoadChildren(firstParent, false);
  std::vector<String> names;
  Variant sourceCurrent = Null();
  if (CopyData && options_.Contains(trSmartRecordCopy) && sourceView && sourceView->keyField_) {
    sourceCurrent = sourceView->keyField_->AsVariant();
    names = FieldsToCopy(sourceView->DataSet(), ds, keyFieldName_, parentFieldName_);
  }
  std::vector<String> failed;
  for (std::size_t i = 0; i < NewNodes.size() && i < SourceNodes.size(); ++i) {
    auto* node = static_cast<TdxDBTreeNode*>(NewNodes[i]);
    auto* source = dynamic_cast<TdxDBTreeNode*>(SourceNodes[i]);
    AppendCopyRecord(node, source, sourceView);
    if (!names.empty() && source)
      CopyRecordFields(sourceView, source->KeyValue(), node->KeyValue(), names, failed);
    node->SetText(GetNodeDisplayText());
    if (OnAddNewItem) OnAddNewItem(nullptr, node);
  }
  if (firstParent) LocateRecord(ds, keyFieldName_, firstParent->KeyValue());
  if (sourceView && sourceView != this && !VarIsNull(sourceCurrent)) {
    TValueScope<bool> sourceLock(sourceView->locked_, true);
    LocateRecord(sourceView->DataSet(), sourceView->keyFieldName_, sourceCurrent);
  }
  ReportCopyFailures(failed);
  return true;
}

void TdxDBTreeView::AppendCopyRecord(TdxDBTreeNode* Node, TdxDBTreeNode* Source, TdxDBTreeView* SourceView) {
  TDataSet* ds = DataSet();
  auto* parent = static_cast<TdxDBTreeNode*>(Node->Parent());
  Variant parentValue;
  if (parent)
    parentValue = parent->KeyValue();
  else
    parentValue = VarIsNull(rootValue_) && !Smart() ? Node->KeyValue() : rootValue_;
  if (!displayFields_.empty() && SourceView == this && Source &&
      LocateRecord(ds, keyFieldName_, Source->KeyValue()))
    Node->SetText(listField_->Text());
  TCancelUnpostedScope cancel(ds);
  ds->Append();
  parentField_->SetValue(parentValue);
  if (listField_ && listField_ != keyField_ && listField_ != parentField_) listField_->SetText(Node->Text());
  bool autoIncrement = keyField_->DataType() == ftAutoInc;
  if (!autoIncrement) keyField_->SetValue(Node->KeyValue());
  ds->Post();
  if (autoIncrement && !keyField_->IsNull()) nodes_->ChangeKey(Node, keyField_->AsVariant());
  Node->parentValue_ = parentValue;
  Node->listText_ = listField_ ? listField_->Text() : String();
}

// Copies the source record's other fields into the new record by value, with the target field's
// conversion; a field that cannot take its value is left as it is and named in Failed.
void TdxDBTreeView::CopyRecordFields(TdxDBTreeView* SourceView, const Variant& SourceKey,
                                     const Variant& NewKey, const std::vector<String>& Names,
                                     std::vector<String>& Failed) {
  TDataSet* source = SourceView->DataSet();
  std::vector<std::pair<String, Variant>> values;
  {
    std::optional<TValueScope<bool>> sourceLock;
    if (SourceView != this) sourceLock.emplace(SourceView->locked_, true);
    if (!LocateRecord(source, SourceView->keyFieldName_, SourceKey)) return;
    for (const String& name : Names) {
      TField* field = source->FieldByName(name);
      if (!field->IsNull()) values.emplace_back(name, ReadByValue(field));
    }
  }
  TDataSet* ds = DataSet();
  if (values.empty() || !LocateRecord(ds, keyFieldName_, NewKey)) return;
  TCancelUnpostedScope cancel(ds);
  ds->Edit();
  std::vector<String> failedHere;
  for (const auto& [name, value] : values) {
    try {
      WriteByValue(ds->FieldByName(name), value);
    } catch (const Exception&) {
      failedHere.push_back(name);
    }
  }
  try {
    ds->Post();
  } catch (const Exception&) {
    // The copy stays as appended; every field of this step is reported.
    failedHere.clear();
    for (const auto& [name, value] : values) failedHere.push_back(name);
  }
  Failed.insert(Failed.end(), failedHere.begin(), failedHere.end());
}

void TdxDBTreeView::ReportCopyFailures(const std::vector<String>& Failed) {
  if (Failed.empty()) return;
  if (OnCopyFieldsError) {
    OnCopyFieldsError(this, Failed);
    return;
  }
  String list;
  for (const String& name : Failed) list += (list.empty() ? String() : String(u", ")) + name;
  throw EDatabaseError(u"Fields not copied: " + list);
}
