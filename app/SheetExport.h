// The program's spreadsheet reports: a grid exported with all its rows to a file in the "Text"
// folder under the program's folder, then opened with the desktop's handler.
#pragma once

#include <functional>

#include "platform/rtl/Types.h"
#include "platform/rtl/WinDef.h"

class TCustomdxDBGrid;

// The print list's and the duplicate list's files, below the program's folder.
inline constexpr const char16_t* kPeopleListSheet = u"Text/PeopleList.xls";
inline constexpr const char16_t* kDoublesSheet = u"Text/Doubles.xls";

// Writes a grid's rows to a workbook file: the grid's own export unless a test puts a double in
// (nullptr gives the grid's own back).
using TGridWorkbookExport = std::function<void(TCustomdxDBGrid* Grid, const String& FileName)>;
void SetGridWorkbookExport(TGridWorkbookExport Export);

// Exports Grid to the program's folder + SheetName (an existing file deleted first when
// DeleteExisting) and opens it with the shell's "open" in a restored window owned by Owner.
// Answers the file's path. Failures (no "Text" folder, a file open elsewhere) reach the caller.
String ExportGridToSheet(TCustomdxDBGrid* Grid, const String& SheetName, bool DeleteExisting, HWND Owner);
