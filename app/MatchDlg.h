// What every matching dialog of the import shares: the buttons at the bottom, the association page
// (0) and the new-entry page (1), and the key the user chose.
#pragma once

#include "platform/forms/ComCtrls.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"

class TMatchDlg : public TForm {
  TRENVIK_CLASS(TMatchDlg, TForm);

 public:
  explicit TMatchDlg(TComponent* AOwner) : TForm(AOwner) {}

  TPanel* Panel1 = nullptr;
  TButton* OKBtn = nullptr;
  // "Пропустить"; the institution's dialog has none.
  TButton* SkipBtn = nullptr;
  TButton* CancelBtn = nullptr;
  TPageControl* PageControl1 = nullptr;
  TTabSheet* TabSheet1 = nullptr;
  TTabSheet* TabSheet2 = nullptr;

  // The key of the entry current in the dialog's list when it closed.
  int SelectedID = 0;
};
