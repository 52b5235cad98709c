#include "platform/display/Display.h"

#include <cstdlib>
#include <memory>

#include "platform/display/SdlBackend.h"
#include "platform/win/Backend.h"
#include "platform/win/MessageIds.h"
#include "platform/win/Messages.h"

namespace {

TDisplayKind kind = TDisplayKind::Headless;
std::unique_ptr<TSdlBackend> sdl;
std::function<void()> closeHandler;
std::string lastError;

bool EnvSet(const char* name) {
  const char* v = std::getenv(name);
  return v && *v;
}

}  // namespace

// Used by the SDL back end when the desktop asks the window to close.
void RequestDisplayClose() {
  if (closeHandler) {
    closeHandler();
    return;
  }
  if (HWND active = GetActiveWindow())
    PostMessage(active, WM_CLOSE, 0, 0);
  else
    PostQuitMessage(0);
}

TDisplayKind PreferredDisplayKind() {
  if (EnvSet("TRENVIK_HEADLESS")) return TDisplayKind::Headless;
  return EnvSet("DISPLAY") || EnvSet("WAYLAND_DISPLAY") ? TDisplayKind::Sdl : TDisplayKind::Headless;
}

bool StartDisplay(TDisplayKind requested) {
  StopDisplay();
  if (requested == TDisplayKind::Headless) return true;
  auto backend = std::make_unique<TSdlBackend>();
  if (!backend->Open()) {
    lastError = SDL_GetError();
    return false;
  }
  sdl = std::move(backend);
  kind = TDisplayKind::Sdl;
  ScreenSurface()->SetTrackDamage(true);
  SetMessagePumpHook([] {
    if (!sdl) return;
    sdl->Pump();
    sdl->Present(false);
  });
  // The idle loop sleeps in SDL's wait, so desktop events wake it as queue events do.
  TSdlBackend* open = sdl.get();
  SetDisplayWait({[open](Int64 timeoutMs) { open->Wait(timeoutMs); }, [open] { open->Wake(); }});
  return true;
}

void StopDisplay() {
  if (!sdl) return;
  SetDisplayWait({});
  SetMessagePumpHook(nullptr);
  sdl.reset();
  kind = TDisplayKind::Headless;
}

TDisplayKind CurrentDisplayKind() { return kind; }

std::string LastDisplayError() { return lastError; }

void PresentDisplay() {
  if (sdl) sdl->Present(true);
}

void SetDisplayCloseHandler(std::function<void()> handler) { closeHandler = std::move(handler); }

void* DisplaySdlWindow() { return sdl ? sdl->Window() : nullptr; }

RECT DisplayLastPresented() { return sdl ? sdl->LastPresented() : RECT{}; }

int DisplayPresentCount() { return sdl ? sdl->PresentCount() : 0; }
