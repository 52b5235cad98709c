#include "cx/grid/cxGridTableView.h"

#include <memory>

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
  P.Property("CellAutoHeight", &O::CellAutoHeight, &O::SetCellAutoHeight).Default(false);
}

TRENVIK_PUBLISHED(TcxCustomGridTableOptionsBehavior) {
  using O = TcxCustomGridTableOptionsBehavior;
  P.Property("ImmediateEditor", &O::ImmediateEditor, &O::SetImmediateEditor).Default(true);
  P.Property("IncSearch", &O::IncSearch, &O::SetIncSearch).Default(false);
  P.Property("PullFocusing", &O::PullFocusing, &O::SetPullFocusing).Default(false);
}

TRENVIK_PUBLISHED(TcxGridTableOptionsCustomize) {
  using O = TcxGridTableOptionsCustomize;
  P.Property("ColumnFiltering", &O::ColumnFiltering, &O::SetColumnFiltering).Default(true);
}

TRENVIK_PUBLISHED(TcxCustomGridTableOptionsSelection) {
  using O = TcxCustomGridTableOptionsSelection;
  P.Property("MultiSelect", &O::MultiSelect, &O::SetMultiSelect).Default(false);
}

TRENVIK_PUBLISHED(TcxGridTableView) {
  P.Property("OptionsBehavior", &TcxGridTableView::OptionsBehavior, &TcxGridTableView::SetOptionsBehavior);
  P.Property("OptionsCustomize", &TcxGridTableView::OptionsCustomize, &TcxGridTableView::SetOptionsCustomize);
  P.Property("OptionsData", &TcxGridTableView::OptionsData, &TcxGridTableView::SetOptionsData);
  P.Property("OptionsSelection", &TcxGridTableView::OptionsSelection, &TcxGridTableView::SetOptionsSelection);
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
    SetCellAutoHeight(source->CellAutoHeight());
  }
  inherited::Assign(Source);
}

void TcxCustomGridTableOptionsBehavior::SetIncSearch(bool Value) {
  if (incSearch_ == Value) return;
  if (!Value) GridView()->DataController()->Search()->Cancel();
  incSearch_ = Value;
  Changed();
}

void TcxCustomGridTableOptionsBehavior::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxCustomGridTableOptionsBehavior*>(Source)) {
    SetImmediateEditor(source->ImmediateEditor());
    SetIncSearch(source->IncSearch());
    SetPullFocusing(source->PullFocusing());
  }
  inherited::Assign(Source);
}

void TcxGridTableOptionsCustomize::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxGridTableOptionsCustomize*>(Source)) SetColumnFiltering(source->ColumnFiltering());
  inherited::Assign(Source);
}

bool TcxCustomGridTableOptionsSelection::MultiSelect() const { return GridView()->DataController()->MultiSelect(); }

void TcxCustomGridTableOptionsSelection::SetMultiSelect(bool Value) { GridView()->DataController()->SetMultiSelect(Value); }

void TcxCustomGridTableOptionsSelection::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxCustomGridTableOptionsSelection*>(Source)) SetMultiSelect(source->MultiSelect());
  inherited::Assign(Source);
}

TcxCustomGridTableOptionsData* TcxGridTableView::OptionsData() {
  if (!optionsData_) optionsData_ = std::make_unique<TcxCustomGridTableOptionsData>(this);
  return optionsData_.get();
}

TcxCustomGridTableOptionsBehavior* TcxGridTableView::OptionsBehavior() {
  if (!optionsBehavior_) optionsBehavior_ = std::make_unique<TcxCustomGridTableOptionsBehavior>(this);
  return optionsBehavior_.get();
}

TcxGridTableOptionsCustomize* TcxGridTableView::OptionsCustomize() {
  if (!optionsCustomize_) optionsCustomize_ = std::make_unique<TcxGridTableOptionsCustomize>(this);
  return optionsCustomize_.get();
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
