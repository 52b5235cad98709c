// Start-up of the grid library's modules, in the library's module order.
#include "cx/grid/cxExtLookupComboBox.h"
#include "cx/grid/cxFilterControl.h"
#include "cx/grid/cxFilterControlUtils.h"
#include "cx/grid/cxFilterDialog.h"
#include "cx/grid/cxGrid.h"
#include "cx/grid/cxGridCommon.h"
#include "cx/grid/cxGridDBTableView.h"
#include "cx/grid/cxGridTableControllerStrs.h"
#include "cx/grid/cxGridTableView.h"
#include "cx/grid/cxStyles.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/ModuleInit.h"

void RegisterCxEditorsExtModules();

namespace {

void InitializeStyles() { RegisterClasses({TcxStyle::StaticClass(), TcxStyleRepository::StaticClass()}); }

void InitializeGridCommon() {
  cxGridCursorsInitialize();
  cxGridTableControllerStrsInitialize();
}

void InitializeFilterControlUtils() {
  cxFilterControlConstsInitialize();
  cxFilterEditsControllerInitialize();
}

void InitializeGrid() {
  RegisterClasses({TcxGrid::StaticClass(), TcxGridLevel::StaticClass()});
  cxGridHitTestsInitialize();
}

}  // namespace

void RegisterCxGridModules() {
  RegisterCxEditorsExtModules();
  RegisterModule("cxStyles", kRankCxGrid + 0, &InitializeStyles, nullptr);
  RegisterModule("cxGridCommon", kRankCxGrid + 1, &InitializeGridCommon, &cxGridCursorsFinalize);
  RegisterModule("cxGrid", kRankCxGrid + 2, &InitializeGrid, &cxGridHitTestsFinalize);
  RegisterModule("cxGridCustomView", kRankCxGrid + 3, &cxGridViewsInitialize, &cxGridViewsFinalize);
  RegisterModule("cxGridDBTableView", kRankCxGrid + 4, &cxGridDBViewsInitialize, &cxGridDBViewsFinalize);
  RegisterModule("cxExtLookupComboBox", kRankCxGrid + 20, &cxExtLookupComboBoxInitialize, nullptr);
  RegisterModule("cxFilterControlUtils", kRankCxGrid + 21, &InitializeFilterControlUtils,
                 &cxFilterEditsControllerFinalize);
  RegisterModule("cxFilterControl", kRankCxGrid + 22, &cxFilterControlInitialize, &cxFilterControlFinalize);
  RegisterModule("cxFilterDialogs", kRankCxGrid + 23, &cxFilterDialogsInitialize, nullptr);
}
