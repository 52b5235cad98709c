// The grid's life cycle, option sets and mode predicates.
#include "dx/dbgrid/dxDBGrid.h"

#include "dx/dbgrid/dxDBColumnDefaults.h"
#include "dx/dbgrid/dxDBGridFilterDropDown.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_IMPLEMENT_CLASS(TdxDBGridNode)
TRENVIK_IMPLEMENT_CLASS(TCustomdxDBGrid)
TRENVIK_IMPLEMENT_CLASS(TdxDBGridColumn)
TRENVIK_IMPLEMENT_CLASS(TdxDBGridMaskColumn)

TRENVIK_PUBLISHED(TdxDBGrid) {
  P.Property("DataSource", &TdxDBGrid::DataSource, &TdxDBGrid::SetDataSource);
  P.Property("KeyField", &TdxDBGrid::KeyField, &TdxDBGrid::SetKeyField);
  P.Property("DefaultFields", &TdxDBGrid::DefaultFields, &TdxDBGrid::SetDefaultFields).Default(false);
  P.Property("PartialLoadBufferCount", &TdxDBGrid::PartialLoadBufferCount,
             &TdxDBGrid::SetPartialLoadBufferCount)
      .Default(100);
  P.Property("ShowSummaryFooter", &TdxDBGrid::ShowSummaryFooter, &TdxDBGrid::SetShowSummaryFooter)
      .Default(false);
  P.Property("PreviewFieldName", &TdxDBGrid::PreviewFieldName, &TdxDBGrid::SetPreviewFieldName);
  P.Property("OptionsBehavior", &TdxDBGrid::OptionsBehavior, &TdxDBGrid::SetOptionsBehavior)
      .Default(kDefaultOptionsBehavior);
  P.Property("OptionsCustomize", &TdxDBGrid::OptionsCustomize, &TdxDBGrid::SetOptionsCustomize)
      .Default(kDefaultOptionsCustomize);
  P.Property("OptionsDB", &TdxDBGrid::OptionsDB, &TdxDBGrid::SetOptionsDB).Default(kDefaultOptionsDB);
  P.Property("OptionsView", &TdxDBGrid::OptionsView, &TdxDBGrid::SetOptionsView).Default(kDefaultOptionsView);
  P.Property("SummarySeparator", &TdxDBGrid::SummarySeparator, &TdxDBGrid::SetSummarySeparator);
  P.Property("SummaryGroups", &TdxDBGrid::SummaryGroups);
  P.Property("ShowRowFooter", &TdxDBGrid::ShowRowFooter, &TdxDBGrid::SetShowRowFooter).Default(false);
  P.Property("ShowGrid", &TdxDBGrid::ShowGrid, &TdxDBGrid::SetShowGrid).Default(true);
  P.Property("ShowPreviewGrid", &TdxDBGrid::ShowPreviewGrid, &TdxDBGrid::SetShowPreviewGrid);
  P.Property("IniFileName", &TdxDBGrid::IniFileName, &TdxDBGrid::SetIniFileName);
  P.Event("OnColumnClick", &TdxDBGrid::OnColumnClick);
  P.Event("OnColumnMoved", &TdxDBGrid::OnColumnMoved);
  P.Property("Filter", &TdxDBGrid::Filter, &TdxDBGrid::SetFilter);
  P.Event("OnFilterChanged", &TdxDBGrid::OnFilterChanged);
}

TCustomdxDBGrid::TCustomdxDBGrid(TComponent* AOwner)
    : TCustomdxDBTreeListControl(AOwner), dataLink_(NewDataLink()) {
  optionsBehavior_ = kDefaultOptionsBehavior;
  optionsCustomize_ = kDefaultOptionsCustomize;
  optionsDB_ = kDefaultOptionsDB;
  optionsView_ = kDefaultOptionsView;
  RecomputeLegacy();
  SetHideFocusRect(false);
  SetHideSelection(false);
  SetPaintStyle(psOutlook);
  // A double click opens or closes a group row.
  SetDblClkExpanding(true);
  SetShowGrid(true);
  // The engine words follow the master sets from the start.
  DWORD w0 = 0, w1 = 0;
  MapOptionsToEngine(BehaviorOptionMap(), optionsBehavior_.Bits(), w0, w1);
  MapOptionsToEngine(CustomizeOptionMap(), optionsCustomize_.Bits(), w0, w1);
  MapOptionsToEngine(ViewOptionMap(), optionsView_.Bits(), w0, w1);
  SetOptionFlags(w0);
  SetOptionFlagsEx(w1);
  SetHideSelectionColor(HighlightColor());
  SetHideSelectionTextColor(HighlightTextColor());
  RegisterDBTreeListControl(this);
  summaryGroups_ = std::make_unique<TdxDBGridSummaryGroups>(this);
}

