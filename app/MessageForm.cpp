#include "app/MessageForm.h"

TRENVIK_PUBLISHED(TMessageForm) {
  P.Field("LabeledEdit1", &TMessageForm::LabeledEdit1);
  P.Field("LabeledEdit2", &TMessageForm::LabeledEdit2);
}
