#include "platform/display/SdlBackend.h"

#include <algorithm>
#include <cstdlib>

#include "platform/display/KeyMap.h"
#include "platform/rtl/String.h"
#include "platform/win/Backend.h"

namespace {

TSimButton ButtonOf(Uint8 b) {
  switch (b) {
    case SDL_BUTTON_RIGHT:
      return TSimButton::Right;
    case SDL_BUTTON_MIDDLE:
      return TSimButton::Middle;
    default:
      return TSimButton::Left;
  }
}

SDL_SystemCursor SystemCursorOf(int id) {
  switch (id) {
    case 32513:
      return SDL_SYSTEM_CURSOR_IBEAM;
    case 32514:
      return SDL_SYSTEM_CURSOR_WAIT;
    case 32515:
      return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case 32642:
      return SDL_SYSTEM_CURSOR_SIZENWSE;
    case 32643:
      return SDL_SYSTEM_CURSOR_SIZENESW;
    case 32644:
      return SDL_SYSTEM_CURSOR_SIZEWE;
    case 32645:
      return SDL_SYSTEM_CURSOR_SIZENS;
    case 32646:
      return SDL_SYSTEM_CURSOR_SIZEALL;
    case 32648:
      return SDL_SYSTEM_CURSOR_NO;
    case 32649:
      return SDL_SYSTEM_CURSOR_HAND;
    case 32650:
      return SDL_SYSTEM_CURSOR_WAITARROW;
    default:
      return SDL_SYSTEM_CURSOR_ARROW;
  }
}

}  // namespace

