// Screenshots of the composed screen.
#include "platform/display/Display.h"
#include "platform/gdi/Png.h"
#include "platform/gdi/Surface.h"
#include "platform/win/Backend.h"
#include "platform/win/WindowTree.h"

bool SaveScreenPng(const std::string& path) {
  TSurface composed(1, 1);
  ComposeScreen(composed);
  return WritePng(composed, composed.Bounds(), path);
}

bool SaveWindowPng(HWND hwnd, const std::string& path) {
  RECT r;
  if (!IsWindow(hwnd) || !GetWindowRect(hwnd, &r)) return false;
  TSurface composed(1, 1);
  ComposeScreen(composed);
  return WritePng(composed, r, path);
}
