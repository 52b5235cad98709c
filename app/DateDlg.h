// The dialog that asks for one date (a contract's term).
#pragma once

#include "platform/forms/ComCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"

class TDateDlgForm : public TForm {
  TRENVIK_CLASS(TDateDlgForm, TForm);

 public:
  explicit TDateDlgForm(TComponent* AOwner) : TForm(AOwner) {}

  TDateTimePicker* DateTimePicker1 = nullptr;
  TButton* OKBtn = nullptr;
  TButton* CancelBtn = nullptr;
};

// The dialog while it is shown; null otherwise.
extern TDateDlgForm* DateDlgForm;
