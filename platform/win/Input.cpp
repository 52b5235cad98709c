// The input path: raw key and mouse events wait in the user-interface thread's input queue and
// become window messages when the loop reads them (hit test, hooks, capture, activation, cursor,
// double clicks), so that simulated and real input behave alike.
#include "platform/win/Input.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <mutex>

#include "platform/win/Cursors.h"
#include "platform/win/Focus.h"
#include "platform/win/Metrics.h"
#include "platform/win/Timers.h"
#include "platform/win/WinInternal.h"

namespace {

struct TRawInput {
  std::uint64_t seq = 0;
  bool inHook = false;  // a hook is looking at it: nested loops skip it
  bool isKey = false;
  // Keys.
  UINT vk = 0;
  UINT keyMessage = 0;
  LPARAM keyData = 0;
  // Mouse (client-form message: WM_MOUSEMOVE, WM_LBUTTONDOWN, ..., WM_MOUSEWHEEL).
  UINT mouseMessage = 0;
  POINT pt{};
  int wheel = 0;
  WPARAM keys = 0;
  DWORD time = 0;
  // Worked out when first examined.
  bool prepared = false;
  HWND target = nullptr;
  int hit = HTNOWHERE;
  MSG msg{};
};

std::mutex g_inputMutex;
std::uint64_t g_nextSeq = 1;
std::deque<TRawInput> g_input;
BYTE g_async[256] = {};
BYTE g_sync[256] = {};
POINT g_cursor{};

struct TLastClick {
  UINT message = 0;
  HWND hwnd = nullptr;
  DWORD time = 0;
  POINT pt{};
  bool client = false;
  bool valid = false;
} g_lastClick;

struct TTracking {
  HWND hwnd = nullptr;
  DWORD flags = 0;
} g_tracking;

bool IsExtendedKey(UINT vk) {
  switch (vk) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_INSERT:
    case VK_DELETE:
    case VK_DIVIDE:
    case VK_RCONTROL:
    case VK_RMENU:
    case VK_APPS:
    case VK_LWIN:
    case VK_RWIN:
      return true;
    default:
      return false;
  }
}

void SetDown(BYTE* state, UINT vk, bool down) {
  vk &= 0xFF;
  if (down) {
    if (!(state[vk] & 0x80)) state[vk] ^= 0x01;
    state[vk] |= 0x80;
  } else {
    state[vk] &= static_cast<BYTE>(~0x80);
  }
  UINT generic = 0;
  if (vk == VK_LSHIFT || vk == VK_RSHIFT) generic = VK_SHIFT;
  if (vk == VK_LCONTROL || vk == VK_RCONTROL) generic = VK_CONTROL;
  if (vk == VK_LMENU || vk == VK_RMENU) generic = VK_MENU;
  if (generic) SetDown(state, generic, down);
}

WPARAM MouseKeys(const BYTE* state) {
  WPARAM k = 0;
  if (state[VK_LBUTTON] & 0x80) k |= MK_LBUTTON;
  if (state[VK_RBUTTON] & 0x80) k |= MK_RBUTTON;
  if (state[VK_MBUTTON] & 0x80) k |= MK_MBUTTON;
  if (state[VK_SHIFT] & 0x80) k |= MK_SHIFT;
  if (state[VK_CONTROL] & 0x80) k |= MK_CONTROL;
  return k;
}

void Push(TRawInput e) {
  {
    std::lock_guard lock(g_inputMutex);
    // Mouse moves not yet read merge into one, as the platform coalesces them.
    if (!e.isKey && e.mouseMessage == WM_MOUSEMOVE && !g_input.empty()) {
      TRawInput& last = g_input.back();
      // Only moves of the same tick merge, so that a test's separate steps stay separate.
      if (!last.isKey && last.mouseMessage == WM_MOUSEMOVE && !last.prepared && last.time == e.time) {
        std::uint64_t seq = last.seq;
        last = e;
        last.seq = seq;
        WakeUiThread(QS_MOUSEMOVE);
        return;
      }
    }
    e.seq = g_nextSeq++;
    g_input.push_back(e);
  }
  WakeUiThread(e.isKey ? QS_KEY : (e.mouseMessage == WM_MOUSEMOVE ? QS_MOUSEMOVE : QS_MOUSEBUTTON));
}

bool IsButtonDown(UINT m) { return m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN; }

