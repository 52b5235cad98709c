#include "dx/inspector/dxDBInsp.h"

#include <algorithm>
#include <array>
#include <exception>

#include "dx/editors/dxTextEdit.h"
#include "platform/data/DataSet.h"
#include "platform/data/FieldTypes.h"
#include "platform/data/Fields.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

TRENVIK_IMPLEMENT_CLASS(TdxInspectorDataLink)
TRENVIK_PUBLISHED(TdxInspectorDBRow) {
  P.Property("FieldName", &TdxInspectorDBRow::GetFieldName, &TdxInspectorDBRow::SetFieldName);
}
TRENVIK_PUBLISHED(TdxDBInspector) {
  P.Property("BandWidth", &TdxDBInspector::BandWidth, &TdxDBInspector::SetBandWidth).Default(200);
  P.Property("BorderStyle", &TdxDBInspector::BorderStyle, &TdxDBInspector::SetBorderStyle).Default(bsSingle);
  P.Property("ComplexRowSeparator", &TdxDBInspector::ComplexRowSeparator,
             &TdxDBInspector::SetComplexRowSeparator);
  P.Property("DataSource", &TdxDBInspector::DataSource, &TdxDBInspector::SetDataSource);
  P.Property("DefaultFields", &TdxDBInspector::DefaultFields, &TdxDBInspector::SetDefaultFields)
      .Default(true);
  P.Property("DividerPos", &TdxDBInspector::DividerPos, &TdxDBInspector::SetDividerPos).NoDefault();
  P.Property("Flat", &TdxDBInspector::Flat, &TdxDBInspector::SetFlat).Default(false);
  P.Property("GridColor", &TdxDBInspector::GridColor, &TdxDBInspector::SetGridColor)
      .Stored(&TdxDBInspector::IsGridColorStored);
  P.Property("Images", &TdxDBInspector::Images, &TdxDBInspector::SetImages);
  P.Property("MaxRowTextLineCount", &TdxDBInspector::MaxRowTextLineCount,
             &TdxDBInspector::SetMaxRowTextLineCount)
      .Default(3);
  P.Property("MinBandWidth", &TdxDBInspector::MinBandWidth, &TdxDBInspector::SetMinBandWidth).Default(43);
  P.Property("MinColumnWidth", &TdxDBInspector::MinColumnWidth, &TdxDBInspector::SetMinColumnWidth)
      .Default(30);
  P.Property("Options", &TdxDBInspector::Options, &TdxDBInspector::SetOptions)
      .Default(kDefaultDBInspectorOptions);
  P.Property("PaintStyle", &TdxDBInspector::PaintStyle, &TdxDBInspector::SetPaintStyle).Default(ipsStandard);
  P.Property("RegistryPath", &TdxDBInspector::RegistryPath, &TdxDBInspector::SetRegistryPath);
  P.Property("RowHeight", &TdxDBInspector::RowHeight, &TdxDBInspector::SetRowHeight)
      .Stored(&TdxDBInspector::RowHeightAssigned);
  P.Property("ShowRowHint", &TdxDBInspector::ShowRowHint, &TdxDBInspector::SetShowRowHint).Default(false);
  P.Event("OnChangeNode", &TdxDBInspector::OnChangeNode);
  P.Event("OnHideCustomizeForm", &TdxDBInspector::OnHideCustomizeForm);
  P.Event("OnShowCustomizeForm", &TdxDBInspector::OnShowCustomizeForm);
}

namespace {

constexpr int kTableTypes = 22;  // ftUnknown .. ftTypedBinary

struct TRowClassTable {
  std::array<TdxDBRowClassEntry, kTableTypes> Types;
  TdxDBRowClassEntry Lookup;
};

TRowClassTable& RowClassTable() {
  static TRowClassTable table = [] {
    TRowClassTable t;
    for (int i = 1; i < kTableTypes; ++i) t.Types[i].RowClass = TdxInspectorDBRow::StaticClass();
    t.Lookup.RowClass = TdxInspectorDBRow::StaticClass();
    return t;
  }();
  return table;
}

}  // namespace

