// The progress of a workbook read: rows staged and rows the staging table refused.
#pragma once

#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"

class TMessageForm : public TForm {
  TRENVIK_CLASS(TMessageForm, TForm);

 public:
  explicit TMessageForm(TComponent* AOwner) : TForm(AOwner) {}

  TLabeledEdit* LabeledEdit1 = nullptr;
  TLabeledEdit* LabeledEdit2 = nullptr;
};
