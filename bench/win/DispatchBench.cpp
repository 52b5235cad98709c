// Window-system benchmarks: 1,000,000 posted messages through GetMessage / TranslateMessage /
// DispatchMessage to a window procedure (target: under 0.5 s), and the same with hooks installed.
#include <benchmark/benchmark.h>

#include "platform/win/Windows.h"

namespace {

long g_received = 0;

LRESULT CountingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_USER) {
    g_received += static_cast<long>(wParam);
    return 0;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

HWND MakeWindow() {
  static bool registered = false;
  if (!registered) {
    registered = true;
    WNDCLASSEX wc;
    wc.lpfnWndProc = &CountingProc;
    wc.lpszClassName = u"BenchWindow";
    RegisterClassEx(&wc);
  }
  return CreateWindowEx(0, u"BenchWindow", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

void PumpPosted(HWND hwnd, int count) {
  for (int i = 0; i < count; ++i) PostMessage(hwnd, WM_USER, 1, 0);
  PostQuitMessage(0);
  MSG msg;
  while (GetMessage(&msg, nullptr, 0, 0)) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
}

void BM_DispatchPostedMessages(benchmark::State& state) {
  HWND hwnd = MakeWindow();
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    g_received = 0;
    PumpPosted(hwnd, count);
    if (g_received != count) state.SkipWithError("messages lost");
  }
  state.SetItemsProcessed(state.iterations() * count);
  DestroyWindow(hwnd);
}
BENCHMARK(BM_DispatchPostedMessages)->Arg(1000000)->Unit(benchmark::kMillisecond);

LRESULT PassOn(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void BM_DispatchPostedMessagesWithHooks(benchmark::State& state) {
  HWND hwnd = MakeWindow();
  HHOOK getMessage = SetWindowsHookEx(WH_GETMESSAGE, &PassOn, nullptr, GetCurrentThreadId());
  HHOOK callWndProc = SetWindowsHookEx(WH_CALLWNDPROC, &PassOn, nullptr, GetCurrentThreadId());
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state) PumpPosted(hwnd, count);
  state.SetItemsProcessed(state.iterations() * count);
  UnhookWindowsHookEx(getMessage);
  UnhookWindowsHookEx(callWndProc);
  DestroyWindow(hwnd);
}
BENCHMARK(BM_DispatchPostedMessagesWithHooks)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
