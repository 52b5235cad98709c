#include "cx/grid/cxGridTableView.h"

#include <algorithm>
#include <memory>

#include "cx/grid/cxGridCustomizationForm.h"
#include "cx/grid/cxGridTableController.h"
#include "cx/grid/cxGridTablePainters.h"
#include "cx/grid/cxGridTableRows.h"
#include "cx/grid/cxGridTableViewInfo.h"
#include "platform/classes/Published.h"
#include "platform/forms/Colors.h"

TRENVIK_PUBLISHED(TcxGridColumn) {
  P.Property("Caption", &TcxGridColumn::Caption, &TcxGridColumn::SetCaption)
      .Stored(&TcxGridColumn::IsCaptionStored);
  P.Property("GroupIndex", &TcxGridColumn::GroupIndex, &TcxGridColumn::SetGroupIndex).Default(-1);
  P.Property("Hidden", &TcxGridColumn::Hidden, &TcxGridColumn::SetHidden).Stored(&TcxGridColumn::IsHiddenStored);
  P.Property("MinWidth", &TcxGridColumn::MinWidth, &TcxGridColumn::SetMinWidth).Default(20);
  P.Property("PropertiesClassName", &TcxGridColumn::PropertiesClassName, &TcxGridColumn::SetPropertiesClassName);
  P.Property("Properties", &TcxGridColumn::Properties, &TcxGridColumn::SetProperties);
  P.Property("RepositoryItem", &TcxGridColumn::RepositoryItem, &TcxGridColumn::SetRepositoryItem);
  P.Property("SortOrder", &TcxGridColumn::SortOrder, &TcxGridColumn::SetSortOrder).Default(soNone);
  P.Property("Visible", &TcxGridColumn::Visible, &TcxGridColumn::SetVisible)
      .Stored(&TcxGridColumn::IsVisibleStored);
  P.Property("Width", &TcxGridColumn::Width, &TcxGridColumn::SetWidth)
      .NoDefault()
      .Stored(&TcxGridColumn::IsWidthStored);
}

TRENVIK_PUBLISHED(TcxGridTableOptionsBehavior) {
  using O = TcxGridTableOptionsBehavior;
  P.Property("AlwaysShowEditor", &O::AlwaysShowEditor, &O::SetAlwaysShowEditor).Default(false);
  P.Property("CellHints", &O::CellHints, &O::SetCellHints).Default(false);
  P.Property("DragFocusing", &O::DragFocusing, &O::SetDragFocusing).Default(dfNone);
  P.Property("DragHighlighting", &O::DragHighlighting, &O::SetDragHighlighting).Default(true);
  P.Property("DragOpening", &O::DragOpening, &O::SetDragOpening).Default(true);
  P.Property("DragScrolling", &O::DragScrolling, &O::SetDragScrolling).Default(true);
  P.Property("ExpandMasterRowOnDblClick", &O::ExpandMasterRowOnDblClick, &O::SetExpandMasterRowOnDblClick)
      .Default(true);
  P.Property("FocusCellOnCycle", &O::FocusCellOnCycle, &O::SetFocusCellOnCycle).Default(false);
  P.Property("FocusCellOnTab", &O::FocusCellOnTab, &O::SetFocusCellOnTab).Default(false);
  P.Property("FocusFirstCellOnNewRecord", &O::FocusFirstCellOnNewRecord, &O::SetFocusFirstCellOnNewRecord)
      .Default(false);
  P.Property("GoToNextCellOnEnter", &O::GoToNextCellOnEnter, &O::SetGoToNextCellOnEnter).Default(false);
  P.Property("ImmediateEditor", &O::ImmediateEditor, &O::SetImmediateEditor).Default(true);
  P.Property("IncSearch", &O::IncSearch, &O::SetIncSearch).Default(false);
  P.Property("PullFocusing", &O::PullFocusing, &O::SetPullFocusing).Default(false);
}

TRENVIK_PUBLISHED(TcxGridTableOptionsCustomize) {
  using O = TcxGridTableOptionsCustomize;
  P.Property("ColumnFiltering", &O::ColumnFiltering, &O::SetColumnFiltering).Default(true);
  P.Property("ColumnGrouping", &O::ColumnGrouping, &O::SetColumnGrouping).Default(true);
  P.Property("ColumnHiding", &O::ColumnHiding, &O::SetColumnHiding).Default(false);
  P.Property("ColumnHorzSizing", &O::ColumnHorzSizing, &O::SetColumnHorzSizing).Default(true);
  P.Property("ColumnMoving", &O::ColumnMoving, &O::SetColumnMoving).Default(true);
  P.Property("ColumnSorting", &O::ColumnSorting, &O::SetColumnSorting).Default(true);
}

