#include "platform/data/Provider.h"

#include "platform/data/DBConsts.h"
#include "platform/data/DataSet.h"
#include "platform/data/FieldTypes.h"

TRENVIK_PUBLISHED(TDataSetProvider) {
  P.Property("DataSet", &TDataSetProvider::DataSet, &TDataSetProvider::SetDataSet);
  P.Property("Options", &TDataSetProvider::Options, &TDataSetProvider::SetOptions);
}

TDataSetProvider::TDataSetProvider(TComponent* AOwner) : TComponent(AOwner) {}

void TDataSetProvider::SetDataSet(TDataSet* Value) {
  if (dataSet_ == Value) return;
  if (dataSet_) dataSet_->RemoveFreeNotification(this);
  dataSet_ = Value;
  if (dataSet_) dataSet_->FreeNotification(this);
}

void TDataSetProvider::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == dataSet_) dataSet_ = nullptr;
}

namespace {
TFieldProps PropsOf(TField* f) {
  TFieldProps p;
  p.FieldName = f->FieldName();
  p.DisplayLabel = f->DisplayLabel();
  p.DisplayWidth = f->DisplayWidth();
  p.Visible = f->Visible();
  p.ReadOnly = f->ReadOnly();
  p.Required = f->Required();
  p.Alignment = f->Alignment();
  p.EditMask = f->EditMask();
  if (auto* n = dynamic_cast<TNumericField*>(f)) {
    p.DisplayFormat = n->DisplayFormat();
    p.EditFormat = n->EditFormat();
  } else if (auto* d = dynamic_cast<TDateTimeField*>(f)) {
    p.DisplayFormat = d->DisplayFormat();
  }
  return p;
}
}  // namespace

void TDataSetProvider::GetSnapshot(TFieldDefs* Defs, TRecordStore& Store, std::vector<TFieldProps>* Props) {
  if (!dataSet_) DatabaseError(S(DBConsts::SNoDataSet), this);
  TDataSet* ds = dataSet_;
  bool wasActive = ds->Active();
  if (!wasActive) ds->Open();
  try {
    ds->CheckBrowseMode();
    // The data fields, in the order of the dataset's fields.
    std::vector<TField*> fields;
    for (TField* f : *ds->Fields())
      if (TDataSet::FieldColumn(f) >= 0) fields.push_back(f);
    Defs->Clear();
    std::vector<TFieldType> types;
    for (TField* f : fields) {
      TFieldDef* source = ds->FieldDefs()->Items(f->FieldNo() - 1);
      TFieldDef* def = Defs->Add(f->FieldName(), source->DataType(), source->Size(), f->Required());
      def->SetPrecision(source->Precision());
      def->SetReadOnly(f->ReadOnly());
      types.push_back(source->DataType());
    }
    Store.Reset(types);
    const std::vector<TRecordId>& view = ds->View();
    Store.Reserve(view.size());
    for (TRecordId row : view) {
      TRecordId copy = Store.AppendRow();
      for (std::size_t c = 0; c < fields.size(); ++c)
        Store.CopyCell(ds->store_, row, TDataSet::FieldColumn(fields[c]), copy, static_cast<int>(c));
    }
    if (Props) {
      Props->clear();
      if (options_.Contains(poIncFieldProps))
        for (TField* f : fields) Props->push_back(PropsOf(f));
    }
  } catch (...) {
    if (!wasActive) ds->Close();
    throw;
  }
  if (!wasActive) ds->Close();
}
