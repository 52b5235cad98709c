// Summary items of a dataset controller may name their field directly.
#include "cx/data/cxDBData.h"

TRENVIK_IMPLEMENT_CLASS(TcxDBDataSummaryItem)

TcxDBDataSummaryItem::~TcxDBDataSummaryItem() {
  TcxDBDataField* field = field_;
  field_ = nullptr;
  delete field;
}

void TcxDBDataSummaryItem::SetFieldName(const String& AValue) {
  if (fieldName_ == AValue) return;
  fieldName_ = AValue;
  static_cast<TcxDBDataController*>(GetDataController())->BindInternalField(field_, AValue);
  Changed(true);
}

TcxCustomDataField* TcxDBDataSummaryItem::GetDataField() {
  return field_ ? field_ : TcxDataSummaryItem::GetDataField();
}

void TcxDBDataSummaryItem::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TcxDBDataSummaryItem*>(ASource);
  if (!source) {
    TcxDataSummaryItem::Assign(ASource);
    return;
  }
  TCollection* collection = Collection();
  if (collection) collection->BeginUpdate();
  TScopeExit closing([&] { if (collection) collection->EndUpdate(); });
  TcxDataSummaryItem::Assign(ASource);
  SetFieldName(source->FieldName());
}