TRENVIK_PUBLISHED(TcxGridTableOptionsView) {
  using O = TcxGridTableOptionsView;
  P.Property("CellAutoHeight", &O::CellAutoHeight, &O::SetCellAutoHeight).Default(false);
  P.Property("CellEndEllipsis", &O::CellEndEllipsis, &O::SetCellEndEllipsis).Default(false);
  P.Property("CellTextMaxLineCount", &O::CellTextMaxLineCount, &O::SetCellTextMaxLineCount).Default(0);
  P.Property("ColumnAutoWidth", &O::ColumnAutoWidth, &O::SetColumnAutoWidth).Default(false);
  P.Property("Footer", &O::Footer, &O::SetFooter).Default(false);
  P.Property("GridLineColor", &O::GridLineColor, &O::SetGridLineColor)
      .Default(clDefault)
      .Idents(IdentToColor, ColorToIdent);
  P.Property("GridLines", &O::GridLines, &O::SetGridLines).Default(glBoth);
  P.Property("GroupByBox", &O::GroupByBox, &O::SetGroupByBox).Default(true);
  P.Property("GroupFooters", &O::GroupFooters, &O::SetGroupFooters).Default(gfInvisible);
  P.Property("Header", &O::Header, &O::SetHeader).Default(true);
  P.Property("HeaderAutoHeight", &O::HeaderAutoHeight, &O::SetHeaderAutoHeight).Default(false);
  P.Property("HeaderEndEllipsis", &O::HeaderEndEllipsis, &O::SetHeaderEndEllipsis).Default(false);
  P.Property("Indicator", &O::Indicator, &O::SetIndicator).Default(false);
  P.Property("IndicatorWidth", &O::IndicatorWidth, &O::SetIndicatorWidth).Default(12);
  P.Property("NewItemRow", &O::NewItemRow, &O::SetNewItemRow).Default(false);
  P.Property("NewItemRowSeparatorColor", &O::NewItemRowSeparatorColor, &O::SetNewItemRowSeparatorColor)
      .Default(clDefault)
      .Idents(IdentToColor, ColorToIdent);
  P.Property("NewItemRowSeparatorWidth", &O::NewItemRowSeparatorWidth, &O::SetNewItemRowSeparatorWidth)
      .Default(6);
  P.Property("RowSeparatorColor", &O::RowSeparatorColor, &O::SetRowSeparatorColor)
      .Default(clDefault)
      .Idents(IdentToColor, ColorToIdent);
  P.Property("RowSeparatorWidth", &O::RowSeparatorWidth, &O::SetRowSeparatorWidth).Default(0);
  P.Property("ShowEditButtons", &O::ShowEditButtons, &O::SetShowEditButtons).Default(gsebNever);
}

TRENVIK_PUBLISHED(TcxGridTableView) {
  P.Property("Filtering", &TcxGridTableView::Filtering, &TcxGridTableView::SetFiltering);
  P.Property("OptionsBehavior", &TcxGridTableView::OptionsBehavior, &TcxGridTableView::SetOptionsBehavior);
  P.Property("OptionsCustomize", &TcxGridTableView::OptionsCustomize, &TcxGridTableView::SetOptionsCustomize);
  P.Property("OptionsData", &TcxGridTableView::OptionsData, &TcxGridTableView::SetOptionsData);
  P.Property("OptionsSelection", &TcxGridTableView::OptionsSelection, &TcxGridTableView::SetOptionsSelection);
  P.Property("OptionsView", &TcxGridTableView::OptionsView, &TcxGridTableView::SetOptionsView);
  P.Property("Preview", &TcxGridTableView::Preview, &TcxGridTableView::SetPreview);
}

void TcxGridTableOptionsBehavior::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxGridTableOptionsBehavior*>(Source))
    ExpandMasterRowOnDblClick_ = source->ExpandMasterRowOnDblClick();
  inherited::Assign(Source);
}

