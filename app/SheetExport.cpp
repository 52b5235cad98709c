#include "app/SheetExport.h"

#include "app/AppPaths.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/rtl/FileUtils.h"
#include "platform/win/Shell.h"
#include "platform/win/WindowTree.h"

namespace {

TGridWorkbookExport& WorkbookExport() {
  static TGridWorkbookExport exporter;
  return exporter;
}

}  // namespace

void SetGridWorkbookExport(TGridWorkbookExport Export) { WorkbookExport() = std::move(Export); }

String ExportGridToSheet(TCustomdxDBGrid* Grid, const String& SheetName, bool DeleteExisting, HWND Owner) {
  const String path = ProgramFolder() + SheetName;
  if (DeleteExisting && FileExists(path)) DeleteFile(path);
  if (WorkbookExport())
    WorkbookExport()(Grid, path);
  else
    Grid->SaveToExcelFile(path, true);
  ShellExecute(Owner, u"open", path.c_str(), nullptr, nullptr, SW_RESTORE);
  return path;
}
