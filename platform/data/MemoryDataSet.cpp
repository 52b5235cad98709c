#include "platform/data/MemoryDataSet.h"

#include <unordered_map>

#include "platform/data/DBConsts.h"
#include "platform/data/DataLink.h"
#include "platform/data/DataSource.h"

TRENVIK_PUBLISHED(TMemoryDataSet) {
  P.Property("DataSource", &TMemoryDataSet::DataSource, &TMemoryDataSet::SetDataSource);
}

TMemoryDataSet::TMemoryDataSet(TComponent* AOwner)
    : TDataSet(AOwner), params_(std::make_unique<TParams>(this)) {}

TMemoryDataSet::~TMemoryDataSet() {
  Destroying();
  masterLink_.reset();
  Close();
}

void TMemoryDataSet::AddFieldDef(const String& Name, TFieldType DataType, int Size, bool Required) {
  CheckInactive();
  if (table_.IdCount() > 0) DatabaseError(u"Cannot add a field definition to a dataset holding rows", this);
  FieldDefs()->Add(Name, DataType, Size, Required);
  tableReady_ = false;
}

void TMemoryDataSet::EnsureTable() {
  int defs = FieldDefs()->Count();
  if (tableReady_ && table_.ColumnCount() == defs) return;
  if (table_.IdCount() > 0 && table_.ColumnCount() != defs)
    DatabaseError(u"The field definitions changed while the dataset holds rows", this);
  std::vector<TFieldType> types;
  for (int i = 0; i < defs; ++i) types.push_back(FieldDefs()->Items(i)->DataType());
  table_.Reset(types);
  tableReady_ = true;
}

void TMemoryDataSet::AddRow(std::initializer_list<Variant> Values) { AddRow(std::vector<Variant>(Values)); }

void TMemoryDataSet::AddRow(const std::vector<Variant>& Values) {
  EnsureTable();
  TRecordId row = table_.AppendRow();
  int n = std::min<int>(static_cast<int>(Values.size()), table_.ColumnCount());
  for (int c = 0; c < n; ++c) table_.SetValue(row, c, Values[c]);
}

int TMemoryDataSet::RowCount() const { return static_cast<int>(table_.LiveCount()); }

void TMemoryDataSet::ClearRows() { table_.Clear(); }

TDataSource* TMemoryDataSet::DataSource() const { return masterLink_ ? masterLink_->DataSource() : nullptr; }

void TMemoryDataSet::SetDataSource(TDataSource* Value) {
  if (!masterLink_) {
    masterLink_ = std::make_unique<TMasterParamsDataLink>(this, params_.get());
    masterLink_->OnMasterChange = [this] { MasterChanged(); };
  }
  masterLink_->SetDataSource(Value);
}

void TMemoryDataSet::MasterChanged() {
  if (!Active()) return;
  DisableControls();
  try {
    Close();
    Open();
  } catch (...) {
    EnableControls();
    throw;
  }
  EnableControls();
}

void TMemoryDataSet::InternalInitFieldDefs() { EnsureTable(); }

void TMemoryDataSet::InternalOpen() {
  if (masterLink_ && masterLink_->Active()) masterLink_->RefreshParamValues();
  tableRows_.clear();
  LoadRows();
}

// Copies the table rows the parameters select into the store: rows already shown are updated in
// place (keeping their ids), rows no longer selected leave, new rows are appended.
void TMemoryDataSet::LoadRows() {
  struct Filter {
    int column;
    Variant value;
  };
  std::vector<Filter> filters;
  for (int i = 0; i < params_->Count(); ++i) {
    TParam* p = params_->Items(i);
    int col = FieldDefs()->IndexOf(p->Name());
    if (col >= 0) filters.push_back({col, p->Value()});
  }
  auto selected = [&](TRecordId row) {
    for (const Filter& f : filters) {
      if (VarIsNull(f.value) || VarIsEmpty(f.value) || table_.IsNull(row, f.column)) return false;
      try {
        if (!(table_.GetValue(row, f.column) == f.value)) return false;
      } catch (const EVariantError&) {
        return false;
      }
    }
    return true;
  };
  TRecordStore& store = Store();
  std::unordered_map<TRecordId, TRecordId> shown;
  for (TRecordId s = 0; s < tableRows_.size(); ++s)
    if (store.IsValid(s)) shown[tableRows_[s]] = s;
  for (TRecordId t = 0; t < table_.IdCount(); ++t) {
    auto it = shown.find(t);
    bool keep = !table_.IsDeleted(t) && selected(t);
    if (it != shown.end() && !keep) {
      store.DeleteRow(it->second);
      continue;
    }
    if (!keep) continue;
    TRecordId s;
    if (it != shown.end()) {
      s = it->second;
    } else {
      s = store.AppendRow();
      tableRows_.resize(store.IdCount(), kNoRecord);
      tableRows_[s] = t;
    }
    for (int c = 0; c < table_.ColumnCount(); ++c) store.CopyCell(table_, t, c, s, c);
  }
}

void TMemoryDataSet::InternalRefresh() { LoadRows(); }

void TMemoryDataSet::CheckFail() {
  if (FailNextResolve.empty()) return;
  String message = FailNextResolve;
  FailNextResolve.clear();
  DatabaseError(message, this);
}

void TMemoryDataSet::ResolveInsert(TRecordValues& Values) {
  CheckFail();
  // Auto-increment columns are numbered here, as a server numbers its identity columns.
  for (int c = 0; c < table_.ColumnCount(); ++c) {
    if (table_.ColumnType(c) != ftAutoInc || !(VarIsNull(Values.Values[c]) || VarIsEmpty(Values.Values[c])))
      continue;
    Int64 next = 1;
    for (TRecordId t = 0; t < table_.IdCount(); ++t)
      if (!table_.IsNull(t, c)) next = std::max(next, table_.GetInt(t, c) + 1);
    Values.Values[c] = Variant(static_cast<Integer>(next));
  }
  TRecordId t = table_.AppendRow();
  for (int c = 0; c < table_.ColumnCount(); ++c) table_.SetValue(t, c, Values.Values[c]);
  ++inserts_;
  // The base appends the store row next; its id is the current id count.
  tableRows_.resize(Store().IdCount() + 1, kNoRecord);
  tableRows_[Store().IdCount()] = t;
}

void TMemoryDataSet::ResolveUpdate(TRecordValues& Values) {
  CheckFail();
  TRecordId t = tableRows_[Values.Row];
  for (int c = 0; c < table_.ColumnCount(); ++c) table_.SetValue(t, c, Values.Values[c]);
  ++updates_;
}

void TMemoryDataSet::ResolveDelete(TRecordId Row) {
  CheckFail();
  table_.DeleteRow(tableRows_[Row]);
  ++deletes_;
}