TClass GetRowClassForField(TField* Field) {
  const TRowClassTable& table = RowClassTable();
  TClass found = nullptr;
  if (Field->FieldKind() == fkData && static_cast<int>(Field->DataType()) < kTableTypes)
    found = table.Types[static_cast<int>(Field->DataType())].RowClass;
  else if (Field->FieldKind() == fkLookup)
    found = table.Lookup.RowClass;
  return found ? found : TdxInspectorDBRow::StaticClass();
}

void RegisterDBRowClasses(const TdxDBRowClassSelector& Selector) {
  TRowClassTable& table = RowClassTable();
  for (int t = 0; t < kTableTypes; ++t) {
    TdxDBRowClassEntry candidate = table.Types[t];
    Selector(static_cast<TFieldType>(t), fkData, candidate);
    if (candidate.Priority > table.Types[t].Priority) table.Types[t] = candidate;
  }
  TdxDBRowClassEntry candidate = table.Lookup;
  Selector(ftUnknown, fkLookup, candidate);
  if (candidate.Priority > table.Lookup.Priority) table.Lookup = candidate;
}

void ResetDBRowClasses() {
  TRowClassTable& table = RowClassTable();
  table.Types[0] = TdxDBRowClassEntry{};
  for (int i = 1; i < kTableTypes; ++i)
    table.Types[i] = TdxDBRowClassEntry{TdxInspectorDBRow::StaticClass(), 0};
  table.Lookup = TdxDBRowClassEntry{};
}

// --- TdxInspectorDataLink ---

TdxInspectorDataLink::TdxInspectorDataLink(TdxDBInspector* Inspector) : inspector_(Inspector) {
  SetVisualControl(true);
}

TdxInspectorDataLink::~TdxInspectorDataLink() { ClearFieldList(); }

void TdxInspectorDataLink::AddField(const String& Name) {
  TDataSet* ds = DataSet();
  TField* field = ds ? ds->FindField(Name) : nullptr;
  fieldIndexes_.push_back(field ? ds->Fields()->IndexOf(field) : -1);
  if (field && inspector_) field->FreeNotification(inspector_);
}

TField* TdxInspectorDataLink::Fields(int Index) const {
  if (Index < 0 || Index >= Count() || fieldIndexes_[Index] < 0 || !DataSet()) return nullptr;
  return DataSet()->Fields()->Fields(fieldIndexes_[Index]);
}

void TdxInspectorDataLink::Reset() {
  if (modified_)
    RecordChanged(nullptr);
  else if (DataSet())
    DataSet()->Cancel();
}

void TdxInspectorDataLink::ActiveChanged() {
  if (inspector_) inspector_->LinkActiveChanged(Active());
}

void TdxInspectorDataLink::DataSetChanged() {
  inDataSetChanged_ = true;
  const TScopeExit done{[this] { inDataSetChanged_ = false; }};
  RecordChanged(nullptr);
}

void TdxInspectorDataLink::RecordChanged(TField* Field) {
  if (inspector_) inspector_->DoRecordChanged(Field, inDataSetChanged_);
  modified_ = false;
}

void TdxInspectorDataLink::LayoutChanged() {
  if (inspector_) inspector_->LayoutChanged();
  inherited::LayoutChanged();
}

void TdxInspectorDataLink::UpdateData() {
  if (modified_ && inspector_) inspector_->DoUpdateData();
  modified_ = false;
}

void TdxInspectorDataLink::FocusControl(TField*& Field) {
  if (!Field || !inspector_) return;
  inspector_->FocusField(Field);
  if (inspector_->FocusedField() == Field && inspector_->CanScroll()) {
    Field = nullptr;
    inspector_->ShowEditorIfEditing();
    if (TdxInspectorNode* editing = inspector_->EditingNode()) {
      editing->MakeVisible();
      inspector_->Update();
    }
  }
}

// --- Data-bound rows ---