void TcxGridTableOptionsCustomize::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxGridTableOptionsCustomize*>(Source)) {
    SetColumnFiltering(source->ColumnFiltering());
    ColumnHiding_ = source->ColumnHiding();
    ColumnHorzSizing_ = source->ColumnHorzSizing();
  }
  inherited::Assign(Source);
}

void TcxGridTableOptionsView::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxGridTableOptionsView*>(Source)) {
    SetColumnAutoWidth(source->ColumnAutoWidth());
    SetFooter(source->Footer());
    SetGridLineColor(source->GridLineColor());
    SetGridLines(source->GridLines());
    SetGroupByBox(source->GroupByBox());
    SetGroupFooters(source->GroupFooters());
    SetHeader(source->Header());
    SetIndicator(source->Indicator());
    SetIndicatorWidth(source->IndicatorWidth());
    SetNewItemRow(source->NewItemRow());
    SetNewItemRowSeparatorColor(source->NewItemRowSeparatorColor());
    SetNewItemRowSeparatorWidth(source->NewItemRowSeparatorWidth());
    SetRowSeparatorColor(source->RowSeparatorColor());
    SetRowSeparatorWidth(source->RowSeparatorWidth());
  }
  inherited::Assign(Source);
}

void TcxGridTableOptionsView::SetSizeValue(int& AField, int AValue) {
  if (AField == AValue) return;
  AField = AValue;
  GridView()->SizeChanged(false, false);
}

void TcxGridTableOptionsView::SetColor(TColor& AField, TColor AValue) {
  if (AField == AValue) return;
  AField = AValue;
  Changed();
}

void TcxGridTableOptionsView::SetGridLines(TcxGridLines Value) {
  if (gridLines_ == Value) return;
  gridLines_ = Value;
  GridView()->SizeChanged(false, false);
}

void TcxGridTableOptionsView::SetGroupFooters(TcxGridGroupFootersMode Value) {
  if (groupFooters_ == Value) return;
  groupFooters_ = Value;
  GridView()->SizeChanged(false, false);
}

void TcxGridTableOptionsView::SetIndicatorWidth(int Value) {
  SetSizeValue(indicatorWidth_, std::max(Value, 0));
}

void TcxGridTableOptionsView::SetNewItemRowSeparatorWidth(int Value) {
  SetSizeValue(newItemRowSeparatorWidth_, std::max(Value, 2));
}

void TcxGridTableOptionsView::SetRowSeparatorWidth(int Value) {
  SetSizeValue(rowSeparatorWidth_, std::max(Value, 0));
}

TColor TcxGridTableOptionsView::GetGridLineColor() const {
  return gridLineColor_ != clDefault ? gridLineColor_ : LookAndFeelPainter()->GetDefaultGridLineColor();
}

TColor TcxGridTableOptionsView::GetNewItemRowSeparatorColor() const {
  return newItemRowSeparatorColor_ != clDefault ? newItemRowSeparatorColor_
                                                : LookAndFeelPainter()->GetDefaultHeaderColor();
}

TColor TcxGridTableOptionsView::GetRowSeparatorColor() const {
  return rowSeparatorColor_ != clDefault ? rowSeparatorColor_
                                         : LookAndFeelPainter()->GetDefaultRowSeparatorColor();
}

void TcxGridTableOptionsView::SetNewItemRow(bool Value) {
  if (newItemRow_ == Value) return;
  newItemRow_ = Value;
  GridView()->DataController()->SetNewItemRowEnabled(Value);
  static_cast<TcxGridTableView*>(GridView())->ViewData()->CheckNewItemRecord();
  GridView()->SizeChanged(false, false);
}

bool TcxGridTableView::GetStoredPropertyNames(TStrings* AProperties) {
  AProperties->Add(u"GroupByBox");
  AProperties->Add(u"NewItemRow");
  return inherited::GetStoredPropertyNames(AProperties);
}

void TcxGridTableView::GetStoredPropertyValue(const String& AName, Variant& AValue) {
  if (AName == u"GroupByBox")
    AValue = OptionsView()->GroupByBox();
  else if (AName == u"NewItemRow")
    AValue = OptionsView()->NewItemRow();
  else
    inherited::GetStoredPropertyValue(AName, AValue);
}

