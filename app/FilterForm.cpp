#include "app/FilterForm.h"

#include <initializer_list>

#include "app/DataModule.h"
#include "dx/dbgrid/dxDBTL.h"
#include "dx/editors/dxCheckEdit.h"
#include "platform/forms/Colors.h"

TFilterForm* FilterForm = nullptr;

TRENVIK_PUBLISHED(TFilterForm) {
  P.Field("ActionMainMenuBar1", &TFilterForm::ActionMainMenuBar1);
  P.Field("ActionManager1", &TFilterForm::ActionManager1);
  P.Field("AApplyFilter", &TFilterForm::AApplyFilter);
  P.Field("ACancelFilter", &TFilterForm::ACancelFilter);
  P.Field("Panel1", &TFilterForm::Panel1);
  P.Field("dxCheckEdit1", &TFilterForm::dxCheckEdit1);
  P.Field("DBTreeList", &TFilterForm::DBTreeList);
  P.Field("Panel2", &TFilterForm::Panel2);
  P.Field("dxCheckEdit2", &TFilterForm::dxCheckEdit2);
  P.Field("Panel3", &TFilterForm::Panel3);
  P.Field("dxCheckEdit4", &TFilterForm::dxCheckEdit4);
  P.Field("LabeledEdit1", &TFilterForm::LabeledEdit1);
  P.Field("ComboBoxEx1", &TFilterForm::ComboBoxEx1);
  P.Field("dxCheckEdit5", &TFilterForm::dxCheckEdit5);
  P.Field("Label1", &TFilterForm::Label1);
  P.Field("Label2", &TFilterForm::Label2);
  P.Field("ComboBoxEx2", &TFilterForm::ComboBoxEx2);
  P.Field("dxCheckEdit6", &TFilterForm::dxCheckEdit6);
  P.Field("dxCheckEdit8", &TFilterForm::dxCheckEdit8);
  P.Field("dxCheckEdit10", &TFilterForm::dxCheckEdit10);
  P.Field("LabeledEdit2", &TFilterForm::LabeledEdit2);
  P.Field("ComboBoxEx4", &TFilterForm::ComboBoxEx4);
  P.Field("Panel4", &TFilterForm::Panel4);
  P.Field("dxCheckEdit3", &TFilterForm::dxCheckEdit3);
  P.Field("Panel5", &TFilterForm::Panel5);
  P.Field("dxCheckEdit7", &TFilterForm::dxCheckEdit7);
  P.Field("Label3", &TFilterForm::Label3);
  P.Field("Label4", &TFilterForm::Label4);
  P.Field("CheckBoxMaxDate", &TFilterForm::CheckBoxMaxDate);
  P.Field("ComboBoxEx3", &TFilterForm::ComboBoxEx3);
  P.Field("dxCheckEdit9", &TFilterForm::dxCheckEdit9);
  P.Field("dxCheckEdit11", &TFilterForm::dxCheckEdit11);
  P.Field("dxCheckEdit12", &TFilterForm::dxCheckEdit12);
  P.Field("dxCheckEdit13", &TFilterForm::dxCheckEdit13);
  P.Field("LabeledEdit3", &TFilterForm::LabeledEdit3);
  P.Field("ComboBoxEx5", &TFilterForm::ComboBoxEx5);
  P.Field("dxCheckEdit14", &TFilterForm::dxCheckEdit14);
  P.Field("LabeledEdit4", &TFilterForm::LabeledEdit4);
  P.Field("ComboBoxEx6", &TFilterForm::ComboBoxEx6);
  P.Field("dxCheckEdit15", &TFilterForm::dxCheckEdit15);
  P.Field("LabeledEdit5", &TFilterForm::LabeledEdit5);
  P.Field("ComboBoxEx7", &TFilterForm::ComboBoxEx7);
  P.Method("FormCreate", &TFilterForm::FormCreate);
  P.Method("FormShow", &TFilterForm::FormShow);
  P.Method("FormClose", &TFilterForm::FormClose);
  P.Method("AApplyFilterExecute", &TFilterForm::AApplyFilterExecute);
  P.Method("ACancelFilterExecute", &TFilterForm::ACancelFilterExecute);
  P.Method("ComboBoxEx2Change", &TFilterForm::ComboBoxEx2Change);
  P.Method("ComboBoxEx3Change", &TFilterForm::ComboBoxEx3Change);
  P.Method("LabeledEdit1Change", &TFilterForm::LabeledEdit1Change);
  P.Method("LabeledEdit2Change", &TFilterForm::LabeledEdit2Change);
  P.Method("LabeledEdit3Change", &TFilterForm::LabeledEdit3Change);
  P.Method("LabeledEdit4Change", &TFilterForm::LabeledEdit4Change);
  P.Method("LabeledEdit5Change", &TFilterForm::LabeledEdit5Change);
}

