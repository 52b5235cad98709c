// Workbooks: the bytes read as an .xls file, then every cell of every sheet shown as text, as the
// import reads them, and the addresses the import asks for looked up.
#include "fuzz/FuzzSupport.h"
#include "platform/office/CellText.h"
#include "platform/office/Spreadsheet.h"

void RegisterRtlModules();

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, size_t Size) {
  StartFuzzing(RegisterRtlModules);
  Workbook book;
  try {
    book = ReadWorkbook({Data, Size});
  } catch (const EWorkbookError&) {
    return 0;
  }
  for (const WorkbookSheet& sheet : book.sheets)
    for (const auto& [key, cell] : sheet.cells) (void)CellDisplayText(book, cell);
  const SpreadsheetWorkbook opened(std::move(book));
  for (const char16_t* address : {u"F1", u"A4", u"IV65536", u"B2"}) {
    (void)opened.FirstSheetText(address);
    (void)opened.ActiveSheetText(address);
  }
  return 0;
}
