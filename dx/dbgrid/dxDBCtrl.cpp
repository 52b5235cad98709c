#include "dx/dbgrid/dxDBCtrl.h"

#include <algorithm>

#include "dx/treelist/dxTLRoutines.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"
#include "platform/data/Fields.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Paint.h"

TRENVIK_IMPLEMENT_CLASS(TdxDBTreeListControlNode)
TRENVIK_IMPLEMENT_CLASS(TdxDBTreeListControlDataLink)
TRENVIK_IMPLEMENT_CLASS(TCustomdxDBTreeListControl)

namespace {

std::vector<TCustomdxDBTreeListControl*>*& ControlList() {
  static std::vector<TCustomdxDBTreeListControl*>* list = nullptr;
  return list;
}

TdxDBTreeListControlNode* DBNode(TdxTreeListNode* Node) {
  return static_cast<TdxDBTreeListControlNode*>(Node);
}

}  // namespace

TDisableControlsScope::TDisableControlsScope(TDataSet* DataSet) : dataSet_(DataSet) {
  if (dataSet_) dataSet_->DisableControls();
}

TDisableControlsScope::~TDisableControlsScope() {
  if (dataSet_) dataSet_->EnableControls();
}

// --- Data link ---

TdxDBTreeListControlDataLink::TdxDBTreeListControlDataLink(TCustomdxDBTreeListControl* Control)
    : control_(Control) {
  SetVisualControl(true);
}

TdxDBTreeListControlDataLink::~TdxDBTreeListControlDataLink() = default;

void TdxDBTreeListControlDataLink::Reset() {
  if (modified_)
    RecordChanged(nullptr);
  else if (DataSet())
    DataSet()->Cancel();
}

void TdxDBTreeListControlDataLink::AddFieldToMap(const String& FieldName) {
  TDataSet* ds = DataSet();
  TField* field = ds ? ds->FindField(FieldName) : nullptr;
  fieldMap_.push_back(field ? field->Index() : -1);
  if (field) field->FreeNotification(control_);
}

TField* TdxDBTreeListControlDataLink::GetMappedField(int Index) const {
  if (Index < 0 || Index >= FieldMapCount() || fieldMap_[Index] < 0 || !DataSet()) return nullptr;
  return DataSet()->Fields()->Fields(fieldMap_[Index]);
}

void TdxDBTreeListControlDataLink::ActiveChanged() { control_->DoLinkActive(Active()); }

void TdxDBTreeListControlDataLink::DataSetChanged() {
  control_->DoDataChanged();
  modified_ = false;
}

void TdxDBTreeListControlDataLink::DataSetScrolled(int Distance) { control_->DoScroll(-Distance); }

void TdxDBTreeListControlDataLink::RecordChanged(TField* Field) {
  control_->DoRecordChanged(Field);
  modified_ = false;
}

void TdxDBTreeListControlDataLink::UpdateData() {
  if (modified_) control_->DoUpdateData();
  modified_ = false;
}

void TdxDBTreeListControlDataLink::LayoutChanged() { control_->DoLayoutChanged(); }

void TdxDBTreeListControlDataLink::FocusControl(TField*& Field) {
  if (!Field || !control_->CanNavigate()) return;
  control_->FocusFieldColumn(Field);
  if (control_->GetFocusedField() == Field && control_->CanFocus()) {
    Field = nullptr;
    control_->SetFocus();
  }
}

// --- Control ---

TCustomdxDBTreeListControl::TCustomdxDBTreeListControl(TComponent* AOwner)
    : TCustomdxTreeListControl(AOwner) {}

TCustomdxDBTreeListControl::~TCustomdxDBTreeListControl() { DetachAndHideEditor(); }

TdxTreeListNode* TCustomdxDBTreeListControl::CreateNode() { return new TdxDBTreeListControlNode(this); }

TClass TCustomdxDBTreeListControl::GetColumnClassForField(TField*) const {
  return TdxDBTreeListColumn::StaticClass();
}

void TCustomdxDBTreeListControl::SetKeyField(const String& Value) {
  if (keyField_ == Value) return;
  keyField_ = Value;
  DoLinkActive(GetDataLink()->Active());
}

void TCustomdxDBTreeListControl::SetPreviewFieldName(const String& Value) {
  if (previewFieldName_ == Value) return;
  previewFieldName_ = Value;
  DoLinkActive(GetDataLink()->Active());
}

