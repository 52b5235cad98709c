// Keyboard and mouse: virtual keys, key state, keyboard layouts, the cursor position, mouse
// tracking, and the input-simulation entry points that tests and the display back end feed.
#pragma once

#include "platform/rtl/Types.h"
#include "platform/rtl/WinDef.h"

// Virtual keys.
constexpr UINT VK_LBUTTON = 0x01;
constexpr UINT VK_RBUTTON = 0x02;
constexpr UINT VK_CANCEL = 0x03;
constexpr UINT VK_MBUTTON = 0x04;
constexpr UINT VK_BACK = 0x08;
constexpr UINT VK_TAB = 0x09;
constexpr UINT VK_CLEAR = 0x0C;
constexpr UINT VK_RETURN = 0x0D;
constexpr UINT VK_SHIFT = 0x10;
constexpr UINT VK_CONTROL = 0x11;
constexpr UINT VK_MENU = 0x12;
constexpr UINT VK_PAUSE = 0x13;
constexpr UINT VK_CAPITAL = 0x14;
constexpr UINT VK_ESCAPE = 0x1B;
constexpr UINT VK_SPACE = 0x20;
constexpr UINT VK_PRIOR = 0x21;
constexpr UINT VK_NEXT = 0x22;
constexpr UINT VK_END = 0x23;
constexpr UINT VK_HOME = 0x24;
constexpr UINT VK_LEFT = 0x25;
constexpr UINT VK_UP = 0x26;
constexpr UINT VK_RIGHT = 0x27;
constexpr UINT VK_DOWN = 0x28;
constexpr UINT VK_SELECT = 0x29;
constexpr UINT VK_PRINT = 0x2A;
constexpr UINT VK_SNAPSHOT = 0x2C;
constexpr UINT VK_INSERT = 0x2D;
constexpr UINT VK_DELETE = 0x2E;
constexpr UINT VK_HELP = 0x2F;
constexpr UINT VK_LWIN = 0x5B;
constexpr UINT VK_RWIN = 0x5C;
constexpr UINT VK_APPS = 0x5D;
constexpr UINT VK_NUMPAD0 = 0x60;
constexpr UINT VK_NUMPAD9 = 0x69;
constexpr UINT VK_MULTIPLY = 0x6A;
constexpr UINT VK_ADD = 0x6B;
constexpr UINT VK_SEPARATOR = 0x6C;
constexpr UINT VK_SUBTRACT = 0x6D;
constexpr UINT VK_DECIMAL = 0x6E;
constexpr UINT VK_DIVIDE = 0x6F;
constexpr UINT VK_F1 = 0x70;
constexpr UINT VK_F2 = 0x71;
constexpr UINT VK_F3 = 0x72;
constexpr UINT VK_F4 = 0x73;
constexpr UINT VK_F5 = 0x74;
constexpr UINT VK_F6 = 0x75;
constexpr UINT VK_F7 = 0x76;
constexpr UINT VK_F8 = 0x77;
constexpr UINT VK_F9 = 0x78;
constexpr UINT VK_F10 = 0x79;
constexpr UINT VK_F11 = 0x7A;
constexpr UINT VK_F12 = 0x7B;
constexpr UINT VK_NUMLOCK = 0x90;
constexpr UINT VK_SCROLL = 0x91;
constexpr UINT VK_LSHIFT = 0xA0;
constexpr UINT VK_RSHIFT = 0xA1;
constexpr UINT VK_LCONTROL = 0xA2;
constexpr UINT VK_RCONTROL = 0xA3;
constexpr UINT VK_LMENU = 0xA4;
constexpr UINT VK_RMENU = 0xA5;
constexpr UINT VK_OEM_1 = 0xBA;       // ;:  (Cyrillic Ж)
constexpr UINT VK_OEM_PLUS = 0xBB;    // =+
constexpr UINT VK_OEM_COMMA = 0xBC;   // ,<  (Б)
constexpr UINT VK_OEM_MINUS = 0xBD;   // -_
constexpr UINT VK_OEM_PERIOD = 0xBE;  // .>  (Ю)
constexpr UINT VK_OEM_2 = 0xBF;       // /?  (. ,)
constexpr UINT VK_OEM_3 = 0xC0;       // `~  (Ё)
constexpr UINT VK_OEM_4 = 0xDB;       // [{  (Х)
constexpr UINT VK_OEM_5 = 0xDC;       // \|
constexpr UINT VK_OEM_6 = 0xDD;       // ]}  (Ъ)
constexpr UINT VK_OEM_7 = 0xDE;       // '"  (Э)
constexpr UINT VK_PROCESSKEY = 0xE5;
constexpr UINT VK_PACKET = 0xE7;

