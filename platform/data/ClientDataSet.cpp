#include "platform/data/ClientDataSet.h"

#include "platform/data/DBConsts.h"
#include "platform/data/FieldTypes.h"
#include "platform/rtl/StrUtils.h"

TRENVIK_PUBLISHED(TClientDataSet) {
  P.Property("IndexFieldNames", &TClientDataSet::IndexFieldNames, &TClientDataSet::SetIndexFieldNames);
  P.Property("IndexName", &TClientDataSet::IndexName, &TClientDataSet::SetIndexName);
  P.Property("ProviderName", &TClientDataSet::ProviderName, &TClientDataSet::SetProviderName);
  P.Property("ReadOnly", &TClientDataSet::ReadOnly, &TClientDataSet::SetReadOnly).Default(false);
}

TClientDataSet::TClientDataSet(TComponent* AOwner)
    : TDataSet(AOwner), indexDefs_(std::make_unique<TIndexDefs>(this)) {}

TClientDataSet::~TClientDataSet() {
  Destroying();
  Close();
  SetProvider(nullptr);
}

void TClientDataSet::SetProviderName(const String& Value) {
  CheckInactive();
  providerName_ = Value;
}

TDataSetProvider* TClientDataSet::Provider() const {
  if (provider_) return provider_;
  if (providerName_.empty() || !Owner()) return nullptr;
  return dynamic_cast<TDataSetProvider*>(Owner()->FindComponent(providerName_));
}

void TClientDataSet::SetProvider(TDataSetProvider* Value) {
  if (provider_ == Value) return;
  if (provider_) provider_->RemoveFreeNotification(this);
  provider_ = Value;
  if (provider_) provider_->FreeNotification(this);
}

void TClientDataSet::Notification(TComponent* AComponent, TOperation Operation) {
  TDataSet::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == provider_) provider_ = nullptr;
}

void TClientDataSet::InternalInitFieldDefs() {
  if (creating_) return;
  TDataSetProvider* provider = Provider();
  if (!provider) {
    if (!Active() && FieldDefs()->Count() > 0 && !ComponentState().Contains(csLoading)) return;
    DatabaseError(S(DBConsts::SNoProvider), this);
  }
  provider->GetSnapshot(FieldDefs(), snapshot_, &fieldProps_);
  providerReadOnly_ = provider->Options().Contains(poReadOnly);
}

void TClientDataSet::InternalOpen() {
  if (!creating_) {
    if (snapshot_.ColumnCount() != FieldDefs()->Count()) DatabaseError(S(DBConsts::SNoProvider), this);
    Store() = std::move(snapshot_);
    snapshot_ = TRecordStore();
  } else {
    providerReadOnly_ = false;
  }
  if (DefaultFields()) {
    for (const TFieldProps& p : fieldProps_) {
      TField* f = FindField(p.FieldName);
      if (!f) continue;
      f->SetDisplayLabel(p.DisplayLabel);
      f->SetDisplayWidth(p.DisplayWidth);
      f->SetVisible(p.Visible);
      f->SetReadOnly(p.ReadOnly);
      f->SetRequired(p.Required);
      f->SetAlignment(p.Alignment);
      f->SetEditMask(p.EditMask);
      if (auto* n = dynamic_cast<TNumericField*>(f)) {
        n->SetDisplayFormat(p.DisplayFormat);
        n->SetEditFormat(p.EditFormat);
      } else if (auto* d = dynamic_cast<TDateTimeField*>(f)) {
        d->SetDisplayFormat(p.DisplayFormat);
      }
    }
  }
  ApplyIndex();
}

void TClientDataSet::InternalClose() { snapshot_ = TRecordStore(); }

void TClientDataSet::InternalRefresh() {
  if (skipRefetch_ || creating_) return;
  TDataSetProvider* provider = Provider();
  if (!provider) return;
  TFieldDefs defs(nullptr);
  TRecordStore fresh;
  provider->GetSnapshot(&defs, fresh, nullptr);
  if (fresh.ColumnCount() != Store().ColumnCount()) DatabaseError(S(DBConsts::SNoProvider), this);
  Store() = std::move(fresh);
}

bool TClientDataSet::GetCanModify() const { return !providerReadOnly_; }

void TClientDataSet::CreateDataSet() {
  CheckInactive();
  creating_ = true;
  try {
    Open();
  } catch (...) {
    creating_ = false;
    throw;
  }
  creating_ = false;
}

void TClientDataSet::EmptyDataSet() {
  CheckActive();
  CheckBrowseMode();
  Store().Clear();
  skipRefetch_ = true;
  try {
    Refresh();
  } catch (...) {
    skipRefetch_ = false;
    throw;
  }
  skipRefetch_ = false;
}

// ---- Indexes ----

