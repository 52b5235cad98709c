// Reading workbooks from the compound file: sheets, the active tab, cells of each record kind,
// strings split by CONTINUE, and both placements of the workbook stream (mini stream and sectors).
#include <gtest/gtest.h>

#include "XlsFixture.h"
#include "platform/office/CellText.h"
#include "platform/office/Workbook.h"
#include "platform/office/WorkbookError.h"
#include "platform/rtl/FormatSettings.h"

namespace {

class WorkbookReadTest : public testing::Test {
 protected:
  void SetUp() override { SetLocale("ru-RU"); }
  void TearDown() override { SetLocale("en-US"); }

  static String Text(const Workbook& book, std::size_t sheet, unsigned row, unsigned col) {
    const WorkbookCell* cell = book.sheets.at(sheet).Cell(row, col);
    return cell ? CellDisplayText(book, *cell) : String(u"<none>");
  }
};

// Two sheets, the second active: an institution in the first sheet's F1, data rows in the second.
Biff8Book TwoSheetBook(std::size_t padRows) {
  Biff8Book book;
  const std::uint16_t dateStyle = book.AddXf(14);
  book.AddSheet(u"Титул");
  book.Label(0, 5, u"Университет им. Петрова");
  book.AddSheet(u"Данные");
  book.SetActive(1);
  book.Label(3, 0, u"Иванов");
  book.Label(3, 1, u"");
  book.Number(3, 4, 32874, dateStyle);  // 1990-01-01
  book.Rk(3, 6, (42u << 2) | 2);
  book.Rk(3, 7, (1234u << 2) | 3);  // 12.34 as an integer hundredth
  // Row 5 left empty; a row after it.
  book.Label(5, 0, u"Сидоров");
  for (std::size_t r = 0; r < padRows; ++r) book.Number(static_cast<unsigned>(10 + r), 2, static_cast<double>(r));
  return book;
}

TEST_F(WorkbookReadTest, ReadsSheetsCellsAndActiveTabFromMiniStreamAndFromSectors) {
  for (std::size_t padRows : {0u, 600u}) {
    SCOPED_TRACE(padRows);
    const Bytes stream = TwoSheetBook(padRows).Stream();
    ASSERT_EQ(padRows == 0, stream.size() < 4096);
    const Workbook book = ReadWorkbook(CompoundFileWith(u"Workbook", stream));
    ASSERT_EQ(book.sheets.size(), 2u);
    EXPECT_EQ(book.sheets[0].name, u"Титул");
    EXPECT_EQ(book.sheets[1].name, u"Данные");
    EXPECT_EQ(book.activeSheet, 1u);
    EXPECT_EQ(Text(book, 0, 0, 5), u"Университет им. Петрова");
    EXPECT_EQ(Text(book, 1, 3, 0), u"Иванов");
    EXPECT_EQ(Text(book, 1, 3, 1), u"");  // an empty string is a cell, and the sheet still reads
    EXPECT_EQ(Text(book, 1, 3, 4), u"01.01.1990");
    EXPECT_EQ(Text(book, 1, 3, 6), u"42");
    EXPECT_EQ(Text(book, 1, 3, 7), u"12,34");
    EXPECT_EQ(Text(book, 1, 4, 0), u"<none>");
    EXPECT_EQ(Text(book, 1, 5, 0), u"Сидоров");
    if (padRows) {
      EXPECT_EQ(Text(book, 1, 609, 2), u"599");
    }
  }
}

TEST_F(WorkbookReadTest, SharedStringsContinueAcrossRecordsWithFreshOptionByte) {
  Biff8Book book;
  book.AddSheet(u"S");
  book.SheetRecord(Record(0x00FD, ByteWriter().U16(0).U16(0).U16(15).U32(0).bytes));
  book.SheetRecord(Record(0x00FD, ByteWriter().U16(1).U16(0).U16(15).U32(1).bytes));
  // "abcdef" compressed, split after "abc"; the rest goes on as 16-bit characters. Then "Ёж" whole
  // in the CONTINUE.
  ByteWriter sst;
  sst.U32(2).U32(2).U16(6).U8(0).Raw({'a', 'b', 'c'});
  ByteWriter cont;
  cont.U8(1).U16('d').U16('e').U16('f').Unicode(u"Ёж");
  book.GlobalRecord(Record(0x00FC, sst.bytes));
  book.GlobalRecord(Record(0x003C, cont.bytes));
  // The builder's own (empty) SST comes first; the later one holds the strings the cells name.
  const Workbook read = ReadWorkbook(CompoundFileWith(u"Workbook", book.Stream()));
  EXPECT_EQ(Text(read, 0, 0, 0), u"abcdef");
  EXPECT_EQ(Text(read, 0, 1, 0), u"Ёж");
}

TEST_F(WorkbookReadTest, LongSharedStringTableSplitBetweenStrings) {
  Biff8Book book;
  book.AddSheet(u"S");
  auto name = [](unsigned i) { return u"Фамилия " + String(1, static_cast<Char>(u'А' + i % 32)) + u"-" + String(i / 32 % 8 + 1, u'я'); };
  for (unsigned i = 0; i < 800; ++i) book.Label(i, 0, name(i));
  const Workbook read = ReadWorkbook(CompoundFileWith(u"Workbook", book.Stream()));
  for (unsigned i : {0u, 300u, 301u, 799u}) EXPECT_EQ(Text(read, 0, i, 0), name(i)) << i;
}

TEST_F(WorkbookReadTest, FormulaResultsAndMultipleRkCells) {
  Biff8Book book;
  book.AddSheet(u"S");
  auto formula = [](unsigned col, const Bytes& result) {
    return Record(0x0006, ByteWriter().U16(0).U16(col).U16(15).Raw(result).U16(0).U32(0).U16(0).bytes);
  };
  book.SheetRecord(formula(0, ByteWriter().F64(2.5).bytes));
  book.SheetRecord(formula(1, {0, 0, 0, 0, 0, 0, 0xFF, 0xFF}));
  book.SheetRecord(Record(0x0207, ByteWriter().Unicode(u"итог").bytes));
  book.SheetRecord(formula(2, {1, 0, 1, 0, 0, 0, 0xFF, 0xFF}));
  book.SheetRecord(formula(3, {2, 0, 0x07, 0, 0, 0, 0xFF, 0xFF}));
  book.SheetRecord(formula(4, {3, 0, 0, 0, 0, 0, 0xFF, 0xFF}));
  book.SheetRecord(Record(0x00BD, ByteWriter().U16(1).U16(2).U16(15).U32((7u << 2) | 2).U16(15).U32((8u << 2) | 2).U16(3).bytes));
  const Workbook read = ReadWorkbook(CompoundFileWith(u"Workbook", book.Stream()));
  EXPECT_EQ(Text(read, 0, 0, 0), u"2,5");
  EXPECT_EQ(Text(read, 0, 0, 1), u"итог");
  EXPECT_EQ(Text(read, 0, 0, 2), u"TRUE");
  EXPECT_EQ(Text(read, 0, 0, 3), u"#DIV/0!");
  EXPECT_EQ(Text(read, 0, 0, 4), u"");
  EXPECT_EQ(Text(read, 0, 1, 2), u"7");
  EXPECT_EQ(Text(read, 0, 1, 3), u"8");
}

TEST_F(WorkbookReadTest, CustomFormatsAndThe1904DateSystem) {
  Biff8Book book;
  book.AddFormat(164, u"[$-419]dd mmm yyyy\"г.\"");
  book.AddFormat(14, u"m/d/yy");  // the writer's code for the short date: the locale's one wins
  const std::uint16_t custom = book.AddXf(164), shortDate = book.AddXf(14);
  book.Set1904();
  book.AddSheet(u"S");
  book.Number(0, 0, 0, custom);
  book.Number(0, 1, 1, shortDate);
  const Workbook read = ReadWorkbook(CompoundFileWith(u"Workbook", book.Stream()));
  EXPECT_EQ(Text(read, 0, 0, 0), u"01 янв 1904г.");
  EXPECT_EQ(Text(read, 0, 0, 1), u"02.01.1904");
}

TEST_F(WorkbookReadTest, Biff5WorkbookInBookStreamWithCodePage) {
  ByteWriter globals;
  globals.Raw(Record(0x0809, ByteWriter().U16(0x0500).U16(5).U32(0).bytes));
  globals.Raw(Record(0x0042, ByteWriter().U16(1251).bytes));
  const std::size_t offsetAt = globals.bytes.size() + 4;
  globals.Raw(Record(0x0085, ByteWriter().U32(0).U16(0).U8(4).Raw({0xCB, 0xE8, 0xF1, 0xF2}).bytes));  // "Лист"
  globals.Raw(Record(0x000A, {}));
  Bytes stream = globals.bytes;
  stream[offsetAt] = static_cast<std::uint8_t>(stream.size());
  const Bytes sheet = ByteWriter()
                          .Raw(Record(0x0809, ByteWriter().U16(0x0500).U16(0x10).U32(0).bytes))
                          .Raw(Record(0x0204, ByteWriter().U16(0).U16(5).U16(15).U16(3).Raw({0xC2, 0xD3, 0xC7}).bytes))  // "ВУЗ"
                          .Raw(Record(0x000A, {}))
                          .bytes;
  stream.insert(stream.end(), sheet.begin(), sheet.end());
  const Workbook read = ReadWorkbook(CompoundFileWith(u"Book", stream));
  ASSERT_EQ(read.sheets.size(), 1u);
  EXPECT_EQ(read.sheets[0].name, u"Лист");
  EXPECT_EQ(Text(read, 0, 0, 5), u"ВУЗ");
}

TEST_F(WorkbookReadTest, Biff2WorksheetWithItsOwnFormats) {
  auto place = [](unsigned row, unsigned col, unsigned xf) { return ByteWriter().U16(row).U16(col).U8(xf).U8(0).U8(0); };
  const Bytes file = ByteWriter()
                         .Raw(Record(0x0009, ByteWriter().U16(2).U16(0x10).bytes))
                         .Raw(Record(0x001E, ByteWriter().U8(7).Raw({'G', 'e', 'n', 'e', 'r', 'a', 'l'}).bytes))
                         .Raw(Record(0x001E, ByteWriter().U8(10).Raw({'d', 'd', '.', 'm', 'm', '.', 'y', 'y', 'y', 'y'}).bytes))
                         .Raw(Record(0x0043, ByteWriter().U8(0).U8(0).U8(0).U8(0).bytes))
                         .Raw(Record(0x0043, ByteWriter().U8(0).U8(0).U8(1).U8(0).bytes))
                         .Raw(Record(0x0002, place(0, 0, 0).U16(17).bytes))
                         .Raw(Record(0x0003, place(0, 1, 1).F64(36526).bytes))
                         .Raw(Record(0x0004, place(0, 2, 0).U8(2).Raw({'o', 'k'}).bytes))
                         .Raw(Record(0x000A, {}))
                         .bytes;
  const Workbook read = ReadWorkbook(file);
  EXPECT_EQ(Text(read, 0, 0, 0), u"17");
  EXPECT_EQ(Text(read, 0, 0, 1), u"01.01.2000");
  EXPECT_EQ(Text(read, 0, 0, 2), u"ok");
}

}  // namespace
