#include "cx/grid/cxGridTableRows.h"

#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridLevel.h"
#include "cx/grid/cxGridTableView.h"
#include "platform/rtl/ScopeExit.h"

TRENVIK_IMPLEMENT_CLASS(TcxGridNewItemRow)
TRENVIK_IMPLEMENT_CLASS(TcxGridMasterDataRow)
TRENVIK_IMPLEMENT_CLASS(TcxGridViewData)

namespace {

TcxCustomGridTableViewData* RecordsOf(TcxCustomGridView* AView) {
  auto* tableView = dynamic_cast<TcxCustomGridTableView*>(AView);
  return tableView ? tableView->ViewData() : nullptr;
}

}  // namespace

// --- TcxGridMasterDataRow ---

bool TcxGridMasterDataRow::Expanded() const { return DataController()->GetDetailExpanding(RecordIndex()); }

int TcxGridMasterDataRow::DetailGridViewCount() const { return DataController()->Relations()->GetCount(); }

TcxCustomGridView* TcxGridMasterDataRow::DetailGridViews(int AIndex) const {
  return dynamic_cast<TcxCustomGridView*>(DataController()->GetDetailLinkObject(RecordIndex(), AIndex));
}

int TcxGridMasterDataRow::ActiveDetailIndex() {
  TcxCustomDataController* dc = DataController();
  const int index = dc->GetDetailActiveRelationIndex(RecordIndex());
  if (index == -1) return -1;
  TcxGridLevel* level = GridView()->Level();
  if (!level || level->Items(index)->Visible() || GridView()->IsDestroying()) return index;
  TcxGridLevel* first = level->FirstVisibleChild();
  if (!first) return index;
  TcxCustomGrid* grid = GridView()->Grid();
  if (grid) grid->BeginUpdate();
  dc->BeginUpdate();
  TScopeExit endUpdate([&] {
    dc->EndUpdate();
    if (grid) grid->EndUpdate();
  });
  dc->ChangeDetailActiveRelationIndex(RecordIndex(), first->Index());
  return first->Index();
}

void TcxGridMasterDataRow::SetActiveDetailIndex(int Value) {
  DataController()->ChangeDetailActiveRelationIndex(RecordIndex(), Value);
}

TcxCustomGridView* TcxGridMasterDataRow::ActiveDetailGridView() {
  const int index = ActiveDetailIndex();
  return index == -1 ? nullptr : DetailGridViews(index);
}

TcxGridLevel* TcxGridMasterDataRow::ActiveDetailLevel() {
  const int index = ActiveDetailIndex();
  TcxGridLevel* level = GridView()->Level();
  return index == -1 || !level || index >= level->Count() ? nullptr : level->Items(index);
}

bool TcxGridMasterDataRow::ActiveDetailGridViewExists() {
  if (!IsValid()) return false;
  const int index = ActiveDetailIndex();
  return index != -1 && DataController()->IsDetailLinkObjectExist(RecordIndex(), index);
}

void TcxGridMasterDataRow::DoCollapse(bool ARecursive) {
  if (ARecursive && Expanded())
    for (int i = 0; i < DetailGridViewCount(); ++i)
      if (TcxCustomGridTableViewData* details = RecordsOf(DetailGridViews(i))) details->Collapse(true);
  DataController()->ChangeDetailExpanding(RecordIndex(), false);
}

// Expanding rebuilds the rows: this object may be stale afterwards, so the rest is done by the
// record that now stands for the same data record.
void TcxGridMasterDataRow::DoExpand(bool ARecursive) {
  const int recordIndex = RecordIndex();
  TcxCustomGridTableViewData* data = ViewData();
  DataController()->ChangeDetailExpanding(recordIndex, true);
  auto* current = dynamic_cast<TcxGridMasterDataRow*>(data->GetRecordByRecordIndex(recordIndex));
  if (current && current != this) {
    current->DoExpand(ARecursive);
    return;
  }
  if (current != this || !ARecursive || !Expanded()) return;
  for (int i = 0; i < DetailGridViewCount(); ++i)
    if (TcxCustomGridTableViewData* details = RecordsOf(DetailGridViews(i))) details->Expand(true);
}

// --- TcxGridViewData ---

bool TcxGridViewData::HasNewItemRecord() {
  auto* view = dynamic_cast<TcxGridTableView*>(GridView());
  return view && view->OptionsView()->NewItemRow();
}

std::unique_ptr<TcxCustomGridRecord> TcxGridViewData::CreateRecord(int AIndex, const TcxRowInfo& ARowInfo) {
  if (ARowInfo.Level >= DataController()->Groups()->GetGroupingItemCount() && GridView()->HasDetailLevels())
    return std::make_unique<TcxGridMasterDataRow>(this, AIndex, ARowInfo);
  return inherited::CreateRecord(AIndex, ARowInfo);
}

std::unique_ptr<TcxCustomGridRecord> TcxGridViewData::CreateNewItemRecord() {
  return std::make_unique<TcxGridNewItemRow>(this, -1,
                                             TcxRowInfo{false, 0, DataController()->GetNewItemRecordIndex()});
}