void TCustomdxDBTreeListControl::SetPreviewMaxLength(int Value) {
  SetLayoutValue(previewMaxLength_, std::max(Value, 0));
}

void TCustomdxDBTreeListControl::SetGrIndicatorWidth(int Value) {
  SetLayoutValue(grIndicatorWidth_, std::max(Value, 12));
}

TdxDBTreeListColumn* TCustomdxDBTreeListControl::GetDBColumn(int Index) const {
  return static_cast<TdxDBTreeListColumn*>(GetColumn(Index));
}

void TCustomdxDBTreeListControl::BindKeyField() {
  boundKeyField_ = nullptr;
  TDataSet* ds = GetDataSet();
  if (GetDataLink()->Active() && ds && !keyField_.empty()) boundKeyField_ = ds->FindField(keyField_);
  if (boundKeyField_) boundKeyField_->FreeNotification(this);
}

// --- Columns ---

TdxDBTreeListColumn* TCustomdxDBTreeListControl::FindColumnByFieldName(const String& FieldName) const {
  for (int i = 0; i < const_cast<TCustomdxDBTreeListControl*>(this)->GetColumnCount(); ++i)
    if (AnsiCompareText(GetDBColumn(i)->FieldName(), FieldName) == 0) return GetDBColumn(i);
  return nullptr;
}

TdxDBTreeListColumn* TCustomdxDBTreeListControl::FindDBColumnByName(const String& Name) const {
  TdxTreeListColumn* column = FindColumnByName(Name);
  if (!column) return nullptr;
  auto* db = dynamic_cast<TdxDBTreeListColumn*>(column);
  if (!db) throw EInvalidCast(u"Invalid class typecast");
  return db;
}

TField* TCustomdxDBTreeListControl::GetFocusedField() {
  const int index = GetFocusedColumnAbsoluteIndex();
  if (index < 0 || index >= GetColumnCount()) return nullptr;
  return GetDBColumn(index)->GetBoundField();
}

void TCustomdxDBTreeListControl::FocusFieldColumn(TField* Field) {
  if (!Field) return;
  for (int v = 0; v < GetVisibleColumnCount(); ++v) {
    auto* column = static_cast<TdxDBTreeListColumn*>(GetVisibleColumn(v));
    if (column->GetBoundField() == Field) {
      SetFocusedColumn(v);
      return;
    }
  }
}

TdxDBTreeListColumn* TCustomdxDBTreeListControl::CreateColumnEx(TClass ColumnClass, TComponent* Owner) {
  if (GetDefaultFields()) throw Exception(u"DefaultFields property should be set to False");
  auto* column = dynamic_cast<TdxDBTreeListColumn*>(CreateColumn(ColumnClass, Owner));
  if (!column) throw EInvalidCast(u"Invalid class typecast");
  return column;
}

void TCustomdxDBTreeListControl::AddColumnsFromDataSet(TDataSet* DataSet, TComponent* Owner) {
  if (!DataSet) return;
  for (int i = 0; i < DataSet->FieldCount(); ++i) {
    TField* field = DataSet->Fields()->Fields(i);
    TdxDBTreeListColumn* column = CreateColumnEx(GetColumnClassForField(field), Owner ? Owner : this);
    column->SetFieldName(field->FieldName());
    column->SetVisible(field->Visible());
  }
}

void TCustomdxDBTreeListControl::DestroyColumns() {
  if (GetDefaultFields() && !destroyingDefaultColumns_ && !IsDestroying() && LockCount() == 0)
    throw Exception(u"DefaultFields property should be set to False");
  TCustomdxTreeListControl::DestroyColumns();
}

void TCustomdxDBTreeListControl::BuildFieldMap() {
  TdxDBTreeListControlDataLink* link = GetDataLink();
  TDataSet* ds = link->DataSet();
  if (GetDefaultFields()) {
    for (int i = 0; i < ds->FieldCount(); ++i) {
      TField* field = ds->Fields()->Fields(i);
      if (field->Visible()) link->AddFieldToMap(field->FieldName());
    }
    return;
  }
  for (int i = 0; i < GetColumnCount(); ++i) link->AddFieldToMap(GetDBColumn(i)->FieldName());
}

