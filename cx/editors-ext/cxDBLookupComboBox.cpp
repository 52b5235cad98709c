// The lookup combo box properties on their own lookup grid, and the combo box itself.
#include "cx/editors-ext/cxDBLookupComboBox.h"

#include "cx/editors/cxEditScopes.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"

TRENVIK_IMPLEMENT_CLASS(TcxLookupComboBoxProperties)
TRENVIK_IMPLEMENT_CLASS(TcxCustomLookupComboBox)
TRENVIK_IMPLEMENT_CLASS(TcxLookupComboBox)

TcxLookupComboBoxProperties::TcxLookupComboBoxProperties(TPersistent* AOwner)
    : TcxCustomDBLookupEditProperties(AOwner), grid_(std::make_unique<TcxLookupDBGrid>(nullptr)) {
  grid_->SetPopupMode(true);
  LinkDataController();
}

TcxLookupComboBoxProperties::~TcxLookupComboBoxProperties() {
  UnlinkDataController();
  LinkLookupField(nullptr);
  grid_.reset();
}

void TcxLookupComboBoxProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxLookupComboBoxProperties*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  TcxUpdateScope update(this);
  SetGridMode(source->GridMode());
  if (!IsDefinedByLookupField()) {
    SetListOptions(source->ListOptions());
    SetListSource(source->ListSource());
    SetListColumns(source->ListColumns());
  }
  SetOnSortingChanged(source->OnSortingChanged());
  inherited::Assign(Source);
}

void TcxLookupComboBoxProperties::SetListColumns(TcxLookupDBGridColumns* Value) {
  grid_->Columns()->Assign(Value);
  EnsureLookupResultColumn();
  CheckListFieldIndex();
}

TDataSource* TcxLookupComboBoxProperties::ListSource() {
  return IsDefinedByLookupField() ? nullptr : grid_->DataSource();
}

void TcxLookupComboBoxProperties::SetListSource(TDataSource* Value) {
  if (IsDefinedByLookupField()) LookupFieldDefinedError();
  CheckCircularLinkTo(Value);
  grid_->SetDataSource(Value);
  Changed();
}

TClass TcxLookupComboBoxProperties::GetContainerClass() { return TcxLookupComboBox::StaticClass(); }

int TcxLookupComboBoxProperties::GetListAutoWidth() {
  int width = 0;
  for (int i = 0; i < grid_->Columns()->Count(); ++i) width += grid_->Columns()->Items(i)->Width();
  return width;
}

void TcxLookupComboBoxProperties::SetListEvents(TNotifyEvent AOnClick, TNotifyEvent AOnNotify,
                                                TcxLookupCloseUpEvent AOnCloseUp) {
  grid_->OnClick = std::move(AOnClick);
  grid_->OnNotify = std::move(AOnNotify);
  grid_->OnCloseUp = std::move(AOnCloseUp);
}

void TcxLookupComboBoxProperties::SetListAppearance(TcxLookAndFeel* ALookAndFeel, TColor AColor, TFont* AFont) {
  grid_->LookAndFeel()->SetMasterLookAndFeel(ALookAndFeel);
  grid_->SetColor(AColor);
  grid_->SetFont(AFont);
}

void TcxLookupComboBoxProperties::EndPopupMode() {
  grid_->SetMouseCapture(false);
  grid_->SetIgnoreMouseMove(false);
}

void TcxLookupComboBoxProperties::EnsureListColumn(const String& AFieldName) {
  if (AFieldName.empty() || grid_->Columns()->FindByFieldName(AFieldName)) return;
  TcxLookupGridUpdateScope update(grid_.get());
  TcxLookupDBGridColumn* column = grid_->Columns()->Add();
  column->SetFieldName(AFieldName);
  column->SetIndex(0);
}

int TcxLookupComboBoxProperties::FindListColumnByFieldName(const String& AFieldName) {
  TcxLookupDBGridColumn* column = grid_->Columns()->FindByFieldName(AFieldName);
  return column ? column->Index() : -1;
}

// --- The combo box ---

TcxCustomLookupComboBox::TcxCustomLookupComboBox(TComponent* AOwner) : TcxCustomDBLookupEdit(AOwner) {
  CreateProperties();
  InitializeLookup();
}

void InitializeDBLookupComboBox() {
  GetRegisteredEditProperties()->Register(TcxLookupComboBoxProperties::StaticClass(),
                                          u"LookupComboBox|Represents a lookup combo box control");
}