bool dxinspector_detail::CanModifyField(TField* Field, bool AllowBlobs) {
  bool modifiable = Field->CanModify();
  if (!modifiable && Field->FieldKind() == fkLookup && Field->DataSet()) {
    modifiable = true;
    const String& keys = Field->KeyFields();
    size_t start = 0;
    while (start <= keys.size()) {
      const size_t end = std::min(keys.find(u';', start), keys.size());
      TField* k = Field->DataSet()->FindField(keys.substr(start, end - start));
      modifiable = modifiable && k && k->CanModify();
      start = end + 1;
    }
  }
  if (!AllowBlobs && dynamic_cast<TBlobField*>(Field) && !Field->OnSetText) return false;
  return modifiable;
}

// --- TdxDBInspector ---

TdxDBInspector::TdxDBInspector(TComponent* AOwner)
    : TCustomdxInspectorControl(AOwner), dataLink_(std::make_unique<TdxInspectorDataLink>(this)) {
  SetOptionFlags(kDefaultInspectorOptions);
}

TdxDBInspector::~TdxDBInspector() {
  HideEditor();
  dataLink_->SetDataSource(nullptr);
  dataLink_.reset();
}

void TdxDBInspector::SetDataSource(TDataSource* Value) {
  if (dataLink_->DataSource() == Value) return;
  dataLink_->SetDataSource(Value);
  if (Value) Value->FreeNotification(this);
  LinkActiveChanged(dataLink_->Active());
}

void TdxDBInspector::FreeRows() {
  BeginUpdate();
  const TScopeExit done{[this] { EndUpdate(); }};
  while (RowCount() > 0) delete Rows(RowCount() - 1);
}

void TdxDBInspector::SetDefaultFields(bool Value) {
  if (defaultFields_ == Value) return;
  defaultFields_ = Value;
  FreeRows();
}

void TdxDBInspector::DestroyRows() {
  BeginUpdate();
  const TScopeExit done{[this] { EndUpdate(); }};
  defaultFields_ = false;
  while (RowCount() > 0) delete Rows(RowCount() - 1);
}

void TdxDBInspector::SetOptions(TdxDBInspectorOptions Value) {
  if (options_ == Value) return;
  // Each option the engine knows sets its flag; Tabs and TabThrough swap places between the words.
  struct Map {
    TdxDBInspectorOption option;
    TdxInspectorOptionBit bit;
  };
  static constexpr Map kMap[] = {
      {dioAutoBandCount, inoAutoBandCount},
      {dioAutoWidth, inoAutoWidth},
      {dioBandSizing, inoBandSizing},
      {dioColumnSizing, inoColumnSizing},
      {dioDrawEndEllipsis, inoDrawEndEllipsis},
      {dioDynamicColumnSizing, inoDynamicColumnSizing},
      {dioEditing, inoEditing},
      {dioEnterThrough, inoEnterThrough},
      {dioRowAutoHeight, inoRowAutoHeight},
      {dioRowSizing, inoRowSizing},
      {dioStoreToRegistry, inoStoreToRegistry},
      {dioTabs, inoTabs},
      {dioTabThrough, inoTabThrough},
  };
  WORD flags = 0;
  for (const Map& m : kMap)
    if (Value.Contains(m.option)) flags |= WORD(1u << m.bit);
  BeginUpdate();
  const TScopeExit done{[this] { EndUpdate(); }};
  SetOptionFlags(flags);
  options_ = Value;
}

TField* TdxDBInspector::FocusedField() {
  TdxInspectorRow* row = GetFocusedRow(FocusedNode());
  return row ? row->GetField() : nullptr;
}

TdxInspectorNode* TdxDBInspector::CreateNode() {
  if (defaultFields_ && !IsCreatingRow()) throw Exception(u"DefaultFields property should be set to False");
  return inherited::CreateNode();
}

TClass TdxDBInspector::GetDefaultRowClass() { return TdxInspectorDBRow::StaticClass(); }