void TcxGridTableView::SetStoredPropertyValue(const String& AName, const Variant& AValue) {
  if (AName == u"GroupByBox")
    OptionsView()->SetGroupByBox(AValue.AsBoolean());
  else if (AName == u"NewItemRow")
    OptionsView()->SetNewItemRow(AValue.AsBoolean());
  else
    inherited::SetStoredPropertyValue(AName, AValue);
}

std::unique_ptr<TcxCustomGridViewData> TcxGridTableView::CreateViewData() {
  return std::make_unique<TcxGridViewData>(this);
}

std::unique_ptr<TcxCustomGridViewInfo> TcxGridTableView::CreateViewInfo() {
  return std::make_unique<TcxGridTableViewInfo>(this);
}

std::unique_ptr<TcxCustomGridPainter> TcxGridTableView::CreatePainter() {
  return std::make_unique<TcxGridTablePainter>(this);
}

std::unique_ptr<TcxCustomGridViewInfoCache> TcxGridTableView::CreateViewInfoCache() {
  return std::make_unique<TcxGridTableViewInfoCache>(this);
}

std::unique_ptr<TcxCustomGridViewStyles> TcxGridTableView::CreateStyles() {
  return std::make_unique<TcxGridTableViewStyles>(this);
}

bool TcxGridTableView::GetRecordRepaintBounds(int ARecordIndex, TcxCustomGridTableItem* AItem, RECT& ABounds) {
  auto* viewInfo = dynamic_cast<TcxGridTableViewInfo*>(ViewInfo());
  return viewInfo && viewInfo->GetRecordRepaintBounds(ARecordIndex, AItem, ABounds);
}

TcxGridTableFiltering* TcxGridTableView::Filtering() {
  if (!filtering_) filtering_ = std::make_unique<TcxGridTableFiltering>(this);
  return filtering_.get();
}

TcxGridPreview* TcxGridTableView::Preview() {
  if (!preview_) preview_ = std::make_unique<TcxGridPreview>(this);
  return preview_.get();
}

void TcxGridTableView::AssignProperties(TcxCustomGridView* ASource) {
  auto* source = dynamic_cast<TcxGridTableView*>(ASource);
  if (source) {
    Filtering()->Assign(source->Filtering());
    OnCustomDrawColumnHeader = source->OnCustomDrawColumnHeader;
    OnCustomDrawFooterCell = source->OnCustomDrawFooterCell;
    OnCustomDrawGroupCell = source->OnCustomDrawGroupCell;
    OnCustomDrawPartBackground = source->OnCustomDrawPartBackground;
    OnCustomization = source->OnCustomization;
    OnFilterControlDialogShow = source->OnFilterControlDialogShow;
    OnLeftPosChanged = source->OnLeftPosChanged;
  }
  inherited::AssignProperties(ASource);
  // Last: the preview's column is found among the items just copied.
  if (source) Preview()->Assign(source->Preview());
}

void TcxGridTableView::ItemRemoving(TcxCustomGridTableItem* AItem) {
  if (preview_) preview_->ColumnRemoved(AItem);
}

bool TcxGridColumn::IsPreview() const {
  auto* view = dynamic_cast<TcxGridTableView*>(GridView());
  return view && view->Preview()->Column() == this;
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

// --- Controller and customization form ---

TcxGridTableView::~TcxGridTableView() {
  BeforeDestruction();
  if (HasHandlers()) Controller()->SetCustomization(false);
}

std::unique_ptr<TcxCustomGridTableController> TcxGridTableView::CreateTableController() {
  return std::make_unique<TcxGridTableController>(this);
}

TcxGridTableController* TcxGridTableView::Controller() {
  return static_cast<TcxGridTableController*>(TcxCustomGridTableView::Controller());
}

void TcxGridTableView::ItemVisibilityChanged(TcxCustomGridTableItem* AItem, bool AVisible) {
  inherited::ItemVisibilityChanged(AItem, AVisible);
  RefreshCustomizationForm();
}

void TcxGridTableView::RefreshCustomizationForm() {
  if (!HasHandlers() || IsDestroying()) return;
  if (TcxGridTableCustomizationForm* form = Controller()->CustomizationForm()) form->RefreshList();
}

void TcxGridColumn::SetHidden(bool Value) {
  if (hidden_ == Value) return;
  hidden_ = Value;
  HiddenChanged();
}

void TcxGridColumn::HiddenChanged() {
  if (auto* view = dynamic_cast<TcxGridTableView*>(GridView())) view->RefreshCustomizationForm();
}
