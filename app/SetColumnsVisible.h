// The dialog that chooses which columns of a grid are shown: a check list of the column captions.
#pragma once

#include "dx/treelist/dxTLControl.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"

class TSetColumnsVisibleDlg : public TForm {
  TRENVIK_CLASS(TSetColumnsVisibleDlg, TForm);

 public:
  explicit TSetColumnsVisibleDlg(TComponent* AOwner) : TForm(AOwner) {}

  TCheckListBox* CheckListBox1 = nullptr;
  TButton* OKBtn = nullptr;
  TButton* CancelBtn = nullptr;

 protected:
  void Loaded() override;
};

// Lists every column of Grid (hidden ones too) ticked when shown; on OK the ticks become the
// columns' visibility.
void ChooseVisibleColumns(TCustomdxTreeListControl* Grid);
