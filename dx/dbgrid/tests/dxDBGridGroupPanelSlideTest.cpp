// The group panel's slide on the layer's clock: it moves the rows area by the panel's height, stops
// once 400 ms have passed, fills the strip it uncovers, and runs only from the grid's normal state.
#include "DbGridTestSupport.h"
#include "dx/dbgrid/dxDBGrid.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

namespace {

// A clock that moves on by Step milliseconds each time it is read.
class TSteppingClock : public TClock {
 public:
  explicit TSteppingClock(Int64 Step, int* Reads) : step_(Step), reads_(Reads) {}
  Int64 TickCount() override {
    ++*reads_;
    ticks_ += step_;
    return ticks_;
  }
  TDateTime Now() override { return 46000.5; }

 private:
  Int64 step_;
  int* reads_;
  Int64 ticks_ = 1000;
};

const char* const kSlidePeople = R"(
CREATE TABLE PEOPLE (ID INTEGER PRIMARY KEY, NAME NVARCHAR(40));
INSERT INTO PEOPLE VALUES (1, 'Петров'), (2, 'Абаев');
)";

class DxDBGridGroupPanelSlideTest : public DbGridTest {
 protected:
  void SetUp() override {
    OpenDatabase(kSlidePeople);
    TADOQuery* people = Query("SELECT * FROM PEOPLE ORDER BY ID");
    people->Open();
    grid = NewBoundGrid(people, {u"ID", u"NAME"}, [](TdxDBGrid* g) { g->SetKeyField(u"ID"); });
  }
  // Runs Action with a clock that moves Step ms a read; answers how often it was read.
  int WithSteppingClock(Int64 Step, const std::function<void()>& Action) {
    int reads = 0;
    std::unique_ptr<TClock> previous = SetClock(std::make_unique<TSteppingClock>(Step, &reads));
    Action();
    SetClock(std::move(previous));
    return reads;
  }
  COLORREF ScreenPixel(int X, int Y) {
    HDC dc = GetDC(grid->Handle());
    const COLORREF c = GetPixel(dc, X, Y);
    ReleaseDC(grid->Handle(), dc);
    return c;
  }

  TdxDBGrid* grid = nullptr;
};

TEST_F(DxDBGridGroupPanelSlideTest, TheSlideCoversThePanelOrStopsAt400Milliseconds) {
  const int full = grid->FullGroupPanelHeight();
  ASSERT_GT(full, 3);
  const struct {
    Int64 Step;
    int Moved;
  } cases[] = {{1, full}, {100, 3}};  // 100 ms a read: three one-pixel steps before 400 ms
  for (const auto& c : cases) {
    int moved = 0;
    WithSteppingClock(c.Step, [&] { moved = grid->SlideGroupPanel(true); });
    EXPECT_EQ(moved, c.Moved) << c.Step;
  }
  // The strip it uncovered is the panel's colour at the top; a slide out uncovers the grid's colour
  // at the bottom.
  EXPECT_EQ(ScreenPixel(200, 1), ColorToColorRef(clBtnShadow));
  WithSteppingClock(1, [&] { grid->SlideGroupPanel(false); });
  EXPECT_EQ(ScreenPixel(200, grid->ClientHeight() - 2), ColorToColorRef(grid->Color()));
}

TEST_F(DxDBGridGroupPanelSlideTest, OnlyAGridAtRestSlides) {
  EXPECT_GT(WithSteppingClock(1, [&] { grid->SetShowGroupPanel(true); }), 0);
  EXPECT_TRUE(grid->ShowGroupPanel());
  grid->BeginUpdate();
  EXPECT_EQ(WithSteppingClock(1, [&] { grid->SetShowGroupPanel(false); }), 0);
  grid->EndUpdate();
  EXPECT_FALSE(grid->ShowGroupPanel());
}

}  // namespace
