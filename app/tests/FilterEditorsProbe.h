// The filter window's cx editors read and set by the tests, which cannot include the cx headers
// beside the dx ones.
#pragma once

#include "app/FilterForm.h"

namespace FilterEditorsProbe {

void SetLookupKey(TcxExtLookupComboBox* Lookup, const Variant& Key);
Variant LookupKey(TcxExtLookupComboBox* Lookup);
void SetAge(TFilterForm* Form, int From, int To);
String AgeTexts(TFilterForm* Form);  // "from-to"
void SetSexItem(TFilterForm* Form, int Item);
int SexItem(TFilterForm* Form);
bool Visible(TWinControl* Control);
TWinControl* AsControl(TcxSpinEdit* Edit);
TWinControl* AsControl(TcxDateEdit* Edit);

}  // namespace FilterEditorsProbe
