// The grid's BIFF4 export read back by an independent reader (python3-xlrd): cell kinds, texts in
// the Russian code page, integers as RK, XF indexes, widths and fonts, group rows and indent
// columns, footer formulas, and the limits refused before the file is touched.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>

#include "DbGridTestSupport.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "dx/dbgrid/dxGrExpt.h"
#include "dx/dbgrid/tests/XlsReadBack.h"
#include "platform/data/DataSet.h"

namespace {

const char* const kExportPeople = R"(
CREATE TABLE PEOPLE (ID INTEGER PRIMARY KEY, NAME NVARCHAR(40), CITY NVARCHAR(40), AGE INTEGER);
INSERT INTO PEOPLE VALUES (1, 'Петров', 'Омск', 10), (2, 'Абаев', 'Тула', 20), (3, 'Сидоров', 'Омск', NULL),
  (4, 'Иванова', 'Тула', 30), (5, 'Кузнецов', 'Тула', 700000000);
)";

class DxGrExptTest : public DbGridTest {
 protected:
  void SetUp() override { OpenDatabase(kExportPeople); }
  TdxDBGrid* MakeGrid(const std::function<void(TdxDBGrid*)>& Setup = [](TdxDBGrid*) {}) {
    people = Query("SELECT * FROM PEOPLE ORDER BY ID");
    people->Open();
    return NewBoundGrid(people, {u"ID", u"NAME", u"AGE"}, [&](TdxDBGrid* g) {
      g->SetKeyField(u"ID");
      g->SetOptionsDB(g->OptionsDB() + TdxDBGridOptionsDB{edgoLoadAllRecords});
      for (int i = 0; i < 3; ++i) g->Columns(i)->SetWidth(60 + 10 * i);
      Setup(g);
    });
  }
  TADOQuery* people = nullptr;
};

const char* const kFonts = R"(font 0 Arial 200 0
font 1 Arial 200 0
font 2 Arial 200 0
font 3 Arial 200 0
font 4 Dummy Font 0 0
font 5 MS Sans Serif 160 0
font 6 MS Sans Serif 160 0
font 7 MS Sans Serif 160 0
font 8 MS Sans Serif 160 0
font 9 MS Sans Serif 160 0
font 10 MS Sans Serif 160 0
font 11 MS Sans Serif 160 0
font 12 MS Sans Serif 160 0
)";

std::vector<Byte> FileBytes(const String& File) {
  std::ifstream in(StringToUtf8(File), std::ios::binary);
  return std::vector<Byte>(std::istreambuf_iterator<char>(in), {});
}

bool Contains(const std::vector<Byte>& Bytes, const std::vector<Byte>& Part) {
  return std::search(Bytes.begin(), Bytes.end(), Part.begin(), Part.end()) != Bytes.end();
}

