#include "cx/grid/cxGridTableSummaryItems.h"

#include "cx/grid/cxGridDBTableView.h"
#include "platform/classes/Published.h"

TRENVIK_PUBLISHED(TcxGridTableSummaryItem) {
  P.Property("Column", &TcxGridTableSummaryItem::Column, &TcxGridTableSummaryItem::SetColumn);
}
TRENVIK_PUBLISHED(TcxGridTableSummaryGroupItemLink) {
  P.Property("Column", &TcxGridTableSummaryGroupItemLink::Column, &TcxGridTableSummaryGroupItemLink::SetColumn);
}
TRENVIK_PUBLISHED(TcxGridDBTableSummaryItem) {
  P.Property("Column", &TcxGridDBTableSummaryItem::Column, &TcxGridDBTableSummaryItem::SetColumn);
}

TcxCustomGridTableItem* cxGridSummaryFindItemByName(TcxCustomDataController* ADataController, const String& AName) {
  auto* view = ADataController ? dynamic_cast<TcxCustomGridTableView*>(ADataController->Owner()) : nullptr;
  return view ? view->FindItemByName(AName) : nullptr;
}

TClass TcxGridTableView::GetSummaryItemClass() const { return TcxGridTableSummaryItem::StaticClass(); }
TClass TcxGridTableView::GetSummaryGroupItemLinkClass() const {
  return TcxGridTableSummaryGroupItemLink::StaticClass();
}
TClass TcxGridDBTableView::GetSummaryItemClass() const { return TcxGridDBTableSummaryItem::StaticClass(); }
