#include "platform/display/SdlBackend.h"

#include <algorithm>

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
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
  if (window_ || renderer_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool TSdlBackend::Open() {
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
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
  renderer_ = SDL_CreateRenderer(window_, -1, 0);
  if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer_) return false;
  SDL_GetWindowSize(window_, &width, &height);
  if (width != screen->Width() || height != screen->Height()) SetScreenSize(width, height);
  composed_ = std::make_unique<TSurface>(width, height);
  if (!CreateTexture()) return false;
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

bool TSdlBackend::CreateTexture() {
  if (texture_) SDL_DestroyTexture(texture_);
  TSurface* screen = ScreenSurface();
  textureWidth_ = screen->Width();
  textureHeight_ = screen->Height();
  // ARGB8888 is a 32-bit 0xAARRGGBB word: the surfaces' own pixel layout.
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                               textureWidth_, textureHeight_);
  if (texture_) SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
  return texture_ != nullptr;
}

void TSdlBackend::Resize(int width, int height) {
  TSurface* screen = ScreenSurface();
  if (width != screen->Width() || height != screen->Height()) SetScreenSize(width, height);
  CreateTexture();
  ScreenSurface()->AddDamageAll();
  Present(true);
}

void TSdlBackend::Present(bool force) {
  TSurface* screen = ScreenSurface();
  if (!renderer_ || (!force && !screen->HasDamage())) return;
  const Uint32 now = SDL_GetTicks();
  if (!force && now - lastPresent_ < 8) return;
  if (screen->Width() != textureWidth_ || screen->Height() != textureHeight_) CreateTexture();
  const GdiRegion damage = screen->TakeDamage();
  ComposeScreen(*composed_);
  RECT area = force ? composed_->Bounds() : damage.Bounds();
  RECT bounds = composed_->Bounds();
  if (IntersectRect(&area, &area, &bounds)) {
    const SDL_Rect r{area.left, area.top, area.right - area.left, area.bottom - area.top};
    SDL_UpdateTexture(texture_, &r, composed_->Row(area.top) + area.left, composed_->Stride() * 4);
  }
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
  lastPresent_ = now;
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
            ScreenSurface()->AddDamageAll();
            break;
          case SDL_WINDOWEVENT_FOCUS_GAINED:
            // Text copied in another program arrives when the user comes back.
            ImportDesktopClipboard();
            SetApplicationActive(true);
            break;
          case SDL_WINDOWEVENT_FOCUS_LOST:
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
