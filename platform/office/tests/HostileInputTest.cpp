// Files that are no readable workbook raise EWorkbookError saying what they are; damaged files never
// read out of range (the sanitizers watch every case here).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "XlsFixture.h"
#include "platform/office/Spreadsheet.h"
#include "platform/office/Workbook.h"
#include "platform/rtl/String.h"

namespace {

Bytes SmallWorkbookFile() {
  Biff8Book book;
  book.AddSheet(u"S");
  book.Label(0, 5, u"ВУЗ");
  book.Number(3, 0, 1.5);
  return CompoundFileWith(u"Workbook", book.Stream());
}

void SetU32(Bytes& bytes, std::size_t at, std::uint32_t v) {
  for (int b = 0; b < 4; ++b) bytes[at + static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(v >> (8 * b));
}

std::string ErrorOf(const Bytes& bytes) {
  try {
    ReadWorkbook(bytes);
  } catch (const EWorkbookError& e) {
    return e.what();
  }
  return "read without error";
}

TEST(HostileInputTest, RefusedFilesSayWhatTheyAre) {
  Bytes encrypted = [] {
    Biff8Book book;
    book.GlobalRecord(Record(0x002F, ByteWriter().U16(1).Raw(Bytes(52, 0)).bytes));
    book.AddSheet(u"S");
    return CompoundFileWith(u"Workbook", book.Stream());
  }();
  Bytes cyclic = SmallWorkbookFile();
  SetU32(cyclic, 512 + 4 * 3, 3);  // the mini stream's first sector points to itself
  Bytes strayDirectory = SmallWorkbookFile();
  SetU32(strayDirectory, 0x30, 5000);
  Bytes missingString = [] {
    Biff8Book book;
    book.AddSheet(u"S");
    book.SheetRecord(Record(0x00FD, ByteWriter().U16(0).U16(0).U16(15).U32(9).bytes));
    return CompoundFileWith(u"Workbook", book.Stream());
  }();
  Bytes overlapping = [] {
    // Thousands of sheets all pointing at the start of one long sheet.
    Biff8Book book;
    for (int i = 0; i < 1000; ++i) book.AddSheet(u"S");
    for (unsigned r = 0; r < 600; ++r) book.Number(r, 0, r);
    Bytes stream = book.Stream();
    const std::size_t firstSheet = stream.size() - 600 * 18 - 4 - 20;
    for (std::size_t at = 0; at + 4 <= firstSheet; ++at)
      if (stream[at] == 0x85 && stream[at + 1] == 0x00) SetU32(stream, at + 4, static_cast<std::uint32_t>(firstSheet));
    return CompoundFileWith(u"Workbook", stream);
  }();
  const struct {
    const char* name;
    Bytes bytes;
    const char* says;
  } cases[] = {
      {"zip package", {'P', 'K', 3, 4, 20, 0, 0, 0}, "zip package"},
      {"plain text", {'N', 'a', 'm', 'e', ';', 'A', 'g', 'e', '\n'}, "not an .xls workbook"},
      {"empty file", {}, "not an .xls workbook"},
      {"encrypted workbook", encrypted, "encrypted"},
      {"other compound document", CompoundFileWith(u"WordDocument", Bytes(100, 0)), "without a workbook stream"},
      {"cyclic sector chain", cyclic, "loops"},
      {"directory outside the file", strayDirectory, "damaged"},
      {"missing shared string", missingString, "missing shared string"},
      {"sheets over the same bytes", overlapping, "overlap"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NE(ErrorOf(c.bytes).find(c.says), std::string::npos) << ErrorOf(c.bytes);
  }
}

// Every cut and many single-byte changes of a valid file either read or raise the reader's error.
TEST(HostileInputTest, TruncatedAndCorruptedFilesNeverReadOutOfRange) {
  const Bytes file = SmallWorkbookFile();
  for (std::size_t size = 0; size < file.size(); size += 7) {
    const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size));
    EXPECT_NO_THROW({ try { ReadWorkbook(cut); } catch (const EWorkbookError&) {} }) << size;
  }
  std::uint32_t seed = 12345;
  for (int round = 0; round < 3000; ++round) {
    Bytes damaged = file;
    for (int flips = 0; flips < 3; ++flips) {
      seed = seed * 1103515245 + 12345;
      damaged[(seed >> 8) % damaged.size()] = static_cast<std::uint8_t>(seed >> 24);
    }
    EXPECT_NO_THROW({ try { ReadWorkbook(damaged); } catch (const EWorkbookError&) {} }) << round;
  }
}

class SpreadsheetTest : public testing::Test {
 protected:
  std::filesystem::path dir_ = std::filesystem::temp_directory_path() /
                               ("office_" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
  void SetUp() override { std::filesystem::create_directories(dir_); }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  String Write(const std::string& name, const Bytes& bytes) {
    std::ofstream(dir_ / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return Utf8ToString((dir_ / name).string());
  }
};

TEST_F(SpreadsheetTest, OpensAWorkbookAndReadsCellsByAddress) {
  Biff8Book book;
  book.AddSheet(u"Первый");
  book.Label(0, 5, u"  ВУЗ  ");
  book.AddSheet(u"Второй");
  book.SetActive(1);
  book.Label(3, 0, u"Иванов");
  book.Label(3, 9, u"31.12.2020");
  book.Label(26, 27, u"AB27");
  XlsSpreadsheet excel;
  excel.Connect();
  const auto opened = excel.Open(Write("book.xls", CompoundFileWith(u"Workbook", book.Stream())));
  EXPECT_EQ(opened->FirstSheetText(u"F1"), u"  ВУЗ  ");
  EXPECT_EQ(opened->ActiveSheetText(u"A4"), u"Иванов");
  EXPECT_EQ(opened->ActiveSheetText(u"j4"), u"31.12.2020");
  EXPECT_EQ(opened->ActiveSheetText(u"AB27"), u"AB27");
  EXPECT_EQ(opened->ActiveSheetText(u"A5"), u"");
  EXPECT_EQ(opened->ActiveSheetText(u"F1"), u"");
  EXPECT_THROW(opened->ActiveSheetText(u"4A"), EWorkbookError);
}

TEST_F(SpreadsheetTest, ErrorsNameTheFile) {
  XlsSpreadsheet excel;
  const String renamed = Write("renamed.xls", {'P', 'K', 3, 4, 0, 0});
  const std::pair<String, std::string> cases[] = {{renamed, "zip package"},
                                                   {Utf8ToString((dir_ / "absent.xls").string()), "cannot be opened"}};
  for (const auto& [path, says] : cases) {
    try {
      excel.Open(path);
      ADD_FAILURE() << "opened " << StringToUtf8(path);
    } catch (const EWorkbookError& e) {
      EXPECT_NE(e.Message().find(path), String::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(says), std::string::npos) << e.what();
    }
  }
}

struct AddressCase {
  const char16_t* text;
  bool valid;
  std::uint32_t row, column;
};

TEST(CellAddressTest, ParsesColumnLettersAndRowNumbers) {
  const AddressCase cases[] = {{u"A1", true, 0, 0},   {u"F1", true, 0, 5},    {u"Z10", true, 9, 25},
                               {u"AA3", true, 2, 26}, {u"IV65536", true, 65535, 255},
                               {u"A0", false, 0, 0},  {u"1A", false, 0, 0},   {u"A", false, 0, 0},
                               {u"", false, 0, 0},    {u"A1B", false, 0, 0},  {u"A99999999", false, 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.text));
    std::uint32_t row = 99, column = 99;
    ASSERT_EQ(ParseCellAddress(c.text, row, column), c.valid);
    if (c.valid) {
      EXPECT_EQ(row, c.row);
      EXPECT_EQ(column, c.column);
    }
  }
}

}  // namespace
