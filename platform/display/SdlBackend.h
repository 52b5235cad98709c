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
  // Shows what changed on the screen; `force` presents even with no damage or too soon after the last.
  void Present(bool force);
  SDL_Window* Window() const { return window_; }

 private:
  void Resize(int width, int height);
  void OnKey(const SDL_KeyboardEvent& e);
  void OnCursor(HCURSOR cursor);
  bool CreateTexture();
  // Takes the desktop's clipboard text when it changed since last seen and is not our own.
  void ImportDesktopClipboard();

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  SDL_Cursor* cursor_ = nullptr;
  std::unique_ptr<TSurface> composed_;
  int textureWidth_ = 0;
  int textureHeight_ = 0;
  Uint32 lastPresent_ = 0;
  bool pumping_ = false;
  // Text we gave the desktop clipboard, so its echo is not imported back, and the desktop text last
  // looked at.
  std::string published_;
  std::string seen_;
};
