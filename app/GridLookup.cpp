#include "app/GridLookup.h"

#include "cx/editors-ext/cxEditRepositoryItems.h"
#include "cx/grid/cxExtLookupComboBox.h"
#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridDBTableView.h"

TcxEditRepositoryExtLookupComboBoxItem* MakeGridLookup(TComponent* Owner, TcxGrid* Grid, TcxEditRepository* Repository,
                                                       const TGridLookup& Lookup, const String& ViewName,
                                                       const String& ItemName) {
  auto* view = new TcxGridDBTableView(Owner);
  view->SetName(ViewName);
  Grid->AddChildComponent(view);
  view->DataController()->SetDataSource(Lookup.Source);
  TcxGridDBColumn* key = view->CreateColumn();
  key->DataBinding()->SetFieldName(Lookup.Key);
  key->SetVisible(false);
  TcxGridDBColumn* list = view->CreateColumn();
  list->DataBinding()->SetFieldName(Lookup.List);
  list->SetCaption(Lookup.Caption);
  Grid->RootLevel()->AddLevel()->SetGridView(view);

  auto* item = static_cast<TcxEditRepositoryExtLookupComboBoxItem*>(
      Repository->CreateItem(TcxEditRepositoryExtLookupComboBoxItem::StaticClass()));
  item->SetName(ItemName);
  TcxExtLookupComboBoxProperties* p = item->Properties();
  p->SetView(view);
  p->SetKeyFieldNames(Lookup.Key);
  p->SetListFieldItem(list);
  p->SetClearKey(16452);  // Ctrl+D
  Lookup.Combo->SetRepositoryItem(item);
  return item;
}
