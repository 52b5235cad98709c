#include "app/RayonDepDlg.h"

#include "app/DataModule.h"

TRENVIK_PUBLISHED(TRayonDepDlg) {
  P.Field("Label2", &TRayonDepDlg::Label2);
  P.Field("dxDBTreeList1", &TRayonDepDlg::dxDBTreeList1);
  P.Field("StaticText1", &TRayonDepDlg::StaticText1);
  P.Field("Label3", &TRayonDepDlg::Label3);
  P.Field("dxDBTreeList2", &TRayonDepDlg::dxDBTreeList2);
  P.Field("LabeledEdit1", &TRayonDepDlg::LabeledEdit1);
  P.Field("ComboBoxEx1", &TRayonDepDlg::ComboBoxEx1);
  P.Method("FormCreate", &TRayonDepDlg::FormCreate);
  P.Method("FormClose", &TRayonDepDlg::FormClose);
  P.Method("PageControl1Change", &TRayonDepDlg::PageControl1Change);
}

void TRayonDepDlg::FormCreate(TObject*) {
  TDataModule2* dm = DataModule2;
  dxDBTreeList1->SetDataSource(dm->M_RAYON_DEP_DS);
  dxDBTreeList2->SetDataSource(dm->M_RAYON_DEP_DS);
  // The focused node's name under the tree.
  dxDBTreeList1->OnChangeNode = [this](TObject* Sender, TdxTreeListNode* OldNode, TdxTreeListNode* Node) {
    dxDBTreeList1ChangeNode(Sender, OldNode, Node);
  };
  if (!dm->M_RAYON_DEP->Active()) dm->M_RAYON_DEP->Open();
}

TRayonDepDlg::~TRayonDepDlg() {
  if (!DataModule2) return;
  DataModule2->M_RAYON_DEP->SetFiltered(false);
  DataModule2->M_RAYON_DEP->Close();
}

void TRayonDepDlg::FormClose(TObject*, TCloseAction&) {
  TDataSet* tree = DataModule2->M_RAYON_DEP;
  SelectedID = tree->IsEmpty() ? 0 : tree->FieldByName(u"M_RAYON_DEPID")->AsInteger();
}

// A new body goes under a territory or an "other" node: page 1 offers only those.
void TRayonDepDlg::PageControl1Change(TObject*) {
  TDataSet* tree = DataModule2->M_RAYON_DEP;
  tree->SetFiltered(false);
  if (PageControl1->ActivePageIndex() != 1) return;
  tree->SetFilter(u" M_VIDDEPID = 3 OR M_VIDDEPID = 4 ");
  tree->SetFiltered(true);
}

void TRayonDepDlg::dxDBTreeList1ChangeNode(TObject*, TdxTreeListNode*, TdxTreeListNode* Node) {
  Label3->SetCaption(Node ? Node->GetString(0) : String());
}