TEST_F(DxGrExptTest, AnUngroupedGridReadsBackCellByCell) {
  TdxDBGrid* grid = MakeGrid([](TdxDBGrid* g) {
    g->SetShowSummaryFooter(true);
    g->Columns(2)->SetSummaryFooterType(cstSum);
    g->Columns(2)->SetSummaryFooterField(u"AGE");
  });
  const String file = folder_.File("people.xls");
  grid->SaveToExcelFile(file, true);
  // Captions (XF 22), integers as numbers, Cyrillic texts, a missing age as 0, the footer's SUM
  // (XF 24, its stored result 0) and blank footer cells (XF 25); widths are pixels x 36.
  EXPECT_EQ(ReadBackWithXlrd(file), std::string(R"(cell 0 0 str 'ID' 22
cell 0 1 str 'NAME' 22
cell 0 2 str 'AGE' 22
cell 1 0 float 1.0 29
cell 1 1 str 'Петров' 30
cell 1 2 float 10.0 31
cell 2 0 float 2.0 29
cell 2 1 str 'Абаев' 30
cell 2 2 float 20.0 31
cell 3 0 float 3.0 29
cell 3 1 str 'Сидоров' 30
cell 3 2 float 0.0 31
cell 4 0 float 4.0 29
cell 4 1 str 'Иванова' 30
cell 4 2 float 30.0 31
cell 5 0 float 5.0 29
cell 5 1 str 'Кузнецов' 30
cell 5 2 float 700000000.0 31
cell 6 0 blank '' 25
cell 6 1 blank '' 25
cell 6 2 float 0.0 24
width 0 2160
width 1 2520
width 2 2880
)") + kFonts + "rows 7\n");
  const std::vector<Byte> bytes = FileBytes(file);
  // The code page follows the start record; 5 is the RK integer 22; 700000000 is past the RK
  // range and goes as a NUMBER; the SUM's tokens cover rows 1 to 5 of column 2.
  EXPECT_TRUE(Contains(bytes, {0x09, 0x04, 0x06, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x42, 0x00, 0x02,
                               0x00, 0xE3, 0x04}));
  EXPECT_TRUE(
      Contains(bytes, {0x7E, 0x02, 0x0A, 0x00, 0x05, 0x00, 0x00, 0x00, 0x1D, 0x00, 0x16, 0x00, 0x00, 0x00}));
  EXPECT_TRUE(Contains(bytes, {0x03, 0x02, 0x0E, 0x00, 0x05, 0x00, 0x02, 0x00, 0x1F, 0x00}));
  EXPECT_TRUE(Contains(bytes, {0x25, 0x01, 0xC0, 0x05, 0xC0, 0x02, 0x02, 0x19, 0x10, 0x00, 0x00}));
  EXPECT_TRUE(Contains(bytes, {0x0A, 0x00, 0x00, 0x00}));
}

TEST_F(DxGrExptTest, AGroupedGridHasIndentColumnsAndGroupRows) {
  TdxDBGrid* grid = MakeGrid();
  auto* city = static_cast<TdxDBTreeListColumn*>(grid->CreateColumnEx(TdxDBGridColumn::StaticClass(), grid));
  city->SetFieldName(u"CITY");
  city->SetGroupIndex(0);
  Pump();
  const String file = folder_.File("grouped.xls");
  grid->SaveToExcelFile(file, true);
  // Column 0 is the narrow indent column; a group row has its caption there and blank
  // group-coloured cells (XF 23) elsewhere; record rows have a blank indent cell. Collapsed
  // groups are exported with their records.
  EXPECT_EQ(ReadBackWithXlrd(file), std::string(R"(cell 0 0 blank '' 23
cell 0 1 str 'ID' 22
cell 0 2 str 'NAME' 22
cell 0 3 str 'AGE' 22
cell 1 0 str 'Омск' 23
cell 1 1 blank '' 23
cell 1 2 blank '' 23
cell 1 3 blank '' 23
cell 2 0 blank '' 23
cell 2 1 float 1.0 29
cell 2 2 str 'Петров' 30
cell 2 3 float 10.0 31
cell 3 0 blank '' 23
cell 3 1 float 3.0 29
cell 3 2 str 'Сидоров' 30
cell 3 3 float 0.0 31
cell 4 0 str 'Тула' 23
cell 4 1 blank '' 23
cell 4 2 blank '' 23
cell 4 3 blank '' 23
cell 5 0 blank '' 23
cell 5 1 float 2.0 29
cell 5 2 str 'Абаев' 30
cell 5 3 float 20.0 31
cell 6 0 blank '' 23
cell 6 1 float 4.0 29
cell 6 2 str 'Иванова' 30
cell 6 3 float 30.0 31
cell 7 0 blank '' 23
cell 7 1 float 5.0 29
cell 7 2 str 'Кузнецов' 30
cell 7 3 float 700000000.0 31
width 0 400
width 1 2160
width 2 2520
width 3 2880
)") + kFonts + "rows 8\n");
}

TEST_F(DxGrExptTest, ExportsThatDoNotFitAreRefusedBeforeTheFileIsTouched) {
  Execute(
      "WITH RECURSIVE n(i) AS (SELECT 6 UNION ALL SELECT i + 1 FROM n WHERE i < 16383) "
      "INSERT INTO PEOPLE SELECT i, 'N' || i, NULL, i FROM n");
  TdxDBGrid* grid = MakeGrid();
  const String file = folder_.File("big.xls");
  // A caption row and 16,383 records: 16,384 rows, the most the format holds.
  grid->SaveToExcelFile(file, true);
  EXPECT_NE(ReadBackWithXlrd(file).find("rows 16384\n"), std::string::npos);
  const std::vector<Byte> before = FileBytes(file);
  Execute("INSERT INTO PEOPLE VALUES (16384, 'Лишний', NULL, 1)");
  people->Close();
  people->Open();
  Pump();
  try {
    grid->SaveToExcelFile(file, true);
    ADD_FAILURE() << "16,385 rows were written";
  } catch (const Exception& e) {
    EXPECT_EQ(StringToUtf8(e.Message()), "A worksheet holds at most 16384 rows; the export needs 16385");
  }
  EXPECT_EQ(FileBytes(file), before);
  // A grid without a dataset leaves the file alone too.
  grid->SetDataSource(nullptr);
  EXPECT_THROW(grid->SaveToExcelFile(file, true), Exception);
  EXPECT_EQ(FileBytes(file), before);
}

// The 12 body bytes of an XF record whose body starts with Start (font index, format, type).
std::vector<Byte> XfBody(const std::vector<Byte>& Bytes, const std::vector<Byte>& Start) {
  std::vector<Byte> head = {0x43, 0x04, 0x0C, 0x00};
  head.insert(head.end(), Start.begin(), Start.end());
  auto at = std::search(Bytes.begin(), Bytes.end(), head.begin(), head.end());
  if (at == Bytes.end()) return {};
  return std::vector<Byte>(at + 4, at + 16);
}

TEST_F(DxGrExptTest, DataBordersFollowEachGridAndAFooterWithoutRowsIsBlank) {
  for (bool showGrid : {true, false}) {
    TdxDBGrid* grid = MakeGrid([&](TdxDBGrid* g) { g->SetShowGrid(showGrid); });
    const String file = folder_.File(showGrid ? "grid.xls" : "plain.xls");
    grid->SaveToExcelFile(file, true);
    // The first exported column's data cells (font 10): thin borders in the grid-line colour or none.
    const std::vector<Byte> xf = XfBody(FileBytes(file), {0x0A, 0x00, 0x01, 0x00});
    ASSERT_EQ(xf.size(), 12u);
    const std::vector<Byte> borders(xf.begin() + 8, xf.end());
    const std::vector<Byte> expected =
        showGrid ? std::vector<Byte>{0xA1, 0xA1, 0xA1, 0xA1} : std::vector<Byte>{0, 0, 0, 0};
    EXPECT_EQ(borders, expected);
  }
  Execute("DELETE FROM PEOPLE");
  TdxDBGrid* grid = MakeGrid([](TdxDBGrid* g) {
    g->SetShowSummaryFooter(true);
    g->Columns(2)->SetSummaryFooterType(cstSum);
    g->Columns(2)->SetSummaryFooterField(u"AGE");
  });
  const String file = folder_.File("empty.xls");
  grid->SaveToExcelFile(file, true);
  const std::string sheet = ReadBackWithXlrd(file);
  EXPECT_NE(sheet.find("cell 1 2 blank '' 25\n"), std::string::npos) << sheet;
  EXPECT_NE(sheet.find("rows 2\n"), std::string::npos) << sheet;
}

}  // namespace
