// TDataSet: states, opening and closing, fields, notifications, and field values of the buffers.
#include "platform/data/DataSet.h"

#include <algorithm>

#include "platform/data/DBConsts.h"
#include "platform/data/DataLink.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"
#include "platform/data/FilterExpr.h"

TRENVIK_PUBLISHED(TDataSet) {
  P.Property("Active", &TDataSet::Active, &TDataSet::SetActive).Default(false);
  P.Property("AutoCalcFields", &TDataSet::AutoCalcFields, &TDataSet::SetAutoCalcFields).Default(true);
  P.Property("Filter", &TDataSet::Filter, &TDataSet::SetFilter);
  P.Property("Filtered", &TDataSet::Filtered, &TDataSet::SetFiltered).Default(false);
  P.Property("FilterOptions", &TDataSet::FilterOptions, &TDataSet::SetFilterOptions);
  P.Event("BeforeOpen", &TDataSet::BeforeOpen);
  P.Event("AfterOpen", &TDataSet::AfterOpen);
  P.Event("BeforeClose", &TDataSet::BeforeClose);
  P.Event("AfterClose", &TDataSet::AfterClose);
  P.Event("BeforeInsert", &TDataSet::BeforeInsert);
  P.Event("AfterInsert", &TDataSet::AfterInsert);
  P.Event("BeforeEdit", &TDataSet::BeforeEdit);
  P.Event("AfterEdit", &TDataSet::AfterEdit);
  P.Event("BeforePost", &TDataSet::BeforePost);
  P.Event("AfterPost", &TDataSet::AfterPost);
  P.Event("BeforeCancel", &TDataSet::BeforeCancel);
  P.Event("AfterCancel", &TDataSet::AfterCancel);
  P.Event("BeforeDelete", &TDataSet::BeforeDelete);
  P.Event("AfterDelete", &TDataSet::AfterDelete);
  P.Event("BeforeScroll", &TDataSet::BeforeScroll);
  P.Event("AfterScroll", &TDataSet::AfterScroll);
  P.Event("BeforeRefresh", &TDataSet::BeforeRefresh);
  P.Event("AfterRefresh", &TDataSet::AfterRefresh);
  P.Event("OnCalcFields", &TDataSet::OnCalcFields);
  P.Event("OnDeleteError", &TDataSet::OnDeleteError);
  P.Event("OnEditError", &TDataSet::OnEditError);
  P.Event("OnFilterRecord", &TDataSet::OnFilterRecord);
  P.Event("OnNewRecord", &TDataSet::OnNewRecord);
  P.Event("OnPostError", &TDataSet::OnPostError);
}

TDataSet::TDataSet(TComponent* AOwner)
    : TComponent(AOwner), fields_(this), fieldDefs_(std::make_unique<TFieldDefs>(this)) {}

TDataSet::~TDataSet() {
  Destroying();
  if (Active()) {
    state_ = dsInactive;
    for (TDataSource* src : std::vector<TDataSource*>(dataSources_)) src->DataEvent(deUpdateState, 0);
    CloseCursor();
  }
  for (TDataSource* src : std::vector<TDataSource*>(dataSources_)) src->SetDataSet(nullptr);
  // Persistent fields outlive the dataset only in their owner; they no longer point here.
  for (TField* f : std::vector<TField*>(fields_.list_)) f->dataSet_ = nullptr;
  fields_.list_.clear();
}

// ---- State ----

void TDataSet::SetActive(bool Value) {
  if (ComponentState().Contains(csLoading)) {
    streamedActive_ = Value;
    return;
  }
  if (Active() == Value) return;
  if (Value) {
    DoBeforeOpen();
    try {
      OpenCursor();
    } catch (...) {
      CloseCursor();
      throw;
    }
    SetState(dsBrowse);
    DoAfterOpen();
    if (!IsEmpty()) DoAfterScroll();
  } else {
    bool destroying = ComponentState().Contains(csDestroying);
    if (!destroying) DoBeforeClose();
    SetState(dsInactive);
    CloseCursor();
    if (!destroying) DoAfterClose();
  }
}

void TDataSet::Loaded() {
  TComponent::Loaded();
  if (streamedActive_) {
    streamedActive_ = false;
    SetActive(true);
  }
}