void TCustomdxDBTreeListControl::RefreshColumns() {
  TCustomdxTreeListControl::RefreshColumns();
  CloseEditor();
  TdxDBTreeListControlDataLink* link = GetDataLink();
  link->ClearFieldMap();
  if (link->Active()) BuildFieldMap();
  BindPreviewField();
  if (GetDefaultFields())
    RebuildDefaultColumns();
  else
    for (int i = 0; i < GetColumnCount(); ++i) GetDBColumn(i)->SetFieldName(GetDBColumn(i)->FieldName());
  ResetColumnWidths();
}

void TCustomdxDBTreeListControl::RebuildDefaultColumns() {
  TdxDBTreeListControlDataLink* link = GetDataLink();
  if (!link->Active()) {
    TValueScope<bool> destroying(destroyingDefaultColumns_, true);
    DestroyColumns();
    return;
  }
  std::vector<TField*> mapped;
  for (int i = 0; i < link->FieldMapCount(); ++i) mapped.push_back(link->GetMappedField(i));
  for (int i = GetColumnCount() - 1; i >= 0; --i) {
    TField* field = GetDBColumn(i)->GetBoundField();
    if (!field || std::find(mapped.begin(), mapped.end(), field) == mapped.end()) delete GetDBColumn(i);
  }
  for (int i = 0; i < static_cast<int>(mapped.size()); ++i) {
    TdxDBTreeListColumn* column = nullptr;
    if (TField* field = mapped[i]) {
      for (int c = i; c < GetColumnCount() && !column; ++c)
        if (GetDBColumn(c)->GetBoundField() == field) column = GetDBColumn(c);
      if (!column) {
        column = static_cast<TdxDBTreeListColumn*>(GetColumnClassForField(field)->NewInstance(this));
        column->SetTreeList(this);
        column->SetFieldNameDirect(field->FieldName());
        column->SetBoundField(field);
      }
    } else {
      column = static_cast<TdxDBTreeListColumn*>(GetDefaultColumnClass()->NewInstance(this));
      column->SetTreeList(this);
    }
    column->SetIndex(i);
  }
}

void TCustomdxDBTreeListControl::BindColumnFields() {
  TDataSet* ds = GetDataSet();
  if (!ds) return;
  for (int i = 0; i < GetColumnCount(); ++i) {
    TdxDBTreeListColumn* column = GetDBColumn(i);
    const String& name =
        column->SummaryFooterField().empty() ? column->FieldName() : column->SummaryFooterField();
    column->SetFooterSummaryField(ds->FindField(name));
    column->ResetFooter();
  }
}

void TCustomdxDBTreeListControl::AccumulateFooter() {
  for (int i = 0; i < GetColumnCount(); ++i) {
    TdxDBTreeListColumn* column = GetDBColumn(i);
    if (column->SummaryFooterType() == cstNone) continue;
    long double value = 0;
    TField* field = column->FooterSummaryField();
    if (column->SummaryFooterType() != cstCount && field && !field->IsNull()) value = field->AsFloat();
    if (column->OnSummaryFooter) column->OnSummaryFooter(column, GetDataSet(), value);
    column->AddFooterValue(value);
  }
}

void TCustomdxDBTreeListControl::FinishFooter(int RecordCount) {
  for (int i = 0; i < GetColumnCount(); ++i) {
    TdxDBTreeListColumn* column = GetDBColumn(i);
    if (column->SummaryFooterType() == cstCount) column->SetFooterValue(RecordCount);
    if (column->SummaryFooterType() == cstAvg && RecordCount > 0)
      column->SetFooterValue(column->FooterValue() / RecordCount);
  }
  if (OnCalcSummary) OnCalcSummary(this);
}

// --- Nodes and values ---

void TCustomdxDBTreeListControl::FillNodeValues(TdxTreeListNode* Node) {
  auto* node = DBNode(Node);
  node->KeyValue = boundKeyField_ ? boundKeyField_->AsVariant() : Null();
  TdxNodeStringsScope strings(this, Node);
  for (int i = 0; i < GetColumnCount(); ++i)
    if (GetDBColumn(i)->GetBoundField()) GetDBColumn(i)->FillNodeValue(Node);
  if (boundPreviewField_) FillNodePreview(node);
}

void TdxDBTreeListControlNode::SetPreviewText(const String& Text) {
  if (Text.empty())
    previewText_.reset();
  else if (previewText_)
    *previewText_ = Text;
  else
    previewText_ = std::make_unique<String>(Text);
}