// Key state: the high bit is set while down; the low bit toggles on each press.
SHORT GetKeyState(int vk);
SHORT GetAsyncKeyState(int vk);
BOOL GetKeyboardState(BYTE* state);  // 256 bytes
BOOL SetKeyboardState(const BYTE* state);

// Keyboard layouts: US Latin and Russian Cyrillic (ЙЦУКЕН).
inline const HKL HKL_US = reinterpret_cast<HKL>(0x04090409);
inline const HKL HKL_RUSSIAN = reinterpret_cast<HKL>(0x04190419);
HKL GetKeyboardLayout(DWORD threadId);
HKL ActivateKeyboardLayout(HKL layout, UINT flags);
// Low byte: the virtual key; high byte: 1 Shift, 2 Ctrl, 4 Alt. -1 when the layout has no key.
SHORT VkKeyScan(WCHAR ch);
SHORT VkKeyScanEx(WCHAR ch, HKL layout);
constexpr UINT MAPVK_VK_TO_VSC = 0;
constexpr UINT MAPVK_VSC_TO_VK = 1;
constexpr UINT MAPVK_VK_TO_CHAR = 2;
UINT MapVirtualKey(UINT code, UINT mapType);
// The characters of a key with the given key state; the count written (0 when none).
int ToUnicode(UINT vk, UINT scanCode, const BYTE* keyState, LPWSTR buffer, int bufferSize, UINT flags);
int ToUnicodeEx(UINT vk, UINT scanCode, const BYTE* keyState, LPWSTR buffer, int bufferSize, UINT flags,
                HKL layout);

// The cursor position in screen coordinates.
BOOL GetCursorPos(POINT* point);
// Moves the cursor; windows see a mouse move, as on the platform.
BOOL SetCursorPos(int x, int y);

// Mouse tracking.
constexpr DWORD TME_HOVER = 0x00000001;
constexpr DWORD TME_LEAVE = 0x00000002;
constexpr DWORD TME_NONCLIENT = 0x00000010;
constexpr DWORD TME_QUERY = 0x40000000;
constexpr DWORD TME_CANCEL = 0x80000000;
constexpr DWORD HOVER_DEFAULT = 0xFFFFFFFF;
struct TRACKMOUSEEVENT {
  DWORD cbSize = sizeof(TRACKMOUSEEVENT);
  DWORD dwFlags = 0;
  HWND hwndTrack = nullptr;
  DWORD dwHoverTime = 0;
};
BOOL TrackMouseEvent(TRACKMOUSEEVENT* tme);
BOOL DragDetect(HWND hwnd, POINT pt);

// --- Input simulation: events enter the queue as real input does and are hit-tested, hooked,
// captured and activated when the message loop reads them. ---
enum class TSimButton { Left, Right, Middle };
void SimulateKeyDown(UINT vk);
void SimulateKeyUp(UINT vk);
// Down and up; with the modifiers pressed around it (bits: 1 Shift, 2 Ctrl, 4 Alt).
void SimulateKeyPress(UINT vk, UINT modifiers = 0);
// Each character as the keys of the active layout that type it (Shift as needed); characters the
// layout lacks arrive as VK_PACKET keys that TranslateMessage turns into WM_CHAR.
void SimulateText(const String& text);
void SimulateMouseMove(POINT screen);
void SimulateMouseDown(TSimButton button, POINT screen);
void SimulateMouseUp(TSimButton button, POINT screen);
void SimulateClick(TSimButton button, POINT screen);
void SimulateWheel(int delta, POINT screen);
// Drops input not yet read (tests start clean).
void FlushSimulatedInput();
// Releases every key and button and forgets click history (tests start clean).
void ResetInputState();
