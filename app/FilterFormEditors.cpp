// The filter window's cx editors: the age spin edits, the sex radio group, the end-date pickers and
// the four lookups over views of the hidden grid. Compiled on its own: the dx headers the rest of
// the window uses cannot meet the cx ones.
#include "app/FilterForm.h"
#include "app/GridLookup.h"
#include "cx/editors-ext/cxDateEdit.h"
#include "cx/editors-ext/cxEditRepositoryItems.h"
#include "cx/editors-ext/cxRadioGroup.h"
#include "cx/editors/cxSpinEdit.h"
#include "cx/grid/cxExtLookupComboBox.h"
#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridDBTableView.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/DateTime.h"

void RegisterFilterEditorClasses() {
  RegisterClasses({TcxSpinEdit::StaticClass(), TcxRadioGroup::StaticClass(), TcxDateEdit::StaticClass(),
                   TcxExtLookupComboBox::StaticClass()});
}

void TFilterForm::FindEditors() {
  cxSpinEdit1 = LayoutEditor<TcxSpinEdit>(this, u"cxSpinEdit1");
  cxSpinEdit2 = LayoutEditor<TcxSpinEdit>(this, u"cxSpinEdit2");
  cxRadioGroup1 = LayoutEditor<TcxRadioGroup>(this, u"cxRadioGroup1");
  cxDateEdit1 = LayoutEditor<TcxDateEdit>(this, u"cxDateEdit1");
  cxDateEdit2 = LayoutEditor<TcxDateEdit>(this, u"cxDateEdit2");
  cxExtLookupComboBox1 = LayoutEditor<TcxExtLookupComboBox>(this, u"cxExtLookupComboBox1");
  cxExtLookupComboBox2 = LayoutEditor<TcxExtLookupComboBox>(this, u"cxExtLookupComboBox2");
  cxExtLookupComboBox3 = LayoutEditor<TcxExtLookupComboBox>(this, u"cxExtLookupComboBox3");
  cxExtLookupComboBox4 = LayoutEditor<TcxExtLookupComboBox>(this, u"cxExtLookupComboBox4");

  for (TcxSpinEdit* spin : {cxSpinEdit1, cxSpinEdit2}) {
    spin->ActiveProperties()->SetMinValue(spin == cxSpinEdit1 ? -999 : 0);
    spin->ActiveProperties()->SetMaxValue(999);
    spin->OnClick = [this](TObject* Sender) { cxSpinEdit1Click(Sender); };
  }
  cxRadioGroup1->OnClick = [this](TObject* Sender) { cxRadioGroup1Click(Sender); };
  cxEditRepository1 = new TcxEditRepository(this);
  cxEditRepository1->SetName(u"cxEditRepository1");
  MakeSexItem();
  MakeLookups();
}

void TFilterForm::MakeSexItem() {
  cxEditRepository1RadioGroupItem1 = static_cast<TcxEditRepositoryRadioGroupItem*>(
      cxEditRepository1->CreateItem(TcxEditRepositoryRadioGroupItem::StaticClass()));
  cxEditRepository1RadioGroupItem1->SetName(u"cxEditRepository1RadioGroupItem1");
  TcxRadioGroupProperties* sex = cxEditRepository1RadioGroupItem1->TypedProperties();
  sex->SetColumns(2);
  sex->Items()->Add(u"мужской", Variant(1));
  sex->Items()->Add(u"женский", Variant(2));
  cxRadioGroup1->SetRepositoryItem(cxEditRepository1RadioGroupItem1);
}

// Each lookup shows one view of the hidden grid: the key column hidden, the name column listed.
void TFilterForm::MakeLookups() {
  cxGrid1 = new TcxGrid(this);
  cxGrid1->SetName(u"cxGrid1");
  cxGrid1->SetParent(this);
  cxGrid1->SetVisible(false);
  const TGridLookup lookups[] = {
      {cxExtLookupComboBox1, M_KAT_DS, u"M_KATID", u"NAME", u"наименование"},
      {cxExtLookupComboBox2, M_COLLAGE_DS, u"M_COLLAGEID", u"NAME", u"наименование учебного заведения"},
      {cxExtLookupComboBox3, M_ASSESS_DS, u"M_ASSESSID", u"M_ASSESSNAME", u"наименование"},
      {cxExtLookupComboBox4, M_KATEDU_DS, u"M_KATEDUID", u"M_KATEDUNAME", u"наименование"},
  };
  int row = 0;
  for (const TGridLookup& lookup : lookups) {
    const String n = IntToStr(row + 1);
    TcxExtLookupComboBoxProperties* p =
        MakeGridLookup(this, cxGrid1, cxEditRepository1, lookup, u"cxGrid1DBTableView" + n,
                       u"cxEditRepository1ExtLookupComboBoxItem" + n)
            ->Properties();
    p->SetDropDownAutoSize(lookup.Combo == cxExtLookupComboBox1);
    p->OnEditValueChanged = [this, combo = lookup.Combo, row](TObject*) {
      if (VarIsNull(combo->EditValue()) || VarIsEmpty(combo->EditValue())) ClearLookupApply(row);
    };
    ++row;
  }
}

void TFilterForm::ReadEditorSettings(TFilterSettings& S) {
  S.Age.From = cxSpinEdit1->Text();
  S.Age.To = cxSpinEdit2->Text();
  S.SexItem = cxRadioGroup1->ItemIndex();
  S.Category.Key = cxExtLookupComboBox1->EditValue();
  S.Institution.Key = cxExtLookupComboBox2->EditValue();
  S.Assessment.Key = cxExtLookupComboBox3->EditValue();
  S.KindOfTraining.Key = cxExtLookupComboBox4->EditValue();
  S.EndDate.From = cxDateEdit1->Date();
  S.EndDate.To = cxDateEdit2->Date();
}

void TFilterForm::ClearEditors() {
  cxSpinEdit1->SetValue(Variant(0));
  cxSpinEdit2->SetValue(Variant(0));
  cxRadioGroup1->SetItemIndex(-1);
  for (TcxExtLookupComboBox* lookup :
       {cxExtLookupComboBox1, cxExtLookupComboBox2, cxExtLookupComboBox3, cxExtLookupComboBox4})
    lookup->SetEditValue(Null());
}

void TFilterForm::ShowAgeEditors(int Item) {
  cxSpinEdit1->SetVisible(Item >= 0 && Item <= 2);
  cxSpinEdit2->SetVisible(Item >= 2);
}

void TFilterForm::ShowDateEditors(int Item) {
  cxDateEdit1->SetVisible(Item >= 0 && Item <= 2);
  cxDateEdit2->SetVisible(Item >= 2);
}

void TFilterForm::SetNowDates() {
  cxDateEdit1->SetDate(Now());
  cxDateEdit2->SetDate(Now());
}
