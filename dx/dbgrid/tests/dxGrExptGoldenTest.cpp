// The export pinned byte for byte: an ungrouped grid with every kind of footer formula, and one
// grouped by two columns with row footers. A change in any record, its order or its padding shows
// here even where a reader would not notice it. After a deliberate change of the format, run with
// TRENVIK_WRITE_GOLDEN=1 to rewrite the files, and check them with scripts/xls_dump.py.
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "DbGridTestSupport.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "dx/dbgrid/dxGrExpt.h"
#include "dx/dbgrid/tests/XlsReadBack.h"
#include "platform/data/DataSet.h"

namespace {

const char* const kGoldenPeople = R"(
CREATE TABLE PEOPLE (ID INTEGER PRIMARY KEY, NAME NVARCHAR(40), CITY NVARCHAR(40), KIND NVARCHAR(20),
  AGE INTEGER, SALARY REAL, YEARS INTEGER);
INSERT INTO PEOPLE VALUES
  (1, 'Петров', 'Омск', 'штатный', 41, 1250.5, 12), (2, 'Абаев', 'Тула', 'совместитель', 20, 800, 1),
  (3, 'Сидоров', 'Омск', 'совместитель', NULL, 930.25, 7), (4, 'Иванова', 'Тула', 'штатный', 30, 1100, NULL),
  (5, 'Кузнецов', 'Тула', 'штатный', 700000000, NULL, 3), (6, 'Орлова', 'Омск', 'штатный', 35, 990.75, 9);
)";

std::string GoldenBytes(const std::string& Path) {
  std::ifstream in(Path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class DxGrExptGoldenTest : public DbGridTest {
 protected:
  void SetUp() override { OpenDatabase(kGoldenPeople); }

  TdxDBGrid* MakeGrid(const std::function<void(TdxDBGrid*)>& Setup) {
    TADOQuery* people = Query("SELECT * FROM PEOPLE ORDER BY ID");
    people->Open();
    return NewBoundGrid(people, {u"ID", u"NAME", u"CITY", u"KIND", u"AGE", u"SALARY", u"YEARS"}, [&](TdxDBGrid* g) {
      g->SetKeyField(u"ID");
      g->SetOptionsDB(g->OptionsDB() + TdxDBGridOptionsDB{edgoLoadAllRecords});
      const char16_t* names[] = {u"ColId", u"ColName", u"ColCity", u"ColKind", u"ColAge", u"ColSalary", u"ColYears"};
      for (int i = 0; i < 7; ++i) {
        g->Columns(i)->SetName(names[i]);
        g->Columns(i)->SetWidth(50 + 8 * i);
      }
      Setup(g);
    });
  }

  // Exports Grid and compares the file with the golden one of that name (or rewrites it).
  void ExpectGolden(TdxDBGrid* Grid, const char* Name) {
    const String file = folder_.File(Name);
    Grid->SaveToExcelFile(file, true);
    const std::string written = GoldenBytes(StringToUtf8(file));
    const std::string golden = std::string(TRENVIK_TEST_DATA_DIR) + "/" + Name;
    if (std::getenv("TRENVIK_WRITE_GOLDEN")) {
      std::ofstream(golden, std::ios::binary) << written;
      return;
    }
    const std::string expected = GoldenBytes(golden);
    ASSERT_FALSE(expected.empty()) << "no golden file " << golden;
    EXPECT_EQ(written.size(), expected.size()) << Name;
    EXPECT_TRUE(written == expected) << Name << " differs from " << golden << "; as read back:\n"
                                     << ReadBackWithXlrd(file);
  }
};

TEST_F(DxGrExptGoldenTest, AnUngroupedGridWithEveryFooterFormula) {
  TdxDBGrid* grid = MakeGrid([](TdxDBGrid* g) {
    g->SetShowSummaryFooter(true);
    const struct {
      int Column;
      TdxSummaryType Type;
      const char16_t* Field;
    } footers[] = {{0, cstMin, u"ID"}, {1, cstCount, u"NAME"}, {4, cstSum, u"AGE"}, {5, cstAvg, u"SALARY"},
                   {6, cstMax, u"YEARS"}};
    for (const auto& f : footers) {
      g->Columns(f.Column)->SetSummaryFooterType(f.Type);
      g->Columns(f.Column)->SetSummaryFooterField(f.Field);
    }
  });
  ExpectGolden(grid, "ungrouped-footers.xls");
}

TEST_F(DxGrExptGoldenTest, AGridGroupedByTwoColumnsWithRowFooters) {
  TdxDBGrid* grid = MakeGrid([](TdxDBGrid* g) {
    TdxDBGridSummaryGroup* group = g->SummaryGroups()->Add();
    group->SetName(u"Footer");
    const struct {
      TdxSummaryType Type;
      const char16_t* Field;
      const char16_t* Column;
    } items[] = {{cstSum, u"AGE", u"ColAge"}, {cstAvg, u"SALARY", u"ColSalary"}, {cstCount, u"ID", u"ColId"}};
    for (const auto& i : items) {
      TdxDBGridSummaryItem* item = group->SummaryItems()->Add();
      item->SetSummaryType(i.Type);
      item->SetSummaryField(i.Field);
      item->SetColumnName(i.Column);
    }
    g->Columns(2)->SetSummaryGroupName(u"Footer");
    g->Columns(3)->SetSummaryGroupName(u"Footer");
    g->SetShowRowFooter(true);
    g->BeginGroupUpdate();
    g->Columns(2)->SetGroupIndex(0);
    g->Columns(3)->SetGroupIndex(1);
    g->EndGroupUpdate();
  });
  ExpectGolden(grid, "grouped-row-footers.xls");
}

}  // namespace
