#include "cx/grid/cxGridTableControllerStrs.h"

#include "platform/rtl/StringTable.h"

void cxGridTableControllerStrsInitialize() {
  RegisterResourceString(cxSGridDeletingFocusedConfirmationText, u"Delete record?");
  RegisterResourceString(cxSGridDeletingSelectedConfirmationText, u"Delete all selected records?");
  RegisterResourceString(cxSGridCustomizationFormCaption, u"Customization");
  RegisterResourceString(cxSGridCustomizationFormColumnsPageCaption, u"Columns");
}
