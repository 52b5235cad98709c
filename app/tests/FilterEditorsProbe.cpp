#include "app/tests/FilterEditorsProbe.h"

#include "cx/editors-ext/cxDateEdit.h"
#include "cx/editors-ext/cxRadioGroup.h"
#include "cx/editors/cxSpinEdit.h"

namespace FilterEditorsProbe {

void SetAge(TFilterForm* Form, int From, int To) {
  Form->cxSpinEdit1->SetValue(Variant(From));
  Form->cxSpinEdit2->SetValue(Variant(To));
}

String AgeTexts(TFilterForm* Form) { return Form->cxSpinEdit1->Text() + u"-" + Form->cxSpinEdit2->Text(); }

void SetSexItem(TFilterForm* Form, int Item) { Form->cxRadioGroup1->SetItemIndex(Item); }
int SexItem(TFilterForm* Form) { return Form->cxRadioGroup1->ItemIndex(); }
int SexButtonCount(TFilterForm* Form) { return Form->cxRadioGroup1->ButtonCount(); }
TControl* SexButton(TFilterForm* Form, int Index) { return Form->cxRadioGroup1->Buttons(Index); }

bool Visible(TWinControl* Control) { return Control->Visible(); }
TWinControl* AsControl(TcxSpinEdit* Edit) { return Edit; }
TWinControl* AsControl(TcxDateEdit* Edit) { return Edit; }

}  // namespace FilterEditorsProbe
