// Internal: the SDL2 back end — one desktop window showing the screen 1:1.
#pragma once

#include <SDL.h>

#include <memory>
#include <string>

#include "platform/gdi/Surface.h"
#include "platform/rtl/Types.h"
#include "platform/rtl/WinDef.h"

// The desktop asked the window to close (Display.cpp decides what that means).
void RequestDisplayClose();

class TSdlBackend {
 public:
  TSdlBackend() = default;
  ~TSdlBackend();
  TSdlBackend(const TSdlBackend&) = delete;
  TSdlBackend& operator=(const TSdlBackend&) = delete;

  // Opens the window at the screen's size (within the desktop's usable area); false on failure.
  bool Open();
  // Feeds pending desktop events to the window system.
  void Pump();
  // Shows what changed on the screen (only the damaged rectangles are composed and copied to the
  // desktop); `force` presents the whole screen.
  void Present(bool force);
  // Blocks until a desktop event arrives, Wake() is called (from any thread) or `timeoutMs` passes
  // (-1: no limit), presenting what changed first.
  void Wait(Int64 timeoutMs);
  void Wake();
  SDL_Window* Window() const { return window_; }
  // What the last present copied to the desktop, and how many presents there were.
  RECT LastPresented() const { return lastPresented_; }
  int PresentCount() const { return presents_; }

 private:
  void Resize(int width, int height);
  void OnKey(const SDL_KeyboardEvent& e);
  void ReleaseHeldKeys();
  void OnCursor(HCURSOR cursor);
  // Takes the desktop's clipboard text when it changed since last seen and is not our own.
  void ImportDesktopClipboard();

  SDL_Window* window_ = nullptr;
  SDL_Cursor* cursor_ = nullptr;
  std::unique_ptr<TSurface> composed_;
  Uint32 wakeEvent_ = 0;
  RECT lastPresented_{};
  int presents_ = 0;
  bool pumping_ = false;
  // Text we gave the desktop clipboard, so its echo is not imported back, and the desktop text last
  // looked at.
  std::string published_;
  std::string seen_;
};