void TdxDBInspector::LayoutChanged() { inherited::LayoutChanged(); }

void TdxDBInspector::LinkActiveChanged(bool Active) {
  if (!Active) HideEditor();
  LayoutChanged();
}

void TdxDBInspector::BuildFieldList() {
  if (defaultFields_) {
    TDataSet* ds = dataLink_->DataSet();
    for (int i = 0; i < ds->FieldCount(); ++i)
      if (ds->Fields()->Fields(i)->Visible()) dataLink_->AddField(ds->Fields()->Fields(i)->FieldName());
  } else {
    for (int i = 0; i < RowCount(); ++i) dataLink_->AddField(Rows(i)->GetFieldName());
  }
}

void TdxDBInspector::SyncRowsWithFields() {
  auto fieldOf = [](TdxInspectorRow* r) { return r ? r->GetField() : nullptr; };
  dataLink_->ClearFieldList();
  if (dataLink_->Active()) BuildFieldList();
  if (defaultFields_) {
    for (int i = RowCount() - 1; i >= 0; --i) {
      TField* f = fieldOf(Rows(i));
      bool keep = dataLink_->Active() && f;
      if (keep) {
        keep = false;
        for (int k = 0; k < dataLink_->Count(); ++k) keep = keep || dataLink_->Fields(k) == f;
      }
      if (!keep) delete Rows(i);
    }
    for (int i = 0; i < dataLink_->Count(); ++i) {
      TField* f = dataLink_->Fields(i);
      TdxInspectorRow* row = nullptr;
      for (int p = i; p < Count() && !row; ++p)
        if (fieldOf(RowOf(Items(p))) == f) row = RowOf(Items(p));
      if (!row) {
        row = AddRowOfClass(GetRowClassForField(f));
        row->SetField(f);
      }
      if (i < Count() && row->Node() && row->Node() != Items(i)) row->Node()->MoveTo(Items(i), inaInsert);
    }
  } else {
    for (int i = 0; i < RowCount(); ++i) Rows(i)->SetFieldName(Rows(i)->GetFieldName());
  }
  if (dataLink_->Active()) dataLink_->SetBufferCount(1);
}

void TdxDBInspector::AfterLayoutChanged() {
  if (!syncing_) {
    syncing_ = true;
    const TScopeExit done{[this] { syncing_ = false; }};
    SyncRowsWithFields();
  }
  RefreshEditorFromField();
  inherited::AfterLayoutChanged();
}

bool TdxDBInspector::CanScroll() {
  if (!CanFocus() || ComponentState().Contains(csDesigning)) return true;
  SetFocus();
  return IsFocusInside() || (InplaceEditor() && InplaceEditor()->IsFocused());
}

bool TdxDBInspector::CanShowEditor() {
  return inherited::CanShowEditor() && FocusedNode() && dataLink_->Active();
}

bool TdxDBInspector::CanEditModify() {
  if (!dataLink_->Active() || dataLink_->ReadOnly() || !FocusedNode()) return false;
  TdxInspectorRow* row = GetFocusedRow(FocusedNode());
  if (!row || row->ReadOnly() || !row->CanModify()) return false;
  inLinkEdit_ = true;
  {
    const TScopeExit done{[this] { inLinkEdit_ = false; }};
    dataLink_->Edit();
  }
  const bool editing = dataLink_->Editing();
  if (editing) dataLink_->SetModified(true);
  return editing;
}

bool TdxDBInspector::CanEditAcceptChar(Char Key) {
  TdxInspectorRow* row = GetFocusedRow(FocusedNode());
  return row && row->IsValidChar(Key);
}

void TdxDBInspector::SaveEditValue(TdxInspectorNode* Node, TdxInplaceEdit* Editor, Variant& Value) {
  TdxInspectorRow* row = GetFocusedRow(EditingNode());
  TDataSet* ds = dataLink_->DataSet();
  if (!dataLink_->Modified() || !row || !row->GetField() || !ds || !dsEditModes.Contains(ds->State())) return;
  inherited::SaveEditValue(Node, Editor, Value);
}