bool FilterMatches(const MSG& m, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (hwnd == reinterpret_cast<HWND>(-1)) return false;
  if (hwnd && m.hwnd != hwnd && !IsChild(hwnd, m.hwnd)) return false;
  if (filterMin == 0 && filterMax == 0) return true;
  return m.message >= filterMin && m.message <= filterMax;
}

void CheckMouseLeave(HWND target, int hit) {
  if (!g_tracking.hwnd) return;
  bool nonClient = g_tracking.flags & TME_NONCLIENT;
  bool inside = target == g_tracking.hwnd && (nonClient ? hit != HTCLIENT : hit == HTCLIENT);
  if (inside) return;
  HWND h = g_tracking.hwnd;
  g_tracking = {};
  PostMessage(h, nonClient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
}

void PrepareKey(TRawInput& e) {
  TWinState& s = WinState();
  e.prepared = true;
  HWND target = s.focus;
  UINT message = e.keyMessage;
  if (!target) {
    // Without a focus window keys go to the active window as system keys.
    target = s.active;
    if (message == WM_KEYDOWN) message = WM_SYSKEYDOWN;
    if (message == WM_KEYUP) message = WM_SYSKEYUP;
  }
  e.target = target;
  e.msg = MSG{target, message, e.vk, e.keyData, e.time, g_cursor};
}

void PrepareMouse(TRawInput& e) {
  TWinState& s = WinState();
  e.prepared = true;
  HWND target = nullptr;
  int hit = HTNOWHERE;
  if (e.mouseMessage == WM_MOUSEWHEEL) {
    target = s.focus ? s.focus : s.active;
    hit = HTCLIENT;
    e.target = target;
    e.hit = hit;
    e.msg = MSG{target,
                WM_MOUSEWHEEL,
                MAKEWPARAM(static_cast<WORD>(e.keys), static_cast<WORD>(static_cast<SHORT>(e.wheel))),
                PointToLParam(e.pt.x, e.pt.y),
                e.time,
                e.pt};
    return;
  }
  if (s.capture && Wnd(s.capture)) {
    target = s.capture;
    hit = HTCLIENT;
  } else {
    hit = HitTestScreen(e.pt, &target);
  }
  e.target = target;
  e.hit = hit;
  if (e.mouseMessage == WM_MOUSEMOVE) CheckMouseLeave(target, hit);
  UINT message = e.mouseMessage;
  TWindow* w = Wnd(target);
  if (IsButtonDown(message) && w) {
    bool client = hit == HTCLIENT;
    int cx = GetSystemMetrics(SM_CXDOUBLECLK) / 2, cy = GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    bool dbl = g_lastClick.valid && g_lastClick.message == message && g_lastClick.hwnd == target &&
               e.time - g_lastClick.time <= GetDoubleClickTime() &&
               std::abs(e.pt.x - g_lastClick.pt.x) <= cx && std::abs(e.pt.y - g_lastClick.pt.y) <= cy &&
               g_lastClick.client == client && (!client || (w->cls->style & CS_DBLCLKS));
    if (dbl) {
      message += 2;  // WM_xBUTTONDOWN -> WM_xBUTTONDBLCLK
      g_lastClick.valid = false;
    } else {
      g_lastClick = {message, target, e.time, e.pt, client, true};
    }
  }
  if (hit == HTCLIENT) {
    POINT c = e.pt;
    if (w) ScreenToClient(target, &c);
    e.msg = MSG{target, message, e.keys, PointToLParam(c.x, c.y), e.time, e.pt};
  } else {
    e.msg = MSG{target,
                message - WM_MOUSEMOVE + WM_NCMOUSEMOVE,
                static_cast<WPARAM>(static_cast<LONG_PTR>(hit)),
                PointToLParam(e.pt.x, e.pt.y),
                e.time,
                e.pt};
  }
}

UINT ClientForm(UINT message) {
  if (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK)
    return message - WM_NCMOUSEMOVE + WM_MOUSEMOVE;
  return message;
}

// Mouse activation and the cursor, once, when a mouse message is removed. False: eaten.
bool ActivateAndSetCursor(TRawInput& e) {
  TWinState& s = WinState();
  HWND target = e.target;
  UINT clientMessage = ClientForm(e.msg.message);
  bool down = clientMessage == WM_LBUTTONDOWN || clientMessage == WM_RBUTTONDOWN ||
              clientMessage == WM_MBUTTONDOWN || clientMessage == WM_LBUTTONDBLCLK ||
              clientMessage == WM_RBUTTONDBLCLK || clientMessage == WM_MBUTTONDBLCLK;
  if (down && e.hit != HTERROR && !s.capture) {
    TWindow* w = Wnd(target);
    TWindow* top = w ? TopLevelOf(w) : nullptr;
    if (top && top->handle != s.active) {
      HWND topHandle = top->handle;
      LRESULT r = SendMessage(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(topHandle),
                              MAKELPARAM(static_cast<WORD>(e.hit), static_cast<WORD>(e.msg.message)));
      if (r == 0) r = MA_ACTIVATE;
      if ((r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT) && IsWindowVisible(topHandle) &&
          IsWindowEnabled(topHandle))
        ActivateWindowInternal(topHandle, WA_CLICKACTIVE);
      if (r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT) return false;
    }
  }
  if (!s.capture && Wnd(target) && clientMessage != WM_MOUSEWHEEL)
    SendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
                MAKELPARAM(static_cast<WORD>(e.hit), static_cast<WORD>(clientMessage)));
  return e.hit != HTERROR && Wnd(target) != nullptr;
}

