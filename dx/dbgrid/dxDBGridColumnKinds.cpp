#include "dx/dbgrid/dxDBGridColumnKinds.h"

#include "dx/dbgrid/dxDBColumnDefaults.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "dx/treelist/dxTL.h"
#include "dx/treelist/dxTLControl.h"
#include "platform/classes/ClassRegistry.h"

namespace {

// The grid column's grouping and summary settings; DisableFilter too for the kinds that may filter.
template <class Kind>
void PublishGridSettings(TPublisher<Kind>& P, bool WithDisableFilter = true) {
  P.Property("GroupIndex", &Kind::GroupIndex, &Kind::SetGroupIndex).Default(-1);
  P.Property("SummaryType", &Kind::SummaryType, &Kind::SetSummaryType).Default(cstNone);
  P.Property("SummaryField", &Kind::SummaryField, &Kind::SetSummaryField);
  P.Property("SummaryFormat", &Kind::SummaryFormat, &Kind::SetSummaryFormat);
  P.Property("SortBySummary", &Kind::SortBySummary, &Kind::SetSortBySummary).Default(false);
  P.Property("SummaryGroupName", &Kind::SummaryGroupName, &Kind::SetSummaryGroupName);
  P.Event("OnSummary", &Kind::OnSummary);
  P.Event("OnSummaryFooter", &Kind::OnSummaryFooter);
  if (WithDisableFilter)
    P.Property("DisableFilter", &Kind::DisableFilter, &Kind::SetDisableFilter).Default(false);
}

}  // namespace

TRENVIK_PUBLISHED(TdxDBGridBlobColumn) { PublishGridSettings(P, false); }
TRENVIK_PUBLISHED(TdxDBGridButtonColumn) { PublishGridSettings(P); }
TRENVIK_PUBLISHED(TdxDBGridCalcColumn) { PublishGridSettings(P); }
TRENVIK_PUBLISHED(TdxDBGridCurrencyColumn) { PublishGridSettings(P); }
TRENVIK_PUBLISHED(TdxDBGridDateColumn) { PublishGridSettings(P); }
TRENVIK_PUBLISHED(TdxDBGridGraphicColumn) { PublishGridSettings(P, false); }
TRENVIK_PUBLISHED(TdxDBGridHyperLinkColumn) { PublishGridSettings(P); }
TRENVIK_PUBLISHED(TdxDBGridLookupColumn) { PublishGridSettings(P); }
TRENVIK_PUBLISHED(TdxDBGridMemoColumn) { PublishGridSettings(P, false); }
TRENVIK_PUBLISHED(TdxDBGridMRUColumn) { PublishGridSettings(P); }
TRENVIK_PUBLISHED(TdxDBGridPickColumn) { PublishGridSettings(P); }
TRENVIK_PUBLISHED(TdxDBGridSpinColumn) { PublishGridSettings(P); }
TRENVIK_PUBLISHED(TdxDBGridTimeColumn) { PublishGridSettings(P); }
TRENVIK_PUBLISHED(TdxDBGridWrapperColumn) { PublishGridSettings(P, false); }
TRENVIK_PUBLISHED(TdxDBGridImageColumn) { PublishGridSettings(P); }
TRENVIK_PUBLISHED(TdxDBGridCheckColumn) {
  PublishGridSettings(P);
  P.Property("DisplayChecked", &TdxDBGridCheckColumn::DisplayChecked,
             &TdxDBGridCheckColumn::SetDisplayChecked);
  P.Property("DisplayNull", &TdxDBGridCheckColumn::DisplayNull, &TdxDBGridCheckColumn::SetDisplayNull);
  P.Property("DisplayUnChecked", &TdxDBGridCheckColumn::DisplayUnChecked,
             &TdxDBGridCheckColumn::SetDisplayUnChecked);
}

String TdxDBGridCheckColumn::GetDisplayTextOf(const String& Text) const {
  const String* shown = nullptr;
  switch (StateOfText(Text)) {
    case cbsChecked:
      shown = &display_.DisplayChecked;
      break;
    case cbsUnchecked:
      shown = &display_.DisplayUnChecked;
      break;
    default:
      shown = &display_.DisplayNull;
      break;
  }
  return shown->empty() ? Text : *shown;
}

std::array<String, 3> TdxDBGridCheckColumn::FilterDescriptions() {
  if (display_.DisplayNull.empty() && display_.DisplayUnChecked.empty() && display_.DisplayChecked.empty())
    return inherited::FilterDescriptions();
  return {display_.DisplayNull, display_.DisplayUnChecked, display_.DisplayChecked};
}

TRENVIK_COLUMN_KIND_ASSIGN(TdxDBGridCheckColumn, display_)

void TdxDBGridCheckColumn::RestoreDefaults() {
  inherited::RestoreDefaults();
  display_ = TSettings();
}

