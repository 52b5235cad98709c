#include "platform/dbctrls/DBActns.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/data/DataSet.h"

TRENVIK_PUBLISHED(TDataSetAction) {
  P.Property("DataSource", &TDataSetAction::DataSource, &TDataSetAction::SetDataSource);
}

TDataSetAction::~TDataSetAction() {
  Destroying();
  SetDataSource(nullptr);
}

void TDataSetAction::SetDataSource(TDataSource* Value) {
  if (Value == dataSource_) return;
  if (dataSource_) dataSource_->RemoveFreeNotification(this);
  dataSource_ = Value;
  if (dataSource_) dataSource_->FreeNotification(this);
}

void TDataSetAction::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == dataSource_) dataSource_ = nullptr;
}

bool TDataSetAction::HandlesTarget(TObject* Target) {
  auto* source = dynamic_cast<TDataSource*>(Target);
  if (!source || !source->DataSet()) return false;
  return !dataSource_ || source == dataSource_;
}

TDataSet* TDataSetAction::GetDataSet(TObject* Target) const {
  auto* source = dynamic_cast<TDataSource*>(Target);
  return source ? source->DataSet() : nullptr;
}

bool TDataSetAction::DispatchToTargets(bool Execute) {
  if (!dataSource_) return inherited::DispatchToTargets(Execute);
  if (!HandlesTarget(dataSource_)) return false;
  if (Execute)
    ExecuteTarget(dataSource_);
  else
    UpdateTarget(dataSource_);
  return true;
}

namespace {
bool Editing(TDataSet* D) { return dsEditModes.Contains(D->State()); }
bool Modifiable(TDataSet* D) { return D->Active() && D->CanModify(); }
}  // namespace

void TDataSetFirst::ExecuteTarget(TObject* Target) { GetDataSet(Target)->First(); }
void TDataSetFirst::UpdateTarget(TObject* Target) {
  TDataSet* d = GetDataSet(Target);
  SetEnabled(d->Active() && !d->Bof());
}

void TDataSetPrior::ExecuteTarget(TObject* Target) { GetDataSet(Target)->Prior(); }
void TDataSetPrior::UpdateTarget(TObject* Target) {
  TDataSet* d = GetDataSet(Target);
  SetEnabled(d->Active() && !d->Bof());
}

void TDataSetNext::ExecuteTarget(TObject* Target) { GetDataSet(Target)->Next(); }
void TDataSetNext::UpdateTarget(TObject* Target) {
  TDataSet* d = GetDataSet(Target);
  SetEnabled(d->Active() && !d->Eof());
}

void TDataSetLast::ExecuteTarget(TObject* Target) { GetDataSet(Target)->Last(); }
void TDataSetLast::UpdateTarget(TObject* Target) {
  TDataSet* d = GetDataSet(Target);
  SetEnabled(d->Active() && !d->Eof());
}

void TDataSetInsert::ExecuteTarget(TObject* Target) { GetDataSet(Target)->Insert(); }
void TDataSetInsert::UpdateTarget(TObject* Target) {
  TDataSet* d = GetDataSet(Target);
  SetEnabled(Modifiable(d) && !Editing(d));
}

// Deleting needs a record: an empty dataset has none.
void TDataSetDelete::ExecuteTarget(TObject* Target) { GetDataSet(Target)->Delete(); }
void TDataSetDelete::UpdateTarget(TObject* Target) {
  TDataSet* d = GetDataSet(Target);
  SetEnabled(Modifiable(d) && !d->IsEmpty());
}

void TDataSetEdit::ExecuteTarget(TObject* Target) { GetDataSet(Target)->Edit(); }
void TDataSetEdit::UpdateTarget(TObject* Target) {
  TDataSet* d = GetDataSet(Target);
  SetEnabled(Modifiable(d) && !Editing(d));
}

void TDataSetPost::ExecuteTarget(TObject* Target) { GetDataSet(Target)->Post(); }
void TDataSetPost::UpdateTarget(TObject* Target) { SetEnabled(Editing(GetDataSet(Target))); }

void TDataSetCancel::ExecuteTarget(TObject* Target) { GetDataSet(Target)->Cancel(); }
void TDataSetCancel::UpdateTarget(TObject* Target) { SetEnabled(Editing(GetDataSet(Target))); }

void TDataSetRefresh::ExecuteTarget(TObject* Target) { GetDataSet(Target)->Refresh(); }
void TDataSetRefresh::UpdateTarget(TObject* Target) { SetEnabled(GetDataSet(Target)->Active()); }

TRENVIK_IMPLEMENT_CLASS(TDataSetFirst)
TRENVIK_IMPLEMENT_CLASS(TDataSetPrior)
TRENVIK_IMPLEMENT_CLASS(TDataSetNext)
TRENVIK_IMPLEMENT_CLASS(TDataSetLast)
TRENVIK_IMPLEMENT_CLASS(TDataSetInsert)
TRENVIK_IMPLEMENT_CLASS(TDataSetDelete)
TRENVIK_IMPLEMENT_CLASS(TDataSetEdit)
TRENVIK_IMPLEMENT_CLASS(TDataSetPost)
TRENVIK_IMPLEMENT_CLASS(TDataSetCancel)
TRENVIK_IMPLEMENT_CLASS(TDataSetRefresh)

void RegisterDataSetActions() {
  RegisterClasses({TDataSetFirst::StaticClass(), TDataSetPrior::StaticClass(), TDataSetNext::StaticClass(),
                   TDataSetLast::StaticClass(), TDataSetInsert::StaticClass(), TDataSetDelete::StaticClass(),
                   TDataSetEdit::StaticClass(), TDataSetPost::StaticClass(), TDataSetCancel::StaticClass(),
                   TDataSetRefresh::StaticClass()});
}