void InjectMouse(UINT message, POINT pt, int wheel) {
  TRawInput e;
  e.mouseMessage = message;
  e.pt = pt;
  e.wheel = wheel;
  e.time = GetTickCount();
  {
    std::lock_guard lock(g_inputMutex);
    g_cursor = pt;
    if (message == WM_LBUTTONDOWN) SetDown(g_async, VK_LBUTTON, true);
    if (message == WM_LBUTTONUP) SetDown(g_async, VK_LBUTTON, false);
    if (message == WM_RBUTTONDOWN) SetDown(g_async, VK_RBUTTON, true);
    if (message == WM_RBUTTONUP) SetDown(g_async, VK_RBUTTON, false);
    if (message == WM_MBUTTONDOWN) SetDown(g_async, VK_MBUTTON, true);
    if (message == WM_MBUTTONUP) SetDown(g_async, VK_MBUTTON, false);
    e.keys = MouseKeys(g_async);
  }
  Push(e);
}

void InjectKey(UINT vk, bool up) {
  TRawInput e;
  e.isKey = true;
  e.vk = vk;
  e.time = GetTickCount();
  std::unique_lock lock(g_inputMutex);
  bool wasDown = g_async[vk & 0xFF] & 0x80;
  bool alt = g_async[VK_MENU] & 0x80;
  bool ctrl = g_async[VK_CONTROL] & 0x80;
  SetDown(g_async, vk, !up);
  if (vk == VK_MENU) alt = !up || alt;
  bool sys = (alt && !ctrl) || vk == VK_F10 || vk == VK_MENU;
  e.keyMessage = up ? (sys ? WM_SYSKEYUP : WM_KEYUP) : (sys ? WM_SYSKEYDOWN : WM_KEYDOWN);
  LPARAM data = 1 | (static_cast<LPARAM>(MapVirtualKey(vk, MAPVK_VK_TO_VSC) & 0xFF) << 16);
  if (IsExtendedKey(vk)) data |= 1 << 24;
  if (alt && vk != VK_MENU) data |= 1 << 29;
  if (up || wasDown) data |= 1 << 30;
  if (up) data |= static_cast<LPARAM>(1u << 31);
  e.keyData = static_cast<LPARAM>(static_cast<DWORD>(data));
  lock.unlock();
  Push(e);
}

}  // namespace

// --- Hit testing ---

int HitTestScreen(POINT pt, HWND* targetOut) {
  std::vector<TWindow*> transparent;
  auto skipped = [&](TWindow* w) {
    return std::find(transparent.begin(), transparent.end(), w) != transparent.end();
  };
  for (int guard = 0; guard < 64; ++guard) {
    TWindow* top = nullptr;
    for (TWindow* c : WinState().desktop->children) {
      if (!c->Visible() || skipped(c) || (c->exStyle & WS_EX_TRANSPARENT && c->exStyle & WS_EX_LAYERED))
        continue;
      if (WindowContainsPoint(c, pt)) {
        top = c;
        break;
      }
    }
    if (!top) {
      if (targetOut) *targetOut = nullptr;
      return HTNOWHERE;
    }
    if (top->style & WS_DISABLED) {
      if (targetOut) *targetOut = top->handle;
      return HTERROR;
    }
    TWindow* cur = top;
    for (bool descended = true; descended;) {
      descended = false;
      RECT client = ScreenClientRect(cur);
      if (!PtInRect(&client, pt)) break;
      for (TWindow* c : cur->children) {
        if (!c->Visible() || skipped(c) || !WindowContainsPoint(c, pt)) continue;
        if (c->style & WS_DISABLED) break;  // a disabled child's point belongs to its parent
        cur = c;
        descended = true;
        break;
      }
    }
    HWND h = cur->handle;
    int hit = static_cast<int>(SendMessage(h, WM_NCHITTEST, 0, PointToLParam(pt.x, pt.y)));
    if (hit == HTTRANSPARENT && Wnd(h)) {
      transparent.push_back(Wnd(h));
      continue;
    }
    if (targetOut) *targetOut = Wnd(h) ? h : nullptr;
    return hit;
  }
  if (targetOut) *targetOut = nullptr;
  return HTNOWHERE;
}

