#include <gtest/gtest.h>

#include "dx/dbgrid/dxDBGrid.h"

namespace {

struct TEngineBitCase {
  const char* Name;
  std::function<void(TdxDBGrid*)> Set;
  int Word;
  int Bit;
};

// Each option switched on alone over the defaults' complement reaches its engine bit.
TEST(DxDBGridOptions, EachOptionSetsItsEngineBit) {
  const TEngineBitCase cases[] = {
      {"AnsiSort", [](TdxDBGrid* g) { g->SetOptionsBehavior({edgoAnsiSort}); }, 1, 27},
      {"AutoSearch", [](TdxDBGrid* g) { g->SetOptionsBehavior({edgoAutoSearch}); }, 1, 29},
      {"AutoSort", [](TdxDBGrid* g) { g->SetOptionsBehavior({edgoAutoSort}); }, 0, 14},
      {"CaseInsensitive", [](TdxDBGrid* g) { g->SetOptionsBehavior({edgoCaseInsensitive}); }, 0, 15},
      {"MultiSelect", [](TdxDBGrid* g) { g->SetOptionsBehavior({edgoMultiSelect}); }, 0, 6},
      {"StoreToIniFile", [](TdxDBGrid* g) { g->SetOptionsBehavior({edgoStoreToIniFile}); }, 0, 17},
      {"ShowHourGlass", [](TdxDBGrid* g) { g->SetOptionsBehavior({edgoShowHourGlass}); }, 1, 16},
      {"ColumnSizing", [](TdxDBGrid* g) { g->SetOptionsCustomize({edgoColumnSizing}); }, 0, 0},
      {"RowSizing", [](TdxDBGrid* g) { g->SetOptionsCustomize({edgoRowSizing}); }, 1, 21},
      {"KeepColumnWidth", [](TdxDBGrid* g) { g->SetOptionsCustomize({edgoKeepColumnWidth}); }, 1, 26},
      {"AutoWidth", [](TdxDBGrid* g) { g->SetOptionsView({edgoAutoWidth}); }, 0, 10},
      {"HotTrack", [](TdxDBGrid* g) { g->SetOptionsView({edgoHotTrack}); }, 1, 30},
      {"RowSelect", [](TdxDBGrid* g) { g->SetOptionsView({edgoRowSelect}); }, 0, 5},
      {"InvertSelect", [](TdxDBGrid* g) { g->SetOptionsView({edgoInvertSelect}); }, 1, 0},
      {"AutoHeaderPanelHeight", [](TdxDBGrid* g) { g->SetOptionsView({edgoAutoHeaderPanelHeight}); }, 1, 25},
  };
  for (const auto& c : cases) {
    TdxDBGrid grid(nullptr);
    grid.SetOptionsBehavior({});
    grid.SetOptionsCustomize({});
    grid.SetOptionsView({});
    const DWORD before = c.Word == 0 ? grid.OptionFlags() : grid.OptionFlagsEx();
    EXPECT_EQ(before & (1u << c.Bit), 0u) << c.Name;
    c.Set(&grid);
    const DWORD after = c.Word == 0 ? grid.OptionFlags() : grid.OptionFlagsEx();
    EXPECT_NE(after & (1u << c.Bit), 0u) << c.Name;
  }
}

TEST(DxDBGridOptions, DefaultsAndTheirLegacyImages) {
  TdxDBGrid grid(nullptr);
  EXPECT_TRUE(grid.OptionsBehavior() == kDefaultOptionsBehavior);
  EXPECT_TRUE(grid.UseBookmarks());
  EXPECT_TRUE(grid.Options().Contains(egoEditing));
  EXPECT_TRUE(grid.Options().Contains(egoCanNavigation));
  EXPECT_TRUE(grid.OptionsEx().Contains(egoAutoSort));
  EXPECT_FALSE(grid.Options().Contains(egoLoadAllRecords));
  EXPECT_TRUE(grid.IsDataSetWindowMode());
}

TEST(DxDBGridOptions, ExclusiveValuesKeepTheWinner) {
  TdxDBGrid grid(nullptr);
  grid.SetOptionsDB({edgoLoadAllRecords, edgoPartialLoad});
  EXPECT_TRUE(grid.OptionsDB() == TdxDBGridOptionsDB{edgoLoadAllRecords});
  EXPECT_TRUE(grid.IsLoadAllMode());

  grid.SetOptionsView({edgoInvertSelect, edgoRowSelect});
  EXPECT_TRUE(grid.OptionsView() == TdxDBGridOptionsView{edgoInvertSelect});
  EXPECT_EQ(grid.OptionFlags() & (1u << 5), 0u);
  EXPECT_NE(grid.OptionFlagsEx() & 1u, 0u);

  grid.SetOptionsCustomize({edgoNotHideColumn});
  EXPECT_EQ(grid.OptionFlagsEx() & (1u << 21), 0u);
  EXPECT_TRUE(grid.OptionsEx().Contains(egoNotHideColumn));
}

TEST(DxDBGridOptions, LegacySetsWriteTheMasters) {
  TdxDBGrid grid(nullptr);
  grid.SetPartialLoad(true);
  EXPECT_TRUE(grid.IsPartialLoadMode());
  grid.SetOptions(grid.Options() + TdxDBGridOptions{egoLoadAllRecords});
  EXPECT_TRUE(grid.OptionsDB().Contains(edgoLoadAllRecords));
  EXPECT_FALSE(grid.OptionsDB().Contains(edgoPartialLoad));
  grid.SetOptionsEx(grid.OptionsEx() + TdxDBGridOptionsEx{egoMultiSort});
  EXPECT_TRUE(grid.OptionsBehavior().Contains(edgoMultiSort));
  // Legacy values with no master stay as they were.
  EXPECT_TRUE(grid.OptionsBehavior().Contains(edgoAutoSort));
}

TEST(DxDBGridOptions, DefaultFieldsAndLoadAllExcludeEachOther) {
  TdxDBGrid grid(nullptr);
  grid.SetOptionsDB(grid.OptionsDB() + TdxDBGridOptionsDB{edgoLoadAllRecords});
  grid.SetDefaultFields(true);
  EXPECT_FALSE(grid.OptionsDB().Contains(edgoLoadAllRecords));
  grid.SetOptionsDB(grid.OptionsDB() + TdxDBGridOptionsDB{edgoLoadAllRecords});
  EXPECT_FALSE(grid.DefaultFields());
}

// Three columns; the last one is grouped. Marks reads their sort marks as "u", "d" or "-".
struct TSortGrid {
  TdxDBGrid grid{nullptr};
  TSortGrid() {
    for (int i = 0; i < 3; ++i) grid.CreateColumnEx(TdxDBGridColumn::StaticClass(), &grid);
    grid.Columns(2)->SetGroupIndex(0);
  }
  std::string Marks() {
    std::string s;
    for (int i = 0; i < grid.GetColumnCount(); ++i)
      s += grid.Columns(i)->Sorted() == csUp ? 'u' : grid.Columns(i)->Sorted() == csDown ? 'd' : '-';
    return s;
  }
};

TEST(DxDBGridOptions, SwitchingAutoSortOrMultiSortDropsTheSortMarksOfUngroupedColumns) {
  const std::pair<const char*, TdxDBGridOptionsBehavior> switches[] = {
      {"AutoSort off", kDefaultOptionsBehavior - TdxDBGridOptionsBehavior{edgoAutoSort}},
      {"MultiSort on", kDefaultOptionsBehavior + TdxDBGridOptionsBehavior{edgoMultiSort}},
  };
  for (const auto& [name, options] : switches) {
    TSortGrid g;
    g.grid.Columns(0)->SetSorted(csUp);
    g.grid.Columns(1)->SetSorted(csDown);
    g.grid.Columns(2)->SetSorted(csUp);
    ASSERT_EQ(g.Marks(), "udu") << name;
    // Other behaviour options keep the marks.
    g.grid.SetOptionsBehavior(g.grid.OptionsBehavior() + TdxDBGridOptionsBehavior{edgoCaseInsensitive});
    EXPECT_EQ(g.Marks(), "udu") << name;
    g.grid.SetOptionsBehavior(options);
    EXPECT_EQ(g.Marks(), "--u") << name;
    EXPECT_EQ(g.grid.GetSortedColumnCount(), 0) << name;
  }
}

TEST(DxDBGridOptions, AnAutomaticSortReplacesTheSortUnlessShiftAddsToIt) {
  TSortGrid g;
  g.grid.SetOptionsDB(g.grid.OptionsDB() + TdxDBGridOptionsDB{edgoLoadAllRecords});
  g.grid.SetOptionsBehavior(g.grid.OptionsBehavior() + TdxDBGridOptionsBehavior{edgoMultiSort});
  g.grid.Columns(2)->SetSorted(csDown);
  g.grid.DoColumnClick(g.grid.Columns(0));
  g.grid.DoColumnClick(g.grid.Columns(1));
  EXPECT_EQ(g.Marks(), "-ud");
  g.grid.SetSortClickFlags(true, false);
  g.grid.DoColumnClick(g.grid.Columns(0));
  g.grid.SetSortClickFlags(false, false);
  EXPECT_EQ(g.Marks(), "uud");
  // Without the automatic sort a sort mark set in code joins the others.
  g.grid.SetOptionsBehavior(g.grid.OptionsBehavior() - TdxDBGridOptionsBehavior{edgoAutoSort});
  g.grid.Columns(0)->SetSorted(csUp);
  g.grid.Columns(1)->SetSorted(csDown);
  EXPECT_EQ(g.Marks(), "udd");
}

}  // namespace