void TDataSet::SetState(TDataSetState Value) {
  if (state_ == Value) return;
  state_ = Value;
  modified_ = false;
  DataEvent(deUpdateState, 0);
}

TDataSetState TDataSet::SetTempState(TDataSetState Value) {
  TDataSetState old = state_;
  state_ = Value;
  ++disableCount_;
  return old;
}

void TDataSet::RestoreState(TDataSetState Value) {
  state_ = Value;
  --disableCount_;
}

bool TDataSet::CanModify() const { return Active() && !readOnly_ && GetCanModify(); }

void TDataSet::SetReadOnly(bool Value) {
  if (readOnly_ == Value) return;
  readOnly_ = Value;
  if (Active()) DataEvent(deUpdateState, 0);
}

void TDataSet::CheckActive() const {
  if (!Active()) DatabaseError(S(DBConsts::SDataSetClosed), const_cast<TDataSet*>(this));
}

void TDataSet::CheckInactive() const {
  if (Active()) DatabaseError(S(DBConsts::SDataSetOpen), const_cast<TDataSet*>(this));
}

void TDataSet::CheckCanModify() const {
  if (!CanModify()) DatabaseError(S(DBConsts::SDataSetReadOnly), const_cast<TDataSet*>(this));
}

// ---- Opening and closing ----

void TDataSet::OpenCursor() {
  InternalInitFieldDefs();
  defaultFields_ = fields_.Count() == 0;
  if (defaultFields_) CreateDefaultFields();
  BindFields(true);
  std::vector<TFieldType> types;
  types.reserve(fieldDefs_->Count());
  for (int i = 0; i < fieldDefs_->Count(); ++i) types.push_back(fieldDefs_->Items(i)->DataType());
  store_.Reset(types);
  InternalOpen();
  CompileFilter();
  RebuildOrder();
  FillWindowAt(0, 0);
  bof_ = true;
  eof_ = buffers_.empty();
}

void TDataSet::CloseCursor() {
  try {
    InternalClose();
  } catch (...) {
  }
  buffers_.clear();
  activeRecord_ = 0;
  edit_ = TRecordValues();
  keyBuffer_ = TRecordValues();
  filterExpr_.reset();
  store_.Clear();
  order_.clear();
  view_.clear();
  rowPositions_.clear();
  positionsKnownBefore_ = 0;
  ++generation_;
  BindFields(false);
  if (defaultFields_) DestroyDefaultFields();
  defaultFields_ = false;
  bof_ = eof_ = true;
  modified_ = false;
}

namespace {
// Types that may stand for one another between a persistent field and the source's definition.
int TypeFamily(TFieldType t) {
  switch (StoreKindOf(t)) {
    case TStoreKind::Integer:
      return t == ftBoolean ? 1 : 0;
    case TStoreKind::Float:
    case TStoreKind::Currency:
      return 2;
    case TStoreKind::DateTime:
      return 3;
    case TStoreKind::Text:
      return 4;
    case TStoreKind::Bytes:
      return 5;
  }
  return -1;
}
}  // namespace

void TDataSet::CreateDefaultFields() {
  for (int i = 0; i < fieldDefs_->Count(); ++i) {
    TFieldDef* def = fieldDefs_->Items(i);
    if (DefaultFieldClass(def->DataType())) def->CreateField(this, this);
  }
}

void TDataSet::DestroyDefaultFields() {
  for (TField* f : std::vector<TField*>(fields_.list_))
    if (f->Owner() == this) delete f;
}

void TDataSet::BindFields(bool Binding) {
  if (!Binding) {
    for (TField* f : fields_) f->slot_ = -1;
    calcSlots_ = 0;
    return;
  }
  int calc = 0;
  for (TField* f : fields_) {
    if (f->FieldKind() == fkData) {
      TFieldDef* def = fieldDefs_->FindDef(f->FieldName());
      if (!def) DatabaseErrorFmt(DBConsts::SFieldNotFound, {f->DisplayName()}, this);
      if (TypeFamily(def->DataType()) != TypeFamily(f->DataType()) &&
          !(f->IsBlob() && (TypeFamily(def->DataType()) == 4 || TypeFamily(def->DataType()) == 5)))
        DatabaseErrorFmt(DBConsts::SFieldTypeMismatch,
                         {f->DisplayName(), FieldTypeName(f->DataType()), FieldTypeName(def->DataType())},
                         this);
      f->fieldNo_ = def->FieldNo();
      f->slot_ = def->FieldNo() - 1;
    } else {
      f->fieldNo_ = 0;
      f->slot_ = calc++;
    }
  }
  calcSlots_ = calc;
}

