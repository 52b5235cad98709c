#include "app/SetColumnsVisible.h"

#include <memory>

#include "platform/classes/FormResources.h"

TRENVIK_PUBLISHED(TSetColumnsVisibleDlg) {
  P.Field("CheckListBox1", &TSetColumnsVisibleDlg::CheckListBox1);
  P.Field("OKBtn", &TSetColumnsVisibleDlg::OKBtn);
  P.Field("CancelBtn", &TSetColumnsVisibleDlg::CancelBtn);
}

void TSetColumnsVisibleDlg::Loaded() {
  RequireFieldComponents(this);
  inherited::Loaded();
}

void ChooseVisibleColumns(TCustomdxTreeListControl* Grid) {
  std::unique_ptr<TSetColumnsVisibleDlg> dialog(NewForm<TSetColumnsVisibleDlg>(nullptr));
  TCheckListBox* list = dialog->CheckListBox1;
  const int count = Grid->GetColumnCount();
  for (int i = 0; i < count; ++i) {
    TdxTreeListColumn* column = Grid->GetColumn(i);
    list->Items()->Add(column->Caption());
    list->SetChecked(i, column->Visible());
  }
  if (dialog->ShowModal() != mrOk) return;
  for (int i = 0; i < count && i < list->Items()->Count(); ++i)
    Grid->GetColumn(i)->SetVisible(list->Checked(i));
}
