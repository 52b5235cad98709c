// The person dialog's employee category: an extended lookup over a view of a hidden grid on the
// data module's categories. Compiled on its own: the dx headers the rest of the dialog uses cannot
// meet the cx ones.
#include "app/DataModule.h"
#include "app/GridLookup.h"
#include "app/PeopleDlg.h"
#include "cx/editors-ext/cxEditRepositoryItems.h"
#include "cx/grid/cxExtLookupComboBox.h"
#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridDBTableView.h"

void TPeopleDlg::MakeCategoryLookup() {
  cxExtLookupComboBox1 = LayoutEditor<TcxExtLookupComboBox>(this, u"cxExtLookupComboBox1");
  cxEditRepository1 = new TcxEditRepository(this);
  cxEditRepository1->SetName(u"cxEditRepository1");
  cxGrid1 = new TcxGrid(this);
  cxGrid1->SetName(u"cxGrid1");
  cxGrid1->SetParent(this);
  cxGrid1->SetVisible(false);
  TcxExtLookupComboBoxProperties* p =
      MakeGridLookup(this, cxGrid1, cxEditRepository1,
                     {cxExtLookupComboBox1, DataModule2->M_KAT_DS, u"M_KATID", u"NAME", u"наименование"},
                     u"cxGrid1DBTableView1", u"cxEditRepository1ExtLookupComboBoxItem1")
          ->Properties();
  auto* view = static_cast<TcxGridDBTableView*>(p->View());
  view->OptionsData()->SetDeleting(false);
  view->OptionsData()->SetEditing(false);
  view->OptionsData()->SetInserting(false);
  view->OptionsView()->SetColumnAutoWidth(true);
  view->OptionsView()->SetGroupByBox(false);
}

void TPeopleDlg::OpenCategories() {
  TDataSet* categories = DataModule2->M_KAT;
  if (categories->Active()) return;
  categories->Open();
  openedCategories_ = true;
}

// The card's category text is a lookup on the same table: a table that was open stays open.
void TPeopleDlg::CloseCategories() {
  if (openedCategories_) DataModule2->M_KAT->Close();
  openedCategories_ = false;
}

void TPeopleDlg::SetKatKey(const Variant& Key) { cxExtLookupComboBox1->SetEditValue(Key); }

Variant TPeopleDlg::KatKey() {
  const Variant key = cxExtLookupComboBox1->EditValue();
  return VarIsEmpty(key) ? Null() : key;
}
