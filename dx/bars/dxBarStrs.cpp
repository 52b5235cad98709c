#include "dx/bars/dxBarStrs.h"

#include "dx/bars/dxBarCustomizingStrs.h"
#include "platform/rtl/Exceptions.h"

void RegisterBarTexts() {
  RegisterResourceString(dxSBAR_WANTTORESETTOOLBAR,
                         u"Are you sure you want to reset the changes made to the '%s' toolbar?");
  RegisterResourceString(dxSBAR_WANTTORESETUSAGEDATA,
                         u"This will delete the record of the commands you've used in this application and restore "
                         u"the default set of visible commands to the menus and toolbars. It will not undo any "
                         u"explicit customizations.   Are you sure you want to proceed?");
  RegisterResourceString(dxSBAR_ONEMANAGERPERFORM, u"A Form should contain only a single TdxBarManager");
  RegisterResourceString(dxSBAR_MANAGEROWNERNOTFORM,
                         u"TdxBarManager should have as its Owner - TForm (TCustomForm)");
  RegisterResourceString(dxSBAR_NOMANAGERS, u"There are no TdxBarManagers available");
  RegisterResourceString(dxSBAR_RECURSIVESUBITEMS, u"You cannot create recursive subitems");
  RegisterResourceString(dxSBAR_RECURSIVEGROUPS, u"You cannot create recursive groups");
  RegisterResourceString(dxSBAR_CUSTOMIZE, u"&Customize...");
  RegisterResourceString(dxSBAR_EXPAND, u"Expand (Ctrl-Down)");
  RegisterResourceString(dxSBAR_DRAGTOMAKEMENUFLOAT, u"Drag to make this menu float");
  RegisterCustomizingTexts();
}

void RaiseBarError(int TextId) { throw Exception(LoadResString(TextId)); }