void TCustomdxDBTreeListControl::FillNodePreview(TdxDBTreeListControlNode* Node) {
  try {
    Node->SetPreviewText(boundPreviewField_->OnGetText ? boundPreviewField_->DisplayText()
                                                       : CutPreviewText(boundPreviewField_->AsString()));
  } catch (const Exception&) {
    // A failing text handler leaves the node's previous preview.
  }
}

String TCustomdxDBTreeListControl::CutPreviewText(const String& Text) const {
  if (previewMaxLength_ < 1 || static_cast<int>(Text.size()) <= previewMaxLength_) return Text;
  return Text.substr(0, previewMaxLength_) + u"...";
}

void TCustomdxDBTreeListControl::BindPreviewField() {
  boundPreviewField_ = nullptr;
  TDataSet* ds = GetDataSet();
  if (previewFieldName_.empty() || !GetDataLink()->Active() || !ds) return;
  TField* field = ds->FindField(previewFieldName_);
  if (field && field->IsBlob() && field->DataType() != ftBlob && field->DataType() != ftMemo &&
      field->DataType() != ftFmtMemo)
    field = nullptr;
  boundPreviewField_ = field;
  if (field) field->FreeNotification(this);
}

void TCustomdxDBTreeListControl::WatchNode(TdxTreeListNode* Node) {
  if (!IsNodeWatched(Node)) watchedNodes_.push_back(Node);
}

bool TCustomdxDBTreeListControl::IsNodeWatched(TdxTreeListNode* Node) const {
  return std::find(watchedNodes_.begin(), watchedNodes_.end(), Node) != watchedNodes_.end();
}

void TCustomdxDBTreeListControl::GetNodeValueData(TdxTreeListNode* Node, int ColumnIndex,
                                                  TNodeVariantData& Data) const {
  Data = TNodeVariantData();
  for (const auto& v : DBNode(Node)->values_.Entries()) {
    if (v.Column != ColumnIndex) continue;
    if (v.LookupKey) {
      Data.HasLookupKey = true;
      Data.LookupKeyValue = v.Value;
    } else {
      Data.HasFieldValue = true;
      Data.TextFromValue = v.TextFromValue;
      Data.FieldValue = v.Value;
    }
  }
}

void TCustomdxDBTreeListControl::SetNodeValueData(TdxTreeListNode* Node, int ColumnIndex,
                                                  const TNodeVariantData& Data) {
  auto& values = DBNode(Node)->values_;
  values.RemoveColumn(ColumnIndex);
  // Nodes of one control store the same columns: room for the previous node's entries spares the
  // regrowth of every node's list during a load.
  if (values.Capacity() == 0 && (Data.HasFieldValue || Data.HasLookupKey)) values.Reserve(valueEntriesHint_);
  if (Data.HasFieldValue) values.Add({ColumnIndex, false, Data.TextFromValue, Data.FieldValue});
  if (Data.HasLookupKey) values.Add({ColumnIndex, true, false, Data.LookupKeyValue});
  valueEntriesHint_ = std::max(valueEntriesHint_, values.Size());
}

void TCustomdxDBTreeListControl::GetNodeColumnValue(TdxTreeListNode* Node, TdxDBTreeListColumn* Column,
                                                    Variant& Value) {
  const int index = Column->GetDataIndex();
  // A column keeps at most one field value in a node; read in place, as filters and drop-downs ask
  // this of every node.
  for (const auto& v : DBNode(Node)->values_.Entries()) {
    if (v.Column == index && !v.LookupKey) {
      Value = v.Value;
      return;
    }
  }
  GetNodeVariant(Node, index, Value);
  if (VarIsEmptyStr(Value)) Value = Null();
}

void TCustomdxDBTreeListControl::GetNodeVariant(TdxTreeListNode* Node, int Column, Variant& Value) {
  TNodeVariantData data;
  GetNodeValueData(Node, Column, data);
  if (data.HasFieldValue) {
    Value = data.FieldValue;
    return;
  }
  String text;
  TCustomdxTreeListControl::GetNodeString(Node, Column, text);
  Value = text;
}

void TCustomdxDBTreeListControl::GetNodeString(TdxTreeListNode* Node, int Column, String& Text) {
  GetNodeCellText(Node, Column, Text);
  if (Column >= 0 && Column < GetColumnCount() && GetDBColumn(Column)->OnGetText)
    GetDBColumn(Column)->OnGetText(GetDBColumn(Column), Node, Text);
}

