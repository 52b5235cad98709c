// TDataSet: inserting, editing, posting, cancelling and deleting records.
#include <algorithm>

#include "platform/data/DBConsts.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"

void TDataSet::ResolveInsert(TRecordValues&) {}
void TDataSet::ResolveUpdate(TRecordValues&) {}
void TDataSet::ResolveDelete(TRecordId) {}

template <class F>
void TDataSet::WithRetry(const TDataSetErrorEvent& Handler, F Operation) {
  for (;;) {
    try {
      Operation();
      return;
    } catch (EDatabaseError& e) {
      if (!Handler) throw;
      TDataAction action = daFail;
      Handler(this, e, action);
      if (action == daFail) throw;
      if (action == daAbort) Abort();
    }
  }
}

void TDataSet::StartEditValues(TRecordId Row) {
  int cols = store_.ColumnCount();
  edit_.Row = Row;
  edit_.Values.assign(cols, Null());
  edit_.Assigned.assign(cols, false);
  if (Row != kNoRecord)
    for (int c = 0; c < cols; ++c) edit_.Values[c] = store_.GetValue(Row, c);
}

void TDataSet::CheckBrowseMode() {
  CheckActive();
  DataEvent(deCheckBrowseMode, 0);
  switch (state_) {
    case dsEdit:
    case dsInsert:
      UpdateRecord();
      if (modified_)
        Post();
      else
        Cancel();
      break;
    case dsSetKey:
      Post();
      break;
    default:
      break;
  }
}

void TDataSet::UpdateRecord() {
  if (!dsWriteModes.Contains(state_)) DatabaseError(S(DBConsts::SNotEditing), this);
  DataEvent(deUpdateRecord, 0);
}

void TDataSet::BeginInsertAppend() {
  CheckBrowseMode();
  CheckCanModify();
  if (BeforeInsert) BeforeInsert(this);
  DoBeforeScroll();
}

void TDataSet::EndInsertAppend() {
  SetState(dsInsert);
  // The record being inserted is shown among the others until it is posted or cancelled.
  ++generation_;
  try {
    DoOnNewRecord();
  } catch (...) {
    if (state_ == dsInsert) {
      Int64 pos = appending_ ? ViewSize() - 1 : insertPos_;
      edit_ = TRecordValues();
      SetState(dsBrowse);
      ResyncAt(pos, activeRecord_);
    }
    throw;
  }
  modified_ = false;
  DataEvent(deDataSetChange, 0);
  if (AfterInsert) AfterInsert(this);
  DoAfterScroll();
}

void TDataSet::Insert() {
  BeginInsertAppend();
  StartEditValues(kNoRecord);
  appending_ = false;
  Int64 pos = CurrentPos();
  if (pos < 0) pos = 0;
  insertPos_ = pos;
  TBuffer buffer = MakeBuffer(kNoRecord, pos);
  if (buffers_.empty()) {
    buffers_.push_back(std::move(buffer));
    activeRecord_ = 0;
  } else {
    buffers_.insert(buffers_.begin() + activeRecord_, std::move(buffer));
    if (static_cast<int>(buffers_.size()) > bufferCount_) buffers_.pop_back();
  }
  // BOF and EOF stay as the cursor had them: a record inserted into an empty dataset leaves it
  // empty until the post.
  EndInsertAppend();
}

void TDataSet::Append() {
  BeginInsertAppend();
  StartEditValues(kNoRecord);
  appending_ = true;
  insertPos_ = ViewSize();
  ClearBuffers();
  buffers_.push_back(MakeBuffer(kNoRecord, insertPos_));
  GetPriorRecords();
  // The appended record stands after the last one.
  bof_ = false;
  eof_ = true;
  EndInsertAppend();
}

void TDataSet::Edit() {
  if (state_ == dsEdit || state_ == dsInsert) return;
  if (buffers_.empty() && Active()) {
    Insert();
    return;
  }
  CheckBrowseMode();
  CheckCanModify();
  if (BeforeEdit) BeforeEdit(this);
  StartEditValues(CurrentRow());
  SetState(dsEdit);
  UpdateCalcFields();
  DataEvent(deRecordChange, 0);
  if (AfterEdit) AfterEdit(this);
}

void TDataSet::CheckRequiredFields() {
  for (TField* f : fields_) {
    if (f->Required() && !f->ReadOnly() && f->FieldKind() == fkData && f->IsNull()) {
      f->FocusControl();
      DatabaseErrorFmt(DBConsts::SFieldRequired, {f->DisplayName()}, this);
    }
  }
}

