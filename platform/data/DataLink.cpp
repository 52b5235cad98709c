#include "platform/data/DataLink.h"

#include <algorithm>

#include "platform/classes/BasicAction.h"
#include "platform/data/DBConsts.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"
#include "platform/data/Params.h"

TRENVIK_IMPLEMENT_CLASS(TDataLink)
TRENVIK_IMPLEMENT_CLASS(TFieldDataLink)
TRENVIK_IMPLEMENT_CLASS(TDetailDataLink)
TRENVIK_IMPLEMENT_CLASS(TMasterParamsDataLink)

TDataLink::TDataLink() = default;

TDataLink::~TDataLink() {
  if (dataSource_) {
    // No callbacks from a link being destroyed.
    TDataSource* src = dataSource_;
    dataSource_ = nullptr;
    src->links_.erase(std::remove(src->links_.begin(), src->links_.end(), this), src->links_.end());
    if (src->DataSet()) src->DataSet()->UpdateBufferCount();
  }
}

TDataSet* TDataLink::DataSet() const { return dataSource_ ? dataSource_->DataSet() : nullptr; }

bool TDataLink::IsLinkedTo(TDataSource* Value) const {
  TDataSet* detail = GetDetailDataSet();
  if (!detail || !Value) return false;
  TDataSet* ds = Value->DataSet();
  for (int guard = 0; ds && guard < 1000; ++guard) {
    if (ds == detail) return true;
    TDataSource* master = ds->GetDataSource();
    ds = master ? master->DataSet() : nullptr;
  }
  return false;
}

void TDataLink::SetDataSource(TDataSource* Value) {
  if (Value == dataSource_) return;
  if (IsLinkedTo(Value)) DatabaseError(S(DBConsts::SCircularDataLink));
  if (dataSource_) dataSource_->RemoveDataLink(this);
  if (Value) Value->AddDataLink(this);
}

void TDataLink::SetReadOnly(bool Value) {
  if (readOnly_ == Value) return;
  readOnly_ = Value;
  UpdateState();
}

void TDataLink::UpdateState() {
  SetActive(dataSource_ && dataSource_->State() != dsInactive);
  SetEditing(dataSource_ && dsEditModes.Contains(dataSource_->State()) && !readOnly_);
}

void TDataLink::SetActive(bool Value) {
  if (active_ == Value) return;
  active_ = Value;
  if (Value)
    UpdateRange();
  else
    firstRecord_ = 0;
  ActiveChanged();
}

void TDataLink::SetEditing(bool Value) {
  if (editing_ == Value) return;
  editing_ = Value;
  EditingChanged();
}

void TDataLink::UpdateRange() {
  TDataSet* ds = DataSet();
  if (!ds) return;
  int active = ds->activeRecord_;
  int lo = std::max(0, active - bufferCount_ + 1);
  int hi = std::max(0, ds->bufferCount_ - bufferCount_);
  hi = std::min(hi, active);
  if (firstRecord_ > hi) firstRecord_ = hi;
  if (firstRecord_ < lo) firstRecord_ = lo;
}

int TDataLink::ActiveRecord() const {
  TDataSet* ds = DataSet();
  if (!ds || dataSource_->State() == dsSetKey) return 0;
  return ds->activeRecord_ - firstRecord_;
}

void TDataLink::SetActiveRecord(int Value) {
  TDataSet* ds = DataSet();
  if (ds && dataSource_->State() != dsSetKey) ds->activeRecord_ = Value + firstRecord_;
}

void TDataLink::SetBufferCount(int Value) {
  if (Value < 1) Value = 1;
  if (bufferCount_ == Value) return;
  bufferCount_ = Value;
  if (active_) {
    UpdateRange();
    DataSet()->UpdateBufferCount();
    UpdateRange();
  }
}

int TDataLink::RecordCount() const {
  TDataSet* ds = DataSet();
  if (!active_ || !ds) return 0;
  int n = static_cast<int>(ds->buffers_.size()) - firstRecord_;
  return std::clamp(n, 0, bufferCount_);
}

bool TDataLink::Bof() const { return DataSet() ? DataSet()->Bof() : true; }
bool TDataLink::Eof() const { return DataSet() ? DataSet()->Eof() : true; }

bool TDataLink::Edit() {
  if (!readOnly_ && dataSource_) dataSource_->Edit();
  return editing_;
}

void TDataLink::UpdateRecord() {
  updating_ = true;
  try {
    UpdateData();
  } catch (...) {
    updating_ = false;
    throw;
  }
  updating_ = false;
}

void TDataLink::DataSetChanged() { RecordChanged(nullptr); }
void TDataLink::DataSetScrolled(int) { DataSetChanged(); }
void TDataLink::FocusControl(TField*&) {}
void TDataLink::LayoutChanged() { DataSetChanged(); }
void TDataLink::RecordChanged(TField*) {}

