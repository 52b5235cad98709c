// What a table view gives the filter control linked to it: its filterable items by position, their
// IDs as the criteria's item links.
#include "cx/grid/cxFilterControlRows.h"
#include "cx/grid/cxGridCustomTableView.h"

namespace {

bool cxGridItemIsFilterable(TcxCustomGridTableItem* AItem) {
  TcxCustomEditProperties* properties = AItem->GetProperties();
  return properties && properties->GetSupportedOperations().Contains(esoFiltering);
}

}  // namespace

TcxCustomGridTableItem* TcxCustomGridTableView::FilterableItems(int AIndex) {
  for (int i = 0; i < ItemCount(); ++i)
    if (cxGridItemIsFilterable(Items(i)) && AIndex-- == 0) return Items(i);
  return nullptr;
}

String TcxCustomGridTableView::GetCaption(int AIndex) { return FilterableItems(AIndex)->Caption(); }

int TcxCustomGridTableView::GetCount() {
  int count = 0;
  for (int i = 0; i < ItemCount(); ++i)
    if (cxGridItemIsFilterable(Items(i))) ++count;
  return count;
}

TcxFilterCriteria* TcxCustomGridTableView::GetCriteria() { return DataController()->Filter(); }

TObject* TcxCustomGridTableView::GetItemLink(int AIndex) {
  return cxFilterControlItemLink(FilterableItems(AIndex)->ID());
}

String TcxCustomGridTableView::GetFieldName(int) { return String(); }

TcxCustomEditProperties* TcxCustomGridTableView::GetProperties(int AIndex) {
  return FilterableItems(AIndex)->GetProperties();
}

const TcxValueType* TcxCustomGridTableView::GetValueType(int AIndex) {
  return DataController()->GetItemValueTypeClass(FilterableItems(AIndex)->Index());
}
