// Middle-button panning through simulated input on the virtual clock. Panning runs its own message
// loop, so each test hands it a script: one step each time the loop looks at its queue.
#include <functional>

#include "dx/treelist/dxTLConsts.h"
#include "dx/treelist/tests/dxTreeListTestSupport.h"
#include "platform/win/Backend.h"
#include "platform/win/Input.h"

namespace {

class DxTLPanningTest : public DxTreeListTest {
 public:
  void SetUp() override {
    DxTreeListTest::SetUp();
    // The program's resources, from the source tree this test's data folder lies in.
    const std::string data = TRENVIK_TEST_DATA_DIR;
    SetResourceFolder(Utf8ToString(data.substr(0, data.rfind("/dx/treelist/")) + "/resources"));
  }
  void TearDown() override {
    SetMessagePumpHook(nullptr);
    SetResourceFolder(String());
    DxTreeListTest::TearDown();
  }
  // 100 rows and a column wider than the window, with the given scroll bars.
  TTestTreeList* Sample(TScrollStyle Bars) {
    auto* tl = MakeTreeList(300, 200);
    tl->SetScrollBars(Bars);
    tl->SetShowIndicator(false);
    tl->CreateColumn(TdxTreeListColumn::StaticClass())->SetWidth(900);
    for (int i = 0; i < 100; ++i) AddText(tl, nullptr, std::to_string(i).c_str());
    Pump();
    return tl;
  }
  static POINT Centre(TTestTreeList* tl) { return ToScreen(tl, tl->ClientWidth() / 2, tl->ClientHeight() / 2); }
  // Presses the middle button at Anchor and runs Steps inside the panning loop; Esc ends panning when
  // it still runs a while after the script. Returns whether the script ended panning by itself.
  bool PanWith(TTestTreeList* tl, POINT Anchor, std::vector<std::function<void()>> Steps) {
    size_t next = 0, idleLooks = 0;
    bool inHook = false, escaped = false;
    SetMessagePumpHook([&] {
      if (inHook || !tl->IsPanning()) return;
      inHook = true;
      if (next < Steps.size()) {
        Steps[next++]();
      } else if (!escaped && ++idleLooks > 50) {
        escaped = true;
        SimulateKeyDown(VK_ESCAPE);
      }
      inHook = false;
    });
    SimulateMouseMove(Anchor);
    SimulateMouseDown(TSimButton::Middle, Anchor);
    Pump();
    SetMessagePumpHook(nullptr);
    EXPECT_FALSE(tl->IsPanning());
    EXPECT_NE(GetCapture(), tl->Handle()) << "the capture is released";
    return !escaped;
  }
  void Tick() { clock_->Advance(20); }
};

TEST_F(DxTLPanningTest, TenPixelsBeyondTheDeadZoneScrollOneRowEveryTenTicks) {
  auto* tl = Sample(ssBoth);
  const POINT anchor = Centre(tl);
  HWND anchorWindow = nullptr;
  int top = -1;
  std::vector<std::function<void()>> steps;
  steps.push_back([&] {
    anchorWindow = tl->PanAnchorWindow();
    RECT r;
    GetWindowRect(anchorWindow, &r);
    EXPECT_TRUE(IsWindowVisible(anchorWindow));
    EXPECT_EQ(r.left, anchor.x - (r.right - r.left) / 2) << "centred on the press";
    EXPECT_EQ(tl->PanningCursor(), crDXTLFullScroll);
    KeepCheckedScreen("anchor");
    // The window is cut to an ellipse: its corner shows the rows' background, its edge the outline.
    EXPECT_EQ(ScreenPixel(POINT{r.left, r.top}), ColorToRGB(tl->Color()));
    EXPECT_EQ(ScreenPixel(POINT{r.left, (r.top + r.bottom) / 2}), GetSysColor(COLOR_WINDOWTEXT));
  });
  const int half = 29 / 2;  // the anchor bitmap is 29 pixels wide
  steps.push_back([&] { SimulateMouseMove(POINT{anchor.x + 3, anchor.y + half + 10}); });
  steps.push_back([&] {
    EXPECT_EQ(tl->PanningCursor(), crDXTLDownScroll);
    top = tl->GetTopIndex();
  });
  for (int i = 0; i < 9; ++i) steps.push_back([&] { Tick(); });
  steps.push_back([&] { EXPECT_EQ(tl->GetTopIndex(), top) << "nine ticks: no step yet"; });
  steps.push_back([&] { Tick(); });
  steps.push_back([&] { EXPECT_EQ(tl->GetTopIndex(), top + 1) << "the tenth tick steps"; });
  steps.push_back([&] { SimulateMouseMove(POINT{anchor.x, anchor.y - half - 55}); });
  steps.push_back([&] {
    EXPECT_EQ(tl->PanningCursor(), crDXTLUpScroll);
    Tick();
  });
  steps.push_back([&] {
    EXPECT_EQ(tl->GetTopIndex(), top) << "at full speed every tick steps";
    SimulateMouseUp(TSimButton::Middle, POINT{anchor.x, anchor.y - half - 55});
  });
  EXPECT_TRUE(PanWith(tl, anchor, steps)) << "the release ends panning once the pointer has moved";
  EXPECT_FALSE(IsWindow(anchorWindow));
  EXPECT_EQ(tl->PanningCursor(), crDefault);
}

TEST_F(DxTLPanningTest, AClickWithoutMovingKeepsPanningUntilTheNextClick) {
  auto* tl = Sample(ssBoth);
  const POINT anchor = Centre(tl);
  bool stillPanning = false;
  std::vector<std::function<void()>> steps = {
      [&] { SimulateMouseUp(TSimButton::Middle, anchor); },
      [&] { Tick(); },
      [&] {
        stillPanning = tl->IsPanning();
        SimulateMouseDown(TSimButton::Left, anchor);
      },
  };
  EXPECT_TRUE(PanWith(tl, anchor, steps));
  EXPECT_TRUE(stillPanning);
  SimulateMouseUp(TSimButton::Left, anchor);
  Pump();
}

TEST_F(DxTLPanningTest, WithOnlyAVerticalBarOnlyTheRowsPan) {
  auto* tl = Sample(ssVertical);
  const POINT anchor = Centre(tl);
  std::vector<TCursor> cursors;
  std::vector<std::function<void()>> steps = {
      [&] { SimulateMouseMove(POINT{anchor.x + 200, anchor.y}); },
      [&] {
        cursors.push_back(tl->PanningCursor());
        SimulateMouseMove(POINT{anchor.x + 200, anchor.y + 40});
      },
      [&] {
        cursors.push_back(tl->PanningCursor());
        SimulateKeyDown('A');  // swallowed
      },
      [&] { SimulateKeyDown(VK_ESCAPE); },
  };
  EXPECT_TRUE(PanWith(tl, anchor, steps));
  EXPECT_EQ(cursors, (std::vector<TCursor>{crDXTLVerScroll, crDXTLDownScroll}));
  EXPECT_EQ(tl->LeftCoord(), 0);
}

}  // namespace
