// The dataset lookup grid: field-bound columns with field-derived defaults and a dataset controller
// that leaves the dataset's cursor alone.
#include "cx/editors-ext/cxLookupDBGrid.h"

#include <algorithm>

#include "cx/data/cxDB.h"
#include "cx/editors-ext/cxEditDBRegisteredRepositoryItems.h"
#include "platform/classes/Classes.h"
#include "platform/data/DB.h"
#include "platform/rtl/StrUtils.h"

TRENVIK_PUBLISHED(TcxLookupDBGridColumn) {
  P.Property("FieldName", &TcxLookupDBGridColumn::FieldName, &TcxLookupDBGridColumn::SetFieldName);
}
TRENVIK_IMPLEMENT_CLASS(TcxLookupDBGridDefaultValuesProvider)
TRENVIK_IMPLEMENT_CLASS(TcxLookupDBGridColumns)
TRENVIK_IMPLEMENT_CLASS(TcxLookupGridDBDataController)
TRENVIK_IMPLEMENT_CLASS(TcxCustomLookupDBGrid)
TRENVIK_PUBLISHED(TcxLookupDBGrid) {
  P.Property("Columns", &TcxLookupDBGrid::Columns, &TcxLookupDBGrid::SetColumns);
  P.Property("Options", &TcxLookupDBGrid::Options, &TcxLookupDBGrid::SetOptions);
  P.Property("DataSource", &TcxLookupDBGrid::DataSource, &TcxLookupDBGrid::SetDataSource);
  P.Property("KeyFieldNames", &TcxLookupDBGrid::KeyFieldNames, &TcxLookupDBGrid::SetKeyFieldNames);
}

// --- TcxLookupDBGridColumn ---

TcxDBDataController* TcxLookupDBGridColumn::DBController() {
  TcxCustomLookupGrid* grid = Grid();
  return grid ? dynamic_cast<TcxDBDataController*>(grid->DataController()) : nullptr;
}

void TcxLookupDBGridColumn::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxLookupDBGridColumn*>(Source)) SetFieldName(source->FieldName());
  TcxLookupGridColumn::Assign(Source);
}

String TcxLookupDBGridColumn::FieldName() {
  TcxDBDataController* controller = DBController();
  return controller ? controller->GetItemFieldName(Index()) : String();
}

void TcxLookupDBGridColumn::SetFieldName(const String& Value) {
  if (TcxDBDataController* controller = DBController()) controller->ChangeFieldName(Index(), Value);
}

TField* TcxLookupDBGridColumn::Field() {
  TcxDBDataController* controller = DBController();
  return controller ? controller->GetItemField(Index()) : nullptr;
}

void TcxLookupDBGridColumn::UpdateProviderField() {
  if (auto* provider = dynamic_cast<TcxCustomDBEditDefaultValuesProvider*>(DefaultValuesProvider()->GetInstance()))
    provider->SetField(Field());
}

TcxLookupGridProviderFactory TcxLookupDBGridColumn::GetDefaultValuesProviderClass() {
  return [](TPersistent* AOwner) { return std::make_shared<TcxLookupDBGridDefaultValuesProvider>(AOwner); };
}

TcxEditRepositoryItem* TcxLookupDBGridColumn::GetDefaultRepositoryItem() {
  return GetEditDBRegisteredItems()->ItemForField(Field());
}

void TcxLookupDBGridColumn::GetDefaultCaption(String& ACaption) {
  TField* field = Field();
  ACaption = field ? field->DisplayName() : FieldName();
}

int TcxLookupDBGridColumn::GetDefaultWidth() {
  TField* field = Field();
  TcxCustomLookupGrid* grid = Grid();
  if (!field || !grid) {
    int width = TcxLookupGridColumn::GetDefaultWidth();
    CheckWidthValue(width);
    return width;
  }
  TcxCanvas* canvas = grid->Canvas();
  canvas->SetFont(GetFont());
  int width = canvas->TextWidth(u"0") * field->DisplayWidth() + 4;
  if (grid->Options()->ShowHeader()) {
    const int header = grid->LookAndFeelPainter()->GetHeaderWidth(canvas, cxBordersAll, Caption(),
                                                                  grid->ViewInfo()->GetHeaderFont());
    width = std::max(width, header);
  }
  CheckWidthValue(width);
  return width;
}

// --- TcxLookupDBGridColumns ---

TcxLookupDBGridColumn* TcxLookupDBGridColumns::FindByFieldName(const String& AFieldName) const {
  for (int i = 0; i < Count(); ++i)
    if (AnsiCompareText(Items(i)->FieldName(), AFieldName) == 0) return Items(i);
  return nullptr;
}

// --- TcxLookupGridDBDataController ---

void TcxLookupGridDBDataController::Initialize() {
  TcxLookupGridControllerLink::Initialize();
  DataModeController()->SetSyncMode(false);
  DataModeController()->SyncDataSetInsert = false;
}

// --- TcxCustomLookupDBGrid ---

TcxCustomLookupDBGrid::TcxCustomLookupDBGrid(TComponent* AOwner) : TcxCustomLookupGrid(AOwner) {
  RecreateColumnsAndDataController();
}

TClass TcxCustomLookupDBGrid::GetColumnClass() { return TcxLookupDBGridColumn::StaticClass(); }

std::unique_ptr<TcxLookupGridColumns> TcxCustomLookupDBGrid::GetColumnsClass() {
  return std::make_unique<TcxLookupDBGridColumns>(this, GetColumnClass());
}

std::unique_ptr<TcxCustomDataController> TcxCustomLookupDBGrid::GetDataControllerClass() {
  return cxCreateDataController<TcxLookupGridDBDataController>(this);
}

void TcxCustomLookupDBGrid::DataChanged() {
  for (int i = 0; i < Columns()->Count(); ++i) Columns()->Items(i)->UpdateProviderField();
  TcxCustomLookupGrid::DataChanged();
}

void TcxCustomLookupDBGrid::AddColumnsForFieldNames(TStrings* AFieldNames) {
  TcxLookupGridUpdateScope update(this);
  for (int i = 0; i < AFieldNames->Count(); ++i) Columns()->Add()->SetFieldName(AFieldNames->Strings(i));
}

void TcxCustomLookupDBGrid::SetColumnsByFieldNames(const String& AFieldNames) {
  TcxLookupGridUpdateScope update(this);
  Columns()->Clear();
  auto names = std::make_unique<TStringList>();
  GetFieldNames(AFieldNames, names.get());
  AddColumnsForFieldNames(names.get());
}
