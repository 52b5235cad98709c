#include "platform/display/tests/DesktopPixels.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

COLORREF ReadDesktopPixel(void* sdlWindow, int x, int y) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(static_cast<SDL_Window*>(sdlWindow), &info) || info.subsystem != SDL_SYSWM_X11)
    return 0xFFFFFFFF;
  ::Display* display = info.info.x11.display;
  XSync(display, False);
  XImage* image = XGetImage(display, info.info.x11.window, x, y, 1, 1, AllPlanes, ZPixmap);
  if (!image) return 0xFFFFFFFF;
  const unsigned long p = XGetPixel(image, 0, 0);
  XDestroyImage(image);
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}