TSdlBackend::~TSdlBackend() {
  SetClipboardBridge(nullptr);
  SetCursorChangedHook(nullptr);
  if (cursor_) SDL_FreeCursor(cursor_);
  if (window_) SDL_DestroyWindow(window_);
  if (window_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool TSdlBackend::Open() {
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  // The window's surface in shared memory, updated by rectangles: a renderer behind it would upload
  // and draw the whole window for every caret blink.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // The desktop the environment names, and no other: a display that cannot be opened is an error,
  // not a reason to try another video driver.
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (!std::getenv("SDL_VIDEODRIVER")) {
    if (x11 && *x11)
      SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    else if (wayland && *wayland)
      SDL_SetHint(SDL_HINT_VIDEODRIVER, "wayland");
  }
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  TSurface* screen = ScreenSurface();
  int width = screen->Width(), height = screen->Height();
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.w > 0 && usable.h > 0) {
    width = std::min(width, usable.w);
    height = std::min(height, usable.h);
  }
  window_ = SDL_CreateWindow("Trenvik", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                             SDL_WINDOW_RESIZABLE);
  if (!window_) return false;
  // Presents copy the damaged rectangles into the window's own surface: nothing else is redrawn.
  if (!SDL_GetWindowSurface(window_)) return false;
  wakeEvent_ = SDL_RegisterEvents(1);
  SDL_GetWindowSize(window_, &width, &height);
  if (width != screen->Width() || height != screen->Height()) SetScreenSize(width, height);
  composed_ = std::make_unique<TSurface>(width, height);
  SDL_StartTextInput();

  SetClipboardBridge([this](const String& text) {
    published_ = StringToUtf8(text);
    seen_ = published_;
    SDL_SetClipboardText(published_.c_str());
  });
  ImportDesktopClipboard();
  SetCursorChangedHook([this](HCURSOR c) { OnCursor(c); });
  ScreenSurface()->AddDamageAll();
  Present(true);
  return true;
}

void TSdlBackend::Resize(int width, int height) {
  TSurface* screen = ScreenSurface();
  if (width != screen->Width() || height != screen->Height()) SetScreenSize(width, height);
  ScreenSurface()->AddDamageAll();
  Present(true);
}

void TSdlBackend::Present(bool force) {
  TSurface* screen = ScreenSurface();
  if (!window_ || (!force && !screen->HasDamage())) return;
  // The window's surface is made anew when the window's size changed.
  SDL_Surface* out = SDL_GetWindowSurface(window_);
  if (!out) return;
  GdiRegion damage = screen->TakeDamage();
  if (force) damage = GdiRegion(screen->Bounds());
  const RECT visible{0, 0, std::min(screen->Width(), out->w), std::min(screen->Height(), out->h)};
  damage = damage & GdiRegion(visible);
  if (damage.IsEmpty()) return;
  ComposeScreen(*composed_, damage);
  std::vector<SDL_Rect> rects;
  for (const RECT& r : damage.Rects()) {
    const SDL_Rect area{r.left, r.top, r.right - r.left, r.bottom - r.top};
    // Our pixels are 0xAARRGGBB words; SDL converts when the desktop's layout differs.
    SDL_ConvertPixels(
        area.w, area.h, SDL_PIXELFORMAT_ARGB8888, composed_->Row(r.top) + r.left, composed_->Stride() * 4,
        out->format->format,
        static_cast<Uint8*>(out->pixels) + r.top * out->pitch + r.left * out->format->BytesPerPixel,
        out->pitch);
    rects.push_back(area);
  }
  SDL_UpdateWindowSurfaceRects(window_, rects.data(), static_cast<int>(rects.size()));
  lastPresented_ = damage.Bounds();
  ++presents_;
}

void TSdlBackend::Wait(Int64 timeoutMs) {
  Present(false);
  SDL_WaitEventTimeout(nullptr, timeoutMs < 0 ? -1 : static_cast<int>(std::min<Int64>(timeoutMs, 1 << 30)));
}

void TSdlBackend::Wake() {
  SDL_Event e{};
  e.type = wakeEvent_;
  SDL_PushEvent(&e);
}

void TSdlBackend::ImportDesktopClipboard() {
  if (!SDL_HasClipboardText()) return;
  char* text = SDL_GetClipboardText();
  if (text && *text && seen_ != text && published_ != text) {
    seen_ = text;
    ImportClipboardText(Utf8ToString(text));
  }
  SDL_free(text);
}

void TSdlBackend::ReleaseHeldKeys() {
  for (UINT vk = 1; vk < 256; ++vk)
    if (GetAsyncKeyState(static_cast<int>(vk)) & 0x8000) SimulateKeyUp(vk);
}

void TSdlBackend::OnKey(const SDL_KeyboardEvent& e) {
  const bool numLock = (SDL_GetModState() & KMOD_NUM) != 0;
  const bool chord = (e.keysym.mod & (KMOD_CTRL | KMOD_ALT)) != 0;
  // Keys that type text arrive as text input, so the desktop's layout decides the characters.
  if (TypesText(e.keysym.scancode, numLock) && !chord) return;
  const UINT vk = VirtualKeyOf(e.keysym.scancode, numLock);
  if (!vk) return;
  if (e.type == SDL_KEYDOWN)
    SimulateKeyDown(vk);
  else
    SimulateKeyUp(vk);
}

void TSdlBackend::OnCursor(HCURSOR cursor) {
  TCursorInfo info;
  SDL_Cursor* next = nullptr;
  if (cursor && GetCursorDetails(cursor, &info)) {
    if (info.standardId || info.pixels.empty()) {
      next = SDL_CreateSystemCursor(SystemCursorOf(info.standardId));
    } else {
      SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(info.pixels.data(), info.width, info.height, 32,
                                                          info.width * 4, SDL_PIXELFORMAT_ARGB8888);
      if (s) {
        next = SDL_CreateColorCursor(s, info.hotSpot.x, info.hotSpot.y);
        SDL_FreeSurface(s);
      }
    }
  }
  SDL_ShowCursor(next ? SDL_ENABLE : SDL_DISABLE);
  if (next) SDL_SetCursor(next);
  if (cursor_) SDL_FreeCursor(cursor_);
  cursor_ = next;
}

void TSdlBackend::Pump() {
  if (pumping_ || !window_) return;
  pumping_ = true;
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    switch (e.type) {
      case SDL_MOUSEMOTION:
        SimulateMouseMove({e.motion.x, e.motion.y});
        break;
      case SDL_MOUSEBUTTONDOWN:
        SimulateMouseDown(ButtonOf(e.button.button), {e.button.x, e.button.y});
        break;
      case SDL_MOUSEBUTTONUP:
        SimulateMouseUp(ButtonOf(e.button.button), {e.button.x, e.button.y});
        break;
      case SDL_MOUSEWHEEL: {
        int x = 0, y = 0;
        SDL_GetMouseState(&x, &y);
        const int lines = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
        if (lines) SimulateWheel(lines * 120, {x, y});
        break;
      }
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        OnKey(e.key);
        break;
      case SDL_TEXTINPUT:
        SimulateText(Utf8ToString(e.text.text));
        break;
      case SDL_CLIPBOARDUPDATE:
        ImportDesktopClipboard();
        break;
      case SDL_WINDOWEVENT:
        switch (e.window.event) {
          case SDL_WINDOWEVENT_SIZE_CHANGED:
            Resize(e.window.data1, e.window.data2);
            break;
          case SDL_WINDOWEVENT_EXPOSED:
          case SDL_WINDOWEVENT_RESTORED:
            // The desktop may have dropped what the window showed: all of it again.
            ScreenSurface()->AddDamageAll();
            break;
          case SDL_WINDOWEVENT_FOCUS_GAINED:
            // Text copied in another program arrives when the user comes back.
            ImportDesktopClipboard();
            SetApplicationActive(true);
            break;
          case SDL_WINDOWEVENT_FOCUS_LOST:
            // Keys held when the window lost the keyboard (Alt of a desktop shortcut that minimised
            // it) are released: their key-up goes to another window.
            ReleaseHeldKeys();
            SetApplicationActive(false);
            break;
          default:
            break;
        }
        break;
      case SDL_QUIT:
        RequestDisplayClose();
        break;
      default:
        break;
    }
  }
  pumping_ = false;
}
