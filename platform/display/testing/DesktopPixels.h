// Test support: reading the desktop's pixels through the X server (kept apart from GoogleTest, whose
// names the X11 macros would clash with).
#pragma once

#include <memory>

#include "platform/gdi/Surface.h"
#include "platform/rtl/WinDef.h"

// Waits for the X server to finish drawing, then reads a pixel of the SDL window (an SDL_Window*)
// in its own coordinates; CLR_INVALID when the window is not on X11.
COLORREF ReadDesktopPixel(void* sdlWindow, int x, int y);
// The same for the whole window as the X server shows it; nullptr when it is not on X11.
std::unique_ptr<TSurface> ReadDesktopImage(void* sdlWindow);
// How many pixels of rect (screen coordinates, within the shot) the desktop shot shows otherwise than
// the framework's own composed screen: 0 when the X server shows what the framework drew.
int CountPixelsDifferingFromScreen(const TSurface& shot, const RECT& rect);
