#include "app/SheetExport.h"

#include "app/AppPaths.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/rtl/FileUtils.h"
#include "platform/win/Shell.h"
#include "platform/win/WindowTree.h"

String ExportGridToSheet(TCustomdxDBGrid* Grid, const String& SheetName, bool DeleteExisting, HWND Owner) {
  const String path = ProgramFolder() + SheetName;
  if (DeleteExisting && FileExists(path)) DeleteFile(path);
  Grid->SaveToExcelFile(path, true);
  ShellExecute(Owner, u"open", path.c_str(), nullptr, nullptr, SW_RESTORE);
  return path;
}