std::vector<TSortKey> TClientDataSet::IndexKeys() const {
  std::vector<TSortKey> keys;
  auto add = [&](const String& name, bool desc, bool ci) {
    TField* f = FieldByName(name);
    int col = FieldColumn(f);
    if (col < 0)
      DatabaseErrorFmt("Field '%s' cannot be used in an index", {f->DisplayName()},
                       const_cast<TClientDataSet*>(this));
    keys.push_back({col, desc, ci});
  };
  if (!indexFieldNames_.empty()) {
    for (const String& name : SplitFieldNames(indexFieldNames_)) add(name, false, false);
  } else if (!indexName_.empty()) {
    TIndexDef* def = indexDefs_->FindIndexDef(indexName_);
    if (!def) DatabaseErrorFmt(DBConsts::SIndexNotFound, {indexName_}, const_cast<TClientDataSet*>(this));
    std::vector<String> desc = SplitFieldNames(def->DescFields());
    std::vector<String> ci = SplitFieldNames(def->CaseInsFields());
    auto listed = [](const std::vector<String>& list, const String& name) {
      for (const String& n : list)
        if (AnsiSameText(n, name)) return true;
      return false;
    };
    for (const String& name : SplitFieldNames(def->Fields()))
      add(name, def->Options().Contains(ixDescending) || listed(desc, name),
          def->Options().Contains(ixCaseInsensitive) || listed(ci, name));
  }
  return keys;
}

void TClientDataSet::ApplyIndex() { SetSortKeys(IndexKeys()); }

void TClientDataSet::SetIndexFieldNames(const String& Value) {
  indexFieldNames_ = Value;
  indexName_.clear();
  if (Active()) ApplyIndex();
}

void TClientDataSet::SetIndexName(const String& Value) {
  if (Active() && !Value.empty()) indexDefs_->Find(Value);
  indexName_ = Value;
  indexFieldNames_.clear();
  if (Active()) ApplyIndex();
}

TField* TClientDataSet::IndexFields(int Index) const {
  if (Index < 0 || Index >= IndexFieldCount())
    DatabaseError(S(DBConsts::SFieldIndexError), const_cast<TClientDataSet*>(this));
  return FieldByNumber(SortKeys()[Index].Column + 1);
}

void TClientDataSet::CheckIndex() const {
  if (SortKeys().empty()) DatabaseError(S(DBConsts::SNoFieldIndexes), const_cast<TClientDataSet*>(this));
}

Int64 TClientDataSet::SearchKey(const std::vector<Variant>& Values, bool Nearest, bool& Found) {
  CheckIndex();
  std::vector<Variant> values(Values.begin(), Values.begin() + std::min(Values.size(), SortKeys().size()));
  Int64 pos = LowerBound(values, false);
  Int64 count = RecordCount();
  Found = pos < count && CompareRowWithKey(VisibleRow(pos), values, SortKeys(), false) == 0;
  if (Nearest && pos >= count) pos = count - 1;
  return pos;
}

bool TClientDataSet::FindKey(const std::vector<Variant>& KeyValues) {
  CheckBrowseMode();
  bool found = false;
  Int64 pos = SearchKey(KeyValues, false, found);
  if (!found) return false;
  GotoPosition(pos);
  return true;
}

void TClientDataSet::FindNearest(const std::vector<Variant>& KeyValues) {
  CheckBrowseMode();
  bool found = false;
  Int64 pos = SearchKey(KeyValues, true, found);
  if (pos < 0) return;
  GotoPosition(pos);
}

void TClientDataSet::SetKey() {
  CheckBrowseMode();
  KeyBuffer().Values.assign(Store().ColumnCount(), Null());
  KeyBuffer().Assigned.assign(Store().ColumnCount(), false);
  SetState(dsSetKey);
  DataEvent(deDataSetChange, 0);
}

void TClientDataSet::EditKey() {
  CheckBrowseMode();
  if (KeyBuffer().Values.size() != static_cast<std::size_t>(Store().ColumnCount())) {
    KeyBuffer().Values.assign(Store().ColumnCount(), Null());
    KeyBuffer().Assigned.assign(Store().ColumnCount(), false);
  }
  SetState(dsSetKey);
  DataEvent(deDataSetChange, 0);
}

std::vector<Variant> TClientDataSet::KeyValuesFromBuffer() const {
  std::vector<Variant> values;
  const std::vector<TSortKey>& keys = SortKeys();
  const TRecordValues& buffer = const_cast<TClientDataSet*>(this)->KeyBuffer();
  for (std::size_t i = 0; i < keys.size(); ++i) {
    std::size_t col = static_cast<std::size_t>(keys[i].Column);
    if (keyFieldCount_ > 0) {
      if (static_cast<int>(i) >= keyFieldCount_) break;
    } else if (col >= buffer.Assigned.size() || !buffer.Assigned[col]) {
      break;
    }
    values.push_back(col < buffer.Values.size() ? buffer.Values[col] : Null());
  }
  return values;
}

bool TClientDataSet::GotoKey() {
  std::vector<Variant> values = KeyValuesFromBuffer();
  CheckBrowseMode();
  return FindKey(values);
}

void TClientDataSet::GotoNearest() {
  std::vector<Variant> values = KeyValuesFromBuffer();
  CheckBrowseMode();
  FindNearest(values);
}