TCustomdxDBGrid::~TCustomdxDBGrid() {
  filterDropDown_.reset();
  DetachAndHideEditor();
  dataLink_->SetDataSource(nullptr);
  // Written while the grid still is one, so that its own values (the group levels) go in too; with
  // no field bound, as their dataset may already have freed them.
  for (int i = 0; i < GetColumnCount(); ++i) GetDBColumn(i)->SetBoundField(nullptr);
  try {
    SaveStoredLayout();
  } catch (const Exception&) {
    // A layout that cannot be written is lost; the grid still goes.
  }
  UnregisterDBTreeListControl(this);
  ClearNodes();
}

void TCustomdxDBGrid::RecomputeLegacy() {
  MapOptionsToLegacy(BehaviorOptionMap(), optionsBehavior_.Bits(), options_, optionsEx_);
  MapOptionsToLegacy(CustomizeOptionMap(), optionsCustomize_.Bits(), options_, optionsEx_);
  MapOptionsToLegacy(DBOptionMap(), optionsDB_.Bits(), options_, optionsEx_);
  MapOptionsToLegacy(ViewOptionMap(), optionsView_.Bits(), options_, optionsEx_);
}

void TCustomdxDBGrid::ApplyEngineMap(std::span<const TdxGridOptionMapping> Map, UInt64 Master) {
  DWORD w0 = OptionFlags(), w1 = OptionFlagsEx();
  MapOptionsToEngine(Map, Master, w0, w1);
  SetOptionFlags(w0);
  SetOptionFlagsEx(w1);
}

void TCustomdxDBGrid::SetOptionsBehavior(TdxDBGridOptionsBehavior Value) {
  if (Value == optionsBehavior_) return;
  TdxTreeListUpdateScope update(this);
  ApplyEngineMap(BehaviorOptionMap(), Value.Bits());
  const TdxDBGridOptionsBehavior sortOptions = {edgoAutoSort, edgoMultiSort};
  if (!((Value * sortOptions) == (optionsBehavior_ * sortOptions))) ClearSortedColumns();
  optionsBehavior_ = Value;
  RecomputeLegacy();
}

void TCustomdxDBGrid::SetOptionsCustomize(TdxDBGridOptionsCustomize Value) {
  if (Value == optionsCustomize_) return;
  TdxTreeListUpdateScope update(this);
  ApplyEngineMap(CustomizeOptionMap(), Value.Bits());
  optionsCustomize_ = Value;
  RecomputeLegacy();
}

void TCustomdxDBGrid::SetOptionsView(TdxDBGridOptionsView Value) {
  if (Value == optionsView_) return;
  TdxTreeListUpdateScope update(this);
  SetShowIndicator(Value.Contains(edgoIndicator));
  // Inverted selection and row selection exclude each other; the inverted one wins.
  if (Value.Contains(edgoInvertSelect)) Value.Exclude(edgoRowSelect);
  ApplyEngineMap(ViewOptionMap(), Value.Bits());
  optionsView_ = Value;
  RecomputeLegacy();
}

void TCustomdxDBGrid::SetOptionsDB(TdxDBGridOptionsDB Value) {
  if (Value == optionsDB_) return;
  TdxTreeListUpdateScope update(this);
  if (Value.Contains(edgoLoadAllRecords)) Value.Exclude(edgoPartialLoad);
  const TdxDBGridOptionsDB old = optionsDB_;
  optionsDB_ = Value;
  RecomputeLegacy();
  const bool partialChanged = old.Contains(edgoPartialLoad) != Value.Contains(edgoPartialLoad);
  if (partialChanged && CanUseDataSetWindow()) {
    if (Value.Contains(edgoPartialLoad) && defaultFields_) SetDefaultFields(false);
    DoLinkActive(dataLink_->Active());
  }
  if (!old.Contains(edgoUseBookmarks) && Value.Contains(edgoUseBookmarks)) ClearSelection();
  if (Value.Contains(edgoLoadAllRecords) && defaultFields_) SetDefaultFields(false);
  if (old.Contains(edgoLoadAllRecords) != Value.Contains(edgoLoadAllRecords))
    DoLinkActive(dataLink_->Active());
  else if (old.Contains(edgoCanNavigation) != Value.Contains(edgoCanNavigation))
    RefreshDataLayout();
}

void TCustomdxDBGrid::SetOptions(TdxDBGridOptions Value) { SetLegacyOptions(0, Value.Bits()); }

void TCustomdxDBGrid::SetOptionsEx(TdxDBGridOptionsEx Value) { SetLegacyOptions(1, Value.Bits()); }

