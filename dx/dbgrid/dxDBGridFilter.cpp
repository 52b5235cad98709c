// The grid's filter object: settings, the column operations of the drop-down and the stored form.
#include "dx/dbgrid/dxDBGridFilter.h"

#include "dx/dbgrid/dxDBGrid.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"

TRENVIK_PUBLISHED(TdxDBGridFilter) {
  P.Property("Active", &TdxDBGridFilter::Active, &TdxDBGridFilter::SetActive).Default(false);
  P.Property("AutoDataSetFilter", &TdxDBGridFilter::AutoDataSetFilter, &TdxDBGridFilter::SetAutoDataSetFilter)
      .Default(false);
  P.Property("CaseInsensitive", &TdxDBGridFilter::CaseInsensitive, &TdxDBGridFilter::SetCaseInsensitive)
      .Default(false);
  P.Property("DropDownCount", &TdxDBGridFilter::DropDownCount, &TdxDBGridFilter::SetDropDownCount)
      .Default(12);
  P.Property("DropDownWidth", &TdxDBGridFilter::DropDownWidth, &TdxDBGridFilter::SetDropDownWidth).Default(0);
  P.Property("FilterStatus", &TdxDBGridFilter::FilterStatus, &TdxDBGridFilter::SetFilterStatus)
      .Default(fsAuto);
  P.Property("MaxDropDownCount", &TdxDBGridFilter::MaxDropDownCount, &TdxDBGridFilter::SetMaxDropDownCount)
      .Default(1000);
}

TdxDBGridFilter::TdxDBGridFilter(TCustomdxDBGrid* Grid)
    : grid_(Grid), criteria_(std::make_unique<TdxDBGridCriteria>(Grid)) {}

TdxDBGridFilter::~TdxDBGridFilter() = default;

void TdxDBGridFilter::SetActive(bool Value) {
  if (active_ == Value) return;
  active_ = Value;
  if (Value) {
    if (grid_) grid_->SetDefaultFields(false);
  } else {
    criteria_->Clear();
  }
  Changed();
}

void TdxDBGridFilter::SetAutoDataSetFilter(bool Value) {
  if (autoDataSetFilter_ == Value) return;
  autoDataSetFilter_ = Value;
  TDataSet* ds = grid_ && grid_->DataSource() ? grid_->DataSource()->DataSet() : nullptr;
  if (!Value && ds) {
    ds->SetFilter(String());
    ds->SetFiltered(false);
  }
  Changed();
}

void TdxDBGridFilter::SetCaseInsensitive(bool Value) {
  if (caseInsensitive_ == Value) return;
  caseInsensitive_ = Value;
  criteria_->SetCaseInsensitive(Value);
  if (autoDataSetFilter_) Changed();
}

void TdxDBGridFilter::SetFilterStatus(TdxDBGridFilterStatus Value) {
  if (filterStatus_ == Value) return;
  filterStatus_ = Value;
  Changed();
}

void TdxDBGridFilter::SetColumnValue(TdxDBTreeListColumn* Column, const Variant& Value,
                                     const String& DisplayText) {
  criteria_->RemoveColumnItems(Column);
  criteria_->AddColumnCondition(nullptr, Column, fokEqual, Value, DisplayText, false);
  Changed();
}

void TdxDBGridFilter::SetColumnBlanks(TdxDBTreeListColumn* Column, bool NonBlanks) {
  criteria_->RemoveColumnItems(Column);
  criteria_->AddColumnCondition(nullptr, Column, fokIsNull, Null(), String(), NonBlanks);
  Changed();
}

void TdxDBGridFilter::Clear() {
  criteria_->Clear();
  if (grid_) grid_->FilterChanged();
}

void TdxDBGridFilter::ClearColumn(TdxDBTreeListColumn* Column) {
  criteria_->RemoveColumnItems(Column);
  Changed();
}

void TdxDBGridFilter::Changed() {
  if (grid_) grid_->FilterChanged();
}

int TdxDBGridFilter::GetColumnFilterKind(TdxDBTreeListColumn* Column, Variant& Value) {
  Value = Null();
  TdxDBGridCriteriaItem* item = criteria_->FindColumnItem(Column);
  if (!item) return 0;
  Value = item->Value;
  if (item->Operator == fokIsNull && IsBlankFilterValue(item->Value)) return item->IsNot() ? 2 : 1;
  return criteria_->IsCustomColumnFilter(Column) ? 4 : 3;
}

void TdxDBGridFilter::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxDBGridFilter*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  TMemoryStream criteria;
  source->criteria_->SaveToStream(&criteria);
  criteria.SetPosition(0);
  criteria_->LoadFromStream(&criteria);
  active_ = source->active_;
  autoDataSetFilter_ = source->autoDataSetFilter_;
  caseInsensitive_ = source->caseInsensitive_;
  criteria_->SetCaseInsensitive(caseInsensitive_);
  dropDownCount_ = source->dropDownCount_;
  dropDownWidth_ = source->dropDownWidth_;
  filterStatus_ = source->filterStatus_;
  maxDropDownCount_ = source->maxDropDownCount_;
  Changed();
}

void TdxDBGridFilter::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineBinaryProperty(
      u"Criteria", [this](TStream* Stream) { criteria_->LoadFromStream(Stream); },
      [this](TStream* Stream) { criteria_->SaveToStream(Stream); }, true);
}
