// TDBText: a label showing its field's display text, following the record.
#include "platform/classes/Published.h"
#include "platform/data/Field.h"
#include "platform/dbctrls/DBCtrls.h"

TRENVIK_PUBLISHED(TDBText) {
  P.Property("DataField", &TDBText::DataField, &TDBText::SetDataField);
  P.Property("DataSource", &TDBText::DataSource, &TDBText::SetDataSource);
}

TDBText::TDBText(TComponent* AOwner) : TCustomLabel(AOwner), link_(std::make_unique<TFieldDataLink>()) {
  SetAutoSize(false);
  SetShowAccelChar(false);
  link_->SetControl(this);
  link_->SetVisualControl(true);
  link_->OnDataChange = [this](TObject* s) { DataChange(s); };
}

TDBText::~TDBText() { link_->SetDataSource(nullptr); }

void TDBText::SetDataSource(TDataSource* Value) {
  link_->SetDataSource(Value);
  if (Value) Value->FreeNotification(this);
  Invalidate();
}

void TDBText::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && link_ && AComponent == link_->DataSource()) SetDataSource(nullptr);
}

// Without a field the label shows its name (or its own name), as at design time.
String TDBText::GetLabelText() {
  if (TField* f = link_->Field()) return f->DisplayText();
  return link_->Active() ? String() : (DataField().empty() ? Name() : DataField());
}

void TDBText::DataChange(TObject*) {
  if (AutoSize()) AdjustBounds();
  Invalidate();
}
