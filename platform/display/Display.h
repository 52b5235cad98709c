// Display back ends: headless (tests, screenshots) and SDL2 (one desktop window showing the screen).
#pragma once

#include <functional>
#include <string>

#include "platform/rtl/WinDef.h"

enum class TDisplayKind { Headless, Sdl };

// Headless when TRENVIK_HEADLESS is set (tests) or no desktop is reachable (no DISPLAY or
// WAYLAND_DISPLAY); SDL2 otherwise.
TDisplayKind PreferredDisplayKind();
// Starts a back end. The SDL back end opens its window at the screen's size (shrunk to the desktop's
// usable area) and from then on presents the screen and feeds desktop input, the clipboard and the
// cursor to the window system. False (and headless) when SDL cannot open its window.
bool StartDisplay(TDisplayKind kind);
void StopDisplay();
// Why the last StartDisplay failed (the SDL back end's own words).
std::string LastDisplayError();
TDisplayKind CurrentDisplayKind();
// Presents what changed on the screen now (the SDL back end also presents from the message loop).
void PresentDisplay();
// What happens when the desktop window is asked to close; by default the active window gets
// WM_CLOSE, or the message loop quits when there is none.
void SetDisplayCloseHandler(std::function<void()> handler);

// PNG files of what a person sees: the screen with layered windows blended over it, and the part of
// it a window covers (its window rectangle). False on failure.
bool SaveScreenPng(const std::string& path);
bool SaveWindowPng(HWND hwnd, const std::string& path);

// The SDL window (an SDL_Window*) while the SDL back end runs, for tests that read the desktop.
void* DisplaySdlWindow();
// What the SDL back end's last present copied to the desktop (screen coordinates), and how many
// presents it made; empty and 0 while headless.
RECT DisplayLastPresented();
int DisplayPresentCount();

void RegisterDisplayModules();
