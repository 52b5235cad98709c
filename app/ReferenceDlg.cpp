#include "app/ReferenceDlg.h"

#include "app/DataModule.h"

TRENVIK_PUBLISHED(TReferenceDlg) {
  P.Field("dxDBGrid1", &TReferenceDlg::dxDBGrid1);
  P.Field("Label1", &TReferenceDlg::Label1);
  P.Field("Memo1", &TReferenceDlg::Memo1);
  P.Method("FormCreate", &TReferenceDlg::FormCreate);
  P.Method("FormClose", &TReferenceDlg::FormClose);
}

TRENVIK_IMPLEMENT_CLASS(TCollageDlg)
TRENVIK_IMPLEMENT_CLASS(TKatEduDlg)
TRENVIK_IMPLEMENT_CLASS(TSexDlg)

TDataSource* TCollageDlg::ListSource() const { return DataModule2->M_COLLAGE_DS; }
TDataSource* TKatEduDlg::ListSource() const { return DataModule2->M_KATEDU_DS; }
TDataSource* TSexDlg::ListSource() const { return DataModule2->M_SEX_DS; }

void TReferenceDlg::FormCreate(TObject*) {
  dxDBGrid1->SetDataSource(ListSource());
  if (!ListSource()->DataSet()->Active()) ListSource()->DataSet()->Open();
}

// Whatever closed the dialog: the import reads the key only after OK on the association page.
void TReferenceDlg::FormClose(TObject*, TCloseAction&) {
  TDataSet* list = ListSource()->DataSet();
  SelectedID = list->IsEmpty() ? 0 : list->FieldByName(dxDBGrid1->KeyField())->AsInteger();
}
