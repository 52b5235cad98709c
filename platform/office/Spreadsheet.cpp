#include "platform/office/Spreadsheet.h"

#include <fstream>
#include <iterator>

#include "platform/office/CellText.h"
#include "platform/rtl/String.h"

namespace {

constexpr std::uintmax_t kMaxFileSize = 256u * 1024 * 1024;

}  // namespace

bool ParseCellAddress(const String& address, std::uint32_t& row, std::uint32_t& column) {
  std::size_t i = 0;
  std::uint32_t col = 0, r = 0;
  for (; i < address.size() && i < 3; ++i) {
    Char c = address[i];
    if (c >= u'a' && c <= u'z') c = static_cast<Char>(c - 32);
    if (c < u'A' || c > u'Z') break;
    col = col * 26 + static_cast<std::uint32_t>(c - u'A' + 1);
  }
  if (i == 0 || i == address.size() || address.size() - i > 7) return false;
  for (std::size_t j = i; j < address.size(); ++j) {
    if (address[j] < u'0' || address[j] > u'9') return false;
    r = r * 10 + static_cast<std::uint32_t>(address[j] - u'0');
  }
  if (r == 0) return false;
  row = r - 1;
  column = col - 1;
  return true;
}

String SpreadsheetWorkbook::SheetText(std::size_t sheet, const String& address) const {
  std::uint32_t row = 0, column = 0;
  if (!ParseCellAddress(address, row, column)) throw EWorkbookError(u"no cell address: " + address);
  if (sheet >= book_.sheets.size()) return {};
  const WorkbookCell* cell = book_.sheets[sheet].Cell(row, column);
  return cell ? CellDisplayText(book_, *cell) : String();
}

String SpreadsheetWorkbook::FirstSheetText(const String& address) const { return SheetText(0, address); }
String SpreadsheetWorkbook::ActiveSheetText(const String& address) const { return SheetText(book_.activeSheet, address); }

std::unique_ptr<SpreadsheetWorkbook> XlsSpreadsheet::Open(const String& path) {
  const std::string file = StringToUtf8(path);
  auto fail = [&](const String& what) { return EWorkbookError(u"Cannot read workbook \"" + path + u"\": " + what); };
  std::ifstream in(file, std::ios::binary);
  if (!in) throw fail(u"the file cannot be opened");
  in.seekg(0, std::ios::end);
  const auto size = static_cast<std::uintmax_t>(in.tellg());
  if (size > kMaxFileSize) throw fail(u"the file is too large for a workbook");
  in.seekg(0);
  std::vector<std::uint8_t> bytes(size);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
  if (!in) throw fail(u"the file cannot be read");
  try {
    return std::make_unique<SpreadsheetWorkbook>(ReadWorkbook(bytes));
  } catch (const EWorkbookError& e) {
    throw fail(e.Message());
  }
}
