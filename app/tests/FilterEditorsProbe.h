// The filter window's cx editors read and set by the tests, which cannot include the cx headers
// beside the dx ones.
#pragma once

#include "app/FilterForm.h"

namespace FilterEditorsProbe {

void SetAge(TFilterForm* Form, int From, int To);
String AgeTexts(TFilterForm* Form);  // "from-to"
void SetSexItem(TFilterForm* Form, int Item);
int SexItem(TFilterForm* Form);
// The sex group's buttons as the user sees them.
int SexButtonCount(TFilterForm* Form);
TControl* SexButton(TFilterForm* Form, int Index);
bool Visible(TWinControl* Control);
TWinControl* AsControl(TcxSpinEdit* Edit);
TWinControl* AsControl(TcxDateEdit* Edit);

}  // namespace FilterEditorsProbe
