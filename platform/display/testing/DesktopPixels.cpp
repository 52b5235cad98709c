#include "platform/display/testing/DesktopPixels.h"

// Before the X11 headers, whose macros would clash with the window layer's names.
#include "platform/win/Paint.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// The part of the window's X image at (x, y), once the server has drawn everything asked of it.
XImage* GetWindowImage(void* sdlWindow, int x, int y, int w, int h) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(static_cast<SDL_Window*>(sdlWindow), &info) || info.subsystem != SDL_SYSWM_X11)
    return nullptr;
  ::Display* display = info.info.x11.display;
  XSync(display, False);
  return XGetImage(display, info.info.x11.window, x, y, w, h, AllPlanes, ZPixmap);
}

// The virtual server runs at 24 bits, 8 per channel.
COLORREF ColourOf(unsigned long p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }

}  // namespace

COLORREF ReadDesktopPixel(void* sdlWindow, int x, int y) {
  XImage* image = GetWindowImage(sdlWindow, x, y, 1, 1);
  if (!image) return 0xFFFFFFFF;
  const COLORREF c = ColourOf(XGetPixel(image, 0, 0));
  XDestroyImage(image);
  return c;
}

std::unique_ptr<TSurface> ReadDesktopImage(void* sdlWindow) {
  int w = 0, h = 0;
  SDL_GetWindowSize(static_cast<SDL_Window*>(sdlWindow), &w, &h);
  XImage* image = GetWindowImage(sdlWindow, 0, 0, w, h);
  if (!image) return nullptr;
  auto surface = std::make_unique<TSurface>(w, h);
  for (int y = 0; y < h; ++y) {
    Pixel* row = surface->Row(y);
    for (int x = 0; x < w; ++x) row[x] = ColorToPixel(ColourOf(XGetPixel(image, x, y)));
  }
  XDestroyImage(image);
  return surface;
}

int CountPixelsDifferingFromScreen(const TSurface& shot, const RECT& rect) {
  TSurface composed(1, 1);
  ComposeScreen(composed);
  int differing = 0;
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x) differing += shot.At(x, y) != composed.At(x, y);
  return differing;
}