void TCustomdxDBTreeListControl::GetNodeCellText(TdxTreeListNode* Node, int Column, String& Text) {
  for (const auto& v : DBNode(Node)->values_.Entries()) {
    if (v.Column != Column || !v.TextFromValue) continue;
    Text = Column < GetColumnCount() ? GetDBColumn(Column)->CellTextOfValue(v.Value) : String();
    return;
  }
  TCustomdxTreeListControl::GetNodeString(Node, Column, Text);
}

void TCustomdxDBTreeListControl::SetNodeString(TdxTreeListNode* Node, int Column, const String& Text) {
  for (auto& v : DBNode(Node)->values_.Entries())
    if (v.Column == Column) v.TextFromValue = false;
  TCustomdxTreeListControl::SetNodeString(Node, Column, Text);
}

void TCustomdxDBTreeListControl::MoveColumnValues(int OldIndex, int NewIndex) {
  TCustomdxTreeListControl::MoveColumnValues(OldIndex, NewIndex);
  const int low = std::min(OldIndex, NewIndex), high = std::max(OldIndex, NewIndex);
  const int shift = OldIndex < NewIndex ? -1 : 1;
  FindNodeInTreeOrder([&](TdxTreeListNode* node) {
    for (auto& v : DBNode(node)->values_.Entries()) {
      if (v.Column == OldIndex)
        v.Column = NewIndex;
      else if (v.Column >= low && v.Column <= high)
        v.Column += shift;
    }
    return false;
  });
}

void TCustomdxDBTreeListControl::DeleteColumnValues(TdxTreeListNode* Node, int Index) {
  auto& values = DBNode(Node)->values_;
  values.RemoveColumn(Index);
  for (auto& v : values.Entries())
    if (v.Column > Index) --v.Column;
  TCustomdxTreeListControl::DeleteColumnValues(Node, Index);
}

double TCustomdxDBTreeListControl::GetNodeColumnFloat(TdxTreeListNode* Node, TdxDBTreeListColumn* Column) {
  if (!Column) return 0;
  Variant value;
  GetNodeColumnValue(Node, Column, value);
  const TVarType t = VarType(value);
  if ((t >= varSmallint && t <= varDate) || t == varByte || t == varFMTBcd)
    return VarAsType(value, varDouble).AsDouble();
  return 0;
}

void TCustomdxDBTreeListControl::FreeNodeWithEmptyParents(TdxTreeListNode* Node) {
  while (Node->Parent() && Node->Parent()->GetCount() == 1) Node = Node->Parent();
  delete Node;
}

int TCustomdxDBTreeListControl::CompareEqualNodes(TdxTreeListNode* Node1, TdxTreeListNode* Node2) {
  const Variant& k1 = DBNode(Node1)->KeyValue;
  const Variant& k2 = DBNode(Node2)->KeyValue;
  if (VarIsEmpty(k1) || VarIsEmpty(k2) || VarIsNull(k1) || VarIsNull(k2)) return 0;
  const int c = CompareVariantValues(k1, k2);
  if (c == 0) return std::less<const void*>()(Node1, Node2) ? -1 : (Node1 == Node2 ? 0 : 1);
  return c < 0 ? -1 : 1;
}

void TCustomdxDBTreeListControl::ClearSortedColumns() {
  TCustomdxTreeListControl::ClearSortedColumns();
  for (int i = 0; i < GetColumnCount(); ++i)
    if (GetDBColumn(i)->GroupIndex() < 0) ResetColumnSorted(GetDBColumn(i));
}

void TCustomdxDBTreeListControl::PrepareColumnSort(TdxTreeListColumn* Column) {
  if (IsAutoSort() && static_cast<TdxDBTreeListColumn*>(Column)->GroupIndex() < 0 && !IsMultiSortClick() &&
      !IsSortLocked())
    ClearSortedColumns();
}

TdxDBTreeListColumn* TCustomdxDBTreeListControl::GetPrimarySortColumn() {
  TdxDBTreeListColumn* first = nullptr;
  for (int i = 0; i < GetColumnCount() && !first; ++i)
    if (GetDBColumn(i)->GroupIndex() < 0 && GetDBColumn(i)->Sorted() != csNone) first = GetDBColumn(i);
  if (!first || !IsMultiSort()) return first;
  if (GetSortedColumnCount() > 0) return static_cast<TdxDBTreeListColumn*>(GetSortedColumn(0));
  AddSortedColumn(first);
  return first;
}

