// Drawing-layer benchmarks: a full repaint of a screen-sized grid of text cells, and text measuring.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/rtl/String.h"

namespace {

std::vector<String> SampleTexts(int count) {
  const char* surnames[] = {"Иванов", "Петрова", "Сидоренко", "Smith", "Кузнецов", "Ng", "Фёдорова", "Lee"};
  std::vector<String> texts;
  for (int i = 0; i < count; ++i)
    texts.push_back(S(surnames[i % 8]) + u" " + Utf8ToString(std::to_string(i * 37 % 10000)));
  return texts;
}

// 1920 x 1080 with 40 x 50 = 2,000 cells of 48 x 21 pixels, grid lines between them.
void BM_RepaintGrid(benchmark::State& state) {
  TSurface screen(1920, 1080);
  HDC dc = CreateSurfaceDC(&screen, {0, 0}, nullptr);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  const std::vector<String> texts = SampleTexts(2000);
  HBRUSH window = CreateSolidBrush(RGB(255, 255, 255));
  HPEN grid = CreatePen(PS_SOLID, 1, RGB(192, 192, 192));
  SelectObject(dc, grid);
  std::vector<POINT> lines;
  std::vector<DWORD> counts;
  for (int c = 0; c <= 40; ++c) {
    lines.push_back({c * 48, 0});
    lines.push_back({c * 48, 1050});
    counts.push_back(2);
  }
  for (int r = 0; r <= 50; ++r) {
    lines.push_back({0, r * 21});
    lines.push_back({1920, r * 21});
    counts.push_back(2);
  }
  const RECT all{0, 0, 1920, 1080};
  for (auto _ : state) {
    FillRect(dc, &all, window);
    SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < 2000; ++i) {
      RECT cell{(i % 40) * 48 + 1, (i / 40) * 21 + 1, (i % 40) * 48 + 48, (i / 40) * 21 + 21};
      DrawText(dc, texts[i].c_str(), static_cast<int>(texts[i].size()), &cell,
               DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    PolyPolyline(dc, lines.data(), counts.data(), static_cast<DWORD>(counts.size()));
    benchmark::DoNotOptimize(screen.At(100, 100));
  }
  DeleteDC(dc);
  DeleteObject(window);
  DeleteObject(grid);
}
BENCHMARK(BM_RepaintGrid)->Unit(benchmark::kMillisecond);

void BM_MeasureMillionStrings(benchmark::State& state) {
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  const std::vector<String> texts = SampleTexts(1000);
  for (auto _ : state) {
    long total = 0;
    SIZE s;
    for (int i = 0; i < 1000000; ++i) {
      const String& t = texts[i % 1000];
      GetTextExtentPoint32(dc, t.c_str(), static_cast<int>(t.size()), &s);
      total += s.cx;
    }
    benchmark::DoNotOptimize(total);
  }
  DeleteDC(dc);
}
BENCHMARK(BM_MeasureMillionStrings)->Unit(benchmark::kMillisecond);

}  // namespace
