// An .xls workbook read into memory: its sheets with their cells, the active tab, and what is needed
// to show a cell's value as text (cell styles, number formats, date system). Reads BIFF8 and BIFF5
// workbooks from a compound file and BIFF2-4 worksheets stored as plain record streams.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <unordered_map>
#include <vector>

#include "platform/rtl/Types.h"

struct WorkbookCell {
  enum class Kind { Text, Number, Boolean, Error };
  Kind kind = Kind::Text;
  String text;
  double number = 0;  // the value of a number, the truth of a boolean, the code of an error
  std::uint16_t xf = 0;
};

struct WorkbookSheet {
  String name;
  std::unordered_map<std::uint32_t, WorkbookCell> cells;  // keyed by CellKey

  static std::uint32_t CellKey(std::uint32_t row, std::uint32_t column) { return row << 8 | (column & 0xFF); }
  const WorkbookCell* Cell(std::uint32_t row, std::uint32_t column) const;
};

struct Workbook {
  std::vector<WorkbookSheet> sheets;
  std::size_t activeSheet = 0;
  std::vector<std::uint16_t> xfFormats;          // the number format of each cell style
  std::map<std::uint16_t, String> formats;       // number formats stored in the file
  bool dates1904 = false;
  bool builtInFormatIndexes = true;  // BIFF5 on; older versions number their formats in order

  // The format code a cell is shown with; empty for General.
  String FormatCode(const WorkbookCell& cell) const;
};

// Raises EWorkbookError saying what the bytes are when they hold no readable .xls workbook
// (a zip package, an encrypted or damaged workbook, other data).
Workbook ReadWorkbook(std::span<const std::uint8_t> fileBytes);
