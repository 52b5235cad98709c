// An idle program: one window with a blinking caret and nothing else happening, its message loop
// run for 10 s of real time. Measured: the CPU time the process used (getrusage) as a share of one
// core (target: at most 1 %). Headless, and on the desktop through the SDL back end when a display
// is reachable (run under xvfb-run to measure that without a desktop).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>

#include "platform/display/Display.h"
#include "platform/win/Windows.h"

namespace {

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

HWND CaretWindow() {
  static bool registered = false;
  if (!registered) {
    registered = true;
    WNDCLASSEX wc;
    wc.lpfnWndProc = &DefWindowProc;
    wc.lpszClassName = u"IdleBenchWindow";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassEx(&wc);
  }
  HWND hwnd = CreateWindowEx(0, u"IdleBenchWindow", u"Idle", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 300,
                             200, nullptr, nullptr, nullptr, nullptr);
  SetFocus(hwnd);
  CreateCaret(hwnd, nullptr, 2, 16);
  SetCaretPos(10, 10);
  ShowCaret(hwnd);
  return hwnd;
}

// Runs the loop until a 10-second timer, returns the CPU share of one core in per cent.
double IdleCpuPercent(HWND hwnd) {
  constexpr UINT kSeconds = 10;
  // Measured from when the window is painted and shown: what follows is the idle loop alone.
  ProcessPendingMessages();
  PresentDisplay();
  SetTimer(hwnd, 1, kSeconds * 1000, nullptr);
  const double cpuBefore = CpuSeconds();
  const auto wallBefore = std::chrono::steady_clock::now();
  MSG msg;
  while (GetMessage(&msg, nullptr, 0, 0) && !(msg.message == WM_TIMER && msg.hwnd == hwnd)) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  KillTimer(hwnd, 1);
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
  return 100.0 * (CpuSeconds() - cpuBefore) / wall;
}

void BM_IdleWithBlinkingCaret(benchmark::State& state, TDisplayKind kind) {
  if (kind == TDisplayKind::Sdl && (PreferredDisplayKind() != TDisplayKind::Sdl || !StartDisplay(kind))) {
    state.SkipWithError("no display to open");
    return;
  }
  HWND hwnd = CaretWindow();
  double percent = 0;
  for (auto _ : state) percent = IdleCpuPercent(hwnd);
  state.counters["cpu_percent_of_a_core"] = percent;
  DestroyCaret();
  DestroyWindow(hwnd);
  StopDisplay();
}
BENCHMARK_CAPTURE(BM_IdleWithBlinkingCaret, headless, TDisplayKind::Headless)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_IdleWithBlinkingCaret, sdl, TDisplayKind::Sdl)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