void TDataSet::AddField(TField* Field) {
  fields_.Add(Field);
  FieldListChanged();
}

void TDataSet::RemoveField(TField* Field) {
  fields_.Remove(Field);
  if (!ComponentState().Contains(csDestroying)) FieldListChanged();
}

void TDataSet::FieldListChanged() {
  if (Active()) DataEvent(deFieldListChange, 0);
}

TField* TDataSet::FieldByName(const String& FieldName) const { return fields_.FieldByName(FieldName); }

void TDataSet::GetFieldList(std::vector<TField*>& List, const String& FieldNames) const {
  for (const String& name : SplitFieldNames(FieldNames)) List.push_back(FieldByName(name));
}

std::vector<String> TDataSet::GetFieldNames() const {
  std::vector<String> names;
  if (fields_.Count() > 0) {
    for (TField* f : fields_) names.push_back(f->FieldName());
  } else {
    const_cast<TDataSet*>(this)->InternalInitFieldDefs();
    for (int i = 0; i < fieldDefs_->Count(); ++i) names.push_back(fieldDefs_->Items(i)->Name());
  }
  return names;
}

int TDataSet::FieldColumn(const TField* Field) { return Field->FieldKind() == fkData ? Field->slot_ : -1; }

void TDataSet::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
}

void TDataSet::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  for (TField* f : fields_)
    if (f->Owner() == Root) Proc(f);
}

void TDataSet::SetChildOrder(TComponent* Child, int Order) {
  if (auto* f = dynamic_cast<TField*>(Child); f && f->DataSet() == this) f->SetIndex(Order);
}

// ---- Events ----

void TDataSet::DoBeforeOpen() {
  if (BeforeOpen) BeforeOpen(this);
}
void TDataSet::DoAfterOpen() {
  if (AfterOpen) AfterOpen(this);
}
void TDataSet::DoBeforeClose() {
  if (BeforeClose) BeforeClose(this);
}
void TDataSet::DoAfterClose() {
  if (AfterClose) AfterClose(this);
}
void TDataSet::DoBeforeScroll() {
  if (BeforeScroll) BeforeScroll(this);
}
void TDataSet::DoAfterScroll() {
  if (AfterScroll) AfterScroll(this);
}
void TDataSet::DoOnNewRecord() {
  if (OnNewRecord) OnNewRecord(this);
}
void TDataSet::DoOnCalcFields() {
  if (OnCalcFields) OnCalcFields(this);
}

// ---- Notifications ----

void TDataSet::DataEvent(TDataEvent Event, std::intptr_t Info) {
  bool notify = !ControlsDisabled() && state_ != dsBlockRead;
  switch (Event) {
    case deFieldChange: {
      auto* field = reinterpret_cast<TField*>(Info);
      if (field->FieldKind() == fkData || field->FieldKind() == fkInternalCalc) modified_ = true;
      UpdateCalcFields();
      break;
    }
    case deLayoutChange:
      if (ControlsDisabled()) enableEvent_ = deLayoutChange;
      break;
    case deUpdateState:
      if (ControlsDisabled()) {
        Event = deDisabledStateChange;
        Info = state_ != dsInactive ? 1 : 0;
        notify = true;
      }
      break;
    default:
      break;
  }
  if (!notify) return;
  for (TDataSource* src : std::vector<TDataSource*>(dataSources_))
    if (std::find(dataSources_.begin(), dataSources_.end(), src) != dataSources_.end())
      src->DataEvent(Event, Info);
}

void TDataSet::DisableControls() {
  if (disableCount_ == 0) {
    disableState_ = state_;
    enableEvent_ = deDataSetChange;
  }
  ++disableCount_;
}