int TCustomdxDBTreeListControl::GetIndicatorKind(TdxTreeListNode* Node, bool Selected) {
  if (Node != FocusedNode()) return Selected ? 4 : 0;
  TDataSet* ds = GetDataSet();
  if (ds && ds->State() == dsEdit) return 2;
  if (ds && ds->State() == dsInsert) return 3;
  return Selected && IsMultiSelect() ? 5 : 1;
}

bool TCustomdxDBTreeListControl::IsEmptyReadOnlyDataSet() {
  TDataSet* ds = GetDataSet();
  return GetDataLink()->Active() && ds && ds->Active() && !CanInsertRecords() && ds->Bof() && ds->Eof() &&
         ds->State() == dsBrowse;
}

// --- Editing ---

bool TCustomdxDBTreeListControl::CanEditModify() {
  TdxDBTreeListControlDataLink* link = GetDataLink();
  if (!CanNavigate() || IsKeyFieldMissing() || !link->Active() || link->ReadOnly()) return false;
  const int index = GetFocusedColumnAbsoluteIndex();
  if (index < 0 || index >= GetColumnCount()) return false;
  TdxDBTreeListColumn* column = GetDBColumn(index);
  TField* field = column->GetBoundField();
  if (column->ReadOnly() || !field) return false;
  if (!field->CanModify()) return false;
  if (field->IsBlob() && !field->OnSetText && !column->HandlesBlobValue()) return false;
  if (IsEmptyReadOnlyDataSet()) return false;
  link->Edit();
  if (link->Editing()) link->SetModified();
  return link->Editing();
}

bool TCustomdxDBTreeListControl::CanEditAcceptChar(Char Key) {
  const int index = GetFocusedColumnAbsoluteIndex();
  if (index < 0 || index >= GetColumnCount()) return true;
  return GetDBColumn(index)->IsValidFieldChar(Key);
}

bool TCustomdxDBTreeListControl::CanPlaceEditor() {
  return TCustomdxTreeListControl::CanPlaceEditor() && FocusedNode() && GetDataLink()->Active();
}

void TCustomdxDBTreeListControl::DoEditing(TdxTreeListNode* Node, bool& Allow) {
  TCustomdxTreeListControl::DoEditing(Node, Allow);
  Allow = Allow && CanNavigate();
}

void TCustomdxDBTreeListControl::InitEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor,
                                               Variant& Value) {
  TCustomdxTreeListControl::InitEditValue(Node, Editor, Value);
  savedEditValue_ = Value;
}

void TCustomdxDBTreeListControl::SaveEditValue(TdxTreeListNode* Node, int Column, Variant& Value,
                                               TdxInplaceEdit* Editor) {
  Value = String();
  TdxDBTreeListControlDataLink* link = GetDataLink();
  TDataSet* ds = GetDataSet();
  if (Column >= 0 && Column < GetColumnCount() && link->Modified() && GetDBColumn(Column)->GetBoundField() &&
      ds && (ds->State() == dsEdit || ds->State() == dsInsert || ds->State() == dsSetKey)) {
    TdxDBTreeListColumn* column = GetDBColumn(Column);
    WatchNode(Node);
    column->SaveEditValue(Node, Editor, Value);
    if (IsNodeWatched(Node)) {
      Node->SetString(column->GetDataIndex(), column->GetFieldCellText());
      std::erase(watchedNodes_, Node);
    }
  }
  savedEditValue_ = Value;
}

void TCustomdxDBTreeListControl::SyncEditorWithField() {
  if (State() != tsEditing) return;
  const int index = GetFocusedColumnAbsoluteIndex();
  if (index < 0 || index >= GetColumnCount()) return;
  if (!GetDBColumn(index)->IsFieldValueEqual(savedEditValue_)) InvalidateEditor();
}

void TCustomdxDBTreeListControl::RefreshCurrentRecord(TField* Field, TdxTreeListNode*& Node) {
  if (!HandleAllocated()) return;
  RefreshNodeFromRecord(Node);
  if (GetColumnCount() == 0 || !InplaceEditor() || !InplaceEditor()->Visible()) return;
  TField* focused = GetFocusedField();
  if ((!Field || Field == focused) && focused) {
    const int index = GetFocusedColumnAbsoluteIndex();
    if (!GetDBColumn(index)->IsFieldValueEqual(savedEditValue_)) InvalidateEditor();
  }
}