bool HasPendingInput() {
  std::lock_guard lock(g_inputMutex);
  return !g_input.empty();
}

bool PeekInputMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, bool remove) {
  // No lock is held while windows and hooks are called: they may run nested loops that read the
  // same queue, so each event is found again by its sequence number afterwards.
  auto find = [](std::uint64_t seq) -> TRawInput* {
    for (auto& e : g_input)
      if (e.seq == seq) return &e;
    return nullptr;
  };
  auto erase = [](std::uint64_t seq) {
    std::lock_guard lock(g_inputMutex);
    for (auto it = g_input.begin(); it != g_input.end(); ++it)
      if (it->seq == seq) {
        g_input.erase(it);
        return true;
      }
    return false;
  };
  std::uint64_t last = 0;
  // Mouse input behind a mouse message this peek passed over is routed only once that one has been
  // handled: the press may take the capture its release must follow.
  bool passedMouse = false;
  for (;;) {
    TRawInput ev;
    {
      std::lock_guard lock(g_inputMutex);
      auto it = std::find_if(g_input.begin(), g_input.end(),
                             [&](const TRawInput& e) { return e.seq > last && !e.inHook; });
      if (it == g_input.end()) return false;
      ev = *it;
    }
    last = ev.seq;
    if (!ev.isKey && !ev.prepared && passedMouse) continue;
    if (!ev.prepared) {
      if (ev.isKey)
        PrepareKey(ev);
      else
        PrepareMouse(ev);
      std::lock_guard lock(g_inputMutex);
      TRawInput* stored = find(ev.seq);
      if (!stored) continue;
      *stored = ev;
    }
    if (!ev.target && ev.hit != HTERROR) {
      erase(ev.seq);
      continue;
    }
    if (ev.hit != HTERROR && !FilterMatches(ev.msg, hwnd, filterMin, filterMax)) {
      passedMouse = passedMouse || !ev.isKey;
      continue;
    }
    int code = remove ? HC_ACTION : HC_NOREMOVE;
    auto callHook = [&](int idHook, WPARAM wp, LPARAM lp) {
      if (!HasHooks(idHook)) return false;
      auto mark = [&](bool on) {
        std::lock_guard lock(g_inputMutex);
        if (TRawInput* stored = find(ev.seq)) stored->inHook = on;
      };
      mark(true);
      bool discard = CallHooks(idHook, code, wp, lp) != 0;
      mark(false);
      return discard;
    };
    if (ev.isKey) {
      if (callHook(WH_KEYBOARD, ev.vk, ev.keyData)) {
        erase(ev.seq);
        continue;
      }
      if (!remove) {
        *msg = ev.msg;
        return true;
      }
      if (!erase(ev.seq)) continue;
      UpdateKeyStateFromMessage(ev.msg);
      *msg = ev.msg;
      return true;
    }
    MOUSEHOOKSTRUCT mhs{ev.pt, ev.target, static_cast<UINT>(ev.hit), 0};
    if (callHook(WH_MOUSE, ev.msg.message, reinterpret_cast<LPARAM>(&mhs))) {
      erase(ev.seq);
      continue;
    }
    if (!remove && ev.hit != HTERROR) {
      *msg = ev.msg;
      return true;
    }
    if (!erase(ev.seq)) continue;
    UpdateKeyStateFromMessage(ev.msg);
    if (!ActivateAndSetCursor(ev)) continue;
    *msg = ev.msg;
    return true;
  }
}

