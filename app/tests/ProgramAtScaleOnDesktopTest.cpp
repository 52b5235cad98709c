// The program on a virtual X server over a large demo database, made by the installation tool's
// writer and started as a user starts it from its folder: each visible column's header clicked three
// times (ascending, descending, back to the statement's order), every row of the grid checked
// against the list's records after each click and the sort mark on the screen; then a surname
// search that lands far down the list.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "app/DataModule.h"
#include "app/Main.h"
#include "app/tests/DesktopDriver.h"
#include "app/tests/PeopleGridProbe.h"
#include "db/InstallDatabase.h"
#include "platform/ado/testing/TempFolder.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/display/testing/VirtualDesktop.h"
#include "platform/rtl/StrUtils.h"

namespace {

constexpr int kScalePeople = 50000;

// The list's records in the statement's order: each one's texts of the grid's columns, by field.
struct TListRecords {
  std::vector<std::string> Fields;
  std::vector<std::vector<std::string>> Rows;

  int FieldIndex(const String& Field) const {
    return static_cast<int>(std::find(Fields.begin(), Fields.end(), StringToUtf8(Field)) - Fields.begin());
  }
};

String ColumnField(TdxTreeListColumn* Column) { return dynamic_cast<TdxDBTreeListColumn*>(Column)->FieldName(); }

// Read from the dataset itself, not through the grid, with the key field first.
TListRecords ReadListRecords() {
  TdxDBGrid* grid = MainForm->dxDBGrid1;
  TListRecords records;
  records.Fields.push_back("O_PEOPLEID");
  for (int v = 0; v < grid->GetVisibleColumnCount(); ++v)
    records.Fields.push_back(StringToUtf8(ColumnField(grid->GetVisibleColumn(v))));
  TADODataSet* list = DataModule2->OPEOPLE_LIST;
  list->DisableControls();
  list->First();
  for (; !list->Eof(); list->Next()) {
    std::vector<std::string> row;
    for (const std::string& field : records.Fields)
      row.push_back(StringToUtf8(list->FieldByName(Utf8ToString(field))->AsString()));
    records.Rows.push_back(std::move(row));
  }
  list->First();
  list->EnableControls();
  return records;
}

// Field's texts down the records once sorted by it in Order (1 ascending, -1 descending).
std::vector<std::string> SortedTexts(const TListRecords& Records, int Field, int Order) {
  std::vector<String> texts;
  for (const auto& row : Records.Rows) texts.push_back(Utf8ToString(row[Field]));
  std::stable_sort(texts.begin(), texts.end(),
                   [Order](const String& a, const String& b) { return AnsiCompareText(a, b) * Order < 0; });
  std::vector<std::string> result;
  for (const String& t : texts) result.push_back(StringToUtf8(t));
  return result;
}

// The grid's rows in its order, each with its cells in the records' fields.
std::vector<std::vector<std::string>> GridRows() {
  TdxDBGrid* grid = MainForm->dxDBGrid1;
  std::vector<TdxTreeListColumn*> columns{MainForm->dxDBGrid1O_PEOPLEID};
  for (int v = 0; v < grid->GetVisibleColumnCount(); ++v) columns.push_back(grid->GetVisibleColumn(v));
  std::vector<std::vector<std::string>> rows;
  for (int i = 0; i < grid->GetAbsoluteCount(); ++i) {
    std::vector<std::string> row;
    for (TdxTreeListColumn* c : columns) row.push_back(GridCell(i, c));
    rows.push_back(std::move(row));
  }
  return rows;
}

// The first of Rows that is no record's or shows cells not its record's; empty when each row is one
// record and every record is shown.
std::string CellsFault(const TListRecords& Records, const std::vector<std::vector<std::string>>& Rows) {
  if (Rows.size() != Records.Rows.size())
    return "the grid shows " + std::to_string(Rows.size()) + " rows of " + std::to_string(Records.Rows.size());
  std::map<std::string, const std::vector<std::string>*> byKey;
  for (const auto& row : Records.Rows) byKey[row[0]] = &row;
  for (size_t i = 0; i < Rows.size(); ++i) {
    auto record = byKey.find(Rows[i][0]);
    if (record == byKey.end() || *record->second != Rows[i])
      return "row " + std::to_string(i) + " (key " + Rows[i][0] + ") shows cells not its record's";
    byKey.erase(record);
  }
  return std::string();
}

// The first row where Rows' Field differs from Expected; empty when none does.
std::string OrderFault(const std::vector<std::vector<std::string>>& Rows, int Field,
                       const std::vector<std::string>& Expected) {
  for (size_t i = 0; i < std::min(Rows.size(), Expected.size()); ++i)
    if (Rows[i][Field] != Expected[i])
      return "row " + std::to_string(i) + ": \"" + Rows[i][Field] + "\" where \"" + Expected[i] + "\" belongs";
  return std::string();
}

std::string FocusedKey() { return FocusedCell(MainForm->dxDBGrid1O_PEOPLEID); }

void DriveTheProgramAtScale() {
  SDL_Window* window = nullptr;
  ASSERT_NO_FATAL_FAILURE(StartDesktopScreen(300, window));
  TTempFolder folder;
  TDemoDataOptions options;
  options.People = kScalePeople;
  ASSERT_EQ(PrepareInstallDatabase(folder.Path(), options).Problem, String());
  const TProgramFolderScope inFolder(folder.Path());
  StartProgramOnDesktop();
  TProgramOnDesktop desk(window);
  TdxDBGrid* grid = MainForm->dxDBGrid1;
  desk.Settle();
  ASSERT_TRUE(DataModule2->OPEOPLE_LIST->Active()) << "the start-up timer opened the list";
  ASSERT_EQ(grid->GetAbsoluteCount(), kScalePeople);
  const TListRecords records = ReadListRecords();
  ASSERT_EQ(records.Rows.size(), static_cast<size_t>(kScalePeople));
  std::vector<std::string> statementKeys;
  for (const auto& row : records.Rows) statementKeys.push_back(row[0]);
  desk.Shoot();
  KeepCheckedScreen("started");

  const int visibleColumns = grid->GetVisibleColumnCount();
  ASSERT_GE(visibleColumns, 3);
  for (int v = 0; v < visibleColumns; ++v) {
    TdxTreeListColumn* column = grid->GetVisibleColumn(v);
    const int field = records.FieldIndex(ColumnField(column));
    const std::string name = StringToUtf8(ColumnField(column));
    const POINT header = HeaderPoint(column);
    ASSERT_GE(header.x, 0) << name;
    desk.Shoot();
    const int captionBlack = desk.CountColour(grid, HeaderLeftHalf(column), RGB(0, 0, 0));
    std::vector<COLORREF> marks[2];
    for (int click = 0; click < 3; ++click) {
      SCOPED_TRACE(name + (click == 0 ? " ascending" : click == 1 ? " descending" : " unsorted"));
      const std::string current = FocusedKey();
      // A little apart, so that the next press is no double click.
      desk.Click(grid, POINT{header.x + (click - 1) * 20, header.y});
      desk.Settle();
      EXPECT_EQ(FocusedKey(), current) << "the click keeps the current person";
      const auto rows = GridRows();
      EXPECT_EQ(CellsFault(records, rows), "");
      if (click < 2)
        EXPECT_EQ(OrderFault(rows, field, SortedTexts(records, field, click == 0 ? 1 : -1)), "");
      else
        EXPECT_EQ(OrderFault(rows, 0, statementKeys), "") << "back in the statement's order";
      desk.Shoot();
      const int markBlack = desk.CountColour(grid, HeaderLeftHalf(column), RGB(0, 0, 0)) - captionBlack;
      EXPECT_EQ(markBlack, click < 2 ? 16 : 0) << "the header's sort mark";
      if (click < 2) marks[click] = desk.Pixels(grid, HeaderLeftHalf(column));
      KeepCheckedScreen(name + (click == 0 ? "-ascending" : click == 1 ? "-descending" : "-unsorted"));
    }
    EXPECT_GT(TProgramOnDesktop::Differing(marks[0], marks[1]), 5) << name << ": the marks of the two orders";
  }

  // Sorted by surname, the alphabetically last surname's first row lies at the list's far end.
  TdxTreeListColumn* surnames = MainForm->dxDBGrid1FSTNAME;
  const POINT header = HeaderPoint(surnames);
  desk.Click(grid, header);
  desk.Settle();
  const auto ascending = SortedTexts(records, records.FieldIndex(u"FSTNAME"), 1);
  const std::string last = ascending.back();
  const int expected =
      static_cast<int>(std::find(ascending.begin(), ascending.end(), last) - ascending.begin());
  ASSERT_GT(expected, kScalePeople * 9 / 10);
  TEdit* search = MainForm->Edit1;
  desk.Click(search, POINT{20, 8});
  desk.Settle();
  SimulateText(AnsiLowerCase(Utf8ToString(last)));
  SimulateKeyPress(VK_RETURN);
  desk.Settle();
  EXPECT_EQ(grid->GetFocusedAbsoluteIndex(), expected);
  EXPECT_EQ(FocusedCell(surnames), last);
  desk.Shoot();
  EXPECT_GT(desk.HighlightIn(expected), 200) << "the found row is in view and current";
  KeepCheckedScreen("found-far-down");
  CloseProgramOnDesktop();
  StopDisplay();
}

TEST(ProgramAtScaleOnDesktop, SortsEachColumnTwiceAndSearchesFarDownALargeList) {
  if (OnVirtualDesktop()) return DriveTheProgramAtScale();
  if (!VirtualDesktopInstalled()) GTEST_SKIP() << "xvfb-run is not installed";
  RunTestOnVirtualDesktop();
}

}  // namespace