void TCustomdxDBGrid::SetLegacyOptions(int Legacy, UInt64 Bits) {
  TdxTreeListUpdateScope update(this);
  SetOptionsBehavior(TdxDBGridOptionsBehavior::FromBits(
      MapLegacyToOptions(BehaviorOptionMap(), optionsBehavior_.Bits(), Legacy, Bits)));
  SetOptionsCustomize(TdxDBGridOptionsCustomize::FromBits(
      MapLegacyToOptions(CustomizeOptionMap(), optionsCustomize_.Bits(), Legacy, Bits)));
  SetOptionsDB(
      TdxDBGridOptionsDB::FromBits(MapLegacyToOptions(DBOptionMap(), optionsDB_.Bits(), Legacy, Bits)));
  SetOptionsView(
      TdxDBGridOptionsView::FromBits(MapLegacyToOptions(ViewOptionMap(), optionsView_.Bits(), Legacy, Bits)));
}

void TCustomdxDBGrid::SetPartialLoad(bool Value) {
  TdxDBGridOptionsDB v = optionsDB_;
  Value ? v.Include(edgoPartialLoad) : v.Exclude(edgoPartialLoad);
  SetOptionsDB(v);
}

void TCustomdxDBGrid::SetUseBookmarks(bool Value) {
  TdxDBGridOptionsDB v = optionsDB_;
  Value ? v.Include(edgoUseBookmarks) : v.Exclude(edgoUseBookmarks);
  SetOptionsDB(v);
}

void TCustomdxDBGrid::SetDefaultFields(bool Value) {
  if (defaultFields_ == Value) return;
  TdxTreeListUpdateScope update(this);
  defaultFields_ = Value;
  SetOptions(Options() - TdxDBGridOptions{egoLoadAllRecords});
  DestroyColumns();
  SetDefaultLayout(true);
  DoLinkActive(dataLink_->Active());
}

void TCustomdxDBGrid::Loaded() {
  {
    TValueScope<bool> loading(LoadingControlFlag(), true);
    TdxTreeListUpdateScope update(this);
    TCustomdxDBTreeListControl::Loaded();
  }
  // A filter read with the form or the stored layout applies from the first load on.
  nodeFilterActive_ = filter_ && !filter_->IsEmpty();
  bool formGrouped = false;
  for (int i = 0; i < GetColumnCount(); ++i) formGrouped = formGrouped || GetDBColumn(i)->GroupIndex() >= 0;
  if (!formGrouped) {
    DoLinkActive(dataLink_->Active());
  } else {
    // The form's grouping (and a stored layout's) is applied once, by the levels the columns hold.
    forceFullReload_ = true;
    Regroup();
    forceFullReload_ = false;
  }
  if (filter_) ApplyFilter();
}

void TCustomdxDBGrid::SetSummarySeparator(const String& Value) {
  if (summarySeparator_ == Value) return;
  summarySeparator_ = Value;
  if (HandleAllocated()) Invalidate();
}

bool TCustomdxDBGrid::CanUseDataSetWindow() {
  return !(Options().Contains(egoLoadAllRecords) || (dataLink_->Active() && GroupCount() > 0));
}


bool TCustomdxDBGrid::UseLocate() {
  return Options().Contains(egoUseLocate) || Options().Contains(egoSmartRefresh);
}

TClass TCustomdxDBGrid::GetColumnClassForField(TField* Field) const {
  return DBGridDefaultColumns().ClassFor(Field);
}

void TCustomdxDBGrid::SetDataSource(TDataSource* Value) {
  if (Value == dataLink_->DataSource()) return;
  ClearSelection();
  dataLink_->SetDataSource(Value);
  if (Value) Value->FreeNotification(this);
  if (IsDataSetWindowMode()) DoLinkActive(dataLink_->Active());
}

void TCustomdxDBGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomdxDBTreeListControl::Notification(AComponent, Operation);
  if (Operation == opRemove && dataLink_ && AComponent == dataLink_->DataSource()) SetDataSource(nullptr);
}

bool TCustomdxDBGrid::IsExistFooterCell(int Column) {
  return TCustomdxDBTreeListControl::IsExistFooterCell(Column) ||
         (Column >= 0 && Column < GetColumnCount() && GetDBColumn(Column)->SummaryFooterType() != cstNone);
}

String TCustomdxDBGrid::GetFooterCellText(TdxTreeListNode* Node, int Column, int FooterIndex) {
  if (FooterIndex >= 0) return RowFooterCellText(Node, Column, FooterIndex);
  if (FooterIndex != -1 || Column < 0 || Column >= GetColumnCount())
    return TCustomdxDBTreeListControl::GetFooterCellText(Node, Column, FooterIndex);
  String text;
  GetDBColumn(Column)->GetSummaryFooterText(text);
  return text;
}