bool TdxDBInspector::IsRowValueEqual(const Variant& Value, TdxInspectorRow* Row) {
  TField* field = Row ? Row->GetField() : nullptr;
  if (!field) return inherited::IsRowValueEqual(Value, Row);
  if (VarIsEmpty(Value)) return false;
  if (VarIsStr(Value)) return VarToStr(Value) == field->Text();
  const Variant current = field->Value();
  return VarType(current) == VarType(Value) && current == Value;
}

void TdxDBInspector::DoRecordChanged(TField* Field, bool Whole) {
  if (!HandleAllocated()) return;
  Invalidate();
  if (!FocusedNode()) return;
  TdxInspectorRow* row = GetFocusedRow(FocusedNode());
  if (!Whole) {
    if (Field && (!row || row->GetField() != Field)) return;
    if (!InplaceEditor() || InplaceEditor()->GetDisableCloseEditor()) return;
    if (row && row->IsValueEqual(LastEditValue())) return;
  }
  if (inLinkEdit_ && row && row->IsValueEqual(LastEditValue())) return;
  ShowEditor();
  if (InplaceEditor()) InplaceEditor()->CaretToEnd();
}

void TdxDBInspector::RefreshEditorFromField() {
  TDataSet* ds = dataLink_->DataSet();
  if (!dataLink_->Active() || !HandleAllocated() || ComponentState().Contains(csLoading) ||
      State() == insRowDragging || !ds || !ds->Active())
    return;
  TdxInspectorRow* row = GetFocusedRow(FocusedNode());
  if (row && !row->IsValueEqual(LastEditValue())) ShowEditor();
}

void TdxDBInspector::DoUpdateData() {
  if (InplaceEditor() && InplaceEditor()->IsInplace() && EditingNode()) InplaceEditor()->ValidateEdit();
  CloseEditor(false);
}

void TdxDBInspector::FocusField(TField* Field) {
  if (FocusedField() == Field) return;
  for (int i = 0; i < RowCount(); ++i) {
    TdxInspectorRow* row = Rows(i);
    if (row->Visible() && row->GetField() == Field && row->Node()) row->Node()->SetFocused(true);
  }
}

void TdxDBInspector::KeyDown(WORD& Key, TShiftState Shift) {
  // The user's handler runs once, here, before the reset decision.
  auto handler = std::move(OnKeyDown);
  OnKeyDown = nullptr;
  const TScopeExit restore{[this, &handler] { OnKeyDown = std::move(handler); }};
  if (handler) handler(this, Key, Shift);
  if (dataLink_->Active() && Key == VK_ESCAPE && (!options_.Contains(dioNoCancel) || dataLink_->Modified()))
    dataLink_->Reset();
  inherited::KeyDown(Key, Shift);
}

void TdxDBInspector::DoExit() {
  if (dataLink_->Active()) {
    TDataSet* ds = dataLink_->DataSet();
    const int pending = std::uncaught_exceptions();
    const TScopeExit refocus{[this, pending] {
      if (std::uncaught_exceptions() > pending && CanFocus()) SetFocus();
    }};
    if (!options_.Contains(dioCancelOnExit) || ds->State() != dsInsert || ds->Modified() ||
        dataLink_->Modified())
      dataLink_->UpdateRecord();
    else
      ds->Cancel();
  }
  inherited::DoExit();
}

void TdxDBInspector::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove || !dataLink_) return;
  if (AComponent == DataSource()) {
    SetDataSource(nullptr);
    return;
  }
  if (auto* field = dynamic_cast<TField*>(AComponent)) {
    bool any = false;
    for (int i = 0; i < RowCount(); ++i)
      if (Rows(i)->GetField() == field) {
        Rows(i)->SetField(nullptr);
        any = true;
      }
    if (any && !(field->DataSet() && field->DataSet()->ControlsDisabled())) {
      BeginUpdate();
      EndUpdate();
    }
  }
}
