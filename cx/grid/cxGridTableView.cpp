#include "cx/grid/cxGridTableView.h"

#include <memory>

#include "cx/grid/cxGridTableRows.h"
#include "platform/classes/Published.h"

TRENVIK_PUBLISHED(TcxGridColumn) {
  P.Property("Caption", &TcxGridColumn::Caption, &TcxGridColumn::SetCaption).Stored(&TcxGridColumn::IsCaptionStored);
  P.Property("GroupIndex", &TcxGridColumn::GroupIndex, &TcxGridColumn::SetGroupIndex).Default(-1);
  P.Property("MinWidth", &TcxGridColumn::MinWidth, &TcxGridColumn::SetMinWidth).Default(20);
  P.Property("SortOrder", &TcxGridColumn::SortOrder, &TcxGridColumn::SetSortOrder).Default(soNone);
  P.Property("Visible", &TcxGridColumn::Visible, &TcxGridColumn::SetVisible).Stored(&TcxGridColumn::IsVisibleStored);
  P.Property("Width", &TcxGridColumn::Width, &TcxGridColumn::SetWidth).NoDefault().Stored(&TcxGridColumn::IsWidthStored);
}

TRENVIK_PUBLISHED(TcxCustomGridTableOptionsData) {
  using O = TcxCustomGridTableOptionsData;
  P.Property("Appending", &O::Appending, &O::SetAppending).Default(false);
  P.Property("CancelOnExit", &O::CancelOnExit, &O::SetCancelOnExit).Default(true);
  P.Property("Deleting", &O::Deleting, &O::SetDeleting).Default(true);
  P.Property("DeletingConfirmation", &O::DeletingConfirmation, &O::SetDeletingConfirmation).Default(true);
  P.Property("Editing", &O::Editing, &O::SetEditing).Default(true);
  P.Property("Inserting", &O::Inserting, &O::SetInserting).Default(true);
}

TRENVIK_PUBLISHED(TcxGridTableOptionsView) {
  using O = TcxGridTableOptionsView;
  P.Property("ColumnAutoWidth", &O::ColumnAutoWidth, &O::SetColumnAutoWidth).Default(false);
  P.Property("Footer", &O::Footer, &O::SetFooter).Default(false);
  P.Property("GroupByBox", &O::GroupByBox, &O::SetGroupByBox).Default(true);
  P.Property("Header", &O::Header, &O::SetHeader).Default(true);
  P.Property("Indicator", &O::Indicator, &O::SetIndicator).Default(false);
  P.Property("NewItemRow", &O::NewItemRow, &O::SetNewItemRow).Default(false);
}

TRENVIK_PUBLISHED(TcxGridTableView) {
  P.Property("OptionsData", &TcxGridTableView::OptionsData, &TcxGridTableView::SetOptionsData);
  P.Property("OptionsView", &TcxGridTableView::OptionsView, &TcxGridTableView::SetOptionsView);
}

void TcxCustomGridTableOptionsData::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxCustomGridTableOptionsData*>(Source)) {
    SetAppending(source->Appending());
    SetCancelOnExit(source->CancelOnExit());
    SetDeleting(source->Deleting());
    SetDeletingConfirmation(source->DeletingConfirmation());
    SetEditing(source->Editing());
    SetInserting(source->Inserting());
  }
  inherited::Assign(Source);
}

void TcxGridTableOptionsView::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxGridTableOptionsView*>(Source)) {
    SetColumnAutoWidth(source->ColumnAutoWidth());
    SetFooter(source->Footer());
    SetGroupByBox(source->GroupByBox());
    SetHeader(source->Header());
    SetIndicator(source->Indicator());
    SetNewItemRow(source->NewItemRow());
  }
  inherited::Assign(Source);
}

void TcxGridTableOptionsView::SetNewItemRow(bool Value) {
  if (newItemRow_ == Value) return;
  newItemRow_ = Value;
  static_cast<TcxGridTableView*>(GridView())->ViewData()->CheckNewItemRecord();
  Changed();
}

std::unique_ptr<TcxCustomGridViewData> TcxGridTableView::CreateViewData() {
  return std::make_unique<TcxGridViewData>(this);
}

TcxCustomGridTableOptionsData* TcxGridTableView::OptionsData() {
  if (!optionsData_) optionsData_ = std::make_unique<TcxCustomGridTableOptionsData>(this);
  return optionsData_.get();
}

int TcxGridColumn::GroupIndex() const {
  return GridView() ? GridView()->DataController()->Groups()->GetItemGroupIndex(Index()) : -1;
}

void TcxGridColumn::SetGroupIndex(int Value) {
  if (GridView()) GridView()->DataController()->Groups()->ChangeGroupIndex(Index(), Value);
}

bool TcxGridColumn::GetStoredPropertyNames(TStrings* AProperties) {
  inherited::GetStoredPropertyNames(AProperties);
  AProperties->Add(u"GroupIndex");
  AProperties->Add(u"Width");
  return true;
}

void TcxGridColumn::GetStoredPropertyValue(const String& AName, Variant& AValue) {
  if (AName == u"GroupIndex")
    AValue = GroupIndex();
  else if (AName == u"Width")
    AValue = Width();
  else
    inherited::GetStoredPropertyValue(AName, AValue);
}

void TcxGridColumn::SetStoredPropertyValue(const String& AName, const Variant& AValue) {
  if (AName == u"GroupIndex")
    SetGroupIndex(AValue.AsInteger());
  else if (AName == u"Width")
    SetWidth(AValue.AsInteger());
  else
    inherited::SetStoredPropertyValue(AName, AValue);
}

namespace {

std::unique_ptr<TcxRegisteredClasses> g_views;

}  // namespace

TcxRegisteredClasses* cxGridRegisteredViews() { return g_views.get(); }

void cxGridViewsInitialize() {
  g_views = std::make_unique<TcxRegisteredClasses>(true);
  g_views->Register(TcxGridTableView::StaticClass(), S("Table"));
}

void cxGridViewsFinalize() { g_views.reset(); }
