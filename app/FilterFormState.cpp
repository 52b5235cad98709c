// The filter window's settings: gathered into the list's texts when it closes with OK, reset when
// it is cancelled.
#include "app/DataModule.h"
#include "app/FilterForm.h"
#include "dx/dbgrid/dxDBTL.h"
#include "dx/editors/dxCheckEdit.h"

namespace {

TFilterTextRow FilterTextRow(TdxCheckEdit* Box, TLabeledEdit* Edit, TComboBoxEx* Items) {
  const int item = Items->ItemIndex();
  return {TFilterForm::CheckOf(Box), Edit->Text(), item >= 0 ? Items->Items()->Strings(item) : String()};
}

String ChosenItem(TComboBoxEx* Items) {
  const int item = Items->ItemIndex();
  return item >= 0 ? Items->Items()->Strings(item) : String();
}

}  // namespace

String TFilterForm::LookupName(const char16_t* Statement, const Variant& Key) {
  if (VarIsNull(Key) || VarIsEmpty(Key)) return String();
  TADOQuery* q = DataModule2->Q;
  q->Close();
  q->SQL()->SetText(String(Statement) + VarToStr(Key));
  q->Open();
  return q->Eof() ? String() : q->Fields()->Fields(0)->AsString();
}

std::vector<TFilterNode> TFilterForm::SelectedNodes() {
  std::vector<TFilterNode> nodes;
  for (int i = 0; i < DBTreeList->GetSelectedCount(); ++i) {
    TdxTreeListNode* node = DBTreeList->GetSelectedNode(i);
    nodes.push_back({node->GetString(0), node->GetString(1)});
  }
  return nodes;
}

TFilterSettings TFilterForm::GatherSettings() {
  TFilterSettings s;
  s.Territory = CheckOf(dxCheckEdit1);
  s.TerritoryCaption = dxCheckEdit1->Caption();
  if (s.Territory != TFilterCheck::Clear) s.SelectedNodes = SelectedNodes();
  s.Person = CheckOf(dxCheckEdit2);
  s.Surname = FilterTextRow(dxCheckEdit4, LabeledEdit1, ComboBoxEx1);
  s.Age.Apply = CheckOf(dxCheckEdit5);
  s.Age.Item = ChosenItem(ComboBoxEx2);
  s.SexApply = CheckOf(dxCheckEdit6);
  s.Category.Apply = CheckOf(dxCheckEdit8);
  s.Position = FilterTextRow(dxCheckEdit10, LabeledEdit2, ComboBoxEx4);
  s.Edu = CheckOf(dxCheckEdit3);
  s.EndDate.Apply = CheckOf(dxCheckEdit7);
  s.EndDate.Item = ChosenItem(ComboBoxEx3);
  s.EndDate.Latest = CheckBoxMaxDate->Checked();
  s.Institution.Apply = CheckOf(dxCheckEdit9);
  s.Assessment.Apply = CheckOf(dxCheckEdit11);
  s.KindOfTraining.Apply = CheckOf(dxCheckEdit12);
  s.Programme = FilterTextRow(dxCheckEdit13, LabeledEdit3, ComboBoxEx5);
  s.Plan = FilterTextRow(dxCheckEdit14, LabeledEdit4, ComboBoxEx6);
  s.Note = FilterTextRow(dxCheckEdit15, LabeledEdit5, ComboBoxEx7);
  ReadEditorSettings(s);
  s.Category.Name = LookupName(u"select NAME from M_KAT where M_KATID = ", s.Category.Key);
  s.Institution.Name = LookupName(u"select NAME from M_COLLAGE where M_COLLAGEID = ", s.Institution.Key);
  s.Assessment.Name = LookupName(u"select M_ASSESSNAME from M_ASSESS where M_ASSESSID = ", s.Assessment.Key);
  s.KindOfTraining.Name =
      LookupName(u"select M_KATEDUNAME from M_KATEDU where M_KATEDUID = ", s.KindOfTraining.Key);
  return s;
}

void TFilterForm::BuildFilter() {
  const TFilterTexts texts = BuildFilterTexts(GatherSettings(), DataModule2->BaseWhere);
  WhereText = texts.WhereText;
  JoinText = texts.JoinText;
  FilterDescription = texts.FilterDescription;
  FilterSet = texts.FilterSet ? 1 : 0;
}

void TFilterForm::ClearFilter() {
  for (TLabeledEdit* edit : {LabeledEdit1, LabeledEdit2, LabeledEdit3, LabeledEdit4, LabeledEdit5}) edit->Clear();
  ClearEditors();
  for (TComboBoxEx* items : {ComboBoxEx1, ComboBoxEx2, ComboBoxEx3, ComboBoxEx4, ComboBoxEx5, ComboBoxEx6,
                             ComboBoxEx7})
    items->SetItemIndex(-1);
  CheckBoxMaxDate->SetChecked(false);
  // The boxes last: emptying the rows above may tick them (a radio group's click does).
  for (TdxCheckEdit* box : {dxCheckEdit1, dxCheckEdit2, dxCheckEdit3, dxCheckEdit4, dxCheckEdit5, dxCheckEdit6,
                            dxCheckEdit7, dxCheckEdit8, dxCheckEdit9, dxCheckEdit10, dxCheckEdit11,
                            dxCheckEdit12, dxCheckEdit13, dxCheckEdit14, dxCheckEdit15})
    box->SetState(cbsUnchecked);
  WhereText.clear();
  JoinText.clear();
  FilterDescription.clear();
  FilterSet = 0;
}