void TDataSet::EnableControls() {
  if (disableCount_ == 0) return;
  if (--disableCount_ != 0) return;
  if (disableState_ != state_) DataEvent(deUpdateState, 0);
  if (disableState_ != dsInactive && state_ != dsInactive) DataEvent(enableEvent_, 0);
}

void TDataSet::UpdateBufferCount() {
  if (ComponentState().Contains(csDestroying)) return;
  int count = 1;
  for (TDataSource* src : dataSources_)
    for (TDataLink* link : src->links_) count = std::max(count, link->BufferCount());
  SetBufferCount(count);
}

bool TDataSet::IsLinkedTo(TDataSource* DataSource) const {
  return DataSource && DataSource->IsLinkedTo(const_cast<TDataSet*>(this));
}

// ---- Field values ----

TDataSet::TRecordRef TDataSet::CurrentRef() const {
  switch (state_) {
    case dsCalcFields:
    case dsInternalCalc:
    case dsFilter:
      return temp_;
    case dsSetKey:
      return {kNoRecord, const_cast<TRecordValues*>(&keyBuffer_), nullptr};
    case dsInactive:
      return {};
    default:
      break;
  }
  if (activeRecord_ < 0 || activeRecord_ >= static_cast<int>(buffers_.size())) return {};
  auto& buffer = const_cast<TBuffer&>(buffers_[activeRecord_]);
  TRecordRef ref{buffer.Row, nullptr, &buffer.Calc};
  if ((state_ == dsEdit || state_ == dsInsert) && buffer.Row == edit_.Row)
    ref.Edit = const_cast<TRecordValues*>(&edit_);
  return ref;
}

bool TDataSet::GetFieldData(const TField* Field, Variant& Value) const {
  Value = Null();
  if (!Field || Field->slot_ < 0) return false;
  TRecordRef ref = CurrentRef();
  std::size_t slot = static_cast<std::size_t>(Field->slot_);
  if (Field->FieldKind() == fkData) {
    if (ref.Edit) {
      if (slot < ref.Edit->Values.size()) Value = ref.Edit->Values[slot];
    } else if (ref.Row != kNoRecord && store_.IsValid(ref.Row)) {
      Value = store_.GetValue(ref.Row, Field->slot_);
    }
  } else if (ref.Calc && slot < ref.Calc->size()) {
    Value = (*ref.Calc)[slot];
  }
  if (VarIsEmpty(Value)) Value = Null();
  return !VarIsNull(Value);
}

bool TDataSet::IsFieldDataNull(const TField* Field) const {
  if (!Field || Field->slot_ < 0) return true;
  const TRecordRef ref = CurrentRef();
  if (Field->FieldKind() == fkData && !ref.Edit)
    return ref.Row == kNoRecord || !store_.IsValid(ref.Row) || store_.IsNull(ref.Row, Field->slot_);
  Variant value;
  return !GetFieldData(Field, value);
}

bool TDataSet::GetFieldText(const TField* Field, String& Text) const {
  Text.clear();
  if (!Field || Field->slot_ < 0) return false;
  const TRecordRef ref = CurrentRef();
  if (Field->FieldKind() == fkData && !ref.Edit && ref.Row != kNoRecord && store_.IsValid(ref.Row) &&
      store_.ColumnKind(Field->slot_) == TStoreKind::Text) {
    if (store_.IsNull(ref.Row, Field->slot_)) return false;
    Text.assign(store_.GetText(ref.Row, Field->slot_));
    return true;
  }
  Variant value;
  if (!GetFieldData(Field, value)) return false;
  Text = value.AsString();
  return true;
}

Variant TDataSet::GetOldFieldValue(const TField* Field) const {
  if (Field->FieldKind() != fkData || Field->slot_ < 0) {
    Variant v;
    GetFieldData(Field, v);
    return v;
  }
  TRecordId row = CurrentRow();
  if (state_ == dsCalcFields || state_ == dsFilter) row = temp_.Row;
  if (row == kNoRecord || !store_.IsValid(row)) return Null();
  return store_.GetValue(row, Field->slot_);
}

