// The program's extended lookups read, set and driven by the tests, which cannot include the cx
// headers beside the dx ones.
#pragma once

#include "platform/forms/Controls.h"
#include "platform/rtl/Variant.h"

#include <vector>

class TcxExtLookupComboBox;

namespace CxLookupProbe {

void SetLookupKey(TcxExtLookupComboBox* Lookup, const Variant& Key);
Variant LookupKey(TcxExtLookupComboBox* Lookup);
// The text the box shows.
String LookupText(TcxExtLookupComboBox* Lookup);
bool LookupDroppedDown(TcxExtLookupComboBox* Lookup);
// The names the drop-down's list column shows, in the list's order.
std::vector<String> ListedNames(TcxExtLookupComboBox* Lookup);
TWinControl* AsControl(TcxExtLookupComboBox* Lookup);

}  // namespace CxLookupProbe
