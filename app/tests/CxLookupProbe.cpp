#include "app/tests/CxLookupProbe.h"

#include "cx/grid/cxExtLookupComboBox.h"
#include "cx/grid/cxGridCustomTableView.h"
#include "cx/grid/cxGridRows.h"

namespace CxLookupProbe {

void SetLookupKey(TcxExtLookupComboBox* Lookup, const Variant& Key) { Lookup->SetEditValue(Key); }
Variant LookupKey(TcxExtLookupComboBox* Lookup) { return Lookup->EditValue(); }
String LookupText(TcxExtLookupComboBox* Lookup) { return Lookup->Text(); }
bool LookupDroppedDown(TcxExtLookupComboBox* Lookup) { return Lookup->DroppedDown(); }
TWinControl* AsControl(TcxExtLookupComboBox* Lookup) { return Lookup; }

std::vector<String> ListedNames(TcxExtLookupComboBox* Lookup) {
  TcxExtLookupComboBoxProperties* properties = Lookup->ActiveProperties();
  TcxCustomGridTableViewData* rows = properties->View()->ViewData();
  const int column = properties->ListFieldItem()->Index();
  std::vector<String> names;
  for (int i = 0; i < rows->RecordCount(); ++i) names.push_back(rows->Records(i)->DisplayTexts(column));
  return names;
}

}  // namespace CxLookupProbe