void UpdateKeyStateFromMessage(const MSG& m) {
  std::lock_guard lock(g_inputMutex);
  switch (m.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      SetDown(g_sync, static_cast<UINT>(m.wParam), true);
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      SetDown(g_sync, static_cast<UINT>(m.wParam), false);
      break;
    default: {
      UINT c = ClientForm(m.message);
      if (c == WM_LBUTTONDOWN || c == WM_LBUTTONDBLCLK) SetDown(g_sync, VK_LBUTTON, true);
      if (c == WM_LBUTTONUP) SetDown(g_sync, VK_LBUTTON, false);
      if (c == WM_RBUTTONDOWN || c == WM_RBUTTONDBLCLK) SetDown(g_sync, VK_RBUTTON, true);
      if (c == WM_RBUTTONUP) SetDown(g_sync, VK_RBUTTON, false);
      if (c == WM_MBUTTONDOWN || c == WM_MBUTTONDBLCLK) SetDown(g_sync, VK_MBUTTON, true);
      if (c == WM_MBUTTONUP) SetDown(g_sync, VK_MBUTTON, false);
    }
  }
}

// --- Key state ---

SHORT GetKeyState(int vk) {
  std::lock_guard lock(g_inputMutex);
  BYTE b = g_sync[vk & 0xFF];
  return static_cast<SHORT>(((b & 0x80) ? 0xFF80 : 0) | (b & 1));
}

SHORT GetAsyncKeyState(int vk) {
  std::lock_guard lock(g_inputMutex);
  return (g_async[vk & 0xFF] & 0x80) ? static_cast<SHORT>(0x8000) : 0;
}

BOOL GetKeyboardState(BYTE* state) {
  if (!state) return FALSE;
  std::lock_guard lock(g_inputMutex);
  std::copy(g_sync, g_sync + 256, state);
  return TRUE;
}

BOOL SetKeyboardState(const BYTE* state) {
  if (!state) return FALSE;
  std::lock_guard lock(g_inputMutex);
  std::copy(state, state + 256, g_sync);
  return TRUE;
}