void TDataLink::DataEvent(TDataEvent Event, std::intptr_t Info) {
  if (Event == deUpdateState) {
    UpdateState();
    return;
  }
  if (!active_) return;
  switch (Event) {
    case deFieldChange:
    case deRecordChange:
      if (!updating_) RecordChanged(reinterpret_cast<TField*>(Info));
      break;
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange: {
      int count = 0;
      if (dataSource_->State() != dsSetKey) {
        int active = DataSet()->activeRecord_;
        int first = firstRecord_ + static_cast<int>(Info);
        int last = first + bufferCount_ - 1;
        if (active > last)
          count = active - last;
        else if (active < first)
          count = active - first;
        firstRecord_ = first + count;
      }
      if (Event == deDataSetChange)
        DataSetChanged();
      else if (Event == deDataSetScroll)
        DataSetScrolled(count);
      else
        LayoutChanged();
      break;
    }
    case deUpdateRecord:
      UpdateRecord();
      break;
    case deCheckBrowseMode:
      CheckBrowseMode();
      break;
    case deFocusControl:
      FocusControl(*reinterpret_cast<TField**>(Info));
      break;
    default:
      break;
  }
}

// ---- TFieldDataLink ----

void TFieldDataLink::SetFieldName(const String& Value) {
  if (fieldName_ == Value) return;
  fieldName_ = Value;
  UpdateField();
}

void TFieldDataLink::UpdateField() {
  TField* field = nullptr;
  if (Active() && !fieldName_.empty()) field = DataSet()->FieldByName(fieldName_);
  if (field_ != field) {
    field_ = field;
    EditingChanged();
    RecordChanged(nullptr);
  }
}

bool TFieldDataLink::CanModify() const { return !ReadOnly() && field_ && field_->CanModify(); }

bool TFieldDataLink::Edit() {
  if (CanModify()) TDataLink::Edit();
  return Editing() && CanModify();
}

void TFieldDataLink::Reset() { RecordChanged(nullptr); }

void TFieldDataLink::ActiveChanged() {
  UpdateField();
  if (OnActiveChange) OnActiveChange(this);
}

void TFieldDataLink::EditingChanged() {
  modified_ = false;
  if (OnEditingChange) OnEditingChange(this);
}

void TFieldDataLink::FocusControl(TField*& Field) {
  if (Field && Field == field_ && OnFocusControl && OnFocusControl()) Field = nullptr;
}

void TFieldDataLink::LayoutChanged() { UpdateField(); }

void TFieldDataLink::RecordChanged(TField* Field) {
  if (Field && Field != field_) return;
  if (OnDataChange) OnDataChange(this);
  modified_ = false;
}

void TFieldDataLink::UpdateData() {
  if (!modified_) return;
  if (field_ && OnUpdateData) OnUpdateData(this);
  modified_ = false;
}

// ---- TMasterParamsDataLink ----

TMasterParamsDataLink::TMasterParamsDataLink(TDataSet* Detail, TParams* Params)
    : TDetailDataLink(Detail), params_(Params) {}

bool TMasterParamsDataLink::RefreshParamValues() {
  TDataSet* master = DataSet();
  if (!master || !master->Active() || !params_) return false;
  bool changed = false;
  for (int i = 0; i < params_->Count(); ++i) {
    TParam* p = params_->Items(i);
    TField* f = master->FindField(p->Name());
    if (!f) continue;
    Variant value = f->Value();
    bool same;
    if (VarIsNull(value) || VarIsNull(p->Value()) || VarIsEmpty(p->Value())) {
      same = VarIsNull(value) && p->IsNull() && p->Bound();
    } else {
      try {
        same = value == p->Value();
      } catch (const EVariantError&) {
        same = false;
      }
    }
    if (!same) {
      p->AssignFieldValue(f, value);
      changed = true;
    }
  }
  return changed;
}

void TMasterParamsDataLink::ActiveChanged() {
  if (Active()) {
    if (RefreshParamValues() && OnMasterChange) OnMasterChange();
  } else if (OnMasterDisable) {
    OnMasterDisable();
  }
}

void TMasterParamsDataLink::CheckBrowseMode() {
  TDataSet* detail = GetDetailDataSet();
  if (detail && detail->Active()) detail->CheckBrowseMode();
}

void TMasterParamsDataLink::RecordChanged(TField* Field) {
  if (DataSource()->State() == dsSetKey) return;
  if (Field && (!params_ || !params_->FindParam(Field->FieldName()))) return;
  if (RefreshParamValues() && OnMasterChange) OnMasterChange();
}

bool TDataLink::ExecuteAction(TBasicAction* Action) {
  if (!dataSource_ || !Action || !Action->HandlesTarget(dataSource_)) return false;
  Action->ExecuteTarget(dataSource_);
  return true;
}

bool TDataLink::UpdateAction(TBasicAction* Action) {
  if (!dataSource_ || !Action || !Action->HandlesTarget(dataSource_)) return false;
  Action->UpdateTarget(dataSource_);
  return true;
}
