#include "platform/win/SysColors.h"

#include <array>

#include "platform/gdi/Objects.h"
#include "platform/win/Messages.h"
#include "platform/win/WinInternal.h"

namespace {

constexpr int kCount = 31;
std::array<COLORREF, kCount> g_colors{};
std::array<HBRUSH, kCount> g_brushes{};
bool g_loaded = false;

void Load() {
  if (g_loaded) return;
  for (int i = 0; i < kCount; ++i) g_colors[i] = ClassicSysColor(i);
  g_loaded = true;
}

COLORREF Source(int index) { return GetSysColor(index); }

}  // namespace

COLORREF GetSysColor(int index) {
  Load();
  return index >= 0 && index < kCount ? g_colors[index] : 0;
}

HBRUSH GetSysColorBrush(int index) {
  Load();
  if (index < 0 || index >= kCount) return nullptr;
  if (!g_brushes[index]) {
    g_brushes[index] = CreateSolidBrush(g_colors[index]);
    // Shared by everyone: DeleteObject on it must not free it.
    MakeStockObject(g_brushes[index]);
  }
  return g_brushes[index];
}

BOOL SetSysColors(int count, const int* indexes, const COLORREF* colors) {
  Load();
  for (int i = 0; i < count; ++i) {
    int index = indexes[i];
    if (index < 0 || index >= kCount) continue;
    g_colors[index] = colors[i];
    // Old brushes stay valid for whoever holds them.
    g_brushes[index] = nullptr;
  }
  SetSysColorSource(&Source);
  SendMessage(HWND_BROADCAST, WM_SYSCOLORCHANGE, 0, 0);
  return TRUE;
}

void ResetSysColors() {
  g_loaded = false;
  g_brushes.fill(nullptr);
  Load();
}

void InstallSysColorSource() { SetSysColorSource(&Source); }