void TDataSet::SetFieldData(TField* Field, const Variant& Value) {
  if (!dsWriteModes.Contains(state_)) DatabaseError(S(DBConsts::SNotEditing), this);
  if (Field->slot_ < 0) DatabaseErrorFmt(DBConsts::SFieldNotFound, {Field->DisplayName()}, this);
  bool calcState = state_ == dsCalcFields || state_ == dsInternalCalc || state_ == dsFilter;
  TFieldKind kind = Field->FieldKind();
  if (state_ == dsEdit || state_ == dsInsert) {
    if (Field->ReadOnly() || kind == fkCalculated || kind == fkAggregate)
      DatabaseErrorFmt(DBConsts::SFieldReadOnly, {Field->DisplayName()}, this);
    if (kind == fkLookup) {
      // Choosing a lookup value sets the key fields to the matching record's keys.
      if (!Field->LookupDataSet() || Field->KeyFields().empty())
        DatabaseErrorFmt(DBConsts::SLookupInfoError, {Field->DisplayName()}, this);
      Variant keys =
          Field->LookupDataSet()->Lookup(Field->LookupResultField(), Value, Field->LookupKeyFields());
      SetFieldValues(Field->KeyFields(), keys);
      return;
    }
  }
  TRecordRef ref = CurrentRef();
  Variant* target = nullptr;
  TRecordValues* edit = ref.Edit;
  std::size_t slot = static_cast<std::size_t>(Field->slot_);
  if (kind == fkData) {
    if (!edit) DatabaseError(S(DBConsts::SNotEditing), this);
    if (edit->Values.size() <= slot) {
      edit->Values.resize(store_.ColumnCount());
      edit->Assigned.resize(store_.ColumnCount());
    }
    target = &edit->Values[slot];
  } else {
    if (!ref.Calc) DatabaseError(S(DBConsts::SNotEditing), this);
    if (ref.Calc->size() <= slot) ref.Calc->resize(calcSlots_);
    target = &(*ref.Calc)[slot];
  }
  Variant old = *target;
  *target = Value;
  if (!calcState && state_ != dsSetKey) {
    try {
      Field->Validate();
    } catch (...) {
      *target = old;
      throw;
    }
  }
  if (kind == fkData) edit->Assigned[slot] = true;
  if (!calcState) {
    if (state_ != dsSetKey) Field->Change();
    DataEvent(deFieldChange, reinterpret_cast<std::intptr_t>(Field));
  }
}

// ---- Calculated and lookup fields ----

void TDataSet::GetCalcFields(std::vector<Variant>& Calc, TRecordId Row, TRecordValues* Edit) {
  if (calcSlots_ == 0) {
    Calc.clear();
    return;
  }
  Calc.assign(calcSlots_, Null());
  TRecordRef saved = temp_;
  TDataSetState old = SetTempState(dsCalcFields);
  temp_ = {Row, Edit, &Calc};
  try {
    for (TField* f : fields_) {
      if (f->FieldKind() != fkLookup || f->slot_ < 0) continue;
      if (!f->LookupDataSet() || !f->LookupDataSet()->Active() || f->KeyFields().empty()) continue;
      Variant key = FieldValues(f->KeyFields());
      Calc[f->slot_] = VarIsNull(key) ? Null() : f->LookupValue(key);
    }
    DoOnCalcFields();
  } catch (...) {
    temp_ = saved;
    RestoreState(old);
    throw;
  }
  temp_ = saved;
  RestoreState(old);
}

void TDataSet::UpdateCalcFields() {
  if (calcSlots_ == 0 || state_ == dsSetKey || !autoCalcFields_) return;
  if (state_ != dsEdit && state_ != dsInsert) return;
  if (activeRecord_ < 0 || activeRecord_ >= static_cast<int>(buffers_.size())) return;
  TBuffer& buffer = buffers_[activeRecord_];
  GetCalcFields(buffer.Calc, buffer.Row, buffer.Row == edit_.Row ? &edit_ : nullptr);
}

Variant TDataSet::ReadFieldOfRow(const TField* Field, TRecordId Row) {
  if (Field->FieldKind() == fkData) return store_.GetValue(Row, Field->slot_);
  std::vector<Variant> calc;
  GetCalcFields(calc, Row, nullptr);
  std::size_t slot = static_cast<std::size_t>(Field->slot_);
  return slot < calc.size() ? calc[slot] : Null();
}
