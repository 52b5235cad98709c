// A cell's value as the spreadsheet program shows it, from the cell's number format, in the current
// locale (FormatSettings): General, numbers, percents, text, built-in and custom dates in either date
// system. A value too wide for its column is still given whole, never as "###".
#pragma once

#include "platform/office/Workbook.h"

String CellDisplayText(const Workbook& book, const WorkbookCell& cell);

// Formats a number with a format code ("0.00", "dd.mm.yyyy", "[$-419]d mmmm yyyy"); empty or
// "General" is the General format.
String FormatCellNumber(double value, const String& formatCode, bool dates1904);