// --- Node notifications ---

bool TCustomdxDBTreeListControl::FocusNode(TdxTreeListNode* Node) {
  WatchNode(Node);
  TCustomdxTreeListControl::FocusNode(Node);
  const bool exists = IsNodeWatched(Node);
  std::erase(watchedNodes_, Node);
  return exists;
}

void TCustomdxDBTreeListControl::DoHotTrackNode(const TdxTreeListHotTrackInfo& Info, TCursor& Cursor) {
  if (Info.Node && Info.Column >= 0 && Info.Column < GetColumnCount())
    GetDBColumn(Info.Column)->GetHotTrackCursor(Info.Node, Cursor);
  TCustomdxTreeListControl::DoHotTrackNode(Info, Cursor);
}

void TCustomdxDBTreeListControl::DoDeletion(TdxTreeListNode* Node, TdxTreeListNode* Prior, bool Refocus,
                                            bool IsLast, TdxTreeListNode* Next) {
  TCustomdxTreeListControl::DoDeletion(Node, Prior, Refocus, IsLast, Next);
  std::erase(watchedNodes_, Node);
  if (std::erase_if(selection_, [&](const TSelectionEntry& e) { return e.Node == Node; })) SelectionChanged();
}

void TCustomdxDBTreeListControl::DoChangeNodeEx() {
  // The bracket's end reports what changed inside it.
  if (SelectionLockCount() > 0) return;
  if (!InKeyDown) InvalidateNode(FocusedNode());
  if (GetDataLink()->Active() && OnChangeNodeEx) OnChangeNodeEx(this);
}

void TCustomdxDBTreeListControl::InvalidateNode(TdxTreeListNode* Node) {
  if (!Node || !HandleAllocated()) return;
  RECT r;
  GetNodeRect(Node, r);
  if (r.left != -1 || r.top != -1) ::InvalidateRect(Handle(), &r, FALSE);
}

void TCustomdxDBTreeListControl::DoRefreshNodeData(TdxTreeListNode* Node) {
  if (OnRefreshNodeData) OnRefreshNodeData(this, Node);
}

void TCustomdxDBTreeListControl::DoBeforeCalcSummary() {
  if (OnBeforeCalcSummary) OnBeforeCalcSummary(this);
}

void TCustomdxDBTreeListControl::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomdxTreeListControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (auto* field = dynamic_cast<TField*>(AComponent)) FieldRemoved(field);
}

void TCustomdxDBTreeListControl::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  TCustomdxTreeListControl::GetChildren(Proc, Root);
  for (int i = 0; i < GetColumnCount(); ++i)
    if (GetColumn(i)->Owner() == Root) Proc(GetColumn(i));
}

void TCustomdxDBTreeListControl::FieldRemoved(TField* Field) {
  for (int i = 0; i < GetColumnCount(); ++i) {
    TdxDBTreeListColumn* column = GetDBColumn(i);
    if (column->GetBoundField() == Field) column->SetBoundField(nullptr);
    if (column->FooterSummaryField() == Field) column->SetFooterSummaryField(nullptr);
  }
  if (boundKeyField_ == Field) boundKeyField_ = nullptr;
  if (boundPreviewField_ == Field) boundPreviewField_ = nullptr;
}

// --- The process-wide list ---

void TCustomdxDBTreeListControl::RegisterDBTreeListControl(TCustomdxDBTreeListControl* Control) {
  auto*& list = ControlList();
  if (!list) list = new std::vector<TCustomdxDBTreeListControl*>();
  list->push_back(Control);
}

void TCustomdxDBTreeListControl::UnregisterDBTreeListControl(TCustomdxDBTreeListControl* Control) {
  auto*& list = ControlList();
  if (!list) return;
  std::erase(*list, Control);
  if (list->empty()) {
    delete list;
    list = nullptr;
  }
}

bool TCustomdxDBTreeListControl::IsDataSetChangingByControls(TDataSet* DataSet) {
  const auto* list = ControlList();
  if (!list) return false;
  return std::any_of(list->begin(), list->end(), [&](TCustomdxDBTreeListControl* c) {
    return c->GetDataSet() == DataSet && c->IsInternalChange();
  });
}