namespace {

const TColor kPersonBand = static_cast<TColor>(RGB(255, 248, 230));
const TColor kEduBand = static_cast<TColor>(RGB(255, 244, 215));

}  // namespace

void TFilterForm::FormCreate(TObject*) {
  MakeLookupTables();
  FindEditors();
  BindHandlers();
  DBTreeList->SetDataSource(DataModule2->M_DEP_INFILTER_DS);
  WhereText.clear();
  JoinText.clear();
  FilterDescription.clear();
  FilterSet = 0;
  SetNowDates();
}

// The window's own copies of the lookup tables, open only while it is shown.
void TFilterForm::MakeLookupTables() {
  auto table = [this](TADODataSet*& Ref, TDataSource*& Source, const char16_t* Name, const char16_t* Table) {
    Ref = new TADODataSet(this);
    Ref->SetName(Name);
    Ref->SetConnection(DataModule2->ADOConnection1);
    Ref->SetCommandText(u"select * from " + String(Table));
    Source = new TDataSource(this);
    Source->SetName(String(Name) + u"_DS");
    Source->SetDataSet(Ref);
  };
  table(M_KAT, M_KAT_DS, u"M_KAT", u"M_KAT");
  table(M_COLLAGE, M_COLLAGE_DS, u"M_COLLAGE", u"M_COLLAGE");
  table(M_ASSESS, M_ASSESS_DS, u"M_ASSESS", u"M_ASSESS");
  table(M_KATEDU, M_KATEDU_DS, u"M_KATEDU", u"M_KATEDU");
}

void TFilterForm::OpenLookupTables() {
  for (TADODataSet* d : {M_KAT, M_COLLAGE, M_ASSESS, M_KATEDU})
    if (!d->Active()) d->Open();
}

void TFilterForm::CloseLookupTables() {
  for (TADODataSet* d : {M_KAT, M_COLLAGE, M_ASSESS, M_KATEDU}) d->Close();
}

// The check edits publish no change event: their handlers are bound here.
void TFilterForm::BindHandlers() {
  dxCheckEdit1->OnChange = [this](TObject* Sender) { dxCheckEdit1Change(Sender); };
  dxCheckEdit2->OnChange = [this](TObject* Sender) { dxCheckEdit2Change(Sender); };
  dxCheckEdit3->OnChange = [this](TObject* Sender) { dxCheckEdit3Change(Sender); };
  dxCheckEdit2->SetAllowGrayed(false);
  for (TdxCheckEdit* section : {dxCheckEdit1, dxCheckEdit3}) section->SetAllowGrayed(true);
  for (TdxCheckEdit* box : {dxCheckEdit4, dxCheckEdit5, dxCheckEdit6, dxCheckEdit7, dxCheckEdit8, dxCheckEdit9,
                            dxCheckEdit10, dxCheckEdit11, dxCheckEdit12, dxCheckEdit13, dxCheckEdit14,
                            dxCheckEdit15}) {
    box->SetAllowGrayed(true);
    box->OnChange = [this](TObject* Sender) { dxCheckEdit4Change(Sender); };
  }
}

void TFilterForm::FormShow(TObject*) {
  ComboBoxEx2Change(ComboBoxEx2);
  ComboBoxEx3Change(ComboBoxEx3);
  OpenLookupTables();
}

void TFilterForm::FormClose(TObject*, TCloseAction&) {
  CloseLookupTables();
  if (ModalResult() == mrOk)
    BuildFilter();
  else
    ClearFilter();
}

void TFilterForm::AApplyFilterExecute(TObject*) { SetModalResult(mrOk); }

void TFilterForm::ACancelFilterExecute(TObject*) { SetModalResult(mrCancel); }

TFilterCheck TFilterForm::CheckOf(TdxCheckEdit* Box) {
  switch (Box->State()) {
    case cbsChecked:
      return TFilterCheck::Ticked;
    case cbsGrayed:
      return TFilterCheck::Grayed;
    default:
      return TFilterCheck::Clear;
  }
}

void TFilterForm::RestyleCaption(TdxCheckEdit* Box) {
  switch (Box->State()) {
    case cbsChecked:
      Box->Font()->SetStyle(TFontStyles{fsBold});
      break;
    case cbsGrayed:
      Box->Font()->SetStyle(TFontStyles{fsBold, fsStrikeOut});
      break;
    default:
      Box->Font()->SetStyle(TFontStyles{});
  }
}