Int64 TDataSet::PostValues() {
  TRecordValues values = edit_;
  if (state_ == dsInsert) {
    ResolveInsert(values);
    TRecordId row = store_.AppendRow();
    for (int c = 0; c < store_.ColumnCount(); ++c) store_.SetValue(row, c, values.Values[c]);
    return InsertRowInOrder(row, appending_ ? ViewSize() : insertPos_);
  }
  values.Row = edit_.Row;
  ResolveUpdate(values);
  TRecordId row = edit_.Row;
  for (int c = 0; c < store_.ColumnCount(); ++c) store_.SetValue(row, c, values.Values[c]);
  Int64 pos = CurrentPos();
  if (!sortKeys_.empty()) {
    // The edited record takes its place in the order.
    RemoveRowFromOrder(row, pos);
    pos = InsertRowInOrder(row, pos);
  }
  return pos;
}

void TDataSet::Post() {
  UpdateRecord();
  if (state_ == dsSetKey) {
    DataEvent(deCheckBrowseMode, 0);
    SetState(dsBrowse);
    DataEvent(deDataSetChange, 0);
    return;
  }
  if (state_ != dsEdit && state_ != dsInsert) return;
  DataEvent(deCheckBrowseMode, 0);
  if (BeforePost) BeforePost(this);
  Int64 pos = 0;
  WithRetry(OnPostError, [&] {
    CheckRequiredFields();
    pos = PostValues();
  });
  int before = activeRecord_;
  edit_ = TRecordValues();
  SetState(dsBrowse);
  ResyncAt(pos, before);
  if (AfterPost) AfterPost(this);
}

void TDataSet::Cancel() {
  if (state_ == dsSetKey) {
    SetState(dsBrowse);
    DataEvent(deDataSetChange, 0);
    return;
  }
  if (state_ != dsEdit && state_ != dsInsert) return;
  DataEvent(deCheckBrowseMode, 0);
  if (BeforeCancel) BeforeCancel(this);
  // Whatever showed the edited values or the inserted record must show the stored ones again.
  ++generation_;
  Int64 pos = state_ == dsInsert ? (appending_ ? ViewSize() - 1 : insertPos_) : CurrentPos();
  int before = activeRecord_;
  edit_ = TRecordValues();
  SetState(dsBrowse);
  ResyncAt(pos, before);
  if (AfterCancel) AfterCancel(this);
}

void TDataSet::Delete() {
  CheckActive();
  if (state_ == dsInsert || state_ == dsSetKey) {
    Cancel();
    return;
  }
  if (buffers_.empty()) DatabaseError(S(DBConsts::SDataSetEmpty), this);
  CheckCanModify();
  DataEvent(deCheckBrowseMode, 0);
  if (BeforeDelete) BeforeDelete(this);
  DoBeforeScroll();
  TRecordId row = CurrentRow();
  Int64 pos = CurrentPos();
  WithRetry(OnDeleteError, [&] { ResolveDelete(row); });
  RemoveRowFromOrder(row, pos);
  store_.DeleteRow(row);
  int before = activeRecord_;
  edit_ = TRecordValues();
  SetState(dsBrowse);
  // The next record becomes current, or the previous one when the last was deleted.
  ResyncAt(pos < ViewSize() ? pos : ViewSize() - 1, before);
  if (AfterDelete) AfterDelete(this);
  DoAfterScroll();
}

void TDataSet::Refresh() {
  CheckBrowseMode();
  if (BeforeRefresh) BeforeRefresh(this);
  TRecordId row = CurrentRow();
  Int64 pos = CurrentPos();
  int before = activeRecord_;
  InternalRefresh();
  RebuildOrder();
  if (row != kNoRecord && store_.IsValid(row)) {
    Int64 p = PositionOfRow(row);
    if (p >= 0) pos = p;
  }
  ResyncAt(pos < 0 ? 0 : pos, before);
  if (AfterRefresh) AfterRefresh(this);
}

namespace {
void AssignValues(TFields& fields, const std::vector<Variant>& values) {
  int n = std::min(static_cast<int>(values.size()), fields.Count());
  for (int i = 0; i < n; ++i)
    if (!VarIsEmpty(values[i])) fields[i]->SetValue(values[i]);
}
}  // namespace

void TDataSet::InsertRecord(const std::vector<Variant>& Values) {
  Insert();
  AssignValues(fields_, Values);
  Post();
}

void TDataSet::AppendRecord(const std::vector<Variant>& Values) {
  Append();
  AssignValues(fields_, Values);
  Post();
}

void TDataSet::SetFields(const std::vector<Variant>& Values) {
  bool wasEditing = state_ == dsEdit || state_ == dsInsert;
  if (!wasEditing) Edit();
  AssignValues(fields_, Values);
  if (!wasEditing) Post();
}

void TDataSet::ClearFields() {
  if (state_ != dsEdit && state_ != dsInsert) DatabaseError(S(DBConsts::SNotEditing), this);
  for (TField* f : fields_)
    if (f->FieldKind() == fkData && !f->ReadOnly()) f->Clear();
}