namespace {

// The kind offered for a field type (the tree list's classes; the grid maps them to its twins).
struct TKindPair {
  TClass TreeList;
  TClass Grid;
};

bool KindForType(TFieldType Type, bool Lookup, TKindPair& Kind) {
  if (Lookup) {
    Kind = {TdxDBTreeListLookupColumn::StaticClass(), TdxDBGridLookupColumn::StaticClass()};
    return true;
  }
  switch (Type) {
    case ftUnknown:
    case ftString:
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftFloat:
    case ftAutoInc:
      Kind = {TdxDBTreeListMaskColumn::StaticClass(), TdxDBGridMaskColumn::StaticClass()};
      return true;
    case ftBoolean:
      Kind = {TdxDBTreeListCheckColumn::StaticClass(), TdxDBGridCheckColumn::StaticClass()};
      return true;
    case ftCurrency:
    case ftBCD:
      Kind = {TdxDBTreeListCurrencyColumn::StaticClass(), TdxDBGridCurrencyColumn::StaticClass()};
      return true;
    case ftDate:
    case ftDateTime:
      Kind = {TdxDBTreeListDateColumn::StaticClass(), TdxDBGridDateColumn::StaticClass()};
      return true;
    case ftTime:
      Kind = {TdxDBTreeListTimeColumn::StaticClass(), TdxDBGridTimeColumn::StaticClass()};
      return true;
    case ftBytes:
    case ftVarBytes:
    case ftBlob:
    case ftFmtMemo:
    case ftParadoxOle:
    case ftDBaseOle:
    case ftTypedBinary:
      Kind = {TdxDBTreeListBlobColumn::StaticClass(), TdxDBGridBlobColumn::StaticClass()};
      return true;
    case ftMemo:
      Kind = {TdxDBTreeListMemoColumn::StaticClass(), TdxDBGridMemoColumn::StaticClass()};
      return true;
    case ftGraphic:
      Kind = {TdxDBTreeListGraphicColumn::StaticClass(), TdxDBGridGraphicColumn::StaticClass()};
      return true;
    default:
      return false;
  }
}

}  // namespace

void RegisterDefaultColumnKinds() {
  DBTreeListDefaultColumns().Register([](TFieldType Type, bool Lookup, TdxDefaultColumnEntry& Candidate) {
    if (TKindPair kind; KindForType(Type, Lookup, kind)) Candidate = {kind.TreeList, 1};
  });
  DBGridDefaultColumns().Register([](TFieldType Type, bool Lookup, TdxDefaultColumnEntry& Candidate) {
    if (TKindPair kind; KindForType(Type, Lookup, kind)) Candidate = {kind.Grid, 1};
  });
}

void RegisterColumnKindClasses() {
  RegisterClasses({TdxDBTreeListMemoColumn::StaticClass(),    TdxDBTreeListDropDownColumn::StaticClass(),
                   TdxDBTreeListDateColumn::StaticClass(),    TdxDBTreeListButtonColumn::StaticClass(),
                   TdxDBTreeListCheckColumn::StaticClass(),   TdxDBTreeListImageColumn::StaticClass(),
                   TdxDBTreeListSpinColumn::StaticClass(),    TdxDBTreeListPickColumn::StaticClass(),
                   TdxDBTreeListCalcColumn::StaticClass(),    TdxDBTreeListHyperLinkColumn::StaticClass(),
                   TdxDBTreeListTimeColumn::StaticClass(),    TdxDBTreeListCurrencyColumn::StaticClass(),
                   TdxDBTreeListGraphicColumn::StaticClass(), TdxDBTreeListLookupColumn::StaticClass(),
                   TdxDBTreeListBlobColumn::StaticClass(),    TdxDBTreeListMRUColumn::StaticClass(),
                   TdxDBTreeListWrapperColumn::StaticClass(), TdxDBGridBlobColumn::StaticClass(),
                   TdxDBGridButtonColumn::StaticClass(),      TdxDBGridCalcColumn::StaticClass(),
                   TdxDBGridCheckColumn::StaticClass(),       TdxDBGridCurrencyColumn::StaticClass(),
                   TdxDBGridDateColumn::StaticClass(),        TdxDBGridGraphicColumn::StaticClass(),
                   TdxDBGridHyperLinkColumn::StaticClass(),   TdxDBGridImageColumn::StaticClass(),
                   TdxDBGridLookupColumn::StaticClass(),      TdxDBGridMemoColumn::StaticClass(),
                   TdxDBGridMRUColumn::StaticClass(),         TdxDBGridPickColumn::StaticClass(),
                   TdxDBGridSpinColumn::StaticClass(),        TdxDBGridTimeColumn::StaticClass(),
                   TdxDBGridWrapperColumn::StaticClass()});
}