void TFilterForm::TickWhenClear(TdxCheckEdit* Box) {
  if (Box->State() == cbsUnchecked) Box->SetState(cbsChecked);
}

void TFilterForm::FollowText(TLabeledEdit* Edit, TdxCheckEdit* Box) {
  if (Edit->Text().empty())
    Box->SetState(cbsUnchecked);
  else
    TickWhenClear(Box);
}

void TFilterForm::dxCheckEdit1Change(TObject*) {
  RestyleCaption(dxCheckEdit1);
  const bool on = dxCheckEdit1->State() != cbsUnchecked;
  if (on && !DataModule2->M_DEP_INFILTER->Active()) DataModule2->M_DEP_INFILTER->Open();
  DBTreeList->SetVisible(on);
  DBTreeList->SetEnabled(on);
}

void TFilterForm::ShowSection(TdxCheckEdit* Section, TPanel* Panel, TColor Colour,
                              std::initializer_list<TdxCheckEdit*> Boxes) {
  RestyleCaption(Section);
  const TdxCheckBoxState state = Section->State();
  Panel->SetVisible(state != cbsUnchecked);
  Panel->SetEnabled(state == cbsChecked);
  if (state == cbsChecked)
    Panel->SetColor(Colour);
  else if (state == cbsGrayed)
    Panel->SetColor(clInactiveCaptionText);
  if (state != cbsChecked)
    for (TdxCheckEdit* box : Boxes) box->SetState(cbsUnchecked);
  EnablePanelControls(Panel);
}

void TFilterForm::dxCheckEdit2Change(TObject*) {
  ShowSection(dxCheckEdit2, Panel3, kPersonBand,
              {dxCheckEdit4, dxCheckEdit5, dxCheckEdit6, dxCheckEdit8, dxCheckEdit10});
}

void TFilterForm::dxCheckEdit3Change(TObject*) {
  ShowSection(dxCheckEdit3, Panel5, kEduBand,
              {dxCheckEdit7, dxCheckEdit9, dxCheckEdit11, dxCheckEdit12, dxCheckEdit13, dxCheckEdit14,
               dxCheckEdit15});
}

void TFilterForm::EnablePanelControls(TPanel* Panel) {
  for (int i = 0; i < Panel->ControlCount(); ++i) Panel->Controls(i)->SetEnabled(Panel->Enabled());
}

void TFilterForm::dxCheckEdit4Change(TObject* Sender) {
  if (auto* box = dynamic_cast<TdxCheckEdit*>(Sender)) RestyleCaption(box);
}

void TFilterForm::ComboBoxEx2Change(TObject*) {
  const int item = ComboBoxEx2->ItemIndex();
  Label1->SetVisible(item == 1 || item == 2);
  Label2->SetVisible(item == 2 || item == 3);
  ShowAgeEditors(item);
}

void TFilterForm::ComboBoxEx3Change(TObject*) {
  const int item = ComboBoxEx3->ItemIndex();
  Label3->SetVisible(item == 1 || item == 2);
  Label4->SetVisible(item == 2 || item == 3);
  ShowDateEditors(item);
  if (item < 0)
    dxCheckEdit7->SetState(cbsUnchecked);
  else
    TickWhenClear(dxCheckEdit7);
}

void TFilterForm::LabeledEdit1Change(TObject*) { FollowText(LabeledEdit1, dxCheckEdit4); }
void TFilterForm::LabeledEdit2Change(TObject*) { FollowText(LabeledEdit2, dxCheckEdit10); }
void TFilterForm::LabeledEdit3Change(TObject*) { FollowText(LabeledEdit3, dxCheckEdit13); }
void TFilterForm::LabeledEdit4Change(TObject*) { FollowText(LabeledEdit4, dxCheckEdit14); }
void TFilterForm::LabeledEdit5Change(TObject*) { FollowText(LabeledEdit5, dxCheckEdit15); }
void TFilterForm::cxSpinEdit1Click(TObject*) { TickWhenClear(dxCheckEdit5); }
void TFilterForm::cxRadioGroup1Click(TObject*) { TickWhenClear(dxCheckEdit6); }

void TFilterForm::ClearLookupApply(int Row) {
  TdxCheckEdit* const boxes[] = {dxCheckEdit8, dxCheckEdit9, dxCheckEdit11, dxCheckEdit12};
  boxes[Row]->SetState(cbsUnchecked);
}
