// The group panel on the headless screen, driven by simulated input: a header dragged onto the
// panel groups its column and paints its box, a click on the box reverses the level's order, and
// the box dragged off the panel ungroups the column; each step checked on the screen's pixels.
#include "DbGridTestSupport.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Input.h"
#include "platform/win/Windows.h"

namespace {

const char* const kGroupPanelPeople = R"(
CREATE TABLE PEOPLE (ID INTEGER PRIMARY KEY, NAME NVARCHAR(40), CITY NVARCHAR(40));
INSERT INTO PEOPLE VALUES (1, 'Петров', 'Омск'), (2, 'Абаев', 'Тула'), (3, 'Сидоров', 'Омск');
)";

class DxDBGridGroupPanelTest : public DbGridTest {
 protected:
  void SetUp() override {
    OpenDatabase(kGroupPanelPeople);
    people = Query("SELECT * FROM PEOPLE ORDER BY ID");
    people->Open();
    grid = NewBoundGrid(people, {u"ID", u"NAME", u"CITY"}, [](TdxDBGrid* g) {
      g->SetKeyField(u"ID");
      g->SetOptionsDB(g->OptionsDB() + TdxDBGridOptionsDB{edgoLoadAllRecords});
      g->SetShowGroupPanel(true);
    });
    ResetInputState();
  }
  // The screen point of a client point of the grid.
  POINT Screen(POINT Client) const { return grid->ClientToScreen(Client); }
  POINT PanelPoint(int X, int Y) const {
    const RECT panel = grid->GetGroupPanelRect();
    return POINT{panel.left + X, panel.top + Y};
  }
  POINT HeaderPoint(int Column) {
    RECT rows{};
    grid->GetRowsRect(rows);
    for (int y = 0; y < rows.top; ++y)
      for (int x = 0; x < 400; x += 4) {
        TdxTreeListHitInfo hit;
        grid->GetHitInfo(POINT{x, y}, hit);
        if (hit.HitKind == tlhHeader && hit.Column == Column) return POINT{x + 20, y + 4};
      }
    return POINT{-1, -1};
  }
  void Drag(POINT From, POINT To) {
    clock_->Advance(1000);
    SimulateMouseMove(Screen(From));
    SimulateMouseDown(TSimButton::Left, Screen(From));
    Pump();
    for (int step = 1; step <= 4; ++step) {
      SimulateMouseMove(Screen(POINT{From.x + (To.x - From.x) * step / 4, From.y + (To.y - From.y) * step / 4}));
      Pump();
    }
    SimulateMouseUp(TSimButton::Left, Screen(To));
    Pump();
  }
  COLORREF Pixel(POINT Client) {
    grid->Repaint();
    Pump();
    HDC dc = GetDC(grid->Handle());
    const COLORREF c = GetPixel(dc, Client.x, Client.y);
    ReleaseDC(grid->Handle(), dc);
    return c;
  }
  std::string RootValues() {
    std::string s;
    for (int i = 0; i < grid->GetCount(); ++i)
      s += (i ? "," : "") + StringToUtf8(VarToStr(static_cast<TdxDBGridNode*>(grid->GetItem(i))->Group().Value));
    return s;
  }

  TADOQuery* people = nullptr;
  TdxDBGrid* grid = nullptr;
};

TEST_F(DxDBGridGroupPanelTest, AHeaderDroppedOnThePanelGroupsAndItsBoxDraggedOffUngroups) {
  const POINT margin = PanelPoint(3, 3);
  const COLORREF panelColor = Pixel(margin);
  const POINT header = HeaderPoint(2);
  ASSERT_GE(header.x, 0);
  Drag(header, PanelPoint(20, 12));
  ASSERT_EQ(grid->GroupCount(), 1);
  EXPECT_EQ(grid->GetGroupColumn(0), grid->Columns(2));
  EXPECT_FALSE(grid->Columns(2)->Visible());
  EXPECT_EQ(RootValues(), "Омск,Тула");
  KeepCheckedWindow(grid->Handle(), "grouped");
  // The box stands where the panel was bare; below it the panel, taller now, is still the panel.
  EXPECT_NE(Pixel(PanelPoint(90, 12)), panelColor);
  EXPECT_EQ(Pixel(PanelPoint(90, 31)), panelColor);

  // A click on the box (no drag) reverses the level's order.
  clock_->Advance(1000);
  SimulateClick(TSimButton::Left, Screen(PanelPoint(60, 12)));
  Pump();
  EXPECT_EQ(grid->Columns(2)->Sorted(), csDown);
  EXPECT_EQ(RootValues(), "Тула,Омск");
  EXPECT_EQ(grid->GroupCount(), 1);

  RECT rows{};
  grid->GetRowsRect(rows);
  Drag(PanelPoint(60, 12), POINT{rows.left + 60, rows.top + 30});
  KeepCheckedWindow(grid->Handle(), "ungrouped");
  EXPECT_EQ(grid->GroupCount(), 0);
  EXPECT_TRUE(grid->Columns(2)->Visible());
  EXPECT_EQ(grid->Columns(2)->Sorted(), csNone);
  EXPECT_EQ(grid->GetCount(), 3);
  // The panel is back to its empty height: what was panel below the box is header now.
  EXPECT_NE(Pixel(PanelPoint(90, 31)), panelColor);
}

// A grid whose customizing form covers the right half of its rows area.
class TCustomizingFormGrid : public TdxDBGrid {
 public:
  using TdxDBGrid::TdxDBGrid;
  bool IsOverCustomizingForm(POINT Screen) override {
    POINT client = Screen;
    ::ScreenToClient(Handle(), &client);
    RECT rows{};
    GetRowsRect(rows);
    return client.x > 200 && client.y > rows.top;
  }
};

TEST_F(DxDBGridGroupPanelTest, ABoxDroppedOnTheCustomizingFormUngroupsAndHidesItsColumn) {
  const struct {
    bool DisableCustomizing;
    bool Hidden;
  } cases[] = {{false, true}, {true, false}};
  for (const auto& c : cases) {
    auto* custom = new TCustomizingFormGrid(NewShownForm());
    custom->SetParent(static_cast<TWinControl*>(custom->Owner()));
    custom->SetBounds(0, 0, 400, 300);
    for (const char16_t* name : {u"ID", u"NAME", u"CITY"})
      custom->CreateColumnEx(TdxDBGridColumn::StaticClass(), custom)->SetFieldName(name);
    custom->SetKeyField(u"ID");
    custom->SetOptionsDB(custom->OptionsDB() + TdxDBGridOptionsDB{edgoLoadAllRecords});
    custom->SetShowGroupPanel(true);
    custom->SetDataSource(SourceOf(people));
    Pump();
    grid = custom;
    grid->Columns(2)->SetDisableCustomizing(c.DisableCustomizing);
    grid->Columns(2)->SetGroupIndex(0);
    ASSERT_FALSE(grid->Columns(2)->Visible());
    int hidden = 0;
    grid->OnHideHeader = [&](TObject*, TdxTreeListColumn* Column) { hidden += Column == grid->Columns(2); };
    RECT rows{};
    grid->GetRowsRect(rows);
    Drag(PanelPoint(60, 12), POINT{300, rows.top + 30});
    EXPECT_EQ(grid->GroupCount(), 0);
    EXPECT_EQ(grid->Columns(2)->Visible(), !c.Hidden);
    EXPECT_EQ(hidden, c.Hidden ? 1 : 0);
    EXPECT_EQ(grid->GetCount(), 3);
  }
}

}  // namespace
