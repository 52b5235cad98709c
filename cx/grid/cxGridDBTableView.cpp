#include "cx/grid/cxGridDBTableView.h"

#include <algorithm>

#include "cx/editors-ext/cxEditDBRegisteredRepositoryItems.h"
#include "cx/grid/cxGrid.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/data/Field.h"
#include "platform/rtl/StrUtils.h"

TRENVIK_PUBLISHED(TcxGridDBDataController) {
  using C = TcxGridDBDataController;
  P.Property("DataSource", &C::DataSource, &C::SetDataSource);
  P.Property("KeyFieldNames", &C::KeyFieldNames, &C::SetKeyFieldNames);
  P.Property("Summary", &C::Summary);
}
TRENVIK_PUBLISHED(TcxGridItemDBDataBinding) {
  P.Property("FieldName", &TcxGridItemDBDataBinding::FieldName, &TcxGridItemDBDataBinding::SetFieldName);
}
TRENVIK_PUBLISHED(TcxGridDBColumn) {
  P.Property("DataBinding", &TcxGridDBColumn::DataBinding, &TcxGridDBColumn::SetDataBinding);
}
TRENVIK_PUBLISHED(TcxGridDBTableView) {
  P.Property("DataController", &TcxGridDBTableView::DataController, &TcxGridDBTableView::SetDataController);
}

// --- TcxGridItemDBDataBinding ---

TcxGridItemDBDataBinding::TcxGridItemDBDataBinding(TcxCustomGridTableItem* AItem)
    : TcxGridItemDataBinding(AItem), provider_(std::make_unique<TcxCustomDBEditDefaultValuesProvider>(this)) {}

TcxGridItemDBDataBinding::~TcxGridItemDBDataBinding() = default;

TcxGridDBDataController* TcxGridItemDBDataBinding::DataController() const {
  return static_cast<TcxGridDBDataController*>(TcxGridItemDataBinding::DataController());
}

String TcxGridItemDBDataBinding::FieldName() const { return DataController()->GetItemFieldName(Item()->Index()); }

void TcxGridItemDBDataBinding::SetFieldName(const String& Value) {
  DataController()->ChangeFieldName(Item()->Index(), Value);
  Init();
  Item()->Changed(true);
}

TField* TcxGridItemDBDataBinding::Field() const { return DataController()->GetItemField(Item()->Index()); }

void TcxGridItemDBDataBinding::Init() { provider_->SetField(Field()); }

String TcxGridItemDBDataBinding::GetDefaultCaption() {
  TField* field = Field();
  return field ? field->DisplayName() : FieldName();
}

int TcxGridItemDBDataBinding::GetDefaultWidth() {
  TField* field = Field();
  int width = TcxGridItemDataBinding::GetDefaultWidth();
  if (field) {
    TcxCanvas* canvas = GridView()->Painter()->Canvas();
    TcxStyleParams params;
    GridView()->Styles()->GetViewParams(vsBackground, nullptr, nullptr, params);
    if (params.Font) canvas->SetFont(params.Font);
    width = canvas->TextWidth(u"0") * field->DisplayWidth() + 4;
  }
  return std::max(width, Item()->MinWidth());
}

TcxEditRepositoryItem* TcxGridItemDBDataBinding::GetDefaultRepositoryItem() {
  return GetEditDBRegisteredItems()->ItemForField(Field());
}

void TcxGridItemDBDataBinding::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxGridItemDBDataBinding*>(Source)) SetFieldName(source->FieldName());
  TcxGridItemDataBinding::Assign(Source);
}

// --- TcxGridDBColumn ---

bool TcxGridDBColumn::GetStoredPropertyNames(TStrings* AProperties) {
  inherited::GetStoredPropertyNames(AProperties);
  AProperties->Add(u"FieldName");
  return true;
}

void TcxGridDBColumn::GetStoredPropertyValue(const String& AName, Variant& AValue) {
  if (AName == u"FieldName")
    AValue = DataBinding()->FieldName();
  else
    inherited::GetStoredPropertyValue(AName, AValue);
}

void TcxGridDBColumn::SetStoredPropertyValue(const String& AName, const Variant& AValue) {
  if (AName == u"FieldName")
    DataBinding()->SetFieldName(VarToStr(AValue));
  else
    inherited::SetStoredPropertyValue(AName, AValue);
}

// --- TcxGridDBTableView ---

TcxGridDBColumn* TcxGridDBTableView::GetColumnByFieldName(const String& AFieldName) {
  for (int i = 0; i < ItemCount(); ++i)
    if (SameText(Columns(i)->DataBinding()->FieldName(), AFieldName)) return Columns(i);
  return nullptr;
}

void cxGridDBViewsInitialize() {
  RegisterClasses({TcxGridDBColumn::StaticClass(), TcxGridItemDBDataBinding::StaticClass()});
  cxGridRegisteredViews()->Register(TcxGridDBTableView::StaticClass(), S("DB Table"));
}

void cxGridDBViewsFinalize() {
  if (cxGridRegisteredViews()) cxGridRegisteredViews()->Unregister(TcxGridDBTableView::StaticClass());
}
