// The lookup combo box properties on their own lookup grid, and the combo box itself.
#include "cx/editors-ext/cxDBLookupComboBox.h"

#include "cx/editors/cxEditPublishing.h"
#include "cx/editors/cxEditScopes.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"

using LookupComboProps = TcxLookupComboBoxProperties;

// The list settings come before the list column index, which the columns limit.
TRENVIK_PUBLISHED(TcxLookupComboBoxProperties) {
  PublishTextEditSettings(P, false);
  P.Property("ButtonGlyph", &TcxCustomDropDownEditProperties::ButtonGlyph,
             &TcxCustomDropDownEditProperties::SetButtonGlyph)
      .Stored(&TcxCustomDropDownEditProperties::IsButtonGlyphStored);
  P.Property("DropDownAutoSize", &LookupComboProps::DropDownAutoSize, &LookupComboProps::SetDropDownAutoSize)
      .Default(false);
  P.Property("DropDownHeight", &LookupComboProps::DropDownHeight, &LookupComboProps::SetDropDownHeight).Default(0);
  P.Property("DropDownListStyle", &TcxCustomComboBoxProperties::DropDownListStyle,
             &TcxCustomComboBoxProperties::SetDropDownListStyle)
      .Default(lsEditFixedList);
  P.Property("DropDownRows", &TcxCustomComboBoxProperties::DropDownRows, &TcxCustomComboBoxProperties::SetDropDownRows)
      .Default(8);
  P.Property("DropDownSizeable", &TcxCustomComboBoxProperties::DropDownSizeable,
             &TcxCustomComboBoxProperties::SetDropDownSizeable)
      .Default(false);
  P.Property("DropDownWidth", &TcxCustomComboBoxProperties::DropDownWidth, &TcxCustomComboBoxProperties::SetDropDownWidth)
      .Default(0);
  P.Property("GridMode", &LookupComboProps::GridMode, &LookupComboProps::SetGridMode).Default(false);
  P.Property("ImmediateDropDown", &TcxCustomDropDownEditProperties::ImmediateDropDown,
             &TcxCustomDropDownEditProperties::SetImmediateDropDown)
      .Default(true);
  P.Property("IncrementalFiltering", &LookupComboProps::IncrementalFiltering, &LookupComboProps::SetIncrementalFiltering)
      .Default(true);
  P.Property("ListSource", &LookupComboProps::ListSource, &LookupComboProps::SetListSource);
  P.Property("KeyFieldNames", &LookupComboProps::KeyFieldNames, &LookupComboProps::SetKeyFieldNames);
  P.Property("ListColumns", &LookupComboProps::ListColumns, &LookupComboProps::SetListColumns);
  P.Property("ListFieldNames", &LookupComboProps::ListFieldNames, &LookupComboProps::SetListFieldNames).Stored(false);
  P.Property("ListFieldIndex", &LookupComboProps::ListFieldIndex, &LookupComboProps::SetListFieldIndex).Default(0);
  P.Property("ListOptions", &LookupComboProps::ListOptions, &LookupComboProps::SetListOptions);
  P.Property("PopupAlignment", &TcxCustomDropDownEditProperties::PopupAlignment,
             &TcxCustomDropDownEditProperties::SetPopupAlignment)
      .Default(taLeftJustify);
  P.Property("Revertable", &TcxCustomComboBoxProperties::Revertable, &TcxCustomComboBoxProperties::SetRevertable)
      .Default(false);
  PublishTextEditEvents(P);
  P.Event("OnCloseUp", &TcxCustomDropDownEditProperties::OnCloseUp);
  P.Event("OnInitPopup", &TcxCustomDropDownEditProperties::OnInitPopup);
  P.Event("OnPopup", &TcxCustomDropDownEditProperties::OnPopup);
}
TRENVIK_IMPLEMENT_CLASS(TcxCustomLookupComboBox)
TRENVIK_PUBLISHED(TcxLookupComboBox) {
  PublishAutoSize(P);
  PublishBeepOnEnter(P);
  PublishEditControl(P, false);
  P.Property("EditValue", &TcxCustomEdit::EditValue, &TcxCustomEdit::SetEditValue);
}

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
