#include "app/PeopleDlg.h"

#include "app/DataModule.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "dx/dbgrid/dxDBGridColumnKinds.h"
#include "platform/win/Windows.h"

TRENVIK_PUBLISHED(TPeopleDlg) {
  P.Field("Panel2", &TPeopleDlg::Panel2);
  P.Field("LabeledEdit4", &TPeopleDlg::LabeledEdit4);
  P.Field("Label5", &TPeopleDlg::Label5);
  P.Field("Label6", &TPeopleDlg::Label6);
  P.Field("DBNavigator1", &TPeopleDlg::DBNavigator1);
  P.Field("dxDBGrid1", &TPeopleDlg::dxDBGrid1);
  P.Field("LabeledEdit1", &TPeopleDlg::LabeledEdit1);
  P.Field("LabeledEdit2", &TPeopleDlg::LabeledEdit2);
  P.Field("LabeledEdit3", &TPeopleDlg::LabeledEdit3);
  P.Field("DateTimePicker1", &TPeopleDlg::DateTimePicker1);
  P.Field("ComboBoxEx2", &TPeopleDlg::ComboBoxEx2);
  P.Field("LabeledEdit5", &TPeopleDlg::LabeledEdit5);
  P.Field("Label4", &TPeopleDlg::Label4);
  P.Method("FormCreate", &TPeopleDlg::FormCreate);
  P.Method("FormClose", &TPeopleDlg::FormClose);
  P.Method("LabeledEdit4KeyDown", &TPeopleDlg::LabeledEdit4KeyDown);
  P.Method("PageControl1Change", &TPeopleDlg::PageControl1Change);
  P.Method("ComboBoxEx2Change", &TPeopleDlg::ComboBoxEx2Change);
}

namespace {
// Names and keys of a reference list, in the list's order.
void FillKeyedItems(TDataSet* List, const char16_t* KeyField, const char16_t* NameField, TStrings* Items,
                    std::vector<int>& Keys) {
  if (!List->Active()) List->Open();
  Items->Clear();
  Keys.clear();
  for (List->First(); !List->Eof(); List->Next()) {
    Items->Add(List->FieldByName(NameField)->AsString());
    Keys.push_back(List->FieldByName(KeyField)->AsInteger());
  }
  List->First();
}

int PeopleDlgIndexOfKey(const std::vector<int>& Keys, int Key) {
  for (size_t i = 0; i < Keys.size(); ++i)
    if (Keys[i] == Key) return static_cast<int>(i);
  return -1;
}
}  // namespace

void TPeopleDlg::FormCreate(TObject*) {
  TDataModule2* dm = DataModule2;
  DBNavigator1->SetDataSource(dm->PeopleSeek_DS);
  dxDBGrid1->SetDataSource(dm->PeopleSeek_DS);
  // The list as the main window shows it now; cards made later in this import are not in it.
  dm->PeopleSeek->Close();
  dm->PeopleSeek->Open();
  FillKeyedItems(dm->M_SEX, u"M_SEXID", u"NAME", ComboBoxEx2->Items(), sexKeys_);
  MakeCategoryLookup();
  OpenCategories();
  ComboBoxEx2->SetItemIndex(0);
  UpdateOKBtn();
}

TPeopleDlg::~TPeopleDlg() {
  if (!DataModule2) return;
  DataModule2->PeopleSeek->Close();
  CloseCategories();
}

void TPeopleDlg::FormClose(TObject*, TCloseAction&) {
  if (PageControl1->ActivePageIndex() != 0) return;
  TDataSet* people = DataModule2->PeopleSeek;
  SelectedID = people->IsEmpty() ? 0 : people->FieldByName(u"O_PEOPLEID")->AsInteger();
}

void TPeopleDlg::LabeledEdit4KeyDown(TObject*, WORD& Key, TShiftState) {
  if (Key == VK_RETURN) SeekSurname(LabeledEdit4->Text());
}

void TPeopleDlg::SeekSurname(const String& Surname) { DataModule2->PeopleSeek->FindNearest({Variant(Surname)}); }

void TPeopleDlg::PageControl1Change(TObject*) { UpdateOKBtn(); }
void TPeopleDlg::ComboBoxEx2Change(TObject*) { UpdateOKBtn(); }

void TPeopleDlg::UpdateOKBtn() {
  OKBtn->SetEnabled(PageControl1->ActivePageIndex() != 1 || ComboBoxEx2->ItemIndex() >= 0);
}

void TPeopleDlg::SetSexKey(int Key) {
  ComboBoxEx2->SetItemIndex(PeopleDlgIndexOfKey(sexKeys_, Key));
  UpdateOKBtn();
}

int TPeopleDlg::SexKey() {
  const int i = ComboBoxEx2->ItemIndex();
  return i >= 0 && i < static_cast<int>(sexKeys_.size()) ? sexKeys_[i] : 0;
}