BOOL GetCursorPos(POINT* point) {
  if (!point) return FALSE;
  std::lock_guard lock(g_inputMutex);
  *point = g_cursor;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  RECT screen = ScreenRect();
  x = std::clamp<int>(x, screen.left, screen.right - 1);
  y = std::clamp<int>(y, screen.top, screen.bottom - 1);
  InjectMouse(WM_MOUSEMOVE, POINT{x, y}, 0);
  return TRUE;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* tme) {
  if (!tme) return FALSE;
  if (tme->dwFlags & TME_QUERY) {
    tme->dwFlags = g_tracking.hwnd ? g_tracking.flags : 0;
    tme->hwndTrack = g_tracking.hwnd;
    return TRUE;
  }
  if (tme->dwFlags & TME_CANCEL) {
    if (g_tracking.hwnd == tme->hwndTrack) g_tracking = {};
    return TRUE;
  }
  if (!(tme->dwFlags & TME_LEAVE)) return TRUE;
  if (!IsWindow(tme->hwndTrack)) return FALSE;
  POINT pt;
  GetCursorPos(&pt);
  HWND under = nullptr;
  int hit = HitTestScreen(pt, &under);
  bool nonClient = tme->dwFlags & TME_NONCLIENT;
  bool inside = under == tme->hwndTrack && (nonClient ? hit != HTCLIENT : hit == HTCLIENT);
  if (!inside) {
    PostMessage(tme->hwndTrack, nonClient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
    return TRUE;
  }
  g_tracking = {tme->hwndTrack, tme->dwFlags & (TME_LEAVE | TME_NONCLIENT)};
  return TRUE;
}

// No queued input and no button held: no message can end the loop any more (the release was read
// by another loop before this one started).
namespace {
bool DragDetectNothingCanEnd() {
  MSG peeked;
  if (PeekMessage(&peeked, nullptr, 0, 0, PM_NOREMOVE)) return false;
  return !((GetAsyncKeyState(VK_LBUTTON) | GetAsyncKeyState(VK_RBUTTON) | GetAsyncKeyState(VK_MBUTTON)) & 0x8000);
}
}  // namespace

// Measured from pt, the press point, not from where the cursor is now: the gesture may be queued
// whole. The message that ends the loop is dispatched too, so that the window still sees its release.
BOOL DragDetect(HWND hwnd, POINT pt) {
  if (!IsWindow(hwnd)) return FALSE;
  int cx = GetSystemMetrics(SM_CXDRAG), cy = GetSystemMetrics(SM_CYDRAG);
  RECT r{pt.x - cx, pt.y - cy, pt.x + cx + 1, pt.y + cy + 1};
  SetCapture(hwnd);
  BOOL result = FALSE;
  bool done = false;
  MSG m;
  while (!done && GetCapture() == hwnd && !DragDetectNothingCanEnd()) {
    const BOOL got = GetMessage(&m, nullptr, 0, 0);
    if (got == -1) break;
    if (!got) {
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    if (m.message == WM_MOUSEMOVE) {
      POINT p{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
      ClientToScreen(m.hwnd, &p);
      result = !PtInRect(&r, p);
      done = result;
    } else if (m.message == WM_LBUTTONUP || m.message == WM_RBUTTONUP || m.message == WM_MBUTTONUP) {
      done = true;
    } else if (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE) {
      done = true;
    }
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
  if (GetCapture() == hwnd) ReleaseCapture();
  return result;
}

// --- Simulation ---

void SimulateKeyDown(UINT vk) { InjectKey(vk, false); }
void SimulateKeyUp(UINT vk) { InjectKey(vk, true); }

void SimulateKeyPress(UINT vk, UINT modifiers) {
  if (modifiers & 1) SimulateKeyDown(VK_SHIFT);
  if (modifiers & 2) SimulateKeyDown(VK_CONTROL);
  if (modifiers & 4) SimulateKeyDown(VK_MENU);
  SimulateKeyDown(vk);
  SimulateKeyUp(vk);
  if (modifiers & 4) SimulateKeyUp(VK_MENU);
  if (modifiers & 2) SimulateKeyUp(VK_CONTROL);
  if (modifiers & 1) SimulateKeyUp(VK_SHIFT);
}

void SimulateText(const String& text) {
  for (Char ch : text) {
    SHORT scan = ch == u'\n' ? VK_RETURN : VkKeyScan(ch);
    if (scan == -1) {
      TRawInput e;
      e.isKey = true;
      e.vk = VK_PACKET;
      e.keyMessage = WM_KEYDOWN;
      e.keyData = MAKELPARAM(1, ch);
      e.time = GetTickCount();
      Push(e);
      continue;
    }
    // Modifiers already held (the user's own Shift) are neither pressed again nor let go.
    UINT modifiers = static_cast<UINT>((scan >> 8) & 7);
    if (GetAsyncKeyState(VK_SHIFT) & 0x8000) modifiers &= ~1u;
    if (GetAsyncKeyState(VK_CONTROL) & 0x8000) modifiers &= ~2u;
    if (GetAsyncKeyState(VK_MENU) & 0x8000) modifiers &= ~4u;
    SimulateKeyPress(static_cast<UINT>(scan & 0xFF), modifiers);
  }
}

void SimulateMouseMove(POINT screen) { InjectMouse(WM_MOUSEMOVE, screen, 0); }

void SimulateMouseDown(TSimButton button, POINT screen) {
  InjectMouse(WM_MOUSEMOVE, screen, 0);
  InjectMouse(button == TSimButton::Left    ? WM_LBUTTONDOWN
              : button == TSimButton::Right ? WM_RBUTTONDOWN
                                            : WM_MBUTTONDOWN,
              screen, 0);
}

void SimulateMouseUp(TSimButton button, POINT screen) {
  InjectMouse(WM_MOUSEMOVE, screen, 0);
  InjectMouse(button == TSimButton::Left    ? WM_LBUTTONUP
              : button == TSimButton::Right ? WM_RBUTTONUP
                                            : WM_MBUTTONUP,
              screen, 0);
}

void SimulateClick(TSimButton button, POINT screen) {
  SimulateMouseDown(button, screen);
  SimulateMouseUp(button, screen);
}

void SimulateWheel(int delta, POINT screen) {
  InjectMouse(WM_MOUSEMOVE, screen, 0);
  InjectMouse(WM_MOUSEWHEEL, screen, delta);
}

void FlushSimulatedInput() {
  std::lock_guard lock(g_inputMutex);
  g_input.clear();
}

void ResetInputState() {
  std::lock_guard lock(g_inputMutex);
  g_input.clear();
  std::fill(std::begin(g_async), std::end(g_async), BYTE{0});
  std::fill(std::begin(g_sync), std::end(g_sync), BYTE{0});
  g_lastClick = {};
  g_tracking = {};
}
