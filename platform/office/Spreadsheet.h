// What the import asks of a spreadsheet program: open a workbook, read the first sheet's cells and
// the active sheet's cells by address ("F1", "A4") as displayed text. XlsSpreadsheet reads .xls files
// itself; tests of the import put a double in its place.
#pragma once

#include <memory>

#include "platform/office/Workbook.h"
#include "platform/office/WorkbookError.h"

class SpreadsheetWorkbook {
 public:
  explicit SpreadsheetWorkbook(Workbook book) : book_(std::move(book)) {}
  // An address that names no cell, or an empty cell, gives an empty text.
  String FirstSheetText(const String& address) const;
  String ActiveSheetText(const String& address) const;
  const Workbook& Book() const { return book_; }

 private:
  String SheetText(std::size_t sheet, const String& address) const;
  Workbook book_;
};

class Spreadsheet {
 public:
  virtual ~Spreadsheet() = default;
  // Raises when the program cannot be reached.
  virtual void Connect() = 0;
  // Raises EWorkbookError naming the file and what it is when it cannot be opened as a workbook.
  virtual std::unique_ptr<SpreadsheetWorkbook> Open(const String& path) = 0;
};

class XlsSpreadsheet : public Spreadsheet {
 public:
  void Connect() override {}
  std::unique_ptr<SpreadsheetWorkbook> Open(const String& path) override;
};

// "F1" to a zero-based row and column; false for text that is no cell address.
bool ParseCellAddress(const String& address, std::uint32_t& row, std::uint32_t& column);
